#include "libs/vevure/ImageSetting.h"

#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(ImageSetting, FeatureSettingBase, 1)

template <class V>
void ImageSetting::ForFields(ImageSetting& a, const ImageSetting& b, V& v)
{
    v.Flt(a.m_contrast, b.m_contrast);
    v.Flt(a.m_brightness, b.m_brightness);
}

VEVURE_IMPLEMENT_SETTING_OPS(ImageSetting)

ImageSetting::ImageSetting()
{
}

ImageSetting::~ImageSetting() = default;

BOOL ImageSetting::SetContrast(float v)
{
    if (!SettingValue::InClosedF(v, 0.0f, 1.0f))
        return FALSE;
    m_contrast = v;
    return TRUE;
}

BOOL ImageSetting::SetBrightness(float v)
{
    if (!SettingValue::InClosedF(v, 0.0f, 1.0f))
        return FALSE;
    m_brightness = v;
    return TRUE;
}

BOOL ImageSetting::IsValidSetting() const
{
    return SettingValue::InClosedF(m_contrast, 0.0f, 1.0f) &&
           SettingValue::InClosedF(m_brightness, 0.0f, 1.0f) ? TRUE : FALSE;
}

bool ImageSetting::operator==(const ImageSetting& other) const
{
    return vevure_detail::SettingFieldOps<ImageSetting>::Equal(*this, other);
}

ImageSetting& ImageSetting::operator|=(const ImageSetting& other)
{
    vevure_detail::SettingFieldOps<ImageSetting>::Defined(*this, other);
    return *this;
}
