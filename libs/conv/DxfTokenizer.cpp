#include "libs/conv/DxfTokenizer.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kBinarySentinel[] = "AutoCAD Binary DXF\r\n\x1a";  // followed by a NUL: 22 bytes in all
constexpr size_t kSentinelLength = 22;
// The fewest bytes one group can take (text: a one-digit code, an empty value, two line ends; binary: a
// one-byte code with a one-byte value); a count cannot ask for more items than groups remain.
constexpr size_t kMinGroupBytes = 3;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

void Trim(const char*& p, size_t& n)
{
    while (n > 0 && IsSpace(*p)) {
        ++p;
        --n;
    }
    while (n > 0 && IsSpace(p[n - 1]))
        --n;
}

// A whole decimal number, optional sign; false for anything else or a value outside long long.
bool ParseInteger(const char* p, size_t n, long long& out)
{
    Trim(p, n);
    if (n == 0 || n > 30)
        return false;
    char buf[32];
    std::memcpy(buf, p, n);
    buf[n] = '\0';
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(buf, &end, 10);
    if (errno != 0 || end != buf + n)
        return false;
    out = v;
    return true;
}

bool ParseDouble(const std::string& s, double& out)
{
    const char* p = s.c_str();
    size_t n = s.size();
    Trim(p, n);
    if (n == 0 || n > 64)
        return false;
    char buf[72];
    std::memcpy(buf, p, n);
    buf[n] = '\0';
    // Some writers use a decimal comma.
    for (size_t i = 0; i < n; ++i)
        if (buf[i] == ',')
            buf[i] = '.';
    char* end = nullptr;
    const double v = std::strtod(buf, &end);
    if (end != buf + n || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool IsCountCode(const std::string& entity, int nCode)
{
    if (entity == "LWPOLYLINE")
        return nCode == 90;
    if (entity == "SPLINE")
        return nCode == 72 || nCode == 73 || nCode == 74;
    if (entity == "LEADER")
        return nCode == 76;
    if (entity == "HATCH")
        return nCode == 91 || nCode == 93 || nCode == 95 || nCode == 96 || nCode == 97 || nCode == 98;
    return false;
}

}  // namespace

DxfTokenizer::DxfTokenizer(const char* pData, size_t nSize) : m_pData(pData), m_nSize(pData != nullptr ? nSize : 0)
{
    if (m_nSize >= kSentinelLength && std::memcmp(m_pData, kBinarySentinel, kSentinelLength) == 0) {
        m_bBinary = true;
        m_nPos = kSentinelLength;
        // Files before R13 write one-byte codes: the first group is then 0 followed directly by "SECTION".
        m_bOneByteCodes = m_nSize > m_nPos + 1 && m_pData[m_nPos] == 0 && m_pData[m_nPos + 1] != 0;
    }
}

DxfTokenizer::ValueKind DxfTokenizer::GetValueKind(int c)
{
    if (c == 1004 || (c >= 310 && c <= 319))
        return kindBinary;
    if ((c >= 10 && c <= 59) || (c >= 110 && c <= 149) || (c >= 210 && c <= 239) || (c >= 460 && c <= 469) ||
        (c >= 1010 && c <= 1059))
        return kindDouble;
    if ((c >= 60 && c <= 79) || (c >= 170 && c <= 179) || (c >= 270 && c <= 289) || (c >= 370 && c <= 389) ||
        (c >= 400 && c <= 409) || (c >= 1060 && c <= 1070))
        return kindInt16;
    if ((c >= 90 && c <= 99) || (c >= 420 && c <= 429) || (c >= 440 && c <= 459) || c == 1071)
        return kindInt32;
    if (c >= 160 && c <= 169)
        return kindInt64;
    if (c >= 290 && c <= 299)
        return kindByte;
    return kindString;
}

int DxfTokenizer::Next(int& nCode, std::string& value)
{
    if (m_nFailure != 0)
        return m_nFailure;
    const int r = m_bBinary ? ReadBinary(nCode, value) : ReadText(nCode, value);
    if (r != 1)
        return r;
    const int check = CheckGroup(nCode, value);
    if (check != 1)
        return Fail(check);
    ++m_nGroups;
    return 1;
}

bool DxfTokenizer::ReadLine(const char*& pBegin, size_t& nLength)
{
    if (m_nPos >= m_nSize)
        return false;
    const char* p = m_pData + m_nPos;
    const size_t rest = m_nSize - m_nPos;
    const void* nl = std::memchr(p, '\n', rest);
    size_t len = nl != nullptr ? static_cast<size_t>(static_cast<const char*>(nl) - p) : rest;
    m_nPos += nl != nullptr ? len + 1 : len;
    if (len > 0 && p[len - 1] == '\r')
        --len;
    pBegin = p;
    nLength = len;
    return true;
}

int DxfTokenizer::ReadText(int& nCode, std::string& value)
{
    const char* p = nullptr;
    size_t n = 0;
    // Blank lines between groups are tolerated only at the very end.
    if (!ReadLine(p, n))
        return 0;
    long long code = 0;
    if (!ParseInteger(p, n, code)) {
        // The first line decides whether this is DXF at all.
        if (m_nGroups == 0)
            return Fail(codeNotDxf);
        size_t t = n;
        const char* q = p;
        Trim(q, t);
        if (t == 0 && m_nPos >= m_nSize)
            return 0;
        return Fail(codeDamaged);
    }
    if (code < 0 || code > kMaxGroupCode)
        return Fail(m_nGroups == 0 ? codeNotDxf : codeDamaged);
    const char* v = nullptr;
    size_t vn = 0;
    if (!ReadLine(v, vn))
        return Fail(m_nGroups == 0 ? codeNotDxf : codeDamaged);  // a code without its value: cut off
    if (vn > kMaxValueLength)
        return Fail(codeBeyondLimits);
    Trim(v, vn);
    nCode = static_cast<int>(code);
    value.assign(v, vn);
    return 1;
}

int DxfTokenizer::ReadBinary(int& nCode, std::string& value)
{
    if (m_nPos >= m_nSize)
        return 0;
    auto need = [this](size_t n) { return m_nSize - m_nPos >= n; };
    int code = 0;
    if (m_bOneByteCodes) {
        const unsigned char b = static_cast<unsigned char>(m_pData[m_nPos++]);
        if (b == 255) {
            if (!need(2))
                return Fail(codeDamaged);
            code = static_cast<unsigned char>(m_pData[m_nPos]) | (static_cast<unsigned char>(m_pData[m_nPos + 1]) << 8);
            m_nPos += 2;
        } else {
            code = b;
        }
    } else {
        if (!need(2))
            return Fail(codeDamaged);
        code = static_cast<unsigned char>(m_pData[m_nPos]) | (static_cast<unsigned char>(m_pData[m_nPos + 1]) << 8);
        m_nPos += 2;
    }
    if (code > kMaxGroupCode)
        return Fail(codeDamaged);
    nCode = code;
    const unsigned char* u = reinterpret_cast<const unsigned char*>(m_pData);
    char buf[64];
    switch (GetValueKind(code)) {
    case kindString: {
        const size_t rest = m_nSize - m_nPos;
        const void* z = std::memchr(m_pData + m_nPos, '\0', rest < kMaxValueLength + 1 ? rest : kMaxValueLength + 1);
        if (z == nullptr)
            return Fail(rest > kMaxValueLength ? codeBeyondLimits : codeDamaged);
        const size_t len = static_cast<size_t>(static_cast<const char*>(z) - (m_pData + m_nPos));
        value.assign(m_pData + m_nPos, len);
        m_nPos += len + 1;
        return 1;
    }
    case kindDouble: {
        if (!need(8))
            return Fail(codeDamaged);
        double d = 0.0;
        std::memcpy(&d, m_pData + m_nPos, 8);  // little-endian, as this platform
        m_nPos += 8;
        if (!std::isfinite(d))
            return Fail(codeDamaged);
        std::snprintf(buf, sizeof buf, "%.17g", d);
        value = buf;
        return 1;
    }
    case kindInt16: {
        if (!need(2))
            return Fail(codeDamaged);
        const int16_t v = static_cast<int16_t>(u[m_nPos] | (u[m_nPos + 1] << 8));
        m_nPos += 2;
        value = std::to_string(v);
        return 1;
    }
    case kindInt32: {
        if (!need(4))
            return Fail(codeDamaged);
        const uint32_t v = uint32_t(u[m_nPos]) | (uint32_t(u[m_nPos + 1]) << 8) | (uint32_t(u[m_nPos + 2]) << 16) |
                           (uint32_t(u[m_nPos + 3]) << 24);
        m_nPos += 4;
        value = std::to_string(static_cast<int32_t>(v));
        return 1;
    }
    case kindInt64: {
        if (!need(8))
            return Fail(codeDamaged);
        int64_t v = 0;
        std::memcpy(&v, m_pData + m_nPos, 8);
        m_nPos += 8;
        value = std::to_string(v);
        return 1;
    }
    case kindByte:
        if (!need(1))
            return Fail(codeDamaged);
        value = std::to_string(u[m_nPos++]);
        return 1;
    case kindBinary: {
        if (!need(1))
            return Fail(codeDamaged);
        const size_t len = u[m_nPos++];
        if (!need(len))
            return Fail(codeDamaged);
        static const char hex[] = "0123456789ABCDEF";
        value.resize(len * 2);
        for (size_t i = 0; i < len; ++i) {
            value[2 * i] = hex[u[m_nPos + i] >> 4];
            value[2 * i + 1] = hex[u[m_nPos + i] & 15];
        }
        m_nPos += len;
        return 1;
    }
    }
    return Fail(codeDamaged);
}

int DxfTokenizer::CheckCount(const std::string& value)
{
    long long n = 0;
    if (!ParseInteger(value.c_str(), value.size(), n) || n < 0)
        return codeDamaged;
    const size_t rest = m_nSize - m_nPos;
    if (static_cast<unsigned long long>(n) > rest / kMinGroupBytes)
        return codeBeyondLimits;
    return 1;
}

int DxfTokenizer::CheckGroup(int nCode, const std::string& value)
{
    if (nCode == 0) {
        m_entity = value;
        m_bPolylineCount = false;
        m_bPolylineVertex = false;
        return 1;
    }
    switch (GetValueKind(nCode)) {
    case kindDouble: {
        double d = 0.0;
        if (!ParseDouble(value, d))
            return codeDamaged;
        break;
    }
    case kindInt16: case kindInt32: case kindInt64: case kindByte: {
        long long v = 0;
        if (!ParseInteger(value.c_str(), value.size(), v) || v < INT32_MIN || v > INT32_MAX) {
            // Integers written with a fraction by some programs ("1.0") are read as numbers.
            double d = 0.0;
            if (!ParseDouble(value, d) || d < INT32_MIN || d > INT32_MAX)
                return codeDamaged;
        }
        break;
    }
    default:
        break;
    }
    if (IsCountCode(m_entity, nCode)) {
        const int r = CheckCount(value);
        if (r != 1)
            return r;
        if (m_entity == "LWPOLYLINE") {
            long long n = 0;
            ParseInteger(value.c_str(), value.size(), n);
            m_bPolylineCount = n > 0;
            m_bPolylineVertex = false;
        }
        return 1;
    }
    if (m_entity == "LWPOLYLINE" && (nCode == 10 || nCode == 20 || nCode == 30 || nCode == 42)) {
        // The reader behind us stores vertices in an array sized by the count: a vertex before the count,
        // or a bulge before the first vertex, would land outside it.
        if (!m_bPolylineCount)
            return codeDamaged;
        if (nCode == 10)
            m_bPolylineVertex = true;
        else if (nCode == 42 && !m_bPolylineVertex)
            return codeDamaged;
    }
    return 1;
}
