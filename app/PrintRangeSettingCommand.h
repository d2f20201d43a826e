#pragma once
// Picks the print range of the shown drawing: two corners, with a rubber band between them, stored as
// the drawing's print range in one undo step; then the page setup comes back. The range shows in the view
// while the command runs. Corners on one horizontal or vertical line make no range and are refused.

#include "command/CommandBase.h"

class Draw2dView;

namespace QZ2Command {

class PrintRangeSettingCommand : public CommandBase
{
    DECLARE_DYNCREATE(PrintRangeSettingCommand)
public:
    enum : WORD { itemFirstCorner = 0, itemSecondCorner = 1 };

    PrintRangeSettingCommand() = default;

    void SetupParameters() override;
    BOOL OnStart() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    void OnEnd() override;

    Draw2dView* GetShownView() const { return m_pView; }

private:
    Draw2dView* m_pView = nullptr;
};

}  // namespace QZ2Command
