#include "libs/vevure/PointMarkerSetting.h"

#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(PointMarkerSetting, FeatureSettingBase, 1)

template <class V>
void PointMarkerSetting::ForFields(PointMarkerSetting& a, const PointMarkerSetting& b, V& v)
{
    v.Index(a.m_type, b.m_type);
    v.No(a.m_colorNo, b.m_colorNo);
    v.Dbl(a.m_size, b.m_size);
    v.Dbl(a.m_rotateAngle, b.m_rotateAngle);
}

VEVURE_IMPLEMENT_SETTING_OPS(PointMarkerSetting)

PointMarkerSetting::PointMarkerSetting()
{
}

PointMarkerSetting::~PointMarkerSetting() = default;

BOOL PointMarkerSetting::SetType(int v)
{
    if (!SettingValue::IsValidIndex(v, kPointMarkerTypeCount))
        return FALSE;
    m_type = v;
    return TRUE;
}

BOOL PointMarkerSetting::SetColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_colorNo = v;
    return TRUE;
}

BOOL PointMarkerSetting::SetSize(double v)
{
    if (!SettingValue::IsValidSize(v))
        return FALSE;
    m_size = v;
    return TRUE;
}

BOOL PointMarkerSetting::SetRotateAngle(double v)
{
    if (!SettingValue::IsValidDirectionAngle(v))
        return FALSE;
    m_rotateAngle = v;
    return TRUE;
}

BOOL PointMarkerSetting::IsValidSetting() const
{
    return SettingValue::IsValidIndex(m_type, kPointMarkerTypeCount) &&
           SettingValue::IsValidColorNo(m_colorNo) &&
           SettingValue::IsValidSize(m_size) &&
           SettingValue::IsValidDirectionAngle(m_rotateAngle) ? TRUE : FALSE;
}

bool PointMarkerSetting::operator==(const PointMarkerSetting& other) const
{
    return vevure_detail::SettingFieldOps<PointMarkerSetting>::Equal(*this, other);
}

PointMarkerSetting& PointMarkerSetting::operator|=(const PointMarkerSetting& other)
{
    vevure_detail::SettingFieldOps<PointMarkerSetting>::Defined(*this, other);
    return *this;
}
