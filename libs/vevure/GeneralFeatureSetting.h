#pragma once
// The basic attributes every shape has: colour, line type and line width, each a table number
// (0 = the layer's own value; 32767 = undefined).

#include "libs/vevure/FeatureSettingBase.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class GeneralFeatureSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(GeneralFeatureSetting)
public:
    static constexpr int kSchema = 1;

    GeneralFeatureSetting();
    GeneralFeatureSetting(const GeneralFeatureSetting& src) = default;
    GeneralFeatureSetting& operator=(const GeneralFeatureSetting& src) = default;
    ~GeneralFeatureSetting() override;

    short GetColorNo() const { return m_colorNo; }
    short GetLineTypeNo() const { return m_lineTypeNo; }
    short GetLineWidthNo() const { return m_lineWidthNo; }
    // Each setter refuses a number outside its rule (SettingValue) with FALSE and keeps the old one.
    BOOL SetColorNo(short no);
    BOOL SetLineTypeNo(short no);
    BOOL SetLineWidthNo(short no);

    bool operator==(const GeneralFeatureSetting& other) const;
    bool operator!=(const GeneralFeatureSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    GeneralFeatureSetting& operator|=(const GeneralFeatureSetting& other);

    using FeatureSettingBase::Copy;
    BOOL Copy(const FeatureSettingBase& src) override;
    int IsEqual(const FeatureSettingBase& src) const override;
    BOOL SettingAndSetting(const FeatureSettingBase& src) override;
    BOOL SetOnlyDefValue(const FeatureSettingBase& src) override;
    BOOL FillUndefinedValue(const FeatureSettingBase& src) override;
    BOOL HasUndefinedValue() const override;
    BOOL IsValidSetting() const override;
    void Serialize(CArchive& ar) override;

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(GeneralFeatureSetting& a, const GeneralFeatureSetting& b, V& v);

    short m_colorNo = 0;
    short m_lineTypeNo = 0;
    short m_lineWidthNo = 0;
};
