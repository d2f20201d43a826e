#include "platform/win/CToolTipCtrl.h"

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QCursor>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QLabel>

#include <vector>

#include "platform/afx/ResourceModule.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {
QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }
}  // namespace

struct AfxToolTipState : public QObject {
  struct Tool {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT flags = 0;
    RECT rect{};
    bool hasRect = false;
    bool callback = false;
    QString text;
    UINT textId = 0;
    LPARAM lParam = 0;
    QPointer<QWidget> watched;
  };

  CToolTipCtrl* owner = nullptr;
  QPointer<QLabel> label;
  std::vector<Tool> tools;
  int current = -1;
  bool active = true;
  bool shown = false;
  int initial = 500;
  int autopop = 5000;
  int reshow = 100;
  int maxWidth = -1;
  QPoint at;
  QTimer showTimer;
  QTimer popTimer;

  int Find(HWND hwnd, UINT_PTR id) const {
    for (size_t i = 0; i < tools.size(); ++i)
      if (tools[i].hwnd == hwnd && tools[i].id == id) return static_cast<int>(i);
    return -1;
  }

  // The tool under a point of a window, or -1.
  int ToolAt(HWND hwnd, POINT pt) const {
    for (size_t i = 0; i < tools.size(); ++i) {
      const Tool& t = tools[i];
      const HWND toolWnd = (t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) : t.hwnd;
      if (toolWnd != hwnd) continue;
      if (t.hasRect && !(t.flags & TTF_IDISHWND) &&
          !(pt.x >= t.rect.left && pt.x < t.rect.right && pt.y >= t.rect.top && pt.y < t.rect.bottom))
        continue;
      return static_cast<int>(i);
    }
    return -1;
  }

  QString TextOf(int i) {
    if (i < 0 || static_cast<size_t>(i) >= tools.size()) return QString();
    Tool& t = tools[static_cast<size_t>(i)];
    if (!t.callback) {
      if (t.textId) {
        std::u16string s;
        AfxLoadStringResource(t.textId, s);
        return QString::fromStdU16String(s);
      }
      return t.text;
    }
    // Asked from the tool's window each time it is shown.
    NMTTDISPINFO di{};
    di.hdr.hwndFrom = owner->GetSafeHwnd();
    di.hdr.idFrom = t.id;
    di.hdr.code = TTN_GETDISPINFO;
    di.uFlags = t.flags;
    di.lParam = t.lParam;
    ::SendMessage(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&di));
    if (di.lpszText == LPSTR_TEXTCALLBACK) return QString();
    if (di.lpszText && IS_INTRESOURCE(di.lpszText)) {
      std::u16string s;
      AfxLoadStringResource(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(di.lpszText)), s);
      return QString::fromStdU16String(s);
    }
    if (di.lpszText) return QString::fromUtf16(di.lpszText);
    di.szText[79] = 0;
    return QString::fromUtf16(di.szText);
  }

  void Notify(UINT code) {
    if (current < 0 || static_cast<size_t>(current) >= tools.size()) return;
    const Tool& t = tools[static_cast<size_t>(current)];
    NMHDR h{owner->GetSafeHwnd(), t.id, code};
    ::SendMessage(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&h));
  }

  void Show() {
    if (!active || current < 0 || !label) return;
    const QString text = TextOf(current);
    if (text.isEmpty()) return;
    label->setText(text);
    label->setWordWrap(maxWidth > 0);
    label->setMaximumWidth(maxWidth > 0 ? maxWidth : QWIDGETSIZE_MAX);
    label->adjustSize();
    label->move(at + QPoint(0, 20));
    label->show();
    shown = true;
    Notify(TTN_SHOW);
    if (autopop > 0) popTimer.start(autopop);
  }

  void Pop() {
    showTimer.stop();
    popTimer.stop();
    if (shown && label) {
      label->hide();
      shown = false;
      Notify(TTN_POP);
    }
  }

  void Relay(const MSG& m) {
    if (!active) return;
    switch (m.message) {
      case WM_MOUSEMOVE: {
        const POINT pt{static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
        const int tool = ToolAt(m.hwnd, pt);
        if (tool == current && (shown || showTimer.isActive())) return;
        const bool wasShown = shown;
        Pop();
        current = tool;
        if (tool < 0) return;
        at = QCursor::pos();
        if (QWidget* w = CWnd::QWidgetFromHwnd(m.hwnd)) at = w->mapToGlobal(QPoint(pt.x, pt.y));
        showTimer.start(wasShown ? reshow : initial);
        return;
      }
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
        Pop();
        current = -1;
        return;
      default: return;
    }
  }

  bool eventFilter(QObject* watched, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    const HWND h = CWnd::HwndFromQWidget(w, FALSE);
    if (!h) return false;
    if (e->type() == QEvent::MouseMove) {
      const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
      MSG m{h, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(p.x()), static_cast<WORD>(p.y())), 0, {}};
      Relay(m);
    } else if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::Leave) {
      Pop();
      current = -1;
    }
    return false;
  }
};

