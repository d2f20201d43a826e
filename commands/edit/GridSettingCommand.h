#pragma once
// The grid of the active drawing: its dialog ("Korvan.Settings.GridSetting"), the on/off toggle
// ("Korvan.Settings.ShowGrid"), and picking its origin ("Korvan.Settings.GridOrigin") or its range
// ("Korvan.Settings.GridRange") in the view, alone or for the dialog, which then opens again with the
// picked values. Every change written is one undo step; the dialog's Cancel writes nothing.

#include <memory>

#include "command/CommandBase.h"

class Draw2dView;
class GridSetting;

namespace QZ2Command {

class GridSettingCommand : public CommandBase
{
    DECLARE_DYNCREATE(GridSettingCommand)
public:
    enum : WORD { itemOrigin = 0, itemFirstCorner = 1, itemSecondCorner = 2 };

    GridSettingCommand();
    ~GridSettingCommand() override;

    void OnChildCommandResult(CommandBase* pChild, void* pResult) override;
    void SetupParameters() override;
    BOOL OnStart() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    void OnEnd() override;

    // The values of the dialog kept while the user picks for it; NULL otherwise.
    const GridSetting* GetPendingSetting() const { return m_pPending.get(); }

private:
    BOOL IsIdentifier(LPCTSTR identifier) const;
    // Copies the active drawing's setting, lets the change work on the copy and writes it in one undo step.
    template <typename Change>
    BOOL WriteSetting(Change change);
    int RunDialog();

    std::unique_ptr<GridSetting> m_pPending;
    // Origin and range picking hide the grid in the view they pick in, and show it there again at the end.
    Draw2dView* m_pHiddenGridView = nullptr;
};

}  // namespace QZ2Command
