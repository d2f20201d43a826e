#include "platform/win/CWnd.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QResizeEvent>
#include <QtGui/QScreen>
#include <QtGui/QMoveEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QWidget>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CTestCmdUI.h"
#include "platform/win/CView.h"
#include "platform/win/CWinThread.h"
#include "platform/win/CWindowDC.h"
#include "platform/win/WinClipboard.h"

#include <unordered_set>

#ifdef KC_WIN_HAVE_GDI
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#endif

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

QSize AfxClientSize(AfxWndRecord* rec);

namespace {

AfxWndBridge* Bridge() { return AfxWndBridge::Instance(); }

QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }

// The text of a widget: its "text" property when it has one (controls), else its title.
QString WidgetText(QWidget* w) {
  QVariant v = w->property("text");
  if (v.isValid() && v.canConvert<QString>()) return v.toString();
  return w->windowTitle();
}

void SetWidgetText(QWidget* w, const QString& text) {
  if (w->property("text").isValid())
    w->setProperty("text", text);
  else
    w->setWindowTitle(text);
}

// The class name of the widgets our windows make without a factory.
const QString kPlainClass = QStringLiteral("KcWnd");

}  // namespace

#ifdef KC_WIN_HAVE_GDI
namespace {
HFONT AfxFontHandle(CFont* pFont) { return pFont ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr; }

void AfxApplyFontToWidget(QWidget* w, HFONT hFont) {
  if (!w) return;
  CFont* f = hFont ? CFont::FromHandle(hFont) : nullptr;
  LOGFONT lf{};
  if (!f || !f->GetSafeHandle() || !f->GetLogFont(&lf)) {
    w->setFont(QFont());
    return;
  }
  w->setFont(f->GetQFont());
}
}  // namespace
#endif

CDC* AfxDCFromHandle(HDC hDC) {
#ifdef KC_WIN_HAVE_GDI
  return hDC ? CDC::FromHandle(hDC) : nullptr;
#else
  (void)hDC;
  return nullptr;
#endif
}

// ---- message map of the base window ---------------------------------------------------------

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd) {
    AfxWndRecord* rec = m_pRecord;
    if (rec && !rec->destroying) DestroyWindow();
    if (m_pRecord) Bridge()->Detach(m_pRecord);
  }
}

HWND CWnd::GetSafeHwnd() const { return m_hWnd; }

CWnd* CWnd::FromHandle(HWND hWnd) {
  AfxWndRecord* rec = Bridge()->Find(hWnd);
  if (!rec) return nullptr;
  if (!rec->pWnd) {
    CWnd* w = new CWnd;
    rec->pWnd = w;
    rec->wrapper = true;
    w->m_hWnd = hWnd;
    w->m_pRecord = rec;
  }
  return rec->pWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  AfxWndRecord* rec = Bridge()->Find(hWnd);
  return rec && !rec->wrapper ? rec->pWnd : nullptr;
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (m_hWnd || !hWndNew) return FALSE;
  AfxWndRecord* rec = Bridge()->Find(hWndNew);
  if (!rec || (rec->pWnd && !rec->wrapper)) return FALSE;
  Bridge()->Attach(rec, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (m_pRecord) Bridge()->Detach(m_pRecord);
  m_hWnd = nullptr;
  m_pRecord = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (!pParent) return FALSE;
  HWND h = nullptr;
  pParent->GetDlgItem(static_cast<int>(nID), &h);
  return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

void CWnd::PreSubclassWindow() {}

// ---- creation -------------------------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) { return TRUE; }

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                  static_cast<LPVOID>(pContext));
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  HMENU idOrMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, idOrMenu, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd) return FALSE;
  CREATESTRUCT cs{};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return FALSE;
  CWnd* pParent = FromHandle(cs.hwndParent);
  if ((static_cast<DWORD>(cs.style) & WS_CHILD) && !pParent) return FALSE;
  QWidget* parentWidget = pParent ? pParent->GetQWidget() : nullptr;

  QString cls = ToQ(cs.lpszClass);
  QWidget* w = nullptr;
  bool plain = false;
  if (AFX_WIDGET_FACTORY f = Bridge()->factories.value(cls.toUpper(), nullptr))
    w = f(parentWidget, static_cast<DWORD>(cs.style), cs.dwExStyle);
  if (!w) {
    w = new QWidget(parentWidget);
    plain = true;
    if (cls.isEmpty()) cls = kPlainClass;
  }
  if (!DoCreate(w, cs, pParent)) return FALSE;
  if (m_pRecord) {
    m_pRecord->plain = plain;
    m_pRecord->className = cls;
  }
  return m_hWnd != nullptr;
}

BOOL CWnd::CreateFromWidget(QWidget* pWidget, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                            DWORD dwExStyle, LPCTSTR lpszWindowName) {
  if (m_hWnd || !pWidget) return FALSE;
  CREATESTRUCT cs{};
  cs.dwExStyle = dwExStyle;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  cs.hwndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
  cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
  if (pParentWnd && pParentWnd->GetQWidget() && pWidget->parentWidget() != pParentWnd->GetQWidget()) {
    if (dwStyle & WS_CHILD)
      pWidget->setParent(pParentWnd->GetQWidget());
    else
      pWidget->setParent(pParentWnd->GetQWidget(), Qt::Window);
  }
  if (!DoCreate(pWidget, cs, pParentWnd)) return FALSE;
  if (m_pRecord) m_pRecord->className = QString::fromLatin1(pWidget->metaObject()->className());
  return m_hWnd != nullptr;
}

