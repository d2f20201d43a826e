#include "libs/vevure/PointMarkerSettingStyles.h"

#include "libs/vevure/PointMarkerSetting.h"

IMPLEMENT_SERIAL(PointMarkerSettingStyles, FeatureSettingStylesBase, 1)

PointMarkerSettingStyles::~PointMarkerSettingStyles() = default;

const CRuntimeClass* PointMarkerSettingStyles::GetSettingClass() const
{
    return RUNTIME_CLASS(PointMarkerSetting);
}
