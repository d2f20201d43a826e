// GDI+ pictures on bitmaps come out the same with a display (a virtual X server, when one
// can be started) as offscreen.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/HatchBrush.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/SolidBrush.h"
#include "platform/gdiplus/StringFormat.h"
#include "tests/platform/gdiplus/Canvas.h"

using namespace Gdiplus;

namespace {

QImage Picture() {
  Canvas c(160, 90);
  Graphics& g = c.G();
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  Pen pen(Color(200, 0, 0), 2.5f);
  pen.SetEndCap(LineCapArrowAnchor);
  g.DrawLine(&pen, 5.0f, 5.0f, 150.0f, 40.0f);
  HatchBrush hatch(HatchStyleWeave, Color(0, 0, 160), Color(255, 255, 255));
  g.FillEllipse(&hatch, 10, 10, 50, 30);
  Font font(u"sans-serif", 11, FontStyleRegular, UnitPoint);
  SolidBrush black(Color(0, 0, 0));
  g.SetTextRenderingHint(TextRenderingHintAntiAlias);
  g.DrawString(u"Text 日本語", -1, &font, RectF(5, 45, 150, 20), nullptr, &black);
  g.SetTextRenderingHint(TextRenderingHintSingleBitPerPixelGridFit);
  g.DrawString(u"Crisp text", -1, &font, RectF(5, 65, 150, 20), nullptr, &black);
  c.Finish();
  return c.bmp.Native().copy();
}

TEST(GdiplusDisplay, DumpPicture) {
  const QByteArray out = qgetenv("KC_GDIPLUS_DUMP_PICTURE");
  if (out.isEmpty()) GTEST_SKIP() << "only run as the child of SamePixelsWithAndWithoutDisplay";
  ASSERT_TRUE(Picture().save(QString::fromLocal8Bit(out), "PNG"));
}

TEST(GdiplusDisplay, SamePixelsWithAndWithoutDisplay) {
  if (!qgetenv("KC_GDIPLUS_DUMP_PICTURE").isEmpty()) GTEST_SKIP();
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
  if (xvfb.isEmpty()) GTEST_SKIP() << "no virtual X server to compare with";
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
  const QImage here = Picture();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("display.png"));
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("KC_GDIPLUS_DUMP_PICTURE"), path);
  child.setProcessEnvironment(env);
  child.start(xvfb, {QStringLiteral("-a"), QCoreApplication::applicationFilePath(),
                     QStringLiteral("--gtest_filter=GdiplusDisplay.DumpPicture")});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QImage there(path);
  if (there.isNull()) GTEST_SKIP() << "the virtual X server did not start: " << child.readAllStandardError().toStdString();
  ASSERT_EQ(there.size(), here.size());
  int differing = 0;
  for (int y = 0; y < here.height(); ++y)
    for (int x = 0; x < here.width(); ++x) differing += here.pixel(x, y) != there.pixel(x, y);
  EXPECT_EQ(differing, 0);
}

}  // namespace
