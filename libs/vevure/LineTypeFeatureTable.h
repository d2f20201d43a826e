#pragma once
// A document's line type table, in display order. Position 0 holds the by-layer entry (number 0);
// positions 1-15 the fixed line types 1-15, which cannot be changed, deleted or moved; after them the
// user's line types with numbers 16-32766, each name used once.

#include <vector>

#include "libs/vevure/LineTypeFeature.h"
#include "platform/afx/AfxTypes.h"

class CArchive;
class CString;

class LineTypeFeatureTable
{
public:
    static constexpr short kFixedLineTypeCount = 15;
    static constexpr short kFirstUserNo = 16;
    static constexpr short kLastUserNo = 32766;

    // An empty table; InitializeLineTypes fills it with the by-layer entry and the fixed line types.
    LineTypeFeatureTable() = default;
    LineTypeFeatureTable(const LineTypeFeatureTable& src) = default;
    LineTypeFeatureTable& operator=(const LineTypeFeatureTable& src) = default;
    virtual ~LineTypeFeatureTable();

    void InitializeLineTypes();

    int GetLineTypeSize() const { return static_cast<int>(m_lineTypes.size()); }
    // The entry at a display position; index-guarded (invalid-argument exception).
    const LineTypeFeature* GetAt(int index) const;
    // NULL when the number is not in the table.
    const LineTypeFeature* GetLineTypeByNo(short no) const;
    CString GetLineTypeName(short no) const;
    BOOL IsExistLineTypeNo(short no) const { return GetLineTypeByNo(no) != nullptr; }
    // Exact name lookups: the entry, its number (-1 none) or its position (-1 none).
    const LineTypeFeature* GetLineTypeByName(const CString& name) const;
    short GetLineTypeNoByName(const CString& name) const;
    int LineTypeNameToIndex(const CString& name) const;

    // Adds a user line type (16-32766) at the end, or replaces the one with its number in place.
    // FALSE for a fixed number or a name that another line type has.
    BOOL SetLineType(const LineTypeFeature& lineType);
    // Deletes a user line type; FALSE for fixed or unknown numbers.
    BOOL DeleteLineTypeByNo(short no);
    // Moves the user line type at a position one place up or down among the user line types.
    BOOL UpDownIndex(int index, BOOL up);

    bool operator==(const LineTypeFeatureTable& other) const { return m_lineTypes == other.m_lineTypes; }
    bool operator!=(const LineTypeFeatureTable& other) const { return !(*this == other); }

    // Loading checks counts, numbers, names and segments and throws CArchiveException for a damaged
    // table; the table then stays unchanged.
    void Serialize(CArchive& ar);

private:
    int IndexOfNo(short no) const;

    std::vector<LineTypeFeature> m_lineTypes;
};
