#include "commands/shape/AttributeRows.h"

#include <algorithm>
#include <set>

namespace QZ2Command {

void AttributeRows::Build(const Lists& lists)
{
    m_rows.clear();
    std::set<CString> names;
    for (const auto& [id, list] : lists) {
        for (int i = 0; i < list.GetAttributeCount(); ++i)
            names.insert(list.GetAttributeName(i));
    }
    for (const CString& name : names) {
        Row row;
        row.loadedName = name;
        row.name = name;
        bool first = true;
        for (const auto& [id, list] : lists) {
            const int index = list.FindAttribute(name);
            if (index < 0) {
                row.value.Empty();
                break;
            }
            // The first object is marked as such, so that an empty value is a value like any other.
            const CString value = list.GetAttributeValue(index);
            if (first) {
                row.value = value;
                first = false;
                continue;
            }
            row.shared = 1;
            if (row.value != value) {
                row.value.Empty();
                break;
            }
        }
        m_rows.push_back(row);
    }
}

void AttributeRows::SetName(int nRow, const CString& name)
{
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()) || m_rows[nRow].name == name)
        return;
    m_rows[nRow].name = name;
    m_rows[nRow].changed = 1;
}

void AttributeRows::SetValue(int nRow, const CString& value)
{
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()) || m_rows[nRow].value == value)
        return;
    m_rows[nRow].value = value;
    m_rows[nRow].changed = 1;
    m_rows[nRow].valueEdited = 1;
}

int AttributeRows::FindOtherName(int nRow, const CString& name) const
{
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        if (i != nRow && !m_rows[i].name.IsEmpty() && m_rows[i].name.CompareNoCase(name) == 0)
            return i;
    }
    return -1;
}

int AttributeRows::AddRow(const CString& base)
{
    Row row;
    for (int n = 1;; ++n) {
        row.name.Format(_T("%s %d"), static_cast<LPCTSTR>(base), n);
        if (FindOtherName(-1, row.name) < 0)
            break;
    }
    row.changed = 1;
    row.valueEdited = 1;
    m_rows.push_back(row);
    return static_cast<int>(m_rows.size()) - 1;
}

void AttributeRows::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()))
        return;
    m_rows[nRow].name.Empty();
    m_rows[nRow].changed = 1;
}

BOOL AttributeRows::Apply(const Lists& lists, Lists& result, CString& duplicate, BOOL bDefinition) const
{
    result = lists;
    for (auto& [id, list] : result) {
        for (const Row& row : m_rows) {
            if (row.changed && !row.loadedName.IsEmpty() && row.name.IsEmpty())
                list.RemoveAttribute(row.loadedName);
        }
        for (const Row& row : m_rows) {
            if (!row.changed || row.loadedName.IsEmpty() || row.name.IsEmpty())
                continue;
            if (FeatureAttributeItem* pItem = list.GetAttributeItem(row.loadedName)) {
                pItem->SetName(row.name);
                if (row.valueEdited)
                    pItem->SetValue(row.value);
            }
        }
        for (int i = 0; i < list.GetAttributeCount(); ++i) {
            for (int k = i + 1; k < list.GetAttributeCount(); ++k) {
                if (list.GetAttributeName(i).CompareNoCase(list.GetAttributeName(k)) == 0) {
                    duplicate = list.GetAttributeName(k);
                    return FALSE;
                }
            }
        }
        for (const Row& row : m_rows) {
            if (!row.changed || !row.loadedName.IsEmpty() || row.name.IsEmpty())
                continue;
            if (list.FindAttribute(row.name) >= 0)
                list.SetAttributeValue(row.name, row.value);
            else
                list.AddAttribute(row.name, row.value, bDefinition ? 1 : 0);
        }
    }
    return TRUE;
}

CString AttributeRows::MakeText(const Lists& lists, std::vector<CString> names, BOOL bNumberColumn,
                                const std::map<long, long>& numbers)
{
    std::sort(names.begin(), names.end());
    CString text;
    std::vector<CString> header;
    if (bNumberColumn)
        header.push_back(_T("No"));
    header.insert(header.end(), names.begin(), names.end());
    for (size_t i = 0; i < header.size(); ++i)
        text += (i > 0 ? _T("\t") : _T("")) + header[i];
    text += _T("\r\n");
    for (const auto& [id, list] : lists) {
        if (list.IsEmpty())
            continue;
        std::vector<CString> fields;
        if (bNumberColumn) {
            const auto it = numbers.find(id);
            CString number;
            number.Format(_T("%ld"), it != numbers.end() ? it->second : 0L);
            fields.push_back(number);
        }
        for (const CString& name : names) {
            const int index = list.FindAttribute(name);
            fields.push_back(index >= 0 ? list.GetAttributeValue(index) : CString());
        }
        // Every field after the first is led by a TAB, the number column's neighbour too.
        for (size_t i = 0; i < fields.size(); ++i)
            text += (i > 0 ? _T("\t") : _T("")) + fields[i];
        text += _T("\r\n");
    }
    return text;
}

}  // namespace QZ2Command
