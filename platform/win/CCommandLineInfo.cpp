#include "platform/win/CCommandLineInfo.h"

#include <sys/stat.h>

#include "platform/afx/CFile.h"

CCommandLineInfo::CCommandLineInfo() : m_nShellCommand(FileNew) {}

CCommandLineInfo::~CCommandLineInfo() = default;

BOOL CCommandLineInfo::IsFlagParam(LPCTSTR pszParam) {
  if (!pszParam || !pszParam[0] || !pszParam[1]) return FALSE;
  if (pszParam[0] == u'-') return TRUE;
  if (pszParam[0] != u'/') return FALSE;
  // On this system paths start with '/' too: a switch is one word.
  for (LPCTSTR p = pszParam + 1; *p; ++p) {
    if (*p == u'/' || *p == u'.' || *p == u'\\') return FALSE;
  }
  struct stat st {};
  return ::stat(CFile::NativePath(pszParam).c_str(), &st) != 0;
}

void CCommandLineInfo::ParseArguments(int argc, const LPCTSTR* argv) {
  for (int i = 0; i < argc; ++i) {
    LPCTSTR param = argv[i] ? argv[i] : u"";
    const BOOL bFlag = IsFlagParam(param);
    ParseParam(bFlag ? param + 1 : param, bFlag, i == argc - 1);
  }
}

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag)
    ParseParamFlag(pszParam);
  else
    ParseParamNotFlag(pszParam);
  ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(LPCTSTR pszParam) {
  const CString flag = pszParam;
  if (flag.CompareNoCase(u"pt") == 0) {
    m_nShellCommand = FilePrintTo;
  } else if (flag.CompareNoCase(u"p") == 0) {
    m_nShellCommand = FilePrint;
  } else if (flag.CompareNoCase(u"Register") == 0 || flag.CompareNoCase(u"Regserver") == 0) {
    m_nShellCommand = AppRegister;
  } else if (flag.CompareNoCase(u"RegisterPerUser") == 0 || flag.CompareNoCase(u"RegserverPerUser") == 0) {
    m_nShellCommand = AppRegister;
    m_bRegisterPerUser = TRUE;
  } else if (flag.CompareNoCase(u"Unregister") == 0 || flag.CompareNoCase(u"Unregserver") == 0) {
    m_nShellCommand = AppUnregister;
  } else if (flag.CompareNoCase(u"UnregisterPerUser") == 0 || flag.CompareNoCase(u"UnregserverPerUser") == 0) {
    m_nShellCommand = AppUnregister;
    m_bRegisterPerUser = TRUE;
  } else if (flag.CompareNoCase(u"dde") == 0) {
    m_nShellCommand = FileDDE;
  } else if (flag.CompareNoCase(u"Embedding") == 0) {
    m_bRunEmbedded = TRUE;
    m_bShowSplash = FALSE;
  } else if (flag.CompareNoCase(u"Automation") == 0) {
    m_bRunAutomated = TRUE;
    m_bShowSplash = FALSE;
  } else if (flag.CompareNoCase(u"nologo") == 0) {
    m_bShowSplash = FALSE;
  }
}

void CCommandLineInfo::ParseParamNotFlag(LPCTSTR pszParam) {
  // The file comes first; print-to takes the printer, driver and port after it.
  if (m_strFileName.IsEmpty())
    m_strFileName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
    m_strPrinterName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
    m_strDriverName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
    m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
  if (!bLast) return;
  if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
  if (m_bRunEmbedded || m_bRunAutomated) {
    m_bShowSplash = FALSE;
    // An embedded or automated start makes no document of its own.
    if (m_nShellCommand == FileNew) m_nShellCommand = FileNothing;
  }
}
