#include "property/CPropertyBar.h"

#include <algorithm>
#include <memory>
#include <set>

#include <QtWidgets/QWidget>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "command/ParameterHistory.h"
#include "command/ParameterItemBase.h"
#include "command/PointParameterItem.h"
#include "command/PropertyListItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/WinMessages.h"
#include "property/FeaturePropertyBase.h"
#include "property/ShapeFeaturePropertyBase.h"

using QZ2Command::CommandManager;
using QZ2Command::FeaturePropertyBase;
using QZ2Command::ParameterItemBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

constexpr UINT kDocumentNotifyCode = 0x8064;

// A merge that keeps one value or shows none: items that cannot be cleared still read as empty.
void MergeInto(ParameterItemBase& merged, const ParameterItemBase& other)
{
    if (merged.IsEqual(other))
        return;
    merged.MergeValue(other);
    if (!merged.IsEmpty())
        merged.m_bEmpty = TRUE;
}

void DeleteObject(FeaturePropertyBase* pObject)
{
    if (pObject == nullptr)
        return;
    pObject->ClearDescriptors();
    delete pObject;
}

// One pick mode of the toolbar: the command it starts and the modifier it attaches.
struct EditMode {
    UINT nID;
    const char16_t* pszCommand;
    int nModifier;
};

constexpr EditMode kEditModes[] = {
    {37152, u"Korvan.Property.EditLength", 1}, {37153, u"Korvan.Property.EditLength", 2},
    {37154, u"Korvan.Property.EditAngle", 10}, {37155, u"Korvan.Property.EditAngle", 11},
    {37156, u"Korvan.Property.EditAngle", 12}, {37157, u"Korvan.Property.EditAngle", 13},
    {37158, u"Korvan.Property.EditPoint", 20}, {37159, u"Korvan.Property.EditPoint", 21},
    {37160, u"Korvan.Property.EditPoint", 0},
};

}  // namespace

namespace {

std::unordered_map<const CommandManager*, CPropertyBar*>& BarsOfManagers()
{
    static std::unordered_map<const CommandManager*, CPropertyBar*> bars;
    return bars;
}

}  // namespace

IMPLEMENT_DYNCREATE(CPropertyBar, CBCGPDockingControlBar)

BEGIN_MESSAGE_MAP(CPropertyBar, CBCGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CPropertyBar::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_PROPERTYLIST_SELCHANGED, &CPropertyBar::OnListSelChanged)
    ON_NOTIFY(PLN_VALUECHANGED, CPropertyBar::IDC_LIST, &CPropertyBar::OnItemValueChanged)
    ON_NOTIFY(PLN_TEXTENTERED, CPropertyBar::IDC_LIST, &CPropertyBar::OnItemTextEntered)
    ON_NOTIFY(PLN_ESCAPE, CPropertyBar::IDC_LIST, &CPropertyBar::OnListEscape)
    ON_COMMAND_RANGE(CPropertyBar::kFirstEditCommand, CPropertyBar::kLastEditCommand, &CPropertyBar::OnEditCommand)
END_MESSAGE_MAP()

CPropertyBar::CPropertyBar() : m_wndList(this) {}

CPropertyBar::~CPropertyBar()
{
    if (m_pCommandManager != nullptr && FromManager(m_pCommandManager) == this)
        BarsOfManagers().erase(m_pCommandManager);
    for (FeaturePropertyBase* pObject : m_objects)
        DeleteObject(pObject);
}

CPropertyBar* CPropertyBar::FromManager(const CommandManager* pManager)
{
    const auto it = BarsOfManagers().find(pManager);
    return it != BarsOfManagers().end() ? it->second : nullptr;
}

void CPropertyBar::SetCommandManager(CommandManager* pManager)
{
    if (m_pCommandManager != nullptr && FromManager(m_pCommandManager) == this)
        BarsOfManagers().erase(m_pCommandManager);
    if (pManager != nullptr)
        BarsOfManagers()[pManager] = this;
    m_pCommandManager = pManager;
    m_wndList.m_pParameterHistory = pManager != nullptr ? &pManager->GetParameterHistory() : nullptr;
}

