#pragma once
// The records, flags and control numbers of the print, print setup and page setup dialogs,
// and the printer settings handed between them and the printing code: a DEVMODE (paper,
// orientation, copies ...) and a DEVNAMES (printer, driver and port names) each in a global
// memory block (HGLOBAL, see AfxGlobalMemory.h). AfxPrinterData reads and writes them.
//
// Printers are the system's print queues plus a PDF printer that is always there: its port
// is the PDF file written. The PDF printer is never the default printer, so a machine
// without print queues has no default printer.

#include "platform/afx/AfxGlobalMemory.h"
#include "platform/afx/AfxTypes.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/WinTypes.h"

// ---- DEVMODE --------------------------------------------------------------------------------

#define CCHDEVICENAME 32
#define CCHFORMNAME 32
#define DM_SPECVERSION 0x0401

#define DM_ORIENTATION 0x00000001
#define DM_PAPERSIZE 0x00000002
#define DM_PAPERLENGTH 0x00000004
#define DM_PAPERWIDTH 0x00000008
#define DM_SCALE 0x00000010
#define DM_COPIES 0x00000100
#define DM_DEFAULTSOURCE 0x00000200
#define DM_PRINTQUALITY 0x00000400
#define DM_COLOR 0x00000800
#define DM_DUPLEX 0x00001000
#define DM_YRESOLUTION 0x00002000
#define DM_COLLATE 0x00008000
#define DM_FORMNAME 0x00010000

#define DMORIENT_PORTRAIT 1
#define DMORIENT_LANDSCAPE 2

#define DMCOLOR_MONOCHROME 1
#define DMCOLOR_COLOR 2

#define DMDUP_SIMPLEX 1
#define DMDUP_VERTICAL 2
#define DMDUP_HORIZONTAL 3

#define DMCOLLATE_FALSE 0
#define DMCOLLATE_TRUE 1

#define DMBIN_AUTO 7

// Paper numbers. Sizes without a number of their own (A0, A1 ...) are numbered from
// DMPAPER_USER + 1 upwards (see AfxPrinterData); DMPAPER_USER itself is a size given in
// dmPaperWidth and dmPaperLength.
#define DMPAPER_LETTER 1
#define DMPAPER_LETTERSMALL 2
#define DMPAPER_TABLOID 3
#define DMPAPER_LEDGER 4
#define DMPAPER_LEGAL 5
#define DMPAPER_STATEMENT 6
#define DMPAPER_EXECUTIVE 7
#define DMPAPER_A3 8
#define DMPAPER_A4 9
#define DMPAPER_A4SMALL 10
#define DMPAPER_A5 11
#define DMPAPER_B4 12
#define DMPAPER_B5 13
#define DMPAPER_FOLIO 14
#define DMPAPER_QUARTO 15
#define DMPAPER_10X14 16
#define DMPAPER_11X17 17
#define DMPAPER_NOTE 18
#define DMPAPER_ENV_9 19
#define DMPAPER_ENV_10 20
#define DMPAPER_ENV_11 21
#define DMPAPER_ENV_12 22
#define DMPAPER_ENV_14 23
#define DMPAPER_CSHEET 24
#define DMPAPER_DSHEET 25
#define DMPAPER_ESHEET 26
#define DMPAPER_ENV_DL 27
#define DMPAPER_ENV_C5 28
#define DMPAPER_ENV_C3 29
#define DMPAPER_ENV_C4 30
#define DMPAPER_ENV_C6 31
#define DMPAPER_ENV_C65 32
#define DMPAPER_ENV_B4 33
#define DMPAPER_ENV_B5 34
#define DMPAPER_ENV_B6 35
#define DMPAPER_ENV_ITALY 36
#define DMPAPER_ENV_MONARCH 37
#define DMPAPER_ENV_PERSONAL 38
#define DMPAPER_FANFOLD_US 39
#define DMPAPER_FANFOLD_STD_GERMAN 40
#define DMPAPER_FANFOLD_LGL_GERMAN 41
#define DMPAPER_ISO_B4 42
#define DMPAPER_JAPANESE_POSTCARD 43
#define DMPAPER_A2 66
#define DMPAPER_A6 70
#define DMPAPER_B6_JIS 88
#define DMPAPER_USER 256

// A printer's settings. dmPaperLength and dmPaperWidth are in tenths of a millimetre (of the
// portrait sheet). dmPrintQuality is the resolution in dots per inch when positive.
struct DEVMODE {
  TCHAR dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;          // sizeof(DEVMODE)
  WORD dmDriverExtra;   // bytes after the record (none are written; any are kept unread)
  DWORD dmFields;       // which of the fields below are set (DM_*)
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  TCHAR dmFormName[CCHFORMNAME];
};
typedef DEVMODE* LPDEVMODE;

// ---- DEVNAMES -------------------------------------------------------------------------------

#define DN_DEFAULTPRN 0x0001

