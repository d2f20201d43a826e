#pragma once
// The line-cap chooser: images of bitmap 408 and the texts of strings 10252-10255, item i being cap i (0-3).

#include "controls/CImageChoiceComboBox.h"

class CLineCapComboBox : public CImageChoiceComboBox
{
    DECLARE_DYNAMIC(CLineCapComboBox)
public:
    CLineCapComboBox();
    ~CLineCapComboBox() override;
    // 0-3 selects the cap; any other value clears the selection.
    void SetLineCap(int nCap) { SetChoice(nCap); }
    // The selected cap, -1 for none.
    int GetLineCap() const { return GetChoice(); }
};
