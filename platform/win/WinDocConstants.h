#pragma once
// Numbers of the document/view and frame layer: frame styles, the MDI messages, the layout
// protocol between a frame and its bars, and the framework's own string numbers.

#include "platform/afx/CSize.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

// ---- frame styles --------------------------------------------------------------------------
#define FWS_ADDTOTITLE 0x00008000L   // the title shows the active document's name
#define FWS_PREFIXTITLE 0x00004000L  // the document's name comes before the application's
#define FWS_SNAPTOBARS 0x00002000L

// The style of a view made by a frame.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE)

// ---- MDI messages --------------------------------------------------------------------------
#ifndef WM_CHILDACTIVATE
#define WM_CHILDACTIVATE 0x0022
#endif
#ifndef WM_MDICREATE
#define WM_MDICREATE 0x0220
#define WM_MDIDESTROY 0x0221
#define WM_MDINEXT 0x0224
#define WM_MDIMAXIMIZE 0x0225
#define WM_MDITILE 0x0226
#define WM_MDICASCADE 0x0227
#define WM_MDIICONARRANGE 0x0228
#define WM_MDIGETACTIVE 0x0229
#define WM_MDISETMENU 0x0230
#endif

#define MDITILE_VERTICAL 0x0000
#define MDITILE_HORIZONTAL 0x0001
#define MDITILE_SKIPDISABLED 0x0002

// ---- frame layout --------------------------------------------------------------------------
// WM_SIZEPARENT (lParam): a bar takes its part of rect and leaves the rest to the next.
struct AFX_SIZEPARENTPARAMS {
  void* hDWP;
  RECT rect;
  SIZE sizeTotal;
  BOOL bStretch;
};

// RecalcLayout / RepositionBars
#define CWnd_reposDefault 0
#define CWnd_reposQuery 1
#define CWnd_reposExtra 2

#ifndef AFX_IDW_PANE_LAST
#define AFX_IDW_PANE_LAST 0xE9FF
#endif
#ifndef AFX_IDW_TOOLBAR
#define AFX_IDW_TOOLBAR 0xE800
#endif
#ifndef AFX_ID_PREVIEW_CLOSE
#define AFX_ID_PREVIEW_CLOSE 0xE300
#endif
#ifndef ID_FILE_MRU_FILE16
#define ID_FILE_MRU_FILE16 0xE11F
#endif

// Idle work a frame has pending.
#define AFX_IDLE_TITLE 0x0001
#define AFX_IDLE_LAYOUT 0x0002

// ---- framework texts (string numbers; English texts stand in when the library has none) ----
#define AFX_IDS_OPENFILE 0xF000
#define AFX_IDS_SAVEFILE 0xF001
#define AFX_IDS_ALLFILTER 0xF002
#define AFX_IDS_UNTITLED 0xF003
#define AFX_IDS_SAVEFILECOPY 0xF004
#define AFX_IDP_INVALID_FILENAME 0xF100
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF102
#define AFX_IDP_ASK_TO_SAVE 0xF103
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF104
#define AFX_IDP_FAILED_TO_START_PRINT 0xF106

class CString;
// The text of a framework string: from the language library, else the built-in English text.
CString AfxLoadFrameworkString(UINT nID);
// The text with every %1 replaced by lpsz1.
CString AfxFormatString1(UINT nIDS, LPCTSTR lpsz1);
