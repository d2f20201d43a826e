#include "platform/bcg/CBCGPRegistry.h"

#include <cstring>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CDWordArray.h"
#include "platform/afx/CException.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CSize.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CStringList.h"
#include "platform/afx/CUIntArray.h"
#include "platform/afx/CWordArray.h"
#include "platform/win/Registry.h"

namespace {

// Values stored in the archive format are bounded: a damaged size never makes a huge buffer.
constexpr DWORD kMaxValueBytes = 64u * 1024u * 1024u;

// Runs fn(archive) over a storing archive and returns the bytes.
template <typename Fn>
bool StoreToBytes(Fn fn, std::vector<BYTE>& out) {
  CMemFile file;
  try {
    {
      CArchive ar(&file, CArchive::store);
      fn(ar);
      ar.Close();
    }
    const ULONGLONG len = file.GetLength();
    out.resize(static_cast<size_t>(len));
    file.SeekToBegin();
    if (len) file.Read(out.data(), static_cast<UINT>(len));
    return true;
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

// Runs fn(archive) over a loading archive of the bytes; false when the bytes do not load.
template <typename Fn>
bool LoadFromBytes(const CByteArray& bytes, Fn fn) {
  std::vector<BYTE> copy(bytes.GetData(), bytes.GetData() + bytes.GetSize());
  CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
  try {
    CArchive ar(&file, CArchive::load);
    fn(ar);
    ar.Close();
    return true;
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

}  // namespace

CBCGPRegistry::CBCGPRegistry(BOOL bAdmin, BOOL bReadOnly) : m_bAdmin(bAdmin), m_bReadOnly(bReadOnly || bAdmin) {}

CBCGPRegistry::~CBCGPRegistry() { Close(); }

HKEY CBCGPRegistry::GetRoot() const { return m_bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

BOOL CBCGPRegistry::CreateKey(LPCTSTR pszPath) {
  Close();
  if (m_bReadOnly || !pszPath) return FALSE;
  HKEY hKey = nullptr;
  DWORD disp = 0;
  if (RegCreateKeyEx(GetRoot(), pszPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey,
                     &disp) != ERROR_SUCCESS)
    return FALSE;
  m_hKey = hKey;
  m_strPath = pszPath;
  return TRUE;
}

BOOL CBCGPRegistry::Open(LPCTSTR pszPath) {
  Close();
  if (!pszPath) return FALSE;
  HKEY hKey = nullptr;
  if (RegOpenKeyEx(GetRoot(), pszPath, 0, m_bReadOnly ? KEY_READ : KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
    return FALSE;
  m_hKey = hKey;
  m_strPath = pszPath;
  return TRUE;
}

void CBCGPRegistry::Close() {
  if (m_hKey) RegCloseKey(m_hKey);
  m_hKey = nullptr;
  m_strPath.Empty();
}

BOOL CBCGPRegistry::VerifyKey(LPCTSTR pszPath) {
  if (!pszPath) return FALSE;
  HKEY hKey = nullptr;
  if (RegOpenKeyEx(GetRoot(), pszPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return FALSE;
  RegCloseKey(hKey);
  return TRUE;
}

BOOL CBCGPRegistry::VerifyValue(LPCTSTR pszValue) {
  if (!m_hKey) return FALSE;
  DWORD type = 0, size = 0;
  return RegQueryValueEx(m_hKey, pszValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

BOOL CBCGPRegistry::DeleteValue(LPCTSTR pszValue) {
  if (!m_hKey || m_bReadOnly) return FALSE;
  return RegDeleteValue(m_hKey, pszValue) == ERROR_SUCCESS;
}

BOOL CBCGPRegistry::DeleteKey(LPCTSTR pszPath, BOOL) {
  if (m_bReadOnly || !pszPath) return FALSE;
  CString target(pszPath);
  target.TrimRight(u'\\');
  CString open(m_strPath);
  open.TrimRight(u'\\');
  if (m_hKey && open.CompareNoCase(target) == 0) Close();
  return RegDeleteKey(GetRoot(), target) == ERROR_SUCCESS;
}

BOOL CBCGPRegistry::ReadSubKeys(CStringArray& subKeys) {
  if (!m_hKey) return FALSE;
  subKeys.RemoveAll();
  for (DWORD i = 0;; ++i) {
    TCHAR name[512];
    DWORD len = 512;
    const LONG rc = RegEnumKeyEx(m_hKey, i, name, &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) return FALSE;
    subKeys.Add(CString(name, static_cast<int>(len)));
  }
  return TRUE;
}

BOOL CBCGPRegistry::ReadKeyValues(CStringArray& values) {
  if (!m_hKey) return FALSE;
  values.RemoveAll();
  for (DWORD i = 0;; ++i) {
    TCHAR name[512];
    DWORD len = 512;
    const LONG rc = RegEnumValue(m_hKey, i, name, &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) return FALSE;
    values.Add(CString(name, static_cast<int>(len)));
  }
  return TRUE;
}

BOOL CBCGPRegistry::WriteValue(LPCTSTR pszKey, DWORD dwType, const BYTE* pData, DWORD nBytes) {
  if (!m_hKey || m_bReadOnly) return FALSE;
  return RegSetValueEx(m_hKey, pszKey, 0, dwType, pData, nBytes) == ERROR_SUCCESS;
}

BOOL CBCGPRegistry::ReadValue(LPCTSTR pszKey, DWORD dwTypeWanted, CByteArray& data) {
  if (!m_hKey) return FALSE;
  DWORD type = 0, size = 0;
  if (RegQueryValueEx(m_hKey, pszKey, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return FALSE;
  if (type != dwTypeWanted || size > kMaxValueBytes) return FALSE;
  data.SetSize(size);
  DWORD got = size;
  if (RegQueryValueEx(m_hKey, pszKey, nullptr, &type, size ? data.GetData() : nullptr, &got) != ERROR_SUCCESS ||
      got != size || type != dwTypeWanted) {
    data.RemoveAll();
    return FALSE;
  }
  return TRUE;
}

// ---- writing ----

BOOL CBCGPRegistry::Write(LPCTSTR pszKey, int iVal) { return Write(pszKey, static_cast<DWORD>(iVal)); }

BOOL CBCGPRegistry::Write(LPCTSTR pszKey, DWORD dwVal) {
  return WriteValue(pszKey, REG_DWORD, reinterpret_cast<const BYTE*>(&dwVal), sizeof(dwVal));
}

BOOL CBCGPRegistry::Write(LPCTSTR pszKey, double dblVal) {
  BYTE bytes[sizeof(double)];
  std::memcpy(bytes, &dblVal, sizeof(double));
  return WriteValue(pszKey, REG_BINARY, bytes, sizeof(bytes));
}

BOOL CBCGPRegistry::Write(LPCTSTR pszKey, LPCTSTR pszVal) {
  const CString s(pszVal ? pszVal : u"");
  return WriteValue(pszKey, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCTSTR>(s)),
                    static_cast<DWORD>((s.GetLength() + 1) * sizeof(TCHAR)));
}

#define KC_WRITE_ARCHIVED(expr)                                                              \
  std::vector<BYTE> bytes;                                                                   \
  if (!StoreToBytes([&](CArchive& ar) { expr; }, bytes)) return FALSE;                       \
  return WriteValue(pszKey, REG_BINARY, bytes.empty() ? nullptr : bytes.data(), static_cast<DWORD>(bytes.size()));

BOOL CBCGPRegistry::Write(LPCTSTR pszKey, CStringList& list) { KC_WRITE_ARCHIVED(list.Serialize(ar)) }
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, CStringArray& arr) { KC_WRITE_ARCHIVED(arr.Serialize(ar)) }
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, CDWordArray& arr) { KC_WRITE_ARCHIVED(arr.Serialize(ar)) }
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, CWordArray& arr) { KC_WRITE_ARCHIVED(arr.Serialize(ar)) }
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, CUIntArray& arr) { KC_WRITE_ARCHIVED(arr.Serialize(ar)) }
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, CObject& obj) { KC_WRITE_ARCHIVED(obj.Serialize(ar)) }
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, CObject* pObj) {
  if (!pObj) return FALSE;
  KC_WRITE_ARCHIVED(ar.WriteObject(pObj))
}
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, const CRect& rect) {
  KC_WRITE_ARCHIVED(ar << static_cast<int>(rect.left) << static_cast<int>(rect.top) << static_cast<int>(rect.right)
                       << static_cast<int>(rect.bottom))
}
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, const CPoint& point) {
  KC_WRITE_ARCHIVED(ar << static_cast<int>(point.x) << static_cast<int>(point.y))
}
BOOL CBCGPRegistry::Write(LPCTSTR pszKey, const CSize& size) {
  KC_WRITE_ARCHIVED(ar << static_cast<int>(size.cx) << static_cast<int>(size.cy))
}
#undef KC_WRITE_ARCHIVED

BOOL CBCGPRegistry::Write(LPCTSTR pszKey, CByteArray& bcArray) {
  return WriteValue(pszKey, REG_BINARY, bcArray.GetSize() ? bcArray.GetData() : nullptr,
                    static_cast<DWORD>(bcArray.GetSize()));
}

BOOL CBCGPRegistry::Write(LPCTSTR pszKey, LPBYTE pData, UINT nBytes) {
  if (!pData && nBytes) return FALSE;
  return WriteValue(pszKey, REG_BINARY, pData, nBytes);
}

// ---- reading ----

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, int& iVal) {
  DWORD dw = 0;
  if (!Read(pszKey, dw)) return FALSE;
  iVal = static_cast<int>(dw);
  return TRUE;
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, DWORD& dwVal) {
  CByteArray data;
  if (!ReadValue(pszKey, REG_DWORD, data) || data.GetSize() != sizeof(DWORD)) return FALSE;
  std::memcpy(&dwVal, data.GetData(), sizeof(DWORD));
  return TRUE;
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, double& dblVal) {
  CByteArray data;
  if (!ReadValue(pszKey, REG_BINARY, data) || data.GetSize() != sizeof(double)) return FALSE;
  std::memcpy(&dblVal, data.GetData(), sizeof(double));
  return TRUE;
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CString& sVal) {
  CByteArray data;
  if (!ReadValue(pszKey, REG_SZ, data) && !ReadValue(pszKey, REG_EXPAND_SZ, data)) return FALSE;
  const INT_PTR n = data.GetSize() / static_cast<INT_PTR>(sizeof(TCHAR));
  std::u16string text(static_cast<size_t>(n), u'\0');
  if (n) std::memcpy(text.data(), data.GetData(), static_cast<size_t>(n) * sizeof(TCHAR));
  const size_t zero = text.find(u'\0');
  if (zero != std::u16string::npos) text.resize(zero);
  sVal = CString(text.c_str(), static_cast<int>(text.size()));
  return TRUE;
}

#define KC_READ_ARCHIVED(T, target, load)                            \
  CByteArray data;                                                   \
  if (!ReadValue(pszKey, REG_BINARY, data)) return FALSE;            \
  {                                                                  \
    T probe;                                                         \
    if (!LoadFromBytes(data, [&](CArchive& ar) { probe.load; }))     \
      return FALSE;                                                  \
  }                                                                  \
  target.RemoveAll();                                                \
  return LoadFromBytes(data, [&](CArchive& ar) { target.load; });

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CStringList& list) { KC_READ_ARCHIVED(CStringList, list, Serialize(ar)) }
BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CStringArray& arr) { KC_READ_ARCHIVED(CStringArray, arr, Serialize(ar)) }
BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CDWordArray& arr) { KC_READ_ARCHIVED(CDWordArray, arr, Serialize(ar)) }
BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CWordArray& arr) { KC_READ_ARCHIVED(CWordArray, arr, Serialize(ar)) }
BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CUIntArray& arr) { KC_READ_ARCHIVED(CUIntArray, arr, Serialize(ar)) }
#undef KC_READ_ARCHIVED

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CByteArray& bcArray) {
  CByteArray data;
  if (!ReadValue(pszKey, REG_BINARY, data)) return FALSE;
  bcArray.RemoveAll();
  bcArray.Append(data);
  return TRUE;
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CRect& rect) {
  CByteArray data;
  if (!ReadValue(pszKey, REG_BINARY, data)) return FALSE;
  int v[4] = {};
  if (!LoadFromBytes(data, [&](CArchive& ar) { ar >> v[0] >> v[1] >> v[2] >> v[3]; })) return FALSE;
  rect.SetRect(v[0], v[1], v[2], v[3]);
  return TRUE;
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CPoint& point) {
  CByteArray data;
  if (!ReadValue(pszKey, REG_BINARY, data)) return FALSE;
  int v[2] = {};
  if (!LoadFromBytes(data, [&](CArchive& ar) { ar >> v[0] >> v[1]; })) return FALSE;
  point.x = v[0];
  point.y = v[1];
  return TRUE;
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CSize& size) {
  CByteArray data;
  if (!ReadValue(pszKey, REG_BINARY, data)) return FALSE;
  int v[2] = {};
  if (!LoadFromBytes(data, [&](CArchive& ar) { ar >> v[0] >> v[1]; })) return FALSE;
  size.cx = v[0];
  size.cy = v[1];
  return TRUE;
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, BYTE** ppData, UINT* pBytes) {
  if (!ppData || !pBytes) return FALSE;
  *ppData = nullptr;
  *pBytes = 0;
  CByteArray data;
  if (!ReadValue(pszKey, REG_BINARY, data)) return FALSE;
  *pBytes = static_cast<UINT>(data.GetSize());
  *ppData = new BYTE[data.GetSize() ? data.GetSize() : 1];
  if (data.GetSize()) std::memcpy(*ppData, data.GetData(), static_cast<size_t>(data.GetSize()));
  return TRUE;
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CObject& obj) {
  CByteArray data;
  if (!ReadValue(pszKey, REG_BINARY, data)) return FALSE;
  return LoadFromBytes(data, [&](CArchive& ar) { obj.Serialize(ar); });
}

BOOL CBCGPRegistry::Read(LPCTSTR pszKey, CObject*& pObj) {
  pObj = nullptr;
  CByteArray data;
  if (!ReadValue(pszKey, REG_BINARY, data)) return FALSE;
  CObject* loaded = nullptr;
  if (!LoadFromBytes(data, [&](CArchive& ar) { loaded = ar.ReadObject(nullptr); })) {
    delete loaded;
    return FALSE;
  }
  pObj = loaded;
  return pObj != nullptr;
}
