#include "commands/edit/ChangeOleObjectFeatureSetting2dCommand.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "platform/win/WinConstants.h"
#include "settings/COleObjectSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ChangeOleObjectFeatureSetting2dCommand, ChangeObjectFeatureSetting2dCommand)

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

ChangeOleObjectFeatureSetting2dCommand::ChangeOleObjectFeatureSetting2dCommand()
    : ChangeObjectFeatureSetting2dCommand(kOleType, kOleKinds, kShapesCaption)
{
}

ChangeOleObjectFeatureSetting2dCommand::~ChangeOleObjectFeatureSetting2dCommand() = default;

BOOL ChangeOleObjectFeatureSetting2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    return IsTypeSelected(pDocument, kOleType);
}

void ChangeOleObjectFeatureSetting2dCommand::BeginMerge(const Feature2dBase* pFirst)
{
    m_merged = OleObjectSetting();
    FeatureSettingConverter::GetOleObjectSettingFromFeature(pFirst, m_merged);
}

void ChangeOleObjectFeatureSetting2dCommand::Merge(const Feature2dBase* pOther)
{
    OleObjectSetting other;
    FeatureSettingConverter::GetOleObjectSettingFromFeature(pOther, other);
    m_merged &= other;
}

BOOL ChangeOleObjectFeatureSetting2dCommand::RunDialog(Draw2dDocument* pDocument, int nObjects, long nFirstLayerID)
{
    // With one object a background taken from its layer shows that layer's colour; with several, none.
    // Mixed values must be allowed, or a size the objects do not share could never be confirmed.
    COleObjectSettingDialog dialog(nullptr, TRUE);
    dialog.SetColorTable(pDocument->GetColorFeatureTable(), pDocument->GetLayerTable(),
                         nObjects == 1 ? nFirstLayerID : -1);
    dialog.SetOleObjectSetting(&m_merged);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    dialog.GetOleObjectSetting(&m_merged);
    return TRUE;
}

BOOL ChangeOleObjectFeatureSetting2dCommand::Write(Feature2dBase* pCopy) const
{
    return FeatureSettingConverter::SetOleObjectSettingToFeature(pCopy, m_merged);
}

}  // namespace QZ2Command
