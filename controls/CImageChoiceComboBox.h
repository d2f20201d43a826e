#pragma once
// A fixed list of choices, each an image of one bitmap strip and a text of consecutive strings; item i is
// choice i. The line-cap and line-join choosers are this with their own bitmap and texts.

#include "platform/win/CComboBoxEx.h"
#include "platform/win/CImageList.h"

class CImageChoiceComboBox : public CComboBoxEx
{
    DECLARE_DYNAMIC(CImageChoiceComboBox)
public:
    CImageChoiceComboBox(UINT nBitmapId, UINT nFirstStringId, int nCount);
    ~CImageChoiceComboBox() override;
    // 0 to count-1 selects that choice; any other value clears the selection.
    void SetChoice(int nChoice);
    // The selected choice, -1 for none.
    int GetChoice() const;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    const UINT m_nBitmapId;
    const UINT m_nFirstStringId;
    const int m_nCount;
    CImageList m_images;
};
