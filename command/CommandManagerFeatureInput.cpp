// Feature inputs of the running command and the document selection that follows them: clicks that pick
// shapes into feature, list, sequence, sequence-list and group inputs, the setters that assign them with
// the selection kept in step, select all, invert and filter, and the dragging of grips while no command
// runs.

#include <cmath>
#include <memory>
#include <set>
#include <vector>

#include "command/CommandBase.h"
#include "command/CommandManager.h"

#include "command/CommandItemAccess.h"
#include "command/CommandParameter.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/MultiParameterItem.h"
#include "command/ParameterModifierBase.h"
#include "command/SelectionFilterDialogHooks.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/vevure/SelectionFeatureFilter.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Snap.h"
#include "platform/afx/CDWordArray.h"

namespace QZ2Command {

namespace {

FeatureRecord KeyOf(const FeatureLayout& feature)
{
    return FeatureRecord(feature.GetRecordID(), feature.GetLayoutID());
}

BOOL IsFeatureKind(int nType)
{
    return (nType >= ParameterItemBase::typeFeature && nType <= ParameterItemBase::typeFeatureGroup) ||
           nType == ParameterItemBase::typeMulti;
}

// The shape a multi item holds, or NULL when it holds none.
const FeatureParameterItem* MultiFeature(const ParameterItemBase* pItem)
{
    if (pItem == nullptr || pItem->GetTypeCode() != ParameterItemBase::typeMulti)
        return nullptr;
    const auto* p = static_cast<const MultiParameterItem*>(pItem);
    if (p->m_nCurrentKind != ParameterItemBase::typeFeature || (p->m_wKindMask & MultiParameterItem::acceptFeature) == 0 ||
        p->m_featureItem.IsEmpty())
        return nullptr;
    return &p->m_featureItem;
}

// Every shape the item holds, in its own order (repeats possible for sequences).
void HeldFeatures(const ParameterItemBase* pItem, std::vector<FeatureLayout>& out)
{
    out.clear();
    if (pItem == nullptr || pItem->IsEmpty())
        return;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typeFeature: {
        FeatureLayout feature;
        if (static_cast<const FeatureParameterItem*>(pItem)->GetValue(feature))
            out.push_back(feature);
        break;
    }
    case ParameterItemBase::typeFeatureList: {
        const auto* p = static_cast<const FeatureListParameterItem*>(pItem);
        for (INT_PTR i = 0; i < p->m_features.GetSize(); ++i)
            out.push_back(p->m_features[i]);
        break;
    }
    case ParameterItemBase::typeFeatureSequence: {
        const auto* p = static_cast<const FeatureSequenceParameterItem*>(pItem);
        for (INT_PTR i = 0; i < p->m_features.GetSize(); ++i)
            out.push_back(p->m_features[i]);
        break;
    }
    case ParameterItemBase::typeFeatureSequenceList: {
        const auto* p = static_cast<const FeatureSequenceListParameterItem*>(pItem);
        for (const auto& pSequence : p->m_sequences)
            for (INT_PTR i = 0; pSequence && i < pSequence->m_features.GetSize(); ++i)
                out.push_back(pSequence->m_features[i]);
        break;
    }
    case ParameterItemBase::typeFeatureGroup: {
        CArray<FeatureLayout> features;
        static_cast<const FeatureGroupParameterItem*>(pItem)->GetFeatureLayouts(features);
        for (INT_PTR i = 0; i < features.GetSize(); ++i)
            out.push_back(features[i]);
        break;
    }
    case ParameterItemBase::typeMulti:
        if (const FeatureParameterItem* p = MultiFeature(pItem)) {
            FeatureLayout feature;
            if (p->GetValue(feature))
                out.push_back(feature);
        }
        break;
    default:
        break;
    }
}

// Whether a feature item, a non-empty group or a feature-holding multi item holds the shape.
BOOL ItemHoldsShape(const ParameterItemBase* pItem, const FeatureLayout& record)
{
    if (pItem == nullptr || pItem->IsEmpty())
        return FALSE;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typeFeature: {
        const auto* p = static_cast<const FeatureParameterItem*>(pItem);
        return p->m_nRecordID == record.GetRecordID() && p->m_nLayoutID == record.GetLayoutID();
    }
    case ParameterItemBase::typeFeatureGroup: {
        const auto* p = static_cast<const FeatureGroupParameterItem*>(pItem);
        FeatureLayout held;
        if (!p->m_allFeatures.Lookup(FeatureRecord(record.GetRecordID(), record.GetField()), held))
            return FALSE;
        return held.GetLayoutID() == record.GetLayoutID();
    }
    case ParameterItemBase::typeMulti: {
        const FeatureParameterItem* p = MultiFeature(pItem);
        return p != nullptr && p->m_nRecordID == record.GetRecordID() && p->m_nLayoutID == record.GetLayoutID();
    }
    default:
        return FALSE;
    }
}

DWORD KindsMaskOf(const ParameterItemBase& item)
{
    switch (item.GetTypeCode()) {
    case ParameterItemBase::typeFeature: return static_cast<const FeatureParameterItem&>(item).m_dwAcceptedKinds;
    case ParameterItemBase::typeFeatureList:
        return static_cast<const FeatureListParameterItem&>(item).m_dwAcceptedKinds;
    case ParameterItemBase::typeFeatureSequenceList:
        return static_cast<const FeatureSequenceListParameterItem&>(item).m_dwAcceptedKinds;
    case ParameterItemBase::typeFeatureSequence:
        return static_cast<const FeatureSequenceParameterItem&>(item).m_dwAcceptedKinds;
    case ParameterItemBase::typeFeatureGroup:
        return static_cast<const FeatureGroupParameterItem&>(item).m_dwAcceptedKinds;
    case ParameterItemBase::typeMulti:
        return static_cast<const MultiParameterItem&>(item).m_featureItem.m_dwAcceptedKinds;
    default: return 0xFFFFFFFF;
    }
}

