#include "commands/edit/CFeatureSelectionColorPropertyPage.h"

#include "libs/vevure/ColorFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinMessages.h"

BEGIN_MESSAGE_MAP(CFeatureSelectionColorPropertyPage, CFeatureSelectionPropertyPage)
    ON_CLBN_CHKCHANGE(CFeatureSelectionColorPropertyPage::kControl, &CFeatureSelectionColorPropertyPage::OnCheckChanged)
END_MESSAGE_MAP()

CFeatureSelectionColorPropertyPage::CFeatureSelectionColorPropertyPage() : CFeatureSelectionPropertyPage(IDD) {}
CFeatureSelectionColorPropertyPage::~CFeatureSelectionColorPropertyPage() = default;

void CFeatureSelectionColorPropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetColorFilter();
}

void CFeatureSelectionColorPropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetColorFilter() = m_filter;
}

void CFeatureSelectionColorPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSelectionPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kControl, m_list);
}

BOOL CFeatureSelectionColorPropertyPage::OnInitDialog()
{
    CFeatureSelectionPropertyPage::OnInitDialog();
    if (m_pDocument != nullptr) {
        for (short no : m_pDocument->GetUsedFeatureColorNoMap()) {
            CString text;
            text.Format(_T("%d"), no);
            const int at = m_list.AddString(text);
            m_list.SetItemData(at, static_cast<DWORD_PTR>(static_cast<unsigned short>(no)));
            m_list.SetCheck(at, (m_filter.GetColorFilter(no) != 0) ? 1 : 0);
            if (const ColorFeatureTable* pColors = m_pDocument->GetColorFeatureTable()) { if (const ColorFeature* pColor = pColors->GetColor(no)) m_list.SetItemColor(at, pColor->GetColorRef()); }
        }
    }
    // Nothing used: nothing to choose.
    const BOOL bAny = m_list.GetCount() > 0;
    m_list.EnableWindow(bAny);
    for (int id : {kCheckAll, kUncheckAll})
        if (CWnd* pButton = GetDlgItem(id))
            pButton->EnableWindow(bAny);
    return TRUE;
}

void CFeatureSelectionColorPropertyPage::OnOK()
{
    m_filter.ClearAllColorFilters();
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            m_filter.SetColorFilter(static_cast<short>(static_cast<unsigned short>(m_list.GetItemData(i))), TRUE);
    CFeatureSelectionPropertyPage::OnOK();
}

void CFeatureSelectionColorPropertyPage::SetAllChecks(BOOL bCheck)
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        m_list.SetCheck(i, bCheck ? 1 : 0);
}

BOOL CFeatureSelectionColorPropertyPage::HasAnyCheck() const
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            return TRUE;
    return FALSE;
}

void CFeatureSelectionColorPropertyPage::OnCheckChanged()
{
    UpdateTabMark();
}
