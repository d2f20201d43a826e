#include "controls/CLineWidthToolbarComboBoxButton.h"

#include "controls/CSelectCurrentLineWidthComboBox.h"
#include "libs/vevure/NotifyInfoBase.h"

IMPLEMENT_SERIAL(CLineWidthToolbarComboBoxButton, CCurrentAttributeToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CLineWidthToolbarComboBoxButton::CLineWidthToolbarComboBoxButton() : CCurrentAttributeToolbarComboBoxButton(kCommandId, kDefaultWidth) {}
CLineWidthToolbarComboBoxButton::~CLineWidthToolbarComboBoxButton() = default;

CSelectCurrentLineWidthComboBox* CLineWidthToolbarComboBoxButton::GetCurrentCombo() const { return static_cast<CSelectCurrentLineWidthComboBox*>(m_pWndCombo); }

CComboBox* CLineWidthToolbarComboBoxButton::NewCombo() const { return new CSelectCurrentLineWidthComboBox; }

void CLineWidthToolbarComboBoxButton::BindCombo(Draw2dDocument* pDocument) { GetCurrentCombo()->SetDocument(pDocument); }

void CLineWidthToolbarComboBoxButton::RefreshCombo(const NotifyInfoBase*) { GetCurrentCombo()->Refresh(); }

BOOL CLineWidthToolbarComboBoxButton::IsUpdateNeeded(const NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindDocument: return pInfo->GetCode() == 1;
    case NotifyInfoBase::kindLayer:
    case NotifyInfoBase::kindLineWidthTable: return TRUE;
    case NotifyInfoBase::kindCurrentAttribute: return pInfo->GetCode() == 3;
    default: return FALSE;
    }
}
