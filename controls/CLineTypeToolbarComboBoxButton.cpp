#include "controls/CLineTypeToolbarComboBoxButton.h"

#include "controls/ControlsServices.h"
#include "controls/CSelectCurrentLineTypeComboBox.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_SERIAL(CLineTypeToolbarComboBoxButton, CQZ2ToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CLineTypeToolbarComboBoxButton::CLineTypeToolbarComboBoxButton() : CQZ2ToolbarComboBoxButton(kCommandId, -1, 0x213, kDefaultWidth) {}
CLineTypeToolbarComboBoxButton::~CLineTypeToolbarComboBoxButton() = default;

CSelectCurrentLineTypeComboBox* CLineTypeToolbarComboBoxButton::GetCurrentCombo() const { return static_cast<CSelectCurrentLineTypeComboBox*>(m_pWndCombo); }

CComboBox* CLineTypeToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CSelectCurrentLineTypeComboBox;
    if (!pCombo->Create(m_dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    pCombo->SetWindowText(u"LineType");
    return pCombo;
}

void CLineTypeToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CQZ2ToolbarComboBoxButton::OnChangeParentWnd(pWndParent);
    if (GetCurrentCombo() != nullptr) {
        GetCurrentCombo()->SetDocument(ControlsServices::GetDocument());
        Repaint();
    }
}

BOOL CLineTypeToolbarComboBoxButton::SetDocument(Draw2dDocument* pDocument)
{
    if (GetCurrentCombo() == nullptr || GetCurrentCombo()->GetSafeHwnd() == nullptr)
        return FALSE;
    GetCurrentCombo()->SetDocument(pDocument);
    Repaint();
    return TRUE;
}

void CLineTypeToolbarComboBoxButton::Repaint()
{
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->Invalidate(TRUE);
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

void CLineTypeToolbarComboBoxButton::OnDocumentNotify(const NotifyInfoBase* pInfo)
{
    if (!IsUpdateNeeded(pInfo) || GetCurrentCombo() == nullptr)
        return;
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindDocument: GetCurrentCombo()->SetDocument(pInfo->GetDocument()); break;
    case NotifyInfoBase::kindCurrentAttribute: GetCurrentCombo()->Refresh(); break;
    default: GetCurrentCombo()->RebuildList(); break;
    }
    Repaint();
}

BOOL CLineTypeToolbarComboBoxButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (GetCurrentCombo() == nullptr || GetCurrentCombo()->GetSafeHwnd() == nullptr)
        return FALSE;
    return CQZ2ToolbarComboBoxButton::OnClick(pWnd, bDelay);
}
