#include "commands/edit/ResolvePolyline2dCommand.h"

#include <vector>

#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ResolvePolyline2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 11128;
constexpr UINT kResolved = 11129;
constexpr DWORD kPolylines = 4;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.ResolvePolyline"), &ResolvePolyline2dCommand::IsCommandEnabled);
    }
} g_registrar;

}  // namespace

BOOL ResolvePolyline2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectedFeatureCount() == 0)
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        if (pDocument->GetFeatureType(selected[i].GetRecordID()) != FeatureTypePolyline)
            return FALSE;
    }
    return TRUE;
}

void ResolvePolyline2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, kShapesPrompt, kPolylines, TRUE, 0);
}

int ResolvePolyline2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || GetParameterCount() < 1 || IsParameterEmpty(0))
        return resultMissing;
    CArray<FeatureLayout> shapes;
    if (!EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes) || shapes.IsEmpty())
        return resultNothing;
    if (!ResolvePolylines(pDocument, shapes))
        return resultConditional;
    EditCommandHelper::ShowMessage(this, EditCommandHelper::FormatCount(kResolved, (int)shapes.GetSize()));
    return resultDone;
}

BOOL ResolvePolyline2dCommand::ResolvePolylines(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes)
{
    if (pDocument == nullptr || shapes.IsEmpty())
        return FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long nRecord = shapes[i].GetRecordID();
        const auto* pPolyline = dynamic_cast<const Polyline2dFeature*>(pDocument->GetFeature(nRecord));
        DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(nRecord);
        if (pPolyline == nullptr || pDrawing == nullptr)
            continue;
        // The attribute list stays behind: one list copied onto every segment would multiply it.
        const KcArrayOfGePnt2d& points = pPolyline->GetPointArray();
        Line2dFeature line;
        line.CopyBase(pPolyline);
        std::vector<long> added;
        BOOL bStored = TRUE;
        for (INT_PTR k = 1; k < points.GetSize() && bStored; ++k) {
            if (!line.SetPoint(points[k - 1], points[k]))
                continue;
            const long id = pDocument->AddFeature(&line, pDrawing, 0);
            if (id == -1)
                bStored = FALSE;
            else
                added.push_back(id);
        }
        if (!bStored) {
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
