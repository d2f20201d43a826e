#pragma once
// The line-type chooser: an owner-drawn drop-down list (CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
// CBS_HASSTRINGS) of the document's line types, each row painted from the table, optionally starting
// with the by-layer entry (number 0) that shows the current layer's line type. Row i is table entry i
// with the by-layer entry, i + 1 without it.

#include "platform/win/CComboBox.h"

class LineTypeFeatureTable;

class CSelectLineTypeComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CSelectLineTypeComboBox)
public:
    CSelectLineTypeComboBox();
    ~CSelectLineTypeComboBox() override;

    // Refills the list; TRUE (also without a table, which empties it).
    BOOL SetLineTypeTable(const LineTypeFeatureTable* pTable, BOOL bShowByLayer);
    const LineTypeFeatureTable* GetLineTypeTable() const { return m_pTable; }
    // 32767 clears the selection, 0 selects the by-layer row (while shown); FALSE without a table, for 0
    // while the by-layer row is hidden and for a number the table lacks.
    BOOL SetLineTypeNo(short nNumber);
    // The selected number, 32767 without a table.
    short GetLineTypeNo() const;
    // The line type of the by-layer row; 32767 when the table lacks it. FALSE without a table.
    BOOL SetLayerLineTypeNo(short nNumber);
    int GetLayerLineTypeNo() const { return m_nLayerNo; }
    int GetNameWidth() const { return m_nNameWidth; }
    // The number of a list row, 32767 for none or a row outside the table.
    int RowToNumber(int nRow) const;
    // The list row of a table position, -1 for none.
    int IndexToRow(int nIndex) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // The list's own CBN_SELCHANGE and CBN_DROPDOWN, before the parent hears them once.
    afx_msg BOOL OnSelChangeReflect();
    afx_msg BOOL OnDropDownReflect();
    // A row was chosen; the number has been read. The current-value combos write it to the document.
    virtual void OnSelectionChanged() {}
    // Reads the selected row into the number.
    void ReadSelection();
    void UpdateNameWidth();

    const LineTypeFeatureTable* m_pTable = nullptr;
    int m_nNumber = 0;
    int m_nLayerNo = 1;
    BOOL m_bShowByLayer = TRUE;
    int m_nNameWidth = 0;

    DECLARE_MESSAGE_MAP()
};
