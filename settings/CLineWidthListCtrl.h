#pragma once
// The rows of the line width table dialog: one owner-drawn row per width number 1 and up (row r is
// number r + 1), each painted as number, sample line and width in millimetres.

#include "platform/win/CListCtrl.h"

class LineWidthFeatureTable;

class CLineWidthListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CLineWidthListCtrl)
public:
    CLineWidthListCtrl();
    ~CLineWidthListCtrl() override;

    // Refills the rows ("number:width") from the table, which is kept (not owned); no rows for a table of
    // fewer than two entries. Always TRUE.
    BOOL SetLineWidthTable(const LineWidthFeatureTable* pTable);
    const LineWidthFeatureTable* GetLineWidthTable() const { return m_pTable; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    const LineWidthFeatureTable* m_pTable = nullptr;
};
