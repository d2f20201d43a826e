#include "app/CDocumentPropertiesPropertySheet.h"

#include "app/CQZ2Doc.h"
#include "app/QZ2DocumentProperties.h"
#include "command/LoadResourceString.h"
#include "controls/HelpButtonImage.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CDocumentPropertiesPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CDocumentPropertiesPropertySheet, CPropertySheet)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int CDocumentPropertiesPropertySheet::s_nLastPropertyPage = 0;

namespace {
constexpr UINT IDS_PROPERTIES_SUFFIX = 10128;
constexpr int kHelpButtonWidth = 26;
}  // namespace

CDocumentPropertiesPropertySheet::CDocumentPropertiesPropertySheet(CWnd* pParentWnd, int nStartPage)
    : CPropertySheet(_T(""), pParentWnd, static_cast<UINT>(nStartPage < 0 ? s_nLastPropertyPage : nStartPage))
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_filePage);
    AddPage(&m_summaryPage);
    AddPage(&m_userDefinedPage);
}

CDocumentPropertiesPropertySheet::~CDocumentPropertiesPropertySheet() = default;

void CDocumentPropertiesPropertySheet::SetDocument(CQZ2Doc* pDocument)
{
    m_pDocument = pDocument;
    m_filePage.SetDocument(pDocument);
    if (pDocument != nullptr) {
        m_summaryPage.LoadFrom(pDocument->GetDocumentProperties());
        m_userDefinedPage.LoadFrom(pDocument->GetDocumentProperties());
    }
}

BOOL CDocumentPropertiesPropertySheet::StoreTo(QZ2DocumentProperties& properties)
{
    m_summaryPage.StoreTo(properties);
    m_userDefinedPage.StoreTo(properties);
    return TRUE;
}

BOOL CDocumentPropertiesPropertySheet::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    CWnd* pOK = GetDlgItem(IDOK);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    CWnd* pHelp = GetDlgItem(IDHELP);
    if (pOK != nullptr && pCancel != nullptr && pHelp != nullptr) {
        // OK and Cancel close up to the right; help becomes an icon button at the left.
        CRect rcOK, rcCancel, rcHelp;
        pOK->GetWindowRect(&rcOK);
        pCancel->GetWindowRect(&rcCancel);
        pHelp->GetWindowRect(&rcHelp);
        ScreenToClient(&rcOK);
        ScreenToClient(&rcCancel);
        ScreenToClient(&rcHelp);
        pHelp->ShowWindow(SW_HIDE);
        pOK->MoveWindow(&rcCancel);
        pCancel->MoveWindow(&rcHelp);
        const CRect rcButton(m_rcPage.left, rcHelp.top, m_rcPage.left + kHelpButtonWidth, rcHelp.bottom);
        if (m_helpButton.Create(_T(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, rcButton, this,
                                ID_HELP)) {
            if (LoadHelpButtonImage(m_helpImage))
                m_helpButton.SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
        }
    }
    CenterWindow();
    if (m_pDocument != nullptr)
        SetWindowText(m_pDocument->GetTitle() + LoadResourceString(IDS_PROPERTIES_SUFFIX));
    return result;
}

void CDocumentPropertiesPropertySheet::OnDestroy()
{
    s_nLastPropertyPage = GetActiveIndex();
    CPropertySheet::OnDestroy();
}
