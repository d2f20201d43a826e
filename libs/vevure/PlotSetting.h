#pragma once
// How a drawing is printed: the paper and its orientation, where the image lies on it, its scale, which
// part of the drawing prints and how colours, line widths and point markers come out. The document keeps
// one (Draw2dDocument::GetPlotSetting) and saves it with the drawing; the printing library reads it.
//
// Values:
//   paper type     a printer paper number (DMPAPER_*, 9 = A4)
//   orient type    0 portrait, 1 landscape
//   offset         millimetres on the sheet, X to the right and Y up, each within +-kMaxOffset
//   scale mode     0 fit the range into the printable area, 1 print at the scale
//   scale          a ratio (1.0 = 100 %), above 0 and at most kMaxScale
//   range mode     0 the paper's sheet (paper drawings only), 1 the extents of the printable shapes,
//                  2 the drawing's print range
//   colour mode    0 as drawn, 1 every colour black
//   line widths and point markers printable, each TRUE or FALSE

#include "platform/afx/AfxTypes.h"

class CArchive;
class Draw2dDocument;
class DrawingFeatureBase;
class RuVaBndBox2d;

class PlotSetting
{
public:
    static constexpr int kSchema = 1;
    static constexpr double kMaxOffset = 10000.0;  // mm
    static constexpr double kMaxScale = 100.0;     // 10,000 %

    enum { orientPortrait = 0, orientLandscape = 1 };
    enum { scaleFit = 0, scaleRatio = 1 };
    enum { rangePaper = 0, rangeExtents = 1, rangePrintRange = 2 };
    enum { colorAsDrawn = 0, colorBlack = 1 };

    bool operator==(const PlotSetting& o) const = default;

    short GetPaperType() const { return m_nPaperType; }
    BOOL SetPaperType(short nPaper);  // a positive paper number
    int GetOrientType() const { return m_nOrientType; }
    BOOL SetOrientType(int nOrient);
    void GetOffset(double& dX, double& dY) const { dX = m_dOffsetX, dY = m_dOffsetY; }
    double GetOffsetX() const { return m_dOffsetX; }
    double GetOffsetY() const { return m_dOffsetY; }
    BOOL SetOffset(double dX, double dY);
    int GetScaleMode() const { return m_nScaleMode; }
    BOOL SetScaleMode(int nMode);
    double GetScale() const { return m_dScale; }
    BOOL SetScale(double dScale);
    int GetRangeMode() const { return m_nRangeMode; }
    BOOL SetRangeMode(int nMode);
    int GetConvertColorMode() const { return m_nColorMode; }
    BOOL SetConvertColorMode(int nMode);
    BOOL IsLineWidthPrintable() const { return m_bLineWidth; }
    void SetLineWidthPrintable(BOOL b) { m_bLineWidth = b ? TRUE : FALSE; }
    BOOL IsPointMarkerPrintable() const { return m_bPointMarker; }
    void SetPointMarkerPrintable(BOOL b) { m_bPointMarker = b ? TRUE : FALSE; }

    // The part of the drawing that prints, in its coordinates: range 0 the sheet of a paper drawing (a part
    // drawing takes range 1), 1 the extents of the shapes of printable layers (with the part layouts of a
    // paper), 2 the drawing's print range (1 when it has none). FALSE, and a void box, when nothing is there.
    BOOL GetPlotRange(const Draw2dDocument& doc, const DrawingFeatureBase& drawing, RuVaBndBox2d& box) const;
    // The range mode that applies to the drawing (0 only for paper drawings, 2 only with a print range).
    int GetEffectiveRangeMode(const DrawingFeatureBase& drawing) const;

    BOOL IsValid() const;
    static BOOL IsValidOffset(double d);
    static BOOL IsValidScale(double d);

    // A stored setting whose values are out of range reads as the default one (the drawing still opens);
    // a damaged archive throws as usual.
    void Serialize(CArchive& ar);

private:
    short m_nPaperType = 9;  // A4
    int m_nOrientType = orientLandscape;
    double m_dOffsetX = 0.0;
    double m_dOffsetY = 0.0;
    int m_nScaleMode = scaleFit;
    double m_dScale = 1.0;
    int m_nRangeMode = rangeExtents;
    int m_nColorMode = colorAsDrawn;
    BOOL m_bLineWidth = TRUE;
    BOOL m_bPointMarker = TRUE;
};
