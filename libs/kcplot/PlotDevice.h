#pragma once
// The printer a document prints on: which printer, its paper, orientation and other settings, handed to
// the print dialogs as DEVMODE and DEVNAMES handles and turned into a printer device context.
//
// A document starts without a printer; CreateDefaultDevice takes the system's default print queue, else
// the PDF printer, which is always there.

#include <memory>

#include "platform/afx/CString.h"
#include "platform/win/PrintDlgTypes.h"

class AfxPrinterData;

class PlotDevice
{
public:
    PlotDevice();
    ~PlotDevice();
    PlotDevice(const PlotDevice&) = delete;
    PlotDevice& operator=(const PlotDevice&) = delete;

    BOOL HasDevice() const { return m_bHasDevice; }
    // The system's default queue, else the PDF printer; FALSE only when no printer can be had at all.
    BOOL CreateDefaultDevice();

    // Paper numbers (DMPAPER_*) and orientation (1 portrait, 2 landscape, as DMORIENT_*).
    BOOL SetPaperSize(short nPaper);
    short GetPaperSize() const;
    BOOL SetPaperOrientation(short nOrientation);
    short GetPaperOrientation() const;

    // New handles of the current printer; the caller frees them (GlobalFree). NULL without a printer.
    HGLOBAL CreateDevModeHandle() const;
    HGLOBAL CreateDevNamesHandle() const;
    // Takes the settings or the printer of a dialog's handles; FALSE (nothing changed) for a damaged block
    // or an unknown printer. A new printer keeps the paper, orientation and copies where it has them.
    BOOL SetDevMode(HGLOBAL hDevMode);
    BOOL SetDevNames(HGLOBAL hDevNames);
    // A printer context that the caller deletes; NULL without a printer or when it cannot be made.
    HDC CreateDCW() const;

    CString GetDeviceName() const;
    BOOL IsPdf() const;
    // The file the PDF printer writes.
    CString GetOutputFile() const;
    void SetOutputFile(const CString& strPath);
    const AfxPrinterData& GetPrinterData() const { return *m_pData; }

private:
    std::unique_ptr<AfxPrinterData> m_pData;
    BOOL m_bHasDevice = FALSE;
};
