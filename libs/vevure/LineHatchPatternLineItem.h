#pragma once
// One family of parallel lines of a line hatch pattern: the lines run through an origin point at an
// angle (degrees, 0-360) and repeat at a spacing (0 <= spacing < 1e15; 0 draws one line), drawn with a
// colour, line-type and line-width number (0 = the layer's).

#include "libs/ruva/RuVaPnt2d.h"
#include "platform/afx/AfxTypes.h"

class CArchive;

class LineHatchPatternLineItem
{
public:
    LineHatchPatternLineItem() = default;

    const RuVaPnt2d& GetPoint() const { return m_point; }
    double GetAngle() const { return m_angle; }
    double GetSpace() const { return m_space; }
    short GetColorNo() const { return m_colorNo; }
    short GetLineTypeNo() const { return m_lineTypeNo; }
    short GetLineWidthNo() const { return m_lineWidthNo; }

    // Each setter refuses a value outside its rule with FALSE: coordinates within (-1e15, 1e15),
    // colour 0-256 or -1, line type 0-32766, line width 0-15.
    BOOL SetPoint(const RuVaPnt2d& point);
    BOOL SetAngle(double angle);
    BOOL SetSpace(double space);
    BOOL SetColorNo(short no);
    BOOL SetLineTypeNo(short no);
    BOOL SetLineWidthNo(short no);

    BOOL IsValidItem() const;

    bool operator==(const LineHatchPatternLineItem& o) const;
    bool operator!=(const LineHatchPatternLineItem& o) const { return !(*this == o); }

    // Loading keeps the loaded values even when they break a rule; callers test IsValidItem.
    void Serialize(CArchive& ar);

private:
    RuVaPnt2d m_point;
    double m_angle = 45.0;
    double m_space = 2.5;
    short m_colorNo = 0;
    short m_lineTypeNo = 0;
    short m_lineWidthNo = 0;
};
