#include "command/RegistryManager.h"

#include <cstring>
#include <vector>

#include "platform/win/CWinApp.h"
#include "platform/win/Registry.h"

namespace {

// The key names the application sets at start-up; used as well when no application object exists.
const TCHAR kDefaultRegistryKey[] = _T("Korvan");
const TCHAR kDefaultProfileName[] = _T("Rivedi VEZ Dadazizo\\4.0");

}  // namespace

RegistryManager::RegistryManager(HKEY hRootKey) : m_hRootKey(hRootKey), m_pApp(AfxGetApp()) {}

RegistryManager::~RegistryManager() = default;

namespace {

struct AppKeyNames {
    LPCTSTR registryKey = kDefaultRegistryKey;
    LPCTSTR profileName = kDefaultProfileName;
};

AppKeyNames NamesOf(const CWinApp* pApp)
{
    AppKeyNames names;
    if (pApp != nullptr && pApp->m_pszRegistryKey != nullptr && pApp->m_pszRegistryKey[0] != 0) {
        names.registryKey = pApp->m_pszRegistryKey;
        if (pApp->m_pszProfileName != nullptr && pApp->m_pszProfileName[0] != 0)
            names.profileName = pApp->m_pszProfileName;
    }
    return names;
}

}  // namespace

CString RegistryManager::AppKeyPath() const
{
    const AppKeyNames names = NamesOf(m_pApp);
    return CString(_T("Software\\")) + names.registryKey + _T("\\") + names.profileName;
}

HKEY RegistryManager::OpenSectionForReading(LPCTSTR lpszSection) const
{
    if (lpszSection == nullptr)
        return nullptr;
    const CString path = AppKeyPath() + _T("\\") + lpszSection;
    HKEY hSection = nullptr;
    if (RegOpenKeyEx(m_hRootKey, path, 0, KEY_READ, &hSection) != ERROR_SUCCESS)
        return nullptr;
    return hSection;
}

HKEY RegistryManager::GetAppRegistryKey()
{
    const AppKeyNames names = NamesOf(m_pApp);
    LPCTSTR registryKey = names.registryKey;
    LPCTSTR profileName = names.profileName;
    HKEY hSoftware = nullptr;
    HKEY hCompany = nullptr;
    HKEY hApp = nullptr;
    DWORD disposition = 0;
    if (RegOpenKeyEx(m_hRootKey, _T("Software"), 0, KEY_READ | KEY_WRITE, &hSoftware) != ERROR_SUCCESS &&
        RegCreateKeyEx(m_hRootKey, _T("Software"), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                       nullptr, &hSoftware, &disposition) != ERROR_SUCCESS)
        return nullptr;
    if (RegCreateKeyEx(hSoftware, registryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                       &hCompany, &disposition) == ERROR_SUCCESS) {
        if (RegCreateKeyEx(hCompany, profileName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                           nullptr, &hApp, &disposition) != ERROR_SUCCESS)
            hApp = nullptr;
        RegCloseKey(hCompany);
    }
    RegCloseKey(hSoftware);
    return hApp;
}

HKEY RegistryManager::GetSectionKey(LPCTSTR lpszSection)
{
    if (lpszSection == nullptr)
        return nullptr;
    HKEY hApp = GetAppRegistryKey();
    if (hApp == nullptr)
        return nullptr;
    HKEY hSection = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyEx(hApp, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                       &hSection, &disposition) != ERROR_SUCCESS)
        hSection = nullptr;
    RegCloseKey(hApp);
    return hSection;
}

BOOL RegistryManager::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == nullptr)
        return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    const LONG result =
        RegSetValueEx(hSection, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(hSection);
    return result == ERROR_SUCCESS ? TRUE : FALSE;
}

UINT RegistryManager::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    HKEY hSection = OpenSectionForReading(lpszSection);
    if (hSection == nullptr)
        return static_cast<UINT>(nDefault);
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof(value);
    const LONG result =
        RegQueryValueEx(hSection, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(hSection);
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(nDefault);
    return static_cast<UINT>(value);
}

BOOL RegistryManager::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszSection == nullptr)
        return FALSE;
    if (lpszEntry == nullptr) {
        HKEY hApp = GetAppRegistryKey();
        if (hApp == nullptr)
            return FALSE;
        const LONG result = RegDeleteKey(hApp, lpszSection);
        RegCloseKey(hApp);
        return result == ERROR_SUCCESS ? TRUE : FALSE;
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == nullptr)
        return FALSE;
    LONG result;
    if (lpszValue == nullptr) {
        result = RegDeleteValue(hSection, lpszEntry);
    } else {
        const CString text(lpszValue);
        const DWORD bytes = static_cast<DWORD>((text.GetLength() + 1) * sizeof(TCHAR));
        result = RegSetValueEx(hSection, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>((LPCTSTR)text), bytes);
    }
    RegCloseKey(hSection);
    return result == ERROR_SUCCESS ? TRUE : FALSE;
}

CString RegistryManager::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    const CString fallback = lpszDefault != nullptr ? CString(lpszDefault) : CString();
    HKEY hSection = OpenSectionForReading(lpszSection);
    if (hSection == nullptr)
        return fallback;
    DWORD type = 0;
    DWORD size = 0;
    CString result = fallback;
    if (RegQueryValueEx(hSection, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ &&
        size <= 1024 * 1024) {
        std::vector<TCHAR> buffer(size / sizeof(TCHAR) + 1, 0);
        DWORD read = static_cast<DWORD>(buffer.size() * sizeof(TCHAR));
        if (RegQueryValueEx(hSection, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &read) ==
            ERROR_SUCCESS) {
            buffer.back() = 0;
            result = CString(buffer.data());
        }
    }
    RegCloseKey(hSection);
    return result;
}

BOOL RegistryManager::WriteProfileDouble(LPCTSTR lpszSection, LPCTSTR lpszEntry, const double* pValue)
{
    if (pValue == nullptr)
        return FALSE;
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == nullptr)
        return FALSE;
    const LONG result =
        RegSetValueEx(hSection, lpszEntry, 0, REG_BINARY, reinterpret_cast<const BYTE*>(pValue), sizeof(double));
    RegCloseKey(hSection);
    return result == ERROR_SUCCESS ? TRUE : FALSE;
}

BOOL RegistryManager::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, double* pValue)
{
    if (pValue == nullptr)
        return FALSE;
    HKEY hSection = OpenSectionForReading(lpszSection);
    if (hSection == nullptr)
        return FALSE;
    DWORD type = 0;
    DWORD size = 0;
    BOOL bRead = FALSE;
    // A value of any other size is refused rather than cut, so nothing is written past the buffer.
    if (RegQueryValueEx(hSection, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        size == sizeof(double)) {
        BYTE bytes[sizeof(double)];
        DWORD read = sizeof(bytes);
        if (RegQueryValueEx(hSection, lpszEntry, nullptr, &type, bytes, &read) == ERROR_SUCCESS &&
            read == sizeof(double)) {
            std::memcpy(pValue, bytes, sizeof(double));
            bRead = TRUE;
        }
    }
    RegCloseKey(hSection);
    return bRead;
}
