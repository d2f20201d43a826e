#include "structure/CDrawingBar.h"

#include "libs/vevure/NotifyInfoBase.h"

IMPLEMENT_DYNCREATE(CDrawingBar, CBCGPDockingControlBar)

CDrawingBar::CDrawingBar() = default;

CDrawingBar::~CDrawingBar() = default;

void CDrawingBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
}
