#include "platform/win/WinSystem.h"

#include <QtGui/QFont>
#include <QtGui/QFontDatabase>
#include <QtGui/QFontInfo>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtGui/QStyleHints>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/win/AfxWndBridge.h"
#include "platform/win/WinInput.h"

namespace {

bool HaveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QStyle* Style() { return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr; }

int Metric(QStyle::PixelMetric m, int fallback) {
  QStyle* st = Style();
  const int v = st ? st->pixelMetric(m) : -1;
  return v > 0 ? v : fallback;
}

QScreen* Primary() { return HaveGui() ? QGuiApplication::primaryScreen() : nullptr; }

RECT ToRect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

QRect VirtualDesktop() {
  QRect all;
  if (HaveGui())
    for (QScreen* s : QGuiApplication::screens()) all |= s->geometry();
  return all;
}

// The dots per inch of the screen contexts (the unit of font heights).
int ScreenDpi() {
  QScreen* s = Primary();
  const int dpi = s ? qRound(s->logicalDotsPerInchY()) : 96;
  return dpi > 0 ? dpi : 96;
}

void FillLogFont(const QFont& f, LOGFONT& lf) {
  std::memset(&lf, 0, sizeof(lf));
  int px = f.pixelSize();
  if (px <= 0) px = qRound(f.pointSizeF() * ScreenDpi() / 72.0);
  lf.lfHeight = -std::max(1, px);
  lf.lfWeight = std::clamp(static_cast<int>(f.weight()), 100, 900);
  lf.lfItalic = f.italic() ? 1 : 0;
  lf.lfUnderline = f.underline() ? 1 : 0;
  lf.lfStrikeOut = f.strikeOut() ? 1 : 0;
  lf.lfCharSet = 1;  // the default character set
  const std::u16string face = f.family().left(LF_FACESIZE - 1).toStdU16String();
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  lf.lfFaceName[face.size()] = 0;
}

QFont SystemFont(QFontDatabase::SystemFont which) {
  if (!HaveGui()) return QFont();
  QFont f = QFontDatabase::systemFont(which);
  if (which == QFontDatabase::GeneralFont) f = QGuiApplication::font();
  return f;
}

int TitleHeight() {
  return Metric(QStyle::PM_TitleBarHeight, 22);
}

// Monitors are handed out as their screens; a handle is checked against the screens there are.
HMONITOR ToMonitor(QScreen* s) { return reinterpret_cast<HMONITOR>(s); }

QScreen* FromMonitor(HMONITOR h) {
  if (!h || !HaveGui()) return nullptr;
  for (QScreen* s : QGuiApplication::screens())
    if (ToMonitor(s) == h) return s;
  return nullptr;
}

long long DistanceSquared(const QRect& r, const QPoint& p) {
  const long long dx = p.x() < r.left() ? r.left() - p.x() : p.x() > r.right() ? p.x() - r.right() : 0;
  const long long dy = p.y() < r.top() ? r.top() - p.y() : p.y() > r.bottom() ? p.y() - r.bottom() : 0;
  return dx * dx + dy * dy;
}

HMONITOR Fallback(const QPoint& p, DWORD flags) {
  if (flags == MONITOR_DEFAULTTOPRIMARY) return ToMonitor(Primary());
  if (flags != MONITOR_DEFAULTTONEAREST || !HaveGui()) return nullptr;
  QScreen* best = nullptr;
  long long bestD = LLONG_MAX;
  for (QScreen* s : QGuiApplication::screens()) {
    const long long d = DistanceSquared(s->geometry(), p);
    if (d < bestD) {
      bestD = d;
      best = s;
    }
  }
  return ToMonitor(best);
}

}  // namespace

