#include "libs/vevure/LineTypeFeature.h"

#include "platform/afx/CInvalidArgException.h"

int LineTypeFeature::GetLineTypeSegment(double* values, int maxCount) const
{
    const int count = GetLineTypeSegment();
    for (int i = 0; values != nullptr && i < count && i < maxCount; ++i)
        values[i] = m_segments[static_cast<size_t>(i)];
    return count;
}

double LineTypeFeature::GetLineTypeSegmentAt(int index) const
{
    if (index < 0 || index >= GetLineTypeSegment())
        AfxThrowInvalidArgException();
    return m_segments[static_cast<size_t>(index)];
}

BOOL LineTypeFeature::SetLineType(short no, const CString& name, const double* segments, int count)
{
    if (no < 0 || name.IsEmpty() || name.GetLength() > 256 || count < 0 || count > kMaxSegmentCount ||
        (count > 0 && segments == nullptr))
        return FALSE;
    for (int i = 0; i < count; ++i) {
        if (!(segments[i] > 0.0 && segments[i] < 1e15))
            return FALSE;
    }
    m_no = no;
    m_name = name;
    m_segments.assign(segments, segments + count);
    return TRUE;
}
