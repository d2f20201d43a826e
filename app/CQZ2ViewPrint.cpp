// Printing of the drawing view: the printer check, the print and page setup dialogs, the printing hooks
// that put one page on the printer through the printing library, and the PDF file written whole before it
// replaces its target.

#include "app/CQZ2View.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2PageSetupDialog.h"
#include "app/CQZ2PreviewView.h"
#include "app/CQZ2PrintDialog.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/kcplot/PlotDevice.h"
#include "libs/kcplot/PlotManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PlotSetting.h"
#include "platform/afx/CFileException.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/win/AfxPrinterData.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CFileDialog.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CWinApp.h"
#include "platform/win/PrintDlgTypes.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinDocConstants.h"

namespace {

constexpr UINT kSetPrintRangeID = 39562;
constexpr UINT kNoPrinterMessage = 10122;
constexpr UINT kPreviewPageDesc = 61508;
constexpr UINT kCommandFailure = 61705;  // "the command failed"

Draw2dDocument* ModelOf(CDocument* pDoc)
{
    auto* p = dynamic_cast<CQZ2Doc*>(pDoc);
    return p != nullptr ? p->GetDraw2dDocument() : nullptr;
}

// The paper and orientation of the plot setting on the printer, before a dialog shows it.
void ApplySettingToDevice(PlotDevice& device, const PlotSetting& setting)
{
    device.SetPaperSize(setting.GetPaperType());
    device.SetPaperOrientation(setting.GetOrientType() == PlotSetting::orientPortrait ? DMORIENT_PORTRAIT
                                                                                       : DMORIENT_LANDSCAPE);
}

void FreeHandle(HGLOBAL& h)
{
    if (h != nullptr)
        ::GlobalFree(h);
    h = nullptr;
}

// Tells the user that the PDF file could not be written, naming it, in the words of the file error.
void ReportPdfError(int nErrno, const CString& strTarget)
{
    const CFileException e(CFileException::ErrnoToException(nErrno), nErrno, strTarget);
    TCHAR szMessage[1024] = {0};
    e.GetErrorMessage(szMessage, 1024);
    AfxMessageBox(szMessage, MB_ICONEXCLAMATION);
}

// 0 when the PDF file can be written: its folder takes the temporary file it is written into, and an
// existing file there may be replaced. Otherwise the reason (errno). Nothing is left behind.
int CheckPdfTarget(const QString& target, const QString& part)
{
    const QByteArray targetName = QFile::encodeName(target);
    if (QFileInfo(target).isDir())
        return EISDIR;
    if (QFileInfo::exists(target) && ::access(targetName.constData(), W_OK) != 0)
        return errno;
    const QByteArray partName = QFile::encodeName(part);
    const int fd = ::open(partName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(partName.constData());
    return 0;
}

}  // namespace

BOOL CQZ2View::CheckPrinter()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->CancelAllCommands();
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    if (pDoc == nullptr || pDoc->GetPlotDevice() == nullptr)
        return FALSE;
    // The application's printer: the default queue, else the PDF printer. Only when no printer at all can be
    // made is there nothing to print on.
    PRINTDLG pd{};
    pd.lStructSize = sizeof(pd);
    CWinApp* pApp = AfxGetApp();
    PlotDevice* pDevice = pDoc->GetPlotDevice();
    if (pApp != nullptr && pApp->GetPrinterDeviceDefaults(&pd) &&
        (pDevice->HasDevice() || pDevice->SetDevNames(pd.hDevNames) || pDevice->CreateDefaultDevice()))
        return TRUE;
    AfxMessageBox(LoadResourceString(kNoPrinterMessage), MB_ICONEXCLAMATION);
    return FALSE;
}

void CQZ2View::OnUpdateFilePrint(CCmdUI* pCmdUI)
{
    if (pCmdUI != nullptr)
        pCmdUI->Enable(GetDrawingFeature() != nullptr);
}

void CQZ2View::ApplyPlotSetting(PlotDevice*, PlotSetting* pSetting, void* pArg)
{
    auto* pView = static_cast<CQZ2View*>(pArg);
    if (pView == nullptr || pSetting == nullptr)
        return;
    if (Draw2dDocument* pModel = ModelOf(pView->GetDocument()))
        pModel->SetPlotSetting(*pSetting);
    pView->m_pDraw2dView->UpdateView(0, 0);
}

// ---- print -----------------------------------------------------------------------------------------

