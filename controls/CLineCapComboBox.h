#pragma once
// The line-cap chooser: a combo with images (bitmap 408) and the texts of strings 10252-10255, item i
// being cap i (0-3).

#include "platform/win/CComboBoxEx.h"
#include "platform/win/CImageList.h"

class CLineCapComboBox : public CComboBoxEx
{
    DECLARE_DYNAMIC(CLineCapComboBox)
public:
    CLineCapComboBox();
    ~CLineCapComboBox() override;
    // 0-3 selects the cap; any other value clears the selection.
    void SetLineCap(int nCap);
    // The selected cap, -1 for none.
    int GetLineCap() const;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    CImageList m_images;
};
