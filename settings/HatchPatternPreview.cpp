#include "settings/HatchPatternPreview.h"

#include <QtGui/QPainter>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

HatchPatternPreview::HatchPatternPreview() = default;

HatchPatternPreview::~HatchPatternPreview() = default;

void HatchPatternPreview::MarkOutdated(CWnd* pControl)
{
    m_bOutdated = TRUE;
    if (pControl != nullptr && pControl->GetSafeHwnd() != nullptr)
        pControl->Invalidate();
}

void HatchPatternPreview::Build(const Draw2dDocument* pDocument, const HatchPatternBase* pPattern, CWnd* pControl)
{
    if (!m_bOutdated || pControl == nullptr || pControl->GetSafeHwnd() == nullptr)
        return;
    if (!m_pImage) {
        CRect client;
        pControl->GetClientRect(&client);
        if (client.Width() < 1 || client.Height() < 1)
            return;
        m_pImage = std::make_unique<QImage>(client.Width(), client.Height(), QImage::Format_ARGB32);
    }
    const long nLayer = pDocument != nullptr ? pDocument->GetCurrentLayerID() : -1;
    std::unique_ptr<QImage> pPicture(
        pPattern != nullptr ? DrawingManager::CreateHatchPatternImage(pDocument, pPattern, nLayer, m_pImage->width(),
                                                                      m_pImage->height(), 0xFFFFFF)
                            : nullptr);
    m_pImage->fill(Qt::white);
    if (pPicture && !pPicture->isNull()) {
        QPainter painter(m_pImage.get());
        painter.drawImage(QRect(0, 0, m_pImage->width(), m_pImage->height()), *pPicture);
    }
    m_bOutdated = FALSE;
}

void HatchPatternPreview::Paint(const DRAWITEMSTRUCT* pDrawItem, const Draw2dDocument* pDocument,
                                const HatchPatternBase* pPattern, CWnd* pControl)
{
    if (pDrawItem == nullptr)
        return;
    Build(pDocument, pPattern, pControl);
    CDC* pDC = CDC::FromHandle(pDrawItem->hDC);
    QPainter* pPainter = pDC != nullptr ? pDC->GetQPainter() : nullptr;
    if (pPainter == nullptr || !m_pImage)
        return;
    const RECT& r = pDrawItem->rcItem;
    const int left = r.left + (r.right - r.left - m_pImage->width()) / 2;
    const int top = r.top + (r.bottom - r.top - m_pImage->height()) / 2;
    pPainter->drawImage(QPoint(left, top), *m_pImage);
}
