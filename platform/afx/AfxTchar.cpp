#include "platform/afx/AfxTchar.h"

#include <QtCore/QChar>
#include <QtCore/QString>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <string>

#include "platform/afx/AfxStringFormat.h"

namespace {

char16_t Lower(char16_t ch)
{
    if (ch < 0x80)
        return (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch + 32) : ch;
    if (QChar::isSurrogate(ch))
        return ch;
    return static_cast<char16_t>(QChar::toLower(static_cast<char32_t>(ch)));
}

char16_t Upper(char16_t ch)
{
    if (ch < 0x80)
        return (ch >= u'a' && ch <= u'z') ? static_cast<char16_t>(ch - 32) : ch;
    if (QChar::isSurrogate(ch))
        return ch;
    const char32_t u = QChar::toUpper(static_cast<char32_t>(ch));
    return u > 0xFFFF ? ch : static_cast<char16_t>(u);
}

bool IsSpace(char16_t ch)
{
    return ch == u' ' || (ch >= 0x09 && ch <= 0x0D) || (ch >= 0x80 && QChar::isSpace(static_cast<char32_t>(ch)));
}

int DigitValue(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'a' && ch <= u'z')
        return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'Z')
        return ch - u'A' + 10;
    return 99;
}

// The integer reading shared by the strto* forms: magnitude, sign, overflow of 64 bits and the end.
struct IntScan
{
    unsigned long long magnitude = 0;
    bool negative = false;
    bool overflow = false;
    bool any = false;
    const char16_t* end = nullptr;
};

IntScan ScanInteger(const char16_t* psz, int nBase, size_t nMaxUnits = static_cast<size_t>(-1))
{
    IntScan r;
    r.end = psz;
    if (psz == nullptr || nBase < 0 || nBase == 1 || nBase > 36)
        return r;
    const char16_t* p = psz;
    const char16_t* limit = nMaxUnits == static_cast<size_t>(-1) ? nullptr : psz + nMaxUnits;
    auto more = [&](const char16_t* q) { return *q != 0 && (limit == nullptr || q < limit); };
    while (more(p) && IsSpace(*p) && limit == nullptr)
        ++p;
    if (more(p) && (*p == u'+' || *p == u'-')) {
        r.negative = *p == u'-';
        ++p;
    }
    if ((nBase == 0 || nBase == 16) && more(p) && *p == u'0' && more(p + 1) && (p[1] == u'x' || p[1] == u'X') &&
        more(p + 2) && DigitValue(p[2]) < 16) {
        p += 2;
        nBase = 16;
    } else if (nBase == 0) {
        nBase = (more(p) && *p == u'0') ? 8 : 10;
    }
    const unsigned long long max = std::numeric_limits<unsigned long long>::max();
    while (more(p) && DigitValue(*p) < nBase) {
        const unsigned d = static_cast<unsigned>(DigitValue(*p));
        if (r.magnitude > (max - d) / static_cast<unsigned>(nBase))
            r.overflow = true;
        else
            r.magnitude = r.magnitude * static_cast<unsigned>(nBase) + d;
        r.any = true;
        ++p;
    }
    if (r.any)
        r.end = p;
    return r;
}

// A signed value clamped to [lo, hi]; ERANGE when clamped.
long long ClampSigned(const IntScan& s, long long lo, long long hi)
{
    if (!s.any)
        return 0;
    if (s.negative) {
        const unsigned long long limit = static_cast<unsigned long long>(-(lo + 1)) + 1;
        if (s.overflow || s.magnitude > limit) {
            errno = ERANGE;
            return lo;
        }
        return s.magnitude == limit ? lo : -static_cast<long long>(s.magnitude);
    }
    if (s.overflow || s.magnitude > static_cast<unsigned long long>(hi)) {
        errno = ERANGE;
        return hi;
    }
    return static_cast<long long>(s.magnitude);
}

// An unsigned value; a leading minus negates in the unsigned type, as strtoul does.
unsigned long long ClampUnsigned(const IntScan& s, unsigned long long hi)
{
    if (!s.any)
        return 0;
    if (s.overflow || s.magnitude > hi) {
        errno = ERANGE;
        return hi;
    }
    return s.negative ? ((0 - s.magnitude) & hi) : s.magnitude;
}

locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Reads a floating-point number; the count of units used is returned through nUsed (0 when none).
double ScanDouble(const char16_t* psz, size_t nMaxUnits, size_t& nUsed)
{
    nUsed = 0;
    if (psz == nullptr)
        return 0.0;
    std::string ascii;
    for (size_t i = 0; i < nMaxUnits && psz[i] != 0 && psz[i] < 0x80; ++i) {
        // Spaces only lead; anything else that strtod cannot use ends its reading anyway.
        ascii.push_back(static_cast<char>(psz[i]));
        if (ascii.size() > 4096)
            break;
    }
    char* end = nullptr;
    const double v = strtod_l(ascii.c_str(), &end, CLocale());
    nUsed = static_cast<size_t>(end - ascii.c_str());
    return v;
}

char16_t* Mutable(const char16_t* p) { return const_cast<char16_t*>(p); }

}  // namespace

// ---- Length and copies -------------------------------------------------------------------------------

size_t _tcslen(LPCTSTR psz)
{
    if (psz == nullptr)
        return 0;
    return std::char_traits<char16_t>::length(psz);
}

size_t _tcsnlen(LPCTSTR psz, size_t nMax)
{
    if (psz == nullptr)
        return 0;
    size_t n = 0;
    while (n < nMax && psz[n] != 0)
        ++n;
    return n;
}

LPTSTR _tcscpy(LPTSTR pszDest, LPCTSTR pszSrc)
{
    if (pszDest == nullptr)
        return pszDest;
    const size_t n = _tcslen(pszSrc);
    std::memmove(pszDest, pszSrc == nullptr ? u"" : pszSrc, (n + 1) * sizeof(TCHAR));
    return pszDest;
}

LPTSTR _tcsncpy(LPTSTR pszDest, LPCTSTR pszSrc, size_t nCount)
{
    if (pszDest == nullptr)
        return pszDest;
    size_t i = 0;
    for (; i < nCount && pszSrc != nullptr && pszSrc[i] != 0; ++i)
        pszDest[i] = pszSrc[i];
    for (; i < nCount; ++i)
        pszDest[i] = 0;
    return pszDest;
}

LPTSTR _tcscat(LPTSTR pszDest, LPCTSTR pszSrc)
{
    if (pszDest != nullptr)
        _tcscpy(pszDest + _tcslen(pszDest), pszSrc);
    return pszDest;
}

errno_t _tcscpy_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszSrc)
{
    return _tcsncpy_s(pszDest, nDestSize, pszSrc, static_cast<size_t>(-2));
}

errno_t _tcsncpy_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszSrc, size_t nCount)
{
    if (pszDest == nullptr || nDestSize == 0)
        return EINVAL;
    if (pszSrc == nullptr) {
        pszDest[0] = 0;
        return nCount == 0 ? 0 : EINVAL;
    }
    const bool truncate = nCount == _TRUNCATE;
    const size_t want = _tcsnlen(pszSrc, truncate ? nDestSize : nCount);
    if (want < nDestSize) {
        std::memmove(pszDest, pszSrc, want * sizeof(TCHAR));
        pszDest[want] = 0;
        return 0;
    }
    if (truncate) {
        std::memmove(pszDest, pszSrc, (nDestSize - 1) * sizeof(TCHAR));
        pszDest[nDestSize - 1] = 0;
        return STRUNCATE;
    }
    pszDest[0] = 0;
    return ERANGE;
}

errno_t _tcscat_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszSrc)
{
    return _tcsncat_s(pszDest, nDestSize, pszSrc, static_cast<size_t>(-2));
}

errno_t _tcsncat_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszSrc, size_t nCount)
{
    if (pszDest == nullptr || nDestSize == 0)
        return EINVAL;
    const size_t used = _tcsnlen(pszDest, nDestSize);
    if (used == nDestSize) {
        // The destination is not terminated within its size.
        pszDest[0] = 0;
        return EINVAL;
    }
    if (pszSrc == nullptr) {
        if (nCount == 0)
            return 0;
        pszDest[0] = 0;
        return EINVAL;
    }
    const errno_t e = _tcsncpy_s(pszDest + used, nDestSize - used, pszSrc, nCount);
    if (e == ERANGE)
        pszDest[0] = 0;
    return e;
}

LPTSTR _tcsdup(LPCTSTR psz)
{
    if (psz == nullptr)
        return nullptr;
    const size_t n = _tcslen(psz);
    auto* p = static_cast<LPTSTR>(std::malloc((n + 1) * sizeof(TCHAR)));
    if (p != nullptr)
        std::memcpy(p, psz, (n + 1) * sizeof(TCHAR));
    return p;
}

