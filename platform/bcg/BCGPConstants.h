#pragma once
// Styles, ids and messages of the docking library: control-bar styles (CBRS_), toolbar
// button styles (TBBS_), the docking library's own bar styles and its registered messages.

#include "platform/afx/CRect.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinDocConstants.h"
#include "platform/win/WinTypes.h"

// ---- control-bar styles (bar style, not window style) ----
#ifndef CBRS_ALIGN_LEFT
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#endif

// The docking library's bar behaviour (the last style argument of a docking bar's Create).
#define CBRS_BCGP_FLOAT 0x0001
#define CBRS_BCGP_AUTOHIDE 0x0002
#define CBRS_BCGP_RESIZE 0x0004
#define CBRS_BCGP_CLOSE 0x0008
#define CBRS_BCGP_AUTO_ROLLUP 0x0010
#define CBRS_BCGP_REGULAR_TABS 0x0020
#define CBRS_BCGP_OUTLOOK_TABS 0x0040
#define CBRS_BCGP_AUTODESTROY 0x0080
#define dwDefaultBCGDockingBarStyle (CBRS_BCGP_FLOAT | CBRS_BCGP_AUTOHIDE | CBRS_BCGP_RESIZE | CBRS_BCGP_CLOSE)

// Window style of a toolbar made with default arguments.
#ifndef AFX_DEFAULT_TOOLBAR_STYLE
#define AFX_DEFAULT_TOOLBAR_STYLE (WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE)
#endif
#ifndef dwDefaultToolbarStyle
#define dwDefaultToolbarStyle AFX_DEFAULT_TOOLBAR_STYLE
#endif
#ifndef TBSTYLE_FLAT
#define TBSTYLE_FLAT 0x0800
#define TBSTYLE_LIST 0x1000
#define TBSTYLE_TRANSPARENT 0x8000
#endif

// ---- toolbar button styles ----
#ifndef TBBS_BUTTON
#define TBBS_BUTTON 0x0000
#define TBBS_SEPARATOR 0x0001
#define TBBS_CHECKBOX 0x0002
#define TBBS_GROUP 0x0004
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED 0x0100
#define TBBS_PRESSED 0x0200
#define TBBS_DISABLED 0x0400
#define TBBS_INDETERMINATE 0x0800
#define TBBS_HIDDEN 0x1000
#define TBBS_WRAPPED 0x2000
#endif
#define TBBS_BREAK 0x20000000

// ---- window ids ----
#ifndef AFX_IDW_MENUBAR
#define AFX_IDW_MENUBAR 0xE806
#endif
#ifndef AFX_IDW_STATUS_BAR
#define AFX_IDW_STATUS_BAR 0xE801
#endif
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F

// Effects of dropping dragged data (buttons dragged in customisation mode).
#ifndef DROPEFFECT_NONE
typedef DWORD DROPEFFECT;
#define DROPEFFECT_NONE 0
#define DROPEFFECT_COPY 1
#define DROPEFFECT_MOVE 2
#define DROPEFFECT_LINK 4
#endif

// How a bar is docked.
enum BCGP_DOCK_METHOD { DM_UNKNOWN = 0, DM_MOUSE = 1, DM_DBL_CLICK = 2, DM_SHOW = 3, DM_RECT = 4, DM_STANDARD = 5 };
enum BCGP_DOCK_TYPE { DT_UNDEFINED = 0, DT_IMMEDIATE = 1, DT_STANDARD = 2, DT_SMART = 0x80 };

// ---- registered messages of the docking library ----
// A toolbar was loaded from its resource (wParam: the toolbar resource number).
extern const UINT BCGM_RESETTOOLBAR;
// The customisation sheet asks for a new user toolbar (lParam: its name); result the toolbar or 0.
extern const UINT BCGM_CREATETOOLBAR;
// A toolbar is right-clicked (lParam: screen point); a non-zero result stops the toolbar menu.
extern const UINT BCGM_TOOLBARMENU;
// The active tab of a tab window changed (wParam: the new index; lParam: the tab window).
extern const UINT BCGM_CHANGE_ACTIVE_TAB;
// A toolbar was reset by the user (wParam: the toolbar id).
extern const UINT BCGM_RESETRPROMPT;

// ---- texts of the customisation sheet and the keyboard page (language library numbers) ----
// Read with AfxLoadFrameworkText (platform/afx/FrameworkText.h), which keeps the English text as
// the fallback where no library is loaded.
#define IDS_BCGP_CUSTOMIZE 0xF120
#define IDS_BCGP_PAGE_COMMANDS 0xF121
#define IDS_BCGP_PAGE_TOOLBARS 0xF122
#define IDS_BCGP_PAGE_KEYBOARD 0xF123
#define IDS_BCGP_PAGE_MENU 0xF124
#define IDS_BCGP_PAGE_OPTIONS 0xF125
#define IDS_BCGP_MENU_PAGE_TEXT 0xF126
#define IDS_BCGP_OPTIONS_PAGE_TEXT 0xF127
#define IDS_BCGP_SHOW 0xF128
#define IDS_BCGP_NEW 0xF129
#define IDS_BCGP_RESET 0xF12A
#define IDS_BCGP_DELETE 0xF12B
#define IDS_BCGP_TOOLBAR_N 0xF12C
#define IDS_BCGP_CUSTOM_N 0xF12D
#define IDS_BCGP_ADD 0xF12E
#define IDS_BCGP_REMOVE 0xF12F
#define IDS_BCGP_RESET_ALL 0xF130
#define IDS_BCGP_ASSIGN 0xF131
#define IDS_BCGP_ASSIGNED_TO 0xF132
// Key names: IDS_BCGP_KEY_DELETE + the row of the key in the keyboard manager's table, then the
// modifiers.
#define IDS_BCGP_KEY_DELETE 0xF140
#define IDS_BCGP_KEY_CTRL 0xF151
#define IDS_BCGP_KEY_SHIFT 0xF152
#define IDS_BCGP_KEY_ALT 0xF153
// Items of a toolbar button's menu in customisation mode.
#define IDS_BCGP_BUTTON_RESET 0xF154
#define IDS_BCGP_BUTTON_COPY_IMAGE 0xF155
#define IDS_BCGP_BUTTON_DELETE 0xF156
#define IDS_BCGP_BUTTON_IMAGE_ONLY 0xF157
#define IDS_BCGP_BUTTON_TEXT_ONLY 0xF158
#define IDS_BCGP_BUTTON_IMAGE_AND_TEXT 0xF159
#define IDS_BCGP_BUTTON_BEGIN_GROUP 0xF15A
#define IDS_BCGP_RESET_TOOLBAR 0xF15B

// ---- the menu of a toolbar button in customisation mode ----
// A button may grey or check items of it before it shows (CBCGPToolbarButton::OnCustomizeMenu).
#define ID_CUSTOMIZE_BUTTON_RESET 16910        // back to the command's own image and text
#define ID_CUSTOMIZE_BUTTON_COPY_IMAGE 16911   // the button's image to the clipboard
#define ID_CUSTOMIZE_BUTTON_DELETE 16912
#define ID_CUSTOMIZE_BUTTON_IMAGE_ONLY 16913
#define ID_CUSTOMIZE_BUTTON_TEXT_ONLY 16914
#define ID_CUSTOMIZE_BUTTON_IMAGE_AND_TEXT 16915
#define ID_CUSTOMIZE_BUTTON_BEGIN_GROUP 16916  // a separator before the button
