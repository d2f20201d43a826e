// The menus a right click in the drawing view opens: the command menu while a command runs (its
// settings, parameters, alternatives, list entries and modifiers), the edit menu for a selection (the
// commands the selection can use) and the default menu; each offers to repeat recent commands.

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "command/CommandBase.h"
#include "command/CommandHistory.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/TextSettingStyles.h"
#include "platform/afx/CStringArray.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"

namespace QZ2Command {

namespace {

constexpr UINT kMenuLength = 216;
constexpr UINT kMenuAngle = 217;
constexpr UINT kMenuPoint = 218;
constexpr UINT kMenuDefault = 219;
constexpr UINT kMenuCommand = 220;
constexpr UINT kMenuEdit = 221;
constexpr UINT kRecentPlaceholder = 39203;
constexpr UINT kFirstParameterEntry = 39222;
constexpr UINT kFirstAlternativeEntry = 39252;
constexpr UINT kLastAlternativeEntry = 39352;
constexpr UINT kFirstListEntry = 39362;
constexpr UINT kLastListEntry = 39462;
constexpr UINT kFinishSelection = 34133;
constexpr UINT kFinishInput = 37102;
constexpr UINT kOpenOleObject = 57872;
constexpr int kRecentLimit = 10;

struct SettingGroup {
    UINT nSettingID;
    UINT nTextID;
    int nFeatureType;
    const LPCTSTR* identifiers;
};

const LPCTSTR kPointMarkers[] = {_T("Korvan.Shape.PointMarker"), _T("Korvan.Shape.RelativePointMarker"),
                                 _T("Korvan.Shape.IntersectionPointMarker"), _T("Korvan.Shape.DivisionPointMarker"),
                                 nullptr};
const LPCTSTR kTexts[] = {_T("Korvan.Shape.Text"), _T("Korvan.Shape.TextParagraph"), nullptr};
const LPCTSTR kLeads[] = {_T("Korvan.Shape.Lead"), _T("Korvan.Shape.CChamferLead"), nullptr};
const LPCTSTR kBalloons[] = {_T("Korvan.Shape.Balloon"), nullptr};
const LPCTSTR kHatches[] = {_T("Korvan.Shape.Hatch"), _T("Korvan.Shape.HollowHatch"), nullptr};
const LPCTSTR kBasicShapes[] = {
    _T("Korvan.Shape.Line"), _T("Korvan.Shape.HorizontalLine"), _T("Korvan.Shape.VerticalLine"),
    _T("Korvan.Shape.HorizontalVerticalLine"), _T("Korvan.Shape.PerpendicularLine"), _T("Korvan.Shape.TangentLine"),
    _T("Korvan.Shape.Tangent2Line"), _T("Korvan.Shape.AngledLine"), _T("Korvan.Shape.ParallelLine"),
    _T("Korvan.Shape.MultiLine"), _T("Korvan.Shape.PolylineIndividual"), _T("Korvan.Shape.Polyline"),
    _T("Korvan.Shape.Rectangle"), _T("Korvan.Shape.Polygon"), _T("Korvan.Shape.InfiniteLine"),
    _T("Korvan.Shape.SemiInfiniteLine"), _T("Korvan.Shape.BSplineCurve"),
    _T("Korvan.Shape.BSplineCurveOfInterpolatePoints"), _T("Korvan.Shape.Circle"), _T("Korvan.Shape.CircleOf2Point"),
    _T("Korvan.Shape.CircleOf3Point"), _T("Korvan.Shape.CircleOfTangent"), _T("Korvan.Shape.CircleOf2Tangent"),
    _T("Korvan.Shape.CircleOf3Tangent"), _T("Korvan.Shape.Arc"), _T("Korvan.Shape.ArcOf2Point"),
    _T("Korvan.Shape.ArcOf3Point"), _T("Korvan.Shape.ArcOfTangent"), _T("Korvan.Shape.ArcOf2Tangent"),
    _T("Korvan.Shape.ArcOf3Tangent"), _T("Korvan.Shape.Ellipse"), _T("Korvan.Shape.EllipseArc"), nullptr};
// Every dimension command, and the tolerance mark.
const LPCTSTR kDimensions[] = {
    _T("Korvan.Shape.LinearDimension"), _T("Korvan.Shape.HorizontalLinearDimension"),
    _T("Korvan.Shape.VerticalLinearDimension"), _T("Korvan.Shape.ParallelDimension"),
    _T("Korvan.Shape.RadiusDimension"), _T("Korvan.Shape.DiameterDimension"), _T("Korvan.Shape.AngularDimension"),
    _T("Korvan.Shape.ArcDimension"), _T("Korvan.Shape.Tolerance"), nullptr};

const SettingGroup kSettingGroups[] = {
    {34632, 10674, 1, kPointMarkers}, {34633, 10675, 10, kTexts},       {34634, 10676, 30, kLeads},
    {34635, 10677, 31, kBalloons},    {34637, 10678, 32, kHatches},     {34636, 10679, 50, kDimensions},
    {34631, 10680, 2, kBasicShapes},
};

BOOL InList(const CString& strIdentifier, const LPCTSTR* list)
{
    for (; *list != nullptr; ++list) {
        if (strIdentifier == *list)
            return TRUE;
    }
    return FALSE;
}

// Continue, baseline and progressive dimensions, linear and angular.
BOOL IsChainedDimension(const CString& strIdentifier)
{
    if (strIdentifier.Find(_T("Korvan.Shape.")) != 0 || strIdentifier.Find(_T("Dimension")) < 0)
        return FALSE;
    return strIdentifier.Find(_T("Continue")) >= 0 || strIdentifier.Find(_T("Baseline")) >= 0 ||
           strIdentifier.Find(_T("Progressive")) >= 0;
}

const SettingGroup* FindSettingGroup(const CString& strIdentifier)
{
    for (const SettingGroup& group : kSettingGroups) {
        if (InList(strIdentifier, group.identifiers))
            return &group;
    }
    // The chained dimensions have the dimension settings too.
    if (IsChainedDimension(strIdentifier))
        return &kSettingGroups[5];
    return nullptr;
}

struct StyleIds {
    int nFeatureType;
    UINT nFirst;
    UINT nNone;
};

const StyleIds kStyleIds[] = {
    {2, 34783, 34884}, {1, 34794, 34885}, {10, 34805, 34886}, {30, 34816, 34887},
    {31, 34827, 34888}, {50, 34838, 34889}, {32, 34849, 34890},
};

const FeatureSettingStylesBase* StylesOf(const Draw2dDocument* pDocument, int nFeatureType)
{
    switch (nFeatureType) {
    case 2: return pDocument->GetGeneralFeatureSettingStyles();
    case 1: return pDocument->GetPointMarkerSettingStyles();
    case 10: return pDocument->GetTextSettingStyles();
    case 30: return pDocument->GetLeadSettingStyles();
    case 31: return pDocument->GetBalloonSettingStyles();
    case 50: return pDocument->GetDimensionSettingStyles();
    case 32: return pDocument->GetHatchSettingStyles();
    default: return nullptr;
    }
}

// Appends copies of every item of the source menu, popups with their items.
void CopyMenuItems(const CMenu& source, CMenu& target)
{
    const UINT count = source.GetMenuItemCount();
    for (UINT i = 0; i < count && count != static_cast<UINT>(-1); ++i) {
        const UINT state = source.GetMenuState(i, MF_BYPOSITION);
        CString text;
        source.GetMenuString(i, text, MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            target.AppendMenu(MF_SEPARATOR);
            continue;
        }
        if (CMenu* pSub = source.GetSubMenu(static_cast<int>(i))) {
            CMenu copy;
            copy.CreatePopupMenu();
            CopyMenuItems(*pSub, copy);
            target.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(copy.Detach()), text);
            continue;
        }
        target.AppendMenu(MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)),
                          source.GetMenuItemID(static_cast<int>(i)), text);
    }
}