void CQZ2View::OnFilePrint()
{
    if (!CheckPrinter())
        return;
    m_strPdfTarget.Empty();
    m_strPdfPart.Empty();
    m_bPagePrinted = FALSE;
    m_pDraw2dView->SetPrintRangeVisible(TRUE);
    CView::OnFilePrint();
    m_pDraw2dView->SetPrintRangeVisible(FALSE);
    FinishPdf();
}

void CQZ2View::FinishPdf()
{
    if (m_strPdfPart.IsEmpty())
        return;
    const QString part = m_strPdfPart.ToQString();
    const QString target = m_strPdfTarget.ToQString();
    m_strPdfPart.Empty();
    m_strPdfTarget.Empty();
    if (!m_bPagePrinted) {
        QFile::remove(part);
        return;
    }
    const QFileInfo written(part);
    if (!written.exists() || written.size() == 0) {
        QFile::remove(part);
        AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_START_PRINT), MB_ICONEXCLAMATION);
        return;
    }
    // rename replaces the target in one step: it is either the old file or the complete new one.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0) {
        const int nErrno = errno;
        QFile::remove(part);
        ReportPdfError(nErrno, CString::FromQString(target));
    }
}

BOOL CQZ2View::OnPreparePrinting(CPrintInfo* pInfo)
{
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    if (pInfo == nullptr || pDoc == nullptr || pDoc->GetPlotDevice() == nullptr)
        return FALSE;
    delete pInfo->m_pPD;
    auto* pDialog = new CQZ2PrintDialog(this);
    pInfo->m_pPD = pDialog;
    PlotDevice* pDevice = pDoc->GetPlotDevice();
    if (!pDevice->HasDevice())
        pDevice->CreateDefaultDevice();
    ApplySettingToDevice(*pDevice, pDoc->GetDraw2dDocument()->GetPlotSetting());
    if (!pInfo->m_bPreview && !pInfo->m_bDirect) {
        pInfo->SetMinPage(1);
        pInfo->SetMaxPage(0xFFFF);
        if (DoPrintDialog(pDialog, pDevice) != IDOK)
            return FALSE;
    } else {
        pDialog->m_pd.hDevNames = pDevice->CreateDevNamesHandle();
        pDialog->m_pd.hDevMode = pDevice->CreateDevModeHandle();
        if (pDialog->m_pd.hDC == nullptr) {
            if (!pDevice->HasDevice())
                return FALSE;
            pDialog->m_pd.hDC = pDevice->CreateDCW();
            if (pDialog->m_pd.hDC == nullptr)
                return FALSE;
        }
        pInfo->SetMinPage(1);
        pInfo->SetMaxPage(0xFFFF);
    }
    if (pDialog->m_pd.hDC == nullptr)
        return FALSE;
    pInfo->m_nNumPreviewPages = 1;
    pInfo->m_strPageDesc = AfxLoadFrameworkString(kPreviewPageDesc);
    return TRUE;
}

