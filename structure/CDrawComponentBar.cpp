#include "structure/CDrawComponentBar.h"

#include "libs/vevure/NotifyInfoBase.h"

IMPLEMENT_DYNCREATE(CDrawComponentBar, CBCGPDockingControlBar)

CDrawComponentBar::CDrawComponentBar() = default;

CDrawComponentBar::~CDrawComponentBar() = default;

void CDrawComponentBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
}
