#pragma once
// Draws arcs touching one shape through a first point and either a second point or with a radius.

#include "command/CommandBase.h"

namespace QZ2Command {

class ArcOfTangent2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ArcOfTangent2dCommand)
public:
    enum : WORD {
        itemShape = 0,
        itemFirstPoint = 1,
        itemSecondPoint = 2,
        itemRadius = 3,
        itemPick = 4,
    };

    ArcOfTangent2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Makes the arc (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