BOOL EditableOnly(const ParameterItemBase& item)
{
    switch (item.GetTypeCode()) {
    case ParameterItemBase::typeFeature: return static_cast<const FeatureParameterItem&>(item).m_bEditableOnly;
    case ParameterItemBase::typeFeatureList: return static_cast<const FeatureListParameterItem&>(item).m_bEditableOnly;
    case ParameterItemBase::typeFeatureSequenceList:
        return static_cast<const FeatureSequenceListParameterItem&>(item).m_bEditableOnly;
    case ParameterItemBase::typeFeatureSequence:
        return static_cast<const FeatureSequenceParameterItem&>(item).m_bEditableOnly;
    case ParameterItemBase::typeFeatureGroup:
        return static_cast<const FeatureGroupParameterItem&>(item).m_bEditableOnly;
    case ParameterItemBase::typeMulti: {
        const auto& p = static_cast<const MultiParameterItem&>(item);
        return (p.m_wKindMask & MultiParameterItem::acceptFeature) && p.m_featureItem.m_bEditableOnly;
    }
    default: return FALSE;
    }
}

}  // namespace

// --- helpers ------------------------------------------------------------------------------------

const SelectionFilter* CommandManager::GetActiveSelectionFilter() const
{
    if (m_pDraw2dDocument == nullptr)
        return nullptr;
    const SelectionFilter* pFilter = m_pDraw2dDocument->GetSelectionFilter();
    return pFilter != nullptr && pFilter->GetSelectionFilterMode() == 1 ? pFilter : nullptr;
}

double CommandManager::GetPickAperture() const
{
    return m_pActiveView != nullptr ? m_pActiveView->ConvertLengthClientToWorld(m_snapOptions.nBoxSize) : 0.0;
}

BOOL CommandManager::PassesItemFilter(const ParameterItemBase& item, const ParameterItemBase& value) const
{
    std::vector<FeatureLayout> features;
    HeldFeatures(&value, features);
    const DWORD dwMask = KindsMaskOf(item);
    for (const FeatureLayout& f : features) {
        const int nType = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetFeatureType(f.GetRecordID()) : -1;
        if (!SelectionFeatureFilter::FilterFeature(nType, dwMask))
            return FALSE;
    }
    return TRUE;
}

BOOL CommandManager::CollectSelectableFeatures(const SelectionFilter* pFilter, BOOL bDisplayState,
                                               CArray<FeatureLayout>& records) const
{
    records.RemoveAll();
    if (m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return FALSE;
    long nLayoutID = -1;
    long nID = -1;
    while ((nID = m_pActiveView->GetNextSelectableFeatureRecordID(nLayoutID, nID, bDisplayState ? 1 : 0)) != -1) {
        if (pFilter != nullptr && !pFilter->IsFeatureSelectable(m_pDraw2dDocument, nID))
            continue;
        records.Add(FeatureLayout(nID, nLayoutID, -1));
    }
    return records.IsEmpty() ? FALSE : TRUE;
}

// --- which input holds which shape --------------------------------------------------------------

BOOL CommandManager::IsFeatureHeldElsewhere(const FeatureLayout& record, int nSkipParameter) const
{
    const CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    for (int i = 0; i < pCommand->GetParameterCount(); ++i) {
        if (i != nSkipParameter && ItemHoldsShape(pCommand->GetParameter(i)->GetCurrentItem(), record))
            return TRUE;
    }
    return FALSE;
}

BOOL CommandManager::UnselectFeatureUnlessHeld(const FeatureLayout& record, int nSkipInput, BOOL bNotify)
{
    if (m_pDraw2dDocument == nullptr)
        return FALSE;
    if (const CommandBase* pCommand = GetActiveCommand()) {
        for (int i = 0; i < pCommand->GetParameterCount(); ++i) {
            if (ItemHoldsShape(pCommand->GetParameter(i)->GetCurrentItem(), record))
                return FALSE;
        }
        if (nSkipInput != -1) {
            if (const ParameterModifierBase* pModifier = pCommand->GetActiveModifier()) {
                for (int k = 0; k < pModifier->GetInputCount(); ++k) {
                    if (k != nSkipInput && ItemHoldsShape(pModifier->GetInputItem(k), record))
                        return FALSE;
                }
            }
        }
    }
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    return pSelection != nullptr && pSelection->UnselectFeature(KeyOf(record), bNotify);
}

BOOL CommandManager::UnselectItemFeatures(CommandBase* pCommand, int nIndex, BOOL bForce, BOOL bUpdate)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr || m_pDraw2dDocument == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const ParameterItemBase* pItem = pCommand->GetParameter(nIndex)->GetCurrentItem();
    if (pItem == nullptr || pItem->IsEmpty() || !IsFeatureKind(pItem->GetTypeCode()))
        return FALSE;
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pSelection == nullptr)
        return FALSE;
    std::vector<FeatureLayout> features;
    HeldFeatures(pItem, features);
    // One pass over the selection for them all: a hundred thousand held shapes unselect at once.
    std::vector<FeatureRecord> gone;
    gone.reserve(features.size());
    for (const FeatureLayout& f : features) {
        if (!bForce && pCommand == GetActiveCommand() && IsFeatureHeldElsewhere(f, nIndex))
            continue;
        gone.push_back(KeyOf(f));
    }
    const BOOL bChanged = pSelection->UnselectFeatureRecords(gone, FALSE) > 0 ? TRUE : FALSE;
    if (bChanged && bUpdate)
        m_pDraw2dDocument->UpdateAllFeatures(FALSE);
    return bChanged;
}