BOOL CWnd::DoCreate(QWidget* w, CREATESTRUCT& cs, CWnd* pParent) {
  const DWORD style = static_cast<DWORD>(cs.style);
  const bool child = style & WS_CHILD;
  if (!child) {
    Qt::WindowFlags flags = Qt::Window;
    if ((style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION) flags = Qt::Tool | Qt::FramelessWindowHint;
    if (cs.dwExStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    w->setWindowFlags(flags);
    m_pOwner = pParent;
  }
  auto rec = Bridge()->Register(w);
  rec->ownsWidget = true;
  rec->style = style & ~WS_VISIBLE;
  rec->exStyle = cs.dwExStyle;
  rec->id = child ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(cs.hMenu)) : 0;
  Bridge()->Attach(rec.get(), this);
  w->setMouseTracking(true);
  w->setAttribute(Qt::WA_OpaquePaintEvent, true);
  if (style & WS_DISABLED) {
    rec->ownEnabled = false;  // created so: no WM_ENABLE
    w->setEnabled(false);
  }
  if (cs.lpszName) SetWidgetText(w, ToQ(cs.lpszName));

  int x = cs.x == CW_USEDEFAULT ? 0 : cs.x;
  int y = cs.y == CW_USEDEFAULT ? 0 : cs.y;
  int cx = cs.cx == CW_USEDEFAULT ? 640 : std::max(0, cs.cx);
  int cy = cs.cy == CW_USEDEFAULT ? 480 : std::max(0, cs.cy);
  w->setGeometry(x, y, cx, cy);
  if (style & WS_VSCROLL) ShowScrollBar(SB_VERT, TRUE);
  if (style & WS_HSCROLL) ShowScrollBar(SB_HORZ, TRUE);

  auto hold = rec;
  const LRESULT r = Bridge()->Call(rec.get(), WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs));
  if (r == -1) {
    if (Bridge()->Find(hold->hWnd)) DestroyWindow();
    return FALSE;
  }
  if (!Bridge()->Find(hold->hWnd) || !hold->widget) return FALSE;
  // The window learns its size and place at creation, shown or not.
  {
    QResizeEvent re(w->size(), QSize(-1, -1));
    QCoreApplication::sendEvent(w, &re);
    w->setAttribute(Qt::WA_PendingResizeEvent, false);
    QMoveEvent me(w->pos(), w->pos());
    QCoreApplication::sendEvent(w, &me);
    w->setAttribute(Qt::WA_PendingMoveEvent, false);
  }
  if (!Bridge()->Find(hold->hWnd) || !hold->widget) return FALSE;
  if (style & WS_VISIBLE) {
    hold->style |= WS_VISIBLE;
    w->show();
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd || !m_pRecord) return FALSE;
  AfxWndRecord* rec = m_pRecord;
  if (rec->destroying) return FALSE;
  auto hold = Bridge()->Hold(rec);
  rec->destroying = true;
  HWND h = m_hWnd;
  if (Bridge()->capture == h) ReleaseCapture();
  QPointer<QWidget> widget = rec->widget;
  const bool ownsWidget = rec->ownsWidget;
  if (widget) widget->hide();
  // Data it still owes the clipboard is rendered while it can.
  AfxClipboardOwnerDestroying(h);

  Bridge()->Call(rec, WM_DESTROY, 0, 0);
  // Children and owned windows go before their parent's last message.
  std::vector<HWND> children;
  for (AfxWndRecord* c : Bridge()->Children(rec)) children.push_back(c->hWnd);
  for (HWND hc : children) {
    AfxWndRecord* c = Bridge()->Find(hc);  // an earlier child's end may have taken it along
    if (!c) continue;
    if (c->pWnd && !c->wrapper)
      c->pWnd->DestroyWindow();
    else
      Bridge()->Unregister(c);
  }
  Bridge()->KillAllTimers(rec);
  if (rec->pWnd) Bridge()->Call(rec, WM_NCDESTROY, 0, 0);
  if (!rec->ncDestroyDone) {
    // A handler of WM_NCDESTROY that did not call the base: finish here.
    CWnd* p = rec->pWnd;
    rec->ncDestroyDone = true;
    Bridge()->Unregister(rec);
    if (p) p->PostNcDestroy();
  }
  if (widget && ownsWidget) widget->deleteLater();
  return TRUE;
}

void CWnd::OnNcDestroy() {
  AfxWndRecord* rec = m_pRecord;
  if (rec) rec->ncDestroyDone = true;
  if (CWinThread* pThread = AfxGetThread()) {
    if (pThread->m_pMainWnd == this) {
      // The main window's end is the end of the application's message loop.
      pThread->m_pMainWnd = nullptr;
      AfxPostQuitOnMainWndDestroyed();
    }
    if (pThread->m_pActiveWnd == this) pThread->m_pActiveWnd = nullptr;
  }
  if (rec) Bridge()->Unregister(rec);
  m_hWnd = nullptr;
  m_pRecord = nullptr;
  PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

// ---- messages -------------------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_pRecord ? Bridge()->Call(m_pRecord, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_hWnd ? Bridge()->Post(m_hWnd, message, wParam, lParam) : FALSE;
}

BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_pRecord) return FALSE;
  SendMessage(message, wParam, lParam);
  return TRUE;
}

namespace {

// The windows below a widget in tree order: every one when deep, else the nearest ones (a
// window inside a plain Qt container still counts as a child). Owned top-level windows are not
// descendants.
void CollectDescendants(QWidget* w, bool deep, std::vector<HWND>& out) {
  for (QObject* o : w->children()) {
    auto* cw = qobject_cast<QWidget*>(o);
    if (!cw || cw->isWindow()) continue;
    AfxWndRecord* r = Bridge()->Find(cw);
    if (r) out.push_back(r->hWnd);
    if (!r || deep) CollectDescendants(cw, deep, out);
  }
}

}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  if (!m_pRecord || !m_pRecord->widget) return;
  std::vector<HWND> targets;
  CollectDescendants(m_pRecord->widget, bDeep != FALSE, targets);
  for (HWND h : targets) {
    AfxWndRecord* c = Bridge()->Find(h);  // a handler may have destroyed it meanwhile
    if (!c) continue;
    if (bOnlyPerm && (!c->pWnd || c->wrapper)) continue;
    Bridge()->Call(c, message, wParam, lParam);
  }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (OnCommand(wParam, lParam)) {
      if (pResult) *pResult = 1;
      return TRUE;
    }
    return FALSE;
  }
  if (message == WM_NOTIFY) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR && pNMHDR->hwndFrom != nullptr && OnNotify(wParam, lParam, &lResult)) {
      if (pResult) *pResult = lResult;
      return TRUE;
    }
    return FALSE;
  }
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, 0, 0);
  if (!e) return FALSE;
  AFX_DISPATCH d;
  d.message = message;
  d.wParam = wParam;
  d.lParam = lParam;
  const BOOL handled = e->pfn(this, d);
  if (pResult) *pResult = d.lResult;
  return handled;
}

LRESULT CWnd::Default() {
  const AfxMsgFrame* f = Bridge()->Current();
  if (!f) return 0;
  return DefWindowProc(f->msg.message, f->msg.wParam, f->msg.lParam);
}