// A copy of the first submenu of a menu resource, or NULL.
HMENU CopyResourcePopup(UINT nResource)
{
    CMenu resource;
    if (!resource.LoadMenu(nResource))
        return nullptr;
    CMenu* pSub = resource.GetSubMenu(0);
    if (pSub == nullptr)
        return nullptr;
    CMenu copy;
    copy.CreatePopupMenu();
    CopyMenuItems(*pSub, copy);
    return copy.Detach();
}

BOOL IsPointItem(int nType)
{
    return nType == ParameterItemBase::typePoint || nType == ParameterItemBase::typePointArray;
}

// Shows the popup at the point; with bAlign its fourth entry lies under the point, within the work area.
BOOL ShowPopup(CWnd* pOwner, const CPoint& screen, CMenu* pPopup, BOOL bAlign)
{
    if (pPopup == nullptr)
        return FALSE;
    auto* pMenu = new CBCGPPopupMenu;
    if (!pMenu->Create(pOwner, screen.x, screen.y, pPopup->GetSafeHmenu(), FALSE, FALSE))
        return FALSE;  // the popup deleted itself
    QMenu* pQMenu = pMenu->GetQMenu();
    if (bAlign && pQMenu != nullptr && pQMenu->actions().size() > 3) {
        const QRect fourth = pQMenu->actionGeometry(pQMenu->actions().at(3));
        int top = screen.y - fourth.top();
        const QScreen* pScreen = QGuiApplication::screenAt(QPoint(screen.x, screen.y));
        if (pScreen == nullptr)
            pScreen = QGuiApplication::primaryScreen();
        if (pScreen != nullptr) {
            const QRect work = pScreen->availableGeometry();
            const int height = pQMenu->sizeHint().height();
            if (top + height > work.bottom())
                top = work.bottom() - height;
        }
        pQMenu->move(screen.x, top);
    }
    return TRUE;
}

}  // namespace

