#pragma once
// The context of a paint message: draws through the paint event's painter, clipped to the
// area being painted.

#include "platform/gdi/CDC.h"
#include "platform/win/WinTypes.h"

class CWnd;

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps{};

protected:
  HWND m_hWnd = nullptr;
};
