// Contexts: object selection and lifetime, saved states, mapping modes, clipping and the
// devices a context can draw on (bitmaps, images, painters, PDF).
#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/GdiApi.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST(Objects, SelectObjectHandsBackThePrevious) {
  MemoryDc m(10, 10);
  CPen red(PS_SOLID, 1, kRed), blue(PS_SOLID, 1, kBlue);
  CPen* first = m.dc.SelectObject(&red);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetSafeHandle(), GetStockObject(BLACK_PEN));
  EXPECT_EQ(m.dc.SelectObject(&blue), &red);
  EXPECT_EQ(m.dc.GetCurrentPen(), &blue);
  EXPECT_EQ(m.dc.SelectObject(first), &blue);
  CGdiObject* stock = m.dc.SelectStockObject(NULL_BRUSH);
  EXPECT_EQ(stock->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetObjectType(GetStockObject(NULL_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetObjectType(m.dc.GetSafeHdc()), static_cast<DWORD>(OBJ_MEMDC));
}

TEST(Objects, DeletingASelectedObjectIsSafe) {
  MemoryDc m(20, 20);
  {
    CPen pen(PS_SOLID, 1, kRed);
    m.dc.SelectObject(&pen);
  }  // deleted while selected: the context keeps drawing with it
  m.dc.MoveTo(0, 5);
  m.dc.LineTo(10, 5);
  EXPECT_EQ(m.At(3, 5), kRed);
  CPen* prev = m.dc.SelectObject(CPen::FromHandle(static_cast<HPEN>(GetStockObject(BLACK_PEN))));
  EXPECT_EQ(prev, nullptr);  // the deleted pen has no handle to give back
  // A bitmap deleted while selected keeps its pixels until the context lets go.
  auto* dc = new CDC;
  dc->CreateCompatibleDC(nullptr);
  auto* bmp = new CBitmap;
  bmp->CreateBitmap(4, 4, 1, 32, nullptr);
  dc->SelectObject(bmp);
  delete bmp;
  dc->SetPixel(1, 1, kRed);
  EXPECT_EQ(dc->GetPixel(1, 1), kRed);
  delete dc;
}

TEST(Objects, HandlesAndWrappers) {
  CBrush brush(kRed);
  HBRUSH h = brush;
  EXPECT_EQ(CBrush::FromHandle(h), &brush);
  HPEN raw = CreatePen(PS_DOT, 1, kBlue);
  CPen* wrapper = CPen::FromHandle(raw);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(CPen::FromHandle(raw), wrapper);  // one wrapper per handle
  LOGPEN lp{};
  EXPECT_EQ(wrapper->GetLogPen(&lp), static_cast<int>(sizeof(LOGPEN)));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
  EXPECT_EQ(lp.lopnColor, kBlue);
  EXPECT_TRUE(DeleteObject(raw));
  EXPECT_FALSE(DeleteObject(raw));
  EXPECT_EQ(CPen::FromHandle(raw), nullptr);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects survive
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
  int garbage = 0;
  EXPECT_FALSE(DeleteObject(&garbage));
  EXPECT_EQ(GetObject(&garbage, 0, nullptr), 0);
  LOGBRUSH lb{};
  EXPECT_EQ(brush.GetLogBrush(&lb), static_cast<int>(sizeof(LOGBRUSH)));
  EXPECT_EQ(lb.lbColor, kRed);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), kWhite);
  CBrush* sys = CBrush::FromHandle(GetSysColorBrush(COLOR_BTNFACE));
  ASSERT_NE(sys, nullptr);
  sys->GetLogBrush(&lb);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
}

