#include "commands/edit/CFeatureSelectionDrawingPropertyPage.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinMessages.h"

namespace {
// Root, papers, part drawings and the layouts of papers with more than one, with check boxes.
constexpr WORD kTreeOptions = 31;
}  // namespace

BEGIN_MESSAGE_MAP(CFeatureSelectionDrawingPropertyPage, CFeatureSelectionPropertyPage)
    ON_CONTROL(CQZ2TreeCtrl::kCheckChangedCode, CFeatureSelectionDrawingPropertyPage::kControl,
               &CFeatureSelectionDrawingPropertyPage::OnCheckChanged)
END_MESSAGE_MAP()

CFeatureSelectionDrawingPropertyPage::CFeatureSelectionDrawingPropertyPage() : CFeatureSelectionPropertyPage(IDD) {}
CFeatureSelectionDrawingPropertyPage::~CFeatureSelectionDrawingPropertyPage() = default;

void CFeatureSelectionDrawingPropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetDrawingFilter();
}

void CFeatureSelectionDrawingPropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetDrawingFilter() = m_filter;
}

void CFeatureSelectionDrawingPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSelectionPropertyPage::DoDataExchange(pDX);
}

BOOL CFeatureSelectionDrawingPropertyPage::OnInitDialog()
{
    CFeatureSelectionPropertyPage::OnInitDialog();
    m_tree.m_wOptions = kTreeOptions;
    m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, PlaceholderRect(), this, kControl);
    m_tree.SetDocument(const_cast<Draw2dDocument*>(m_pDocument));
    for (int i = 0; i < m_filter.GetDrawingFilterCount(); ++i) {
        const DrawingFeatureBase* pDrawing =
            m_pDocument != nullptr ? m_pDocument->ChangeDrawingFeature(m_filter.GetDrawingFilter(i)) : nullptr;
        if (HTREEITEM hItem = pDrawing != nullptr ? m_tree.FindDrawingItem(pDrawing->GetDrawingID()) : nullptr)
            m_tree.SetCheck(hItem, TRUE);
    }
    // The root is checked exactly when all its direct children are.
    if (HTREEITEM hRoot = m_tree.GetRootItem(); hRoot != nullptr && m_tree.ItemHasChildren(hRoot)) {
        BOOL bAll = TRUE;
        for (HTREEITEM h = m_tree.GetChildItem(hRoot); h != nullptr; h = m_tree.GetNextSiblingItem(h))
            bAll = bAll && m_tree.GetCheck(h);
        m_tree.SetCheck(hRoot, bAll);
    }
    return TRUE;
}

void CFeatureSelectionDrawingPropertyPage::OnOK()
{
    UpdateData(TRUE);
    m_filter.ClearAllDrawingFilters();
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextItemInOrder(h)) {
        // A layout item records the part drawing it shows.
        const DrawingFeatureBase* pDrawing = m_tree.GetItemDrawing(h);
        if (m_tree.GetCheck(h) && pDrawing != nullptr && !m_filter.IsExistDrawingFilter(pDrawing->GetDrawingID()))
            m_filter.AddDrawingFilter(pDrawing->GetDrawingID());
    }
    CFeatureSelectionPropertyPage::OnOK();
}

void CFeatureSelectionDrawingPropertyPage::SetAllChecks(BOOL bCheck)
{
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextItemInOrder(h))
        m_tree.SetCheck(h, bCheck);
}

BOOL CFeatureSelectionDrawingPropertyPage::HasAnyCheck() const
{
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextItemInOrder(h))
        if (m_tree.GetCheck(h))
            return TRUE;
    return FALSE;
}

void CFeatureSelectionDrawingPropertyPage::OnCheckChanged()
{
    UpdateTabMark();
}