CToolTipCtrl::CToolTipCtrl() : m_state(std::make_unique<AfxToolTipState>()) {
  m_state->owner = this;
  m_state->showTimer.setSingleShot(true);
  m_state->popTimer.setSingleShot(true);
  QObject::connect(&m_state->showTimer, &QTimer::timeout, m_state.get(), [s = m_state.get()] { s->Show(); });
  QObject::connect(&m_state->popTimer, &QTimer::timeout, m_state.get(), [s = m_state.get()] {
    s->Pop();
  });
}

CToolTipCtrl::~CToolTipCtrl() {
  for (auto& t : m_state->tools)
    if (t.watched) t.watched->removeEventFilter(m_state.get());
  if (m_hWnd) DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  auto* label = new QLabel;
  label->setTextFormat(Qt::PlainText);
  label->setMargin(3);
  label->setAutoFillBackground(true);
  label->setForegroundRole(QPalette::ToolTipText);
  label->setBackgroundRole(QPalette::ToolTipBase);
  label->setFrameStyle(QFrame::Box | QFrame::Plain);
  if (!CreateFromWidget(label, WS_POPUP | dwStyle, CRect(0, 0, 10, 10), pParentWnd, 0, WS_EX_TOOLWINDOW)) {
    if (!m_hWnd) delete label;
    return FALSE;
  }
  label->setWindowFlags(Qt::ToolTip);
  label->setAttribute(Qt::WA_ShowWithoutActivating, true);
  label->setAttribute(Qt::WA_OpaquePaintEvent, false);
  label->hide();
  m_state->label = label;
  return TRUE;
}

