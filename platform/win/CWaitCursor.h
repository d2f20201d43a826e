#pragma once
// Shows the wait cursor while it lives.

class CWaitCursor {
public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  // Shows the wait cursor again after something (a message box) changed the cursor.
  void Restore();
};
