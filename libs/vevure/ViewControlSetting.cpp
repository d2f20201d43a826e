#include "libs/vevure/ViewControlSetting.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"

ViewControlSetting::~ViewControlSetting() = default;

void ViewControlSetting::Copy(const ViewControlSetting& src)
{
    m_index = src.m_index;
    m_center = src.m_center;
    m_scale = src.m_scale;
    m_drawingId = src.m_drawingId;
    m_layoutId = src.m_layoutId;
}

void ViewControlSetting::Clear()
{
    m_center = RuVaPnt2d();
    m_scale = 0.0;
    m_drawingId = -1;
    m_layoutId = -1;
}

bool ViewControlSetting::operator==(const ViewControlSetting& o) const
{
    return m_index == o.m_index && m_center == o.m_center && m_scale == o.m_scale && m_drawingId == o.m_drawingId &&
           m_layoutId == o.m_layoutId;
}

void ViewControlSetting::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_index) << m_center << m_scale << static_cast<LONG>(m_drawingId)
           << static_cast<LONG>(m_layoutId);
        return;
    }
    LONG index = 0;
    LONG drawingId = 0;
    LONG layoutId = 0;
    RuVaPnt2d center;
    double scale = 0.0;
    ar >> index >> center >> scale >> drawingId >> layoutId;
    if (!std::isfinite(center.X()) || !std::isfinite(center.Y()) || !std::isfinite(scale) || scale < 0.0)
        ar.ThrowArchiveException(CArchiveException::genericException);
    m_index = index;
    m_center = center;
    m_scale = scale;
    m_drawingId = drawingId;
    m_layoutId = layoutId;
}
