#include "libs/vevure/BalloonSetting.h"

#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(BalloonSetting, FeatureSettingBase, 1)

template <class V>
void BalloonSetting::ForFields(BalloonSetting& a, const BalloonSetting& b, V& v)
{
    v.Index(a.m_type, b.m_type);
    v.Dbl(a.m_size, b.m_size);
    v.No(a.m_colorNo, b.m_colorNo);
    v.No(a.m_lineTypeNo, b.m_lineTypeNo);
    v.No(a.m_lineWidthNo, b.m_lineWidthNo);
    v.Sub(a.m_textFont, b.m_textFont);
    v.Flag(a.m_textColorDifferentBalloon, b.m_textColorDifferentBalloon);
    v.Index(a.m_leadArrowType, b.m_leadArrowType);
    v.Dbl(a.m_leadArrowSize, b.m_leadArrowSize);
    v.Flag(a.m_leadColorDifferentBalloon, b.m_leadColorDifferentBalloon);
    v.No(a.m_leadColorNo, b.m_leadColorNo);
    v.Flag(a.m_leadLineTypeDifferentBalloon, b.m_leadLineTypeDifferentBalloon);
    v.No(a.m_leadLineTypeNo, b.m_leadLineTypeNo);
    v.Flag(a.m_leadLineWidthDifferentBalloon, b.m_leadLineWidthDifferentBalloon);
    v.No(a.m_leadLineWidthNo, b.m_leadLineWidthNo);
}

VEVURE_IMPLEMENT_SETTING_OPS(BalloonSetting)

BalloonSetting::BalloonSetting()
{
}

BalloonSetting::~BalloonSetting() = default;

BOOL BalloonSetting::SetType(int v)
{
    if (!SettingValue::IsValidIndex(v, 2))
        return FALSE;
    m_type = v;
    return TRUE;
}

BOOL BalloonSetting::SetSize(double v)
{
    if (!SettingValue::IsValidSize(v))
        return FALSE;
    m_size = v;
    return TRUE;
}

BOOL BalloonSetting::SetColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_colorNo = v;
    return TRUE;
}

BOOL BalloonSetting::SetLineTypeNo(short v)
{
    if (!SettingValue::IsValidLineTypeNo(v))
        return FALSE;
    m_lineTypeNo = v;
    return TRUE;
}

BOOL BalloonSetting::SetLineWidthNo(short v)
{
    if (!SettingValue::IsValidLineWidthNo(v))
        return FALSE;
    m_lineWidthNo = v;
    return TRUE;
}

BOOL BalloonSetting::SetTextFont(const TextSetting& v)
{
    if (!v.IsValidSetting())
        return FALSE;
    m_textFont = v;
    return TRUE;
}

BOOL BalloonSetting::SetTextColorDifferentBalloon(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_textColorDifferentBalloon = v;
    return TRUE;
}

BOOL BalloonSetting::SetLeadArrowType(int v)
{
    if (!SettingValue::IsValidIndex(v, kArrowTypeCount))
        return FALSE;
    m_leadArrowType = v;
    return TRUE;
}

BOOL BalloonSetting::SetLeadArrowSize(double v)
{
    if (!SettingValue::IsValidSize(v))
        return FALSE;
    m_leadArrowSize = v;
    return TRUE;
}

BOOL BalloonSetting::SetLeadColorDifferentBalloon(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_leadColorDifferentBalloon = v;
    return TRUE;
}

BOOL BalloonSetting::SetLeadColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_leadColorNo = v;
    return TRUE;
}

BOOL BalloonSetting::SetLeadLineTypeDifferentBalloon(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_leadLineTypeDifferentBalloon = v;
    return TRUE;
}

BOOL BalloonSetting::SetLeadLineTypeNo(short v)
{
    if (!SettingValue::IsValidLineTypeNo(v))
        return FALSE;
    m_leadLineTypeNo = v;
    return TRUE;
}

BOOL BalloonSetting::SetLeadLineWidthDifferentBalloon(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_leadLineWidthDifferentBalloon = v;
    return TRUE;
}

BOOL BalloonSetting::SetLeadLineWidthNo(short v)
{
    if (!SettingValue::IsValidLineWidthNo(v))
        return FALSE;
    m_leadLineWidthNo = v;
    return TRUE;
}

BOOL BalloonSetting::IsValidSetting() const
{
    return SettingValue::IsValidIndex(m_type, 2) &&
           SettingValue::IsValidSize(m_size) &&
           SettingValue::IsValidColorNo(m_colorNo) &&
           SettingValue::IsValidLineTypeNo(m_lineTypeNo) &&
           SettingValue::IsValidLineWidthNo(m_lineWidthNo) &&
           m_textFont.IsValidSetting() &&
           SettingValue::IsValidFlag(m_textColorDifferentBalloon) &&
           SettingValue::IsValidIndex(m_leadArrowType, kArrowTypeCount) &&
           SettingValue::IsValidSize(m_leadArrowSize) &&
           SettingValue::IsValidFlag(m_leadColorDifferentBalloon) &&
           SettingValue::IsValidColorNo(m_leadColorNo) &&
           SettingValue::IsValidFlag(m_leadLineTypeDifferentBalloon) &&
           SettingValue::IsValidLineTypeNo(m_leadLineTypeNo) &&
           SettingValue::IsValidFlag(m_leadLineWidthDifferentBalloon) &&
           SettingValue::IsValidLineWidthNo(m_leadLineWidthNo) ? TRUE : FALSE;
}

bool BalloonSetting::operator==(const BalloonSetting& other) const
{
    return vevure_detail::SettingFieldOps<BalloonSetting>::Equal(*this, other);
}

BalloonSetting& BalloonSetting::operator|=(const BalloonSetting& other)
{
    vevure_detail::SettingFieldOps<BalloonSetting>::Defined(*this, other);
    return *this;
}


BOOL BalloonSetting::ScaleSize(double factor)
{
    BalloonSetting scaled(*this);
    if (!SettingValue::ScaleLength(scaled.m_size, factor) || !SettingValue::ScaleLength(scaled.m_leadArrowSize, factor) ||
        !scaled.m_textFont.ScaleSize(factor) || !scaled.IsValidSetting())
        return FALSE;
    *this = scaled;
    return TRUE;
}
