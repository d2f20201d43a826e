#include "structure/CLayerCommandTreeCtrl.h"

#include <algorithm>
#include <memory>

#include <QtCore/QString>

#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/afx/CArray.h"
#include "platform/win/CEdit.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"
#include "structure/CLayerMoveDialog.h"

IMPLEMENT_DYNAMIC(CLayerCommandTreeCtrl, CLayerTreeCtrl)

BEGIN_MESSAGE_MAP(CLayerCommandTreeCtrl, CLayerTreeCtrl)
    ON_COMMAND(cmdAddLayer, &CLayerCommandTreeCtrl::OnAddLayer)
    ON_COMMAND(cmdAddGroup, &CLayerCommandTreeCtrl::OnAddGroup)
    ON_COMMAND(cmdDelete, &CLayerCommandTreeCtrl::OnDelete)
    ON_COMMAND(cmdMakeCurrent, &CLayerCommandTreeCtrl::OnMakeCurrent)
    ON_COMMAND_RANGE(cmdState0, cmdState2, &CLayerCommandTreeCtrl::OnState)
    ON_COMMAND(cmdHide, &CLayerCommandTreeCtrl::OnHide)
    ON_COMMAND(cmdPrintable, &CLayerCommandTreeCtrl::OnPrintable)
    ON_COMMAND(cmdRename, &CLayerCommandTreeCtrl::OnRename)
    ON_COMMAND(cmdMove, &CLayerCommandTreeCtrl::OnMove)
    ON_COMMAND_RANGE(cmdOthersState0, cmdOthersShow, &CLayerCommandTreeCtrl::OnAllOthers)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, &CLayerCommandTreeCtrl::OnBeginLabelEditReflect)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDIT, &CLayerCommandTreeCtrl::OnEndLabelEditReflect)
    ON_NOTIFY_REFLECT(TVN_SELCHANGING, &CLayerCommandTreeCtrl::OnSelChangingReflect)
END_MESSAGE_MAP()

namespace {

// One undo step around a change.
class UndoStep
{
public:
    explicit UndoStep(Draw2dDocument* pDocument) : m_pDocument(pDocument) { m_pDocument->BeginUndoOperation(nullptr); }
    ~UndoStep() { m_pDocument->EndUndoOperation(); }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    Draw2dDocument* m_pDocument;
};

// The layer and every layer and group below it.
std::vector<long> WithSubtree(const LayerFeatureTable* pTable, long nLayerID)
{
    std::vector<long> ids{nLayerID};
    CArray<long, long> below;
    pTable->GetChildLayerList(nLayerID, below, TRUE, TRUE);
    for (INT_PTR i = 0; i < below.GetSize(); ++i)
        ids.push_back(below[i]);
    return ids;
}

void ShowStatus(const CString& text)
{
    const QZ2Command::CommandManager::ShellServices& shell = QZ2Command::CommandManager::GetShellServices();
    if (shell.pfnGetMainFrame != nullptr && shell.pfnSetStatusInformation != nullptr)
        if (CMainFrame* pFrame = shell.pfnGetMainFrame())
            shell.pfnSetStatusInformation(pFrame, text, 5000);
}

}  // namespace

CLayerCommandTreeCtrl::CLayerCommandTreeCtrl() = default;

CLayerCommandTreeCtrl::~CLayerCommandTreeCtrl() = default;

BOOL CLayerCommandTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle |= TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_EDITLABELS;
    if (m_wOptions & optCheckBoxes)
        dwStyle |= TVS_CHECKBOXES;
    // Dragging is this tree's own: the base's style refusing it is left out.
    return CQZ2TreeCtrl::Create(dwStyle & ~static_cast<DWORD>(TVS_DISABLEDRAGDROP), rect, pParentWnd, nID);
}

BOOL CLayerCommandTreeCtrl::IsRootItem(HTREEITEM hItem) const
{
    const LayerFeature* pRecord = GetItemLayer(hItem);
    return hItem != nullptr && hItem == GetRootItem() && pRecord != nullptr && pRecord->GetLayerID() == -1;
}

long CLayerCommandTreeCtrl::ParentForNew() const
{
    const LayerFeature* pRecord = GetSelectedLayer();
    if (pRecord == nullptr)
        return -2;
    return pRecord->IsGroup() ? pRecord->GetLayerID() : pRecord->GetParentID();
}

