#include "platform/win/AfxWndBridge.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDateTime>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtCore/QTimerEvent>
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QDropEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPaintEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtGui/QWindow>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <deque>

#ifdef KC_WIN_HAVE_GDI
#include "platform/gdi/CDC.h"
#endif

namespace {

// A posted message waits in our own queue (so it can be peeked at); one Qt event per message
// wakes the bridge to dispatch the oldest.
const QEvent::Type kPostedEvent = static_cast<QEvent::Type>(QEvent::User + 0x4B43);
std::deque<MSG> g_posted;

class PostedWake : public QEvent {
public:
  PostedWake() : QEvent(kPostedEvent) {}
};

QElapsedTimer& Clock() {
  static QElapsedTimer t;
  if (!t.isValid()) t.start();
  return t;
}

}  // namespace

DWORD GetTickCount() { return static_cast<DWORD>(Clock().elapsed()); }

AfxWndBridge::AfxWndBridge() { setObjectName(QStringLiteral("KcWindowBridge")); }

AfxWndBridge* AfxWndBridge::Instance() {
  // Lives as long as the process; the Qt application may come and go in tests.
  static AfxWndBridge* bridge = new AfxWndBridge;
  return bridge;
}

// ---- handles --------------------------------------------------------------------------------

void AfxWndBridge::WatchApplicationState() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!app || m_watchedApp == app) return;
  m_watchedApp = app;
  m_appActive = app->applicationState() == Qt::ApplicationActive;
  connect(app, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    const bool active = state == Qt::ApplicationActive;
    if (active == m_appActive) return;
    m_appActive = active;
    // Every top-level window hears that the program became active or went to the background.
    std::vector<HWND> tops;
    for (auto& [h, rec] : m_byHandle)
      if (rec->pWnd && !rec->wrapper && rec->widget && rec->widget->isWindow()) tops.push_back(h);
    for (HWND h : tops)
      if (AfxWndRecord* rec = Find(h)) Call(rec, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
  });
}

std::shared_ptr<AfxWndRecord> AfxWndBridge::Register(QWidget* w) {
  if (AfxWndRecord* existing = Find(w)) return Hold(existing);
  WatchApplicationState();
  auto rec = std::make_shared<AfxWndRecord>();
  rec->hWnd = reinterpret_cast<HWND>(m_nextHandle);
  m_nextHandle += 4;
  rec->widget = w;
  m_byHandle[rec->hWnd] = rec;
  m_byWidget.insert(w, rec.get());
  connect(w, &QObject::destroyed, this, &AfxWndBridge::WidgetDestroyed);
  return rec;
}

AfxWndRecord* AfxWndBridge::Find(HWND h) const {
  auto it = m_byHandle.find(h);
  return it == m_byHandle.end() ? nullptr : it->second.get();
}

AfxWndRecord* AfxWndBridge::Find(const QWidget* w) const { return m_byWidget.value(w, nullptr); }

std::shared_ptr<AfxWndRecord> AfxWndBridge::Hold(AfxWndRecord* rec) const {
  if (!rec) return nullptr;
  auto it = m_byHandle.find(rec->hWnd);
  return it == m_byHandle.end() ? nullptr : it->second;
}

void AfxWndBridge::Attach(AfxWndRecord* rec, CWnd* pWnd) {
  if (rec->pWnd && rec->wrapper && rec->pWnd != pWnd) {
    CWnd* old = rec->pWnd;
    old->m_hWnd = nullptr;
    old->m_pRecord = nullptr;
    delete old;
  }
  rec->pWnd = pWnd;
  rec->wrapper = false;
  pWnd->m_hWnd = rec->hWnd;
  pWnd->m_pRecord = rec;
  if (!rec->filtered && rec->widget) {
    rec->widget->installEventFilter(this);
    rec->filtered = true;
  }
}

void AfxWndBridge::Detach(AfxWndRecord* rec) {
  if (!rec) return;
  if (rec->pWnd) {
    rec->pWnd->m_hWnd = nullptr;
    rec->pWnd->m_pRecord = nullptr;
    if (rec->wrapper) delete rec->pWnd;
  }
  rec->pWnd = nullptr;
  rec->wrapper = false;
  if (rec->filtered && rec->widget) rec->widget->removeEventFilter(this);
  rec->filtered = false;
}

void AfxWndBridge::Unregister(AfxWndRecord* rec) {
  if (!rec) return;
  KillAllTimers(rec);
  if (capture == rec->hWnd) capture = nullptr;
  if (lastFocus == rec->hWnd) lastFocus = nullptr;
  Detach(rec);
  if (rec->widget) {
    disconnect(rec->widget, &QObject::destroyed, this, &AfxWndBridge::WidgetDestroyed);
    m_byWidget.remove(rec->widget.data());
  }
  // Also drop a stale widget entry whose QPointer has gone.
  for (auto it = m_byWidget.begin(); it != m_byWidget.end();) {
    if (it.value() == rec) it = m_byWidget.erase(it); else ++it;
  }
  m_byHandle.erase(rec->hWnd);
}

namespace {
// The nearest windows below a widget, looking through plain Qt containers (not through other
// top-level widgets).
void NearestWindows(const AfxWndBridge* b, QWidget* w, std::vector<AfxWndRecord*>& out) {
  for (QObject* o : w->children()) {
    auto* cw = qobject_cast<QWidget*>(o);
    if (!cw) continue;
    if (AfxWndRecord* r = b->Find(cw))
      out.push_back(r);
    else if (!cw->isWindow())
      NearestWindows(b, cw, out);
  }
}
}  // namespace

std::vector<AfxWndRecord*> AfxWndBridge::Children(AfxWndRecord* rec) const {
  std::vector<AfxWndRecord*> out;
  if (!rec || !rec->widget) return out;
  NearestWindows(this, rec->widget, out);
  return out;
}

