#include "platform/win/AfxControlWidget.h"

#include <QtCore/QHash>
#include <QtCore/QRect>
#include <QtGui/QPainter>
#include <QtWidgets/QFrame>
#include <QtWidgets/QWidget>

#include "platform/gdi/CDC.h"
#include "platform/win/AfxControlWnd.h"
#include "platform/win/AfxWndBridge.h"

AfxControlWidget::~AfxControlWidget() = default;

AfxControlWidget* AfxControlWidget::Of(QWidget* pWidget) { return dynamic_cast<AfxControlWidget*>(pWidget); }

AfxControlWidget* AfxControlWidget::Of(HWND hWnd) { return Of(CWnd::QWidgetFromHwnd(hWnd)); }

HWND AfxControlWidget::Handle() { return CWnd::HwndFromQWidget(Widget(), FALSE); }

UINT AfxControlWidget::ControlId() { return static_cast<UINT>(::GetDlgCtrlID(Handle())); }

DWORD AfxControlWidget::Style() {
  AfxWndRecord* rec = AfxWndBridge::Instance()->Find(Handle());
  return rec ? rec->style : 0;
}

void AfxControlWidget::NotifyCommand(UINT nCode) {
  HWND h = Handle();
  HWND parent = ::GetParent(h);
  if (!h || !parent) return;
  ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(ControlId(), nCode), reinterpret_cast<LPARAM>(h));
}

LRESULT AfxControlWidget::NotifyParent(NMHDR* pHdr, UINT nCode) {
  HWND h = Handle();
  HWND parent = ::GetParent(h);
  if (!h || !parent || !pHdr) return 0;
  pHdr->hwndFrom = h;
  pHdr->idFrom = ControlId();
  pHdr->code = nCode;
  return ::SendMessage(parent, WM_NOTIFY, pHdr->idFrom, reinterpret_cast<LPARAM>(pHdr));
}

LRESULT AfxControlWidget::SendOwnerMessage(UINT message, void* pStruct) {
  HWND h = Handle();
  CWnd* parent = CWnd::FromHandle(::GetParent(h));
  const WPARAM id = ControlId();
  if (parent && parent->FindMessageEntry(message, 0, 0)) {
    return parent->SendMessage(message, id, reinterpret_cast<LPARAM>(pStruct));
  }
  // Nobody above handles it: the control's own object does (DrawItem, MeasureItem ...).
  if (CWnd* self = CWnd::FromHandlePermanent(h)) {
    LRESULT r = 0;
    if (self->OnChildNotify(message, id, reinterpret_cast<LPARAM>(pStruct), &r)) return r;
  }
  return 0;
}

void AfxControlWidget::DrawOwnerItem(QPainter* pPainter, UINT ctlType, UINT itemID, UINT action, UINT state,
                                     const QRect& rect, ULONG_PTR itemData) {
  if (!pPainter) return;
  CDC dc;
  RECT paint{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
  pPainter->save();
  if (!dc.CreateFromPainter(pPainter, &paint)) {
    pPainter->restore();
    return;
  }
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ctlType;
  dis.CtlID = ControlId();
  dis.itemID = itemID;
  dis.itemAction = action;
  dis.itemState = state;
  dis.hwndItem = Handle();
  dis.hDC = dc.GetSafeHdc();
  dis.rcItem = paint;
  dis.itemData = itemData;
  SendOwnerMessage(WM_DRAWITEM, &dis);
  dc.DeleteDC();
  pPainter->restore();
}

namespace {
// The message AfxControlMessage last left to the default processing, so that CWnd's default
// processing, which runs next, does not offer it to the control a second time.
struct DeclinedMessage {
  CWnd* pWnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};
thread_local DeclinedMessage g_declined;
}  // namespace

bool AfxControlMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!pWnd) return false;
  AfxControlWidget* c = AfxControlWidget::Of(pWnd->GetQWidget());
  if (!c) return false;
  if (message == WM_GETDLGCODE) {
    result = c->DialogCode();
    return true;
  }
  if (message == WM_CREATE) {
    // Controls paint their own background, with the style's rounded and clear parts.
    c->Widget()->setAttribute(Qt::WA_OpaquePaintEvent, false);
    c->Widget()->setMouseTracking(false);
    // The text given at creation goes through the control's own text handling.
    const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    LRESULT ignored = 0;
    if (cs && cs->lpszName) c->ControlMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cs->lpszName), ignored);
    // The sunken edges of the extended styles.
    if (auto* frame = qobject_cast<QFrame*>(c->Widget()); frame && cs && (cs->dwExStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)))
      frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    c->Created();
  }
  if (c->ControlMessage(message, wParam, lParam, result)) return true;
  g_declined = DeclinedMessage{pWnd, message, wParam, lParam};
  return false;
}

