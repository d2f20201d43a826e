#include "platform/bcg/CBCGPToolbarComboBoxButton.h"

#include <QtWidgets/QWidget>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"

namespace {
BOOL g_bFlat = FALSE;
// A stored combo holds at most this many items.
constexpr int kMaxItems = 65536;
}  // namespace

IMPLEMENT_SERIAL(CBCGPToolbarComboBoxButton, CBCGPToolbarButton, VERSIONABLE_SCHEMA | 1)

CBCGPToolbarComboBoxButton::CBCGPToolbarComboBoxButton() = default;

CBCGPToolbarComboBoxButton::CBCGPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CBCGPToolbarButton(uiID, iImage), m_dwStyle(dwStyle), m_iWidth(iWidth > 0 ? iWidth : 150) {}

CBCGPToolbarComboBoxButton::~CBCGPToolbarComboBoxButton() {
  if (m_pWndCombo) {
    if (m_pWndCombo->m_hWnd) m_pWndCombo->DestroyWindow();
    delete m_pWndCombo;
  }
}

void CBCGPToolbarComboBoxButton::CopyFrom(const CBCGPToolbarButton& s) {
  CBCGPToolbarButton::CopyFrom(s);
  auto* src = DYNAMIC_DOWNCAST(CBCGPToolbarComboBoxButton, const_cast<CBCGPToolbarButton*>(&s));
  if (!src) return;
  m_dwStyle = src->m_dwStyle;
  m_iWidth = src->m_iWidth;
  m_items.RemoveAll();
  m_items.Append(src->m_items);
  m_itemData = src->m_itemData;
  m_iSelIndex = src->m_iSelIndex;
  m_strEdit = src->m_strEdit;
  FillCombo();
}

void CBCGPToolbarComboBoxButton::Serialize(CArchive& ar) {
  CBCGPToolbarButton::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<UINT>(m_dwStyle) << m_iWidth << static_cast<int>(m_items.GetSize());
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
      ar << m_items[i] << static_cast<unsigned long long>(m_itemData[static_cast<size_t>(i)]);
    ar << m_iSelIndex << m_strEdit;
    return;
  }
  UINT style = 0;
  int width = 0, count = 0, sel = -1;
  ar >> style >> width >> count;
  if (count < 0 || count > kMaxItems) AfxThrowArchiveException(CArchiveException::badIndex);
  CStringArray items;
  std::vector<DWORD_PTR> data;
  for (int i = 0; i < count; ++i) {
    CString s;
    unsigned long long d = 0;
    ar >> s >> d;
    items.Add(s);
    data.push_back(static_cast<DWORD_PTR>(d));
  }
  CString edit;
  ar >> sel >> edit;
  m_dwStyle = style;
  m_iWidth = width > 0 && width < 4096 ? width : 150;
  m_items.RemoveAll();
  m_items.Append(items);
  m_itemData = data;
  m_iSelIndex = sel >= 0 && sel < count ? sel : -1;
  m_strEdit = edit;
  FillCombo();
}

CComboBox* CBCGPToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect) {
  auto* combo = new CComboBox;
  if (!combo->Create(m_dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, rect, pWndParent, m_nID)) {
    delete combo;
    return nullptr;
  }
  return combo;
}

void CBCGPToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent) {
  CBCGPToolbarButton::OnChangeParentWnd(pWndParent);
  if (m_pWndCombo && (!pWndParent || m_pWndCombo->GetParent() != pWndParent || !m_pWndCombo->m_hWnd)) {
    if (m_pWndCombo->m_hWnd) m_pWndCombo->DestroyWindow();
    delete m_pWndCombo;
    m_pWndCombo = nullptr;
  }
  if (!pWndParent || !pWndParent->m_hWnd || m_pWndCombo) return;
  m_rect = CRect(0, 0, m_iWidth, 22);
  m_pWndCombo = CreateCombo(pWndParent, m_rect);
  if (m_pWndCombo && m_pWndCombo->GetQWidget()) m_pWndCombo->GetQWidget()->setFixedWidth(m_iWidth);
  FillCombo();
}

