#include "platform/bcg/CBCGPToolbarCustomize.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include "platform/afx/FrameworkText.h"
#include "platform/afx/ResourceModule.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPCommandsPage.h"
#include "platform/bcg/CBCGPKeyboardPage.h"
#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CBCGPToolbarsPage.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CMenu.h"
#include "platform/win/DialogTemplate.h"

namespace {

// A page with one line of text (the menu and options pages of the sheet).
DialogTemplate TextPage(LPCTSTR caption, LPCTSTR text) {
  DialogTemplate t;
  t.cx = 240;
  t.cy = 160;
  t.caption = caption;
  DialogItemTemplate item;
  item.className = CString(u"STATIC");
  item.id = -1;
  item.text = text;
  item.x = 7;
  item.y = 7;
  item.cx = 226;
  item.cy = 20;
  item.style = WS_CHILD | WS_VISIBLE;
  t.items.push_back(item);
  return t;
}

CString StringOf(UINT id) {
  std::u16string s;
  AfxLoadStringResource(id, s);
  CString c(s.c_str());
  const int nl = c.Find(u'\n');
  return nl >= 0 ? c.Left(nl) : c;
}

}  // namespace

IMPLEMENT_DYNAMIC(CBCGPToolbarCustomize, CPropertySheet)

BEGIN_MESSAGE_MAP(CBCGPToolbarCustomize, CPropertySheet)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CBCGPToolbarCustomize::CBCGPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags, void*)
    : CPropertySheet(static_cast<LPCTSTR>(AfxLoadFrameworkText(IDS_BCGP_CUSTOMIZE, u"Customize")), pWndParentFrame),
      m_pParentFrame(pWndParentFrame),
      m_uiFlags(uiFlags) {
  m_pCommandsPage = new CBCGPCommandsPage(this);
  m_pToolbarsPage = new CBCGPToolbarsPage(this);
  m_pKeyboardPage = new CBCGPKeyboardPage(this);
  m_pMenuPage = new CPropertyPage;
  m_pMenuPage->ConstructIndirect(TextPage(AfxLoadFrameworkText(IDS_BCGP_PAGE_MENU, u"Menu"),
                                           AfxLoadFrameworkText(IDS_BCGP_MENU_PAGE_TEXT, u"The menus follow the frame's menu resources.")));
  m_pOptionsPage = new CPropertyPage;
  m_pOptionsPage->ConstructIndirect(TextPage(AfxLoadFrameworkText(IDS_BCGP_PAGE_OPTIONS, u"Options"),
                                              AfxLoadFrameworkText(IDS_BCGP_OPTIONS_PAGE_TEXT, u"Tool tips show the commands' descriptions.")));
  AddPage(m_pCommandsPage);
  AddPage(m_pToolbarsPage);
  AddPage(m_pKeyboardPage);
  AddPage(m_pMenuPage);
  AddPage(m_pOptionsPage);
  if (bAutoSetFromMenus && pWndParentFrame) {
    if (CMenu* menu = pWndParentFrame->GetMenu(); menu && menu->m_hMenu) {
      for (UINT i = 0; i < menu->GetMenuItemCount(); ++i) {
        CMenu* sub = menu->GetSubMenu(static_cast<int>(i));
        if (!sub) continue;
        CString name;
        menu->GetMenuString(i, name, MF_BYPOSITION);
        name.Remove(u'&');
        for (UINT k = 0; k < sub->GetMenuItemCount(); ++k) {
          const UINT id = sub->GetMenuItemID(static_cast<int>(k));
          if (id == 0 || id == (UINT)-1) continue;
          CString text;
          sub->GetMenuString(k, text, MF_BYPOSITION);
          AddButton(name, CBCGPToolbarButton(id, CImageHash::GetImageOfCommand(id), text));
        }
      }
    }
  }
}

CBCGPToolbarCustomize::~CBCGPToolbarCustomize() {
  // Pages are owned by the sheet object.
  delete m_pCommandsPage;
  delete m_pToolbarsPage;
  delete m_pKeyboardPage;
  delete m_pMenuPage;
  delete m_pOptionsPage;
}

CBCGPMDIFrameWnd* CBCGPToolbarCustomize::GetFrame() const { return DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, m_pParentFrame); }

