// What windows learn of the desktop: metrics, the work area, frame fonts, monitors, and the
// messages that say the program or the system colours changed.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtGui/QPalette>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QWidget>

#include <vector>

#include "platform/gdi/CFont.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinSystem.h"

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

RECT R(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(SystemTest, MetricsFollowTheStyleAndScreen) {
  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen->geometry().width());
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), screen->geometry().height());
  const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), extent);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), extent);
  EXPECT_GE(GetSystemMetrics(SM_CYVTHUMB), extent);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize));
  EXPECT_GT(GetSystemMetrics(SM_CXICONSPACING), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), static_cast<int>(QGuiApplication::screens().size()));
  EXPECT_GE(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(GetSystemMetrics(12345), 0);  // not a metric
}

TEST(SystemTest, WorkAreaAndFrameFontsAreRead) {
  RECT work{};
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_TRUE(Same(work, R(QGuiApplication::primaryScreen()->availableGeometry())));

  NONCLIENTMETRICS ncm{};
  ncm.cbSize = sizeof(ncm);
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
  EXPECT_EQ(ncm.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_LT(ncm.lfStatusFont.lfHeight, 0);  // a character height in pixels
  EXPECT_EQ(std::u16string(ncm.lfStatusFont.lfFaceName), QApplication::font().family().toStdU16String());
  // The font made from it is the application's.
  CFont status;
  ASSERT_TRUE(status.CreateFontIndirect(&ncm.lfStatusFont));
  EXPECT_EQ(status.GetQFont().family(), QApplication::font().family());
  // A record of the wrong size, an unknown action or no record is refused and left alone.
  NONCLIENTMETRICS small{};
  small.cbSize = sizeof(small) - 4;
  small.iScrollWidth = 77;
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &small, 0));
  EXPECT_EQ(small.iScrollWidth, 77);
  UINT lines = 0;
  EXPECT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, static_cast<UINT>(QApplication::wheelScrollLines()));
  EXPECT_FALSE(SystemParametersInfo(0x7777, 0, &lines, 0));
  EXPECT_FALSE(SystemParametersInfo(SPI_GETWORKAREA, 0, nullptr, 0));
}

BOOL CollectMonitor(HMONITOR h, HDC, LPRECT rc, LPARAM data) {
  auto* v = reinterpret_cast<std::vector<std::pair<HMONITOR, RECT>>*>(data);
  v->push_back({h, *rc});
  return TRUE;
}

BOOL StopAtFirst(HMONITOR, HDC, LPRECT, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  return FALSE;
}

TEST(SystemTest, MonitorsAreFoundByPointRectAndWindow) {
  QScreen* primary = QGuiApplication::primaryScreen();
  const QRect g = primary->geometry();
  HMONITOR inside = MonitorFromPoint(POINT{g.left() + 5, g.top() + 5}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(inside, nullptr);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  ASSERT_TRUE(GetMonitorInfo(inside, &mi));
  EXPECT_TRUE(Same(mi.rcMonitor, R(g)));
  EXPECT_TRUE(Same(mi.rcWork, R(primary->availableGeometry())));
  EXPECT_EQ(mi.dwFlags, static_cast<DWORD>(MONITORINFOF_PRIMARY));
  MONITORINFOEX ex{};
  ex.cbSize = sizeof(ex);
  ASSERT_TRUE(GetMonitorInfo(inside, &ex));
  EXPECT_EQ(std::u16string(ex.szDevice), primary->name().left(CCHDEVICENAME - 1).toStdU16String());

  // Far away: nothing, the primary, or the nearest, as asked.
  const POINT far{g.right() + 100000, g.top()};
  EXPECT_EQ(MonitorFromPoint(far, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint(far, MONITOR_DEFAULTTOPRIMARY), inside);
  EXPECT_NE(MonitorFromPoint(far, MONITOR_DEFAULTTONEAREST), nullptr);
  const RECT overlap{g.left() - 50, g.top(), g.left() + 50, g.top() + 50};
  EXPECT_EQ(MonitorFromRect(&overlap, MONITOR_DEFAULTTONULL), inside);

  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(g.left() + 10, g.top() + 10, g.left() + 60,
                                                                             g.top() + 60), nullptr, 0));
  EXPECT_EQ(MonitorFromWindow(wnd.GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), inside);
  wnd.DestroyWindow();
  EXPECT_EQ(MonitorFromWindow(nullptr, MONITOR_DEFAULTTONULL), nullptr);

  std::vector<std::pair<HMONITOR, RECT>> all;
  EXPECT_TRUE(EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&all)));
  ASSERT_EQ(all.size(), QGuiApplication::screens().size());
  EXPECT_EQ(all[0].first == inside || all.size() > 1, true);
  // Clipped to a rectangle: only the part inside it.
  all.clear();
  const RECT clip{g.left() + 1, g.top() + 2, g.left() + 11, g.top() + 12};
  EnumDisplayMonitors(nullptr, &clip, &CollectMonitor, reinterpret_cast<LPARAM>(&all));
  ASSERT_EQ(all.size(), 1u);
  EXPECT_TRUE(Same(all[0].second, clip));
  int calls = 0;
  EnumDisplayMonitors(nullptr, nullptr, &StopAtFirst, reinterpret_cast<LPARAM>(&calls));
  EXPECT_EQ(calls, 1);
  // Handles that are no monitor are refused.
  EXPECT_FALSE(GetMonitorInfo(reinterpret_cast<HMONITOR>(&calls), &mi));
  mi.cbSize = 3;
  EXPECT_FALSE(GetMonitorInfo(inside, &mi));
}

