#pragma once
// Draws a chain of separate lines: each point given ends one line and starts the next; giving the same
// point twice ends the command.

#include "command/CommandBase.h"

namespace QZ2Command {

class PolylineIndividual2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(PolylineIndividual2dCommand)
public:
    enum : WORD { itemStartPoint = 0, itemEndPoint = 1 };

    PolylineIndividual2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Shows the items' values in their command-bar rows.
    void RefreshRows();
};

}  // namespace QZ2Command
