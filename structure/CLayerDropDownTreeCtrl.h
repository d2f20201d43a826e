#pragma once
// The pop-up layer tree of a layer combo box (see CDropDownTreeCtrlT): the rows the combo's option mask
// makes selectable are the ones a click chooses. It tells the combo with WM_COMMAND 32798.

#include "structure/CDropDownTreeCtrlT.h"
#include "structure/CLayerTreeCtrl.h"

class CLayerDropDownTreeCtrl : public CDropDownTreeCtrlT<CLayerTreeCtrl>
{
    DECLARE_DYNAMIC(CLayerDropDownTreeCtrl)
public:
    static constexpr UINT kChoiceCommand = 32798;

    CLayerDropDownTreeCtrl();
    ~CLayerDropDownTreeCtrl() override;

    BOOL IsItemChoosable(HTREEITEM hItem) const override { return IsItemSelectable(hItem); }

protected:
    DWORD GetPopupStyle() const override;
    void CustomDrawTree(NMHDR* pNMHDR, LRESULT* pResult) override;
};
