#pragma once
// The named styles of DimensionSetting.

#include "libs/vevure/FeatureSettingStylesBase.h"

class DimensionSettingStyles : public FeatureSettingStylesBase
{
    DECLARE_SERIAL(DimensionSettingStyles)
public:
    DimensionSettingStyles() = default;
    DimensionSettingStyles(const DimensionSettingStyles& src) = default;
    DimensionSettingStyles& operator=(const DimensionSettingStyles& src) = default;
    ~DimensionSettingStyles() override;

    const CRuntimeClass* GetSettingClass() const override;
};
