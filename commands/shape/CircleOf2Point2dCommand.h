#pragma once
// Draws circles through two points with a typed radius; of the two that fit, the one nearest the pick point.

#include "command/CommandBase.h"

namespace QZ2Command {

class CircleOf2Point2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(CircleOf2Point2dCommand)
public:
    enum : WORD {
        itemFirstPoint = 0,
        itemSecondPoint = 1,
        itemRadius = 2,
        itemPick = 3,
    };

    CircleOf2Point2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Makes the circle (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
