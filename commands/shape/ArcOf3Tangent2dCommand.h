#pragma once
// Draws arcs touching three shapes.

#include "command/CommandBase.h"

namespace QZ2Command {

class ArcOf3Tangent2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ArcOf3Tangent2dCommand)
public:
    enum : WORD {
        itemFirstShape = 0,
        itemSecondShape = 1,
        itemThirdShape = 2,
        itemPick = 3,
    };

    ArcOf3Tangent2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Makes the arc (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
