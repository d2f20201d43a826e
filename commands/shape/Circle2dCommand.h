#pragma once
// Draws circles from a centre and a point on the circle, a typed radius or a typed diameter.

#include "command/CommandBase.h"

namespace QZ2Command {

class Circle2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Circle2dCommand)
public:
    enum : WORD {
        itemCentre = 0,
        itemRadius = 1,
        itemDiameter = 2,
    };

    Circle2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Makes the circle (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