INT_PTR CQZ2View::DoPrintDialog(CQZ2PrintDialog* pDialog, PlotDevice* pDevice)
{
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    if (pDialog == nullptr || pDevice == nullptr || pDoc == nullptr)
        return IDCANCEL;
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    for (;;) {
        pDialog->m_pPlotDevice = pDevice;
        pDialog->m_plotSetting = pModel->GetPlotSetting();
        pDialog->m_nExitCode = kExitOK;
        pDialog->m_bPrinterChanged = FALSE;
        FreeHandle(pDialog->m_pd.hDevMode);
        FreeHandle(pDialog->m_pd.hDevNames);
        pDialog->m_pd.hDevMode = pDevice->CreateDevModeHandle();
        pDialog->m_pd.hDevNames = pDevice->CreateDevNamesHandle();
        INT_PTR nResult = pDialog->DoModal();
        if (nResult != IDOK) {
            if (nResult == IDCANCEL)
                return IDCANCEL;
            // A stored printer that went away: once more with the default printer.
            const DWORD dwError = AfxGetPrintDlgError();
            if (dwError != PDERR_DNDMMISMATCH && dwError != PDERR_PRINTERNOTFOUND && dwError != PDERR_DEFAULTDIFFERENT)
                return nResult;
            FreeHandle(pDialog->m_pd.hDevMode);
            FreeHandle(pDialog->m_pd.hDevNames);
            nResult = pDialog->DoModal();
            if (nResult != IDOK)
                return nResult == IDCANCEL ? IDCANCEL : nResult;
        }
        switch (pDialog->m_nExitCode) {
        case kExitPrinterChanged:
            return IDCANCEL;
        case kExitPreview:
            pModel->SetPlotSetting(pDialog->m_plotSetting);
            PostMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
            return IDCANCEL;
        case kExitPageSetup:
            pModel->SetPlotSetting(pDialog->m_plotSetting);
            if (DoPageSetup(pDevice, FALSE, FALSE, FALSE, &CQZ2View::ApplyPlotSetting, this) == kExitSetRange)
                return IDCANCEL;
            continue;
        default:
            break;
        }
        // The PDF printer writes a file: which one is asked now.
        CString driver, device, port;
        if (AfxPrinterData::ReadDevNames(pDialog->m_pd.hDevNames, driver, device, port) &&
            device == AfxPrinterData::GetPdfPrinterName()) {
            const QString folder = pDoc->GetPathName().IsEmpty() ? QDir::currentPath()
                                                                  : QFileInfo(pDoc->GetPathName().ToQString()).absolutePath();
            QString title = QFileInfo(pDoc->GetTitle().ToQString()).completeBaseName();
            if (title.isEmpty())
                title = QStringLiteral("Drawing");
            const CString strDefault = CString::FromQString(QDir(folder).filePath(title + QStringLiteral(".pdf")));
            CFileDialog fileDialog(FALSE, u"pdf", strDefault, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                                   u"PDF (*.pdf)|*.pdf||", this);
            if (fileDialog.DoModal() != IDOK)
                return IDCANCEL;
            m_strPdfTarget = fileDialog.GetPathName();
            m_strPdfPart = CString::FromQString(
                m_strPdfTarget.ToQString() + QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid()));
            if (const int nErrno = CheckPdfTarget(m_strPdfTarget.ToQString(), m_strPdfPart.ToQString()); nErrno != 0) {
                ReportPdfError(nErrno, m_strPdfTarget);
                m_strPdfTarget.Empty();
                m_strPdfPart.Empty();
                return IDCANCEL;
            }
            AfxPrinterData data;
            if (data.Read(pDialog->m_pd.hDevNames, pDialog->m_pd.hDevMode) == 0) {
                data.m_strPort = m_strPdfPart;
                data.WriteDevNames(pDialog->m_pd.hDevNames);
            }
        }
        if (pDialog->m_pd.hDC != nullptr) {
            ::DeleteDC(pDialog->m_pd.hDC);
            pDialog->m_pd.hDC = nullptr;
        }
        if (pDialog->CreatePrinterDC() == nullptr) {
            // The printer went away after it was chosen.
            m_strPdfPart.Empty();
            AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_START_PRINT), MB_ICONEXCLAMATION);
            return IDCANCEL;
        }
        return IDOK;
    }
}

void CQZ2View::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CQZ2View::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;
    if (!pInfo->m_bPreview && pInfo->m_pPD != nullptr) {
        HANDLE hPrinter = nullptr;
        PRINTER_DEFAULTS defaults{nullptr, pInfo->m_pPD->GetDevMode(), PRINTER_ACCESS_USE};
        const CString strDevice = pInfo->m_pPD->GetDeviceName();
        const BOOL bOpen = ::OpenPrinter(strDevice, &hPrinter, &defaults);
        if (pInfo->m_pPD->m_pd.hDevMode != nullptr)
            ::GlobalUnlock(pInfo->m_pPD->m_pd.hDevMode);
        auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
        if (bOpen && pDoc != nullptr) {
            Gdiplus::Graphics graphics(pDC->GetSafeHdc(), hPrinter);
            // Millimetres on the sheet from its top-left corner; the context starts at the printable area.
            graphics.SetPageUnit(Gdiplus::UnitMillimeter);
            graphics.SetPageScale(1.0f);
            const double offX = pDC->GetDeviceCaps(PHYSICALOFFSETX) * 25.4 / std::max(1, pDC->GetDeviceCaps(LOGPIXELSX));
            const double offY = pDC->GetDeviceCaps(PHYSICALOFFSETY) * 25.4 / std::max(1, pDC->GetDeviceCaps(LOGPIXELSY));
            graphics.TranslateTransform(static_cast<Gdiplus::REAL>(-offX), static_cast<Gdiplus::REAL>(-offY));
            m_bPagePrinted = pDoc->GetPlotManager()->PlotOut(pDoc->GetDraw2dDocument(), GetDrawingFeature(), &graphics,
                                                             pDC->m_hAttribDC);
        }
        pInfo->m_bContinuePrinting = FALSE;
        if (bOpen)
            ::ClosePrinter(hPrinter);
    }
    CView::OnPrint(pDC, pInfo);
}

