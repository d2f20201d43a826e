#pragma once
// The property bar's list: the command framework's property list, with the bar's refresh deferred to
// the next idle update so that a burst of document changes costs one refresh.

#include "command/CPropertyListCtrl.h"

class CPropertyBar;

class CFeaturePropertyListCtrl : public CPropertyListCtrl
{
    DECLARE_DYNAMIC(CFeaturePropertyListCtrl)
public:
    enum { refreshNone = 0, refreshValues = 1, refreshRows = 2 };

    explicit CFeaturePropertyListCtrl(CPropertyBar* pOwner = nullptr);
    ~CFeaturePropertyListCtrl() override;

    // Keeps the larger request: rebuilding the rows re-reads the values too.
    void SetPendingRefresh(int nRefresh);
    int GetPendingRefresh() const { return m_nPendingRefresh; }
    // Runs what is pending now (the idle update does the same).
    void RunPendingRefresh();

protected:
    afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNoCommand();
    DECLARE_MESSAGE_MAP()

    CPropertyBar* m_pOwnerBar = nullptr;
    int m_nPendingRefresh = refreshNone;
};
