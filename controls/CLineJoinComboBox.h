#pragma once
// The line-join chooser: a combo with images (bitmap 409) and the texts of strings 10260-10262, item i
// being join i (0-2).

#include "platform/win/CComboBoxEx.h"
#include "platform/win/CImageList.h"

class CLineJoinComboBox : public CComboBoxEx
{
    DECLARE_DYNAMIC(CLineJoinComboBox)
public:
    CLineJoinComboBox();
    ~CLineJoinComboBox() override;
    // 0-2 selects the join; any other value clears the selection.
    void SetLineJoin(int nJoin);
    // The selected join, -1 for none.
    int GetLineJoin() const;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    CImageList m_images;
};