void CQZ2View::OnEndPrinting(CDC*, CPrintInfo* pInfo)
{
    if (pInfo == nullptr || pInfo->m_pPD == nullptr)
        return;
    CPrintDialog* pDialog = pInfo->m_pPD;
    FreeHandle(pDialog->m_pd.hDevMode);
    FreeHandle(pDialog->m_pd.hDevNames);
    if (pDialog->m_pd.hDC != nullptr)
        ::DeleteDC(pDialog->m_pd.hDC);
    pDialog->m_pd.hDC = nullptr;
    delete pDialog;
    pInfo->m_pPD = nullptr;
}

// ---- page setup ------------------------------------------------------------------------------------

void CQZ2View::OnFilePageSetup()
{
    if (!CheckPrinter())
        return;
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    m_pDraw2dView->SetPrintRangeVisible(TRUE);
    DoPageSetup(pDoc->GetPlotDevice(), !m_bInPrintPreview, !m_bInPrintPreview, TRUE, &CQZ2View::ApplyPlotSetting, this);
    m_pDraw2dView->SetPrintRangeVisible(FALSE);
}

int CQZ2View::DoPageSetup(PlotDevice* pDevice, BOOL bShowPreview, BOOL bShowPrint, BOOL bShowPrinter,
                          void (*pfnApply)(PlotDevice*, PlotSetting*, void*), void* pArg)
{
    Draw2dDocument* pModel = ModelOf(GetDocument());
    if (pDevice == nullptr || pModel == nullptr)
        return kExitCancel;
    // A printer that went away since it was chosen gives way to the default one: the page setup is where
    // the user picks another.
    if (!pDevice->HasDevice() || !AfxPrinterData::PrinterExists(pDevice->GetDeviceName()))
        pDevice->CreateDefaultDevice();
    ApplySettingToDevice(*pDevice, pModel->GetPlotSetting());
    CQZ2PageSetupDialog dialog(this);
    dialog.m_psd.hDevMode = pDevice->CreateDevModeHandle();
    dialog.m_psd.hDevNames = pDevice->CreateDevNamesHandle();
    dialog.m_pPlotDevice = pDevice;
    dialog.m_plotSetting = pModel->GetPlotSetting();
    dialog.m_bShowPreviewButton = bShowPreview;
    dialog.m_bShowPrintButton = bShowPrint;
    dialog.m_bShowPrinterButton = bShowPrinter;
    dialog.m_pfnApply = pfnApply;
    dialog.m_pApplyArg = pArg;
    const DrawingFeatureBase* pDrawing = GetDrawingFeature();
    dialog.m_bPaperDrawing = pDrawing != nullptr && pDrawing->GetDrawingType() == DrawingFeatureBase::typePaper;
    dialog.DoModal();
    FreeHandle(dialog.m_psd.hDevMode);
    FreeHandle(dialog.m_psd.hDevNames);
    const int nCode = dialog.m_nExitCode;
    if (nCode == kExitOK || nCode == kExitPreview || nCode == kExitPrint || nCode == kExitSetRange) {
        pModel->SetPlotSetting(dialog.m_plotSetting);
        if (nCode == kExitPreview)
            PostMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        else if (nCode == kExitPrint)
            PostMessage(WM_COMMAND, ID_FILE_PRINT);
        else if (nCode == kExitSetRange)
            PostMessage(WM_COMMAND, kSetPrintRangeID);
    }
    return nCode;
}

// ---- preview ---------------------------------------------------------------------------------------

void CQZ2View::OnFilePrintPreview()
{
    if (m_bInPrintPreview || !CheckPrinter())
        return;
    auto* pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (pFrame == nullptr)
        return;
    m_bInPrintPreview = TRUE;
    auto* pPreview = new CQZ2PreviewView;
    if (!pPreview->Start(pFrame, this)) {
        // A preview that never showed leaves the view as it was, page setup buttons included.
        delete pPreview;
        m_bInPrintPreview = FALSE;
        AfxMessageBox(AfxLoadFrameworkString(kCommandFailure), MB_ICONEXCLAMATION);
    }
}

void CQZ2View::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView*)
{
    m_bInPrintPreview = FALSE;
    OnEndPrinting(pDC, pInfo);
}
