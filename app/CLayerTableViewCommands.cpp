// The layer commands of the layer table view and the requests of its list: each acts on every selected
// row and is one undo step; the document's notifications then update the list.

#include <algorithm>
#include <vector>

#include "app/CLayerTableView.h"
#include "command/LoadResourceString.h"
#include "controls/CQZ2MessageBox.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/afx/CArray.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "structure/CLayerMoveDialog.h"

namespace {

// One undo step around an operation, closed on every way out.
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

// The layer itself and, for a group, every layer and group below it.
std::vector<long> WithSubtree(const LayerFeatureTable* pTable, long nLayerID)
{
    std::vector<long> ids{nLayerID};
    if (pTable->IsGroup(nLayerID)) {
        CArray<long, long> below;
        pTable->GetChildLayerList(nLayerID, below, TRUE, TRUE);
        for (int i = 0; i < below.GetSize(); ++i)
            ids.push_back(below[i]);
    }
    return ids;
}

}  // namespace

void CLayerTableView::GetSelectedIDs(CDWordArray& ids) const
{
    ids.RemoveAll();
    CDWordArray rows;
    m_wndList.GetSelectedRows(rows);
    for (int i = 0; i < rows.GetSize(); ++i)
        ids.Add(static_cast<DWORD>(m_wndList.GetLayerID(static_cast<int>(rows[i]))));
}

void CLayerTableView::GetSelectionLayers(CDWordArray& layers) const
{
    layers.RemoveAll();
    Draw2dDocument* pModel = GetModel();
    if (pModel == nullptr)
        return;
    const LayerFeatureTable* pTable = pModel->GetLayerTable();
    CDWordArray ids;
    GetSelectedIDs(ids);
    for (int i = 0; i < ids.GetSize(); ++i) {
        const long id = static_cast<long>(ids[i]);
        if (pTable->IsGroup(id)) {
            CArray<long, long> below;
            pTable->GetChildLayerList(id, below, TRUE, FALSE);
            for (int k = 0; k < below.GetSize(); ++k)
                layers.Add(static_cast<DWORD>(below[k]));
        } else {
            layers.Add(static_cast<DWORD>(id));
        }
    }
}

BOOL CLayerTableView::IsCommandEnabled(UINT nID, int* pCheck) const
{
    if (pCheck != nullptr)
        *pCheck = -1;
    Draw2dDocument* pModel = GetModel();
    if (pModel == nullptr)
        return FALSE;
    const LayerFeatureTable* pTable = pModel->GetLayerTable();
    CDWordArray ids;
    GetSelectedIDs(ids);
    const int selected = static_cast<int>(ids.GetSize());
    const long current = pModel->GetCurrentLayerID();
    // Some selected row is a layer or a group with layers below it.
    auto anyWithLayers = [&] {
        for (int i = 0; i < selected; ++i) {
            const long id = static_cast<long>(ids[i]);
            if (!pTable->IsGroup(id) || pTable->GetChildLayerCount(id, TRUE) > 0)
                return TRUE;
        }
        return FALSE;
    };
    auto allLayers = [&](auto test) {
        CDWordArray layers;
        GetSelectionLayers(layers);
        if (layers.GetSize() == 0)
            return FALSE;
        for (int i = 0; i < layers.GetSize(); ++i)
            if (!test(pTable->GetLayerFeature(static_cast<long>(layers[i]))))
                return FALSE;
        return TRUE;
    };
    switch (nID) {
    case cmdAddLayer:
    case cmdAddGroup:
        return TRUE;
    case cmdDelete:
        if (selected == 0)
            return FALSE;
        for (int i = 0; i < selected; ++i) {
            const long id = static_cast<long>(ids[i]);
            if (id == current || (pTable->IsGroup(id) && pTable->IsChildLayerFeature(id, current, TRUE)))
                return FALSE;
        }
        return TRUE;
    case cmdMakeCurrent: {
        const BOOL bLayer = selected == 1 && !pTable->IsGroup(static_cast<long>(ids[0]));
        if (pCheck != nullptr && bLayer)
            *pCheck = static_cast<long>(ids[0]) == current ? 1 : 0;
        return bLayer;
    }
    case cmdState0:
    case cmdState1:
    case cmdState2:
    case cmdHide:
    case cmdPrintable: {
        if (!anyWithLayers())
            return FALSE;
        if (pCheck != nullptr) {
            if (nID == cmdHide)
                *pCheck = allLayers([](const LayerFeature* p) { return p != nullptr && p->IsHide(); }) ? 1 : 0;
            else if (nID == cmdPrintable)
                *pCheck = allLayers([](const LayerFeature* p) { return p != nullptr && p->IsPrintable(); }) ? 1 : 0;
            else {
                const int state = static_cast<int>(nID - cmdState0);
                *pCheck = allLayers([state](const LayerFeature* p) { return p != nullptr && p->GetLayerState() == state; })
                              ? 1 : 0;
            }
        }
        return TRUE;
    }
    case cmdRename:
        return selected == 1;
    case cmdProperties:
        return selected > 0;
    case cmdMove:
        return pTable->GetLayerCount() > 1 && selected > 0;
    case cmdOthersState0:
    case cmdOthersState1:
    case cmdOthersState2:
    case cmdOthersHide:
    case cmdOthersShow: {
        int count = 0;
        for (int i = 0; i < selected; ++i) {
            const long id = static_cast<long>(ids[i]);
            count += pTable->IsGroup(id) ? pTable->GetChildLayerCount(id, TRUE) : 1;
        }
        return count != 0 && count != pTable->GetLayerCount();
    }
    default:
        return FALSE;
    }
}

