#pragma once
// The named styles of PointMarkerSetting.

#include "libs/vevure/FeatureSettingStylesBase.h"

class PointMarkerSettingStyles : public FeatureSettingStylesBase
{
    DECLARE_SERIAL(PointMarkerSettingStyles)
public:
    PointMarkerSettingStyles() = default;
    PointMarkerSettingStyles(const PointMarkerSettingStyles& src) = default;
    PointMarkerSettingStyles& operator=(const PointMarkerSettingStyles& src) = default;
    ~PointMarkerSettingStyles() override;

    const CRuntimeClass* GetSettingClass() const override;
};
