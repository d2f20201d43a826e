#pragma once
// The named styles of LeadSetting.

#include "libs/vevure/FeatureSettingStylesBase.h"

class LeadSettingStyles : public FeatureSettingStylesBase
{
    DECLARE_SERIAL(LeadSettingStyles)
public:
    LeadSettingStyles() = default;
    LeadSettingStyles(const LeadSettingStyles& src) = default;
    LeadSettingStyles& operator=(const LeadSettingStyles& src) = default;
    ~LeadSettingStyles() override;

    const CRuntimeClass* GetSettingClass() const override;
};
