#include "platform/bcg/CBCGPKeyboardPage.h"

#include <algorithm>
#include <vector>

#include <QtGui/QKeySequence>
#include <QtWidgets/QKeySequenceEdit>

#include "platform/afx/FrameworkText.h"
#include "platform/bcg/BCGPConstants.h"
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

// The virtual key of a Qt key, 0 for keys that commands do not take.
WORD VirtualKeyOf(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return static_cast<WORD>(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    default: return 0;
  }
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
  ON_BN_CLICKED(IDC_ASSIGN, &CBCGPKeyboardPage::OnAssign)
END_MESSAGE_MAP()

CBCGPKeyboardPage::CBCGPKeyboardPage(CBCGPToolbarCustomize* pSheet) : m_pCustomize(pSheet) {
  DialogTemplate t;
  t.cx = 240;
  t.cy = 160;
  t.caption = AfxLoadFrameworkText(IDS_BCGP_PAGE_KEYBOARD, u"Keyboard");
  t.items.push_back(Item(u"COMBOBOX", IDC_CATEGORY, u"", 7, 7, 110, 80, CBS_DROPDOWNLIST | WS_VSCROLL));
  t.items.push_back(Item(u"LISTBOX", IDC_COMMANDS, u"", 7, 24, 110, 129, WS_BORDER | WS_VSCROLL | LBS_NOTIFY));
  t.items.push_back(Item(u"LISTBOX", IDC_KEYS, u"", 123, 7, 110, 80, WS_BORDER | WS_VSCROLL | LBS_NOTIFY));
  t.items.push_back(Item(u"BUTTON", IDC_REMOVE, AfxLoadFrameworkText(IDS_BCGP_REMOVE, u"&Remove"), 123, 92, 52, 14, BS_PUSHBUTTON));
  t.items.push_back(Item(u"BUTTON", IDC_RESET_ALL, AfxLoadFrameworkText(IDS_BCGP_RESET_ALL, u"Reset &All"), 181, 92, 52, 14, BS_PUSHBUTTON));
  t.items.push_back(Item(u"BUTTON", IDC_ASSIGN, AfxLoadFrameworkText(IDS_BCGP_ASSIGN, u"A&ssign"), 181, 112, 52, 14, BS_PUSHBUTTON));
  DialogItemTemplate label = Item(u"STATIC", IDC_ASSIGNED_TO, u"", 123, 130, 110, 20, 0);
  label.style &= ~WS_TABSTOP;
  t.items.push_back(label);
  ConstructIndirect(t);
}

CBCGPKeyboardPage::~CBCGPKeyboardPage() = default;

BOOL CBCGPKeyboardPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  // The new-key field takes the key the user presses, with its modifiers.
  auto* edit = new QKeySequenceEdit;
  CRect r(123, 112, 175, 126);
  MapDialogRect(&r);
  if (m_wndNewKey.CreateFromWidget(edit, WS_CHILD | WS_VISIBLE | WS_TABSTOP, r, this, IDC_NEW_KEY)) {
    QObject::connect(edit, &QKeySequenceEdit::keySequenceChanged, edit, [this]() { OnNewKeyChanged(); });
  } else {
    delete edit;
  }
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

BOOL CBCGPKeyboardPage::SelectCommand(UINT uiCmd) {
  auto* cmds = static_cast<CListBox*>(GetDlgItem(IDC_COMMANDS));
  auto* cats = static_cast<CComboBox*>(GetDlgItem(IDC_CATEGORY));
  if (!cmds || !cats) return FALSE;
  // The command's category first, then the command in it.
  for (int c = 0; c < cats->GetCount(); ++c) {
    cats->SetCurSel(c);
    OnCategoryChange();
    for (int i = 0; i < cmds->GetCount(); ++i)
      if (static_cast<UINT>(cmds->GetItemData(i)) == uiCmd) {
        cmds->SetCurSel(i);
        OnCommandChange();
        return TRUE;
      }
  }
  return FALSE;
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

ACCEL CBCGPKeyboardPage::GetNewKey() const {
  ACCEL a{0, 0, 0};
  auto* edit = qobject_cast<QKeySequenceEdit*>(m_wndNewKey.GetQWidget());
  if (!edit || edit->keySequence().isEmpty()) return a;
  const QKeyCombination combo = edit->keySequence()[0];
  const WORD vk = VirtualKeyOf(combo.key());
  if (!vk) return a;
  a.fVirt = FVIRTKEY;
  if (combo.keyboardModifiers() & Qt::ControlModifier) a.fVirt |= FCONTROL;
  if (combo.keyboardModifiers() & Qt::ShiftModifier) a.fVirt |= FSHIFT;
  if (combo.keyboardModifiers() & Qt::AltModifier) a.fVirt |= FALT;
  a.key = vk;
  return a;
}

void CBCGPKeyboardPage::SetNewKey(LPCTSTR lpszKey) {
  if (auto* edit = qobject_cast<QKeySequenceEdit*>(m_wndNewKey.GetQWidget()))
    edit->setKeySequence(QKeySequence(QString::fromStdU16String(lpszKey ? std::u16string(lpszKey) : std::u16string())));
}

void CBCGPKeyboardPage::OnNewKeyChanged() {
  // Says which command has the key now, if any.
  CWnd* label = GetDlgItem(IDC_ASSIGNED_TO);
  CFrameWnd* frame = m_pCustomize ? m_pCustomize->GetParentFrame() : nullptr;
  if (!label) return;
  CString text;
  const ACCEL key = GetNewKey();
  if (key.key && frame) {
    const BYTE mask = FVIRTKEY | FSHIFT | FCONTROL | FALT;
    for (const ACCEL& a : TableOf(frame->m_hAccelTable))
      if (a.key == key.key && (a.fVirt & mask) == (key.fVirt & mask)) {
        const CBCGPToolbarButton owner(a.cmd, -1);
        text.Format(AfxLoadFrameworkText(IDS_BCGP_ASSIGNED_TO, u"Assigned to: %s"),
                    static_cast<LPCTSTR>(CBCGPToolbarCustomize::GetButtonLabel(&owner)));
        break;
      }
  }
  label->SetWindowText(text);
}

void CBCGPKeyboardPage::OnAssign() {
  CFrameWnd* frame = m_pCustomize ? m_pCustomize->GetParentFrame() : nullptr;
  CBCGPKeyboardManager* km = CBCGPKeyboardManager::GetInstance();
  const UINT cmd = SelectedCommand();
  ACCEL key = GetNewKey();
  if (!frame || !km || !cmd || cmd > 0xFFFF || !key.key) return;
  key.cmd = static_cast<WORD>(cmd);
  // A key belongs to one command: it leaves the command that had it.
  const BYTE mask = FVIRTKEY | FSHIFT | FCONTROL | FALT;
  std::vector<ACCEL> table = TableOf(frame->m_hAccelTable);
  UINT owner = 0;
  for (const ACCEL& a : table)
    if (a.key == key.key && (a.fVirt & mask) == (key.fVirt & mask)) owner = a.cmd;
  if (!OnBeforeAssign(key, cmd, owner)) return;
  table.erase(std::remove_if(table.begin(), table.end(),
                             [&](const ACCEL& a) { return a.key == key.key && (a.fVirt & mask) == (key.fVirt & mask); }),
              table.end());
  table.push_back(key);
  km->UpdateAcellTable(nullptr, table.data(), static_cast<int>(table.size()), frame);
  SetNewKey(u"");
  OnCommandChange();
}