BOOL CToolTipCtrl::AddTool(const TOOLINFO* ti) {
  if (!ti || !ti->hwnd) return FALSE;
  AfxToolTipState::Tool t;
  t.hwnd = ti->hwnd;
  t.id = ti->uId;
  t.flags = ti->uFlags;
  t.rect = ti->rect;
  t.hasRect = !(ti->rect.left == 0 && ti->rect.top == 0 && ti->rect.right == 0 && ti->rect.bottom == 0);
  t.lParam = ti->lParam;
  if (ti->lpszText == LPSTR_TEXTCALLBACK)
    t.callback = true;
  else if (ti->lpszText && IS_INTRESOURCE(ti->lpszText))
    t.textId = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(ti->lpszText));
  else
    t.text = ToQ(ti->lpszText);
  if (ti->uFlags & TTF_SUBCLASS) {
    const HWND watched = (ti->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(ti->uId) : ti->hwnd;
    if (QWidget* w = CWnd::QWidgetFromHwnd(watched)) {
      w->setMouseTracking(true);
      w->installEventFilter(m_state.get());
      t.watched = w;
    }
  }
  const int existing = m_state->Find(t.hwnd, t.id);
  if (existing >= 0)
    m_state->tools[static_cast<size_t>(existing)] = t;
  else
    m_state->tools.push_back(t);
  return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  if (!pWnd || !pWnd->GetSafeHwnd()) return FALSE;
  TOOLINFO ti{};
  ti.cbSize = sizeof(TOOLINFO);
  ti.lpszText = const_cast<LPTSTR>(lpszText);
  if (lpRectTool) {
    ti.hwnd = pWnd->GetSafeHwnd();
    ti.uId = nIDTool;
    ti.rect = *lpRectTool;
  } else {
    // The whole window is the tool; notifications go to its parent.
    CWnd* parent = pWnd->GetParent();
    ti.hwnd = parent ? parent->GetSafeHwnd() : pWnd->GetSafeHwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  }
  return AddTool(&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  return AddTool(pWnd, MAKEINTRESOURCE(nIDText), lpRectTool, nIDTool);
}

namespace {
// The key a tool was added under for (window, id): whole windows are keyed by their parent.
void KeyOf(CWnd* pWnd, UINT_PTR nIDTool, HWND& hwnd, UINT_PTR& id) {
  hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
  id = nIDTool;
  if (pWnd && nIDTool == 0) {
    if (CWnd* parent = pWnd->GetParent()) {
      hwnd = parent->GetSafeHwnd();
      id = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
    }
  }
}
}  // namespace

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  HWND h = nullptr;
  UINT_PTR id = 0;
  KeyOf(pWnd, nIDTool, h, id);
  int i = m_state->Find(h, id);
  if (i < 0) i = m_state->Find(pWnd ? pWnd->GetSafeHwnd() : nullptr, nIDTool);
  if (i < 0) return;
  if (i == m_state->current) {
    m_state->Pop();
    m_state->current = -1;
  } else if (i < m_state->current) {
    --m_state->current;
  }
  auto& t = m_state->tools[static_cast<size_t>(i)];
  if (t.watched) t.watched->removeEventFilter(m_state.get());
  m_state->tools.erase(m_state->tools.begin() + i);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  HWND h = nullptr;
  UINT_PTR id = 0;
  KeyOf(pWnd, nIDTool, h, id);
  int i = m_state->Find(h, id);
  if (i < 0) i = m_state->Find(pWnd ? pWnd->GetSafeHwnd() : nullptr, nIDTool);
  if (i < 0) return;
  auto& t = m_state->tools[static_cast<size_t>(i)];
  t.callback = lpszText == LPSTR_TEXTCALLBACK;
  t.textId = (!t.callback && lpszText && IS_INTRESOURCE(lpszText)) ? static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszText)) : 0;
  t.text = (t.callback || t.textId) ? QString() : ToQ(lpszText);
  if (i == m_state->current && m_state->shown) {
    m_state->label->setText(m_state->TextOf(i));
    m_state->label->adjustSize();
  }
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool) {
  UpdateTipText(MAKEINTRESOURCE(nIDText), pWnd, nIDTool);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  const int i = m_state->Find(pWnd ? pWnd->GetSafeHwnd() : nullptr, nIDTool);
  if (i < 0 || !lpRect) return;
  m_state->tools[static_cast<size_t>(i)].rect = *lpRect;
  m_state->tools[static_cast<size_t>(i)].hasRect = true;
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
  HWND h = nullptr;
  UINT_PTR id = 0;
  KeyOf(pWnd, nIDTool, h, id);
  int i = m_state->Find(h, id);
  if (i < 0) i = m_state->Find(pWnd ? pWnd->GetSafeHwnd() : nullptr, nIDTool);
  const auto& t = m_state->tools;
  str = (i >= 0 && !t[static_cast<size_t>(i)].callback) ? CString::FromQString(m_state->TextOf(i)) : CString();
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(m_state->tools.size()); }

void CToolTipCtrl::SetDelayTime(UINT nDelay) { SetDelayTime(TTDT_AUTOMATIC, static_cast<int>(nDelay)); }

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
  const int t = std::clamp(iTime, 0, 0x7FFF);
  switch (dwDuration) {
    case TTDT_INITIAL: m_state->initial = t; break;
    case TTDT_AUTOPOP: m_state->autopop = t; break;
    case TTDT_RESHOW: m_state->reshow = t; break;
    default:
      m_state->initial = t;
      m_state->autopop = t * 10;
      m_state->reshow = t / 5;
      break;
  }
}

int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const {
  switch (dwDuration) {
    case TTDT_AUTOPOP: return m_state->autopop;
    case TTDT_RESHOW: return m_state->reshow;
    default: return m_state->initial;
  }
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth) {
  const int old = m_state->maxWidth;
  m_state->maxWidth = iWidth;
  return old;
}

int CToolTipCtrl::GetMaxTipWidth() const { return m_state->maxWidth; }

void CToolTipCtrl::Activate(BOOL bActivate) {
  m_state->active = bActivate != FALSE;
  if (!m_state->active) m_state->Pop();
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) {
  if (lpMsg) m_state->Relay(*lpMsg);
}

void CToolTipCtrl::Pop() { m_state->Pop(); }

CString CToolTipCtrl::GetShownText() const {
  return m_state->shown && m_state->label ? CString::FromQString(m_state->label->text()) : CString();
}
