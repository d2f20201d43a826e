#include "app/CQZ2SrvrItem.h"

#include <QtCore/QBuffer>
#include <QtCore/QByteArray>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtSvg/QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "app/CQZ2Doc.h"
#include "app/CQZ2OleDataSource.h"
#include "app/CQZ2TabView.h"
#include "commands/edit/ClipDocument.h"
#include "commands/edit/ClipboardCopy2dCommand.h"
#include "platform/afx/CException.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinClipboard.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Text2dFeature.h"

namespace {

constexpr UINT IDP_KEEP_CLIPBOARD = 10065;
// A copy of this many shapes is worth a question before it is rendered at close.
constexpr long kLargeClip = 10;
// Pictures: metafile units of 1/1200 inch, bitmaps at 200 dpi.
constexpr double kVectorDpi = 1200.0;
constexpr double kBitmapDpi = 200.0;
constexpr int kMaxPictureSide = 65536;

std::map<CQZ2Doc*, CQZ2SrvrItem*>& Items()
{
    static auto* items = new std::map<CQZ2Doc*, CQZ2SrvrItem*>;
    return *items;
}

BOOL PutOnClipboard(CQZ2Doc* pSource, QZ2Command::ClipDocument* pClip)
{
    CQZ2SrvrItem* pItem = pSource != nullptr ? CQZ2SrvrItem::GetItem(pSource, TRUE) : nullptr;
    if (pItem == nullptr) {
        delete pClip;
        return FALSE;
    }
    return pItem->CopyToClipboard(pClip);
}

BOOL GetTabViewInfo(CQZ2TabView* pTabView, DrawViewInfo& info)
{
    if (pTabView == nullptr)
        return FALSE;
    pTabView->SaveViewInfo(info);
    return TRUE;
}

const DrawingFeatureBase* ItemDrawing(const QZ2Command::ClipDocument& clip)
{
    return clip.GetActiveViewDrawing();
}

}  // namespace

CQZ2SrvrItem::CQZ2SrvrItem(CQZ2Doc* pDocument) : m_pDocument(pDocument) {}

CQZ2SrvrItem::~CQZ2SrvrItem() = default;

CQZ2SrvrItem* CQZ2SrvrItem::GetItem(CQZ2Doc* pDocument, BOOL bCreate)
{
    auto it = Items().find(pDocument);
    if (it != Items().end())
        return it->second;
    if (!bCreate || pDocument == nullptr)
        return nullptr;
    auto* pItem = new CQZ2SrvrItem(pDocument);
    Items()[pDocument] = pItem;
    return pItem;
}

void CQZ2SrvrItem::InstallServices()
{
    QZ2Command::ClipboardCopy2dCommand::AppServices services;
    services.pfnPutOnClipboard = &PutOnClipboard;
    services.pfnGetTabViewInfo = &GetTabViewInfo;
    QZ2Command::ClipboardCopy2dCommand::SetAppServices(services);
}

void CQZ2SrvrItem::RemoveServices()
{
    QZ2Command::ClipboardCopy2dCommand::SetAppServices(QZ2Command::ClipboardCopy2dCommand::AppServices());
}

BOOL CQZ2SrvrItem::CopyToClipboard(QZ2Command::ClipDocument* pClip)
{
    // The previous copy goes; a data source still on the clipboard keeps its own share of it.
    m_pClipDocument.reset(pClip);
    if (pClip == nullptr)
        return FALSE;
    auto* pSource = new CQZ2OleDataSource(m_pDocument, m_pClipDocument);
    pSource->FillDataSource();
    try {
        pSource->SetClipboard();
    } catch (CException* e) {
        e->Delete();
        delete pSource;
        return FALSE;
    }
    return TRUE;
}

