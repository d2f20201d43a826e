// The window functions that code calls on bare handles, key state and cursors.

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtGui/QStyleHints>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <array>
#include <map>

#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CWinThread.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"

namespace {
AfxWndBridge* Bridge() { return AfxWndBridge::Instance(); }
}

BOOL IsWindow(HWND hWnd) { return hWnd && Bridge()->Find(hWnd) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND hWnd) {
  CWnd* p = CWnd::FromHandle(hWnd);
  return p ? p->IsWindowVisible() : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
  CWnd* p = CWnd::FromHandle(hWnd);
  return p ? p->IsWindowEnabled() : FALSE;
}

HWND GetParent(HWND hWnd) {
  CWnd* p = CWnd::FromHandle(hWnd);
  CWnd* parent = p ? p->GetParent() : nullptr;
  return parent ? parent->GetSafeHwnd() : nullptr;
}

HWND GetFocus() {
  CWnd* p = CWnd::GetFocus();
  return p ? p->GetSafeHwnd() : nullptr;
}

HWND SetFocus(HWND hWnd) {
  HWND old = GetFocus();
  if (CWnd* p = CWnd::FromHandle(hWnd)) p->SetFocus();
  return old;
}

HWND GetCapture() { return Bridge()->capture; }

HWND SetCapture(HWND hWnd) {
  HWND old = Bridge()->capture;
  AfxWndRecord* rec = Bridge()->Find(hWnd);
  if (!rec) return old;
  if (old == hWnd) return old;
  if (AfxWndRecord* o = Bridge()->Find(old)) {
    Bridge()->capture = nullptr;
    if (o->widget) o->widget->releaseMouse();
    Bridge()->Call(o, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  }
  if (!Bridge()->Find(hWnd)) return old;
  Bridge()->capture = hWnd;
  // Qt's own grab brings moves from outside our windows where the platform allows it.
  if (rec->widget && rec->widget->isVisible()) rec->widget->grabMouse();
  return old;
}

BOOL ReleaseCapture() {
  HWND old = Bridge()->capture;
  if (!old) return TRUE;
  Bridge()->capture = nullptr;
  if (AfxWndRecord* o = Bridge()->Find(old)) {
    if (o->widget) o->widget->releaseMouse();
    Bridge()->Call(o, WM_CAPTURECHANGED, 0, 0);
  }
  return TRUE;
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  AfxWndRecord* rec = Bridge()->Find(hWnd);
  return rec ? Bridge()->Call(rec, message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Bridge()->Post(hWnd, message, wParam, lParam) ? TRUE : FALSE;
}

void PostQuitMessage(int nExitCode) {
  if (CWinThread* t = AfxGetThread()) {
    t->m_bQuitRequested = TRUE;
    t->m_nExitCode = nExitCode;
  }
  Bridge()->Post(nullptr, WM_QUIT, static_cast<WPARAM>(nExitCode), 0);
}

UINT RegisterWindowMessage(LPCTSTR lpString) {
  if (!lpString || !*lpString) return 0;
  auto& names = Bridge()->registeredMessages;
  const std::u16string name(lpString);
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<UINT>(KC_FIRST_REGISTERED_MESSAGE + i);
  if (names.size() >= 0x3FFF) return 0;
  names.push_back(name);
  return static_cast<UINT>(KC_FIRST_REGISTERED_MESSAGE + names.size() - 1);
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
  if (!lpEventTrack) return FALSE;
  AfxWndRecord* rec = Bridge()->Find(lpEventTrack->hwndTrack);
  if (!rec || !rec->widget) return FALSE;
  if (lpEventTrack->dwFlags & TME_CANCEL) {
    rec->trackFlags &= ~(lpEventTrack->dwFlags & (TME_HOVER | TME_LEAVE));
    if (rec->hoverTimer && !(rec->trackFlags & TME_HOVER)) rec->hoverTimer->stop();
    return TRUE;
  }
  rec->trackFlags |= lpEventTrack->dwFlags & (TME_HOVER | TME_LEAVE);
  if (lpEventTrack->dwFlags & TME_HOVER) {
    rec->hoverTime = lpEventTrack->dwHoverTime == HOVER_DEFAULT ? 400 : lpEventTrack->dwHoverTime;
    if (!rec->hoverTimer) {
      rec->hoverTimer = new QTimer(rec->widget);
      rec->hoverTimer->setSingleShot(true);
      const HWND h = rec->hWnd;
      QObject::connect(rec->hoverTimer, &QTimer::timeout, rec->hoverTimer, [h] {
        AfxWndRecord* r = AfxWndBridge::Instance()->Find(h);
        if (!r || !(r->trackFlags & TME_HOVER)) return;
        r->trackFlags &= ~TME_HOVER;
        const WPARAM flags = AfxMouseKeyFlags(QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
        AfxWndBridge::Instance()->Post(h, WM_MOUSEHOVER, flags,
                                       MAKELPARAM(static_cast<WORD>(r->lastMousePos.x()), static_cast<WORD>(r->lastMousePos.y())));
      });
    }
    rec->hoverTimer->start(static_cast<int>(rec->hoverTime));
  }
  // Leaving is only noticed when the pointer is inside now; otherwise it has already left.
  if ((lpEventTrack->dwFlags & TME_LEAVE) && !rec->widget->underMouse() && rec->widget->isVisible() &&
      QGuiApplication::platformName() != QLatin1String("offscreen")) {
    rec->trackFlags &= ~TME_LEAVE;
    Bridge()->Post(rec->hWnd, WM_MOUSELEAVE, 0, 0);
  }
  return TRUE;
}

BOOL GetCursorPos(LPPOINT lpPoint) {
  if (!lpPoint) return FALSE;
  const QPoint p = QCursor::pos();
  lpPoint->x = p.x();
  lpPoint->y = p.y();
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  QCursor::setPos(x, y);
  return TRUE;
}

int GetDlgCtrlID(HWND hWnd) {
  CWnd* p = CWnd::FromHandle(hWnd);
  return p ? p->GetDlgCtrlID() : 0;
}

HWND GetDlgItem(HWND hDlg, int nID) {
  CWnd* p = CWnd::FromHandle(hDlg);
  HWND h = nullptr;
  if (p) p->GetDlgItem(nID, &h);
  return h;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
  CWnd* p = CWnd::FromHandle(hWnd);
  return p ? p->EnableWindow(bEnable) : FALSE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
  CWnd* p = CWnd::FromHandle(hWnd);
  return p ? p->ShowWindow(nCmdShow) : FALSE;
}

BOOL DestroyWindow(HWND hWnd) {
  CWnd* p = CWnd::FromHandle(hWnd);
  return p ? p->DestroyWindow() : FALSE;
}

BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL bErase) {
  CWnd* p = CWnd::FromHandle(hWnd);
  if (!p) return FALSE;
  p->InvalidateRect(lpRect, bErase);
  return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
  CWnd* p = CWnd::FromHandle(hWnd);
  if (!p) return FALSE;
  p->UpdateWindow();
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
  CWnd* p = CWnd::FromHandle(hWnd);
  if (!p) return FALSE;
  p->GetClientRect(lpRect);
  return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
  CWnd* p = CWnd::FromHandle(hWnd);
  if (!p) return FALSE;
  p->GetWindowRect(lpRect);
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  CWnd* p = CWnd::FromHandle(hWnd);
  if (!p) return FALSE;
  p->ScreenToClient(lpPoint);
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  CWnd* p = CWnd::FromHandle(hWnd);
  if (!p) return FALSE;
  p->ClientToScreen(lpPoint);
  return TRUE;
}

HWND WindowFromPoint(POINT point) {
  CWnd* p = CWnd::WindowFromPoint(point);
  return p ? p->GetSafeHwnd() : nullptr;
}

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex) {
  AfxWndRecord* rec = Bridge()->Find(hWnd);
  if (!rec) return 0;
  switch (nIndex) {
    case GWL_STYLE: {
      CWnd* p = CWnd::FromHandle(hWnd);
      return static_cast<LONG_PTR>(static_cast<LONG>(p ? p->GetStyle() : rec->style));
    }
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(rec->exStyle));
    case GWLP_ID: return static_cast<LONG_PTR>(rec->id);
    case GWLP_USERDATA: return rec->userData;
    default: return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  AfxWndRecord* rec = Bridge()->Find(hWnd);
  if (!rec) return 0;
  const LONG_PTR old = GetWindowLongPtr(hWnd, nIndex);
  switch (nIndex) {
    case GWL_STYLE: {
      const DWORD now = static_cast<DWORD>(dwNewLong);
      const DWORD before = static_cast<DWORD>(old);
      CWnd::ModifyStyle(hWnd, before & ~now, now & ~before, 0);
      break;
    }
    case GWL_EXSTYLE: rec->exStyle = static_cast<DWORD>(dwNewLong); break;
    case GWLP_ID: rec->id = static_cast<UINT>(dwNewLong); break;
    case GWLP_USERDATA: rec->userData = dwNewLong; break;
    default: break;
  }
  return old;
}

LONG GetWindowLong(HWND hWnd, int nIndex) { return static_cast<LONG>(GetWindowLongPtr(hWnd, nIndex)); }
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong) {
  return static_cast<LONG>(SetWindowLongPtr(hWnd, nIndex, dwNewLong));
}