bool AfxControlDefault(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const DeclinedMessage last = g_declined;
  g_declined = DeclinedMessage{};
  // A control class's DefWindowProc has just asked and been told no: not again.
  if (last.pWnd == pWnd && last.message == message && last.wParam == wParam && last.lParam == lParam) return false;
  const bool answered = AfxControlMessage(pWnd, message, wParam, lParam, result);
  g_declined = DeclinedMessage{};
  return answered;
}

LRESULT AfxControlWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void AfxRegisterControlClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  AfxRegisterButtonClass();
  AfxRegisterEditClass();
  AfxRegisterStaticClass();
  AfxRegisterComboBoxClass();
  AfxRegisterListBoxClass();
  AfxRegisterSpinClass();
  AfxRegisterMoreControlClasses();
}

namespace {
QHash<QString, AFX_CONTROL_OBJECT_FACTORY>& ObjectFactories() {
  static QHash<QString, AFX_CONTROL_OBJECT_FACTORY> table;
  return table;
}
}  // namespace

void AfxRegisterControlObject(LPCTSTR lpszClassName, AFX_CONTROL_OBJECT_FACTORY pfnMake) {
  const QString key = QString::fromUtf16(lpszClassName).toUpper();
  if (pfnMake)
    ObjectFactories().insert(key, pfnMake);
  else
    ObjectFactories().remove(key);
}

CWnd* AfxMakeControlObject(LPCTSTR lpszClassName) {
  AfxRegisterControlClasses();
  const QString key = lpszClassName ? QString::fromUtf16(lpszClassName).toUpper() : QString();
  if (AFX_CONTROL_OBJECT_FACTORY f = ObjectFactories().value(key, nullptr)) return f();
  return new AfxControlWnd;
}

HWND AfxCreateControl(LPCTSTR lpszClass, LPCTSTR lpszText, DWORD dwStyle, DWORD dwExStyle, const RECT& rect,
                      CWnd* pParent, UINT nID) {
  AfxRegisterControlClasses();
  if (!pParent || !pParent->GetSafeHwnd()) return nullptr;
  CWnd* p = AfxMakeControlObject(lpszClass);
  if (!p->CreateEx(dwExStyle, lpszClass, lpszText, dwStyle | WS_CHILD, rect, pParent, nID)) {
    if (p->GetSafeHwnd()) p->DestroyWindow();
    delete p;
    return nullptr;
  }
  HWND h = p->GetSafeHwnd();
  // Handed out like the object FromHandle makes: a program's object may subclass the
  // control later and this one goes away with the window.
  if (AfxWndRecord* rec = AfxWndBridge::Instance()->Find(h)) rec->wrapper = true;
  return h;
}

namespace {
// The classes are known as soon as the library is loaded, for code that creates controls by
// class name through CWnd::Create.
struct ControlClassRegistrar {
  ControlClassRegistrar() { AfxRegisterControlClasses(); }
} g_registrar;
}  // namespace

#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>

#include <set>

#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CBitmap.h"

namespace {

// Icons made from pictures: their handles point at these, and only live ones are believed.
struct CreatedIcon {
  QPixmap pixmap;
};
std::set<const CreatedIcon*>& CreatedIcons() {
  static std::set<const CreatedIcon*> icons;
  return icons;
}

}  // namespace