// --- recent commands and setting styles -----------------------------------------------------------

BOOL CommandManager::AddRecentCommandsToMenu(CMenu* pMenu, int nPosition)
{
    if (pMenu == nullptr || nPosition < 0)
        return FALSE;
    const CommandBase* pTop = GetActiveCommand();
    const UINT nRunning = pTop != nullptr ? GetCommandID(pTop->GetIdentifier()) : static_cast<UINT>(-1);
    const int count = m_commandHistory.GetCount();
    int nRepeat = 0;
    if (nRepeat < count && m_commandHistory.GetAt(nRepeat) == nRunning)
        ++nRepeat;
    if (nRepeat >= count)
        return FALSE;
    const UINT nRepeatID = m_commandHistory.GetAt(nRepeat);
    pMenu->ModifyMenu(static_cast<UINT>(nPosition), MF_BYPOSITION | MF_STRING, nRepeatID,
                      GetCommandDisplayName(nRepeatID) + LoadResourceString(10689));
    CMenu* pRecent = pMenu->GetSubMenu(nPosition + 1);
    if (pRecent == nullptr || nRepeat + 1 >= count)
        return TRUE;
    pRecent->DeleteMenu(kRecentPlaceholder, MF_BYCOMMAND);
    // Newer first, up to the tenth newest entry of the history.
    int number = 1;
    for (int i = nRepeat + 1; i < count && i < kRecentLimit; ++i, ++number) {
        const UINT nID = m_commandHistory.GetAt(i);
        CString text;
        text.Format(_T("&%d "), number);
        pRecent->AppendMenu(MF_STRING, nID, text + GetCommandDisplayName(nID));
    }
    return TRUE;
}

BOOL CommandManager::AddSettingStyleMenu(CMenu* pMenu, int nPosition, int nFeatureType)
{
    if (pMenu == nullptr || m_pDraw2dDocument == nullptr)
        return FALSE;
    const StyleIds* pIds = nullptr;
    for (const StyleIds& ids : kStyleIds) {
        if (ids.nFeatureType == nFeatureType)
            pIds = &ids;
    }
    const FeatureSettingStylesBase* pStyles = pIds != nullptr ? StylesOf(m_pDraw2dDocument, nFeatureType) : nullptr;
    if (pStyles == nullptr)
        return FALSE;
    CStringArray names;
    pStyles->GetSettingStyleNameArray(names, 1);
    if (names.GetSize() == 0)
        return pMenu->InsertMenu(static_cast<UINT>(nPosition), MF_BYPOSITION | MF_STRING, pIds->nNone,
                                 LoadResourceString(10688));
    const CString strCurrent = pStyles->GetCurrentSettingStyleName();
    CMenu popup;
    popup.CreatePopupMenu();
    for (INT_PTR i = 0; i < names.GetSize() && i < 9; ++i) {
        // Only the current style carries the mark.
        const UINT nCheck = names[i] == strCurrent ? MF_CHECKED : MF_UNCHECKED;
        popup.AppendMenu(MF_STRING | nCheck, pIds->nFirst + static_cast<UINT>(i), names[i]);
    }
    if (names.GetSize() > 9) {
        popup.AppendMenu(MF_SEPARATOR);
        popup.AppendMenu(MF_STRING, pIds->nFirst + 10, LoadResourceString(10687));
    }
    return pMenu->InsertMenu(static_cast<UINT>(nPosition), MF_BYPOSITION | MF_POPUP,
                             reinterpret_cast<UINT_PTR>(popup.Detach()), LoadResourceString(10686));
}

