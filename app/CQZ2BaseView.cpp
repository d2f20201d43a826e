#include "app/CQZ2BaseView.h"

#include "app/CQZ2TabView.h"
#include "platform/afx/CRuntimeClass.h"

IMPLEMENT_DYNAMIC(CQZ2BaseView, CView)

CQZ2BaseView::CQZ2BaseView() : m_viewType(static_cast<ViewType>(-1)) {}

CQZ2BaseView::~CQZ2BaseView() = default;

CQZ2TabView* CQZ2BaseView::GetTabView() const
{
    // The tab control's class is found by name: the tab library need not be loaded for plain views.
    const CRuntimeClass* pTabClass = CRuntimeClass::FromName("CBCGPTabWnd");
    if (pTabClass == nullptr)
        return nullptr;
    CWnd* pTabs = GetParent();
    if (pTabs != nullptr && !pTabs->IsKindOf(pTabClass))
        pTabs = pTabs->GetParent();
    if (pTabs == nullptr || !pTabs->IsKindOf(pTabClass))
        return nullptr;
    CWnd* pOwner = pTabs->GetParent();
    if (pOwner == nullptr || !pOwner->IsKindOf(RUNTIME_CLASS(CQZ2TabView)))
        return nullptr;
    return static_cast<CQZ2TabView*>(pOwner);
}

void CQZ2BaseView::OnDocumentNotify(NotifyInfoBase*) {}
