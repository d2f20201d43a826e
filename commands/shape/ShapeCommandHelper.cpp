#include "commands/shape/ShapeCommandHelper.h"

#include <memory>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LoadResourceString.h"
#include "command/ParameterItemBase.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"

namespace QZ2Command {

void ShapeCommandHelper::PrepareItem(ParameterItemBase& item, int nId, UINT nCaptionId, UINT nPromptId)
{
    item.SetId(nId);
    item.SetCaption(nCaptionId);
    item.m_strPrompt = LoadResourceString(nPromptId);
}

BOOL ShapeCommandHelper::AddSingleItemParameter(CommandBase* pCommand, const ParameterItemBase& item)
{
    if (pCommand == nullptr)
        return FALSE;
    auto pParameter = std::make_unique<CommandParameter>();
    const int index = pParameter->AddItem(item);
    if (index < 0 || !pParameter->SetCurrentIndex(index))
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
    return pDocument != nullptr ? pDocument->GetActiveDrawingFeature() : nullptr;
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
    BOOL bAdded = TRUE;
    pDocument->BeginUndoOperation(nullptr);
    for (int i = 0; i < features.GetFeatureSize() && bAdded; ++i)
        bAdded = pDocument->AddFeature(features[i], pDrawing, 1) != -1 ? TRUE : FALSE;
    pDocument->EndUndoOperation();
    return bAdded;
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
