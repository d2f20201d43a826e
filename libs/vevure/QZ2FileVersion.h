#pragma once
// The version of a drawing file's format: an identifying text, major and minor numbers (16 bits each),
// the oldest program version able to read it, and that program's name. Versions below 4.0
// (GetVersionNumber() < 0x40000) are the older formats.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CArchive;

class QZ2FileVersion
{
public:
    // The format this program writes, and the older one it can also write (3.10).
    static constexpr WORD kCurrentMajor = 4;
    static constexpr WORD kCurrentMinor = 21;
    static constexpr DWORD kVersion310 = 0x0003000A;

    QZ2FileVersion() = default;
    QZ2FileVersion(const CString& fileString, WORD major, WORD minor, DWORD requiredMajor, DWORD requiredMinor,
                   const CString& requiredProductName);
    QZ2FileVersion(const QZ2FileVersion& src) = default;
    QZ2FileVersion& operator=(const QZ2FileVersion& src) = default;

    // The format this program writes.
    static QZ2FileVersion GetCurrentVersion();

    CString GetFileString() const { return m_fileString; }
    CString GetRequiredProductName() const { return m_requiredProductName; }
    WORD GetMajorVersion() const { return m_major; }
    WORD GetMinorVersion() const { return m_minor; }
    DWORD GetRequiredMajorVersion() const { return m_requiredMajor; }
    DWORD GetRequiredMinorVersion() const { return m_requiredMinor; }
    void SetFileString(const CString& s) { m_fileString = s; }
    void SetRequiredProductName(const CString& s) { m_requiredProductName = s; }
    void SetVersion(WORD major, WORD minor) { m_major = major; m_minor = minor; }
    void SetRequiredVersion(DWORD major, DWORD minor) { m_requiredMajor = major; m_requiredMinor = minor; }

    // major * 2^16 + minor.
    DWORD GetVersionNumber() const { return MakeFileVersion(m_major, m_minor); }
    static DWORD MakeFileVersion(WORD major, WORD minor) { return (static_cast<DWORD>(major) << 16) | minor; }

    bool operator==(const QZ2FileVersion& other) const;
    bool operator!=(const QZ2FileVersion& other) const { return !(*this == other); }

    void Serialize(CArchive& ar);

private:
    CString m_fileString;
    WORD m_major = 0;
    WORD m_minor = 0;
    DWORD m_requiredMajor = 0;
    DWORD m_requiredMinor = 0;
    CString m_requiredProductName;
};
