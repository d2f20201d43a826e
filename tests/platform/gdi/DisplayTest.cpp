// Pictures drawn on bitmaps come out the same with a display (a virtual X server, when one
// can be started) as offscreen.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

QImage Picture() {
  MemoryDc m(160, 90);
  CPen dash(PS_DASHDOT, 1, RGB(200, 0, 0)), wide(PS_SOLID, 5, RGB(0, 90, 0));
  CBrush hatch(HS_DIAGCROSS, RGB(0, 0, 160));
  m.dc.SelectObject(&dash);
  m.dc.SelectObject(&hatch);
  m.dc.Ellipse(5, 5, 70, 50);
  m.dc.SelectObject(&wide);
  m.dc.MoveTo(80, 10);
  m.dc.LineTo(150, 40);
  for (BYTE quality : {BYTE(DEFAULT_QUALITY), BYTE(NONANTIALIASED_QUALITY)}) {
    CFont font;
    LOGFONT lf{};
    lf.lfHeight = -15;
    lf.lfWeight = quality == DEFAULT_QUALITY ? FW_BOLD : FW_NORMAL;
    lf.lfQuality = quality;
    font.CreateFontIndirect(&lf);
    CFont* old = m.dc.SelectObject(&font);
    CRect r(5, quality == DEFAULT_QUALITY ? 52 : 70, 155, 90);
    m.dc.SetBkMode(TRANSPARENT);
    m.dc.DrawText(CString(u"Text &with 日本語"), &r, DT_SINGLELINE);
    m.dc.SelectObject(old);
  }
  m.dc.SelectStockObject(BLACK_PEN);
  m.dc.SelectStockObject(WHITE_BRUSH);
  return m.bmp.GetImage();
}

// Run in a child process under a display: writes the picture where it is asked to.
TEST(Display, DumpPicture) {
  const QByteArray out = qgetenv("KC_GDI_DUMP_PICTURE");
  if (out.isEmpty()) GTEST_SKIP() << "only run as the child of SamePixelsWithAndWithoutDisplay";
  ASSERT_TRUE(Picture().save(QString::fromLocal8Bit(out), "PNG"));
}

TEST(Display, SamePixelsWithAndWithoutDisplay) {
  if (!qgetenv("KC_GDI_DUMP_PICTURE").isEmpty()) GTEST_SKIP();
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
  env.insert(QStringLiteral("KC_GDI_DUMP_PICTURE"), path);
  child.setProcessEnvironment(env);
  child.start(xvfb, {QStringLiteral("-a"), QCoreApplication::applicationFilePath(),
                     QStringLiteral("--gtest_filter=Display.DumpPicture")});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QImage there(path);
  if (there.isNull()) GTEST_SKIP() << "the virtual X server did not start: " << child.readAllStandardError().toStdString();
  ASSERT_EQ(there.size(), here.size());
  int differing = 0;
  for (int y = 0; y < here.height(); ++y)
    for (int x = 0; x < here.width(); ++x) differing += (here.pixel(x, y) & 0xFFFFFF) != (there.pixel(x, y) & 0xFFFFFF);
  EXPECT_EQ(differing, 0);
}

}  // namespace
