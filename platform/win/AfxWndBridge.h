#pragma once
// The bridge between Qt widgets and windows: the handle table, the translation of Qt events
// into window messages, posted messages, timers, capture and the message being handled.
// Internal to the window layer (included by .cpp files only).

#include <QtCore/QHash>
#include <QtCore/QObject>
#include <QtCore/QPoint>
#include <QtCore/QPointer>
#include <QtCore/QString>

#include <deque>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/win/CWnd.h"

class QEvent;
class QPainter;
class QScrollBar;
class QTimer;
class QWidget;
class QWindow;

struct AfxTimerInfo {
  int qtTimerId = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
};

struct AfxWndRecord {
  HWND hWnd = nullptr;
  QPointer<QWidget> widget;
  CWnd* pWnd = nullptr;          // the attached window object (null when none)
  bool wrapper = false;          // pWnd was made by FromHandle and belongs to the record
  bool filtered = false;         // the event filter is installed
  bool ownsWidget = false;       // the widget was made by Create and dies with the window
  bool plain = false;            // our own plain widget (no behaviour of its own)
  bool destroying = false;
  bool ncDestroyDone = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT id = 0;
  QString className;
  LONG_PTR userData = 0;
  HCURSOR classCursor = nullptr;
  COLORREF classBackground = 0xFFFFFFFF;  // none: the palette's window colour
  HFONT hFont = nullptr;
  CFont* pFont = nullptr;
  HICON hIconBig = nullptr;
  HICON hIconSmall = nullptr;
  CMenu* pMenu = nullptr;
  std::map<UINT_PTR, AfxTimerInfo> timers;
  // painting
  bool inPaint = false;
  bool erasePending = false;   // an update since the last paint asked for an erase
  bool suppressErase = false;  // the pending update asked for no erase
  QPainter* painter = nullptr;
  QRect* paintRect = nullptr;
  // mouse tracking (TrackMouseEvent)
  DWORD trackFlags = 0;
  DWORD hoverTime = 400;
  QTimer* hoverTimer = nullptr;
  QPoint lastMousePos;
  // scroll bars
  SCROLLINFO scroll[2] = {};
  QPointer<QScrollBar> scrollBar[2];
  bool scrollShown[2] = {false, false};
  bool acceptFiles = false;
  bool ownEnabled = true;  // the window's own state, apart from its parents'

  // the event handed back to the widget for default processing
  QEvent* passThrough = nullptr;
};

// One message being handled: what Default() and GetCurrentMessage() see.
struct AfxMsgFrame {
  MSG msg{};
  AfxWndRecord* rec = nullptr;
  QEvent* event = nullptr;     // the Qt event the message came from, if any
  bool defaultDone = false;
};

class AfxWndBridge : public QObject {
  Q_OBJECT
public:
  static AfxWndBridge* Instance();

  // ---- handles ----
  std::shared_ptr<AfxWndRecord> Register(QWidget* w);
  AfxWndRecord* Find(HWND h) const;
  AfxWndRecord* Find(const QWidget* w) const;
  std::shared_ptr<AfxWndRecord> Hold(AfxWndRecord* rec) const;
  void Unregister(AfxWndRecord* rec);
  void Attach(AfxWndRecord* rec, CWnd* pWnd);
  void Detach(AfxWndRecord* rec);
  std::vector<AfxWndRecord*> Children(AfxWndRecord* rec) const;
  // Destroys every window still open and forgets every handle (at the end of the program).
  void DestroyAll();

