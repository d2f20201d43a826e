#include "command/CommandManager.h"

#include "command/ControlsNumericHooks.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "command/CCommandBar.h"
#include "command/CommandBase.h"
#include "command/CommandInfo.h"
#include "command/CommandParameter.h"
#include "command/DrawComponentParameterItem.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/MultiParameterItem.h"
#include "command/NumericFormat.h"
#include "command/ParameterModifierBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeaturePicker.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Snap.h"
#include "libs/vevure/ViewControlSetting.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/afx/CRect.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"
#include "platform/afx/CRuntimeClass.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(CommandManager, CObject)

namespace {

// Filled by the first manager and kept for the whole run; the table never changes.
CommandManager::CommandIndex& TheIndex()
{
    static CommandManager::CommandIndex index(10);
    return index;
}

}  // namespace

CommandManager::CommandManager() : m_commandCache(10), m_viewCommand(this), m_parameterHistory(10)
{
    RegisterControlsNumericHooks();
    CommandIndex& index = TheIndex();
    if (index.GetCount() == 0) {
        for (const CommandInfo* pRow = CommandInfo::GetTable(); pRow->m_nID != 0; ++pRow)
            index.SetAt(pRow->m_nID, const_cast<CommandInfo*>(pRow));
    }
}

CommandManager::~CommandManager()
{
    // Normally emptied by Shutdown; a manager that never ran it still frees its commands.
    m_commandStack.RemoveAll();
    DeleteAllCommands();
}

// --- the command table --------------------------------------------------------------------------

const CommandManager::CommandIndex& CommandManager::GetCommandIndex()
{
    return TheIndex();
}

CString CommandManager::GetCommandIdentifier(UINT nID)
{
    CommandInfo* pRow = nullptr;
    if (nID > 0xFFFF || !TheIndex().Lookup(static_cast<WORD>(nID), pRow) || pRow == nullptr)
        return CString();
    return pRow->m_strIdentifier;
}

CString CommandManager::GetCommandDisplayName(UINT nID)
{
    CommandInfo* pRow = nullptr;
    if (nID > 0xFFFF || !TheIndex().Lookup(static_cast<WORD>(nID), pRow) || pRow == nullptr)
        return CString();
    return LoadResourceString(pRow->m_nStringID);
}

CommandInfo* CommandManager::FindCommandInfo(const CString& strIdentifier)
{
    const CommandIndex& index = TheIndex();
    POSITION pos = index.GetStartPosition();
    while (pos != nullptr) {
        UINT nID = 0;
        CommandInfo* pRow = nullptr;
        index.GetNextAssoc(pos, nID, pRow);
        if (pRow != nullptr && pRow->m_strIdentifier == strIdentifier)
            return pRow;
    }
    return nullptr;
}

UINT CommandManager::GetCommandID(const CString& strIdentifier)
{
    const CommandInfo* pRow = FindCommandInfo(strIdentifier);
    return pRow != nullptr ? pRow->m_nID : static_cast<UINT>(-1);
}

// --- lifecycle and creation ---------------------------------------------------------------------

void CommandManager::Shutdown()
{
    CancelAllCommands();
    ClearFenceIfActive();
    SaveAllParameters();
    m_parameterHistory.Save();
    DeleteAllCommands();
    m_parameterHistory.Reset();
}

BOOL CommandManager::ExecuteCommand(UINT nID)
{
    if (!StartCommand(GetCommandIdentifier(nID)))
        return FALSE;
    m_commandHistory.Add(nID);
    return TRUE;
}

BOOL CommandManager::ExecuteNestedCommand(UINT nID)
{
    if (!StartNestedCommand(GetCommandIdentifier(nID)))
        return FALSE;
    m_commandHistory.Add(nID);
    return TRUE;
}

BOOL CommandManager::StartCommand(const CString& strIdentifier)
{
    return StartCommandCore(strIdentifier, FALSE);
}

BOOL CommandManager::StartNestedCommand(const CString& strIdentifier)
{
    return StartCommandCore(strIdentifier, TRUE);
}

BOOL CommandManager::StartCommandCore(const CString& strIdentifier, BOOL bNested)
{
    if (strIdentifier.IsEmpty())
        return FALSE;
    if (!m_parameterHistory.IsLoaded())
        m_parameterHistory.Load();
    m_fencePoints.RemoveAll();
    m_bFenceActive = FALSE;
    m_snapInfo.ClearHistories();
    if (!bNested) {
        CancelAllCommands();
        EndViewCommand();
    }
    CommandBase* pCommand = GetCommand(strIdentifier);
    if (pCommand == nullptr)
        return FALSE;
    if (pCommand->m_bNeedsDrawing && (m_pDocument == nullptr || m_pDraw2dDocument == nullptr))
        return FALSE;
    // A command is on the stack at most once.
    if (FindOnStack(pCommand) >= 0)
        return FALSE;
    if (bNested && HasActiveCommand())
        SuspendCommand(GetActiveCommand());
    m_commandStack.Add(pCommand);
    TakeOverSelection();
    SendIdleMessage();
    if (!pCommand->BeginCommand()) {
        EndCommand(pCommand, TRUE);
        return FALSE;
    }
    pCommand->m_bStarted = TRUE;
    if (m_pCommandBar != nullptr)
        m_pCommandBar->SetCommand(pCommand);
    if (pCommand->GetParameterCount() == 0 || pCommand->AreAllParametersSatisfied())
        RunActiveCommand(-1, TRUE);
    return TRUE;
}

CommandBase* CommandManager::GetCommand(const CString& strIdentifier)
{
    return FindOrCreateCommand(strIdentifier);
}

CommandBase* CommandManager::FindOrCreateCommand(const CString& strIdentifier)
{
    POSITION pos = m_commandCache.GetHeadPosition();
    while (pos != nullptr) {
        CommandBase* pCommand = m_commandCache.GetNext(pos);
        if (pCommand->m_strIdentifier == strIdentifier)
            return pCommand;
    }
    CommandBase* pCommand = CreateCommand(strIdentifier);
    if (pCommand == nullptr)
        return nullptr;
    m_commandCache.AddHead(pCommand);
    pCommand->InitializeCommandObject();
    return pCommand;
}

CommandBase* CommandManager::CreateCommand(const CString& strIdentifier)
{
    const CommandInfo* pRow = FindCommandInfo(strIdentifier);
    if (pRow == nullptr)
        return nullptr;
    CRuntimeClass* pClass = pRow->GetCommandClass();
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CommandBase)))
        return nullptr;
    CObject* pObject = pClass->CreateObject();
    auto* pCommand = dynamic_cast<CommandBase*>(pObject);
    if (pCommand == nullptr) {
        delete pObject;
        return nullptr;
    }
    pCommand->m_pManager = this;
    pCommand->m_strDisplayName = LoadResourceString(pRow->m_nStringID);
    pCommand->m_strIdentifier = pRow->m_strIdentifier;
    return pCommand;
}

BOOL CommandManager::DeleteAllCommands()
{
    POSITION pos = m_commandCache.GetHeadPosition();
    while (pos != nullptr)
        delete m_commandCache.GetNext(pos);
    m_commandCache.RemoveAll();
    return TRUE;
}

void CommandManager::SaveAllParameters()
{
    if (!m_bParameterSaveEnabled)
        return;
    POSITION pos = m_commandCache.GetHeadPosition();
    while (pos != nullptr)
        m_commandCache.GetNext(pos)->SaveParameters();
}

// --- the stack ----------------------------------------------------------------------------------

CommandBase* CommandManager::GetActiveCommand() const
{
    const INT_PTR n = m_commandStack.GetSize();
    return n > 0 ? m_commandStack.GetAt(n - 1) : nullptr;
}

CString CommandManager::GetActiveCommandName() const
{
    const CommandBase* pCommand = GetActiveCommand();
    return pCommand != nullptr ? pCommand->m_strIdentifier : CString();
}

BOOL CommandManager::HasActiveCommand() const
{
    return GetActiveCommand() != nullptr ? TRUE : FALSE;
}

BOOL CommandManager::IsCommandRunning(UINT nID) const
{
    for (INT_PTR i = 0; i < m_commandStack.GetSize(); ++i) {
        const CommandBase* pCommand = m_commandStack.GetAt(i);
        if (pCommand != nullptr && GetCommandID(pCommand->m_strIdentifier) == nID)
            return TRUE;
    }
    return FALSE;
}

int CommandManager::FindOnStack(CommandBase* pCommand) const
{
    for (INT_PTR i = m_commandStack.GetSize() - 1; i >= 0; --i) {
        if (m_commandStack[i] == pCommand)
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CommandManager::RunActiveCommand(int nIndex, BOOL bPrompt)
{
    CommandBase* pTop = GetActiveCommand();
    if (pTop == nullptr)
        return FALSE;
    const int result = pTop->RunInput(nIndex);
    // A command may end itself, or start another one, from its OnInput: then only the result is
    // reported, and nothing is done to a command that no longer runs or to one that replaced it.
    const BOOL bStillTop = GetActiveCommand() == pTop;
    switch (result) {
    case CommandBase::resultFinished:
        if (FindOnStack(pTop) >= 0)
            EndCommand(pTop, TRUE);
        return TRUE;
    case CommandBase::resultDone:
        if (!bStillTop)
            return TRUE;
        UpdateParameterInBar(pTop, nIndex, 1);
        ResetTransientInputs();
        pTop->ActivateFirstEmptyParameter();
        if (m_pActiveView != nullptr)
            m_pActiveView->UpdateView(0, 1);
        if (pTop->m_bEndAfterRun)
            EndCommand(pTop, TRUE);
        return TRUE;
    case CommandBase::resultMissing:
        if (!bStillTop)
            return TRUE;
        UpdateParameterInBar(pTop, nIndex, 1);
        if (bPrompt)
            ActivateNextMissingParameter(pTop);
        if (m_pActiveView != nullptr)
            m_pActiveView->InvalidateView();
        return TRUE;
    case CommandBase::resultConditional:
        if (!bStillTop)
            return FALSE;
        ResetTransientInputs();
        pTop->ActivateFirstEmptyParameter();
        if (pTop->GetParameterCount() == 0)
            EndCommand(pTop, TRUE);
        return FALSE;
    default:
        return FALSE;
    }
}

void CommandManager::EndCommand(CommandBase* pCommand, BOOL bResume)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return;
    const BOOL bWasTop = pCommand == GetActiveCommand();
    if (bWasTop && m_pCommandBar != nullptr)
        m_pCommandBar->Clear();
    ClearFeatureItems(pCommand);
    pCommand->EndCleanup();
    const int position = FindOnStack(pCommand);
    if (position >= 0)
        m_commandStack.RemoveAt(position);
    SendIdleMessage();
    if (position < 0 || !bWasTop)
        return;
    CommandBase* pBelow = GetActiveCommand();
    if (pBelow == nullptr)
        return;
    if (m_pCommandBar != nullptr)
        m_pCommandBar->SetCommand(pBelow);
    if (bResume)
        ResumeCommand(pBelow);
}

void CommandManager::CancelAllCommands()
{
    while (!m_commandStack.IsEmpty()) {
        CommandBase* pCommand = m_commandStack[m_commandStack.GetSize() - 1];
        ClearFeatureItems(pCommand);
        pCommand->EndCleanup();
        const int position = FindOnStack(pCommand);
        if (position >= 0)
            m_commandStack.RemoveAt(position);
    }
    if (m_pCommandBar != nullptr)
        m_pCommandBar->Clear();
    SendIdleMessage();
}

void CommandManager::EndNestedCommands()
{
    if (m_commandStack.GetSize() < 2)
        return;
    while (m_commandStack.GetSize() > 1) {
        CommandBase* pCommand = m_commandStack[m_commandStack.GetSize() - 1];
        ClearFeatureItems(pCommand);
        pCommand->EndCleanup();
        const int position = FindOnStack(pCommand);
        if (position >= 0)
            m_commandStack.RemoveAt(position);
    }
    CommandBase* pBottom = GetActiveCommand();
    if (m_pCommandBar != nullptr)
        m_pCommandBar->SetCommand(pBottom);
    ResumeCommand(pBottom);
}

void CommandManager::SuspendCommand(CommandBase* pCommand)
{
    if (pCommand == nullptr)
        return;
    pCommand->ClearDragData();
    UnselectAll();
    pCommand->OnSuspend();
}

void CommandManager::UnselectAll()
{
    if (m_pDraw2dDocument == nullptr)
        return;
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pSelection != nullptr && !pSelection->IsSelectionEmpty()) {
        pSelection->UnselectAll(TRUE);
        pSelection->SendSelectionNotify();
        // The property bar lets go of the shapes it showed.
        const ShellServices& shell = GetShellServices();
        if (m_pPropertyBar != nullptr && shell.pfnClearFeatureProperties != nullptr)
            shell.pfnClearFeatureProperties(m_pPropertyBar, 1);
    }
}

