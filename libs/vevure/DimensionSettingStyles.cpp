#include "libs/vevure/DimensionSettingStyles.h"

#include "libs/vevure/DimensionSetting.h"

IMPLEMENT_SERIAL(DimensionSettingStyles, FeatureSettingStylesBase, 1)

DimensionSettingStyles::~DimensionSettingStyles() = default;

const CRuntimeClass* DimensionSettingStyles::GetSettingClass() const
{
    return RUNTIME_CLASS(DimensionSetting);
}