// ---- window --------------------------------------------------------------------------------------

int CPropertyBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                               CRect(0, 0, 0, 0), IDC_TOOLBAR))
        return -1;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.SetRouteCommandsViaFrame(FALSE);
    const CRect none(0, 0, 0, 0);
    if (!m_wndList.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, none, this, IDC_LIST))
        return -1;
    CFont* pFont = CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    m_wndList.SetFont(pFont, FALSE);
    m_wndList.SetOwner(this);
    RebuildItemList();
    RecalcLayout();
    return 0;
}

void CPropertyBar::OnDestroy()
{
    EmptyBar();
    CBCGPDockingControlBar::OnDestroy();
}

void CPropertyBar::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDockingControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CPropertyBar::RecalcLayout()
{
    if (m_wndList.GetSafeHwnd() == nullptr || m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    const QWidget* pStrip = m_wndToolBar.GetLayoutWidget();
    const int barHeight = pStrip != nullptr ? std::max(22, pStrip->sizeHint().height()) : 22;
    m_wndToolBar.SetWindowPos(nullptr, 0, 0, rc.Width(), barHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndList.SetWindowPos(nullptr, 0, barHeight, rc.Width(), std::max(0, static_cast<int>(rc.Height()) - barHeight),
                           SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPropertyBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
}

void CPropertyBar::OnSetFocus(CWnd* pOldWnd)
{
    CBCGPDockingControlBar::OnSetFocus(pOldWnd);
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.SetFocus();
}

void CPropertyBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.SetFocus();
    CBCGPDockingControlBar::OnLButtonDown(nFlags, point);
}

LRESULT CPropertyBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.UpdateCmdUIThrough(this, static_cast<BOOL>(wParam));
    // The list gets the idle update here too, so a floating bar refreshes as a docked one does.
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.SendMessage(WM_IDLEUPDATECMDUI, wParam, lParam);
    else
        m_wndList.RunPendingRefresh();
    return 0;
}

BOOL CPropertyBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_pCommandManager != nullptr && pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        m_pCommandManager->OnEscape();
        return TRUE;
    }
    return CBCGPDockingControlBar::PreTranslateMessage(pMsg);
}

BOOL CPropertyBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == kDocumentNotifyCode) {
        // The record follows the header.
        auto* pInfo = *reinterpret_cast<NotifyInfoBase**>(pHeader + 1);
        OnDocumentNotify(pInfo);
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CBCGPDockingControlBar::OnNotify(wParam, lParam, pResult);
}

// ---- objects -------------------------------------------------------------------------------------

void CPropertyBar::DeleteFeatureProperties()
{
    std::vector<FeaturePropertyBase*> objects;
    objects.swap(m_objects);
    m_recordIndex.clear();
    for (FeaturePropertyBase* pObject : objects)
        DeleteObject(pObject);
}

void CPropertyBar::EmptyBar()
{
    m_wndList.DeleteAllItems();
    DeleteFeatureProperties();
    m_nShownKind = 0;
    m_wndToolBar.SetMode(0, FALSE);
}

void CPropertyBar::RebuildRecordIndex()
{
    m_recordIndex.clear();
    if (m_nShownKind != FeaturePropertyBase::kindShape)
        return;
    m_recordIndex.reserve(m_objects.size());
    for (size_t i = 0; i < m_objects.size(); ++i)
        if (const auto* pShape = dynamic_cast<const ShapeFeaturePropertyBase*>(m_objects[i]))
            m_recordIndex.emplace(pShape->GetRecordID(), i);
}

FeaturePropertyBase* CPropertyBar::GetFeatureProperty(int nIndex) const
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_objects.size())
        return nullptr;
    return m_objects[static_cast<size_t>(nIndex)];
}

