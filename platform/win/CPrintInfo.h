#pragma once
// The state of one print run, shared by the view's printing hooks.

#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"

class CPrintDialog;
class QPagedPaintDevice;

class CPrintInfo {
public:
  CPrintInfo();
  // Deletes the print dialog left in m_pPD with its printer context.
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
  void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
  UINT GetMinPage() const { return m_nMinPage; }
  UINT GetMaxPage() const { return m_nMaxPage; }
  // The range to print: the chosen range, else every page.
  UINT GetFromPage() const { return m_nFromPage ? m_nFromPage : m_nMinPage; }
  UINT GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }
  void SetFromPage(UINT n) { m_nFromPage = n; }
  void SetToPage(UINT n) { m_nToPage = n; }
  UINT GetOffsetPage() const { return m_nOffsetPage; }

  BOOL m_bDirect = FALSE;            // print without asking (shell print, print-direct command)
  BOOL m_bPreview = FALSE;           // printing into the preview
  BOOL m_bContinuePrinting = TRUE;   // OnPrepareDC clears it to end a run of unknown length
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;
  CString m_strPageDesc;
  void* m_lpUserData = nullptr;
  CRect m_rectDraw;                  // the printable area of the current page
  int m_nJobNumber = 0;
  CString m_strPrinterName;          // the printer asked for (shell "print to")
  CString m_strOutputFile;           // print into this PDF file
  QPagedPaintDevice* m_pDevice = nullptr;  // the device to print on (set by OnPreparePrinting)
  CPrintDialog* m_pPD = nullptr;     // the view's print dialog; its m_pd.hDC, when set, is printed on

private:
  UINT m_nMinPage = 1;
  UINT m_nMaxPage = 0xFFFF;
  UINT m_nFromPage = 0;
  UINT m_nToPage = 0;
  UINT m_nOffsetPage = 0;
};