// Offsets are counted in characters from the start of the record; the three texts follow it,
// each ending in NUL.
struct DEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;
  WORD wDefault;
};
typedef DEVNAMES* LPDEVNAMES;

// ---- the dialogs' records ------------------------------------------------------------------

typedef UINT_PTR (*LPPRINTHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef UINT_PTR (*LPSETUPHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef UINT_PTR (*LPPAGESETUPHOOK)(HWND, UINT, WPARAM, LPARAM);
typedef UINT_PTR (*LPPAGEPAINTHOOK)(HWND, UINT, WPARAM, LPARAM);

#define PD_ALLPAGES 0x00000000
#define PD_SELECTION 0x00000001
#define PD_PAGENUMS 0x00000002
#define PD_NOSELECTION 0x00000004
#define PD_NOPAGENUMS 0x00000008
#define PD_COLLATE 0x00000010
#define PD_PRINTTOFILE 0x00000020
#define PD_PRINTSETUP 0x00000040
#define PD_NOWARNING 0x00000080
#define PD_RETURNDC 0x00000100
#define PD_RETURNIC 0x00000200
#define PD_RETURNDEFAULT 0x00000400
#define PD_SHOWHELP 0x00000800
#define PD_ENABLEPRINTHOOK 0x00001000
#define PD_ENABLESETUPHOOK 0x00002000
#define PD_ENABLEPRINTTEMPLATE 0x00004000
#define PD_ENABLESETUPTEMPLATE 0x00008000
#define PD_ENABLEPRINTTEMPLATEHANDLE 0x00010000
#define PD_ENABLESETUPTEMPLATEHANDLE 0x00020000
#define PD_USEDEVMODECOPIES 0x00040000
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000
#define PD_DISABLEPRINTTOFILE 0x00080000
#define PD_HIDEPRINTTOFILE 0x00100000
#define PD_NONETWORKBUTTON 0x00200000

// Templates named by number (lpPrintTemplateName = MAKEINTRESOURCE(n)) come from the
// language libraries; a template handle (hPrintTemplate ...) is a global block holding a
// template's text.
struct PRINTDLG {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  HDC hDC;
  DWORD Flags;
  WORD nFromPage;
  WORD nToPage;
  WORD nMinPage;
  WORD nMaxPage;
  WORD nCopies;
  HINSTANCE hInstance;
  LPARAM lCustData;
  LPPRINTHOOKPROC lpfnPrintHook;
  LPSETUPHOOKPROC lpfnSetupHook;
  LPCTSTR lpPrintTemplateName;
  LPCTSTR lpSetupTemplateName;
  HGLOBAL hPrintTemplate;
  HGLOBAL hSetupTemplate;
};
typedef PRINTDLG* LPPRINTDLG;

#define PSD_DEFAULTMINMARGINS 0x00000000
#define PSD_INWININIINTLMEASURE 0x00000000
#define PSD_MINMARGINS 0x00000001
#define PSD_MARGINS 0x00000002
#define PSD_INTHOUSANDTHSOFINCHES 0x00000004
#define PSD_INHUNDREDTHSOFMILLIMETERS 0x00000008
#define PSD_DISABLEMARGINS 0x00000010
#define PSD_DISABLEPRINTER 0x00000020
#define PSD_NOWARNING 0x00000080
#define PSD_DISABLEORIENTATION 0x00000100
#define PSD_DISABLEPAPER 0x00000200
#define PSD_RETURNDEFAULT 0x00000400
#define PSD_SHOWHELP 0x00000800
#define PSD_ENABLEPAGESETUPHOOK 0x00002000
#define PSD_ENABLEPAGESETUPTEMPLATE 0x00008000
#define PSD_ENABLEPAGESETUPTEMPLATEHANDLE 0x00020000
#define PSD_ENABLEPAGEPAINTHOOK 0x00040000
#define PSD_DISABLEPAGEPAINTING 0x00080000
#define PSD_NONETWORKBUTTON 0x00200000

// Sizes and margins are in thousandths of an inch or hundredths of a millimetre
// (PSD_INTHOUSANDTHSOFINCHES, PSD_INHUNDREDTHSOFMILLIMETERS; neither: millimetres).
struct PAGESETUPDLG {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  DWORD Flags;
  POINT ptPaperSize;
  RECT rtMinMargin;
  RECT rtMargin;
  HINSTANCE hInstance;
  LPARAM lCustData;
  LPPAGESETUPHOOK lpfnPageSetupHook;
  LPPAGEPAINTHOOK lpfnPagePaintHook;
  LPCTSTR lpPageSetupTemplateName;
  HGLOBAL hPageSetupTemplate;
};
typedef PAGESETUPDLG* LPPAGESETUPDLG;

// Why the last print or page setup dialog failed (AfxGetPrintDlgError).
#define PDERR_SETUPFAILURE 0x1001
#define PDERR_PARSEFAILURE 0x1002
#define PDERR_RETDEFFAILURE 0x1003
#define PDERR_LOADDRVFAILURE 0x1004
#define PDERR_GETDEVMODEFAIL 0x1005
#define PDERR_INITFAILURE 0x1006
#define PDERR_NODEVICES 0x1007
#define PDERR_NODEFAULTPRN 0x1008
#define PDERR_DNDMMISMATCH 0x1009
#define PDERR_CREATEICFAILURE 0x100A
#define PDERR_PRINTERNOTFOUND 0x100B
#define PDERR_DEFAULTDIFFERENT 0x100C
#define CDERR_FINDRESFAILURE 0x0006
#define CDERR_LOADRESFAILURE 0x0007
#define CDERR_STRUCTSIZE 0x0001

// The standard templates: print, print setup and page setup.
#define PRINTDLGORD 1538
#define PRNSETUPDLGORD 1539
#define PAGESETUPDLGORD 1546

// Control numbers of the standard templates. A program's own template keeps the numbers of
// the standard controls it shows; the dialog fills and reads those it finds.
//   print:      cmb4 printer, psh2 properties, stc12 status, stc11 type, stc14 where,
//               stc13 comment, chx1 print to file, grp1 range with rad1 all, rad2 selection,
//               rad3 pages, edt1 from (label stc2), edt2 to (stc3); grp2 copies with edt3
//               (label stc5), chx2 collate and its picture ico3; pshHelp.
//   setup:      cmb1 printer, psh2 properties, status texts as above, cmb2 paper (stc2),
//               cmb3 source (stc3), rad1 portrait, rad2 landscape (grp1), pshHelp.
//   page setup: cmb2 paper (stc2), cmb3 source (stc3), grp1 orientation with rad1 portrait
//               and rad2 landscape, grp4 margins edt4 left (stc15), edt5 right (stc16),
//               edt6 top (stc17), edt7 bottom (stc18), rct1-rct3 and grp3 the sample page,
//               psh3 printer, pshHelp.
#define psh1 0x0400
#define psh2 0x0401
#define psh3 0x0402
#define pshHelp 0x040e
#define chx1 0x0410
#define chx2 0x0411
#define rad1 0x0420
#define rad2 0x0421
#define rad3 0x0422
#define grp1 0x0430
#define grp2 0x0431
#define grp3 0x0432
#define grp4 0x0433
#define rct1 0x0438
#define rct2 0x0439
#define rct3 0x043a
#define ico1 0x043c
#define ico3 0x043e
#define stc1 0x0440
#define stc2 0x0441
#define stc3 0x0442
#define stc5 0x0444
#define stc6 0x0445
#define stc7 0x0446
#define stc8 0x0447
#define stc9 0x0448
#define stc10 0x0449
#define stc11 0x044a
#define stc12 0x044b
#define stc13 0x044c
#define stc14 0x044d
#define stc15 0x044e
#define stc16 0x044f
#define stc17 0x0450
#define stc18 0x0451
#define cmb1 0x0470
#define cmb2 0x0471
#define cmb3 0x0472
#define cmb4 0x0473
#define edt1 0x0480
#define edt2 0x0481
#define edt3 0x0482
#define edt4 0x0483
#define edt5 0x0484
#define edt6 0x0485
#define edt7 0x0486

// The dialogs as functions: TRUE when the user chose (or, with PD_RETURNDEFAULT or
// PSD_RETURNDEFAULT, when there is a default printer), FALSE on cancel or failure;
// AfxGetPrintDlgError then says why (0 for a cancel).
BOOL PrintDlg(LPPRINTDLG lppd);
BOOL PageSetupDlg(LPPAGESETUPDLG lppsd);
DWORD AfxGetPrintDlgError();
void AfxSetPrintDlgError(DWORD dwError);

// A device context for the printer that the two handles name (hDevMode may be NULL: the
// printer's defaults); NULL when the names are damaged or the printer is unknown. The caller
// deletes it (DeleteDC). A PDF printer's context writes its port's file.
HDC AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode);
// Once the document on such a context has ended: FALSE when it went to a print queue and the print
// system did not take the job (the queue is gone or refuses jobs, or the server is away). A PDF
// printer's file and a context made otherwise give TRUE.
BOOL AfxPrintJobTaken(HDC hDC);

// ---- printers by name ----------------------------------------------------------------------

#define PRINTER_ACCESS_ADMINISTER 0x00000004
#define PRINTER_ACCESS_USE 0x00000008

struct PRINTER_DEFAULTS {
  LPTSTR pDatatype;
  LPDEVMODE pDevMode;
  DWORD DesiredAccess;
};

// A handle of an existing printer (the PDF printer included); FALSE, and *phPrinter NULL, when
// there is no printer of that name. ClosePrinter gives it back; FALSE for a handle that is not
// open.
BOOL OpenPrinter(LPCTSTR pPrinterName, HANDLE* phPrinter, PRINTER_DEFAULTS* pDefault);
BOOL ClosePrinter(HANDLE hPrinter);
// The name a handle was opened with; empty for a handle that is not open.
CString AfxGetPrinterHandleName(HANDLE hPrinter);
