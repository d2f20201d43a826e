#pragma once
#include "platform/win/CWnd.h"

// The window object handed out for a control that no object of the program's is attached to:
// it answers the control's messages like a control class would.
class AfxControlWnd : public CWnd {
public:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

