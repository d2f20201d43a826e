#include "platform/bcg/CBCGPToolbarsPage.h"

#include "platform/afx/FrameworkText.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarCustomize.h"
#include "platform/win/CButton.h"
#include "platform/win/CListBox.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinCtrlConstants.h"

namespace {
DialogItemTemplate Item(LPCTSTR cls, int id, LPCTSTR text, short x, short y, short cx, short cy, DWORD style) {
  DialogItemTemplate i;
  i.className = cls;
  i.id = id;
  i.text = text;
  i.x = x;
  i.y = y;
  i.cx = cx;
  i.cy = cy;
  i.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | style;
  return i;
}
}  // namespace

IMPLEMENT_DYNAMIC(CBCGPToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CBCGPToolbarsPage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_TOOLBARS, &CBCGPToolbarsPage::OnSelChange)
  ON_BN_CLICKED(IDC_SHOW, &CBCGPToolbarsPage::OnShow)
  ON_BN_CLICKED(IDC_NEW, &CBCGPToolbarsPage::OnNew)
  ON_BN_CLICKED(IDC_RESET, &CBCGPToolbarsPage::OnReset)
  ON_BN_CLICKED(IDC_DELETE, &CBCGPToolbarsPage::OnDelete)
END_MESSAGE_MAP()

CBCGPToolbarsPage::CBCGPToolbarsPage(CBCGPToolbarCustomize* pSheet) : m_pCustomize(pSheet) {
  DialogTemplate t;
  t.cx = 240;
  t.cy = 160;
  t.caption = AfxLoadFrameworkText(IDS_BCGP_PAGE_TOOLBARS, u"Toolbars");
  t.items.push_back(Item(u"LISTBOX", IDC_TOOLBARS, u"", 7, 7, 150, 146, WS_BORDER | WS_VSCROLL | LBS_NOTIFY));
  t.items.push_back(Item(u"BUTTON", IDC_SHOW, AfxLoadFrameworkText(IDS_BCGP_SHOW, u"&Show"), 165, 7, 68, 12, BS_AUTOCHECKBOX));
  t.items.push_back(Item(u"BUTTON", IDC_NEW, AfxLoadFrameworkText(IDS_BCGP_NEW, u"&New..."), 165, 25, 68, 14, BS_PUSHBUTTON));
  t.items.push_back(Item(u"BUTTON", IDC_RESET, AfxLoadFrameworkText(IDS_BCGP_RESET, u"&Reset"), 165, 43, 68, 14, BS_PUSHBUTTON));
  t.items.push_back(Item(u"BUTTON", IDC_DELETE, AfxLoadFrameworkText(IDS_BCGP_DELETE, u"&Delete"), 165, 61, 68, 14, BS_PUSHBUTTON));
  ConstructIndirect(t);
}

CBCGPToolbarsPage::~CBCGPToolbarsPage() = default;

BOOL CBCGPToolbarsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (CWnd* n = GetDlgItem(IDC_NEW)) n->EnableWindow(m_pCustomize && m_pCustomize->AreUserDefinedToolbarsEnabled());
  FillToolbars();
  return TRUE;
}

void CBCGPToolbarsPage::FillToolbars() {
  auto* list = static_cast<CListBox*>(GetDlgItem(IDC_TOOLBARS));
  if (!list) return;
  CFrameWnd* frame = m_pCustomize ? m_pCustomize->GetParentFrame() : nullptr;
  m_bars.clear();
  list->ResetContent();
  const CObList& all = CBCGPToolBar::GetAllToolbars();
  for (POSITION pos = all.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CBCGPToolBar*>(all.GetNext(pos));
    if (!bar->AllowShowOnList() || (frame && bar->GetDockSiteFrameWnd() != frame)) continue;
    CString title;
    bar->GetWindowText(title);
    if (title.IsEmpty()) title.Format(AfxLoadFrameworkText(IDS_BCGP_TOOLBAR_N, u"Toolbar %d"), bar->GetDlgCtrlID());
    list->AddString(title);
    m_bars.push_back(bar);
  }
  OnSelChange();
}

CBCGPToolBar* CBCGPToolbarsPage::GetToolbarAt(int iRow) const {
  return iRow >= 0 && iRow < static_cast<int>(m_bars.size()) ? m_bars[static_cast<size_t>(iRow)] : nullptr;
}

CBCGPToolBar* CBCGPToolbarsPage::Selected() const {
  auto* list = static_cast<CListBox*>(GetDlgItem(IDC_TOOLBARS));
  return list ? GetToolbarAt(list->GetCurSel()) : nullptr;
}

void CBCGPToolbarsPage::OnSelChange() {
  CBCGPToolBar* bar = Selected();
  if (auto* show = static_cast<CButton*>(GetDlgItem(IDC_SHOW))) {
    show->EnableWindow(bar != nullptr);
    show->SetCheck(bar && bar->IsVisible() ? BST_CHECKED : BST_UNCHECKED);
  }
  if (CWnd* reset = GetDlgItem(IDC_RESET)) reset->EnableWindow(bar && !bar->IsUserDefined());
  if (CWnd* del = GetDlgItem(IDC_DELETE)) del->EnableWindow(bar && bar->IsUserDefined());
}

void CBCGPToolbarsPage::OnShow() {
  CBCGPToolBar* bar = Selected();
  auto* show = static_cast<CButton*>(GetDlgItem(IDC_SHOW));
  if (!bar || !show) return;
  bar->ShowControlBar(show->GetCheck() == BST_CHECKED, FALSE, FALSE);
}

void CBCGPToolbarsPage::OnNew() {
  CFrameWnd* frame = m_pCustomize ? m_pCustomize->GetParentFrame() : nullptr;
  if (!frame || !m_pCustomize->AreUserDefinedToolbarsEnabled()) return;
  CString name;
  name.Format(AfxLoadFrameworkText(IDS_BCGP_CUSTOM_N, u"Custom %d"), ++m_nNewCount);
  frame->SendMessage(BCGM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(name)));
  FillToolbars();
}

void CBCGPToolbarsPage::OnReset() {
  if (CBCGPToolBar* bar = Selected()) bar->RestoreOriginalstate();
}

void CBCGPToolbarsPage::OnDelete() {
  CBCGPToolBar* bar = Selected();
  CBCGPMDIFrameWnd* frame = m_pCustomize ? m_pCustomize->GetFrame() : nullptr;
  if (!bar || !frame || !bar->IsUserDefined()) return;
  frame->DeleteToolBar(bar);
  FillToolbars();
}