// --- the setters of the feature kinds -----------------------------------------------------------

namespace {

// Brings the document selection from what one input held to what it holds now. With bWholeSelection
// the selection is emptied first (a group input that no other input shares).
BOOL FollowSelection(CommandManager& manager, SelectionManager& selection, int nIndex,
                     const ParameterItemBase& before, const ParameterItemBase& after, BOOL bWholeSelection)
{
    std::vector<FeatureLayout> oldFeatures, newFeatures;
    HeldFeatures(&before, oldFeatures);
    HeldFeatures(&after, newFeatures);
    std::set<FeatureRecord> kept;
    for (const FeatureLayout& f : newFeatures)
        kept.insert(KeyOf(f));
    BOOL bChanged = FALSE;
    if (bWholeSelection) {
        if (!selection.IsSelectionEmpty()) {
            selection.UnselectAll(FALSE);
            bChanged = TRUE;
        }
    } else {
        std::vector<FeatureRecord> gone;
        for (const FeatureLayout& f : oldFeatures) {
            if (kept.count(KeyOf(f)) == 0 && !manager.IsFeatureHeldElsewhere(f, nIndex))
                gone.push_back(KeyOf(f));
        }
        if (selection.UnselectFeatureRecords(gone, FALSE) > 0)
            bChanged = TRUE;
    }
    CArray<FeatureLayout> additions;
    for (const FeatureLayout& f : newFeatures) {
        if (!selection.IsFeatureSelected(KeyOf(f)))
            additions.Add(f);
    }
    if (!additions.IsEmpty() && selection.SelectFeatures(additions, 4, nullptr, FALSE) > 0)
        bChanged = TRUE;
    return bChanged;
}

}  // namespace

BOOL CommandManager::FeatureTransaction(int nIndex, const ParameterItemBase& value, int nType, BOOL bRun,
                                        BOOL bPrompt)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || pCommand->GetIdentifier().IsEmpty() || m_pDraw2dDocument == nullptr)
        return FALSE;
    if (m_pActiveView == nullptr && !value.IsEmpty())
        return FALSE;
    if (nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    ParameterItemBase* pItem = pCommand->GetParameterItem(nIndex);
    if (pItem == nullptr || pItem->GetTypeCode() != nType || value.GetTypeCode() != nType)
        return FALSE;
    std::unique_ptr<ParameterItemBase> pProposal(value.Clone());
    if (pProposal == nullptr)
        return FALSE;
    if (nType == ParameterItemBase::typeFeatureGroup) {
        // Shapes the input does not take are left out rather than refusing the whole selection.
        auto* pGroup = static_cast<FeatureGroupParameterItem*>(pProposal.get());
        std::vector<FeatureLayout> features;
        HeldFeatures(pGroup, features);
        const DWORD dwMask = KindsMaskOf(*pItem);
        for (const FeatureLayout& f : features) {
            if (!SelectionFeatureFilter::FilterFeature(m_pDraw2dDocument->GetFeatureType(f.GetRecordID()), dwMask))
                pGroup->RemoveFeature(f.GetRecordID());
        }
    } else if (!PassesItemFilter(*pItem, *pProposal)) {
        return FALSE;
    }
    if (pItem->IsEqual(*pProposal)) {
        if (nType == ParameterItemBase::typeMulti)
            UpdateParameterInBar(pCommand, nIndex, 1);
        return TRUE;
    }
    if (!pCommand->ValidateParameterValue(nIndex, *pProposal))
        return FALSE;
    std::unique_ptr<ParameterItemBase> pOld(pItem->Clone());
    if (!pItem->SetValueFrom(*pProposal))
        return FALSE;
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pSelection != nullptr) {
        BOOL bWhole = FALSE;
        if (nType == ParameterItemBase::typeFeatureGroup) {
            bWhole = TRUE;
            for (int i = 0; i < pCommand->GetParameterCount() && bWhole; ++i) {
                const ParameterItemBase* pOther = pCommand->GetParameter(i)->GetCurrentItem();
                if (i == nIndex || pOther == nullptr || pOther->IsEmpty() || !IsFeatureKind(pOther->GetTypeCode()))
                    continue;
                // A multi item holding a point or a number holds no shape.
                if (pOther->GetTypeCode() != ParameterItemBase::typeMulti || MultiFeature(pOther) != nullptr)
                    bWhole = FALSE;
            }
        }
        if (FollowSelection(*this, *pSelection, nIndex, *pOld, *pItem, bWhole))
            m_pDraw2dDocument->UpdateAllFeatures(FALSE);
    }
    if (nType == ParameterItemBase::typeFeatureGroup && !bRun && !bPrompt) {
        UpdateParameterInBar(pCommand, nIndex, 1);
        return TRUE;
    }
    if (RunActiveCommand(nIndex, bPrompt))
        return TRUE;
    // The run failed: the old value and its selection come back while the command still runs.
    if (GetActiveCommand() == pCommand && nIndex < pCommand->GetParameterCount()) {
        ParameterItemBase* pNow = pCommand->GetParameterItem(nIndex);
        if (pNow != nullptr && pNow->GetTypeCode() == nType) {
            std::unique_ptr<ParameterItemBase> pRefused(pNow->Clone());
            pNow->SetValueFrom(*pOld);
            if (pSelection != nullptr && FollowSelection(*this, *pSelection, nIndex, *pRefused, *pNow, FALSE))
                m_pDraw2dDocument->UpdateAllFeatures(FALSE);
        }
    }
    return FALSE;
}

