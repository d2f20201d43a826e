// Services windows give their code: contexts from GetDC, the parent frame, messages to every
// descendant, fonts and icons.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtCore/QFile>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <string>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"

namespace {

void Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<std::string> g_heard;

class CListenerWnd : public CWnd {
public:
  std::string name;
  // Draws a red square through GetDC while painting.
  bool paintThroughGetDC = false;
  int releaseResult = -1;

  afx_msg LRESULT OnApp(WPARAM w, LPARAM) {
    g_heard.push_back(name + " " + std::to_string(w));
    return 0;
  }
  afx_msg void OnPaint() {
    if (!paintThroughGetDC) {
      Default();
      return;
    }
    CDC* dc = GetDC();
    dc->FillSolidRect(0, 0, 20, 20, RGB(255, 0, 0));
    releaseResult = ReleaseDC(dc);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListenerWnd, CWnd)
  ON_MESSAGE(WM_APP, &CListenerWnd::OnApp)
  ON_WM_PAINT()
END_MESSAGE_MAP()

class WindowServicesTest : public ::testing::Test {
protected:
  void SetUp() override { g_heard.clear(); }
  void TearDown() override { Pump(); }
};

TEST_F(WindowServicesTest, GetDCMeasuresOutsidePaintAndDrawsInside) {
  CListenerWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 60, 40), nullptr, 0));
  // Outside painting the context still measures text and knows the device.
  CDC* dc = wnd.GetDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_GT(dc->GetTextExtent(u"Wide text").cx, dc->GetTextExtent(u"W").cx);
  EXPECT_GT(dc->GetDeviceCaps(LOGPIXELSY), 0);
  EXPECT_EQ(wnd.ReleaseDC(dc), 1);
  // A context given back twice, or one never handed out, is refused.
  EXPECT_EQ(wnd.ReleaseDC(dc), 0);
  CDC other;
  EXPECT_EQ(wnd.ReleaseDC(&other), 0);
  EXPECT_EQ(wnd.ReleaseDC(nullptr), 0);

  // Inside WM_PAINT it draws on the window.
  wnd.paintThroughGetDC = true;
  const QImage shot = wnd.GetQWidget()->grab().toImage();
  EXPECT_EQ(wnd.releaseResult, 1);
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_NE(shot.pixelColor(40, 30), QColor(255, 0, 0));
  wnd.DestroyWindow();
}

TEST_F(WindowServicesTest, HandleContextsComeAndGoInPairs) {
  CListenerWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 30, 30), nullptr, 0));
  HDC hdc = ::GetDC(wnd.GetSafeHwnd());
  ASSERT_NE(hdc, nullptr);
  TEXTMETRIC tm{};
  EXPECT_TRUE(::GetTextMetrics(hdc, &tm));
  EXPECT_GT(tm.tmHeight, 0);
  EXPECT_EQ(::ReleaseDC(wnd.GetSafeHwnd(), hdc), 1);
  EXPECT_EQ(::ReleaseDC(wnd.GetSafeHwnd(), hdc), 0);
  // The screen's context answers metric questions too.
  HDC screen = ::GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_GT(::GetDeviceCaps(screen, LOGPIXELSX), 0);
  EXPECT_EQ(::ReleaseDC(nullptr, screen), 1);
  // A dead handle gets no context.
  HWND dead = wnd.GetSafeHwnd();
  wnd.DestroyWindow();
  EXPECT_EQ(::GetDC(dead), nullptr);
}

TEST_F(WindowServicesTest, ParentFrameIsTheNearestFrameAbove) {
  auto* pOuter = new CFrameWnd;  // frames delete themselves when destroyed
  CFrameWnd& outer = *pOuter;
  ASSERT_TRUE(outer.Create(nullptr, u"Outer", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CWnd pane;
  ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &outer, 1));
  CWnd inner;
  ASSERT_TRUE(inner.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &pane, 2));
  EXPECT_EQ(inner.GetParentFrame(), &outer);
  EXPECT_EQ(pane.GetParentFrame(), &outer);
  // A top-level frame has none; a frame inside a frame has the outer one.
  EXPECT_EQ(outer.GetParentFrame(), nullptr);
  auto* nested = new CFrameWnd;
  ASSERT_TRUE(nested->Create(nullptr, u"Nested", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 80), &pane));
  EXPECT_EQ(nested->GetParentFrame(), &outer);
  CWnd deep;
  ASSERT_TRUE(deep.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), nested, 3));
  EXPECT_EQ(deep.GetParentFrame(), nested);
  // A window not created has no frame.
  CWnd none;
  EXPECT_EQ(none.GetParentFrame(), nullptr);
  outer.DestroyWindow();
}