BOOL CPropertyBar::SetFeatureProperties(const CArray<FeaturePropertyBase*>& objects, BOOL bAdd, BOOL bClone)
{
    const INT_PTR nCount = objects.GetSize();
    if (nCount == 0 || objects[0] == nullptr)
        return FALSE;
    // Checked before anything changes: a refused array leaves the bar as it was.
    const UINT nKind = objects[0]->GetKind();
    for (INT_PTR i = 0; i < nCount; ++i)
        if (objects[i] == nullptr || objects[i]->GetKind() != nKind)
            return FALSE;
    m_wndList.DeleteAllItems();
    if (bAdd && m_nShownKind != 0 && m_nShownKind != nKind)
        bAdd = FALSE;
    m_nShownKind = nKind;
    if (!bAdd)
        DeleteFeatureProperties();
    m_objects.reserve(m_objects.size() + static_cast<size_t>(nCount));
    for (INT_PTR i = 0; i < nCount; ++i) {
        FeaturePropertyBase* pObject = bClone ? objects[i]->Clone() : objects[i];
        if (pObject == nullptr)
            continue;
        pObject->ResetDescriptors();
        m_objects.push_back(pObject);
    }
    RebuildRecordIndex();
    RebuildItemList();
    return TRUE;
}

BOOL CPropertyBar::SetFeatureProperty(const FeaturePropertyBase* pObject, BOOL bAdd)
{
    if (pObject == nullptr) {
        EmptyBar();
        return TRUE;
    }
    if (!bAdd) {
        if (m_objects.size() == 1 && pObject->IsSameTarget(m_objects.front()))
            return FALSE;
        DeleteFeatureProperties();
    } else if (m_nShownKind != 0 && m_nShownKind != pObject->GetKind()) {
        DeleteFeatureProperties();
    }
    FeaturePropertyBase* pClone = pObject->Clone();
    if (pClone == nullptr)
        return FALSE;
    m_nShownKind = pObject->GetKind();
    pClone->ResetDescriptors();
    m_objects.push_back(pClone);
    RebuildRecordIndex();
    RebuildItemList();
    return TRUE;
}

BOOL CPropertyBar::ClearFeatureProperties(UINT nKind)
{
    if (nKind == 0 || nKind != m_nShownKind)
        return FALSE;
    EmptyBar();
    return TRUE;
}

BOOL CPropertyBar::RemoveFeatureProperties(const CArray<long>& recordIDs)
{
    if (m_nShownKind != FeaturePropertyBase::kindShape || m_objects.empty() || recordIDs.IsEmpty())
        return FALSE;
    std::vector<char> gone(m_objects.size(), 0);
    BOOL bAny = FALSE;
    for (INT_PTR i = 0; i < recordIDs.GetSize(); ++i) {
        const auto it = m_recordIndex.find(recordIDs[i]);
        if (it == m_recordIndex.end() || gone[it->second])
            continue;
        gone[it->second] = 1;
        bAny = TRUE;
    }
    if (!bAny)
        return FALSE;
    size_t nKept = 0;
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (gone[i])
            DeleteObject(m_objects[i]);
        else
            m_objects[nKept++] = m_objects[i];
    }
    m_objects.resize(nKept);
    RebuildRecordIndex();
    RebuildItemList();
    return TRUE;
}

BOOL CPropertyBar::PruneDeadShapes()
{
    if (m_nShownKind != FeaturePropertyBase::kindShape)
        return FALSE;
    const size_t nBefore = m_objects.size();
    std::erase_if(m_objects, [](FeaturePropertyBase* pObject) {
        const auto* pShape = dynamic_cast<const ShapeFeaturePropertyBase*>(pObject);
        if (pShape == nullptr || pShape->GetFeature() != nullptr)
            return false;
        DeleteObject(pObject);
        return true;
    });
    if (m_objects.size() == nBefore)
        return FALSE;
    RebuildRecordIndex();
    return TRUE;
}

// ---- rows ----------------------------------------------------------------------------------------

PropertyListItem* CPropertyBar::GetRow(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_wndList.GetItemCount())
        return nullptr;
    return m_wndList.GetItem(nIndex);
}

