#pragma once
// Draws one polyline through the points given in turn; Enter or a double click ends the list (Backspace
// takes the last point back), and the points given so far are offered to snapping.

#include "command/CommandBase.h"

namespace QZ2Command {

class Polyline2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Polyline2dCommand)
public:
    enum : WORD { itemPoints = 0 };

    Polyline2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
};

}  // namespace QZ2Command
