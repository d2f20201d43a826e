#pragma once
// What CFile::GetStatus reports about a file.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CTime.h"

struct CFileStatus
{
    CTime m_ctime;      // creation (birth) time where the file system keeps it, else the last status change
    CTime m_mtime;      // last modification
    CTime m_atime;      // last access
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;  // CFile::Attribute bits
    BYTE m_padding = 0;
    TCHAR m_szFullName[MAX_PATH] = {};  // absolute path, truncated to MAX_PATH - 1 units
};
