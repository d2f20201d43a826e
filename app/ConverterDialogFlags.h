#pragma once
// Whether each converter's settings sheet is shown when a conversion runs (section
// "ConverterCommonSetting"; TRUE when nothing is stored).

#include "platform/afx/AfxTypes.h"

extern const TCHAR kDxfConverterDialogFlag[];
extern const TCHAR kSxfConverterDialogFlag[];
extern const TCHAR kPdfConverterDialogFlag[];

// nMode 0 reads the flag (keeping it when nothing is stored), 1 writes it. TRUE when done.
BOOL ExchangeConverterDialogFlag(LPCTSTR lpszName, BOOL& bFlag, int nMode);
// Reads the three flags, each TRUE when nothing is stored.
void LoadConverterDialogFlags(BOOL& bDxf, BOOL& bSxf, BOOL& bPdf);
