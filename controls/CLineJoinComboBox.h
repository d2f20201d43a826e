#pragma once
// The line-join chooser: images of bitmap 409 and the texts of strings 10260-10262, item i being join i (0-2).

#include "controls/CImageChoiceComboBox.h"

class CLineJoinComboBox : public CImageChoiceComboBox
{
    DECLARE_DYNAMIC(CLineJoinComboBox)
public:
    CLineJoinComboBox();
    ~CLineJoinComboBox() override;
    // 0-2 selects the join; any other value clears the selection.
    void SetLineJoin(int nJoin) { SetChoice(nJoin); }
    // The selected join, -1 for none.
    int GetLineJoin() const { return GetChoice(); }
};
