#include "commands/edit/CFeatureSelectionLineWidthPropertyPage.h"

#include "libs/vevure/ColorFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinMessages.h"

BEGIN_MESSAGE_MAP(CFeatureSelectionLineWidthPropertyPage, CFeatureSelectionPropertyPage)
    ON_CLBN_CHKCHANGE(CFeatureSelectionLineWidthPropertyPage::kControl, &CFeatureSelectionLineWidthPropertyPage::OnCheckChanged)
END_MESSAGE_MAP()

CFeatureSelectionLineWidthPropertyPage::CFeatureSelectionLineWidthPropertyPage() : CFeatureSelectionPropertyPage(IDD) {}
CFeatureSelectionLineWidthPropertyPage::~CFeatureSelectionLineWidthPropertyPage() = default;

void CFeatureSelectionLineWidthPropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetLineWidthFilter();
}

void CFeatureSelectionLineWidthPropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetLineWidthFilter() = m_filter;
}

void CFeatureSelectionLineWidthPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSelectionPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kControl, m_list);
}

BOOL CFeatureSelectionLineWidthPropertyPage::OnInitDialog()
{
    CFeatureSelectionPropertyPage::OnInitDialog();
    if (m_pDocument != nullptr) {
        for (short no : m_pDocument->GetUsedFeatureLineWidthNoMap()) {
            CString text;
            const LineWidthFeatureTable* pTable = m_pDocument->GetLineWidthFeatureTable(); text.Format(_T("%d: %.2f"), no, pTable != nullptr ? pTable->GetLineWidth(no) : 0.0);
            const int at = m_list.AddString(text);
            m_list.SetItemData(at, static_cast<DWORD_PTR>(static_cast<unsigned short>(no)));
            m_list.SetCheck(at, (m_filter.GetLineWidthFilter(no) != 0) ? 1 : 0);
            
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

void CFeatureSelectionLineWidthPropertyPage::OnOK()
{
    m_filter.ClearAllLineWidthFilters();
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            m_filter.SetLineWidthFilter(static_cast<short>(static_cast<unsigned short>(m_list.GetItemData(i))), TRUE);
    CFeatureSelectionPropertyPage::OnOK();
}

void CFeatureSelectionLineWidthPropertyPage::SetAllChecks(BOOL bCheck)
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        m_list.SetCheck(i, bCheck ? 1 : 0);
}

BOOL CFeatureSelectionLineWidthPropertyPage::HasAnyCheck() const
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            return TRUE;
    return FALSE;
}

void CFeatureSelectionLineWidthPropertyPage::OnCheckChanged()
{
    UpdateTabMark();
}
