#include "libs/vevure/HatchSettingStyles.h"

#include "libs/vevure/HatchSetting.h"

IMPLEMENT_SERIAL(HatchSettingStyles, FeatureSettingStylesBase, 1)

HatchSettingStyles::~HatchSettingStyles() = default;

const CRuntimeClass* HatchSettingStyles::GetSettingClass() const
{
    return RUNTIME_CLASS(HatchSetting);
}
