#include "app/CPdfConverterSaveSettingPropertyPage.h"

#include "libs/conv/PdfSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"

IMPLEMENT_DYNAMIC(CPdfConverterSaveSettingPropertyPage, CPropertyPage)

CPdfConverterSaveSettingPropertyPage::CPdfConverterSaveSettingPropertyPage() : CPropertyPage(IDD) {}
CPdfConverterSaveSettingPropertyPage::~CPdfConverterSaveSettingPropertyPage() = default;

void CPdfConverterSaveSettingPropertyPage::LoadFrom(const PdfSetting& s)
{
    m_bBitmapPrint = s.m_bBitmapPrint != FALSE;
    m_bBlackAndWhite = s.m_bPrintBlackAndWhite != FALSE;
    m_bLineWidthPrintable = s.IsLineWidthPrintable();
    m_bMarkerPrintable = s.IsPointMarkerPrintable();
}

void CPdfConverterSaveSettingPropertyPage::SaveTo(PdfSetting& s) const
{
    s.m_bBitmapPrint = m_bBitmapPrint ? TRUE : FALSE;
    s.m_bPrintBlackAndWhite = m_bBlackAndWhite ? TRUE : FALSE;
    s.SetLineWidthPrintable(m_bLineWidthPrintable);
    s.SetPointMarkerPrintable(m_bMarkerPrintable);
}

void CPdfConverterSaveSettingPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, 2390, m_bBitmapPrint);
    DDX_Check(pDX, 1041, m_bBlackAndWhite);
    DDX_Check(pDX, 1029, m_bLineWidthPrintable);
    DDX_Check(pDX, 1030, m_bMarkerPrintable);
    DDX_Check(pDX, 2389, m_bUnbound);
}
