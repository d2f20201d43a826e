#include "platform/win/Registry.h"

#include <cstring>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/win/SettingsStore.h"

// An open key: which store, where in it, and what the opener asked to do with it.
struct HKEY__ {
  SettingsStore::Root root;
  std::u16string path;
  REGSAM access;
};

namespace {

constexpr REGSAM kMaximumAllowed = 0x02000000;
constexpr REGSAM kGenericAll = 0x10000000;
constexpr REGSAM kGenericWrite = 0x40000000;
constexpr REGSAM kGenericRead = 0x80000000;

struct KeyRef {
  SettingsStore::Root root = SettingsStore::CurrentUser;
  std::u16string path;
  REGSAM access = 0;
  SettingsStore* store() const { return SettingsStore::Get(root); }
};

// Handles are checked against the set of live ones before use, so that a closed or made-up
// handle gets ERROR_INVALID_HANDLE instead of a crash.
std::mutex& handleMutex()
{
  static auto* mutex = new std::mutex;
  return *mutex;
}

std::unordered_set<HKEY>& liveHandles()
{
  static auto* handles = new std::unordered_set<HKEY>;
  return *handles;
}

bool resolve(HKEY hKey, KeyRef* ref)
{
  if (hKey == HKEY_CURRENT_USER) {
    *ref = KeyRef{SettingsStore::CurrentUser, std::u16string(), KEY_ALL_ACCESS};
    return true;
  }
  if (hKey == HKEY_LOCAL_MACHINE) {
    *ref = KeyRef{SettingsStore::LocalMachine, std::u16string(), KEY_ALL_ACCESS};
    return true;
  }
  std::lock_guard<std::mutex> guard(handleMutex());
  if (!liveHandles().count(hKey)) return false;
  *ref = KeyRef{hKey->root, hKey->path, hKey->access};
  return true;
}

HKEY openHandle(const KeyRef& parent, const std::u16string& path, REGSAM access)
{
  if (access & kMaximumAllowed) access |= KEY_ALL_ACCESS;
  if (access & kGenericAll) access |= KEY_ALL_ACCESS;
  if (access & kGenericRead) access |= KEY_READ;
  if (access & kGenericWrite) access |= KEY_WRITE;
  HKEY handle = new HKEY__{parent.root, path, access};
  std::lock_guard<std::mutex> guard(handleMutex());
  liveHandles().insert(handle);
  return handle;
}

// The path of subKey below base, with empty components (doubled, leading or trailing
// backslashes) dropped.
std::u16string joinPath(const std::u16string& base, LPCWSTR subKey)
{
  std::u16string out = base;
  if (!subKey) return out;
  const std::u16string sub(subKey);
  size_t start = 0;
  while (start <= sub.size()) {
    size_t end = sub.find(u'\\', start);
    if (end == std::u16string::npos) end = sub.size();
    if (end > start) {
      if (!out.empty()) out += u'\\';
      out.append(sub, start, end - start);
    }
    start = end + 1;
  }
  return out;
}

std::u16string nameOf(LPCWSTR name) { return name ? std::u16string(name) : std::u16string(); }

// Copies a name into a caller's buffer of *count characters; on success *count is its length.
LSTATUS copyName(const std::u16string& name, LPWSTR buffer, LPDWORD count)
{
  if (name.size() + 1 > *count) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.data(), name.size() * sizeof(char16_t));
  buffer[name.size()] = 0;
  *count = DWORD(name.size());
  return ERROR_SUCCESS;
}

