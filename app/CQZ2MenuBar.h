#pragma once
// The main frame's menu bar. Its items follow the menu resources only: while the toolbars are customised
// nothing can be dropped on it, nothing dragged off it and its context menu does nothing, and the
// customisation sheet does not list it among the toolbars.

#include "platform/bcg/CBCGPMenuBar.h"

class CQZ2MenuBar : public CBCGPMenuBar
{
    DECLARE_SERIAL(CQZ2MenuBar)
public:
    CQZ2MenuBar();
    ~CQZ2MenuBar() override;

    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    int FindDropIndex(const CPoint point, CRect& rectDrag) const override;
    BOOL AllowShowOnList() const override { return FALSE; }
    // No button of the menu bar leaves it by a drag.
    BOOL CanStartButtonDrag() const override { return FALSE; }
    // In customisation mode the right button does nothing here.
    void OnContextMenuAt(int iButton, CPoint ptScreen) override;
};