void AfxWndBridge::DestroyAll() {
  for (int pass = 0; pass < 4 && !m_byHandle.empty(); ++pass) {
    std::vector<HWND> handles;
    for (auto& [h, rec] : m_byHandle) {
      if (rec->pWnd && !rec->wrapper && rec->widget && rec->widget->isWindow()) handles.push_back(h);
    }
    if (handles.empty()) break;
    for (HWND h : handles) {
      AfxWndRecord* rec = Find(h);
      if (rec && rec->pWnd && !rec->destroying) rec->pWnd->DestroyWindow();
    }
  }
  std::vector<std::shared_ptr<AfxWndRecord>> rest;
  for (auto& [h, rec] : m_byHandle) rest.push_back(rec);
  for (auto& rec : rest) {
    QPointer<QWidget> w = rec->widget;
    const bool owns = rec->ownsWidget;
    Unregister(rec.get());
    if (w && owns && w->isWindow()) delete w.data();
  }
  if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  g_posted.clear();
  m_pendingPosted = 0;
}

void AfxWndBridge::WidgetDestroyed(QObject* obj) {
  // The widget went away behind our back (its Qt parent died): the window gets its last
  // messages without a widget.
  auto* w = static_cast<QWidget*>(obj);
  AfxWndRecord* rec = m_byWidget.value(w, nullptr);
  if (!rec) return;
  m_byWidget.remove(w);
  auto hold = Hold(rec);
  rec->widget = nullptr;
  if (rec->pWnd && !rec->wrapper && !rec->destroying) {
    rec->destroying = true;
    Call(rec, WM_DESTROY, 0, 0);
    if (rec->pWnd) {
      Call(rec, WM_NCDESTROY, 0, 0);
    }
    if (!rec->ncDestroyDone && rec->pWnd) {
      CWnd* p = rec->pWnd;
      Unregister(rec);
      p->PostNcDestroy();
      return;
    }
  }
  Unregister(rec);
}

// ---- dispatch -------------------------------------------------------------------------------

namespace {
struct FrameGuard {
  std::vector<AfxMsgFrame*>& frames;
  FrameGuard(std::vector<AfxMsgFrame*>& f, AfxMsgFrame* fr) : frames(f) { frames.push_back(fr); }
  ~FrameGuard() { frames.pop_back(); }
};
}  // namespace

LRESULT AfxWndBridge::Call(AfxWndRecord* rec, UINT message, WPARAM wParam, LPARAM lParam, QEvent* ev,
                           bool* pDefault) {
  if (!rec) return 0;
  auto hold = Hold(rec);
  if (!hold) return 0;
  if (!rec->pWnd) {
    // A window nobody attached to: a wrapper object handles it with default processing.
    CWnd::FromHandle(rec->hWnd);
    if (!rec->pWnd) return 0;
  }
  AfxMsgFrame frame;
  frame.msg.hwnd = rec->hWnd;
  frame.msg.message = message;
  frame.msg.wParam = wParam;
  frame.msg.lParam = lParam;
  frame.msg.time = lastMessageTime;
  frame.msg.pt = lastMessagePos;
  frame.rec = rec;
  frame.event = ev;
  FrameGuard guard(m_frames, &frame);
  LRESULT r = rec->pWnd->WindowProc(message, wParam, lParam);
  if (pDefault) *pDefault = frame.defaultDone;
  return r;
}

bool AfxWndBridge::PassThrough(AfxMsgFrame* f) {
  if (!f || f->defaultDone) return false;
  f->defaultDone = true;
  if (!f->event || !f->rec || !f->rec->widget) return false;
  AfxWndRecord* rec = f->rec;
  QEvent* prev = rec->passThrough;
  rec->passThrough = f->event;
  QPointer<QWidget> w = rec->widget;
  QEvent* prevActive = m_passThroughEvent;
  m_passThroughEvent = f->event;
  QCoreApplication::sendEvent(w.data(), f->event);
  m_passThroughEvent = prevActive;
  if (Find(w.data()) == rec) rec->passThrough = prev;
  return true;
}

bool AfxWndBridge::DispatchQueued(MSG& msg, QEvent* ev, bool* pDefault) {
  lastMessageTime = msg.time;
  lastMessagePos = msg.pt;
  if (AfxInternalPreTranslateMessage(&msg)) return false;
  AfxWndRecord* rec = Find(msg.hwnd);
  if (!rec) return true;
  Call(rec, msg.message, msg.wParam, msg.lParam, ev, pDefault);
  return true;
}

bool AfxWndBridge::Post(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (h && !Find(h)) return false;
  MSG m{};
  m.hwnd = h;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = GetTickCount();
  QPoint p = QCursor::pos();
  m.pt = POINT{p.x(), p.y()};
  g_posted.push_back(m);
  ++m_pendingPosted;
  QCoreApplication::postEvent(this, new PostedWake);
  return true;
}

void AfxWndBridge::PostThread(UINT message, WPARAM wParam, LPARAM lParam) { Post(nullptr, message, wParam, lParam); }

bool AfxWndBridge::PeekPosted(MSG* pMsg, HWND hWnd, UINT first, UINT last, bool remove) {
  for (auto it = g_posted.begin(); it != g_posted.end(); ++it) {
    if (hWnd && it->hwnd != hWnd) continue;
    if ((first || last) && (it->message < first || it->message > last)) continue;
    if (pMsg) *pMsg = *it;
    if (remove) {
      g_posted.erase(it);
      --m_pendingPosted;
    }
    return true;
  }
  return false;
}

bool AfxWndBridge::event(QEvent* e) {
  if (e->type() == kPostedEvent) {
    if (g_posted.empty()) return true;
    MSG m = g_posted.front();
    g_posted.pop_front();
    --m_pendingPosted;
    if (m.message == WM_QUIT) {
      QCoreApplication::exit(static_cast<int>(m.wParam));
      return true;
    }
    if (m.hwnd == nullptr) {
      // A thread message: only PreTranslateMessage sees it.
      AfxInternalPreTranslateMessage(&m);
    } else if (Find(m.hwnd)) {
      DispatchQueued(m);
    }
    if (g_posted.empty()) AfxNoteQueueEmpty();
    return true;
  }
  return QObject::event(e);
}