void CBCGPToolbarComboBoxButton::FillCombo() {
  if (!m_pWndCombo || !m_pWndCombo->m_hWnd) return;
  m_bFilling = TRUE;
  m_pWndCombo->ResetContent();
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
    const int at = m_pWndCombo->AddString(m_items[i]);
    if (at >= 0) m_pWndCombo->SetItemData(at, m_itemData[static_cast<size_t>(i)]);
  }
  m_pWndCombo->SetCurSel(m_iSelIndex);
  if (m_iSelIndex < 0 && !m_strEdit.IsEmpty() && (m_dwStyle & 0x3) == CBS_DROPDOWN)
    m_pWndCombo->SetWindowText(m_strEdit);
  m_bFilling = FALSE;
}

BOOL CBCGPToolbarComboBoxButton::NotifyCommand(int iNotifyCode) {
  if (m_bFilling || !m_pWndCombo) return FALSE;
  switch (iNotifyCode) {
    case CBN_SELENDOK:
    case CBN_SELCHANGE: {
      const int sel = m_pWndCombo->GetCurSel();
      if (sel < 0 || sel >= m_items.GetSize()) return FALSE;
      const BOOL changed = sel != m_iSelIndex;
      m_iSelIndex = sel;
      m_strEdit = m_items[sel];
      // A choice from the open list ends with CBN_SELENDOK: the command goes then, once. A
      // change with the list closed (arrow keys) sends it at once.
      if (iNotifyCode == CBN_SELENDOK) return TRUE;
      return changed && !m_pWndCombo->GetDroppedState();
    }
    case CBN_EDITCHANGE:
    case CBN_EDITUPDATE:
      m_pWndCombo->GetWindowText(m_strEdit);
      m_iSelIndex = FindItem(m_strEdit);
      return FALSE;
    default:
      return FALSE;
  }
}

HWND CBCGPToolbarComboBoxButton::GetHwnd() { return m_pWndCombo ? m_pWndCombo->m_hWnd : nullptr; }

QWidget* CBCGPToolbarComboBoxButton::GetEmbeddedWidget() {
  if (!m_bHorz) return nullptr;
  return m_pWndCombo ? m_pWndCombo->GetQWidget() : nullptr;
}

void CBCGPToolbarComboBoxButton::SetHorizontal(BOOL bHorz) {
  if (m_bHorz == bHorz) return;
  CBCGPToolbarButton::SetHorizontal(bHorz);
  if (!bHorz) {
    OnCancelMode();
    if (m_pWndCombo && m_pWndCombo->GetQWidget()) m_pWndCombo->GetQWidget()->hide();
  }
}

void CBCGPToolbarComboBoxButton::OnCancelMode() {
  if (m_pWndCombo && m_pWndCombo->m_hWnd && m_pWndCombo->GetDroppedState()) m_pWndCombo->ShowDropDown(FALSE);
}

INT_PTR CBCGPToolbarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD_PTR dwData) {
  if (!lpszItem || m_items.GetSize() >= kMaxItems) return -1;
  const INT_PTR i = m_items.Add(lpszItem);
  m_itemData.push_back(dwData);
  if (m_pWndCombo && m_pWndCombo->m_hWnd) {
    m_bFilling = TRUE;
    const int at = m_pWndCombo->AddString(lpszItem);
    if (at >= 0) m_pWndCombo->SetItemData(at, dwData);
    m_bFilling = FALSE;
  }
  return i;
}

LPCTSTR CBCGPToolbarComboBoxButton::GetItem(int iIndex) const {
  if (iIndex == -1) iIndex = m_iSelIndex;
  if (iIndex < 0 || iIndex >= m_items.GetSize()) return nullptr;
  return m_items[iIndex];
}

DWORD_PTR CBCGPToolbarComboBoxButton::GetItemData(int iIndex) const {
  if (iIndex == -1) iIndex = m_iSelIndex;
  if (iIndex < 0 || iIndex >= m_items.GetSize()) return 0;
  return m_itemData[static_cast<size_t>(iIndex)];
}

