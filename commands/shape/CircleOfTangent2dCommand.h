#pragma once
// Draws circles touching one shape, with a given centre, through two points, or through a point with a
// radius; the condition's rows follow the choice.

#include "command/CommandBase.h"

namespace QZ2Command {

class CircleOfTangent2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(CircleOfTangent2dCommand)
public:
    enum : WORD {
        itemCentre = 0,
        itemShape = 1,
        itemPointRadius = 2,
        itemFirstPoint = 3,
        itemSecondPoint = 4,
        itemRadius = 5,
        itemPick = 6,
    };

    CircleOfTangent2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

private:
    // Makes the circle (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
