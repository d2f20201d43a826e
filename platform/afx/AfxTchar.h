#pragma once
// The C run-time's text functions over UTF-16 (TCHAR = WCHAR = char16_t): lengths, copies with the
// checked _s forms, comparison, searching, numbers, printf and scanf forms, character classes, time
// formatting and the lstr* forms. The wcs* names are given as char16_t overloads beside the C library's
// wchar_t ones.
//
// Error rules of the _s forms: a null destination or a size of 0 gives EINVAL; a null source empties the
// destination and gives EINVAL; a destination too small empties it and gives ERANGE, or, with a count of
// _TRUNCATE, keeps what fits and gives STRUNCATE. None of them ever writes past the size given.
//
// Numbers are read with '.' as the decimal point whatever the C locale says. long is the 32-bit LONG of
// the original platform: _tcstol and _tcstoul clamp to its range and set errno to ERANGE.

#include <cerrno>
#include <cstddef>
#include <ctime>
#include <type_traits>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

typedef int errno_t;

#ifndef _TRUNCATE
#define _TRUNCATE (static_cast<size_t>(-1))
#endif
#ifndef STRUNCATE
#define STRUNCATE 80
#endif
#ifndef _TEOF
#define _TEOF (-1)
#endif

// ---- Length and copies -------------------------------------------------------------------------------
size_t _tcslen(LPCTSTR psz);                          // 0 for null
size_t _tcsnlen(LPCTSTR psz, size_t nMax);            // at most nMax
LPTSTR _tcscpy(LPTSTR pszDest, LPCTSTR pszSrc);
LPTSTR _tcsncpy(LPTSTR pszDest, LPCTSTR pszSrc, size_t nCount);  // pads with NULs, may leave no NUL
LPTSTR _tcscat(LPTSTR pszDest, LPCTSTR pszSrc);
errno_t _tcscpy_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszSrc);
errno_t _tcsncpy_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszSrc, size_t nCount);
errno_t _tcscat_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszSrc);
errno_t _tcsncat_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszSrc, size_t nCount);
// A copy in memory from malloc (release with free); null for null.
LPTSTR _tcsdup(LPCTSTR psz);

template <size_t N>
errno_t _tcscpy_s(TCHAR (&dest)[N], LPCTSTR pszSrc) { return _tcscpy_s(dest, N, pszSrc); }
template <size_t N>
errno_t _tcsncpy_s(TCHAR (&dest)[N], LPCTSTR pszSrc, size_t nCount) { return _tcsncpy_s(dest, N, pszSrc, nCount); }
template <size_t N>
errno_t _tcscat_s(TCHAR (&dest)[N], LPCTSTR pszSrc) { return _tcscat_s(dest, N, pszSrc); }
template <size_t N>
errno_t _tcsncat_s(TCHAR (&dest)[N], LPCTSTR pszSrc, size_t nCount) { return _tcsncat_s(dest, N, pszSrc, nCount); }

// Units are characters here: these step and count by code unit.
inline size_t _tcsclen(LPCTSTR psz) { return _tcslen(psz); }
inline LPCTSTR _tcsinc(LPCTSTR psz) { return psz + 1; }
inline LPTSTR _tcsinc(LPTSTR psz) { return psz + 1; }
inline unsigned _tcsnextc(LPCTSTR psz) { return psz == nullptr ? 0u : static_cast<unsigned>(*psz); }
// Reverses in place (by code unit).
LPTSTR _tcsrev(LPTSTR psz);

// ---- Comparison --------------------------------------------------------------------------------------
// By code unit; the case-blind forms compare the lower-case forms of the units. A null string sorts first.
int _tcscmp(LPCTSTR a, LPCTSTR b);
int _tcsncmp(LPCTSTR a, LPCTSTR b, size_t nCount);
int _tcsicmp(LPCTSTR a, LPCTSTR b);
int _tcsnicmp(LPCTSTR a, LPCTSTR b, size_t nCount);
inline int _tcsncicmp(LPCTSTR a, LPCTSTR b, size_t nCount) { return _tcsnicmp(a, b, nCount); }
inline int _tcsnccmp(LPCTSTR a, LPCTSTR b, size_t nCount) { return _tcsncmp(a, b, nCount); }
int _tcscoll(LPCTSTR a, LPCTSTR b);   // by the user's locale
int _tcsicoll(LPCTSTR a, LPCTSTR b);

