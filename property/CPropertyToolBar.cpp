#include "property/CPropertyToolBar.h"

#include "command/LoadResourceString.h"
#include "command/ParameterItemBase.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CMenu.h"

using QZ2Command::ParameterItemBase;

IMPLEMENT_DYNAMIC(CPropertyToolBar, CBCGPToolBar)

BEGIN_MESSAGE_MAP(CPropertyToolBar, CBCGPToolBar)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

constexpr UINT kPlainPoint = 37160;

}  // namespace

CPropertyToolBar::CPropertyToolBar() = default;

CPropertyToolBar::~CPropertyToolBar() = default;

int CPropertyToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CBCGPToolBar::AddToolBarForImageCollection(kImages);
    RemoveAllButtons();
    AdjustLayout();
    return 0;
}

void CPropertyToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A click gives the focus to the bar (which hands it to its list) unless it is already there.
    if (CWnd* pParent = GetParent()) {
        CWnd* pFocus = CWnd::GetFocus();
        if (pFocus == nullptr || (pFocus != pParent && !pParent->IsChild(pFocus)))
            pParent->SetFocus();
    }
    CBCGPToolBar::OnLButtonDown(nFlags, point);
}

BOOL CPropertyToolBar::SetMode(UINT nValueType, BOOL bShow)
{
    if (nValueType == m_nMode && (bShow != FALSE) == (m_bShown != FALSE))
        return TRUE;
    m_nMode = nValueType;
    m_bShown = bShow != FALSE;
    return RebuildButtons();
}

BOOL CPropertyToolBar::RebuildButtons()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    ++m_nRebuildCount;
    RemoveAllButtons();
    UINT nMenu = 0;
    UINT nText = 0;
    UINT nImageOf = 0;
    if (m_bShown) {
        switch (m_nMode) {
        case ParameterItemBase::typeLength: nMenu = 216; nText = 10344; nImageOf = 39553; break;
        case ParameterItemBase::typeAngle: nMenu = 217; nText = 10345; nImageOf = 39554; break;
        case ParameterItemBase::typePoint: nMenu = 218; nText = 10343; nImageOf = 39552; break;
        default: break;
        }
    }
    if (nMenu != 0) {
        CMenu menu;
        CMenu* pPopup = menu.LoadMenu(nMenu) ? menu.GetSubMenu(0) : nullptr;
        if (pPopup != nullptr) {
            if (m_nMode == ParameterItemBase::typePoint)
                pPopup->InsertMenu(0, MF_BYPOSITION | MF_STRING, kPlainPoint, LoadResourceString(10342));
            const CString text = LoadResourceString(nText);
            CBCGPToolbarMenuButton button(nImageOf, pPopup->GetSafeHmenu(), CImageHash::GetImageOfCommand(nImageOf),
                                          text);
            InsertButton(button);
        }
    }
    AdjustLayout();
    return TRUE;
}

void CPropertyToolBar::GetMenuCommands(std::vector<UINT>& ids) const
{
    ids.clear();
    for (int i = 0; i < GetCount(); ++i)
        if (const auto* pButton = dynamic_cast<const CBCGPToolbarMenuButton*>(GetButton(i)))
            pButton->GetCommands(ids);
}

BOOL CPropertyToolBar::LoadState(LPCTSTR, int, UINT) { return FALSE; }

BOOL CPropertyToolBar::SaveState(LPCTSTR, int, UINT) { return FALSE; }

void CPropertyToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHndler)
{
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget != nullptr)
        UpdateCmdUIThrough(pTarget, bDisableIfNoHndler);
}
