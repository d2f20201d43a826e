#pragma once
// The colour adjustment of raster images: contrast and brightness, each 0-1 (0.5 leaves the image as it
// is), FLT_MAX when undefined.

#include "libs/vevure/FeatureSettingBase.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class ImageSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(ImageSetting)
public:
    static constexpr int kSchema = 1;

    ImageSetting();
    ImageSetting(const ImageSetting& src) = default;
    ImageSetting& operator=(const ImageSetting& src) = default;
    ~ImageSetting() override;

    // Setters refuse a value outside its range with FALSE and keep the old value; the undefined
    // form of a value is always accepted.
    float GetContrast() const { return m_contrast; }
    BOOL SetContrast(float v);
    float GetBrightness() const { return m_brightness; }
    BOOL SetBrightness(float v);

    using FeatureSettingBase::Copy;
    BOOL Copy(const FeatureSettingBase& src) override;
    int IsEqual(const FeatureSettingBase& src) const override;
    BOOL SettingAndSetting(const FeatureSettingBase& src) override;
    BOOL SetOnlyDefValue(const FeatureSettingBase& src) override;
    BOOL FillUndefinedValue(const FeatureSettingBase& src) override;
    BOOL HasUndefinedValue() const override;
    BOOL IsValidSetting() const override;
    void Serialize(CArchive& ar) override;

    bool operator==(const ImageSetting& other) const;
    bool operator!=(const ImageSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    ImageSetting& operator|=(const ImageSetting& other);

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(ImageSetting& a, const ImageSetting& b, V& v);

    // Smallest first: they share the tail of the base; the stored order is ForFields'.
    float m_contrast = 0.5f;
    float m_brightness = 0.5f;
};
