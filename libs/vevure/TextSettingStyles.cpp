#include "libs/vevure/TextSettingStyles.h"

#include "libs/vevure/TextSetting.h"

IMPLEMENT_SERIAL(TextSettingStyles, FeatureSettingStylesBase, 1)

TextSettingStyles::~TextSettingStyles() = default;

const CRuntimeClass* TextSettingStyles::GetSettingClass() const
{
    return RUNTIME_CLASS(TextSetting);
}
