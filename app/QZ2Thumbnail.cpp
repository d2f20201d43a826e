#include "app/QZ2Thumbnail.h"

#include <QtGui/QPainter>
#include <QtGui/QPen>
#include <QtGui/QPolygonF>

#include <cstring>

#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/afx/CByteArray.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/GdiTypes.h"

namespace {

void Put16(CByteArray& out, WORD value)
{
    out.Add(static_cast<BYTE>(value & 0xFF));
    out.Add(static_cast<BYTE>(value >> 8));
}

void Put32(CByteArray& out, DWORD value)
{
    Put16(out, static_cast<WORD>(value & 0xFFFF));
    Put16(out, static_cast<WORD>(value >> 16));
}

// The region of the drawing to picture, in its own coordinates.
bool RegionOf(Draw2dDocument* pDocument, const DrawingFeatureBase* pDrawing, RuVaPnt2d& lower, RuVaPnt2d& upper)
{
    lower.SetCoord(0.0, 0.0);
    if (pDrawing->IsPaperFeature()) {
        double w = 0.0, h = 0.0;
        static_cast<const Paper2dFeature*>(pDrawing)->GetPaperSize(w, h);
        if (!(w > 0.0) || !(h > 0.0))
            return false;
        upper.SetCoord(w, h);
        return true;
    }
    RuVaBndBox2d box;
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    if (!pDocument->GetAllFeatureBox(pDrawing, box, 0) || box.IsVoid() || !box.Get(x0, y0, x1, y1)) {
        upper.SetCoord(420.0, 297.0);
        return true;
    }
    const double mx = (x1 - x0) * 0.05, my = (y1 - y0) * 0.05;
    lower.SetCoord(x0 - mx, y0 - my);
    upper.SetCoord(x1 + mx, y1 + my);
    return true;
}

}  // namespace

BOOL QZ2Thumbnail::Build(Draw2dDocument* pDocument, CByteArray& bytes)
{
    if (pDocument == nullptr)
        return FALSE;
    const DrawingFeatureBase* pDrawing = pDocument->GetActiveDrawingFeature();
    if (pDrawing == nullptr)
        return FALSE;
    RuVaPnt2d lower, upper;
    if (!RegionOf(pDocument, pDrawing, lower, upper))
        return FALSE;

    // A bottom-up 24-bit picture, as a metafile's bitmap record carries it.
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = kSize;
    bmi.bmiHeader.biHeight = kSize;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = ((kSize * 3) + 3) & ~3u;
    const DWORD imageSize = stride * kSize;
    bmi.bmiHeader.biSizeImage = imageSize;

    HDC hDC = CreateCompatibleDC(nullptr);
    if (hDC == nullptr)
        return FALSE;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap == nullptr || pBits == nullptr) {
        DeleteDC(hDC);
        return FALSE;
    }
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    RuVaPnt2d frame[5];
    BOOL bDrawn = DrawingManager::DrawDrawingFeature(hDC, pDocument, pDrawing->GetDrawingID(), lower, upper, kSize,
                                                     kSize, 1, 1, frame);
    if (bDrawn) {
        if (QPainter* p = CDC::FromHandle(hDC)->GetQPainter()) {
            QPolygonF outline;
            for (const RuVaPnt2d& point : frame)
                outline << QPointF(point.X(), point.Y());
            QPen pen(Qt::black);
            pen.setWidth(1);
            p->setPen(pen);
            p->drawPolyline(outline);
        }
        GdiFlush();
    }
    std::vector<BYTE> pixels;
    if (bDrawn)
        pixels.assign(static_cast<const BYTE*>(pBits), static_cast<const BYTE*>(pBits) + imageSize);
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    if (!bDrawn)
        return FALSE;

    // The metafile: header, window origin and extent, the picture stretched over it, end.
    CByteArray record;
    Put32(record, 0);  // size, filled in below
    Put16(record, 0x0F43);  // stretch a device-independent bitmap
    Put32(record, 0x00CC0020);  // copy the source
    Put16(record, DIB_RGB_COLORS);
    Put16(record, kSize);  // source height, width, y, x
    Put16(record, kSize);
    Put16(record, 0);
    Put16(record, 0);
    Put16(record, kSize);  // destination height, width, y, x
    Put16(record, kSize);
    Put16(record, 0);
    Put16(record, 0);
    const BYTE* pHeader = reinterpret_cast<const BYTE*>(&bmi.bmiHeader);
    for (size_t i = 0; i < sizeof(BITMAPINFOHEADER); ++i)
        record.Add(pHeader[i]);
    for (BYTE b : pixels)
        record.Add(b);
    if (record.GetSize() % 2 != 0)
        record.Add(0);
    const DWORD recordWords = static_cast<DWORD>(record.GetSize() / 2);
    for (int i = 0; i < 4; ++i)
        record[i] = static_cast<BYTE>((recordWords >> (8 * i)) & 0xFF);

    CByteArray metafile;
    const DWORD totalWords = 9 + 5 + 5 + recordWords + 3;
    Put16(metafile, 1);       // in memory
    Put16(metafile, 9);       // header size in words
    Put16(metafile, 0x0300);  // version
    Put32(metafile, totalWords);
    Put16(metafile, 0);  // objects
    Put32(metafile, recordWords);
    Put16(metafile, 0);
    Put32(metafile, 5);  // window origin (0, 0)
    Put16(metafile, 0x020B);
    Put16(metafile, 0);
    Put16(metafile, 0);
    Put32(metafile, 5);  // window extent
    Put16(metafile, 0x020C);
    Put16(metafile, kSize);
    Put16(metafile, kSize);
    metafile.Append(record);
    Put32(metafile, 3);  // end
    Put16(metafile, 0);

    bytes.RemoveAll();
    Put32(bytes, static_cast<DWORD>(metafile.GetSize() + 16));
    Put32(bytes, 0xFFFFFFFF);
    Put32(bytes, 3);  // CF_METAFILEPICT
    Put16(bytes, 1);
    Put16(bytes, kSize);
    Put16(bytes, kSize);
    Put16(bytes, 0);
    bytes.Append(metafile);
    return TRUE;
}
