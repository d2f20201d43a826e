// CQZ2App: the converters' settings.

#include "app/CQZ2App.h"

#include "app/CDxfConverterOpenSettingPropertyPage.h"
#include "app/CDxfConverterSaveSettingPropertyPage.h"
#include "app/CFileConverterSettingPropertySheet.h"
#include "app/CPdfConverterSaveSettingPropertyPage.h"
#include "app/CSxfConverterOpenSettingPropertyPage.h"
#include "app/CSxfConverterSaveSettingPropertyPage.h"
#include "app/ConverterSettings.h"
#include "command/LoadResourceString.h"
#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/PdfSetting.h"
#include "libs/conv/SXFSetting.h"
#include "platform/win/CFileDialog.h"
#include "platform/win/CWnd.h"

namespace {
constexpr UINT IDS_SUBSTITUTE_FONT = 11518;
constexpr UINT IDS_DXF_SHEET_TITLE = 10039;
constexpr UINT IDS_SXF_SHEET_TITLE = 10040;
constexpr UINT IDS_PDF_SHEET_TITLE = 11548;
}

ACadConvSetting* CQZ2App::GetAcadConvSetting()
{
    if (m_pAcadConvSetting == nullptr) {
        m_pAcadConvSetting = new ACadConvSetting;
        LoadAcadConvSetting(*m_pAcadConvSetting);
        // Texts in shape fonts take a font that the English interface has; the Japanese interface keeps
        // the converter's own.
        if (GetLanguageCode().CompareNoCase(_T("ENG")) == 0)
            m_pAcadConvSetting->SetSubstituteFontName(LoadResourceString(IDS_SUBSTITUTE_FONT));
    }
    return m_pAcadConvSetting;
}

SXFSetting* CQZ2App::GetSxfSetting()
{
    if (m_pSxfSetting == nullptr) {
        m_pSxfSetting = new SXFSetting(&m_productVersion);
        LoadSxfSetting(*m_pSxfSetting);
    }
    return m_pSxfSetting;
}

PdfSetting* CQZ2App::GetPdfSetting()
{
    if (m_pPdfSetting == nullptr) {
        m_pPdfSetting = new PdfSetting;
        LoadPdfSetting(*m_pPdfSetting);
    }
    return m_pPdfSetting;
}

namespace {

// The sheet's title: the converter's caption, then the file name when there is one.
CString SheetTitle(UINT nCaptionID, LPCTSTR lpszFileName)
{
    CString title = LoadResourceString(nCaptionID);
    const CString name = lpszFileName != nullptr ? CString(lpszFileName) : CString();
    if (!title.IsEmpty() && !name.IsEmpty())
        title += _T(" ") + name;
    return title;
}

}  // namespace

BOOL CQZ2App::ShowAcadConvSettingDialog(LPCTSTR lpszFileName, int nMode, ACadConvSetting* pSetting)
{
    if (pSetting == nullptr)
        pSetting = GetAcadConvSetting();
    CFileConverterSettingPropertySheet sheet(SheetTitle(IDS_DXF_SHEET_TITLE, lpszFileName), nullptr, nMode == 2 ? 1 : 0);
    sheet.m_bShowAtConversion = m_bDxfConverterDialog;
    CDxfConverterOpenSettingPropertyPage openPage;
    openPage.LoadFrom(*pSetting);
    sheet.AddPage(&openPage);
    CDxfConverterSaveSettingPropertyPage savePage;
    savePage.LoadFrom(*pSetting);
    sheet.AddPage(&savePage);
    if (sheet.DoModal() != IDOK)
        return FALSE;
    openPage.SaveTo(*pSetting);
    savePage.SaveTo(*pSetting);
    m_bDxfConverterDialog = sheet.m_bShowAtConversion;
    return TRUE;
}

BOOL CQZ2App::ShowSxfSettingDialog(LPCTSTR lpszFileName, int, SXFSetting* pSetting)
{
    if (pSetting == nullptr)
        pSetting = GetSxfSetting();
    CFileConverterSettingPropertySheet sheet(SheetTitle(IDS_SXF_SHEET_TITLE, lpszFileName));
    sheet.m_bShowAtConversion = m_bSxfConverterDialog;
    // Reading takes no options yet: its page is made but not shown.
    CSxfConverterOpenSettingPropertyPage openPage;
    CSxfConverterSaveSettingPropertyPage savePage;
    savePage.LoadFrom(*pSetting);
    sheet.AddPage(&savePage);
    if (sheet.DoModal() != IDOK)
        return FALSE;
    savePage.SaveTo(*pSetting);
    m_bSxfConverterDialog = sheet.m_bShowAtConversion;
    return TRUE;
}

BOOL CQZ2App::ShowPdfSettingDialog(LPCTSTR lpszFileName, int, PdfSetting* pSetting)
{
    if (pSetting == nullptr)
        pSetting = GetPdfSetting();
    CFileConverterSettingPropertySheet sheet(SheetTitle(IDS_PDF_SHEET_TITLE, lpszFileName));
    sheet.m_bShowAtConversion = m_bPdfConverterDialog;
    CPdfConverterSaveSettingPropertyPage page;
    page.LoadFrom(*pSetting);
    sheet.AddPage(&page);
    if (sheet.DoModal() != IDOK)
        return FALSE;
    page.SaveTo(*pSetting);
    m_bPdfConverterDialog = sheet.m_bShowAtConversion;
    return TRUE;
}

void CQZ2App::OnAcadConvSetting() { ShowAcadConvSettingDialog(_T(""), 0, nullptr); }
void CQZ2App::OnSxfSetting() { ShowSxfSettingDialog(_T(""), 0, nullptr); }
void CQZ2App::OnPdfSetting() { ShowPdfSettingDialog(_T(""), 0, nullptr); }

void CQZ2App::SaveConverterSettings()
{
    if (m_pAcadConvSetting != nullptr)
        SaveAcadConvSetting(*m_pAcadConvSetting);
    if (m_pSxfSetting != nullptr)
        SaveSxfSetting(*m_pSxfSetting);
    if (m_pPdfSetting != nullptr)
        SavePdfSetting(*m_pPdfSetting);
}

void CQZ2App::DeleteConverterSettings()
{
    delete m_pAcadConvSetting;
    m_pAcadConvSetting = nullptr;
    delete m_pSxfSetting;
    m_pSxfSetting = nullptr;
    delete m_pPdfSetting;
    m_pPdfSetting = nullptr;
}

void CQZ2App::OnImportDwgDxf()
{
    OnFileImport(0x100);
}
