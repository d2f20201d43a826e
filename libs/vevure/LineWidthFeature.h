#pragma once
// One line width: its number and width in millimetres.

#include "platform/afx/AfxTypes.h"

class LineWidthFeature
{
public:
    LineWidthFeature() = default;
    LineWidthFeature(short no, double width) : m_no(no), m_width(width) {}

    short GetLineWidthNo() const { return m_no; }
    double GetLineWidth() const { return m_width; }
    void SetLineWidth(double width) { m_width = width; }

    bool operator==(const LineWidthFeature& o) const { return m_no == o.m_no && m_width == o.m_width; }
    bool operator!=(const LineWidthFeature& o) const { return !(*this == o); }

private:
    short m_no = 0;
    double m_width = 0.0;
};