void CQZ2SrvrItem::OnDocumentClosing(CQZ2Doc* pDocument)
{
    auto* pSource = dynamic_cast<CQZ2OleDataSource*>(COleDataSource::GetClipboardOwner());
    if (pSource != nullptr && pSource->GetDocument() == pDocument && pDocument != nullptr) {
        pSource->ForgetDocument();
        const long count = pSource->GetClip() != nullptr ? pSource->GetClip()->GetFeatureCount() : 0;
        if (count >= kLargeClip && AfxMessageBox(IDP_KEEP_CLIPBOARD, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            if (OpenClipboard(nullptr)) {
                EmptyClipboard();
                CloseClipboard();
            }
        } else {
            // Everything rendered now, so the data outlives the program too.
            try {
                COleDataSource::FlushClipboard();
            } catch (CException* e) {
                e->Delete();
            }
        }
    }
    auto it = Items().find(pDocument);
    if (it != Items().end()) {
        delete it->second;
        Items().erase(it);
    }
}

// ---------------------------------------------------------------------------------------------
// Sizes

void CQZ2SrvrItem::FitExtent(double& cx, double& cy)
{
    // A side of nothing (an empty drawing, one horizontal line) is as small as a picture may be.
    if (!(cx > 0.0))
        cx = 1000.0;
    if (!(cy > 0.0))
        cy = 1000.0;
    if (cx > 32000.0 || cy > 32000.0) {
        if (cy <= cx) {
            const double r = cx / 32000.0;
            cx = 32000.0;
            cy /= r;
        } else {
            const double r = cy / 32000.0;
            cy = 32000.0;
            cx /= r;
        }
    }
    if (!(cx >= 1000.0 && cy >= 1000.0)) {
        if (cy >= cx) {
            const double r = cx / 1000.0;
            cx = 1000.0;
            cy /= r;
        } else {
            const double r = cy / 1000.0;
            cy = 1000.0;
            cx /= r;
        }
    }
}

BOOL CQZ2SrvrItem::GetExtent(const QZ2Command::ClipDocument& clip, int& cx, int& cy)
{
    cx = cy = 0;
    const DrawingFeatureBase* pDrawing = ItemDrawing(clip);
    if (pDrawing == nullptr)
        return FALSE;
    double s = 1.0;
    if (const PartDrawingLayout* pLayout = pDrawing->GetSelfPartLayout())
        s = pLayout->GetScaleX();
    RuVaBndBox2d box;
    double w = 0.0, h = 0.0;
    if (clip.GetModel()->GetAllFeatureBox(pDrawing, box, 0) && !box.IsVoid()) {
        w = std::fabs(box.Width()) * s * 100.0;
        h = std::fabs(box.Height()) * s * 100.0;
    }
    FitExtent(w, h);
    cx = static_cast<int>(std::min(w, 2.0e9));
    cy = static_cast<int>(std::min(h, 2.0e9));
    return TRUE;
}

void CQZ2SrvrItem::GetBitmapSize(int cxExtent, int cyExtent, int& width, int& height)
{
    double w = std::max(1.0, std::floor(cxExtent * kBitmapDpi / 2540.0));
    double h = std::max(1.0, std::floor(cyExtent * kBitmapDpi / 2540.0));
    auto limitLarge = [&] {
        if (w * h > 9000000.0) {
            if (w >= h) {
                const double ratio = w / h;
                w = 3000.0;
                h = std::max(1.0, std::floor(3000.0 / ratio));
            } else {
                const double ratio = h / w;
                h = 3000.0;
                w = std::max(1.0, std::floor(3000.0 / ratio));
            }
        }
    };
    if (w * h > 9000000.0) {
        limitLarge();
    } else if (w * h < 1000000.0) {
        if (w <= h) {
            const double ratio = w / h;
            w = 1000.0;
            h = std::floor(1000.0 / ratio);
        } else {
            const double ratio = h / w;
            h = 1000.0;
            w = std::floor(1000.0 / ratio);
        }
        // Raising the small side of a long drawing must not break the upper bound.
        limitLarge();
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
}

void CQZ2SrvrItem::GetDrawingBoxWithMargin(const QZ2Command::ClipDocument& clip, RuVaPnt2d& lowerLeft,
                                           RuVaPnt2d& upperRight)
{
    lowerLeft = upperRight = RuVaPnt2d(0.0, 0.0);
    const DrawingFeatureBase* pDrawing = ItemDrawing(clip);
    RuVaBndBox2d box;
    if (pDrawing == nullptr || !clip.GetModel()->GetAllFeatureBox(pDrawing, box, 0) || box.IsVoid())
        return;
    const double mx = box.Width() * 0.05, my = box.Height() * 0.05;
    lowerLeft = RuVaPnt2d(box.XMin() - mx, box.YMin() - my);
    upperRight = RuVaPnt2d(box.XMax() + mx, box.YMax() + my);
}

// ---------------------------------------------------------------------------------------------
// Renderers

BOOL CQZ2SrvrItem::GetNativeData(const QZ2Command::ClipDocument& clip, CByteArray& bytes)
{
    return clip.WriteNativeData(bytes);
}

namespace {

// Draws the clip's drawing into the painter's w x h.
BOOL DrawClip(const QZ2Command::ClipDocument& clip, QPainter& painter, int w, int h)
{
    const DrawingFeatureBase* pDrawing = ItemDrawing(clip);
    if (pDrawing == nullptr)
        return FALSE;
    RuVaPnt2d lowerLeft, upperRight;
    CQZ2SrvrItem::GetDrawingBoxWithMargin(clip, lowerLeft, upperRight);
    if (lowerLeft.X() == upperRight.X() || lowerLeft.Y() == upperRight.Y()) {
        // Nothing (or a line without thickness) to fit: a square around it.
        const double cx = (lowerLeft.X() + upperRight.X()) / 2.0, cy = (lowerLeft.Y() + upperRight.Y()) / 2.0;
        const double half = std::max({std::fabs(upperRight.X() - lowerLeft.X()), std::fabs(upperRight.Y() - lowerLeft.Y()), 1.0}) / 2.0;
        lowerLeft = RuVaPnt2d(cx - half, cy - half);
        upperRight = RuVaPnt2d(cx + half, cy + half);
    }
    CDC dc;
    if (!dc.CreateFromPainter(&painter))
        return FALSE;
    const BOOL bDone = DrawingManager::DrawOleServerDocument(dc.GetSafeHdc(), clip.GetModel(), pDrawing->GetDrawingID(),
                                                             lowerLeft, upperRight, w, h, 0);
    dc.DeleteDC();
    return bDone;
}

void ToBytes(const QByteArray& from, CByteArray& to)
{
    to.SetSize(from.size());
    if (!from.isEmpty())
        std::memcpy(to.GetData(), from.constData(), static_cast<size_t>(from.size()));
}

}  // namespace

BOOL CQZ2SrvrItem::GetSvgData(const QZ2Command::ClipDocument& clip, CByteArray& bytes)
{
    bytes.RemoveAll();
    int cx = 0, cy = 0;
    if (!GetExtent(clip, cx, cy))
        return FALSE;
    // Device units of 1/1200 inch, fewer for a picture too long to draw at that resolution; the size in
    // millimetres stays the extent.
    double dpi = kVectorDpi;
    const double largest = std::max(cx, cy) * kVectorDpi / 2540.0;
    if (largest > kMaxPictureSide)
        dpi = kVectorDpi * kMaxPictureSide / largest;
    const int w = std::max(1, static_cast<int>(cx * dpi / 2540.0));
    const int h = std::max(1, static_cast<int>(cy * dpi / 2540.0));
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(static_cast<int>(std::lround(dpi)));
    generator.setSize(QSize(w, h));
    generator.setViewBox(QRect(0, 0, w, h));
    BOOL bDone = FALSE;
    {
        QPainter painter;
        if (!painter.begin(&generator))
            return FALSE;
        bDone = DrawClip(clip, painter, w, h);
        painter.end();
    }
    if (!bDone)
        return FALSE;
    ToBytes(svg, bytes);
    return !bytes.IsEmpty();
}

BOOL CQZ2SrvrItem::GetBitmapImage(const QZ2Command::ClipDocument& clip, QImage& image)
{
    int cx = 0, cy = 0;
    if (!GetExtent(clip, cx, cy))
        return FALSE;
    int w = 0, h = 0;
    GetBitmapSize(cx, cy, w, h);
    image = QImage(w, h, QImage::Format_ARGB32);
    if (image.isNull())
        return FALSE;
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(kBitmapDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    const BOOL bDone = DrawClip(clip, painter, w, h);
    painter.end();
    return bDone;
}

HGLOBAL CQZ2SrvrItem::GetDibData(const QZ2Command::ClipDocument& clip)
{
    QImage image;
    if (!GetBitmapImage(clip, image))
        return nullptr;
    const int w = image.width(), h = image.height();
    const SIZE_T stride = static_cast<SIZE_T>(w) * 4;
    const SIZE_T size = 40 + stride * static_cast<SIZE_T>(h);
    HGLOBAL hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    if (hGlobal == nullptr)
        return nullptr;
    auto* p = static_cast<BYTE*>(GlobalLock(hGlobal));
    std::memset(p, 0, 40);
    auto put32 = [p](int offset, quint32 v) {
        for (int i = 0; i < 4; ++i)
            p[offset + i] = static_cast<BYTE>((v >> (8 * i)) & 0xFF);
    };
    put32(0, 40);
    put32(4, static_cast<quint32>(w));
    put32(8, static_cast<quint32>(h));
    p[12] = 1;
    p[14] = 32;
    // The resolution goes along, so readers know the picture's size on paper.
    put32(24, static_cast<quint32>(image.dotsPerMeterX()));
    put32(28, static_cast<quint32>(image.dotsPerMeterY()));
    for (int y = 0; y < h; ++y)
        std::memcpy(p + 40 + stride * static_cast<SIZE_T>(y), image.constScanLine(h - 1 - y), stride);
    GlobalUnlock(hGlobal);
    return hGlobal;
}

CString CQZ2SrvrItem::GetTextData(const QZ2Command::ClipDocument& clip)
{
    CString text;
    const Draw2dDocument* pModel = clip.GetModel();
    for (long id = pModel->GetNextFeatureRecordID(nullptr, -1, 0); id != -1;
         id = pModel->GetNextFeatureRecordID(nullptr, id, 0)) {
        const auto* pText = dynamic_cast<const Text2dFeature*>(pModel->GetFeature(id));
        if (pText == nullptr)
            continue;
        if (!text.IsEmpty())
            text += _T("\n");
        text += pText->GetText();
    }
    return text;
}
