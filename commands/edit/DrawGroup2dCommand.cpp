#include "commands/edit/DrawGroup2dCommand.h"

#include <memory>
#include <vector>

#include "command/ListParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawGroup2dCommand, CommandBase)

namespace {

constexpr UINT kLayerCaption = 10795;
constexpr UINT kLayerPrompt = 10991;
constexpr UINT kLayerChoices = 10837;
constexpr UINT kShapesCaption = 10715;
constexpr UINT kGroupPrompt = 10992;
constexpr UINT kUngroupPrompt = 10993;
constexpr UINT kSeveralDrawings = 10994;
constexpr UINT kGrouped = 10995;
constexpr UINT kUngrouped = 10996;
// "The shapes could not be grouped." / "The groups could not be dissolved."
constexpr UINT kGroupFailed = 11172;
constexpr UINT kUngroupFailed = 11173;
constexpr DWORD kGroupKinds = 0xE9FFFFFF;
constexpr DWORD kGroupOnly = 0x00800000;
constexpr int kComponentDefinition = 3;

const CString kGroup(_T("Korvan.Edit.Group"));
const CString kUngroup(_T("Korvan.Edit.UnGroup"));

// The command library hands its tests to the context menu when it loads.
struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.Group"), &DrawGroup2dCommand::IsCommandEnabled);
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.UnGroup"), &DrawGroup2dCommand::IsCommandEnabled);
    }
} g_registrar;

}  // namespace

BOOL DrawGroup2dCommand::IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->IsSelectionEmpty() || (strIdentifier != kGroup && strIdentifier != kUngroup))
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    if (strIdentifier == kUngroup) {
        for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
            if (pDocument->GetFeatureType(selected[i].GetRecordID()) != FeatureTypeDrawGroup)
                return FALSE;
        }
        return TRUE;
    }
    return selected.GetSize() == 1 && pDocument->GetFeatureType(selected[0].GetRecordID()) == FeatureTypeDrawGroup
               ? FALSE
               : TRUE;
}

void DrawGroup2dCommand::SetupParameters()
{
    if (m_strIdentifier == kGroup) {
        ListParameterItem rule;
        ShapeCommandHelper::PrepareItem(rule, itemLayerRule, kLayerCaption, kLayerPrompt);
        rule.SetItemsFromStringId(kLayerChoices);
        rule.SetValue(kKeepMemberLayers);
        rule.SetDefaultValue(kKeepMemberLayers);
        rule.m_bNoDefault = FALSE;
        rule.m_nRetentionMode = 2;
        rule.m_bClearable = FALSE;
        ShapeCommandHelper::AddSingleItemParameter(this, rule);
        EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, kGroupPrompt, kGroupKinds, TRUE, 0);
    } else {
        EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, kUngroupPrompt, kGroupOnly, TRUE, 0);
    }
}

int DrawGroup2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const ParameterItemBase* pShapes = FindItem(itemShapes);
    if (pDocument == nullptr || pShapes == nullptr || pShapes->IsEmpty())
        return resultMissing;
    const auto* pRule = dynamic_cast<const ListParameterItem*>(FindItem(itemLayerRule));
    if (m_strIdentifier == kGroup && (pRule == nullptr || pRule->IsEmpty()))
        return resultMissing;
    CArray<FeatureLayout> shapes;
    if (!EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;

    if (m_strIdentifier == kGroup) {
        int nRule = kKeepMemberLayers;
        if (!pRule->GetValue(nRule))
            return resultMissing;
        const DrawingFeatureBase* pFirst = pDocument->GetParentDrawingFeature(shapes[0].GetRecordID());
        for (INT_PTR i = 1; i < shapes.GetSize(); ++i) {
            if (pDocument->GetParentDrawingFeature(shapes[i].GetRecordID()) != pFirst) {
                EditCommandHelper::ShowMessage(this, kSeveralDrawings);
                return resultConditional;
            }
        }
        // Only a group that was stored is reported as made.
        if (!GroupFeatures(pDocument, shapes, nRule)) {
            EditCommandHelper::ShowStatus(this, kGroupFailed);
            return resultConditional;
        }
        EditCommandHelper::ShowMessage(this, EditCommandHelper::FormatCount(kGrouped, (int)shapes.GetSize()));
        return resultDone;
    }
    if (!UngroupFeatures(pDocument, shapes)) {
        EditCommandHelper::ShowStatus(this, kUngroupFailed);
        return resultConditional;
    }
    EditCommandHelper::ShowMessage(this, EditCommandHelper::FormatCount(kUngrouped, (int)shapes.GetSize()));
    return resultDone;
}

