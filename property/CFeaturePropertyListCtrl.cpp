#include "property/CFeaturePropertyListCtrl.h"

#include "platform/win/WinMessages.h"
#include "property/CPropertyBar.h"

IMPLEMENT_DYNAMIC(CFeaturePropertyListCtrl, CPropertyListCtrl)

BEGIN_MESSAGE_MAP(CFeaturePropertyListCtrl, CPropertyListCtrl)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFeaturePropertyListCtrl::OnIdleUpdate)
    ON_COMMAND(152, &CFeaturePropertyListCtrl::OnNoCommand)
END_MESSAGE_MAP()

CFeaturePropertyListCtrl::CFeaturePropertyListCtrl(CPropertyBar* pOwner) : m_pOwnerBar(pOwner) {}

CFeaturePropertyListCtrl::~CFeaturePropertyListCtrl() = default;

void CFeaturePropertyListCtrl::SetPendingRefresh(int nRefresh)
{
    if (nRefresh > m_nPendingRefresh)
        m_nPendingRefresh = nRefresh;
}

void CFeaturePropertyListCtrl::RunPendingRefresh()
{
    const int nPending = m_nPendingRefresh;
    m_nPendingRefresh = refreshNone;
    if (m_pOwnerBar == nullptr || nPending == refreshNone)
        return;
    if (nPending == refreshValues)
        m_pOwnerBar->RefreshValues();
    else
        m_pOwnerBar->RebuildItemList();
}

LRESULT CFeaturePropertyListCtrl::OnIdleUpdate(WPARAM wParam, LPARAM lParam)
{
    CPropertyListCtrl::OnIdleUpdateCmdUI(wParam, lParam);
    RunPendingRefresh();
    return 0;
}

void CFeaturePropertyListCtrl::OnNoCommand() {}
