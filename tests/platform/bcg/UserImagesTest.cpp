// The images of user-defined buttons: registered with every toolbar, shown by the buttons marked as
// the user's, and refused when there is none to show.
#include <QtGui/QImage>
#include <QtWidgets/QToolBar>

#include "BcgFixture.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/bcg/CBCGPToolbarButton.h"

namespace {

QImage Square(QRgb colour) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

// The colour in the middle of the icon of a toolbar's button, 0 when it shows none.
QRgb IconColour(CBCGPToolBar& tb, int index) {
  auto* strip = qobject_cast<QToolBar*>(tb.GetLayoutWidget());
  if (!strip || index >= strip->actions().size()) return 0;
  const QIcon icon = strip->actions()[index]->icon();
  if (icon.isNull()) return 0;
  return icon.pixmap(16, 16).toImage().pixel(8, 8);
}

TEST_F(BcgTest, UserButtonsShowTheRegisteredUserImages) {
  CTestFrame* f = OpenFrame();
  CBCGPToolBarImages user;
  // The registration never outlives the images, whatever the test's outcome.
  struct Unregister {
    ~Unregister() { CBCGPToolBar::SetUserImages(nullptr); }
  } unregister;
  // Nothing to show is refused and changes nothing.
  EXPECT_FALSE(CBCGPToolBar::SetUserImages(&user));
  EXPECT_EQ(CBCGPToolBar::GetUserImages(), nullptr);
  // A strip of two images cut at 16 x 16.
  QImage strip(32, 16, QImage::Format_ARGB32);
  strip.fill(qRgb(200, 0, 0));
  for (int y = 0; y < 16; ++y)
    for (int x = 16; x < 32; ++x) strip.setPixel(x, y, qRgb(0, 0, 200));
  user.SetImageSize(CSize(16, 16));
  ASSERT_EQ(user.AddStrip(strip), 0);
  ASSERT_EQ(user.GetCount(), 2);
  ASSERT_TRUE(CBCGPToolBar::SetUserImages(&user));
  EXPECT_EQ(CBCGPToolBar::GetUserImages(), &user);

  // A user button shows its user image; a plain button with the same index shows the command image.
  const int at = f->m_wndShape.InsertButton(CBCGPToolbarButton(ID_CMD_CIRCLE, 1, u"Mine", TRUE));
  ASSERT_GE(at, 0);
  f->m_wndShape.AdjustLayout();
  EXPECT_EQ(IconColour(f->m_wndShape, at) & 0xFFFFFF, qRgb(0, 0, 200) & 0xFFFFFF);
  // A changed user image shows at the next layout.
  ASSERT_TRUE(user.SetImage(1, Square(qRgb(0, 160, 0))));
  f->m_wndShape.AdjustLayout();
  EXPECT_EQ(IconColour(f->m_wndShape, at) & 0xFFFFFF, qRgb(0, 160, 0) & 0xFFFFFF);

  // Unregistered, no toolbar reaches the images any more.
  ASSERT_TRUE(CBCGPToolBar::SetUserImages(nullptr));
  EXPECT_EQ(CBCGPToolBar::GetUserImages(), nullptr);
  f->m_wndShape.AdjustLayout();
  EXPECT_NE(IconColour(f->m_wndShape, at) & 0xFFFFFF, qRgb(0, 160, 0) & 0xFFFFFF);
  CloseFrame(f);
}

}  // namespace
