#pragma once
// What tests read off a shown measure result dialog and the clipboard, as the list and a pasting program
// would read them.

#include "commands/edit/CMeasureResultDialog.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/win/WinClipboard.h"
#include "platform/win/WinCtrlConstants.h"

namespace kctest {

// Whether the dialog draws the row red, asked as the list asks when it paints.
inline bool IsMeasureRowRed(CMeasureResultDialog& d, int nRow)
{
    NMLVCUSTOMDRAW cd{};
    cd.nmcd.hdr.hwndFrom = d.GetDlgItem(CMeasureResultDialog::kResultList)->GetSafeHwnd();
    cd.nmcd.hdr.idFrom = CMeasureResultDialog::kResultList;
    cd.nmcd.hdr.code = NM_CUSTOMDRAW;
    cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(nRow);
    cd.clrText = RGB(0, 0, 0);
    const LRESULT answer = d.SendMessage(WM_NOTIFY, CMeasureResultDialog::kResultList, reinterpret_cast<LPARAM>(&cd));
    return (answer & CDRF_NEWFONT) != 0 && cd.clrText == RGB(255, 0, 0);
}

// The clipboard's Unicode text; empty without one.
inline CString ClipboardUnicodeText()
{
    CString text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<LPCTSTR>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return text;
}

}  // namespace kctest
