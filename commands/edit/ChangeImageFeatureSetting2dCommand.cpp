#include "commands/edit/ChangeImageFeatureSetting2dCommand.h"

#include <cfloat>
#include <memory>

#include "command/CommandManager.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/gdiplus/Image.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "settings/CImageColorSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ChangeImageFeatureSetting2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr DWORD kImageKinds = 0x2000000;
constexpr int kImageType = 80;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.ChangeImageSetting"),
                                        &ChangeImageFeatureSetting2dCommand::IsCommandEnabled);
    }
} g_registrar;

}  // namespace

BOOL ChangeImageFeatureSetting2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectedFeatureCount() == 0)
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(selected[i].GetRecordID());
        if (pFeature != nullptr && pFeature->GetFeatureType() == kImageType)
            return TRUE;
    }
    return FALSE;
}

void ChangeImageFeatureSetting2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, 0, kImageKinds, TRUE, 0);
}

int ChangeImageFeatureSetting2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const ParameterItemBase* pItem = FindItem(itemShapes);
    CArray<FeatureLayout> shapes;
    if (pDocument == nullptr || pItem == nullptr || pItem->IsEmpty() ||
        !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;

    // The first image that still exists is the base of the merge and the preview.
    ImageSetting merged;
    std::unique_ptr<Gdiplus::Image> preview;
    BOOL bFirst = TRUE;
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const auto* pImage = dynamic_cast<const Image2dFeature*>(pDocument->GetFeature(shapes[i].GetRecordID()));
        if (pImage == nullptr || pImage->GetFeatureType() != kImageType)
            continue;
        if (bFirst) {
            bFirst = FALSE;
            FeatureSettingConverter::GetImageSettingFromFeature(pImage, merged);
            if (pImage->HasImage())
                preview.reset(Gdiplus::Image::FromBytes(pImage->GetImageData().data(), pImage->GetImageData().size()));
            continue;
        }
        ImageSetting other;
        FeatureSettingConverter::GetImageSettingFromFeature(pImage, other);
        if (other.GetContrast() != merged.GetContrast())
            merged.SetContrast(FLT_MAX);
        if (other.GetBrightness() != merged.GetBrightness())
            merged.SetBrightness(FLT_MAX);
    }
    if (bFirst)
        return resultNothing;

    CImageColorSettingDialog dialog(AfxGetMainWnd(), TRUE);
    dialog.SetImageSetting(&merged);
    dialog.SetPreviewImage(preview.get());
    if (dialog.DoModal() != IDOK)
        return resultDone;
    dialog.GetImageSetting(&merged);

    BOOL bUpdated = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long id = shapes[i].GetRecordID();
        const Feature2dBase* pFeature = pDocument->GetFeature(id);
        if (pFeature == nullptr || pFeature->GetFeatureType() != kImageType)
            continue;
        std::unique_ptr<Feature2dBase> copy(pFeature->CopyObject(3));
        if (copy != nullptr && FeatureSettingConverter::SetImageSettingToFeature(copy.get(), merged) &&
            pDocument->UpdateFeature(id, copy.get(), 0, 3))
            bUpdated = TRUE;
    }
    pDocument->EndUndoOperation();
    if (bUpdated)
        pDocument->UpdateAllFeatures(1);
    return resultDone;
}

}  // namespace QZ2Command
