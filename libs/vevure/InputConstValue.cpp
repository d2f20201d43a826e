#include "libs/vevure/InputConstValue.h"

#include <cmath>

namespace {

bool IsLetter(TCHAR c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

}  // namespace

BOOL InputConstValue::IsValidName(const CString& name)
{
    if (name.IsEmpty() || name.GetLength() > kMaxNameLength)
        return FALSE;
    for (int i = 0; i < name.GetLength(); ++i) {
        if (!IsLetter(name[i]))
            return FALSE;
    }
    if (name.GetLength() == 1) {
        const TCHAR c = name[0] | 0x20;
        if (c == u'd' || c == u'e' || c == u'r' || c == u'g')
            return FALSE;
    }
    return TRUE;
}

int InputConstValue::Find(const CString& name) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name.CompareNoCase(name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

BOOL InputConstValue::Add(const CString& name, double value)
{
    if (!IsValidName(name) || !std::isfinite(value))
        return FALSE;
    const int i = Find(name);
    if (i >= 0)
        m_entries[static_cast<size_t>(i)] = Entry{name, value};
    else
        m_entries.push_back(Entry{name, value});
    return TRUE;
}

BOOL InputConstValue::Add(char key, double value)
{
    return Add(CString(static_cast<TCHAR>(static_cast<unsigned char>(key))), value);
}

BOOL InputConstValue::Add(TCHAR key, double value)
{
    return Add(CString(key), value);
}

TCHAR InputConstValue::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        return 0;
    return m_entries[static_cast<size_t>(index)].name[0];
}

BOOL InputConstValue::GetAt(int index, CString& name, double& value) const
{
    if (index < 0 || index >= GetSize())
        return FALSE;
    name = m_entries[static_cast<size_t>(index)].name;
    value = m_entries[static_cast<size_t>(index)].value;
    return TRUE;
}

CString InputConstValue::GetNameAt(int index) const
{
    CString name;
    double value = 0.0;
    GetAt(index, name, value);
    return name;
}

double InputConstValue::GetValueAt(int index) const
{
    CString name;
    double value = 0.0;
    GetAt(index, name, value);
    return value;
}

BOOL InputConstValue::SetAt(int index, const CString& name, double value)
{
    if (index < 0 || index >= GetSize() || !IsValidName(name) || !std::isfinite(value))
        return FALSE;
    const int other = Find(name);
    if (other >= 0 && other != index)
        return FALSE;
    m_entries[static_cast<size_t>(index)] = Entry{name, value};
    return TRUE;
}

BOOL InputConstValue::RemoveAt(int index)
{
    if (index < 0 || index >= GetSize())
        return FALSE;
    m_entries.erase(m_entries.begin() + index);
    return TRUE;
}

BOOL InputConstValue::Lookup(const CString& name, double& value) const
{
    const int i = Find(name);
    if (i < 0)
        return FALSE;
    value = m_entries[static_cast<size_t>(i)].value;
    return TRUE;
}

bool InputConstValue::operator==(const InputConstValue& other) const
{
    return m_entries == other.m_entries;
}