void CLayerTableView::OnUpdateLayerCommand(CCmdUI* pCmdUI)
{
    int check = -1;
    pCmdUI->Enable(IsCommandEnabled(pCmdUI->m_nID, &check));
    if (check >= 0)
        pCmdUI->SetCheck(check);
}

void CLayerTableView::OnLayerCommand(UINT nID)
{
    if (GetModel() == nullptr || !IsCommandEnabled(nID))
        return;
    switch (nID) {
    case cmdAddLayer: AddLayer(FALSE); break;
    case cmdAddGroup: AddLayer(TRUE); break;
    case cmdDelete: DeleteSelection(); break;
    case cmdMakeCurrent: MakeCurrent(); break;
    case cmdState0:
    case cmdState1:
    case cmdState2: SetSelectionState(static_cast<int>(nID - cmdState0)); break;
    case cmdHide: ToggleSelectionFlag(TRUE); break;
    case cmdPrintable: ToggleSelectionFlag(FALSE); break;
    case cmdRename: Rename(); break;
    case cmdProperties: ShowLayerProperties(TRUE); break;
    case cmdMove: MoveThroughDialog(); break;
    case cmdOthersState0:
    case cmdOthersState1:
    case cmdOthersState2:
    case cmdOthersHide:
    case cmdOthersShow: AllOtherLayers(nID); break;
    default: break;
    }
}

void CLayerTableView::AddLayer(BOOL bGroup)
{
    Draw2dDocument* pModel = GetModel();
    long parent = m_nGroupID;
    BOOL bFromRow = FALSE;
    CDWordArray ids;
    GetSelectedIDs(ids);
    if (ids.GetSize() == 1 && pModel->GetLayerTable()->IsGroup(static_cast<long>(ids[0]))) {
        parent = static_cast<long>(ids[0]);
        bFromRow = TRUE;
    }
    UndoStep step(pModel);
    const long id = bGroup ? pModel->AddLayerGroup(nullptr, parent) : pModel->AddLayer(nullptr, parent);
    if (id == -1)
        return;
    if (bFromRow)
        ShowGroup(parent);
    if (!bGroup)
        pModel->SetCurrentLayerID(id, 1);
    m_wndList.SelectLayer(id);
    const int row = m_wndList.FindLayerRow(id);
    if (row >= 0)
        m_wndList.EnsureVisible(row, FALSE);
}