const MSG* CWnd::GetCurrentMessage() {
  AfxMsgFrame* f = Bridge()->Current();
  return f ? &f->msg : nullptr;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  AfxWndRecord* rec = m_pRecord;
  if (!rec) return 0;
  AfxMsgFrame* f = Bridge()->Current();
  const bool current = f && f->rec == rec && f->msg.message == message && f->msg.wParam == wParam &&
                       f->msg.lParam == lParam;
  QWidget* w = rec->widget;
  // A standard control answers its own messages whichever object is attached to it (a plain
  // CWnd that subclassed it included).
  if (!rec->plain) {
    LRESULT r = 0;
    if (AfxControlDefault(this, message, wParam, lParam, r)) return r;
    if (!m_pRecord) return r;
  }
  // A widget with behaviour of its own gets the event the message came from.
  if (current && f->event && !rec->plain && message != WM_CLOSE) {
    Bridge()->PassThrough(f);
    return 0;
  }
  if (current) f->defaultDone = true;
  switch (message) {
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      // An unused wheel turn goes up to the parent.
      if ((rec->style & WS_CHILD) && GetParent()) return GetParent()->SendMessage(message, wParam, lParam);
      return 0;
    case WM_CONTEXTMENU:
      if ((rec->style & WS_CHILD) && GetParent()) GetParent()->SendMessage(message, wParam, lParam);
      return 0;
    case WM_SETCURSOR: {
      if ((rec->style & WS_CHILD) && GetParent()) {
        if (GetParent()->SendMessage(WM_SETCURSOR, wParam, lParam)) return TRUE;
      }
      if (LOWORD(lParam) == HTCLIENT && w) {
        if (rec->classCursor)
          ::SetCursor(rec->classCursor);
        else
          w->unsetCursor();
      }
      return FALSE;
    }
    case WM_ERASEBKGND: {
      if (!w || !rec->inPaint) return 0;
      QPainter* p = GetPaintPainter();
      if (!p) return 0;
      QColor c = rec->classBackground == 0xFFFFFFFF
                     ? w->palette().color(QPalette::Window)
                     : QColor(GetRValue(rec->classBackground), GetGValue(rec->classBackground),
                              GetBValue(rec->classBackground));
      p->fillRect(rec->paintRect ? *rec->paintRect : w->rect(), c);
      return 1;
    }
    case WM_PAINT:
      return 0;
    case WM_SETTEXT:
      if (w) SetWidgetText(w, ToQ(reinterpret_cast<LPCTSTR>(lParam)));
      return TRUE;
    case WM_GETTEXT: {
      if (!w || wParam == 0 || lParam == 0) return 0;
      const QString t = WidgetText(w);
      auto* buf = reinterpret_cast<LPTSTR>(lParam);
      const int n = std::min<int>(t.size(), static_cast<int>(wParam) - 1);
      for (int i = 0; i < n; ++i) buf[i] = t.at(i).unicode();
      buf[n] = 0;
      return n;
    }
    case WM_GETTEXTLENGTH:
      return w ? WidgetText(w).size() : 0;
    case WM_SETFONT:
      rec->hFont = reinterpret_cast<HFONT>(wParam);
#ifdef KC_WIN_HAVE_GDI
      AfxApplyFontToWidget(w, rec->hFont);
#endif
      if (lParam && w) w->update();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(rec->hFont);
    case WM_SETREDRAW:
      if (w) {
        w->setUpdatesEnabled(wParam != 0);
      }
      return 0;
    case WM_SETICON: {
      HICON old = wParam ? rec->hIconBig : rec->hIconSmall;
      (wParam ? rec->hIconBig : rec->hIconSmall) = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETDLGCODE:
    case WM_COPYDATA:
    case WM_NOTIFY:
    case WM_COMMAND:
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_ACTIVATE;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_HELP:
      if ((rec->style & WS_CHILD) && GetParent()) return GetParent()->SendMessage(message, wParam, lParam);
      return 0;
    case WM_CANCELMODE:
      if (Bridge()->capture == rec->hWnd) ReleaseCapture();
      return 0;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
      return ReflectOwnerMessage(message, wParam, lParam);
    default:
      return 0;
  }
}

LRESULT CWnd::ReflectOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!lParam) return 0;
  HWND hChild = nullptr;
  switch (message) {
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (dis->CtlType != ODT_MENU) hChild = dis->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      // The structure names no window: the control is found by its id.
      const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      if (mis->CtlType != ODT_MENU) GetDlgItem(static_cast<int>(mis->CtlID), &hChild);
      break;
    }
    case WM_COMPAREITEM: hChild = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem; break;
    case WM_DELETEITEM: hChild = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem; break;
    default: return 0;
  }
  CWnd* pChild = hChild && hChild != m_hWnd ? FromHandlePermanent(hChild) : nullptr;
  if (!pChild) return 0;
  LRESULT r = 0;
  return pChild->OnChildNotify(message, wParam, lParam, &r) ? r : 0;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND h = pMsg->hwnd; h != nullptr;) {
    AfxWndRecord* rec = AfxWndBridge::Instance()->Find(h);
    if (!rec) break;
    CWnd* p = rec->wrapper ? nullptr : rec->pWnd;
    if (p && p->PreTranslateMessage(pMsg)) return TRUE;
    if (h == hWndStop) break;
    if (!rec->widget || rec->widget->isWindow()) break;
    h = nullptr;
    for (QWidget* pw = rec->widget->parentWidget(); pw; pw = pw->parentWidget()) {
      if (AfxWndRecord* pr = AfxWndBridge::Instance()->Find(pw)) {
        h = pr->hWnd;
        break;
      }
    }
  }
  return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl == nullptr) {
    // A menu item or accelerator: run it only when its update handler leaves it enabled.
    if (nID == 0) return FALSE;
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
    nCode = CN_COMMAND;
  } else {
    if (!IsWindow(hWndCtrl)) return FALSE;
    if (ReflectLastMsg(hWndCtrl)) return TRUE;  // the control handled it itself
    if (!m_hWnd) return TRUE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  HWND hWndCtrl = pNMHDR->hwndFrom;
  const UINT nID = static_cast<UINT>(pNMHDR->idFrom);
  const UINT code = pNMHDR->code;
  if (hWndCtrl && IsWindow(hWndCtrl) && ReflectLastMsg(hWndCtrl, pResult)) return TRUE;
  AFX_NOTIFY notify{pResult, pNMHDR};
  return OnCmdMsg(nID, static_cast<int>(MAKELONG(LOWORD(code), WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND: {
      const int nCode = HIWORD(wParam);
      return OnCmdMsg(0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr);
    }
    case WM_NOTIFY: {
      auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      AFX_NOTIFY notify{pResult, pNMHDR};
      LRESULT dummy = 0;
      if (!notify.pResult) notify.pResult = &dummy;
      return OnCmdMsg(0, static_cast<int>(MAKELONG(LOWORD(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                      nullptr);
    }
    default:
      return FALSE;
  }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pWnd = FromHandlePermanent(hWndChild);
  if (!pWnd) return FALSE;
  return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG* m = GetCurrentMessage();
  if (!m) return FALSE;
  return OnChildNotify(m->message, m->wParam, m->lParam, pResult);
}

// ---- styles, ids, relatives -----------------------------------------------------------------

DWORD CWnd::GetStyle() const {
  if (!m_pRecord) return 0;
  DWORD s = m_pRecord->style & ~(WS_VISIBLE | WS_DISABLED);
  if (QWidget* w = m_pRecord->widget) {
    if (w->isVisible() || (!w->isHidden() && !w->isWindow() && w->parentWidget() && !w->parentWidget()->isVisible() &&
                           (m_pRecord->style & WS_VISIBLE)))
      s |= WS_VISIBLE;
    if (w->testAttribute(Qt::WA_ForceDisabled)) s |= WS_DISABLED;
  }
  return s;
}

DWORD CWnd::GetExStyle() const { return m_pRecord ? m_pRecord->exStyle : 0; }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  AfxWndRecord* rec = AfxWndBridge::Instance()->Find(hWnd);
  if (!rec) return FALSE;
  CWnd* p = FromHandle(hWnd);
  const DWORD old = p->GetStyle();
  const DWORD now = (old & ~dwRemove) | dwAdd;
  if (now == old) return FALSE;
  rec->style = now & ~WS_VISIBLE;
  if ((now ^ old) & WS_VISIBLE) p->ShowWindow((now & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
  if ((now ^ old) & WS_DISABLED) p->EnableWindow(!(now & WS_DISABLED));
  if ((now ^ old) & WS_VSCROLL) p->ShowScrollBar(SB_VERT, (now & WS_VSCROLL) != 0);
  if ((now ^ old) & WS_HSCROLL) p->ShowScrollBar(SB_HORZ, (now & WS_HSCROLL) != 0);
  if (nFlags && rec->widget) rec->widget->update();
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  AfxWndRecord* rec = AfxWndBridge::Instance()->Find(hWnd);
  if (!rec) return FALSE;
  const DWORD now = (rec->exStyle & ~dwRemove) | dwAdd;
  if (now == rec->exStyle) return FALSE;
  rec->exStyle = now;
  if (nFlags && rec->widget) rec->widget->update();
  return TRUE;
}

int CWnd::GetDlgCtrlID() const { return m_pRecord ? static_cast<int>(m_pRecord->id) : 0; }

int CWnd::SetDlgCtrlID(int nID) {
  if (!m_pRecord) return 0;
  const int old = static_cast<int>(m_pRecord->id);
  m_pRecord->id = static_cast<UINT>(nID);
  return old;
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const {
  *phWnd = nullptr;
  if (!m_pRecord || !m_pRecord->widget) return;
  // Controls are direct children, or children of plain containers in between (group panels).
  const QList<QWidget*> all = m_pRecord->widget->findChildren<QWidget*>();
  for (QWidget* w : all) {
    AfxWndRecord* r = AfxWndBridge::Instance()->Find(w);
    if (r && (r->style & WS_CHILD) && r->id == static_cast<UINT>(nID)) {
      // The nearest window ancestor must be this one.
      QWidget* pw = w->parentWidget();
      while (pw && !AfxWndBridge::Instance()->Find(pw)) pw = pw->parentWidget();
      if (pw == m_pRecord->widget) {
        *phWnd = r->hWnd;
        return;
      }
    }
  }
}

CWnd* CWnd::GetDlgItem(int nID) const {
  HWND h = nullptr;
  GetDlgItem(nID, &h);
  return FromHandle(h);
}

namespace {
AfxWndRecord* ParentRecord(const AfxWndRecord* rec) {
  if (!rec || !rec->widget) return nullptr;
  for (QWidget* pw = rec->widget->parentWidget(); pw; pw = pw->parentWidget()) {
    if (AfxWndRecord* r = AfxWndBridge::Instance()->Find(pw)) return r;
  }
  return nullptr;
}
}  // namespace

CWnd* CWnd::GetParent() const {
  if (!m_pRecord) return nullptr;
  if (!(m_pRecord->style & WS_CHILD)) return m_pOwner && m_pOwner->m_hWnd ? m_pOwner : nullptr;
  AfxWndRecord* p = ParentRecord(m_pRecord);
  return p ? FromHandle(p->hWnd) : nullptr;
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
  CWnd* old = GetParent();
  if (!m_pRecord || !m_pRecord->widget) return nullptr;
  QWidget* w = m_pRecord->widget;
  const bool visible = w->isVisible() || (m_pRecord->style & WS_VISIBLE);
  const QPoint pos = w->pos();
  if (m_pRecord->style & WS_CHILD) {
    w->setParent(pWndNewParent ? pWndNewParent->GetQWidget() : nullptr);
  } else {
    m_pOwner = pWndNewParent;
    w->setParent(pWndNewParent ? pWndNewParent->GetQWidget() : nullptr, w->windowFlags());
  }
  w->move(pos);
  if (visible) w->show();
  return old;
}

CWnd* CWnd::GetOwner() const {
  if (m_pOwner && m_pOwner->m_hWnd) return m_pOwner;
  return GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd) { m_pOwner = pOwnerWnd; }

CWnd* CWnd::GetTopLevelParent() const {
  if (!m_hWnd) return nullptr;
  const CWnd* p = this;
  while (p && (p->GetStyle() & WS_CHILD)) {
    CWnd* up = p->GetParent();
    if (!up) break;
    p = up;
  }
  return const_cast<CWnd*>(p);
}

CWnd* CWnd::GetTopLevelOwner() const {
  if (!m_hWnd) return nullptr;
  const CWnd* p = GetTopLevelParent();
  while (p && p->m_pOwner && p->m_pOwner->m_hWnd) p = p->m_pOwner->GetTopLevelParent();
  return const_cast<CWnd*>(p);
}

CFrameWnd* CWnd::GetParentFrame() const { return AfxGetParentFrame(this); }

CWnd* CWnd::GetParentOwner() const {
  if (!m_hWnd) return nullptr;
  const CWnd* p = this;
  while (p && (p->GetStyle() & WS_CHILD)) {
    CWnd* up = p->GetParent();
    if (!up) break;
    p = up;
  }
  return const_cast<CWnd*>(p);
}

CWnd* CWnd::GetWindow(UINT nCmd) const {
  if (!m_pRecord || !m_pRecord->widget) return nullptr;
  if (nCmd == GW_OWNER) return m_pOwner;
  auto siblings = [](QWidget* parent) {
    std::vector<HWND> v;
    if (!parent) return v;
    for (QObject* o : parent->children()) {
      if (auto* w = qobject_cast<QWidget*>(o)) {
        if (w->isWindow()) continue;
        if (AfxWndRecord* r = AfxWndBridge::Instance()->Find(w)) v.push_back(r->hWnd);
      }
    }
    return v;
  };
  if (nCmd == GW_CHILD) {
    auto v = siblings(m_pRecord->widget);
    return v.empty() ? nullptr : FromHandle(v.front());
  }
  auto v = siblings(m_pRecord->widget->parentWidget());
  auto it = std::find(v.begin(), v.end(), m_hWnd);
  switch (nCmd) {
    case GW_HWNDFIRST: return v.empty() ? nullptr : FromHandle(v.front());
    case GW_HWNDLAST: return v.empty() ? nullptr : FromHandle(v.back());
    case GW_HWNDNEXT: return (it == v.end() || it + 1 == v.end()) ? nullptr : FromHandle(*(it + 1));
    case GW_HWNDPREV: return (it == v.end() || it == v.begin()) ? nullptr : FromHandle(*(it - 1));
    default: return nullptr;
  }
}

CWnd* CWnd::GetNextWindow(UINT nFlag) const { return GetWindow(nFlag); }
CWnd* CWnd::GetTopWindow() const { return GetWindow(GW_CHILD); }

BOOL CWnd::IsChild(const CWnd* pWnd) const {
  if (!pWnd || !pWnd->m_pRecord || !m_pRecord || !m_pRecord->widget || !pWnd->m_pRecord->widget) return FALSE;
  for (QWidget* w = pWnd->m_pRecord->widget->parentWidget(); w; w = w->parentWidget()) {
    if (w == m_pRecord->widget) return TRUE;
    if (w->isWindow()) break;
  }
  return FALSE;
}

BOOL CWnd::IsWindowVisible() const {
  return m_pRecord && m_pRecord->widget && m_pRecord->widget->isVisible();
}

// A window's own state: a child of a disabled window stays enabled itself (it just gets no input).
BOOL CWnd::IsWindowEnabled() const {
  return m_pRecord && m_pRecord->widget && !m_pRecord->widget->testAttribute(Qt::WA_ForceDisabled);
}

BOOL CWnd::IsIconic() const { return m_pRecord && m_pRecord->widget && m_pRecord->widget->isMinimized(); }
BOOL CWnd::IsZoomed() const { return m_pRecord && m_pRecord->widget && m_pRecord->widget->isMaximized(); }

// ---- size, position, visibility -------------------------------------------------------------

BOOL CWnd::ShowWindow(int nCmdShow) {
  if (!m_pRecord || !m_pRecord->widget) return FALSE;
  QWidget* w = m_pRecord->widget;
  const BOOL wasVisible = !w->isHidden();
  const bool show = nCmdShow != SW_HIDE;
  if (show != static_cast<bool>(wasVisible)) SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  if (!m_pRecord || !m_pRecord->widget) return wasVisible;
  switch (nCmdShow) {
    case SW_HIDE: m_pRecord->style &= ~WS_VISIBLE; w->hide(); break;
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: w->showMinimized(); break;
    case SW_SHOWMAXIMIZED: w->showMaximized(); break;
    case SW_SHOWNOACTIVATE: case SW_SHOWNA:
      w->setAttribute(Qt::WA_ShowWithoutActivating, true);
      w->show();
      w->setAttribute(Qt::WA_ShowWithoutActivating, false);
      break;
    case SW_RESTORE: w->showNormal(); break;
    default: w->show(); break;
  }
  if (show && m_pRecord) m_pRecord->style |= WS_VISIBLE;
  return wasVisible;
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
  if (!m_pRecord || !m_pRecord->widget) return FALSE;
  QWidget* w = m_pRecord->widget;
  const BOOL wasDisabled = w->testAttribute(Qt::WA_ForceDisabled);
  w->setEnabled(bEnable != FALSE);
  return wasDisabled;
}

namespace {

// A window's rectangle as GetWindowRect reports it: for a top-level window the outer one with
// the window manager's frame, in the parent's client coordinates for a child.
QRect OuterGeometry(const QWidget* w) { return w->isWindow() ? w->frameGeometry() : w->geometry(); }

// Places the window so that OuterGeometry gives r. Qt places a top-level window by its frame but
// sizes it by its inside; the frame's extent is what the window manager gave it so far (none
// before it is first shown).
void SetOuterGeometry(QWidget* w, const QRect& r) {
  if (!w->isWindow()) {
    w->setGeometry(r);
    return;
  }
  const QRect frame = w->frameGeometry(), inner = w->geometry();
  const int dw = std::max(0, frame.width() - inner.width()), dh = std::max(0, frame.height() - inner.height());
  const QSize size(std::max(0, r.width() - dw), std::max(0, r.height() - dh));
  if (w->size() != size) w->resize(size);
  if (w->pos() != r.topLeft()) w->move(r.topLeft());
}

}  // namespace

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
  if (!m_pRecord || !m_pRecord->widget) return;
  SetOuterGeometry(m_pRecord->widget, QRect(x, y, std::max(0, nWidth), std::max(0, nHeight)));
  if (bRepaint && m_pRecord && m_pRecord->widget) m_pRecord->widget->update();
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
  MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

namespace {

// Puts w right after the sibling pAfter in the child order, which is the order of GetWindow
// and of Tab in dialogs ("after" in z-order is the next place in that order).
void PlaceAfter(QWidget* w, QWidget* pAfter) {
  QWidget* parent = w->parentWidget();
  if (!parent || pAfter->parentWidget() != parent) {
    w->stackUnder(pAfter);  // windows of different parents have no common order
    return;
  }
  QWidget* next = nullptr;
  bool seen = false;
  for (QObject* o : parent->children()) {
    if (seen) {
      auto* cw = qobject_cast<QWidget*>(o);
      if (cw && !cw->isWindow()) {
        next = cw;
        break;
      }
    } else if (o == pAfter) {
      seen = true;
    }
  }
  if (next == w) return;
  if (next)
    w->stackUnder(next);
  else
    w->raise();
}

}  // namespace

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  if (!m_pRecord || !m_pRecord->widget) return FALSE;
  QWidget* w = m_pRecord->widget;
  WINDOWPOS wp{m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags};
  if (!(nFlags & SWP_NOSENDCHANGING)) SendMessage(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  if (!m_pRecord) return FALSE;
  QRect g = OuterGeometry(w);
  if (!(wp.flags & SWP_NOMOVE)) g.moveTo(wp.x, wp.y);
  if (!(wp.flags & SWP_NOSIZE)) g.setSize(QSize(std::max(0, wp.cx), std::max(0, wp.cy)));
  if (g != OuterGeometry(w)) SetOuterGeometry(w, g);
  if (!(wp.flags & SWP_NOZORDER)) {
    const CWnd* after = pWndInsertAfter;
    if (after == reinterpret_cast<const CWnd*>(HWND_BOTTOM))
      w->lower();
    else if (after == nullptr || after == reinterpret_cast<const CWnd*>(HWND_TOPMOST))
      w->raise();
    else if (after->m_pRecord && after->m_pRecord->widget && after->m_pRecord->widget != w)
      PlaceAfter(w, after->m_pRecord->widget);
  }
  if (wp.flags & SWP_SHOWWINDOW) ShowWindow((wp.flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (wp.flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
  if (m_pRecord) SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  return TRUE;
}

void CWnd::GetClientRect(LPRECT lpRect) const {
  if (!m_pRecord || !m_pRecord->widget) {
    *lpRect = RECT{0, 0, 0, 0};
    return;
  }
  const QSize s = AfxClientSize(m_pRecord);
  *lpRect = RECT{0, 0, s.width(), s.height()};
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
  if (!m_pRecord || !m_pRecord->widget) {
    *lpRect = RECT{0, 0, 0, 0};
    return;
  }
  QWidget* w = m_pRecord->widget;
  QRect r = w->isWindow() ? OuterGeometry(w) : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
  *lpRect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
  if (!m_pRecord || !m_pRecord->widget) return;
  QPoint p = m_pRecord->widget->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
  lpPoint->x = p.x();
  lpPoint->y = p.y();
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->left));
  ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
  if (!m_pRecord || !m_pRecord->widget) return;
  QPoint p = m_pRecord->widget->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
  lpPoint->x = p.x();
  lpPoint->y = p.y();
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->left));
  ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
  for (UINT i = 0; i < nCount; ++i) {
    ClientToScreen(&lpPoint[i]);
    if (pwndTo) pwndTo->ScreenToClient(&lpPoint[i]);
  }
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
  MapWindowPoints(pwndTo, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  if (!m_pRecord || !m_pRecord->widget) return;
  QWidget* w = m_pRecord->widget;
  CWnd* around = pAlternateOwner ? pAlternateOwner : GetOwner();
  QRect area;
  if (around && around->GetQWidget()) {
    QWidget* a = around->GetQWidget();
    area = QRect(a->mapToGlobal(QPoint(0, 0)), a->size());
  } else if (QScreen* s = QGuiApplication::primaryScreen()) {
    area = s->availableGeometry();
  }
  QPoint c = area.center() - QPoint(w->width() / 2, w->height() / 2);
  if (!w->isWindow() && w->parentWidget()) c = w->parentWidget()->mapFromGlobal(c);
  w->move(c);
}

void CWnd::BringWindowToTop() {
  if (m_pRecord && m_pRecord->widget) m_pRecord->widget->raise();
}

// ---- painting -------------------------------------------------------------------------------

namespace {
// An update without erase is kept as such until an update asks for one.
void NoteErase(AfxWndRecord* rec, BOOL bErase) {
  if (bErase) {
    rec->suppressErase = false;
    rec->erasePending = true;
  } else if (!rec->erasePending) {
    rec->suppressErase = true;
  }
}
}  // namespace

void CWnd::Invalidate(BOOL bErase) {
  if (!m_pRecord || !m_pRecord->widget) return;
  NoteErase(m_pRecord, bErase);
  m_pRecord->widget->update();
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
  if (!m_pRecord || !m_pRecord->widget) return;
  NoteErase(m_pRecord, bErase);
  if (!lpRect)
    m_pRecord->widget->update();
  else
    m_pRecord->widget->update(QRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top));
}

void CWnd::ValidateRect(LPCRECT) {}

void CWnd::UpdateWindow() {
  if (m_pRecord && m_pRecord->widget && m_pRecord->widget->isVisible()) m_pRecord->widget->repaint();
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, void*, UINT flags) {
  if (!m_pRecord || !m_pRecord->widget) return FALSE;
  if (flags & RDW_INVALIDATE) InvalidateRect(lpRectUpdate, (flags & RDW_ERASE) != 0);
  if (flags & RDW_UPDATENOW) UpdateWindow();
  return TRUE;
}

void CWnd::SetRedraw(BOOL bRedraw) { SendMessage(WM_SETREDRAW, bRedraw ? TRUE : FALSE, 0); }

BOOL CWnd::LockWindowUpdate() {
  if (!m_pRecord || !m_pRecord->widget) return FALSE;
  m_pRecord->widget->setUpdatesEnabled(false);
  return TRUE;
}

void CWnd::UnlockWindowUpdate() {
  if (m_pRecord && m_pRecord->widget) {
    m_pRecord->widget->setUpdatesEnabled(true);
    m_pRecord->widget->update();
  }
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL) {
  if (!m_pRecord || !m_pRecord->inPaint || !m_pRecord->paintRect) {
    if (lpRect) *lpRect = RECT{0, 0, 0, 0};
    return FALSE;
  }
  const QRect& r = *m_pRecord->paintRect;
  if (lpRect) *lpRect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  return !r.isEmpty();
}

namespace {
// The contexts GetDC handed out and ReleaseDC has not taken back yet.
std::unordered_set<CDC*>& OpenDCs() {
  static std::unordered_set<CDC*> dcs;
  return dcs;
}
}  // namespace

CDC* CWnd::GetDC() {
  CDC* dc = new CClientDC(this);
  OpenDCs().insert(dc);
  return dc;
}

CDC* CWnd::GetWindowDC() {
  CDC* dc = new CWindowDC(this);
  OpenDCs().insert(dc);
  return dc;
}

int CWnd::ReleaseDC(CDC* pDC) {
  if (!pDC || OpenDCs().erase(pDC) == 0) return 0;
  delete pDC;
  return 1;
}

HDC GetDC(HWND hWnd) {
  CWnd* p = hWnd ? CWnd::FromHandle(hWnd) : nullptr;
  if (hWnd && !p) return nullptr;
  CDC* dc = new CClientDC(p);
  OpenDCs().insert(dc);
  return dc->GetSafeHdc();
}

HDC GetWindowDC(HWND hWnd) {
  CWnd* p = hWnd ? CWnd::FromHandle(hWnd) : nullptr;
  if (hWnd && !p) return nullptr;
  CDC* dc = new CWindowDC(p);
  OpenDCs().insert(dc);
  return dc->GetSafeHdc();
}

int ReleaseDC(HWND, HDC hDC) {
  if (!hDC) return 0;
  for (CDC* dc : OpenDCs()) {
    if (dc->GetSafeHdc() == hDC) {
      OpenDCs().erase(dc);
      delete dc;
      return 1;
    }
  }
  return 0;
}

// ---- focus, capture, activation -------------------------------------------------------------

CWnd* CWnd::SetFocus() {
  CWnd* old = GetFocus();
  if (m_pRecord && m_pRecord->widget) {
    QWidget* w = m_pRecord->widget;
    if (w->window() && !w->window()->isActiveWindow() && w->window()->isVisible()) w->window()->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
  }
  return old;
}

CWnd* CWnd::GetFocus() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
    if (AfxWndRecord* r = AfxWndBridge::Instance()->Find(w)) return FromHandle(r->hWnd);
  }
  return nullptr;
}

CWnd* CWnd::SetCapture() {
  CWnd* old = GetCapture();
  ::SetCapture(m_hWnd);
  return old;
}

CWnd* CWnd::GetCapture() { return FromHandle(AfxWndBridge::Instance()->capture); }

BOOL CWnd::SetForegroundWindow() {
  if (!m_pRecord || !m_pRecord->widget) return FALSE;
  QWidget* top = m_pRecord->widget->window();
  top->raise();
  top->activateWindow();
  return TRUE;
}

CWnd* CWnd::GetForegroundWindow() { return GetActiveWindow(); }

CWnd* CWnd::SetActiveWindow() {
  CWnd* old = GetActiveWindow();
  if (m_pRecord && m_pRecord->widget) m_pRecord->widget->window()->activateWindow();
  return old;
}

CWnd* CWnd::GetActiveWindow() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  QWidget* w = QApplication::activeWindow();
  AfxWndRecord* r = w ? AfxWndBridge::Instance()->Find(w) : nullptr;
  return r ? FromHandle(r->hWnd) : nullptr;
}

BOOL CWnd::FlashWindow(BOOL bInvert) {
  if (m_pRecord && m_pRecord->widget && bInvert) QApplication::alert(m_pRecord->widget->window());
  return FALSE;
}

BOOL CWnd::FlashWindowEx(DWORD dwFlags, UINT uCount, DWORD dwTimeout) {
  if (m_pRecord && m_pRecord->widget && dwFlags != FLASHW_STOP) QApplication::alert(m_pRecord->widget->window());
  return FALSE;
}

CWnd* CWnd::WindowFromPoint(POINT point) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  QWidget* w = QApplication::widgetAt(QPoint(point.x, point.y));
  if (!w) {
    // Offscreen windows are not known to the platform's hit test: search our own windows.
    const QList<QWidget*> tops = QApplication::topLevelWidgets();
    for (auto it = tops.crbegin(); it != tops.crend() && !w; ++it) {
      QWidget* t = *it;
      if (!t->isVisible() || !t->geometry().contains(QPoint(point.x, point.y))) continue;
      QWidget* c = t->childAt(t->mapFromGlobal(QPoint(point.x, point.y)));
      w = c ? c : t;
    }
  }
  for (; w; w = w->parentWidget()) {
    if (AfxWndRecord* r = AfxWndBridge::Instance()->Find(w)) return FromHandle(r->hWnd);
  }
  return nullptr;
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const {
  if (!m_pRecord || !m_pRecord->widget) return nullptr;
  QWidget* c = m_pRecord->widget->childAt(QPoint(point.x, point.y));
  for (; c && c != m_pRecord->widget; c = c->parentWidget()) {
    if (AfxWndRecord* r = AfxWndBridge::Instance()->Find(c)) return FromHandle(r->hWnd);
  }
  return const_cast<CWnd*>(this);
}

CWnd* CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  const QString cls = ToQ(lpszClassName);
  const QString title = ToQ(lpszWindowName);
  for (QWidget* t : QApplication::topLevelWidgets()) {
    AfxWndRecord* r = AfxWndBridge::Instance()->Find(t);
    if (!r) continue;
    if (lpszClassName && r->className.compare(cls, Qt::CaseInsensitive) != 0) continue;
    if (lpszWindowName && t->windowTitle() != title) continue;
    return FromHandle(r->hWnd);
  }
  return nullptr;
}

// ---- text and font --------------------------------------------------------------------------

void CWnd::SetWindowText(LPCTSTR lpszString) {
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString ? lpszString : u""));
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
  if (!lpszStringBuf || nMaxCount <= 0) return 0;
  return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                                              reinterpret_cast<LPARAM>(lpszStringBuf)));
}

