#include "libs/vevure/BalloonSettingStyles.h"

#include "libs/vevure/BalloonSetting.h"

IMPLEMENT_SERIAL(BalloonSettingStyles, FeatureSettingStylesBase, 1)

BalloonSettingStyles::~BalloonSettingStyles() = default;

const CRuntimeClass* BalloonSettingStyles::GetSettingClass() const
{
    return RUNTIME_CLASS(BalloonSetting);
}
