#pragma once
// The component palette's list: the thumbnail list plus the user's actions on an item: renaming in
// place (one undo step), Delete and F2 posted to the palette as its delete and rename commands, and a
// context menu on an item.

#include "structure/CDrawComponentListCtrl.h"

class CDrawComponentCommandListCtrl : public CDrawComponentListCtrl
{
    DECLARE_DYNAMIC(CDrawComponentCommandListCtrl)
public:
    static constexpr UINT kDeleteCommand = 34429;
    static constexpr UINT kRenameCommand = 34430;
    static constexpr UINT kContextMenu = 202;

    CDrawComponentCommandListCtrl();
    ~CDrawComponentCommandListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