// ---- timers ---------------------------------------------------------------------------------

UINT_PTR AfxWndBridge::SetTimer(AfxWndRecord* rec, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (!rec) return 0;
  KillTimer(rec, id);
  // A timer fires on the event loop, never faster than once per loop pass.
  int qtId = startTimer(static_cast<int>(std::min<UINT>(elapse, 0x7FFFFFFF)), Qt::PreciseTimer);
  if (qtId == 0) return 0;
  rec->timers[id] = AfxTimerInfo{qtId, elapse, proc};
  m_timerIds[qtId] = {rec->hWnd, id};
  return id == 0 ? 1 : id;
}

bool AfxWndBridge::KillTimer(AfxWndRecord* rec, UINT_PTR id) {
  if (!rec) return false;
  auto it = rec->timers.find(id);
  if (it == rec->timers.end()) return false;
  killTimer(it->second.qtTimerId);
  m_timerIds.erase(it->second.qtTimerId);
  rec->timers.erase(it);
  return true;
}

void AfxWndBridge::KillAllTimers(AfxWndRecord* rec) {
  for (auto& [id, info] : rec->timers) {
    killTimer(info.qtTimerId);
    m_timerIds.erase(info.qtTimerId);
  }
  rec->timers.clear();
}

void AfxWndBridge::timerEvent(QTimerEvent* e) {
  auto it = m_timerIds.find(e->timerId());
  if (it == m_timerIds.end()) {
    killTimer(e->timerId());
    return;
  }
  HWND h = it->second.first;
  UINT_PTR id = it->second.second;
  AfxWndRecord* rec = Find(h);
  if (!rec) return;
  auto t = rec->timers.find(id);
  if (t == rec->timers.end()) return;
  MSG m{};
  m.hwnd = h;
  m.message = WM_TIMER;
  m.wParam = id;
  m.lParam = reinterpret_cast<LPARAM>(t->second.proc);
  m.time = GetTickCount();
  QPoint p = QCursor::pos();
  m.pt = POINT{p.x(), p.y()};
  if (t->second.proc) {
    lastMessageTime = m.time;
    if (!AfxInternalPreTranslateMessage(&m)) t->second.proc(h, WM_TIMER, id, m.time);
  } else {
    DispatchQueued(m);
  }
}

// ---- scroll bars ----------------------------------------------------------------------------

void AfxWndBridge::LayoutScrollBars(AfxWndRecord* rec) {
  if (!rec || !rec->widget) return;
  QWidget* w = rec->widget;
  const int extent = w->style() ? w->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
  const bool showH = rec->scrollShown[SB_HORZ] && rec->scrollBar[SB_HORZ];
  const bool showV = rec->scrollShown[SB_VERT] && rec->scrollBar[SB_VERT];
  for (int bar = 0; bar < 2; ++bar) {
    QScrollBar* sb = rec->scrollBar[bar];
    if (!sb) continue;
    sb->setVisible(rec->scrollShown[bar]);
  }
  if (showV)
    rec->scrollBar[SB_VERT]->setGeometry(w->width() - extent, 0, extent, w->height() - (showH ? extent : 0));
  if (showH)
    rec->scrollBar[SB_HORZ]->setGeometry(0, w->height() - extent, w->width() - (showV ? extent : 0), extent);
}

// ---- event translation ----------------------------------------------------------------------

namespace {

LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))); }

void NoteMessagePos(AfxWndBridge* b, const QPointF& global) {
  b->lastMessageTime = GetTickCount();
  b->lastMessagePos = POINT{static_cast<LONG>(global.x()), static_cast<LONG>(global.y())};
}

// The client size of a window: its widget less the scroll bars shown.
QSize ClientSize(AfxWndRecord* rec) {
  QSize s = rec->widget->size();
  const int extent = rec->widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  if (rec->scrollShown[SB_VERT] && rec->scrollBar[SB_VERT]) s.rwidth() -= extent;
  if (rec->scrollShown[SB_HORZ] && rec->scrollBar[SB_HORZ]) s.rheight() -= extent;
  return s.expandedTo(QSize(0, 0));
}

}  // namespace

QSize AfxClientSize(AfxWndRecord* rec) { return rec && rec->widget ? ClientSize(rec) : QSize(); }