void CWnd::GetWindowText(CString& rString) const {
  const int n = GetWindowTextLength();
  std::u16string buf(static_cast<size_t>(n) + 1, u'\0');
  const int got = GetWindowText(buf.data(), n + 1);
  buf.resize(static_cast<size_t>(std::max(0, got)));
  rString = CString(buf);
}

int CWnd::GetWindowTextLength() const {
  return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH, 0, 0));
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  if (!m_pRecord) return;
  m_pRecord->pFont = pFont;
#ifdef KC_WIN_HAVE_GDI
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(AfxFontHandle(pFont)), bRedraw);
#else
  SendMessage(WM_SETFONT, 0, bRedraw);
#endif
}

CFont* CWnd::GetFont() const { return m_pRecord ? m_pRecord->pFont : nullptr; }

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
  if (CWnd* p = GetDlgItem(nID)) p->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  if (CWnd* p = GetDlgItem(nID)) p->GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
  const QString s = bSigned ? QString::number(static_cast<int>(nValue)) : QString::number(nValue);
  SetDlgItemText(nID, reinterpret_cast<LPCTSTR>(s.utf16()));
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
  CString s;
  GetDlgItemText(nID, s);
  bool ok = false;
  const QString q = s.ToQString().trimmed();
  UINT v = bSigned ? static_cast<UINT>(q.toInt(&ok)) : q.toUInt(&ok);
  if (lpTrans) *lpTrans = ok ? TRUE : FALSE;
  return ok ? v : 0;
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
  CWnd* p = GetDlgItem(nID);
  return p ? p->SendMessage(message, wParam, lParam) : 0;
}

