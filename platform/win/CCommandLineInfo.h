#pragma once
// The command line of the program as the shell gives it: a file to open or print, the printer
// to print to, and the switches of embedding, automation and registration.
//
// Switches start with '-' or '/' (case does not matter): /p file (print), /pt file printer
// driver port (print to), /dde, /Embedding, /Automation, /Register or /Regserver,
// /Unregister or /Unregserver, /nologo. A parameter starting with '/' that names an existing
// file, or holds a further '/' or a '.', is a file, not a switch.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CCommandLineInfo : public CObject {
public:
  CCommandLineInfo();
  ~CCommandLineInfo() override;

  // Called for each parameter (without its '-' or '/' when bFlag), bLast for the last one.
  virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);
  // Parses a whole argument list (without the program name).
  void ParseArguments(int argc, const LPCTSTR* argv);
  // Whether a parameter is a switch (see above).
  static BOOL IsFlagParam(LPCTSTR pszParam);

  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 }
      m_nShellCommand;
  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  BOOL m_bRegisterPerUser = FALSE;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

protected:
  void ParseParamFlag(LPCTSTR pszParam);
  void ParseParamNotFlag(LPCTSTR pszParam);
  void ParseLast(BOOL bLast);
};
