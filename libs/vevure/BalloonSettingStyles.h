#pragma once
// The named styles of BalloonSetting.

#include "libs/vevure/FeatureSettingStylesBase.h"

class BalloonSettingStyles : public FeatureSettingStylesBase
{
    DECLARE_SERIAL(BalloonSettingStyles)
public:
    BalloonSettingStyles() = default;
    BalloonSettingStyles(const BalloonSettingStyles& src) = default;
    BalloonSettingStyles& operator=(const BalloonSettingStyles& src) = default;
    ~BalloonSettingStyles() override;

    const CRuntimeClass* GetSettingClass() const override;
};
