#pragma once
// The pop-up drawing tree of a drawing combo box (see CDropDownTreeCtrlT): a click on a drawing or a
// layout chooses it. It tells the combo with WM_COMMAND 32799.

#include "structure/CDrawingTreeCtrl.h"
#include "structure/CDropDownTreeCtrlT.h"

class CDrawingDropDownTreeCtrl : public CDropDownTreeCtrlT<CDrawingTreeCtrl>
{
    DECLARE_DYNAMIC(CDrawingDropDownTreeCtrl)
public:
    static constexpr UINT kChoiceCommand = 32799;

    CDrawingDropDownTreeCtrl();
    ~CDrawingDropDownTreeCtrl() override;

    // Whether the item stands for a drawing or a layout (the root folder does not).
    BOOL IsItemSelectable(HTREEITEM hItem) const { return GetItemRecord(hItem) != nullptr; }
    BOOL IsItemChoosable(HTREEITEM hItem) const override { return IsItemSelectable(hItem); }

protected:
    DWORD GetPopupStyle() const override;
};