void CLayerTableView::DeleteSelection()
{
    Draw2dDocument* pModel = GetModel();
    const LayerFeatureTable* pTable = pModel->GetLayerTable();
    CDWordArray ids;
    GetSelectedIDs(ids);
    if (ids.GetSize() == 0)
        return;
    for (int i = 0; i < ids.GetSize(); ++i) {
        const long id = static_cast<long>(ids[i]);
        const CString name = pTable->GetLayerName(id);
        CDWordArray users;
        if (pModel->FindComponentDefineIDUsingLayer(id, users) >= 1) {
            // Every component is named, however long the list.
            const DrawComponent2dFeatureDefineTable* pComponents = pModel->GetComponentDefineTable();
            CString list;
            for (int k = 0; k < users.GetSize(); ++k) {
                if (k > 0)
                    list += u", ";
                list += u"'";
                if (pComponents != nullptr)
                    list += pComponents->GetComponentDefineName(static_cast<long>(users[k]));
                list += u"'";
            }
            CString text;
            text.Format(LoadResourceString(10231), static_cast<LPCTSTR>(name), static_cast<LPCTSTR>(list));
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        // A group goes with every layer below it: each one answers for itself.
        for (long below : WithSubtree(pTable, id))
            if (pModel->IsUsedDrawGroupLayerID(below)) {
                CString text;
                text.Format(LoadResourceString(10232), static_cast<LPCTSTR>(name));
                AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
                return;
            }
    }
    UndoStep step(pModel);
    BOOL bYesToAll = FALSE;
    for (int i = 0; i < ids.GetSize(); ++i) {
        const long id = static_cast<long>(ids[i]);
        if (!pTable->IsExistLayerID(id))
            continue;  // went with a group deleted before it
        BOOL bHoldsShapes = FALSE;
        for (long below : WithSubtree(pTable, id))
            bHoldsShapes = bHoldsShapes || pModel->IsExistFeatureInLayer(below);
        if (bHoldsShapes && !bYesToAll) {
            CQZ2MessageBox box(this);
            box.m_strTitle = LoadResourceString(kDeleteQuestionTitle);
            CString text;
            text.Format(LoadResourceString(kDeleteQuestionText), static_cast<LPCTSTR>(pTable->GetLayerName(id)));
            box.SetMessageText(text);
            const INT_PTR answer = box.DoModal();
            if (answer == IDCANCEL)
                return;  // the deletions so far stay in the step
            if (answer == IDNO)
                continue;
            if (answer == CQZ2MessageBox::kYesToAll)
                bYesToAll = TRUE;
        }
        pModel->DeleteLayer(id, 1);
    }
}

void CLayerTableView::MakeCurrent()
{
    CDWordArray ids;
    GetSelectedIDs(ids);
    if (ids.GetSize() != 1)
        return;
    Draw2dDocument* pModel = GetModel();
    UndoStep step(pModel);
    pModel->SetCurrentLayerID(static_cast<long>(ids[0]), 1);
}

void CLayerTableView::SetSelectionState(int nState)
{
    CDWordArray ids;
    GetSelectedIDs(ids);
    if (ids.GetSize() == 0)
        return;
    Draw2dDocument* pModel = GetModel();
    UndoStep step(pModel);
    for (int i = 0; i < ids.GetSize(); ++i)
        pModel->SetLayerState(static_cast<long>(ids[i]), nState, 1);
}

void CLayerTableView::ToggleSelectionFlag(BOOL bHide)
{
    CDWordArray ids, layers;
    GetSelectedIDs(ids);
    if (ids.GetSize() == 0)
        return;
    Draw2dDocument* pModel = GetModel();
    const LayerFeatureTable* pTable = pModel->GetLayerTable();
    GetSelectionLayers(layers);
    BOOL bAll = layers.GetSize() > 0;
    for (int i = 0; bAll && i < layers.GetSize(); ++i)
        bAll = bHide ? pTable->IsLayerHide(static_cast<long>(layers[i]))
                     : pTable->IsLayerPrintable(static_cast<long>(layers[i]));
    // Hidden: all hidden shows them, else hides them. Printable likewise.
    const BOOL bValue = bAll ? FALSE : TRUE;
    UndoStep step(pModel);
    for (int i = 0; i < ids.GetSize(); ++i) {
        if (bHide)
            pModel->SetLayerHide(static_cast<long>(ids[i]), bValue, 1);
        else
            pModel->SetLayerPrintable(static_cast<long>(ids[i]), bValue);
    }
}

void CLayerTableView::Rename()
{
    CDWordArray rows;
    if (m_wndList.GetSelectedRows(rows) != 1)
        return;
    m_wndList.AllowLabelEdit();
    m_wndList.SetFocus();
    m_wndList.EditLabel(static_cast<int>(rows[0]));
}

void CLayerTableView::OnListEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    Draw2dDocument* pModel = GetModel();
    if (pModel == nullptr || pInfo->item.pszText == nullptr)
        return;
    const CString name(pInfo->item.pszText);
    const long id = m_wndList.GetLayerID(pInfo->item.iItem);
    // An empty name keeps the old one: a layer needs a name.
    if (id == -1 || name.IsEmpty())
        return;
    UndoStep step(pModel);
    pModel->SetLayerName(id, name);
}

void CLayerTableView::MoveSelection(long nTargetID, int nPosition, BOOL bTakeFocus)
{
    Draw2dDocument* pModel = GetModel();
    CDWordArray ids;
    GetSelectedIDs(ids);
    if (pModel == nullptr || ids.GetSize() == 0)
        return;
    const int focused = m_wndList.GetNextItem(-1, LVNI_FOCUSED);
    const long focusID = focused >= 0 ? m_wndList.GetLayerID(focused) : -1;
    UndoStep step(pModel);
    const int count = static_cast<int>(ids.GetSize());
    if (nPosition == CLayerMoveDialog::posBefore) {
        for (int i = 0; i < count; ++i)
            pModel->MoveBeforeLayer(static_cast<long>(ids[i]), nTargetID, 1);
    } else if (nPosition == CLayerMoveDialog::posAfter) {
        for (int i = count - 1; i >= 0; --i)
            pModel->MoveAfterLayer(static_cast<long>(ids[i]), nTargetID, 1);
    } else {
        for (int i = 0; i < count; ++i)
            pModel->MoveInLayer(static_cast<long>(ids[i]), nTargetID, -1, 1);
    }
    m_wndList.SelectLayers(ids);
    if (m_wndList.FocusLayer(focusID)) {
        const int row = m_wndList.FindLayerRow(focusID);
        if (row >= 0)
            m_wndList.EnsureVisible(row, FALSE);
    }
    if (bTakeFocus)
        m_wndList.SetFocus();
}

