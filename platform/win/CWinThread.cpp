#include "platform/win/CWinThread.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>

#include "platform/win/AfxWndBridge.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
CWinThread* g_pThread = nullptr;
bool g_idleHooked = false;
bool g_inIdle = false;
}  // namespace

CWinThread* AfxGetThread() { return g_pThread; }

CWinThread::CWinThread() {
  if (!g_pThread) g_pThread = this;
}

CWinThread::~CWinThread() {
  if (g_pThread == this) g_pThread = nullptr;
}

BOOL CWinThread::InitInstance() { return FALSE; }
int CWinThread::ExitInstance() { return m_nExitCode; }

CWnd* CWinThread::GetMainWnd() {
  if (m_pActiveWnd) return m_pActiveWnd;
  return m_pMainWnd;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == nullptr) return OnThreadMessage(pMsg);
  CWnd* pMainWnd = AfxGetMainWnd();
  if (CWnd::WalkPreTranslateTree(pMainWnd ? pMainWnd->GetSafeHwnd() : nullptr, pMsg)) return TRUE;
  // A message of an owned popup also goes to the main window, which holds the accelerators.
  if (pMainWnd && pMainWnd->GetSafeHwnd()) {
    CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
    if (pWnd && pWnd->GetTopLevelParent() != pMainWnd && pWnd->GetTopLevelOwner() == pMainWnd)
      return pMainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinThread::OnThreadMessage(MSG*) { return FALSE; }

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  static POINT lastPt{-1, -1};
  static UINT lastMsg = 0;
  if (pMsg->message == WM_MOUSEMOVE) {
    if (pMsg->pt.x == lastPt.x && pMsg->pt.y == lastPt.y && lastMsg == pMsg->message) return FALSE;
    lastPt = pMsg->pt;
    lastMsg = pMsg->message;
    return TRUE;
  }
  lastMsg = pMsg->message;
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  // First pass: the windows bring their command user interface up to date.
  if (lCount <= 0) {
    if (CWnd* pMainWnd = m_pMainWnd; pMainWnd && pMainWnd->GetSafeHwnd() && pMainWnd->IsWindowVisible()) {
      pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
      pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  return FALSE;
}

void CWinThread::RunIdle() {
  if (!m_bIdle || g_inIdle) return;
  g_inIdle = true;
  const BOOL more = OnIdle(m_nIdleCount++);
  g_inIdle = false;
  if (!more) {
    m_bIdle = FALSE;
  } else {
    // More idle work: come back once whatever is waiting has been handled.
    QTimer::singleShot(0, QCoreApplication::instance(), [] {});
  }
}

BOOL CWinThread::PumpMessage() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return !m_bQuitRequested;
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  AfxWndBridge::Instance()->PostThread(message, wParam, lParam);
  return TRUE;
}

int CWinThread::Run() {
  if (!QCoreApplication::instance()) return ExitInstance();
  if (!g_idleHooked) {
    if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance()) {
      QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, d, [] {
        if (CWinThread* t = AfxGetThread()) t->RunIdle();
      });
      g_idleHooked = true;
    }
  }
  m_bIdle = TRUE;
  m_nIdleCount = 0;
  if (!m_bQuitRequested) m_nExitCode = QCoreApplication::exec();
  return ExitInstance();
}

void AfxPostQuitOnMainWndDestroyed() {
  if (CWinThread* t = AfxGetThread()) t->m_bQuitRequested = TRUE;
  PostQuitMessage(0);
}

BOOL AfxInternalPreTranslateMessage(MSG* pMsg) {
  CWinThread* t = AfxGetThread();
  if (t) {
    t->m_msgCur = *pMsg;
    if (t->IsIdleMessage(pMsg)) {
      t->m_bIdle = TRUE;
      t->m_nIdleCount = 0;
    }
    return t->PreTranslateMessage(pMsg);
  }
  if (pMsg->hwnd == nullptr) return FALSE;
  return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

void AfxNoteQueueEmpty() {}