void CLayerCommandTreeCtrl::StartLabelEdit(long nLayerID)
{
    // Records reach the tree late when the frame posts them: the new item is made here.
    if (FindLayerItem(nLayerID) == nullptr)
        RebuildTree();
    if (HTREEITEM hItem = FindLayerItem(nLayerID)) {
        // The name is typed here: the tree takes the focus for its editor.
        SetFocus();
        Select(hItem, TVGN_CARET);
        EditLabel(hItem);
    }
}

BOOL CLayerCommandTreeCtrl::IsCommandEnabled(UINT nID) const
{
    const LayerFeatureTable* pTable = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    const LayerFeature* pRecord = GetSelectedLayer();
    switch (nID) {
    case cmdAddLayer:
    case cmdAddGroup:
    case cmdLayerTable:
        return m_pDocument != nullptr;
    case cmdDelete: {
        if (pTable == nullptr || pRecord == nullptr)
            return FALSE;
        const long current = m_pDocument->GetCurrentLayerID();
        if (!pRecord->IsGroup())
            return pRecord->GetLayerID() != current;
        return !pTable->IsChildLayerFeature(pRecord->GetLayerID(), current, TRUE);
    }
    case cmdMakeCurrent:
        return pRecord != nullptr && !pRecord->IsGroup();
    case cmdProperties:
        return pRecord != nullptr;
    case cmdMove:
        return pTable != nullptr && pRecord != nullptr && pTable->GetLayerCount() + pTable->GetLayerGroupCount() > 1;
    default:
        return TRUE;
    }
}

CString CLayerCommandTreeCtrl::MakeComponentList(const CStringArray& names)
{
    QString list;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        if (i > 0)
            list += QStringLiteral(", ");
        list += QLatin1Char('\'') + names[i].ToQString() + QLatin1Char('\'');
    }
    // Forty characters as the user sees them: a surrogate pair is never split.
    int units = 0;
    int chars = 0;
    while (units < list.size() && chars < 40) {
        units += (list.at(units).isHighSurrogate() && units + 1 < list.size()) ? 2 : 1;
        ++chars;
    }
    if (units < list.size())
        list = list.left(units) + QStringLiteral("...");
    return CString::FromQString(list);
}

