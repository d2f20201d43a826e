#include "libs/vevure/DimensionSetting.h"

#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/SettingFieldOps.h"

IMPLEMENT_SERIAL(DimensionSetting, FeatureSettingBase, 1)

template <class V>
void DimensionSetting::ForFields(DimensionSetting& a, const DimensionSetting& b, V& v)
{
    v.No(a.m_colorNo, b.m_colorNo);
    v.No(a.m_lineTypeNo, b.m_lineTypeNo);
    v.No(a.m_lineWidthNo, b.m_lineWidthNo);
    v.Flag(a.m_projectionColorDifferentDim, b.m_projectionColorDifferentDim);
    v.Flag(a.m_projectionLTypeDifferentDim, b.m_projectionLTypeDifferentDim);
    v.Flag(a.m_projectionWidthDifferentDim, b.m_projectionWidthDifferentDim);
    v.Flag(a.m_dimTextColorDifferentDim, b.m_dimTextColorDifferentDim);
    v.No(a.m_projectionColorNo, b.m_projectionColorNo);
    v.No(a.m_projectionLTypeNo, b.m_projectionLTypeNo);
    v.No(a.m_projectionWidthNo, b.m_projectionWidthNo);
    v.Index(a.m_arrowPosition, b.m_arrowPosition);
    v.Dbl(a.m_arrowSize1, b.m_arrowSize1);
    v.Dbl(a.m_arrowSize2, b.m_arrowSize2);
    v.Index(a.m_arrowType1, b.m_arrowType1);
    v.Index(a.m_arrowType2, b.m_arrowType2);
    v.Dbl(a.m_outsideLength1, b.m_outsideLength1);
    v.Dbl(a.m_outsideLength2, b.m_outsideLength2);
    v.Dbl(a.m_projectionExtension1, b.m_projectionExtension1);
    v.Dbl(a.m_projectionExtension2, b.m_projectionExtension2);
    v.Dbl(a.m_projectionOffsetOrLineLength1, b.m_projectionOffsetOrLineLength1);
    v.Dbl(a.m_projectionOffsetOrLineLength2, b.m_projectionOffsetOrLineLength2);
    v.Flag(a.m_projectionShow1, b.m_projectionShow1);
    v.Flag(a.m_projectionShow2, b.m_projectionShow2);
    v.Index(a.m_projectionLineMode, b.m_projectionLineMode);
    v.Flag(a.m_dimLineEnd1Drawn, b.m_dimLineEnd1Drawn);
    v.Flag(a.m_dimLineEnd2Drawn, b.m_dimLineEnd2Drawn);
    v.Flag(a.m_extendedDimLine, b.m_extendedDimLine);
    v.Flag(a.m_insideDimLine, b.m_insideDimLine);
    v.Index(a.m_arcDimProjeLineRadialMode, b.m_arcDimProjeLineRadialMode);
    v.Flag(a.m_arcDiameterFlag, b.m_arcDiameterFlag);
    v.Dbl(a.m_distance, b.m_distance);
    v.Index(a.m_horizonPos, b.m_horizonPos);
    v.Index(a.m_separateTextType, b.m_separateTextType);
    v.Index(a.m_posAngle, b.m_posAngle);
    v.Dbl(a.m_dimValuePosAngle, b.m_dimValuePosAngle);
    v.Sub(a.m_dimTextFont, b.m_dimTextFont);
    v.Index(a.m_verticalPos, b.m_verticalPos);
    v.Flag(a.m_toFullWidth, b.m_toFullWidth);
    v.Flag(a.m_zeroVisible, b.m_zeroVisible);
    v.Flag(a.m_addRPhi, b.m_addRPhi);
    v.Index(a.m_lengthUnitFormatType, b.m_lengthUnitFormatType);
    v.Index(a.m_precision, b.m_precision);
    v.Dbl(a.m_round, b.m_round);
    v.Dbl(a.m_lengthDimValueScale, b.m_lengthDimValueScale);
    v.Index(a.m_angleUnitFormatType, b.m_angleUnitFormatType);
    v.Index(a.m_anglePrecision, b.m_anglePrecision);
    v.Index(a.m_arcDimTextOption, b.m_arcDimTextOption);
    v.Text(a.m_preAdditionText, b.m_preAdditionText);
    v.Text(a.m_insideAdditionText1, b.m_insideAdditionText1);
    v.Text(a.m_insideAdditionText2, b.m_insideAdditionText2);
    v.Index(a.m_insideAdditionTextType, b.m_insideAdditionTextType);
    v.Dbl(a.m_insideAdditionTextSizeRatio, b.m_insideAdditionTextSizeRatio);
    v.Index(a.m_insideAdditionTextVerticalArrangeType, b.m_insideAdditionTextVerticalArrangeType);
    v.Index(a.m_insideAdditionTextHorizonArrangeType, b.m_insideAdditionTextHorizonArrangeType);
    v.Text(a.m_postAdditionText1, b.m_postAdditionText1);
    v.Text(a.m_postAdditionText2, b.m_postAdditionText2);
    v.Index(a.m_postAdditionTextType, b.m_postAdditionTextType);
    v.Dbl(a.m_postAdditionTextSizeRatio, b.m_postAdditionTextSizeRatio);
    v.Index(a.m_postAdditionTextVerticalArrangeType, b.m_postAdditionTextVerticalArrangeType);
    v.Index(a.m_postAdditionTextHorizonArrangeType, b.m_postAdditionTextHorizonArrangeType);
    v.Index(a.m_toleranceType, b.m_toleranceType);
    v.Dbl(a.m_tolerance1, b.m_tolerance1);
    v.Dbl(a.m_tolerance2, b.m_tolerance2);
    v.Dbl(a.m_toleranceAngle1, b.m_toleranceAngle1);
    v.Dbl(a.m_toleranceAngle2, b.m_toleranceAngle2);
    v.Index(a.m_tolerancePrecision, b.m_tolerancePrecision);
    v.Index(a.m_toleranceAnglePrecision, b.m_toleranceAnglePrecision);
    v.Dbl(a.m_toleranceTextSizeRatio, b.m_toleranceTextSizeRatio);
    v.Index(a.m_toleranceHorizonTrueUpType, b.m_toleranceHorizonTrueUpType);
    v.Index(a.m_toleranceVerticalTrueUpType, b.m_toleranceVerticalTrueUpType);
    v.Flag(a.m_toleranceAddParenthesis, b.m_toleranceAddParenthesis);
    v.Flag(a.m_toleranceZeroVisible, b.m_toleranceZeroVisible);
    v.Flag(a.m_visibleDimValue, b.m_visibleDimValue);
    v.Flag(a.m_autoArrowPosition, b.m_autoArrowPosition);
    v.Index(a.m_notSettledArrowPosMode, b.m_notSettledArrowPosMode);
    v.Flag(a.m_autoHorizonPos, b.m_autoHorizonPos);
}