TEST_F(WindowServicesTest, DescendantsInsidePlainContainersAreReached) {
  CListenerWnd top;
  top.name = "top";
  ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 200, 200), nullptr, 0));
  // A Qt container of no window of ours sits between the top window and its child.
  auto* box = new QWidget(top.GetQWidget());
  CListenerWnd child, grand, direct;
  child.name = "child";
  grand.name = "grand";
  direct.name = "direct";
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &top, 1));
  child.GetQWidget()->setParent(box);
  ASSERT_TRUE(grand.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 20, 20), &child, 2));
  ASSERT_TRUE(direct.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 20, 20), &top, 3));
  // An owned top-level window is no descendant.
  CListenerWnd popup;
  popup.name = "popup";
  ASSERT_TRUE(popup.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 20, 20), &top, 0));

  top.SendMessageToDescendants(WM_APP, 1, 0, TRUE);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"child 1", "grand 1", "direct 1"}));
  g_heard.clear();
  top.SendMessageToDescendants(WM_APP, 2, 0, FALSE);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"child 2", "direct 2"}));
  popup.DestroyWindow();
  top.DestroyWindow();
}

TEST_F(WindowServicesTest, WindowsInsidePlainContainersEndWithTheirParent) {
  class CEndWnd : public CListenerWnd {
  public:
    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
      if (m == WM_DESTROY) g_heard.push_back(name + " destroy");
      if (m == WM_NCDESTROY) g_heard.push_back(name + " ncdestroy");
      return CListenerWnd::WindowProc(m, w, l);
    }
  };
  CEndWnd top, inner;
  top.name = "top";
  inner.name = "inner";
  ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
  auto* panel = new QWidget(top.GetQWidget());
  ASSERT_TRUE(inner.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &top, 4));
  inner.GetQWidget()->setParent(panel);
  top.DestroyWindow();
  // At once and in order, not later when Qt deletes the panel.
  EXPECT_EQ(g_heard, (std::vector<std::string>{"top destroy", "inner destroy", "inner ncdestroy", "top ncdestroy"}));
  EXPECT_EQ(inner.GetSafeHwnd(), nullptr);
}

TEST_F(WindowServicesTest, DescendantDestroyedByAnEarlierOneIsSkipped) {
  class CKillerWnd : public CListenerWnd {
  public:
    CWnd* victim = nullptr;
    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
      if (m == WM_APP && victim) victim->DestroyWindow();
      return CListenerWnd::WindowProc(m, w, l);
    }
  };
  CListenerWnd top;
  ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
  CKillerWnd first;
  CListenerWnd second;
  first.name = "first";
  second.name = "second";
  ASSERT_TRUE(first.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &top, 1));
  ASSERT_TRUE(second.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &top, 2));
  first.victim = &second;
  top.SendMessageToDescendants(WM_APP, 5);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"first 5"}));
  top.DestroyWindow();
}

TEST_F(WindowServicesTest, FontOfTheWindowReachesItsWidget) {
  CListenerWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 30, 30), nullptr, 0));
  CFont font;
  LOGFONT lf{};
  lf.lfHeight = -30;
  lf.lfWeight = FW_BOLD;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  wnd.SetFont(&font);
  EXPECT_EQ(wnd.GetFont(), &font);
  EXPECT_EQ(wnd.SendMessage(WM_GETFONT), reinterpret_cast<LRESULT>(font.GetSafeHandle()));
  EXPECT_EQ(wnd.GetQWidget()->font(), font.GetQFont());
  EXPECT_TRUE(wnd.GetQWidget()->font().bold());
  wnd.SetFont(nullptr);
  EXPECT_FALSE(wnd.GetQWidget()->font().bold());
  wnd.DestroyWindow();
}