void CommandManager::ResumeCommand(CommandBase* pCommand)
{
    if (pCommand == nullptr)
        return;
    BOOL bDropped = FALSE;
    Draw2dDocument* pDoc = m_pDraw2dDocument;
    for (int i = 0; pDoc != nullptr && i < pCommand->GetParameterCount(); ++i) {
        ParameterItemBase* pItem = pCommand->GetParameter(i)->GetCurrentItem();
        if (pItem == nullptr || pItem->IsEmpty())
            continue;
        BOOL bChanged = FALSE;
        switch (pItem->GetTypeCode()) {
        case ParameterItemBase::typeFeature: {
            auto* p = static_cast<FeatureParameterItem*>(pItem);
            if (pDoc->IsDeletedFeature(p->m_nRecordID)) {
                p->Clear();
                bChanged = TRUE;
            }
            break;
        }
        case ParameterItemBase::typeFeatureList: {
            auto* p = static_cast<FeatureListParameterItem*>(pItem);
            for (int k = p->GetCount() - 1; k >= 0; --k) {
                if (pDoc->IsDeletedFeature(p->GetFeatureIdAt(k))) {
                    p->RemoveAt(k);
                    bChanged = TRUE;
                }
            }
            break;
        }
        case ParameterItemBase::typeFeatureSequence: {
            auto* p = static_cast<FeatureSequenceParameterItem*>(pItem);
            CArray<FeatureLayout> features;
            KcArrayOfGePnt2d points;
            p->GetFeatures(features);
            p->GetPickPoints(points);
            for (INT_PTR k = features.GetSize() - 1; k >= 0; --k) {
                if (pDoc->IsDeletedFeature(features[k].GetRecordID())) {
                    features.RemoveAt(k);
                    if (k < points.GetSize())
                        points.RemoveAt(k);
                    bChanged = TRUE;
                }
            }
            if (bChanged)
                p->SetFeatures(features, points);
            break;
        }
        case ParameterItemBase::typeFeatureSequenceList: {
            auto* p = static_cast<FeatureSequenceListParameterItem*>(pItem);
            FeatureSequenceListParameterItem rebuilt;
            rebuilt.Copy(*p);
            rebuilt.m_sequences.clear();
            for (int s = 0; s < p->GetSequenceCount(); ++s) {
                const FeatureSequenceParameterItem* pSeq = p->GetSequence(s);
                for (int k = 0; k < pSeq->GetCount(); ++k) {
                    const FeatureLayout& f = pSeq->m_features[k];
                    if (pDoc->IsDeletedFeature(f.GetRecordID()))
                        continue;
                    rebuilt.AddFeature(f.GetLayoutID(), f.GetRecordID(),
                                       k < pSeq->m_pickPoints.GetSize() ? pSeq->m_pickPoints[k] : RuVaPnt2d());
                }
                rebuilt.FinishLastSequence();
            }
            rebuilt.m_bEmpty = rebuilt.m_sequences.empty() ? TRUE : FALSE;
            if (!rebuilt.IsEqual(*p)) {
                p->Copy(rebuilt);
                bChanged = TRUE;
            }
            break;
        }
        case ParameterItemBase::typeFeatureGroup: {
            auto* p = static_cast<FeatureGroupParameterItem*>(pItem);
            CArray<FeatureLayout> features;
            p->GetFeatureLayouts(features);
            for (INT_PTR k = 0; k < features.GetSize(); ++k) {
                if (pDoc->IsDeletedFeature(features[k].GetRecordID()) && p->RemoveFeature(features[k].GetRecordID()))
                    bChanged = TRUE;
            }
            break;
        }
        case ParameterItemBase::typeMulti: {
            auto* p = static_cast<MultiParameterItem*>(pItem);
            if (p->m_nCurrentKind == ParameterItemBase::typeFeature &&
                pDoc->IsDeletedFeature(p->m_featureItem.m_nRecordID)) {
                p->Clear();
                bChanged = TRUE;
            }
            break;
        }
        default:
            break;
        }
        if (bChanged) {
            bDropped = TRUE;
            if (pCommand == GetActiveCommand())
                UpdateParameterInBar(pCommand, i, 1);
        }
    }
    pCommand->OnResume();
    if (bDropped && pDoc != nullptr)
        pDoc->UpdateAllFeatures(TRUE);
    if (pCommand == GetActiveCommand() &&
        (pCommand->GetParameterCount() == 0 || pCommand->AreAllParametersSatisfied()))
        RunActiveCommand(-1, TRUE);
}

BOOL CommandManager::TakeOverSelection()
{
    CommandBase* pTop = GetActiveCommand();
    if (pTop == nullptr || pTop->m_strIdentifier.IsEmpty())
        return FALSE;
    if (pTop->HasSelectionTakeoverItem())
        pTop->m_bEndAfterRun = FALSE;
    if (m_pDraw2dDocument == nullptr)
        return FALSE;
    const BOOL bTaken = pTop->TakeOverSelection(m_pDraw2dDocument);
    if (pTop->m_bClearSelection)
        UnselectAll();
    if (!bTaken)
        return FALSE;
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    BOOL bSelected = FALSE;
    for (int i = 0; pSelection != nullptr && i < pTop->GetParameterCount(); ++i) {
        const ParameterItemBase* pItem = pTop->GetParameter(i)->GetCurrentItem();
        if (pItem == nullptr || pItem->IsEmpty())
            continue;
        if (pItem->GetTypeCode() == ParameterItemBase::typeFeature) {
            const auto* p = static_cast<const FeatureParameterItem*>(pItem);
            if (pSelection->SelectFeature(FeatureRecord(p->m_nRecordID, p->m_nLayoutID), FALSE))
                bSelected = TRUE;
        } else if (pItem->GetTypeCode() == ParameterItemBase::typeFeatureGroup) {
            CArray<FeatureLayout> features;
            static_cast<const FeatureGroupParameterItem*>(pItem)->GetFeatureLayouts(features);
            if (pSelection->SelectFeatures(features, 0, nullptr, FALSE) > 0)
                bSelected = TRUE;
        }
    }
    if (bSelected)
        m_pDraw2dDocument->UpdateAllFeatures(FALSE);
    return TRUE;
}

BOOL CommandManager::ItemHoldsFeatures(const ParameterItemBase* pItem) const
{
    if (pItem == nullptr)
        return FALSE;
    const int code = pItem->GetTypeCode();
    if (code >= ParameterItemBase::typeFeature && code <= ParameterItemBase::typeFeatureGroup)
        return TRUE;
    if (code == ParameterItemBase::typeMulti) {
        const auto* p = static_cast<const MultiParameterItem*>(pItem);
        return (p->m_wKindMask & MultiParameterItem::acceptFeature) && p->m_nCurrentKind == ParameterItemBase::typeFeature;
    }
    return FALSE;
}

void CommandManager::ClearFeatureItems(CommandBase* pCommand)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return;
    for (int i = 0; i < pCommand->GetParameterCount(); ++i) {
        ParameterItemBase* pItem = pCommand->GetParameter(i)->GetCurrentItem();
        if (ItemHoldsFeatures(pItem))
            pItem->Clear();
    }
    if (pCommand == GetActiveCommand() && m_pDraw2dDocument != nullptr) {
        if (SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager())
            pSelection->UnselectAll(TRUE);
    }
}

void CommandManager::SendIdleMessage()
{
    // The main frame's status bar shows its idle text once the frame exists.
}

// --- document and drawing changes ---------------------------------------------------------------

void CommandManager::SetDocument(CQZ2Doc* pDocument, Draw2dDocument* pDraw2dDocument)
{
    if (pDocument == m_pDocument && pDraw2dDocument == m_pDraw2dDocument)
        return;
    if (HasActiveCommand()) {
        GetActiveCommand()->OnDocumentChanging(m_pDraw2dDocument);
        CancelAllCommands();
    }
    ClearFenceIfActive();
    m_snapInfo.ClearHistories();
    m_pDocument = pDocument;
    m_pDraw2dDocument = pDocument != nullptr ? pDraw2dDocument : nullptr;
    if (m_pDraw2dDocument != nullptr)
        NumericFormat::UpdateFromDocument(m_pDraw2dDocument);
    if (m_bComponentSync)
        SyncComponentItems(m_pDraw2dDocument);
    // The frame's bars turn to the new document (or to none).
    const ShellServices& shell = GetShellServices();
    if (shell.pfnGetMainFrame != nullptr && shell.pfnBroadcastDocumentNotify != nullptr)
        if (CMainFrame* pFrame = shell.pfnGetMainFrame()) {
            NotifyInfoBase info(m_pDraw2dDocument, NotifyInfoBase::kindDocument, 1);
            shell.pfnBroadcastDocumentNotify(pFrame, &info);
        }
}

void CommandManager::OnDocumentUpdated(const NotifyInfoBase& info)
{
    const int kind = info.GetKind();
    const int code = info.GetCode();
    if (kind == 3 && code == 4)
        EndCommandsOnDrawingChange(info.GetIndex());
    if (kind == 5)
        m_snapInfo.ClearHistories();
    // A drawing or layer that became locked takes its shapes out of inputs for editable shapes.
    if ((kind == 3 && code == 3) || (kind == 4 && (code == 8 || code == 10)))
        DropUneditableFeatureInputs();
    if (kind == 14 && info.GetDocument() != nullptr && info.GetDocument() == m_pDraw2dDocument)
        NumericFormat::UpdateFromDocument(m_pDraw2dDocument);
    if (CommandBase* pTop = GetActiveCommand())
        pTop->OnDocumentUpdated(info);
}

void CommandManager::EndCommandsOnDrawingChange(long)
{
    if (HasActiveCommand()) {
        // End the commands that do not survive the change without resuming anything yet, so
        // that no command is resumed and then ended again, and none is resumed twice.
        BOOL bTopEnded = FALSE;
        for (INT_PTR i = m_commandStack.GetSize() - 1; i >= 0; --i) {
            if (i >= m_commandStack.GetSize())
                continue;
            CommandBase* pCommand = m_commandStack[i];
            if (pCommand->m_bSurvivesDrawingChange)
                continue;
            if (pCommand == GetActiveCommand())
                bTopEnded = TRUE;
            EndCommand(pCommand, FALSE);
        }
        if (m_commandStack.GetSize() >= 2) {
            EndNestedCommands();
        } else if (bTopEnded && HasActiveCommand()) {
            ResumeCommand(GetActiveCommand());
        }
        if (HasActiveCommand())
            ResetCommandInputs();
    } else {
        UnselectAll();
    }
    ClearFenceIfActive();
    m_snapInfo.ClearHistories();
}

