#pragma once
// The geometric-tolerance chooser: an owner-drawn list whose item index is the tolerance kind (0 none,
// 1-14 symbols), each row painted by DrawToleranceSymbolItem.

#include "platform/win/CComboBox.h"

class CSelectToleranceComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CSelectToleranceComboBox)
public:
    CSelectToleranceComboBox();
    ~CSelectToleranceComboBox() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};
