#pragma once
// A hatch pattern of up to 32 families of parallel lines.

#include <vector>

#include "libs/vevure/HatchPatternBase.h"
#include "libs/vevure/LineHatchPatternLineItem.h"

class LineHatchPattern : public HatchPatternBase
{
    DECLARE_SERIAL(LineHatchPattern)
public:
    static constexpr int kSchema = 1;
    static constexpr int kMaxLineItemCount = 32;

    LineHatchPattern();
    LineHatchPattern(const LineHatchPattern& src) = default;
    LineHatchPattern& operator=(const LineHatchPattern& src) = default;
    ~LineHatchPattern() override;

    int GetLineItemCount() const { return static_cast<int>(m_items.size()); }
    // Index-guarded (invalid-argument exception).
    const LineHatchPatternLineItem& GetLineItem(int index) const;
    // Appends a copy; the new index, or -1 for a 33rd item or an item that breaks its rules.
    int AddLineItem(const LineHatchPatternLineItem& item);
    // FALSE for an index out of range.
    BOOL DeleteLineItem(int index);
    // Change one value of an item; FALSE for an index out of range or a value the item refuses.
    BOOL SetLinePoint(int index, const RuVaPnt2d& point);
    BOOL SetLineAngle(int index, double angle);
    BOOL SetLineSpace(int index, double space);
    BOOL SetLineColorNo(int index, short no);
    BOOL SetLineTypeNo(int index, short no);
    BOOL SetLineWidthNo(int index, short no);

    using HatchPatternBase::Copy;
    BOOL Copy(const HatchPatternBase& src) override;
    BOOL IsEqual(const HatchPatternBase& other) const override;
    BOOL IsValidPattern() const override;
    // Loading checks the item count and every item and throws CArchiveException for a damaged pattern;
    // the pattern then stays unchanged.
    void Serialize(CArchive& ar) override;

private:
    LineHatchPatternLineItem* ItemAt(int index);

    std::vector<LineHatchPatternLineItem> m_items;
};
