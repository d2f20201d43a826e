#include "libs/conv/ACadConvSetting.h"

#include <cmath>

namespace {

constexpr double kDefaultWidths[ACadConvSetting::kDefaultLineWidthCount] = {0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0};

bool InRange(double v, double lo, double hi)
{
    return std::isfinite(v) && v >= lo && v <= hi;
}

}  // namespace

ACadConvSetting::ACadConvSetting()
    : m_dDefLineWidth(0.25),
      m_nWhiteIsChagedQZBlack(1),
      m_nResolveDimensionRead(0),
      m_nResolveLeader(0),
      m_nConvWPolylineToHatch(0),
      m_nAdjustmentTextHightRead(0),
      m_nAdjustmentTextHightFacterAutoRead(1),
      m_dTextHiFacterRead(1.0),
      m_nResolveMtext(0),
      m_nHatchTransparency(0),
      m_nBlockNameWithFileName(0),
      m_nModelSpaceOnlyRead(0),
      m_nPaperType(3),
      m_nPaperOrientType(0),
      m_dPaperSizeX(420.0),
      m_dPaperSizeY(297.0),
      m_nAutoScale(1),
      m_dScaleNumerator(1.0),
      m_dScaleDenominator(1.0),
      m_nPartLayoutOrgPointType(0),
      m_dPaperMarginX(10.0),
      m_dPaperMarginY(10.0),
      m_nQZDrawingSaveType(0),
      m_nDwgSaveVer(0),
      m_nQZBlackIsChagedWhite(1),
      m_nResolveDimensionWrite(0),
      m_nUseMsGothicForHorizonText(0),
      m_nAdjustmentTextHightWrite(0),
      m_nAdjustmentTextHightFacterAutoWrite(1),
      m_dTextHiFacterWrite(1.0),
      m_nImageFileType(20)
{
}

ACadConvSetting::ACadConvSetting(const ACadConvSetting& other)
{
    CopyFrom(other);
}

