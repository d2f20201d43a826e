#pragma once
// Runs f and reports whether it threw the invalid-argument exception (freeing it).

#include "platform/afx/CException.h"
#include "platform/afx/CInvalidArgException.h"

template <class F>
bool ThrowsInvalidArg(F&& f) {
  try {
    f();
  } catch (CException* e) {
    const bool isInvalidArg = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
    e->Delete();
    return isInvalidArg;
  }
  return false;
}