BOOL CLayerCommandTreeCtrl::ConfirmDelete(Draw2dDocument* pDocument, long nLayerID)
{
    const LayerFeatureTable* pTable = pDocument != nullptr ? pDocument->GetLayerTable() : nullptr;
    if (pTable == nullptr || !pTable->IsExistLayerID(nLayerID))
        return FALSE;
    const CString name = pTable->GetLayerName(nLayerID);
    CDWordArray ids;
    if (pDocument->FindComponentDefineIDUsingLayer(nLayerID, ids) >= 1) {
        CStringArray names;
        const DrawComponent2dFeatureDefineTable* pComponents = pDocument->GetComponentDefineTable();
        for (INT_PTR i = 0; i < ids.GetSize(); ++i)
            names.Add(pComponents != nullptr ? pComponents->GetComponentDefineName(static_cast<long>(ids[i])) : CString());
        CString text;
        text.Format(LoadResourceString(10231), static_cast<LPCTSTR>(name), static_cast<LPCTSTR>(MakeComponentList(names)));
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // A group goes with every layer below it: each one answers for itself.
    const std::vector<long> all = WithSubtree(pTable, nLayerID);
    for (long id : all) {
        if (pDocument->IsUsedDrawGroupLayerID(id)) {
            CString text;
            text.Format(LoadResourceString(10232), static_cast<LPCTSTR>(name));
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    for (long id : all) {
        if (pDocument->IsExistFeatureInLayer(id)) {
            CString text;
            text.Format(LoadResourceString(10233), static_cast<LPCTSTR>(name));
            return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
        }
    }
    return TRUE;
}

void CLayerCommandTreeCtrl::OnAddLayer()
{
    const long parent = ParentForNew();
    if (m_pDocument == nullptr || parent == -2)
        return;
    long id = -1;
    {
        UndoStep step(m_pDocument);
        id = m_pDocument->AddLayer(parent, nullptr, 1);
        if (id != -1)
            m_pDocument->SetCurrentLayerID(id, 1);
    }
    if (id != -1)
        StartLabelEdit(id);
}

void CLayerCommandTreeCtrl::OnAddGroup()
{
    const long parent = ParentForNew();
    if (m_pDocument == nullptr || parent == -2)
        return;
    long id = -1;
    {
        UndoStep step(m_pDocument);
        id = m_pDocument->AddLayerGroup(nullptr, parent);
    }
    if (id != -1)
        StartLabelEdit(id);
}

void CLayerCommandTreeCtrl::OnDelete()
{
    const LayerFeature* pRecord = GetSelectedLayer();
    if (m_pDocument == nullptr || pRecord == nullptr || IsRootItem(GetSelectedItem()) || !IsCommandEnabled(cmdDelete))
        return;
    const long id = pRecord->GetLayerID();
    if (!ConfirmDelete(m_pDocument, id))
        return;
    UndoStep step(m_pDocument);
    m_pDocument->DeleteLayer(id, 1);
}

void CLayerCommandTreeCtrl::OnMakeCurrent()
{
    const LayerFeature* pRecord = GetSelectedLayer();
    if (m_pDocument == nullptr || pRecord == nullptr || pRecord->IsGroup() || IsRootItem(GetSelectedItem()))
        return;
    UndoStep step(m_pDocument);
    m_pDocument->SetCurrentLayerID(pRecord->GetLayerID(), 1);
}

void CLayerCommandTreeCtrl::OnState(UINT nID)
{
    const LayerFeature* pRecord = GetSelectedLayer();
    if (m_pDocument == nullptr || pRecord == nullptr)
        return;
    UndoStep step(m_pDocument);
    m_pDocument->SetLayerState(pRecord->GetLayerID(), static_cast<int>(nID - cmdState0), 1);
}

void CLayerCommandTreeCtrl::OnHide()
{
    const LayerFeature* pRecord = GetSelectedLayer();
    if (m_pDocument == nullptr || pRecord == nullptr || IsCurrentLayer(pRecord))
        return;
    BOOL hidden = pRecord->IsHide();
    if (pRecord->IsGroup()) {
        LayerFeature* pCommon = nullptr;
        GetGroupCommonValues(GetSelectedItem(), pCommon);
        if (pCommon == nullptr)
            return;
        hidden = pCommon->IsHide();
        delete pCommon;
    }
    UndoStep step(m_pDocument);
    m_pDocument->SetLayerHide(pRecord->GetLayerID(), !hidden, 1);
}

void CLayerCommandTreeCtrl::OnPrintable()
{
    const LayerFeature* pRecord = GetSelectedLayer();
    if (m_pDocument == nullptr || pRecord == nullptr)
        return;
    BOOL printable = pRecord->IsPrintable();
    if (pRecord->IsGroup()) {
        LayerFeature* pCommon = nullptr;
        GetGroupCommonValues(GetSelectedItem(), pCommon);
        if (pCommon == nullptr)
            return;
        printable = pCommon->IsPrintable();
        delete pCommon;
    }
    UndoStep step(m_pDocument);
    m_pDocument->SetLayerPrintable(pRecord->GetLayerID(), !printable, 1);
}

void CLayerCommandTreeCtrl::OnRename()
{
    HTREEITEM hItem = GetSelectedItem();
    if (hItem == nullptr || IsRootItem(hItem))
        return;
    EditLabel(hItem);
}

void CLayerCommandTreeCtrl::OnMove()
{
    HTREEITEM hItem = GetSelectedItem();
    const LayerFeature* pRecord = GetItemLayer(hItem);
    if (m_pDocument == nullptr || pRecord == nullptr || IsRootItem(hItem))
        return;
    const long id = pRecord->GetLayerID();
    CLayerMoveDialog dialog(this);
    dialog.m_pDocument = m_pDocument;
    dialog.m_movedIDs.Add(static_cast<DWORD>(id));
    if (dialog.DoModal() != IDOK)
        return;
    {
        UndoStep step(m_pDocument);
        const long target = dialog.m_nTargetID;
        if (dialog.GetPosition() == CLayerMoveDialog::posBefore)
            m_pDocument->MoveBeforeLayer(id, target, 1);
        else if (dialog.GetPosition() == CLayerMoveDialog::posAfter)
            m_pDocument->MoveAfterLayer(id, target, 1);
        else
            m_pDocument->MoveInLayer(id, target, -1, 1);
    }
    SetFocus();
}

void CLayerCommandTreeCtrl::OnAllOthers(UINT nID)
{
    const LayerFeatureTable* pTable = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    const LayerFeature* pRecord = GetSelectedLayer();
    if (pTable == nullptr || pRecord == nullptr || pTable->GetLayerCount() == 1)
        return;
    const long id = pRecord->GetLayerID();
    if (pRecord->IsGroup() && pTable->GetChildLayerCount(id, TRUE) == pTable->GetLayerCount())
        return;
    std::vector<long> mine;
    if (pRecord->IsGroup()) {
        CArray<long, long> list;
        pTable->GetChildLayerList(id, list, TRUE, FALSE);
        for (INT_PTR i = 0; i < list.GetSize(); ++i)
            mine.push_back(list[i]);
    } else {
        mine.push_back(id);
    }
    CArray<long, long> order;
    pTable->GetDisplayOrderList(order);
    std::vector<long> others;
    for (INT_PTR i = 0; i < order.GetSize(); ++i)
        if (std::find(mine.begin(), mine.end(), order[i]) == mine.end() && !pTable->IsGroup(order[i]))
            others.push_back(order[i]);
    if (others.empty())
        return;
    UndoStep step(m_pDocument);
    // Each layer is reported: a record for the last one alone would leave the views showing the
    // others as they were.
    for (long id : others) {
        if (nID <= cmdOthersState2)
            m_pDocument->SetLayerState(id, static_cast<int>(nID - cmdOthersState0), 1);
        else
            m_pDocument->SetLayerHide(id, nID == cmdOthersHide, 1);
    }
}

int CLayerCommandTreeCtrl::NextIconState(const LayerFeature* pRecord) const
{
    if (pRecord == nullptr || pRecord->IsGroup() || IsCurrentLayer(pRecord))
        return -1;
    if (pRecord->IsHide())
        return 3;
    return (pRecord->GetLayerState() + 1) % 3;
}

void CLayerCommandTreeCtrl::OnIconClick(HTREEITEM hItem)
{
    const LayerFeature* pRecord = GetItemLayer(hItem);
    const int next = NextIconState(pRecord);
    if (m_pDocument == nullptr || next < 0)
        return;
    UndoStep step(m_pDocument);
    if (next == 3)
        m_pDocument->SetLayerHide(pRecord->GetLayerID(), FALSE, 1);
    else
        m_pDocument->SetLayerState(pRecord->GetLayerID(), next, 1);
}

void CLayerCommandTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    CLayerTreeCtrl::OnLButtonDown(nFlags, point);
    if (hItem != nullptr && (flags & TVHT_ONITEMICON) && IsItemSelectable(hItem)) {
        // A single click steps the state once the double-click time passed without a second click.
        m_hIconItem = hItem;
        SetTimer(kIconClickTimer, GetDoubleClickTime(), nullptr);
    }
}

void CLayerCommandTreeCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    if (hItem == nullptr)
        return;
    if (flags & TVHT_ONITEMICON) {
        // The pending single click is dropped: a double click steps once.
        KillTimer(kIconClickTimer);
        m_hIconItem = nullptr;
        OnIconClick(hItem);
    } else if (flags & TVHT_ONITEMLABEL) {
        Select(hItem, TVGN_CARET);
        OnMakeCurrent();
    }
}

void CLayerCommandTreeCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kIconClickTimer) {
        KillTimer(kIconClickTimer);
        HTREEITEM hItem = m_hIconItem;
        m_hIconItem = nullptr;
        if (hItem != nullptr && GetItemLayer(hItem) != nullptr)
            OnIconClick(hItem);
        return;
    }
    CLayerTreeCtrl::OnTimer(nIDEvent);
}

