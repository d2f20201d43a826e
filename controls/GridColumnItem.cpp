#include "controls/GridColumnItem.h"

GridColumnItem::GridColumnItem(const GridColumnItem& source) : CObject()
{
    *this = source;
}

GridColumnItem& GridColumnItem::operator=(const GridColumnItem& source)
{
    if (&source == this)
        return *this;
    m_strTitle = source.m_strTitle;
    m_nWidth = source.m_nWidth;
    m_nAlignment = source.m_nAlignment;
    m_nKind = source.m_nKind;
    m_itemTexts.Copy(source.m_itemTexts);
    m_displayTexts.Copy(source.m_displayTexts);
    m_itemData.Copy(source.m_itemData);
    m_defaultValue = source.m_defaultValue;
    m_nReserved = source.m_nReserved;
    m_nSortMarkStyle = source.m_nSortMarkStyle;
    m_nSortDirection = source.m_nSortDirection;
    m_nImeMode = source.m_nImeMode;
    return *this;
}

GridColumnItem::~GridColumnItem() = default;

BOOL GridColumnItem::HasItemData() const
{
    return m_itemData.GetSize() > 0 && m_itemData.GetSize() == m_itemTexts.GetSize() ? TRUE : FALSE;
}

int GridColumnItem::FindItemIndex(const VARIANT& value) const
{
    if (value.vt != VT_I4)
        return -1;
    if (HasItemData()) {
        for (INT_PTR i = 0; i < m_itemData.GetSize(); ++i) {
            if (m_itemData[i] == static_cast<DWORD>(value.lVal))
                return static_cast<int>(i);
        }
        return -1;
    }
    return value.lVal;
}
