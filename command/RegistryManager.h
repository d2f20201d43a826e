#pragma once
// Reads and writes the values of one section below the application's key in the user's settings.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

class CWinApp;

class RegistryManager
{
public:
    explicit RegistryManager(HKEY hRootKey);
    virtual ~RegistryManager();

    // The application's key, opened for reading and writing; NULL on failure. The caller closes it.
    virtual HKEY GetAppRegistryKey();
    // The section below the application's key, created when missing; NULL on failure.
    virtual HKEY GetSectionKey(LPCTSTR lpszSection);

    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    // A null entry deletes the section, a null value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // Exactly eight bytes.
    BOOL WriteProfileDouble(LPCTSTR lpszSection, LPCTSTR lpszEntry, const double* pValue);
    // Reads an eight-byte value into the buffer; FALSE, and the buffer untouched, when there is none
    // of that size.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, double* pValue);

private:
    // "Software\<company>\<profile>" of the application.
    CString AppKeyPath() const;
    // The section opened for reading only; NULL when it is missing. Reading never creates keys, so that
    // looking a value up leaves the settings store as it was.
    HKEY OpenSectionForReading(LPCTSTR lpszSection) const;

    HKEY m_hRootKey;
    CString m_strProfileFile;
    CWinApp* m_pApp;
};
