#include "app/CQZ2AboutDlg.h"

#include <QtCore/QtGlobal>

#include "command/LoadResourceString.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CQZ2AboutDlg, CDialog)

#ifndef KC_OCC_VERSION
#define KC_OCC_VERSION "?"
#endif

namespace {
constexpr UINT IDS_ABOUT_VERSION = 12966;
constexpr UINT IDS_ABOUT_COPYRIGHT = 12967;
}  // namespace

CQZ2AboutDlg::CQZ2AboutDlg(const QZ2ProductVersion& version, const CString& strHomePage, CWnd* pParent)
    : CDialog(IDD, pParent), m_version(version), m_strHomePage(strHomePage)
{
}

CQZ2AboutDlg::~CQZ2AboutDlg() = default;

CString CQZ2AboutDlg::GetProductText() const
{
    CString text;
    text.Format(LoadResourceString(IDS_ABOUT_VERSION), static_cast<LPCTSTR>(LoadResourceString(AFX_IDS_APP_TITLE)),
                m_version.GetMajorVersion(), m_version.GetMinorVersion(), 0);
    return text;
}

CString CQZ2AboutDlg::GetCopyrightText()
{
    CString text;
    const CString qt = CString::FromQString(QString::fromLatin1(qVersion()));
    const CString occ = CString::FromQString(QString::fromLatin1(KC_OCC_VERSION));
    text.Format(LoadResourceString(IDS_ABOUT_COPYRIGHT), static_cast<LPCTSTR>(qt), static_cast<LPCTSTR>(occ));
    return text;
}

void CQZ2AboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SITE, m_siteLink);
}

BOOL CQZ2AboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_PRODUCT, GetProductText());
    SetDlgItemText(IDC_COPYRIGHT, GetCopyrightText());
    if (m_strHomePage.IsEmpty()) {
        m_siteLink.ShowWindow(SW_HIDE);
    } else {
        m_siteLink.SetWindowText(m_strHomePage);
        m_siteLink.SetURL(m_strHomePage);
    }
    return TRUE;
}
