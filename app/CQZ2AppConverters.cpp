// CQZ2App: the converters' settings.

#include "app/CQZ2App.h"

#include "app/ConverterSettings.h"
#include "command/LoadResourceString.h"
#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/PdfSetting.h"
#include "libs/conv/SXFSetting.h"
#include "platform/win/CFileDialog.h"
#include "platform/win/CWnd.h"

namespace {
constexpr UINT IDS_SUBSTITUTE_FONT = 11518;
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

BOOL CQZ2App::ShowAcadConvSettingDialog(LPCTSTR, int, ACadConvSetting* pSetting)
{
    if (pSetting == nullptr)
        GetAcadConvSetting();
    return TRUE;
}

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
    // The least of the import command: the full file dialog with its remembered filters is the shell's.
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
                       _T("DXF, DWG (*.dxf;*.dwg)|*.dxf;*.dwg||"), AfxGetMainWnd());
    const INT_PTR answer = dialog.DoModal();
    m_dwLastFileOpenFilter = 0x100;
    if (answer != IDOK)
        return;
    POSITION pos = dialog.GetStartPosition();
    while (pos != nullptr)
        OpenDocumentFile(dialog.GetNextPathName(pos));
}