PropertyListItem* CPropertyBar::GetCurrentRow() const { return m_wndList.GetCurItem(); }

short CPropertyBar::GetSelectedPropertyId() const
{
    const PropertyListItem* pRow = GetCurrentRow();
    if (pRow == nullptr || pRow->GetValueItem() == nullptr)
        return -1;
    return static_cast<short>(pRow->GetValueItem()->GetId());
}

int CPropertyBar::FindRowByPropertyId(int nId) const
{
    for (int i = 0; i < m_wndList.GetItemCount(); ++i) {
        const PropertyListItem* pRow = m_wndList.GetItem(i);
        if (pRow != nullptr && pRow->GetValueItem() != nullptr && pRow->GetValueItem()->GetId() == nId)
            return i;
    }
    return -1;
}

void CPropertyBar::RebuildItemList()
{
    m_wndList.DeleteAllItems();
    PruneDeadShapes();
    if (m_objects.empty()) {
        m_wndToolBar.SetMode(0, FALSE);
        return;
    }
    FeaturePropertyBase* pFirst = m_objects.front();
    for (int d = 0; d < pFirst->GetDescriptorCount(); ++d) {
        const QZ2Command::PropertyDescriptor descriptor = pFirst->GetDescriptor(d);
        std::unique_ptr<ParameterItemBase> pMerged(ParameterItemBase::CreateItem(descriptor.nValueType));
        std::unique_ptr<ParameterItemBase> pOther(ParameterItemBase::CreateItem(descriptor.nValueType));
        if (!pMerged || !pOther)
            continue;
        pFirst->GetPropertyItem(descriptor.wId, pMerged.get(), TRUE);
        const WORD wId = pMerged->GetId();
        BOOL bOffered = TRUE;
        for (size_t i = 1; i < m_objects.size(); ++i) {
            if (!m_objects[i]->GetPropertyItem(wId, pOther.get(), FALSE)) {
                bOffered = FALSE;
                break;
            }
            MergeInto(*pMerged, *pOther);
            if (!pMerged->m_bRequired && pOther->m_bRequired)
                pMerged->m_bRequired = TRUE;
        }
        if (!bOffered)
            continue;
        PropertyListItem row;
        row.SetValueItem(pMerged.get());
        m_wndList.AddItem(row, FALSE);
    }
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.RecalcLayout(TRUE);
    if (m_wndList.GetItemCount() > 0) {
        int nRow = FindRowByPropertyId(m_nLastPropertyId);
        if (nRow < 0)
            nRow = 0;
        if (m_wndList.GetSafeHwnd() != nullptr)
            m_wndList.SetCurSel(nRow);
        else
            OnListSelChanged(static_cast<WPARAM>(nRow), 0);
    } else {
        m_wndToolBar.SetMode(0, FALSE);
    }
}

void CPropertyBar::RefreshValues()
{
    if (m_objects.empty())
        return;
    if (PruneDeadShapes()) {
        // The rows depend on which objects remain.
        RebuildItemList();
        return;
    }
    if (PropertyListItem* pCurrent = GetCurrentRow())
        pCurrent->FillHistory();
    FeaturePropertyBase* pFirst = m_objects.front();
    for (int r = 0; r < m_wndList.GetItemCount(); ++r) {
        PropertyListItem* pRow = m_wndList.GetItem(r);
        const ParameterItemBase* pOld = pRow != nullptr ? pRow->GetValueItem() : nullptr;
        if (pOld == nullptr)
            continue;
        const WORD wId = pOld->GetId();
        std::unique_ptr<ParameterItemBase> pMerged(ParameterItemBase::CreateItem(pOld->GetTypeCode()));
        std::unique_ptr<ParameterItemBase> pOther(ParameterItemBase::CreateItem(pOld->GetTypeCode()));
        if (!pMerged || !pOther)
            continue;
        pFirst->GetPropertyItem(wId, pMerged.get(), TRUE);
        for (size_t i = 1; i < m_objects.size(); ++i) {
            if (!m_objects[i]->GetPropertyItem(wId, pOther.get(), FALSE))
                continue;
            MergeInto(*pMerged, *pOther);
            if (!pMerged->m_bRequired && pOther->m_bRequired)
                pMerged->m_bRequired = TRUE;
        }
        PropertyListItem fresh;
        fresh.SetValueItem(pMerged.get());
        m_wndList.SetItem(r, fresh, TRUE);
    }
    if (m_wndList.GetSafeHwnd() != nullptr) {
        m_wndList.RecalcLayout(TRUE);
        m_wndList.Invalidate();
    }
}

