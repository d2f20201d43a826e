#pragma once
// A context on a whole window. Windows here have no frame of their own drawing, so it
// covers the same area as the client context.

#include "platform/win/CClientDC.h"

class CWindowDC : public CClientDC {
  DECLARE_DYNAMIC(CWindowDC)
public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;
};