int GetClassName(HWND hWnd, LPTSTR lpClassName, int nMaxCount) {
  AfxWndRecord* rec = Bridge()->Find(hWnd);
  if (!rec || !lpClassName || nMaxCount <= 0) return 0;
  const int n = std::min<int>(rec->className.size(), nMaxCount - 1);
  for (int i = 0; i < n; ++i) lpClassName[i] = rec->className.at(i).unicode();
  lpClassName[n] = 0;
  return n;
}

DWORD GetMessageTime() { return Bridge()->lastMessageTime; }

DWORD GetMessagePos() {
  const POINT p = Bridge()->lastMessagePos;
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

UINT GetDoubleClickTime() {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return static_cast<UINT>(app->styleHints()->mouseDoubleClickInterval());
  return 500;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  // Names are kept for the life of the program, one per distinct combination.
  auto& names = Bridge()->registeredClasses;
  QString name = QStringLiteral("KcWnd:%1:%2:%3:%4")
                     .arg(nClassStyle, 0, 16)
                     .arg(reinterpret_cast<quintptr>(hCursor), 0, 16)
                     .arg(reinterpret_cast<quintptr>(hbrBackground), 0, 16)
                     .arg(reinterpret_cast<quintptr>(hIcon), 0, 16);
  const std::u16string n = name.toStdU16String();
  for (const auto& s : names)
    if (s == n) return s.c_str();
  names.push_back(n);
  return names.back().c_str();
}

// ---- key state ------------------------------------------------------------------------------

namespace {
std::array<BYTE, 256>& KeyTable() {
  static std::array<BYTE, 256> t{};
  return t;
}
}  // namespace

void AfxNoteKeyState(UINT vk, bool down) {
  if (vk >= 256) return;
  BYTE& b = KeyTable()[vk];
  if (down) {
    if (!(b & 0x80)) b ^= 0x01;  // toggles on each press
    b |= 0x80;
  } else {
    b &= static_cast<BYTE>(~0x80);
  }
}

namespace {
bool ModifierDown(int vk, Qt::KeyboardModifiers mods) {
  switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: return mods & Qt::ShiftModifier;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return mods & Qt::ControlModifier;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return mods & Qt::AltModifier;
    default: return false;
  }
}
bool IsModifier(int vk) {
  switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
      return true;
    default:
      return false;
  }
}
}  // namespace