TEST_F(WindowServicesTest, IconsDrawAtTheirSizeOrStretched) {
  CDC screen;
  screen.CreateIC(nullptr, nullptr, nullptr, nullptr);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&screen, 100, 100);
  CBitmap* old = dc.SelectObject(&bmp);
  dc.FillSolidRect(0, 0, 100, 100, RGB(255, 255, 255));
  auto ink = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += dc.GetPixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
    return n;
  };
  HICON warning = ::LoadIcon(nullptr, IDI_WARNING);
  ASSERT_NE(warning, nullptr);
  EXPECT_TRUE(dc.DrawIcon(0, 0, warning));
  EXPECT_GT(ink(0, 0, 32, 32), 0);
  EXPECT_EQ(ink(32, 0, 100, 100) + ink(0, 32, 32, 100), 0);  // its own size: 32 x 32
  EXPECT_TRUE(::DrawIconEx(dc.GetSafeHdc(), 40, 40, warning, 60, 60, 0, nullptr, DI_NORMAL));
  EXPECT_GT(ink(70, 70, 100, 100), 0);
  // Not an icon: nothing drawn, and said so.
  EXPECT_EQ(::LoadIcon(nullptr, MAKEINTRESOURCE(7)), nullptr);
  EXPECT_FALSE(dc.DrawIcon(0, 0, reinterpret_cast<HICON>(static_cast<UINT_PTR>(0xFFFFF))));
  dc.SelectObject(old);
}

TEST_F(WindowServicesTest, ImagesLoadFromFilesAndCopyAtASize) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage img(6, 4, QImage::Format_RGB32);
  img.fill(qRgb(0, 128, 0));
  const QString file = dir.filePath(QStringLiteral("pic.png"));
  ASSERT_TRUE(img.save(file));
  const std::u16string path = file.toStdU16String();
  HANDLE h = ::LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  ASSERT_NE(h, nullptr);
  BITMAP bm{};
  ASSERT_TRUE(CBitmap::FromHandle(static_cast<HBITMAP>(h))->GetBitmap(&bm));
  EXPECT_EQ(bm.bmWidth, 6);
  EXPECT_EQ(bm.bmHeight, 4);
  // The same size asked with LR_COPYRETURNORG gives the original; another size a new bitmap.
  EXPECT_EQ(::CopyImage(h, IMAGE_BITMAP, 0, 0, LR_COPYRETURNORG), h);
  HANDLE same = ::CopyImage(h, IMAGE_BITMAP, 0, 0, 0);
  ASSERT_NE(same, nullptr);
  EXPECT_NE(same, h);
  HANDLE big = ::CopyImage(h, IMAGE_BITMAP, 12, 8, LR_COPYRETURNORG);
  ASSERT_NE(big, nullptr);
  EXPECT_NE(big, h);
  CBitmap* bigBmp = CBitmap::FromHandle(static_cast<HBITMAP>(big));
  ASSERT_TRUE(bigBmp->GetBitmap(&bm));
  EXPECT_EQ(bm.bmWidth, 12);
  EXPECT_EQ(bigBmp->GetImage().pixel(11, 7) & 0xFFFFFF, qRgb(0, 128, 0) & 0xFFFFFF);
  for (HANDLE b : {h, same, big}) ::DeleteObject(static_cast<HGDIOBJ>(b));
  // Missing or broken files give nothing; icons are the standard ones.
  const std::u16string missing = dir.filePath(QStringLiteral("none.png")).toStdU16String();
  EXPECT_EQ(::LoadImage(nullptr, missing.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
  const QString junk = dir.filePath(QStringLiteral("junk.bmp"));
  {
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BM not really");
  }
  const std::u16string junkPath = junk.toStdU16String();
  EXPECT_EQ(::LoadImage(nullptr, junkPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
  EXPECT_EQ(::LoadImage(nullptr, IDI_QUESTION, IMAGE_ICON, 16, 16, LR_SHARED), ::LoadIcon(nullptr, IDI_QUESTION));
  EXPECT_EQ(::CopyImage(nullptr, IMAGE_BITMAP, 0, 0, 0), nullptr);
}

}  // namespace
