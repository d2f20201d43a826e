#pragma once
// The style of leads: the arrow at the start (ArrowType and size), the line's colour, line type and width
// numbers, and the text at the end with its style, its own colour when TextColorDifferentLead is set, its
// angle (LeadTextAngleType, TextPosAngle for a fixed angle), its place against the last segment
// (LeadTextVerticalOrient, vertical distance, distance from the last point) and an optional underline.

#include "libs/vevure/FeatureSettingBase.h"
#include "libs/vevure/TextSetting.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class LeadSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(LeadSetting)
public:
    static constexpr int kSchema = 1;

    LeadSetting();
    LeadSetting(const LeadSetting& src) = default;
    LeadSetting& operator=(const LeadSetting& src) = default;
    ~LeadSetting() override;

    // Setters refuse a value outside its range with FALSE and keep the old value; the undefined
    // form of a value is always accepted.
    int GetType() const { return m_type; }
    BOOL SetType(int v);
    double GetSize() const { return m_size; }
    BOOL SetSize(double v);
    short GetColorNo() const { return m_colorNo; }
    BOOL SetColorNo(short v);
    short GetLineTypeNo() const { return m_lineTypeNo; }
    BOOL SetLineTypeNo(short v);
    short GetLineWidthNo() const { return m_lineWidthNo; }
    BOOL SetLineWidthNo(short v);
    const TextSetting& GetTextFont() const { return m_textFont; }
    BOOL SetTextFont(const TextSetting& v);
    int GetTextColorDifferentLead() const { return m_textColorDifferentLead; }
    BOOL SetTextColorDifferentLead(int v);
    int GetTextAngleType() const { return m_textAngleType; }
    BOOL SetTextAngleType(int v);
    double GetTextPosAngle() const { return m_textPosAngle; }
    BOOL SetTextPosAngle(double v);
    int GetTextVerticalOrient() const { return m_textVerticalOrient; }
    BOOL SetTextVerticalOrient(int v);
    double GetVerticalDistance() const { return m_verticalDistance; }
    BOOL SetVerticalDistance(double v);
    double GetDistanceFromLastPoint() const { return m_distanceFromLastPoint; }
    BOOL SetDistanceFromLastPoint(double v);
    int GetWithUnderLine() const { return m_withUnderLine; }
    BOOL SetWithUnderLine(int v);
    double GetUnderLineExtension() const { return m_underLineExtension; }
    BOOL SetUnderLineExtension(double v);

    // Multiplies the lengths (arrow size, text lengths, distances, underline extension) by factor > 0.
    // FALSE, and nothing changed, for a bad factor or when a result leaves its range.
    BOOL ScaleSize(double factor);

    using FeatureSettingBase::Copy;
    BOOL Copy(const FeatureSettingBase& src) override;
    int IsEqual(const FeatureSettingBase& src) const override;
    BOOL SettingAndSetting(const FeatureSettingBase& src) override;
    BOOL SetOnlyDefValue(const FeatureSettingBase& src) override;
    BOOL FillUndefinedValue(const FeatureSettingBase& src) override;
    BOOL HasUndefinedValue() const override;
    BOOL IsValidSetting() const override;
    void Serialize(CArchive& ar) override;

    bool operator==(const LeadSetting& other) const;
    bool operator!=(const LeadSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    LeadSetting& operator|=(const LeadSetting& other);

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(LeadSetting& a, const LeadSetting& b, V& v);

    // Smallest first: they share the tail of the base; the stored order is ForFields'.
    short m_colorNo = 0;
    short m_lineTypeNo = 0;
    short m_lineWidthNo = 0;
    int m_type = 3;
    int m_textColorDifferentLead = 0;
    int m_textAngleType = 0;
    int m_textVerticalOrient = 0;
    int m_withUnderLine = 0;
    double m_size = 2.5;
    double m_textPosAngle = 0.0;
    double m_verticalDistance = 0.5;
    double m_distanceFromLastPoint = 0.5;
    double m_underLineExtension = 0.0;
    TextSetting m_textFont;
};
