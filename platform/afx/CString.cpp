#include "platform/afx/CString.h"

#include <QtCore/QChar>
#include <QtCore/QCollator>
#include <QtCore/QLocale>
#include <QtCore/QString>

#include <algorithm>
#include <ostream>

#include "platform/afx/AfxStringFormat.h"
#include "platform/afx/ResourceModule.h"

namespace {

size_t Len(LPCTSTR psz) { return psz == nullptr ? 0 : std::char_traits<char16_t>::length(psz); }

bool InSet(char16_t ch, LPCTSTR set, size_t setLen) {
  return std::char_traits<char16_t>::find(set, setLen, ch) != nullptr;
}

int Sign(long long v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// Case folding code unit by code unit keeps the length unchanged.
char16_t FoldLower(char16_t c) {
  if (QChar::isSurrogate(c)) return c;
  const char32_t l = QChar::toLower(static_cast<char32_t>(c));
  return l <= 0xFFFF ? static_cast<char16_t>(l) : c;
}
char16_t FoldUpper(char16_t c) {
  if (QChar::isSurrogate(c)) return c;
  const char32_t u = QChar::toUpper(static_cast<char32_t>(c));
  return u <= 0xFFFF ? static_cast<char16_t>(u) : c;
}

int CollateWith(const std::u16string& a, LPCTSTR b, bool caseSensitive) {
  // A collator is costly to build: keep one per thread and locale.
  thread_local QCollator collator;
  thread_local QString collatorLocale;
  thread_local bool initialised = false;
  const QLocale loc;
  if (!initialised || collatorLocale != loc.name()) {
    collator = QCollator(loc);
    collatorLocale = loc.name();
    initialised = true;
  }
  collator.setCaseSensitivity(caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
  const QString qa = QString::fromUtf16(a.data(), static_cast<qsizetype>(a.size()));
  const QString qb = QString::fromUtf16(b == nullptr ? u"" : b, static_cast<qsizetype>(Len(b)));
  const int r = Sign(collator.compare(qa, qb));
  if (r != 0) return r;
  // Texts the locale holds equal still get a stable order.
  if (caseSensitive) {
    return Sign(std::u16string_view(a).compare(std::u16string_view(b == nullptr ? u"" : b)));
  }
  return 0;
}

}  // namespace

namespace afx_detail {
AfxFormatArg MakeFormatArg(const CString& v) { return MakeFormatArg(v.GetString()); }
AfxFormatArg MakeFormatArg(const std::u16string& v) { return MakeFormatArg(v.c_str()); }
AfxFormatArg MakeFormatArg(const std::string& v) { return MakeFormatArg(v.c_str()); }
AfxFormatArg MakeFormatArg(const QString& v) { return MakeFormatArg(reinterpret_cast<const char16_t*>(v.utf16())); }
}  // namespace afx_detail

// ---------------------------------------------------------------- construction

CString::CString(LPCTSTR psz) {
  if (psz != nullptr) m_str.assign(psz);
}

CString::CString(LPCTSTR pch, int nLength) {
  if (pch != nullptr && nLength > 0) m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(TCHAR ch, int nRepeat) {
  if (nRepeat > 0) m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString::CString(const char* pszUtf8) {
  if (pszUtf8 != nullptr) *this = FromUtf8(pszUtf8);
}

CString::CString(const std::u16string& s) : m_str(s) {}
CString::CString(std::u16string&& s) noexcept : m_str(std::move(s)) {}

CString& CString::operator=(LPCTSTR psz) {
  if (psz == nullptr) {
    m_str.clear();
  } else {
    m_str = std::u16string(psz);  // psz may point into m_str
  }
  return *this;
}

CString& CString::operator=(const char* pszUtf8) {
  *this = FromUtf8(pszUtf8);
  return *this;
}

CString& CString::operator=(TCHAR ch) {
  m_str.assign(1, ch);
  return *this;
}

CString& CString::operator=(const std::u16string& s) {
  m_str = s;
  return *this;
}

// ---------------------------------------------------------------- conversions

QString CString::ToQString() const {
  return QString::fromUtf16(m_str.data(), static_cast<qsizetype>(m_str.size()));
}

CString CString::FromQString(const QString& s) {
  return CString(std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())));
}

std::string CString::ToUtf8() const {
  const QByteArray bytes = ToQString().toUtf8();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

CString CString::FromUtf8(const char* psz) {
  if (psz == nullptr) return CString();
  return FromQString(QString::fromUtf8(psz));
}

CString CString::FromUtf8(const std::string& s) {
  return FromQString(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
}

// ---------------------------------------------------------------- access

TCHAR CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetLength()) return 0;
  return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, TCHAR ch) {
  if (nIndex < 0 || nIndex >= GetLength()) return;
  m_str[static_cast<size_t>(nIndex)] = ch;
}

CString& CString::operator+=(LPCTSTR psz) {
  if (psz != nullptr) m_str += std::u16string(psz);  // psz may point into m_str
  return *this;
}

CString& CString::operator+=(const char* pszUtf8) {
  m_str += FromUtf8(pszUtf8).m_str;
  return *this;
}

void CString::Append(LPCTSTR psz, int nLength) {
  if (psz == nullptr || nLength <= 0) return;
  const size_t n = std::min(Len(psz), static_cast<size_t>(nLength));
  m_str += std::u16string(psz, n);
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, LPCTSTR b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(LPCTSTR a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, TCHAR b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(TCHAR a, const CString& b) {
  CString r(a, 1);
  r += b;
  return r;
}

// ---------------------------------------------------------------- comparison

int CString::Compare(LPCTSTR psz) const {
  const std::u16string_view other(psz == nullptr ? u"" : psz);
  return Sign(std::u16string_view(m_str).compare(other));
}

int CString::CompareNoCase(LPCTSTR psz) const {
  const std::u16string_view other(psz == nullptr ? u"" : psz);
  const size_t n = std::min(m_str.size(), other.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t a = FoldLower(m_str[i]);
    const char16_t b = FoldLower(other[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return Sign(static_cast<long long>(m_str.size()) - static_cast<long long>(other.size()));
}

int CString::Collate(LPCTSTR psz) const { return CollateWith(m_str, psz, true); }
int CString::CollateNoCase(LPCTSTR psz) const { return CollateWith(m_str, psz, false); }

// ---------------------------------------------------------------- searching

int CString::Find(TCHAR ch, int nStart) const {
  if (nStart < 0) nStart = 0;
  if (nStart >= GetLength()) return -1;
  const size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
  return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCTSTR pszSub, int nStart) const {
  if (pszSub == nullptr) return -1;
  if (nStart < 0) nStart = 0;
  if (nStart > GetLength()) return -1;
  const size_t pos = m_str.find(pszSub, static_cast<size_t>(nStart));
  return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(TCHAR ch) const {
  const size_t pos = m_str.rfind(ch);
  return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCTSTR pszCharSet) const {
  const size_t n = Len(pszCharSet);
  if (n == 0) return -1;
  const size_t pos = m_str.find_first_of(pszCharSet, 0, n);
  return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

// ---------------------------------------------------------------- extraction

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
  const long long len = GetLength();
  long long first = nFirst < 0 ? 0 : nFirst;
  long long count = nCount < 0 ? 0 : nCount;
  if (first > len) first = len;
  if (first + count > len) count = len - first;
  return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int nCount) const {
  if (nCount <= 0) return CString();
  return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Right(int nCount) const {
  if (nCount <= 0) return CString();
  const size_t n = std::min(m_str.size(), static_cast<size_t>(nCount));
  return CString(m_str.substr(m_str.size() - n));
}

CString CString::SpanIncluding(LPCTSTR pszCharSet) const {
  const size_t n = Len(pszCharSet);
  if (n == 0) return CString();
  const size_t pos = m_str.find_first_not_of(pszCharSet, 0, n);
  return pos == std::u16string::npos ? *this : Left(static_cast<int>(pos));
}

CString CString::SpanExcluding(LPCTSTR pszCharSet) const {
  const size_t n = Len(pszCharSet);
  if (n == 0) return *this;
  const size_t pos = m_str.find_first_of(pszCharSet, 0, n);
  return pos == std::u16string::npos ? *this : Left(static_cast<int>(pos));
}

CString CString::Tokenize(LPCTSTR pszTokens, int& iStart) const {
  const int len = GetLength();
  if (iStart < 0 || iStart >= len) {
    iStart = -1;
    return CString();
  }
  const size_t n = Len(pszTokens);
  if (n == 0) {
    // No delimiters: the rest is the one token left.
    CString rest = Mid(iStart);
    iStart = len + 1;
    return rest;
  }
  const size_t from = m_str.find_first_not_of(pszTokens, static_cast<size_t>(iStart), n);
  if (from == std::u16string::npos) {
    iStart = -1;
    return CString();
  }
  size_t to = m_str.find_first_of(pszTokens, from, n);
  if (to == std::u16string::npos) to = m_str.size();
  iStart = static_cast<int>(to) + 1;
  return CString(m_str.substr(from, to - from));
}

// ---------------------------------------------------------------- trimming and case

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(TCHAR chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCTSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_str.size() && QChar::isSpace(static_cast<char32_t>(m_str[i]))) ++i;
  m_str.erase(0, i);
  return *this;
}

CString& CString::TrimLeft(TCHAR chTarget) {
  size_t i = 0;
  while (i < m_str.size() && m_str[i] == chTarget) ++i;
  m_str.erase(0, i);
  return *this;
}

CString& CString::TrimLeft(LPCTSTR pszTargets) {
  const size_t n = Len(pszTargets);
  if (n == 0) return *this;
  const std::u16string set(pszTargets, n);  // the set may point into m_str
  size_t i = 0;
  while (i < m_str.size() && InSet(m_str[i], set.data(), n)) ++i;
  m_str.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  size_t e = m_str.size();
  while (e > 0 && QChar::isSpace(static_cast<char32_t>(m_str[e - 1]))) --e;
  m_str.resize(e);
  return *this;
}

CString& CString::TrimRight(TCHAR chTarget) {
  size_t e = m_str.size();
  while (e > 0 && m_str[e - 1] == chTarget) --e;
  m_str.resize(e);
  return *this;
}

CString& CString::TrimRight(LPCTSTR pszTargets) {
  const size_t n = Len(pszTargets);
  if (n == 0) return *this;
  const std::u16string set(pszTargets, n);
  size_t e = m_str.size();
  while (e > 0 && InSet(m_str[e - 1], set.data(), n)) --e;
  m_str.resize(e);
  return *this;
}

CString& CString::MakeUpper() {
  for (char16_t& c : m_str) c = FoldUpper(c);
  return *this;
}

CString& CString::MakeLower() {
  for (char16_t& c : m_str) c = FoldLower(c);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_str.begin(), m_str.end());
  return *this;
}

// ---------------------------------------------------------------- editing

int CString::Replace(TCHAR chOld, TCHAR chNew) {
  int count = 0;
  for (char16_t& c : m_str) {
    if (c == chOld) {
      c = chNew;
      ++count;
    }
  }
  return count;
}

int CString::Replace(LPCTSTR pszOld, LPCTSTR pszNew) {
  const size_t oldLen = Len(pszOld);
  if (oldLen == 0) return 0;
  const std::u16string from(pszOld, oldLen);
  const std::u16string to(pszNew == nullptr ? u"" : pszNew);
  std::u16string out;
  int count = 0;
  size_t pos = 0;
  for (;;) {
    const size_t hit = m_str.find(from, pos);
    if (hit == std::u16string::npos) break;
    out.append(m_str, pos, hit - pos);
    out += to;
    pos = hit + oldLen;
    ++count;
  }
  if (count == 0) return 0;
  out.append(m_str, pos, std::u16string::npos);
  m_str.swap(out);
  return count;
}

int CString::Remove(TCHAR ch) {
  const size_t before = m_str.size();
  m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
  return static_cast<int>(before - m_str.size());
}

int CString::Insert(int nIndex, TCHAR ch) {
  const size_t at = static_cast<size_t>(std::clamp(nIndex, 0, GetLength()));
  m_str.insert(at, 1, ch);
  return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR psz) {
  const size_t at = static_cast<size_t>(std::clamp(nIndex, 0, GetLength()));
  if (psz != nullptr) m_str.insert(at, std::u16string(psz));
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  const long long len = GetLength();
  const long long at = nIndex < 0 ? 0 : nIndex;
  if (nCount > 0 && at < len) {
    const long long count = std::min<long long>(nCount, len - at);
    m_str.erase(static_cast<size_t>(at), static_cast<size_t>(count));
  }
  return GetLength();
}

void CString::Truncate(int nNewLength) {
  if (nNewLength < 0) nNewLength = 0;
  if (nNewLength < GetLength()) m_str.resize(static_cast<size_t>(nNewLength));
}

// ---------------------------------------------------------------- buffer

LPTSTR CString::GetBuffer() { return m_str.data(); }

LPTSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength()) m_str.resize(static_cast<size_t>(nMinBufLength), u'\0');
  return m_str.data();
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
  m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)), u'\0');
  return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  size_t n;
  if (nNewLength < 0) {
    n = std::char_traits<char16_t>::length(m_str.c_str());
  } else {
    n = static_cast<size_t>(nNewLength);
  }
  if (n < m_str.size()) m_str.resize(n);
}

void CString::Preallocate(int nLength) {
  if (nLength > 0) m_str.reserve(static_cast<size_t>(nLength));
}

// ---------------------------------------------------------------- formatting and resources

void CString::FormatArgs(LPCTSTR pszFormat, const AfxFormatArg* args, int nArgs) {
  std::u16string out;
  AfxFormatTo(out, pszFormat, args, nArgs);
  m_str.swap(out);
}

void CString::AppendFormatArgs(LPCTSTR pszFormat, const AfxFormatArg* args, int nArgs) {
  std::u16string out;
  AfxFormatTo(out, pszFormat, args, nArgs);
  m_str += out;
}

BOOL CString::LoadString(UINT nID) {
  std::u16string text;
  if (!AfxLoadStringResource(nID, text)) return FALSE;
  m_str.swap(text);
  return TRUE;
}

std::ostream& operator<<(std::ostream& os, const CString& s) { return os << s.ToUtf8(); }

// ---------------------------------------------------------------- hashing

UINT HashKey(LPCTSTR key) {
  UINT h = 0;
  if (key != nullptr) {
    for (; *key != 0; ++key) h = (h << 5) + h + static_cast<UINT>(*key);
  }
  return h;
}

UINT HashKey(const CString& key) {
  UINT h = 0;
  for (char16_t c : key.str()) h = (h << 5) + h + static_cast<UINT>(c);
  return h;
}
