#pragma once
// The named styles of HatchSetting.

#include "libs/vevure/FeatureSettingStylesBase.h"

class HatchSettingStyles : public FeatureSettingStylesBase
{
    DECLARE_SERIAL(HatchSettingStyles)
public:
    HatchSettingStyles() = default;
    HatchSettingStyles(const HatchSettingStyles& src) = default;
    HatchSettingStyles& operator=(const HatchSettingStyles& src) = default;
    ~HatchSettingStyles() override;

    const CRuntimeClass* GetSettingClass() const override;
};