LPTSTR _tcsrev(LPTSTR psz)
{
    if (psz != nullptr)
        std::reverse(psz, psz + _tcslen(psz));
    return psz;
}

// ---- Comparison --------------------------------------------------------------------------------------

namespace {

int CompareUnits(LPCTSTR a, LPCTSTR b, size_t nCount, bool bNoCase)
{
    if (a == nullptr || b == nullptr)
        return (a == nullptr ? 0 : 1) - (b == nullptr ? 0 : 1);
    for (size_t i = 0; i < nCount; ++i) {
        const char16_t ca = bNoCase ? Lower(a[i]) : a[i];
        const char16_t cb = bNoCase ? Lower(b[i]) : b[i];
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
    return 0;
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

}  // namespace

int _tcscmp(LPCTSTR a, LPCTSTR b) { return CompareUnits(a, b, static_cast<size_t>(-1), false); }
int _tcsncmp(LPCTSTR a, LPCTSTR b, size_t nCount) { return CompareUnits(a, b, nCount, false); }
int _tcsicmp(LPCTSTR a, LPCTSTR b) { return CompareUnits(a, b, static_cast<size_t>(-1), true); }
int _tcsnicmp(LPCTSTR a, LPCTSTR b, size_t nCount) { return CompareUnits(a, b, nCount, true); }

int _tcscoll(LPCTSTR a, LPCTSTR b)
{
    return Sign(CString(a).Collate(b == nullptr ? u"" : b));
}

int _tcsicoll(LPCTSTR a, LPCTSTR b)
{
    return Sign(CString(a).CollateNoCase(b == nullptr ? u"" : b));
}

// ---- Searching ---------------------------------------------------------------------------------------

LPCTSTR _tcschr(LPCTSTR psz, TCHAR ch)
{
    if (psz == nullptr)
        return nullptr;
    for (;; ++psz) {
        if (*psz == ch)
            return psz;
        if (*psz == 0)
            return nullptr;
    }
}
LPTSTR _tcschr(LPTSTR psz, TCHAR ch) { return Mutable(_tcschr(static_cast<LPCTSTR>(psz), ch)); }

LPCTSTR _tcsrchr(LPCTSTR psz, TCHAR ch)
{
    if (psz == nullptr)
        return nullptr;
    LPCTSTR found = nullptr;
    for (;; ++psz) {
        if (*psz == ch)
            found = psz;
        if (*psz == 0)
            return found;
    }
}
LPTSTR _tcsrchr(LPTSTR psz, TCHAR ch) { return Mutable(_tcsrchr(static_cast<LPCTSTR>(psz), ch)); }

LPCTSTR _tcsstr(LPCTSTR psz, LPCTSTR pszSub)
{
    if (psz == nullptr || pszSub == nullptr)
        return nullptr;
    const size_t n = _tcslen(pszSub);
    for (; *psz != 0; ++psz)
        if (_tcsncmp(psz, pszSub, n) == 0)
            return psz;
    return n == 0 ? psz : nullptr;
}
LPTSTR _tcsstr(LPTSTR psz, LPCTSTR pszSub) { return Mutable(_tcsstr(static_cast<LPCTSTR>(psz), pszSub)); }

LPCTSTR _tcspbrk(LPCTSTR psz, LPCTSTR pszSet)
{
    if (psz == nullptr || pszSet == nullptr)
        return nullptr;
    for (; *psz != 0; ++psz)
        if (_tcschr(pszSet, *psz) != nullptr)
            return psz;
    return nullptr;
}
LPTSTR _tcspbrk(LPTSTR psz, LPCTSTR pszSet) { return Mutable(_tcspbrk(static_cast<LPCTSTR>(psz), pszSet)); }

size_t _tcsspn(LPCTSTR psz, LPCTSTR pszSet)
{
    if (psz == nullptr || pszSet == nullptr)
        return 0;
    size_t n = 0;
    while (psz[n] != 0 && _tcschr(pszSet, psz[n]) != nullptr)
        ++n;
    return n;
}

size_t _tcscspn(LPCTSTR psz, LPCTSTR pszSet)
{
    if (psz == nullptr)
        return 0;
    size_t n = 0;
    while (psz[n] != 0 && (pszSet == nullptr || _tcschr(pszSet, psz[n]) == nullptr))
        ++n;
    return n;
}

LPTSTR _tcstok_s(LPTSTR psz, LPCTSTR pszDelim, LPTSTR* ppContext)
{
    if (ppContext == nullptr || pszDelim == nullptr)
        return nullptr;
    LPTSTR p = psz != nullptr ? psz : *ppContext;
    if (p == nullptr)
        return nullptr;
    p += _tcsspn(p, pszDelim);
    if (*p == 0) {
        *ppContext = p;
        return nullptr;
    }
    LPTSTR token = p;
    p += _tcscspn(p, pszDelim);
    if (*p != 0)
        *p++ = 0;
    *ppContext = p;
    return token;
}

// ---- Case --------------------------------------------------------------------------------------------

namespace {

errno_t MapCase(LPTSTR psz, size_t nSize, char16_t (*map)(char16_t))
{
    if (psz == nullptr || nSize == 0)
        return EINVAL;
    const size_t n = _tcsnlen(psz, nSize);
    if (n == nSize) {
        psz[0] = 0;
        return EINVAL;
    }
    for (size_t i = 0; i < n; ++i)
        psz[i] = map(psz[i]);
    return 0;
}

bool InRange(int ch) { return ch >= 0 && ch <= 0xFFFF; }

}  // namespace

errno_t _tcsupr_s(LPTSTR psz, size_t nSize) { return MapCase(psz, nSize, Upper); }
errno_t _tcslwr_s(LPTSTR psz, size_t nSize) { return MapCase(psz, nSize, Lower); }

LPTSTR _tcsupr(LPTSTR psz)
{
    for (LPTSTR p = psz; p != nullptr && *p != 0; ++p)
        *p = Upper(*p);
    return psz;
}

LPTSTR _tcslwr(LPTSTR psz)
{
    for (LPTSTR p = psz; p != nullptr && *p != 0; ++p)
        *p = Lower(*p);
    return psz;
}

int _totupper(int ch) { return InRange(ch) ? Upper(static_cast<char16_t>(ch)) : ch; }
int _totlower(int ch) { return InRange(ch) ? Lower(static_cast<char16_t>(ch)) : ch; }
int _istdigit(int ch) { return ch >= '0' && ch <= '9'; }
int _istxdigit(int ch) { return InRange(ch) && DigitValue(static_cast<char16_t>(ch)) < 16; }
int _istspace(int ch) { return InRange(ch) && IsSpace(static_cast<char16_t>(ch)); }
int _istalpha(int ch) { return InRange(ch) && QChar::isLetter(static_cast<char32_t>(ch)); }
int _istalnum(int ch) { return _istdigit(ch) || _istalpha(ch); }
int _istupper(int ch) { return InRange(ch) && QChar::isUpper(static_cast<char32_t>(ch)); }
int _istlower(int ch) { return InRange(ch) && QChar::isLower(static_cast<char32_t>(ch)); }
int _istpunct(int ch)
{
    return InRange(ch) && (QChar::isPunct(static_cast<char32_t>(ch)) || QChar::isSymbol(static_cast<char32_t>(ch)));
}
int _istprint(int ch) { return InRange(ch) && QChar::isPrint(static_cast<char32_t>(ch)); }
int _istcntrl(int ch) { return InRange(ch) && QChar::category(static_cast<char32_t>(ch)) == QChar::Other_Control; }

// ---- Numbers -----------------------------------------------------------------------------------------

namespace {

void SetEnd(LPTSTR* ppEnd, LPCTSTR psz, const IntScan& s)
{
    if (ppEnd != nullptr)
        *ppEnd = Mutable(s.any ? s.end : psz);
}

}  // namespace

LONG _tcstol(LPCTSTR psz, LPTSTR* ppEnd, int nBase)
{
    const IntScan s = ScanInteger(psz, nBase);
    SetEnd(ppEnd, psz, s);
    return static_cast<LONG>(ClampSigned(s, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

ULONG _tcstoul(LPCTSTR psz, LPTSTR* ppEnd, int nBase)
{
    const IntScan s = ScanInteger(psz, nBase);
    SetEnd(ppEnd, psz, s);
    return static_cast<ULONG>(ClampUnsigned(s, std::numeric_limits<ULONG>::max()));
}

LONGLONG _tcstoi64(LPCTSTR psz, LPTSTR* ppEnd, int nBase)
{
    const IntScan s = ScanInteger(psz, nBase);
    SetEnd(ppEnd, psz, s);
    return ClampSigned(s, std::numeric_limits<LONGLONG>::min(), std::numeric_limits<LONGLONG>::max());
}

ULONGLONG _tcstoui64(LPCTSTR psz, LPTSTR* ppEnd, int nBase)
{
    const IntScan s = ScanInteger(psz, nBase);
    SetEnd(ppEnd, psz, s);
    return ClampUnsigned(s, std::numeric_limits<ULONGLONG>::max());
}

double _tcstod(LPCTSTR psz, LPTSTR* ppEnd)
{
    size_t used = 0;
    const double v = ScanDouble(psz, static_cast<size_t>(-1), used);
    if (ppEnd != nullptr)
        *ppEnd = Mutable(psz == nullptr ? nullptr : psz + used);
    return v;
}

int _ttoi(LPCTSTR psz)
{
    return static_cast<int>(ClampSigned(ScanInteger(psz, 10), INT_MIN, INT_MAX));
}

LONG _ttol(LPCTSTR psz) { return _tcstol(psz, nullptr, 10); }
LONGLONG _ttoi64(LPCTSTR psz) { return _tcstoi64(psz, nullptr, 10); }
double _tstof(LPCTSTR psz) { return _tcstod(psz, nullptr); }

namespace {

errno_t ToDigits(unsigned long long magnitude, bool negative, LPTSTR pszDest, size_t nSize, int nBase)
{
    if (pszDest == nullptr || nSize == 0)
        return EINVAL;
    if (nBase < 2 || nBase > 36) {
        pszDest[0] = 0;
        return EINVAL;
    }
    char16_t digits[72];
    size_t n = 0;
    do {
        const unsigned d = static_cast<unsigned>(magnitude % static_cast<unsigned>(nBase));
        digits[n++] = static_cast<char16_t>(d < 10 ? u'0' + d : u'a' + d - 10);
        magnitude /= static_cast<unsigned>(nBase);
    } while (magnitude != 0);
    if (negative)
        digits[n++] = u'-';
    if (n + 1 > nSize) {
        pszDest[0] = 0;
        return ERANGE;
    }
    for (size_t i = 0; i < n; ++i)
        pszDest[i] = digits[n - 1 - i];
    pszDest[n] = 0;
    return 0;
}

errno_t SignedToDigits(long long v, LPTSTR pszDest, size_t nSize, int nBase)
{
    // Only base 10 shows a sign; other bases show the two's complement bits of the type.
    const bool negative = v < 0 && nBase == 10;
    const unsigned long long m = negative ? 0 - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    return ToDigits(m, negative, pszDest, nSize, nBase);
}

}  // namespace

errno_t _itot_s(int nValue, LPTSTR pszDest, size_t nSize, int nBase)
{
    if (nValue < 0 && nBase != 10)
        return ToDigits(static_cast<unsigned int>(nValue), false, pszDest, nSize, nBase);
    return SignedToDigits(nValue, pszDest, nSize, nBase);
}

errno_t _ltot_s(LONG nValue, LPTSTR pszDest, size_t nSize, int nBase)
{
    if (nValue < 0 && nBase != 10)
        return ToDigits(static_cast<ULONG>(nValue), false, pszDest, nSize, nBase);
    return SignedToDigits(nValue, pszDest, nSize, nBase);
}

errno_t _i64tot_s(LONGLONG nValue, LPTSTR pszDest, size_t nSize, int nBase)
{
    return SignedToDigits(nValue, pszDest, nSize, nBase);
}

errno_t _ui64tot_s(ULONGLONG nValue, LPTSTR pszDest, size_t nSize, int nBase)
{
    return ToDigits(nValue, false, pszDest, nSize, nBase);
}

// ---- printf forms ------------------------------------------------------------------------------------

int AfxFormatToBuffer(LPTSTR pszDest, size_t nDestSize, size_t nCount, LPCTSTR pszFormat,
                      const AfxFormatArg* args, int nArgs)
{
    if (pszDest == nullptr || nDestSize == 0)
        return -1;
    if (pszFormat == nullptr) {
        pszDest[0] = 0;
        return -1;
    }
    std::u16string text;
    AfxFormatTo(text, pszFormat, args, nArgs);
    const bool truncate = nCount == _TRUNCATE;
    const size_t room = truncate ? nDestSize - 1 : std::min(nCount, nDestSize - 1);
    if (text.size() <= room) {
        std::memcpy(pszDest, text.data(), text.size() * sizeof(TCHAR));
        pszDest[text.size()] = 0;
        return static_cast<int>(text.size());
    }
    if (truncate) {
        std::memcpy(pszDest, text.data(), room * sizeof(TCHAR));
        pszDest[room] = 0;
        return -1;
    }
    if (nCount < nDestSize) {
        // The caller asked for at most nCount units and the buffer holds them: the MS form writes
        // those and reports the text as cut short.
        std::memcpy(pszDest, text.data(), nCount * sizeof(TCHAR));
        pszDest[nCount] = 0;
        return -1;
    }
    pszDest[0] = 0;
    return -1;
}

// ---- scanf forms -------------------------------------------------------------------------------------

namespace {

using Kind = AfxScanArg::Kind;

bool StoreInteger(const AfxScanArg& a, long long sv, unsigned long long uv, bool isSigned)
{
    const unsigned long long bits = isSigned ? static_cast<unsigned long long>(sv) : uv;
    switch (a.kind) {
    case Kind::I8: *static_cast<signed char*>(a.p) = static_cast<signed char>(bits); return true;
    case Kind::U8: *static_cast<unsigned char*>(a.p) = static_cast<unsigned char>(bits); return true;
    case Kind::I16: *static_cast<std::int16_t*>(a.p) = static_cast<std::int16_t>(bits); return true;
    case Kind::U16: *static_cast<std::uint16_t*>(a.p) = static_cast<std::uint16_t>(bits); return true;
    case Kind::I32: *static_cast<std::int32_t*>(a.p) = static_cast<std::int32_t>(bits); return true;
    case Kind::U32: *static_cast<std::uint32_t*>(a.p) = static_cast<std::uint32_t>(bits); return true;
    case Kind::I64: *static_cast<std::int64_t*>(a.p) = static_cast<std::int64_t>(bits); return true;
    case Kind::U64: *static_cast<std::uint64_t*>(a.p) = static_cast<std::uint64_t>(bits); return true;
    default: return false;
    }
}

bool StoreReal(const AfxScanArg& a, double v)
{
    switch (a.kind) {
    case Kind::Float: *static_cast<float*>(a.p) = static_cast<float>(v); return true;
    case Kind::Double: *static_cast<double*>(a.p) = v; return true;
    case Kind::LongDouble: *static_cast<long double*>(a.p) = v; return true;
    default: return false;
    }
}

bool IsTextTarget(Kind k) { return k == Kind::WideBuf || k == Kind::NarrowBuf || k == Kind::WideString; }

// Stores text into a text target of the given room (units including any terminator).
bool StoreText(const AfxScanArg& a, const std::u16string& text, size_t room, bool terminate)
{
    if (a.kind == Kind::WideString) {
        *static_cast<CString*>(a.p) = CString(text);
        return true;
    }
    if (a.kind == Kind::WideBuf) {
        auto* dest = static_cast<char16_t*>(a.p);
        const size_t need = text.size() + (terminate ? 1 : 0);
        if (need > room) {
            if (room > 0)
                dest[0] = 0;
            return false;
        }
        std::memcpy(dest, text.data(), text.size() * sizeof(char16_t));
        if (terminate)
            dest[text.size()] = 0;
        return true;
    }
    if (a.kind == Kind::NarrowBuf) {
        const std::string utf8 = CString(text).ToUtf8();
        auto* dest = static_cast<char*>(a.p);
        const size_t need = utf8.size() + (terminate ? 1 : 0);
        if (need > room) {
            if (room > 0)
                dest[0] = 0;
            return false;
        }
        std::memcpy(dest, utf8.data(), utf8.size());
        if (terminate)
            dest[utf8.size()] = 0;
        return true;
    }
    return false;
}

// Parses a %[...] set starting after '['; returns the position after ']' (or the end of the format).
const char16_t* ParseSet(const char16_t* f, bool& negate, std::u16string& set)
{
    negate = false;
    if (*f == u'^') {
        negate = true;
        ++f;
    }
    if (*f == u']') {
        set.push_back(u']');
        ++f;
    }
    while (*f != 0 && *f != u']') {
        if (f[1] == u'-' && f[2] != 0 && f[2] != u']' && f[2] >= f[0]) {
            for (char32_t c = f[0]; c <= f[2]; ++c)
                set.push_back(static_cast<char16_t>(c));
            f += 3;
        } else {
            set.push_back(*f++);
        }
    }
    if (*f == u']')
        ++f;
    return f;
}

}  // namespace

int AfxScan(LPCTSTR pszInput, LPCTSTR pszFormat, const AfxScanArg* args, int nArgs, bool bSecure)
{
    if (pszInput == nullptr || pszFormat == nullptr)
        return _TEOF;
    const char16_t* in = pszInput;
    const char16_t* f = pszFormat;
    int nextArg = 0;
    int stored = 0;
    bool anyConversion = false;

    auto take = [&]() -> const AfxScanArg* { return nextArg < nArgs ? &args[nextArg++] : nullptr; };
    auto inputEnded = [&]() { return stored == 0 && !anyConversion ? _TEOF : stored; };

    while (*f != 0) {
        if (IsSpace(*f)) {
            while (IsSpace(*f))
                ++f;
            while (IsSpace(*in))
                ++in;
            continue;
        }
        if (*f != u'%' || f[1] == u'%') {
            const char16_t want = *f;
            f += (want == u'%') ? 2 : 1;
            if (want == u'%')
                while (IsSpace(*in))
                    ++in;
            if (*in == 0)
                return inputEnded();
            if (*in != want)
                return stored;
            ++in;
            continue;
        }
        ++f;
        bool suppress = false;
        if (*f == u'*') {
            suppress = true;
            ++f;
        }
        size_t width = 0;
        while (*f >= u'0' && *f <= u'9') {
            width = std::min<size_t>(width * 10 + static_cast<size_t>(*f - u'0'), 1u << 20);
            ++f;
        }
        // Length modifiers say nothing that the target's type does not.
        while (*f == u'h' || *f == u'l' || *f == u'L' || *f == u'w' || *f == u'z' || *f == u'j' || *f == u't' ||
               (*f == u'I' && ((f[1] == u'6' && f[2] == u'4') || (f[1] == u'3' && f[2] == u'2')))) {
            f += (*f == u'I') ? 3 : 1;
        }
        const char16_t conv = *f;
        if (conv == 0)
            return stored;
        ++f;

        if (conv == u'n') {
            if (!suppress) {
                const AfxScanArg* a = take();
                if (a == nullptr || !StoreInteger(*a, in - pszInput, 0, true))
                    return stored;
            }
            continue;
        }
        if (conv != u'c' && conv != u'[')
            while (IsSpace(*in))
                ++in;
        if (*in == 0)
            return inputEnded();
        anyConversion = true;
        const size_t limit = width == 0 ? static_cast<size_t>(-1) : width;

        switch (conv) {
        case u'd':
        case u'i':
        case u'u':
        case u'x':
        case u'X':
        case u'o': {
            const int base = conv == u'i' ? 0 : (conv == u'x' || conv == u'X') ? 16 : conv == u'o' ? 8 : 10;
            const IntScan s = ScanInteger(in, base, limit);
            if (!s.any)
                return stored;
            in = s.end;
            if (suppress)
                break;
            const AfxScanArg* a = take();
            if (a == nullptr)
                return stored;
            const long long sv = s.negative ? -static_cast<long long>(s.magnitude) : static_cast<long long>(s.magnitude);
            const unsigned long long uv = s.negative ? 0 - s.magnitude : s.magnitude;
            if (!StoreInteger(*a, sv, uv, conv == u'd' || conv == u'i'))
                return stored;
            ++stored;
            break;
        }
        case u'f':
        case u'F':
        case u'e':
        case u'E':
        case u'g':
        case u'G':
        case u'a':
        case u'A': {
            size_t used = 0;
            const double v = ScanDouble(in, limit, used);
            if (used == 0)
                return stored;
            in += used;
            if (suppress)
                break;
            const AfxScanArg* a = take();
            if (a == nullptr || !StoreReal(*a, v))
                return stored;
            ++stored;
            break;
        }
        case u's':
        case u'S':
        case u'c':
        case u'C':
        case u'[': {
            std::u16string text;
            bool negate = false;
            std::u16string set;
            if (conv == u'[')
                f = ParseSet(f, negate, set);
            const bool isChar = conv == u'c' || conv == u'C';
            const size_t max = isChar && width == 0 ? 1 : limit;
            while (*in != 0 && text.size() < max) {
                if (conv == u's' || conv == u'S') {
                    if (IsSpace(*in))
                        break;
                } else if (conv == u'[') {
                    const bool inSet = set.find(*in) != std::u16string::npos;
                    if (inSet == negate)
                        break;
                }
                text.push_back(*in++);
            }
            if (text.empty() || (isChar && text.size() < max))
                return stored;
            if (suppress)
                break;
            const AfxScanArg* a = take();
            if (a == nullptr || !IsTextTarget(a->kind))
                return stored;
            size_t room = a->nCapacity != 0 ? a->nCapacity : static_cast<size_t>(-1);
            if (bSecure && a->kind != Kind::WideString) {
                const AfxScanArg* size = take();
                if (size == nullptr || size->kind != Kind::Size)
                    return stored;
                room = std::min(room, size->nSize);
            }
            if (!StoreText(*a, text, room, !isChar))
                return stored;
            ++stored;
            break;
        }
        default:
            return stored;
        }
    }
    return stored;
}

// ---- Time and locale ---------------------------------------------------------------------------------

size_t _tcsftime(LPTSTR pszDest, size_t nMax, LPCTSTR pszFormat, const struct tm* ptm)
{
    if (pszDest == nullptr || nMax == 0)
        return 0;
    pszDest[0] = 0;
    if (pszFormat == nullptr || ptm == nullptr)
        return 0;
    // Turn the # flag into what strftime knows: long date forms and numbers without padding.
    std::u16string format;
    for (const char16_t* p = pszFormat; *p != 0; ++p) {
        if (*p != u'%') {
            format.push_back(*p);
            continue;
        }
        if (p[1] == u'#') {
            const char16_t c = p[2];
            p += 2;
            if (c == 0)
                break;
            switch (c) {
            case u'c': format += u"%A, %B %-d, %Y %X"; break;
            case u'x': format += u"%A, %B %-d, %Y"; break;
            case u'd': case u'H': case u'I': case u'j': case u'm': case u'M': case u'S': case u'U':
            case u'w': case u'W': case u'y': case u'Y':
                format += u"%-";
                format.push_back(c);
                break;
            default:
                format.push_back(u'%');
                format.push_back(c);
                break;
            }
            continue;
        }
        format.push_back(u'%');
        if (p[1] != 0)
            format.push_back(*++p);
    }
    if (format.empty())
        return 0;
    const std::string narrowFormat = CString(format).ToUtf8();
    std::string buffer(std::max<size_t>(256, nMax * 4 + 4), '\0');
    const size_t n = std::strftime(buffer.data(), buffer.size(), narrowFormat.c_str(), ptm);
    if (n == 0)
        return 0;
    const CString text = CString::FromUtf8(buffer.substr(0, n));
    const size_t len = static_cast<size_t>(text.GetLength());
    if (len + 1 > nMax)
        return 0;
    std::memcpy(pszDest, text.GetString(), (len + 1) * sizeof(TCHAR));
    return len;
}

LPCTSTR _tsetlocale(int nCategory, LPCTSTR pszLocale)
{
    thread_local std::u16string result;
    const char* name = nullptr;
    std::string narrow;
    if (pszLocale != nullptr) {
        narrow = CString(pszLocale).ToUtf8();
        name = narrow.c_str();
    }
    const char* r = std::setlocale(nCategory, name);
    if (r == nullptr)
        return nullptr;
    result = CString::FromUtf8(r).str();
    return result.c_str();
}

// ---- Win32 forms -------------------------------------------------------------------------------------

int lstrlen(LPCTSTR psz) { return static_cast<int>(std::min<size_t>(_tcslen(psz), INT_MAX)); }

LPTSTR lstrcpy(LPTSTR pszDest, LPCTSTR pszSrc)
{
    if (pszDest == nullptr || pszSrc == nullptr)
        return nullptr;
    return _tcscpy(pszDest, pszSrc);
}

LPTSTR lstrcpyn(LPTSTR pszDest, LPCTSTR pszSrc, int nMax)
{
    if (pszDest == nullptr || pszSrc == nullptr || nMax <= 0)
        return nullptr;
    const size_t n = _tcsnlen(pszSrc, static_cast<size_t>(nMax - 1));
    std::memmove(pszDest, pszSrc, n * sizeof(TCHAR));
    pszDest[n] = 0;
    return pszDest;
}

LPTSTR lstrcat(LPTSTR pszDest, LPCTSTR pszSrc)
{
    if (pszDest == nullptr || pszSrc == nullptr)
        return nullptr;
    return _tcscat(pszDest, pszSrc);
}

int lstrcmp(LPCTSTR a, LPCTSTR b)
{
    if (a == nullptr || b == nullptr)
        return _tcscmp(a, b);
    return _tcscoll(a, b);
}

int lstrcmpi(LPCTSTR a, LPCTSTR b)
{
    if (a == nullptr || b == nullptr)
        return _tcscmp(a, b);
    return _tcsicoll(a, b);
}
