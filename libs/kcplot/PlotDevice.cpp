#include "libs/kcplot/PlotDevice.h"

#include "platform/win/AfxPrinterData.h"

PlotDevice::PlotDevice() : m_pData(std::make_unique<AfxPrinterData>()) {}

PlotDevice::~PlotDevice() = default;

BOOL PlotDevice::CreateDefaultDevice()
{
    AfxPrinterData data;
    if (!data.LoadDefault() && !data.LoadPrinter(AfxPrinterData::GetPdfPrinterName()))
        return FALSE;
    // The paper and orientation chosen so far stay.
    data.m_nPaper = m_pData->m_nPaper;
    data.m_nPaperWidth = m_pData->m_nPaperWidth;
    data.m_nPaperLength = m_pData->m_nPaperLength;
    data.m_nOrientation = m_pData->m_nOrientation;
    *m_pData = data;
    m_bHasDevice = TRUE;
    return TRUE;
}

BOOL PlotDevice::SetPaperSize(short nPaper)
{
    short w = 0, l = 0;
    if (!AfxPrinterData::GetPaperSize(nPaper, w, l))
        return FALSE;
    m_pData->SetPaper(nPaper);
    return TRUE;
}

short PlotDevice::GetPaperSize() const { return m_pData->m_nPaper; }

BOOL PlotDevice::SetPaperOrientation(short nOrientation)
{
    if (nOrientation != DMORIENT_PORTRAIT && nOrientation != DMORIENT_LANDSCAPE)
        return FALSE;
    m_pData->m_nOrientation = nOrientation;
    return TRUE;
}

short PlotDevice::GetPaperOrientation() const { return m_pData->m_nOrientation; }

HGLOBAL PlotDevice::CreateDevModeHandle() const { return m_bHasDevice ? m_pData->CreateDevMode() : nullptr; }

HGLOBAL PlotDevice::CreateDevNamesHandle() const { return m_bHasDevice ? m_pData->CreateDevNames() : nullptr; }

BOOL PlotDevice::SetDevMode(HGLOBAL hDevMode)
{
    if (hDevMode == nullptr || !m_bHasDevice)
        return FALSE;
    AfxPrinterData data = *m_pData;
    if (data.ReadDevMode(hDevMode) != 0)
        return FALSE;
    *m_pData = data;
    return TRUE;
}

BOOL PlotDevice::SetDevNames(HGLOBAL hDevNames)
{
    CString driver, device, port;
    if (!AfxPrinterData::ReadDevNames(hDevNames, driver, device, port))
        return FALSE;
    AfxPrinterData data = *m_pData;
    if (!m_bHasDevice || device != data.m_strDevice) {
        if (!(m_bHasDevice ? data.ChangePrinter(device) : data.LoadPrinter(device)))
            return FALSE;
    }
    if (data.IsPdf())
        data.m_strPort = port;
    *m_pData = data;
    m_bHasDevice = TRUE;
    return TRUE;
}

HDC PlotDevice::CreateDCW() const { return m_bHasDevice ? m_pData->CreateDC() : nullptr; }

CString PlotDevice::GetDeviceName() const { return m_bHasDevice ? m_pData->m_strDevice : CString(); }

BOOL PlotDevice::IsPdf() const { return m_bHasDevice && m_pData->IsPdf(); }

CString PlotDevice::GetOutputFile() const { return m_pData->m_strPort; }

void PlotDevice::SetOutputFile(const CString& strPath) { m_pData->m_strPort = strPath; }
