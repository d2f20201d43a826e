#include "app/CLayerTableView.h"

#include "app/CQZ2Doc.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CRect.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"

IMPLEMENT_DYNCREATE(CLayerTableView, CQZ2BaseView)

BEGIN_MESSAGE_MAP(CLayerTableView, CQZ2BaseView)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CLayerTableView::CLayerTableView() : m_thumbnailBackColor(RGB(255, 255, 255))
{
    m_viewType = ViewTypeLayerTable;
}

CLayerTableView::~CLayerTableView() = default;

BOOL CLayerTableView::SetDrawing(long nDrawingID)
{
    m_nDrawingID = nDrawingID;
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CLayerTableView::SetThumbnailBackColor(COLORREF color)
{
    m_thumbnailBackColor = color;
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

void CLayerTableView::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    // A drawing that went away is no longer the one shown (nor saved with the tabs).
    if (pInfo->GetKind() == NotifyInfoBase::kindDrawing && pInfo->GetCode() == NotifyInfoBase::drawingRemoved &&
        pInfo->GetDrawing() != nullptr && pInfo->GetDrawing()->GetDrawingID() == m_nDrawingID)
        m_nDrawingID = -1;
    if (m_hWnd != nullptr && (pInfo->GetKind() == NotifyInfoBase::kindLayer ||
                              pInfo->GetKind() == NotifyInfoBase::kindDrawing ||
                              pInfo->GetKind() == NotifyInfoBase::kindFeature))
        Invalidate();
}

BOOL CLayerTableView::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CLayerTableView::OnDraw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, m_thumbnailBackColor);
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    Draw2dDocument* pModel = pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
    const LayerFeatureTable* pTable = pModel != nullptr ? pModel->GetLayerTable() : nullptr;
    if (pTable == nullptr)
        return;
    // One line per layer: its name and how many shapes lie on it.
    pDC->SetBkMode(TRANSPARENT);
    const int nLine = 18;
    int y = 4;
    for (int i = 0; i < pTable->GetLayerCount() && y < rect.bottom; ++i, y += nLine) {
        const long nLayerID = pTable->GetLayerID(i);
        CString count;
        count.Format(u"%d", pModel->GetFeatureCountByLayer(nLayerID));
        pDC->TextOut(6, y, pTable->GetLayerName(nLayerID));
        pDC->TextOut(rect.right / 2, y, count);
    }
}
