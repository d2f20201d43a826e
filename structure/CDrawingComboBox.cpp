#include "structure/CDrawingComboBox.h"

#include <cstdlib>

#include "controls/DropDownPlacement.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinCtrlConstants.h"
#include "structure/CDrawingDropDownTreeCtrl.h"

IMPLEMENT_DYNAMIC(CDrawingComboBox, CFlatComboBox)

BEGIN_MESSAGE_MAP(CDrawingComboBox, CFlatComboBox)
    ON_COMMAND(CDrawingDropDownTreeCtrl::kChoiceCommand, &CDrawingComboBox::OnDropDownSelect)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SYSKEYDOWN()
    ON_WM_KEYDOWN()
    ON_WM_DESTROY()
    ON_MESSAGE(CB_SHOWDROPDOWN, &CDrawingComboBox::OnShowDropDownMessage)
    ON_MESSAGE(CB_GETDROPPEDSTATE, &CDrawingComboBox::OnGetDroppedState)
END_MESSAGE_MAP()

CDrawingComboBox::CDrawingComboBox() = default;

CDrawingComboBox::~CDrawingComboBox()
{
    DestroyDropDown();
}

void CDrawingComboBox::DestroyDropDown()
{
    if (m_pDropDown == nullptr)
        return;
    if (m_pDropDown->GetSafeHwnd() != nullptr)
        m_pDropDown->DestroyWindow();
    delete m_pDropDown;
    m_pDropDown = nullptr;
}

BOOL CDrawingComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle = (dwStyle & ~static_cast<DWORD>(CBS_DROPDOWN | CBS_SIMPLE)) | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
              CBS_HASSTRINGS;
    return CFlatComboBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CDrawingComboBox::SetSelection(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout)
{
    m_nDrawingID = pDrawing != nullptr ? pDrawing->GetDrawingID() : -1;
    m_nLayoutID = pLayout != nullptr ? pLayout->GetLayoutID() : -1;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

BOOL CDrawingComboBox::GetSelection(const DrawingFeatureBase*& pDrawing, const PartDrawingLayout*& pLayout) const
{
    pDrawing = m_pDocument != nullptr && m_nDrawingID >= 0 ? m_pDocument->GetDrawingFeatureByID(m_nDrawingID) : nullptr;
    pLayout = m_pDocument != nullptr && m_nLayoutID >= 0 ? m_pDocument->GetPartLayoutByID(m_nLayoutID) : nullptr;
    return TRUE;
}

CString CDrawingComboBox::GetSelectionText() const
{
    const DrawingFeatureBase* pDrawing = nullptr;
    const PartDrawingLayout* pLayout = nullptr;
    GetSelection(pDrawing, pLayout);
    if (pLayout != nullptr)
        return pLayout->GetLayoutName();
    if (pDrawing != nullptr)
        return pDrawing->GetDrawingName();
    return CString();
}

void CDrawingComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CFont* pFont = GetFont();
    LOGFONT lf{};
    if (pFont != nullptr && pFont->GetLogFont(&lf) && lf.lfHeight != 0)
        lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::abs(lf.lfHeight) * 5 / 4);
}

void CDrawingComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const CString text = GetSelectionText();
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr || text.IsEmpty())
        return;
    const int saved = pDC->SaveDC();
    CRect rc(lpDrawItemStruct->rcItem);
    if (CFont* pFont = GetFont())
        pDC->SelectObject(pFont);
    if (!IsWindowEnabled()) {
        pDC->FillSolidRect(&rc, GetSysColor(COLOR_3DLIGHT));
        pDC->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    } else if (CWnd::GetFocus() == this && !IsDropDownVisible()) {
        pDC->FillSolidRect(&rc, GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, &rc, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->RestoreDC(saved);
}

BOOL CDrawingComboBox::IsDropDownVisible() const
{
    return m_pDropDown != nullptr && m_pDropDown->GetSafeHwnd() != nullptr && m_pDropDown->IsWindowVisible();
}

void CDrawingComboBox::ShowDropDown()
{
    if (IsDropDownVisible() || GetSafeHwnd() == nullptr)
        return;
    // Made anew at every opening: a tree kept from an earlier opening would list drawings that an
    // edit or an undo has since removed or replaced.
    if (m_pDropDown != nullptr && m_pDropDown->GetSafeHwnd() != nullptr)
        m_pDropDown->DestroyWindow();
    if (m_pDropDown == nullptr)
        m_pDropDown = new CDrawingDropDownTreeCtrl;
    if (!m_pDropDown->CreatePopup(this, m_wTreeOptions))
        return;
    if (CFont* pFont = GetFont())
        m_pDropDown->SetFont(pFont, FALSE);
    m_pDropDown->SetDocument(m_pDocument);

    CRect rcCombo;
    GetWindowRect(&rcCombo);
    const CRect rcMonitor = DropDownPlacement::MonitorRect(this);
    const CSize extent = DropDownPlacement::TreeExtent(*m_pDropDown);
    const CRect rc = DropDownPlacement::Place(rcCombo, rcMonitor, extent);
    m_pDropDown->SetWindowPos(nullptr, rc.left, rc.top, rc.Width() + 20, rc.Height() + 20,
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    m_pDropDown->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    m_pDropDown->ShowWindow(SW_SHOWNA);
    if (m_nLayoutID >= 0 && m_pDropDown->FindLayoutItem(m_nLayoutID) != nullptr)
        m_pDropDown->SelectLayoutItem(m_nLayoutID);
    else if (m_nLayoutID < 0)
        m_pDropDown->SelectDrawingItem(m_nDrawingID);
    RedrawWindow();
}

void CDrawingComboBox::HideDropDown()
{
    if (!IsDropDownVisible())
        return;
    m_pDropDown->ShowWindow(SW_HIDE);
    SetFocus();
    RedrawWindow();
}

void CDrawingComboBox::OnDropDownSelect()
{
    if (m_pDropDown != nullptr && m_pDropDown->GetSafeHwnd() != nullptr) {
        const DrawingTreeItem* pRecord = m_pDropDown->GetItemRecord(m_pDropDown->GetSelectedTreeItem());
        if (pRecord != nullptr) {
            m_nDrawingID = pRecord->nDrawingID;
            m_nLayoutID = pRecord->nLayoutID;
            OnDrawingChosen();
            CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
            if (pTarget != nullptr)
                pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELENDOK),
                                     reinterpret_cast<LPARAM>(GetSafeHwnd()));
        }
    }
    HideDropDown();
}

void CDrawingComboBox::OnLButtonDown(UINT, CPoint)
{
    // The tree stands in for the list: the combo's own list never opens.
    if (IsDropDownVisible()) {
        HideDropDown();
        return;
    }
    if (CWnd::GetFocus() != this)
        SetFocus();
    ShowDropDown();
}

void CDrawingComboBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

BOOL CDrawingComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (IsDropDownVisible()) {
            switch (pMsg->wParam) {
            case VK_RETURN:
                OnDropDownSelect();
                return TRUE;
            case VK_ESCAPE:
                HideDropDown();
                return TRUE;
            case VK_UP:
            case VK_DOWN:
            case VK_LEFT:
            case VK_RIGHT:
                m_pDropDown->PostMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
                return TRUE;
            default:
                break;
            }
        } else if (pMsg->wParam == VK_DOWN) {
            ShowDropDown();
            return TRUE;
        }
    }
    return CFlatComboBox::PreTranslateMessage(pMsg);
}

void CDrawingComboBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    MSG msg{};
    msg.hwnd = GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = nChar;
    msg.lParam = MAKELPARAM(nRepCnt, nFlags);
    if (!PreTranslateMessage(&msg))
        CFlatComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CDrawingComboBox::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsDropDownVisible() && nChar == VK_DOWN) {
        ShowDropDown();
        return;
    }
    CFlatComboBox::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CDrawingComboBox::OnDestroy()
{
    DestroyDropDown();
    CFlatComboBox::OnDestroy();
}

LRESULT CDrawingComboBox::OnShowDropDownMessage(WPARAM wParam, LPARAM)
{
    if (wParam)
        ShowDropDown();
    else
        HideDropDown();
    return TRUE;
}

LRESULT CDrawingComboBox::OnGetDroppedState(WPARAM, LPARAM)
{
    return IsDropDownVisible();
}