ACadConvSetting& ACadConvSetting::operator=(const ACadConvSetting& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

void ACadConvSetting::CopyFrom(const ACadConvSetting& o)
{
    m_dDefLineWidth = o.m_dDefLineWidth;
    m_nWhiteIsChagedQZBlack = o.m_nWhiteIsChagedQZBlack;
    m_nResolveDimensionRead = o.m_nResolveDimensionRead;
    m_nResolveLeader = o.m_nResolveLeader;
    m_nConvWPolylineToHatch = o.m_nConvWPolylineToHatch;
    m_nAdjustmentTextHightRead = o.m_nAdjustmentTextHightRead;
    m_nAdjustmentTextHightFacterAutoRead = o.m_nAdjustmentTextHightFacterAutoRead;
    m_dTextHiFacterRead = o.m_dTextHiFacterRead;
    m_nResolveMtext = o.m_nResolveMtext;
    m_nHatchTransparency = o.m_nHatchTransparency;
    m_nBlockNameWithFileName = o.m_nBlockNameWithFileName;
    m_nModelSpaceOnlyRead = o.m_nModelSpaceOnlyRead;
    m_nPaperType = o.m_nPaperType;
    m_nPaperOrientType = o.m_nPaperOrientType;
    m_dPaperSizeX = o.m_dPaperSizeX;
    m_dPaperSizeY = o.m_dPaperSizeY;
    m_nAutoScale = o.m_nAutoScale;
    m_dScaleNumerator = o.m_dScaleNumerator;
    m_dScaleDenominator = o.m_dScaleDenominator;
    m_nPartLayoutOrgPointType = o.m_nPartLayoutOrgPointType;
    m_dPaperMarginX = o.m_dPaperMarginX;
    m_dPaperMarginY = o.m_dPaperMarginY;
    m_nQZDrawingSaveType = o.m_nQZDrawingSaveType;
    m_nDwgSaveVer = o.m_nDwgSaveVer;
    m_nQZBlackIsChagedWhite = o.m_nQZBlackIsChagedWhite;
    m_nResolveDimensionWrite = o.m_nResolveDimensionWrite;
    m_nUseMsGothicForHorizonText = o.m_nUseMsGothicForHorizonText;
    m_nAdjustmentTextHightWrite = o.m_nAdjustmentTextHightWrite;
    m_nAdjustmentTextHightFacterAutoWrite = o.m_nAdjustmentTextHightFacterAutoWrite;
    m_dTextHiFacterWrite = o.m_dTextHiFacterWrite;
    m_nImageFileType = o.m_nImageFileType;
    m_strSubstituteFont = o.m_strSubstituteFont;
    m_strActiveDrawing = o.m_strActiveDrawing;
    m_drawingNames.RemoveAll();
    for (INT_PTR i = 0; i < o.m_drawingNames.GetSize(); ++i)
        m_drawingNames.Add(o.m_drawingNames[i]);
}

double ACadConvSetting::ConvertDefaultLineWidth(int nNo)
{
    if (nNo < 1 || nNo > kDefaultLineWidthCount)
        return kDefaultWidths[2];
    return kDefaultWidths[nNo - 1];
}

int ACadConvSetting::ConvertDefaultLineWidthNo(double dWidth)
{
    int best = 1;
    for (int i = 1; i < kDefaultLineWidthCount; ++i)
        if (std::fabs(kDefaultWidths[i] - dWidth) < std::fabs(kDefaultWidths[best - 1] - dWidth))
            best = i + 1;
    return best;
}

void ACadConvSetting::InitDxfToKcOptions()
{
    m_strActiveDrawing.Empty();
    m_drawingNames.RemoveAll();
}

void ACadConvSetting::GetDrawingFeatureNameArray(CStringArray& names) const
{
    names.RemoveAll();
    for (INT_PTR i = 0; i < m_drawingNames.GetSize(); ++i)
        names.Add(m_drawingNames[i]);
}

BOOL ACadConvSetting::Normalize()
{
    const ACadConvSetting d;
    BOOL changed = FALSE;
    auto flag = [&changed](int& v, int def) {
        if (v != 0 && v != 1) {
            v = def;
            changed = TRUE;
        }
    };
    auto range = [&changed](auto& v, auto def, double lo, double hi) {
        if (!InRange(static_cast<double>(v), lo, hi)) {
            v = def;
            changed = TRUE;
        }
    };
    range(m_dDefLineWidth, d.m_dDefLineWidth, 0.0, 100.0);
    flag(m_nWhiteIsChagedQZBlack, d.m_nWhiteIsChagedQZBlack);
    flag(m_nResolveDimensionRead, d.m_nResolveDimensionRead);
    flag(m_nResolveLeader, d.m_nResolveLeader);
    flag(m_nConvWPolylineToHatch, d.m_nConvWPolylineToHatch);
    flag(m_nAdjustmentTextHightRead, d.m_nAdjustmentTextHightRead);
    flag(m_nAdjustmentTextHightFacterAutoRead, d.m_nAdjustmentTextHightFacterAutoRead);
    range(m_dTextHiFacterRead, d.m_dTextHiFacterRead, 0.5, 2.0);
    flag(m_nResolveMtext, d.m_nResolveMtext);
    range(m_nHatchTransparency, d.m_nHatchTransparency, 0, 100);
    flag(m_nBlockNameWithFileName, d.m_nBlockNameWithFileName);
    flag(m_nModelSpaceOnlyRead, d.m_nModelSpaceOnlyRead);
    range(m_nPaperType, d.m_nPaperType, 0, 5);
    flag(m_nPaperOrientType, d.m_nPaperOrientType);
    range(m_dPaperSizeX, d.m_dPaperSizeX, 1.0, 1e15);
    range(m_dPaperSizeY, d.m_dPaperSizeY, 1.0, 1e15);
    flag(m_nAutoScale, d.m_nAutoScale);
    range(m_dScaleNumerator, d.m_dScaleNumerator, 1.0, 1e15);
    range(m_dScaleDenominator, d.m_dScaleDenominator, 1.0, 1e15);
    range(m_nPartLayoutOrgPointType, d.m_nPartLayoutOrgPointType, 0, 8);
    range(m_dPaperMarginX, d.m_dPaperMarginX, 0.0, 50.0);
    range(m_dPaperMarginY, d.m_dPaperMarginY, 0.0, 50.0);
    range(m_nQZDrawingSaveType, d.m_nQZDrawingSaveType, 0, 1);
    range(m_nDwgSaveVer, d.m_nDwgSaveVer, 0, 16);
    flag(m_nQZBlackIsChagedWhite, d.m_nQZBlackIsChagedWhite);
    flag(m_nResolveDimensionWrite, d.m_nResolveDimensionWrite);
    flag(m_nUseMsGothicForHorizonText, d.m_nUseMsGothicForHorizonText);
    flag(m_nAdjustmentTextHightWrite, d.m_nAdjustmentTextHightWrite);
    flag(m_nAdjustmentTextHightFacterAutoWrite, d.m_nAdjustmentTextHightFacterAutoWrite);
    range(m_dTextHiFacterWrite, d.m_dTextHiFacterWrite, 0.5, 2.0);
    if (m_nImageFileType < 20 || m_nImageFileType > 23) {
        m_nImageFileType = d.m_nImageFileType;
        changed = TRUE;
    }
    return changed;
}

bool ACadConvSetting::operator==(const ACadConvSetting& o) const
{
    return m_dDefLineWidth == o.m_dDefLineWidth && m_nWhiteIsChagedQZBlack == o.m_nWhiteIsChagedQZBlack &&
           m_nResolveDimensionRead == o.m_nResolveDimensionRead && m_nResolveLeader == o.m_nResolveLeader &&
           m_nConvWPolylineToHatch == o.m_nConvWPolylineToHatch &&
           m_nAdjustmentTextHightRead == o.m_nAdjustmentTextHightRead &&
           m_nAdjustmentTextHightFacterAutoRead == o.m_nAdjustmentTextHightFacterAutoRead &&
           m_dTextHiFacterRead == o.m_dTextHiFacterRead && m_nResolveMtext == o.m_nResolveMtext &&
           m_nHatchTransparency == o.m_nHatchTransparency && m_nBlockNameWithFileName == o.m_nBlockNameWithFileName &&
           m_nModelSpaceOnlyRead == o.m_nModelSpaceOnlyRead && m_nPaperType == o.m_nPaperType &&
           m_nPaperOrientType == o.m_nPaperOrientType && m_dPaperSizeX == o.m_dPaperSizeX &&
           m_dPaperSizeY == o.m_dPaperSizeY && m_nAutoScale == o.m_nAutoScale &&
           m_dScaleNumerator == o.m_dScaleNumerator && m_dScaleDenominator == o.m_dScaleDenominator &&
           m_nPartLayoutOrgPointType == o.m_nPartLayoutOrgPointType && m_dPaperMarginX == o.m_dPaperMarginX &&
           m_dPaperMarginY == o.m_dPaperMarginY && m_nQZDrawingSaveType == o.m_nQZDrawingSaveType &&
           m_nDwgSaveVer == o.m_nDwgSaveVer && m_nQZBlackIsChagedWhite == o.m_nQZBlackIsChagedWhite &&
           m_nResolveDimensionWrite == o.m_nResolveDimensionWrite &&
           m_nUseMsGothicForHorizonText == o.m_nUseMsGothicForHorizonText &&
           m_nAdjustmentTextHightWrite == o.m_nAdjustmentTextHightWrite &&
           m_nAdjustmentTextHightFacterAutoWrite == o.m_nAdjustmentTextHightFacterAutoWrite &&
           m_dTextHiFacterWrite == o.m_dTextHiFacterWrite && m_nImageFileType == o.m_nImageFileType &&
           m_strSubstituteFont == o.m_strSubstituteFont;
}
