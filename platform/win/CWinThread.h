#pragma once
// A thread with a message loop. The user-interface thread's loop is the Qt event loop: Run
// drives it, calling OnIdle whenever the queue has become empty, and every queued message
// (input, posted messages, timers) passes PreTranslateMessage before its window gets it.

#include "platform/win/CCmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
public:
  CWinThread();
  ~CWinThread() override;

  CWnd* m_pMainWnd = nullptr;
  CWnd* m_pActiveWnd = nullptr;
  BOOL m_bAutoDelete = TRUE;
  MSG m_msgCur{};

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // Runs the message loop until the application quits; returns ExitInstance's code.
  virtual int Run();
  // Idle work; lCount counts the calls since the last message. TRUE asks for more idle time.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Handles the waiting messages once; FALSE when the application has been asked to quit.
  virtual BOOL PumpMessage();
  // Whether a message ends an idle period (repeated mouse moves and paints do not).
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual CWnd* GetMainWnd();
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A thread message (posted without a window) that PreTranslateMessage did not take.
  virtual BOOL OnThreadMessage(MSG* pMsg);

  // Runs OnIdle as the message loop does when the queue is empty (also used by modal loops).
  void RunIdle();

  LONG m_nIdleCount = 0;
  BOOL m_bIdle = TRUE;
  BOOL m_bQuitRequested = FALSE;
  int m_nExitCode = 0;
};

CWinThread* AfxGetThread();
// Called when the main window's last message has gone: the loop ends.
void AfxPostQuitOnMainWndDestroyed();
