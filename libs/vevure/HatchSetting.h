#pragma once
// The style of hatches: solid fill, one of the 53 built-in patterns or a pattern of the document's hatch
// pattern table (HatchFeatureType), the fill and pattern colour numbers, inverted solid colour,
// transparency 0-1, the built-in pattern number and the table pattern id, and whether and how the boundary
// of the hatched region is drawn.

#include "libs/vevure/FeatureSettingBase.h"
#include "platform/afx/CString.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class HatchSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(HatchSetting)
public:
    static constexpr int kSchema = 1;

    HatchSetting();
    HatchSetting(const HatchSetting& src) = default;
    HatchSetting& operator=(const HatchSetting& src) = default;
    ~HatchSetting() override;

    // Setters refuse a value outside its range with FALSE and keep the old value; the undefined
    // form of a value is always accepted.
    int GetHatchType() const { return m_hatchType; }
    BOOL SetHatchType(int v);
    short GetSolidColorNo() const { return m_solidColorNo; }
    BOOL SetSolidColorNo(short v);
    short GetPatternColorNo() const { return m_patternColorNo; }
    BOOL SetPatternColorNo(short v);
    int GetSolidColorInvertMode() const { return m_solidColorInvertMode; }
    BOOL SetSolidColorInvertMode(int v);
    float GetTransparency() const { return m_transparency; }
    BOOL SetTransparency(float v);
    int GetPatternType() const { return m_patternType; }
    BOOL SetPatternType(int v);
    long GetPatternID() const { return m_patternID; }
    BOOL SetPatternID(long v);
    int GetRegionDisplayMode() const { return m_regionDisplayMode; }
    BOOL SetRegionDisplayMode(int v);
    short GetRegionColorNo() const { return m_regionColorNo; }
    BOOL SetRegionColorNo(short v);
    short GetRegionLineTypeNo() const { return m_regionLineTypeNo; }
    BOOL SetRegionLineTypeNo(short v);
    short GetRegionLineWidthNo() const { return m_regionLineWidthNo; }
    BOOL SetRegionLineWidthNo(short v);

    // The number of built-in patterns (53) and the display name of one; empty for another number.
    static int GetPatternSize();
    static CString GetPatternName(int patternType);

    using FeatureSettingBase::Copy;
    BOOL Copy(const FeatureSettingBase& src) override;
    int IsEqual(const FeatureSettingBase& src) const override;
    BOOL SettingAndSetting(const FeatureSettingBase& src) override;
    BOOL SetOnlyDefValue(const FeatureSettingBase& src) override;
    BOOL FillUndefinedValue(const FeatureSettingBase& src) override;
    BOOL HasUndefinedValue() const override;
    BOOL IsValidSetting() const override;
    void Serialize(CArchive& ar) override;

    bool operator==(const HatchSetting& other) const;
    bool operator!=(const HatchSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    HatchSetting& operator|=(const HatchSetting& other);

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(HatchSetting& a, const HatchSetting& b, V& v);

    // Smallest first: they share the tail of the base; the stored order is ForFields'.
    short m_solidColorNo = 0;
    short m_patternColorNo = 1;
    short m_regionColorNo = 0;
    short m_regionLineTypeNo = 0;
    short m_regionLineWidthNo = 0;
    int m_hatchType = 0;
    int m_solidColorInvertMode = 0;
    float m_transparency = 0.0f;
    int m_patternType = 0;
    int m_regionDisplayMode = 1;
    long m_patternID = -1;
};
