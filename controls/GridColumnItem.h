#pragma once
// One column of a grid: its header, width, alignment and the kind of all its cells, with the entries
// of its list editors.

#include "platform/afx/CDWordArray.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CStringArray.h"
#include "platform/ole/COleVariant.h"

class GridColumnItem : public CObject
{
public:
    // Cell kinds.
    enum {
        kindReadOnly = 0, kindText = 1, kindMultiLineText = 2, kindFixedText = 3, kindDropDownList = 4,
        kindEditableCombo = 5, kindCheck = 6, kindCycle = 7, kindRadio = 8, kindDate = 9
    };
    enum { alignLeft = 0, alignCenter = 1, alignRight = 2 };

    GridColumnItem() = default;
    GridColumnItem(const GridColumnItem& source);
    GridColumnItem& operator=(const GridColumnItem& source);
    ~GridColumnItem() override;

    // Whether list values are item data rather than indexes: one data value per item text.
    BOOL HasItemData() const;
    // The index of the item a list value names, or -1.
    int FindItemIndex(const VARIANT& value) const;

    CString m_strTitle;
    int m_nWidth = 50;
    int m_nAlignment = alignLeft;
    int m_nKind = kindReadOnly;
    CStringArray m_itemTexts;
    CStringArray m_displayTexts;
    CDWordArray m_itemData;
    COleVariant m_defaultValue;
    int m_nReserved = 0;
    int m_nSortMarkStyle = 0;
    int m_nSortDirection = 0;
    // 0 leave the input method alone, 1 close it, 2 open it for native full-shape input.
    int m_nImeMode = 0;
};
