#include "commands/edit/CFeatureSelectionAttributePropertyPage.h"

#include <cmath>

#include "command/LoadResourceString.h"
#include "commands/edit/Attribute2dCommand.h"
#include "controls/GridCellNotify.h"
#include "controls/GridColumnItem.h"
#include "controls/GridRowItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/ole/COleVariant.h"
#include "platform/win/WinMessages.h"

namespace {
constexpr UINT kCheckTitle = 10162;
constexpr UINT kNameTitle = 10016;
constexpr UINT kValueTitle = 10017;
constexpr int kComponentType = 71;
}  // namespace

BEGIN_MESSAGE_MAP(CFeatureSelectionAttributePropertyPage, CFeatureSelectionPropertyPage)
    ON_NOTIFY(GridCellNotify::kReadOnlyDblClk, CFeatureSelectionAttributePropertyPage::kGrid,
              &CFeatureSelectionAttributePropertyPage::OnGridDoubleClick)
END_MESSAGE_MAP()

CFeatureSelectionAttributePropertyPage::CFeatureSelectionAttributePropertyPage() : CFeatureSelectionPropertyPage(IDD) {}
CFeatureSelectionAttributePropertyPage::~CFeatureSelectionAttributePropertyPage() = default;

void CFeatureSelectionAttributePropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetAttributeFilter();
}

void CFeatureSelectionAttributePropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetAttributeFilter() = m_filter;
}

void CFeatureSelectionAttributePropertyPage::CollectRows(const Draw2dDocument* pDocument, CArray<AttributeInfo>& rows)
{
    rows.RemoveAll();
    if (pDocument == nullptr)
        return;
    auto addPairs = [&rows](const FeatureAttribute& list) {
        for (int i = 0; i < list.GetAttributeCount(); ++i) {
            const CString name = list.GetAttributeName(i);
            const CString value = list.GetAttributeValue(i);
            bool known = false;
            for (INT_PTR r = 0; r < rows.GetSize() && !known; ++r)
                known = rows[r].name == name && rows[r].value == value;
            if (!known) {
                AttributeInfo info;
                info.name = name;
                info.value = value;
                rows.Add(info);
            }
        }
    };
    for (long id = pDocument->GetNextFeatureRecordID(-1); id != -1; id = pDocument->GetNextFeatureRecordID(id)) {
        const Feature2dBase* pFeature = pDocument->GetFeature(id);
        if (pFeature == nullptr)
            continue;
        if (pFeature->GetFeatureType() == kComponentType) {
            if (const auto* pComponent = dynamic_cast<const DrawComponent2dFeature*>(pFeature))
                addPairs(QZ2Command::Attribute2dCommand::ComponentAttributes(pDocument, pComponent));
        } else if (const FeatureAttribute* pList = pFeature->GetAttribute()) {
            addPairs(*pList);
        }
    }
}

BOOL CFeatureSelectionAttributePropertyPage::OnInitDialog()
{
    CFeatureSelectionPropertyPage::OnInitDialog();
    CollectRows(m_pDocument, m_rows);

    const CRect rect = PlaceholderRect();
    m_grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this, kGrid);
    m_grid.ModifyStyleEx(0, WS_EX_STATICEDGE);
    m_grid.SetFont(GetFont());
    m_grid.ShowRowHeader(FALSE);
    m_grid.EnableMultiSelect(FALSE);
    m_grid.EnableHeaderNotify(FALSE);
    int w = static_cast<int>(std::floor((rect.Width() - 40) / 3.0)) - 1;
    GridColumnItem check;
    check.m_strTitle = LoadResourceString(kCheckTitle);
    check.m_nWidth = 40;
    check.m_nAlignment = GridColumnItem::alignCenter;
    check.m_nKind = GridColumnItem::kindCheck;
    m_grid.InsertColumn(kCheckColumn, check);
    GridColumnItem name;
    name.m_strTitle = LoadResourceString(kNameTitle);
    name.m_nKind = GridColumnItem::kindReadOnly;
    GridColumnItem value;
    value.m_strTitle = LoadResourceString(kValueTitle);
    value.m_nKind = GridColumnItem::kindReadOnly;
    if (w >= 0) {
        name.m_nWidth = w;
        value.m_nWidth = 2 * w;
    }
    m_grid.InsertColumn(kNameColumn, name);
    m_grid.InsertColumn(kValueColumn, value);

    // A condition without a row has nothing to check: it is lost on OK.
    for (int i = 0; i < m_filter.GetAttributeCount(); ++i) {
        CString strName;
        CString strValue;
        m_filter.GetAttribute(i, strName, strValue);
        for (INT_PTR r = 0; r < m_rows.GetSize(); ++r)
            if (m_rows[r].name == strName && m_rows[r].value == strValue)
                m_rows[r].checked = 1;
    }
    for (INT_PTR r = 0; r < m_rows.GetSize(); ++r) {
        GridRowItem row;
        const COleVariant checked(static_cast<short>(m_rows[r].checked ? VARIANT_TRUE : VARIANT_FALSE), VT_BOOL);
        const COleVariant nameValue(m_rows[r].name);
        const COleVariant valueValue(m_rows[r].value);
        row.SetValue(kCheckColumn, &checked);
        row.SetValue(kNameColumn, &nameValue);
        row.SetValue(kValueColumn, &valueValue);
        m_grid.InsertRow(-1, row, FALSE);
    }
    m_grid.Invalidate();
    return TRUE;
}

BOOL CFeatureSelectionAttributePropertyPage::IsRowChecked(int nRow) const
{
    COleVariant value;
    if (!m_grid.GetCellValue(nRow, kCheckColumn, &value))
        return FALSE;
    if (value.vt == VT_BOOL)
        return value.boolVal != VARIANT_FALSE;
    return value.vt == VT_I4 ? value.lVal != 0 : (value.vt == VT_I2 ? value.iVal != 0 : FALSE);
}

void CFeatureSelectionAttributePropertyPage::SetRowChecked(int nRow, BOOL bCheck)
{
    const COleVariant value(static_cast<short>(bCheck ? VARIANT_TRUE : VARIANT_FALSE), VT_BOOL);
    m_grid.SetCellValue(nRow, kCheckColumn, &value);
}

void CFeatureSelectionAttributePropertyPage::OnGridDoubleClick(NMHDR* pNotify, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pCell = reinterpret_cast<const GridCellNotify*>(pNotify);
    if (pCell->nColumn != kNameColumn && pCell->nColumn != kValueColumn)
        return;
    COleVariant clicked;
    if (!m_grid.GetCellValue(pCell->nRow, pCell->nColumn, &clicked))
        return;
    for (int r = 0; r < m_grid.GetRowCount(); ++r) {
        COleVariant cell;
        if (m_grid.GetCellValue(r, pCell->nColumn, &cell) && cell == clicked)
            SetRowChecked(r, !IsRowChecked(r));
    }
    m_grid.Invalidate();
}

void CFeatureSelectionAttributePropertyPage::OnOK()
{
    m_filter.ClearAll();
    for (int r = 0; r < m_grid.GetRowCount(); ++r) {
        if (!IsRowChecked(r))
            continue;
        COleVariant name;
        COleVariant value;
        m_grid.GetCellValue(r, kNameColumn, &name);
        m_grid.GetCellValue(r, kValueColumn, &value);
        m_filter.AddAttribute(name.GetString(), value.GetString());
    }
    CFeatureSelectionPropertyPage::OnOK();
}
