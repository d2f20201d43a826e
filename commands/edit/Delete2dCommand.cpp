#include "commands/edit/Delete2dCommand.h"

#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Delete2dCommand, CommandBase)

namespace {
constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 10693;
}  // namespace

void Delete2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, kShapesPrompt,
                                          EditCommandHelper::kAllKinds, TRUE, 0);
}

int Delete2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const ParameterItemBase* pShapes = FindItem(itemShapes);
    if (pDocument == nullptr || pShapes == nullptr || pShapes->IsEmpty())
        return resultMissing;
    CArray<FeatureLayout> shapes;
    if (!EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i)
        pDocument->DeleteFeature(shapes[i].GetRecordID(), 0);
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    return resultDone;
}

}  // namespace QZ2Command
