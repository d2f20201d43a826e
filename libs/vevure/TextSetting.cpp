#include "libs/vevure/TextSetting.h"

#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(TextSetting, FeatureSettingBase, 1)

template <class V>
void TextSetting::ForFields(TextSetting& a, const TextSetting& b, V& v)
{
    v.Text(a.m_fontName, b.m_fontName);
    v.No(a.m_colorNo, b.m_colorNo);
    v.Dbl(a.m_height, b.m_height);
    v.Dbl(a.m_widthRatio, b.m_widthRatio);
    v.Dbl(a.m_slantAngle, b.m_slantAngle);
    v.Dbl(a.m_charSpacing, b.m_charSpacing);
    v.Dbl(a.m_lineSpacing, b.m_lineSpacing);
    v.Index(a.m_direction, b.m_direction);
    v.Index(a.m_basePointPosition, b.m_basePointPosition);
    v.Flag(a.m_option1, b.m_option1);
    v.Flag(a.m_option2, b.m_option2);
    v.Flag(a.m_option3, b.m_option3);
    v.Flag(a.m_option4, b.m_option4);
}

VEVURE_IMPLEMENT_SETTING_OPS(TextSetting)

TextSetting::TextSetting()
    : m_fontName(u"Sans")
{
}

TextSetting::~TextSetting() = default;

BOOL TextSetting::SetFontName(const CString& v)
{
    if (!(!v.IsEmpty() && v.GetLength() <= 256))
        return FALSE;
    m_fontName = v;
    return TRUE;
}

BOOL TextSetting::SetColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_colorNo = v;
    return TRUE;
}

BOOL TextSetting::SetHeight(double v)
{
    if (!SettingValue::InOpen(v, 0.0, 1e15))
        return FALSE;
    m_height = v;
    return TRUE;
}

BOOL TextSetting::SetWidthRatio(double v)
{
    if (!SettingValue::InClosed(v, 0.01, 100.0))
        return FALSE;
    m_widthRatio = v;
    return TRUE;
}

BOOL TextSetting::SetSlantAngle(double v)
{
    if (!SettingValue::InClosed(v, -85.0, 85.0))
        return FALSE;
    m_slantAngle = v;
    return TRUE;
}

BOOL TextSetting::SetCharSpacing(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_charSpacing = v;
    return TRUE;
}

BOOL TextSetting::SetLineSpacing(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_lineSpacing = v;
    return TRUE;
}

BOOL TextSetting::SetDirection(int v)
{
    if (!SettingValue::IsValidIndex(v, 2))
        return FALSE;
    m_direction = v;
    return TRUE;
}

BOOL TextSetting::SetBasePointPosition(int v)
{
    if (!SettingValue::IsValidIndex(v, 9))
        return FALSE;
    m_basePointPosition = v;
    return TRUE;
}

BOOL TextSetting::SetOption1(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_option1 = v;
    return TRUE;
}

BOOL TextSetting::SetOption2(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_option2 = v;
    return TRUE;
}

BOOL TextSetting::SetOption3(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_option3 = v;
    return TRUE;
}

BOOL TextSetting::SetOption4(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_option4 = v;
    return TRUE;
}

BOOL TextSetting::IsValidSetting() const
{
    return !m_fontName.IsEmpty() && m_fontName.GetLength() <= 256 &&
           SettingValue::IsValidColorNo(m_colorNo) &&
           SettingValue::InOpen(m_height, 0.0, 1e15) &&
           SettingValue::InClosed(m_widthRatio, 0.01, 100.0) &&
           SettingValue::InClosed(m_slantAngle, -85.0, 85.0) &&
           SettingValue::IsValidDistance(m_charSpacing) &&
           SettingValue::IsValidDistance(m_lineSpacing) &&
           SettingValue::IsValidIndex(m_direction, 2) &&
           SettingValue::IsValidIndex(m_basePointPosition, 9) &&
           SettingValue::IsValidFlag(m_option1) &&
           SettingValue::IsValidFlag(m_option2) &&
           SettingValue::IsValidFlag(m_option3) &&
           SettingValue::IsValidFlag(m_option4) ? TRUE : FALSE;
}

bool TextSetting::operator==(const TextSetting& other) const
{
    return vevure_detail::SettingFieldOps<TextSetting>::Equal(*this, other);
}

TextSetting& TextSetting::operator|=(const TextSetting& other)
{
    vevure_detail::SettingFieldOps<TextSetting>::Defined(*this, other);
    return *this;
}


BOOL TextSetting::ScaleSize(double factor)
{
    TextSetting scaled(*this);
    if (!SettingValue::ScaleLength(scaled.m_height, factor) || !SettingValue::ScaleLength(scaled.m_charSpacing, factor) ||
        !SettingValue::ScaleLength(scaled.m_lineSpacing, factor) || !scaled.IsValidSetting())
        return FALSE;
    *this = scaled;
    return TRUE;
}