BOOL CommandManager::SetFeatureParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return FeatureTransaction(nIndex, value, ParameterItemBase::typeFeature, TRUE, bPrompt);
}

BOOL CommandManager::SetFeatureListParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return FeatureTransaction(nIndex, value, ParameterItemBase::typeFeatureList, TRUE, bPrompt);
}

BOOL CommandManager::SetFeatureSequenceParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return FeatureTransaction(nIndex, value, ParameterItemBase::typeFeatureSequence, TRUE, bPrompt);
}

BOOL CommandManager::SetFeatureGroupParameter(int nIndex, const ParameterItemBase& value, BOOL bRun, BOOL bPrompt)
{
    return FeatureTransaction(nIndex, value, ParameterItemBase::typeFeatureGroup, bRun, bPrompt);
}

BOOL CommandManager::AddFeatureToSequenceList(int nIndex, const FeatureLayout& record, const RuVaPnt2d& pickPoint,
                                              BOOL bPrompt)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || m_pActiveView == nullptr || m_pDraw2dDocument == nullptr || nIndex < 0 ||
        nIndex >= pCommand->GetParameterCount())
        return FALSE;
    auto* pItem = dynamic_cast<FeatureSequenceListParameterItem*>(pCommand->GetParameterItem(nIndex));
    if (pItem == nullptr)
        return FALSE;
    if (!SelectionFeatureFilter::FilterFeature(m_pDraw2dDocument->GetFeatureType(record.GetRecordID()),
                                               pItem->m_dwAcceptedKinds))
        return FALSE;
    FeatureSequenceListParameterItem copy;
    copy.Copy(*pItem);
    if (!copy.AddFeature(record.GetLayoutID(), record.GetRecordID(), pickPoint) || copy.IsEqual(*pItem))
        return FALSE;
    if (!pCommand->ValidateParameterValue(nIndex, copy))
        return FALSE;
    FeatureSequenceListParameterItem old;
    old.Copy(*pItem);
    pItem->AddFeature(record.GetLayoutID(), record.GetRecordID(), pickPoint);
    if (RunActiveCommand(nIndex, bPrompt)) {
        if (SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager())
            pSelection->SelectFeature(KeyOf(record), TRUE);
        return TRUE;
    }
    if (GetActiveCommand() == pCommand && nIndex < pCommand->GetParameterCount())
        if (auto* pNow = dynamic_cast<FeatureSequenceListParameterItem*>(pCommand->GetParameterItem(nIndex)))
            pNow->SetValueFrom(old);
    return FALSE;
}

BOOL CommandManager::SetFeatureValue(int nIndex, const FeatureLayout& record, const RuVaPnt2d& pickPoint)
{
    const auto* pItem = CurrentItemAs<FeatureParameterItem>(GetActiveCommand(), nIndex);
    if (pItem == nullptr)
        return FALSE;
    FeatureParameterItem value(*pItem);
    value.SetValue(record, pickPoint);
    return SetFeatureParameter(nIndex, value, TRUE);
}

BOOL CommandManager::SetFeatureListValue(int nIndex, const FeatureLayout& record, const RuVaPnt2d& pickPoint)
{
    auto pValue = CopyOfCurrentItem<FeatureListParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr)
        return FALSE;
    pValue->ToggleFeature(record.GetLayoutID(), record.GetRecordID(), pickPoint);
    return SetFeatureListParameter(nIndex, *pValue, TRUE);
}

BOOL CommandManager::AddFeatureSequenceValue(int nIndex, const FeatureLayout& record, const RuVaPnt2d& pickPoint)
{
    auto pValue = CopyOfCurrentItem<FeatureSequenceParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr)
        return FALSE;
    pValue->AddFeature(record.GetLayoutID(), record.GetRecordID(), pickPoint);
    return SetFeatureSequenceParameter(nIndex, *pValue, TRUE);
}

BOOL CommandManager::RemoveLastSequenceFeature(int nIndex)
{
    auto pValue = CopyOfCurrentItem<FeatureSequenceParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr || !pValue->RemoveLastFeature())
        return FALSE;
    pValue->m_bFinished = FALSE;
    return SetFeatureSequenceParameter(nIndex, *pValue, TRUE);
}

BOOL CommandManager::SetFeatureGroupValue(int nIndex, const CArray<FeatureLayout>& records, int nShapeMode,
                                          const KcArrayOfGePnt2d* pShapePoints, int nMode, BOOL bReplace,
                                          BOOL bReplaceGroups)
{
    auto pValue = CopyOfCurrentItem<FeatureGroupParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr)
        return FALSE;
    if (bReplace)
        pValue->Clear();
    if (!records.IsEmpty())
        pValue->AddGroup(records, nShapeMode, pShapePoints, bReplaceGroups ? 0 : nMode);
    return SetFeatureGroupParameter(nIndex, *pValue, TRUE, TRUE);
}