HTREEITEM CLayerCommandTreeCtrl::GetDropTarget(POINT* pPoint, int* pPosition)
{
    if (pPosition != nullptr)
        *pPosition = kDropRefused;
    if (pPoint == nullptr)
        return nullptr;
    HTREEITEM hItem = HitTest(CPoint(*pPoint));
    BOOL below = FALSE;
    if (hItem == nullptr) {
        HTREEITEM hLast = GetLastVisibleItem();
        CRect rc;
        if (hLast != nullptr && GetItemRect(hLast, &rc, FALSE) && pPoint->y >= rc.bottom) {
            hItem = hLast;
            below = TRUE;
        }
    }
    if (hItem == nullptr)
        return nullptr;
    HTREEITEM hDrag = GetDragItem();
    for (HTREEITEM h = hItem; h != nullptr; h = GetParentItem(h))
        if (h == hDrag)
            return hItem;  // refused
    const LayerFeature* pRecord = GetItemLayer(hItem);
    CRect rc;
    GetItemRect(hItem, &rc, FALSE);
    int position = kDropRefused;
    if (pRecord != nullptr && !pRecord->IsGroup()) {
        position = pPoint->y <= rc.top + rc.Height() / 2 ? kDropBefore : kDropAfter;
    } else if (!IsRootItem(hItem) && pPoint->y <= rc.top + rc.Height() / 5) {
        position = kDropBefore;
    } else {
        position = (below && hItem == GetLastVisibleItem() && !IsRootItem(hItem)) ? kDropAfter : kDropOnto;
    }
    // Nothing would move.
    if ((position == kDropBefore && GetPrevSiblingItem(hItem) == hDrag) ||
        (position == kDropAfter && GetNextSiblingItem(hItem) == hDrag) ||
        (position == kDropOnto && GetParentItem(hDrag) == hItem))
        position = kDropRefused;
    if (pPosition != nullptr)
        *pPosition = position;
    return hItem;
}

void CLayerCommandTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!IsDragging()) {
        CLayerTreeCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    HTREEITEM hDrag = GetDragItem();
    POINT p = point;
    int position = kDropRefused;
    HTREEITEM hTarget = GetDropTarget(&p, &position);
    CQZ2TreeCtrl::EndDrag(nFlags, point);
    const LayerFeature* pDragged = GetItemLayer(hDrag);
    const LayerFeature* pTarget = GetItemLayer(hTarget);
    if (m_pDocument == nullptr || pDragged == nullptr || pTarget == nullptr || hTarget == hDrag ||
        position == kDropRefused)
        return;
    const long dragged = pDragged->GetLayerID();
    const long target = pTarget->GetLayerID();
    UndoStep step(m_pDocument);
    if (position == kDropOnto)
        m_pDocument->MoveInLayer(dragged, target, -1, 1);
    else if (position == kDropAfter)
        m_pDocument->MoveAfterLayer(dragged, target, 1);
    else
        m_pDocument->MoveBeforeLayer(dragged, target, 1);
}

BOOL CLayerCommandTreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DELETE && GetEditControl() == nullptr) {
        PostMessage(WM_COMMAND, cmdDelete, 0);
        return TRUE;
    }
    return CLayerTreeCtrl::PreTranslateMessage(pMsg);
}

void CLayerCommandTreeCtrl::OnBeginLabelEditReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pInfo = reinterpret_cast<NMTVDISPINFO*>(pNMHDR);
    *pResult = (IsRootItem(pInfo->item.hItem) || GetItemLayer(pInfo->item.hItem) == nullptr) ? 1 : 0;
}

void CLayerCommandTreeCtrl::OnEndLabelEditReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pInfo = reinterpret_cast<NMTVDISPINFO*>(pNMHDR);
    *pResult = 0;
    const LayerFeature* pRecord = GetItemLayer(pInfo->item.hItem);
    if (pInfo->item.pszText == nullptr || pRecord == nullptr || m_pDocument == nullptr)
        return;  // cancelled
    CString name(pInfo->item.pszText);
    name.Trim();
    if (name.IsEmpty()) {
        // The old name stays; no step is recorded.
        ShowStatus(LoadResourceString(kNeedsNameMessage));
        return;
    }
    const long id = pRecord->GetLayerID();
    {
        UndoStep step(m_pDocument);
        m_pDocument->SetLayerName(id, name, 1);
    }
    *pResult = 1;
}

void CLayerCommandTreeCtrl::OnSelChangingReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    // A change of selection to no item is refused.
    const auto* pnm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    *pResult = pnm->itemNew.hItem == nullptr ? 1 : 0;
}