// ---- Searching ---------------------------------------------------------------------------------------
LPCTSTR _tcschr(LPCTSTR psz, TCHAR ch);     // ch 0 finds the terminator
LPTSTR _tcschr(LPTSTR psz, TCHAR ch);
LPCTSTR _tcsrchr(LPCTSTR psz, TCHAR ch);
LPTSTR _tcsrchr(LPTSTR psz, TCHAR ch);
LPCTSTR _tcsstr(LPCTSTR psz, LPCTSTR pszSub);  // an empty pszSub finds psz
LPTSTR _tcsstr(LPTSTR psz, LPCTSTR pszSub);
LPCTSTR _tcspbrk(LPCTSTR psz, LPCTSTR pszSet);
LPTSTR _tcspbrk(LPTSTR psz, LPCTSTR pszSet);
size_t _tcsspn(LPCTSTR psz, LPCTSTR pszSet);
size_t _tcscspn(LPCTSTR psz, LPCTSTR pszSet);
// Tokens split at any unit of pszDelim; the position is kept in *ppContext.
LPTSTR _tcstok_s(LPTSTR psz, LPCTSTR pszDelim, LPTSTR* ppContext);

// ---- Case --------------------------------------------------------------------------------------------
errno_t _tcsupr_s(LPTSTR psz, size_t nSize);
errno_t _tcslwr_s(LPTSTR psz, size_t nSize);
template <size_t N>
errno_t _tcsupr_s(TCHAR (&s)[N]) { return _tcsupr_s(s, N); }
template <size_t N>
errno_t _tcslwr_s(TCHAR (&s)[N]) { return _tcslwr_s(s, N); }
LPTSTR _tcsupr(LPTSTR psz);
LPTSTR _tcslwr(LPTSTR psz);

// Character classes take any int (as the C functions do); values outside UTF-16 are in no class.
int _totupper(int ch);
int _totlower(int ch);
int _istdigit(int ch);    // '0'..'9' only, so that what passes can be read as a number
int _istxdigit(int ch);
int _istspace(int ch);
int _istalpha(int ch);
int _istalnum(int ch);
int _istupper(int ch);
int _istlower(int ch);
int _istpunct(int ch);
int _istprint(int ch);
int _istcntrl(int ch);

// ---- Numbers -----------------------------------------------------------------------------------------
// Leading white space, a sign, then digits (for base 0 or 16 an optional 0x; base 0 reads 0... as
// octal). The end pointer, when given, is set after the last unit used, or to the start when no number.
LONG _tcstol(LPCTSTR psz, LPTSTR* ppEnd, int nBase);
ULONG _tcstoul(LPCTSTR psz, LPTSTR* ppEnd, int nBase);
LONGLONG _tcstoi64(LPCTSTR psz, LPTSTR* ppEnd, int nBase);
ULONGLONG _tcstoui64(LPCTSTR psz, LPTSTR* ppEnd, int nBase);
double _tcstod(LPCTSTR psz, LPTSTR* ppEnd);  // ERANGE with +-HUGE_VAL or 0 when out of range
int _ttoi(LPCTSTR psz);          // clamped to the int range; 0 for null or no number
LONG _ttol(LPCTSTR psz);
LONGLONG _ttoi64(LPCTSTR psz);
double _tstof(LPCTSTR psz);
// Digits in the given base (2..36) into a buffer; EINVAL or ERANGE (empties the buffer) as the _s rules.
errno_t _itot_s(int nValue, LPTSTR pszDest, size_t nSize, int nBase);
errno_t _ltot_s(LONG nValue, LPTSTR pszDest, size_t nSize, int nBase);
errno_t _i64tot_s(LONGLONG nValue, LPTSTR pszDest, size_t nSize, int nBase);
errno_t _ui64tot_s(ULONGLONG nValue, LPTSTR pszDest, size_t nSize, int nBase);
template <size_t N>
errno_t _itot_s(int nValue, TCHAR (&dest)[N], int nBase) { return _itot_s(nValue, dest, N, nBase); }
template <size_t N>
errno_t _i64tot_s(LONGLONG nValue, TCHAR (&dest)[N], int nBase) { return _i64tot_s(nValue, dest, N, nBase); }
// The unchecked forms only into arrays, whose size is known; a result that does not fit leaves "".
template <size_t N>
LPTSTR _itot(int nValue, TCHAR (&dest)[N], int nBase) { _itot_s(nValue, dest, N, nBase); return dest; }
template <size_t N>
LPTSTR _ltot(LONG nValue, TCHAR (&dest)[N], int nBase) { _ltot_s(nValue, dest, N, nBase); return dest; }
template <size_t N>
LPTSTR _i64tot(LONGLONG nValue, TCHAR (&dest)[N], int nBase) { _i64tot_s(nValue, dest, N, nBase); return dest; }

