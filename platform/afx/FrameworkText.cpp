#include "platform/afx/FrameworkText.h"

CString AfxLoadFrameworkText(UINT nID, LPCTSTR lpszDefault)
{
    CString text;
    if (text.LoadString(nID) && !text.IsEmpty())
        return text;
    return CString(lpszDefault);
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