int GetSystemMetrics(int nIndex) {
  QScreen* primary = Primary();
  const QRect screen = primary ? primary->geometry() : QRect(0, 0, 1024, 768);
  const QRect work = primary ? primary->availableGeometry() : screen;
  const int scroll = Metric(QStyle::PM_ScrollBarExtent, 16);
  const int frame = Metric(QStyle::PM_DefaultFrameWidth, 2);
  const int large = Metric(QStyle::PM_LargeIconSize, 32);
  const int small = Metric(QStyle::PM_SmallIconSize, 16);
  switch (nIndex) {
    case SM_CXSCREEN: return screen.width();
    case SM_CYSCREEN: return screen.height();
    case SM_CXVSCROLL: case SM_CXHSCROLL: return scroll;
    case SM_CYHSCROLL: case SM_CYVSCROLL: return scroll;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return std::max(scroll, Metric(QStyle::PM_ScrollBarSliderMin, scroll));
    case SM_CYCAPTION: return TitleHeight();
    case SM_CYSMCAPTION: return std::max(small + 2, TitleHeight() - 4);
    case SM_CXSIZE: case SM_CYSIZE: return TitleHeight();
    case SM_CXSMSIZE: case SM_CYSMSIZE: return std::max(small + 2, TitleHeight() - 4);
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXEDGE: case SM_CYEDGE: return frame;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return frame + 1;
    case SM_CXFRAME: case SM_CYFRAME: return frame + 2;
    case SM_CXPADDEDBORDER: return 0;
    case SM_CXFOCUSBORDER: case SM_CYFOCUSBORDER: return 1;
    case SM_CXICON: case SM_CYICON: return large;
    case SM_CXSMICON: case SM_CYSMICON: return small;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return large * 2 + 11;
    case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CYMENU: return std::max(small + 4, Metric(QStyle::PM_MenuBarItemSpacing, 0) + small + 4);
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return Metric(QStyle::PM_IndicatorWidth, 13);
    case SM_CXFULLSCREEN: return work.width();
    case SM_CYFULLSCREEN: return std::max(0, work.height() - TitleHeight());
    case SM_CXMAXIMIZED: return work.width() + 2 * (frame + 2);
    case SM_CYMAXIMIZED: return work.height() + 2 * (frame + 2);
    case SM_CXMIN: return 112;
    case SM_CYMIN: return TitleHeight() + 2 * (frame + 2);
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return HaveGui() ? QGuiApplication::styleHints()->startDragDistance() : 4;
    case SM_SWAPBUTTON: return 0;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_XVIRTUALSCREEN: return VirtualDesktop().left();
    case SM_YVIRTUALSCREEN: return VirtualDesktop().top();
    case SM_CXVIRTUALSCREEN: return VirtualDesktop().width();
    case SM_CYVIRTUALSCREEN: return VirtualDesktop().height();
    case SM_CMONITORS: return HaveGui() ? static_cast<int>(QGuiApplication::screens().size()) : 0;
    case SM_REMOTESESSION: return 0;
    default: return 0;
  }
}

