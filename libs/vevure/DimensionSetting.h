#pragma once
// The style of dimensions (linear, radius, diameter, angular, arc-length and parallel): colours and lines
// of the dimension and its extension lines, arrows, extension-line geometry, the value text (style, place,
// angle, unit format, precision, rounding, scale), additional texts before, inside and after the value,
// tolerances and automatic arrangement. Lengths are in drawing units, angles in degrees, size ratios
// relative to the value text (0.25-1), precisions in digits (0-8).

#include "libs/vevure/FeatureSettingBase.h"
#include "libs/vevure/TextSetting.h"

namespace vevure_detail { template <class S> struct SettingFieldOps; }

class DimensionSetting : public FeatureSettingBase
{
    DECLARE_SERIAL(DimensionSetting)
public:
    static constexpr int kSchema = 1;

    DimensionSetting();
    DimensionSetting(const DimensionSetting& src) = default;
    DimensionSetting& operator=(const DimensionSetting& src) = default;
    ~DimensionSetting() override;

    // Setters refuse a value outside its range with FALSE and keep the old value; the undefined
    // form of a value is always accepted.
    short GetColorNo() const { return m_colorNo; }
    BOOL SetColorNo(short v);
    short GetLineTypeNo() const { return m_lineTypeNo; }
    BOOL SetLineTypeNo(short v);
    short GetLineWidthNo() const { return m_lineWidthNo; }
    BOOL SetLineWidthNo(short v);
    int GetProjectionColorDifferentDim() const { return m_projectionColorDifferentDim; }
    BOOL SetProjectionColorDifferentDim(int v);
    int GetProjectionLTypeDifferentDim() const { return m_projectionLTypeDifferentDim; }
    BOOL SetProjectionLTypeDifferentDim(int v);
    int GetProjectionWidthDifferentDim() const { return m_projectionWidthDifferentDim; }
    BOOL SetProjectionWidthDifferentDim(int v);
    int GetDimTextColorDifferentDim() const { return m_dimTextColorDifferentDim; }
    BOOL SetDimTextColorDifferentDim(int v);
    short GetProjectionColorNo() const { return m_projectionColorNo; }
    BOOL SetProjectionColorNo(short v);
    short GetProjectionLTypeNo() const { return m_projectionLTypeNo; }
    BOOL SetProjectionLTypeNo(short v);
    short GetProjectionWidthNo() const { return m_projectionWidthNo; }
    BOOL SetProjectionWidthNo(short v);
    int GetArrowPosition() const { return m_arrowPosition; }
    BOOL SetArrowPosition(int v);
    double GetArrowSize1() const { return m_arrowSize1; }
    BOOL SetArrowSize1(double v);
    double GetArrowSize2() const { return m_arrowSize2; }
    BOOL SetArrowSize2(double v);
    int GetArrowType1() const { return m_arrowType1; }
    BOOL SetArrowType1(int v);
    int GetArrowType2() const { return m_arrowType2; }
    BOOL SetArrowType2(int v);
    double GetOutsideLength1() const { return m_outsideLength1; }
    BOOL SetOutsideLength1(double v);
    double GetOutsideLength2() const { return m_outsideLength2; }
    BOOL SetOutsideLength2(double v);
    double GetProjectionExtension1() const { return m_projectionExtension1; }
    BOOL SetProjectionExtension1(double v);
    double GetProjectionExtension2() const { return m_projectionExtension2; }
    BOOL SetProjectionExtension2(double v);
    double GetProjectionOffsetOrLineLength1() const { return m_projectionOffsetOrLineLength1; }
    BOOL SetProjectionOffsetOrLineLength1(double v);
    double GetProjectionOffsetOrLineLength2() const { return m_projectionOffsetOrLineLength2; }
    BOOL SetProjectionOffsetOrLineLength2(double v);
    int GetProjectionShow1() const { return m_projectionShow1; }
    BOOL SetProjectionShow1(int v);
    int GetProjectionShow2() const { return m_projectionShow2; }
    BOOL SetProjectionShow2(int v);
    int GetProjectionLineMode() const { return m_projectionLineMode; }
    BOOL SetProjectionLineMode(int v);
    BYTE GetDimLineEnd1Drawn() const { return m_dimLineEnd1Drawn; }
    BOOL SetDimLineEnd1Drawn(BYTE v);
    BYTE GetDimLineEnd2Drawn() const { return m_dimLineEnd2Drawn; }
    BOOL SetDimLineEnd2Drawn(BYTE v);
    BYTE GetExtendedDimLine() const { return m_extendedDimLine; }
    BOOL SetExtendedDimLine(BYTE v);
    BYTE GetInsideDimLine() const { return m_insideDimLine; }
    BOOL SetInsideDimLine(BYTE v);
    int GetArcDimProjeLineRadialMode() const { return m_arcDimProjeLineRadialMode; }
    BOOL SetArcDimProjeLineRadialMode(int v);
    int GetArcDiameterFlag() const { return m_arcDiameterFlag; }
    BOOL SetArcDiameterFlag(int v);
    double GetDistance() const { return m_distance; }
    BOOL SetDistance(double v);
    int GetHorizonPos() const { return m_horizonPos; }
    BOOL SetHorizonPos(int v);
    int GetSeparateTextType() const { return m_separateTextType; }
    BOOL SetSeparateTextType(int v);
    int GetPosAngle() const { return m_posAngle; }
    BOOL SetPosAngle(int v);
    double GetDimValuePosAngle() const { return m_dimValuePosAngle; }
    BOOL SetDimValuePosAngle(double v);
    const TextSetting& GetDimTextFont() const { return m_dimTextFont; }
    BOOL SetDimTextFont(const TextSetting& v);
    int GetVerticalPos() const { return m_verticalPos; }
    BOOL SetVerticalPos(int v);
    int GetToFullWidth() const { return m_toFullWidth; }
    BOOL SetToFullWidth(int v);
    int GetZeroVisible() const { return m_zeroVisible; }
    BOOL SetZeroVisible(int v);
    int GetAddRPhi() const { return m_addRPhi; }
    BOOL SetAddRPhi(int v);
    int GetLengthUnitFormatType() const { return m_lengthUnitFormatType; }
    BOOL SetLengthUnitFormatType(int v);
    short GetPrecision() const { return m_precision; }
    BOOL SetPrecision(short v);
    double GetRound() const { return m_round; }
    BOOL SetRound(double v);
    double GetLengthDimValueScale() const { return m_lengthDimValueScale; }
    BOOL SetLengthDimValueScale(double v);
    int GetAngleUnitFormatType() const { return m_angleUnitFormatType; }
    BOOL SetAngleUnitFormatType(int v);
    short GetAnglePrecision() const { return m_anglePrecision; }
    BOOL SetAnglePrecision(short v);
    int GetArcDimTextOption() const { return m_arcDimTextOption; }
    BOOL SetArcDimTextOption(int v);
    const CString& GetPreAdditionText() const { return m_preAdditionText; }
    BOOL SetPreAdditionText(const CString& v);
    const CString& GetInsideAdditionText1() const { return m_insideAdditionText1; }
    BOOL SetInsideAdditionText1(const CString& v);
    const CString& GetInsideAdditionText2() const { return m_insideAdditionText2; }
    BOOL SetInsideAdditionText2(const CString& v);
    int GetInsideAdditionTextType() const { return m_insideAdditionTextType; }
    BOOL SetInsideAdditionTextType(int v);
    double GetInsideAdditionTextSizeRatio() const { return m_insideAdditionTextSizeRatio; }
    BOOL SetInsideAdditionTextSizeRatio(double v);
    int GetInsideAdditionTextVerticalArrangeType() const { return m_insideAdditionTextVerticalArrangeType; }
    BOOL SetInsideAdditionTextVerticalArrangeType(int v);
    int GetInsideAdditionTextHorizonArrangeType() const { return m_insideAdditionTextHorizonArrangeType; }
    BOOL SetInsideAdditionTextHorizonArrangeType(int v);
    const CString& GetPostAdditionText1() const { return m_postAdditionText1; }
    BOOL SetPostAdditionText1(const CString& v);
    const CString& GetPostAdditionText2() const { return m_postAdditionText2; }
    BOOL SetPostAdditionText2(const CString& v);
    int GetPostAdditionTextType() const { return m_postAdditionTextType; }
    BOOL SetPostAdditionTextType(int v);
    double GetPostAdditionTextSizeRatio() const { return m_postAdditionTextSizeRatio; }
    BOOL SetPostAdditionTextSizeRatio(double v);
    int GetPostAdditionTextVerticalArrangeType() const { return m_postAdditionTextVerticalArrangeType; }
    BOOL SetPostAdditionTextVerticalArrangeType(int v);
    int GetPostAdditionTextHorizonArrangeType() const { return m_postAdditionTextHorizonArrangeType; }
    BOOL SetPostAdditionTextHorizonArrangeType(int v);
    int GetToleranceType() const { return m_toleranceType; }
    BOOL SetToleranceType(int v);
    double GetTolerance1() const { return m_tolerance1; }
    BOOL SetTolerance1(double v);
    double GetTolerance2() const { return m_tolerance2; }
    BOOL SetTolerance2(double v);
    double GetToleranceAngle1() const { return m_toleranceAngle1; }
    BOOL SetToleranceAngle1(double v);
    double GetToleranceAngle2() const { return m_toleranceAngle2; }
    BOOL SetToleranceAngle2(double v);
    short GetTolerancePrecision() const { return m_tolerancePrecision; }
    BOOL SetTolerancePrecision(short v);
    short GetToleranceAnglePrecision() const { return m_toleranceAnglePrecision; }
    BOOL SetToleranceAnglePrecision(short v);
    double GetToleranceTextSizeRatio() const { return m_toleranceTextSizeRatio; }
    BOOL SetToleranceTextSizeRatio(double v);
    int GetToleranceHorizonTrueUpType() const { return m_toleranceHorizonTrueUpType; }
    BOOL SetToleranceHorizonTrueUpType(int v);
    int GetToleranceVerticalTrueUpType() const { return m_toleranceVerticalTrueUpType; }
    BOOL SetToleranceVerticalTrueUpType(int v);
    BYTE GetToleranceAddParenthesis() const { return m_toleranceAddParenthesis; }
    BOOL SetToleranceAddParenthesis(BYTE v);
    int GetToleranceZeroVisible() const { return m_toleranceZeroVisible; }
    BOOL SetToleranceZeroVisible(int v);
    int GetVisibleDimValue() const { return m_visibleDimValue; }
    BOOL SetVisibleDimValue(int v);
    int GetAutoArrowPosition() const { return m_autoArrowPosition; }
    BOOL SetAutoArrowPosition(int v);
    int GetNotSettledArrowPosMode() const { return m_notSettledArrowPosMode; }
    BOOL SetNotSettledArrowPosMode(int v);
    int GetAutoHorizonPos() const { return m_autoHorizonPos; }
    BOOL SetAutoHorizonPos(int v);

