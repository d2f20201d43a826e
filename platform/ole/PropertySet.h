#pragma once
// A property set stream: its class id and its sections (one, or two for the document summary with its
// user-defined section), in the standard byte format that other programs read.

#include <vector>

#include "platform/ole/PropertySection.h"

class CByteArray;

class PropertySet
{
public:
    PropertySet();

    const CLSID& GetClassId() const { return m_clsid; }
    void SetClassId(REFCLSID clsid) { m_clsid = clsid; }

    int GetSectionCount() const { return static_cast<int>(m_sections.size()); }
    PropertySection& GetSection(int nIndex) { return m_sections[nIndex]; }
    const PropertySection& GetSection(int nIndex) const { return m_sections[nIndex]; }
    // NULL when the set has no section of that format id.
    PropertySection* FindSection(REFFMTID fmtid);
    const PropertySection* FindSection(REFFMTID fmtid) const;
    // Replaces the section of the same format id, or inserts it at nIndex (-1: at the end).
    PropertySection& SetSection(const PropertySection& section, int nIndex = -1);
    BOOL RemoveSection(REFFMTID fmtid);

    // Parses a whole stream. Every count and offset is checked; a damaged stream throws
    // CompoundFileException (STG_E_DOCFILECORRUPT) naming lpszStreamName, and this set is left unchanged.
    void Read(const BYTE* lpData, SIZE_T nCount, LPCTSTR lpszStreamName);
    void Write(CByteArray& data) const;

private:
    CLSID m_clsid;
    std::vector<PropertySection> m_sections;
};
