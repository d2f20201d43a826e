#pragma once
// Keys of the frames' commands that the user may change: the frame's accelerator table is
// kept, changed and stored with the workspace state, and the text of a command's key is found
// for menus and tool tips.

#include "platform/afx/CString.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinTypes.h"

class CFrameWnd;
class CMultiDocTemplate;

class CBCGPKeyboardManager {
public:
  static CBCGPKeyboardManager* GetInstance();
  static CBCGPKeyboardManager* Create();
  static void Destroy();

  // Whether the frame has the command; stored keys of commands it lacks are dropped on load.
  typedef BOOL (*CommandFilter)(CFrameWnd* pFrame, UINT uiCmd);
  // Null (the default) keeps every stored key.
  static void SetCommandFilter(CommandFilter pfnFilter);

  // The stored keys of pDefaultFrame replace its table; FALSE when none are stored or usable.
  BOOL LoadState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame);
  BOOL SaveState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame);
  // A new table for the frame (the template's table when pTemplate is given).
  BOOL UpdateAcellTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize, CFrameWnd* pDefaultFrame = nullptr);
  BOOL UpdateAcellTable(CMultiDocTemplate* pTemplate, HACCEL hAccelNew, CFrameWnd* pDefaultFrame = nullptr);
  // The default frame's keys back to those it was made with.
  void ResetAll();
  // The frame goes away: its keys are no longer followed.
  void OnFrameDestroyed(CFrameWnd* pFrame);

  // The text of the first key of the command in the frame's table ("Ctrl+Shift+F1").
  static BOOL FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
  // Whether the key is taken by a command of the frame.
  static BOOL IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
  // The text of one key.
  static CString FormatAccelerator(const ACCEL& accel);

private:
  CBCGPKeyboardManager();
  ~CBCGPKeyboardManager();
  struct Impl;
  Impl* d;
};
