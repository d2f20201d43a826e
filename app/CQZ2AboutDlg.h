#pragma once
// Help > About (template 703): the product and its version, the copyright with the versions of the
// libraries the program runs on, and a link to the product site (hidden when none is set).

#include "libs/vevure/QZ2ProductVersion.h"
#include "platform/afx/CString.h"
#include "platform/bcg/CBCGPURLLinkButton.h"
#include "platform/win/CDialog.h"

class CQZ2AboutDlg : public CDialog
{
    DECLARE_DYNAMIC(CQZ2AboutDlg)
public:
    enum { IDD = 703 };
    static constexpr UINT IDC_PRODUCT = 2400;
    static constexpr UINT IDC_COPYRIGHT = 2401;
    static constexpr UINT IDC_SITE = 2402;

    CQZ2AboutDlg(const QZ2ProductVersion& version, const CString& strHomePage, CWnd* pParent = nullptr);
    ~CQZ2AboutDlg() override;

    BOOL OnInitDialog() override;

    // "<product> Version 4.21.0".
    CString GetProductText() const;
    // The copyright and the libraries' versions.
    static CString GetCopyrightText();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    QZ2ProductVersion m_version;
    CString m_strHomePage;
    CBCGPURLLinkButton m_siteLink;
};
