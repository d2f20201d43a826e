// The application's file commands: opening, importing and new drawings from templates, all through
// the program's own file dialog.

#include "app/CQZ2App.h"

#include "app/CQZ2FileDialog.h"

namespace {

// File Open offers every drawing, the importable kinds and all files.
constexpr DWORD kOpenFlags = 0x8941;
constexpr DWORD kTemplateFlag = 0x80;

}  // namespace

void CQZ2App::OnFileOpen()
{
    CQZ2FileDialog dialog(TRUE, AfxGetMainWnd());
    dialog.SetMultiSelect(TRUE);
    dialog.SetFilterFlags(kOpenFlags);
    dialog.SelectFilter(m_dwLastFileOpenFilter);
    const INT_PTR answer = dialog.DoModal();
    m_dwLastFileOpenFilter = dialog.GetCurrentFlag();
    if (answer != IDOK)
        return;
    for (int i = 0; i < dialog.GetFileCount(); ++i)
        OpenDocumentFile(dialog.GetFilePath(i));
}

void CQZ2App::OnFileImport(DWORD dwFilterFlag)
{
    CQZ2FileDialog dialog(TRUE, AfxGetMainWnd());
    dialog.SetMultiSelect(TRUE);
    dialog.SetFilterFlags(dwFilterFlag);
    dialog.SelectFilter(dwFilterFlag);
    const INT_PTR answer = dialog.DoModal();
    // The next File Open starts on this kind, whether or not anything was imported.
    m_dwLastFileOpenFilter = dwFilterFlag;
    if (answer != IDOK)
        return;
    for (int i = 0; i < dialog.GetFileCount(); ++i)
        OpenDocumentFile(dialog.GetFilePath(i));
}

void CQZ2App::OnImportSxf()
{
    OnFileImport(0x8000);
}

void CQZ2App::OnImportJw()
{
    OnFileImport(0x800);
}

void CQZ2App::OnFileNewFromTemplate()
{
    CQZ2FileDialog dialog(TRUE, AfxGetMainWnd());
    dialog.SetFilterFlags(kTemplateFlag);
    dialog.SelectFilter(kTemplateFlag);
    if (dialog.DoModal() != IDOK || dialog.GetFileCount() < 1)
        return;
    OpenDocumentFromTemplate(dialog.GetFilePath(0));
}