void CommandManager::OnViewChanged()
{
    if (m_pActiveView == nullptr) {
        if (HasActiveCommand()) {
            EndNestedCommands();
            ResetCommandInputs();
        } else {
            UnselectAll();
        }
        ClearFenceIfActive();
        m_snapInfo.ClearHistories();
    }
    if (CommandBase* pTop = GetActiveCommand())
        pTop->OnViewChanged();
}

void CommandManager::EnableComponentSync(BOOL bEnable)
{
    const BOOL bFlag = bEnable ? TRUE : FALSE;
    if (bFlag == m_bComponentSync)
        return;
    m_bComponentSync = bFlag;
    if (bFlag)
        SyncComponentItems(m_pDraw2dDocument);
}

void CommandManager::SyncComponentItems(Draw2dDocument* pDocument)
{
    if (pDocument == m_pComponentSyncDocument)
        return;
    m_pComponentSyncDocument = pDocument;
    CommandBase* pTop = GetActiveCommand();
    if (pDocument == nullptr || pTop == nullptr)
        return;
    for (int i = 0; i < pTop->GetParameterCount(); ++i) {
        CommandParameter* pParameter = pTop->GetParameter(i);
        BOOL bAny = FALSE;
        for (int k = 0; k < pParameter->GetItemCount(); ++k) {
            ParameterItemBase* pItem = pParameter->GetItem(k);
            if (pItem->GetTypeCode() != ParameterItemBase::typeDrawComponent)
                continue;
            // The item names components of the new document from now on.
            static_cast<DrawComponentParameterItem*>(pItem)->m_pTable = pDocument->GetComponentDefineTable();
            pItem->Clear();
            bAny = TRUE;
        }
        if (bAny)
            UpdateParameterInBar(pTop, i, 1);
    }
}

// --- parameters of a command --------------------------------------------------------------------

BOOL CommandManager::AddParameter(CommandBase* pCommand, CommandParameter* pParameter)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    const int index = pCommand->AddParameter(pParameter);
    if (index < 0)
        return FALSE;
    if (pCommand == GetActiveCommand() && m_pCommandBar != nullptr)
        m_pCommandBar->AddParameterRow(index);
    return TRUE;
}

BOOL CommandManager::InsertParameter(CommandBase* pCommand, int nIndex, CommandParameter* pParameter)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr || pCommand->InsertParameter(nIndex, pParameter) < 0)
        return FALSE;
    int current = pCommand->m_nCurrentParameter;
    if (current != -1 && nIndex <= current)
        pCommand->m_nCurrentParameter = ++current;
    pCommand->ChoosePickParameter();
    if (pCommand == GetActiveCommand() && m_pCommandBar != nullptr)
        m_pCommandBar->InsertParameterRow(nIndex);
    if (current != -1)
        SetCurrentParameter(pCommand, current);
    return TRUE;
}

BOOL CommandManager::RemoveParameter(CommandBase* pCommand, int nIndex)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    if (pCommand == GetActiveCommand() && ItemHoldsFeatures(pCommand->GetParameter(nIndex)->GetCurrentItem()) &&
        m_pDraw2dDocument != nullptr) {
        if (SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager())
            pSelection->UnselectAll(TRUE);
    }
    if (!pCommand->RemoveParameter(nIndex))
        return FALSE;
    int current = pCommand->m_nCurrentParameter;
    if (current > nIndex || (current == nIndex && current >= pCommand->GetParameterCount()))
        --current;
    pCommand->m_nCurrentParameter = current;
    pCommand->ChoosePickParameter();
    if (pCommand == GetActiveCommand() && m_pCommandBar != nullptr)
        m_pCommandBar->RemoveParameterRow(nIndex);
    if (current != -1)
        SetCurrentParameter(pCommand, current);
    return TRUE;
}

BOOL CommandManager::ActivateNextMissingParameter(CommandBase* pCommand)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    const int count = pCommand->GetParameterCount();
    if (count == 0)
        return FALSE;
    const int current = pCommand->m_nCurrentParameter;
    const BOOL bWrap = current > 0;
    for (int step = 1; step <= count; ++step) {
        int i = current + step;
        if (i >= count) {
            if (!bWrap)
                return FALSE;
            i -= count;
        }
        if (i == current)
            return FALSE;
        const ParameterItemBase* pItem = pCommand->GetParameter(i)->GetCurrentItem();
        if (pItem == nullptr || !pItem->m_bRequired)
            continue;
        const BOOL bOpenArray = pItem->GetTypeCode() == ParameterItemBase::typePointArray &&
                                !static_cast<const PointArrayParameterItem*>(pItem)->m_bFinished;
        if (pItem->IsEmpty() || bOpenArray)
            return SetCurrentParameter(pCommand, i);
    }
    return FALSE;
}

BOOL CommandManager::UpdateParameterInBar(CommandBase* pCommand, int nIndex, int nFlag)
{
    if (pCommand == nullptr || pCommand != GetActiveCommand() || nIndex < 0 ||
        nIndex >= pCommand->GetParameterCount() || m_pCommandBar == nullptr)
        return FALSE;
    return m_pCommandBar->UpdateParameterRow(nIndex, nFlag);
}

BOOL CommandManager::FinishListInput()
{
    CommandBase* pTop = GetActiveCommand();
    if (pTop == nullptr)
        return FALSE;
    ParameterItemBase* pItem = pTop->GetCurrentParameterItem();
    if (pItem == nullptr)
        return FALSE;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typePointArray:
        static_cast<PointArrayParameterItem*>(pItem)->m_bFinished = TRUE;
        break;
    case ParameterItemBase::typeFeatureList:
        static_cast<FeatureListParameterItem*>(pItem)->m_bFinished = TRUE;
        break;
    case ParameterItemBase::typeFeatureSequence:
        static_cast<FeatureSequenceParameterItem*>(pItem)->m_bFinished = TRUE;
        break;
    case ParameterItemBase::typeFeatureSequenceList: {
        auto* p = static_cast<FeatureSequenceListParameterItem*>(pItem);
        // The first Return closes the open sequence, the next one ends the whole list.
        if (p->GetSequenceCount() > 0 && !p->IsLastSequenceClosed() && p->FinishLastSequence())
            break;
        p->m_bFinished = TRUE;
        break;
    }
    case ParameterItemBase::typeFeatureGroup:
        break;
    default:
        return FALSE;
    }
    return RunActiveCommand(pTop->m_nCurrentParameter, TRUE);
}

BOOL CommandManager::SetCurrentParameter(CommandBase* pCommand, int nIndex)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    const BOOL bRunning = pCommand == GetActiveCommand();
    // Switching rows ends what a modifier was collecting.
    if (bRunning && pCommand->HasModifier())
        EndAllModifierInput();
    if (nIndex != pCommand->GetCurrentParameterIndex()) {
        if (!pCommand->SetCurrentParameterIndex(nIndex))
            return FALSE;
        pCommand->ChoosePickParameter();
    }
    if (bRunning) {
        ResetStatusText();
        ClearFenceIfActive();
    }
    UpdateParameterInBar(pCommand, nIndex, 0);
    return TRUE;
}

void CommandManager::ResetTransientInputs()
{
    CommandBase* pTop = GetActiveCommand();
    if (pTop == nullptr)
        return;
    BOOL bUnselected = FALSE;
    for (int i = 0; i < pTop->GetParameterCount(); ++i) {
        ParameterItemBase* pItem = pTop->GetParameter(i)->GetCurrentItem();
        if (pItem == nullptr || pItem->m_nRetentionMode != 0)
            continue;
        // Shapes that another input still holds stay selected.
        if (ItemHoldsFeatures(pItem) && UnselectItemFeatures(pTop, i, FALSE, FALSE))
            bUnselected = TRUE;
        pItem->Clear();
        UpdateParameterInBar(pTop, i, 1);
    }
    pTop->ClearPoints();
    if (bUnselected && m_pDraw2dDocument != nullptr)
        m_pDraw2dDocument->UpdateAllFeatures(FALSE);
}

void CommandManager::ResetCommandInputs()
{
    CommandBase* pTop = GetActiveCommand();
    if (pTop == nullptr)
        return;
    while (pTop->HasModifier() && RemoveActiveModifier()) {
    }
    for (int i = 0; i < pTop->GetParameterCount() && GetActiveCommand() == pTop; ++i)
        ResetParameterToDefault(i);
    if (GetActiveCommand() != pTop || pTop->GetParameterCount() == 0)
        return;
    const int missing = pTop->FindFirstMissingParameter();
    if (missing >= 0)
        pTop->SetCurrentParameterIndex(missing);
    pTop->ChoosePickParameter();
    if (m_pCommandBar != nullptr)
        m_pCommandBar->SetCommand(pTop);
}

// --- modifier input -----------------------------------------------------------------------------

int CommandManager::GetActiveItemType() const
{
    const CommandBase* pTop = GetActiveCommand();
    if (pTop == nullptr)
        return 0;
    if (pTop->IsModifierInputActive())
        return pTop->GetModifierInputType();
    return pTop->GetCurrentItemType();
}

// --- fence and cursor ---------------------------------------------------------------------------

void CommandManager::ClearFenceIfActive()
{
    if (!m_bFenceActive)
        return;
    m_fencePoints.RemoveAll();
    m_bFenceActive = FALSE;
}

BOOL CommandManager::RemoveLastFencePoint()
{
    if (m_bFenceActive && !m_fencePoints.IsEmpty()) {
        m_fencePoints.RemoveAt(m_fencePoints.GetSize() - 1);
        if (m_fencePoints.IsEmpty())
            m_bFenceActive = FALSE;
    }
    return TRUE;
}

void CommandManager::SetCursorPoints(const RuVaPnt2d& world, const RuVaPnt2d& local)
{
    m_cursorWorld = world;
    m_cursorLocal = local;
}

void CommandManager::EndViewCommand()
{
    m_viewCommand.Reset();
    if (m_pActiveView != nullptr)
        m_pActiveView->RestoreView();
}

// --- selection options --------------------------------------------------------------------------

namespace {

// The option when the mask allows it (0 always passes), else the first allowed of the candidates,
// else the option.
int ChooseMode(int nOption, DWORD dwMask, std::initializer_list<int> candidates)
{
    if (nOption == 0 || (dwMask & static_cast<DWORD>(nOption)) != 0)
        return nOption;
    for (int mode : candidates) {
        if (dwMask & static_cast<DWORD>(mode))
            return mode;
    }
    return nOption;
}

}  // namespace

void CommandManager::SetSelectionOptions(int nShapeMode, int nPartMode, int nSideMode, BOOL bDisplayStateMode)
{
    m_nSelectionShapeMode = nShapeMode;
    m_nSelectionPartMode = nPartMode;
    m_nSelectionSideMode = nSideMode;
    m_bSelectionDisplayStateMode = bDisplayStateMode ? TRUE : FALSE;
}

const ParameterItemBase* CommandManager::GetParameterCurrentItem(int nIndex) const
{
    const CommandBase* pTop = GetActiveCommand();
    if (pTop == nullptr || nIndex < 0 || nIndex >= pTop->GetParameterCount())
        return nullptr;
    return pTop->GetParameter(nIndex)->GetCurrentItem();
}

