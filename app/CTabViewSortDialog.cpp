#include "app/CTabViewSortDialog.h"

#include <cstdlib>

#include "app/CQZ2TabView.h"
#include "platform/bcg/CBCGPTabWnd.h"
#include "platform/gdi/CFont.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"

namespace {

constexpr UINT kTemplate = 562;
constexpr int kList = 2443;
constexpr int kMoveUp = 2444;
constexpr int kMoveDown = 2445;

}  // namespace

BEGIN_MESSAGE_MAP(CTabViewSortDialog, CDialog)
ON_BN_CLICKED(kMoveUp, &CTabViewSortDialog::OnMoveUp)
ON_BN_CLICKED(kMoveDown, &CTabViewSortDialog::OnMoveDown)
ON_LBN_SELCHANGE(kList, &CTabViewSortDialog::OnSelectionChange)
END_MESSAGE_MAP()

CTabViewSortDialog::CTabViewSortDialog(CWnd* pParent) : CDialog(kTemplate, pParent) {}

CTabViewSortDialog::~CTabViewSortDialog() = default;

void CTabViewSortDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kList, m_list);
}

BOOL CTabViewSortDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pTabView != nullptr) {
        CBCGPTabWnd& tabs = m_pTabView->GetTabControl();
        for (int i = 0; i < tabs.GetTabsNum(); ++i) {
            // Drawings by their tab's label, the layer table by its own name, other tabs unnamed.
            const int nKind = m_pTabView->GetTabViewKind(i);
            CString text;
            if (nKind == 0 || nKind == 1 || nKind == 4)
                tabs.GetTabLabel(i, text);
            else if (nKind == 2)
                text.LoadString(10117);
            const int nEntry = m_list.AddString(text);
            if (nEntry >= 0)
                m_list.SetItemData(nEntry, static_cast<DWORD_PTR>(i));
        }
    }
    if (CFont* pFont = GetFont()) {
        LOGFONT font{};
        if (pFont->GetLogFont(&font) != 0 && font.lfHeight != 0)
            m_list.SetItemHeight(0, static_cast<UINT>(std::abs(font.lfHeight) * 5 / 4));
    }
    if (m_nInitialSelection >= 0 && m_nInitialSelection < m_list.GetCount())
        m_list.SetCurSel(m_nInitialSelection);
    UpdateButtons();
    return TRUE;
}

void CTabViewSortDialog::UpdateButtons()
{
    const int nSel = m_list.GetCurSel();
    const int nCount = m_list.GetCount();
    if (CWnd* pUp = GetDlgItem(kMoveUp))
        pUp->EnableWindow(nSel > 0);
    if (CWnd* pDown = GetDlgItem(kMoveDown))
        pDown->EnableWindow(nSel >= 0 && nSel < nCount - 1);
}

void CTabViewSortDialog::MoveSelected(int nBy)
{
    const int nSel = m_list.GetCurSel();
    const int nTo = nSel + nBy;
    if (nSel < 0 || nTo < 0 || nTo >= m_list.GetCount())
        return;
    CString text;
    m_list.GetText(nSel, text);
    const DWORD_PTR data = m_list.GetItemData(nSel);
    m_list.DeleteString(static_cast<UINT>(nSel));
    const int nEntry = m_list.InsertString(nTo, text);
    m_list.SetItemData(nEntry, data);
    m_list.SetCurSel(nEntry);
    UpdateButtons();
}

void CTabViewSortDialog::OnMoveUp()
{
    MoveSelected(-1);
}

void CTabViewSortDialog::OnMoveDown()
{
    MoveSelected(1);
}

void CTabViewSortDialog::OnSelectionChange()
{
    UpdateButtons();
}

void CTabViewSortDialog::OnOK()
{
    m_order.RemoveAll();
    m_names.RemoveAll();
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CString text;
        m_list.GetText(i, text);
        m_order.Add(static_cast<UINT>(m_list.GetItemData(i)));
        m_names.Add(text);
    }
    CDialog::OnOK();
}
