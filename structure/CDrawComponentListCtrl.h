#pragma once
// A list of one document's component definitions, each with its name and a thumbnail, as large icons or
// as a list with small icons. Thumbnails are made only when the list first asks for an item's image
// (items coming into view) and again after the item is marked stale.

#include "platform/win/CImageList.h"
#include "platform/win/CListCtrl.h"

class Draw2dDocument;
class DrawComponent2dFeatureDefine;

class CDrawComponentListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CDrawComponentListCtrl)
public:
    static constexpr int kLargeIconSize = 48;
    static constexpr int kSmallIconSize = 16;

    // One item's record (the item's data).
    struct DrawComponentInfo {
        long nComponentID = -1;
        BOOL bStale = TRUE;
        int nLargeImage = -1;
        int nSmallImage = -1;
    };

    CDrawComponentListCtrl();
    ~CDrawComponentListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    BOOL SetDocument(Draw2dDocument* pDocument);
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void ResetList();
    int InsertComponent(const DrawComponent2dFeatureDefine* pDefine, BOOL bSort);
    BOOL RemoveComponent(long nComponentID);
    BOOL RenameComponent(long nComponentID, const CString& strName);
    BOOL InvalidateThumbnail(long nComponentID);
    BOOL InvalidateAllThumbnails();
    int FindComponent(long nComponentID) const;
    BOOL SelectComponent(long nComponentID);
    long GetSelectedComponentID() const;
    const DrawComponentInfo* GetInfo(int nItem) const;
    void SetViewMode(int nMode);
    BOOL IsIconView() const;
    // Thumbnails turned into images so far.
    int GetImagesMade() const { return m_nImagesMade; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnDestroy();
    afx_msg BOOL OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void EnsureImageLists();
    void SortByName();
    BOOL MakeImages(DrawComponentInfo& info);

    CImageList m_largeImages;
    CImageList m_smallImages;
    Draw2dDocument* m_pDocument = nullptr;
    int m_nImagesMade = 0;
};
