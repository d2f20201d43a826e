#pragma once
// The rows of the attribute dialog over the attribute lists of several objects: one row per name used by
// any of them, showing the value they share (empty when they differ or one lacks the name), and the edits
// of the rows applied back to every list at once.

#include <map>
#include <vector>

#include "libs/vevure/FeatureAttribute.h"
#include "platform/afx/CString.h"

namespace QZ2Command {

class AttributeRows
{
public:
    struct Row {
        CString loadedName;  // the name when the rows were built; empty for a row added since
        CString name;        // as shown; empty once deleted
        CString value;
        int changed = 0;
        // The name is used by more than one object ("*").
        int shared = 0;
        // The value cell was edited: only then is the value written, so a rename keeps values that differed.
        int valueEdited = 0;
    };
    using Lists = std::map<long, FeatureAttribute>;

    void Build(const Lists& lists);
    std::vector<Row>& GetRows() { return m_rows; }
    const std::vector<Row>& GetRows() const { return m_rows; }

    void SetName(int nRow, const CString& name);
    void SetValue(int nRow, const CString& value);
    // A new row named "<base> n" with the first n that no row uses (ignoring case); its index.
    int AddRow(const CString& base);
    void DeleteRow(int nRow);
    // The index of another row whose name equals this one ignoring case; -1 when none.
    int FindOtherName(int nRow, const CString& name) const;

    // Applies the edits to a copy of the lists; FALSE, with the name of the first duplicate (ignoring case)
    // in duplicate, when a list would hold a name twice. bDefinition marks items added to a definition.
    BOOL Apply(const Lists& lists, Lists& result, CString& duplicate, BOOL bDefinition) const;

    // Tab-separated text of the named attributes: a header line of the names (sorted; "No" first with the
    // number column), then one line per object that has attributes, led by its number. Lines end with CR LF.
    static CString MakeText(const Lists& lists, std::vector<CString> names, BOOL bNumberColumn,
                            const std::map<long, long>& numbers);

private:
    std::vector<Row> m_rows;
};

}  // namespace QZ2Command
