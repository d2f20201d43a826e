#include "platform/afx/CFileFind.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

#include <QtCore/QUrl>

#include "platform/afx/CFile.h"
#include "platform/afx/CTime.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

char16_t Fold(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
    return QChar(c).toCaseFolded().unicode();
}

bool Match(const char16_t* n, const char16_t* p)
{
    // Iterative matching with backtracking to the last '*'.
    const char16_t* star = nullptr;
    const char16_t* resume = nullptr;
    while (*n != 0) {
        if (*p == u'*') {
            star = p++;
            resume = n;
        } else if (*p == u'?' || (*p != 0 && Fold(*p) == Fold(*n))) {
            ++p;
            ++n;
        } else if (star != nullptr) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*p == u'*')
        ++p;
    return *p == 0;
}

}  // namespace

bool CFileFind::MatchWildcard(const CString& name, const CString& pattern)
{
    // "*.*" stands for every name, with or without a dot.
    if (pattern == _T("*.*"))
        return true;
    return Match(name.GetString(), pattern.GetString());
}

CFileFind::CFileFind() : m_nCurrent(-1)
{
}

CFileFind::~CFileFind() = default;

void CFileFind::Close()
{
    m_found.clear();
    m_nCurrent = -1;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    CString spec = (pstrName == nullptr || pstrName[0] == 0) ? CString(_T("*.*")) : CString(pstrName);
    spec.Replace(u'\\', u'/');
    const int slash = spec.ReverseFind(u'/');
    CString dir = slash >= 0 ? spec.Left(slash) : CString(_T("."));
    if (slash == 0)
        dir = _T("/");
    const CString pattern = spec.Mid(slash + 1);
    if (pattern.IsEmpty())
        return FALSE;

    const CString root = CFile::FullPath(dir);
    const std::string nativeDir = root.ToUtf8();
    DIR* d = ::opendir(nativeDir.c_str());
    if (d == nullptr)
        return FALSE;
    while (struct dirent* ent = ::readdir(d)) {
        const CString name = CString::FromUtf8(ent->d_name);
        if (!MatchWildcard(name, pattern))
            continue;
        Found f;
        f.name = name;
        struct stat st;
        const std::string full = nativeDir + (nativeDir.size() > 1 ? "/" : "") + ent->d_name;
        if (::stat(full.c_str(), &st) == 0) {
            f.size = S_ISDIR(st.st_mode) ? 0 : static_cast<ULONGLONG>(st.st_size);
            f.mtime = st.st_mtim.tv_sec;
            f.atime = st.st_atim.tv_sec;
            f.ctime = st.st_ctim.tv_sec;
            if (S_ISDIR(st.st_mode))
                f.attribute |= CFile::directory;
            else
                f.attribute |= CFile::archive;
            if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
                f.attribute |= CFile::readOnly;
        }
        if (name.GetLength() > 1 && name[0] == u'.' && name != _T(".."))
            f.attribute |= CFile::hidden;
        m_found.push_back(std::move(f));
    }
    ::closedir(d);
    if (m_found.empty())
        return FALSE;
    std::sort(m_found.begin(), m_found.end(), [](const Found& a, const Found& b) { return a.name < b.name; });
    m_strRoot = root;
    m_nCurrent = -1;
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_found.empty() || m_nCurrent + 1 >= (int)m_found.size())
        return FALSE;
    ++m_nCurrent;
    return m_nCurrent + 1 < (int)m_found.size();
}

CString CFileFind::GetFileName() const
{
    return HasCurrent() ? m_found[m_nCurrent].name : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!HasCurrent())
        return CString();
    if (m_strRoot == _T("/"))
        return m_strRoot + m_found[m_nCurrent].name;
    return m_strRoot + _T("/") + m_found[m_nCurrent].name;
}

CString CFileFind::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(u'.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

CString CFileFind::GetFileURL() const
{
    if (!HasCurrent())
        return CString();
    return CString::FromQString(QUrl::fromLocalFile(GetFilePath().ToQString()).toString());
}

ULONGLONG CFileFind::GetLength() const
{
    return HasCurrent() ? m_found[m_nCurrent].size : 0;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    if (!HasCurrent())
        return FALSE;
    refTime = CTime(static_cast<std::time_t>(m_found[m_nCurrent].mtime));
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    if (!HasCurrent())
        return FALSE;
    refTime = CTime(static_cast<std::time_t>(m_found[m_nCurrent].atime));
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    if (!HasCurrent())
        return FALSE;
    refTime = CTime(static_cast<std::time_t>(m_found[m_nCurrent].ctime));
    return TRUE;
}

BOOL CFileFind::IsDots() const
{
    const CString name = GetFileName();
    return HasCurrent() && (name == _T(".") || name == _T(".."));
}

BOOL CFileFind::IsDirectory() const
{
    return HasCurrent() && (m_found[m_nCurrent].attribute & CFile::directory) != 0;
}

BOOL CFileFind::IsReadOnly() const
{
    return HasCurrent() && (m_found[m_nCurrent].attribute & CFile::readOnly) != 0;
}

BOOL CFileFind::IsHidden() const
{
    return HasCurrent() && (m_found[m_nCurrent].attribute & CFile::hidden) != 0;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    if (!HasCurrent())
        return FALSE;
    return (m_found[m_nCurrent].attribute & dwMask) != 0;
}