void CLayerTableView::MoveThroughDialog()
{
    CLayerMoveDialog dialog(this);
    dialog.m_pDocument = GetModel();
    GetSelectedIDs(dialog.m_movedIDs);
    if (dialog.m_movedIDs.GetSize() == 0 || dialog.DoModal() != IDOK)
        return;
    MoveSelection(dialog.m_nTargetID, dialog.GetPosition(), TRUE);
}

void CLayerTableView::AllOtherLayers(UINT nID)
{
    Draw2dDocument* pModel = GetModel();
    CDWordArray layers;
    GetSelectionLayers(layers);
    if (layers.GetSize() == 0)
        return;
    CArray<long, long> order;
    pModel->GetLayerTable()->GetDisplayOrderList(order);
    std::vector<long> others;
    for (int i = 0; i < order.GetSize(); ++i) {
        BOOL bSelected = FALSE;
        for (int k = 0; k < layers.GetSize() && !bSelected; ++k)
            bSelected = static_cast<long>(layers[k]) == order[i];
        if (!bSelected)
            others.push_back(order[i]);
    }
    UndoStep step(pModel);
    for (size_t i = 0; i < others.size(); ++i) {
        // One notification for the whole operation, with the last layer.
        const int last = i + 1 == others.size() ? 1 : 0;
        if (nID == cmdOthersHide || nID == cmdOthersShow)
            pModel->SetLayerHide(others[i], nID == cmdOthersHide, last);
        else
            pModel->SetLayerState(others[i], static_cast<int>(nID - cmdOthersState0), last);
    }
}

void CLayerTableView::OnRowRequest(UINT message, int nRow, int nValue)
{
    Draw2dDocument* pModel = GetModel();
    const long id = m_wndList.GetLayerID(nRow);
    if (pModel == nullptr || id == -1)
        return;
    // A request on a selected row goes to every selected row.
    CDWordArray ids;
    if (m_wndList.GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED)
        GetSelectedIDs(ids);
    else
        ids.Add(static_cast<DWORD>(id));
    UndoStep step(pModel);
    switch (message) {
    case CLayerListCtrl::msgMakeCurrent: pModel->SetCurrentLayerID(id, 1); break;
    case CLayerListCtrl::msgState:
        for (int i = 0; i < ids.GetSize(); ++i)
            pModel->SetLayerState(static_cast<long>(ids[i]), nValue, 1);
        break;
    case CLayerListCtrl::msgHide:
        for (int i = 0; i < ids.GetSize(); ++i)
            pModel->SetLayerHide(static_cast<long>(ids[i]), nValue, 1);
        break;
    case CLayerListCtrl::msgPrintable:
        for (int i = 0; i < ids.GetSize(); ++i)
            pModel->SetLayerPrintable(static_cast<long>(ids[i]), nValue);
        break;
    case CLayerListCtrl::msgColor: pModel->SetLayerColorNo(id, static_cast<short>(nValue), 1); break;
    case CLayerListCtrl::msgLineType: pModel->SetLayerLineTypeNo(id, static_cast<short>(nValue), 1); break;
    case CLayerListCtrl::msgLineWidth: pModel->SetLayerLineWidthNo(id, static_cast<short>(nValue), 1); break;
    default: break;
    }
}

LRESULT CLayerTableView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case CLayerListCtrl::msgMakeCurrent:
    case CLayerListCtrl::msgState:
    case CLayerListCtrl::msgHide:
    case CLayerListCtrl::msgPrintable:
    case CLayerListCtrl::msgColor:
    case CLayerListCtrl::msgLineType:
    case CLayerListCtrl::msgLineWidth:
        OnRowRequest(message, static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case CLayerListCtrl::msgDrop: {
        // The target is taken before anything moves.
        const long target = m_wndList.GetLayerID(static_cast<int>(wParam));
        if (target != -1 && m_wndList.GetSelectedCount() > 0)
            MoveSelection(target, static_cast<int>(lParam), FALSE);
        return 0;
    }
    default:
        return CQZ2BaseView::WindowProc(message, wParam, lParam);
    }
}