void CBCGPToolbarCustomize::AddButton(LPCTSTR lpszCategory, const CBCGPToolbarButton& button, int iInsertAfter) {
  if (!lpszCategory) return;
  const std::u16string key(lpszCategory);
  auto& list = m_buttons[key];
  if (list.empty()) {
    bool known = false;
    for (INT_PTR i = 0; i < m_categories.GetSize(); ++i) known = known || m_categories[i] == CString(lpszCategory);
    if (!known) m_categories.Add(lpszCategory);
  }
  CObject* o = button.GetRuntimeClass()->CreateObject();
  auto* copy = DYNAMIC_DOWNCAST(CBCGPToolbarButton, o);
  if (!copy) {
    delete o;
    return;
  }
  copy->CopyFrom(button);
  const size_t at = (iInsertAfter < 0 || static_cast<size_t>(iInsertAfter) >= list.size()) ? list.size()
                                                                                          : static_cast<size_t>(iInsertAfter) + 1;
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::unique_ptr<CBCGPToolbarButton>(copy));
}

void CBCGPToolbarCustomize::AddButton(UINT uiCategoryId, const CBCGPToolbarButton& button, int iInsertAfter) {
  AddButton(StringOf(uiCategoryId), button, iInsertAfter);
}

BOOL CBCGPToolbarCustomize::AddToolBar(LPCTSTR lpszCategory, UINT uiToolbarResId) {
  // The images come along when the toolbar has any; its commands join either way.
  CBCGPToolBar::AddToolBarForImageCollection(uiToolbarResId);
  std::vector<BYTE> data;
  if (!AfxFindResourceData("TOOLBAR", uiToolbarResId, data)) return FALSE;
  const QStringList lines = QString::fromUtf8(reinterpret_cast<const char*>(data.data()),
                                              static_cast<qsizetype>(data.size()))
                                .split(QLatin1Char('\n'));
  BOOL any = FALSE;
  for (QString line : lines) {
    line = line.trimmed();
    if (!line.startsWith(QLatin1String("BUTTON"), Qt::CaseInsensitive)) continue;
    bool ok = false;
    const uint id = line.mid(6).trimmed().toUInt(&ok, 0);
    if (!ok || id == 0 || id > 0xFFFF) continue;
    AddButton(lpszCategory, CBCGPToolbarButton(id, CImageHash::GetImageOfCommand(id)));
    any = TRUE;
  }
  return any;
}

BOOL CBCGPToolbarCustomize::AddToolBar(UINT uiCategoryId, UINT uiToolbarResId) {
  return AddToolBar(StringOf(uiCategoryId), uiToolbarResId);
}

BOOL CBCGPToolbarCustomize::AddMenu(UINT uiMenuResId) {
  CMenu menu;
  if (!menu.LoadMenu(uiMenuResId)) return FALSE;
  for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
    CMenu* sub = menu.GetSubMenu(static_cast<int>(i));
    if (!sub) continue;
    CString name;
    menu.GetMenuString(i, name, MF_BYPOSITION);
    name.Remove(u'&');
    for (UINT k = 0; k < sub->GetMenuItemCount(); ++k) {
      const UINT id = sub->GetMenuItemID(static_cast<int>(k));
      if (id == 0 || id == (UINT)-1) continue;
      CString text;
      sub->GetMenuString(k, text, MF_BYPOSITION);
      AddButton(name, CBCGPToolbarButton(id, CImageHash::GetImageOfCommand(id), text));
    }
  }
  return TRUE;
}

int CBCGPToolbarCustomize::GetCategoryButtons(const CString& strCategory, std::vector<CBCGPToolbarButton*>& buttons) const {
  buttons.clear();
  auto it = m_buttons.find(std::u16string(strCategory));
  if (it == m_buttons.end()) return 0;
  for (const auto& b : it->second) buttons.push_back(b.get());
  return static_cast<int>(buttons.size());
}

CString CBCGPToolbarCustomize::GetButtonLabel(const CBCGPToolbarButton* pButton) {
  if (!pButton) return CString();
  CString text = pButton->m_strText;
  if (text.IsEmpty()) text = StringOf(pButton->m_nID);
  if (text.IsEmpty()) text.Format(u"%u", pButton->m_nID);
  const int tab = text.Find(u'\t');
  if (tab >= 0) text = text.Left(tab);
  text.Remove(u'&');
  return text;
}

BOOL CBCGPToolbarCustomize::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  m_bModeless = TRUE;
  if (!CPropertySheet::Create(pParentWnd ? pParentWnd : m_pParentFrame, dwStyle, dwExStyle)) {
    m_bModeless = FALSE;
    return FALSE;
  }
  return TRUE;
}

BOOL CBCGPToolbarCustomize::OnInitDialog() {
  const BOOL r = CPropertySheet::OnInitDialog();
  CBCGPToolBar::SetCustomizeMode(TRUE);
  return r;
}

void CBCGPToolbarCustomize::OnDestroy() {
  CBCGPToolBar::SetCustomizeMode(FALSE);
  CPropertySheet::OnDestroy();
}

void CBCGPToolbarCustomize::PostNcDestroy() {
  CPropertySheet::PostNcDestroy();
  if (m_bModeless) delete this;
}
