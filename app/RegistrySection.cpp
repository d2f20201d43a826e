#include "app/RegistrySection.h"

#include <cstring>

#include "platform/win/Registry.h"

RegistrySection::RegistrySection(HKEY hRoot) : m_hRoot(hRoot) {}

RegistrySection::~RegistrySection()
{
    Close();
}

BOOL RegistrySection::Open(const CString& strKeyPath)
{
    Close();
    if (strKeyPath.IsEmpty())
        return FALSE;
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(m_hRoot, strKeyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    m_hKey = hKey;
    return TRUE;
}

BOOL RegistrySection::Create(const CString& strKeyPath)
{
    Close();
    if (strKeyPath.IsEmpty())
        return FALSE;
    HKEY hKey = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyEx(m_hRoot, strKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                       &hKey, &disposition) != ERROR_SUCCESS)
        return FALSE;
    m_hKey = hKey;
    return TRUE;
}

void RegistrySection::Close()
{
    if (m_hKey != nullptr) {
        RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

namespace {

// The value's type and bytes, when it exists and is not absurdly long.
BOOL QueryValue(HKEY hKey, LPCTSTR lpszName, DWORD& type, std::vector<BYTE>& data)
{
    if (hKey == nullptr)
        return FALSE;
    DWORD size = 0;
    if (RegQueryValueEx(hKey, lpszName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size > RegistrySection::kMaxValueBytes)
        return FALSE;
    data.assign(size, 0);
    DWORD read = size;
    if (RegQueryValueEx(hKey, lpszName, nullptr, &type, size ? data.data() : nullptr, &read) != ERROR_SUCCESS ||
        read != size)
        return FALSE;
    return TRUE;
}

}  // namespace

BOOL RegistrySection::Read(LPCTSTR lpszName, DWORD& dwValue) const
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(m_hKey, lpszName, type, data) || type != REG_DWORD || data.size() != sizeof(DWORD))
        return FALSE;
    std::memcpy(&dwValue, data.data(), sizeof(DWORD));
    return TRUE;
}

BOOL RegistrySection::Read(LPCTSTR lpszName, int& nValue) const
{
    DWORD value = 0;
    if (!Read(lpszName, value))
        return FALSE;
    nValue = static_cast<int>(value);
    return TRUE;
}

BOOL RegistrySection::Read(LPCTSTR lpszName, CString& strValue) const
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(m_hKey, lpszName, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ))
        return FALSE;
    // An odd byte count or a missing terminator is tolerated: the text ends at the first zero or
    // at the last whole character.
    const size_t chars = data.size() / sizeof(TCHAR);
    std::u16string text(chars, u'\0');
    if (chars)
        std::memcpy(text.data(), data.data(), chars * sizeof(TCHAR));
    const size_t end = text.find(u'\0');
    if (end != std::u16string::npos)
        text.resize(end);
    strValue = CString(text.c_str());
    return TRUE;
}

BOOL RegistrySection::Read(LPCTSTR lpszName, double& dValue) const
{
    std::vector<BYTE> data;
    if (!ReadBinary(lpszName, data) || data.size() != sizeof(double))
        return FALSE;
    std::memcpy(&dValue, data.data(), sizeof(double));
    return TRUE;
}

BOOL RegistrySection::ReadBinary(LPCTSTR lpszName, std::vector<BYTE>& data) const
{
    DWORD type = 0;
    std::vector<BYTE> bytes;
    if (!QueryValue(m_hKey, lpszName, type, bytes) || type != REG_BINARY)
        return FALSE;
    data.swap(bytes);
    return TRUE;
}

BOOL RegistrySection::Write(LPCTSTR lpszName, DWORD dwValue)
{
    if (m_hKey == nullptr)
        return FALSE;
    return RegSetValueEx(m_hKey, lpszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(DWORD)) ==
                   ERROR_SUCCESS
               ? TRUE
               : FALSE;
}

BOOL RegistrySection::Write(LPCTSTR lpszName, int nValue)
{
    return Write(lpszName, static_cast<DWORD>(nValue));
}

BOOL RegistrySection::Write(LPCTSTR lpszName, LPCTSTR lpszValue)
{
    if (m_hKey == nullptr || lpszValue == nullptr)
        return FALSE;
    const CString text(lpszValue);
    const DWORD bytes = static_cast<DWORD>((text.GetLength() + 1) * sizeof(TCHAR));
    return RegSetValueEx(m_hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.GetString()), bytes) ==
                   ERROR_SUCCESS
               ? TRUE
               : FALSE;
}

BOOL RegistrySection::Write(LPCTSTR lpszName, double dValue)
{
    return WriteBinary(lpszName, reinterpret_cast<const BYTE*>(&dValue), sizeof(double));
}

BOOL RegistrySection::WriteBinary(LPCTSTR lpszName, const BYTE* pData, DWORD nBytes)
{
    if (m_hKey == nullptr || (pData == nullptr && nBytes != 0))
        return FALSE;
    return RegSetValueEx(m_hKey, lpszName, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS ? TRUE : FALSE;
}
