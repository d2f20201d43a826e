#include "commands/edit/CFeatureSelectionPropertySheet.h"

#include <QtWidgets/QTabBar>
#include <QtWidgets/QWidget>

#include "command/LoadResourceString.h"
#include "controls/HelpButtonImage.h"
#include "commands/edit/CFeatureSelectionAttributePropertyPage.h"
#include "commands/edit/CFeatureSelectionColorPropertyPage.h"
#include "commands/edit/CFeatureSelectionDrawingPropertyPage.h"
#include "commands/edit/CFeatureSelectionFeaturePropertyPage.h"
#include "commands/edit/CFeatureSelectionLayerPropertyPage.h"
#include "commands/edit/CFeatureSelectionLineTypePropertyPage.h"
#include "commands/edit/CFeatureSelectionLineWidthPropertyPage.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {
constexpr UINT kSwitchText = 10180;
const char16_t kMark[] = u" *";
}  // namespace

BEGIN_MESSAGE_MAP(CFeatureSelectionPropertySheet, CPropertySheet)
    ON_BN_CLICKED(CFeatureSelectionPropertySheet::kSwitch, &CFeatureSelectionPropertySheet::OnSwitchClicked)
    ON_BN_CLICKED(CFeatureSelectionPropertySheet::kHelp, &CFeatureSelectionPropertySheet::OnHelpClicked)
END_MESSAGE_MAP()

CFeatureSelectionPropertySheet::CFeatureSelectionPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    m_pages[kFeaturePage] = std::make_unique<CFeatureSelectionFeaturePropertyPage>();
    m_pages[kLayerPage] = std::make_unique<CFeatureSelectionLayerPropertyPage>();
    m_pages[kDrawingPage] = std::make_unique<CFeatureSelectionDrawingPropertyPage>();
    m_pages[kColorPage] = std::make_unique<CFeatureSelectionColorPropertyPage>();
    m_pages[kLineTypePage] = std::make_unique<CFeatureSelectionLineTypePropertyPage>();
    m_pages[kLineWidthPage] = std::make_unique<CFeatureSelectionLineWidthPropertyPage>();
    m_pages[kAttributePage] = std::make_unique<CFeatureSelectionAttributePropertyPage>();
    for (auto& pPage : m_pages)
        AddPage(pPage.get());
}

CFeatureSelectionPropertySheet::~CFeatureSelectionPropertySheet()
{
    // The pages go after the window, which still refers to them.
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (auto& pPage : m_pages)
        RemovePage(pPage.get());
}

void CFeatureSelectionPropertySheet::SetDocument(const Draw2dDocument* pDocument)
{
    for (int i = kLayerPage; i < kPages; ++i)
        m_pages[i]->SetDocument(pDocument);
}

BOOL CFeatureSelectionPropertySheet::SetSelectionFilter(const SelectionFilter& filter)
{
    m_bFilterOn = filter.GetSelectionFilterMode() != 0 ? TRUE : FALSE;
    for (auto& pPage : m_pages)
        pPage->LoadFilter(filter);
    return TRUE;
}

BOOL CFeatureSelectionPropertySheet::GetSelectionFilter(SelectionFilter& filter) const
{
    filter.SetSelectionFilterMode(m_bFilterOn ? 1 : 0);
    for (const auto& pPage : m_pages)
        pPage->StoreFilter(filter);
    return TRUE;
}

CString CFeatureSelectionPropertySheet::GetTabText(int nPage) const
{
    if (m_pTabs == nullptr || nPage < 0 || nPage >= m_pTabs->count())
        return CString();
    return CString::FromQString(m_pTabs->tabText(nPage));
}

void CFeatureSelectionPropertySheet::SetPageMark(CFeatureSelectionPropertyPage* pPage, BOOL bMark)
{
    const int nPage = GetPageIndex(pPage);
    if (m_pTabs == nullptr || nPage < 0 || nPage >= m_pTabs->count())
        return;
    CString text = pPage->GetBaseCaption();
    if (bMark)
        text += kMark;
    m_pTabs->setTabText(nPage, text.ToQString());
}

BOOL CFeatureSelectionPropertySheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    // The help button: the help icon at the tabs' left edge, in the row of OK and Cancel.
    if (CWnd* pOK = GetDlgItem(IDOK)) {
        CRect ok;
        pOK->GetWindowRect(&ok);
        ScreenToClient(&ok);
        const int left = m_pTabs != nullptr ? m_pTabs->geometry().left() : ok.left;
        if (m_helpButton.Create(_T(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON,
                                CRect(left, ok.top, left + 26, ok.bottom), this, kHelp) &&
            LoadHelpButtonImage(m_helpImage))
            m_helpButton.SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
    }
    if (m_bShowSwitch) {
        // The switch goes above the tabs; everything else moves down to make room.
        const CString text = LoadResourceString(kSwitchText);
        CSize extent(0, 14);
        {
            CClientDC dc(this);
            CFont* pOld = dc.SelectObject(GetFont());
            extent = dc.GetTextExtent(text);
            dc.SelectObject(pOld);
        }
        const int h = extent.cy + 10;
        const QRect tabs = m_pTabs != nullptr ? m_pTabs->geometry() : QRect(7, 7, 200, 20);
        m_switch.Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                        CRect(tabs.left() + 2, 7, tabs.right(), extent.cy + 10 + 7), this, kSwitch);
        m_switch.SetFont(GetFont());
        if (m_pTabs != nullptr)
            m_pTabs->move(tabs.left(), tabs.top() + h);
        m_rcPage.OffsetRect(0, h);
        for (int id : {IDOK, IDCANCEL, static_cast<int>(kHelp)}) {
            if (CWnd* pButton = GetDlgItem(id)) {
                CRect rect;
                pButton->GetWindowRect(&rect);
                ScreenToClient(&rect);
                rect.OffsetRect(0, h);
                pButton->MoveWindow(&rect, FALSE);
            }
        }
        if (QWidget* pWidget = GetQWidget())
            pWidget->resize(pWidget->width(), pWidget->height() + h);
        if (CPropertyPage* pActive = GetActivePage())
            LayoutPage(pActive);
        m_switch.SetCheck(m_bFilterOn ? BST_CHECKED : BST_UNCHECKED);
        CenterWindow(m_pParentWnd);
    }
    // Tab goes from the help button to OK, Cancel and the switch, then into the page.
    CWnd* pPrevious = nullptr;
    for (CWnd* pWnd : {static_cast<CWnd*>(&m_helpButton), GetDlgItem(IDOK), GetDlgItem(IDCANCEL),
                       static_cast<CWnd*>(&m_switch)}) {
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            continue;
        if (pPrevious == nullptr)
            pWnd->GetQWidget()->lower();
        else
            pWnd->SetWindowPos(pPrevious, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pPrevious = pWnd;
    }
    // The tabs' own texts are the captions; a part filter that restricts anything marks its tab.
    for (int i = 0; i < kPages; ++i) {
        m_pages[i]->SetBaseCaption(GetTabText(i));
        SetPageMark(m_pages[i].get(), m_pages[i]->IsFilterRestricting());
    }
    SetActivePage(0);
    return bResult;
}

void CFeatureSelectionPropertySheet::OnHelpClicked()
{
    // The program's help, as F1 gives it.
    if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
        pMain->SendMessage(WM_COMMAND, MAKEWPARAM(kHelp, 0), 0);
}

void CFeatureSelectionPropertySheet::OnSwitchClicked()
{
    m_bFilterOn = m_switch.GetCheck() == BST_CHECKED ? TRUE : FALSE;
}