bool AfxWndBridge::eventFilter(QObject* watched, QEvent* e) {
  auto* w = qobject_cast<QWidget*>(watched);
  AfxWndRecord* rec = w ? Find(w) : nullptr;
  if (!rec || !rec->pWnd || rec->destroying) return false;
  if (rec->passThrough == e) return false;  // default processing: the widget's own handling
  if (m_passThroughEvent == e) {
    // A child's default processing let a mouse event bubble up: windows do not pass clicks
    // on to their parents (wheel turns they do).
    const QEvent::Type t = e->type();
    if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick ||
        t == QEvent::MouseMove || t == QEvent::ContextMenu || t == QEvent::KeyPress || t == QEvent::KeyRelease)
      return true;
  }
  auto hold = Hold(rec);
  // A disabled window gets no input: Qt passes mouse input on to the parent, as windows do.
  if (!w->isEnabled() && rec->hWnd != capture) {
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ContextMenu:
        return false;
      default:
        break;
    }
  }

  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return TranslateMouse(rec, e);
    case QEvent::Wheel: {
      auto* we = static_cast<QWheelEvent*>(e);
      const QPoint angle = we->angleDelta();
      const bool horizontal = angle.y() == 0 && angle.x() != 0;
      const int delta = horizontal ? angle.x() : angle.y();
      NoteMessagePos(this, we->globalPosition());
      MSG m{};
      m.hwnd = rec->hWnd;
      m.message = horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
      m.wParam = MAKEWPARAM(AfxMouseKeyFlags(we->buttons(), we->modifiers()), static_cast<WORD>(static_cast<short>(delta)));
      m.lParam = PointParam(static_cast<int>(we->globalPosition().x()), static_cast<int>(we->globalPosition().y()));
      m.time = lastMessageTime;
      m.pt = lastMessagePos;
      bool def = false;
      DispatchQueued(m, e, &def);
      if (!def) e->accept();
      return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return TranslateKey(rec, e);
    case QEvent::FocusIn: {
      HWND old = lastFocus;
      lastFocus = rec->hWnd;
      Call(rec, WM_SETFOCUS, reinterpret_cast<WPARAM>(old == rec->hWnd ? nullptr : old), 0);
      return false;
    }
    case QEvent::FocusOut: {
      QWidget* now = QApplication::focusWidget();
      HWND hNew = nullptr;
      for (QWidget* p = now; p; p = p->parentWidget()) {
        if (AfxWndRecord* r = Find(p)) { hNew = r->hWnd; break; }
      }
      if (lastFocus == rec->hWnd) lastFocus = nullptr;
      Call(rec, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hNew), 0);
      return false;
    }
    case QEvent::Resize: {
      LayoutScrollBars(rec);
      const QSize s = ClientSize(rec);
      WPARAM type = SIZE_RESTORED;
      if (w->isWindow() && w->isMaximized()) type = SIZE_MAXIMIZED;
      if (w->isWindow() && w->isMinimized()) type = SIZE_MINIMIZED;
      Call(rec, WM_SIZE, type, MAKELPARAM(s.width(), s.height()));
      return false;
    }
    case QEvent::Move: {
      QPoint p = w->isWindow() ? w->mapToGlobal(QPoint(0, 0)) : w->pos();
      Call(rec, WM_MOVE, 0, PointParam(p.x(), p.y()));
      return false;
    }
    case QEvent::Paint:
      return HandlePaint(rec, e);
    case QEvent::Close: {
      e->ignore();
      bool def = false;
      Call(rec, WM_CLOSE, 0, 0, nullptr, &def);
      return true;
    }
    case QEvent::ContextMenu: {
      auto* ce = static_cast<QContextMenuEvent*>(e);
      LPARAM lp = ce->reason() == QContextMenuEvent::Keyboard ? PointParam(-1, -1)
                                                             : PointParam(ce->globalPos().x(), ce->globalPos().y());
      NoteMessagePos(this, ce->globalPos());
      MSG m{};
      m.hwnd = rec->hWnd;
      m.message = WM_CONTEXTMENU;
      m.wParam = reinterpret_cast<WPARAM>(rec->hWnd);
      m.lParam = lp;
      m.time = lastMessageTime;
      m.pt = lastMessagePos;
      bool def = false;
      DispatchQueued(m, e, &def);
      if (!def) e->accept();
      return true;
    }
    case QEvent::Leave:
      if (rec->trackFlags & TME_LEAVE) {
        rec->trackFlags = 0;
        if (rec->hoverTimer) rec->hoverTimer->stop();
        Post(rec->hWnd, WM_MOUSELEAVE, 0, 0);
      }
      return false;
    case QEvent::ApplicationPaletteChange:
      // System colours changed: top-level windows hear of it and tell their children as they wish.
      if (w->isWindow()) Call(rec, WM_SYSCOLORCHANGE, 0, 0);
      return false;
    case QEvent::ApplicationFontChange:
      if (w->isWindow()) Call(rec, WM_SETTINGCHANGE, 0x002A /* the frame fonts */, 0);
      return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return HandleFileDrop(rec, e);
    case QEvent::WindowActivate:
      Call(rec, WM_ACTIVATE, WA_ACTIVE, 0);
      return false;
    case QEvent::WindowDeactivate:
      Call(rec, WM_ACTIVATE, WA_INACTIVE, 0);
      return false;
    case QEvent::EnabledChange: {
      // Only the window whose own state changed hears of it, not its children.
      const bool own = !w->testAttribute(Qt::WA_ForceDisabled);
      if (own != rec->ownEnabled) {
        rec->ownEnabled = own;
        Call(rec, WM_ENABLE, own ? TRUE : FALSE, 0);
      }
      return false;
    }
    default:
      return false;
  }
}

WPARAM AfxMouseKeyFlags(unsigned int buttons, unsigned int modifiers) {
  WPARAM f = 0;
  if (buttons & Qt::LeftButton) f |= MK_LBUTTON;
  if (buttons & Qt::RightButton) f |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) f |= MK_MBUTTON;
  if (buttons & Qt::XButton1) f |= MK_XBUTTON1;
  if (buttons & Qt::XButton2) f |= MK_XBUTTON2;
  if (modifiers & Qt::ShiftModifier) f |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) f |= MK_CONTROL;
  return f;
}

