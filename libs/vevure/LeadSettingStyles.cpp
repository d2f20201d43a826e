#include "libs/vevure/LeadSettingStyles.h"

#include "libs/vevure/LeadSetting.h"

IMPLEMENT_SERIAL(LeadSettingStyles, FeatureSettingStylesBase, 1)

LeadSettingStyles::~LeadSettingStyles() = default;

const CRuntimeClass* LeadSettingStyles::GetSettingClass() const
{
    return RUNTIME_CLASS(LeadSetting);
}