VEVURE_IMPLEMENT_SETTING_OPS(DimensionSetting)

DimensionSetting::DimensionSetting()
{
}

DimensionSetting::~DimensionSetting() = default;

BOOL DimensionSetting::SetColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_colorNo = v;
    return TRUE;
}

BOOL DimensionSetting::SetLineTypeNo(short v)
{
    if (!SettingValue::IsValidLineTypeNo(v))
        return FALSE;
    m_lineTypeNo = v;
    return TRUE;
}

BOOL DimensionSetting::SetLineWidthNo(short v)
{
    if (!SettingValue::IsValidLineWidthNo(v))
        return FALSE;
    m_lineWidthNo = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionColorDifferentDim(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_projectionColorDifferentDim = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionLTypeDifferentDim(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_projectionLTypeDifferentDim = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionWidthDifferentDim(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_projectionWidthDifferentDim = v;
    return TRUE;
}

BOOL DimensionSetting::SetDimTextColorDifferentDim(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_dimTextColorDifferentDim = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionColorNo(short v)
{
    if (!SettingValue::IsValidColorNo(v))
        return FALSE;
    m_projectionColorNo = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionLTypeNo(short v)
{
    if (!SettingValue::IsValidLineTypeNo(v))
        return FALSE;
    m_projectionLTypeNo = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionWidthNo(short v)
{
    if (!SettingValue::IsValidLineWidthNo(v))
        return FALSE;
    m_projectionWidthNo = v;
    return TRUE;
}

BOOL DimensionSetting::SetArrowPosition(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_arrowPosition = v;
    return TRUE;
}

BOOL DimensionSetting::SetArrowSize1(double v)
{
    if (!SettingValue::IsValidSize(v))
        return FALSE;
    m_arrowSize1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetArrowSize2(double v)
{
    if (!SettingValue::IsValidSize(v))
        return FALSE;
    m_arrowSize2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetArrowType1(int v)
{
    if (!SettingValue::IsValidIndex(v, kArrowTypeCount))
        return FALSE;
    m_arrowType1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetArrowType2(int v)
{
    if (!SettingValue::IsValidIndex(v, kArrowTypeCount))
        return FALSE;
    m_arrowType2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetOutsideLength1(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_outsideLength1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetOutsideLength2(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_outsideLength2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionExtension1(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_projectionExtension1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionExtension2(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_projectionExtension2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionOffsetOrLineLength1(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_projectionOffsetOrLineLength1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionOffsetOrLineLength2(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_projectionOffsetOrLineLength2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionShow1(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_projectionShow1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionShow2(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_projectionShow2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetProjectionLineMode(int v)
{
    if (!SettingValue::IsValidIndex(v, 2))
        return FALSE;
    m_projectionLineMode = v;
    return TRUE;
}

BOOL DimensionSetting::SetDimLineEnd1Drawn(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_dimLineEnd1Drawn = v;
    return TRUE;
}

BOOL DimensionSetting::SetDimLineEnd2Drawn(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_dimLineEnd2Drawn = v;
    return TRUE;
}

BOOL DimensionSetting::SetExtendedDimLine(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_extendedDimLine = v;
    return TRUE;
}

BOOL DimensionSetting::SetInsideDimLine(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_insideDimLine = v;
    return TRUE;
}

BOOL DimensionSetting::SetArcDimProjeLineRadialMode(int v)
{
    if (!SettingValue::IsValidIndex(v, 2))
        return FALSE;
    m_arcDimProjeLineRadialMode = v;
    return TRUE;
}

BOOL DimensionSetting::SetArcDiameterFlag(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_arcDiameterFlag = v;
    return TRUE;
}

BOOL DimensionSetting::SetDistance(double v)
{
    if (!SettingValue::InOpen(v, -1e15, 1e15))
        return FALSE;
    m_distance = v;
    return TRUE;
}

BOOL DimensionSetting::SetHorizonPos(int v)
{
    if (!SettingValue::IsValidIndex(v, kDimValuePosHorizonPosCount))
        return FALSE;
    m_horizonPos = v;
    return TRUE;
}

BOOL DimensionSetting::SetSeparateTextType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_separateTextType = v;
    return TRUE;
}

BOOL DimensionSetting::SetPosAngle(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_posAngle = v;
    return TRUE;
}

BOOL DimensionSetting::SetDimValuePosAngle(double v)
{
    if (!SettingValue::IsValidDirectionAngle(v))
        return FALSE;
    m_dimValuePosAngle = v;
    return TRUE;
}

BOOL DimensionSetting::SetDimTextFont(const TextSetting& v)
{
    if (!v.IsValidSetting())
        return FALSE;
    m_dimTextFont = v;
    return TRUE;
}

BOOL DimensionSetting::SetVerticalPos(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_verticalPos = v;
    return TRUE;
}

BOOL DimensionSetting::SetToFullWidth(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_toFullWidth = v;
    return TRUE;
}

BOOL DimensionSetting::SetZeroVisible(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_zeroVisible = v;
    return TRUE;
}

BOOL DimensionSetting::SetAddRPhi(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_addRPhi = v;
    return TRUE;
}

BOOL DimensionSetting::SetLengthUnitFormatType(int v)
{
    if (!SettingValue::IsValidIndex(v, 5))
        return FALSE;
    m_lengthUnitFormatType = v;
    return TRUE;
}

BOOL DimensionSetting::SetPrecision(short v)
{
    if (!SettingValue::IsValidIndex(v, 9))
        return FALSE;
    m_precision = v;
    return TRUE;
}

BOOL DimensionSetting::SetRound(double v)
{
    if (!SettingValue::IsValidDistance(v))
        return FALSE;
    m_round = v;
    return TRUE;
}

BOOL DimensionSetting::SetLengthDimValueScale(double v)
{
    if (!SettingValue::InOpen(v, 1e-100, 1e100))
        return FALSE;
    m_lengthDimValueScale = v;
    return TRUE;
}

BOOL DimensionSetting::SetAngleUnitFormatType(int v)
{
    if (!SettingValue::IsValidIndex(v, 4))
        return FALSE;
    m_angleUnitFormatType = v;
    return TRUE;
}

BOOL DimensionSetting::SetAnglePrecision(short v)
{
    if (!SettingValue::IsValidIndex(v, 9))
        return FALSE;
    m_anglePrecision = v;
    return TRUE;
}

BOOL DimensionSetting::SetArcDimTextOption(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_arcDimTextOption = v;
    return TRUE;
}

BOOL DimensionSetting::SetPreAdditionText(const CString& v)
{
    if (!(v.GetLength() <= 256))
        return FALSE;
    m_preAdditionText = v;
    return TRUE;
}

BOOL DimensionSetting::SetInsideAdditionText1(const CString& v)
{
    if (!(v.GetLength() <= 256))
        return FALSE;
    m_insideAdditionText1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetInsideAdditionText2(const CString& v)
{
    if (!(v.GetLength() <= 256))
        return FALSE;
    m_insideAdditionText2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetInsideAdditionTextType(int v)
{
    if (!SettingValue::IsValidIndex(v, 2))
        return FALSE;
    m_insideAdditionTextType = v;
    return TRUE;
}

BOOL DimensionSetting::SetInsideAdditionTextSizeRatio(double v)
{
    if (!SettingValue::InClosed(v, 0.25, 1.0))
        return FALSE;
    m_insideAdditionTextSizeRatio = v;
    return TRUE;
}

BOOL DimensionSetting::SetInsideAdditionTextVerticalArrangeType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_insideAdditionTextVerticalArrangeType = v;
    return TRUE;
}

BOOL DimensionSetting::SetInsideAdditionTextHorizonArrangeType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_insideAdditionTextHorizonArrangeType = v;
    return TRUE;
}

BOOL DimensionSetting::SetPostAdditionText1(const CString& v)
{
    if (!(v.GetLength() <= 256))
        return FALSE;
    m_postAdditionText1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetPostAdditionText2(const CString& v)
{
    if (!(v.GetLength() <= 256))
        return FALSE;
    m_postAdditionText2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetPostAdditionTextType(int v)
{
    if (!SettingValue::IsValidIndex(v, 2))
        return FALSE;
    m_postAdditionTextType = v;
    return TRUE;
}

BOOL DimensionSetting::SetPostAdditionTextSizeRatio(double v)
{
    if (!SettingValue::InClosed(v, 0.25, 1.0))
        return FALSE;
    m_postAdditionTextSizeRatio = v;
    return TRUE;
}

BOOL DimensionSetting::SetPostAdditionTextVerticalArrangeType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_postAdditionTextVerticalArrangeType = v;
    return TRUE;
}

BOOL DimensionSetting::SetPostAdditionTextHorizonArrangeType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_postAdditionTextHorizonArrangeType = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceType(int v)
{
    if (!SettingValue::IsValidIndex(v, kDimToleranceTypeCount))
        return FALSE;
    m_toleranceType = v;
    return TRUE;
}

BOOL DimensionSetting::SetTolerance1(double v)
{
    if (!SettingValue::InOpen(v, -1e15, 1e15))
        return FALSE;
    m_tolerance1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetTolerance2(double v)
{
    if (!SettingValue::InOpen(v, -1e15, 1e15))
        return FALSE;
    m_tolerance2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceAngle1(double v)
{
    if (!SettingValue::InOpen(v, -1e15, 1e15))
        return FALSE;
    m_toleranceAngle1 = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceAngle2(double v)
{
    if (!SettingValue::InOpen(v, -1e15, 1e15))
        return FALSE;
    m_toleranceAngle2 = v;
    return TRUE;
}

BOOL DimensionSetting::SetTolerancePrecision(short v)
{
    if (!SettingValue::IsValidIndex(v, 9))
        return FALSE;
    m_tolerancePrecision = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceAnglePrecision(short v)
{
    if (!SettingValue::IsValidIndex(v, 9))
        return FALSE;
    m_toleranceAnglePrecision = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceTextSizeRatio(double v)
{
    if (!SettingValue::InClosed(v, 0.25, 1.0))
        return FALSE;
    m_toleranceTextSizeRatio = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceHorizonTrueUpType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_toleranceHorizonTrueUpType = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceVerticalTrueUpType(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_toleranceVerticalTrueUpType = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceAddParenthesis(BYTE v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_toleranceAddParenthesis = v;
    return TRUE;
}

BOOL DimensionSetting::SetToleranceZeroVisible(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_toleranceZeroVisible = v;
    return TRUE;
}

BOOL DimensionSetting::SetVisibleDimValue(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_visibleDimValue = v;
    return TRUE;
}

BOOL DimensionSetting::SetAutoArrowPosition(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_autoArrowPosition = v;
    return TRUE;
}

BOOL DimensionSetting::SetNotSettledArrowPosMode(int v)
{
    if (!SettingValue::IsValidIndex(v, 3))
        return FALSE;
    m_notSettledArrowPosMode = v;
    return TRUE;
}

BOOL DimensionSetting::SetAutoHorizonPos(int v)
{
    if (!SettingValue::IsValidFlag(v))
        return FALSE;
    m_autoHorizonPos = v;
    return TRUE;
}

BOOL DimensionSetting::IsValidSetting() const
{
    return SettingValue::IsValidColorNo(m_colorNo) &&
           SettingValue::IsValidLineTypeNo(m_lineTypeNo) &&
           SettingValue::IsValidLineWidthNo(m_lineWidthNo) &&
           SettingValue::IsValidFlag(m_projectionColorDifferentDim) &&
           SettingValue::IsValidFlag(m_projectionLTypeDifferentDim) &&
           SettingValue::IsValidFlag(m_projectionWidthDifferentDim) &&
           SettingValue::IsValidFlag(m_dimTextColorDifferentDim) &&
           SettingValue::IsValidColorNo(m_projectionColorNo) &&
           SettingValue::IsValidLineTypeNo(m_projectionLTypeNo) &&
           SettingValue::IsValidLineWidthNo(m_projectionWidthNo) &&
           SettingValue::IsValidIndex(m_arrowPosition, 3) &&
           SettingValue::IsValidSize(m_arrowSize1) &&
           SettingValue::IsValidSize(m_arrowSize2) &&
           SettingValue::IsValidIndex(m_arrowType1, kArrowTypeCount) &&
           SettingValue::IsValidIndex(m_arrowType2, kArrowTypeCount) &&
           SettingValue::IsValidDistance(m_outsideLength1) &&
           SettingValue::IsValidDistance(m_outsideLength2) &&
           SettingValue::IsValidDistance(m_projectionExtension1) &&
           SettingValue::IsValidDistance(m_projectionExtension2) &&
           SettingValue::IsValidDistance(m_projectionOffsetOrLineLength1) &&
           SettingValue::IsValidDistance(m_projectionOffsetOrLineLength2) &&
           SettingValue::IsValidFlag(m_projectionShow1) &&
           SettingValue::IsValidFlag(m_projectionShow2) &&
           SettingValue::IsValidIndex(m_projectionLineMode, 2) &&
           SettingValue::IsValidFlag(m_dimLineEnd1Drawn) &&
           SettingValue::IsValidFlag(m_dimLineEnd2Drawn) &&
           SettingValue::IsValidFlag(m_extendedDimLine) &&
           SettingValue::IsValidFlag(m_insideDimLine) &&
           SettingValue::IsValidIndex(m_arcDimProjeLineRadialMode, 2) &&
           SettingValue::IsValidFlag(m_arcDiameterFlag) &&
           SettingValue::InOpen(m_distance, -1e15, 1e15) &&
           SettingValue::IsValidIndex(m_horizonPos, kDimValuePosHorizonPosCount) &&
           SettingValue::IsValidIndex(m_separateTextType, 3) &&
           SettingValue::IsValidIndex(m_posAngle, 3) &&
           SettingValue::IsValidDirectionAngle(m_dimValuePosAngle) &&
           m_dimTextFont.IsValidSetting() &&
           SettingValue::IsValidIndex(m_verticalPos, 3) &&
           SettingValue::IsValidFlag(m_toFullWidth) &&
           SettingValue::IsValidFlag(m_zeroVisible) &&
           SettingValue::IsValidFlag(m_addRPhi) &&
           SettingValue::IsValidIndex(m_lengthUnitFormatType, 5) &&
           SettingValue::IsValidIndex(m_precision, 9) &&
           SettingValue::IsValidDistance(m_round) &&
           SettingValue::InOpen(m_lengthDimValueScale, 1e-100, 1e100) &&
           SettingValue::IsValidIndex(m_angleUnitFormatType, 4) &&
           SettingValue::IsValidIndex(m_anglePrecision, 9) &&
           SettingValue::IsValidIndex(m_arcDimTextOption, 3) &&
           m_preAdditionText.GetLength() <= 256 &&
           m_insideAdditionText1.GetLength() <= 256 &&
           m_insideAdditionText2.GetLength() <= 256 &&
           SettingValue::IsValidIndex(m_insideAdditionTextType, 2) &&
           SettingValue::InClosed(m_insideAdditionTextSizeRatio, 0.25, 1.0) &&
           SettingValue::IsValidIndex(m_insideAdditionTextVerticalArrangeType, 3) &&
           SettingValue::IsValidIndex(m_insideAdditionTextHorizonArrangeType, 3) &&
           m_postAdditionText1.GetLength() <= 256 &&
           m_postAdditionText2.GetLength() <= 256 &&
           SettingValue::IsValidIndex(m_postAdditionTextType, 2) &&
           SettingValue::InClosed(m_postAdditionTextSizeRatio, 0.25, 1.0) &&
           SettingValue::IsValidIndex(m_postAdditionTextVerticalArrangeType, 3) &&
           SettingValue::IsValidIndex(m_postAdditionTextHorizonArrangeType, 3) &&
           SettingValue::IsValidIndex(m_toleranceType, kDimToleranceTypeCount) &&
           SettingValue::InOpen(m_tolerance1, -1e15, 1e15) &&
           SettingValue::InOpen(m_tolerance2, -1e15, 1e15) &&
           SettingValue::InOpen(m_toleranceAngle1, -1e15, 1e15) &&
           SettingValue::InOpen(m_toleranceAngle2, -1e15, 1e15) &&
           SettingValue::IsValidIndex(m_tolerancePrecision, 9) &&
           SettingValue::IsValidIndex(m_toleranceAnglePrecision, 9) &&
           SettingValue::InClosed(m_toleranceTextSizeRatio, 0.25, 1.0) &&
           SettingValue::IsValidIndex(m_toleranceHorizonTrueUpType, 3) &&
           SettingValue::IsValidIndex(m_toleranceVerticalTrueUpType, 3) &&
           SettingValue::IsValidFlag(m_toleranceAddParenthesis) &&
           SettingValue::IsValidFlag(m_toleranceZeroVisible) &&
           SettingValue::IsValidFlag(m_visibleDimValue) &&
           SettingValue::IsValidFlag(m_autoArrowPosition) &&
           SettingValue::IsValidIndex(m_notSettledArrowPosMode, 3) &&
           SettingValue::IsValidFlag(m_autoHorizonPos) ? TRUE : FALSE;
}

bool DimensionSetting::operator==(const DimensionSetting& other) const
{
    return vevure_detail::SettingFieldOps<DimensionSetting>::Equal(*this, other);
}

DimensionSetting& DimensionSetting::operator|=(const DimensionSetting& other)
{
    vevure_detail::SettingFieldOps<DimensionSetting>::Defined(*this, other);
    return *this;
}


BOOL DimensionSetting::ScaleSize(double factor)
{
    DimensionSetting scaled(*this);
    double* lengths[] = {&scaled.m_arrowSize1, &scaled.m_arrowSize2, &scaled.m_outsideLength1,
                         &scaled.m_outsideLength2, &scaled.m_projectionExtension1, &scaled.m_projectionExtension2,
                         &scaled.m_projectionOffsetOrLineLength1, &scaled.m_projectionOffsetOrLineLength2,
                         &scaled.m_distance};
    for (double* length : lengths) {
        if (!SettingValue::ScaleLength(*length, factor))
            return FALSE;
    }
    if (!scaled.m_dimTextFont.ScaleSize(factor) || !scaled.IsValidSetting())
        return FALSE;
    *this = scaled;
    return TRUE;
}
