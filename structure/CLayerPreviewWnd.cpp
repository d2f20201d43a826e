#include "structure/CLayerPreviewWnd.h"

#include <QtGui/QPainter>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CRect.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CPaintDC.h"

IMPLEMENT_DYNAMIC(CLayerPreviewWnd, CWnd)

BEGIN_MESSAGE_MAP(CLayerPreviewWnd, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CLayerPreviewWnd::CLayerPreviewWnd() = default;
CLayerPreviewWnd::~CLayerPreviewWnd() = default;

BOOL CLayerPreviewWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CLayerPreviewWnd::Drop()
{
    m_pPicture.reset();
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

BOOL CLayerPreviewWnd::SetDocument(Draw2dDocument* pDocument)
{
    m_pDocument = pDocument;
    m_pPicture.reset();
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
    return TRUE;
}

BOOL CLayerPreviewWnd::SetLayer(long nLayerID)
{
    m_layerIDs.assign(1, nLayerID);
    Drop();
    return TRUE;
}

BOOL CLayerPreviewWnd::SetLayers(const CDWordArray& ids)
{
    m_layerIDs.clear();
    for (int i = 0; i < ids.GetSize(); ++i)
        m_layerIDs.push_back(static_cast<long>(ids[i]));
    Drop();
    return TRUE;
}

BOOL CLayerPreviewWnd::SetDrawing(long nDrawingID)
{
    m_nDrawingID = nDrawingID;
    Drop();
    return TRUE;
}

BOOL CLayerPreviewWnd::SetPreviewOption(int nOption)
{
    m_nPreviewOption = nOption;
    Drop();
    return TRUE;
}

BOOL CLayerPreviewWnd::SetBackColor(COLORREF color)
{
    if (color != m_backColor) {
        m_backColor = color;
        Drop();
    }
    return TRUE;
}

BOOL CLayerPreviewWnd::Refresh()
{
    Drop();
    return TRUE;
}

std::vector<long> CLayerPreviewWnd::CollectLayers() const
{
    std::vector<long> layers;
    if (m_pDocument == nullptr)
        return layers;
    const LayerFeatureTable* pTable = m_pDocument->GetLayerTable();
    for (long id : m_layerIDs) {
        if (id != -1 && pTable->IsGroup(id)) {
            CArray<long, long> below;
            pTable->GetChildLayerList(id, below, TRUE, FALSE);
            for (int i = 0; i < below.GetSize(); ++i)
                layers.push_back(below[i]);
        } else if (id != -1) {
            layers.push_back(id);
        }
    }
    return layers;
}

void CLayerPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pDocument == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    QPainter* pPainter = dc.GetQPainter();
    if (pPainter == nullptr)
        return;
    pPainter->save();
    pPainter->fillRect(QRect(client.left, client.top, client.Width(), client.Height()), QColor(238, 242, 251));
    pPainter->setPen(QColor(128, 128, 128));
    pPainter->setBrush(Qt::NoBrush);
    pPainter->drawRect(client.left, client.top, client.Width() - 1, client.Height() - 1);
    if (!m_pPicture) {
        ++m_nRenderCount;
        QImage* pImage = DrawingManager::CreateLayerFeatureImage(m_pDocument, CollectLayers(),
                                                                 m_nPreviewOption == 2 ? 2 : 0, m_nDrawingID,
                                                                 client.Width() - 10, client.Height() - 10,
                                                                 m_backColor, 0);
        m_pPicture.reset(pImage);
    }
    if (m_pPicture && !m_pPicture->isNull()) {
        const int w = m_pPicture->width();
        const int h = m_pPicture->height();
        const int x = (client.Width() - w) / 2;
        const int y = (client.Height() - h) / 2;
        pPainter->drawImage(x, y, *m_pPicture);
        pPainter->drawRect(x, y, w - 1, h - 1);
    }
    pPainter->restore();
}

void CLayerPreviewWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Drop();
}

BOOL CLayerPreviewWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
