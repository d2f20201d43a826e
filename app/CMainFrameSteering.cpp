// The frame's commands that steer the running command: Enter, clearing the current input, modifiers,
// and the choice of a parameter, an alternative item or a list entry from the menus.

#include "app/CMainFrame.h"

#include <memory>

#include "app/CQZ2App.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/ListParameterItem.h"
#include "command/ParameterItemBase.h"
#include "platform/win/CCmdUI.h"

namespace {

using QZ2Command::CommandBase;
using QZ2Command::CommandManager;
using QZ2Command::CommandParameter;
using QZ2Command::ListParameterItem;
using QZ2Command::ParameterItemBase;

constexpr UINT kFirstModifierCommand = 37152;
constexpr int kModifierCodes[] = {1, 2, 10, 11, 12, 13, 20, 21};
constexpr UINT kFirstParameterCommand = 39222;
constexpr UINT kFirstAlternativeCommand = 39252;
constexpr UINT kFirstListChoiceCommand = 39362;

CommandManager* SteeringManager()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetCommandManager() : nullptr;
}

CommandBase* RunningCommand()
{
    CommandManager* pManager = SteeringManager();
    return pManager != nullptr ? pManager->GetActiveCommand() : nullptr;
}

// What the user is giving now: an input of the modifier while it collects them, else the current
// parameter's item.
struct CurrentInput {
    int nIndex = -1;
    ParameterItemBase* pItem = nullptr;
    BOOL bModifier = FALSE;
};

CurrentInput GetCurrentInput(const CommandBase* pCommand)
{
    CurrentInput input;
    if (pCommand == nullptr)
        return input;
    if (pCommand->IsModifierInputActive()) {
        input.bModifier = TRUE;
        input.nIndex = pCommand->GetModifierInputIndex();
        input.pItem = pCommand->GetModifierInputItem();
    } else {
        input.nIndex = pCommand->GetCurrentParameterIndex();
        input.pItem = pCommand->GetCurrentParameterItem();
    }
    return input;
}

// The alternatives of the parameters that have more than one, numbered in order.
BOOL FindAlternative(const CommandBase* pCommand, UINT nNumber, int& nParameter, int& nAlternative)
{
    UINT n = 0;
    for (int i = 0; pCommand != nullptr && i < pCommand->GetParameterCount(); ++i) {
        const int nCount = pCommand->GetParameter(i)->GetItemCount();
        if (nCount < 2)
            continue;
        if (nNumber < n + static_cast<UINT>(nCount)) {
            nParameter = i;
            nAlternative = static_cast<int>(nNumber - n);
            return TRUE;
        }
        n += static_cast<UINT>(nCount);
    }
    return FALSE;
}

// Every choice of every list item, through the parameters and their alternatives in order.
ListParameterItem* FindListChoice(const CommandBase* pCommand, UINT nNumber, int& nParameter, int& nChoice)
{
    UINT n = 0;
    for (int i = 0; pCommand != nullptr && i < pCommand->GetParameterCount(); ++i) {
        const CommandParameter* pParameter = pCommand->GetParameter(i);
        for (int k = 0; k < pParameter->GetItemCount(); ++k) {
            auto* pList = dynamic_cast<ListParameterItem*>(pParameter->GetItem(k));
            if (pList == nullptr || pList->GetTypeCode() != ParameterItemBase::typeList)
                continue;
            const int nCount = pList->GetItemCount();
            if (nNumber < n + static_cast<UINT>(nCount)) {
                nParameter = i;
                nChoice = static_cast<int>(nNumber - n);
                return pList;
            }
            n += static_cast<UINT>(nCount);
        }
    }
    return nullptr;
}

}  // namespace

void CMainFrame::OnSteerEnter()
{
    if (CommandManager* pManager = SteeringManager(); pManager != nullptr && pManager->GetActiveCommand() != nullptr)
        pManager->OnEnter();
}

void CMainFrame::OnUpdateSteerEnter(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetCurrentInput(RunningCommand()).nIndex != -1);
}

