#include "libs/vevure/QZ2ProductVersion.h"

#include "platform/afx/CArchive.h"

QZ2ProductVersion::QZ2ProductVersion(int major, int minor, int build, int productType, const CString& name)
    : m_major(major), m_minor(minor), m_build(build), m_productType(productType), m_name(name)
{
}

QZ2ProductVersion QZ2ProductVersion::GetCurrentVersion()
{
    return QZ2ProductVersion(kCurrentMajor, kCurrentMinor, kCurrentBuild, 0, CString(u"KorvanCAD"));
}

ULONGLONG QZ2ProductVersion::MakeProductVersion(int major, int minor, int build)
{
    return (static_cast<ULONGLONG>(static_cast<WORD>(major)) << 32) |
           (static_cast<ULONGLONG>(static_cast<WORD>(minor)) << 16) | static_cast<ULONGLONG>(static_cast<WORD>(build));
}

bool QZ2ProductVersion::operator==(const QZ2ProductVersion& o) const
{
    return m_major == o.m_major && m_minor == o.m_minor && m_build == o.m_build &&
           m_productType == o.m_productType && m_name == o.m_name;
}

void QZ2ProductVersion::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_major) << static_cast<LONG>(m_minor) << static_cast<LONG>(m_build)
           << static_cast<LONG>(m_productType) << m_name;
        return;
    }
    LONG major = 0, minor = 0, build = 0, type = 0;
    CString name;
    ar >> major >> minor >> build >> type >> name;
    m_major = major;
    m_minor = minor;
    m_build = build;
    m_productType = type;
    m_name = name;
}
