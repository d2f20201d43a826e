#pragma once
// The docking bar in which the user sees and drives the running command: a combo box of the
// recently run commands (choosing one runs it again), a toolbar of the actions that fit the selected
// row, and a property list with one row per parameter of the running command, edited in place.
// The bar keeps no logic about values: the list's notifications, the toolbar's commands and the
// combo's choices go to the command manager, which calls back to show the command, refresh its rows
// and move the selection. The rows are kept even while the bar has no window, so the manager can
// drive it without a frame.
// A modifier attached to a parameter shows below the parameter's row: a header row with the
// modifier's name, then one sub-row per input of the modifier. Rows therefore map to parameter and
// modifier input numbers: a parameter row's number counts the parameter rows above it, an input
// row's number the input rows above it, and a sub-row belongs to the parameter row above it.

#include "command/CCommandComboBox.h"
#include "command/CCommandToolBar.h"
#include "command/CPropertyListCtrl.h"
#include "platform/afx/CString.h"
#include "platform/bcg/CBCGPDockingControlBar.h"

namespace QZ2Command {
class CommandBase;
class CommandManager;
class ParameterItemBase;
class ParameterModifierBase;
}  // namespace QZ2Command

class CommandPropertyListItem;
class CCmdUI;

class CCommandBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CCommandBar)
public:
    // Control ids of the bar's children.
    enum { IDC_ROWS = 1000, IDC_COMMANDS = 1001, IDC_TOOLBAR = 1002 };
    // Entries the recent-commands combo keeps.
    static constexpr int kMaxCommandNames = CCommandComboBox::kMaxEntries;

    CCommandBar();
    ~CCommandBar() override;

    // Stores the manager that receives the bar's input; the lists' history drop-downs read its
    // parameter history.
    void SetCommandManager(QZ2Command::CommandManager* pManager);
    QZ2Command::CommandManager* GetCommandManager() const { return m_pCommandManager; }

    // ---- what the command manager calls ----
    // Shows the command: its name enters the combo, a row per parameter, the current row selected.
    // NULL empties the bar.
    virtual void SetCommand(QZ2Command::CommandBase* pCommand);
    // Empties the rows and removes the combo selection.
    virtual void Clear();
    // The row of a parameter appended at nIndex (the number of rows so far).
    virtual BOOL AddParameterRow(int nIndex);
    // A row inserted before the row of parameter nIndex (or after the last one).
    virtual BOOL InsertParameterRow(int nIndex);
    virtual BOOL RemoveParameterRow(int nIndex);
    // The row of parameter nIndex shows the parameter's value again; the selection follows the
    // command's current parameter.
    virtual BOOL UpdateParameterRow(int nIndex, int nFlag);
    // The row shows its value cleared.
    BOOL ClearParameterRow(int nIndex);
    // Selects the row of parameter nIndex and gives the list the focus.
    BOOL SelectParameterRow(int nIndex);

    // ---- modifier rows ----
    // Shows the modifier's rows below the row of parameter nIndex (earlier modifier rows go) and
    // selects its current input's row. FALSE without that parameter row or modifier.
    BOOL ShowModifierRows(int nIndex, QZ2Command::ParameterModifierBase* pModifier);
    // The row of modifier input nInput shows a copy of the item.
    BOOL UpdateModifierRow(int nInput, const QZ2Command::ParameterItemBase* pItem, BOOL bRedraw);
    // Selects the row of modifier input nInput and gives the list the focus.
    BOOL SelectModifierRow(int nInput);
    // Removes the modifier header whose next row is an input of the group, with every row after it
    // down to the last sub-row of that group or a deeper one. FALSE when there is no such header.
    BOOL RemoveModifierRows(int nGroup);
    // The rows of the innermost modifier link, and of every link.
    BOOL RemoveInnermostModifierRows();
    BOOL RemoveAllModifierRows();

    // ---- recent commands ----
    void AddCommandName(const CString& strDisplayName, const CString& strIdentifier);
    int GetCommandNameCount() const { return m_wndCommands.GetEntryCount(); }
    CString GetCommandName(int nIndex) const { return m_wndCommands.GetEntryName(nIndex); }
    CString GetCommandIdentifier(int nIndex) const { return m_wndCommands.GetEntryIdentifier(nIndex); }
    // Runs the command of entry nIndex again, as choosing it in the combo does.
    BOOL RunCommandEntry(int nIndex) { return m_wndCommands.RunEntry(nIndex); }

    // ---- typed input ----
    // Text typed elsewhere (the drawing view) while a command runs: it goes into the selected row's
    // editor, as typing on the list does (the first character replaces the value, the rest follow).
    // FALSE, and nothing done, without a running command, a visible list or an editor.
    BOOL TypeIntoSelectedRow(const CString& strText);
    // The text typed into the selected row's editor and confirmed with Enter (an empty text is Enter
    // on the row as it stands). FALSE when no command runs, no row is selected or the text was
    // refused; the editor then keeps the text selected.
    BOOL EnterText(const CString& strText);
    // Escape in the bar: typing in the selected row's editor is undone first; then the value is
    // cleared, and on an empty row the command is cancelled (on a modifier input: the modifier goes).
    void EscapeInput();
    // A character that is typed as text (not a control character).
    static BOOL IsTypedCharacter(UINT nChar);
    // Called before the bar's input options button opens the options (the settings library, which owns the
    // options dialog, makes it open on its input page); NULL for none.
    typedef void (*InputOptionsHook)();
    static void SetInputOptionsHook(InputOptionsHook pfnHook);

    // ---- state ----
    QZ2Command::CommandBase* GetCommand() const { return m_pCommand; }
    // Every row: parameter rows and modifier rows.
    int GetRowCount() const { return m_wndList.GetItemCount(); }
    int GetParameterRowCount() const;
    CommandPropertyListItem* GetRow(int nRow) const;
    BOOL IsSubRow(int nRow) const;
    BOOL IsHeaderRow(int nRow) const;
    // The parameter a row belongs to, -1 for a row out of range.
    int GetRowParameter(int nRow) const;
    // The modifier input number of a sub-row, -1 for a parameter row or a row out of range.
    int GetRowModifierInput(int nRow) const;
    // The row of a parameter or of a modifier input, -1 for none.
    int FindParameterRow(int nIndex) const;
    int FindModifierInputRow(int nInput) const;
    // The selected row, -1 for none.
    int GetSelectedRow() const { return m_wndList.GetCurSel(); }
    // The caption and value text a row shows (empty for a row out of range).
    CString GetRowCaption(int nRow) const;
    CString GetRowValueText(int nRow) const;
    // The text a value item shows in its row.
    static CString FormatItem(const QZ2Command::ParameterItemBase* pItem);

    // The toolbar shows the buttons that fit the selected row. FALSE when nothing changed.
    BOOL SetItemType(int nType, BOOL bAcceptModifiers) { return m_wndToolBar.SetItemType(nType, bAcceptModifiers); }
    int GetItemType() const { return m_wndToolBar.GetItemType(); }

    CCommandComboBox& GetCommandCombo() { return m_wndCommands; }
    CCommandToolBar& GetToolBar() { return m_wndToolBar; }
    CPropertyListCtrl& GetList() { return m_wndList; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListSelChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnListValueChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListTextEntered(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListPickRequest(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListEscape(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListAlternative(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndCommand();
    afx_msg void OnUpdateEndCommand(CCmdUI* pCmdUI);
    afx_msg void OnConfirmValue();
    afx_msg void OnUpdateConfirmValue(CCmdUI* pCmdUI);
    afx_msg void OnClearValue();
    afx_msg void OnStepBack();
    afx_msg void OnUpdateStepBack(CCmdUI* pCmdUI);
    afx_msg void OnSelectByFilter();
    afx_msg void OnUpdateSelectByFilter(CCmdUI* pCmdUI);
    afx_msg void OnInputOptions();
    afx_msg void OnUpdateInputOptions(CCmdUI* pCmdUI);
    afx_msg void OnNextOfType(UINT nID);
    afx_msg void OnUpdateNextOfType(CCmdUI* pCmdUI);
    afx_msg void OnModifier(UINT nID);
    afx_msg void OnUpdateModifier(CCmdUI* pCmdUI);

    void RecalcLayout();
    // A parameter row for parameter nIndex of the shown command.
    void BuildParameterRow(int nIndex, CommandPropertyListItem& row) const;
    // Selects a row without telling the manager (it asked for it).
    void SelectRowQuietly(int nRow);
    // The toolbar follows the selected row's value.
    void ShowRowButtons();
    // The value item a row shows, or NULL.
    QZ2Command::ParameterItemBase* RowItem(int nRow) const;
    BOOL IsCommandRunning() const;
    // The manager's answer to a typed text or value of the row.
    LRESULT RouteValue(int nRow, const CString* pText, const QZ2Command::ParameterItemBase* pValue, BOOL bEnter);

    CCommandComboBox m_wndCommands;
    CPropertyListCtrl m_wndList;
    CCommandToolBar m_wndToolBar;
    QZ2Command::CommandManager* m_pCommandManager = nullptr;
    QZ2Command::CommandBase* m_pCommand = nullptr;
    BOOL m_bSelecting = FALSE;
    // The manager's last answer to a value from the list (1 taken, 0 refused, -1 none yet).
    LRESULT m_nLastAnswer = -1;
};