SHORT GetKeyState(int nVirtKey) {
  if (nVirtKey < 0 || nVirtKey >= 256) return 0;
  const BYTE b = KeyTable()[nVirtKey];
  bool down = b & 0x80;
  // Modifiers follow the state of the input being handled, as Qt reports it.
  if (IsModifier(nVirtKey) && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    down = ModifierDown(nVirtKey, QGuiApplication::keyboardModifiers()) || down;
  return static_cast<SHORT>((down ? 0x8000 : 0) | (b & 0x01));
}

SHORT GetAsyncKeyState(int vKey) {
  if (vKey < 0 || vKey >= 256) return 0;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (IsModifier(vKey)) return ModifierDown(vKey, QGuiApplication::queryKeyboardModifiers()) ? SHORT(0x8000) : 0;
    const Qt::MouseButtons mb = QGuiApplication::mouseButtons();
    if (vKey == VK_LBUTTON) return (mb & Qt::LeftButton) ? SHORT(0x8000) : 0;
    if (vKey == VK_RBUTTON) return (mb & Qt::RightButton) ? SHORT(0x8000) : 0;
    if (vKey == VK_MBUTTON) return (mb & Qt::MiddleButton) ? SHORT(0x8000) : 0;
  }
  return (KeyTable()[vKey] & 0x80) ? SHORT(0x8000) : 0;
}

