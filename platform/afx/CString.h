#pragma once
// A UTF-16 string with the interface the system's code is written against.
// The text lives in a std::u16string; the buffer is always NUL-terminated so
// operator LPCTSTR can be handed to anything expecting a C string.

#include <cstddef>
#include <iosfwd>
#include <string>
#include <type_traits>

#include "platform/afx/AfxTypes.h"

class QString;

// One argument of CString::Format, captured by value and type so the
// formatter can be an ordinary (non-variadic) function.
struct AfxFormatArg {
  enum class Kind : unsigned char {
    Int,       // signed integer of any width (value in i)
    UInt,      // unsigned integer of any width (value in u)
    Double,    // floating point (value in d)
    WideStr,   // UTF-16 text (ws, may be null)
    NarrowStr, // UTF-8 text (ns, may be null)
    Char,      // one UTF-16 code unit (value in u)
    Pointer    // any other pointer (p)
  };
  Kind kind = Kind::Int;
  union {
    long long i;
    unsigned long long u;
    double d;
    const char16_t* ws;
    const char* ns;
    const void* p;
  };
  AfxFormatArg() : i(0) {}
};

class CString;

namespace afx_detail {
AfxFormatArg MakeFormatArg(const CString& v);
inline AfxFormatArg MakeFormatArg(const char16_t* v) {
  AfxFormatArg a;
  a.kind = AfxFormatArg::Kind::WideStr;
  a.ws = v;
  return a;
}
inline AfxFormatArg MakeFormatArg(char16_t* v) { return MakeFormatArg(static_cast<const char16_t*>(v)); }
inline AfxFormatArg MakeFormatArg(const char* v) {
  AfxFormatArg a;
  a.kind = AfxFormatArg::Kind::NarrowStr;
  a.ns = v;
  return a;
}
inline AfxFormatArg MakeFormatArg(char* v) { return MakeFormatArg(static_cast<const char*>(v)); }
AfxFormatArg MakeFormatArg(const std::u16string& v);
AfxFormatArg MakeFormatArg(const std::string& v);
AfxFormatArg MakeFormatArg(const QString& v);
inline AfxFormatArg MakeFormatArg(char16_t v) {
  AfxFormatArg a;
  a.kind = AfxFormatArg::Kind::Char;
  a.u = v;
  return a;
}
inline AfxFormatArg MakeFormatArg(bool v) {
  AfxFormatArg a;
  a.kind = AfxFormatArg::Kind::Int;
  a.i = v ? 1 : 0;
  return a;
}
inline AfxFormatArg MakeFormatArg(std::nullptr_t) {
  AfxFormatArg a;
  a.kind = AfxFormatArg::Kind::Pointer;
  a.p = nullptr;
  return a;
}
template <class T>
AfxFormatArg MakeFormatArg(const T& v) {
  AfxFormatArg a;
  if constexpr (std::is_enum_v<T>) {
    using U = std::underlying_type_t<T>;
    return MakeFormatArg(static_cast<U>(v));
  } else if constexpr (std::is_floating_point_v<T>) {
    a.kind = AfxFormatArg::Kind::Double;
    a.d = static_cast<double>(v);
  } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
    a.kind = AfxFormatArg::Kind::Int;
    a.i = static_cast<long long>(v);
  } else if constexpr (std::is_integral_v<T>) {
    a.kind = AfxFormatArg::Kind::UInt;
    a.u = static_cast<unsigned long long>(v);
  } else if constexpr (std::is_array_v<T>) {
    return MakeFormatArg(static_cast<const std::remove_extent_t<T>*>(v));
  } else if constexpr (std::is_pointer_v<T>) {
    a.kind = AfxFormatArg::Kind::Pointer;
    a.p = static_cast<const void*>(v);
  } else {
    static_assert(std::is_pointer_v<T>, "CString::Format: unsupported argument type");
  }
  return a;
}
}  // namespace afx_detail

class CString {
public:
  CString() = default;
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString(LPCTSTR psz);                  // null gives an empty string
  CString(LPCTSTR pch, int nLength);     // at most nLength units; null or negative gives empty
  explicit CString(TCHAR ch, int nRepeat = 1);
  CString(const char* pszUtf8);          // UTF-8; null gives an empty string
  CString(const std::u16string& s);
  CString(std::u16string&& s) noexcept;
  ~CString() = default;

  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(LPCTSTR psz);
  CString& operator=(const char* pszUtf8);
  CString& operator=(TCHAR ch);
  CString& operator=(const std::u16string& s);

  // Conversions
  QString ToQString() const;
  static CString FromQString(const QString& s);
  std::string ToUtf8() const;
  static CString FromUtf8(const char* psz);
  static CString FromUtf8(const std::string& s);
  const std::u16string& str() const { return m_str; }

  operator LPCTSTR() const { return m_str.c_str(); }
  LPCTSTR GetString() const { return m_str.c_str(); }

  // Size and element access
  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  TCHAR GetAt(int nIndex) const;                 // 0 when out of range
  void SetAt(int nIndex, TCHAR ch);              // ignored when out of range
  template <class I, std::enable_if_t<std::is_integral_v<I>, int> = 0>
  TCHAR operator[](I nIndex) const {
    const long long n = static_cast<long long>(nIndex);
    return (n < 0 || n >= static_cast<long long>(m_str.size())) ? TCHAR(0) : m_str[static_cast<size_t>(n)];
  }