const ParameterItemBase* CommandManager::GetModifierInput(int nInput) const
{
    const CommandBase* pTop = GetActiveCommand();
    return pTop != nullptr ? pTop->GetModifierInputItemAt(nInput) : nullptr;
}

int CommandManager::GetShapeSelectionMode(int nIndex) const
{
    const auto* pGroup = dynamic_cast<const FeatureGroupParameterItem*>(GetParameterCurrentItem(nIndex));
    if (pGroup == nullptr)
        return m_nSelectionShapeMode;
    return ChooseMode(m_nSelectionShapeMode, pGroup->m_dwShapeModes, {1, 2, 8, 16});
}

int CommandManager::GetPartSelectionMode(int nIndex) const
{
    const auto* pGroup = dynamic_cast<const FeatureGroupParameterItem*>(GetParameterCurrentItem(nIndex));
    if (pGroup == nullptr)
        return m_nSelectionPartMode;
    return ChooseMode(m_nSelectionPartMode, pGroup->m_dwPartModes, {1, 2});
}

int CommandManager::GetSideSelectionMode(int nIndex) const
{
    const auto* pGroup = dynamic_cast<const FeatureGroupParameterItem*>(GetParameterCurrentItem(nIndex));
    if (pGroup == nullptr)
        return m_nSelectionSideMode;
    return ChooseMode(m_nSelectionSideMode, pGroup->m_dwSideModes, {1, 2});
}

int CommandManager::GetSelectionMode() const
{
    const CommandBase* pTop = GetActiveCommand();
    const auto* pGroup =
        pTop != nullptr ? dynamic_cast<const FeatureGroupParameterItem*>(pTop->GetCurrentParameterItem()) : nullptr;
    if (pGroup == nullptr)
        return m_nSelectionShapeMode;
    if (pGroup->m_dwShapeModes & static_cast<DWORD>(m_nSelectionShapeMode))
        return m_nSelectionShapeMode;
    for (int mode : {1, 2, 8, 16}) {
        if (pGroup->m_dwShapeModes & static_cast<DWORD>(mode))
            return mode;
    }
    return m_nSelectionShapeMode;
}

BOOL CommandManager::IsSelectionModeAllowed(int nMode) const
{
    const CommandBase* pTop = GetActiveCommand();
    const auto* pGroup =
        pTop != nullptr ? dynamic_cast<const FeatureGroupParameterItem*>(pTop->GetCurrentParameterItem()) : nullptr;
    if (pGroup == nullptr)
        return TRUE;
    return (pGroup->m_dwShapeModes & static_cast<DWORD>(nMode)) ? TRUE : FALSE;
}

BOOL CommandManager::AcceptsOnlyEditable(const ParameterItemBase* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typeFeature: return static_cast<const FeatureParameterItem*>(pItem)->m_bEditableOnly;
    case ParameterItemBase::typeFeatureList:
    case ParameterItemBase::typeFeatureSequence:
        return static_cast<const PickedFeaturesParameterItem*>(pItem)->m_bEditableOnly;
    case ParameterItemBase::typeFeatureSequenceList:
        return static_cast<const FeatureSequenceListParameterItem*>(pItem)->m_bEditableOnly;
    case ParameterItemBase::typeFeatureGroup:
        return static_cast<const FeatureGroupParameterItem*>(pItem)->m_bEditableOnly;
    case ParameterItemBase::typeMulti: {
        const auto* p = static_cast<const MultiParameterItem*>(pItem);
        return (p->m_wKindMask & MultiParameterItem::acceptFeature) && p->m_featureItem.m_bEditableOnly;
    }
    default: return FALSE;
    }
}

DWORD CommandManager::FeatureFilterOf(const ParameterItemBase* pItem)
{
    if (pItem == nullptr)
        return 0;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typeFeature: return static_cast<const FeatureParameterItem*>(pItem)->m_dwAcceptedKinds;
    case ParameterItemBase::typeFeatureList:
    case ParameterItemBase::typeFeatureSequence:
        return static_cast<const PickedFeaturesParameterItem*>(pItem)->m_dwAcceptedKinds;
    case ParameterItemBase::typeFeatureSequenceList:
        return static_cast<const FeatureSequenceListParameterItem*>(pItem)->m_dwAcceptedKinds;
    case ParameterItemBase::typeFeatureGroup:
        return static_cast<const FeatureGroupParameterItem*>(pItem)->m_dwAcceptedKinds;
    case ParameterItemBase::typeMulti: {
        const auto* p = static_cast<const MultiParameterItem*>(pItem);
        return (p->m_wKindMask & MultiParameterItem::acceptFeature) ? p->m_featureItem.m_dwAcceptedKinds : 0;
    }
    default: return 0;
    }
}

BOOL CommandManager::IsSelectionDisplayStateEnabled(int nIndex) const
{
    return m_bSelectionDisplayStateMode && !AcceptsOnlyEditable(GetParameterCurrentItem(nIndex));
}

BOOL CommandManager::IsModifierSelectionDisplayStateEnabled(int nInput) const
{
    return m_bSelectionDisplayStateMode && !AcceptsOnlyEditable(GetModifierInput(nInput));
}

DWORD CommandManager::GetItemFeatureFilter(int nIndex) const
{
    return FeatureFilterOf(GetParameterCurrentItem(nIndex));
}

DWORD CommandManager::GetModifierInputFeatureFilter(int nInput) const
{
    return FeatureFilterOf(GetModifierInput(nInput));
}

// --- selection while no command runs -----------------------------------------------------------

BOOL CommandManager::SelectFeaturesWhenIdle(Draw2dDocument* pDocument, const CArray<FeatureLayout>& records,
                                            int nShapeMode, const KcArrayOfGePnt2d* pShapePoints, int nMode)
{
    if (HasActiveCommand() || pDocument == nullptr || records.IsEmpty())
        return FALSE;
    SelectionManager* pSelection = pDocument->GetSelectionManager();
    if (pSelection == nullptr)
        return FALSE;
    CArray<FeatureLayout> additions;
    CArray<long, long> removals;
    if (nMode == 0)
        pSelection->UnselectAll(FALSE);
    for (INT_PTR i = 0; i < records.GetSize(); ++i) {
        const FeatureLayout& record = records[i];
        const BOOL bSelected =
            pSelection->IsFeatureSelected(FeatureRecord(record.GetRecordID(), record.GetLayoutID()));
        if (bSelected) {
            if (nMode == 2)
                removals.Add(record.GetRecordID());
        } else {
            additions.Add(record);
        }
    }
    if (!removals.IsEmpty())
        pSelection->UnselectFeatures(removals, FALSE);
    if (!additions.IsEmpty())
        pSelection->SelectFeatures(additions, nShapeMode, nShapeMode != 0 ? pShapePoints : nullptr, FALSE);
    pSelection->SendSelectionNotify();
    pDocument->UpdateAllFeatures(FALSE);
    return TRUE;
}

BOOL CommandManager::UnselectFeaturesWhenIdle(Draw2dDocument* pDocument, const CArray<long, long>& ids)
{
    if (HasActiveCommand() || pDocument == nullptr || ids.IsEmpty())
        return FALSE;
    SelectionManager* pSelection = pDocument->GetSelectionManager();
    if (pSelection == nullptr)
        return FALSE;
    const int removed = pSelection->UnselectFeatures(ids, TRUE);
    pSelection->SendSelectionNotify();
    return removed > 0 ? TRUE : FALSE;
}

// --- the active view ----------------------------------------------------------------------------

BOOL CommandManager::ZoomAll()
{
    return m_pActiveView != nullptr ? m_pActiveView->ZoomAll() : FALSE;
}

BOOL CommandManager::ZoomPaper()
{
    return m_pActiveView != nullptr ? m_pActiveView->ZoomPaper() : FALSE;
}

BOOL CommandManager::ZoomInAt(double dFactor, const CPoint& point)
{
    return m_pActiveView != nullptr ? m_pActiveView->ZoomIn(point, dFactor) : FALSE;
}

BOOL CommandManager::ZoomOutAt(double dFactor, const CPoint& point)
{
    return m_pActiveView != nullptr ? m_pActiveView->ZoomOut(point, dFactor) : FALSE;
}

BOOL CommandManager::ZoomIn(double dFactor)
{
    return m_pActiveView != nullptr ? m_pActiveView->ZoomIn(dFactor) : FALSE;
}

BOOL CommandManager::ZoomOut(double dFactor)
{
    return m_pActiveView != nullptr ? m_pActiveView->ZoomOut(dFactor) : FALSE;
}

BOOL CommandManager::MoveView(int dx, int dy)
{
    return m_pActiveView != nullptr ? m_pActiveView->MoveView(dx, dy) : FALSE;
}

BOOL CommandManager::BeginMiddleButtonPan(const CPoint& point)
{
    if (m_pActiveView == nullptr)
        return FALSE;
    m_bPanning = TRUE;
    m_nPanX = point.x;
    m_nPanY = point.y;
    m_bPanMoved = FALSE;
    m_pActiveView->RestoreView();
    return TRUE;
}

BOOL CommandManager::MiddleButtonPanTo(const CPoint& point)
{
    if (!m_bPanning)
        return FALSE;
    const int dx = point.x - m_nPanX;
    const int dy = m_nPanY - point.y;
    if (dx > -2 && dx < 2 && dy > -2 && dy < 2)
        return TRUE;
    if (m_pActiveView == nullptr || !m_pActiveView->MoveView(dx, dy))
        return FALSE;
    m_nPanX = point.x;
    m_nPanY = point.y;
    m_bPanMoved = TRUE;
    return TRUE;
}

void CommandManager::EndMiddleButtonPan()
{
    m_bPanning = FALSE;
}

// --- mouse input --------------------------------------------------------------------------------

void CommandManager::SetCursorPosition(const CPoint& point, UINT nFlags)
{
    m_cursorClient = point;
    m_nCursorX = point.x;
    m_nCursorY = point.y;
    m_nMouseFlags = nFlags;
    if (m_pActiveView == nullptr)
        return;
    m_cursorWorld = m_pActiveView->ConvertPointClientToWorld(point, TRUE);
    m_pActiveView->ConvertPointWorldToLocal(m_pActiveView->GetDrawingFeature(), m_pActiveView->GetActiveLayout(),
                                            m_cursorWorld, m_cursorLocal);
}

void CommandManager::OnMouseMove(UINT nFlags, const CPoint& point)
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return;
    ClearSnapState();
    SetCursorPosition(point, nFlags);
    const BOOL bTracking = m_viewCommand.GetMode() == ViewCommand::modeNone && !m_bPanning && !HasActiveCommand() &&
                           IsFeatureTracking();
    if (m_viewCommand.GetMode() == ViewCommand::modeNone && !m_bPanning && HasActiveCommand())
        SnapInputPoint(TRUE);
    else if (bTracking)
        SnapTrackerPoint(TRUE);
    m_pActiveView->RestoreView();
    if (m_bPanning)
        MiddleButtonPanTo(point);
    const int nMode = m_viewCommand.GetMode();
    if ((nMode == ViewCommand::modeRealtimeZoom || nMode == ViewCommand::modeRealtimePan) &&
        (nFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_LBUTTON)
        ViewCommandPoint(point, FALSE);
    DrawPreview(nullptr);
    if (bTracking) {
        // The shapes as the dragged grips would leave them; the drag follows the mouse also when the view
        // has no picture to draw them over.
        const BOOL bDrawn = m_pActiveView->BeginDrawTemporaryFeature(nullptr);
        GetFeatureTracker()->Tracking(m_pActiveView, static_cast<float>(point.x), static_cast<float>(point.y),
                                      m_cursorWorld, RGB(255, 0, 0));
        if (bDrawn)
            m_pActiveView->EndDrawTemporaryFeature();
    }
    if (m_pActiveView->BeginDraw(nullptr)) {
        DrawSnapMarks();
        DrawFence();
        DrawViewCommandMarquee();
        m_pActiveView->EndDraw();
    }
}

