#include "controls/CLineWidthToolbarComboBoxButton.h"

#include "controls/ControlsServices.h"
#include "controls/CSelectCurrentLineWidthComboBox.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_SERIAL(CLineWidthToolbarComboBoxButton, CQZ2ToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CLineWidthToolbarComboBoxButton::CLineWidthToolbarComboBoxButton() : CQZ2ToolbarComboBoxButton(kCommandId, -1, 0x213, kDefaultWidth) {}
CLineWidthToolbarComboBoxButton::~CLineWidthToolbarComboBoxButton() = default;

CSelectCurrentLineWidthComboBox* CLineWidthToolbarComboBoxButton::GetCurrentCombo() const { return static_cast<CSelectCurrentLineWidthComboBox*>(m_pWndCombo); }

CComboBox* CLineWidthToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CSelectCurrentLineWidthComboBox;
    if (!pCombo->Create(m_dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    pCombo->SetWindowText(u"LineWidth");
    return pCombo;
}

void CLineWidthToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CQZ2ToolbarComboBoxButton::OnChangeParentWnd(pWndParent);
    if (GetCurrentCombo() != nullptr) {
        GetCurrentCombo()->SetDocument(ControlsServices::GetDocument());
        Repaint();
    }
}

BOOL CLineWidthToolbarComboBoxButton::SetDocument(Draw2dDocument* pDocument)
{
    if (GetCurrentCombo() == nullptr || GetCurrentCombo()->GetSafeHwnd() == nullptr)
        return FALSE;
    GetCurrentCombo()->SetDocument(pDocument);
    Repaint();
    return TRUE;
}

void CLineWidthToolbarComboBoxButton::Repaint()
{
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->Invalidate(TRUE);
}

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

void CLineWidthToolbarComboBoxButton::OnDocumentNotify(const NotifyInfoBase* pInfo)
{
    if (!IsUpdateNeeded(pInfo) || GetCurrentCombo() == nullptr)
        return;
    if (pInfo->GetKind() == NotifyInfoBase::kindDocument)
        GetCurrentCombo()->SetDocument(pInfo->GetDocument());
    else
        GetCurrentCombo()->Refresh();
    Repaint();
}

BOOL CLineWidthToolbarComboBoxButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (GetCurrentCombo() == nullptr || GetCurrentCombo()->GetSafeHwnd() == nullptr)
        return FALSE;
    return CQZ2ToolbarComboBoxButton::OnClick(pWnd, bDelay);
}
