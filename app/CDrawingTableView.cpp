#include "app/CDrawingTableView.h"

#include "app/CQZ2Doc.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/afx/CRect.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"

IMPLEMENT_DYNCREATE(CDrawingTableView, CView)

BEGIN_MESSAGE_MAP(CDrawingTableView, CView)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr UINT kDocumentNotifyCode = 0x8064;

}  // namespace

CDrawingTableView::CDrawingTableView() = default;

CDrawingTableView::~CDrawingTableView() = default;

long CDrawingTableView::GetPaperID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPaperCount() ? m_paperIDs[static_cast<size_t>(nIndex)] : -1;
}

void CDrawingTableView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    LoadPapers();
}

void CDrawingTableView::LoadPapers()
{
    m_paperIDs.clear();
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    Draw2dDocument* pModel = pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
    if (pModel != nullptr)
        for (int i = 0; i < pModel->GetPaperFeatureCount(); ++i)
            if (const Paper2dFeature* pPaper = pModel->GetPaperFeature(i))
                m_paperIDs.push_back(pPaper->GetDrawingID());
    if (m_hWnd != nullptr)
        Invalidate();
}

BOOL CDrawingTableView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    struct DocumentNotify {
        NMHDR hdr;
        NotifyInfoBase* pInfo;
    };
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader == nullptr || pHeader->code != kDocumentNotifyCode)
        return CView::OnNotify(wParam, lParam, pResult);
    const NotifyInfoBase* pInfo = reinterpret_cast<const DocumentNotify*>(lParam)->pInfo;
    if (pInfo != nullptr) {
        if (pInfo->GetKind() == NotifyInfoBase::kindDrawing)
            LoadPapers();
        else if ((pInfo->GetKind() == NotifyInfoBase::kindView || pInfo->GetKind() == NotifyInfoBase::kindFeature) &&
                 m_hWnd != nullptr)
            Invalidate();
    }
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

BOOL CDrawingTableView::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CDrawingTableView::OnDraw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    Draw2dDocument* pModel = pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
    if (pModel == nullptr)
        return;
    pDC->SetBkMode(TRANSPARENT);
    int y = 4;
    for (const long nID : m_paperIDs) {
        if (y >= rect.bottom)
            break;
        if (const DrawingFeatureBase* pPaper = pModel->GetDrawingFeatureByID(nID))
            pDC->TextOut(6, y, pPaper->GetDrawingName());
        y += 18;
    }
}