BOOL CLayerCommandTreeCtrl::PrepareContextMenu(CMenu& menu)
{
    const LayerFeatureTable* pTable = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    HTREEITEM hItem = GetSelectedItem();
    const LayerFeature* pSelected = GetItemLayer(hItem);
    if (pTable == nullptr || pSelected == nullptr || !menu.LoadMenu(kContextMenu))
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return FALSE;
    std::unique_ptr<LayerFeature> common;
    int commonState = -1;
    const LayerFeature* pRecord = pSelected;
    const BOOL group = pSelected->IsGroup();
    BOOL emptyGroup = FALSE;
    if (group) {
        LayerFeature* p = nullptr;
        GetGroupCommonValues(hItem, p, &commonState);
        common.reset(p);
        if (common) {
            common->SetLayerID(pSelected->GetLayerID());
            pRecord = common.get();
        } else {
            emptyGroup = TRUE;
        }
    }
    const BOOL root = IsRootItem(hItem);
    const long id = pSelected->GetLayerID();
    auto removeCommand = [&](UINT nID) { pPopup->RemoveMenu(nID, MF_BYCOMMAND); };
    if (!(emptyGroup) && !(root && emptyGroup)) {
        const BOOL others = pTable->GetLayerCount() == 1 || pTable->GetLayerCount() == pTable->GetChildLayerCount(id, TRUE);
        if (others)
            pPopup->EnableMenuItem(10, MF_BYPOSITION | MF_GRAYED);
    }
    if (emptyGroup) {
        pPopup->RemoveMenu(11, MF_BYPOSITION);
        pPopup->DeleteMenu(10, MF_BYPOSITION);
    }
    if (group) {
        removeCommand(cmdMakeCurrent);
        if (root) {
            removeCommand(cmdDelete);
            removeCommand(cmdMove);
            removeCommand(cmdRename);
        }
        if (emptyGroup) {
            for (UINT nID : {cmdHide, cmdPrintable, cmdState0, cmdState1, cmdState2})
                removeCommand(nID);
        }
    } else {
        removeCommand(cmdAddLayer);
        removeCommand(cmdAddGroup);
    }
    // Separators left at the start, at the end or twice in a row go.
    for (int i = static_cast<int>(pPopup->GetMenuItemCount()) - 1; i >= 0; --i) {
        const BOOL sep = pPopup->GetMenuItemID(i) == 0;
        const BOOL nextSep = i + 1 >= static_cast<int>(pPopup->GetMenuItemCount()) || pPopup->GetMenuItemID(i + 1) == 0;
        if (sep && (i == 0 || nextSep))
            pPopup->RemoveMenu(static_cast<UINT>(i), MF_BYPOSITION);
    }
    if (!group && IsCurrentLayer(pRecord))
        pPopup->CheckMenuItem(cmdMakeCurrent, MF_BYCOMMAND | MF_CHECKED);
    const int state = group ? commonState : pRecord->GetLayerState();
    if (!emptyGroup && pRecord->IsUsed() && state >= 0 && state <= 2)
        pPopup->CheckMenuRadioItem(cmdState0, cmdState2, cmdState0 + static_cast<UINT>(state), MF_BYCOMMAND);
    if (!emptyGroup && pRecord->IsHide())
        pPopup->CheckMenuItem(cmdHide, MF_BYCOMMAND | MF_CHECKED);
    if (!emptyGroup && pRecord->IsPrintable())
        pPopup->CheckMenuItem(cmdPrintable, MF_BYCOMMAND | MF_CHECKED);
    return TRUE;
}

void CLayerCommandTreeCtrl::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        HTREEITEM hItem = GetSelectedItem();
        CRect rc;
        if (hItem == nullptr || !GetItemRect(hItem, &rc, TRUE))
            return;
        point = rc.CenterPoint();
        ClientToScreen(&point);
    } else if (GetSelectedItem() == nullptr) {
        CPoint client = point;
        ScreenToClient(&client);
        HTREEITEM hItem = HitTest(client);
        if (hItem == nullptr)
            return;
        Select(hItem, TVGN_CARET);
    }
    // The bar shows it (its commands come back to the bar).
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetSafeHwnd()), MAKELPARAM(point.x, point.y));
}
