#include "platform/win/CWaitCursor.h"

#include "platform/win/CWinApp.h"

CWaitCursor::CWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1); else CCmdTarget().BeginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1); else CCmdTarget().EndWaitCursor();
}

void CWaitCursor::Restore() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0); else CCmdTarget().RestoreWaitCursor();
}
