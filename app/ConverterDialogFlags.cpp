#include "app/ConverterDialogFlags.h"

#include "command/RegistryManager.h"
#include "platform/win/Registry.h"

const TCHAR kDxfConverterDialogFlag[] = _T("DxfConvertTimeShowSettingDlg");
const TCHAR kSxfConverterDialogFlag[] = _T("SxfConvertTimeShowSettingDlg");
const TCHAR kPdfConverterDialogFlag[] = _T("PdfConvertTimeShowSettingDlg");

namespace {
const TCHAR kSection[] = _T("ConverterCommonSetting");
}

BOOL ExchangeConverterDialogFlag(LPCTSTR lpszName, BOOL& bFlag, int nMode)
{
    RegistryManager registry(HKEY_CURRENT_USER);
    if (nMode == 1)
        return registry.WriteProfileInt(kSection, lpszName, bFlag ? 1 : 0);
    bFlag = registry.GetProfileInt(kSection, lpszName, bFlag ? 1 : 0) != 0 ? TRUE : FALSE;
    return TRUE;
}

void LoadConverterDialogFlags(BOOL& bDxf, BOOL& bSxf, BOOL& bPdf)
{
    bDxf = bSxf = bPdf = TRUE;
    ExchangeConverterDialogFlag(kDxfConverterDialogFlag, bDxf, 0);
    ExchangeConverterDialogFlag(kSxfConverterDialogFlag, bSxf, 0);
    ExchangeConverterDialogFlag(kPdfConverterDialogFlag, bPdf, 0);
}