bool AfxWndBridge::TranslateMouse(AfxWndRecord* rec, QEvent* e) {
  auto* me = static_cast<QMouseEvent*>(e);
  AfxWndRecord* target = rec;
  QPointF global = me->globalPosition();
  if (capture && capture != rec->hWnd) {
    if (AfxWndRecord* c = Find(capture); c && c->widget) target = c;
  }
  if (!target->widget) return false;
  const QPoint local = target->widget->mapFromGlobal(global.toPoint());
  target->lastMousePos = local;
  NoteMessagePos(this, global);

  UINT message = WM_MOUSEMOVE;
  const Qt::MouseButton b = me->button();
  const int idx = b == Qt::LeftButton ? 0 : b == Qt::RightButton ? 1 : b == Qt::MiddleButton ? 2 : -1;
  static const UINT down[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  static const UINT up[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
  static const UINT dbl[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
  switch (e->type()) {
    case QEvent::MouseButtonPress: if (idx < 0) return false; message = down[idx]; break;
    case QEvent::MouseButtonRelease: if (idx < 0) return false; message = up[idx]; break;
    case QEvent::MouseButtonDblClick: if (idx < 0) return false; message = dbl[idx]; break;
    default: break;
  }
  if (message == down[0] || message == down[1] || message == down[2]) AfxNoteKeyState(idx == 0 ? VK_LBUTTON : idx == 1 ? VK_RBUTTON : VK_MBUTTON, true);
  if (message == up[0] || message == up[1] || message == up[2]) AfxNoteKeyState(idx == 0 ? VK_LBUTTON : idx == 1 ? VK_RBUTTON : VK_MBUTTON, false);

  auto targetHold = Hold(target);
  // The cursor is asked for before each move or press, unless a window holds the capture.
  if (!capture && (message == WM_MOUSEMOVE || message == down[0] || message == down[1] || message == down[2])) {
    Call(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target->hWnd), MAKELPARAM(HTCLIENT, message));
    if (!Find(target->hWnd)) return true;
  }
  if (message == WM_MOUSEWHEEL) return false;
  if (message == WM_MOUSEMOVE && (target->trackFlags & TME_HOVER) && target->hoverTimer) target->hoverTimer->start();

  MSG m{};
  m.hwnd = target->hWnd;
  m.message = message;
  m.wParam = AfxMouseKeyFlags(me->buttons(), me->modifiers());
  m.lParam = PointParam(local.x(), local.y());
  m.time = lastMessageTime;
  m.pt = lastMessagePos;
  bool def = false;
  DispatchQueued(m, target == rec ? e : nullptr, &def);
  if (!def) e->accept();
  return true;
}

bool AfxWndBridge::HandlePaint(AfxWndRecord* rec, QEvent* e) {
  auto* pe = static_cast<QPaintEvent*>(e);
  QRect r = pe->rect();
  const bool wasInPaint = rec->inPaint;
  QPainter* const prevPainter = rec->painter;
  QRect* const prevRect = rec->paintRect;
  rec->inPaint = true;
  rec->painter = nullptr;
  rec->paintRect = &r;
  // Our own windows get their background erased first (unless the update asked for none);
  // Qt's controls paint their own.
  if (rec->plain && !rec->suppressErase && rec->pWnd) {
#ifdef KC_WIN_HAVE_GDI
    CDC dc;
    const RECT rc{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    if (QPainter* p = rec->pWnd->GetPaintPainter()) dc.CreateFromPainter(p, &rc);
    Call(rec, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    if (Find(rec->hWnd) == rec) dc.DeleteDC();
#else
    Call(rec, WM_ERASEBKGND, 0, 0);
#endif
    if (Find(rec->hWnd) != rec) return true;
  }
  rec->suppressErase = false;
  rec->erasePending = false;
  bool def = false;
  Call(rec, WM_PAINT, 0, 0, e, &def);
  if (Find(rec->hWnd) == rec) {
    if (rec->painter) {
      if (rec->painter->isActive()) rec->painter->end();
      delete rec->painter;
    }
    rec->painter = prevPainter;
    rec->paintRect = prevRect;
    rec->inPaint = wasInPaint;
  }
  return true;
}

// ---- keys -----------------------------------------------------------------------------------

UINT AfxVirtualKeyFromQt(int key, unsigned int modifiers, bool keypad) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<UINT>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : static_cast<UINT>('0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Select: return VK_SELECT;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : '8';
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Comma: return VK_OEM_COMMA;
    case Qt::Key_Semicolon: case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash: case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return VK_OEM_7;
    case Qt::Key_Kanji: return VK_KANJI;
    case Qt::Key_Henkan: return VK_CONVERT;
    case Qt::Key_Muhenkan: return VK_NONCONVERT;
    default: break;
  }
  (void)modifiers;
  return 0;
}

namespace {
bool IsExtendedKey(UINT vk, bool keypad) {
  switch (vk) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT:
    case VK_DOWN: case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK: case VK_APPS:
    case VK_LWIN: case VK_RWIN:
      return true;
    case VK_RETURN:
      return keypad;
    default:
      return false;
  }
}
}  // namespace

bool AfxWndBridge::TranslateKey(AfxWndRecord* rec, QEvent* e) {
  auto* ke = static_cast<QKeyEvent*>(e);
  const bool press = e->type() == QEvent::KeyPress;
  if (!press && ke->isAutoRepeat()) return true;  // held keys repeat their key-down only
  const unsigned int mods = ke->modifiers();
  const bool keypad = mods & Qt::KeypadModifier;
  const UINT vk = AfxVirtualKeyFromQt(ke->key(), mods, keypad);
  const bool alt = mods & Qt::AltModifier;
  lastMessageTime = GetTickCount();
  QPoint cp = QCursor::pos();
  lastMessagePos = POINT{cp.x(), cp.y()};
  if (vk) AfxNoteKeyState(vk, press);
  if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) AfxNoteKeyState(vk, press);

  const UINT scan = ke->nativeScanCode() & 0xFF;
  DWORD lp = 1 | (scan << 16);
  if (IsExtendedKey(vk, keypad)) lp |= 1u << 24;
  if (alt) lp |= 1u << 29;
  if (press && ke->isAutoRepeat()) lp |= 1u << 30;
  if (!press) lp |= (1u << 30) | (1u << 31);

  auto hold = Hold(rec);
  MSG m{};
  m.hwnd = rec->hWnd;
  m.message = press ? ((alt || vk == VK_F10) ? WM_SYSKEYDOWN : WM_KEYDOWN) : ((alt || vk == VK_F10) ? WM_SYSKEYUP : WM_KEYUP);
  m.wParam = vk;
  m.lParam = static_cast<LPARAM>(lp);
  m.time = lastMessageTime;
  m.pt = lastMessagePos;
  // The characters of the key, as the message loop's translation makes them after the key-down.
  QString text = press ? ke->text() : QString();
  const int key = ke->key();
  if (press && (mods & Qt::ControlModifier) && !alt && key >= Qt::Key_A && key <= Qt::Key_Z)
    text = QString(QChar(static_cast<char16_t>(key - Qt::Key_A + 1)));
  text.remove(QChar(0x7F));  // Delete makes no character
  // A widget of its own (an edit) gets the key event only when both the key-down and its
  // character went to default processing, so a character handler can filter what is typed.
  bool keyDefault = true;
  if (vk) {
    bool def = false;
    if (!DispatchQueued(m, text.isEmpty() ? e : nullptr, &def)) {
      e->accept();
      return true;  // PreTranslateMessage took it: no character follows
    }
    keyDefault = def;
  }
  bool first = true;
  for (QChar ch : text) {
    if (!Find(m.hwnd)) break;
    MSG cm = m;
    cm.message = alt ? WM_SYSCHAR : WM_CHAR;
    cm.wParam = ch.unicode();
    bool cdef = false;
    DispatchQueued(cm, (first && keyDefault) ? e : nullptr, &cdef);
    first = false;
  }
  e->accept();
  return true;
}

// ---- dropped files ----------------------------------------------------------------------------

struct HDROP__ {
  std::vector<std::u16string> files;
  POINT pt{0, 0};
  BOOL inClient = TRUE;
};

namespace {

// The drops handed to windows and not finished yet.
std::vector<HDROP>& OpenDrops() {
  static std::vector<HDROP> drops;
  return drops;
}

bool IsOpenDrop(HDROP h) {
  const auto& v = OpenDrops();
  return h && std::find(v.begin(), v.end(), h) != v.end();
}

QStringList LocalFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& u : data->urls())
    if (u.isLocalFile() && !u.toLocalFile().isEmpty()) files << u.toLocalFile();
  return files;
}

}  // namespace

