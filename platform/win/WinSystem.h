#pragma once
// What code asks of the desktop: metrics of the system's parts, the work area and fonts of the
// window frames, and the monitors. Answers come from the Qt style and screens, so they follow
// the desktop the program runs on.

#include "platform/afx/AfxTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/WinTypes.h"

// ---- GetSystemMetrics ----
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYFIXEDFRAME SM_CYDLGFRAME
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_SWAPBUTTON 23
#define SM_CXMIN 28
#define SM_CYMIN 29
#define SM_CXSIZE 30
#define SM_CYSIZE 31
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXSIZEFRAME SM_CXFRAME
#define SM_CYSIZEFRAME SM_CYFRAME
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXICONSPACING 38
#define SM_CYICONSPACING 39
#define SM_CMOUSEBUTTONS 43
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CYSMCAPTION 51
#define SM_CXSMSIZE 52
#define SM_CYSMSIZE 53
#define SM_CXMAXIMIZED 61
#define SM_CYMAXIMIZED 62
#define SM_CXDRAG 68
#define SM_CYDRAG 69
#define SM_CXMENUCHECK 71
#define SM_CYMENUCHECK 72
#define SM_MOUSEWHEELPRESENT 75
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#define SM_CMONITORS 80
#define SM_CXFOCUSBORDER 83
#define SM_CYFOCUSBORDER 84
#define SM_CXPADDEDBORDER 92
#define SM_REMOTESESSION 0x1000

// The size of a part of the system (0 for what is not known).
int GetSystemMetrics(int nIndex);

// ---- SystemParametersInfo ----
#define SPI_GETDRAGFULLWINDOWS 0x0026
#define SPI_GETNONCLIENTMETRICS 0x0029
#define SPI_GETICONTITLELOGFONT 0x001F
#define SPI_GETWORKAREA 0x0030
#define SPI_GETMOUSEHOVERWIDTH 0x0062
#define SPI_GETMOUSEHOVERHEIGHT 0x0064
#define SPI_GETMOUSEHOVERTIME 0x0066
#define SPI_GETWHEELSCROLLLINES 0x0068
#define SPI_GETWHEELSCROLLCHARS 0x006C

struct NONCLIENTMETRICS {
  UINT cbSize;
  int iBorderWidth;
  int iScrollWidth;
  int iScrollHeight;
  int iCaptionWidth;
  int iCaptionHeight;
  LOGFONT lfCaptionFont;
  int iSmCaptionWidth;
  int iSmCaptionHeight;
  LOGFONT lfSmCaptionFont;
  int iMenuWidth;
  int iMenuHeight;
  LOGFONT lfMenuFont;
  LOGFONT lfStatusFont;
  LOGFONT lfMessageFont;
  int iPaddedBorderWidth;
};
typedef NONCLIENTMETRICS NONCLIENTMETRICSW;
typedef NONCLIENTMETRICS* LPNONCLIENTMETRICS;

// Reads one setting into pvParam (a RECT, NONCLIENTMETRICS with cbSize set, LOGFONT, UINT or
// BOOL as the action says). FALSE for an action not known or a record of the wrong size.
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

// ---- monitors ----
struct HMONITOR__;
typedef HMONITOR__* HMONITOR;

#define MONITOR_DEFAULTTONULL 0x00000000
#define MONITOR_DEFAULTTOPRIMARY 0x00000001
#define MONITOR_DEFAULTTONEAREST 0x00000002
#define MONITORINFOF_PRIMARY 0x00000001
#define CCHDEVICENAME 32

struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
typedef MONITORINFO* LPMONITORINFO;

struct MONITORINFOEX : MONITORINFO {
  WCHAR szDevice[CCHDEVICENAME];
};
typedef MONITORINFOEX* LPMONITORINFOEX;

typedef BOOL (*MONITORENUMPROC)(HMONITOR hMonitor, HDC hdc, LPRECT lprcMonitor, LPARAM dwData);

HMONITOR MonitorFromWindow(HWND hWnd, DWORD dwFlags);
HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags);
HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags);
// cbSize says whether lpmi is a MONITORINFO or a MONITORINFOEX (which also gets the name).
BOOL GetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi);
// Calls lpfnEnum for every monitor (clipped to lprcClip when given) until it returns FALSE.
BOOL EnumDisplayMonitors(HDC hdc, LPCRECT lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData);