BOOL SystemParametersInfo(UINT uiAction, UINT, void* pvParam, UINT) {
  if (!pvParam) return FALSE;
  switch (uiAction) {
    case SPI_GETWORKAREA: {
      QScreen* s = Primary();
      if (!s) return FALSE;
      *static_cast<RECT*>(pvParam) = ToRect(s->availableGeometry());
      return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICS*>(pvParam);
      if (m->cbSize != sizeof(NONCLIENTMETRICS) || !HaveGui()) return FALSE;
      const UINT size = m->cbSize;
      std::memset(m, 0, sizeof(NONCLIENTMETRICS));
      m->cbSize = size;
      m->iBorderWidth = 1;
      m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
      m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
      m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
      m->iCaptionHeight = GetSystemMetrics(SM_CYCAPTION);
      m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
      m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
      m->iMenuWidth = GetSystemMetrics(SM_CYMENU);
      m->iMenuHeight = GetSystemMetrics(SM_CYMENU);
      QFont caption = SystemFont(QFontDatabase::TitleFont);
      FillLogFont(caption, m->lfCaptionFont);
      FillLogFont(SystemFont(QFontDatabase::SmallestReadableFont), m->lfSmCaptionFont);
      FillLogFont(SystemFont(QFontDatabase::GeneralFont), m->lfMenuFont);
      FillLogFont(SystemFont(QFontDatabase::GeneralFont), m->lfStatusFont);
      FillLogFont(SystemFont(QFontDatabase::GeneralFont), m->lfMessageFont);
      return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
      if (!HaveGui()) return FALSE;
      FillLogFont(SystemFont(QFontDatabase::GeneralFont), *static_cast<LOGFONT*>(pvParam));
      return TRUE;
    case SPI_GETWHEELSCROLLLINES:
      *static_cast<UINT*>(pvParam) =
          qobject_cast<QApplication*>(QCoreApplication::instance()) ? static_cast<UINT>(QApplication::wheelScrollLines()) : 3;
      return TRUE;
    case SPI_GETWHEELSCROLLCHARS:
      *static_cast<UINT*>(pvParam) = 3;
      return TRUE;
    case SPI_GETMOUSEHOVERTIME:
      *static_cast<UINT*>(pvParam) = 400;
      return TRUE;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
      *static_cast<UINT*>(pvParam) = 4;
      return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
      *static_cast<BOOL*>(pvParam) = TRUE;
      return TRUE;
    default:
      return FALSE;
  }
}

HMONITOR MonitorFromWindow(HWND hWnd, DWORD dwFlags) {
  QWidget* w = CWnd::QWidgetFromHwnd(hWnd);
  if (!w) return Fallback(QPoint(0, 0), dwFlags == MONITOR_DEFAULTTONEAREST ? MONITOR_DEFAULTTOPRIMARY : dwFlags);
  const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
  const RECT rc = ToRect(r);
  return MonitorFromRect(&rc, dwFlags);
}

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags) {
  if (!HaveGui()) return nullptr;
  const QPoint p(pt.x, pt.y);
  for (QScreen* s : QGuiApplication::screens())
    if (s->geometry().contains(p)) return ToMonitor(s);
  return Fallback(p, dwFlags);
}

HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags) {
  if (!lprc || !HaveGui()) return nullptr;
  const QRect r(QPoint(lprc->left, lprc->top), QPoint(lprc->right - 1, lprc->bottom - 1));
  QScreen* best = nullptr;
  long long bestArea = 0;
  for (QScreen* s : QGuiApplication::screens()) {
    const QRect i = s->geometry().intersected(r);
    const long long area = i.isEmpty() ? 0 : static_cast<long long>(i.width()) * i.height();
    if (area > bestArea) {
      bestArea = area;
      best = s;
    }
  }
  if (best) return ToMonitor(best);
  const QPoint centre((lprc->left + lprc->right) / 2, (lprc->top + lprc->bottom) / 2);
  return Fallback(centre, dwFlags);
}

BOOL GetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi) {
  QScreen* s = FromMonitor(hMonitor);
  if (!s || !lpmi) return FALSE;
  if (lpmi->cbSize != sizeof(MONITORINFO) && lpmi->cbSize != sizeof(MONITORINFOEX)) return FALSE;
  lpmi->rcMonitor = ToRect(s->geometry());
  lpmi->rcWork = ToRect(s->availableGeometry());
  lpmi->dwFlags = s == Primary() ? MONITORINFOF_PRIMARY : 0;
  if (lpmi->cbSize == sizeof(MONITORINFOEX)) {
    auto* ex = static_cast<MONITORINFOEX*>(lpmi);
    const std::u16string name = s->name().left(CCHDEVICENAME - 1).toStdU16String();
    std::copy(name.begin(), name.end(), ex->szDevice);
    ex->szDevice[name.size()] = 0;
  }
  return TRUE;
}

BOOL EnumDisplayMonitors(HDC, LPCRECT lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData) {
  if (!lpfnEnum || !HaveGui()) return FALSE;
  // The list is taken first: the callback may do anything.
  const QList<QScreen*> screens = QGuiApplication::screens();
  for (QScreen* s : screens) {
    if (!FromMonitor(ToMonitor(s))) continue;
    QRect r = s->geometry();
    if (lprcClip) {
      r = r.intersected(QRect(QPoint(lprcClip->left, lprcClip->top), QPoint(lprcClip->right - 1, lprcClip->bottom - 1)));
      if (r.isEmpty()) continue;
    }
    RECT rc = ToRect(r);
    if (!lpfnEnum(ToMonitor(s), nullptr, &rc, dwData)) break;
  }
  return TRUE;
}