BOOL CommandManager::ClearFeatureInput(int nIndex, BOOL bPrompt)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const ParameterItemBase* pItem = pCommand->GetParameterItem(nIndex);
    if (pItem == nullptr || !pItem->m_bClearable)
        return FALSE;
    std::unique_ptr<ParameterItemBase> pEmpty(pItem->Clone());
    if (pEmpty == nullptr || !pEmpty->Clear())
        return FALSE;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typeFeature: return SetFeatureParameter(nIndex, *pEmpty, bPrompt);
    case ParameterItemBase::typeFeatureList: return SetFeatureListParameter(nIndex, *pEmpty, bPrompt);
    case ParameterItemBase::typeFeatureSequence: return SetFeatureSequenceParameter(nIndex, *pEmpty, bPrompt);
    case ParameterItemBase::typeFeatureGroup: return SetFeatureGroupParameter(nIndex, *pEmpty, TRUE, bPrompt);
    case ParameterItemBase::typeFeatureSequenceList:
    case ParameterItemBase::typeMulti:
        return FeatureTransaction(nIndex, *pEmpty, pItem->GetTypeCode(), TRUE, bPrompt);
    default: return FALSE;
    }
}

// --- clicks for feature inputs ------------------------------------------------------------------

BOOL CommandManager::FeatureClickInput(const RuVaPnt2d& world, int nMode)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || m_pActiveView == nullptr || m_pDraw2dDocument == nullptr)
        return FALSE;
    // Clicks while a modifier collects its inputs belong to the modifier.
    if (IsModifierInputActive())
        return FALSE;
    const int nIndex = pCommand->GetPickParameterIndex();
    if (nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    ParameterItemBase* pItem = pCommand->GetParameterItem(nIndex);
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pItem == nullptr || pSelection == nullptr)
        return FALSE;
    const double dAperture = GetPickAperture();
    const SelectionFilter* pFilter = GetActiveSelectionFilter();
    const int nItemDisplayState = IsSelectionDisplayStateEnabled(nIndex) ? 1 : 0;
    const int nOptionDisplayState = m_bSelectionDisplayStateMode ? 1 : 0;
    const DWORD dwKinds = GetItemFeatureFilter(nIndex);
    FeatureLayout found;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typeFeature: {
        const int nPickSetting = static_cast<FeatureParameterItem*>(pItem)->m_nPickSetting;
        if (pSelection->PickByPoint(m_pActiveView, world, dAperture, nItemDisplayState, nPickSetting, dwKinds, pFilter,
                                    found)) {
            SetFeatureValue(nIndex, found, world);
        } else {
            // A click on empty space empties the input.
            ClearFeatureInput(nIndex, TRUE);
        }
        return TRUE;
    }
    case ParameterItemBase::typeFeatureList:
        if (!pSelection->PickByPoint(m_pActiveView, world, dAperture, nItemDisplayState, 0, dwKinds, pFilter, found))
            return FALSE;
        SetFeatureListValue(nIndex, found, world);
        return TRUE;
    case ParameterItemBase::typeFeatureSequenceList:
        if (!pSelection->PickByPoint(m_pActiveView, world, dAperture, nOptionDisplayState, 0, dwKinds, pFilter, found))
            return FALSE;
        AddFeatureToSequenceList(nIndex, found, world, TRUE);
        return TRUE;
    case ParameterItemBase::typeFeatureSequence:
        if (!pSelection->PickByPoint(m_pActiveView, world, dAperture, nItemDisplayState, 0, dwKinds, pFilter, found))
            return FALSE;
        AddFeatureSequenceValue(nIndex, found, world);
        return TRUE;
    case ParameterItemBase::typeFeatureGroup:
        break;
    default:
        return FALSE;
    }
    auto* pGroup = static_cast<FeatureGroupParameterItem*>(pItem);
    const BOOL bAdding = pGroup->m_bSeveralGroups && nMode == 2;
    const DWORD dwShapeModes = pGroup->m_dwShapeModes;
    if (!bAdding && !pGroup->IsEmpty()) {
        ClearFeatureInput(nIndex, TRUE);
        if (GetActiveCommand() != pCommand || m_pActiveView == nullptr)
            return TRUE;
    }
    if (!m_bFenceActive) {
        if ((dwShapeModes & 4) != 0 &&
            pSelection->PickByPoint(m_pActiveView, world, dAperture, nOptionDisplayState, 0, dwKinds, pFilter, found)) {
            CArray<FeatureLayout> records;
            records.Add(found);
            KcArrayOfGePnt2d points;
            points.Add(world);
            SetFeatureGroupValue(nIndex, records, 4, &points, nMode, bAdding ? FALSE : TRUE, FALSE);
            return TRUE;
        }
        AddFencePoint(world);
        return TRUE;
    }
    const int nShape = GetShapeSelectionMode(nIndex);
    if (nShape == 1 || nShape == 8) {
        KcArrayOfGePnt2d points;
        points.Add(m_fencePoints.GetAt(0));
        points.Add(world);
        ClearFenceIfActive();
        GroupFencePick(nIndex, nShape, points, bAdding ? nMode : 0);
    } else {
        AddFencePoint(world);
    }
    return TRUE;
}

