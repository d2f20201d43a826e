#include "controls/CSelectColorComboBox.h"

#include "controls/CSelectColorWnd.h"
#include "controls/ControlsServices.h"
#include "controls/SamplePainters.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "platform/bcg/CBCGPColorDialog.h"
#include "platform/gdi/CDC.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CSelectColorComboBox, CFlatComboBox)

BEGIN_MESSAGE_MAP(CSelectColorComboBox, CFlatComboBox)
    ON_MESSAGE(CSelectColorWnd::kChosenMessage, &CSelectColorComboBox::OnColorChosenMsg)
    ON_MESSAGE(CSelectColorWnd::kCancelMessage, &CSelectColorComboBox::OnColorCancel)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSelectColorComboBox::CSelectColorComboBox(BOOL bShowNumber, BOOL bShowName, BOOL bUserColorMode, BOOL bLayerButton)
    : m_bShowNumber(bShowNumber), m_bShowName(bShowName), m_bUserColorMode(bUserColorMode),
      m_bLayerButton(bLayerButton)
{
}

CSelectColorComboBox::~CSelectColorComboBox() { ClosePopup(); }

BOOL CSelectColorComboBox::SetColorTable(const ColorFeatureTable* pTable)
{
    m_pTable = pTable;
    if (pTable == nullptr) {
        m_nColorNo = 32767;
        m_nLayerColorNo = 32767;
    }
    return TRUE;
}

short CSelectColorComboBox::GetColorNo() const
{
    return m_pTable == nullptr ? static_cast<short>(32767) : static_cast<short>(m_nColorNo);
}

BOOL CSelectColorComboBox::SetColorNo(short nNumber)
{
    if (m_pTable == nullptr)
        return FALSE;
    m_nColorNo = nNumber;
    Repaint();
    return TRUE;
}

BOOL CSelectColorComboBox::SetLayerColorNo(short nNumber)
{
    if (m_pTable == nullptr)
        return FALSE;
    m_nLayerColorNo = (m_bLayerButton && nNumber != 32767) ? nNumber : 32767;
    return TRUE;
}

short CSelectColorComboBox::GetColor(COLORREF& rgb) const
{
    rgb = static_cast<COLORREF>(-1);
    if (m_pTable == nullptr)
        return 32767;
    if (m_nColorNo == -1)
        rgb = m_userColor;
    else if (m_nColorNo >= 1 && m_nColorNo <= 256)
        rgb = m_pTable->GetColorRef(static_cast<short>(m_nColorNo));
    else if (m_nColorNo == 0 && m_nLayerColorNo != 32767)
        rgb = m_pTable->GetColorRef(static_cast<short>(m_nLayerColorNo));
    return static_cast<short>(m_nColorNo);
}

void CSelectColorComboBox::SetColorRef(COLORREF rgb)
{
    if (m_pTable == nullptr)
        return;
    short found = m_pTable->FindColorNumberByRef(rgb);
    if (found < 0)
        found = -1;
    m_userColor = rgb;
    m_nColorNo = found;
    Repaint();
}

void CSelectColorComboBox::Repaint()
{
    if (GetSafeHwnd() != nullptr)
        OnSetFocusReflect();
}

void CSelectColorComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr)
        return;
    const BOOL bSelected = GetSafeHwnd() != nullptr && GetFocus() == this && m_pPopup == nullptr && m_bFocusHighlight;
    const BOOL bDisabled = !bSelected && (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    ColorFeature userColor;
    const ColorFeature* pColor = nullptr;
    if (m_pTable != nullptr) {
        // A user colour shows its swatch whatever the layer colour is.
        if (m_nColorNo == -1) {
            userColor = ColorFeature(-1, m_userColor, ControlsServices::LoadString(10372));
            pColor = &userColor;
        } else if (m_nColorNo == 0) {
            if (m_nLayerColorNo != 32767)
                pColor = m_pTable->GetColor(static_cast<short>(m_nLayerColorNo));
        } else if (m_nColorNo != 32767) {
            pColor = m_pTable->GetColor(static_cast<short>(m_nColorNo));
        }
    }
    const int number = m_pTable != nullptr ? m_nColorNo : 32767;
    DrawColorItem(pDC, GetFont(), &lpDrawItemStruct->rcItem, number, pColor, bSelected, bDisabled, bSelected,
                  m_bShowNumber, m_bShowName, TRUE, FALSE);
}

