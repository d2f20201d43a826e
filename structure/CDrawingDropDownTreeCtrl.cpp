#include "structure/CDrawingDropDownTreeCtrl.h"

#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CDrawingDropDownTreeCtrl, CDrawingTreeCtrl)

CDrawingDropDownTreeCtrl::CDrawingDropDownTreeCtrl() : CDropDownTreeCtrlT(kChoiceCommand)
{
    m_wOptions = optionPapers | optionParts;
}

CDrawingDropDownTreeCtrl::~CDrawingDropDownTreeCtrl() = default;

DWORD CDrawingDropDownTreeCtrl::GetPopupStyle() const
{
    return TVS_LINESATROOT | ((m_wOptions & optionCheckBoxes) ? TVS_CHECKBOXES : 0);
}
