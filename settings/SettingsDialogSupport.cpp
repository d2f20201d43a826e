#include "settings/SettingsDialogSupport.h"

#include <cstdlib>

#include "command/LoadResourceString.h"
#include "controls/HelpButtonImage.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CButton.h"
#include "platform/win/CWnd.h"

namespace {

constexpr int kHelpButton = 57670;

}  // namespace

BOOL SetHelpButtonImage(CWnd* pDialog, CBitmap& bitmap)
{
    if (pDialog == nullptr)
        return FALSE;
    auto* pButton = static_cast<CButton*>(pDialog->GetDlgItem(kHelpButton));
    if (pButton == nullptr)
        return FALSE;
    if (bitmap.GetSafeHandle() == nullptr && !LoadHelpButtonImage(bitmap))
        return FALSE;
    pButton->ModifyStyle(0, BS_BITMAP);
    pButton->SetBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
    return TRUE;
}

int DialogRowHeight(CWnd* pDialog)
{
    CFont* pFont = pDialog != nullptr ? pDialog->GetFont() : nullptr;
    LOGFONT font{};
    if (pFont == nullptr || pFont->GetLogFont(&font) == 0)
        return 0;
    return std::abs(static_cast<int>(font.lfHeight)) * 5 / 4;
}

CString LoadSettingsString(UINT nStringId)
{
    return LoadResourceString(nStringId);
}
