#include "controls/CKcToolbarCustomComboBoxButton.h"

#include "platform/afx/CArchive.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/win/CMenu.h"

IMPLEMENT_SERIAL(CKcToolbarCustomComboBoxButton, CBCGPToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CKcToolbarCustomComboBoxButton::CKcToolbarCustomComboBoxButton() = default;

CKcToolbarCustomComboBoxButton::CKcToolbarCustomComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CBCGPToolbarComboBoxButton(uiID, iImage, dwStyle, iWidth)
{
}

CKcToolbarCustomComboBoxButton::~CKcToolbarCustomComboBoxButton() = default;

void CKcToolbarCustomComboBoxButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarComboBoxButton::CopyFrom(src);
    const auto* pSrc = DYNAMIC_DOWNCAST(CKcToolbarCustomComboBoxButton, const_cast<CBCGPToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    m_strTextA = pSrc->m_strTextA;
    m_strToolTip = pSrc->m_strToolTip;
    m_strTextC = pSrc->m_strTextC;
    m_bEnabled = pSrc->m_bEnabled;
}

void CKcToolbarCustomComboBoxButton::Serialize(CArchive& ar)
{
    CBCGPToolbarComboBoxButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(1) << m_strTextC << m_strToolTip << m_strTextA;
        return;
    }
    WORD version = 0;
    ar >> version;
    if (version != 1)
        return;
    CString textC, tip, textA;
    ar >> textC >> tip >> textA;
    m_strTextC = textC;
    m_strToolTip = tip;
    m_strTextA = textA;
}

BOOL CKcToolbarCustomComboBoxButton::OnGetCustomToolTipText(CString& strTipText)
{
    strTipText = m_strToolTip;
    return TRUE;
}

BOOL CKcToolbarCustomComboBoxButton::OnCustomizeMenu(CMenu* pPopup)
{
    if (pPopup == nullptr)
        return TRUE;
    for (UINT id : {ID_CUSTOMIZE_BUTTON_RESET, ID_CUSTOMIZE_BUTTON_COPY_IMAGE, ID_CUSTOMIZE_BUTTON_IMAGE_ONLY,
                    ID_CUSTOMIZE_BUTTON_TEXT_ONLY, ID_CUSTOMIZE_BUTTON_IMAGE_AND_TEXT, ID_CUSTOMIZE_BUTTON_BEGIN_GROUP})
        pPopup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}
