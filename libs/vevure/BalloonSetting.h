#pragma once
// The style of balloons: the frame (BalloonType) with its size, colour, line type and width numbers; the
// label text's style, with its own colour when TextColorDifferentBalloon is set; and the lead from the
// frame with its arrow and, each when its flag is set, its own colour, line type and line width.

#include "libs/vevure/FeatureSettingBase.h"
#include "libs/vevure/TextSetting.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class BalloonSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(BalloonSetting)
public:
    static constexpr int kSchema = 1;

    BalloonSetting();
    BalloonSetting(const BalloonSetting& src) = default;
    BalloonSetting& operator=(const BalloonSetting& src) = default;
    ~BalloonSetting() override;

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
    int GetTextColorDifferentBalloon() const { return m_textColorDifferentBalloon; }
    BOOL SetTextColorDifferentBalloon(int v);
    int GetLeadArrowType() const { return m_leadArrowType; }
    BOOL SetLeadArrowType(int v);
    double GetLeadArrowSize() const { return m_leadArrowSize; }
    BOOL SetLeadArrowSize(double v);
    int GetLeadColorDifferentBalloon() const { return m_leadColorDifferentBalloon; }
    BOOL SetLeadColorDifferentBalloon(int v);
    short GetLeadColorNo() const { return m_leadColorNo; }
    BOOL SetLeadColorNo(short v);
    int GetLeadLineTypeDifferentBalloon() const { return m_leadLineTypeDifferentBalloon; }
    BOOL SetLeadLineTypeDifferentBalloon(int v);
    short GetLeadLineTypeNo() const { return m_leadLineTypeNo; }
    BOOL SetLeadLineTypeNo(short v);
    int GetLeadLineWidthDifferentBalloon() const { return m_leadLineWidthDifferentBalloon; }
    BOOL SetLeadLineWidthDifferentBalloon(int v);
    short GetLeadLineWidthNo() const { return m_leadLineWidthNo; }
    BOOL SetLeadLineWidthNo(short v);

    // Multiplies the frame size, the arrow size and the text lengths by factor > 0. FALSE, and nothing
    // changed, for a bad factor or when a result leaves its range.
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

    bool operator==(const BalloonSetting& other) const;
    bool operator!=(const BalloonSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    BalloonSetting& operator|=(const BalloonSetting& other);

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(BalloonSetting& a, const BalloonSetting& b, V& v);

    // Smallest first: they share the tail of the base; the stored order is ForFields'.
    short m_colorNo = 0;
    short m_lineTypeNo = 0;
    short m_lineWidthNo = 0;
    short m_leadColorNo = 0;
    short m_leadLineTypeNo = 0;
    short m_leadLineWidthNo = 0;
    int m_type = 0;
    int m_textColorDifferentBalloon = 0;
    int m_leadArrowType = 3;
    int m_leadColorDifferentBalloon = 0;
    int m_leadLineTypeDifferentBalloon = 0;
    int m_leadLineWidthDifferentBalloon = 0;
    double m_size = 10.0;
    double m_leadArrowSize = 2.5;
    TextSetting m_textFont;
};
