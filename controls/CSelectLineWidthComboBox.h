#pragma once
// The line-width chooser: an owner-drawn drop-down list of the document's line widths (numbers equal
// table positions), optionally starting with the by-layer entry (number 0).

#include "controls/CFlatComboBox.h"

class LineWidthFeatureTable;

class CSelectLineWidthComboBox : public CFlatComboBox
{
    DECLARE_DYNAMIC(CSelectLineWidthComboBox)
public:
    CSelectLineWidthComboBox();
    ~CSelectLineWidthComboBox() override;

    BOOL SetLineWidthTable(const LineWidthFeatureTable* pTable, BOOL bShowByLayer);
    const LineWidthFeatureTable* GetLineWidthTable() const { return m_pTable; }
    // 32767 clears the selection; FALSE without a table, for 0 while the by-layer row is hidden and for a
    // number without a row.
    BOOL SetLineWidthNo(short nNumber);
    // The selected number, 32767 without a table.
    short GetLineWidthNo() const;
    BOOL SetLayerLineWidthNo(short nNumber);
    int GetLayerLineWidthNo() const { return m_nLayerNo; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static constexpr UINT kChooseMessage = 9;

protected:
    // The list's own CBN_SELCHANGE and CBN_DROPDOWN, before the parent hears them once.
    afx_msg BOOL OnSelChangeReflect();
    afx_msg BOOL OnDropDownReflect();
    // A row was chosen; the number has been read. The current-value combos write it to the document.
    virtual void OnSelectionChanged() {}
    // Message 9: sets the number and tells the owner CBN_CLOSEUP then CBN_SELENDOK.
    virtual LRESULT OnChoose(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChooseMsg(WPARAM wParam, LPARAM lParam);
    void ReadSelection();

    const LineWidthFeatureTable* m_pTable = nullptr;
    int m_nNumber = 0;
    int m_nLayerNo = 1;
    BOOL m_bShowByLayer = TRUE;

    DECLARE_MESSAGE_MAP()
};