// ---- applying ------------------------------------------------------------------------------------

LRESULT CPropertyBar::ApplyRowValue(ParameterItemBase* pItem, BOOL bToHistory)
{
    if (pItem == nullptr || m_objects.empty())
        return 0;
    const WORD wId = pItem->GetId();
    // One step on each document the objects belong to (normally one), whatever document is current.
    std::vector<Draw2dDocument*> documents;
    for (FeaturePropertyBase* pObject : m_objects)
        if (Draw2dDocument* pDocument = pObject->GetDocument();
            pDocument != nullptr && std::find(documents.begin(), documents.end(), pDocument) == documents.end())
            documents.push_back(pDocument);
    for (Draw2dDocument* pDocument : documents)
        pDocument->BeginUndoOperation(nullptr);
    BOOL bAll = TRUE;
    BOOL bAny = FALSE;
    // The objects may be dropped by notifications during the edit: walk a copy of the list.
    const std::vector<FeaturePropertyBase*> objects = m_objects;
    for (FeaturePropertyBase* pObject : objects) {
        if (pObject->FindDescriptor(wId) < 0) {
            bAll = FALSE;
            continue;
        }
        if (pObject->ApplyPropertyItem(wId, pItem))
            bAny = TRUE;
        else
            bAll = FALSE;
    }
    for (auto it = documents.rbegin(); it != documents.rend(); ++it)
        (*it)->EndUndoOperation();
    if (bAll && bToHistory && pItem->m_bHistory && !pItem->IsEmpty() && m_pCommandManager != nullptr)
        m_pCommandManager->GetParameterHistory().Add(*pItem);
    if (!bAny)
        ShowRefusal();
    RefreshValues();
    return bAll ? 1 : 0;
}

BOOL CPropertyBar::ApplyPropertyItem(ParameterItemBase* pItem)
{
    if (pItem == nullptr || m_objects.empty())
        return FALSE;
    const WORD wId = pItem->GetId();
    std::vector<Draw2dDocument*> documents;
    for (FeaturePropertyBase* pObject : m_objects)
        if (Draw2dDocument* pDocument = pObject->GetDocument();
            pDocument != nullptr && std::find(documents.begin(), documents.end(), pDocument) == documents.end())
            documents.push_back(pDocument);
    for (Draw2dDocument* pDocument : documents)
        pDocument->BeginUndoOperation(nullptr);
    BOOL bAny = FALSE;
    const std::vector<FeaturePropertyBase*> objects = m_objects;
    for (FeaturePropertyBase* pObject : objects) {
        const int nIndex = pObject->FindDescriptor(wId);
        if (nIndex >= 0 && pObject->ApplyPropertyItemAt(nIndex, pItem))
            bAny = TRUE;
    }
    for (auto it = documents.rbegin(); it != documents.rend(); ++it)
        (*it)->EndUndoOperation();
    RefreshValues();
    return bAny;
}

void CPropertyBar::ShowRefusal()
{
    if (m_pCommandManager != nullptr)
        m_pCommandManager->ShowStatusInformation(LoadResourceString(kValueRefused));
}

void CPropertyBar::OnItemValueChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<PROPERTYLISTNOTIFY*>(pNMHDR);
    LRESULT result = 0;
    if (pInfo != nullptr && pInfo->pItem != nullptr)
        result = ApplyRowValue(pInfo->pItem->GetValueItem(), TRUE);
    if (pResult != nullptr)
        *pResult = result;
}

