#include "platform/bcg/CBCGPKeyboardPage.h"

#include <vector>

#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CBCGPToolbarCustomize.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CListBox.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinAccelerator.h"
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

std::vector<ACCEL> TableOf(HACCEL h) {
  std::vector<ACCEL> out;
  const int n = h ? CopyAcceleratorTable(h, nullptr, 0) : 0;
  if (n <= 0 || n > 4096) return out;
  out.resize(static_cast<size_t>(n));
  CopyAcceleratorTable(h, out.data(), n);
  return out;
}
}  // namespace

IMPLEMENT_DYNAMIC(CBCGPKeyboardPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CBCGPKeyboardPage, CPropertyPage)
  ON_CBN_SELCHANGE(IDC_CATEGORY, &CBCGPKeyboardPage::OnCategoryChange)
  ON_LBN_SELCHANGE(IDC_COMMANDS, &CBCGPKeyboardPage::OnCommandChange)
  ON_BN_CLICKED(IDC_REMOVE, &CBCGPKeyboardPage::OnRemove)
  ON_BN_CLICKED(IDC_RESET_ALL, &CBCGPKeyboardPage::OnResetAll)
END_MESSAGE_MAP()

CBCGPKeyboardPage::CBCGPKeyboardPage(CBCGPToolbarCustomize* pSheet) : m_pCustomize(pSheet) {
  DialogTemplate t;
  t.cx = 240;
  t.cy = 160;
  t.caption = u"Keyboard";
  t.items.push_back(Item(u"COMBOBOX", IDC_CATEGORY, u"", 7, 7, 110, 80, CBS_DROPDOWNLIST | WS_VSCROLL));
  t.items.push_back(Item(u"LISTBOX", IDC_COMMANDS, u"", 7, 24, 110, 129, WS_BORDER | WS_VSCROLL | LBS_NOTIFY));
  t.items.push_back(Item(u"LISTBOX", IDC_KEYS, u"", 123, 7, 110, 80, WS_BORDER | WS_VSCROLL | LBS_NOTIFY));
  t.items.push_back(Item(u"BUTTON", IDC_REMOVE, u"&Remove", 123, 92, 52, 14, BS_PUSHBUTTON));
  t.items.push_back(Item(u"BUTTON", IDC_RESET_ALL, u"Reset &All", 181, 92, 52, 14, BS_PUSHBUTTON));
  ConstructIndirect(t);
}

CBCGPKeyboardPage::~CBCGPKeyboardPage() = default;

BOOL CBCGPKeyboardPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  auto* cats = static_cast<CComboBox*>(GetDlgItem(IDC_CATEGORY));
  if (cats && m_pCustomize) {
    const CStringArray& names = m_pCustomize->GetCategories();
    for (INT_PTR i = 0; i < names.GetSize(); ++i) cats->AddString(names[i]);
    if (names.GetSize() > 0) cats->SetCurSel(0);
  }
  OnCategoryChange();
  return TRUE;
}

void CBCGPKeyboardPage::OnCategoryChange() {
  auto* cats = static_cast<CComboBox*>(GetDlgItem(IDC_CATEGORY));
  auto* cmds = static_cast<CListBox*>(GetDlgItem(IDC_COMMANDS));
  if (!cats || !cmds || !m_pCustomize) return;
  cmds->ResetContent();
  const int sel = cats->GetCurSel();
  if (sel >= 0) {
    CString name;
    cats->GetLBText(sel, name);
    std::vector<CBCGPToolbarButton*> buttons;
    m_pCustomize->GetCategoryButtons(name, buttons);
    for (CBCGPToolbarButton* b : buttons) {
      const int at = cmds->AddString(CBCGPToolbarCustomize::GetButtonLabel(b));
      cmds->SetItemData(at, b->m_nID);
    }
  }
  OnCommandChange();
}

UINT CBCGPKeyboardPage::SelectedCommand() const {
  auto* cmds = static_cast<CListBox*>(GetDlgItem(IDC_COMMANDS));
  const int sel = cmds ? cmds->GetCurSel() : -1;
  return sel >= 0 ? static_cast<UINT>(cmds->GetItemData(sel)) : 0;
}

void CBCGPKeyboardPage::OnCommandChange() {
  auto* keys = static_cast<CListBox*>(GetDlgItem(IDC_KEYS));
  if (!keys) return;
  keys->ResetContent();
  CFrameWnd* frame = m_pCustomize ? m_pCustomize->GetParentFrame() : nullptr;
  const UINT cmd = SelectedCommand();
  if (!frame || !cmd) return;
  for (const ACCEL& a : TableOf(frame->m_hAccelTable))
    if (a.cmd == cmd) keys->AddString(CBCGPKeyboardManager::FormatAccelerator(a));
}

void CBCGPKeyboardPage::OnRemove() {
  auto* keys = static_cast<CListBox*>(GetDlgItem(IDC_KEYS));
  CFrameWnd* frame = m_pCustomize ? m_pCustomize->GetParentFrame() : nullptr;
  CBCGPKeyboardManager* km = CBCGPKeyboardManager::GetInstance();
  const UINT cmd = SelectedCommand();
  const int sel = keys ? keys->GetCurSel() : -1;
  if (!frame || !km || !cmd || sel < 0) return;
  std::vector<ACCEL> table = TableOf(frame->m_hAccelTable);
  int seen = 0;
  for (auto it = table.begin(); it != table.end(); ++it) {
    if (it->cmd != cmd) continue;
    if (seen++ == sel) {
      table.erase(it);
      break;
    }
  }
  km->UpdateAcellTable(nullptr, table.empty() ? nullptr : table.data(), static_cast<int>(table.size()), frame);
  OnCommandChange();
}

void CBCGPKeyboardPage::OnResetAll() {
  if (CBCGPKeyboardManager* km = CBCGPKeyboardManager::GetInstance()) km->ResetAll();
  OnCommandChange();
}
