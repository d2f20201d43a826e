// Input to the modifier attached to the running command's current parameter: clicks and typed values
// fill the modifier's own inputs, and once it has its result the result goes to the parameter (or to
// the outer link of a chain) and the modifier ends.

#include "command/CommandManager.h"

#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CCommandBar.h"
#include "command/CommandBase.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/NumericFormat.h"
#include "command/ParameterItemBase.h"
#include "command/ParameterModifierBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

namespace {

BOOL IsFeatureType(int nType)
{
    return nType >= ParameterItemBase::typeFeature && nType <= ParameterItemBase::typeFeatureGroup;
}

FeatureLayout LayoutOf(const FeatureRecord& record)
{
    return FeatureLayout(record.GetRecordID(), record.GetLayoutID(), -1);
}

// The command bar's row of an input of the innermost modifier link shows the input again.
void RefreshModifierRow(const CommandManager& manager, int nInput)
{
    CCommandBar* pBar = manager.GetCommandBar();
    const CommandBase* pCommand = manager.GetActiveCommand();
    const ParameterItemBase* pInput = pCommand != nullptr ? pCommand->GetModifierInputItemAt(nInput) : nullptr;
    if (pBar != nullptr && pInput != nullptr)
        pBar->UpdateModifierRow(nInput, pInput, TRUE);
}

}  // namespace

// --- the stand-ins the mouse and the bar read -----------------------------------------------------

BOOL CommandManager::IsModifierInputActive() const
{
    const CommandBase* pTop = GetActiveCommand();
    return pTop != nullptr && pTop->IsModifierInputActive();
}

int CommandManager::GetActiveModifierInputIndex() const
{
    const CommandBase* pTop = GetActiveCommand();
    return pTop != nullptr ? pTop->GetModifierInputIndex() : -1;
}

BOOL CommandManager::SetModifierInputIndex(int nInput)
{
    CommandBase* pTop = GetActiveCommand();
    if (pTop == nullptr || pTop->GetActiveModifier() == nullptr)
        return FALSE;
    if (!pTop->GetActiveModifier()->SetInputIndex(nInput))
        return FALSE;
    if (m_pCommandBar != nullptr && nInput >= 0)
        m_pCommandBar->SelectModifierRow(nInput);
    return TRUE;
}

BOOL CommandManager::ActivateNextModifierInput()
{
    CommandBase* pTop = GetActiveCommand();
    ParameterModifierBase* pModifier = pTop != nullptr ? pTop->GetActiveModifier() : nullptr;
    if (pModifier == nullptr)
        return FALSE;
    const int count = pModifier->GetInputCount();
    const int current = pModifier->GetInputIndex();
    for (int step = 1; step <= count; ++step) {
        const int i = (current + step + count) % count;
        const ParameterItemBase* pItem = pModifier->GetInputItem(i);
        if (pItem != nullptr && pItem->m_bRequired && pItem->IsEmpty())
            return SetModifierInputIndex(i);
    }
    return FALSE;
}

// --- setting inputs -------------------------------------------------------------------------------

BOOL CommandManager::SetModifierInputValue(int nInput, const ParameterItemBase& value, BOOL bPrompt)
{
    switch (value.GetTypeCode()) {
    case ParameterItemBase::typeLength: return SetModifierLengthInput(nInput, value, bPrompt);
    case ParameterItemBase::typeAngle: return SetModifierAngleInput(nInput, value, bPrompt);
    case ParameterItemBase::typePoint: return SetModifierPointInput(nInput, value, bPrompt);
    case ParameterItemBase::typeFeature: return SetModifierFeatureInput(nInput, value, bPrompt);
    default: return FALSE;
    }
}

namespace {

// The input of the innermost link when it has the type and the value may be given now.
ParameterItemBase* ModifierInputOf(const CommandManager& manager, int nInput, const ParameterItemBase& value,
                                   int nType, ParameterModifierBase*& pModifier)
{
    CommandBase* pCommand = manager.GetActiveCommand();
    pModifier = pCommand != nullptr ? pCommand->GetActiveModifier() : nullptr;
    if (pModifier == nullptr || value.GetTypeCode() != nType)
        return nullptr;
    // Without a drawing view only clearing is possible.
    if (manager.GetActiveView() == nullptr && !value.IsEmpty())
        return nullptr;
    ParameterItemBase* pInput = pModifier->GetInputItem(nInput);
    if (pInput == nullptr || pInput->GetTypeCode() != nType)
        return nullptr;
    return pInput;
}

}  // namespace

