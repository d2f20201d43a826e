#pragma once
// The user's named constants for typed numbers: "3k" reads as 3 times k, "k" alone as k. Entries keep
// their order. Names are letters only (normally one; up to 32), unique ignoring case; the single
// letters d, e, r and g are refused because typed numbers use them (degrees, exponents, radians,
// grads). Values are finite.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class InputConstValue
{
public:
    static constexpr int kMaxNameLength = 32;

    InputConstValue() = default;
    InputConstValue(const InputConstValue& src) = default;
    InputConstValue& operator=(const InputConstValue& src) = default;

    BOOL IsEmpty() const { return m_entries.empty() ? TRUE : FALSE; }
    int GetSize() const { return static_cast<int>(m_entries.size()); }

    // Adds a constant, or gives an existing one (same name ignoring case) the new value. FALSE for a
    // name that is not letters only or too long, or a value that is not finite.
    BOOL Add(const CString& name, double value);
    BOOL Add(char key, double value);
    BOOL Add(TCHAR key, double value);
    // The name and value at a position; FALSE for a position out of range.
    BOOL GetAt(int index, CString& name, double& value) const;
    // The first letter of the name and the value at a position; 0 for a position out of range.
    TCHAR GetAt(int index) const;
    double GetData(int index) const { return GetValueAt(index); }
    CString GetNameAt(int index) const;
    double GetValueAt(int index) const;
    // Replaces the constant at a position; FALSE for a position out of range, a bad name or value, or a
    // name another constant has.
    BOOL SetAt(int index, const CString& name, double value);
    BOOL SetAt(int index, TCHAR key, double value) { return SetAt(index, CString(key), value); }
    BOOL RemoveAt(int index);
    void RemoveAll() { m_entries.clear(); }
    // The value of a name (ignoring case).
    BOOL Lookup(const CString& name, double& value) const;

    bool operator==(const InputConstValue& other) const;
    bool operator!=(const InputConstValue& other) const { return !(*this == other); }

    static BOOL IsValidName(const CString& name);

private:
    struct Entry {
        CString name;
        double value = 0.0;
        bool operator==(const Entry& o) const { return name == o.name && value == o.value; }
    };
    int Find(const CString& name) const;

    std::vector<Entry> m_entries;
};
