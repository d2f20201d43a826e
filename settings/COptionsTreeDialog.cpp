#include "settings/COptionsTreeDialog.h"

#include "settings/OptionsServices.h"
#include "settings/SettingsDialogSupport.h"

int COptionsTreeDialog::s_nLastPage = 0;

BEGIN_MESSAGE_MAP(COptionsTreeDialog, CTreeDialog)
ON_NOTIFY(TVN_SELCHANGED, CTreeDialog::kTreeId, &COptionsTreeDialog::OnPageChanged)
END_MESSAGE_MAP()

COptionsTreeDialog::COptionsTreeDialog(const ColorFeatureTable* pColors, int nStartPage)
    : CTreeDialog(nullptr, FALSE), m_general(pColors), m_cursor(pColors), m_snapAppearance(pColors)
{
    if (nStartPage != 0)
        s_nLastPage = nStartPage;
}

COptionsTreeDialog::~COptionsTreeDialog() = default;

CQZ2PropertyPage* COptionsTreeDialog::PageOf(int nPage)
{
    CQZ2PropertyPage* const pages[8] = {&m_general,   &m_cursor,   &m_snap,  &m_snapAppearance,
                                        &m_selection, &m_fileSave, &m_input, &m_update};
    return nPage >= 1 && nPage <= 8 ? pages[nPage - 1] : nullptr;
}

int COptionsTreeDialog::NumberOf(const CQZ2PropertyPage* pPage) const
{
    for (int n = 1; n <= 8; ++n)
        if (const_cast<COptionsTreeDialog*>(this)->PageOf(n) == pPage)
            return n;
    return 0;
}

BOOL COptionsTreeDialog::OnInitDialog()
{
    CTreeDialog::OnInitDialog();
    const OptionsServices& services = OptionsServices::Get();
    const CString language = services.pfnGetLanguageCode != nullptr ? services.pfnGetLanguageCode() : CString();
    m_bJapanese = language.CompareNoCase(_T("JPN")) == 0;

    AddPage(&m_general, LoadSettingsString(10327), 0, 1);
    AddPage(&m_cursor, LoadSettingsString(10328), 0, 1);
    HTREEITEM hSnap = AddPage(&m_snap, LoadSettingsString(10329), 0, 1);
    AddPage(&m_snapAppearance, LoadSettingsString(10330), 0, 1, hSnap);
    AddPage(&m_selection, LoadSettingsString(10331), 0, 1);
    // The tree shows input before file save; the page numbers have file save first.
    AddPage(&m_input, LoadSettingsString(10332), 0, 1);
    AddPage(&m_fileSave, LoadSettingsString(10333), 0, 1);
    if (m_bJapanese)
        AddPage(&m_update, LoadSettingsString(11541), 0, 1);

    int start = s_nLastPage;
    if (start < pageCursor || start > pageUpdate || (start == pageUpdate && !m_bJapanese))
        start = pageGeneral;
    SelectPage(PageOf(start));
    if (hSnap != nullptr)
        m_tree.Expand(hSnap, TVE_EXPAND);
    SetWindowText(LoadSettingsString(kTitle));
    return TRUE;
}

void COptionsTreeDialog::OnPageChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    CTreeDialog::OnSelChanged(pNMHDR, pResult);
    const auto* pInfo = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    const auto* pLeft =
        pInfo->itemOld.hItem != nullptr ? reinterpret_cast<CQZ2PropertyPage*>(m_tree.GetItemData(pInfo->itemOld.hItem))
                                        : nullptr;
    // The previews of the other pages follow what the page left sets.
    if (pLeft == &m_cursor) {
        m_snapAppearance.m_PreviewCursorColor = m_cursor.m_CursorColor;
        m_snapAppearance.m_PreviewSnapBoxSize = m_cursor.m_SnapBoxSize;
        m_snapAppearance.m_PreviewSnapBoxVisible = m_cursor.m_SnapBoxVisible;
    } else if (pLeft == &m_general) {
        m_cursor.m_PreviewPaperColor = m_general.m_PaperColor;
        m_snapAppearance.m_PreviewPaperColor = m_general.m_PaperColor;
    }
    if (const int shown = NumberOf(GetCurrentPage()); shown != 0)
        m_nShownPage = shown;
    // The preview now shown may have been drawn before the hand-over.
    for (CButton* pPreview : {&m_cursor.m_preview, &m_snapAppearance.m_preview})
        if (pPreview->GetSafeHwnd() != nullptr)
            pPreview->Invalidate(FALSE);
}

INT_PTR COptionsTreeDialog::DoModal()
{
    m_nShownPage = 0;
    const INT_PTR result = CTreeDialog::DoModal();
    if (m_nShownPage != 0)
        s_nLastPage = m_nShownPage;
    return result;
}

