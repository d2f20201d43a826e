#include "platform/ole/PropertySection.h"

#include <cstring>
#include <set>

#include "platform/ole/CodePageText.h"
#include "platform/ole/CompoundFileException.h"

namespace {

// Thrown inside the reader, turned into a CompoundFileException at the section's edge.
struct Damage
{
    const TCHAR* what;
};

// Reads little-endian values from [begin, end), refusing to step outside.
class Reader
{
public:
    Reader(const BYTE* begin, SIZE_T size) : m_p(begin), m_size(size), m_pos(0) {}
    SIZE_T Position() const { return m_pos; }
    SIZE_T Left() const { return m_size - m_pos; }
    void Seek(SIZE_T pos, const TCHAR* what)
    {
        if (pos > m_size)
            throw Damage{what};
        m_pos = pos;
    }
    const BYTE* Take(SIZE_T n, const TCHAR* what)
    {
        if (n > Left())
            throw Damage{what};
        const BYTE* p = m_p + m_pos;
        m_pos += n;
        return p;
    }
    void Align4()
    {
        const SIZE_T pad = (4 - m_pos % 4) % 4;
        m_pos += pad <= Left() ? pad : Left();
    }
    BYTE U8(const TCHAR* what) { return *Take(1, what); }
    WORD U16(const TCHAR* what)
    {
        const BYTE* p = Take(2, what);
        return static_cast<WORD>(p[0] | p[1] << 8);
    }
    DWORD U32(const TCHAR* what)
    {
        const BYTE* p = Take(4, what);
        return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
    }
    ULONGLONG U64(const TCHAR* what)
    {
        const ULONGLONG lo = U32(what);
        return lo | ULONGLONG(U32(what)) << 32;
    }

private:
    const BYTE* m_p;
    SIZE_T m_size;
    SIZE_T m_pos;
};

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

void Put64(std::string& out, ULONGLONG v)
{
    Put32(out, static_cast<DWORD>(v));
    Put32(out, static_cast<DWORD>(v >> 32));
}

void Pad4(std::string& out)
{
    while (out.size() % 4 != 0)
        out.push_back('\0');
}

void Patch32(std::string& out, size_t at, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A text up to its first NUL.
CString DecodeText(const BYTE* p, SIZE_T n, UINT codePage)
{
    SIZE_T used = 0;
    if (codePage == CP_WINUNICODE) {
        while (used + 1 < n && (p[used] != 0 || p[used + 1] != 0))
            used += 2;
    } else {
        while (used < n && p[used] != 0)
            ++used;
    }
    return CodePageText::Decode(p, used, codePage);
}

// A code-page string: its byte count (with the NUL) and its bytes.
void WriteCodePageString(std::string& out, const CString& text, UINT codePage)
{
    std::string bytes = CodePageText::Encode(text, codePage);
    bytes.append(codePage == CP_WINUNICODE ? 2 : 1, '\0');
    Put32(out, static_cast<DWORD>(bytes.size()));
    out += bytes;
}

double BitsToDouble(ULONGLONG bits)
{
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

ULONGLONG DoubleToBits(double d)
{
    ULONGLONG bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

// Reads one typed value; FALSE (value left empty) for a type this reader leaves out.
BOOL ReadValue(Reader& r, UINT codePage, PropVariant& value)
{
    const VARTYPE vt = r.U16(_T("a property type lies outside its section"));
    r.U16(_T("a property type lies outside its section"));
    const TCHAR* const past = _T("a property value runs past the end of its section");
    switch (vt) {
    case VT_EMPTY: value = PropVariant(); return TRUE;
    case VT_NULL: value = PropVariant::Null(); return TRUE;
    case VT_I1: value = PropVariant::Integer(vt, static_cast<signed char>(r.U8(past))); return TRUE;
    case VT_UI1: value = PropVariant::Integer(vt, r.U8(past)); return TRUE;
    case VT_I2: value = PropVariant::Integer(vt, static_cast<SHORT>(r.U16(past))); return TRUE;
    case VT_UI2: value = PropVariant::Integer(vt, r.U16(past)); return TRUE;
    case VT_BOOL: value = PropVariant::Bool(r.U16(past) != 0); return TRUE;
    case VT_I4:
    case VT_INT: value = PropVariant::Integer(vt, static_cast<LONG>(r.U32(past))); return TRUE;
    case VT_UI4:
    case VT_UINT:
    case VT_ERROR: value = PropVariant::Integer(vt, r.U32(past)); return TRUE;
    case VT_I8:
    case VT_CY: value = PropVariant::Integer(vt, static_cast<LONGLONG>(r.U64(past))); return TRUE;
    case VT_UI8: value = PropVariant::UI8(r.U64(past)); return TRUE;
    case VT_FILETIME: value = PropVariant::FileTime(r.U64(past)); return TRUE;
    case VT_R4: {
        const DWORD bits = r.U32(past);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        value = PropVariant::R4(f);
        return TRUE;
    }
    case VT_R8: value = PropVariant::R8(BitsToDouble(r.U64(past))); return TRUE;
    case VT_DATE: value = PropVariant::Date(BitsToDouble(r.U64(past))); return TRUE;
    case VT_LPSTR:
    case VT_BSTR: {
        const DWORD size = r.U32(past);
        const BYTE* p = r.Take(size, past);
        const CString text = DecodeText(p, size, codePage);
        value = vt == VT_LPSTR ? PropVariant::AnsiString(text) : PropVariant::BString(text);
        return TRUE;
    }
    case VT_LPWSTR: {
        const DWORD length = r.U32(past);
        if (length > r.Left() / 2)
            throw Damage{past};
        const BYTE* p = r.Take(SIZE_T(length) * 2, past);
        value = PropVariant::WideString(DecodeText(p, SIZE_T(length) * 2, CP_WINUNICODE));
        return TRUE;
    }
    case VT_BLOB:
    case VT_CF: {
        const DWORD size = r.U32(past);
        const BYTE* p = r.Take(size, past);
        value = PropVariant::Blob(p, size, vt);
        return TRUE;
    }
    case VT_CLSID: value = PropVariant::Clsid(GuidFromBytes(r.Take(16, past))); return TRUE;
    default: return FALSE;
    }
}

void WriteValue(std::string& out, const PropVariant& value, UINT codePage)
{
    const VARTYPE vt = value.GetType();
    Put16(out, vt);
    Put16(out, 0);
    const ULONGLONG n = static_cast<ULONGLONG>(value.GetInteger());
    switch (vt) {
    case VT_I1:
    case VT_UI1: out.push_back(static_cast<char>(n & 0xFF)); break;
    case VT_I2:
    case VT_UI2: Put16(out, static_cast<WORD>(n)); break;
    case VT_BOOL: Put16(out, value.GetBool() ? 0xFFFF : 0); break;
    case VT_I4:
    case VT_INT:
    case VT_UI4:
    case VT_UINT:
    case VT_ERROR: Put32(out, static_cast<DWORD>(n)); break;
    case VT_I8:
    case VT_CY:
    case VT_UI8:
    case VT_FILETIME: Put64(out, n); break;
    case VT_R4: {
        const float f = static_cast<float>(value.GetDouble());
        DWORD bits;
        std::memcpy(&bits, &f, sizeof bits);
        Put32(out, bits);
        break;
    }
    case VT_R8:
    case VT_DATE: Put64(out, DoubleToBits(value.GetDouble())); break;
    case VT_LPSTR:
    case VT_BSTR: WriteCodePageString(out, value.GetString(), codePage); break;
    case VT_LPWSTR: {
        const std::u16string& units = value.GetString().str();
        Put32(out, static_cast<DWORD>(units.size() + 1));
        for (char16_t ch : units)
            Put16(out, ch);
        Put16(out, 0);
        break;
    }
    case VT_BLOB:
    case VT_CF:
        Put32(out, static_cast<DWORD>(value.GetBytes().size()));
        out.append(reinterpret_cast<const char*>(value.GetBytes().data()), value.GetBytes().size());
        break;
    case VT_CLSID: {
        BYTE bytes[16];
        GuidToBytes(value.GetClsid(), bytes);
        out.append(reinterpret_cast<const char*>(bytes), 16);
        break;
    }
    default: break;  // VT_EMPTY, VT_NULL: the type alone
    }
    Pad4(out);
}

}  // namespace

PropertySection::PropertySection(REFFMTID fmtid, UINT nCodePage)
    : m_fmtid(fmtid), m_nCodePage(nCodePage != 0 ? nCodePage : CodePageText::GetAnsiCodePage())
{
}

void PropertySection::SetCodePage(UINT nCodePage)
{
    m_nCodePage = nCodePage != 0 ? nCodePage : CodePageText::GetAnsiCodePage();
}

const PropVariant* PropertySection::Find(PROPID propid) const
{
    for (const auto& property : m_properties)
        if (property.first == propid)
            return &property.second;
    return nullptr;
}

BOOL PropertySection::Set(PROPID propid, const PropVariant& value)
{
    if (propid == PID_DICTIONARY || propid == PID_CODEPAGE)
        return FALSE;
    for (auto& property : m_properties) {
        if (property.first == propid) {
            property.second = value;
            return TRUE;
        }
    }
    m_properties.emplace_back(propid, value);
    return TRUE;
}

BOOL PropertySection::Remove(PROPID propid)
{
    BOOL removed = FALSE;
    for (size_t i = 0; i < m_properties.size(); ++i) {
        if (m_properties[i].first == propid) {
            m_properties.erase(m_properties.begin() + static_cast<std::ptrdiff_t>(i));
            removed = TRUE;
            break;
        }
    }
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i].first == propid) {
            m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    return removed;
}

void PropertySection::RemoveAll()
{
    m_properties.clear();
    m_names.clear();
}

CString PropertySection::GetName(PROPID propid) const
{
    for (const auto& name : m_names)
        if (name.first == propid)
            return name.second;
    return CString();
}

void PropertySection::SetName(PROPID propid, const CString& name)
{
    for (auto& entry : m_names) {
        if (entry.first == propid) {
            entry.second = name;
            return;
        }
    }
    m_names.emplace_back(propid, name);
}

PROPID PropertySection::FindName(const CString& name) const
{
    for (const auto& entry : m_names)
        if (entry.second.CompareNoCase(name) == 0)
            return entry.first;
    return 0;
}

PROPID PropertySection::SetNamed(const CString& name, const PropVariant& value)
{
    PROPID propid = FindName(name);
    if (propid == 0) {
        propid = PID_FIRST_USABLE;
        for (const auto& property : m_properties)
            if (property.first >= propid && property.first < 0x80000000UL)
                propid = property.first + 1;
        for (const auto& entry : m_names)
            if (entry.first >= propid && entry.first < 0x80000000UL)
                propid = entry.first + 1;
        SetName(propid, name);
    }
    Set(propid, value);
    return propid;
}

bool PropertySection::operator==(const PropertySection& other) const
{
    return m_fmtid == other.m_fmtid && m_nCodePage == other.m_nCodePage && m_properties == other.m_properties &&
           m_names == other.m_names;
}

void PropertySection::WriteTo(std::string& out) const
{
    const size_t start = out.size();
    const bool hasDictionary = !m_names.empty();
    const size_t count = m_properties.size() + 1 + (hasDictionary ? 1 : 0);
    Put32(out, 0);  // size, patched below
    Put32(out, static_cast<DWORD>(count));
    const size_t table = out.size();
    out.append(count * 8, '\0');
    size_t slot = 0;
    auto begin = [&](PROPID propid) {
        Patch32(out, table + slot * 8, propid);
        Patch32(out, table + slot * 8 + 4, static_cast<DWORD>(out.size() - start));
        ++slot;
    };

    begin(PID_CODEPAGE);
    Put16(out, VT_I2);
    Put16(out, 0);
    Put16(out, static_cast<WORD>(m_nCodePage));
    Pad4(out);

    if (hasDictionary) {
        begin(PID_DICTIONARY);
        Put32(out, static_cast<DWORD>(m_names.size()));
        for (const auto& entry : m_names) {
            Put32(out, entry.first);
            if (m_nCodePage == CP_WINUNICODE) {
                const std::u16string& units = entry.second.str();
                Put32(out, static_cast<DWORD>(units.size() + 1));
                for (char16_t ch : units)
                    Put16(out, ch);
                Put16(out, 0);
                Pad4(out);
            } else {
                std::string bytes = CodePageText::Encode(entry.second, m_nCodePage);
                bytes.push_back('\0');
                Put32(out, static_cast<DWORD>(bytes.size()));
                out += bytes;
            }
        }
        Pad4(out);
    }

    for (const auto& property : m_properties) {
        begin(property.first);
        WriteValue(out, property.second, m_nCodePage);
    }
    Patch32(out, start, static_cast<DWORD>(out.size() - start));
}

void PropertySection::ReadFrom(const BYTE* lpData, SIZE_T nCount, LPCTSTR lpszStreamName)
{
    PropertySection result(m_fmtid, 1252);
    try {
        Reader head(lpData, nCount);
        const DWORD size = head.U32(_T("a section begins past the end of the stream"));
        const DWORD count = head.U32(_T("a section begins past the end of the stream"));
        if (size < 8 || size > nCount)
            throw Damage{_T("a section's size does not fit the stream")};
        if (count > (size - 8) / 8)
            throw Damage{_T("a section counts more properties than it can hold")};

        std::vector<std::pair<DWORD, DWORD>> entries(count);
        Reader r(lpData, size);
        r.Seek(8, _T("a section is too short"));
        for (DWORD i = 0; i < count; ++i) {
            entries[i].first = r.U32(_T("a section is too short"));
            entries[i].second = r.U32(_T("a section is too short"));
            if (entries[i].second < 8 + SIZE_T(count) * 8 || entries[i].second > size - 4)
                throw Damage{_T("a property's offset lies outside its section")};
        }

        // The code page first: the texts depend on it.
        for (const auto& entry : entries) {
            if (entry.first != PID_CODEPAGE)
                continue;
            r.Seek(entry.second, _T("the code page lies outside its section"));
            const VARTYPE vt = r.U16(_T("the code page lies outside its section"));
            r.U16(_T("the code page lies outside its section"));
            if (vt != VT_I2 && vt != VT_UI2)
                throw Damage{_T("the code page is not a 16-bit number")};
            const WORD codePage = r.U16(_T("the code page lies outside its section"));
            if (codePage == 0)
                throw Damage{_T("the code page is 0")};
            result.m_nCodePage = codePage;
            break;
        }

        std::set<PROPID> seen;
        for (const auto& entry : entries) {
            const PROPID propid = entry.first;
            if (propid == PID_CODEPAGE || !seen.insert(propid).second)
                continue;
            r.Seek(entry.second, _T("a property's offset lies outside its section"));
            if (propid == PID_DICTIONARY) {
                const DWORD names = r.U32(_T("the dictionary runs past the end of its section"));
                if (names > r.Left() / 8)
                    throw Damage{_T("the dictionary counts more names than its section holds")};
                std::set<PROPID> named;
                for (DWORD i = 0; i < names; ++i) {
                    const PROPID id = r.U32(_T("the dictionary runs past the end of its section"));
                    const DWORD length = r.U32(_T("the dictionary runs past the end of its section"));
                    const SIZE_T unit = result.m_nCodePage == CP_WINUNICODE ? 2 : 1;
                    if (length > r.Left() / unit)
                        throw Damage{_T("a name in the dictionary runs past the end of its section")};
                    const BYTE* p = r.Take(length * unit, _T("a name in the dictionary runs past the end of its section"));
                    if (unit == 2)
                        r.Align4();
                    if (named.insert(id).second)
                        result.m_names.emplace_back(id, DecodeText(p, length * unit, result.m_nCodePage));
                }
                continue;
            }
            PropVariant value;
            if (ReadValue(r, result.m_nCodePage, value))
                result.m_properties.emplace_back(propid, std::move(value));
        }
    } catch (const Damage& damage) {
        AfxThrowCompoundFileException(STG_E_DOCFILECORRUPT, lpszStreamName,
                                      CString(_T("its property set is damaged (")) + damage.what + _T(")"));
    }
    *this = std::move(result);
}
