#include "libs/vevure/GeneralFeatureSetting.h"

#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(GeneralFeatureSetting, FeatureSettingBase, 1)
template <class V>
void GeneralFeatureSetting::ForFields(GeneralFeatureSetting& a, const GeneralFeatureSetting& b, V& v)
{
    v.No(a.m_colorNo, b.m_colorNo);
    v.No(a.m_lineTypeNo, b.m_lineTypeNo);
    v.No(a.m_lineWidthNo, b.m_lineWidthNo);
}

VEVURE_IMPLEMENT_SETTING_OPS(GeneralFeatureSetting)

GeneralFeatureSetting::GeneralFeatureSetting() = default;
GeneralFeatureSetting::~GeneralFeatureSetting() = default;

BOOL GeneralFeatureSetting::SetColorNo(short no)
{
    if (!SettingValue::IsValidColorNo(no))
        return FALSE;
    m_colorNo = no;
    return TRUE;
}

BOOL GeneralFeatureSetting::SetLineTypeNo(short no)
{
    if (!SettingValue::IsValidLineTypeNo(no))
        return FALSE;
    m_lineTypeNo = no;
    return TRUE;
}

BOOL GeneralFeatureSetting::SetLineWidthNo(short no)
{
    if (!SettingValue::IsValidLineWidthNo(no))
        return FALSE;
    m_lineWidthNo = no;
    return TRUE;
}

bool GeneralFeatureSetting::operator==(const GeneralFeatureSetting& other) const
{
    return vevure_detail::SettingFieldOps<GeneralFeatureSetting>::Equal(*this, other);
}

GeneralFeatureSetting& GeneralFeatureSetting::operator|=(const GeneralFeatureSetting& other)
{
    vevure_detail::SettingFieldOps<GeneralFeatureSetting>::Defined(*this, other);
    return *this;
}

BOOL GeneralFeatureSetting::IsValidSetting() const
{
    return SettingValue::IsValidColorNo(m_colorNo) && SettingValue::IsValidLineTypeNo(m_lineTypeNo) &&
           SettingValue::IsValidLineWidthNo(m_lineWidthNo);
}