TEST(State, SaveAndRestore) {
  MemoryDc m(20, 20);
  CPen red(PS_SOLID, 1, kRed);
  const int level = m.dc.SaveDC();
  EXPECT_EQ(level, 1);
  m.dc.SelectObject(&red);
  m.dc.SetTextColor(kBlue);
  m.dc.SetViewportOrg(5, 5);
  m.dc.IntersectClipRect(0, 0, 3, 3);
  m.dc.SaveDC();
  m.dc.SetROP2(R2_XORPEN);
  EXPECT_TRUE(m.dc.RestoreDC(-1));
  EXPECT_EQ(m.dc.GetROP2(), R2_COPYPEN);
  EXPECT_EQ(m.dc.GetTextColor(), kBlue);
  EXPECT_TRUE(m.dc.RestoreDC(level));
  EXPECT_EQ(m.dc.GetTextColor(), RGB(0, 0, 0));
  EXPECT_EQ(m.dc.GetViewportOrg(), CPoint(0, 0));
  EXPECT_EQ(m.dc.GetCurrentPen()->GetSafeHandle(), GetStockObject(BLACK_PEN));
  CRect clip;
  m.dc.GetClipBox(&clip);
  EXPECT_EQ(clip, CRect(0, 0, 20, 20));
  EXPECT_FALSE(m.dc.RestoreDC(1));
  EXPECT_FALSE(m.dc.RestoreDC(-3));
}

TEST(Mapping, OriginsShiftTheDrawing) {
  MemoryDc m(30, 30);
  m.dc.SetViewportOrg(10, 5);
  m.dc.SetWindowOrg(2, 1);
  m.dc.SetPixel(2, 1, kRed);
  EXPECT_EQ(m.dc.GetPixel(2, 1), kRed);
  m.dc.SetViewportOrg(0, 0);
  m.dc.SetWindowOrg(0, 0);
  EXPECT_EQ(m.At(10, 5), kRed);
  CPoint p(12, 7);
  m.dc.SetViewportOrg(10, 5);
  m.dc.DPtoLP(&p);
  EXPECT_EQ(p, CPoint(2, 2));
}

TEST(Mapping, MetricModesAndScaling) {
  MemoryDc m(200, 200);
  m.dc.SetMapMode(MM_LOMETRIC);  // 0.1 mm, y up
  CPoint p(254, -254);           // one inch right and down
  m.dc.LPtoDP(&p);
  EXPECT_EQ(p, CPoint(96, 96));
  m.dc.SetMapMode(MM_ANISOTROPIC);
  m.dc.SetWindowExt(10, 10);
  m.dc.SetViewportExt(100, 50);
  CBrush red(kRed);
  m.dc.SelectObject(&red);
  m.dc.SelectStockObject(NULL_PEN);
  m.dc.Rectangle(1, 1, 3, 3);
  m.dc.SetMapMode(MM_TEXT);
  EXPECT_EQ(m.InkBox(), CRect(10, 5, 29, 14));  // null pen: one pixel less
  m.dc.SelectStockObject(WHITE_BRUSH);
  m.dc.SelectStockObject(BLACK_PEN);
  m.dc.SetMapMode(MM_ISOTROPIC);
  m.dc.SetWindowExt(10, 10);
  m.dc.SetViewportExt(100, 50);
  EXPECT_EQ(m.dc.GetViewportExt(), CSize(50, 50));
}

TEST(Clipping, RectsAndRegions) {
  MemoryDc m(40, 40);
  CBrush red(kRed);
  CRect all(0, 0, 40, 40);
  EXPECT_EQ(m.dc.IntersectClipRect(10, 10, 30, 30), SIMPLEREGION);
  EXPECT_EQ(m.dc.ExcludeClipRect(15, 15, 25, 25), COMPLEXREGION);
  m.dc.FillRect(&all, &red);
  m.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(m.At(9, 9), kWhite);
  EXPECT_EQ(m.At(10, 10), kRed);
  EXPECT_EQ(m.At(20, 20), kWhite);
  EXPECT_EQ(m.At(29, 29), kRed);
  EXPECT_EQ(m.At(30, 30), kWhite);

  MemoryDc e(40, 40);
  CRgn ellipse;
  ellipse.CreateEllipticRgn(0, 0, 40, 40);
  e.dc.SelectClipRgn(&ellipse);
  EXPECT_TRUE(e.dc.PtVisible(20, 20));
  EXPECT_FALSE(e.dc.PtVisible(1, 1));
  CRect box;
  EXPECT_EQ(e.dc.GetClipBox(&box), COMPLEXREGION);
  EXPECT_EQ(box, CRect(0, 0, 40, 40));
  e.dc.FillRect(&all, &red);
  e.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(e.At(1, 1), kWhite);
  EXPECT_EQ(e.At(20, 20), kRed);
  // The region is copied: changing it afterwards does not move the clip.
  e.dc.SelectClipRgn(&ellipse);
  ellipse.SetRectRgn(0, 0, 1, 1);
  EXPECT_TRUE(e.dc.PtVisible(20, 20));
  CRgn copy;
  EXPECT_EQ(e.dc.GetClipRgn(&copy), 1);
  EXPECT_TRUE(copy.PtInRegion(20, 20));
}

