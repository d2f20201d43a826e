#pragma once
// One cell of a grid row: the column it belongs to, its value and whether the user may change it.

#include "platform/afx/CObject.h"
#include "platform/ole/COleVariant.h"

class GridCellItem : public CObject
{
public:
    GridCellItem() = default;
    GridCellItem(const GridCellItem& source) : CObject(), m_nColumn(source.m_nColumn), m_value(source.m_value), m_bEnabled(source.m_bEnabled) {}
    GridCellItem& operator=(const GridCellItem& source)
    {
        m_nColumn = source.m_nColumn;
        m_value = source.m_value;
        m_bEnabled = source.m_bEnabled;
        return *this;
    }

    int m_nColumn = -1;
    COleVariant m_value;
    BOOL m_bEnabled = TRUE;
};
