#pragma once
// Key state, cursors and the other input functions code calls without a window object.

#include "platform/afx/AfxTypes.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinTypes.h"

// High bit set while the key is down; low bit is the toggle state (Caps Lock and the like).
SHORT GetKeyState(int nVirtKey);
SHORT GetAsyncKeyState(int vKey);
BOOL GetKeyboardState(BYTE* lpKeyState);

// Cursors: LoadCursor(nullptr, IDC_ARROW) gives a standard cursor; with an instance handle the
// number is a cursor resource of the language library ("CURSOR" type, an image whose text
// key "hotspot" holds "x,y"; without it the centre). SetCursor(nullptr) hides the cursor.
HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName);
HCURSOR AfxLoadCursorResource(UINT nID);
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
int ShowCursor(BOOL bShow);
BOOL DestroyCursor(HCURSOR hCursor);
HCURSOR CopyCursor(HCURSOR hCursor);
// The standard cursor number of a handle (IDC_ value), or 0 for a resource cursor.
UINT AfxGetStandardCursorId(HCURSOR hCursor);

// The queue. Waiting input is found by letting the event loop run once while input, painting,
// timers and posted messages are held back; what is not removed is delivered afterwards in its
// order. A filter of 0, 0 takes every message; the high word of wRemoveMsg (PM_QS_*) limits the
// kinds. Input removed with PM_REMOVE and handed to DispatchMessage reaches its widget as the
// original event.
BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessage(const MSG* lpMsg);
// The QS_ kinds waiting (high word) among flags.
DWORD GetQueueStatus(UINT flags);
// True when mouse or key input waits.
BOOL GetInputState();

// Files dropped on a window that accepts them (CWnd::DragAcceptFiles) arrive as WM_DROPFILES;
// the handle is good until DragFinish or the end of the handler. DragQueryFile with 0xFFFFFFFF
// gives the count, with a null buffer a name's length; DragQueryPoint gives the client point
// and whether it lies in the client area.
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPTSTR lpszFile, UINT cch);
BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt);
void DragFinish(HDROP hDrop);

// Icons: LoadIcon(nullptr, IDI_...) gives a standard icon; with an instance handle the number
// is an icon resource of the language library. Contexts draw them (DrawIcon, DrawState).
HICON LoadIcon(HINSTANCE hInstance, LPCTSTR lpIconName);
BOOL DestroyIcon(HICON hIcon);
// An icon, cursor or bitmap by number (from the language library, or a standard one without an
// instance), or a bitmap file with LR_LOADFROMFILE. Bitmaps are new handles the caller deletes.
HANDLE LoadImage(HINSTANCE hInst, LPCTSTR name, UINT type, int cx, int cy, UINT fuLoad);
// A copy of a bitmap, stretched to cx x cy when both are given. LR_COPYRETURNORG gives the
// original back when nothing would change; LR_COPYDELETEORG deletes the original.
HANDLE CopyImage(HANDLE h, UINT type, int cx, int cy, UINT flags);

// System metrics the code reads for double clicks and drags.
UINT GetDoubleClickTime();
