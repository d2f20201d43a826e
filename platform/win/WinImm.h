#pragma once
// Input-method contexts of windows. Desktop input methods on Linux (IBus, Fcitx5) keep their own on/off
// state and offer programs no portable switch, so a context here only remembers the open state that the
// program last gave it; edits always take what the input method commits (Qt's input-method events).
// A window has no context until one is associated with it.

#include "platform/afx/AfxTypes.h"
#include "platform/win/WinTypes.h"

struct KcInputContext;
typedef KcInputContext* HIMC;

// The context associated with the window, or NULL.
HIMC ImmGetContext(HWND hWnd);
BOOL ImmReleaseContext(HWND hWnd, HIMC hIMC);
// A new context, closed; the caller destroys it with ImmDestroyContext.
HIMC ImmCreateContext();
BOOL ImmDestroyContext(HIMC hIMC);
// Associates the context (NULL: none) with the window; returns the context it had before.
HIMC ImmAssociateContext(HWND hWnd, HIMC hIMC);
BOOL ImmGetOpenStatus(HIMC hIMC);
BOOL ImmSetOpenStatus(HIMC hIMC, BOOL bOpen);
