#include "controls/CCurrentAttributeToolbarComboBoxButton.h"

#include "controls/ControlsServices.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CCurrentAttributeToolbarComboBoxButton, CQZ2ToolbarComboBoxButton)

CCurrentAttributeToolbarComboBoxButton::CCurrentAttributeToolbarComboBoxButton(UINT nCommandId, int nWidth)
    : CQZ2ToolbarComboBoxButton(nCommandId, -1, 0x213, nWidth)
{
}

CCurrentAttributeToolbarComboBoxButton::~CCurrentAttributeToolbarComboBoxButton() = default;

CComboBox* CCurrentAttributeToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    CComboBox* pCombo = NewCombo();
    if (!pCombo->Create(m_dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    pCombo->SetWindowText(GetComboName());
    return pCombo;
}

void CCurrentAttributeToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CQZ2ToolbarComboBoxButton::OnChangeParentWnd(pWndParent);
    if (m_pWndCombo != nullptr) {
        BindCombo(ControlsServices::GetDocument());
        Repaint();
    }
}

BOOL CCurrentAttributeToolbarComboBoxButton::SetDocument(Draw2dDocument* pDocument)
{
    if (!HasComboWindow())
        return FALSE;
    BindCombo(pDocument);
    Repaint();
    return TRUE;
}

void CCurrentAttributeToolbarComboBoxButton::OnDocumentNotify(const NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr || !ConcernsField(pInfo) || m_pWndCombo == nullptr)
        return;
    if (pInfo->GetKind() == NotifyInfoBase::kindDocument)
        BindCombo(pInfo->GetDocument());
    else
        RefreshCombo(pInfo);
    Repaint();
}

BOOL CCurrentAttributeToolbarComboBoxButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (!HasComboWindow())
        return FALSE;
    return CQZ2ToolbarComboBoxButton::OnClick(pWnd, bDelay);
}

BOOL CCurrentAttributeToolbarComboBoxButton::HasComboWindow() const
{
    return m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr;
}

void CCurrentAttributeToolbarComboBoxButton::Repaint()
{
    if (HasComboWindow())
        m_pWndCombo->Invalidate(TRUE);
}
