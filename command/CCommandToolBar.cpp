#include "command/CCommandToolBar.h"

#include <vector>

#include "command/LoadResourceString.h"
#include "command/ParameterItemBase.h"
#include "platform/bcg/CBCGPToolbarButton.h"

using QZ2Command::ParameterItemBase;

IMPLEMENT_DYNAMIC(CCommandToolBar, CBCGPToolBar)

BEGIN_MESSAGE_MAP(CCommandToolBar, CBCGPToolBar)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

constexpr UINT ID_END_COMMAND = 37101;
constexpr UINT ID_CONFIRM_VALUE = 37102;
constexpr UINT ID_CLEAR_VALUE = 37103;
constexpr UINT ID_STEP_BACK = 37104;
constexpr UINT ID_INPUT_OPTIONS = 37105;
constexpr UINT ID_SELECT_BY_FILTER = 34133;

}  // namespace

CCommandToolBar::CCommandToolBar() = default;

CCommandToolBar::~CCommandToolBar() = default;

int CCommandToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CBCGPToolBar::AddToolBarForImageCollection(kImages);
    RebuildButtons();
    return 0;
}

void CCommandToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A click gives the focus to the bar (which hands it to its list) unless it is already there.
    if (CWnd* pParent = GetParent()) {
        CWnd* pFocus = CWnd::GetFocus();
        if (pFocus == nullptr || (pFocus != pParent && !pParent->IsChild(pFocus)))
            pParent->SetFocus();
    }
    CBCGPToolBar::OnLButtonDown(nFlags, point);
}

BOOL CCommandToolBar::SetItemType(int nType, BOOL bAcceptModifiers)
{
    // Both count: two length rows differ in their buttons when only one takes modifiers.
    if (nType == m_nItemType && (bAcceptModifiers != FALSE) == (m_bAcceptModifiers != FALSE))
        return FALSE;
    m_nItemType = nType;
    m_bAcceptModifiers = bAcceptModifiers != FALSE;
    RebuildButtons();
    return TRUE;
}

void CCommandToolBar::GetButtonIds(std::vector<UINT>& ids) const
{
    ids.clear();
    for (int i = 0; i < GetCount(); ++i) {
        const CBCGPToolbarButton* pButton = GetButton(i);
        ids.push_back(pButton == nullptr || pButton->IsSeparator() ? 0 : pButton->m_nID);
    }
}

BOOL CCommandToolBar::RebuildButtons()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    std::vector<UINT> ids = {ID_END_COMMAND, 0, ID_CONFIRM_VALUE, ID_CLEAR_VALUE};
    std::vector<UINT> group;
    switch (m_nItemType) {
    case ParameterItemBase::typeLength:
        if (m_bAcceptModifiers)
            group = {37152, 37153};
        break;
    case ParameterItemBase::typeAngle:
        if (m_bAcceptModifiers)
            group = {37154, 37155, 37156, 37157};
        break;
    case ParameterItemBase::typePoint:
        if (m_bAcceptModifiers)
            group = {37158, 37159};
        break;
    case ParameterItemBase::typePointArray:
        group = {ID_STEP_BACK};
        if (m_bAcceptModifiers)
            group.insert(group.end(), {37158, 37159});
        break;
    case ParameterItemBase::typeFeatureGroup:
        group = {ID_SELECT_BY_FILTER};
        break;
    default:
        break;
    }
    if (!group.empty()) {
        ids.push_back(0);
        ids.insert(ids.end(), group.begin(), group.end());
    }
    ids.push_back(0);
    ids.push_back(ID_INPUT_OPTIONS);
    if (!SetButtons(ids.data(), static_cast<int>(ids.size())))
        return FALSE;
    const int options = CommandToIndex(ID_INPUT_OPTIONS);
    if (options >= 0)
        SetButtonText(options, LoadResourceString(10030));
    AdjustLayout();
    return TRUE;
}

BOOL CCommandToolBar::LoadState(LPCTSTR, int, UINT)
{
    return FALSE;
}

BOOL CCommandToolBar::SaveState(LPCTSTR, int, UINT)
{
    return FALSE;
}

void CCommandToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHndler)
{
    // The bar that owns the toolbar decides its buttons' state.
    if (CWnd* pOwner = GetOwner())
        UpdateCmdUIThrough(pOwner, bDisableIfNoHndler);
}
