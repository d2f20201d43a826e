#pragma once
// The version of the program that writes a drawing: major, minor and build numbers, a product type
// and the product's name. This program is 4.21.0.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CArchive;

class QZ2ProductVersion
{
public:
    static constexpr int kCurrentMajor = 4;
    static constexpr int kCurrentMinor = 21;
    static constexpr int kCurrentBuild = 0;

    QZ2ProductVersion() = default;
    QZ2ProductVersion(int major, int minor, int build, int productType, const CString& name);
    QZ2ProductVersion(const QZ2ProductVersion& src) = default;
    QZ2ProductVersion& operator=(const QZ2ProductVersion& src) = default;

    // The version of this program.
    static QZ2ProductVersion GetCurrentVersion();

    int GetProductType() const { return m_productType; }
    void SetProductType(int type) { m_productType = type; }
    int GetMajorVersion() const { return m_major; }
    void SetMajorVersion(int major) { m_major = major; }
    int GetMinorVersion() const { return m_minor; }
    void SetMinorVersion(int minor) { m_minor = minor; }
    int GetBuildNumber() const { return m_build; }
    void SetBuildNumber(int build) { m_build = build; }
    const CString& GetProductName() const { return m_name; }
    void SetProductName(const CString& name) { m_name = name; }

    // major * 2^32 + minor * 2^16 + build, each taken as 16 bits: versions compare as numbers.
    static ULONGLONG MakeProductVersion(int major, int minor, int build);
    ULONGLONG GetVersionNumber() const { return MakeProductVersion(m_major, m_minor, m_build); }

    bool operator==(const QZ2ProductVersion& other) const;
    bool operator!=(const QZ2ProductVersion& other) const { return !(*this == other); }

    void Serialize(CArchive& ar);

private:
    int m_major = 0;
    int m_minor = 0;
    int m_build = 0;
    int m_productType = 0;
    CString m_name;
};
