// The library's buttons (image, menu, link) and its colour arithmetic.
#include <QtCore/QTimer>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>

#include "BcgFixture.h"
#include "platform/bcg/CBCGPButton.h"
#include "platform/bcg/CBCGPDrawManager.h"
#include "platform/bcg/CBCGPMenuButton.h"
#include "platform/bcg/CBCGPURLLinkButton.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

CString g_opened;
BOOL RecordUrl(const CString& url) {
  g_opened = url;
  return TRUE;
}

TEST_F(BcgTest, ButtonsShowImagesDropMenusAndOpenLinks) {
  CTestFrame* f = OpenFrame();
  CBCGPButton image;
  ASSERT_TRUE(image.Create(u"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), f, 34700));
  image.SetImage(IDR_STANDARD);
  EXPECT_TRUE(image.HasImage());
  image.SetTooltip(u"Pick a text");
  EXPECT_EQ(image.GetQWidget()->toolTip(), QStringLiteral("Pick a text"));
  CBCGPButton missing;
  ASSERT_TRUE(missing.Create(u"x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), f, 34702));
  missing.SetImage(4242u);
  EXPECT_FALSE(missing.HasImage());

  // The menu button keeps the chosen command, then the parent hears of the click.
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
  CBCGPMenuButton history;
  ASSERT_TRUE(history.Create(u"History", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 80, 50), f, 34701));
  history.m_hMenu = menu.GetSubMenu(1)->m_hMenu;
  AfxSetPopupMenuHook([](QMenu* m) {
    QTimer::singleShot(0, m, [m] { m->actions().at(1)->trigger(); });
  });
  qobject_cast<QPushButton*>(history.GetQWidget())->click();
  AfxSetPopupMenuHook(nullptr);
  Pump();
  EXPECT_EQ(history.m_nMenuResult, static_cast<int>(ID_CMD_CIRCLE));
  EXPECT_EQ(f->m_commands, std::vector<UINT>{34701});

  // The link opens its address.
  CBCGPURLLinkButton::SetOpenUrlFunction(&RecordUrl);
  CBCGPURLLinkButton link;
  ASSERT_TRUE(link.Create(u"example.org", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 60, 80, 80), f, 34703));
  link.SetURLPrefix(u"https://");
  qobject_cast<QPushButton*>(link.GetQWidget())->click();
  EXPECT_EQ(g_opened, CString(u"https://example.org"));
  link.SetURL(u"www.example.net/help");
  qobject_cast<QPushButton*>(link.GetQWidget())->click();
  EXPECT_EQ(g_opened, CString(u"https://www.example.net/help"));
  CBCGPURLLinkButton::SetOpenUrlFunction(nullptr);
  image.DestroyWindow();
  missing.DestroyWindow();
  history.DestroyWindow();
  link.DestroyWindow();
  CloseFrame(f);
}

TEST(BcgDrawManager, HueSaturationLuminanceRoundTrip) {
  struct Case {
    COLORREF rgb;
    double h, s, l;
  };
  const Case cases[] = {
      {RGB(255, 0, 0), 0.0, 1.0, 0.5},        {RGB(0, 255, 0), 1.0 / 3.0, 1.0, 0.5},
      {RGB(0, 0, 255), 2.0 / 3.0, 1.0, 0.5},  {RGB(255, 255, 255), 0.0, 0.0, 1.0},
      {RGB(0, 0, 0), 0.0, 0.0, 0.0},          {RGB(128, 128, 128), 0.0, 0.0, 128.0 / 255.0},
      {RGB(255, 0, 255), 5.0 / 6.0, 1.0, 0.5},
  };
  for (const Case& c : cases) {
    double h = -1, s = -1, l = -1;
    CBCGPDrawManager::RGBtoHSL(c.rgb, &h, &s, &l);
    EXPECT_NEAR(h, c.h, 1e-9);
    EXPECT_NEAR(s, c.s, 1e-9);
    EXPECT_NEAR(l, c.l, 1e-9);
    EXPECT_EQ(CBCGPDrawManager::HLStoRGB_ONE(h, l, s), c.rgb);
  }
  // Every colour of a coarse grid survives the round trip.
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 15)
      for (int b = 0; b < 256; b += 15) {
        double h, s, l;
        const COLORREF rgb = RGB(r, g, b);
        CBCGPDrawManager::RGBtoHSL(rgb, &h, &s, &l);
        ASSERT_EQ(CBCGPDrawManager::HLStoRGB_ONE(h, l, s), rgb) << r << "," << g << "," << b;
      }
  EXPECT_EQ(CBCGPDrawManager::HLStoRGB_TWO(240.0, 0.5, 1.0), RGB(0, 0, 255));
  EXPECT_EQ(CBCGPDrawManager::HLStoRGB_TWO(-120.0, 0.5, 1.0), RGB(0, 0, 255));
  // Values out of range are held at the range's ends.
  EXPECT_EQ(CBCGPDrawManager::HLStoRGB_ONE(0.0, 7.0, 0.0), RGB(255, 255, 255));
  EXPECT_EQ(CBCGPDrawManager::HLStoRGB_ONE(std::nan(""), 0.5, 1.0), RGB(255, 0, 0));
}

}  // namespace
