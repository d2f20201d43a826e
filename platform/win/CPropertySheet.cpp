#include "platform/win/CPropertySheet.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTabBar>

#include "platform/afx/FrameworkText.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CPropertyPage.h"
#include "platform/win/DialogTemplate.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
  ON_COMMAND(ID_APPLY_NOW, &CPropertySheet::OnApplyNow)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// Margins and buttons in dialog units.
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kButtonW = 50;
constexpr int kButtonH = 14;


}  // namespace

CPropertySheet::CPropertySheet() = default;

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : m_nIDCaption(nIDCaption) {
  m_pParentWnd = pParentWnd;
  m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption ? pszCaption : u"") {
  m_pParentWnd = pParentWnd;
  m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd) DestroyWindow();
  for (CPropertyPage* p : m_pages) p->m_pSheet = nullptr;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (!pPage) return;
  m_pages.push_back(pPage);
  pPage->m_pSheet = this;
  if (m_pTabs) m_pTabs->addTab(pPage->GetTitle().ToQString());
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return;
  CPropertyPage* page = m_pages[static_cast<size_t>(nPage)];
  if (m_hWnd && nPage == m_nActive && GetPageCount() > 1) {
    // Another page takes the place of the one going away.
    m_bSwitching = TRUE;
    const int other = nPage == 0 ? 1 : nPage - 1;
    CPropertyPage* next = m_pages[static_cast<size_t>(other)];
    if (!next->GetSafeHwnd() && next->CreatePage(this)) LayoutPage(next);
    if (next->GetSafeHwnd()) {
      next->OnSetActive();
      next->ShowWindow(SW_SHOW);
    }
    m_nActive = other;
    m_bSwitching = FALSE;
  }
  m_pages.erase(m_pages.begin() + nPage);
  if (m_nActive > nPage) --m_nActive;
  if (m_nActive >= GetPageCount()) m_nActive = GetPageCount() - 1;
  page->m_pSheet = nullptr;
  if (page->GetSafeHwnd()) page->DestroyWindow();
  if (m_pTabs) {
    m_bSwitching = TRUE;
    m_pTabs->removeTab(nPage);
    if (m_nActive >= 0) m_pTabs->setCurrentIndex(m_nActive);
    m_bSwitching = FALSE;
  }
}

int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.size()); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[static_cast<size_t>(i)] == pPage) return i;
  return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  if (m_hWnd) return GetPage(m_nActive);
  return GetPage(static_cast<int>(m_psh.nStartPage));
}

int CPropertySheet::GetActiveIndex() const { return m_hWnd ? m_nActive : static_cast<int>(m_psh.nStartPage); }

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (!m_hWnd) {
    m_psh.nStartPage = static_cast<UINT>(nPage);
    return TRUE;
  }
  if (nPage == m_nActive) return TRUE;
  CPropertyPage* old = GetPage(m_nActive);
  // The page being left may refuse (a value it cannot take).
  if (old && old->GetSafeHwnd() && !old->OnKillActive()) return FALSE;
  CPropertyPage* page = m_pages[static_cast<size_t>(nPage)];
  if (!page->GetSafeHwnd()) {
    if (!page->CreatePage(this)) return FALSE;
    LayoutPage(page);
  }
  if (!page->OnSetActive()) return FALSE;
  if (old && old->GetSafeHwnd()) old->ShowWindow(SW_HIDE);
  page->ShowWindow(SW_SHOW);
  m_nActive = nPage;
  if (m_pTabs && m_pTabs->currentIndex() != nPage) {
    m_bSwitching = TRUE;
    m_pTabs->setCurrentIndex(nPage);
    m_bSwitching = FALSE;
  }
  UpdateHelpButton();
  return TRUE;
}

void CPropertySheet::LayoutPage(CPropertyPage* pPage) {
  if (!pPage || !pPage->GetSafeHwnd()) return;
  pPage->MoveWindow(m_rcPage.left, m_rcPage.top, m_rcPage.Width(), m_rcPage.Height(), FALSE);
  // The page's controls come first in the keyboard order, before the sheet's buttons.
  if (QWidget* w = pPage->GetQWidget()) w->lower();
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT) {
  m_strCaption = CString(lpszText ? lpszText : u"");
  if (m_hWnd) SetWindowText(m_strCaption);
}

