#include "structure/CTreeComboBox.h"

#include <cstdlib>

#include "controls/DropDownPlacement.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CTreeCtrl.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CTreeComboBox, CFlatComboBox)

BEGIN_MESSAGE_MAP(CTreeComboBox, CFlatComboBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SYSKEYDOWN()
    ON_WM_KEYDOWN()
    ON_WM_DESTROY()
    ON_MESSAGE(CB_SHOWDROPDOWN, &CTreeComboBox::OnShowDropDownMessage)
    ON_MESSAGE(CB_GETDROPPEDSTATE, &CTreeComboBox::OnGetDroppedState)
END_MESSAGE_MAP()

CTreeComboBox::CTreeComboBox(UINT nChoiceCommand) : m_nChoiceCommand(nChoiceCommand) {}

CTreeComboBox::~CTreeComboBox()
{
    DestroyDropDown();
}

void CTreeComboBox::DestroyDropDown()
{
    if (m_pDropDownTree == nullptr)
        return;
    if (m_pDropDownTree->GetSafeHwnd() != nullptr)
        m_pDropDownTree->DestroyWindow();
    delete m_pDropDownTree;
    m_pDropDownTree = nullptr;
}

BOOL CTreeComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle = (dwStyle & ~static_cast<DWORD>(CBS_DROPDOWN | CBS_SIMPLE)) | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
              CBS_HASSTRINGS;
    return CFlatComboBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CTreeComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    // From the font: its height and a quarter.
    CFont* pFont = GetFont();
    LOGFONT lf{};
    if (pFont != nullptr && pFont->GetLogFont(&lf) && lf.lfHeight != 0)
        lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::abs(lf.lfHeight) * 5 / 4);
}

void CTreeComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr || m_pDocument == nullptr)
        return;
    const CString text = GetValueText();
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
    CRect rcText = rc;
    rcText.left += DrawValueImage(pDC, rc);
    if (!text.IsEmpty())
        pDC->DrawText(text, &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->RestoreDC(saved);
}

BOOL CTreeComboBox::IsDropDownVisible() const
{
    return m_pDropDownTree != nullptr && m_pDropDownTree->GetSafeHwnd() != nullptr && m_pDropDownTree->IsWindowVisible();
}

void CTreeComboBox::ShowDropDown()
{
    if (IsDropDownVisible() || GetSafeHwnd() == nullptr)
        return;
    // Made anew at every opening: a tree kept from an earlier opening would list what an edit or an
    // undo has since removed or replaced.
    if (m_pDropDownTree != nullptr && m_pDropDownTree->GetSafeHwnd() != nullptr)
        m_pDropDownTree->DestroyWindow();
    CTreeCtrl* pTree = CreateDropDownTree();
    if (pTree == nullptr)
        return;
    if (CFont* pFont = GetFont())
        pTree->SetFont(pFont, FALSE);
    FillDropDownTree();

    CRect rcCombo;
    GetWindowRect(&rcCombo);
    const CRect rcMonitor = DropDownPlacement::MonitorRect(this);
    const CSize extent = DropDownPlacement::TreeExtent(*pTree);
    const CRect rc = DropDownPlacement::Place(rcCombo, rcMonitor, extent);
    pTree->SetWindowPos(nullptr, rc.left, rc.top, rc.Width() + 20, rc.Height() + 20,
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    pTree->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    pTree->ShowWindow(SW_SHOWNA);
    SelectValueInDropDown();
    RedrawWindow();
}

void CTreeComboBox::HideDropDown()
{
    if (!IsDropDownVisible())
        return;
    m_pDropDownTree->ShowWindow(SW_HIDE);
    SetFocus();
    RedrawWindow();
}

BOOL CTreeComboBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == m_nChoiceCommand && lParam == 0) {
        OnDropDownSelect();
        return TRUE;
    }
    return CFlatComboBox::OnCommand(wParam, lParam);
}

void CTreeComboBox::OnDropDownSelect()
{
    if (m_pDropDownTree != nullptr && m_pDropDownTree->GetSafeHwnd() != nullptr && TakeDropDownChoice()) {
        CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
        if (pTarget != nullptr)
            pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELENDOK), reinterpret_cast<LPARAM>(GetSafeHwnd()));
    }
    HideDropDown();
}

void CTreeComboBox::OnLButtonDown(UINT, CPoint)
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

void CTreeComboBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

BOOL CTreeComboBox::PreTranslateMessage(MSG* pMsg)
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
                m_pDropDownTree->PostMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
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

void CTreeComboBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Keys that reach the window directly are the same as those PreTranslateMessage sees.
    MSG msg{};
    msg.hwnd = GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = nChar;
    msg.lParam = MAKELPARAM(nRepCnt, nFlags);
    if (!PreTranslateMessage(&msg))
        CFlatComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CTreeComboBox::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsDropDownVisible() && nChar == VK_DOWN) {
        ShowDropDown();
        return;
    }
    CFlatComboBox::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CTreeComboBox::OnDestroy()
{
    DestroyDropDown();
    CFlatComboBox::OnDestroy();
}

LRESULT CTreeComboBox::OnShowDropDownMessage(WPARAM wParam, LPARAM)
{
    if (wParam)
        ShowDropDown();
    else
        HideDropDown();
    return TRUE;
}

LRESULT CTreeComboBox::OnGetDroppedState(WPARAM, LPARAM)
{
    return IsDropDownVisible();
}
