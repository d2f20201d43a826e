#pragma once
// A tree of one document's layers and layer groups: one item per layer record (the item owns a copy
// of the record), the current layer bold with a pencil, locked layers with a padlock, hidden ones
// grey. Its owners follow the document's notifications with the rebuild, refresh, remove and move
// operations; items are found through an id map, never by walking the tree.

#include "controls/CQZ2TreeCtrl.h"
#include "platform/afx/CMap.h"
#include "platform/win/CImageList.h"

class Draw2dDocument;
class LayerFeature;

class CLayerTreeCtrl : public CQZ2TreeCtrl
{
    DECLARE_DYNAMIC(CLayerTreeCtrl)
public:
    // Option mask bits.
    enum : WORD {
        optRootItem = 0x01,          // an item for the root group (-1), captioned 10229
        optLayerItems = 0x02,        // an item for every layer and group
        optGroupItems = 0x04,        // an item for every group
        optZeroItem = 0x08,          // a first item standing for layer 0, captioned 10230
        optLayersSelectable = 0x10,
        optGroupsSelectable = 0x20,
        optCheckBoxes = 0x40,
    };
    // Images of bitmap 401.
    enum { imgFolder = 0, imgFolderOpen = 1, imgCurrent = 2, imgShown = 3, imgNotShown = 4, imgPencil = 5,
           imgGreyPencil = 6, imgPadlock = 7 };
    static constexpr UINT kImages = 401;

    CLayerTreeCtrl();
    ~CLayerTreeCtrl() override;

    // Creates the tree with its styles (check boxes with option 0x40) and image list.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    // A tree of a dialog template gets the image list here.
    void PreSubclassWindow() override;

    void SetDocument(Draw2dDocument* pDocument);
    Draw2dDocument* GetDocument() const { return m_pDocument; }

    void RebuildTree();
    // Inserts the record of nLayerID under hParentItem (as the options say) and its children; the
    // item made for nLayerID, or null.
    virtual HTREEITEM InsertChildren(HTREEITEM hParentItem, long nLayerID);
    HTREEITEM InsertLayerItem(HTREEITEM hParent, LPCTSTR lpszText, const LayerFeature& record, HTREEITEM hInsertAfter);
    void UpdateItem(HTREEITEM hItem, const LayerFeature* pNewRecord);
    int RefreshAllItems();
    BOOL RefreshLayerItem(long nLayerID, BOOL bWithChildren);
    BOOL RemoveLayerItem(long nLayerID);
    BOOL MoveLayerItemInto(long nLayerID, long nGroupID, int nIndex);
    BOOL MoveLayerItemToGroupEnd(long nLayerID, long nGroupID);
    BOOL MoveLayerItemAfter(long nLayerID, long nOtherID);
    BOOL MoveLayerItemBefore(long nLayerID, long nOtherID);
    HTREEITEM FindLayerItem(long nLayerID) const;
    BOOL SelectLayerItem(long nLayerID);

    LayerFeature* GetItemLayer(HTREEITEM hItem) const;
    // The item the owner's commands act on (not the control's caret).
    HTREEITEM GetSelectedItem() const { return m_hSelectedItem; }
    LayerFeature* GetSelectedLayer() const { return GetItemLayer(m_hSelectedItem); }
    BOOL IsItemSelectable(HTREEITEM hItem) const;
    void ResetTree();
    // The values all layers below a group agree on (a new record the caller deletes; null when the
    // group holds no layer): numbers that differ become -1, hidden and printable that differ are
    // cleared. *pState gets the common state, or 3 when the states differ.
    void GetGroupCommonValues(HTREEITEM hGroupItem, LayerFeature*& pCommon, int* pState = nullptr) const;

    // The option mask (default 0x37), set before the tree is built.
    WORD m_wOptions = 0x37;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRClickReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnSelChangedReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemExpandingReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItemReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDrawReflect(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Copies an item with its subtree under hNewParent after hAfter; the new item.
    HTREEITEM CopySubtree(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hAfter);
    BOOL MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hAfter);
    void ForgetSubtree(HTREEITEM hItem);
    BOOL IsCurrentLayer(const LayerFeature* pRecord) const;

    Draw2dDocument* m_pDocument = nullptr;
    HTREEITEM m_hSelectedItem = nullptr;
    CImageList m_imageList;
    HTREEITEM m_hPressedItem = nullptr;
    CMap<long, long, HTREEITEM, HTREEITEM&> m_layerMap;
};
