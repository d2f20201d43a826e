#pragma once
// A view: a child window of a frame that shows a document. It paints through OnDraw with a
// CDC over the paint event, hears of document changes in OnUpdate and of activation in
// OnActivateView, routes commands on to its document, and prints through the printing hooks.

#include "platform/win/CWnd.h"

class CDC;
class CDocument;
class CFrameWnd;
class CPrintInfo;
class CPreviewView;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
public:
  CView();
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  // The frame the view sits in (its nearest parent frame).
  CFrameWnd* GetParentFrame() const;

  // Draws the view: on the screen from the paint message, on paper from OnPrint.
  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  virtual void OnInitialUpdate();
  // The document changed; by default the view is repainted.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
  virtual BOOL IsSelected(const CObject* pDocItem) const;

  // ---- printing ----
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  // The print preview (made by the printing layer) ended; by default the printing ends.
  virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
  // Checks pInfo for a print run: it needs a device (pInfo->m_pDevice, set by an override of
  // OnPreparePrinting through the printing library) or a PDF file to print into; FALSE stops.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  // The print loop over pDC: begin, each page (prepare, print), end. FALSE when no page was
  // printed or the device failed.
  BOOL PrintPages(CDC* pDC, CPrintInfo* pInfo);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnInitialUpdateMsg(WPARAM, LPARAM);
  afx_msg void OnFilePrint();

  CDocument* m_pDocument = nullptr;

protected:
  DECLARE_MESSAGE_MAP()
  friend class CDocument;
};

// A PDF file that File Print writes into instead of a printer (shell printing, tests); empty
// turns it off.
void AfxSetPrintToFile(LPCTSTR lpszPath);
CString AfxGetPrintToFile();

// The nearest frame among the window's parents (not the window itself).
CFrameWnd* AfxGetParentFrame(const CWnd* pWnd);
