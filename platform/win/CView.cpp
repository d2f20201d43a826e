#include "platform/win/CView.h"

#include <QtGui/QPageLayout>
#include <QtGui/QPdfWriter>

#include <memory>

#include "platform/gdi/CDC.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CPrintDialog.h"
#include "platform/win/PrintDlgTypes.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinDocConstants.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMsg)
  ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
END_MESSAGE_MAP()

CFrameWnd* AfxGetParentFrame(const CWnd* pWnd) {
  if (!pWnd || !pWnd->GetSafeHwnd()) return nullptr;
  for (CWnd* p = pWnd->GetParent(); p; p = p->GetParent()) {
    if (p->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(p);
    if (!(p->GetStyle() & WS_CHILD)) break;
  }
  return nullptr;
}

CView::CView() = default;

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const { return AfxGetParentFrame(this); }

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CLIPSIBLINGS;
  return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (pContext && pContext->m_pCurrentDoc) pContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  if (CFrameWnd* pFrame = GetParentFrame()) {
    if (pFrame->GetActiveView() == this) pFrame->SetActiveView(nullptr, FALSE);
  }
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  // A run of unknown length ends after its first page unless the view says otherwise.
  if (pInfo && pDC && pDC->IsPrinting() && pInfo->GetMaxPage() == 0xFFFF) pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
  if (pSender == this) return;
  Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (bActivate && pActivateView == this && GetSafeHwnd()) {
    // The view takes the focus unless it is inside it already (a child control of the view).
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus != this && !(pFocus && IsChild(pFocus))) SetFocus();
  }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  const int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  // A click in a view makes it the active view of its frame (and the frame the active child).
  if (CFrameWnd* pParentFrame = GetParentFrame()) {
    if (pParentFrame->GetActiveView() != this) pParentFrame->SetActiveView(this);
    pParentFrame->ActivateFrame();
  }
  return nResult;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- printing ------------------------------------------------------------------------------

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView*) { OnEndPrinting(pDC, pInfo); }

void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  if (!pInfo) return FALSE;
  // Output goes to the device the caller supplies (the printing library) or into a PDF file.
  return pInfo->m_bPreview || pInfo->m_pDevice || !pInfo->m_strOutputFile.IsEmpty();
}

BOOL CView::PrintPages(CDC* pDC, CPrintInfo* pInfo) {
  if (!pDC || !pInfo) return FALSE;
  const CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
  if (pDC->StartDoc(title) < 0) return FALSE;
  OnBeginPrinting(pDC, pInfo);
  int printed = 0;
  BOOL ok = TRUE;
  const UINT from = pInfo->GetFromPage();
  const UINT to = pInfo->GetToPage();
  for (pInfo->m_nCurPage = from; pInfo->m_nCurPage <= to; ++pInfo->m_nCurPage) {
    pInfo->m_bContinuePrinting = TRUE;
    OnPrepareDC(pDC, pInfo);
    if (!pInfo->m_bContinuePrinting) break;
    if (pDC->StartPage() < 0) {
      ok = FALSE;
      break;
    }
    OnPrint(pDC, pInfo);
    pDC->EndPage();
    ++printed;
    if (!pInfo->m_bContinuePrinting || pInfo->m_nCurPage == 0xFFFF) break;
  }
  // The document is complete before the view lets go of its printing objects (the context among them).
  // A job the print system did not take is a failed print.
  const bool taken = pDC->EndDoc() >= 0 && AfxPrintJobTaken(pDC->GetSafeHdc());
  OnEndPrinting(pDC, pInfo);
  return ok && taken && printed > 0;
}

void CView::OnFilePrint() {
  CPrintInfo info;
  if (const MSG* m = GetCurrentMessage(); m && m->message == WM_COMMAND && LOWORD(m->wParam) == ID_FILE_PRINT_DIRECT)
    info.m_bDirect = TRUE;
  info.m_strOutputFile = AfxGetPrintToFile();
  if (!OnPreparePrinting(&info)) return;
  // A context the print dialog made for the chosen printer is printed on as it is.
  if (info.m_pPD && info.m_pPD->m_pd.hDC) {
    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    const int w = dc.GetDeviceCaps(HORZRES), h = dc.GetDeviceCaps(VERTRES);
    info.m_rectDraw.SetRect(0, 0, w, h);
    const BOOL ok = PrintPages(&dc, &info);
    dc.Detach();
    if (!ok) AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_START_PRINT), MB_ICONEXCLAMATION);
    return;
  }
  std::unique_ptr<QPdfWriter> pdf;
  QPagedPaintDevice* device = info.m_pDevice;
  if (!device) {
    pdf = std::make_unique<QPdfWriter>(info.m_strOutputFile.ToQString());
    if (m_pDocument) pdf->setTitle(m_pDocument->GetTitle().ToQString());
    device = pdf.get();
  }
  CDC dc;
  if (!dc.CreateFromPaintDevice(device)) {
    AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_START_PRINT), MB_ICONEXCLAMATION);
    return;
  }
  const QRect page = device->pageLayout().paintRectPixels(device->logicalDpiX());
  info.m_rectDraw.SetRect(0, 0, page.width(), page.height());
  const BOOL ok = PrintPages(&dc, &info);
  dc.DeleteDC();
  if (!ok) AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_START_PRINT), MB_ICONEXCLAMATION);
}

namespace {
CString& PrintToFile() {
  static CString s;
  return s;
}
}  // namespace

void AfxSetPrintToFile(LPCTSTR lpszPath) { PrintToFile() = lpszPath; }
CString AfxGetPrintToFile() { return PrintToFile(); }