void CommandManager::ViewCommandPoint(const CPoint& point, BOOL bClick)
{
    if (m_pActiveView == nullptr)
        return;
    const int nMode = m_viewCommand.GetMode();
    if (nMode == ViewCommand::modeWindowZoom && !bClick)
        return;
    // A press starts a zoom or pan gesture of its own.
    if (bClick && (nMode == ViewCommand::modeRealtimeZoom || nMode == ViewCommand::modeRealtimePan))
        m_viewCommand.ClearPoints();
    m_viewCommand.AddPoint(RuVaXY(point.x, point.y));
}

BOOL CommandManager::DrawViewCommandMarquee()
{
    if (m_pActiveView == nullptr)
        return FALSE;
    return m_viewCommand.DrawMarquee(0, m_cursorClient);
}

void CommandManager::OnLButtonDown(UINT nFlags, const CPoint& point)
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return;
    ClearSnapState();
    SetCursorPosition(point, nFlags);
    if (m_viewCommand.GetMode() != ViewCommand::modeNone) {
        ViewCommandPoint(point, TRUE);
    } else if (HasActiveCommand()) {
        CommandClickInput(m_cursorWorld, nFlags);
    } else {
        ClickSelect(m_cursorWorld, nFlags, TRUE);
    }
    if (m_pActiveView != nullptr)
        m_pActiveView->InvalidateView();
}

void CommandManager::OnLButtonUp(UINT nFlags, const CPoint& point)
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return;
    const int nMode = m_viewCommand.GetMode();
    if (nMode == ViewCommand::modeRealtimeZoom || nMode == ViewCommand::modeRealtimePan) {
        m_viewCommand.ClearPoints();
        return;
    }
    if (nMode != ViewCommand::modeNone || !IsFeatureTracking())
        return;
    // The release after a drag puts the grips where the drag ended, in one undo step.
    FeatureTrackerBase* pTracker = GetFeatureTracker();
    ClearSnapState();
    SetCursorPosition(point, nFlags);
    SnapTrackerPoint(FALSE);
    if (pTracker->IsDragging()) {
        pTracker->EndTrack(m_pActiveView, m_cursorWorld);
        m_pActiveView->InvalidateView();
    }
    pTracker->SetCursorPoint(point);
    pTracker->SetCursor(m_pActiveView, m_snapOptions.nBoxSize, 1);
}

void CommandManager::OnLButtonDblClk(UINT nFlags, const CPoint& point)
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return;
    (void)nFlags;
    if (HasActiveCommand()) {
        if (GetActiveItemType() == ParameterItemBase::typePointArray)
            FinishListInput();
        else if (m_bFenceActive)
            FinishFence();
        return;
    }
    if (m_bFenceActive) {
        FinishFence();
        return;
    }
    if (IsFeatureTracking())
        return;
    // A double click on a text opens the text editing command on it.
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    ClearSnapState();
    SetCursorPosition(point, nFlags);
    FeatureLayout found;
    if (pSelection == nullptr ||
        !pSelection->PickByPoint(m_pActiveView, m_cursorWorld, m_pActiveView->ConvertLengthClientToWorld(m_snapOptions.nBoxSize),
                                 m_bSelectionDisplayStateMode ? 1 : 0, 0, 0xFFFFFFFF, GetActiveSelectionFilter(), found))
        return;
    // An object shape opens its file with the desktop's program (Ctrl, the open verb, does the same).
    if (m_pDraw2dDocument->GetFeatureType(found.GetRecordID()) == 90) {
        if (GetShellServices().pfnOpenOleObject != nullptr)
            GetShellServices().pfnOpenOleObject(m_pDraw2dDocument, found.GetRecordID());
        return;
    }
    if (m_pDraw2dDocument->GetFeatureType(found.GetRecordID()) != 10)
        return;
    CArray<FeatureLayout> records;
    records.Add(found);
    KcArrayOfGePnt2d points;
    points.Add(m_cursorWorld);
    SelectFeaturesWhenIdle(m_pDraw2dDocument, records, 4, &points, 0);
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->PostMessage(WM_COMMAND, MAKEWPARAM(33783, 0), 0);
}

void CommandManager::OnMButtonDown(UINT nFlags, const CPoint& point)
{
    (void)nFlags;
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return;
    if (BeginMiddleButtonPan(point)) {
        if (HWND hWnd = m_pActiveView->GetHWnd())
            ::SetCapture(hWnd);
    }
}

void CommandManager::OnMButtonUp(UINT nFlags, const CPoint& point)
{
    (void)nFlags;
    (void)point;
    if (!m_bPanning)
        return;
    EndMiddleButtonPan();
    if (m_pActiveView != nullptr && m_pActiveView->GetHWnd() != nullptr &&
        ::GetCapture() == m_pActiveView->GetHWnd())
        ::ReleaseCapture();
    if (m_pActiveView != nullptr)
        RedrawOverlay(CWnd::FromHandle(m_pActiveView->GetHWnd()), nullptr);
}

void CommandManager::OnRButtonDown(UINT nFlags, const CPoint& point)
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return;
    ClearSnapState();
    SetCursorPosition(point, nFlags);
    if ((nFlags & MK_SHIFT) != 0) {
        OnMButtonDown(nFlags, point);
        return;
    }
    if (m_viewCommand.GetMode() != ViewCommand::modeNone) {
        EndViewCommand();
    } else if (!HasActiveCommand()) {
        // The shape under the cursor becomes the selection that the context menu acts on.
        SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
        if (pSelection != nullptr && pSelection->IsSelectionEmpty())
            ClickSelect(m_cursorWorld, nFlags, FALSE);
    }
    ClearFenceIfActive();
    m_pActiveView->InvalidateView();
}

BOOL CommandManager::IsFeaturePickCursor() const
{
    if (m_viewCommand.GetMode() != ViewCommand::modeNone || m_bPanning)
        return FALSE;
    if (!HasActiveCommand())
        return TRUE;
    const int nType = GetActiveItemType();
    return nType >= ParameterItemBase::typeFeature && nType <= ParameterItemBase::typeFeatureGroup;
}

BOOL CommandManager::OnSetCursor(CWnd* pView, CWnd* pWnd, UINT nHitTest, UINT message)
{
    (void)pWnd;
    (void)message;
    if (pView == nullptr || m_pActiveView == nullptr || pView->GetSafeHwnd() != m_pActiveView->GetHWnd())
        return FALSE;
    if (nHitTest != HTCLIENT)
        return FALSE;
    // Panning shows the hand, realtime zoom the magnifier (the program's own cursors).
    const int nViewMode = m_viewCommand.GetMode();
    if (m_bPanning || nViewMode == ViewCommand::modeRealtimePan || nViewMode == ViewCommand::modeRealtimeZoom) {
        constexpr UINT kPanCursor = 432;
        constexpr UINT kZoomCursor = 433;
        const UINT nCursor = nViewMode == ViewCommand::modeRealtimeZoom && !m_bPanning ? kZoomCursor : kPanCursor;
        HCURSOR hCursor = AfxLoadCursorResource(nCursor);
        ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursor(nullptr, IDC_SIZEALL));
        return TRUE;
    }
    if (IsFeaturePickCursor()) {
        FeatureTrackerBase* pTracker = HasActiveCommand() ? nullptr : GetFeatureTracker();
        if (pTracker == nullptr)
            return FALSE;
        if (pTracker->IsTracking()) {
            // The dragged shapes show where the grip goes.
            ::SetCursor(nullptr);
            return TRUE;
        }
        // The grips as the view last drew them: rebuilding them for every cursor message would cost a pass
        // over the whole selection on each mouse move.
        pTracker->SetCursorPoint(m_cursorClient);
        if (!pTracker->SetCursor(m_pActiveView, m_snapOptions.nBoxSize, 0))
            return FALSE;
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
        return TRUE;
    }
    // The overlay draws the cross-hair.
    ::SetCursor(nullptr);
    return TRUE;
}

BOOL CommandManager::CommandClickInput(const RuVaPnt2d& world, UINT nFlags)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    // While a modifier is attached its inputs take the clicks.
    if (pCommand->GetActiveModifier() != nullptr)
        return ModifierClickInput(world);
    const int nIndex = pCommand->GetPickParameterIndex();
    if (nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const ParameterItemBase* pPickItem = pCommand->GetParameterItem(nIndex);
    if (pPickItem == nullptr)
        return FALSE;
    switch (pPickItem->GetTypeCode()) {
    case ParameterItemBase::typePoint: {
        SnapClickPoint();
        const auto* pItem = dynamic_cast<const PointParameterItem*>(pCommand->GetParameterItem(nIndex));
        if (pItem == nullptr)
            return FALSE;
        return SetPointValue(nIndex, pItem->m_bWorldInput ? m_cursorWorld : m_cursorLocal, FALSE, FALSE);
    }
    case ParameterItemBase::typePointArray:
        SnapClickPoint();
        return AddPointArrayValue(nIndex, m_cursorLocal, FALSE, FALSE, FALSE);
    case ParameterItemBase::typeFeature:
    case ParameterItemBase::typeFeatureList:
    case ParameterItemBase::typeFeatureSequenceList:
    case ParameterItemBase::typeFeatureSequence:
    case ParameterItemBase::typeFeatureGroup:
        // Shapes are picked at the raw click point.
        return FeatureClickInput(world, (nFlags & MK_SHIFT) != 0 ? 2 : 0);
    case ParameterItemBase::typeMulti:
        return MultiClickInput(world);
    default:
        return FALSE;
    }
}

// --- typed setters ------------------------------------------------------------------------------

BOOL CommandManager::SetParameterTransaction(int nIndex, const ParameterItemBase& value, int nType, BOOL bPrompt,
                                             UINT nFlags)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || pCommand->GetIdentifier().IsEmpty())
        return FALSE;
    if ((nFlags & setterNeedsView) != 0 && m_pActiveView == nullptr && !value.IsEmpty())
        return FALSE;
    if (nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    ParameterItemBase* pItem = pCommand->GetParameterItem(nIndex);
    if (pItem == nullptr || pItem->GetTypeCode() != nType || value.GetTypeCode() != nType)
        return FALSE;
    if (pItem->IsEqual(value)) {
        if ((nFlags & setterRefreshOnEqual) != 0)
            UpdateParameterInBar(pCommand, nIndex, 1);
        return TRUE;
    }
    const BOOL bCheck = (nFlags & setterCheckOnlyWithPrompt) == 0 || bPrompt;
    if (bCheck && !pCommand->ValidateParameterValue(nIndex, value))
        return FALSE;
    std::unique_ptr<ParameterItemBase> pOld(pItem->Clone());
    if (!pItem->SetValueFrom(value))
        return FALSE;
    // The accepted value, kept before the run: a successful run may clear items that live one cycle.
    std::unique_ptr<ParameterItemBase> pAccepted(pItem->Clone());
    if (RunActiveCommand(nIndex, bPrompt)) {
        if ((nFlags & setterHistory) != 0 && pAccepted->m_bHistory && !pAccepted->IsEmpty())
            m_parameterHistory.Add(*pAccepted);
        return TRUE;
    }
    // The run failed: the previous value comes back when the command still runs.
    if (GetActiveCommand() == pCommand && nIndex < pCommand->GetParameterCount())
        if (ParameterItemBase* pNow = pCommand->GetParameterItem(nIndex))
            if (pNow->GetTypeCode() == nType)
                pNow->SetValueFrom(*pOld);
    return FALSE;
}

