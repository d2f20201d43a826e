#include "platform/win/CRecentFileList.h"

#include <algorithm>

#include "platform/afx/CFile.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CMenu.h"
#include "platform/win/Registry.h"

namespace {

// The longest a stored path may be: longer values are not paths the program wrote.
constexpr DWORD kMaxPathBytes = 4096 * sizeof(char16_t);

std::u16string Str(const CString& s) { return s.str(); }

}  // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen),
      m_arrNames(static_cast<size_t>(std::clamp(nSize, 0, 16))) {}

CRecentFileList::~CRecentFileList() = default;

CString& CRecentFileList::operator[](int nIndex) {
  static CString none;
  if (nIndex < 0 || nIndex >= GetSize()) {
    none.Empty();
    return none;
  }
  return m_arrNames[static_cast<size_t>(nIndex)];
}

CString CRecentFileList::GetKeyPath() const { return AfxGetAppRegistryKeyPath() + u"\\" + m_strSectionName; }

void CRecentFileList::Add(LPCTSTR lpszPathName) {
  if (!lpszPathName || !*lpszPathName || m_arrNames.empty()) return;
  const CString path = CFile::FullPath(lpszPathName);
  // The file moves to the front; the oldest falls off the end.
  auto it = std::find(m_arrNames.begin(), m_arrNames.end(), path);
  if (it == m_arrNames.end()) it = m_arrNames.end() - 1;
  std::rotate(m_arrNames.begin(), it, it + 1);
  m_arrNames.front() = path;
  WriteList();
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= GetSize()) return;
  m_arrNames.erase(m_arrNames.begin() + nIndex);
  m_arrNames.emplace_back();
  WriteList();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  if (nIndex < 0 || nIndex >= GetSize() || m_arrNames[static_cast<size_t>(nIndex)].IsEmpty()) return FALSE;
  const CString& path = m_arrNames[static_cast<size_t>(nIndex)];
  const int slash = path.ReverseFind(u'/');
  const CString fileName = path.Mid(slash + 1);
  const CString folder = slash >= 0 ? path.Left(slash) : CString();
  CString curDir(lpszCurDir ? lpszCurDir : u"", nCurDir >= 0 ? nCurDir : 0);
  while (curDir.GetLength() > 1 && curDir.Right(1) == u"/") curDir = curDir.Left(curDir.GetLength() - 1);
  if (!curDir.IsEmpty() && folder == curDir) {
    strName = fileName;
    return TRUE;
  }
  strName = path;
  const int maxLen = m_nMaxDisplayLength;
  if (maxLen > 0 && strName.GetLength() > maxLen) {
    // "/first/.../last/name": the start of the path and as much of its end as fits.
    const int firstEnd = path.Find(u'/', 1);
    const CString head = firstEnd > 0 ? path.Left(firstEnd + 1) : CString();
    CString tail = u"/" + fileName;
    for (int pos = slash - 1; pos > 0; --pos) {
      if (path[pos] != u'/') continue;
      const CString longer = path.Mid(pos);
      if (head.GetLength() + 3 + longer.GetLength() > maxLen) break;
      tail = longer;
    }
    strName = head.GetLength() + 3 + tail.GetLength() <= maxLen ? head + u"..." + tail
              : bAtLeastName                                        ? fileName
                                                                    : CString();
  }
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  const int used = static_cast<int>(std::count_if(m_arrNames.begin(), m_arrNames.end(),
                                                  [](const CString& s) { return !s.IsEmpty(); }));
  CMenu* pMenu = pCmdUI->m_pMenu;
  if (!pMenu) {
    pCmdUI->Enable(used > 0);
    return;
  }
  if (m_strOriginal.IsEmpty()) pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
  if (used == 0) {
    if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
    pCmdUI->Enable(FALSE);
    return;
  }
  // The items of the list replace each other at the place of the first one.
  for (int i = 0; i < GetSize(); ++i) pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
  CString curDir = CFile::FullPath(u".");
  int inserted = 0;
  for (int i = 0; i < GetSize(); ++i) {
    CString name;
    if (!GetDisplayName(name, i, curDir, curDir.GetLength())) continue;
    // An ampersand in a file name is shown, not taken as a mnemonic.
    CString escaped;
    for (int k = 0; k < name.GetLength(); ++k) {
      if (name[k] == u'&') escaped += u'&';
      escaped += name[k];
    }
    CString text;
    text.Format(u"&%d %s", inserted + 1, static_cast<LPCTSTR>(escaped));
    pMenu->InsertMenu(pCmdUI->m_nIndex + static_cast<UINT>(inserted), MF_STRING | MF_BYPOSITION,
                      pCmdUI->m_nID + static_cast<UINT>(inserted), text);
    ++inserted;
  }
  // The update loop goes on after the new items.
  pCmdUI->m_nIndex += static_cast<UINT>(inserted - 1);
  pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
  pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList() {
  HKEY hKey = nullptr;
  const CString key = GetKeyPath();
  for (auto& name : m_arrNames) name.Empty();
  if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return;
  size_t next = 0;
  for (int i = 0; i < GetSize(); ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    DWORD type = 0, size = 0;
    if (RegQueryValueEx(hKey, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) continue;
    if (type != REG_SZ || size == 0 || size > kMaxPathBytes) continue;
    std::u16string buf(size / sizeof(char16_t) + 1, u'\0');
    if (RegQueryValueEx(hKey, entry, nullptr, &type, reinterpret_cast<LPBYTE>(buf.data()), &size) != ERROR_SUCCESS)
      continue;
    buf.resize(std::char_traits<char16_t>::length(buf.c_str()));
    if (buf.empty()) continue;
    const CString path(buf);
    if (std::find(m_arrNames.begin(), m_arrNames.end(), path) != m_arrNames.end()) continue;
    m_arrNames[next++] = path;
  }
  RegCloseKey(hKey);
}

void CRecentFileList::WriteList() {
  HKEY hKey = nullptr;
  if (RegCreateKeyEx(HKEY_CURRENT_USER, GetKeyPath(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
      ERROR_SUCCESS)
    return;
  for (int i = 0; i < GetSize(); ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    const CString& path = m_arrNames[static_cast<size_t>(i)];
    if (path.IsEmpty()) {
      RegDeleteValue(hKey, entry);
    } else {
      const std::u16string s = Str(path);
      RegSetValueEx(hKey, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(s.c_str()),
                    static_cast<DWORD>((s.size() + 1) * sizeof(char16_t)));
    }
  }
  RegCloseKey(hKey);
}