// --- the three menus -----------------------------------------------------------------------------

CMenu* CommandManager::BuildDefaultContextMenu(CMenu& resource)
{
    if (!resource.LoadMenu(kMenuDefault))
        return nullptr;
    CMenu* pPopup = resource.GetSubMenu(0);
    if (pPopup != nullptr)
        AddRecentCommandsToMenu(pPopup, 0);
    return pPopup;
}

CMenu* CommandManager::BuildCommandContextMenu(CMenu& resource)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || !resource.LoadMenu(kMenuCommand))
        return nullptr;
    CMenu* pPopup = resource.GetSubMenu(0);
    if (pPopup == nullptr)
        return nullptr;
    const CString strIdentifier = pCommand->GetIdentifier();
    UINT nPosition = 3;
    if (const SettingGroup* pGroup = FindSettingGroup(strIdentifier)) {
        pPopup->InsertMenu(3, MF_BYPOSITION | MF_STRING, pGroup->nSettingID, LoadResourceString(pGroup->nTextID));
        const BOOL bStyles = AddSettingStyleMenu(pPopup, 4, pGroup->nFeatureType);
        pPopup->InsertMenu(bStyles ? 5 : 4, MF_BYPOSITION | MF_SEPARATOR);
        nPosition = bStyles ? 6 : 5;
    }
    UINT nAlternative = kFirstAlternativeEntry;
    UINT nListEntry = kFirstListEntry;
    for (int i = 0; i < pCommand->GetParameterCount(); ++i) {
        const CommandParameter* pParameter = pCommand->GetParameter(i);
        const ParameterItemBase* pItem = pParameter->GetCurrentItem();
        if (pItem == nullptr)
            continue;
        const BOOL bCurrent = i == pCommand->GetCurrentParameterIndex();
        if (pParameter->GetItemCount() > 1) {
            CMenu popup;
            popup.CreatePopupMenu();
            UINT nCurrentID = 0;
            const UINT nFirst = nAlternative;
            for (int k = 0; k < pParameter->GetItemCount() && nAlternative <= kLastAlternativeEntry; ++k) {
                if (k == pParameter->GetCurrentIndex())
                    nCurrentID = nAlternative;
                popup.AppendMenu(MF_STRING, nAlternative++, pParameter->GetItem(k)->m_strCaption);
            }
            if (nCurrentID != 0)
                popup.CheckMenuRadioItem(nFirst, nAlternative - 1, nCurrentID, MF_BYCOMMAND);
            pPopup->InsertMenu(nPosition, MF_BYPOSITION | MF_POPUP | (bCurrent ? MF_CHECKED : 0),
                               reinterpret_cast<UINT_PTR>(popup.Detach()), pItem->m_strCaption);
        } else if (const auto* pList = dynamic_cast<const ListParameterItem*>(pItem)) {
            CMenu popup;
            popup.CreatePopupMenu();
            for (int k = 0; k < pList->GetItemCount() && nListEntry <= kLastListEntry; ++k, ++nListEntry) {
                const BOOL bSelected = !pList->IsEmpty() && k == pList->m_nSelected;
                popup.AppendMenu(MF_STRING | (bSelected ? MF_CHECKED : 0), nListEntry, pList->GetItemText(k));
            }
            pPopup->InsertMenu(nPosition, MF_BYPOSITION | MF_POPUP | (bCurrent ? MF_CHECKED : 0),
                               reinterpret_cast<UINT_PTR>(popup.Detach()), pItem->m_strCaption);
        } else {
            pPopup->InsertMenu(nPosition, MF_BYPOSITION | MF_STRING | (bCurrent ? MF_CHECKED : 0),
                               kFirstParameterEntry + static_cast<UINT>(i), pItem->m_strCaption);
        }
        ++nPosition;
    }
    pPopup->InsertMenu(nPosition++, MF_BYPOSITION | MF_SEPARATOR);

    // Modifier submenus for the kinds of the current items that take modifiers, each once.
    BOOL bPoint = FALSE, bLength = FALSE, bAngle = FALSE;
    for (int i = 0; i < pCommand->GetParameterCount(); ++i) {
        const ParameterItemBase* pItem = pCommand->GetParameter(i)->GetCurrentItem();
        if (pItem == nullptr || !pItem->m_bAcceptModifier)
            continue;
        bPoint = bPoint || IsPointItem(pItem->GetTypeCode());
        bLength = bLength || pItem->GetTypeCode() == ParameterItemBase::typeLength;
        bAngle = bAngle || pItem->GetTypeCode() == ParameterItemBase::typeAngle;
    }
    const struct {
        BOOL bWanted;
        UINT nResource;
        UINT nText;
    } modifiers[] = {{bPoint, kMenuPoint, 10681}, {bLength, kMenuLength, 10682}, {bAngle, kMenuAngle, 10683}};
    BOOL bAnyModifier = FALSE;
    for (const auto& m : modifiers) {
        if (!m.bWanted)
            continue;
        if (HMENU hCopy = CopyResourcePopup(m.nResource)) {
            pPopup->InsertMenu(nPosition++, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(hCopy),
                               LoadResourceString(m.nText));
            bAnyModifier = TRUE;
        }
    }
    if (bAnyModifier)
        pPopup->InsertMenu(nPosition++, MF_BYPOSITION | MF_SEPARATOR);

    const int nCurrentType = pCommand->GetCurrentItemType();
    if (nCurrentType == ParameterItemBase::typeFeatureGroup || nCurrentType == ParameterItemBase::typeFeatureList)
        pPopup->InsertMenu(nPosition++, MF_BYPOSITION | MF_STRING, kFinishSelection, LoadResourceString(10684));
    static const LPCTSTR kOpenEnded[] = {_T("Korvan.Shape.Polyline"), _T("Korvan.Shape.BSplineCurve"),
                                         _T("Korvan.Shape.BSplineCurveOfInterpolatePoints"), _T("Korvan.Shape.Lead"),
                                         _T("Korvan.Shape.CChamferLead"), _T("Korvan.Shape.Balloon"), nullptr};
    if (InList(strIdentifier, kOpenEnded) || IsChainedDimension(strIdentifier))
        pPopup->InsertMenu(nPosition++, MF_BYPOSITION | MF_STRING, kFinishInput, LoadResourceString(10685));
    AddRecentCommandsToMenu(pPopup, 0);
    return pPopup;
}