    // The height of the value text (the value text style's height).
    double GetDimTextHight() const { return m_dimTextFont.GetHeight(); }
    // Multiplies the lengths (arrow sizes, outside lengths, extension-line extensions and offsets,
    // the text distance and the value text's lengths) by factor > 0. FALSE, and nothing changed, for a
    // bad factor or when a result leaves its range.
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

    bool operator==(const DimensionSetting& other) const;
    bool operator!=(const DimensionSetting& other) const { return !(*this == other); }
    // Takes over the values that other defines (as SetOnlyDefValue).
    DimensionSetting& operator|=(const DimensionSetting& other);

private:
    template <class S> friend struct vevure_detail::SettingFieldOps;
    template <class V> static void ForFields(DimensionSetting& a, const DimensionSetting& b, V& v);

    // Smallest first: they share the tail of the base; the stored order is ForFields'.
    BYTE m_dimLineEnd1Drawn = 1;
    BYTE m_dimLineEnd2Drawn = 1;
    BYTE m_extendedDimLine = 1;
    BYTE m_insideDimLine = 0;
    BYTE m_toleranceAddParenthesis = 0;
    short m_colorNo = 0;
    short m_lineTypeNo = 0;
    short m_lineWidthNo = 0;
    short m_projectionColorNo = 0;
    short m_projectionLTypeNo = 0;
    short m_projectionWidthNo = 0;
    short m_precision = 2;
    short m_anglePrecision = 0;
    short m_tolerancePrecision = 2;
    short m_toleranceAnglePrecision = 0;
    int m_projectionColorDifferentDim = 0;
    int m_projectionLTypeDifferentDim = 0;
    int m_projectionWidthDifferentDim = 0;
    int m_dimTextColorDifferentDim = 0;
    int m_arrowPosition = 0;
    int m_arrowType1 = 6;  // the filled arrow; 3 is the circle that marks a progressive row's origin
    int m_arrowType2 = 6;
    int m_projectionShow1 = 1;
    int m_projectionShow2 = 1;
    int m_projectionLineMode = 0;
    int m_arcDimProjeLineRadialMode = 0;
    int m_arcDiameterFlag = 0;
    int m_horizonPos = 0;
    int m_separateTextType = 0;
    int m_posAngle = 0;
    int m_verticalPos = 0;
    int m_toFullWidth = 0;
    int m_zeroVisible = 0;
    int m_addRPhi = 1;
    int m_lengthUnitFormatType = 0;
    int m_angleUnitFormatType = 0;
    int m_arcDimTextOption = 0;
    int m_insideAdditionTextType = 0;
    int m_insideAdditionTextVerticalArrangeType = 1;
    int m_insideAdditionTextHorizonArrangeType = 1;
    int m_postAdditionTextType = 0;
    int m_postAdditionTextVerticalArrangeType = 1;
    int m_postAdditionTextHorizonArrangeType = 0;
    int m_toleranceType = 0;
    int m_toleranceHorizonTrueUpType = 0;
    int m_toleranceVerticalTrueUpType = 1;
    int m_toleranceZeroVisible = 0;
    int m_visibleDimValue = 1;
    int m_autoArrowPosition = 1;
    int m_notSettledArrowPosMode = 0;
    int m_autoHorizonPos = 1;
    double m_arrowSize1 = 2.5;
    double m_arrowSize2 = 2.5;
    double m_outsideLength1 = 5.0;
    double m_outsideLength2 = 5.0;
    double m_projectionExtension1 = 1.0;
    double m_projectionExtension2 = 1.0;
    double m_projectionOffsetOrLineLength1 = 1.0;
    double m_projectionOffsetOrLineLength2 = 1.0;
    double m_distance = 0.5;
    double m_dimValuePosAngle = 0.0;
    double m_round = 0.0;
    double m_lengthDimValueScale = 1.0;
    double m_insideAdditionTextSizeRatio = 0.5;
    double m_postAdditionTextSizeRatio = 0.5;
    double m_tolerance1 = 0.0;
    double m_tolerance2 = 0.0;
    double m_toleranceAngle1 = 0.0;
    double m_toleranceAngle2 = 0.0;
    double m_toleranceTextSizeRatio = 0.7;
    CString m_preAdditionText;
    CString m_insideAdditionText1;
    CString m_insideAdditionText2;
    CString m_postAdditionText1;
    CString m_postAdditionText2;
    TextSetting m_dimTextFont;
};