BOOL CSelectColorComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd || (GetSafeHwnd() != nullptr && ::GetParent(pMsg->hwnd) == m_hWnd)) {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_pPopup != nullptr) {
            m_pPopup->EndSelection(-2);
            return TRUE;
        }
        // The palette takes the place of the list: the combo's own list never opens.
        if ((pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DOWN) || pMsg->message == WM_LBUTTONDOWN ||
            pMsg->message == WM_LBUTTONDBLCLK) {
            if (m_pPopup == nullptr) {
                SetFocus();
                DropDown();
            }
            return TRUE;
        }
    }
    return CFlatComboBox::PreTranslateMessage(pMsg);
}

BOOL CSelectColorComboBox::DropDown()
{
    // The palette reads every cell from the table.
    if (m_pTable == nullptr || GetSafeHwnd() == nullptr || m_pPopup != nullptr)
        return FALSE;
    CRect rect;
    GetWindowRect(&rect);
    auto* pPopup = new CSelectColorWnd(TRUE);
    pPopup->SetCurrentNo(m_nColorNo);
    pPopup->SetLayerColorNo(m_nLayerColorNo);
    pPopup->SetLayerButton(m_bLayerButton);
    pPopup->SetShowNumber(m_bShowNumber);
    pPopup->SetShowName(m_bShowName);
    pPopup->SetUserColorMode(m_bUserColorMode);
    if (!pPopup->Create(rect, this, 0, m_pTable)) {
        delete pPopup;
        return FALSE;
    }
    pPopup->SetOwner(this);
    m_pPopup = pPopup;
    Repaint();
    return TRUE;
}

void CSelectColorComboBox::ClosePopup()
{
    CSelectColorWnd* pPopup = m_pPopup;
    m_pPopup = nullptr;
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        pPopup->DestroyWindow();
}

LRESULT CSelectColorComboBox::OnColorChosenMsg(WPARAM wParam, LPARAM lParam) { return OnColorChosen(wParam, lParam); }

INT_PTR CSelectColorComboBox::RunColorDialog(COLORREF& rgb)
{
    CBCGPColorDialog dialog(m_userColor, 0, this);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        rgb = dialog.GetColor();
    return result;
}

LRESULT CSelectColorComboBox::OnColorChosen(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    const int number = static_cast<int>(static_cast<INT_PTR>(wParam));
    if (number != -1) {
        if (m_pTable != nullptr) {
            m_nColorNo = number;
            Repaint();
        }
        NotifyOwner(CBN_CLOSEUP);
        NotifyOwner(CBN_SELENDOK);
        m_nColorNo = number;
        m_pPopup = nullptr;
    } else {
        if (m_pPopup != nullptr && m_pPopup->GetSafeHwnd() != nullptr)
            m_pPopup->ShowWindow(SW_HIDE);
        m_pPopup = nullptr;
        COLORREF rgb = m_userColor;
        const INT_PTR result = RunColorDialog(rgb);
        if (result == IDOK) {
            m_userColor = rgb;
            SetColorNo(-1);
        }
        NotifyOwner(CBN_CLOSEUP);
        if (result == IDOK)
            NotifyOwner(CBN_SELENDOK);
    }
    Repaint();
    return 0;
}

LRESULT CSelectColorComboBox::OnColorCancel(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    m_pPopup = nullptr;
    NotifyOwner(CBN_CLOSEUP);
    Repaint();
    return 0;
}

void CSelectColorComboBox::OnSetFocus(CWnd* pOldWnd)
{
    CFlatComboBox::OnSetFocus(pOldWnd);
    Repaint();
}

void CSelectColorComboBox::OnKillFocus(CWnd* pNewWnd)
{
    CFlatComboBox::OnKillFocus(pNewWnd);
    m_pPopup = nullptr;
    Repaint();
}

void CSelectColorComboBox::OnDestroy()
{
    ClosePopup();
    CFlatComboBox::OnDestroy();
}
