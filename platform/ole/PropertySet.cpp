#include "platform/ole/PropertySet.h"

#include <cstring>
#include <string>

#include "platform/afx/CByteArray.h"
#include "platform/ole/CompoundFileException.h"

namespace {

const SIZE_T kHeaderSize = 28;
const SIZE_T kSectionEntrySize = 20;
// Windows NT 6.0 on Win32, the system id that writers commonly use.
const DWORD kSystemId = 0x00020006;

DWORD Get32(const BYTE* p)
{
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

void Put16(std::string& out, WORD v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutGuid(std::string& out, REFGUID guid)
{
    BYTE bytes[16];
    GuidToBytes(guid, bytes);
    out.append(reinterpret_cast<const char*>(bytes), 16);
}

[[noreturn]] void ThrowDamaged(LPCTSTR lpszStreamName, LPCTSTR lpszWhat)
{
    AfxThrowCompoundFileException(STG_E_DOCFILECORRUPT, lpszStreamName,
                                  CString(_T("its property set is damaged (")) + lpszWhat + _T(")"));
}

}  // namespace

PropertySet::PropertySet() : m_clsid(GUID_NULL) {}

PropertySection* PropertySet::FindSection(REFFMTID fmtid)
{
    for (auto& section : m_sections)
        if (section.GetFormatId() == fmtid)
            return &section;
    return nullptr;
}

const PropertySection* PropertySet::FindSection(REFFMTID fmtid) const
{
    for (const auto& section : m_sections)
        if (section.GetFormatId() == fmtid)
            return &section;
    return nullptr;
}

PropertySection& PropertySet::SetSection(const PropertySection& section, int nIndex)
{
    if (PropertySection* existing = FindSection(section.GetFormatId())) {
        *existing = section;
        return *existing;
    }
    if (nIndex < 0 || nIndex > GetSectionCount())
        nIndex = GetSectionCount();
    return *m_sections.insert(m_sections.begin() + nIndex, section);
}

BOOL PropertySet::RemoveSection(REFFMTID fmtid)
{
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].GetFormatId() == fmtid) {
            m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(i));
            return TRUE;
        }
    }
    return FALSE;
}

void PropertySet::Read(const BYTE* lpData, SIZE_T nCount, LPCTSTR lpszStreamName)
{
    if (lpData == nullptr || nCount < kHeaderSize)
        ThrowDamaged(lpszStreamName, _T("the stream is shorter than its header"));
    if (lpData[0] != 0xFE || lpData[1] != 0xFF)
        ThrowDamaged(lpszStreamName, _T("the byte order mark is wrong"));
    const WORD version = static_cast<WORD>(lpData[2] | lpData[3] << 8);
    if (version > 1)
        ThrowDamaged(lpszStreamName, _T("the format version is unknown"));
    const DWORD count = Get32(lpData + 24);
    if (count > (nCount - kHeaderSize) / kSectionEntrySize)
        ThrowDamaged(lpszStreamName, _T("it counts more sections than the stream holds"));

    PropertySet result;
    result.m_clsid = GuidFromBytes(lpData + 8);
    const SIZE_T firstSection = kHeaderSize + SIZE_T(count) * kSectionEntrySize;
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* entry = lpData + kHeaderSize + SIZE_T(i) * kSectionEntrySize;
        const FMTID fmtid = GuidFromBytes(entry);
        const DWORD offset = Get32(entry + 16);
        if (offset < firstSection || offset >= nCount)
            ThrowDamaged(lpszStreamName, _T("a section's offset lies outside the stream"));
        if (result.FindSection(fmtid) != nullptr)
            continue;
        PropertySection section(fmtid);
        section.ReadFrom(lpData + offset, nCount - offset, lpszStreamName);
        result.m_sections.push_back(std::move(section));
    }
    *this = std::move(result);
}

void PropertySet::Write(CByteArray& data) const
{
    std::string out;
    Put16(out, 0xFFFE);
    Put16(out, 0);
    Put32(out, kSystemId);
    PutGuid(out, m_clsid);
    Put32(out, static_cast<DWORD>(m_sections.size()));
    const size_t table = out.size();
    out.append(m_sections.size() * kSectionEntrySize, '\0');
    for (size_t i = 0; i < m_sections.size(); ++i) {
        const DWORD offset = static_cast<DWORD>(out.size());
        std::string entry;
        PutGuid(entry, m_sections[i].GetFormatId());
        Put32(entry, offset);
        out.replace(table + i * kSectionEntrySize, kSectionEntrySize, entry);
        m_sections[i].WriteTo(out);
    }
    data.SetSize(static_cast<INT_PTR>(out.size()));
    std::memcpy(data.GetData(), out.data(), out.size());
}
