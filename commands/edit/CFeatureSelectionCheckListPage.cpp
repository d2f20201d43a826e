#include "commands/edit/CFeatureSelectionCheckListPage.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/WinMessages.h"

namespace {
// The check lists of the pages: kinds 2455, colours 2467, line types 2468, line widths 2469.
constexpr UINT kFirstList = 2455;
constexpr UINT kLastList = 2469;
}  // namespace

BEGIN_MESSAGE_MAP(CFeatureSelectionCheckListPage, CFeatureSelectionPropertyPage)
    ON_CONTROL_RANGE(CLBN_CHKCHANGE, kFirstList, kLastList, &CFeatureSelectionCheckListPage::OnCheckChanged)
END_MESSAGE_MAP()

CFeatureSelectionCheckListPage::CFeatureSelectionCheckListPage(UINT nIDTemplate, int nListID)
    : CFeatureSelectionPropertyPage(nIDTemplate), m_nListID(nListID)
{
}

CFeatureSelectionCheckListPage::~CFeatureSelectionCheckListPage() = default;

void CFeatureSelectionCheckListPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSelectionPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, m_nListID, m_list);
}

void CFeatureSelectionCheckListPage::SetAllChecks(BOOL bCheck)
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        m_list.SetCheck(i, bCheck ? 1 : 0);
}

BOOL CFeatureSelectionCheckListPage::HasAnyCheck() const
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            return TRUE;
    return FALSE;
}

void CFeatureSelectionCheckListPage::OnCheckChanged(UINT nID)
{
    if (static_cast<int>(nID) == m_nListID)
        UpdateTabMark();
}

CFeatureSelectionNumberListPage::~CFeatureSelectionNumberListPage() = default;

short CFeatureSelectionNumberListPage::RowNumber(int nRow) const
{
    return static_cast<short>(static_cast<unsigned short>(m_list.GetItemData(nRow)));
}

BOOL CFeatureSelectionNumberListPage::OnInitDialog()
{
    CFeatureSelectionCheckListPage::OnInitDialog();
    if (m_pDocument != nullptr) {
        for (short no : UsedNumbers()) {
            const int at = m_list.AddString(RowText(no));
            m_list.SetItemData(at, static_cast<DWORD_PTR>(static_cast<unsigned short>(no)));
            m_list.SetCheck(at, IsInFilter(no) ? 1 : 0);
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

void CFeatureSelectionNumberListPage::OnOK()
{
    ClearFilter();
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            AddToFilter(RowNumber(i));
    CFeatureSelectionCheckListPage::OnOK();
}
