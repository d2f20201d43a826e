#include "controls/CColorToolbarComboBoxButton.h"

#include "controls/ControlsServices.h"
#include "controls/CSelectCurrentColorComboBox.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_SERIAL(CColorToolbarComboBoxButton, CQZ2ToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CColorToolbarComboBoxButton::CColorToolbarComboBoxButton() : CQZ2ToolbarComboBoxButton(kCommandId, -1, 0x213, kDefaultWidth) {}
CColorToolbarComboBoxButton::~CColorToolbarComboBoxButton() = default;

CSelectCurrentColorComboBox* CColorToolbarComboBoxButton::GetCurrentCombo() const { return static_cast<CSelectCurrentColorComboBox*>(m_pWndCombo); }

CComboBox* CColorToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CSelectCurrentColorComboBox;
    if (!pCombo->Create(m_dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    pCombo->SetWindowText(u"Color");
    return pCombo;
}

void CColorToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CQZ2ToolbarComboBoxButton::OnChangeParentWnd(pWndParent);
    if (GetCurrentCombo() != nullptr) {
        GetCurrentCombo()->SetDocument(ControlsServices::GetDocument());
        Repaint();
    }
}

BOOL CColorToolbarComboBoxButton::SetDocument(Draw2dDocument* pDocument)
{
    if (GetCurrentCombo() == nullptr || GetCurrentCombo()->GetSafeHwnd() == nullptr)
        return FALSE;
    GetCurrentCombo()->SetDocument(pDocument);
    Repaint();
    return TRUE;
}

void CColorToolbarComboBoxButton::Repaint()
{
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->Invalidate(TRUE);
}

BOOL CColorToolbarComboBoxButton::IsUpdateNeeded(const NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindDocument: return pInfo->GetCode() == 1;
    case NotifyInfoBase::kindLayer:
    case NotifyInfoBase::kindColorTable: return TRUE;
    case NotifyInfoBase::kindCurrentAttribute: return pInfo->GetCode() == 1;
    default: return FALSE;
    }
}

void CColorToolbarComboBoxButton::OnDocumentNotify(const NotifyInfoBase* pInfo)
{
    if (!IsUpdateNeeded(pInfo) || GetCurrentCombo() == nullptr)
        return;
    if (pInfo->GetKind() == NotifyInfoBase::kindDocument)
        GetCurrentCombo()->SetDocument(pInfo->GetDocument());
    else
        GetCurrentCombo()->Refresh();
    Repaint();
}

BOOL CColorToolbarComboBoxButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    (void)bDelay;
    CSelectCurrentColorComboBox* pCombo = GetCurrentCombo();
    if (pCombo == nullptr || pCombo->GetSafeHwnd() == nullptr)
        return FALSE;
    if (!IsFlatMode())
        return TRUE;
    pCombo->SetFocus();
    pCombo->DropDown();
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->InvalidateRect(&m_rect);
    return TRUE;
}
