#pragma once
// The document's own hatch patterns (line and shape patterns of its pattern table) as pictures with their
// names beneath, in table order. Each item holds a copy of its pattern, deleted with the item.

#include "platform/win/CImageList.h"
#include "platform/win/CListCtrl.h"

class Draw2dDocument;
class HatchPatternBase;

class CUserDefinedHatchPatternListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CUserDefinedHatchPatternListCtrl)
public:
    CUserDefinedHatchPatternListCtrl();
    ~CUserDefinedHatchPatternListCtrl() override;

    // The pictures resolve "by layer" colours, line types and widths through the layer.
    void SetDocument(Draw2dDocument* pDocument, long nLayerID);
    // FALSE, nothing changed, when a side is below 1; else the size of the next fill's pictures.
    BOOL SetImageSize(const SIZE& size);
    // Fills the (empty) list from the document's table; FALSE without a window or a picture list.
    BOOL FillPatterns();
    // Appends an item for the pattern; its index, -1 when it cannot be added.
    int AddPattern(const HatchPatternBase* pPattern);
    // The item takes the pattern's picture, name and a new copy; FALSE for no such item.
    BOOL UpdatePatternAt(int nIndex, const HatchPatternBase* pPattern);
    HatchPatternBase* GetPatternAt(int nIndex) const;
    long GetPatternIDAt(int nIndex) const;
    long GetSelectedPatternID() const;
    // -1 clears the selection; FALSE on an empty list or an id no item has.
    BOOL SelectPatternID(long nPatternID);

    SIZE GetImageSize() const { return SIZE{m_nImageWidth, m_nImageHeight}; }
    const CImageList& GetPatternImages() const { return m_imageList; }

protected:
    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The pattern's picture put in the picture list at nImage (appended for -1); the index, -1 on failure.
    int StorePicture(const HatchPatternBase* pPattern, int nImage);
    void ArrangeIcons();

    Draw2dDocument* m_pDocument = nullptr;
    long m_nLayerID = -1;
    CImageList m_imageList;
    int m_nImageWidth = 64;
    int m_nImageHeight = 64;
};
