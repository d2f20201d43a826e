#include "structure/CLayerComboBox.h"

#include <algorithm>

#include "command/LoadResourceString.h"
#include "controls/DropDownPlacement.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CImageList.h"
#include "platform/win/WinCtrlConstants.h"
#include "structure/CLayerDropDownTreeCtrl.h"

IMPLEMENT_DYNAMIC(CLayerComboBox, CFlatComboBox)

BEGIN_MESSAGE_MAP(CLayerComboBox, CFlatComboBox)
    ON_COMMAND(CLayerDropDownTreeCtrl::kChoiceCommand, &CLayerComboBox::OnDropDownSelect)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SYSKEYDOWN()
    ON_WM_KEYDOWN()
    ON_WM_DESTROY()
    ON_MESSAGE(CB_SHOWDROPDOWN, &CLayerComboBox::OnShowDropDownMessage)
    ON_MESSAGE(CB_GETDROPPEDSTATE, &CLayerComboBox::OnGetDroppedState)
END_MESSAGE_MAP()

CLayerComboBox::CLayerComboBox() = default;

CLayerComboBox::~CLayerComboBox()
{
    if (m_pDropDown != nullptr) {
        if (m_pDropDown->GetSafeHwnd() != nullptr)
            m_pDropDown->DestroyWindow();
        delete m_pDropDown;
        m_pDropDown = nullptr;
    }
}

BOOL CLayerComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle = (dwStyle & ~static_cast<DWORD>(CBS_DROPDOWN | CBS_SIMPLE)) | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
              CBS_HASSTRINGS;
    return CFlatComboBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CLayerComboBox::SetTreeOptions(WORD wOptions)
{
    if (wOptions == m_wTreeOptions)
        return;
    m_wTreeOptions = wOptions;
    if (m_pDropDown != nullptr)
        m_pDropDown->m_wOptions = wOptions;
}

void CLayerComboBox::SetLayerID(long nLayerID)
{
    m_nLayerID = nLayerID;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

CString CLayerComboBox::GetLayerText() const
{
    const LayerFeatureTable* pTable = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    if (pTable == nullptr)
        return CString();
    if (m_nLayerID == -1)
        return LoadResourceString(10229);
    if (m_nLayerID == 0)
        return LoadResourceString(10230);
    if (pTable->IsExistLayerID(m_nLayerID))
        return pTable->GetLayerName(m_nLayerID);
    return CString();
}

void CLayerComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    // From the font: its height and a quarter.
    CFont* pFont = GetFont();
    LOGFONT lf{};
    if (pFont != nullptr && pFont->GetLogFont(&lf) && lf.lfHeight != 0)
        lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::abs(lf.lfHeight) * 5 / 4);
}

void CLayerComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const CString text = GetLayerText();
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr || m_pDocument == nullptr)
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
    CRect rcText = rc;
    if (m_wDisplayOptions & kShowFolders) {
        const CRect box(rc.left + 2, rc.top + (rc.Height() - 16) / 2, rc.left + 18, rc.top + (rc.Height() - 16) / 2 + 16);
        const LayerFeatureTable* pTable = m_pDocument->GetLayerTable();
        if (m_nLayerID == -1 || (pTable != nullptr && pTable->IsExistLayerID(m_nLayerID) && pTable->IsGroup(m_nLayerID))) {
            CImageList images;
            if (images.Create(CLayerTreeCtrl::kImages, 16, 1, RGB(255, 0, 255)))
                images.Draw(pDC, CLayerTreeCtrl::imgFolder, box.TopLeft(), ILD_TRANSPARENT);
        }
        rcText.left = box.right + 2;
    }
    if (!text.IsEmpty())
        pDC->DrawText(text, &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->RestoreDC(saved);
}

BOOL CLayerComboBox::IsDropDownVisible() const
{
    return m_pDropDown != nullptr && m_pDropDown->GetSafeHwnd() != nullptr && m_pDropDown->IsWindowVisible();
}

void CLayerComboBox::ShowDropDown()
{
    if (IsDropDownVisible() || GetSafeHwnd() == nullptr)
        return;
    // The tree is made anew at every opening so that it shows the document as it is now.
    if (m_pDropDown != nullptr && m_pDropDown->GetSafeHwnd() != nullptr)
        m_pDropDown->DestroyWindow();
    if (m_pDropDown == nullptr)
        m_pDropDown = new CLayerDropDownTreeCtrl;
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
    m_pDropDown->SelectLayerItem(m_nLayerID);
    RedrawWindow();
}

void CLayerComboBox::HideDropDown()
{
    if (!IsDropDownVisible())
        return;
    m_pDropDown->ShowWindow(SW_HIDE);
    SetFocus();
    RedrawWindow();
}

void CLayerComboBox::OnDropDownSelect()
{
    if (m_pDropDown != nullptr && m_pDropDown->GetSafeHwnd() != nullptr) {
        if (const LayerFeature* pRecord = m_pDropDown->GetSelectedLayer()) {
            m_nLayerID = pRecord->GetLayerID();
            OnLayerChosen(m_nLayerID);
            CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
            if (pTarget != nullptr)
                pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELENDOK),
                                     reinterpret_cast<LPARAM>(GetSafeHwnd()));
        }
    }
    HideDropDown();
}

void CLayerComboBox::OnLButtonDown(UINT, CPoint)
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

void CLayerComboBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

BOOL CLayerComboBox::PreTranslateMessage(MSG* pMsg)
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

void CLayerComboBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
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

void CLayerComboBox::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsDropDownVisible() && nChar == VK_DOWN) {
        ShowDropDown();
        return;
    }
    CFlatComboBox::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CLayerComboBox::OnDestroy()
{
    if (m_pDropDown != nullptr) {
        if (m_pDropDown->GetSafeHwnd() != nullptr)
            m_pDropDown->DestroyWindow();
        delete m_pDropDown;
        m_pDropDown = nullptr;
    }
    CFlatComboBox::OnDestroy();
}

LRESULT CLayerComboBox::OnShowDropDownMessage(WPARAM wParam, LPARAM)
{
    if (wParam)
        ShowDropDown();
    else
        HideDropDown();
    return TRUE;
}

LRESULT CLayerComboBox::OnGetDroppedState(WPARAM, LPARAM)
{
    return IsDropDownVisible();
}
