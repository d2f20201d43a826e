#pragma once
// The drawing table tab of a document window: the document's papers in order. It is no drawing view of
// ours (it has no view kind); document changes reach it as WM_NOTIFY records.

#include <vector>

#include "platform/win/CView.h"

class CDrawingTableView : public CView
{
    DECLARE_DYNCREATE(CDrawingTableView)
public:
    CDrawingTableView();
    ~CDrawingTableView() override;

    // The papers listed, by drawing id, in the document's order.
    int GetPaperCount() const { return static_cast<int>(m_paperIDs.size()); }
    long GetPaperID(int nIndex) const;

    void OnInitialUpdate() override;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void LoadPapers();

    std::vector<long> m_paperIDs;
};