// ---- timers ---------------------------------------------------------------------------------

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
  return m_pRecord ? AfxWndBridge::Instance()->SetTimer(m_pRecord, nIDEvent, nElapse, lpfnTimer) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
  return m_pRecord && AfxWndBridge::Instance()->KillTimer(m_pRecord, nIDEvent) ? TRUE : FALSE;
}

// ---- scroll bars ----------------------------------------------------------------------------

namespace {

int MaxScrollPos(const SCROLLINFO& si) {
  const int page = static_cast<int>(si.nPage);
  return std::max(si.nMin, si.nMax - std::max(page - 1, 0));
}

void SyncScrollBar(AfxWndRecord* rec, int bar) {
  QScrollBar* sb = rec->scrollBar[bar];
  if (!sb) return;
  const SCROLLINFO& si = rec->scroll[bar];
  const QSignalBlocker block(sb);
  sb->setRange(si.nMin, MaxScrollPos(si));
  sb->setPageStep(std::max<int>(1, static_cast<int>(si.nPage)));
  sb->setValue(si.nPos);
}

}  // namespace

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) {
  if (!m_pRecord || !m_pRecord->widget) return;
  for (int bar = 0; bar < 2; ++bar) {
    if (!(nBar == SB_BOTH || static_cast<int>(nBar) == bar)) continue;
    if (bShow && !m_pRecord->scrollBar[bar]) {
      auto* sb = new QScrollBar(bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, m_pRecord->widget);
      m_pRecord->scrollBar[bar] = sb;
      const HWND h = m_hWnd;
      const UINT msg = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
      QObject::connect(sb, &QAbstractSlider::actionTriggered, sb, [h, msg, sb, bar](int action) {
        AfxWndRecord* r = AfxWndBridge::Instance()->Find(h);
        if (!r) return;
        WORD code = SB_ENDSCROLL;
        switch (action) {
          case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
          case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
          case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
          case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
          case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
          case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
          case QAbstractSlider::SliderMove:
            r->scroll[bar].nTrackPos = sb->sliderPosition();
            code = SB_THUMBTRACK;
            break;
          default: return;
        }
        const WORD pos = code == SB_THUMBTRACK ? static_cast<WORD>(sb->sliderPosition()) : 0;
        // The window decides the new position itself (SetScrollPos); the bar stays until then.
        const int keep = r->scroll[bar].nPos;
        sb->setSliderPosition(code == SB_THUMBTRACK ? sb->sliderPosition() : keep);
        AfxWndBridge::Instance()->Call(r, msg, MAKEWPARAM(code, pos), 0);
        if (code != SB_THUMBTRACK) AfxWndBridge::Instance()->Call(r, msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
      });
      QObject::connect(sb, &QAbstractSlider::sliderReleased, sb, [h, msg, sb, bar]() {
        AfxWndRecord* r = AfxWndBridge::Instance()->Find(h);
        if (!r) return;
        const WORD pos = static_cast<WORD>(sb->sliderPosition());
        AfxWndBridge::Instance()->Call(r, msg, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
        if ((r = AfxWndBridge::Instance()->Find(h))) AfxWndBridge::Instance()->Call(r, msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
      });
      m_pRecord->scroll[bar].cbSize = sizeof(SCROLLINFO);
      SyncScrollBar(m_pRecord, bar);
    }
    m_pRecord->scrollShown[bar] = bShow != FALSE;
    if (bShow)
      m_pRecord->style |= bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    else
      m_pRecord->style &= ~static_cast<DWORD>(bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL);
  }
  AfxWndBridge::Instance()->LayoutScrollBars(m_pRecord);
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable) { ShowScrollBar(static_cast<UINT>(nBar), bEnable); }

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  if (!m_pRecord || !lpScrollInfo || nBar < 0 || nBar > 1) return FALSE;
  SCROLLINFO& si = m_pRecord->scroll[nBar];
  const UINT mask = lpScrollInfo->fMask;
  if (mask & SIF_RANGE) {
    si.nMin = lpScrollInfo->nMin;
    si.nMax = std::max(lpScrollInfo->nMin, lpScrollInfo->nMax);
  }
  if (mask & SIF_PAGE) si.nPage = std::min<UINT>(lpScrollInfo->nPage, static_cast<UINT>(si.nMax - si.nMin + 1));
  if (mask & SIF_POS) si.nPos = lpScrollInfo->nPos;
  si.nPos = std::clamp(si.nPos, si.nMin, MaxScrollPos(si));
  if (!(mask & SIF_DISABLENOSCROLL) && m_pRecord->scrollBar[nBar]) {
    // A bar whose range fits the page is not needed.
    const bool needed = si.nMax - si.nMin + 1 > static_cast<int>(si.nPage) || si.nPage == 0;
    if (needed != m_pRecord->scrollShown[nBar]) ShowScrollBar(static_cast<UINT>(nBar), needed);
  }
  SyncScrollBar(m_pRecord, nBar);
  return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
  if (!m_pRecord || !lpScrollInfo || nBar < 0 || nBar > 1) return FALSE;
  const SCROLLINFO& si = m_pRecord->scroll[nBar];
  const UINT mask = lpScrollInfo->fMask ? lpScrollInfo->fMask : nMask;
  if (mask & SIF_RANGE) {
    lpScrollInfo->nMin = si.nMin;
    lpScrollInfo->nMax = si.nMax;
  }
  if (mask & SIF_PAGE) lpScrollInfo->nPage = si.nPage;
  if (mask & SIF_POS) lpScrollInfo->nPos = si.nPos;
  if (mask & SIF_TRACKPOS) lpScrollInfo->nTrackPos = si.nTrackPos;
  return TRUE;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) {
  if (!m_pRecord || nBar < 0 || nBar > 1) return 0;
  const int old = m_pRecord->scroll[nBar].nPos;
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, nPos, 0};
  SetScrollInfo(nBar, &si, bRedraw);
  return old;
}

int CWnd::GetScrollPos(int nBar) const {
  return m_pRecord && nBar >= 0 && nBar <= 1 ? m_pRecord->scroll[nBar].nPos : 0;
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
  SetScrollInfo(nBar, &si, bRedraw);
}

void CWnd::GetScrollRange(int nBar, int* lpMinPos, int* lpMaxPos) const {
  if (!m_pRecord || nBar < 0 || nBar > 1) return;
  if (lpMinPos) *lpMinPos = m_pRecord->scroll[nBar].nMin;
  if (lpMaxPos) *lpMaxPos = m_pRecord->scroll[nBar].nMax;
}

int CWnd::GetScrollLimit(int nBar) {
  return m_pRecord && nBar >= 0 && nBar <= 1 ? MaxScrollPos(m_pRecord->scroll[nBar]) : 0;
}

// ---- misc -----------------------------------------------------------------------------------

void CWnd::DragAcceptFiles(BOOL bAccept) {
  if (!m_pRecord || !m_pRecord->widget) return;
  m_pRecord->acceptFiles = bAccept != FALSE;
  m_pRecord->widget->setAcceptDrops(bAccept != FALSE);
}

void CWnd::DoDataExchange(CDataExchange*) {}

namespace {
BOOL (*g_pfnUpdateData)(CWnd*, BOOL) = nullptr;
}

void AfxSetUpdateDataHandler(BOOL (*pfn)(CWnd*, BOOL)) { g_pfnUpdateData = pfn; }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  return g_pfnUpdateData ? g_pfnUpdateData(this, bSaveAndValidate) : TRUE;
}

