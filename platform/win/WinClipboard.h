#pragma once
// The clipboard over the Qt clipboard, and the movable global memory that carries its data.
//
// Formats: CF_UNICODETEXT and CF_TEXT travel as plain text; CF_DIB and CF_BITMAP (a bitmap
// handle) as an image; CF_ENHMETAFILE as an SVG picture (image/svg+xml, the bytes as given); a format
// registered with RegisterClipboardFormat travels as bytes under the MIME type
// "application/x-korvancad-<name>" (the name percent-encoded), so two running instances of the
// program exchange it. Data handed to SetClipboardData belongs to the clipboard afterwards;
// a handle from GetClipboardData stays valid until the clipboard is emptied or opened again.
//
// Delayed rendering: SetClipboardData(format, nullptr) offers a format without its data. When
// a reader (this program or another) asks for it, the owner gets WM_RENDERFORMAT and answers
// with SetClipboardData(format, data) without opening the clipboard. Before the owner is
// destroyed it renders what is still missing (WM_RENDERFORMAT for each); when its data leaves
// the clipboard it gets WM_DESTROYCLIPBOARD.

#include "platform/afx/AfxGlobalMemory.h"
#include "platform/afx/AfxTypes.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinTypes.h"


BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
HANDLE GetClipboardData(UINT uFormat);
UINT RegisterClipboardFormat(LPCTSTR lpszFormat);
int GetClipboardFormatName(UINT format, LPTSTR lpszFormatName, int cchMaxCount);
BOOL IsClipboardFormatAvailable(UINT format);
// The formats on the clipboard in turn: 0 starts, 0 is returned after the last.
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
// Renders every format still delayed, so the data stays after the program ends.
BOOL AfxFlushClipboard();
// The window layer tells the clipboard that a window is going (its delayed formats are
// rendered first).
void AfxClipboardOwnerDestroying(HWND hWnd);