// ---- printf forms ------------------------------------------------------------------------------------
// The conversions are CString::Format's. Each gives the count of units written without the NUL, or -1:
// _stprintf_s on a null buffer or one too small (the buffer is emptied); _sntprintf_s when nCount units
// or the buffer cannot hold the whole text (with nCount _TRUNCATE what fits is kept, NUL-terminated).
int AfxFormatToBuffer(LPTSTR pszDest, size_t nDestSize, size_t nCount, LPCTSTR pszFormat,
                      const AfxFormatArg* args, int nArgs);

template <class... Args>
int _stprintf_s(LPTSTR pszDest, size_t nDestSize, LPCTSTR pszFormat, const Args&... args)
{
    const AfxFormatArg list[] = {afx_detail::MakeFormatArg(args)..., AfxFormatArg()};
    return AfxFormatToBuffer(pszDest, nDestSize, nDestSize, pszFormat, list, static_cast<int>(sizeof...(Args)));
}
template <size_t N, class... Args>
int _stprintf_s(TCHAR (&dest)[N], LPCTSTR pszFormat, const Args&... args)
{
    return _stprintf_s(static_cast<LPTSTR>(dest), N, pszFormat, args...);
}
template <class... Args>
int _sntprintf_s(LPTSTR pszDest, size_t nDestSize, size_t nCount, LPCTSTR pszFormat, const Args&... args)
{
    const AfxFormatArg list[] = {afx_detail::MakeFormatArg(args)..., AfxFormatArg()};
    return AfxFormatToBuffer(pszDest, nDestSize, nCount, pszFormat, list, static_cast<int>(sizeof...(Args)));
}
template <size_t N, class... Args>
int _sntprintf_s(TCHAR (&dest)[N], size_t nCount, LPCTSTR pszFormat, const Args&... args)
{
    return _sntprintf_s(static_cast<LPTSTR>(dest), N, nCount, pszFormat, args...);
}
// The unchecked form writes into an array of known size only (as its _s form, size N).
template <size_t N, class... Args>
int _stprintf(TCHAR (&dest)[N], LPCTSTR pszFormat, const Args&... args)
{
    return _stprintf_s(static_cast<LPTSTR>(dest), N, pszFormat, args...);
}

// ---- scanf forms -------------------------------------------------------------------------------------
// One target of a scan: where to store and what is there. A plain integer argument is the buffer size
// that the _s forms expect after each %s, %c and %[ target.
struct AfxScanArg
{
    enum class Kind : unsigned char {
        None, Size,
        I8, U8, I16, U16, I32, U32, I64, U64,
        Float, Double, LongDouble,
        WideBuf, NarrowBuf, WideString
    };
    Kind kind = Kind::None;
    void* p = nullptr;
    size_t nCapacity = 0;  // of a buffer whose size the compiler knows (array), 0 when unknown
    size_t nSize = 0;      // value of a Size argument
};

