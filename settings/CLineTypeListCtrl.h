#pragma once
// The rows of the line type table dialog: one owner-drawn row per line type after the by-layer entry
// (row r is table position r + 1), each painted as a dash sample with the name, then the segment lengths
// in ten columns; a line under the fixed line types parts them from the user's.

#include "platform/win/CListCtrl.h"

class LineTypeFeatureTable;

class CLineTypeListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CLineTypeListCtrl)
public:
    CLineTypeListCtrl();
    ~CLineTypeListCtrl() override;

    // Refills the rows (their text is the name) from the table, kept and not owned. Always TRUE.
    BOOL SetLineTypeTable(const LineTypeFeatureTable* pTable);
    const LineTypeFeatureTable* GetLineTypeTable() const { return m_pTable; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    const LineTypeFeatureTable* m_pTable = nullptr;
    int m_nMaxNameWidth = 0;
    BOOL m_bMaxNameWidthValid = FALSE;
};
