#pragma once
// A context on a window's client area. Inside a paint message it draws through the paint
// event's painter. Outside one, Qt lets nothing reach a widget directly, so it draws on a
// bitmap of the client's size: text measuring, metrics and drawing all work, but what is
// drawn is not shown (windows that draw outside painting keep their own buffer and show it
// in WM_PAINT).

#include <memory>

#include "platform/gdi/CDC.h"
#include "platform/win/WinTypes.h"

class CWnd;
class QImage;

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

protected:
  // Sets the context up for the window's client area (bWhole: the whole window).
  void Open(CWnd* pWnd, BOOL bWhole);

  HWND m_hWnd = nullptr;
  std::unique_ptr<QImage> m_scratch;
};
