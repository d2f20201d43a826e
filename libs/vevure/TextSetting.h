#pragma once
// The style of texts: font, colour number, height, width ratio (1.0 = the font's own width), slant in
// degrees, character and line spacing, writing direction (0 horizontal, 1 vertical), base point position
// (0-8: columns left, centre, right; rows bottom, middle, top) and four on/off options, the fourth being
// the style flag that leads, balloons and dimension values offer for their texts too. The default font
// "Sans" (the system's sans-serif family) is short enough to be held without a heap block in every text
// that keeps it.

#include "libs/vevure/FeatureSettingBase.h"
#include "platform/afx/CString.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class TextSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(TextSetting)
public:
    static constexpr int kSchema = 1;

    TextSetting();
    TextSetting(const TextSetting& src) = default;
    TextSetting& operator=(const TextSetting& src) = default;
    ~TextSetting() override;

    // Setters refuse a value outside its range with FALSE and keep the old value; the undefined
    // form of a value is always accepted.
    const CString& GetFontName() const { return m_fontName; }
    BOOL SetFontName(const CString& v);
    short GetColorNo() const { return m_colorNo; }
    BOOL SetColorNo(short v);
    double GetHeight() const { return m_height; }
    BOOL SetHeight(double v);
    double GetWidthRatio() const { return m_widthRatio; }
    BOOL SetWidthRatio(double v);
    double GetSlantAngle() const { return m_slantAngle; }
    BOOL SetSlantAngle(double v);
    double GetCharSpacing() const { return m_charSpacing; }
    BOOL SetCharSpacing(double v);
    double GetLineSpacing() const { return m_lineSpacing; }
    BOOL SetLineSpacing(double v);
    int GetDirection() const { return m_direction; }
    BOOL SetDirection(int v);
    int GetBasePointPosition() const { return m_basePointPosition; }
    BOOL SetBasePointPosition(int v);
    BYTE GetOption1() const { return m_option1; }
    BOOL SetOption1(BYTE v);
    BYTE GetOption2() const { return m_option2; }
    BOOL SetOption2(BYTE v);
    BYTE GetOption3() const { return m_option3; }
    BOOL SetOption3(BYTE v);
    BYTE GetOption4() const { return m_option4; }
    BOOL SetOption4(BYTE v);

    // The fourth option under the name the lead, balloon and dimension styles use.
    BYTE GetStyleFlag() const { return m_option4; }
    BOOL SetStyleFlag(BYTE v) { return SetOption4(v); }
    // Multiplies the three lengths (height, character and line spacing) by factor > 0. FALSE, and
    // nothing changed, for a bad factor or when a result leaves its range.
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

    bool operator==(const TextSetting& other) const;
    bool operator!=(const TextSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    TextSetting& operator|=(const TextSetting& other);

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(TextSetting& a, const TextSetting& b, V& v);

    // Smallest first: they share the tail of the base; the stored order is ForFields'.
    BYTE m_option1 = 0;
    BYTE m_option2 = 0;
    BYTE m_option3 = 0;
    BYTE m_option4 = 0;
    short m_colorNo = 0;
    int m_direction = 0;
    int m_basePointPosition = 0;
    double m_height = 3.5;
    double m_widthRatio = 1.0;
    double m_slantAngle = 0.0;
    double m_charSpacing = 0.0;
    double m_lineSpacing = 1.0;
    CString m_fontName;
};
