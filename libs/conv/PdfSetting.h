#pragma once
// The options of PDF writing that the settings sheet shows ("PdfSave").

#include "platform/afx/AfxTypes.h"

class PdfSetting
{
public:
    PdfSetting() = default;

    void SetLineWidthPrintable(BOOL bPrintable) { m_bLineWidthPrintable = bPrintable ? TRUE : FALSE; }
    BOOL IsLineWidthPrintable() const { return m_bLineWidthPrintable; }
    void SetPointMarkerPrintable(BOOL bPrintable) { m_bMarkerPrintable = bPrintable ? TRUE : FALSE; }
    BOOL IsPointMarkerPrintable() const { return m_bMarkerPrintable; }

    BOOL m_bBitmapPrint = FALSE;
    BOOL m_bPrintBlackAndWhite = FALSE;

private:
    BOOL m_bLineWidthPrintable = TRUE;
    BOOL m_bMarkerPrintable = FALSE;
};