bool AfxWndBridge::HandleFileDrop(AfxWndRecord* rec, QEvent* e) {
  if (!rec->acceptFiles) return false;
  auto* de = static_cast<QDropEvent*>(e);
  const QStringList files = LocalFiles(de->mimeData());
  if (files.isEmpty()) {
    de->ignore();
    return true;
  }
  if (e->type() != QEvent::Drop) {
    de->acceptProposedAction();
    return true;
  }
  de->acceptProposedAction();
  auto* drop = new HDROP__;
  for (const QString& f : files) drop->files.push_back(f.toStdU16String());
  const QPoint p = de->position().toPoint();
  drop->pt = POINT{p.x(), p.y()};
  drop->inClient = rec->widget && QRect(QPoint(0, 0), AfxClientSize(rec)).contains(p);
  OpenDrops().push_back(drop);
  MSG m{};
  m.hwnd = rec->hWnd;
  m.message = WM_DROPFILES;
  m.wParam = reinterpret_cast<WPARAM>(drop);
  m.time = GetTickCount();
  const QPoint g = rec->widget ? rec->widget->mapToGlobal(p) : p;
  m.pt = POINT{g.x(), g.y()};
  DispatchQueued(m);
  // The handler is done with it; one that forgot DragFinish leaks nothing.
  DragFinish(drop);
  return true;
}

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPTSTR lpszFile, UINT cch) {
  if (!IsOpenDrop(hDrop)) return 0;
  if (iFile == 0xFFFFFFFF) return static_cast<UINT>(hDrop->files.size());
  if (iFile >= hDrop->files.size()) return 0;
  const std::u16string& f = hDrop->files[iFile];
  if (!lpszFile) return static_cast<UINT>(f.size());
  if (cch == 0) return 0;
  const size_t n = std::min<size_t>(f.size(), cch - 1);
  std::copy(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(n), lpszFile);
  lpszFile[n] = 0;
  return static_cast<UINT>(n);
}

BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt) {
  if (!IsOpenDrop(hDrop) || !lppt) return FALSE;
  *lppt = hDrop->pt;
  return hDrop->inClient;
}

void DragFinish(HDROP hDrop) {
  auto& v = OpenDrops();
  auto it = std::find(v.begin(), v.end(), hDrop);
  if (it == v.end()) return;
  v.erase(it);
  delete hDrop;
}

// ---- peeking at the queue -------------------------------------------------------------------

namespace {

// Watches every event of the application while the bridge gathers what is waiting.
class GatherGuard : public QObject {
public:
  explicit GatherGuard(AfxWndBridge* b) : m_bridge(b) {}

protected:
  bool eventFilter(QObject* o, QEvent* e) override { return m_bridge->HoldWhileGathering(o, e); }

private:
  AfxWndBridge* m_bridge;
};

bool IsInputEvent(QEvent::Type t) {
  switch (t) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return true;
    default:
      return false;
  }
}

// The widget of a top-level Qt window.
QWidget* WidgetOfWindow(QWindow* win) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->windowHandle() == win) return w;
  return nullptr;
}