BOOL CommandManager::SetModifierPointInput(int nInput, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetModifierInputCore(nInput, value, ParameterItemBase::typePoint, bPrompt);
}

BOOL CommandManager::SetModifierLengthInput(int nInput, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetModifierInputCore(nInput, value, ParameterItemBase::typeLength, bPrompt);
}

BOOL CommandManager::SetModifierAngleInput(int nInput, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetModifierInputCore(nInput, value, ParameterItemBase::typeAngle, bPrompt);
}

BOOL CommandManager::SetModifierInputCore(int nInput, const ParameterItemBase& value, int nType, BOOL bPrompt)
{
    ParameterModifierBase* pModifier = nullptr;
    ParameterItemBase* pInput = ModifierInputOf(*this, nInput, value, nType, pModifier);
    if (pInput == nullptr)
        return FALSE;
    if (pInput->IsEqual(value)) {
        RefreshModifierRow(*this, nInput);
        return TRUE;
    }
    if (!pModifier->ValidateInput(nInput, value))
        return FALSE;
    std::unique_ptr<ParameterItemBase> pOld(pInput->Clone());
    if (!pInput->SetValueFrom(value))
        return FALSE;
    if (RunModifier(nInput, bPrompt))
        return TRUE;
    // Refused: the input keeps its previous value.
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand != nullptr && pCommand->GetActiveModifier() == pModifier)
        pInput->SetValueFrom(*pOld);
    return FALSE;
}

BOOL CommandManager::SetModifierFeatureInput(int nInput, const ParameterItemBase& value, BOOL bPrompt)
{
    ParameterModifierBase* pModifier = nullptr;
    ParameterItemBase* pInputBase = ModifierInputOf(*this, nInput, value, ParameterItemBase::typeFeature, pModifier);
    auto* pInput = dynamic_cast<FeatureParameterItem*>(pInputBase);
    const auto* pValue = dynamic_cast<const FeatureParameterItem*>(&value);
    if (pInput == nullptr || pValue == nullptr)
        return FALSE;
    if (pInput->IsEqual(value)) {
        RefreshModifierRow(*this, nInput);
        return TRUE;
    }
    FeatureRecord newRecord;
    const BOOL bNew = !pValue->IsEmpty() && pValue->GetFeatureRecord(newRecord);
    if (bNew) {
        const Feature2dBase* pShape =
            m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetFeature(newRecord) : nullptr;
        if (pShape == nullptr || !pInput->IsAcceptedFeature(pShape->GetFeatureType()))
            return FALSE;
    }
    if (!pModifier->ValidateInput(nInput, value))
        return FALSE;
    FeatureParameterItem old(*pInput);
    FeatureRecord oldRecord;
    const BOOL bOld = !old.IsEmpty() && old.GetFeatureRecord(oldRecord);
    if (!pInput->SetValueFrom(value))
        return FALSE;
    CommandBase* pCommand = GetActiveCommand();
    SelectionManager* pSelection = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetSelectionManager() : nullptr;
    auto unselectUnlessHeld = [&](const FeatureRecord& record) {
        UnselectFeatureUnlessHeld(LayoutOf(record), nInput, FALSE);
    };
    if (pSelection != nullptr) {
        if (bOld)
            unselectUnlessHeld(oldRecord);
        if (bNew)
            pSelection->SelectFeature(newRecord, FALSE);
        m_pDraw2dDocument->UpdateAllFeatures(0);
    }
    if (RunModifier(nInput, bPrompt))
        return TRUE;
    if (pCommand != nullptr && GetActiveCommand() == pCommand && pCommand->GetActiveModifier() == pModifier) {
        pInput->SetValueFrom(old);
        if (pSelection != nullptr) {
            if (bNew)
                unselectUnlessHeld(newRecord);
            if (bOld)
                pSelection->SelectFeature(oldRecord, FALSE);
            m_pDraw2dDocument->UpdateAllFeatures(0);
        }
    }
    return FALSE;
}

BOOL CommandManager::SetModifierPointValue(int nInput, const RuVaPnt2d& point, BOOL bRelative, BOOL bPolar)
{
    RuVaPnt2d p = point;
    ApplyPointNotation(p, bRelative, bPolar);
    PointParameterItem value;
    if (!value.SetValue(p))
        return FALSE;
    return SetModifierPointInput(nInput, value, TRUE);
}

BOOL CommandManager::SetModifierLengthValue(int nInput, double dValue)
{
    LengthParameterItem value;
    value.SetValue(dValue);
    return SetModifierLengthInput(nInput, value, TRUE);
}