BOOL CPropertySheet::BuildTemplate(DialogTemplate& t) {
  t = DialogTemplate();
  // The sheet uses the font of its first page, so the page sizes hold.
  for (CPropertyPage* p : m_pages) {
    DialogTemplate pt;
    if (!p->LoadPageTemplate(pt)) {
      m_strCreateError = p->GetCreateError();
      return FALSE;
    }
    if (t.faceName.IsEmpty() && !pt.faceName.IsEmpty()) {
      t.faceName = pt.faceName;
      t.pointSize = pt.pointSize;
    }
  }
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  if (m_nIDCaption) {
    t.captionId = m_nIDCaption;
  }
  t.caption = m_strCaption;
  t.cx = 100;
  t.cy = 60;
  auto button = [&](int id, const CString& text, DWORD style) {
    DialogItemTemplate item;
    item.className = CString(u"BUTTON");
    item.id = id;
    item.text = text;
    item.cx = kButtonW;
    item.cy = kButtonH;
    item.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | style;
    t.items.push_back(item);
  };
  button(IDOK, AfxLoadButtonText(IDOK), BS_DEFPUSHBUTTON | WS_GROUP);
  button(IDCANCEL, AfxLoadButtonText(IDCANCEL), BS_PUSHBUTTON);
  if (!(m_psh.dwFlags & PSH_NOAPPLYNOW)) button(ID_APPLY_NOW, AfxLoadButtonText(AFX_IDS_BUTTON_APPLY), BS_PUSHBUTTON | WS_DISABLED);
  button(IDHELP, AfxLoadButtonText(IDHELP), BS_PUSHBUTTON);
  return TRUE;
}

BOOL CPropertySheet::OnInitDialog() {
  CDialog::OnInitDialog();
  QWidget* w = GetQWidget();
  m_pTabs = new QTabBar(w);
  m_pTabs->setFocusPolicy(Qt::NoFocus);
  m_pTabs->setExpanding(false);
  m_bSwitching = TRUE;
  for (CPropertyPage* p : m_pages) m_pTabs->addTab(p->GetTitle().ToQString());
  m_bSwitching = FALSE;
  QObject::connect(m_pTabs, &QTabBar::currentChanged, m_pTabs, [this](int index) {
    if (m_bSwitching) return;
    if (!SetActivePage(index)) {
      // Refused: the tab of the page still shown stays selected.
      m_bSwitching = TRUE;
      m_pTabs->setCurrentIndex(m_nActive);
      m_bSwitching = FALSE;
    }
  });

  // The page area fits the largest page; the tabs above it, the buttons below.
  int pageW = 0, pageH = 0;
  for (CPropertyPage* p : m_pages) {
    DialogTemplate pt;
    if (!p->LoadPageTemplate(pt)) continue;
    CRect r(0, 0, pt.cx, pt.cy);
    MapDialogRect(&r);
    pageW = std::max(pageW, r.Width());
    pageH = std::max(pageH, r.Height());
  }
  CRect unit(kMargin, kGap, kButtonW, kButtonH);
  MapDialogRect(&unit);
  const int margin = unit.left, gap = unit.top, bw = unit.right, bh = unit.bottom;
  const int tabH = m_pTabs->sizeHint().height();
  std::vector<CWnd*> buttons;
  for (int id : {IDOK, IDCANCEL, static_cast<int>(ID_APPLY_NOW), IDHELP})
    if (CWnd* b = GetDlgItem(id)) buttons.push_back(b);
  const int buttonsW = static_cast<int>(buttons.size()) * (bw + gap) - gap;
  pageW = std::max({pageW, buttonsW, m_pTabs->sizeHint().width()});
  m_rcPage = CRect(margin, margin + tabH, margin + pageW, margin + tabH + pageH);
  m_pTabs->setGeometry(margin, margin, pageW, tabH);
  const int totalW = pageW + 2 * margin;
  const int buttonTop = m_rcPage.bottom + gap + margin / 2;
  int x = totalW - margin - buttonsW;
  for (CWnd* b : buttons) {
    b->MoveWindow(x, buttonTop, bw, bh, FALSE);
    x += bw + gap;
  }
  w->resize(totalW, buttonTop + bh + margin);
  if (CWnd* help = GetDlgItem(IDHELP)) {
    // The Help button carries the help icon beside its text.
    if (auto* qb = qobject_cast<QAbstractButton*>(help->GetQWidget()))
      qb->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogHelpButton));
  }
  CenterWindow(m_pParentWnd);

  const int start = std::clamp(static_cast<int>(m_psh.nStartPage), 0, std::max(0, GetPageCount() - 1));
  m_nActive = -1;
  if (GetPageCount() > 0 && !SetActivePage(start)) SetActivePage(0);
  UpdateHelpButton();
  if (CPropertyPage* page = GetActivePage(); page && page->GetSafeHwnd()) {
    if (CWnd* first = GetNextDlgTabItem(nullptr)) {
      GotoDlgCtrl(first);
      return FALSE;
    }
  }
  return TRUE;
}

