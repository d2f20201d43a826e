#include "libs/vevure/QZ2FileVersion.h"

#include "platform/afx/CArchive.h"

QZ2FileVersion::QZ2FileVersion(const CString& fileString, WORD major, WORD minor, DWORD requiredMajor,
                               DWORD requiredMinor, const CString& requiredProductName)
    : m_fileString(fileString),
      m_major(major),
      m_minor(minor),
      m_requiredMajor(requiredMajor),
      m_requiredMinor(requiredMinor),
      m_requiredProductName(requiredProductName)
{
}

QZ2FileVersion QZ2FileVersion::GetCurrentVersion()
{
    return QZ2FileVersion(CString(u"KorvanCAD Drawing"), kCurrentMajor, kCurrentMinor, 4, 0, CString(u"KorvanCAD"));
}

bool QZ2FileVersion::operator==(const QZ2FileVersion& o) const
{
    return m_fileString == o.m_fileString && m_major == o.m_major && m_minor == o.m_minor &&
           m_requiredMajor == o.m_requiredMajor && m_requiredMinor == o.m_requiredMinor &&
           m_requiredProductName == o.m_requiredProductName;
}

void QZ2FileVersion::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_fileString << m_major << m_minor << m_requiredMajor << m_requiredMinor << m_requiredProductName;
        return;
    }
    QZ2FileVersion loaded;
    ar >> loaded.m_fileString >> loaded.m_major >> loaded.m_minor >> loaded.m_requiredMajor >>
        loaded.m_requiredMinor >> loaded.m_requiredProductName;
    *this = loaded;
}
