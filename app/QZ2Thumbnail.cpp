#include "app/QZ2Thumbnail.h"

#include <QtGui/QPainter>
#include <QtGui/QPen>
#include <QtGui/QPolygonF>

#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtGui/QImage>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Paper2dFeature.h"
#include "app/QZ2DocumentProperties.h"
#include "app/QZ2NativeFile.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CException.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/CompoundStream.h"
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
        // A paper drawn at a scale is pictured at that scale.
        const double scale = static_cast<const Paper2dFeature*>(pDrawing)->GetPrintScale();
        if (scale > 1e-7 && scale != 1.0) {
            w /= scale;
            h /= scale;
        }
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

BOOL QZ2Thumbnail::GetRegion(Draw2dDocument* pDocument, RuVaPnt2d& lower, RuVaPnt2d& upper)
{
    if (pDocument == nullptr)
        return FALSE;
    const DrawingFeatureBase* pDrawing = pDocument->GetActiveDrawingFeature();
    return pDrawing != nullptr && RegionOf(pDocument, pDrawing, lower, upper) ? TRUE : FALSE;
}

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

namespace {

// Little-endian reads over a bounded span; every read checks what is left.
class Span
{
public:
    Span(const BYTE* p, size_t n) : m_p(p), m_n(n) {}
    size_t Left() const { return m_n - m_at; }
    size_t At() const { return m_at; }
    bool Skip(size_t n)
    {
        if (n > Left())
            return false;
        m_at += n;
        return true;
    }
    bool U16(DWORD& v)
    {
        if (Left() < 2)
            return false;
        v = m_p[m_at] | (static_cast<DWORD>(m_p[m_at + 1]) << 8);
        m_at += 2;
        return true;
    }
    bool U32(DWORD& v)
    {
        DWORD lo = 0, hi = 0;
        if (Left() < 4 || !U16(lo) || !U16(hi))
            return false;
        v = lo | (hi << 16);
        return true;
    }
    const BYTE* Here() const { return m_p + m_at; }

private:
    const BYTE* m_p;
    size_t m_n;
    size_t m_at = 0;
};

// A device-independent bitmap of 24 bits, as a bitmap record of the metafile carries it.
bool ReadDib(const BYTE* p, size_t n, QImage& image)
{
    Span in(p, n);
    DWORD headerSize = 0, width = 0, height = 0, planes = 0, bits = 0, compression = 0, sizeImage = 0;
    DWORD skip = 0, colorsUsed = 0;
    if (!in.U32(headerSize) || headerSize < 40 || headerSize > n || !in.U32(width) || !in.U32(height) ||
        !in.U16(planes) || !in.U16(bits) || !in.U32(compression) || !in.U32(sizeImage) || !in.U32(skip) ||
        !in.U32(skip) || !in.U32(colorsUsed))
        return false;
    const auto w = static_cast<int32_t>(width);
    const auto h = static_cast<int32_t>(height);
    if (planes != 1 || bits != 24 || compression != 0 || w <= 0 || w > QZ2Thumbnail::kMaxReadSide || h == 0 ||
        h < -QZ2Thumbnail::kMaxReadSide || h > QZ2Thumbnail::kMaxReadSide || colorsUsed > 256)
        return false;
    const size_t rows = static_cast<size_t>(h < 0 ? -h : h);
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t offset = headerSize + colorsUsed * 4;
    if (offset > n || stride * rows > n - offset)
        return false;
    // The stored bytes run blue, green, red: rows are copied as they are.
    QImage out(w, static_cast<int>(rows), QImage::Format_BGR888);
    if (out.isNull())
        return false;
    const BYTE* pixels = p + offset;
    for (size_t y = 0; y < rows; ++y) {
        // Rows run bottom-up unless the height is negative.
        const BYTE* src = pixels + stride * (h > 0 ? rows - 1 - y : y);
        std::memcpy(out.scanLine(static_cast<int>(y)), src, static_cast<size_t>(w) * 3);
    }
    image = out;
    return true;
}

}  // namespace

