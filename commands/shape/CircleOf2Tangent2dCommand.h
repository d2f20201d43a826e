#pragma once
// Draws circles touching two shapes, through a point or with a radius.

#include "command/CommandBase.h"

namespace QZ2Command {

class CircleOf2Tangent2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(CircleOf2Tangent2dCommand)
public:
    enum : WORD {
        itemFirstShape = 0,
        itemSecondShape = 1,
        itemRadius = 2,
        itemPoint = 3,
        itemPick = 4,
    };

    CircleOf2Tangent2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Makes the circle (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
