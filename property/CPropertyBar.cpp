#include "property/CPropertyBar.h"

#include "libs/vevure/NotifyInfoBase.h"

IMPLEMENT_DYNCREATE(CPropertyBar, CBCGPDockingControlBar)

CPropertyBar::CPropertyBar() = default;

CPropertyBar::~CPropertyBar() = default;

void CPropertyBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
}

void CPropertyBar::ClearFeatureProperties(UINT nKind)
{
    if (nKind != 0 && nKind == m_nShownKind)
        m_nShownKind = 0;
}