BOOL QZ2Thumbnail::Read(const BYTE* pData, size_t nSize, QImage& image)
{
    image = QImage();
    if (pData == nullptr)
        return FALSE;
    Span in(pData, nSize);
    DWORD size = 0, marker = 0, format = 0, mapMode = 0, xExt = 0, yExt = 0, reserved = 0;
    if (!in.U32(size) || size < 16 || size > in.Left() || !in.U32(marker) || marker != 0xFFFFFFFF ||
        !in.U32(format) || format != 3 || !in.U16(mapMode) || !in.U16(xExt) || !in.U16(yExt) || !in.U16(reserved))
        return FALSE;
    // The metafile: the size field bounds it, whatever follows.
    Span mf(in.Here(), size - 12);
    DWORD type = 0, headerWords = 0;
    if (!mf.U16(type) || (type != 1 && type != 2) || !mf.U16(headerWords) || headerWords != 9 ||
        !mf.Skip(headerWords * 2 - 4))
        return FALSE;
    while (mf.Left() >= 6) {
        DWORD words = 0, function = 0;
        if (!mf.U32(words) || !mf.U16(function))
            return FALSE;
        if (function == 0)
            break;
        if (words < 3 || words > (mf.Left() + 6) / 2)
            return FALSE;
        const size_t length = static_cast<size_t>(words) * 2;
        const BYTE* record = mf.Here();
        const size_t body = length - 6;
        // Stretched bitmaps: with a usage word (0x0F43) or without (0x0B41), then eight coordinates.
        size_t dibAt = 0;
        if (function == 0x0F43)
            dibAt = 4 + 2 + 16;
        else if (function == 0x0B41)
            dibAt = 4 + 16;
        if (dibAt != 0 && body > dibAt && ReadDib(record + dibAt, body - dibAt, image))
            return TRUE;
        if (!mf.Skip(body))
            return FALSE;
    }
    return FALSE;
}

BOOL QZ2Thumbnail::ReadFile(const QString& path, QImage& image, QString* pTitle, QString* pAuthor)
{
    image = QImage();
    QFile file(path);
    // The whole compound file is read into memory: a bound keeps a huge file out.
    constexpr qint64 kMaxFile = 512ll * 1024 * 1024;
    // The largest picture the reader takes, with room for its headers.
    constexpr ULONGLONG kMaxStream = 4ull * kMaxReadSide * kMaxReadSide + 4096;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFile)
        return FALSE;
    const QByteArray data = file.readAll();
    file.close();
    try {
        CompoundFile compound;
        // Only the picture and the property sets are read: the drawing itself is left alone.
        compound.OpenRootStreamsFromMemory(
            reinterpret_cast<const BYTE*>(data.constData()), static_cast<SIZE_T>(data.size()),
            [](const CString& name) -> BOOL {
                return name == QZ2NativeFile::kThumbnailStreamName || (!name.IsEmpty() && name[0] == u'\x05');
            });
        const CompoundStorage* pRoot = compound.GetRootStorage();
        if (pRoot == nullptr)
            return FALSE;
        if (pTitle != nullptr || pAuthor != nullptr) {
            QZ2DocumentProperties properties;
            properties.Load(pRoot);
            if (pTitle != nullptr)
                *pTitle = properties.m_strTitle.ToQString();
            if (pAuthor != nullptr)
                *pAuthor = properties.m_strAuthor.ToQString();
        }
        std::shared_ptr<CompoundStream> stream;
        if (pRoot->OpenStream(QZ2NativeFile::kThumbnailStreamName, STGM_READ, &stream) != S_OK || !stream ||
            stream->GetSize() > kMaxStream)
            return FALSE;
        return Read(stream->GetData(), static_cast<size_t>(stream->GetSize()), image);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

int QZ2Thumbnail::RunThumbnailer(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    bool bSize = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&bSize);
    if (!bSize || size <= 0 || size > kMaxReadSide)
        return 2;
    QImage image;
    if (!ReadFile(QFile::decodeName(argv[0]), image))
        return 1;
    if (image.width() > size || image.height() > size)
        image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image.save(QFile::decodeName(argv[1]), "PNG") ? 0 : 2;
}