BOOL CommandManager::SetDoubleParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeDouble, bPrompt,
                                   setterNeedsView | setterRefreshOnEqual);
}

BOOL CommandManager::SetLengthParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeLength, bPrompt,
                                   setterNeedsView | setterRefreshOnEqual | setterHistory);
}

BOOL CommandManager::SetAngleParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeAngle, bPrompt,
                                   setterNeedsView | setterRefreshOnEqual | setterHistory);
}

BOOL CommandManager::SetIntegerParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeInteger, bPrompt, setterRefreshOnEqual);
}

BOOL CommandManager::SetTextParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeText, bPrompt,
                                   setterNeedsView | setterHistory);
}

BOOL CommandManager::SetListParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeList, bPrompt, setterNeedsView);
}

BOOL CommandManager::SetScaleParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeScale, bPrompt,
                                   setterNeedsView | setterRefreshOnEqual | setterHistory);
}

BOOL CommandManager::SetPointParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    const auto* pPoint = dynamic_cast<const PointParameterItem*>(&value);
    if (pPoint == nullptr)
        return FALSE;
    const PointParameterItem copy(*pPoint);
    if (!SetParameterTransaction(nIndex, copy, ParameterItemBase::typePoint, bPrompt,
                                 setterNeedsView | setterRefreshOnEqual))
        return FALSE;
    if (!copy.IsEmpty()) {
        RuVaPnt2d world = copy.m_point;
        if (!copy.m_bWorldInput)
            LocalToWorldPoint(copy.m_point, world);
        m_lastInputWorld = world;
        m_bLastInput = TRUE;
    }
    return TRUE;
}

BOOL CommandManager::SetPointArrayParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typePointArray, bPrompt,
                                   setterNeedsView | setterRefreshOnEqual | setterCheckOnlyWithPrompt);
}

BOOL CommandManager::StepBackPointArray(int nIndex)
{
    CommandBase* pCommand = GetActiveCommand();
    const auto* pItem = pCommand != nullptr
                            ? dynamic_cast<const PointArrayParameterItem*>(pCommand->GetParameterItem(nIndex))
                            : nullptr;
    if (pItem == nullptr)
        return FALSE;
    PointArrayParameterItem copy(*pItem);
    copy.RemoveLastPoint();
    copy.m_bFinished = FALSE;
    return SetPointArrayParameter(nIndex, copy, FALSE);
}

// --- snapping -----------------------------------------------------------------------------------

namespace {

// When an interruptible snap began; it looks at the input queue only once it has run this long, because
// looking costs a pass over the window system's events and most snaps end well before.
std::chrono::steady_clock::time_point g_snapStarted;

}  // namespace

// The keep-going test of interruptible snaps: FALSE when a newer mouse move, a wheel turn or a scrolling
// key waits, so that the snap of a position already left is dropped. A pending paint does not count: the
// overlay of the last move always asks for one.
BOOL CommandManager::IsInputQueueEmpty()
{
    if (std::chrono::steady_clock::now() - g_snapStarted < std::chrono::milliseconds(4))
        return TRUE;
    MSG msg{};
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE | ((QS_KEY | QS_MOUSE) << 16)))
        return TRUE;
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
        return FALSE;
    case WM_KEYDOWN:
        switch (msg.wParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            return FALSE;
        default:
            return TRUE;
        }
    default:
        return TRUE;
    }
}

BOOL CommandManager::ComputeSnap(const RuVaPnt2d& cursor, SnapInfo& out, const KcArrayOfGePnt2d* pExtraPoints,
                                 const RuVaPnt2d* pOrigin, double dBaseAngle, const KcArrayOfGeEntity2d& horzVert,
                                 const KcArrayOfGeEntity2d& extension, const KcArrayOfGeEntity2d& perpendicular,
                                 BOOL bInterruptible) const
{
    if (m_pActiveView == nullptr)
        return FALSE;
    const Draw2dView* pView = m_pActiveView;
    const SnapOptions& o = m_snapOptions;
    const double dAperture = pView->ConvertLengthClientToWorld(std::max(o.nBoxSize, 0));
    out.Reset();
    out.ClearHistories();
    if (bInterruptible)
        g_snapStarted = std::chrono::steady_clock::now();
    Snap::KeepGoingProc keepGoing = bInterruptible ? &IsInputQueueEmpty : nullptr;
    DWORD dwMask = o.dwType;
    Snap snap;
    if (o.bEnabled) {
        if (snap.AddFeaturesNear(pView, cursor, dAperture, o.bDisplayStateMode ? 1 : 0, keepGoing) < 0)
            return FALSE;
        if (pExtraPoints != nullptr)
            for (INT_PTR i = 0; i < pExtraPoints->GetSize(); ++i)
                snap.AddPoint(pExtraPoints->GetAt(i), 2);
        if ((dwMask & Snap::kDivision) && o.nDivisionCount > 0)
            snap.SetDivisionCount(o.nDivisionCount);
        if (dwMask & Snap::kHorzVert)
            snap.SetHorzVertCurves(horzVert);
        if (dwMask & Snap::kExtension)
            snap.SetExtendedCurves(extension);
        if (dwMask & Snap::kPerpendicularTrack)
            snap.SetPerpendicularCurves(perpendicular);
    } else {
        // Without snapping only the angular rays from an origin remain.
        dwMask = 0;
    }
    if (pOrigin != nullptr) {
        snap.SetSnapOrigin(*pOrigin, dBaseAngle);
        if (o.bAngularEnabled) {
            double dAngle = std::fmod(o.dAngle, 360.0);
            if (dAngle < 0.0)
                dAngle += 360.0;
            snap.SetAngularSnap(dAngle, o.nAngularMode == 0 ? 1 : 2);
        }
    } else {
        dwMask &= ~DWORD(Snap::kPerpendicular | Snap::kTangent);
    }
    snap.SetSnapType(dwMask);
    if (!snap.UpdateSnapPoint(cursor, dAperture, keepGoing))
        return FALSE;
    out.m_dwKind = snap.GetSnapKind();
    out.m_nAngular = snap.GetAngularFlag();
    out.m_point = snap.GetSnapPoint();
    out.m_origin = snap.GetSnapOrigin();
    if (out.m_nAngular != 0) {
        out.m_dAngle = snap.GetAngle();
        out.m_dBaseAngle = dBaseAngle;
    }
    // The shapes the snap met feed the histories of the tracking kinds.
    if (dwMask & Snap::kHorzVert)
        for (INT_PTR i = 0; i < snap.GetUsedHorzVertCurves().GetSize(); ++i)
            out.PushRecentHorzVert(snap.GetUsedHorzVertCurves().GetAt(i));
    if (out.m_dwKind & Snap::kEnd) {
        if (dwMask & Snap::kExtension)
            for (INT_PTR i = 0; i < snap.GetUsedExtendedCurves().GetSize(); ++i)
                out.PushRecentExtension(snap.GetUsedExtendedCurves().GetAt(i));
        if (dwMask & Snap::kPerpendicularTrack)
            for (INT_PTR i = 0; i < snap.GetUsedPerpendicularCurves().GetSize(); ++i)
                out.PushRecentPerpendicular(snap.GetUsedPerpendicularCurves().GetAt(i));
    }
    if (out.m_dwKind & (Snap::kHorzVert | Snap::kExtension | Snap::kPerpendicularTrack))
        for (INT_PTR i = 0; i < snap.GetVirtualCurves().GetSize(); ++i)
            if (const RuVaEntity2d* e = snap.GetVirtualCurves().GetAt(i))
                out.m_virtualCurves.Add(e->Clone());
    return TRUE;
}


void CommandManager::ClearSnapState()
{
    m_snapInfo.Reset();
    m_hitFeature = FeatureLayout();
    m_bSnapped = FALSE;
    m_dwSnapKind = 0;
}

void CommandManager::SetSnapInfo(const SnapInfo& source)
{
    m_snapInfo.Reset();
    m_snapInfo.CopyResult(source);
    for (INT_PTR i = 0; i < source.m_horzVert.GetSize(); ++i)
        m_snapInfo.PushRecentHorzVert(source.m_horzVert.GetAt(i));
    for (INT_PTR i = 0; i < source.m_extension.GetSize(); ++i)
        m_snapInfo.PushRecentExtension(source.m_extension.GetAt(i));
    for (INT_PTR i = 0; i < source.m_perpendicular.GetSize(); ++i)
        m_snapInfo.PushRecentPerpendicular(source.m_perpendicular.GetAt(i));
}

BOOL CommandManager::SnapPoint(BOOL bInterruptible, BOOL bProbe)
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr || m_bFenceActive)
        return FALSE;
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    // While a modifier is attached, its next input takes the clicks.
    ParameterModifierBase* pModifier = pCommand->GetActiveModifier();
    const int nIndex = pModifier != nullptr ? pModifier->GetNextPickItemIndex() : pCommand->GetPickParameterIndex();
    const ParameterItemBase* pItem = nIndex < 0                ? nullptr
                                     : pModifier != nullptr ? pCommand->GetModifierInputItemAt(nIndex)
                                                            : GetParameterCurrentItem(nIndex);
    if (pItem == nullptr)
        return FALSE;
    // What the input takes: points (snapped), shapes (probed under the cursor), or both for a multi item.
    BOOL bPoints = FALSE, bShapes = FALSE;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typePoint: {
        const auto* pPoint = dynamic_cast<const PointParameterItem*>(pItem);
        if (pPoint == nullptr || !pPoint->m_bSnapInput)
            return FALSE;
        bPoints = TRUE;
        break;
    }
    case ParameterItemBase::typePointArray: {
        const auto* pArray = dynamic_cast<const PointArrayParameterItem*>(pItem);
        if (pArray == nullptr || !pArray->m_bSnapInput)
            return FALSE;
        bPoints = TRUE;
        break;
    }
    case ParameterItemBase::typeFeature:
    case ParameterItemBase::typeFeatureList:
    case ParameterItemBase::typeFeatureSequenceList:
    case ParameterItemBase::typeFeatureSequence:
    case ParameterItemBase::typeFeatureGroup:
        bShapes = TRUE;
        break;
    case ParameterItemBase::typeMulti: {
        const auto* pMulti = dynamic_cast<const MultiParameterItem*>(pItem);
        const WORD wMask = pMulti != nullptr ? pMulti->m_wKindMask : 0;
        bPoints = (wMask & MultiParameterItem::acceptPoint) ? TRUE : FALSE;
        bShapes = (wMask & MultiParameterItem::acceptFeature) ? TRUE : FALSE;
        break;
    }
    default:
        return FALSE;
    }
    bShapes = bShapes && bProbe;
    const double dAperture = m_pActiveView->ConvertLengthClientToWorld(std::max(m_snapOptions.nBoxSize, 0));
    const RuVaPnt2d cursor = m_cursorWorld;
    const DrawingFeatureBase* pDrawing = m_pActiveView->GetDrawingFeature();
    const PartDrawingLayout* pLayout = m_pActiveView->GetActiveLayout();
    if (bInterruptible)
        g_snapStarted = std::chrono::steady_clock::now();

    SnapInfo found;
    BOOL bSnap = FALSE, bGrid = FALSE;
    RuVaPnt2d gridPoint;
    if (bPoints) {
        // The command's points so far are snapped to as given points.
        KcArrayOfGePnt2d extra;
        if (m_snapOptions.bEnabled)
            for (INT_PTR i = 0; i < pCommand->GetPoints().GetSize(); ++i) {
                RuVaPnt2d world;
                m_pActiveView->ConvertPointLocalToWorld(pDrawing, pLayout, pCommand->GetPoints().GetAt(i), world);
                extra.Add(world);
            }
        RuVaPnt2d reference, origin;
        const BOOL bReference = pModifier != nullptr ? pModifier->GetBasePoint(nIndex, reference)
                                                     : pCommand->GetReferencePoint(nIndex, reference);
        const BOOL bOrigin = bReference && reference.IsFinite();
        if (bOrigin)
            m_pActiveView->ConvertPointLocalToWorld(pDrawing, pLayout, reference, origin);
        // Angles run from the part's own axis when a part is edited through its layout on a paper.
        const double dBaseAngle =
            pDrawing != nullptr && pDrawing->IsPaperFeature() && pLayout != nullptr ? pLayout->GetAngle() : 0.0;
        bSnap = ComputeSnap(cursor, found, extra.IsEmpty() ? nullptr : &extra, bOrigin ? &origin : nullptr, dBaseAngle,
                            m_snapInfo.m_horzVert, m_snapInfo.m_extension, m_snapInfo.m_perpendicular, bInterruptible);
        if (!bSnap && m_snapOptions.bGrid)
            bGrid = m_pActiveView->HitGrid(cursor, gridPoint, dAperture, FALSE);
        // A shape under the cursor wins over a point merely on it.
        if (bSnap && (found.m_dwKind != Snap::kNearest || !bShapes))
            return TakeSnap(found);
    }
    if (bShapes) {
        FeaturePicker::Options options;
        options.nDisplayStateMode =
            (pModifier != nullptr ? IsModifierSelectionDisplayStateEnabled(nIndex) : IsSelectionDisplayStateEnabled(nIndex))
                ? 1
                : 0;
        options.dwKinds = pModifier != nullptr ? GetModifierInputFeatureFilter(nIndex) : GetItemFeatureFilter(nIndex);
        options.nMaxCount = 1;
        options.pfnKeepGoing = bInterruptible ? &IsInputQueueEmpty : nullptr;
        CArray<FeatureLayout> hits;
        if (FeaturePicker::PickByPoint(m_pActiveView, cursor, dAperture, options, hits) > 0) {
            m_hitFeature = hits[0];
            return TRUE;
        }
    }
    if (bSnap)
        return TakeSnap(found);
    if (bGrid) {
        // The grid point is taken but shows no mark.
        found.Reset();
        found.m_point = gridPoint;
        return TakeSnap(found);
    }
    return FALSE;
}

