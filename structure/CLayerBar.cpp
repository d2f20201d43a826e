#include "structure/CLayerBar.h"

#include "libs/vevure/NotifyInfoBase.h"

IMPLEMENT_DYNCREATE(CLayerBar, CBCGPDockingControlBar)

CLayerBar::CLayerBar() = default;

CLayerBar::~CLayerBar() = default;

void CLayerBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
}
