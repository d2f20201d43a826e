#pragma once
// The style of point markers: the marker form (PointMarkerType 0-9), colour number, size and rotation
// angle in degrees.

#include "libs/vevure/FeatureSettingBase.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class PointMarkerSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(PointMarkerSetting)
public:
    static constexpr int kSchema = 1;

    PointMarkerSetting();
    PointMarkerSetting(const PointMarkerSetting& src) = default;
    PointMarkerSetting& operator=(const PointMarkerSetting& src) = default;
    ~PointMarkerSetting() override;

    // Setters refuse a value outside its range with FALSE and keep the old value; the undefined
    // form of a value is always accepted.
    int GetType() const { return m_type; }
    BOOL SetType(int v);
    short GetColorNo() const { return m_colorNo; }
    BOOL SetColorNo(short v);
    double GetSize() const { return m_size; }
    BOOL SetSize(double v);
    double GetRotateAngle() const { return m_rotateAngle; }
    BOOL SetRotateAngle(double v);

    using FeatureSettingBase::Copy;
    BOOL Copy(const FeatureSettingBase& src) override;
    int IsEqual(const FeatureSettingBase& src) const override;
    BOOL SettingAndSetting(const FeatureSettingBase& src) override;
    BOOL SetOnlyDefValue(const FeatureSettingBase& src) override;
    BOOL FillUndefinedValue(const FeatureSettingBase& src) override;
    BOOL HasUndefinedValue() const override;
    BOOL IsValidSetting() const override;
    void Serialize(CArchive& ar) override;

    bool operator==(const PointMarkerSetting& other) const;
    bool operator!=(const PointMarkerSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    PointMarkerSetting& operator|=(const PointMarkerSetting& other);

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(PointMarkerSetting& a, const PointMarkerSetting& b, V& v);

    // Smallest first: they share the tail of the base; the stored order is ForFields'.
    short m_colorNo = 0;
    int m_type = 0;
    double m_size = 1.0;
    double m_rotateAngle = 0.0;
};
