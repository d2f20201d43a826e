#pragma once
// The named styles of GeneralFeatureSetting.

#include "libs/vevure/FeatureSettingStylesBase.h"

class GeneralFeatureSettingStyles : public FeatureSettingStylesBase
{
    DECLARE_SERIAL(GeneralFeatureSettingStyles)
public:
    GeneralFeatureSettingStyles() = default;
    GeneralFeatureSettingStyles(const GeneralFeatureSettingStyles& src) = default;
    GeneralFeatureSettingStyles& operator=(const GeneralFeatureSettingStyles& src) = default;
    ~GeneralFeatureSettingStyles() override;

    const CRuntimeClass* GetSettingClass() const override;
};
