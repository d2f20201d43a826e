#pragma once
// One section of the settings store opened by its key path (as CQZ2App::GetSectionKeyPath gives it),
// for reading or for writing, with typed values: 32-bit integers, texts, doubles and binary blocks.
// The key is closed when the object goes.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

class RegistrySection
{
public:
    // Longest text or binary value read; anything longer is treated as missing.
    static constexpr DWORD kMaxValueBytes = 1024 * 1024;

    explicit RegistrySection(HKEY hRoot);
    ~RegistrySection();
    RegistrySection(const RegistrySection&) = delete;
    RegistrySection& operator=(const RegistrySection&) = delete;

    // Opens an existing key for reading.
    BOOL Open(const CString& strKeyPath);
    // Creates the key (or opens it) for writing.
    BOOL Create(const CString& strKeyPath);
    void Close();
    BOOL IsOpen() const { return m_hKey != nullptr; }

    // Each read fails, leaving the out value alone, when the value is missing or not of its type
    // and size.
    BOOL Read(LPCTSTR lpszName, int& nValue) const;
    BOOL Read(LPCTSTR lpszName, DWORD& dwValue) const;
    BOOL Read(LPCTSTR lpszName, CString& strValue) const;
    // Exactly 8 binary bytes.
    BOOL Read(LPCTSTR lpszName, double& dValue) const;
    BOOL ReadBinary(LPCTSTR lpszName, std::vector<BYTE>& data) const;

    BOOL Write(LPCTSTR lpszName, int nValue);
    BOOL Write(LPCTSTR lpszName, DWORD dwValue);
    BOOL Write(LPCTSTR lpszName, LPCTSTR lpszValue);
    BOOL Write(LPCTSTR lpszName, double dValue);
    BOOL WriteBinary(LPCTSTR lpszName, const BYTE* pData, DWORD nBytes);

private:
    HKEY m_hRoot;
    HKEY m_hKey = nullptr;
};