  // ---- dispatch ----
  // Runs a message through the window's WindowProc with it as the current message.
  LRESULT Call(AfxWndRecord* rec, UINT message, WPARAM wParam, LPARAM lParam, QEvent* ev = nullptr,
               bool* pDefault = nullptr);
  // A message from the queue (posted, timer or input): PreTranslateMessage first, then WindowProc.
  // Returns false when PreTranslateMessage took it.
  bool DispatchQueued(MSG& msg, QEvent* ev = nullptr, bool* pDefault = nullptr);
  bool Post(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
  void PostThread(UINT message, WPARAM wParam, LPARAM lParam);
  AfxMsgFrame* Current() { return m_frames.empty() ? nullptr : m_frames.back(); }
  // Default processing of the current message when it came from a Qt event: the event goes to
  // the widget's own handling. Returns true when it did.
  bool PassThrough(AfxMsgFrame* f);
  // Pending posted messages (for peeking) and the number dispatched so far.
  int PendingPosted() const { return m_pendingPosted; }
  bool PeekPosted(MSG* pMsg, HWND hWnd, UINT first, UINT last, bool remove);
  // A posted message was taken out of the queue by PeekMessage.
  void NotePostedTaken() { --m_pendingPosted; }

  // ---- peeking at the Qt queue ----
  struct HeldInput {
    QPointer<QObject> receiver;
    std::shared_ptr<QEvent> event;
    MSG msg{};
  };
  // Lets the event loop run once while input, painting, timer ticks and posted messages are held
  // back (in heldInput, in order; message 0 for a posted wake, WM_PAINT for an update request).
  // ReleaseHeld delivers what is still held afterwards.
  void GatherPending();
  void ReleaseHeld();
  bool Gathering() const { return m_gathering; }
  std::deque<HeldInput> heldInput;
  std::vector<QPointer<QWidget>> heldPaint;
  // The input PeekMessage removed last, delivered as its event by DispatchMessage.
  HeldInput removedInput;
  // Held back while gathering; true when the event was held.
  bool HoldWhileGathering(QObject* receiver, QEvent* e);

  // ---- timers ----
  UINT_PTR SetTimer(AfxWndRecord* rec, UINT_PTR id, UINT elapse, TIMERPROC proc);
  bool KillTimer(AfxWndRecord* rec, UINT_PTR id);
  void KillAllTimers(AfxWndRecord* rec);

  // ---- capture ----
  HWND capture = nullptr;
  HWND lastFocus = nullptr;
  DWORD lastMessageTime = 0;
  POINT lastMessagePos{0, 0};

  // ---- scroll bars ----
  void LayoutScrollBars(AfxWndRecord* rec);

  QHash<QString, AFX_WIDGET_FACTORY> factories;
  std::vector<std::u16string> registeredMessages;
  std::vector<std::u16string> registeredClasses;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

private:
  AfxWndBridge();
  bool TranslateMouse(AfxWndRecord* rec, QEvent* e);
  bool TranslateKey(AfxWndRecord* rec, QEvent* e);
  bool HandlePaint(AfxWndRecord* rec, QEvent* e);
  bool HandleFileDrop(AfxWndRecord* rec, QEvent* e);
  void WidgetDestroyed(QObject* obj);

  std::unordered_map<HWND, std::shared_ptr<AfxWndRecord>> m_byHandle;
  QHash<const QWidget*, AfxWndRecord*> m_byWidget;
  std::vector<AfxMsgFrame*> m_frames;
  std::map<int, std::pair<HWND, UINT_PTR>> m_timerIds;  // Qt timer id -> window and timer
  std::uintptr_t m_nextHandle = 0x10000;
  int m_pendingPosted = 0;
  QEvent* m_passThroughEvent = nullptr;
  bool m_gathering = false;
  QPointer<QObject> m_watchedApp;
  bool m_appActive = false;
  void WatchApplicationState();
  QObject* m_gatherGuard = nullptr;
};

// Keys: the VK code of a Qt key (0 when none) and the key state tables.
UINT AfxVirtualKeyFromQt(int qtKey, unsigned int modifiers, bool keypad);
void AfxNoteKeyState(UINT vk, bool down);
// The MK_ flags of the current mouse buttons and keyboard modifiers.
WPARAM AfxMouseKeyFlags(unsigned int buttons, unsigned int modifiers);
// The thread's PreTranslateMessage (the application's, or the window tree's without one).
BOOL AfxInternalPreTranslateMessage(MSG* pMsg);
// Called by the message loop whenever the queue becomes empty.
void AfxNoteQueueEmpty();
