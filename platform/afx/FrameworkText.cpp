#include "platform/afx/FrameworkText.h"

CString AfxLoadFrameworkText(UINT nID, LPCTSTR lpszDefault)
{
    CString text;
    if (text.LoadString(nID) && !text.IsEmpty())
        return text;
    return CString(lpszDefault);
}

CString AfxLoadButtonText(UINT nButtonID)
{
    // English where no language library is loaded, in the order of the buttons' numbers from 1.
    static const TCHAR* const kEnglish[] = {
        _T("OK"),     _T("Cancel"), _T("&Abort"),     _T("&Retry"),    _T("&Ignore"), _T("&Yes"),
        _T("&No"),    _T("Close"),  _T("Help"),       _T("&Try Again"), _T("&Continue"),
    };
    constexpr UINT kCount = sizeof(kEnglish) / sizeof(kEnglish[0]);
    if (nButtonID == AFX_IDS_BUTTON_APPLY)
        return AfxLoadFrameworkText(AFX_IDS_BUTTON_APPLY, _T("&Apply"));
    if (nButtonID < 1 || nButtonID > kCount)
        return CString();
    return AfxLoadFrameworkText(AFX_IDS_BUTTON_BASE + nButtonID, kEnglish[nButtonID - 1]);
}

CString AfxFormatFileMessage(UINT nID, LPCTSTR lpszDefault, const CString& strFileName)
{
    CString file = AfxLoadFrameworkText(AFX_IDS_THE_FILE, _T("the file"));
    if (!strFileName.IsEmpty()) {
        file = AfxLoadFrameworkText(AFX_IDS_THE_NAMED_FILE, _T("the file \"%1\""));
        file.Replace(_T("%1"), strFileName);
    }
    CString text = AfxLoadFrameworkText(nID, lpszDefault);
    const bool fileFirst = text.Find(_T("%1")) == 0;
    text.Replace(_T("%1"), file);
    if (fileFirst && !text.IsEmpty() && text[0] >= u'a' && text[0] <= u'z')
        text.SetAt(0, static_cast<TCHAR>(text[0] - u'a' + u'A'));
    return text;
}
