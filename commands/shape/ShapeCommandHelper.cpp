#include "commands/shape/ShapeCommandHelper.h"

#include <memory>
#include <vector>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/ParameterItemBase.h"
#include "command/PointParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/TransformFeature.h"

namespace QZ2Command {

void ShapeCommandHelper::PrepareItem(ParameterItemBase& item, int nId, UINT nCaptionId, UINT nPromptId)
{
    item.SetId(nId);
    item.SetCaption(nCaptionId);
    item.m_strPrompt = LoadResourceString(nPromptId);
}

BOOL ShapeCommandHelper::AddSingleItemParameter(CommandBase* pCommand, const ParameterItemBase& item)
{
    return AddAlternativesParameter(pCommand, {&item});
}

BOOL ShapeCommandHelper::AddAlternativesParameter(CommandBase* pCommand,
                                                  std::initializer_list<const ParameterItemBase*> items)
{
    if (pCommand == nullptr || items.size() == 0)
        return FALSE;
    auto pParameter = std::make_unique<CommandParameter>();
    int first = -1;
    for (const ParameterItemBase* pItem : items) {
        const int index = pItem != nullptr ? pParameter->AddItem(*pItem) : -1;
        if (index < 0)
            return FALSE;
        if (first < 0)
            first = index;
    }
    if (!pParameter->SetCurrentIndex(first))
        return FALSE;
    // Both take the parameter over only when they accept it.
    const BOOL bAdded = pCommand->m_pManager != nullptr
                            ? pCommand->m_pManager->AddParameter(pCommand, pParameter.get())
                            : (pCommand->AddParameter(pParameter.get()) >= 0 ? TRUE : FALSE);
    if (!bAdded)
        return FALSE;
    pParameter.release();
    return TRUE;
}

void ShapeCommandHelper::ApplyAttributes(Feature2dBase* pFeature, short nColorNo, short nLineTypeNo,
                                         short nLineWidthNo, long nLayerID)
{
    if (pFeature == nullptr)
        return;
    // A refused number leaves what the creator gave the shape.
    pFeature->SetColorNo(nColorNo);
    pFeature->SetLineTypeNo(nLineTypeNo);
    pFeature->SetLineWidthNo(nLineWidthNo);
    pFeature->SetLayerID(nLayerID);
}

void ShapeCommandHelper::ApplyCurrentAttributes(Feature2dBase* pFeature, const Draw2dDocument* pDocument)
{
    if (pFeature == nullptr || pDocument == nullptr)
        return;
    ApplyAttributes(pFeature, pDocument->GetCurrentColorNo(), pDocument->GetCurrentLineTypeNo(),
                    pDocument->GetCurrentLineWidthNo(), pDocument->GetCurrentLayerID());
}

Draw2dDocument* ShapeCommandHelper::GetDocument(const CommandBase* pCommand)
{
    if (pCommand == nullptr || pCommand->m_pManager == nullptr)
        return nullptr;
    return pCommand->m_pManager->GetDraw2dDocument();
}

DrawingFeatureBase* ShapeCommandHelper::GetActiveDrawing(const CommandBase* pCommand)
{
    const Draw2dDocument* pDocument = GetDocument(pCommand);
    if (pDocument == nullptr)
        return nullptr;
    DrawingFeatureBase* pActive = pDocument->GetActiveDrawingFeature();
    // Through a part layout on a paper the points are the part drawing's: the shape belongs there.
    const PartDrawingLayout* pLayout = pDocument->GetActiveDrawingLayout();
    if (pActive != nullptr && pLayout != nullptr && pLayout->GetDrawingID() != pActive->GetDrawingID() &&
        pActive->GetPartLayoutByID(pLayout->GetLayoutID()) != nullptr) {
        if (DrawingFeatureBase* pShown = pDocument->ChangeDrawingFeature(pLayout->GetDrawingID()))
            return pShown;
    }
    return pActive;
}

BOOL ShapeCommandHelper::AddFeatureInUndo(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing,
                                          Feature2dBase* pFeature)
{
    std::unique_ptr<Feature2dBase> feature(pFeature);
    if (pDocument == nullptr || !feature)
        return FALSE;
    pDocument->BeginUndoOperation(nullptr);
    const long result = pDocument->AddFeature(feature.get(), pDrawing, 1);
    feature.reset();
    pDocument->EndUndoOperation();
    return result != -1 ? TRUE : FALSE;
}

BOOL ShapeCommandHelper::AddFeatureListInUndo(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing,
                                              const Feature2dList& features)
{
    if (pDocument == nullptr || features.IsEmpty())
        return FALSE;
    // What the document would refuse is found before anything is added.
    if (pDrawing != nullptr && !pDocument->IsDrawingFeatureExists(pDrawing))
        return FALSE;
    for (int i = 0; i < features.GetFeatureSize(); ++i) {
        if (features[i] == nullptr || !features[i]->IsValid())
            return FALSE;
    }
    const BOOL bOutermost = !pDocument->IsInUndoOperation();
    std::vector<long> added;
    pDocument->BeginUndoOperation(nullptr);
    for (int i = 0; i < features.GetFeatureSize(); ++i) {
        const long id = pDocument->AddFeature(features[i], pDrawing, 1);
        if (id == -1)
            break;
        added.push_back(id);
    }
    const bool bAll = added.size() == static_cast<size_t>(features.GetFeatureSize());
    if (!bAll && !(bOutermost && !added.empty())) {
        // Inside a caller's bracket the step is not ours to undo: take the shapes out again.
        for (long id : added)
            pDocument->DeleteFeature(id, 1);
    }
    pDocument->EndUndoOperation();
    if (!bAll && bOutermost && !added.empty()) {
        // Refused part-way: the step holds the earlier shapes only; take it back whole.
        if (pDocument->Undo()) {
            pDocument->ClearRedoHistory();
        } else {
            // No undo history kept: nothing to take back but the shapes themselves.
            for (long id : added)
                pDocument->DeleteFeature(id, 1);
        }
    }
    return bAll ? TRUE : FALSE;
}

Feature2dBase* ShapeCommandHelper::StyleMarker(const CommandBase* pCommand, const Feature2dBase* pMarker,
                                               BOOL bApplySetting)
{
    const Draw2dDocument* pDocument = GetDocument(pCommand);
    if (pMarker == nullptr || pDocument == nullptr)
        return nullptr;
    double sx = 1.0;
    double sy = 1.0;
    if (!pCommand->GetLayoutInverseScale(&sx, &sy))
        return nullptr;
    std::unique_ptr<Feature2dBase> marker(pMarker->CopyObject(Feature2dBase::copyAll));
    if (!marker)
        return nullptr;
    if (bApplySetting && pDocument->GetPointMarkerSetting() != nullptr)
        FeatureSettingConverter::SetPointMarkerSettingToFeature(marker.get(), *pDocument->GetPointMarkerSetting());
    if (sx != 1.0 || sy != 1.0) {
        // Inside a scaled layout the marker keeps its size on paper.
        const RuVaPnt2d origin(0.0, 0.0);
        marker.reset(TransformFeature::Transformed(marker.get(), origin, 1.0, 1.0, sx, 0.0, origin));
        if (!marker)
            return nullptr;
    }
    marker->SetLayerID(pDocument->GetCurrentLayerID());
    return marker.release();
}

BOOL ShapeCommandHelper::BuildMarker(CommandBase* pCommand, PointMarker2dFeature* pMarker, int nAction)
{
    std::unique_ptr<PointMarker2dFeature> marker(pMarker);
    std::unique_ptr<Feature2dBase> styled(StyleMarker(pCommand, marker.get(), FALSE));
    if (!styled)
        return FALSE;
    switch (nAction) {
    case actionAdd:
        return AddFeatureInUndo(GetDocument(pCommand), GetActiveDrawing(pCommand), styled.release());
    case actionPreview:
        return pCommand->DrawRubberbandFeature(styled.get());
    default:
        return FALSE;
    }
}

BOOL ShapeCommandHelper::BuildMarkerList(CommandBase* pCommand, Feature2dList& markers, int nAction)
{
    if (markers.IsEmpty() || GetDocument(pCommand) == nullptr)
        return FALSE;
    for (int i = 0; i < markers.GetFeatureSize(); ++i) {
        std::unique_ptr<Feature2dBase> styled(StyleMarker(pCommand, markers[i], TRUE));
        if (!styled)
            return FALSE;
        markers.SetFeature(i, styled.get());
    }
    switch (nAction) {
    case actionAdd:
        return AddFeatureListInUndo(GetDocument(pCommand), GetActiveDrawing(pCommand), markers);
    case actionPreview:
        return pCommand->DrawRubberbandFeatureList(markers);
    default:
        return FALSE;
    }
}

int ShapeCommandHelper::TakePickedFeature(const CommandBase* pCommand, const FeatureParameterItem& item,
                                          std::unique_ptr<Feature2dBase>& shape, RuVaPnt2d& localPick)
{
    shape.reset();
    FeatureLayout picked;
    RuVaPnt2d worldPick;
    if (!item.GetValueAndPickPoint(picked, worldPick) || picked.GetRecordID() == -1)
        return pickMissing;
    const Draw2dDocument* pDocument = GetDocument(pCommand);
    if (pDocument == nullptr)
        return pickMissing;
    const Feature2dBase* pFeature = picked.GetRecordID() > 0 ? pDocument->GetFeature(picked.GetRecordID()) : nullptr;
    if (pFeature == nullptr)
        return pickGone;
    const Draw2dView* pView = pCommand->m_pManager->GetView();
    const PartDrawingLayout* pLayout =
        (pView != nullptr && picked.GetLayoutID() != -1) ? pView->GetPartLayoutByID(picked.GetLayoutID()) : nullptr;
    const PartDrawingLayout* pActive =
        pView != nullptr ? pView->GetActivePartLayout() : pDocument->GetActiveDrawingLayout();
    // Without a layout on either side the drawing's coordinates are the world's.
    shape.reset(pLayout == nullptr && pActive == nullptr ? pFeature->CopyObject(Feature2dBase::copyAll)
                                                         : pCommand->ConvertFeatureToLayout(pLayout, pFeature));
    if (!shape)
        return pickGone;
    pCommand->m_pManager->WorldToLocalPoint(worldPick, localPick);
    return pickTaken;
}

BOOL ShapeCommandHelper::DrawCornerRectanglePreview(CommandBase* pCommand, int nFirstIndex, int nSecondIndex)
{
    if (pCommand == nullptr)
        return FALSE;
    PointParameterItem first, second;
    RuVaPnt2d a, b;
    if (!pCommand->GetParameterValue(nFirstIndex, first) || !pCommand->GetPointValue(first, a, TRUE) ||
        !pCommand->GetParameterValue(nSecondIndex, second) || !pCommand->GetPointValue(second, b, TRUE))
        return FALSE;
    return pCommand->DrawRubberbandRectangle(a, b);
}

int ShapeCommandHelper::Refuse(const CommandBase* pCommand, UINT nMessageId, int nResult)
{
    if (pCommand != nullptr && pCommand->m_pManager != nullptr)
        pCommand->m_pManager->ShowStatusInformation(LoadResourceString(nMessageId), 3000);
    return nResult;
}

BOOL ShapeCommandHelper::BuildFeature(CommandBase* pCommand, Feature2dBase* pFeature, int nAction)
{
    std::unique_ptr<Feature2dBase> feature(pFeature);
    Draw2dDocument* pDocument = GetDocument(pCommand);
    if (!feature || pDocument == nullptr)
        return FALSE;
    ApplyCurrentAttributes(feature.get(), pDocument);
    switch (nAction) {
    case actionAdd:
        return AddFeatureInUndo(pDocument, GetActiveDrawing(pCommand), feature.release());
    case actionPreview:
        return pCommand->DrawRubberbandFeature(feature.get());
    default:
        return FALSE;
    }
}

BOOL ShapeCommandHelper::BuildFeatureList(CommandBase* pCommand, Feature2dList& features, int nAction)
{
    Draw2dDocument* pDocument = GetDocument(pCommand);
    if (features.IsEmpty() || pDocument == nullptr)
        return FALSE;
    for (int i = 0; i < features.GetFeatureSize(); ++i)
        ApplyCurrentAttributes(features[i], pDocument);
    switch (nAction) {
    case actionAdd:
        return AddFeatureListInUndo(pDocument, GetActiveDrawing(pCommand), features);
    case actionPreview:
        return pCommand->DrawRubberbandFeatureList(features);
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
