// The application's own commands: the about box, the product's web pages, the SDK help, the manual
// update check.

#include "app/CQZ2App.h"

#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

#include "app/CMainFrame.h"
#include "app/CQZ2AboutDlg.h"
#include "app/RegistrySection.h"
#include "app/UpdateChecker.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/Registry.h"
#include "platform/win/WinConstants.h"

#include <algorithm>

namespace {

// Where whoever installs the program names the product's web site.
const TCHAR kSiteKey[] = _T("Software\\Korvan\\Rivedi VEZ Dadazizo 4\\Web");
const TCHAR kSiteValue[] = _T("Site");

CQZ2App::OpenUrlFn s_pfnOpenUrl = nullptr;

}  // namespace

CString CQZ2App::GetProductSite()
{
    RegistrySection machine(HKEY_LOCAL_MACHINE);
    CString site;
    if (!machine.Open(kSiteKey) || !machine.Read(kSiteValue, site))
        return CString();
    // Only a web address: nothing else is handed to the desktop to open.
    const QUrl url(site.ToQString().trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != QStringLiteral("http") && url.scheme() != QStringLiteral("https")))
        return CString();
    QString text = url.toString();
    if (!text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    return CString::FromQString(text);
}

void CQZ2App::SetOpenUrlFunction(OpenUrlFn pfn)
{
    s_pfnOpenUrl = pfn;
}

BOOL CQZ2App::OpenWebPage(LPCTSTR lpszPath)
{
    const CString site = GetProductSite();
    if (site.IsEmpty())
        return FALSE;
    return OpenUrl(site + (lpszPath != nullptr ? CString(lpszPath) : CString()));
}

BOOL CQZ2App::OpenUrl(const CString& strUrl)
{
    const QUrl url(strUrl.ToQString(), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QStringLiteral("http") && url.scheme() != QStringLiteral("https")))
        return FALSE;
    if (s_pfnOpenUrl != nullptr)
        return s_pfnOpenUrl(strUrl);
    return QDesktopServices::openUrl(url) ? TRUE : FALSE;
}

void CQZ2App::OnAppAbout()
{
    CQZ2AboutDlg dialog(m_productVersion, GetProductSite());
    dialog.DoModal();
}

void CQZ2App::OnWebHomePage()
{
    OpenWebPage(nullptr);
}

void CQZ2App::OnWebFaq()
{
    OpenWebPage(_T("rd/faq/"));
}

void CQZ2App::OnWebOrder()
{
    OpenWebPage(_T("rd/order/"));
}

void CQZ2App::OnWebAddIns()
{
    OpenWebPage(_T("rd/addins/"));
}

void CQZ2App::OnUpdateWebPage(CCmdUI* pCmdUI)
{
    // Without a site configured nothing is ever contacted.
    pCmdUI->Enable(!GetProductSite().IsEmpty());
}

void CQZ2App::OnHelpSdk()
{
    CString folder = m_strHelpFilePath;
    const int slash = std::max(folder.ReverseFind(u'/'), folder.ReverseFind(u'\\'));
    folder = slash >= 0 ? folder.Left(slash + 1) : CString();
    m_strHelpFilePath = folder + _T("korvancadsdk.chm");
    m_pszHelpFilePath = m_strHelpFilePath.GetString();
    if (auto* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd))
        pFrame->WinHelp(0, 3);
    m_strHelpFilePath = folder + _T("korvancad.chm");
    m_pszHelpFilePath = m_strHelpFilePath.GetString();
}

void CQZ2App::OnCheckForUpdate()
{
    if (m_strLanguageCode.CompareNoCase(_T("JPN")) != 0)
        return;
    m_pUpdateChecker->CheckForUpdate(-1);
}
