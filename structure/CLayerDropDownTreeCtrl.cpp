#include "structure/CLayerDropDownTreeCtrl.h"

#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CLayerDropDownTreeCtrl, CLayerTreeCtrl)

CLayerDropDownTreeCtrl::CLayerDropDownTreeCtrl() : CDropDownTreeCtrlT(kChoiceCommand) {}

CLayerDropDownTreeCtrl::~CLayerDropDownTreeCtrl() = default;

DWORD CLayerDropDownTreeCtrl::GetPopupStyle() const
{
    return (m_wOptions & optCheckBoxes) ? TVS_CHECKBOXES : 0;
}

void CLayerDropDownTreeCtrl::CustomDrawTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The layer tree's own look (current bold, hidden grey) stays under the highlight.
    CLayerTreeCtrl::OnCustomDrawReflect(pNMHDR, pResult);
}
