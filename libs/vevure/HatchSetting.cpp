#include "libs/vevure/HatchSetting.h"

#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(HatchSetting, FeatureSettingBase, 1)

template <class V>
void HatchSetting::ForFields(HatchSetting& a, const HatchSetting& b, V& v)
{
    v.Index(a.m_hatchType, b.m_hatchType);
    v.No(a.m_solidColorNo, b.m_solidColorNo);
    v.No(a.m_patternColorNo, b.m_patternColorNo);
    v.Flag(a.m_solidColorInvertMode, b.m_solidColorInvertMode);
    v.Flt(a.m_transparency, b.m_transparency);
    v.Index(a.m_patternType, b.m_patternType);
    v.Id(a.m_patternID, b.m_patternID);
    v.Flag(a.m_regionDisplayMode, b.m_regionDisplayMode);
    v.No(a.m_regionColorNo, b.m_regionColorNo);
    v.No(a.m_regionLineTypeNo, b.m_regionLineTypeNo);
    v.No(a.m_regionLineWidthNo, b.m_regionLineWidthNo);
}

VEVURE_IMPLEMENT_SETTING_OPS(HatchSetting)

HatchSetting::HatchSetting()
{
}

HatchSetting::~HatchSetting() = default;

BOOL HatchSetting::SetHatchType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_hatchType = v;
    return TRUE;
}

BOOL HatchSetting::SetSolidColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_solidColorNo = v;
    return TRUE;
}

BOOL HatchSetting::SetPatternColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_patternColorNo = v;
    return TRUE;
}

BOOL HatchSetting::SetSolidColorInvertMode(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_solidColorInvertMode = v;
    return TRUE;
}

BOOL HatchSetting::SetTransparency(float v)
{
    if (!SettingValue::InClosedF(v, 0.0f, 1.0f))
        return FALSE;
    m_transparency = v;
    return TRUE;
}

BOOL HatchSetting::SetPatternType(int v)
{
    if (!SettingValue::IsValidIndex(v, kHatchPatternTypeCount))
        return FALSE;
    m_patternType = v;
    return TRUE;
}

BOOL HatchSetting::SetPatternID(long v)
{
    if (!(v >= -1 && v <= 0x7FFFFFFF))
        return FALSE;
    m_patternID = v;
    return TRUE;
}

BOOL HatchSetting::SetRegionDisplayMode(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_regionDisplayMode = v;
    return TRUE;
}

BOOL HatchSetting::SetRegionColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_regionColorNo = v;
    return TRUE;
}

BOOL HatchSetting::SetRegionLineTypeNo(short v)
{
    if (!SettingValue::IsValidLineTypeNo(v))
        return FALSE;
    m_regionLineTypeNo = v;
    return TRUE;
}

BOOL HatchSetting::SetRegionLineWidthNo(short v)
{
    if (!SettingValue::IsValidLineWidthNo(v))
        return FALSE;
    m_regionLineWidthNo = v;
    return TRUE;
}

BOOL HatchSetting::IsValidSetting() const
{
    return SettingValue::IsValidIndex(m_hatchType, 3) &&
           SettingValue::IsValidColorNo(m_solidColorNo) &&
           SettingValue::IsValidColorNo(m_patternColorNo) &&
           SettingValue::IsValidFlag(m_solidColorInvertMode) &&
           SettingValue::InClosedF(m_transparency, 0.0f, 1.0f) &&
           SettingValue::IsValidIndex(m_patternType, kHatchPatternTypeCount) &&
           m_patternID >= -1 && m_patternID <= 0x7FFFFFFF &&
           SettingValue::IsValidFlag(m_regionDisplayMode) &&
           SettingValue::IsValidColorNo(m_regionColorNo) &&
           SettingValue::IsValidLineTypeNo(m_regionLineTypeNo) &&
           SettingValue::IsValidLineWidthNo(m_regionLineWidthNo) ? TRUE : FALSE;
}

bool HatchSetting::operator==(const HatchSetting& other) const
{
    return vevure_detail::SettingFieldOps<HatchSetting>::Equal(*this, other);
}

HatchSetting& HatchSetting::operator|=(const HatchSetting& other)
{
    vevure_detail::SettingFieldOps<HatchSetting>::Defined(*this, other);
    return *this;
}


int HatchSetting::GetPatternSize()
{
    return kHatchPatternTypeCount;
}

CString HatchSetting::GetPatternName(int patternType)
{
    static const char16_t* const kNames[kHatchPatternTypeCount] = {
        u"Horizontal", u"Vertical", u"Forward diagonal", u"Backward diagonal", u"Cross", u"Diagonal cross",
        u"5 percent", u"10 percent", u"20 percent", u"25 percent", u"30 percent", u"40 percent",
        u"50 percent", u"60 percent", u"70 percent", u"75 percent", u"80 percent", u"90 percent",
        u"Light downward diagonal", u"Light upward diagonal", u"Dark downward diagonal",
        u"Dark upward diagonal", u"Wide downward diagonal", u"Wide upward diagonal", u"Light vertical",
        u"Light horizontal", u"Narrow vertical", u"Narrow horizontal", u"Dark vertical", u"Dark horizontal",
        u"Dashed downward diagonal", u"Dashed upward diagonal", u"Dashed horizontal", u"Dashed vertical",
        u"Small confetti", u"Large confetti", u"Zigzag", u"Wave", u"Diagonal brick", u"Horizontal brick",
        u"Weave", u"Plaid", u"Divot", u"Dotted grid", u"Dotted diamond", u"Shingle", u"Trellis", u"Sphere",
        u"Small grid", u"Small checker board", u"Large checker board", u"Outlined diamond", u"Solid diamond"};
    if (patternType < 0 || patternType >= kHatchPatternTypeCount)
        return CString();
    return CString(kNames[patternType]);
}
