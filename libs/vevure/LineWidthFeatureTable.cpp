#include "libs/vevure/LineWidthFeatureTable.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"

namespace {

bool IsValidWidth(double w) { return w > 0.0 && w < 1e15; }

}  // namespace

LineWidthFeatureTable::~LineWidthFeatureTable() = default;

void LineWidthFeatureTable::InitializeLineWidths()
{
    static const double kWidths[kLineWidthCount] = {0.0,  0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0,
                                                    1.4,  2.0,  0.05, 0.09, 0.3,  0.4, 0.6, 0.8};
    m_widths.clear();
    for (short no = 0; no < kLineWidthCount; ++no)
        m_widths.emplace_back(no, kWidths[no]);
}

double LineWidthFeatureTable::GetLineWidth(int no) const
{
    if (no < 0 || no >= GetLineWidthSize())
        return 0.0;
    return m_widths[static_cast<size_t>(no)].GetLineWidth();
}

const LineWidthFeature* LineWidthFeatureTable::GetLineWidthFeature(short no) const
{
    if (no < 0 || no >= GetLineWidthSize())
        return nullptr;
    return &m_widths[static_cast<size_t>(no)];
}

BOOL LineWidthFeatureTable::SetLineWidth(short no, double width)
{
    if (no < kFirstUserNo || no >= GetLineWidthSize() || !IsValidWidth(width))
        return FALSE;
    m_widths[static_cast<size_t>(no)].SetLineWidth(width);
    return TRUE;
}

void LineWidthFeatureTable::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_widths.size());
        for (const LineWidthFeature& w : m_widths)
            ar << w.GetLineWidth();
        return;
    }
    const DWORD_PTR count = ar.ReadCount();
    if (count > static_cast<DWORD_PTR>(kLineWidthCount))
        ar.ThrowArchiveException(CArchiveException::genericException);
    std::vector<LineWidthFeature> loaded;
    for (DWORD_PTR no = 0; no < count; ++no) {
        double width = 0.0;
        ar >> width;
        // The by-layer entry carries no width of its own.
        if (no == 0 ? width != 0.0 : !IsValidWidth(width))
            ar.ThrowArchiveException(CArchiveException::genericException);
        loaded.emplace_back(static_cast<short>(no), width);
    }
    m_widths.swap(loaded);
}
