#include "commands/edit/ChangeObjectFeatureSetting2dCommand.h"

#include <memory>

#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(ChangeObjectFeatureSetting2dCommand, CommandBase)

ChangeObjectFeatureSetting2dCommand::ChangeObjectFeatureSetting2dCommand(int nType, DWORD dwKinds, UINT nShapesCaption)
    : m_nType(nType), m_dwKinds(dwKinds), m_nShapesCaption(nShapesCaption)
{
}

ChangeObjectFeatureSetting2dCommand::~ChangeObjectFeatureSetting2dCommand() = default;

BOOL ChangeObjectFeatureSetting2dCommand::IsTypeSelected(Draw2dDocument* pDocument, int nType)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectedFeatureCount() == 0)
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(selected[i].GetRecordID());
        if (pFeature != nullptr && pFeature->GetFeatureType() == nType)
            return TRUE;
    }
    return FALSE;
}

void ChangeObjectFeatureSetting2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, m_nShapesCaption, 0, m_dwKinds, TRUE, 0);
}

int ChangeObjectFeatureSetting2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const ParameterItemBase* pItem = FindItem(itemShapes);
    CArray<FeatureLayout> shapes;
    if (pDocument == nullptr || pItem == nullptr || pItem->IsEmpty() ||
        !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;

    // The first object that still exists is the base of the merge.
    int nObjects = 0;
    long nFirstLayerID = -1;
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(shapes[i].GetRecordID());
        if (pFeature == nullptr || pFeature->GetFeatureType() != m_nType)
            continue;
        if (nObjects++ == 0) {
            nFirstLayerID = pFeature->GetLayerID();
            BeginMerge(pFeature);
        } else {
            Merge(pFeature);
        }
    }
    if (nObjects == 0)
        return resultNothing;
    if (!RunDialog(pDocument, nObjects, nFirstLayerID))
        return resultDone;

    BOOL bUpdated = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long id = shapes[i].GetRecordID();
        const Feature2dBase* pFeature = pDocument->GetFeature(id);
        if (pFeature == nullptr || pFeature->GetFeatureType() != m_nType)
            continue;
        std::unique_ptr<Feature2dBase> copy(pFeature->CopyObject(3));
        if (copy != nullptr && Write(copy.get()) && pDocument->UpdateFeature(id, copy.get(), 0, 3))
            bUpdated = TRUE;
    }
    pDocument->EndUndoOperation();
    if (bUpdated)
        pDocument->UpdateAllFeatures(1);
    return resultDone;
}

}  // namespace QZ2Command
