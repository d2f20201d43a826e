#include "commands/edit/CFeatureSelectionFeaturePropertyPage.h"

#include "command/LoadResourceString.h"
#include "libs/vevure/SelectionFilter.h"

namespace {
struct KindRow {
    UINT name;
    DWORD mask;
};
constexpr KindRow kRows[] = {
    {10163, 0x1},     {10164, 0x2},      {10165, 0x4},       {10166, 0xC00},     {10167, 0x100},   {10168, 0x18},
    {10169, 0x60},    {10170, 0x200},    {10171, 0x2000},    {10172, 0x4000},    {10173, 0x7E0000},
    {10174, 0x8000000}, {10175, 0x8000}, {10176, 0x800000}, {10177, 0x1000000}, {10178, 0x2000000},
    {10179, 0x4000000}};
}  // namespace

CFeatureSelectionFeaturePropertyPage::CFeatureSelectionFeaturePropertyPage() : CFeatureSelectionCheckListPage(IDD, kControl) {}
CFeatureSelectionFeaturePropertyPage::~CFeatureSelectionFeaturePropertyPage() = default;

void CFeatureSelectionFeaturePropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetFeatureFilter();
}

void CFeatureSelectionFeaturePropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetFeatureFilter() = m_filter;
}

BOOL CFeatureSelectionFeaturePropertyPage::OnInitDialog()
{
    CFeatureSelectionCheckListPage::OnInitDialog();
    for (const KindRow& row : kRows) {
        const int at = m_list.AddString(LoadResourceString(row.name));
        m_list.SetItemData(at, row.mask);
        m_list.SetCheck(at, (m_filter.GetFeatureFilter() & row.mask) != 0 ? 1 : 0);
    }
    return TRUE;
}

void CFeatureSelectionFeaturePropertyPage::OnOK()
{
    DWORD dwMask = 0;
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetCheck(i) == 1)
            dwMask |= static_cast<DWORD>(m_list.GetItemData(i));
    m_filter.SetFeatureFilter(dwMask);
    CFeatureSelectionCheckListPage::OnOK();
}
