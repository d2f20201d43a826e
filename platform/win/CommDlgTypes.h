#pragma once
// The records, flags and notifications of the common dialogs (file, colour and font).

#include "platform/gdi/GdiTypes.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinTypes.h"

typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef UINT_PTR (*LPCCHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef UINT_PTR (*LPCFHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLESIZING 0x00800000
#define OFN_DONTADDTORECENT 0x02000000
#define OFN_FORCESHOWHIDDEN 0x10000000

struct OPENFILENAME {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCTSTR lpstrFilter;        // pairs of description and patterns, each ending in NUL, then a NUL
  LPTSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;         // 1-based
  LPTSTR lpstrFile;           // in: initial name; out: the path, or folder NUL names NUL NUL
  DWORD nMaxFile;
  LPTSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCTSTR lpstrInitialDir;
  LPCTSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCTSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCTSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
typedef OPENFILENAME* LPOPENFILENAME;

#define CDN_FIRST_CODE (0U - 601U)
#define CDN_INITDONE (CDN_FIRST_CODE - 0)
#define CDN_SELCHANGE (CDN_FIRST_CODE - 1)
#define CDN_FOLDERCHANGE (CDN_FIRST_CODE - 2)
#define CDN_HELP (CDN_FIRST_CODE - 4)
#define CDN_FILEOK (CDN_FIRST_CODE - 5)
#define CDN_TYPECHANGE (CDN_FIRST_CODE - 6)

struct OFNOTIFY {
  NMHDR hdr;
  LPOPENFILENAME lpOFN;
  LPTSTR pszFile;
};
typedef OFNOTIFY* LPOFNOTIFY;

// Why the last common dialog of any kind (file, print, page setup) failed (0: cancelled or
// succeeded). Each dialog reports its outcome through AfxSetCommDlgError.
#define FNERR_BUFFERTOOSMALL 0x3003
#define CDERR_INITIALIZATION 0x0002
DWORD CommDlgExtendedError();
void AfxSetCommDlgError(DWORD dwError);

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_SHOWHELP 0x00000008
#define CC_ENABLEHOOK 0x00000010
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

struct CHOOSECOLOR {
  DWORD lStructSize;
  HWND hwndOwner;
  HWND hInstance;
  COLORREF rgbResult;
  COLORREF* lpCustColors;     // 16 colours, read and written back
  DWORD Flags;
  LPARAM lCustData;
  LPCCHOOKPROC lpfnHook;
  LPCTSTR lpTemplateName;
};
typedef CHOOSECOLOR* LPCHOOSECOLOR;

#define CF_SCREENFONTS 0x00000001
#define CF_PRINTERFONTS 0x00000002
#define CF_BOTH (CF_SCREENFONTS | CF_PRINTERFONTS)
#define CF_SHOWHELP 0x00000004
#define CF_ENABLEHOOK 0x00000008
#define CF_INITTOLOGFONTSTRUCT 0x00000040
#define CF_EFFECTS 0x00000100
#define CF_APPLY 0x00000200
#define CF_NOVECTORFONTS 0x00000800
#define CF_NOSIMULATIONS 0x00001000
#define CF_LIMITSIZE 0x00002000
#define CF_FIXEDPITCHONLY 0x00004000
#define CF_FORCEFONTEXIST 0x00010000
#define CF_SCALABLEONLY 0x00020000
#define CF_TTONLY 0x00040000
#define CF_NOFACESEL 0x00080000
#define CF_NOSTYLESEL 0x00100000
#define CF_NOSIZESEL 0x00200000
#define CF_NOSCRIPTSEL 0x00800000

struct CHOOSEFONT {
  DWORD lStructSize;
  HWND hwndOwner;
  HDC hDC;
  LOGFONT* lpLogFont;
  INT iPointSize;             // tenths of a point
  DWORD Flags;
  COLORREF rgbColors;
  LPARAM lCustData;
  LPCFHOOKPROC lpfnHook;
  LPCTSTR lpTemplateName;
  HINSTANCE hInstance;
  LPTSTR lpszStyle;
  WORD nFontType;
  INT nSizeMin;
  INT nSizeMax;
};
typedef CHOOSEFONT* LPCHOOSEFONT;

// The dialogs as functions: TRUE when the user chose, FALSE on cancel or failure.
BOOL GetOpenFileName(LPOPENFILENAME lpofn);
BOOL GetSaveFileName(LPOPENFILENAME lpofn);
BOOL ChooseColor(LPCHOOSECOLOR lpcc);
BOOL ChooseFont(LPCHOOSEFONT lpcf);