BOOL CommandManager::MultiClickInput(const RuVaPnt2d& world)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || m_pActiveView == nullptr || m_pDraw2dDocument == nullptr || IsModifierInputActive())
        return FALSE;
    const int nIndex = pCommand->GetPickParameterIndex();
    if (nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const auto* pItem = dynamic_cast<const MultiParameterItem*>(pCommand->GetParameterItem(nIndex));
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pItem == nullptr || pSelection == nullptr)
        return FALSE;
    // The shape under the cursor, when the item takes shapes at all.
    FeatureLayout found;
    BOOL bFound = FALSE;
    if ((pItem->m_wKindMask & MultiParameterItem::acceptFeature) != 0)
        bFound = pSelection->PickByPoint(m_pActiveView, world, GetPickAperture(),
                                         IsSelectionDisplayStateEnabled(nIndex) ? 1 : 0,
                                         pItem->m_featureItem.m_nPickSetting, GetItemFeatureFilter(nIndex),
                                         GetActiveSelectionFilter(), found);
    MultiParameterItem value;
    value.Copy(*pItem);
    value.m_pointItem.Clear();
    value.m_numberItem.Clear();
    value.m_featureItem.Clear();
    if (bFound) {
        FeatureParameterItem feature(pItem->m_featureItem);
        feature.SetValue(found, world);
        if (!value.SetFeatureFrom(feature))
            return FALSE;
    } else {
        if ((pItem->m_wKindMask & MultiParameterItem::acceptPoint) == 0)
            return FALSE;
        SnapInputPoint(FALSE);
        PointParameterItem point(pItem->m_pointItem);
        point.SetValue(m_cursorLocal);
        if (!value.SetPointFrom(point))
            return FALSE;
    }
    return FeatureTransaction(nIndex, value, ParameterItemBase::typeMulti, TRUE, TRUE);
}

BOOL CommandManager::GroupFencePick(int nIndex, int nShapeMode, const KcArrayOfGePnt2d& points, int nMode)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || m_pActiveView == nullptr || m_pDraw2dDocument == nullptr || nIndex < 0 ||
        nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const auto* pGroup = dynamic_cast<const FeatureGroupParameterItem*>(pCommand->GetParameterItem(nIndex));
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pGroup == nullptr || pSelection == nullptr)
        return FALSE;
    const int nPart = GetPartSelectionMode(nIndex);
    const int nSide = GetSideSelectionMode(nIndex);
    const int nDisplayState = IsSelectionDisplayStateEnabled(nIndex) ? 1 : 0;
    const DWORD dwKinds = GetItemFeatureFilter(nIndex);
    const SelectionFilter* pFilter = GetActiveSelectionFilter();
    CArray<FeatureLayout> records;
    switch (nShapeMode) {
    case 1:
        if (points.GetSize() >= 2)
            pSelection->PickByRectangle(m_pActiveView, points[0], points[1], nPart, nSide, nDisplayState, dwKinds,
                                        pFilter, records);
        break;
    case 8:
        if (points.GetSize() >= 2)
            pSelection->PickByLine(m_pActiveView, points[0], points[1], nPart, nSide, nDisplayState, dwKinds, pFilter,
                                   records);
        break;
    case 2:
        pSelection->PickByPolygon(m_pActiveView, points, nPart, nSide, nDisplayState, dwKinds, pFilter, records);
        break;
    case 16:
        pSelection->PickByPolyline(m_pActiveView, points, nPart, nSide, nDisplayState, dwKinds, pFilter, records);
        break;
    default:
        return FALSE;
    }
    if (!records.IsEmpty()) {
        const BOOL bAdding = pGroup->m_bSeveralGroups && nMode == 2;
        return SetFeatureGroupValue(nIndex, records, nShapeMode, &points, nMode, bAdding ? FALSE : TRUE, FALSE);
    }
    // An added selection that found nothing keeps what the group holds.
    if (nMode == 2 && pGroup->m_bSeveralGroups)
        return FALSE;
    return ClearFeatureInput(nIndex, TRUE);
}

// --- select all, invert, filter -----------------------------------------------------------------

BOOL CommandManager::UnselectAllWithNotify(Draw2dDocument* pDocument)
{
    if (pDocument == nullptr || HasActiveCommand())
        return FALSE;
    SelectionManager* pSelection = pDocument->GetSelectionManager();
    if (pSelection == nullptr || pSelection->IsSelectionEmpty())
        return FALSE;
    pSelection->UnselectAll(TRUE);
    pSelection->SendSelectionNotify();
    return TRUE;
}

BOOL CommandManager::IsCommandEnabled(const CString& strIdentifier) const
{
    if (m_pDraw2dDocument == nullptr)
        return FALSE;
    return CommandBase::IsCommandEnabled(strIdentifier, m_pDraw2dDocument);
}

