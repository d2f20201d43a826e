#pragma once
// Draws arcs through two points with a typed radius; of those that fit, the one nearest the pick point.

#include "command/CommandBase.h"

namespace QZ2Command {

class ArcOf2Point2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ArcOf2Point2dCommand)
public:
    enum : WORD {
        itemFirstPoint = 0,
        itemSecondPoint = 1,
        itemRadius = 2,
        itemPick = 3,
    };

    ArcOf2Point2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Makes the arc (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