BOOL CommandManager::TakeSnap(const SnapInfo& found)
{
    SetSnapInfo(found);
    m_bSnapped = TRUE;
    m_dwSnapKind = found.m_dwKind;
    m_snapWorld = found.m_point;
    m_cursorWorld = found.m_point;
    m_pActiveView->ConvertPointWorldToLocal(m_pActiveView->GetDrawingFeature(), m_pActiveView->GetActiveLayout(),
                                            m_cursorWorld, m_cursorLocal);
    return TRUE;
}

BOOL CommandManager::SnapInputPoint(BOOL bInterruptible)
{
    return SnapPoint(bInterruptible, TRUE);
}

BOOL CommandManager::SnapClickPoint()
{
    return SnapPoint(FALSE, FALSE);
}

// --- overlay ------------------------------------------------------------------------------------

BOOL CommandManager::DrawPreview(HDC hDC)
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return FALSE;
    CommandBase* pCommand = GetActiveCommand();
    if (m_viewCommand.GetMode() != ViewCommand::modeNone || m_bPanning || pCommand == nullptr)
        return TRUE;
    if (!m_pActiveView->BeginDrawTemporaryFeature(hDC))
        return FALSE;
    // A modifier's own lines (what it measures) come first, under the command's preview.
    if (ParameterModifierBase* pModifier = pCommand->GetActiveModifier())
        pModifier->DrawPreview(m_cursorClient, m_cursorWorld, m_cursorLocal, m_nMouseFlags);
    pCommand->DrawPreview(m_cursorClient, m_cursorWorld, m_cursorLocal, m_nMouseFlags);
    m_pActiveView->EndDrawTemporaryFeature();
    return TRUE;
}

BOOL CommandManager::DrawSnapMarks()
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return FALSE;
    const int nMode = m_viewCommand.GetMode();
    if (nMode == ViewCommand::modeRealtimeZoom || nMode == ViewCommand::modeRealtimePan || m_bPanning)
        return TRUE;
    // A grip of the selected shapes under the cursor hides the pick box, unless grips are being dragged.
    FeatureTrackerBase* pTracker = GetFeatureTracker();
    const BOOL bDragging = pTracker != nullptr && pTracker->IsTracking();
    const int nGrip = pTracker != nullptr ? pTracker->HitTest(m_pActiveView, m_cursorClient, m_snapOptions.nBoxSize, 0) : -1;
    const BOOL bPickBox = m_snapOptions.bBoxVisible && !m_bFenceActive && (nGrip < 0 || bDragging);
    const BOOL bCrossHair = IsFeaturePickCursor() && !bDragging ? FALSE : TRUE;
    m_pActiveView->DrawMouseCursor(m_cursorClient, bPickBox, m_snapOptions.nBoxSize, bCrossHair,
                                   m_snapOptions.cursorColor, m_dwSnapKind);
    if (m_snapOptions.bMarkerVisible && m_bSnapped) {
        if (m_dwSnapKind != 0)
            m_pActiveView->DrawSnapMark(m_snapWorld, m_snapOptions.nMarkerSize, m_snapOptions.markerColor,
                                        m_dwSnapKind);
        if (m_snapInfo.m_nAngular != 0)
            m_pActiveView->DrawAngularSnapLine(m_snapInfo.m_origin, m_snapInfo.m_dAngle, m_snapInfo.m_dBaseAngle,
                                               m_snapOptions.markerColor);
        if (!m_snapInfo.m_virtualCurves.IsEmpty())
            m_pActiveView->DrawVirtualSnapCurve(m_snapInfo.m_virtualCurves, m_snapOptions.markerColor);
    }
    // Text needs the fonts of a GUI application.
    if (m_snapOptions.bToolTipVisible && m_bSnapped && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        m_pActiveView->DrawSnapText(m_cursorClient, m_snapOptions.nBoxSize, m_dwSnapKind, m_snapInfo.m_nAngular,
                                    m_snapInfo.m_dAngle, (int)NumericFormat::GetAngleUnitFormatType(),
                                    NumericFormat::GetAnglePrecision());
    if (nGrip >= 0)
        m_pActiveView->DrawFeatureTrackerHitMark(nGrip, m_snapOptions.markerColor);
    return TRUE;
}

BOOL CommandManager::DrawFence()
{
    if (m_pActiveView == nullptr || m_viewCommand.GetMode() != ViewCommand::modeNone || !m_bFenceActive ||
        m_fencePoints.IsEmpty())
        return FALSE;
    const int nShape = m_nSelectionShapeMode;
    const CPoint first = m_pActiveView->ConvertPointWorldToClient(m_fencePoints.GetAt(0));
    if (nShape == 1 && m_fencePoints.GetSize() == 1) {
        m_pActiveView->DrawRectangleMarquee(first, m_cursorClient, m_nSelectionPartMode);
    } else if (nShape == 8 && m_fencePoints.GetSize() == 1) {
        m_pActiveView->DrawLineMarquee(first, m_cursorClient);
    } else if (nShape == 2 || nShape == 16) {
        std::vector<CPoint> points;
        for (INT_PTR i = 0; i < m_fencePoints.GetSize(); ++i)
            points.push_back(m_pActiveView->ConvertPointWorldToClient(m_fencePoints.GetAt(i)));
        points.push_back(m_cursorClient);
        if (nShape == 2)
            m_pActiveView->DrawPolygonMarquee(points, m_nSelectionPartMode);
        else
            m_pActiveView->DrawPolylineMarquee(points);
    }
    return TRUE;
}

void CommandManager::RedrawOverlay(CWnd* pView, CDC* pDC)
{
    if (pView == nullptr || m_pActiveView == nullptr || m_pDraw2dDocument == nullptr || m_bPanning)
        return;
    if (pView->GetSafeHwnd() == nullptr || pView->GetSafeHwnd() != m_pActiveView->GetHWnd())
        return;
    // Only while the cursor is over the view: a paint for another reason shows no cross-hair.
    POINT screen{};
    if (!::GetCursorPos(&screen) || CWnd::WindowFromPoint(screen) != pView)
        return;
    CPoint client(screen.x, screen.y);
    pView->ScreenToClient(&client);
    CRect rect;
    pView->GetClientRect(&rect);
    if (!rect.PtInRect(client))
        return;
    ClearSnapState();
    SetCursorPosition(client, 0);
    if (m_viewCommand.GetMode() == ViewCommand::modeNone && HasActiveCommand())
        SnapInputPoint(TRUE);
    HDC hDC = pDC != nullptr ? pDC->GetSafeHdc() : nullptr;
    DrawPreview(hDC);
    if (m_pActiveView->BeginDraw(hDC)) {
        DrawSnapMarks();
        DrawFence();
        DrawViewCommandMarquee();
        m_pActiveView->EndDraw();
    }
}

// --- selection by clicks ------------------------------------------------------------------------

void CommandManager::AddFencePoint(const RuVaPnt2d& world)
{
    m_fencePoints.Add(world);
    m_bFenceActive = TRUE;
}

void CommandManager::ClickSelect(const RuVaPnt2d& world, UINT nFlags, BOOL bFenceAllowed)
{
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return;
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pSelection == nullptr)
        return;
    const int nMode = (nFlags & MK_SHIFT) != 0 ? 2 : 0;
    const SelectionFilter* pFilter = m_pDraw2dDocument->GetSelectionFilter();
    if (pFilter != nullptr && pFilter->GetSelectionFilterMode() != 1)
        pFilter = nullptr;
    const int nDisplayState = m_bSelectionDisplayStateMode ? 1 : 0;
    if (!m_bFenceActive) {
        FeatureTrackerBase* pTracker = GetFeatureTracker();
        if (pTracker != nullptr && pTracker->IsTracking()) {
            // The click that ends a grip drag started by a click.
            if (!bFenceAllowed)
                return;
            SnapTrackerPoint(FALSE);
            pTracker->EndTrack(m_pActiveView, m_cursorWorld);
            return;
        }
        if (pTracker != nullptr && !pSelection->IsSelectionEmpty()) {
            const int nHit = pTracker->HitTest(m_pActiveView, m_cursorClient, m_snapOptions.nBoxSize, 1);
            if (nHit >= 0 && nMode == 2) {
                pTracker->SelectHandle(m_pActiveView, nHit);
                return;
            }
            if (nHit != FeatureTrackerBase::kHitNone && nMode == 0) {
                pTracker->BeginTrack(m_pActiveView, m_cursorClient, m_snapOptions.nBoxSize);
                return;
            }
        }
        if (nMode == 0)
            UnselectAll();
        const double dAperture = m_pActiveView->ConvertLengthClientToWorld(m_snapOptions.nBoxSize);
        FeatureLayout found;
        if (!pSelection->PickByPoint(m_pActiveView, world, dAperture, nDisplayState, 0, 0xFFFFFFFF, pFilter, found)) {
            if (bFenceAllowed)
                AddFencePoint(world);
            return;
        }
        if ((nFlags & (MK_CONTROL | MK_SHIFT)) == (MK_CONTROL | MK_SHIFT)) {
            // Ctrl and Shift: the shape's layer becomes the current layer.
            if (const Feature2dBase* pShape = m_pDraw2dDocument->GetFeature(found.GetRecordID())) {
                m_pDraw2dDocument->BeginUndoOperation(nullptr);
                m_pDraw2dDocument->SetCurrentLayerID(pShape->GetLayerID(), 1);
                m_pDraw2dDocument->EndUndoOperation();
            }
            return;
        }
        CArray<FeatureLayout> records;
        records.Add(found);
        KcArrayOfGePnt2d points;
        points.Add(world);
        SelectFeaturesWhenIdle(m_pDraw2dDocument, records, 4, &points, nMode);
        return;
    }
    const int nShape = m_nSelectionShapeMode;
    if (nShape == 1 || nShape == 8) {
        if (nMode == 0)
            UnselectAll();
        const RuVaPnt2d first = m_fencePoints.GetAt(0);
        CArray<FeatureLayout> records;
        if (nShape == 1)
            pSelection->PickByRectangle(m_pActiveView, first, world, m_nSelectionPartMode, m_nSelectionSideMode,
                                        nDisplayState, 0xFFFFFFFF, pFilter, records);
        else
            pSelection->PickByLine(m_pActiveView, first, world, m_nSelectionPartMode, m_nSelectionSideMode,
                                   nDisplayState, 0xFFFFFFFF, pFilter, records);
        KcArrayOfGePnt2d points;
        points.Add(first);
        points.Add(world);
        if (!records.IsEmpty())
            SelectFeaturesWhenIdle(m_pDraw2dDocument, records, nShape, &points, nMode);
        ClearFenceIfActive();
        return;
    }
    AddFencePoint(world);
}

