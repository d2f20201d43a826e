#include "commands/edit/ChangeOleObjectFeatureSetting2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/WinConstants.h"
#include "settings/COleObjectSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ChangeOleObjectFeatureSetting2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr DWORD kOleKinds = 0x4000000;
constexpr int kOleType = 90;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.ChangeOleObjectSetting"),
                                        &ChangeOleObjectFeatureSetting2dCommand::IsCommandEnabled);
    }
} g_registrar;

}  // namespace

BOOL ChangeOleObjectFeatureSetting2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectedFeatureCount() == 0)
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(selected[i].GetRecordID());
        if (pFeature != nullptr && pFeature->GetFeatureType() == kOleType)
            return TRUE;
    }
    return FALSE;
}

void ChangeOleObjectFeatureSetting2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, 0, kOleKinds, TRUE, 0);
}

int ChangeOleObjectFeatureSetting2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const ParameterItemBase* pItem = FindItem(itemShapes);
    CArray<FeatureLayout> shapes;
    if (pDocument == nullptr || pItem == nullptr || pItem->IsEmpty() ||
        !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;

    OleObjectSetting merged;
    int nObjects = 0;
    long nLayerID = -1;
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(shapes[i].GetRecordID());
        if (pFeature == nullptr || pFeature->GetFeatureType() != kOleType)
            continue;
        if (nObjects++ == 0) {
            FeatureSettingConverter::GetOleObjectSettingFromFeature(pFeature, merged);
            nLayerID = pFeature->GetLayerID();
            continue;
        }
        OleObjectSetting other;
        FeatureSettingConverter::GetOleObjectSettingFromFeature(pFeature, other);
        merged &= other;
    }
    if (nObjects == 0)
        return resultNothing;

    // With one object a background taken from its layer shows that layer's colour; with several, none.
    // Mixed values must be allowed, or a size the objects do not share could never be confirmed.
    COleObjectSettingDialog dialog(nullptr, TRUE);
    dialog.SetColorTable(pDocument->GetColorFeatureTable(), pDocument->GetLayerTable(),
                         nObjects == 1 ? nLayerID : -1);
    dialog.SetOleObjectSetting(&merged);
    if (dialog.DoModal() != IDOK)
        return resultDone;
    dialog.GetOleObjectSetting(&merged);

    BOOL bUpdated = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long id = shapes[i].GetRecordID();
        const Feature2dBase* pFeature = pDocument->GetFeature(id);
        if (pFeature == nullptr || pFeature->GetFeatureType() != kOleType)
            continue;
        std::unique_ptr<Feature2dBase> copy(pFeature->CopyObject(3));
        if (copy != nullptr && FeatureSettingConverter::SetOleObjectSettingToFeature(copy.get(), merged) &&
            pDocument->UpdateFeature(id, copy.get(), 0, 3))
            bUpdated = TRUE;
    }
    pDocument->EndUndoOperation();
    if (bUpdated)
        pDocument->UpdateAllFeatures(1);
    return resultDone;
}

}  // namespace QZ2Command