namespace afx_detail {
template <class T>
AfxScanArg MakeScanArg(const T& v)
{
    AfxScanArg a;
    using K = AfxScanArg::Kind;
    if constexpr (std::is_array_v<T>) {
        using E = std::remove_cv_t<std::remove_extent_t<T>>;
        if constexpr (std::is_same_v<E, char16_t>) {
            a.kind = K::WideBuf;
            a.p = const_cast<char16_t*>(static_cast<const char16_t*>(v));
            a.nCapacity = std::extent_v<T>;
        } else if constexpr (std::is_same_v<E, char>) {
            a.kind = K::NarrowBuf;
            a.p = const_cast<char*>(static_cast<const char*>(v));
            a.nCapacity = std::extent_v<T>;
        }
    } else if constexpr (std::is_integral_v<T>) {
        a.kind = K::Size;
        a.nSize = v < 0 ? 0 : static_cast<size_t>(v);
    } else if constexpr (std::is_pointer_v<T> && !std::is_const_v<std::remove_pointer_t<T>>) {
        using E = std::remove_pointer_t<T>;
        a.p = static_cast<void*>(v);
        if constexpr (std::is_same_v<E, char16_t>) a.kind = K::WideBuf;
        else if constexpr (std::is_same_v<E, char>) a.kind = K::NarrowBuf;
        else if constexpr (std::is_same_v<E, CString>) a.kind = K::WideString;
        else if constexpr (std::is_same_v<E, float>) a.kind = K::Float;
        else if constexpr (std::is_same_v<E, double>) a.kind = K::Double;
        else if constexpr (std::is_same_v<E, long double>) a.kind = K::LongDouble;
        else if constexpr (std::is_same_v<E, bool>) a.kind = K::None;
        else if constexpr (std::is_integral_v<E> || std::is_enum_v<E>) {
            constexpr bool s = std::is_signed_v<E>;
            if constexpr (sizeof(E) == 1) a.kind = s ? K::I8 : K::U8;
            else if constexpr (sizeof(E) == 2) a.kind = s ? K::I16 : K::U16;
            else if constexpr (sizeof(E) == 4) a.kind = s ? K::I32 : K::U32;
            else a.kind = s ? K::I64 : K::U64;
        }
    }
    return a;
}
}  // namespace afx_detail

// Reads the conversions %d %i %u %x %X %o %f %e %g (with h, hh, l, ll, L, I64 ignored: the target's own
// type decides the store), %s, %c and %[set], each with an optional width and * to skip; %n and %%.
// Gives the number of fields stored, or _TEOF when the input ends before the first conversion. A target
// of the wrong kind for its conversion ends the scan. bSecure: %s, %c and %[ take a size after the buffer.
int AfxScan(LPCTSTR pszInput, LPCTSTR pszFormat, const AfxScanArg* args, int nArgs, bool bSecure);

template <class... Args>
int _stscanf(LPCTSTR pszInput, LPCTSTR pszFormat, const Args&... args)
{
    const AfxScanArg list[] = {afx_detail::MakeScanArg(args)..., AfxScanArg()};
    return AfxScan(pszInput, pszFormat, list, static_cast<int>(sizeof...(Args)), false);
}
template <class... Args>
int _stscanf_s(LPCTSTR pszInput, LPCTSTR pszFormat, const Args&... args)
{
    const AfxScanArg list[] = {afx_detail::MakeScanArg(args)..., AfxScanArg()};
    return AfxScan(pszInput, pszFormat, list, static_cast<int>(sizeof...(Args)), true);
}

// ---- Time and locale ---------------------------------------------------------------------------------
// strftime codes; the # flag gives the long forms (%#c, %#x) and numbers without leading zeros. Gives
// the units written without the NUL, or 0 with the buffer emptied when the text does not fit.
size_t _tcsftime(LPTSTR pszDest, size_t nMax, LPCTSTR pszFormat, const struct tm* ptm);
// setlocale with a UTF-16 name; "" is the user's default. The result stays valid until the next call on
// this thread; null when the locale is unknown.
LPCTSTR _tsetlocale(int nCategory, LPCTSTR pszLocale);

// ---- Win32 forms -------------------------------------------------------------------------------------
int lstrlen(LPCTSTR psz);                                    // 0 for null
LPTSTR lstrcpy(LPTSTR pszDest, LPCTSTR pszSrc);              // null when either is null
LPTSTR lstrcpyn(LPTSTR pszDest, LPCTSTR pszSrc, int nMax);   // at most nMax - 1 units and a NUL
LPTSTR lstrcat(LPTSTR pszDest, LPCTSTR pszSrc);
int lstrcmp(LPCTSTR a, LPCTSTR b);                           // by the user's locale
int lstrcmpi(LPCTSTR a, LPCTSTR b);