BOOL GetKeyboardState(BYTE* lpKeyState) {
  if (!lpKeyState) return FALSE;
  for (int i = 0; i < 256; ++i) {
    const SHORT s = GetKeyState(i);
    lpKeyState[i] = static_cast<BYTE>(((s & 0x8000) ? 0x80 : 0) | (s & 0x01));
  }
  return TRUE;
}

// ---- cursors --------------------------------------------------------------------------------

struct HCURSOR__ {
  QCursor cursor;
  UINT standardId = 0;  // IDC_ number, 0 for a resource cursor
  UINT resourceId = 0;
  bool blank = false;
};

namespace {

HCURSOR g_current = nullptr;
int g_showCount = 0;

Qt::CursorShape ShapeOf(UINT id) {
  switch (id) {
    case 32513: return Qt::IBeamCursor;
    case 32514: return Qt::WaitCursor;
    case 32515: return Qt::CrossCursor;
    case 32516: return Qt::UpArrowCursor;
    case 32642: return Qt::SizeFDiagCursor;
    case 32643: return Qt::SizeBDiagCursor;
    case 32644: return Qt::SizeHorCursor;
    case 32645: return Qt::SizeVerCursor;
    case 32646: return Qt::SizeAllCursor;
    case 32648: return Qt::ForbiddenCursor;
    case 32649: return Qt::PointingHandCursor;
    case 32650: return Qt::BusyCursor;
    case 32651: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
  }
}

// The window whose cursor a SetCursor call sets: the capture, the one asking in WM_SETCURSOR,
// else the one under the pointer.
QWidget* CursorWidget() {
  if (AfxWndRecord* c = AfxWndBridge::Instance()->Find(AfxWndBridge::Instance()->capture)) return c->widget;
  if (AfxMsgFrame* f = AfxWndBridge::Instance()->Current()) {
    if (f->rec && f->rec->widget) return f->rec->widget;
  }
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return QApplication::widgetAt(QCursor::pos());
  return nullptr;
}

}  // namespace

// ---- icons ----------------------------------------------------------------------------------

namespace {

// Icons are handed around as numbers (a resource or a standard IDI_ icon); the painting layer
// asks here what one looks like.
bool IconImage(HICON hIcon, int cx, int cy, QImage& out) {
  if (!QCoreApplication::instance()) return false;
  const QPixmap pm = AfxPixmapFromIcon(hIcon);
  if (pm.isNull()) return false;
  out = pm.toImage();
  if (cx > 0 && cy > 0 && out.size() != QSize(cx, cy))
    out = out.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return true;
}

[[maybe_unused]] const bool kIconProviderSet = (AfxSetIconImageProvider(&IconImage), true);

}  // namespace

HICON LoadIcon(HINSTANCE hInstance, LPCTSTR lpIconName) {
  if (!IS_INTRESOURCE(lpIconName)) return nullptr;
  const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpIconName));
  if (!hInstance) return id >= 32512 && id <= 32516 ? reinterpret_cast<HICON>(static_cast<UINT_PTR>(id)) : nullptr;
  std::vector<BYTE> data;
  if (id == 0 || !AfxFindResourceData("ICON", id, data) || data.empty()) return nullptr;
  return reinterpret_cast<HICON>(static_cast<UINT_PTR>(id));
}

// Resource and standard icons are shared numbers with nothing to free; icons made from pictures go.
BOOL DestroyIcon(HICON hIcon) {
  AfxDestroyCreatedIcon(hIcon);
  return TRUE;
}

namespace {
HANDLE NewBitmap(const QImage& img) {
  if (img.isNull()) return nullptr;
  CBitmap bmp;
  if (!bmp.CreateFromImage(img)) return nullptr;
  return bmp.Detach();
}
}  // namespace

