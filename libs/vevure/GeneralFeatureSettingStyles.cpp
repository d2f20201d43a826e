#include "libs/vevure/GeneralFeatureSettingStyles.h"

#include "libs/vevure/GeneralFeatureSetting.h"

IMPLEMENT_SERIAL(GeneralFeatureSettingStyles, FeatureSettingStylesBase, 1)

GeneralFeatureSettingStyles::~GeneralFeatureSettingStyles() = default;

const CRuntimeClass* GeneralFeatureSettingStyles::GetSettingClass() const
{
    return RUNTIME_CLASS(GeneralFeatureSetting);
}
