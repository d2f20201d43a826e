#pragma once
// The options of the DXF/DWG converter (reading and writing) and what the last reading tells its caller:
// the names of the drawings it made in the file's order and the one the file had active.
//
// Reading options: "DefLineWidth" is the width in mm that a line weight of "default" takes; the paper and
// scale values lay the model space out when only the model space is read. Out-of-range values are put
// back to their defaults by Normalize (stored settings are not trusted).

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringArray.h"

class ACadConvSetting
{
public:
    ACadConvSetting();
    ACadConvSetting(const ACadConvSetting& other);
    ACadConvSetting& operator=(const ACadConvSetting& other);

    // The widths of the default-width list (1-based numbers), and back: the nearest list entry of a width.
    static constexpr int kDefaultLineWidthCount = 7;
    static double ConvertDefaultLineWidth(int nNo);
    static int ConvertDefaultLineWidthNo(double dWidth);

    // Clears what the last reading reported; called before every reading.
    void InitDxfToKcOptions();
    CString GetActiveDrawingFeatureName() const { return m_strActiveDrawing; }
    void GetDrawingFeatureNameArray(CStringArray& names) const;
    // Filled by the reader.
    void SetActiveDrawingFeatureName(const CString& strName) { m_strActiveDrawing = strName; }
    void AddDrawingFeatureName(const CString& strName) { m_drawingNames.Add(strName); }

    // The font that texts in shape fonts (SHX) take.
    CString GetSubstituteFontName() const { return m_strSubstituteFont; }
    void SetSubstituteFontName(const CString& strName) { m_strSubstituteFont = strName; }

    // Puts every value outside its range back to its default; TRUE when something was changed.
    BOOL Normalize();
    bool operator==(const ACadConvSetting& other) const;

    // Reading ("DwgLoad").
    double m_dDefLineWidth;
    int m_nWhiteIsChagedQZBlack;
    int m_nResolveDimensionRead;
    int m_nResolveLeader;
    int m_nConvWPolylineToHatch;
    int m_nAdjustmentTextHightRead;
    int m_nAdjustmentTextHightFacterAutoRead;
    double m_dTextHiFacterRead;
    int m_nResolveMtext;
    int m_nHatchTransparency;
    int m_nBlockNameWithFileName;
    int m_nModelSpaceOnlyRead;
    int m_nPaperType;
    int m_nPaperOrientType;
    double m_dPaperSizeX;
    double m_dPaperSizeY;
    int m_nAutoScale;
    double m_dScaleNumerator;
    double m_dScaleDenominator;
    int m_nPartLayoutOrgPointType;
    double m_dPaperMarginX;
    double m_dPaperMarginY;

    // Writing ("DwgSave"); nothing in this program writes DWG yet, the values are kept for the sheet.
    int m_nQZDrawingSaveType;
    int m_nDwgSaveVer;
    int m_nQZBlackIsChagedWhite;
    int m_nResolveDimensionWrite;
    int m_nUseMsGothicForHorizonText;
    int m_nAdjustmentTextHightWrite;
    int m_nAdjustmentTextHightFacterAutoWrite;
    double m_dTextHiFacterWrite;
    int m_nImageFileType;

private:
    void CopyFrom(const ACadConvSetting& other);

    CString m_strSubstituteFont;
    CString m_strActiveDrawing;
    CStringArray m_drawingNames;
};
