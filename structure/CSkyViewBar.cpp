#include "structure/CSkyViewBar.h"

#include "libs/vevure/NotifyInfoBase.h"

IMPLEMENT_DYNCREATE(CSkyViewBar, CBCGPDockingControlBar)

CSkyViewBar::CSkyViewBar() = default;

CSkyViewBar::~CSkyViewBar() = default;

void CSkyViewBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
}

void CSkyViewBar::InvalidateView()
{
    ++m_nRedrawCount;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CSkyViewBar::UpdateView(int, int*)
{
    InvalidateView();
}