HICON AfxCreateIconFromPixmap(const QPixmap& pixmap) {
  if (pixmap.isNull()) return nullptr;
  auto* icon = new CreatedIcon{pixmap};
  CreatedIcons().insert(icon);
  return reinterpret_cast<HICON>(icon);
}

BOOL AfxDestroyCreatedIcon(HICON hIcon) {
  auto* icon = reinterpret_cast<const CreatedIcon*>(hIcon);
  if (!CreatedIcons().erase(icon)) return FALSE;
  delete icon;
  return TRUE;
}

QPixmap AfxPixmapFromIcon(HICON hIcon) {
  const auto n = reinterpret_cast<UINT_PTR>(hIcon);
  if (n == 0) return QPixmap();
  if (auto it = CreatedIcons().find(reinterpret_cast<const CreatedIcon*>(hIcon)); it != CreatedIcons().end())
    return (*it)->pixmap;
  QStyle* st = QApplication::style();
  switch (n) {
    case 32513: return st->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32);
    case 32514: return st->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32);
    case 32515: return st->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32);
    case 32516: return st->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32);
    case 32512: return st->standardIcon(QStyle::SP_DesktopIcon).pixmap(32, 32);
    default: break;
  }
  if (n > 0xFFFF) return QPixmap();
  std::vector<BYTE> data;
  if (!AfxFindResourceData("ICON", static_cast<UINT>(n), data) || data.empty()) return QPixmap();
  QPixmap pm;
  pm.loadFromData(data.data(), static_cast<uint>(data.size()));
  return pm;
}

QPixmap AfxPixmapFromBitmap(HBITMAP hBitmap) {
  if (!hBitmap) return QPixmap();
  CBitmap* b = CBitmap::FromHandle(hBitmap);
  return b ? QPixmap::fromImage(b->GetImage()) : QPixmap();
}

QList<QWidget*> AfxControlGroup(QWidget* pWidget) {
  QList<QWidget*> group;
  if (!pWidget || !pWidget->parentWidget()) return group;
  QList<QWidget*> siblings;
  for (QObject* o : pWidget->parentWidget()->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w && !w->isWindow() && AfxWndBridge::Instance()->Find(w)) siblings.append(w);
  }
  const qsizetype at = siblings.indexOf(pWidget);
  if (at < 0) return group;
  auto styleOf = [](QWidget* w) {
    AfxWndRecord* r = AfxWndBridge::Instance()->Find(w);
    return r ? r->style : 0;
  };
  qsizetype first = at;
  while (first > 0 && !(styleOf(siblings[first]) & WS_GROUP)) --first;
  for (qsizetype i = first; i < siblings.size(); ++i) {
    if (i > first && (styleOf(siblings[i]) & WS_GROUP)) break;
    group.append(siblings[i]);
  }
  return group;
}

HWND AfxAdoptControlWidget(QWidget* pWidget, UINT nID, LPCTSTR lpszClass) {
  if (!pWidget) return nullptr;
  AfxWndBridge* b = AfxWndBridge::Instance();
  if (AfxWndRecord* r = b->Find(pWidget)) return r->hWnd;
  auto rec = b->Register(pWidget);
  rec->style = WS_CHILD | WS_VISIBLE;
  rec->id = nID;
  rec->className = lpszClass ? QString::fromUtf16(lpszClass) : QString();
  CWnd* p = AfxMakeControlObject(lpszClass);
  b->Attach(rec.get(), p);
  rec->wrapper = true;
  return rec->hWnd;
}

QWidget* AfxMakeControlWidget(LPCTSTR lpszClass, QWidget* pParent, DWORD dwStyle) {
  AfxRegisterControlClasses();
  const QString cls = lpszClass ? QString::fromUtf16(lpszClass).toUpper() : QString();
  AFX_WIDGET_FACTORY f = AfxWndBridge::Instance()->factories.value(cls, nullptr);
  return f ? f(pParent, dwStyle, 0) : nullptr;
}
