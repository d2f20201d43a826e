#pragma once
// The arrow-head chooser: an owner-drawn list whose item index is the arrow kind (0 none, 1-13 heads),
// each row painted by DrawArrowItem. The owner adds one item per kind in kind order.

#include "platform/win/CComboBox.h"

class CSelectArrowComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CSelectArrowComboBox)
public:
    CSelectArrowComboBox();
    ~CSelectArrowComboBox() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};