BOOL CommandManager::FinishFence()
{
    if (!m_bFenceActive)
        return FALSE;
    if (m_pActiveView != nullptr && m_pDraw2dDocument != nullptr && !HasActiveCommand()) {
        SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
        const int nShape = m_nSelectionShapeMode;
        if (pSelection != nullptr && (nShape == 2 || nShape == 16)) {
            const int nMode = ((::GetKeyState(VK_SHIFT) | ::GetKeyState(VK_CONTROL)) & 0x8000) != 0 ? 2 : 0;
            const SelectionFilter* pFilter = m_pDraw2dDocument->GetSelectionFilter();
            if (pFilter != nullptr && pFilter->GetSelectionFilterMode() != 1)
                pFilter = nullptr;
            const int nDisplayState = m_bSelectionDisplayStateMode ? 1 : 0;
            CArray<FeatureLayout> records;
            if (nShape == 2)
                pSelection->PickByPolygon(m_pActiveView, m_fencePoints, m_nSelectionPartMode, m_nSelectionSideMode,
                                          nDisplayState, 0xFFFFFFFF, pFilter, records);
            else
                pSelection->PickByPolyline(m_pActiveView, m_fencePoints, m_nSelectionPartMode,
                                           m_nSelectionSideMode, nDisplayState, 0xFFFFFFFF, pFilter, records);
            if (!records.IsEmpty())
                SelectFeaturesWhenIdle(m_pDraw2dDocument, records, nShape, &m_fencePoints, nMode);
        }
    } else if (m_pActiveView != nullptr && HasActiveCommand() &&
               GetActiveItemType() == ParameterItemBase::typeFeatureGroup && !IsModifierInputActive()) {
        const int nIndex = GetActiveCommand()->GetCurrentParameterIndex();
        const int nShape = GetShapeSelectionMode(nIndex);
        if (nShape == 2 || nShape == 16) {
            const int nMode = ((::GetKeyState(VK_SHIFT) | ::GetKeyState(VK_CONTROL)) & 0x8000) != 0 ? 2 : 0;
            const KcArrayOfGePnt2d points(m_fencePoints);
            ClearFenceIfActive();
            GroupFencePick(nIndex, nShape, points, nMode);
        }
    }
    ClearFenceIfActive();
    if (m_pActiveView != nullptr) {
        m_pActiveView->RestoreView();
        RedrawOverlay(CWnd::FromHandle(m_pActiveView->GetHWnd()), nullptr);
    }
    return TRUE;
}

// --- coordinate services ------------------------------------------------------------------------

DrawingFeatureBase* CommandManager::GetActiveDrawing() const
{
    return m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetActiveDrawingFeature() : nullptr;
}

BOOL CommandManager::IsViewCommandActive() const
{
    return m_viewCommand.GetMode() != ViewCommand::modeNone || m_bPanning;
}

BOOL CommandManager::WorldToLocalPoint(const RuVaPnt2d& world, RuVaPnt2d& local) const
{
    local = world;
    if (m_pActiveView != nullptr)
        m_pActiveView->ConvertPointWorldToLocal(GetActiveDrawing(), m_pActiveView->GetActiveLayout(), world, local);
    return TRUE;
}

BOOL CommandManager::LocalToWorldPoint(const RuVaPnt2d& local, RuVaPnt2d& world) const
{
    world = local;
    if (m_pActiveView != nullptr)
        m_pActiveView->ConvertPointLocalToWorld(GetActiveDrawing(), m_pActiveView->GetActiveLayout(), local, world);
    return TRUE;
}

BOOL CommandManager::WorldToClientPoint(const RuVaPnt2d& world, CPoint& point) const
{
    if (m_pActiveView == nullptr)
        return FALSE;
    point = m_pActiveView->ConvertPointWorldToClient(world);
    return TRUE;
}

BOOL CommandManager::WorldToUserPoint(RuVaPnt2d& point) const
{
    const DrawingFeatureBase* pDrawing = GetActiveDrawing();
    if (m_pActiveView == nullptr || pDrawing == nullptr)
        return TRUE;
    const RuVaPnt2d& origin = pDrawing->GetUserOrigin();
    point = RuVaPnt2d(point.X() - origin.X(), point.Y() - origin.Y());
    return TRUE;
}

BOOL CommandManager::UserToWorldPoint(RuVaPnt2d& point) const
{
    const DrawingFeatureBase* pDrawing = GetActiveDrawing();
    if (m_pActiveView == nullptr || pDrawing == nullptr)
        return TRUE;
    const RuVaPnt2d& origin = pDrawing->GetUserOrigin();
    point = RuVaPnt2d(point.X() + origin.X(), point.Y() + origin.Y());
    return TRUE;
}

RuVaPnt2d CommandManager::GetCursorUserPoint() const
{
    constexpr double kNone = 1.7976931348623157e308;
    if (m_pActiveView == nullptr || GetActiveDrawing() == nullptr)
        return RuVaPnt2d(kNone, kNone);
    RuVaPnt2d point = m_cursorLocal;
    WorldToUserPoint(point);
    return point;
}

namespace {
CommandManager::TabViewServices& TabViewServicesStore()
{
    static CommandManager::TabViewServices services;
    return services;
}
}  // namespace

void CommandManager::SetTabViewServices(const TabViewServices& services)
{
    TabViewServicesStore() = services;
}

const CommandManager::TabViewServices& CommandManager::GetTabViewServices()
{
    return TabViewServicesStore();
}

BOOL CommandManager::ShowLayerTableView()
{
    if (m_pTabView == nullptr || TabViewServicesStore().pfnShowLayerTable == nullptr)
        return FALSE;
    TabViewServicesStore().pfnShowLayerTable(m_pTabView);
    return TRUE;
}

BOOL CommandManager::ShowDrawingTableView()
{
    if (m_pTabView == nullptr || TabViewServicesStore().pfnShowDrawingTable == nullptr)
        return FALSE;
    TabViewServicesStore().pfnShowDrawingTable(m_pTabView);
    return TRUE;
}

void CommandManager::RestoreActiveView()
{
    if (m_pActiveView != nullptr)
        m_pActiveView->RestoreView();
}

// --- stored views -------------------------------------------------------------------------------

BOOL CommandManager::StoreViewControlSetting(int nIndex)
{
    if (nIndex < 0 || nIndex >= Draw2dDocument::kViewControlSettingCount || m_pActiveView == nullptr ||
        m_pDraw2dDocument == nullptr)
        return FALSE;
    RuVaPnt2d c1, c2;
    m_pActiveView->GetWorldSpace(c1, c2);
    ViewControlSetting setting;
    setting.SetIndex(nIndex);
    setting.SetCenterPoint(c1.CenterPoint(c2));
    setting.SetScale(m_pActiveView->GetViewScale());
    const DrawingFeatureBase* pDrawing = m_pActiveView->GetDrawingFeature();
    const PartDrawingLayout* pLayout = m_pActiveView->GetActiveLayout();
    setting.SetDrawingID(pDrawing != nullptr ? pDrawing->GetDrawingID() : -1);
    setting.SetLayoutID(pLayout != nullptr ? pLayout->GetLayoutID() : -1);
    m_pDraw2dDocument->BeginUndoOperation(nullptr);
    m_pDraw2dDocument->SetViewControlSetting(nIndex, setting);
    m_pDraw2dDocument->EndUndoOperation();
    return TRUE;
}

BOOL CommandManager::IsViewControlSettingCurrent(int nIndex) const
{
    if (nIndex < 0 || nIndex >= Draw2dDocument::kViewControlSettingCount || m_pActiveView == nullptr ||
        m_pDraw2dDocument == nullptr)
        return FALSE;
    const ViewControlSetting& setting = m_pDraw2dDocument->GetViewControlSetting(nIndex);
    if (setting.GetScale() == 0.0 || setting.GetDrawingID() == -1)
        return FALSE;
    const DrawingFeatureBase* pDrawing = m_pActiveView->GetDrawingFeature();
    const PartDrawingLayout* pLayout = m_pActiveView->GetActiveLayout();
    if (pDrawing == nullptr || pDrawing->GetDrawingID() != setting.GetDrawingID())
        return FALSE;
    if ((pLayout != nullptr ? pLayout->GetLayoutID() : -1) != setting.GetLayoutID())
        return FALSE;
    if (std::fabs(setting.GetScale() - m_pActiveView->GetViewScale()) >= 1e-7)
        return FALSE;
    RuVaPnt2d c1, c2;
    m_pActiveView->GetWorldSpace(c1, c2);
    return setting.GetCenterPoint().IsEqual(c1.CenterPoint(c2), 1e-7);
}

BOOL CommandManager::RestoreViewControlSetting(int nIndex)
{
    if (nIndex < 0 || nIndex >= Draw2dDocument::kViewControlSettingCount || m_pDraw2dDocument == nullptr)
        return FALSE;
    const ViewControlSetting setting = m_pDraw2dDocument->GetViewControlSetting(nIndex);
    if (setting.GetScale() == 0.0 || setting.GetDrawingID() == -1)
        return FALSE;
    DrawingFeatureBase* pDrawing = m_pDraw2dDocument->ChangeDrawingFeature(setting.GetDrawingID());
    if (pDrawing != nullptr && (m_pActiveView == nullptr || m_pActiveView->GetDrawingFeature() != pDrawing)) {
        // The tab view hears of the activation and makes that drawing's view the current one.
        m_pDraw2dDocument->BeginUndoOperation(nullptr);
        m_pDraw2dDocument->ActivateDrawingFeature(pDrawing, TRUE);
        m_pDraw2dDocument->EndUndoOperation();
    }
    if (m_pActiveView == nullptr)
        return FALSE;
    if (!m_pActiveView->SetViewControlSetting(setting.GetCenterPoint(), setting.GetScale(), setting.GetDrawingID(),
                                              setting.GetLayoutID()))
        return FALSE;
    m_pActiveView->UpdateView(0, 0);
    m_pDraw2dDocument->SetViewControlSettingCurrentIndex(nIndex);
    return TRUE;
}

}  // namespace QZ2Command