void CPropertySheet::UpdateHelpButton() {
  CWnd* help = GetDlgItem(IDHELP);
  if (!help) return;
  CPropertyPage* page = GetPage(m_nActive);
  const bool wanted = (m_psh.dwFlags & PSH_HASHELP) || (page && (page->m_psp.dwFlags & PSP_HASHELP));
  help->ShowWindow(wanted ? SW_SHOW : SW_HIDE);
}

INT_PTR CPropertySheet::DoModal() {
  DialogTemplate t;
  if (!BuildTemplate(t)) return -1;
  InitModalIndirect(t, m_pParentWnd);
  const INT_PTR r = CDialog::DoModal();
  m_pTabs = nullptr;
  m_nActive = -1;
  return r;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  DialogTemplate t;
  if (!BuildTemplate(t)) return FALSE;
  if (dwStyle != static_cast<DWORD>(-1)) t.style = dwStyle;
  t.style |= WS_VISIBLE;
  t.exStyle |= dwExStyle;
  m_psh.dwFlags |= PSH_MODELESS;
  return CreateIndirect(t, pParentWnd);
}

BOOL CPropertySheet::ApplyAll() {
  CPropertyPage* active = GetPage(m_nActive);
  if (active && active->GetSafeHwnd() && !active->OnKillActive()) return FALSE;
  for (int i = 0; i < GetPageCount(); ++i) {
    CPropertyPage* p = m_pages[static_cast<size_t>(i)];
    if (!p->GetSafeHwnd()) continue;
    if (!p->OnApply()) {
      SetActivePage(i);
      return FALSE;
    }
  }
  for (CPropertyPage* p : m_pages) p->m_bModified = FALSE;
  PageChanged();
  return TRUE;
}

void CPropertySheet::OnOK() {
  if (ApplyAll()) EndDialog(IDOK);
}

void CPropertySheet::OnDestroy() {
  // The tabs go with the window; the pages are made again next time.
  m_pTabs = nullptr;
  m_nActive = -1;
  CDialog::OnDestroy();
}

void CPropertySheet::OnApplyNow() {
  if (!ApplyAll()) return;
  // The sheet stays open: the active page is shown again with what was applied.
  if (CPropertyPage* active = GetPage(m_nActive); active && active->GetSafeHwnd()) active->OnSetActive();
}

void CPropertySheet::OnCancel() {
  CPropertyPage* active = GetPage(m_nActive);
  if (active && active->GetSafeHwnd() && !active->OnQueryCancel()) return;
  for (CPropertyPage* p : m_pages)
    if (p->GetSafeHwnd()) p->OnReset();
  EndDialog(IDCANCEL);
}

void CPropertySheet::OnHelp() {
  if (CPropertyPage* page = GetPage(m_nActive); page && page->GetSafeHwnd())
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED), 0);
  else
    CDialog::OnHelp();
}

void CPropertySheet::PageChanged() {
  CWnd* apply = GetDlgItem(ID_APPLY_NOW);
  if (!apply) return;
  bool any = false;
  for (CPropertyPage* p : m_pages) any = any || p->IsModified();
  apply->EnableWindow(any);
}

void CPropertySheet::CancelToClose() {
  if (CWnd* ok = GetDlgItem(IDOK)) ok->SetWindowText(AfxLoadButtonText(IDCLOSE));
  if (CWnd* cancel = GetDlgItem(IDCANCEL)) cancel->EnableWindow(FALSE);
}

BOOL CPropertySheet::PressButton(int nButton) {
  int id = 0;
  switch (nButton) {
    case PSBTN_OK: case PSBTN_FINISH: id = IDOK; break;
    case PSBTN_CANCEL: id = IDCANCEL; break;
    case PSBTN_APPLYNOW: id = ID_APPLY_NOW; break;
    case PSBTN_HELP: id = IDHELP; break;
    case PSBTN_NEXT: return SetActivePage(m_nActive + 1);
    case PSBTN_BACK: return SetActivePage(m_nActive - 1);
    default: return FALSE;
  }
  CWnd* b = GetDlgItem(id);
  if (b && !b->IsWindowEnabled()) return FALSE;
  SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(b ? b->GetSafeHwnd() : nullptr));
  return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 && GetPageCount() > 1) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    int step = 0;
    if (pMsg->wParam == VK_TAB) step = shift ? -1 : 1;
    if (pMsg->wParam == VK_NEXT) step = 1;
    if (pMsg->wParam == VK_PRIOR) step = -1;
    if (step) {
      const int n = GetPageCount();
      SetActivePage(((m_nActive + step) % n + n) % n);
      return TRUE;
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}
