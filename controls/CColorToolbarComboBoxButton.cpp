#include "controls/CColorToolbarComboBoxButton.h"

#include "controls/CSelectCurrentColorComboBox.h"
#include "libs/vevure/NotifyInfoBase.h"

IMPLEMENT_SERIAL(CColorToolbarComboBoxButton, CCurrentAttributeToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CColorToolbarComboBoxButton::CColorToolbarComboBoxButton() : CCurrentAttributeToolbarComboBoxButton(kCommandId, kDefaultWidth) {}
CColorToolbarComboBoxButton::~CColorToolbarComboBoxButton() = default;

CSelectCurrentColorComboBox* CColorToolbarComboBoxButton::GetCurrentCombo() const { return static_cast<CSelectCurrentColorComboBox*>(m_pWndCombo); }

CComboBox* CColorToolbarComboBoxButton::NewCombo() const { return new CSelectCurrentColorComboBox; }

void CColorToolbarComboBoxButton::BindCombo(Draw2dDocument* pDocument) { GetCurrentCombo()->SetDocument(pDocument); }

void CColorToolbarComboBoxButton::RefreshCombo(const NotifyInfoBase*) { GetCurrentCombo()->Refresh(); }

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

BOOL CColorToolbarComboBoxButton::OnClick(CWnd* pWnd, BOOL)
{
    if (!HasComboWindow())
        return FALSE;
    if (!IsFlatMode())
        return TRUE;
    GetCurrentCombo()->SetFocus();
    GetCurrentCombo()->DropDown();
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->InvalidateRect(&m_rect);
    return TRUE;
}
