#include "platform/bcg/CBCGPWorkspace.h"

#include "platform/bcg/CBCGPContextMenuManager.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/bcg/CBCGPTooltipManager.h"
#include "platform/win/CWinApp.h"

namespace {
CBCGPWorkspace* g_pWorkspace = nullptr;
}

CBCGPWorkspace::CBCGPWorkspace(BOOL) : m_strRegSection(u"Settings") { g_pWorkspace = this; }

CBCGPWorkspace::~CBCGPWorkspace() {
  if (m_bKeyboardManagerAutocreated) CBCGPKeyboardManager::Destroy();
  if (m_bContextMenuManagerAutocreated) CBCGPContextMenuManager::Destroy();
  if (m_bTooltipManagerAutocreated) CBCGPTooltipManager::Destroy();
  if (g_pWorkspace == this) g_pWorkspace = nullptr;
}

CBCGPWorkspace* CBCGPWorkspace::GetInstance() { return g_pWorkspace; }

LPCTSTR CBCGPWorkspace::SetRegistryBase(LPCTSTR lpszSectionName) {
  m_strRegSection = (lpszSectionName && *lpszSectionName) ? lpszSectionName : u"Settings";
  m_strRegSection.Trim(u'\\');
  return m_strRegSection;
}

CString CBCGPWorkspace::GetRegSectionPath(LPCTSTR szSectionAdd) const {
  CString path(u"Software\\");
  CWinApp* app = AfxGetApp();
  const bool haveKey = app && app->m_pszRegistryKey && *app->m_pszRegistryKey;
  const bool haveProfile = app && app->m_pszProfileName && *app->m_pszProfileName;
  if (haveKey) {
    path += app->m_pszRegistryKey;
    path += u"\\";
  }
  if (haveProfile) {
    path += app->m_pszProfileName;
  } else {
    LPCTSTR name = AfxGetAppName();
    path += (name && *name) ? name : u"Korvan";
  }
  path += u"\\";
  path += m_strRegSection;
  path += u"\\";
  CString add(szSectionAdd ? szSectionAdd : u"");
  add.Trim(u'\\');
  if (!add.IsEmpty()) {
    path += add;
    path += u"\\";
  }
  return path;
}

BOOL CBCGPWorkspace::InitKeyboardManager() {
  if (CBCGPKeyboardManager::GetInstance()) return FALSE;
  CBCGPKeyboardManager::Create();
  m_bKeyboardManagerAutocreated = TRUE;
  return TRUE;
}

BOOL CBCGPWorkspace::InitContextMenuManager() {
  if (CBCGPContextMenuManager::GetInstance()) return FALSE;
  CBCGPContextMenuManager::Create();
  m_bContextMenuManagerAutocreated = TRUE;
  return TRUE;
}

BOOL CBCGPWorkspace::InitMouseManager() { return TRUE; }

BOOL CBCGPWorkspace::InitTooltipManager() {
  if (CBCGPTooltipManager::GetInstance()) return FALSE;
  CBCGPTooltipManager::Create();
  m_bTooltipManagerAutocreated = TRUE;
  return TRUE;
}

CBCGPTooltipManager* CBCGPWorkspace::GetTooltipManager() const { return CBCGPTooltipManager::GetInstance(); }

CBCGPKeyboardManager* CBCGPWorkspace::GetKeyboardManager() const { return CBCGPKeyboardManager::GetInstance(); }

CBCGPContextMenuManager* CBCGPWorkspace::GetContextMenuManager() const { return CBCGPContextMenuManager::GetInstance(); }

BOOL CBCGPWorkspace::LoadState(CBCGPMDIFrameWnd* pFrame, LPCTSTR lpszSectionName) {
  if (!pFrame) return FALSE;
  PreLoadState();
  const CString path = GetRegSectionPath(lpszSectionName);
  BOOL ok = pFrame->LoadBarState(path);
  if (CBCGPKeyboardManager* km = CBCGPKeyboardManager::GetInstance()) km->LoadState(path, pFrame);
  LoadCustomState();
  return ok;
}

BOOL CBCGPWorkspace::SaveState(CBCGPMDIFrameWnd* pFrame, LPCTSTR lpszSectionName) {
  if (!pFrame) return FALSE;
  PreSaveState();
  const CString path = GetRegSectionPath(lpszSectionName);
  BOOL ok = pFrame->SaveBarState(path);
  if (CBCGPKeyboardManager* km = CBCGPKeyboardManager::GetInstance()) ok = km->SaveState(path, pFrame) && ok;
  SaveCustomState();
  return ok;
}

BOOL CBCGPWorkspace::CleanState(LPCTSTR lpszSectionName) {
  CBCGPRegistrySP sp;
  return sp.Create(FALSE, FALSE).DeleteKey(GetRegSectionPath(lpszSectionName));
}

BOOL CBCGPWorkspace::IsStateExists(LPCTSTR lpszSectionName) {
  CBCGPRegistrySP sp;
  return sp.Create(FALSE, TRUE).VerifyKey(GetRegSectionPath(lpszSectionName));
}

int CBCGPWorkspace::GetInt(LPCTSTR lpszEntry, int nDefault) {
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, TRUE);
  int v = nDefault;
  if (reg.Open(GetRegSectionPath())) reg.Read(lpszEntry, v);
  return v;
}

CString CBCGPWorkspace::GetString(LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, TRUE);
  CString v(lpszDefault ? lpszDefault : u"");
  if (reg.Open(GetRegSectionPath())) reg.Read(lpszEntry, v);
  return v;
}

BOOL CBCGPWorkspace::WriteInt(LPCTSTR lpszEntry, int nValue) {
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
  return reg.CreateKey(GetRegSectionPath()) && reg.Write(lpszEntry, nValue);
}

BOOL CBCGPWorkspace::WriteString(LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
  return reg.CreateKey(GetRegSectionPath()) && reg.Write(lpszEntry, lpszValue);
}