namespace {

// A group input whose shape modes the command left open takes select all and invert.
const FeatureGroupParameterItem* OpenGroupInput(const CommandBase* pCommand, int& nIndex)
{
    nIndex = pCommand != nullptr ? pCommand->GetCurrentParameterIndex() : -1;
    if (nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return nullptr;
    const auto* pGroup = dynamic_cast<const FeatureGroupParameterItem*>(pCommand->GetParameterItem(nIndex));
    if (pGroup == nullptr || (pGroup->m_dwShapeModes != 0 && pGroup->m_dwShapeModes != 0xFFFF))
        return nullptr;
    return pGroup;
}

}  // namespace

BOOL CommandManager::SelectAllFeatures(Draw2dDocument* pDocument)
{
    if (pDocument == nullptr)
        return FALSE;
    const SelectionFilter* pFilter = GetActiveSelectionFilter();
    if (!HasActiveCommand()) {
        if (pDocument != m_pDraw2dDocument)
            return FALSE;
        CArray<FeatureLayout> records;
        if (!CollectSelectableFeatures(pFilter, m_bSelectionDisplayStateMode, records))
            return FALSE;
        return SelectFeaturesWhenIdle(pDocument, records, 0, nullptr, 0);
    }
    ClearFenceIfActive();
    if (pDocument != m_pDraw2dDocument || m_pActiveView == nullptr)
        return FALSE;
    int nIndex = -1;
    if (OpenGroupInput(GetActiveCommand(), nIndex) == nullptr)
        return FALSE;
    CArray<FeatureLayout> records;
    if (!CollectSelectableFeatures(pFilter, IsSelectionDisplayStateEnabled(nIndex), records))
        return FALSE;
    return SetFeatureGroupValue(nIndex, records, 0, nullptr, 0, TRUE, TRUE);
}

BOOL CommandManager::InvertSelection(Draw2dDocument* pDocument)
{
    if (pDocument == nullptr || pDocument != m_pDraw2dDocument)
        return FALSE;
    const SelectionFilter* pFilter = GetActiveSelectionFilter();
    if (!HasActiveCommand()) {
        SelectionManager* pSelection = pDocument->GetSelectionManager();
        if (pSelection == nullptr)
            return FALSE;
        if (pSelection->IsSelectionEmpty())
            return SelectAllFeatures(pDocument);
        CArray<FeatureLayout> all, others;
        CollectSelectableFeatures(pFilter, m_bSelectionDisplayStateMode, all);
        for (INT_PTR i = 0; i < all.GetSize(); ++i) {
            if (!pSelection->IsFeatureSelected(KeyOf(all[i])))
                others.Add(all[i]);
        }
        if (!others.IsEmpty())
            return SelectFeaturesWhenIdle(pDocument, others, 0, nullptr, 0);
        CArray<FeatureLayout> selected;
        pSelection->GetSelectedFeatureList(selected);
        CArray<long, long> ids;
        for (INT_PTR i = 0; i < selected.GetSize(); ++i)
            ids.Add(selected[i].GetRecordID());
        return UnselectFeaturesWhenIdle(pDocument, ids);
    }
    if (m_pActiveView == nullptr)
        return FALSE;
    int nIndex = -1;
    const FeatureGroupParameterItem* pGroup = OpenGroupInput(GetActiveCommand(), nIndex);
    if (pGroup == nullptr)
        return FALSE;
    if (pGroup->IsEmpty())
        return SelectAllFeatures(pDocument);
    CArray<FeatureLayout> all, others;
    CollectSelectableFeatures(pFilter, IsSelectionDisplayStateEnabled(nIndex), all);
    for (INT_PTR i = 0; i < all.GetSize(); ++i) {
        if (!ItemHoldsShape(pGroup, all[i]))
            others.Add(all[i]);
    }
    if (others.IsEmpty())
        return ClearFeatureInput(nIndex, TRUE);
    return SetFeatureGroupValue(nIndex, others, 0, nullptr, 0, TRUE, TRUE);
}

BOOL CommandManager::FilterGroupInput(const SelectionFilter& filter, int nIndex)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || m_pDraw2dDocument == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const auto* pGroup = dynamic_cast<const FeatureGroupParameterItem*>(pCommand->GetParameterItem(nIndex));
    if (pGroup == nullptr)
        return FALSE;
    FeatureGroupParameterItem copy;
    copy.Copy(*pGroup);
    std::vector<FeatureLayout> features;
    HeldFeatures(&copy, features);
    for (const FeatureLayout& f : features) {
        if (!filter.IsFeatureSelectable(m_pDraw2dDocument, f.GetRecordID()))
            copy.RemoveFeature(f.GetRecordID());
    }
    return SetFeatureGroupParameter(nIndex, copy, TRUE, TRUE);
}

BOOL CommandManager::SelectByFilterDialog()
{
    constexpr UINT kCaption = 10684;
    const auto pfnRun = SelectionFilterDialogHooks::Get().pfnRunFilterSheet;
    if (m_pDraw2dDocument == nullptr || pfnRun == nullptr)
        return FALSE;
    SelectionFilter filter;
    if (!pfnRun(m_pDraw2dDocument, LoadResourceString(kCaption), FALSE, filter))
        return FALSE;
    filter.SetSelectionFilterMode(1);
    return ApplySelectionFilter(filter);
}

BOOL CommandManager::ApplySelectionFilter(const SelectionFilter& filter)
{
    if (m_pDraw2dDocument == nullptr)
        return FALSE;
    if (CommandBase* pCommand = GetActiveCommand())
        return FilterGroupInput(filter, pCommand->GetCurrentParameterIndex());
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pSelection == nullptr || pSelection->IsSelectionEmpty())
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    CArray<long, long> rejected;
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        if (!filter.IsFeatureSelectable(m_pDraw2dDocument, selected[i].GetRecordID()))
            rejected.Add(selected[i].GetRecordID());
    }
    if (rejected.IsEmpty())
        return FALSE;
    return UnselectFeaturesWhenIdle(m_pDraw2dDocument, rejected);
}

