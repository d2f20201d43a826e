#pragma once
// Accelerator tables: keys that run commands, translated in the message loop before the key
// reaches its window (a frame calls TranslateAccelerator from PreTranslateMessage).
//
// The language library keeps them as "ACCELERATOR" resources, texts of this form (UTF-8, one
// entry a line, '#' starts a comment line):
//
//   VK_F1,   57670, VIRTKEY
//   "N",     57600, VIRTKEY, CONTROL
//   VK_DELETE, 57632, VIRTKEY, SHIFT
//   "a",     33001            # a character: the key that types it
//   0x70,    57671, VIRTKEY, ALT
//
// The key is a VK_ name, a number, or a quoted character; the flags are VIRTKEY, SHIFT,
// CONTROL, ALT and NOINVERT. Command numbers run from 1 to 65535.

#include <string>

#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinTypes.h"

HACCEL CreateAcceleratorTable(LPACCEL paccel, int cAccel);
BOOL DestroyAcceleratorTable(HACCEL hAccel);
// Copies up to cAccelEntries entries; with a null buffer returns the number of entries.
int CopyAcceleratorTable(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries);
// Loads an accelerator resource of the resource chain (the instance is not needed).
HACCEL LoadAccelerators(HINSTANCE hInstance, LPCTSTR lpTableName);
HACCEL AfxLoadAcceleratorsFromText(const std::u16string& text);
// When lpMsg is a key-down matching an entry, sends WM_COMMAND (the command in the low word,
// 1 in the high word) to hWnd and returns TRUE.
int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);
