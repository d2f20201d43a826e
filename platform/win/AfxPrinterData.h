#pragma once
// One printer and its settings as the print dialogs and the printing code hand them around:
// read from and written to DEVMODE and DEVNAMES handles (checked field by field, so a damaged
// block is refused with a reason and never read past its end), turned into a Qt printer and
// into a printer device context.
//
// Printers are the system's print queues plus the PDF printer (GetPdfPrinterName), whose port
// is the file it writes. The PDF printer is never the default printer.

#include <vector>

#include "platform/afx/CString.h"
#include "platform/win/PrintDlgTypes.h"

class QPrinter;

class AfxPrinterData {
public:
  CString m_strDevice;                    // printer name
  CString m_strDriver;
  CString m_strPort;                      // the PDF printer: its output file
  BOOL m_bDefault = FALSE;                // the system's default printer (DN_DEFAULTPRN)
  short m_nPaper = DMPAPER_A4;            // DMPAPER_*, DMPAPER_USER: m_nPaperWidth x m_nPaperLength
  short m_nPaperWidth = 2100;             // tenths of a millimetre, portrait
  short m_nPaperLength = 2970;
  short m_nOrientation = DMORIENT_PORTRAIT;
  short m_nCopies = 1;
  BOOL m_bCollate = FALSE;
  short m_nColor = DMCOLOR_COLOR;
  short m_nDuplex = DMDUP_SIMPLEX;
  short m_nResolution = 600;              // dots per inch

  // ---- printers ----
  static CString GetPdfPrinterName();
  // The print queues, then the PDF printer.
  static std::vector<CString> GetPrinterNames();
  // FALSE when the system has no default printer.
  static BOOL GetDefaultPrinterName(CString& name);
  static BOOL PrinterExists(const CString& name);
  BOOL IsPdf() const;
  // That printer with its own default settings; FALSE (nothing changed) when unknown.
  BOOL LoadPrinter(const CString& name);
  BOOL LoadDefault();
  // Another printer keeping the paper, orientation and copies where it has them.
  BOOL ChangePrinter(const CString& name);
  // A description of the printer for the dialogs: type, place and comment.
  CString GetPrinterType() const;
  CString GetPrinterLocation() const;
  CString GetPrinterComment() const;

  // ---- handles ----
  // Reads the handles (either may be NULL: the default printer, or the named printer's
  // defaults). Returns 0, or the PDERR_ error and leaves this unchanged: PDERR_NODEFAULTPRN
  // (no names and no default printer), PDERR_PRINTERNOTFOUND, PDERR_DNDMMISMATCH (the two
  // name different printers), PDERR_PARSEFAILURE (a damaged block). why says more.
  DWORD Read(HGLOBAL hDevNames, HGLOBAL hDevMode, CString* why = nullptr);
  // Reads only the settings of a DEVMODE onto the current printer.
  DWORD ReadDevMode(HGLOBAL hDevMode, CString* why = nullptr);
  // The three names of a DEVNAMES block; FALSE when it is missing or damaged.
  static BOOL ReadDevNames(HGLOBAL hDevNames, CString& driver, CString& device, CString& port, WORD* pDefault = nullptr);
  // New blocks; the caller frees them (GlobalFree). NULL when out of memory.
  HGLOBAL CreateDevMode() const;
  HGLOBAL CreateDevNames() const;
  // Writes into the block held in h, resizing or replacing it as needed (a NULL h gets a new
  // one); FALSE when out of memory.
  BOOL WriteDevMode(HGLOBAL& h) const;
  BOOL WriteDevNames(HGLOBAL& h) const;

  // A copy of a block's bytes, and putting them back into the block held in h (which is
  // freed and cleared when there was no block: had is false).
  static std::vector<BYTE> SnapshotBlock(HGLOBAL h);
  static void RestoreBlock(HGLOBAL& h, bool had, const std::vector<BYTE>& bytes);

  // ---- paper ----
  // The sizes the printer offers, as paper numbers.
  std::vector<short> GetPaperList() const;
  static CString GetPaperName(short nPaper);
  // The portrait size of a paper number in tenths of a millimetre; FALSE when unknown.
  static BOOL GetPaperSize(short nPaper, short& nWidth, short& nLength);
  // The number of a size in millimetres, or DMPAPER_USER when it has none.
  static short FindPaper(double widthMM, double lengthMM);
  void SetPaper(short nPaper);
  // The sheet as it lies (landscape swaps), in millimetres.
  double GetSheetWidthMM() const;
  double GetSheetHeightMM() const;
  // The margins the printer cannot print on, in millimetres (all 0 for the PDF printer).
  void GetMinMarginsMM(double& left, double& top, double& right, double& bottom) const;

  // ---- devices ----
  // A Qt printer set up with these settings; the caller owns it. Null for an unknown printer.
  QPrinter* CreatePrinter() const;
  void ApplyTo(QPrinter& printer) const;
  void ReadFrom(const QPrinter& printer);
  // A printer device context that owns its printer (see AfxCreateDC); NULL when unknown.
  HDC CreateDC() const;
  // The file the PDF printer writes when its port names none.
  static CString GetDefaultPdfFile();
};