void CommandManager::DropUneditableFeatureInputs()
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || m_pDraw2dDocument == nullptr)
        return;
    for (int i = 0; i < pCommand->GetParameterCount() && GetActiveCommand() == pCommand; ++i) {
        const ParameterItemBase* pItem = pCommand->GetParameter(i)->GetCurrentItem();
        if (pItem == nullptr || pItem->IsEmpty() || !IsFeatureKind(pItem->GetTypeCode()) || !EditableOnly(*pItem))
            continue;
        std::vector<FeatureLayout> features;
        HeldFeatures(pItem, features);
        std::vector<long> dropped;
        for (const FeatureLayout& f : features) {
            if (!m_pDraw2dDocument->IsFeatureEditable(f.GetRecordID()))
                dropped.push_back(f.GetRecordID());
        }
        if (dropped.empty())
            continue;
        switch (pItem->GetTypeCode()) {
        case ParameterItemBase::typeFeatureList: {
            FeatureListParameterItem copy;
            copy.Copy(*pItem);
            for (long id : dropped)
                while (copy.RemoveFeature(id)) {
                }
            if (copy.GetCount() == 0)
                ClearFeatureInput(i, FALSE);
            else
                SetFeatureListParameter(i, copy, FALSE);
            break;
        }
        case ParameterItemBase::typeFeatureGroup: {
            FeatureGroupParameterItem copy;
            copy.Copy(*pItem);
            for (long id : dropped)
                copy.RemoveFeature(id);
            if (copy.IsEmpty())
                ClearFeatureInput(i, FALSE);
            else
                SetFeatureGroupParameter(i, copy, TRUE, FALSE);
            break;
        }
        default:
            ClearFeatureInput(i, FALSE);
            break;
        }
    }
}

// --- grips ----------------------------------------------------------------------------------------

FeatureTrackerBase* CommandManager::GetFeatureTracker() const
{
    if (m_pDraw2dDocument == nullptr)
        return nullptr;
    const SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    return pSelection != nullptr ? pSelection->GetFeatureTracker() : nullptr;
}

BOOL CommandManager::IsFeatureTracking() const
{
    const FeatureTrackerBase* pTracker = GetFeatureTracker();
    return pTracker != nullptr && pTracker->IsTracking();
}

BOOL CommandManager::CancelFeatureTracking()
{
    FeatureTrackerBase* pTracker = GetFeatureTracker();
    if (pTracker == nullptr || !pTracker->IsTracking())
        return FALSE;
    pTracker->CancelTrack(m_pActiveView);
    if (m_pActiveView != nullptr)
        m_pActiveView->InvalidateView();
    return TRUE;
}

BOOL CommandManager::SnapTrackerPoint(BOOL bInterruptible)
{
    (void)bInterruptible;
    if (!IsFeatureTracking() || m_pActiveView == nullptr)
        return FALSE;
    const double dAperture = GetPickAperture();
    const RuVaPnt2d cursor = m_cursorWorld;
    RuVaPnt2d snapped;
    BOOL bFound = FALSE;
    // From the point the drag started: angular rays, perpendicular and tangent points.
    RuVaPnt2d base;
    double dBaseAngle = 0.0;
    const BOOL bBase = GetFeatureTracker()->GetBasePoint(m_pActiveView, base, dBaseAngle);
    DWORD dwMask = m_snapOptions.bEnabled ? m_snapOptions.dwType : 0;
    // The tracking kinds follow the histories of a command's input, which a grip drag has not.
    dwMask &= ~DWORD(Snap::kHorzVert | Snap::kExtension | Snap::kPerpendicularTrack);
    Snap snap;
    if (dwMask != 0 &&
        snap.AddFeaturesNear(m_pActiveView, cursor, dAperture, m_snapOptions.bDisplayStateMode ? 1 : 0) < 0)
        return FALSE;
    if ((dwMask & Snap::kDivision) && m_snapOptions.nDivisionCount > 0)
        snap.SetDivisionCount(m_snapOptions.nDivisionCount);
    if (bBase) {
        snap.SetSnapOrigin(base, dBaseAngle);
        if (m_snapOptions.bAngularEnabled) {
            double dAngle = std::fmod(m_snapOptions.dAngle, 360.0);
            if (dAngle < 0.0)
                dAngle += 360.0;
            snap.SetAngularSnap(dAngle, m_snapOptions.nAngularMode == 0 ? 1 : 2);
        }
    } else {
        dwMask &= ~DWORD(Snap::kPerpendicular | Snap::kTangent);
    }
    snap.SetSnapType(dwMask);
    if ((dwMask != 0 || bBase) && snap.UpdateSnapPoint(cursor, dAperture)) {
        snapped = snap.GetSnapPoint();
        m_dwSnapKind = snap.GetSnapKind();
        bFound = TRUE;
    }
    if (!bFound && m_snapOptions.bGrid && m_pActiveView->HitGrid(cursor, snapped, dAperture, FALSE)) {
        m_dwSnapKind = 0;
        bFound = TRUE;
    }
    if (!bFound)
        return FALSE;
    m_bSnapped = TRUE;
    m_snapWorld = snapped;
    m_cursorWorld = snapped;
    m_pActiveView->ConvertPointWorldToLocal(m_pActiveView->GetDrawingFeature(), m_pActiveView->GetActiveLayout(),
                                            m_cursorWorld, m_cursorLocal);
    return TRUE;
}

}  // namespace QZ2Command
