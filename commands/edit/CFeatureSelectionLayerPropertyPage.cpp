#include "commands/edit/CFeatureSelectionLayerPropertyPage.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinMessages.h"

namespace {
// Root, layers and groups, all selectable, with check boxes.
constexpr WORD kTreeOptions = 119;
}  // namespace

BEGIN_MESSAGE_MAP(CFeatureSelectionLayerPropertyPage, CFeatureSelectionPropertyPage)
    ON_CONTROL(CQZ2TreeCtrl::kCheckChangedCode, CFeatureSelectionLayerPropertyPage::kControl,
               &CFeatureSelectionLayerPropertyPage::OnCheckChanged)
END_MESSAGE_MAP()

CFeatureSelectionLayerPropertyPage::CFeatureSelectionLayerPropertyPage() : CFeatureSelectionPropertyPage(IDD) {}
CFeatureSelectionLayerPropertyPage::~CFeatureSelectionLayerPropertyPage() = default;

void CFeatureSelectionLayerPropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetLayerFilter();
}

void CFeatureSelectionLayerPropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetLayerFilter() = m_filter;
}

void CFeatureSelectionLayerPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSelectionPropertyPage::DoDataExchange(pDX);
}

namespace {
// Children first: a parent is checked exactly when all its children are.
void SettleParents(CLayerTreeCtrl& tree, HTREEITEM hItem)
{
    if (hItem == nullptr || !tree.ItemHasChildren(hItem))
        return;
    BOOL bAll = TRUE;
    for (HTREEITEM hChild = tree.GetChildItem(hItem); hChild != nullptr; hChild = tree.GetNextSiblingItem(hChild)) {
        SettleParents(tree, hChild);
        bAll = bAll && tree.GetCheck(hChild);
    }
    tree.SetCheck(hItem, bAll);
}
}  // namespace

BOOL CFeatureSelectionLayerPropertyPage::OnInitDialog()
{
    CFeatureSelectionPropertyPage::OnInitDialog();
    m_tree.m_wOptions = kTreeOptions;
    m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, PlaceholderRect(), this, kControl);
    m_tree.SetDocument(const_cast<Draw2dDocument*>(m_pDocument));
    for (int i = 0; i < m_filter.GetLayerFilterCount(); ++i)
        if (HTREEITEM hItem = m_tree.FindLayerItem(m_filter.GetLayerFilter(i)))
            m_tree.SetCheck(hItem, TRUE);
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextSiblingItem(h))
        SettleParents(m_tree, h);
    return TRUE;
}

void CFeatureSelectionLayerPropertyPage::OnOK()
{
    UpdateData(TRUE);
    m_filter.ClearAllLayerFilters();
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextItemInOrder(h)) {
        const LayerFeature* pLayer = m_tree.GetItemLayer(h);
        if (m_tree.GetCheck(h) && pLayer != nullptr && !pLayer->IsGroup())
            m_filter.AddLayerFilter(pLayer->GetLayerID());
    }
    CFeatureSelectionPropertyPage::OnOK();
}

void CFeatureSelectionLayerPropertyPage::SetAllChecks(BOOL bCheck)
{
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextItemInOrder(h))
        m_tree.SetCheck(h, bCheck);
}

BOOL CFeatureSelectionLayerPropertyPage::HasAnyCheck() const
{
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextItemInOrder(h))
        if (m_tree.GetCheck(h))
            return TRUE;
    return FALSE;
}

void CFeatureSelectionLayerPropertyPage::OnCheckChanged()
{
    UpdateTabMark();
}