CMenu* CommandManager::BuildEditContextMenu(CMenu& resource)
{
    if (!resource.LoadMenu(kMenuEdit))
        return nullptr;
    CMenu* pPopup = resource.GetSubMenu(0);
    if (pPopup == nullptr)
        return nullptr;
    auto removeUnlessEnabled = [&](UINT nID) {
        if (IsCommandEnabled(GetCommandIdentifier(nID)))
            return FALSE;
        return pPopup->DeleteMenu(nID, MF_BYCOMMAND);
    };
    static const UINT kChecked[] = {57635, 57634, 33723, 33724, 57632, 33753, 33776, 33774, 33763, 33764,
                                    33823, 33843, 33793, 33794, 33602, 33603, 33783, 33831, 33832};
    for (UINT nID : kChecked)
        removeUnlessEnabled(nID);

    // Opening an object needs exactly one selected OLE object.
    BOOL bOleObject = FALSE;
    if (m_pDraw2dDocument != nullptr) {
        const SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
        if (pSelection != nullptr && pSelection->GetSelectedFeatureCount() == 1) {
            const FeatureRecord& record = *pSelection->GetSelectedFeatureMap().begin();
            bOleObject = m_pDraw2dDocument->GetFeatureType(record.GetRecordID()) == 90;
        }
    }
    if (!bOleObject)
        pPopup->DeleteMenu(kOpenOleObject, MF_BYCOMMAND);
    removeUnlessEnabled(33416);

    // The dimension submenu: whole groups that went take the separator before them along.
    for (int i = 0; i < static_cast<int>(pPopup->GetMenuItemCount()); ++i) {
        CMenu* pSub = pPopup->GetSubMenu(i);
        if (pSub == nullptr || pSub->GetMenuItemID(0) != 33552)
            continue;
        auto drop = [&](UINT nID) {
            if (IsCommandEnabled(GetCommandIdentifier(nID)))
                return FALSE;
            return pSub->DeleteMenu(nID, MF_BYCOMMAND);
        };
        const BOOL bAngular = drop(33558);
        const BOOL bArc = drop(33559);
        if (bAngular && bArc)
            pSub->DeleteMenu(7, MF_BYPOSITION);
        const BOOL bRadius = drop(33556);
        const BOOL bDiameter = drop(33557);
        if (bRadius && bDiameter)
            pSub->DeleteMenu(4, MF_BYPOSITION);
        const BOOL bLinear = drop(33552);
        const BOOL bHorizontal = drop(33553);
        const BOOL bVertical = drop(33554);
        const BOOL bParallel = drop(33555);
        const BOOL bSomeLater = !(bAngular && bArc && bRadius && bDiameter);
        if (bLinear && bHorizontal && bVertical && bParallel && bSomeLater)
            pSub->DeleteMenu(0, MF_BYPOSITION);
        break;
    }
    for (int i = 0; i < static_cast<int>(pPopup->GetMenuItemCount()); ++i) {
        CMenu* pSub = pPopup->GetSubMenu(i);
        if (pSub == nullptr || pSub->GetMenuItemID(0) != 34733)
            continue;
        for (UINT nID : {34733u, 34734u}) {
            if (!IsCommandEnabled(GetCommandIdentifier(nID)))
                pSub->DeleteMenu(nID, MF_BYCOMMAND);
        }
        break;
    }
    AddRecentCommandsToMenu(pPopup, 0);
    for (int i = static_cast<int>(pPopup->GetMenuItemCount()) - 1; i >= 0; --i) {
        CMenu* pSub = pPopup->GetSubMenu(i);
        if (pSub != nullptr && pSub->GetMenuItemCount() == 0)
            pPopup->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
    }
    return pPopup;
}