class CNotifiedWnd : public CWnd {
public:
  std::vector<UINT> colours, activations, settings;
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_SETTINGCHANGE) settings.push_back(static_cast<UINT>(w));
    if (m == WM_SYSCOLORCHANGE) colours.push_back(m);
    if (m == WM_ACTIVATEAPP) activations.push_back(static_cast<UINT>(w));
    return CWnd::WindowProc(m, w, l);
  }
};

TEST(SystemTest, TopLevelWindowsHearOfColourAndFontChanges) {
  CNotifiedWnd top, child;
  ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &top, 1));
  const QPalette old = QApplication::palette();
  QPalette changed = old;
  changed.setColor(QPalette::Window, QColor(10, 200, 30));
  QApplication::setPalette(changed);
  Pump();
  QApplication::setPalette(old);
  Pump();
  EXPECT_EQ(top.colours.size(), 2u);
  EXPECT_TRUE(child.colours.empty());
  // New fonts are a change of settings.
  const QFont oldFont = QApplication::font();
  QFont bigger = oldFont;
  bigger.setPointSize(oldFont.pointSize() + 3);
  QApplication::setFont(bigger);
  Pump();
  QApplication::setFont(oldFont);
  Pump();
  EXPECT_EQ(top.settings.size(), 2u);
  EXPECT_TRUE(child.settings.empty());
  top.DestroyWindow();
}

TEST(SystemTest, TopLevelWindowsHearWhenTheProgramIsActivatedOrLeft) {
  CNotifiedWnd a, b, child;
  ASSERT_TRUE(a.CreateEx(0, nullptr, nullptr, WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 50), nullptr, 0));
  ASSERT_TRUE(b.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(60, 0, 110, 50), &a, 0));
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &a, 1));
  // The desktop tells the application; offscreen that is only the signal.
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  emit app->applicationStateChanged(Qt::ApplicationActive);
  a.activations.clear();
  b.activations.clear();
  emit app->applicationStateChanged(Qt::ApplicationInactive);
  emit app->applicationStateChanged(Qt::ApplicationHidden);  // still in the background: no news
  emit app->applicationStateChanged(Qt::ApplicationActive);
  EXPECT_EQ(a.activations, (std::vector<UINT>{FALSE, TRUE}));
  EXPECT_EQ(b.activations, (std::vector<UINT>{FALSE, TRUE}));
  EXPECT_TRUE(child.activations.empty());
  emit app->applicationStateChanged(QGuiApplication::applicationState());
  a.DestroyWindow();
  Pump();
}

}  // namespace
