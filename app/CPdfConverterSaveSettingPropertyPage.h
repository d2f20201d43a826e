#pragma once
// The page of the PDF output settings sheet (template 615).

#include "platform/win/CPropertyPage.h"

class PdfSetting;

class CPdfConverterSaveSettingPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CPdfConverterSaveSettingPropertyPage)
public:
    enum { IDD = 615 };

    CPdfConverterSaveSettingPropertyPage();
    ~CPdfConverterSaveSettingPropertyPage() override;

    void LoadFrom(const PdfSetting& setting);
    void SaveTo(PdfSetting& setting) const;

    int m_bBitmapPrint = FALSE;
    int m_bBlackAndWhite = FALSE;
    int m_bLineWidthPrintable = TRUE;
    int m_bMarkerPrintable = FALSE;
    // Check box 2389 is shown but bound to nothing.
    int m_bUnbound = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
