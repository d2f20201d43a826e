#pragma once
// The text of a dimension in its parts: the text before the value, the radius or diameter sign, the arc
// mark, the value in the style's unit format, the inside texts, the tolerance and the trailing texts,
// each in its size, laid out in a row that runs along +x from an origin at the middle of the row's foot
// (the base line of the value). Every part is a text of its own, so that it can be measured, framed
// and drawn; the basic-dimension frame and the arc mark over the value are lines of the text.

#include <vector>

#include "platform/afx/CString.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class Dimension2dFeatureBase;
class DimensionSetting;
class Text2dFeature;

class DimensionText
{
public:
    enum Part {
        PartNone = 0,
        PartWhole = 1,           // the whole row
        PartSign = 2,            // R or the diameter sign
        PartPreText = 3,
        PartValue = 4,
        PartInsideText1 = 5,
        PartInsideText2 = 6,
        PartTolerance = 7,       // a tolerance in one row (symmetric), or the parentheses round it
        PartToleranceUpper = 8,
        PartToleranceLower = 9,
        PartArcMark = 10,
        PartPostText1 = 11,
        PartPostText2 = 12
    };
    static constexpr int kPartCount = 13;

    struct Item {
        int nPart = PartNone;
        CString text;
        RuVaPnt2d lowerLeft;  // from the origin, in the row's own axes
        double dHeight = 0.0;
        double dWidth = 0.0;
    };

    // The text of the dimension; a value of 0 or more is shown instead of the dimension's own (measured
    // or typed) one. The origin only moves the items.
    explicit DimensionText(const Dimension2dFeatureBase* pDimension, double dValue = -1.0,
                           const RuVaPnt2d& origin = RuVaPnt2d());

    double GetTextWidth() const { return m_dRight - m_dLeft; }
    double GetTextHeight() const { return m_dTop - m_dBottom; }
    // How far the row reaches left and right of the origin, below and above its base line.
    double GetLeftExtent() const { return -m_dLeft; }
    double GetRightExtent() const { return m_dRight; }
    double GetLowerExtent() const { return -m_dBottom; }
    double GetUpperExtent() const { return m_dTop; }
    const RuVaPnt2d& GetOrigin() const { return m_origin; }
    bool IsEmpty() const { return m_items.empty() && m_lines.empty(); }

    int GetItemCount() const { return (int)m_items.size(); }
    const Item& GetItem(int nIndex) const { return m_items[(size_t)nIndex]; }
    // Lines drawn with the text (the basic frame, the arc mark), from the origin.
    const std::vector<KcArrayOfGePnt2d>& GetLines() const { return m_lines; }
    // The box of a part (PartWhole: of everything) in the row's own axes, from the origin; FALSE when the
    // dimension has no such part.
    BOOL GetPartBox(int nPart, double& dLeft, double& dBottom, double& dRight, double& dTop) const;

    // Fills the text with one part of the dimension's text where the dimension shows it (PartWhole: the
    // whole row as one text). FALSE, the text unchanged, when the dimension has no such part.
    static BOOL GetDimPartsTextFeature(const Dimension2dFeatureBase* pDimension, int nPart, Text2dFeature* pText);

    // A length as the dimension style writes it: times the scale, rounded to a multiple of dRound (above
    // 0), in the length unit format with the precision (0-8); nZeroVisible 1 keeps trailing zeros; the
    // whole part grouped by nSeparateType (DimSeparateTextType); nSignFlag 1 keeps a minus sign, 0 writes
    // the magnitude. Empty for a value that is not finite or a bad format.
    static CString ConvertDimValueToText(double dValue, double dScale, int nFormat, int nPrecision, int nZeroVisible,
                                         int nSeparateType, double dRound, int nSignFlag);
    // An angle in degrees in the angle unit format.
    static CString ConvertDimAngleToText(double dDegrees, int nFormat, int nPrecision, int nZeroVisible);
    // Digits, signs and points in their full-width forms.
    static CString ToFullWidth(const CString& text);
    // The value of the dimension as its style writes it (no sign, additions or tolerance); the typed text in
    // manual mode. dValue of 0 or more replaces the measured value.
    static CString GetValueText(const Dimension2dFeatureBase* pDimension, double dValue = -1.0);
    // The width of a one-line text of that height in the style's letter cell and spacing.
    static double MeasureWidth(const CString& text, double dHeight, double dWidthRatio, double dSpacing);

private:
    void Build(const Dimension2dFeatureBase* pDimension, double dValue);
    void AddItem(int nPart, const CString& text, double x, double yBottom, double dHeight);

    std::vector<Item> m_items;
    std::vector<KcArrayOfGePnt2d> m_lines;
    RuVaPnt2d m_origin;
    double m_dWidthRatio = 1.0;
    double m_dSpacing = 0.0;
    double m_dLeft = 0.0, m_dRight = 0.0, m_dBottom = 0.0, m_dTop = 0.0;
};
