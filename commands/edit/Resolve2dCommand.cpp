#include "commands/edit/Resolve2dCommand.h"

#include <memory>
#include <vector>

#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureResolver.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/TransformFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Resolve2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 11126;
constexpr UINT kResolved = 11127;
constexpr DWORD kResolveKinds = 0x97EE000;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.Resolve"), &Resolve2dCommand::IsCommandEnabled);
    }
} g_registrar;

// The pieces of one shape, kept until all of them are known.
struct Pieces {
    std::vector<std::unique_ptr<Feature2dBase>> features;
};

BOOL IsResolvable(int nType)
{
    return nType == FeatureTypeLead || nType == FeatureTypeBalloon || nType == FeatureTypeHatch ||
                   (nType >= FeatureTypeLinearDimension && nType <= FeatureTypeParallelDimension) ||
                   nType == FeatureTypeTolerance || nType == FeatureTypeDrawComponent
               ? TRUE
               : FALSE;
}

// The definition's shapes placed as the component places them; FALSE without a definition.
BOOL PlaceComponent(const Draw2dDocument* pDocument, const DrawComponent2dFeature* pComponent, Pieces& pieces)
{
    const DrawComponent2dFeatureDefineTable* pTable = pDocument->GetComponentDefineTable();
    const DrawComponent2dFeatureDefine* pDefine =
        pTable != nullptr ? pTable->GetComponentDefine(pComponent->GetComponentDefineID()) : nullptr;
    if (pDefine == nullptr)
        return FALSE;
    double sx = 1.0;
    double sy = 1.0;
    pComponent->GetScale(sx, sy);
    const TransformFeature transform(RuVaPnt2d(0, 0), sx, sy, sx, pComponent->GetAngle(), pComponent->GetOrigin());
    for (long pos = pDefine->GetNextFeaturePosition(-1, 0); pos != -1; pos = pDefine->GetNextFeaturePosition(pos, 0)) {
        const Feature2dBase* pShape = pDefine->GetFeature(pos);
        if (pShape == nullptr)
            continue;
        std::unique_ptr<Feature2dBase> copy(transform.Transformed(pShape));
        if (!copy)
            return FALSE;
        if (pComponent->GetLayerID() != 0)
            copy->SetLayerID(pComponent->GetLayerID());
        const int type = copy->GetFeatureType();
        if (type >= FeatureTypeLinearDimension && type <= FeatureTypeParallelDimension)
            FeatureCreator::UpdateDimensionFeature(static_cast<Dimension2dFeatureBase*>(copy.get()), nullptr, 0, 1.0,
                                                   1.0);
        else if (type == FeatureTypeLead)
            FeatureCreator::UpdateLeadFeature(static_cast<Lead2dFeature*>(copy.get()), nullptr);
        pieces.features.push_back(std::move(copy));
    }
    return TRUE;
}

}  // namespace

int Resolve2dCommand::AddResolvedFeature(const DrawingFeatureBase* pDrawing, const Feature2dBase* pPiece,
                                         void* pUser1, void* pUser2, const Feature2dBase*)
{
    if (pPiece == nullptr || pUser1 == nullptr)
        return 0;
    if (pPiece->GetFeatureType() == FeatureTypeArrow)
        return FeatureResolver::ResolveArrowFeature(pDrawing, static_cast<const Arrow2dFeature*>(pPiece),
                                                    &Resolve2dCommand::AddResolvedFeature, pUser1, pUser2);
    if (pPiece->GetFeatureType() == FeatureTypePointMarker &&
        static_cast<const PointMarker2dFeature*>(pPiece)->IsVirtual())
        return 1;
    static_cast<Pieces*>(pUser1)->features.emplace_back(pPiece->CopyObject(Feature2dBase::copyAll));
    return 1;
}

BOOL Resolve2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectedFeatureCount() == 0)
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        if (IsResolvable(pDocument->GetFeatureType(selected[i].GetRecordID())))
            return TRUE;
    }
    return FALSE;
}

void Resolve2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, kShapesPrompt, kResolveKinds, TRUE, 0);
}

int Resolve2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || GetParameterCount() < 1 || IsParameterEmpty(0))
        return resultMissing;
    CArray<FeatureLayout> shapes;
    if (!EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes) || shapes.IsEmpty())
        return resultNothing;
    if (!ResolveFeatures(pDocument, shapes))
        return resultConditional;
    EditCommandHelper::ShowMessage(this, EditCommandHelper::FormatCount(kResolved, (int)shapes.GetSize()));
    return resultDone;
}

BOOL Resolve2dCommand::ResolveFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes)
{
    if (pDocument == nullptr || shapes.IsEmpty())
        return FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long nRecord = shapes[i].GetRecordID();
        const Feature2dBase* pShape = pDocument->GetFeature(nRecord);
        DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(nRecord);
        if (pShape == nullptr || pDrawing == nullptr)
            continue;
        // Every piece is made before the document is touched.
        Pieces pieces;
        int resolved = 0;
        if (pShape->GetFeatureType() == FeatureTypeDrawComponent)
            resolved = PlaceComponent(pDocument, static_cast<const DrawComponent2dFeature*>(pShape), pieces) ? 1 : 0;
        else if (pShape->GetFeatureType() == FeatureTypeHatch)
            resolved = FeatureResolver::ResolveHatchFeature(pDocument, pDrawing,
                                                            static_cast<const Hatch2dFeature*>(pShape),
                                                            &Resolve2dCommand::AddResolvedFeature, &pieces, nullptr);
        else
            resolved = FeatureResolver::ResolveFeature(pDrawing, pShape, &Resolve2dCommand::AddResolvedFeature,
                                                       &pieces, nullptr, nullptr);
        if (resolved == 0)
            continue;
        std::vector<long> added;
        BOOL bStored = TRUE;
        for (const auto& piece : pieces.features) {
            const long id = piece ? pDocument->AddFeature(piece.get(), pDrawing, 0) : -1;
            if (id == -1) {
                bStored = FALSE;
                break;
            }
            added.push_back(id);
        }
        if (!bStored) {
            // The shape stays whole rather than losing a piece.
            for (long id : added)
                pDocument->DeleteFeature(id, 0);
            continue;
        }
        pDocument->DeleteFeature(nRecord, 0);
    }
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    return TRUE;
}

}  // namespace QZ2Command
