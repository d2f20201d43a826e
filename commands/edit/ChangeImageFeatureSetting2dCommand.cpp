#include "commands/edit/ChangeImageFeatureSetting2dCommand.h"

#include <cfloat>

#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Image2dFeature.h"
#include "platform/gdiplus/Image.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "settings/CImageColorSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ChangeImageFeatureSetting2dCommand, ChangeObjectFeatureSetting2dCommand)

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

ChangeImageFeatureSetting2dCommand::ChangeImageFeatureSetting2dCommand()
    : ChangeObjectFeatureSetting2dCommand(kImageType, kImageKinds, kShapesCaption)
{
}

ChangeImageFeatureSetting2dCommand::~ChangeImageFeatureSetting2dCommand() = default;

BOOL ChangeImageFeatureSetting2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    return IsTypeSelected(pDocument, kImageType);
}

void ChangeImageFeatureSetting2dCommand::BeginMerge(const Feature2dBase* pFirst)
{
    m_merged = ImageSetting();
    m_pPreview.reset();
    const auto* pImage = dynamic_cast<const Image2dFeature*>(pFirst);
    if (pImage == nullptr)
        return;
    FeatureSettingConverter::GetImageSettingFromFeature(pImage, m_merged);
    if (pImage->HasImage())
        m_pPreview.reset(Gdiplus::Image::FromBytes(pImage->GetImageData().data(), pImage->GetImageData().size()));
}

void ChangeImageFeatureSetting2dCommand::Merge(const Feature2dBase* pOther)
{
    const auto* pImage = dynamic_cast<const Image2dFeature*>(pOther);
    if (pImage == nullptr)
        return;
    ImageSetting other;
    FeatureSettingConverter::GetImageSettingFromFeature(pImage, other);
    if (other.GetContrast() != m_merged.GetContrast())
        m_merged.SetContrast(FLT_MAX);
    if (other.GetBrightness() != m_merged.GetBrightness())
        m_merged.SetBrightness(FLT_MAX);
}

BOOL ChangeImageFeatureSetting2dCommand::RunDialog(Draw2dDocument*, int, long)
{
    CImageColorSettingDialog dialog(AfxGetMainWnd(), TRUE);
    dialog.SetImageSetting(&m_merged);
    dialog.SetPreviewImage(m_pPreview.get());
    const BOOL bConfirmed = dialog.DoModal() == IDOK ? TRUE : FALSE;
    if (bConfirmed)
        dialog.GetImageSetting(&m_merged);
    m_pPreview.reset();
    return bConfirmed;
}

BOOL ChangeImageFeatureSetting2dCommand::Write(Feature2dBase* pCopy) const
{
    return FeatureSettingConverter::SetImageSettingToFeature(pCopy, m_merged);
}

}  // namespace QZ2Command