// Copies value bytes the way RegQueryValueEx does: no buffer means a size query, a small buffer
// is left untouched and gets the needed size.
LSTATUS copyData(const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD size)
{
  const DWORD needed = DWORD(data.size());
  if (buffer) {
    if (*size < needed) {
      *size = needed;
      return ERROR_MORE_DATA;
    }
    if (needed) std::memcpy(buffer, data.data(), needed);
  }
  if (size) *size = needed;
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired,
                        LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  KeyRef parent;
  if (!resolve(hKey, &parent)) return ERROR_INVALID_HANDLE;
  SettingsStore* store = parent.store();
  const std::u16string path = joinPath(parent.path, lpSubKey);
  bool created = false;
  if (store->KeyExists(path) != ERROR_SUCCESS) {
    if (!(parent.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    const LSTATUS rc = store->CreateKey(path, &created);
    if (rc != ERROR_SUCCESS) return rc;
  }
  *phkResult = openHandle(parent, path, samDesired);
  if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  KeyRef parent;
  if (!resolve(hKey, &parent)) return ERROR_INVALID_HANDLE;
  const std::u16string path = joinPath(parent.path, lpSubKey);
  const LSTATUS rc = parent.store()->KeyExists(path);
  if (rc != ERROR_SUCCESS) return rc;
  *phkResult = openHandle(parent, path, samDesired);
  return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  if (!(key.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  const LSTATUS rc = key.store()->GetValue(key.path, nameOf(lpValueName), &type, &data);
  if (rc != ERROR_SUCCESS) return rc;
  if (lpType) *lpType = type;
  return copyData(data, lpData, lpcbData);
}

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
  if (!(key.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  return key.store()->SetValue(key.path, nameOf(lpValueName), dwType, lpData, cbData);
}

LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (!(key.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  return key.store()->DeleteValue(key.path, nameOf(lpValueName));
}

LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  return key.store()->DeleteKey(joinPath(key.path, lpSubKey), false);
}

LSTATUS RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (!lpSubKey) return key.store()->DeleteKey(key.path, true);
  return key.store()->DeleteKey(joinPath(key.path, lpSubKey), false);
}

LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD, LPWSTR lpClass,
                      LPDWORD lpcchClass, PFILETIME)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (!lpName || !lpcchName) return ERROR_INVALID_PARAMETER;
  if (!(key.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
  std::u16string name;
  LSTATUS rc = key.store()->EnumKey(key.path, dwIndex, &name);
  if (rc != ERROR_SUCCESS) return rc;
  rc = copyName(name, lpName, lpcchName);
  if (rc != ERROR_SUCCESS) return rc;
  if (lpClass && lpcchClass && *lpcchClass) lpClass[0] = 0;
  if (lpcchClass) *lpcchClass = 0;
  return ERROR_SUCCESS;
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  if (!(key.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  std::u16string name;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  LSTATUS rc = key.store()->EnumValue(key.path, dwIndex, &name, &type, &data);
  if (rc != ERROR_SUCCESS) return rc;
  rc = copyName(name, lpValueName, lpcchValueName);
  if (rc != ERROR_SUCCESS) return rc;
  if (lpType) *lpType = type;
  return copyData(data, lpData, lpcbData);
}

LSTATUS RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
                         LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                         LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                         PFILETIME)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (lpReserved) return ERROR_INVALID_PARAMETER;
  if (!(key.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  SettingsStore::KeyInfo info;
  const LSTATUS rc = key.store()->QueryInfo(key.path, &info);
  if (rc != ERROR_SUCCESS) return rc;
  if (lpClass && lpcchClass && *lpcchClass) lpClass[0] = 0;
  if (lpcchClass) *lpcchClass = 0;
  if (lpcSubKeys) *lpcSubKeys = info.subKeys;
  if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = info.maxSubKeyLen;
  if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
  if (lpcValues) *lpcValues = info.values;
  if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = info.maxValueNameLen;
  if (lpcbMaxValueLen) *lpcbMaxValueLen = info.maxValueLen;
  if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY hKey)
{
  if (hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  {
    std::lock_guard<std::mutex> guard(handleMutex());
    if (!liveHandles().erase(hKey)) return ERROR_INVALID_HANDLE;
  }
  delete hKey;
  return ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY hKey)
{
  KeyRef key;
  if (!resolve(hKey, &key)) return ERROR_INVALID_HANDLE;
  return key.store()->IsReadOnly() ? ERROR_SUCCESS : key.store()->Flush();
}