BOOL CWnd::ContinueModal() { return m_bModalRunning; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  m_bModalRunning = FALSE;
  if (m_pModalLoop) m_pModalLoop->exit(nResult);
}

int CWnd::RunModalLoop(DWORD) {
  m_bModalRunning = TRUE;
  const HWND h = m_hWnd;
  if (!IsWindow(h) || !QCoreApplication::instance()) {
    m_bModalRunning = FALSE;
    return m_nModalResult;
  }
  QEventLoop loop;
  QEventLoop* outer = m_pModalLoop;
  m_pModalLoop = &loop;
  // Each time the queue runs dry: the loop ends when the window has gone or no longer wants
  // to stay modal. The window is checked first; its object may have gone with it.
  QMetaObject::Connection check;
  if (QAbstractEventDispatcher* disp = QAbstractEventDispatcher::instance()) {
    check = QObject::connect(disp, &QAbstractEventDispatcher::aboutToBlock, &loop, [this, h, &loop]() {
      if (!IsWindow(h) || !ContinueModal()) loop.exit(0);
    });
  }
  if (ContinueModal()) loop.exec(QEventLoop::DialogExec);
  QObject::disconnect(check);
  m_pModalLoop = outer;
  m_bModalRunning = FALSE;
  return m_nModalResult;
}