BOOL CommandManager::ShowDefaultContextMenu(CWnd* pOwner, const CPoint& screen)
{
    CMenu resource;
    return ShowPopup(pOwner, screen, BuildDefaultContextMenu(resource), FALSE);
}

BOOL CommandManager::ShowCommandContextMenu(CWnd* pOwner, const CPoint& screen)
{
    if (!HasActiveCommand())
        return FALSE;
    CMenu resource;
    return ShowPopup(pOwner, screen, BuildCommandContextMenu(resource), TRUE);
}

BOOL CommandManager::ShowEditContextMenu(CWnd* pOwner, const CPoint& screen)
{
    CMenu resource;
    return ShowPopup(pOwner, screen, BuildEditContextMenu(resource), TRUE);
}

BOOL CommandManager::OnContextMenu(CWnd* pWnd, const CPoint& screen)
{
    if (m_pTabView == nullptr && m_pActiveView == nullptr)
        return FALSE;
    if (m_pActiveView != nullptr)
        m_pActiveView->RestoreView();
    if (m_bPanning) {
        const BOOL bMoved = m_bPanMoved;
        EndMiddleButtonPan();
        m_bPanMoved = FALSE;
        if (m_pActiveView != nullptr && m_pActiveView->GetHWnd() != nullptr &&
            ::GetCapture() == m_pActiveView->GetHWnd())
            ::ReleaseCapture();
        // A right-button drag that moved the view opens no menu.
        if (bMoved)
            return FALSE;
    }
    if (HasActiveCommand())
        return ShowCommandContextMenu(pWnd, screen);
    const SelectionManager* pSelection =
        m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetSelectionManager() : nullptr;
    if (pSelection != nullptr && !pSelection->IsSelectionEmpty())
        return ShowEditContextMenu(pWnd, screen);
    return ShowDefaultContextMenu(pWnd, screen);
}

}  // namespace QZ2Command