BOOL CommandManager::SetModifierAngleValue(int nInput, double dDegrees)
{
    AngleParameterItem value;
    value.SetValue(dDegrees);
    return SetModifierAngleInput(nInput, value, TRUE);
}

BOOL CommandManager::SetModifierFeatureValue(int nInput, const FeatureLayout& feature, const RuVaPnt2d& pickPoint)
{
    CommandBase* pCommand = GetActiveCommand();
    const auto* pInput = dynamic_cast<const FeatureParameterItem*>(
        pCommand != nullptr ? pCommand->GetModifierInputItemAt(nInput) : nullptr);
    if (pInput == nullptr)
        return FALSE;
    FeatureParameterItem value(*pInput);
    if (!value.SetValue(feature, pickPoint))
        return FALSE;
    return SetModifierFeatureInput(nInput, value, TRUE);
}

BOOL CommandManager::ModifierFeatureClick(int nInput, const RuVaPnt2d& world)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || pCommand->GetModifierInputItemType(nInput) != ParameterItemBase::typeFeature ||
        m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return FALSE;
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pSelection == nullptr)
        return FALSE;
    const SelectionFilter* pFilter = m_pDraw2dDocument->GetSelectionFilter();
    if (pFilter != nullptr && pFilter->GetSelectionFilterMode() != 1)
        pFilter = nullptr;
    const auto* pInput = dynamic_cast<const FeatureParameterItem*>(pCommand->GetModifierInputItemAt(nInput));
    const double dAperture = m_pActiveView->ConvertLengthClientToWorld(m_snapOptions.nBoxSize);
    FeatureLayout found;
    if (pSelection->PickByPoint(m_pActiveView, world, dAperture, IsModifierSelectionDisplayStateEnabled(nInput) ? 1 : 0,
                                pInput != nullptr ? pInput->m_nPickSetting : 0, GetModifierInputFeatureFilter(nInput),
                                pFilter, found))
        return SetModifierFeatureValue(nInput, found, world);
    return ClearModifierInput(nInput, TRUE);
}

BOOL CommandManager::SetModifierInputText(int nInput, const CString& strText, BOOL bPrompt)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    const int nType = pCommand->GetModifierInputItemType(nInput);
    if (nType != ParameterItemBase::typeLength && nType != ParameterItemBase::typeAngle &&
        nType != ParameterItemBase::typePoint)
        return FALSE;
    if (strText.IsEmpty())
        return ClearModifierInput(nInput, bPrompt);
    if (nType == ParameterItemBase::typePoint) {
        // Modifier points are typed in the drawing's own coordinates, without the user origin.
        RuVaPnt2d point;
        int nRelative = 0;
        int nPolar = 0;
        if (!NumericFormat::StringToPoint(strText, point, nRelative, nPolar))
            return RefuseTypedText(nType);
        return SetModifierPointValue(nInput, point, nRelative != 0, nPolar != 0);
    }
    double value = 0.0;
    if (!NumericFormat::StringToDouble(strText, value))
        return RefuseTypedText(nType);
    return nType == ParameterItemBase::typeLength ? SetModifierLengthValue(nInput, value)
                                                  : SetModifierAngleValue(nInput, value);
}

BOOL CommandManager::ClearModifierInput(int nInput, BOOL bPrompt)
{
    CommandBase* pCommand = GetActiveCommand();
    const ParameterItemBase* pInput = pCommand != nullptr ? pCommand->GetModifierInputItemAt(nInput) : nullptr;
    if (pInput == nullptr)
        return FALSE;
    std::unique_ptr<ParameterItemBase> pEmpty(pInput->Clone());
    if (pEmpty == nullptr)
        return FALSE;
    pEmpty->Clear();
    return SetModifierInputValue(nInput, *pEmpty, bPrompt);
}

// --- running and ending -----------------------------------------------------------------------------

