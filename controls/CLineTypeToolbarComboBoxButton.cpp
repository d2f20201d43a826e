#include "controls/CLineTypeToolbarComboBoxButton.h"

#include "controls/CSelectCurrentLineTypeComboBox.h"
#include "libs/vevure/NotifyInfoBase.h"

IMPLEMENT_SERIAL(CLineTypeToolbarComboBoxButton, CCurrentAttributeToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CLineTypeToolbarComboBoxButton::CLineTypeToolbarComboBoxButton() : CCurrentAttributeToolbarComboBoxButton(kCommandId, kDefaultWidth) {}
CLineTypeToolbarComboBoxButton::~CLineTypeToolbarComboBoxButton() = default;

CSelectCurrentLineTypeComboBox* CLineTypeToolbarComboBoxButton::GetCurrentCombo() const { return static_cast<CSelectCurrentLineTypeComboBox*>(m_pWndCombo); }

CComboBox* CLineTypeToolbarComboBoxButton::NewCombo() const { return new CSelectCurrentLineTypeComboBox; }

void CLineTypeToolbarComboBoxButton::BindCombo(Draw2dDocument* pDocument) { GetCurrentCombo()->SetDocument(pDocument); }

void CLineTypeToolbarComboBoxButton::RefreshCombo(const NotifyInfoBase* pInfo)
{
    if (pInfo->GetKind() == NotifyInfoBase::kindCurrentAttribute)
        GetCurrentCombo()->Refresh();
    else
        GetCurrentCombo()->RebuildList();
}

BOOL CLineTypeToolbarComboBoxButton::IsUpdateNeeded(const NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    const int code = pInfo->GetCode();
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindDocument: return code == 1;
    case NotifyInfoBase::kindLayer: return TRUE;
    case NotifyInfoBase::kindLineTypeTable: return code == 1 || code == 2 || code == 3 || code == 5;
    case NotifyInfoBase::kindCurrentAttribute: return code == 2;
    default: return FALSE;
    }
}