CMenu* CWnd::GetMenu() const { return m_pRecord ? m_pRecord->pMenu : nullptr; }

BOOL CWnd::SetMenu(CMenu* pMenu) {
  if (!m_pRecord) return FALSE;
  m_pRecord->pMenu = pMenu;
  return TRUE;
}

void CWnd::DrawMenuBar() {}
CMenu* CWnd::GetSystemMenu(BOOL) const { return nullptr; }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? 1 : 0, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
  if (!m_pRecord) return nullptr;
  return bBigIcon ? m_pRecord->hIconBig : m_pRecord->hIconSmall;
}

// ---- the Qt side ----------------------------------------------------------------------------

QWidget* CWnd::GetQWidget() const { return m_pRecord ? m_pRecord->widget.data() : nullptr; }

BOOL CWnd::IsInPaint() const { return m_pRecord && m_pRecord->inPaint; }

QPainter* CWnd::GetPaintPainter() {
  if (!m_pRecord || !m_pRecord->inPaint || !m_pRecord->widget) return nullptr;
  if (!m_pRecord->painter) m_pRecord->painter = new QPainter(m_pRecord->widget);
  return m_pRecord->painter;
}

CRect CWnd::GetPaintRect() const {
  if (!m_pRecord || !m_pRecord->inPaint || !m_pRecord->paintRect) return CRect();
  const QRect& r = *m_pRecord->paintRect;
  return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

CWnd* CWnd::FromQWidget(const QWidget* pWidget) {
  AfxWndRecord* r = AfxWndBridge::Instance()->Find(pWidget);
  return r ? FromHandle(r->hWnd) : nullptr;
}

HWND CWnd::HwndFromQWidget(QWidget* pWidget, BOOL bCreate) {
  if (!pWidget) return nullptr;
  if (AfxWndRecord* r = AfxWndBridge::Instance()->Find(pWidget)) return r->hWnd;
  if (!bCreate) return nullptr;
  auto rec = AfxWndBridge::Instance()->Register(pWidget);
  rec->style = pWidget->isWindow() ? WS_POPUP : WS_CHILD;
  rec->className = QString::fromLatin1(pWidget->metaObject()->className());
  return rec->hWnd;
}

QWidget* CWnd::QWidgetFromHwnd(HWND hWnd) {
  AfxWndRecord* r = AfxWndBridge::Instance()->Find(hWnd);
  return r ? r->widget.data() : nullptr;
}

void CWnd::RegisterWidgetClass(LPCTSTR lpszClassName, AFX_WIDGET_FACTORY pfnFactory) {
  const QString key = ToQ(lpszClassName).toUpper();
  if (pfnFactory)
    AfxWndBridge::Instance()->factories.insert(key, pfnFactory);
  else
    AfxWndBridge::Instance()->factories.remove(key);
}

// ---- default handlers -----------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseHWheel(UINT, short, CPoint) { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT) { Default(); }
