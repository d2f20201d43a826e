#include "libs/vevure/OleObjectSetting.h"

#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(OleObjectSetting, FeatureSettingBase, 1)

template <class V>
void OleObjectSetting::ForFields(OleObjectSetting& a, const OleObjectSetting& b, V& v)
{
    v.Dbl(a.m_width, b.m_width);
    v.Dbl(a.m_height, b.m_height);
    v.Dbl(a.m_naturalWidth, b.m_naturalWidth);
    v.Dbl(a.m_naturalHeight, b.m_naturalHeight);
    v.Flt(a.m_scaleX, b.m_scaleX);
    v.Flt(a.m_scaleY, b.m_scaleY);
    v.Flag(a.m_backgroundMode, b.m_backgroundMode);
    v.No(a.m_backColorNo, b.m_backColorNo);
}

VEVURE_IMPLEMENT_SETTING_OPS(OleObjectSetting)

OleObjectSetting::OleObjectSetting()
{
}

OleObjectSetting::~OleObjectSetting() = default;

BOOL OleObjectSetting::SetWidth(double v)
{
    if (!SettingValue::InHalfOpen(v, 0.0, 2.5e15))
        return FALSE;
    m_width = v;
    return TRUE;
}

BOOL OleObjectSetting::SetHeight(double v)
{
    if (!SettingValue::InHalfOpen(v, 0.0, 2.5e15))
        return FALSE;
    m_height = v;
    return TRUE;
}

BOOL OleObjectSetting::SetNaturalWidth(double v)
{
    if (!SettingValue::InHalfOpen(v, 0.0, 2.5e15))
        return FALSE;
    m_naturalWidth = v;
    return TRUE;
}

BOOL OleObjectSetting::SetNaturalHeight(double v)
{
    if (!SettingValue::InHalfOpen(v, 0.0, 2.5e15))
        return FALSE;
    m_naturalHeight = v;
    return TRUE;
}

BOOL OleObjectSetting::SetScaleX(float v)
{
    if (!(v > 0.0f))
        return FALSE;
    m_scaleX = v;
    return TRUE;
}

BOOL OleObjectSetting::SetScaleY(float v)
{
    if (!(v > 0.0f))
        return FALSE;
    m_scaleY = v;
    return TRUE;
}

BOOL OleObjectSetting::SetBackgroundMode(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_backgroundMode = v;
    return TRUE;
}

BOOL OleObjectSetting::SetBackColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_backColorNo = v;
    return TRUE;
}

BOOL OleObjectSetting::IsValidSetting() const
{
    return SettingValue::InHalfOpen(m_width, 0.0, 2.5e15) &&
           SettingValue::InHalfOpen(m_height, 0.0, 2.5e15) &&
           SettingValue::InHalfOpen(m_naturalWidth, 0.0, 2.5e15) &&
           SettingValue::InHalfOpen(m_naturalHeight, 0.0, 2.5e15) &&
           m_scaleX > 0.0f &&
           m_scaleY > 0.0f &&
           SettingValue::IsValidFlag(m_backgroundMode) &&
           SettingValue::IsValidColorNo(m_backColorNo) ? TRUE : FALSE;
}

bool OleObjectSetting::operator==(const OleObjectSetting& other) const
{
    return vevure_detail::SettingFieldOps<OleObjectSetting>::Equal(*this, other);
}

OleObjectSetting& OleObjectSetting::operator|=(const OleObjectSetting& other)
{
    vevure_detail::SettingFieldOps<OleObjectSetting>::Defined(*this, other);
    return *this;
}


OleObjectSetting& OleObjectSetting::operator&=(const OleObjectSetting& other)
{
    vevure_detail::SettingFieldOps<OleObjectSetting>::And(*this, other);
    return *this;
}
