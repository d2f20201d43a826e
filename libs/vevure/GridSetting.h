#pragma once
// The grid of one drawing: whether it shows, its two colours, how it is drawn (GridDrawType), its
// origin, steps along two directions given by their angles (degrees, each in (-90, 90)), the number of
// steps between the stronger lines (2-100) and the range it covers when it does not fill the window.

#include "libs/ruva/RuVaPnt2d.h"
#include "platform/afx/AfxTypes.h"

class CArchive;

class GridSetting
{
public:
    static constexpr int kSchema = 1;

    GridSetting();
    GridSetting(const GridSetting& src) = default;
    GridSetting& operator=(const GridSetting& src) = default;
    virtual ~GridSetting();

    BOOL IsShowGrid() const { return m_show; }
    void ShowGrid(BOOL show) { m_show = show ? TRUE : FALSE; }

    COLORREF GetColorRef1() const { return m_colorRef1; }
    COLORREF GetColorRef2() const { return m_colorRef2; }
    void SetColorRef1(COLORREF rgb) { m_colorRef1 = rgb & 0x00FFFFFF; }
    void SetColorRef2(COLORREF rgb) { m_colorRef2 = rgb & 0x00FFFFFF; }

    // The count is 2-100, the draw type 0-2; other values are refused with FALSE.
    short GetNGridCount() const { return m_gridCount; }
    BOOL SetNGridCount(short count);
    int GetType() const { return m_type; }
    BOOL SetType(int type);

    const RuVaPnt2d& GetOrigin() const { return m_origin; }
    void GetOrigin(double& x, double& y) const { x = m_origin.X(); y = m_origin.Y(); }
    // Refuses points that are not finite.
    BOOL SetOrigin(const RuVaPnt2d& origin);
    BOOL SetOrigin(double x, double y) { return SetOrigin(RuVaPnt2d(x, y)); }

    // Steps 0 < step < 1e15.
    void GetStep(double& x, double& y) const { x = m_stepX; y = m_stepY; }
    BOOL SetStep(double x, double y);
    // The directions of the two grid families, degrees, each -90 < angle < 90.
    void GetAngle(double& angle1, double& angle2) const { angle1 = m_angle1; angle2 = m_angle2; }
    BOOL SetAngle(double angle1, double angle2);

    // TRUE: the grid fills the whole window; FALSE: it covers the range from min to max point.
    BOOL GetGridAllWindow() const { return m_allWindow; }
    void SetGridAllWindow(BOOL all) { m_allWindow = all ? TRUE : FALSE; }
    const RuVaPnt2d& GetMinGridPnt() const { return m_minPoint; }
    const RuVaPnt2d& GetMaxGridPnt() const { return m_maxPoint; }
    BOOL SetMinGridPnt(const RuVaPnt2d& p);
    BOOL SetMaxGridPnt(const RuVaPnt2d& p);

    bool operator==(const GridSetting& other) const;
    bool operator!=(const GridSetting& other) const { return !(*this == other); }

    // Every value within its rule.
    BOOL IsValidSetting() const;
    // Stores a schema word and the values; a loaded setting must pass IsValidSetting, else
    // CArchiveException and this setting stays unchanged.
    void Serialize(CArchive& ar);

private:
    BOOL m_show = FALSE;
    COLORREF m_colorRef1 = 0x00C0C0C0;
    COLORREF m_colorRef2 = 0x00808080;
    short m_gridCount = 5;
    int m_type = 0;
    RuVaPnt2d m_origin;
    double m_stepX = 10.0;
    double m_stepY = 10.0;
    double m_angle1 = 0.0;
    double m_angle2 = 0.0;
    BOOL m_allWindow = TRUE;
    RuVaPnt2d m_minPoint;
    RuVaPnt2d m_maxPoint{100.0, 100.0};
};
