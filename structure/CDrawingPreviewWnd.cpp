#include "structure/CDrawingPreviewWnd.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CPaintDC.h"

IMPLEMENT_DYNAMIC(CDrawingPreviewWnd, CWnd)

BEGIN_MESSAGE_MAP(CDrawingPreviewWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDrawingPreviewWnd::CDrawingPreviewWnd() = default;

CDrawingPreviewWnd::~CDrawingPreviewWnd() = default;

BOOL CDrawingPreviewWnd::Create(const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_CLIPSIBLINGS, rect, pParentWnd, nID);
}

void CDrawingPreviewWnd::SetDocument(Draw2dDocument* pDocument)
{
    m_pDocument = pDocument;
    InvalidateImage();
}

void CDrawingPreviewWnd::SetDrawing(long nDrawingID)
{
    m_drawingIDs.assign(1, nDrawingID);
    InvalidateImage();
}

void CDrawingPreviewWnd::SetDrawings(const std::vector<long>& drawingIDs)
{
    m_drawingIDs = drawingIDs;
    InvalidateImage();
}

void CDrawingPreviewWnd::SetImageMode(int nMode)
{
    m_nImageMode = nMode;
    InvalidateImage();
}

void CDrawingPreviewWnd::InvalidateImage()
{
    m_pImage.reset();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

QImage* CDrawingPreviewWnd::CreatePapersImage(Draw2dDocument* pDocument, const std::vector<long>& drawingIDs,
                                              int nWidth, int nHeight)
{
    std::vector<long> ids;
    for (long id : drawingIDs)
        if (pDocument != nullptr && pDocument->ChangeDrawingFeature(id) != nullptr)
            ids.push_back(id);
    if (ids.empty() || nWidth <= 0 || nHeight <= 0)
        return nullptr;
    // A grid as near to square cells as the window allows.
    const int count = static_cast<int>(ids.size());
    int columns = 1;
    double best = -1.0;
    for (int c = 1; c <= count; ++c) {
        const int rows = (count + c - 1) / c;
        const double cell = std::min(static_cast<double>(nWidth) / c, static_cast<double>(nHeight) / rows);
        if (cell > best) {
            best = cell;
            columns = c;
        }
    }
    const int rows = (count + columns - 1) / columns;
    const int gap = count > 1 ? 6 : 0;
    const int cellW = (nWidth - gap * (columns - 1)) / columns;
    const int cellH = (nHeight - gap * (rows - 1)) / rows;
    if (cellW <= 0 || cellH <= 0)
        return nullptr;
    if (count == 1)
        return DrawingManager::CreateDrawingFeatureImage(pDocument, ids[0], cellW, cellH, RGB(255, 255, 255));
    auto* pImage = new QImage(nWidth, nHeight, QImage::Format_ARGB32);
    pImage->fill(QColor(238, 242, 251));
    QPainter painter(pImage);
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<QImage> tile(
            DrawingManager::CreateDrawingFeatureImage(pDocument, ids[static_cast<size_t>(i)], cellW, cellH, RGB(255, 255, 255)));
        if (tile == nullptr)
            continue;
        const int x = (i % columns) * (cellW + gap) + (cellW - tile->width()) / 2;
        const int y = (i / columns) * (cellH + gap) + (cellH - tile->height()) / 2;
        painter.drawImage(x, y, *tile);
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(x, y, tile->width() - 1, tile->height() - 1);
    }
    return pImage;
}

void CDrawingPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pDocument == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(238, 242, 251));
    if (m_pImage == nullptr)
        m_pImage.reset(CreatePapersImage(m_pDocument, m_drawingIDs, client.Width() - 10, client.Height() - 10));
    if (m_pImage == nullptr || m_pImage->isNull())
        return;
    const int x = (client.Width() - m_pImage->width()) / 2;
    const int y = (client.Height() - m_pImage->height()) / 2;
    CBitmap bitmap;
    if (!bitmap.CreateFromImage(*m_pImage))
        return;
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* pOld = memory.SelectObject(&bitmap);
    dc.BitBlt(x, y, m_pImage->width(), m_pImage->height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(pOld);
    CPen pen(PS_SOLID, 1, RGB(128, 128, 128));
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(x, y, x + m_pImage->width(), y + m_pImage->height());
    dc.SelectObject(pOldPen);
}

BOOL CDrawingPreviewWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CDrawingPreviewWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    InvalidateImage();
}