// The message an input event becomes, for the window it reaches.
MSG InputMessage(AfxWndBridge* b, QObject* receiver, QEvent* e) {
  MSG m{};
  QWidget* w = qobject_cast<QWidget*>(receiver);
  if (!w) {
    if (auto* win = qobject_cast<QWindow*>(receiver)) w = WidgetOfWindow(win);
  }
  const QEvent::Type t = e->type();
  const bool key = t == QEvent::KeyPress || t == QEvent::KeyRelease;
  QPointF global;
  if (key) {
    if (QWidget* f = QApplication::focusWidget()) w = f;
  } else if (w) {
    auto* pe = static_cast<QSinglePointEvent*>(e);
    global = pe->globalPosition();
    if (w->isWindow() && !qobject_cast<QWidget*>(receiver)) {
      if (QWidget* c = w->childAt(pe->position().toPoint())) w = c;
    }
  }
  AfxWndRecord* rec = nullptr;
  for (QWidget* p = w; p && !rec; p = p->parentWidget()) rec = b->Find(p);
  if (!key && t != QEvent::Wheel && b->capture) {
    if (AfxWndRecord* c = b->Find(b->capture)) rec = c;
  }
  m.hwnd = rec ? rec->hWnd : nullptr;
  m.time = GetTickCount();
  if (key) {
    auto* ke = static_cast<QKeyEvent*>(e);
    const bool alt = ke->modifiers() & Qt::AltModifier;
    m.message = t == QEvent::KeyPress ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    m.wParam = AfxVirtualKeyFromQt(ke->key(), ke->modifiers(), ke->modifiers() & Qt::KeypadModifier);
    const QPoint c = QCursor::pos();
    m.pt = POINT{c.x(), c.y()};
    return m;
  }
  m.pt = POINT{static_cast<LONG>(global.x()), static_cast<LONG>(global.y())};
  if (t == QEvent::Wheel) {
    auto* we = static_cast<QWheelEvent*>(e);
    const QPoint a = we->angleDelta();
    const bool horizontal = a.y() == 0 && a.x() != 0;
    m.message = horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
    m.wParam = MAKEWPARAM(AfxMouseKeyFlags(we->buttons(), we->modifiers()),
                          static_cast<WORD>(static_cast<short>(horizontal ? a.x() : a.y())));
    m.lParam = MAKELPARAM(static_cast<WORD>(static_cast<short>(m.pt.x)), static_cast<WORD>(static_cast<short>(m.pt.y)));
    return m;
  }
  auto* me = static_cast<QMouseEvent*>(e);
  const Qt::MouseButton btn = me->button();
  const int i = btn == Qt::LeftButton ? 0 : btn == Qt::RightButton ? 1 : 2;
  static const UINT down[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  static const UINT up[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
  static const UINT dbl[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
  m.message = t == QEvent::MouseMove ? WM_MOUSEMOVE
              : t == QEvent::MouseButtonPress ? down[i]
              : t == QEvent::MouseButtonRelease ? up[i]
                                                : dbl[i];
  m.wParam = AfxMouseKeyFlags(me->buttons(), me->modifiers());
  QPoint local(m.pt.x, m.pt.y);
  if (rec && rec->widget) local = rec->widget->mapFromGlobal(global.toPoint());
  m.lParam = MAKELPARAM(static_cast<WORD>(static_cast<short>(local.x())), static_cast<WORD>(static_cast<short>(local.y())));
  return m;
}

}  // namespace

bool AfxWndBridge::HoldWhileGathering(QObject* o, QEvent* e) {
  if (!m_gathering) return false;
  const QEvent::Type t = e->type();
  if (IsInputEvent(t)) {
    if (!o->isWidgetType() && !qobject_cast<QWindow*>(o)) return false;
    HeldInput h;
    h.receiver = o;
    h.event.reset(e->clone());
    h.msg = InputMessage(this, o, e);
    heldInput.push_back(std::move(h));
    return true;
  }
  // Everything else held keeps its place among the input: update requests and posted
  // messages go back into the queue in the order they came.
  if (t == QEvent::UpdateRequest || t == QEvent::UpdateLater || (t == QEvent::Expose && qobject_cast<QWindow*>(o)) ||
      (o == this && t == kPostedEvent)) {
    HeldInput h;
    h.receiver = o;
    // A deferred repaint's region does not survive a copy of the event (its class is Qt's own),
    // so it is held without an event and stands for a repaint of the whole widget.
    if (t == kPostedEvent)
      h.event.reset(new PostedWake);
    else if (t == QEvent::UpdateLater)
      h.event.reset();
    else
      h.event.reset(e->clone());
    if (t != kPostedEvent) {
      AfxWndRecord* r = nullptr;
      if (auto* w = qobject_cast<QWidget*>(o)) {
        for (QWidget* p = w; p && !r; p = p->parentWidget()) r = Find(p);
      } else if (auto* win = qobject_cast<QWindow*>(o)) {
        r = Find(WidgetOfWindow(win));
      }
      h.msg.message = WM_PAINT;
      h.msg.hwnd = r ? r->hWnd : nullptr;
    }
    heldInput.push_back(std::move(h));
    return true;
  }
  if (t == QEvent::Paint) {
    if (auto* w = qobject_cast<QWidget*>(o)) {
      heldPaint.emplace_back(w);
      return true;
    }
    return false;
  }
  // A timer tick missed while peeking is dropped: ticks never pile up.
  if (o == this && t == QEvent::Timer) return true;
  return false;
}

void AfxWndBridge::GatherPending() {
  if (m_gathering || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  if (!m_gatherGuard) m_gatherGuard = new GatherGuard(this);
  m_gathering = true;
  QCoreApplication::instance()->installEventFilter(m_gatherGuard);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::instance()->removeEventFilter(m_gatherGuard);
  m_gathering = false;
}

void AfxWndBridge::ReleaseHeld() {
  // Input goes back in its order, ahead of anything that arrives later.
  while (!heldInput.empty()) {
    HeldInput h = std::move(heldInput.front());
    heldInput.pop_front();
    if (h.receiver && h.event)
      QCoreApplication::postEvent(h.receiver.data(), h.event->clone());
    else if (auto* w = qobject_cast<QWidget*>(h.receiver.data()))
      w->update();
  }
  for (const QPointer<QWidget>& w : heldPaint)
    if (w) w->update();
  heldPaint.clear();
}

namespace {

// The QS_ kind of a message.
UINT KindOf(UINT message) {
  if (message >= WM_KEYFIRST && message <= WM_KEYLAST) return QS_KEY;
  if (message == WM_MOUSEMOVE) return QS_MOUSEMOVE;
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) return QS_MOUSEBUTTON;
  if (message == WM_PAINT) return QS_PAINT;
  if (message == WM_TIMER) return QS_TIMER;
  return QS_POSTMESSAGE;
}

bool IsWithin(AfxWndBridge* b, HWND h, HWND top) {
  if (!top) return true;
  if (top == reinterpret_cast<HWND>(-1)) return h == nullptr;
  if (h == top) return true;
  AfxWndRecord* r = b->Find(h);
  AfxWndRecord* t = b->Find(top);
  return r && t && r->widget && t->widget && t->widget->isAncestorOf(r->widget);
}

bool Matches(AfxWndBridge* b, const MSG& m, HWND hWnd, UINT first, UINT last, UINT kinds) {
  if ((first || last) && (m.message < first || m.message > last)) return false;
  if (kinds && !(KindOf(m.message) & kinds)) return false;
  return IsWithin(b, m.hwnd, hWnd);
}

}  // namespace

BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  AfxWndBridge* b = AfxWndBridge::Instance();
  const UINT kinds = HIWORD(wRemoveMsg);
  const bool remove = wRemoveMsg & PM_REMOVE;
  // Posted messages come first, as the queue would give them.
  if (!kinds || (kinds & (QS_POSTMESSAGE | QS_ALLPOSTMESSAGE))) {
    for (auto it = g_posted.begin(); it != g_posted.end(); ++it) {
      if (!Matches(b, *it, hWnd, wMsgFilterMin, wMsgFilterMax, 0)) continue;
      if (lpMsg) *lpMsg = *it;
      if (remove) {
        g_posted.erase(it);
        b->NotePostedTaken();
      }
      return TRUE;
    }
  }
  const bool wantInput = !kinds || (kinds & (QS_INPUT | QS_PAINT));
  if (!wantInput || b->Gathering()) return FALSE;
  b->GatherPending();
  BOOL found = FALSE;
  for (auto it = b->heldInput.begin(); it != b->heldInput.end(); ++it) {
    if (!it->msg.hwnd || !(KindOf(it->msg.message) & QS_INPUT) || !Matches(b, it->msg, hWnd, wMsgFilterMin, wMsgFilterMax, kinds)) continue;
    if (lpMsg) *lpMsg = it->msg;
    if (remove) {
      b->removedInput = std::move(*it);
      b->heldInput.erase(it);
    }
    found = TRUE;
    break;
  }
  if (!found && (!kinds || (kinds & QS_PAINT))) {
    // A paint taken out is painted when dispatched; one only looked at stays pending.
    MSG m{};
    m.message = WM_PAINT;
    m.time = GetTickCount();
    for (auto it = b->heldInput.begin(); it != b->heldInput.end() && !found; ++it) {
      if (it->msg.message != WM_PAINT || !it->msg.hwnd) continue;
      m.hwnd = it->msg.hwnd;
      if (!Matches(b, m, hWnd, wMsgFilterMin, wMsgFilterMax, kinds)) continue;
      found = TRUE;
      if (remove) {
        b->removedInput = std::move(*it);
        b->removedInput.msg = m;
        b->heldInput.erase(it);
      }
      break;
    }
    for (auto it = b->heldPaint.begin(); it != b->heldPaint.end() && !found; ++it) {
      AfxWndRecord* r = nullptr;
      for (QWidget* p = it->data(); p && !r; p = p->parentWidget()) r = b->Find(p);
      if (!r) continue;
      m.hwnd = r->hWnd;
      if (!Matches(b, m, hWnd, wMsgFilterMin, wMsgFilterMax, kinds)) continue;
      found = TRUE;
      if (remove) {
        b->removedInput = AfxWndBridge::HeldInput{};
        b->removedInput.receiver = it->data();
        b->removedInput.msg = m;
        b->heldPaint.erase(it);
      }
      break;
    }
    if (found && lpMsg) *lpMsg = m;
  }
  b->ReleaseHeld();
  return found;
}

BOOL TranslateMessage(const MSG* lpMsg) {
  // Characters are made from the key events themselves.
  return lpMsg && (lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT DispatchMessage(const MSG* lpMsg) {
  if (!lpMsg) return 0;
  AfxWndBridge* b = AfxWndBridge::Instance();
  AfxWndBridge::HeldInput& r = b->removedInput;
  if (r.receiver && r.msg.hwnd == lpMsg->hwnd && r.msg.message == lpMsg->message && r.msg.wParam == lpMsg->wParam &&
      r.msg.lParam == lpMsg->lParam && r.msg.time == lpMsg->time) {
    // Input or painting taken from the queue reaches its widget as the event it was.
    AfxWndBridge::HeldInput h = std::move(r);
    r = AfxWndBridge::HeldInput{};
    if (h.event) {
      QCoreApplication::sendEvent(h.receiver.data(), h.event.get());
    } else if (auto* w = qobject_cast<QWidget*>(h.receiver.data())) {
      w->repaint();
    }
    return 0;
  }
  if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
    reinterpret_cast<TIMERPROC>(lpMsg->lParam)(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, lpMsg->time);
    return 0;
  }
  AfxWndRecord* rec = b->Find(lpMsg->hwnd);
  return rec ? b->Call(rec, lpMsg->message, lpMsg->wParam, lpMsg->lParam) : 0;
}

DWORD GetQueueStatus(UINT flags) {
  AfxWndBridge* b = AfxWndBridge::Instance();
  UINT waiting = 0;
  for (const MSG& m : g_posted) waiting |= m.hwnd ? QS_POSTMESSAGE | QS_ALLPOSTMESSAGE : QS_ALLPOSTMESSAGE;
  if ((flags & (QS_INPUT | QS_PAINT)) && !b->Gathering()) {
    b->GatherPending();
    for (const auto& h : b->heldInput)
      if (h.msg.message) waiting |= KindOf(h.msg.message);
    if (!b->heldPaint.empty()) waiting |= QS_PAINT;
    b->ReleaseHeld();
  }
  waiting &= flags;
  return MAKELONG(waiting, waiting);
}

BOOL GetInputState() { return (HIWORD(GetQueueStatus(QS_INPUT)) & QS_INPUT) ? TRUE : FALSE; }