// ---- wide names ----------------------------------------------------------------------------------------
inline size_t wcslen(const char16_t* psz) { return _tcslen(psz); }
inline int wcscmp(const char16_t* a, const char16_t* b) { return _tcscmp(a, b); }
inline int _wcsicmp(const char16_t* a, const char16_t* b) { return _tcsicmp(a, b); }
inline const char16_t* wcschr(const char16_t* psz, char16_t ch) { return _tcschr(psz, ch); }
inline char16_t* wcschr(char16_t* psz, char16_t ch) { return _tcschr(psz, ch); }
inline const char16_t* wcsstr(const char16_t* psz, const char16_t* pszSub) { return _tcsstr(psz, pszSub); }
inline char16_t* wcsstr(char16_t* psz, const char16_t* pszSub) { return _tcsstr(psz, pszSub); }
inline errno_t wcscpy_s(char16_t* pszDest, size_t nSize, const char16_t* pszSrc) { return _tcscpy_s(pszDest, nSize, pszSrc); }
template <size_t N>
errno_t wcscpy_s(char16_t (&dest)[N], const char16_t* pszSrc) { return _tcscpy_s(dest, N, pszSrc); }
inline LONG wcstol(const char16_t* psz, char16_t** ppEnd, int nBase) { return _tcstol(psz, ppEnd, nBase); }
inline ULONG wcstoul(const char16_t* psz, char16_t** ppEnd, int nBase) { return _tcstoul(psz, ppEnd, nBase); }
inline double wcstod(const char16_t* psz, char16_t** ppEnd) { return _tcstod(psz, ppEnd); }
inline int wcsncmp(const char16_t* a, const char16_t* b, size_t n) { return _tcsncmp(a, b, n); }
inline int _wcsnicmp(const char16_t* a, const char16_t* b, size_t n) { return _tcsnicmp(a, b, n); }
inline const char16_t* wcsrchr(const char16_t* psz, char16_t ch) { return _tcsrchr(psz, ch); }
inline char16_t* wcsrchr(char16_t* psz, char16_t ch) { return _tcsrchr(psz, ch); }
inline const char16_t* wcspbrk(const char16_t* psz, const char16_t* pszSet) { return _tcspbrk(psz, pszSet); }
inline char16_t* wcspbrk(char16_t* psz, const char16_t* pszSet) { return _tcspbrk(psz, pszSet); }
inline size_t wcsspn(const char16_t* psz, const char16_t* pszSet) { return _tcsspn(psz, pszSet); }
inline size_t wcscspn(const char16_t* psz, const char16_t* pszSet) { return _tcscspn(psz, pszSet); }
inline errno_t wcsncpy_s(char16_t* pszDest, size_t nSize, const char16_t* pszSrc, size_t nCount)
{
    return _tcsncpy_s(pszDest, nSize, pszSrc, nCount);
}
inline errno_t wcscat_s(char16_t* pszDest, size_t nSize, const char16_t* pszSrc) { return _tcscat_s(pszDest, nSize, pszSrc); }
template <size_t N>
errno_t wcscat_s(char16_t (&dest)[N], const char16_t* pszSrc) { return _tcscat_s(dest, N, pszSrc); }
inline LONGLONG _wtoi64(const char16_t* psz) { return _ttoi64(psz); }
inline LONGLONG _wcstoi64(const char16_t* psz, char16_t** ppEnd, int nBase) { return _tcstoi64(psz, ppEnd, nBase); }
inline int _wtoi(const char16_t* psz) { return _ttoi(psz); }
inline LONG _wtol(const char16_t* psz) { return _ttol(psz); }
inline double _wtof(const char16_t* psz) { return _tstof(psz); }
inline size_t wcsftime(char16_t* pszDest, size_t nMax, const char16_t* pszFormat, const struct tm* ptm)
{
    return _tcsftime(pszDest, nMax, pszFormat, ptm);
}
inline const char16_t* _wsetlocale(int nCategory, const char16_t* pszLocale) { return _tsetlocale(nCategory, pszLocale); }
template <class... Args>
int swprintf_s(char16_t* pszDest, size_t nDestSize, const char16_t* pszFormat, const Args&... args)
{
    return _stprintf_s(pszDest, nDestSize, pszFormat, args...);
}
template <size_t N, class... Args>
int swprintf_s(char16_t (&dest)[N], const char16_t* pszFormat, const Args&... args)
{
    return _stprintf_s(static_cast<LPTSTR>(dest), N, pszFormat, args...);
}
template <class... Args>
int swscanf(const char16_t* pszInput, const char16_t* pszFormat, const Args&... args)
{
    return _stscanf(pszInput, pszFormat, args...);
}
template <class... Args>
int swscanf_s(const char16_t* pszInput, const char16_t* pszFormat, const Args&... args)
{
    return _stscanf_s(pszInput, pszFormat, args...);
}
