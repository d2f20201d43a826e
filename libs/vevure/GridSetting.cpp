#include "libs/vevure/GridSetting.h"

#include <cmath>

#include "libs/vevure/VeVureEnums.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"

namespace {

bool IsValidStep(double v) { return v > 0.0 && v < 1e15; }
bool IsValidAngle(double v) { return v > -90.0 && v < 90.0; }
bool IsFinitePoint(const RuVaPnt2d& p) { return std::isfinite(p.X()) && std::isfinite(p.Y()); }

}  // namespace

GridSetting::GridSetting() = default;
GridSetting::~GridSetting() = default;

BOOL GridSetting::SetNGridCount(short count)
{
    if (count < 2 || count > 100)
        return FALSE;
    m_gridCount = count;
    return TRUE;
}

BOOL GridSetting::SetType(int type)
{
    if (type < GridDrawDots || type > GridDrawCrosses)
        return FALSE;
    m_type = type;
    return TRUE;
}

BOOL GridSetting::SetOrigin(const RuVaPnt2d& origin)
{
    if (!IsFinitePoint(origin))
        return FALSE;
    m_origin = origin;
    return TRUE;
}

BOOL GridSetting::SetStep(double x, double y)
{
    if (!IsValidStep(x) || !IsValidStep(y))
        return FALSE;
    m_stepX = x;
    m_stepY = y;
    return TRUE;
}

BOOL GridSetting::SetAngle(double angle1, double angle2)
{
    if (!IsValidAngle(angle1) || !IsValidAngle(angle2))
        return FALSE;
    m_angle1 = angle1;
    m_angle2 = angle2;
    return TRUE;
}

BOOL GridSetting::SetMinGridPnt(const RuVaPnt2d& p)
{
    if (!IsFinitePoint(p))
        return FALSE;
    m_minPoint = p;
    return TRUE;
}

BOOL GridSetting::SetMaxGridPnt(const RuVaPnt2d& p)
{
    if (!IsFinitePoint(p))
        return FALSE;
    m_maxPoint = p;
    return TRUE;
}

bool GridSetting::operator==(const GridSetting& o) const
{
    return m_show == o.m_show && m_colorRef1 == o.m_colorRef1 && m_colorRef2 == o.m_colorRef2 &&
           m_gridCount == o.m_gridCount && m_type == o.m_type && m_origin == o.m_origin && m_stepX == o.m_stepX &&
           m_stepY == o.m_stepY && m_angle1 == o.m_angle1 && m_angle2 == o.m_angle2 &&
           m_allWindow == o.m_allWindow && m_minPoint == o.m_minPoint && m_maxPoint == o.m_maxPoint;
}

BOOL GridSetting::IsValidSetting() const
{
    return (m_show == FALSE || m_show == TRUE) && (m_allWindow == FALSE || m_allWindow == TRUE) &&
                   (m_colorRef1 & 0xFF000000) == 0 && (m_colorRef2 & 0xFF000000) == 0 && m_gridCount >= 2 &&
                   m_gridCount <= 100 && m_type >= GridDrawDots && m_type <= GridDrawCrosses &&
                   IsFinitePoint(m_origin) && IsValidStep(m_stepX) && IsValidStep(m_stepY) &&
                   IsValidAngle(m_angle1) && IsValidAngle(m_angle2) && IsFinitePoint(m_minPoint) &&
                   IsFinitePoint(m_maxPoint)
               ? TRUE
               : FALSE;
}

void GridSetting::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(kSchema);
        ar << static_cast<int>(m_show) << static_cast<DWORD>(m_colorRef1) << static_cast<DWORD>(m_colorRef2)
           << m_gridCount << m_type << m_origin << m_stepX << m_stepY << m_angle1 << m_angle2
           << static_cast<int>(m_allWindow) << m_minPoint << m_maxPoint;
        return;
    }
    WORD schema = 0;
    ar >> schema;
    if (schema == 0 || schema > kSchema)
        ar.ThrowArchiveException(CArchiveException::badSchema);
    GridSetting loaded;
    int show = 0;
    int allWindow = 0;
    DWORD rgb1 = 0;
    DWORD rgb2 = 0;
    ar >> show >> rgb1 >> rgb2 >> loaded.m_gridCount >> loaded.m_type >> loaded.m_origin >> loaded.m_stepX >>
        loaded.m_stepY >> loaded.m_angle1 >> loaded.m_angle2 >> allWindow >> loaded.m_minPoint >> loaded.m_maxPoint;
    loaded.m_show = show;
    loaded.m_allWindow = allWindow;
    loaded.m_colorRef1 = rgb1;
    loaded.m_colorRef2 = rgb2;
    if (!loaded.IsValidSetting())
        ar.ThrowArchiveException(CArchiveException::genericException);
    *this = loaded;
}
