#include "libs/vevure/LeadSetting.h"

#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(LeadSetting, FeatureSettingBase, 1)

template <class V>
void LeadSetting::ForFields(LeadSetting& a, const LeadSetting& b, V& v)
{
    v.Index(a.m_type, b.m_type);
    v.Dbl(a.m_size, b.m_size);
    v.No(a.m_colorNo, b.m_colorNo);
    v.No(a.m_lineTypeNo, b.m_lineTypeNo);
    v.No(a.m_lineWidthNo, b.m_lineWidthNo);
    v.Sub(a.m_textFont, b.m_textFont);
    v.Flag(a.m_textColorDifferentLead, b.m_textColorDifferentLead);
    v.Index(a.m_textAngleType, b.m_textAngleType);
    v.Dbl(a.m_textPosAngle, b.m_textPosAngle);
    v.Index(a.m_textVerticalOrient, b.m_textVerticalOrient);
    v.Dbl(a.m_verticalDistance, b.m_verticalDistance);
    v.Dbl(a.m_distanceFromLastPoint, b.m_distanceFromLastPoint);
    v.Flag(a.m_withUnderLine, b.m_withUnderLine);
    v.Dbl(a.m_underLineExtension, b.m_underLineExtension);
}

VEVURE_IMPLEMENT_SETTING_OPS(LeadSetting)

LeadSetting::LeadSetting()
{
}

LeadSetting::~LeadSetting() = default;

BOOL LeadSetting::SetType(int v)
{
    if (!SettingValue::IsValidIndex(v, kArrowTypeCount))
        return FALSE;
    m_type = v;
    return TRUE;
}

BOOL LeadSetting::SetSize(double v)
{
    if (!SettingValue::IsValidSize(v))
        return FALSE;
    m_size = v;
    return TRUE;
}

BOOL LeadSetting::SetColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_colorNo = v;
    return TRUE;
}

BOOL LeadSetting::SetLineTypeNo(short v)
{
    if (!SettingValue::IsValidLineTypeNo(v))
        return FALSE;
    m_lineTypeNo = v;
    return TRUE;
}

BOOL LeadSetting::SetLineWidthNo(short v)
{
    if (!SettingValue::IsValidLineWidthNo(v))
        return FALSE;
    m_lineWidthNo = v;
    return TRUE;
}

BOOL LeadSetting::SetTextFont(const TextSetting& v)
{
    if (!v.IsValidSetting())
        return FALSE;
    m_textFont = v;
    return TRUE;
}

BOOL LeadSetting::SetTextColorDifferentLead(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_textColorDifferentLead = v;
    return TRUE;
}

BOOL LeadSetting::SetTextAngleType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_textAngleType = v;
    return TRUE;
}

BOOL LeadSetting::SetTextPosAngle(double v)
{
    if (!SettingValue::IsValidDirectionAngle(v))
        return FALSE;
    m_textPosAngle = v;
    return TRUE;
}

BOOL LeadSetting::SetTextVerticalOrient(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_textVerticalOrient = v;
    return TRUE;
}

BOOL LeadSetting::SetVerticalDistance(double v)
{
    if (!SettingValue::InOpen(v, -1e15, 1e15))
        return FALSE;
    m_verticalDistance = v;
    return TRUE;
}

BOOL LeadSetting::SetDistanceFromLastPoint(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_distanceFromLastPoint = v;
    return TRUE;
}

BOOL LeadSetting::SetWithUnderLine(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_withUnderLine = v;
    return TRUE;
}

BOOL LeadSetting::SetUnderLineExtension(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_underLineExtension = v;
    return TRUE;
}

BOOL LeadSetting::IsValidSetting() const
{
    return SettingValue::IsValidIndex(m_type, kArrowTypeCount) &&
           SettingValue::IsValidSize(m_size) &&
           SettingValue::IsValidColorNo(m_colorNo) &&
           SettingValue::IsValidLineTypeNo(m_lineTypeNo) &&
           SettingValue::IsValidLineWidthNo(m_lineWidthNo) &&
           m_textFont.IsValidSetting() &&
           SettingValue::IsValidFlag(m_textColorDifferentLead) &&
           SettingValue::IsValidIndex(m_textAngleType, 3) &&
           SettingValue::IsValidDirectionAngle(m_textPosAngle) &&
           SettingValue::IsValidIndex(m_textVerticalOrient, 3) &&
           SettingValue::InOpen(m_verticalDistance, -1e15, 1e15) &&
           SettingValue::IsValidDistance(m_distanceFromLastPoint) &&
           SettingValue::IsValidFlag(m_withUnderLine) &&
           SettingValue::IsValidDistance(m_underLineExtension) ? TRUE : FALSE;
}

bool LeadSetting::operator==(const LeadSetting& other) const
{
    return vevure_detail::SettingFieldOps<LeadSetting>::Equal(*this, other);
}

LeadSetting& LeadSetting::operator|=(const LeadSetting& other)
{
    vevure_detail::SettingFieldOps<LeadSetting>::Defined(*this, other);
    return *this;
}


BOOL LeadSetting::ScaleSize(double factor)
{
    LeadSetting scaled(*this);
    if (!SettingValue::ScaleLength(scaled.m_size, factor) || !scaled.m_textFont.ScaleSize(factor) ||
        !SettingValue::ScaleLength(scaled.m_verticalDistance, factor) ||
        !SettingValue::ScaleLength(scaled.m_distanceFromLastPoint, factor) ||
        !SettingValue::ScaleLength(scaled.m_underLineExtension, factor) || !scaled.IsValidSetting())
        return FALSE;
    *this = scaled;
    return TRUE;
}
