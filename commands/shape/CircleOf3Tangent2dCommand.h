#pragma once
// Draws circles touching three shapes; with Shift held the preview shows every circle that fits.

#include "command/CommandBase.h"

namespace QZ2Command {

class CircleOf3Tangent2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(CircleOf3Tangent2dCommand)
public:
    enum : WORD {
        itemFirstShape = 0,
        itemSecondShape = 1,
        itemThirdShape = 2,
        itemPick = 3,
    };

    CircleOf3Tangent2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Makes the circle (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
