#pragma once
// The named styles of TextSetting.

#include "libs/vevure/FeatureSettingStylesBase.h"

class TextSettingStyles : public FeatureSettingStylesBase
{
    DECLARE_SERIAL(TextSettingStyles)
public:
    TextSettingStyles() = default;
    TextSettingStyles(const TextSettingStyles& src) = default;
    TextSettingStyles& operator=(const TextSettingStyles& src) = default;
    ~TextSettingStyles() override;

    const CRuntimeClass* GetSettingClass() const override;
};
