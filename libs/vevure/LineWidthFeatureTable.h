#pragma once
// A document's line width table: the numbers 0-15 with their widths in millimetres. Number 0 is the
// by-layer entry; widths 1-9 are fixed; the widths of 10-15 can be changed (0 < width < 1e15).

#include <vector>

#include "libs/vevure/LineWidthFeature.h"
#include "platform/afx/AfxTypes.h"

class CArchive;

class LineWidthFeatureTable
{
public:
    static constexpr short kLineWidthCount = 16;
    static constexpr short kFirstUserNo = 10;

    // An empty table; InitializeLineWidths fills it with the standard widths.
    LineWidthFeatureTable() = default;
    LineWidthFeatureTable(const LineWidthFeatureTable& src) = default;
    LineWidthFeatureTable& operator=(const LineWidthFeatureTable& src) = default;
    virtual ~LineWidthFeatureTable();

    void InitializeLineWidths();

    int GetLineWidthSize() const { return static_cast<int>(m_widths.size()); }
    // The width of a number (numbers equal positions); 0.0 for a number not in the table.
    double GetLineWidth(int no) const;
    // NULL when the number is not in the table.
    const LineWidthFeature* GetLineWidthFeature(short no) const;
    // Changes a user width (10-15); FALSE for fixed or unknown numbers and widths out of range.
    BOOL SetLineWidth(short no, double width);

    bool operator==(const LineWidthFeatureTable& other) const { return m_widths == other.m_widths; }
    bool operator!=(const LineWidthFeatureTable& other) const { return !(*this == other); }

    // Loading checks the count and every width and throws CArchiveException for a damaged table;
    // the table then stays unchanged.
    void Serialize(CArchive& ar);

private:
    std::vector<LineWidthFeature> m_widths;  // number n at index n
};
