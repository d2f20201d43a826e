#pragma once
// The docking bar in which the user sees and drives the running command: a combo box of the
// recently run commands (choosing one runs it again), one row per parameter of the running command
// showing its caption and current value, and an input line whose text goes into the selected row.
// The bar keeps no logic about values: typed text, row choices and Escape go to the command
// manager, which calls back to show the command, refresh its rows and move the selection. The rows
// are counted even while the bar has no window, so the manager can drive it without a frame.
// A modifier attached to a parameter shows below the parameter's row: a header row with the
// modifier's name, then one sub-row per input of the modifier. Rows therefore map to parameter and
// modifier input numbers: a parameter row's number counts the parameter rows above it, an input
// row's number the input rows above it, and a sub-row belongs to the parameter row above it.

#include "platform/afx/CString.h"
#include "platform/afx/CStringArray.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/CListCtrl.h"

#include <memory>
#include <vector>

namespace QZ2Command {
class CommandBase;
class CommandManager;
class ParameterItemBase;
class ParameterModifierBase;
}  // namespace QZ2Command

class CCommandBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CCommandBar)
public:
    // Control ids of the bar's children.
    enum { IDC_ROWS = 1000, IDC_COMMANDS = 1001, IDC_TOOLBAR = 1002, IDC_INPUT = 1003 };
    // Entries the recent-commands combo keeps.
    static constexpr int kMaxCommandNames = 20;

    CCommandBar();
    ~CCommandBar() override;

    // Stores the manager that receives the bar's input.
    void SetCommandManager(QZ2Command::CommandManager* pManager) { m_pCommandManager = pManager; }
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
    // Selects the row of parameter nIndex and gives the rows the focus.
    BOOL SelectParameterRow(int nIndex);

    // ---- modifier rows ----
    // Shows the modifier's rows below the row of parameter nIndex (earlier modifier rows go) and
    // selects its current input's row. FALSE without that parameter row or modifier.
    BOOL ShowModifierRows(int nIndex, QZ2Command::ParameterModifierBase* pModifier);
    // The row of modifier input nInput shows a copy of the item.
    BOOL UpdateModifierRow(int nInput, const QZ2Command::ParameterItemBase* pItem, BOOL bRedraw);
    // Selects the row of modifier input nInput and gives the rows the focus.
    BOOL SelectModifierRow(int nInput);
    // Removes the modifier header whose next row is an input of the group, with every row after it
    // down to the last sub-row of that group or a deeper one. FALSE when there is no such header.
    BOOL RemoveModifierRows(int nGroup);
    // The rows of the innermost modifier link, and of every link.
    BOOL RemoveInnermostModifierRows();
    BOOL RemoveAllModifierRows();

    // ---- recent commands ----
    // Enters the command at the top of the combo and selects it. An entry with the same identifier
    // goes (an empty identifier marks the one command that cannot be run again from here); the
    // oldest entry goes when the combo is full.
    void AddCommandName(const CString& strDisplayName, const CString& strIdentifier);
    int GetCommandNameCount() const { return static_cast<int>(m_names.GetSize()); }
    CString GetCommandName(int nIndex) const;
    CString GetCommandIdentifier(int nIndex) const;
    // Runs the command of entry nIndex again, as choosing it in the combo does. FALSE for an entry
    // without identifier, an index out of range or no manager.
    BOOL RunCommandEntry(int nIndex);

    // ---- typed input ----
    // The text as if typed into the input line and confirmed with Enter: handed to the manager for
    // the selected row (an empty text confirms the row instead). FALSE when no command runs, no
    // row is selected or the manager refused the text; the input line then keeps the text selected.
    BOOL EnterText(const CString& strText);
    // Escape in the input line: a text is erased first; then a value of the selected row is
    // cleared; on an empty row the command is cancelled.
    void EscapeInput();
    // Text the user typed elsewhere (the drawing view, the rows) while a command runs: the input
    // line takes the focus and the text, added at its end or over a refused text still selected.
    // FALSE, and nothing done, without a running command or a visible input line.
    BOOL TypeIntoInputLine(const CString& strText);
    // A character that is typed as text (not a control character).
    static BOOL IsTypedCharacter(UINT nChar);

    // ---- state ----
    QZ2Command::CommandBase* GetCommand() const { return m_pCommand; }
    // Every row: parameter rows and modifier rows.
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetParameterRowCount() const;
    // A modifier header or input row.
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
    int GetSelectedRow() const { return m_nSelectedRow; }
    // The caption and value text a row shows (empty for a row out of range).
    CString GetRowCaption(int nRow) const;
    CString GetRowValueText(int nRow) const;
    // The text a value item shows in its row.
    static CString FormatItem(const QZ2Command::ParameterItemBase* pItem);

    // The toolbar shows the buttons that fit the selected row: its value type (2 length, 3 angle,
    // 8 point, 9 point array, 14 shape group) and whether it takes modifiers. FALSE when nothing
    // changed.
    BOOL SetItemType(int nType, BOOL bAcceptModifiers);
    int GetItemType() const { return m_nItemType; }

    CComboBox& GetCommandCombo() { return m_wndCommands; }
    CBCGPToolBar& GetToolBar() { return m_wndToolBar; }
    CListCtrl& GetRowList() { return m_wndRows; }
    CEdit& GetInputLine() { return m_wndInput; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCommandSelEndOK();
    afx_msg void OnRowChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    // What a row of the list shows.
    enum RowKind { rowParameter, rowModifierHeader, rowModifierInput };
    struct Row {
        RowKind kind = rowParameter;
        // The modifier link of a sub-row: 0 for the outermost; -1 for the other rows.
        int nGroup = -1;
        // A header's caption (the modifier's name).
        CString strCaption;
        // An input row's copy of the modifier input.
        std::unique_ptr<QZ2Command::ParameterItemBase> pItem;
    };

    void RecalcLayout();
    void FillRow(int nRow);
    // The row enters the list at nRow / leaves it; the selection follows its row.
    void InsertRow(int nRow, Row row);
    void DeleteRow(int nRow);
    // Makes a row the parameter or modifier input the command waits for.
    void ActivateRow(int nRow);
    void ShowSelection();
    void RebuildButtons();
    // The toolbar follows the selected row's value.
    void ShowRowButtons();
    // The parameter item a row shows, or NULL.
    QZ2Command::ParameterItemBase* RowItem(int nRow) const;
    BOOL IsCommandRunning() const;

    CComboBox m_wndCommands;
    CListCtrl m_wndRows;
    CEdit m_wndInput;
    CBCGPToolBar m_wndToolBar;
    int m_nItemType = 0;
    BOOL m_bAcceptModifiers = FALSE;
    QZ2Command::CommandManager* m_pCommandManager = nullptr;
    QZ2Command::CommandBase* m_pCommand = nullptr;
    std::vector<Row> m_rows;
    int m_nSelectedRow = -1;
    BOOL m_bSelecting = FALSE;
    CStringArray m_names;
    CStringArray m_identifiers;
};
