#include "controls/CKcToolbarCustomButton.h"

#include "platform/afx/CArchive.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/win/CMenu.h"
#include "platform/win/CToolTipCtrl.h"

IMPLEMENT_SERIAL(CKcToolbarCustomButton, CBCGPToolbarButton, VERSIONABLE_SCHEMA | 1)

CKcToolbarCustomButton::CKcToolbarCustomButton() = default;

CKcToolbarCustomButton::CKcToolbarCustomButton(UINT uiID, int iImage, LPCTSTR lpszText)
    : CBCGPToolbarButton(uiID, iImage, lpszText)
{
}

CKcToolbarCustomButton::~CKcToolbarCustomButton() = default;

void CKcToolbarCustomButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarButton::CopyFrom(src);
    // Toolbars hold copies of their buttons: the texts and flags go along.
    const auto* pSrc = DYNAMIC_DOWNCAST(CKcToolbarCustomButton, const_cast<CBCGPToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    m_strTextA = pSrc->m_strTextA;
    m_strToolTip = pSrc->m_strToolTip;
    m_strTextC = pSrc->m_strTextC;
    m_bStoredFlag = pSrc->m_bStoredFlag;
    m_bEnabled = pSrc->m_bEnabled;
    m_bChecked = pSrc->m_bChecked;
}

void CKcToolbarCustomButton::Serialize(CArchive& ar)
{
    CBCGPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(1) << m_strTextC << m_strToolTip << m_strTextA
           << static_cast<DWORD>(m_bStoredFlag ? 1 : 0);
        return;
    }
    WORD version = 0;
    ar >> version;
    if (version != 1)
        return;
    CString textC, tip, textA;
    DWORD flag = 0;
    ar >> textC >> tip >> textA >> flag;
    m_strTextC = textC;
    m_strToolTip = tip;
    m_strTextA = textA;
    m_bStoredFlag = flag != 0;
}

BOOL CKcToolbarCustomButton::OnUpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip, CString&)
{
    wndToolTip.AddTool(pWndParent, m_strToolTip, &m_rect, static_cast<UINT_PTR>(iButtonIndex + 1));
    return TRUE;
}

BOOL CKcToolbarCustomButton::OnGetCustomToolTipText(CString& strTipText)
{
    strTipText = m_strToolTip;
    return TRUE;
}

BOOL CKcToolbarCustomButton::OnCustomizeMenu(CMenu* pPopup)
{
    if (pPopup != nullptr)
        pPopup->EnableMenuItem(ID_CUSTOMIZE_BUTTON_RESET, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}