  // Concatenation
  CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
  CString& operator+=(LPCTSTR psz);
  CString& operator+=(TCHAR ch) { m_str.push_back(ch); return *this; }
  CString& operator+=(const char* pszUtf8);
  void Append(const CString& s) { m_str += s.m_str; }
  void Append(LPCTSTR psz) { *this += psz; }
  void Append(LPCTSTR psz, int nLength);
  void AppendChar(TCHAR ch) { m_str.push_back(ch); }

  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, LPCTSTR b);
  friend CString operator+(LPCTSTR a, const CString& b);
  friend CString operator+(const CString& a, TCHAR b);
  friend CString operator+(TCHAR a, const CString& b);

  // Comparison (ordinal, by UTF-16 code unit)
  int Compare(LPCTSTR psz) const;
  int CompareNoCase(LPCTSTR psz) const;
  int Collate(LPCTSTR psz) const;        // by the current locale
  int CollateNoCase(LPCTSTR psz) const;

  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
  friend bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
  friend bool operator==(const CString& a, TCHAR b) { return a.m_str.size() == 1 && a.m_str[0] == b; }
  friend bool operator==(TCHAR a, const CString& b) { return b == a; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, LPCTSTR b) { return !(a == b); }
  friend bool operator!=(LPCTSTR a, const CString& b) { return !(b == a); }
  friend bool operator!=(const CString& a, TCHAR b) { return !(a == b); }
  friend bool operator!=(TCHAR a, const CString& b) { return !(b == a); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }
  friend bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
  friend bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
  friend bool operator>(const CString& a, const CString& b) { return b.m_str < a.m_str; }
  friend bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
  friend bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
  friend bool operator<=(const CString& a, const CString& b) { return !(b.m_str < a.m_str); }
  friend bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
  friend bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
  friend bool operator>=(const CString& a, const CString& b) { return !(a.m_str < b.m_str); }
  friend bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
  friend bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }

  // Searching; every result is an index or -1
  int Find(TCHAR ch, int nStart = 0) const;
  int Find(LPCTSTR pszSub, int nStart = 0) const;
  int ReverseFind(TCHAR ch) const;
  int FindOneOf(LPCTSTR pszCharSet) const;

  // Extraction; out-of-range counts and positions are clamped
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCTSTR pszCharSet) const;
  CString SpanExcluding(LPCTSTR pszCharSet) const;
  CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

  // In-place changes; each returns *this
  CString& Trim();
  CString& Trim(TCHAR chTarget);
  CString& Trim(LPCTSTR pszTargets);
  CString& TrimLeft();
  CString& TrimLeft(TCHAR chTarget);
  CString& TrimLeft(LPCTSTR pszTargets);
  CString& TrimRight();
  CString& TrimRight(TCHAR chTarget);
  CString& TrimRight(LPCTSTR pszTargets);
  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();

  int Replace(TCHAR chOld, TCHAR chNew);
  int Replace(LPCTSTR pszOld, LPCTSTR pszNew);
  int Remove(TCHAR ch);
  int Insert(int nIndex, TCHAR ch);
  int Insert(int nIndex, LPCTSTR psz);
  int Delete(int nIndex, int nCount = 1);
  void Truncate(int nNewLength);

  // Direct buffer access. The buffer stays valid until the next change of the
  // string; ReleaseBuffer(-1) takes the text up to the first NUL.
  LPTSTR GetBuffer();
  LPTSTR GetBuffer(int nMinBufLength);
  LPTSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
  LPTSTR LockBuffer() { return GetBuffer(); }
  void UnlockBuffer() {}
  void FreeExtra() { m_str.shrink_to_fit(); }
  void Preallocate(int nLength);

  // printf-style formatting over UTF-16. %s takes UTF-16 text (LPCTSTR or
  // CString), %S and %hs narrow UTF-8 text.
  template <class... Args>
  void Format(LPCTSTR pszFormat, const Args&... args) {
    const AfxFormatArg list[] = {afx_detail::MakeFormatArg(args)..., AfxFormatArg()};
    FormatArgs(pszFormat, list, sizeof...(Args));
  }
  template <class... Args>
  void Format(UINT nFormatID, const Args&... args) {
    CString fmt;
    fmt.LoadString(nFormatID);
    Format(fmt.GetString(), args...);
  }
  template <class... Args>
  void AppendFormat(LPCTSTR pszFormat, const Args&... args) {
    const AfxFormatArg list[] = {afx_detail::MakeFormatArg(args)..., AfxFormatArg()};
    AppendFormatArgs(pszFormat, list, sizeof...(Args));
  }
  template <class... Args>
  void AppendFormat(UINT nFormatID, const Args&... args) {
    CString fmt;
    fmt.LoadString(nFormatID);
    AppendFormat(fmt.GetString(), args...);
  }
  void FormatArgs(LPCTSTR pszFormat, const AfxFormatArg* args, int nArgs);
  void AppendFormatArgs(LPCTSTR pszFormat, const AfxFormatArg* args, int nArgs);

  // Text by number from the language library chain; FALSE, with the string
  // unchanged, when no module has that number.
  BOOL LoadString(UINT nID);

private:
  std::u16string m_str;
};

// Writes the text as UTF-8 (logs, test failure messages).
std::ostream& operator<<(std::ostream& os, const CString& s);

// Hashing for the map collections.
UINT HashKey(const CString& key);
UINT HashKey(LPCTSTR key);

namespace std {
template <>
struct hash<CString> {
  size_t operator()(const CString& s) const noexcept { return hash<u16string>()(s.str()); }
};
}  // namespace std
