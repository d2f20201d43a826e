#include "commands/edit/CFeatureSelectionLineTypePropertyPage.h"

#include "libs/vevure/ColorFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinMessages.h"

BEGIN_MESSAGE_MAP(CFeatureSelectionLineTypePropertyPage, CFeatureSelectionPropertyPage)
    ON_CLBN_CHKCHANGE(CFeatureSelectionLineTypePropertyPage::kControl, &CFeatureSelectionLineTypePropertyPage::OnCheckChanged)
END_MESSAGE_MAP()

CFeatureSelectionLineTypePropertyPage::CFeatureSelectionLineTypePropertyPage() : CFeatureSelectionPropertyPage(IDD) {}
CFeatureSelectionLineTypePropertyPage::~CFeatureSelectionLineTypePropertyPage() = default;

void CFeatureSelectionLineTypePropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetLineTypeFilter();
}

void CFeatureSelectionLineTypePropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetLineTypeFilter() = m_filter;
}

void CFeatureSelectionLineTypePropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSelectionPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kControl, m_list);
}

BOOL CFeatureSelectionLineTypePropertyPage::OnInitDialog()
{
    CFeatureSelectionPropertyPage::OnInitDialog();
    if (m_pDocument != nullptr) {
        for (short no : m_pDocument->GetUsedFeatureLineTypeNoMap()) {
            CString text;
            const LineTypeFeatureTable* pTable = m_pDocument->GetLineTypeFeatureTable(); text.Format(_T("%d: %s"), no, pTable != nullptr ? static_cast<LPCTSTR>(pTable->GetLineTypeName(no)) : _T(""));
            const int at = m_list.AddString(text);
            m_list.SetItemData(at, static_cast<DWORD_PTR>(static_cast<unsigned short>(no)));
            m_list.SetCheck(at, (m_filter.IsExistLineTypeFilter(no)) ? 1 : 0);
            
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

void CFeatureSelectionLineTypePropertyPage::OnOK()
{
    m_filter.ClearAllLineTypeFilters();
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            m_filter.AddLineTypeFilter(static_cast<short>(static_cast<unsigned short>(m_list.GetItemData(i))));
    CFeatureSelectionPropertyPage::OnOK();
}

void CFeatureSelectionLineTypePropertyPage::SetAllChecks(BOOL bCheck)
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        m_list.SetCheck(i, bCheck ? 1 : 0);
}

BOOL CFeatureSelectionLineTypePropertyPage::HasAnyCheck() const
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            return TRUE;
    return FALSE;
}

void CFeatureSelectionLineTypePropertyPage::OnCheckChanged()
{
    UpdateTabMark();
}
