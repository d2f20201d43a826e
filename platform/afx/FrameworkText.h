#pragma once
// Texts of the platform layer that a user reads: the messages of its exceptions and of its document and
// file dialogs. Each has a number in the language library (0xF000-0xF1FF); the built-in English text is
// used only where no library is loaded, as in the platform's own tests.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

// How a message names a file: "the file" without a name, else "the file "%1"" with %1 the name.
#define AFX_IDS_THE_FILE 0xF180
#define AFX_IDS_THE_NAMED_FILE 0xF181
// CFileException causes: AFX_IDP_FILE_NONE + cause ("%1" is the file as named above).
#define AFX_IDP_FILE_NONE 0xF190
// CArchiveException causes: AFX_IDP_ARCH_NONE + cause.
#define AFX_IDP_ARCH_NONE 0xF1A0
// Compound files (platform/ole): what was wrong with the file.
#define AFX_IDP_STORAGE_NOT_COMPOUND 0xF1B0
#define AFX_IDP_STORAGE_DAMAGED 0xF1B1
#define AFX_IDP_STORAGE_ACCESS_DENIED 0xF1B2
#define AFX_IDP_STORAGE_ELEMENT_MISSING 0xF1B3
#define AFX_IDP_STORAGE_ELEMENT_EXISTS 0xF1B4
#define AFX_IDP_STORAGE_BAD_NAME 0xF1B5
#define AFX_IDP_STORAGE_FAILED 0xF1B6
// Exceptions without a file.
#define AFX_IDP_OUT_OF_MEMORY 0xF1B8
#define AFX_IDP_NOT_SUPPORTED 0xF1B9
#define AFX_IDP_INVALID_ARGUMENT 0xF1BA
#define AFX_IDP_UNEXPECTED_ERROR 0xF1BB
#define AFX_IDP_OLE_FAILED 0xF1BC
// The standard print, print setup and page setup dialogs.
#define AFX_IDS_PRINT_SOURCE_AUTO 0xF1C0
#define AFX_IDS_PRINTER_READY 0xF1C1
#define AFX_IDS_PAPER_CUSTOM 0xF1C2
#define AFX_IDP_PRINT_NUMBER_RANGE 0xF1C3
#define AFX_IDP_PRINT_MARGIN_RANGE 0xF1C4
#define AFX_IDP_PRINT_MARGINS_NO_ROOM 0xF1C5
// The texts of the standard buttons of message boxes and property sheets: AFX_IDS_BUTTON_BASE + the
// button's number (IDOK 1, IDCANCEL 2, IDABORT 3, IDRETRY 4, IDIGNORE 5, IDYES 6, IDNO 7, IDCLOSE 8,
// IDHELP 9, IDTRYAGAIN 10, IDCONTINUE 11), and the property sheet's Apply.
#define AFX_IDS_BUTTON_BASE 0xF1D0
#define AFX_IDS_BUTTON_APPLY 0xF1DC
// Their templates (DIALOG/<n> of the language library); a built-in English one stands in where the
// library has none.
#define AFX_IDD_STANDARD_PRINT 0xF600
#define AFX_IDD_STANDARD_PRINT_SETUP 0xF601
#define AFX_IDD_STANDARD_PAGE_SETUP 0xF602

// The text of nID from the language library, else lpszDefault.
CString AfxLoadFrameworkText(UINT nID, LPCTSTR lpszDefault);
// The text of a standard button: nButtonID is one of the numbers above (IDOK ... IDCONTINUE), or
// AFX_IDS_BUTTON_APPLY itself; anything else gives an empty text.
CString AfxLoadButtonText(UINT nButtonID);
// The sentence of number nID (with its built-in English lpszDefault) naming a file: %1 becomes "the file"
// or "the file "name"" in the interface's language, and a sentence that starts with it starts upper case.
CString AfxFormatFileMessage(UINT nID, LPCTSTR lpszDefault, const CString& strFileName);