void CPropertyBar::OnItemTextEntered(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<PROPERTYLISTNOTIFY*>(pNMHDR);
    LRESULT result = 0;
    ParameterItemBase* pItem = pInfo != nullptr && pInfo->pItem != nullptr ? pInfo->pItem->GetValueItem() : nullptr;
    if (pItem != nullptr) {
        // Parsed into a copy: the row keeps showing the true value when nothing is taken.
        std::unique_ptr<ParameterItemBase> pValue(pItem->Clone());
        if (FeaturePropertyBase::ParseValueText(pValue.get(), pInfo->strText))
            result = ApplyRowValue(pValue.get(), TRUE);
        else
            ShowRefusal();
    }
    if (pResult != nullptr)
        *pResult = result;
}

void CPropertyBar::OnListEscape(NMHDR*, LRESULT* pResult)
{
    if (m_pCommandManager != nullptr && m_wndList.GetSafeHwnd() != nullptr && CWnd::GetFocus() != nullptr &&
        CWnd::GetFocus()->GetSafeHwnd() == m_wndList.GetSafeHwnd())
        m_pCommandManager->OnEscape();
    if (pResult != nullptr)
        *pResult = 0;
}

LRESULT CPropertyBar::OnListSelChanged(WPARAM wParam, LPARAM)
{
    const int nRow = static_cast<int>(wParam);
    if (nRow >= 0 && nRow < m_wndList.GetItemCount()) {
        const ParameterItemBase* pItem = m_wndList.GetItem(nRow)->GetValueItem();
        if (pItem != nullptr) {
            m_nLastPropertyId = pItem->GetId();
            m_wndToolBar.SetMode(static_cast<UINT>(pItem->GetTypeCode()), TRUE);
        }
    }
    return 0;
}

// ---- picking a value in the drawing --------------------------------------------------------------

void CPropertyBar::OnEditCommand(UINT nID)
{
    const EditMode* pMode = nullptr;
    for (const EditMode& mode : kEditModes)
        if (mode.nID == nID)
            pMode = &mode;
    if (pMode == nullptr || m_pCommandManager == nullptr || GetCurrentRow() == nullptr)
        return;
    // Only a started command takes the modifier.
    if (!m_pCommandManager->StartCommand(CString(pMode->pszCommand)))
        return;
    QZ2Command::CommandBase* pCommand = m_pCommandManager->GetActiveCommand();
    if (pCommand == nullptr)
        return;
    if (nID >= 37158) {
        const auto* pRowPoint =
            dynamic_cast<const QZ2Command::PointParameterItem*>(GetCurrentRow()->GetValueItem());
        auto* pPoint = dynamic_cast<QZ2Command::PointParameterItem*>(pCommand->FindItem(0));
        if (pRowPoint != nullptr && pPoint != nullptr) {
            pPoint->m_bWorldInput = pRowPoint->m_bWorldInput;
            m_pCommandManager->UpdateParameterInBar(pCommand, 0, TRUE);
        }
    }
    if (pMode->nModifier != 0)
        m_pCommandManager->SetParameterModifier(0, pMode->nModifier);
}

// ---- document changes ----------------------------------------------------------------------------

void CPropertyBar::ShowSelectionOf(Draw2dDocument* pDocument)
{
    // While no command runs the bar follows the selection of the document the commands work on; the
    // manager makes the shapes' objects.
    if (m_pCommandManager == nullptr || pDocument == nullptr || m_pCommandManager->HasActiveCommand() ||
        m_pCommandManager->GetDraw2dDocument() != pDocument)
        return;
    SelectionManager* pSelection = pDocument->GetSelectionManager();
    if (pSelection == nullptr)
        return;
    if (pSelection->IsSelectionEmpty()) {
        ClearFeatureProperties(FeaturePropertyBase::kindShape);
        return;
    }
    CArray<FeatureLayout> records;
    pSelection->GetSelectedFeatureList(records);
    if (!m_pCommandManager->ShowFeatureProperties(records, FALSE))
        ClearFeatureProperties(FeaturePropertyBase::kindShape);
}

int CPropertyBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return 0;
    ++m_nNotifyCount;
    m_nLastNotifyKind = pInfo->GetKind();
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindDocument:
        if (pInfo->GetCode() != 1)
            return 0;
        EmptyBar();
        m_pDocument = pInfo->GetDocument();
        return 1;
    case NotifyInfoBase::kindView:
        if (pInfo->GetCode() == 1)
            ShowSelectionOf(pInfo->GetDocument());
        return 0;
    case NotifyInfoBase::kindFeature: {
        if (m_nShownKind != FeaturePropertyBase::kindShape) {
            // Layers and drawings do not follow single shapes; others are asked in turn.
            break;
        }
        // Only the object of the notified record can care about a change of one shape.
        if (pInfo->GetCode() == NotifyInfoBase::featureChanged || pInfo->GetCode() == NotifyInfoBase::featureDeleted) {
            const auto it = m_recordIndex.find(pInfo->GetRecordID());
            if (it == m_recordIndex.end())
                return 0;
            if (pInfo->GetCode() == NotifyInfoBase::featureDeleted) {
                m_wndList.SetPendingRefresh(CFeaturePropertyListCtrl::refreshRows);
                return 0;
            }
            FeaturePropertyBase* pObject = m_objects[it->second];
            const int nAnswer = pObject->OnDocumentNotify(pInfo);
            if (nAnswer == FeaturePropertyBase::notifyRebuild) {
                pObject->ResetDescriptors();
                m_wndList.SetPendingRefresh(CFeaturePropertyListCtrl::refreshRows);
            } else if (nAnswer == FeaturePropertyBase::notifyRefresh) {
                m_wndList.SetPendingRefresh(CFeaturePropertyListCtrl::refreshValues);
            } else if (nAnswer == FeaturePropertyBase::notifyClose) {
                EmptyBar();
            }
            return 0;
        }
        // Many shapes changed at once (undo, redo): re-read, dropping shapes that went away.
        if (pInfo->GetCode() == NotifyInfoBase::featuresChanged)
            m_wndList.SetPendingRefresh(CFeaturePropertyListCtrl::refreshRows);
        return 0;
    }
    case NotifyInfoBase::kindDrawing:
    case NotifyInfoBase::kindLayer:
    case NotifyInfoBase::kindColorTable:
    case NotifyInfoBase::kindLineTypeTable:
    case NotifyInfoBase::kindLineWidthTable:
        break;
    case NotifyInfoBase::kindDocumentSetting:
        RefreshValues();
        return 0;
    default:
        return 0;
    }
    // Ask every object.
    for (size_t i = 0; i < m_objects.size(); ++i) {
        FeaturePropertyBase* pObject = m_objects[i];
        if (pInfo->GetDocument() != nullptr && pObject->GetDocument() != nullptr &&
            pObject->GetDocument() != pInfo->GetDocument())
            continue;
        const int nAnswer = pObject->OnDocumentNotify(pInfo);
        if (nAnswer == FeaturePropertyBase::notifyRebuild) {
            pObject->ResetDescriptors();
            m_wndList.SetPendingRefresh(CFeaturePropertyListCtrl::refreshRows);
            break;
        }
        if (nAnswer == FeaturePropertyBase::notifyRefresh) {
            m_wndList.SetPendingRefresh(CFeaturePropertyListCtrl::refreshValues);
            // Every shape answers alike to table and layer changes: one answer is enough.
            if (m_nShownKind == FeaturePropertyBase::kindShape && pInfo->GetKind() != NotifyInfoBase::kindDrawing)
                break;
        } else if (nAnswer == FeaturePropertyBase::notifyClose) {
            // The rows close; the kind stays until the next objects come.
            const UINT nKind = m_nShownKind;
            EmptyBar();
            m_nShownKind = nKind;
            break;
        }
    }
    return 0;
}