BOOL CBCGPToolbarComboBoxButton::SelectItem(int iIndex, BOOL) {
  if (iIndex < -1 || iIndex >= m_items.GetSize()) return FALSE;
  m_iSelIndex = iIndex;
  m_strEdit = iIndex >= 0 ? m_items[iIndex] : CString();
  if (m_pWndCombo && m_pWndCombo->m_hWnd) {
    m_bFilling = TRUE;
    m_pWndCombo->SetCurSel(iIndex);
    m_bFilling = FALSE;
  }
  return TRUE;
}

BOOL CBCGPToolbarComboBoxButton::SelectItem(DWORD_PTR dwData) {
  for (size_t i = 0; i < m_itemData.size(); ++i)
    if (m_itemData[i] == dwData) return SelectItem(static_cast<int>(i));
  return FALSE;
}

BOOL CBCGPToolbarComboBoxButton::SelectItem(LPCTSTR lpszText) {
  const int i = FindItem(lpszText);
  return i >= 0 ? SelectItem(i) : FALSE;
}

int CBCGPToolbarComboBoxButton::FindItem(LPCTSTR lpszText) const {
  if (!lpszText) return -1;
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
    if (m_items[i].CompareNoCase(lpszText) == 0) return static_cast<int>(i);
  return -1;
}

BOOL CBCGPToolbarComboBoxButton::DeleteItem(int iIndex) {
  if (iIndex < 0 || iIndex >= m_items.GetSize()) return FALSE;
  m_items.RemoveAt(iIndex);
  m_itemData.erase(m_itemData.begin() + iIndex);
  if (m_iSelIndex == iIndex) m_iSelIndex = -1;
  else if (m_iSelIndex > iIndex) --m_iSelIndex;
  FillCombo();
  return TRUE;
}

void CBCGPToolbarComboBoxButton::RemoveAllItems() {
  m_items.RemoveAll();
  m_itemData.clear();
  m_iSelIndex = -1;
  m_strEdit.Empty();
  FillCombo();
}

void CBCGPToolbarComboBoxButton::SetText(LPCTSTR lpszText) {
  m_strEdit = lpszText ? lpszText : u"";
  m_iSelIndex = FindItem(m_strEdit);
  if (m_pWndCombo && m_pWndCombo->m_hWnd) {
    m_bFilling = TRUE;
    if (m_iSelIndex >= 0)
      m_pWndCombo->SetCurSel(m_iSelIndex);
    else
      m_pWndCombo->SetWindowText(m_strEdit);
    m_bFilling = FALSE;
  }
}

void CBCGPToolbarComboBoxButton::SetWidth(int iWidth) {
  if (iWidth <= 0 || iWidth >= 4096) return;
  m_iWidth = iWidth;
  m_rect.right = m_rect.left + iWidth;
  if (m_pWndCombo && m_pWndCombo->GetQWidget()) m_pWndCombo->GetQWidget()->setFixedWidth(iWidth);
}

void CBCGPToolbarComboBoxButton::SetFlatMode(BOOL bFlat) { g_bFlat = bFlat; }
BOOL CBCGPToolbarComboBoxButton::IsFlatMode() { return g_bFlat; }

CBCGPToolbarComboBoxButton* CBCGPToolbarComboBoxButton::GetByCmd(UINT uiCmd, BOOL) {
  CObList list;
  CBCGPToolBar::GetCommandButtons(uiCmd, list);
  for (POSITION pos = list.GetHeadPosition(); pos;)
    if (auto* c = DYNAMIC_DOWNCAST(CBCGPToolbarComboBoxButton, list.GetNext(pos))) return c;
  return nullptr;
}

BOOL CBCGPToolbarComboBoxButton::SelectItemAll(UINT uiCmd, int iIndex) {
  CObList list;
  CBCGPToolBar::GetCommandButtons(uiCmd, list);
  BOOL any = FALSE;
  for (POSITION pos = list.GetHeadPosition(); pos;)
    if (auto* c = DYNAMIC_DOWNCAST(CBCGPToolbarComboBoxButton, list.GetNext(pos))) any = c->SelectItem(iIndex) || any;
  return any;
}

int CBCGPToolbarComboBoxButton::GetCurSelAll(UINT uiCmd) {
  CBCGPToolbarComboBoxButton* c = GetByCmd(uiCmd);
  return c ? c->GetCurSel() : -1;
}
