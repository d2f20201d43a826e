// Clipboard data rendered by its owner only when a reader asks, and bitmaps as handles.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinClipboard.h"

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

HGLOBAL Bytes(const void* p, size_t n) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
  std::memcpy(GlobalLock(h), p, n);
  GlobalUnlock(h);
  return h;
}

// A clipboard owner that renders its formats on request and counts what it was asked.
class COwnerWnd : public CWnd {
public:
  UINT nativeFormat = 0;
  std::vector<UINT> rendered;
  int destroyed = 0;
  std::string payload = "native bytes";

  afx_msg void OnRenderFormat(UINT nFormat) {
    rendered.push_back(nFormat);
    if (nFormat == nativeFormat) {
      SetClipboardData(nFormat, Bytes(payload.data(), payload.size()));
    } else if (nFormat == CF_UNICODETEXT) {
      const char16_t text[] = u"rendered text";
      SetClipboardData(CF_UNICODETEXT, Bytes(text, sizeof text));
    }
  }
  afx_msg void OnDestroyClipboard() { ++destroyed; }
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_RENDERFORMAT) {
      OnRenderFormat(static_cast<UINT>(w));
      return 0;
    }
    if (m == WM_DESTROYCLIPBOARD) {
      OnDestroyClipboard();
      return 0;
    }
    return CWnd::WindowProc(m, w, l);
  }
};

class ClipboardRenderTest : public ::testing::Test {
protected:
  void SetUp() override {
    fmt = RegisterClipboardFormat(u"Rivedi delayed native");
    owner = new COwnerWnd;
    owner->nativeFormat = fmt;
    ASSERT_TRUE(owner->CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  }
  void TearDown() override {
    if (owner->GetSafeHwnd()) owner->DestroyWindow();
    delete owner;
    Pump();
  }
  void Offer() {
    ASSERT_TRUE(OpenClipboard(owner->GetSafeHwnd()));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(fmt, nullptr), nullptr);  // offered, not yet made
    SetClipboardData(CF_UNICODETEXT, nullptr);
    ASSERT_TRUE(CloseClipboard());
  }
  UINT fmt = 0;
  COwnerWnd* owner = nullptr;
};

TEST_F(ClipboardRenderTest, OfferedFormatsAreRenderedOnceWhenRead) {
  Offer();
  EXPECT_EQ(GetClipboardOwner(), owner->GetSafeHwnd());
  EXPECT_TRUE(IsClipboardFormatAvailable(fmt));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(owner->rendered.empty());  // asking what is there renders nothing

  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(fmt);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(h)), GlobalSize(h)), owner->payload);
  GlobalUnlock(h);
  EXPECT_EQ(owner->rendered, (std::vector<UINT>{fmt}));
  owner->payload = "changed";
  HANDLE again = GetClipboardData(fmt);  // read again: the data rendered before
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(again)), GlobalSize(again)), "native bytes");
  GlobalUnlock(again);
  EXPECT_EQ(owner->rendered.size(), 1u);
  CloseClipboard();

  // Another program reading through the Qt clipboard gets the text rendered for it.
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("rendered text"));
  EXPECT_EQ(owner->rendered, (std::vector<UINT>{fmt, static_cast<UINT>(CF_UNICODETEXT)}));
}

TEST_F(ClipboardRenderTest, OwnerRendersWhatIsLeftBeforeItGoes) {
  Offer();
  owner->DestroyWindow();
  EXPECT_EQ(owner->rendered.size(), 2u);
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  // The data stays readable with its owner gone.
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(fmt);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), owner->payload.size());
  CloseClipboard();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("rendered text"));
  EXPECT_EQ(owner->destroyed, 0);
}

TEST_F(ClipboardRenderTest, OwnerHearsWhenItsDataIsReplacedAndUnrenderedFormatsVanish) {
  Offer();
  // A format the owner does not render is not there after it was asked for.
  owner->nativeFormat = 0;
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(fmt), nullptr);
  EXPECT_FALSE(IsClipboardFormatAvailable(fmt));
  EmptyClipboard();
  EXPECT_EQ(owner->destroyed, 1);
  const char16_t text[] = u"other";
  SetClipboardData(CF_UNICODETEXT, Bytes(text, sizeof text));
  CloseClipboard();
  Pump();
  EXPECT_EQ(owner->destroyed, 1);  // told once
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("other"));
  EXPECT_EQ(GetClipboardOwner(), nullptr);
}

TEST(ClipboardBitmapTest, BitmapsGoOnAndComeOffAsHandles) {
  QImage img(4, 3, QImage::Format_RGB32);
  img.fill(qRgb(0, 0, 255));
  img.setPixel(3, 2, qRgb(255, 0, 0));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateFromImage(img));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HBITMAP h = static_cast<HBITMAP>(bmp.Detach());  // the clipboard takes it
  EXPECT_NE(SetClipboardData(CF_BITMAP, h), nullptr);
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  const QImage onClip = QGuiApplication::clipboard()->image();
  ASSERT_EQ(onClip.size(), img.size());
  EXPECT_EQ(onClip.pixel(3, 2) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);

  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE got = GetClipboardData(CF_BITMAP);
  ASSERT_NE(got, nullptr);
  CBitmap* read = CBitmap::FromHandle(static_cast<HBITMAP>(got));
  ASSERT_NE(read, nullptr);
  BITMAP info{};
  ASSERT_TRUE(read->GetBitmap(&info));
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmHeight, 3);
  const QImage back = read->GetImage();
  EXPECT_EQ(back.pixel(3, 2) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, qRgb(0, 0, 255) & 0xFFFFFF);
  // A handle that is no bitmap is refused.
  EXPECT_EQ(SetClipboardData(CF_BITMAP, reinterpret_cast<HANDLE>(0x1234)), nullptr);
  CloseClipboard();
}

}  // namespace