BOOL CommandManager::RunModifier(int nInput, BOOL bPrompt)
{
    CommandBase* pCommand = GetActiveCommand();
    ParameterModifierBase* pModifier = pCommand != nullptr ? pCommand->GetActiveModifier() : nullptr;
    const ParameterItemBase* pTarget = pModifier != nullptr ? pModifier->GetTargetItem() : nullptr;
    if (pTarget == nullptr)
        return FALSE;
    std::unique_ptr<ParameterItemBase> pResult(pTarget->Clone());
    switch (pModifier->Compute(nInput, *pResult)) {
    case ParameterModifierBase::resultDone: {
        RefreshModifierRow(*this, nInput);
        ClearModifierInputsAndRefresh(TRUE);
        const int nDepth = pCommand->GetModifierDepth();
        const int nTarget = pModifier->GetParameterIndex();
        RemoveActiveModifier();
        if (nDepth >= 2) {
            SetModifierInputValue(nTarget, *pResult, bPrompt);
            return TRUE;
        }
        if (auto* pPoint = dynamic_cast<PointParameterItem*>(pResult.get()); pPoint != nullptr && pPoint->m_bWorldInput) {
            RuVaPnt2d world;
            LocalToWorldPoint(pPoint->m_point, world);
            pPoint->m_point = world;
        }
        if (SetParameterValue(nTarget, *pResult, bPrompt)) {
            RuVaPnt2d last;
            const auto* pArray = dynamic_cast<const PointArrayParameterItem*>(pResult.get());
            if (pArray != nullptr && pArray->GetLastPoint(last)) {
                LocalToWorldPoint(last, m_lastInputWorld);
                m_bLastInput = TRUE;
            }
        }
        return TRUE;
    }
    case ParameterModifierBase::resultMissing:
        if (bPrompt)
            ActivateNextModifierInput();
        RefreshModifierRow(*this, nInput);
        if (m_pActiveView != nullptr)
            m_pActiveView->InvalidateView();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CommandManager::ClearModifierInputs()
{
    CommandBase* pCommand = GetActiveCommand();
    ParameterModifierBase* pModifier = pCommand != nullptr ? pCommand->GetActiveModifier() : nullptr;
    if (pModifier == nullptr)
        return FALSE;
    BOOL bUnselected = FALSE;
    for (int i = 0; i < pModifier->GetInputCount(); ++i) {
        const ParameterItemBase* pInput = pModifier->GetInputItem(i);
        if (pInput == nullptr)
            continue;
        const auto* pFeature = dynamic_cast<const FeatureParameterItem*>(pInput);
        FeatureRecord record;
        if (IsFeatureType(pInput->GetTypeCode()) && pFeature != nullptr && !pFeature->IsEmpty() &&
            pFeature->GetFeatureRecord(record) && UnselectFeatureUnlessHeld(LayoutOf(record), i, FALSE))
            bUnselected = TRUE;
        pCommand->ClearModifierInputItem(i);
    }
    if (bUnselected)
        m_pDraw2dDocument->UpdateAllFeatures(0);
    return TRUE;
}

BOOL CommandManager::ClearModifierInputsAndRefresh(BOOL bRefresh)
{
    if (!ClearModifierInputs())
        return FALSE;
    const CommandBase* pCommand = GetActiveCommand();
    const ParameterModifierBase* pModifier = pCommand != nullptr ? pCommand->GetActiveModifier() : nullptr;
    if (bRefresh && m_pCommandBar != nullptr && pModifier != nullptr)
        for (int i = 0; i < pModifier->GetInputCount(); ++i)
            RefreshModifierRow(*this, i);
    return TRUE;
}

BOOL CommandManager::RemoveActiveModifier()
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || !pCommand->HasModifier())
        return FALSE;
    const int nParameter = pCommand->GetModifiedParameter();
    if (m_pCommandBar != nullptr)
        m_pCommandBar->RemoveInnermostModifierRows();
    ClearModifierInputsAndRefresh(TRUE);
    pCommand->EndModifierStep();
    if (nParameter >= 0) {
        UpdateParameterInBar(pCommand, nParameter, 0);
        if (m_pCommandBar != nullptr)
            m_pCommandBar->SelectParameterRow(nParameter);
    }
    return TRUE;
}

BOOL CommandManager::EndAllModifierInput()
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || !pCommand->HasModifier())
        return FALSE;
    while (pCommand->HasModifier()) {
        ClearModifierInputs();
        pCommand->EndModifierStep();
    }
    if (m_pCommandBar != nullptr)
        m_pCommandBar->RemoveAllModifierRows();
    return TRUE;
}

BOOL CommandManager::ModifierClickInput(const RuVaPnt2d& world)
{
    CommandBase* pCommand = GetActiveCommand();
    ParameterModifierBase* pModifier = pCommand != nullptr ? pCommand->GetActiveModifier() : nullptr;
    if (pModifier == nullptr)
        return FALSE;
    const int nInput = pModifier->GetNextPickItemIndex();
    switch (pCommand->GetModifierInputItemType(nInput)) {
    case ParameterItemBase::typePoint:
        SnapClickPoint();
        return SetModifierPointValue(nInput, m_cursorLocal, FALSE, FALSE);
    case ParameterItemBase::typeFeature:
        return ModifierFeatureClick(nInput, world);
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