HANDLE LoadImage(HINSTANCE hInst, LPCTSTR name, UINT type, int, int, UINT fuLoad) {
  if (!name) return nullptr;
  if (type == IMAGE_ICON) return LoadIcon(hInst, name);
  if (type == IMAGE_CURSOR) return LoadCursor(hInst, name);
  if (type != IMAGE_BITMAP) return nullptr;
  if (fuLoad & LR_LOADFROMFILE) {
    if (IS_INTRESOURCE(name)) return nullptr;
    QFile f(QString::fromUtf16(name));
    if (!f.open(QIODevice::ReadOnly) || f.size() > (qint64(1) << 30)) return nullptr;
    const QByteArray bytes = f.readAll();
    CBitmap bmp;
    if (!bmp.LoadFromData(std::vector<BYTE>(bytes.begin(), bytes.end()))) return nullptr;
    return bmp.Detach();
  }
  if (!IS_INTRESOURCE(name)) return nullptr;
  CBitmap bmp;
  if (!bmp.LoadBitmap(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)))) return nullptr;
  return bmp.Detach();
}

HANDLE CopyImage(HANDLE h, UINT type, int cx, int cy, UINT flags) {
  if (!h) return nullptr;
  if (type == IMAGE_ICON || type == IMAGE_CURSOR) return h;  // shared, never changed
  if (type != IMAGE_BITMAP) return nullptr;
  CBitmap* src = CBitmap::FromHandle(static_cast<HBITMAP>(h));
  const QImage img = src ? src->GetImage() : QImage();
  if (img.isNull()) return nullptr;
  const bool resize = cx > 0 && cy > 0 && QSize(cx, cy) != img.size();
  if (!resize && (flags & LR_COPYRETURNORG)) return h;
  HANDLE copy = NewBitmap(resize ? img.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : img);
  if (copy && (flags & LR_COPYDELETEORG)) ::DeleteObject(static_cast<HGDIOBJ>(h));
  return copy;
}

HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName) {
  if (!IS_INTRESOURCE(lpCursorName)) return nullptr;
  const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpCursorName));
  if (hInstance) return AfxLoadCursorResource(id);
  if (id < 32512 || id > 32651) return nullptr;
  // Shared for the life of the program (never destroyed, so still reachable at exit).
  static auto* standard = new std::map<UINT, HCURSOR__*>;
  auto it = standard->find(id);
  if (it != standard->end()) return it->second;
  auto* c = new HCURSOR__;
  c->cursor = QCursor(ShapeOf(id));
  c->standardId = id;
  (*standard)[id] = c;
  return c;
}

HCURSOR AfxLoadCursorResource(UINT nID) {
  static auto* loaded = new std::map<UINT, HCURSOR__*>;
  auto it = loaded->find(nID);
  if (it != loaded->end()) return it->second;
  std::vector<BYTE> data;
  if (!AfxFindResourceData("CURSOR", nID, data) || data.empty()) return nullptr;
  QImage img;
  if (!img.loadFromData(data.data(), static_cast<int>(data.size()))) return nullptr;
  int hx = img.width() / 2;
  int hy = img.height() / 2;
  const QString hot = img.text(QStringLiteral("hotspot"));
  const QStringList parts = hot.split(QLatin1Char(','));
  if (parts.size() == 2) {
    bool okx = false, oky = false;
    const int x = parts[0].trimmed().toInt(&okx);
    const int y = parts[1].trimmed().toInt(&oky);
    if (okx && oky && x >= 0 && y >= 0 && x < img.width() && y < img.height()) {
      hx = x;
      hy = y;
    }
  }
  auto* c = new HCURSOR__;
  c->cursor = QCursor(QPixmap::fromImage(img), hx, hy);
  c->resourceId = nID;
  (*loaded)[nID] = c;
  return c;
}

HCURSOR SetCursor(HCURSOR hCursor) {
  HCURSOR old = g_current;
  g_current = hCursor;
  if (QWidget* w = CursorWidget()) {
    if (hCursor)
      w->setCursor(hCursor->cursor);
    else
      w->setCursor(QCursor(Qt::BlankCursor));
  }
  return old;
}

HCURSOR GetCursor() { return g_current; }

int ShowCursor(BOOL bShow) {
  g_showCount += bShow ? 1 : -1;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (!bShow && g_showCount == -1) QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    if (bShow && g_showCount == 0 && QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
  return g_showCount;
}

BOOL DestroyCursor(HCURSOR) { return TRUE; }  // cursors are shared and live as long as the program
HCURSOR CopyCursor(HCURSOR hCursor) { return hCursor; }
UINT AfxGetStandardCursorId(HCURSOR hCursor) { return hCursor ? hCursor->standardId : 0; }
