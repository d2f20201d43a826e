// The status bar: its place in the frame, panes sized from their texts, updates from the
// frame, clickable and dynamic panes, the progress bar, animation and owner drawing.
#include <QtGui/QImage>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QWidget>

#include "BcgFixture.h"
#include "platform/bcg/CBCGPRibbonProgressBar.h"
#include "platform/bcg/CBCGPRibbonStatusBarPane.h"
#include "platform/gdi/CDC.h"

namespace {

// A pane filled with a colour of its own.
class CColourPane : public CBCGPRibbonStatusBarPane {
public:
  CColourPane(UINT id, LPCTSTR text) : CBCGPRibbonStatusBarPane(id, text, FALSE) {}
  COLORREF OnFillBackground(CDC*) override { return RGB(255, 0, 0); }
};

QImage Grab(CWnd& wnd) { return wnd.GetQWidget()->grab().toImage(); }

TEST_F(BcgTest, StatusBarSitsBelowTheBarsWithPanesSizedFromTheirTexts) {
  CTestFrame* f = OpenFrame();
  CTestStatusBar& sb = f->m_wndStatus;
  CRect client, bar, host;
  f->GetClientRect(&client);
  sb.GetWindowRect(&bar);
  f->ScreenToClient(&bar);
  EXPECT_EQ(bar.bottom, client.bottom);
  EXPECT_EQ(bar.Height(), sb.GetBarHeight());
  QWidget* hostWidget = f->GetDockHost();
  EXPECT_EQ(hostWidget->geometry().bottom() + 1, bar.top);

  // Extended panes are on the right, the last one at the edge; the free space is what the
  // panes leave.
  CBCGPBaseRibbonElement* guidance = sb.FindElement(165);
  CBCGPBaseRibbonElement* position = sb.FindElement(168);
  CBCGPBaseRibbonElement* selection = sb.FindElement(169);
  ASSERT_TRUE(guidance && position && selection);
  EXPECT_TRUE(sb.IsExtendedElement(position));
  EXPECT_EQ(selection->GetRect().right, bar.Width());
  EXPECT_LT(position->GetRect().right, selection->GetRect().left);
  EXPECT_EQ(guidance->GetRect().left, 0);
  EXPECT_EQ(sb.GetSpace(), position->GetRect().left - guidance->GetRect().right);
  // A pane is as wide as its almost largest text, whatever it shows now.
  const int width = position->GetRect().Width();
  f->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(CString(position->GetText()), CString(u"12, 34"));
  f->m_strCoordinates = u"123456789.123456789, 987654321.987654321";
  f->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  sb.RecalcLayout();
  EXPECT_EQ(position->GetRect().Width(), width);
  CloseFrame(f);
}

TEST_F(BcgTest, DynamicPanesProgressAndClicksDuringALongOperation) {
  CTestFrame* f = OpenFrame();
  CTestStatusBar& sb = f->m_wndStatus;
  const int space = sb.GetSpace();
  ASSERT_GE(space, 20);
  ASSERT_TRUE(sb.RemoveElement(165));
  EXPECT_EQ(sb.FindElement(165), nullptr);
  EXPECT_FALSE(sb.RemoveElement(165));
  sb.AddDynamicElement(new CBCGPRibbonStatusBarPane(167, u"Cancel", FALSE));
  auto* progress = new CBCGPRibbonProgressBar(166, std::min(sb.GetSpace(), 150), 22);
  progress->SetRange(0, 200);
  sb.AddDynamicElement(progress);
  sb.AddDynamicElement(new CBCGPRibbonStatusBarPane(170, u"", TRUE, nullptr, u"________"));
  EXPECT_EQ(progress->GetRect().Width(), 150);
  progress->SetPos(250);
  EXPECT_EQ(progress->GetPos(), 200);
  progress->SetPos(-3);
  EXPECT_EQ(progress->GetPos(), 0);
  progress->SetPos(50);

  // A click on the cancel pane sends its command; a click on a static pane or the progress
  // bar sends nothing.
  const CRect cancel = sb.FindElement(167)->GetRect();
  sb.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cancel.CenterPoint().x, cancel.CenterPoint().y));
  sb.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(cancel.CenterPoint().x, cancel.CenterPoint().y));
  const CRect bar = progress->GetRect();
  sb.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(bar.CenterPoint().x, bar.CenterPoint().y));
  const CRect sel = sb.FindElement(169)->GetRect();
  sb.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(sel.CenterPoint().x, sel.CenterPoint().y));
  Pump();
  EXPECT_EQ(f->m_commands, std::vector<UINT>{167});

  // The progress bar paints its done part in proportion: a quarter of 0..200.
  const QImage img = Grab(sb);
  const int y = bar.CenterPoint().y;
  EXPECT_EQ(img.pixelColor(bar.left + 6, y), QColor(6, 176, 37));
  EXPECT_EQ(img.pixelColor(bar.right - 6, y), QColor(255, 255, 255));

  // The end of the operation takes the panes away and gives the space back.
  sb.RemoveElement(167);
  sb.RemoveElement(166);
  sb.RemoveElement(170);
  sb.AddElement(new CBCGPRibbonStatusBarPane(165, u"", TRUE, nullptr, u"________________"), u"Guidance");
  EXPECT_EQ(sb.GetSpace(), space);
  CloseFrame(f);
}

TEST_F(BcgTest, PanesAnimateAndAreDrawnByTheirOwnersAndInformationCoversTheBar) {
  CTestFrame* f = OpenFrame();
  CTestStatusBar& sb = f->m_wndStatus;
  auto* anim = new CBCGPRibbonStatusBarPane(171, u"", TRUE);
  ASSERT_TRUE(anim->SetAnimationList(417, 16, RGB(255, 255, 255)));
  EXPECT_EQ(anim->GetAnimationFrameCount(), 3);
  EXPECT_FALSE(anim->SetAnimationList(9999));
  sb.AddDynamicElement(anim);
  anim->StartAnimation(100);
  EXPECT_TRUE(anim->IsAnimation());
  anim->OnAnimationTimer(50);
  EXPECT_EQ(anim->GetAnimationFrame(), 0);
  anim->OnAnimationTimer(50);
  EXPECT_EQ(anim->GetAnimationFrame(), 1);
  anim->OnAnimationTimer(100);
  anim->OnAnimationTimer(100);
  EXPECT_EQ(anim->GetAnimationFrame(), 0);  // three frames wrap around
  anim->StartAnimation(10, 30);
  anim->OnAnimationTimer(20);
  anim->OnAnimationTimer(20);
  EXPECT_FALSE(anim->IsAnimation());

  auto* red = new CColourPane(172, u"i");
  sb.AddDynamicElement(red);
  QImage img = Grab(sb);
  const CRect r = red->GetRect();
  EXPECT_EQ(img.pixelColor(r.left + 1, r.top + 2), QColor(255, 0, 0));

  sb.SetInformation(u"Opened drawing.jww");
  EXPECT_TRUE(sb.IsInformationMode());
  img = Grab(sb);
  EXPECT_EQ(img.pixelColor(r.left + 1, r.top + 2), QColor(0, 0, 255));
  // No pane takes clicks while the information shows.
  sb.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
  sb.SetInformation(nullptr);
  EXPECT_FALSE(sb.IsInformationMode());
  Pump();
  EXPECT_TRUE(f->m_commands.empty());
  sb.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
  Pump();
  EXPECT_EQ(f->m_commands, std::vector<UINT>{172});
  CloseFrame(f);
}

}  // namespace
