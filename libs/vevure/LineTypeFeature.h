#pragma once
// One line type: its number, name and dash pattern, a sequence of segment lengths in millimetres
// (dash, gap, dash, gap, ...). No segments means a solid line.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class LineTypeFeature
{
public:
    static constexpr int kMaxSegmentCount = 10;

    LineTypeFeature() = default;

    short GetLineTypeNo() const { return m_no; }
    const CString& GetLineTypeName() const { return m_name; }
    // The number of segments.
    int GetLineTypeSegment() const { return static_cast<int>(m_segments.size()); }
    // Copies at most maxCount segments into values; returns the number of segments.
    int GetLineTypeSegment(double* values, int maxCount) const;
    // One segment; index-guarded (invalid-argument exception).
    double GetLineTypeSegmentAt(int index) const;

    // Sets number, name (1-256 characters) and 0-10 segments, each 0 < length < 1e15. FALSE, and
    // nothing changed, for anything else.
    BOOL SetLineType(short no, const CString& name, const double* segments, int count);

    bool operator==(const LineTypeFeature& o) const
    {
        return m_no == o.m_no && m_name == o.m_name && m_segments == o.m_segments;
    }
    bool operator!=(const LineTypeFeature& o) const { return !(*this == o); }

private:
    short m_no = 0;
    CString m_name;
    std::vector<double> m_segments;
};
