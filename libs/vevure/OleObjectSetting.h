#pragma once
// The display of an OLE object: width and height in drawing units (DBL_MAX undefined), the object's
// natural width and height, the scales in percent of the natural size (FLT_MAX undefined), whether the
// background is filled and its colour number.

#include "libs/vevure/FeatureSettingBase.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class OleObjectSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(OleObjectSetting)
public:
    static constexpr int kSchema = 1;

    OleObjectSetting();
    OleObjectSetting(const OleObjectSetting& src) = default;
    OleObjectSetting& operator=(const OleObjectSetting& src) = default;
    ~OleObjectSetting() override;

    // Setters refuse a value outside its range with FALSE and keep the old value; the undefined
    // form of a value is always accepted.
    double GetWidth() const { return m_width; }
    BOOL SetWidth(double v);
    double GetHeight() const { return m_height; }
    BOOL SetHeight(double v);
    double GetNaturalWidth() const { return m_naturalWidth; }
    BOOL SetNaturalWidth(double v);
    double GetNaturalHeight() const { return m_naturalHeight; }
    BOOL SetNaturalHeight(double v);
    float GetScaleX() const { return m_scaleX; }
    BOOL SetScaleX(float v);
    float GetScaleY() const { return m_scaleY; }
    BOOL SetScaleY(float v);
    int GetBackgroundMode() const { return m_backgroundMode; }
    BOOL SetBackgroundMode(int v);
    short GetBackColorNo() const { return m_backColorNo; }
    BOOL SetBackColorNo(short v);

    // Keeps the values that equal those of other and makes the others undefined.
    OleObjectSetting& operator&=(const OleObjectSetting& other);

    using FeatureSettingBase::Copy;
    BOOL Copy(const FeatureSettingBase& src) override;
    int IsEqual(const FeatureSettingBase& src) const override;
    BOOL SettingAndSetting(const FeatureSettingBase& src) override;
    BOOL SetOnlyDefValue(const FeatureSettingBase& src) override;
    BOOL FillUndefinedValue(const FeatureSettingBase& src) override;
    BOOL HasUndefinedValue() const override;
    BOOL IsValidSetting() const override;
    void Serialize(CArchive& ar) override;

    bool operator==(const OleObjectSetting& other) const;
    bool operator!=(const OleObjectSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    OleObjectSetting& operator|=(const OleObjectSetting& other);

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(OleObjectSetting& a, const OleObjectSetting& b, V& v);

    // Smallest first: they share the tail of the base; the stored order is ForFields'.
    short m_backColorNo = 0;
    float m_scaleX = 100.0f;
    float m_scaleY = 100.0f;
    int m_backgroundMode = 0;
    double m_width = 0.0;
    double m_height = 0.0;
    double m_naturalWidth = 0.0;
    double m_naturalHeight = 0.0;
};