TEST(Devices, ScreenAndMemoryCapabilities) {
  CDC ic;
  ASSERT_TRUE(ic.CreateIC(nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(ic.GetDeviceCaps(LOGPIXELSX), 96);
  EXPECT_EQ(ic.GetDeviceCaps(LOGPIXELSY), 96);
  EXPECT_GT(ic.GetDeviceCaps(HORZRES), 0);
  EXPECT_GT(ic.GetDeviceCaps(HORZSIZE), 0);
  EXPECT_EQ(ic.GetDeviceCaps(BITSPIXEL), 32);
  EXPECT_EQ(ic.GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(ic.GetDeviceCaps(PHYSICALWIDTH), 0);
  EXPECT_EQ(ic.GetPixel(0, 0), CLR_INVALID);  // nothing to read on an information context
  EXPECT_FALSE(ic.IsPrinting());
  EXPECT_EQ(GetDeviceCaps(ic.GetSafeHdc(), LOGPIXELSY), 96);
}

TEST(Devices, ImageDevice) {
  QImage img(50, 20, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateFromPaintDevice(&img));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    CPen pen(PS_SOLID, 1, kRed);
    dc.SelectObject(&pen);
    dc.SetROP2(R2_XORPEN);
    dc.MoveTo(0, 10);
    dc.LineTo(50, 10);
    dc.SetROP2(R2_COPYPEN);
    dc.MoveTo(0, 3);
    dc.LineTo(50, 3);
    dc.SelectStockObject(BLACK_PEN);
  }
  EXPECT_EQ(img.pixel(5, 10) & 0xFFFFFF, 0x00FFFFu);  // white XOR red
  EXPECT_EQ(img.pixel(5, 3) & 0xFFFFFF, 0xFF0000u);
}

TEST(Devices, PainterOfSomeoneElse) {
  QImage img(40, 40, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter painter(&img);
  painter.translate(10, 10);  // a child's offset inside its parent
  painter.setPen(Qt::green);
  {
    CDC dc;
    CRect paint(0, 0, 20, 20);
    ASSERT_TRUE(dc.CreateFromPainter(&painter, &paint));
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, paint);
    CBrush red(kRed);
    CRect all(0, 0, 40, 40);
    dc.FillRect(&all, &red);
    dc.IntersectClipRect(0, 0, 5, 5);
  }
  // The painter is handed back as it was.
  EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
  EXPECT_FALSE(painter.hasClipping());
  painter.end();
  EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(img.pixel(9, 9) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(Devices, PdfPages) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("out.pdf"));
  {
    QPdfWriter pdf(path);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    CDC dc;
    ASSERT_TRUE(dc.CreateFromPaintDevice(&pdf));
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_NEAR(dc.GetDeviceCaps(PHYSICALWIDTH), 2480, 2);  // 210 mm at 300 dpi
    EXPECT_NEAR(dc.GetDeviceCaps(PHYSICALOFFSETX), 118, 2);  // 10 mm
    EXPECT_NEAR(dc.GetDeviceCaps(HORZRES), 2480 - 2 * 118, 3);
    EXPECT_NEAR(dc.GetDeviceCaps(HORZSIZE), 190, 1);
    dc.StartDoc(u"test");
    for (int page = 0; page < 2; ++page) {
      dc.StartPage();
      dc.Rectangle(100, 100, 1000, 1000);
      dc.TextOut(200, 200, u"page", 4);
      dc.EndPage();
    }
    dc.EndDoc();
  }
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
}

}  // namespace
