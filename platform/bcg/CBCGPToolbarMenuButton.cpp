#include "platform/bcg/CBCGPToolbarMenuButton.h"

#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QMenu>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CMenu.h"

namespace {

// Bounds of a stored menu.
constexpr int kMaxItems = 1024;
constexpr int kMaxDepth = 8;

void ReadMenu(HMENU hMenu, std::vector<CBCGPToolbarMenuButton::Item>& out, int depth) {
  out.clear();
  CMenu* menu = CMenu::FromHandle(hMenu);
  if (!menu || depth > kMaxDepth) return;
  const int n = std::min(static_cast<int>(menu->GetMenuItemCount()), kMaxItems);
  for (int i = 0; i < n; ++i) {
    CBCGPToolbarMenuButton::Item item;
    item.nFlags = menu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
    menu->GetMenuString(static_cast<UINT>(i), item.strText, MF_BYPOSITION);
    if (CMenu* sub = menu->GetSubMenu(i)) {
      item.nFlags |= MF_POPUP;
      ReadMenu(sub->m_hMenu, item.sub, depth + 1);
    } else {
      item.nID = menu->GetMenuItemID(i);
    }
    out.push_back(std::move(item));
  }
}

void BuildMenu(CMenu& menu, const std::vector<CBCGPToolbarMenuButton::Item>& items) {
  for (const auto& item : items) {
    if (item.nFlags & MF_POPUP) {
      CMenu sub;
      sub.CreatePopupMenu();
      BuildMenu(sub, item.sub);
      menu.AppendMenu(MF_POPUP | (item.nFlags & (MF_GRAYED | MF_DISABLED)), reinterpret_cast<UINT_PTR>(sub.Detach()),
                      item.strText);
    } else if (item.nID == 0 || (item.nFlags & MF_SEPARATOR)) {
      menu.AppendMenu(MF_SEPARATOR);
    } else {
      menu.AppendMenu(MF_STRING | (item.nFlags & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), item.nID, item.strText);
    }
  }
}

void FillQMenu(QMenu* menu, const std::vector<CBCGPToolbarMenuButton::Item>& items) {
  for (const auto& item : items) {
    QString text = QString::fromStdU16String(std::u16string(item.strText));
    text.replace(QLatin1Char('\t'), QLatin1Char('\t'));
    if (item.nFlags & MF_POPUP) {
      QMenu* sub = menu->addMenu(text);
      FillQMenu(sub, item.sub);
    } else if (item.nID == 0 || (item.nFlags & MF_SEPARATOR)) {
      menu->addSeparator();
    } else {
      QAction* a = menu->addAction(text);
      a->setData(item.nID);
      // Menus show the images of the commands that toolbars have.
      QImage img;
      if (CBCGPToolBar::GetImages()->GetImage(CImageHash::GetImageOfCommand(item.nID), img))
        a->setIcon(QIcon(QPixmap::fromImage(img)));
      a->setEnabled(!(item.nFlags & (MF_GRAYED | MF_DISABLED)));
    }
  }
}

void StoreItems(CArchive& ar, const std::vector<CBCGPToolbarMenuButton::Item>& items) {
  ar << static_cast<int>(items.size());
  for (const auto& item : items) {
    ar << static_cast<UINT>(item.nID) << static_cast<UINT>(item.nFlags) << item.strText;
    StoreItems(ar, item.sub);
  }
}

void LoadItems(CArchive& ar, std::vector<CBCGPToolbarMenuButton::Item>& items, int depth, int& total) {
  int n = 0;
  ar >> n;
  if (n < 0 || depth > kMaxDepth || (total += n) > kMaxItems) AfxThrowArchiveException(CArchiveException::badIndex);
  items.clear();
  for (int i = 0; i < n; ++i) {
    CBCGPToolbarMenuButton::Item item;
    UINT id = 0, flags = 0;
    ar >> id >> flags >> item.strText;
    item.nID = id;
    item.nFlags = flags;
    LoadItems(ar, item.sub, depth + 1, total);
    items.push_back(std::move(item));
  }
}

void CollectIds(const std::vector<CBCGPToolbarMenuButton::Item>& items, std::vector<UINT>& ids) {
  for (const auto& item : items) {
    if (item.nFlags & MF_POPUP)
      CollectIds(item.sub, ids);
    else if (item.nID)
      ids.push_back(item.nID);
  }
}

}  // namespace

IMPLEMENT_SERIAL(CBCGPToolbarMenuButton, CBCGPToolbarButton, VERSIONABLE_SCHEMA | 1)

CBCGPToolbarMenuButton::CBCGPToolbarMenuButton() = default;

CBCGPToolbarMenuButton::CBCGPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                               BOOL bUserButton)
    : CBCGPToolbarButton(uiID, iImage, lpszText, bUserButton) {
  if (hMenu) ReadMenu(hMenu, m_items, 0);
}

CBCGPToolbarMenuButton::~CBCGPToolbarMenuButton() = default;

void CBCGPToolbarMenuButton::CopyFrom(const CBCGPToolbarButton& src) {
  CBCGPToolbarButton::CopyFrom(src);
  if (auto* m = DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, const_cast<CBCGPToolbarButton*>(&src))) {
    m_items = m->m_items;
    m_uiTearOffBarID = m->m_uiTearOffBarID;
  }
}

void CBCGPToolbarMenuButton::Serialize(CArchive& ar) {
  CBCGPToolbarButton::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<UINT>(m_uiTearOffBarID);
    StoreItems(ar, m_items);
  } else {
    UINT tearOff = 0;
    ar >> tearOff;
    m_uiTearOffBarID = tearOff;
    int total = 0;
    LoadItems(ar, m_items, 0, total);
  }
}

QMenu* CBCGPToolbarMenuButton::CreateDropDownMenu(QWidget* pParent) {
  auto* menu = new QMenu(pParent);
  if (m_uiTearOffBarID) {
    // The handle that tears the menu off into a toolbar.
    QAction* handle = menu->addAction(QStringLiteral("- - - - - -"));
    handle->setProperty("kcTearOff", true);
    menu->addSeparator();
  }
  FillQMenu(menu, m_items);
  return menu;
}

HMENU CBCGPToolbarMenuButton::CreateMenu() const {
  CMenu menu;
  menu.CreatePopupMenu();
  BuildMenu(menu, m_items);
  return menu.Detach();
}

void CBCGPToolbarMenuButton::SetMenuItems(HMENU hMenu) { ReadMenu(hMenu, m_items, 0); }

void CBCGPToolbarMenuButton::GetCommands(std::vector<UINT>& ids) const {
  ids.clear();
  CollectIds(m_items, ids);
}