void CMainFrame::OnSteerClear()
{
    CommandManager* pManager = SteeringManager();
    const CurrentInput input = GetCurrentInput(RunningCommand());
    if (pManager == nullptr || input.nIndex == -1 || input.pItem == nullptr || input.pItem->IsEmpty())
        return;
    if (input.bModifier)
        pManager->ClearModifierInput(input.nIndex, TRUE);
    else
        pManager->ClearParameterValue(input.nIndex, TRUE);
}

void CMainFrame::OnUpdateSteerClear(CCmdUI* pCmdUI)
{
    const CurrentInput input = GetCurrentInput(RunningCommand());
    pCmdUI->Enable(input.pItem != nullptr && input.pItem->m_bClearable);
}

void CMainFrame::OnSteerModifier(UINT nID)
{
    CommandManager* pManager = SteeringManager();
    CommandBase* pCommand = RunningCommand();
    const UINT nSlot = nID - kFirstModifierCommand;
    if (pCommand == nullptr || nSlot >= sizeof(kModifierCodes) / sizeof(kModifierCodes[0]) ||
        pCommand->GetCurrentParameterIndex() == -1)
        return;
    pManager->ApplyModifierCode(kModifierCodes[nSlot]);
}

void CMainFrame::OnSteerParameter(UINT nID)
{
    CommandManager* pManager = SteeringManager();
    CommandBase* pCommand = RunningCommand();
    const int nIndex = static_cast<int>(nID - kFirstParameterCommand);
    if (pCommand != nullptr && nIndex < pCommand->GetParameterCount())
        pManager->SetCurrentParameter(pCommand, nIndex);
}

void CMainFrame::OnUpdateSteerParameter(CCmdUI* pCmdUI)
{
    if (const CommandBase* pCommand = RunningCommand())
        pCmdUI->SetCheck(pCommand->GetCurrentParameterIndex() == static_cast<int>(pCmdUI->m_nID - kFirstParameterCommand)
                             ? 1
                             : 0);
}

void CMainFrame::OnSteerAlternative(UINT nID)
{
    CommandManager* pManager = SteeringManager();
    CommandBase* pCommand = RunningCommand();
    int nParameter = -1;
    int nAlternative = -1;
    if (pCommand == nullptr || !FindAlternative(pCommand, nID - kFirstAlternativeCommand, nParameter, nAlternative))
        return;
    pManager->SetParameterAlternative(pCommand, nParameter, nAlternative);
    if (pManager->GetActiveCommand() == pCommand)
        pManager->SetCurrentParameter(pCommand, nParameter);
}

void CMainFrame::OnUpdateSteerAlternative(CCmdUI* pCmdUI)
{
    const CommandBase* pCommand = RunningCommand();
    int nParameter = -1;
    int nAlternative = -1;
    if (pCommand != nullptr && FindAlternative(pCommand, pCmdUI->m_nID - kFirstAlternativeCommand, nParameter, nAlternative))
        pCmdUI->SetCheck(pCommand->GetParameter(nParameter)->GetCurrentIndex() == nAlternative ? 1 : 0);
}

void CMainFrame::OnSteerListChoice(UINT nID)
{
    CommandManager* pManager = SteeringManager();
    int nParameter = -1;
    int nChoice = -1;
    const ListParameterItem* pList = FindListChoice(RunningCommand(), nID - kFirstListChoiceCommand, nParameter, nChoice);
    if (pList == nullptr)
        return;
    ListParameterItem value;
    value.Copy(*pList);
    if (value.SetValue(nChoice))
        pManager->SetListParameter(nParameter, value, FALSE);
}

void CMainFrame::OnUpdateSteerListChoice(CCmdUI* pCmdUI)
{
    int nParameter = -1;
    int nChoice = -1;
    const ListParameterItem* pList =
        FindListChoice(RunningCommand(), pCmdUI->m_nID - kFirstListChoiceCommand, nParameter, nChoice);
    if (pList == nullptr)
        return;
    int nCurrent = -1;
    pCmdUI->SetCheck(pList->GetValue(nCurrent) && nCurrent == nChoice ? 1 : 0);
}
