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

#include "platform/bcg/CBCGPColorDialog.h"
#include "platform/bcg/CBCGPColorPickerCtrl.h"

namespace {

TEST_F(BcgTest, ColourPickerAndLuminanceBarFollowTheMouseAndTellTheParent) {
  CTestFrame* f = OpenFrame();
  CBCGPColorPickerCtrl picker, lum;
  ASSERT_TRUE(picker.Create(WS_VISIBLE, CRect(0, 0, 101, 101), f, 34710));
  ASSERT_TRUE(lum.Create(WS_VISIBLE, CRect(120, 0, 140, 101), f, 34711));
  picker.SetType(CBCGPColorPickerCtrl::PICKER);
  lum.SetType(CBCGPColorPickerCtrl::LUMINANCE);
  lum.SetLuminanceBarWidth(14);
  picker.SetColor(RGB(255, 0, 0));
  EXPECT_NEAR(picker.GetHue(), 0.0, 1e-9);
  EXPECT_NEAR(picker.GetSaturation(), 1.0, 1e-9);
  EXPECT_NEAR(picker.GetLuminance(), 0.5, 1e-9);
  EXPECT_EQ(picker.GetColor(), RGB(255, 0, 0));

  // The field: hue across, saturation from full at the top to none at the bottom.
  const QImage field = picker.GetQWidget()->grab().toImage();
  EXPECT_EQ(field.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(field.pixelColor(100, 100), QColor(128, 128, 128));

  picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 0));
  picker.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 0));
  picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 0));
  EXPECT_EQ(picker.GetColor(), RGB(0, 255, 255));
  EXPECT_EQ(f->m_commands, (std::vector<UINT>{34710, 34710}));
  // A point outside is held at the edge.
  picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 500));
  picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  EXPECT_NEAR(picker.GetHue(), 1.0, 1e-9);
  EXPECT_NEAR(picker.GetSaturation(), 0.0, 1e-9);

  lum.SetHLS(0.5, 0.5, 1.0);
  lum.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 100));
  lum.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 100));
  EXPECT_EQ(lum.GetColor(), RGB(0, 0, 0));
  EXPECT_EQ(f->m_commands.back(), 34711u);
  const QImage bar = lum.GetQWidget()->grab().toImage();
  EXPECT_EQ(bar.pixelColor(5, 0), QColor(255, 255, 255));
  EXPECT_EQ(bar.pixelColor(5, 50), QColor(0, 255, 255));

  picker.DestroyWindow();
  lum.DestroyWindow();
  CloseFrame(f);
}

TEST(BcgColorDialog, ReturnsTheChosenColourOrKeepsItOnCancel) {
  CBCGPColorDialog::SetAnswerFunction([](COLORREF) -> COLORREF { return RGB(1, 2, 3); });
  CBCGPColorDialog dlg(RGB(9, 9, 9));
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetColor(), RGB(1, 2, 3));
  CBCGPColorDialog::SetAnswerFunction([](COLORREF) -> COLORREF { return (COLORREF)-1; });
  CBCGPColorDialog other(RGB(9, 9, 9));
  EXPECT_EQ(other.DoModal(), IDCANCEL);
  EXPECT_EQ(other.GetColor(), RGB(9, 9, 9));
  CBCGPColorDialog::SetAnswerFunction(nullptr);
}

}  // namespace
