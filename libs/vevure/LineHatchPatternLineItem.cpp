#include "libs/vevure/LineHatchPatternLineItem.h"

#include "platform/afx/CArchive.h"

namespace {

bool IsValidCoordinate(double v) { return v > -1e15 && v < 1e15; }
bool IsValidAngle(double v) { return v >= 0.0 && v <= 360.0; }
bool IsValidSpace(double v) { return v >= 0.0 && v < 1e15; }
bool IsValidColorNo(short no) { return no >= -1 && no <= 256; }
bool IsValidLineTypeNo(short no) { return no >= 0 && no <= 32766; }
bool IsValidLineWidthNo(short no) { return no >= 0 && no <= 15; }

}  // namespace

BOOL LineHatchPatternLineItem::SetPoint(const RuVaPnt2d& point)
{
    if (!IsValidCoordinate(point.X()) || !IsValidCoordinate(point.Y()))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL LineHatchPatternLineItem::SetAngle(double angle)
{
    if (!IsValidAngle(angle))
        return FALSE;
    m_angle = angle;
    return TRUE;
}

BOOL LineHatchPatternLineItem::SetSpace(double space)
{
    if (!IsValidSpace(space))
        return FALSE;
    m_space = space;
    return TRUE;
}

BOOL LineHatchPatternLineItem::SetColorNo(short no)
{
    if (!IsValidColorNo(no))
        return FALSE;
    m_colorNo = no;
    return TRUE;
}

BOOL LineHatchPatternLineItem::SetLineTypeNo(short no)
{
    if (!IsValidLineTypeNo(no))
        return FALSE;
    m_lineTypeNo = no;
    return TRUE;
}

BOOL LineHatchPatternLineItem::SetLineWidthNo(short no)
{
    if (!IsValidLineWidthNo(no))
        return FALSE;
    m_lineWidthNo = no;
    return TRUE;
}

BOOL LineHatchPatternLineItem::IsValidItem() const
{
    return IsValidCoordinate(m_point.X()) && IsValidCoordinate(m_point.Y()) && IsValidAngle(m_angle) &&
           IsValidSpace(m_space) && IsValidColorNo(m_colorNo) && IsValidLineTypeNo(m_lineTypeNo) &&
           IsValidLineWidthNo(m_lineWidthNo);
}

bool LineHatchPatternLineItem::operator==(const LineHatchPatternLineItem& o) const
{
    return m_point == o.m_point && m_angle == o.m_angle && m_space == o.m_space && m_colorNo == o.m_colorNo &&
           m_lineTypeNo == o.m_lineTypeNo && m_lineWidthNo == o.m_lineWidthNo;
}

void LineHatchPatternLineItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_point << m_angle << m_space << m_colorNo << m_lineTypeNo << m_lineWidthNo;
    else
        ar >> m_point >> m_angle >> m_space >> m_colorNo >> m_lineTypeNo >> m_lineWidthNo;
}
