#pragma once
// One section of a property set: its format id, the code page of its texts, its properties in order and
// the names of named properties (the dictionary). ReadFrom and WriteTo convert the section to and from
// the standard property-set bytes.

#include <string>
#include <utility>
#include <vector>

#include "platform/ole/PropVariant.h"

class PropertySection
{
public:
    // nCodePage 0 means the ANSI code page (CodePageText::GetAnsiCodePage).
    explicit PropertySection(REFFMTID fmtid = GUID_NULL, UINT nCodePage = 0);

    const FMTID& GetFormatId() const { return m_fmtid; }
    void SetFormatId(REFFMTID fmtid) { m_fmtid = fmtid; }
    UINT GetCodePage() const { return m_nCodePage; }
    void SetCodePage(UINT nCodePage);

    int GetCount() const { return static_cast<int>(m_properties.size()); }
    PROPID GetPropertyId(int nIndex) const { return m_properties[nIndex].first; }
    const PropVariant& GetValue(int nIndex) const { return m_properties[nIndex].second; }
    // NULL when the section has no such property.
    const PropVariant* Find(PROPID propid) const;
    // Adds or replaces a property. The dictionary (0) and the code page (1) are not properties here:
    // FALSE for them (use SetCodePage and SetName).
    BOOL Set(PROPID propid, const PropVariant& value);
    BOOL Remove(PROPID propid);
    // Every property and every name.
    void RemoveAll();

    // Named properties. Names compare without case.
    CString GetName(PROPID propid) const;
    void SetName(PROPID propid, const CString& name);
    // 0 when no property has that name.
    PROPID FindName(const CString& name) const;
    // Sets the value of the named property, giving a new name the next free id (2 or above).
    PROPID SetNamed(const CString& name, const PropVariant& value);
    int GetNameCount() const { return static_cast<int>(m_names.size()); }

    // Parses the section that starts at lpData; nCount is the number of bytes from there to the end of
    // the stream. Every count and offset is checked: a damaged section throws CompoundFileException
    // (STG_E_DOCFILECORRUPT) naming lpszStreamName. Properties of types this reader does not know (vectors,
    // arrays) are left out.
    void ReadFrom(const BYTE* lpData, SIZE_T nCount, LPCTSTR lpszStreamName);
    // Appends the section's bytes.
    void WriteTo(std::string& out) const;

    bool operator==(const PropertySection& other) const;

private:
    FMTID m_fmtid;
    UINT m_nCodePage;
    std::vector<std::pair<PROPID, PropVariant>> m_properties;
    std::vector<std::pair<PROPID, CString>> m_names;
};
