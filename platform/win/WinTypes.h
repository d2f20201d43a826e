#pragma once
// Handle types of the window layer. Each handle is an opaque pointer to an object of ours.

#include "platform/afx/AfxTypes.h"

struct HWND__;
typedef HWND__* HWND;
struct HKEY__;
typedef HKEY__* HKEY;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
struct HMENU__;
typedef HMENU__* HMENU;
struct HCURSOR__;
typedef HCURSOR__* HCURSOR;
struct HICON__;
typedef HICON__* HICON;
struct HACCEL__;
typedef HACCEL__* HACCEL;
typedef HANDLE HGLOBAL;