BOOL DrawGroup2dCommand::GroupFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes, int nLayerRule,
                                       long* pNewID)
{
    if (pNewID != nullptr)
        *pNewID = -1;
    if (pDocument == nullptr || shapes.IsEmpty())
        return FALSE;
    if (shapes.GetSize() == 1 && pDocument->GetFeatureType(shapes[0].GetRecordID()) == FeatureTypeDrawGroup)
        return FALSE;
    DrawingFeatureBase* pTarget = pDocument->GetParentDrawingFeature(shapes[0].GetRecordID());
    if (pTarget == nullptr || pTarget->GetDrawingType() == kComponentDefinition)
        return FALSE;
    DrawGroup2dFeature group;
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long id = shapes[i].GetRecordID();
        Feature2dBase* pMember = pDocument->GetFeature(id);
        if (pMember == nullptr || pDocument->GetParentDrawingFeature(id) != pTarget)
            return FALSE;
        group.AddFeature(pMember, 1);
    }
    group.SetColorNo(-1);
    group.SetLineTypeNo(-1);
    group.SetLineWidthNo(-1);
    group.SetLayerID(nLayerRule == kKeepMemberLayers ? 0 : pDocument->GetCurrentLayerID());

    pDocument->BeginUndoOperation(nullptr);
    const long nGroup = pDocument->AddFeature(&group, pTarget, 1);
    if (nGroup != -1) {
        for (INT_PTR i = 0; i < shapes.GetSize(); ++i)
            pDocument->DeleteFeature(shapes[i].GetRecordID(), 1);
    }
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    if (pNewID != nullptr)
        *pNewID = nGroup;
    return nGroup != -1 ? TRUE : FALSE;
}

BOOL DrawGroup2dCommand::UngroupFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes)
{
    if (pDocument == nullptr || shapes.IsEmpty())
        return FALSE;
    BOOL bAll = TRUE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long nGroup = shapes[i].GetRecordID();
        const auto* pGroup = dynamic_cast<const DrawGroup2dFeature*>(pDocument->GetFeature(nGroup));
        if (pGroup == nullptr)
            continue;
        DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(nGroup);
        const long nLayer = pGroup->GetLayerID();
        std::vector<long> added;
        BOOL bOk = TRUE;
        for (int k = 0; k < pGroup->GetFeatureCount() && bOk; ++k) {
            const Feature2dBase* pMember = pGroup->GetFeature(k);
            long id = -1;
            if (nLayer != 0) {
                std::unique_ptr<Feature2dBase> copy(pMember->CopyObject(Feature2dBase::copyAll));
                if (copy && copy->SetLayerID(nLayer))
                    id = pDocument->AddFeature(copy.get(), pDrawing, 1);
            } else {
                id = pDocument->AddFeature(pMember, pDrawing, 1);
            }
            if (id == -1)
                bOk = FALSE;
            else
                added.push_back(id);
        }
        if (!bOk) {
            // The group stays whole rather than losing a member.
            for (long id : added)
                pDocument->DeleteFeature(id, 1);
            bAll = FALSE;
            continue;
        }
        pDocument->DeleteFeature(nGroup, 1);
    }
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    return bAll;
}

}  // namespace QZ2Command
