#include "platform/win/CMenu.h"

#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtGui/QAction>
#include <QtGui/QActionGroup>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>

#include <memory>
#include <set>

#include "platform/afx/CRect.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CWnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

struct AfxMenuItem {
  UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP, MF_MENUBREAK ...
  UINT_PTR id = 0;
  std::u16string text;
  HMENU sub = nullptr;
  bool radio = false;
  bool isDefault = false;
};

struct HMENU__ {
  std::vector<AfxMenuItem> items;
  CMenu* pAttached = nullptr;
  std::unique_ptr<CMenu> wrapper;
  bool popup = true;
};

namespace {

std::set<HMENU>& Live() {
  static std::set<HMENU> live;
  return live;
}

AFX_POPUP_HOOK g_popupHook = nullptr;

HMENU NewMenu(bool popup) {
  auto* m = new HMENU__;
  m->popup = popup;
  Live().insert(m);
  return m;
}

bool Valid(HMENU h) { return h && Live().count(h) != 0; }

void FreeMenu(HMENU h) {
  if (!Valid(h)) return;
  Live().erase(h);
  for (AfxMenuItem& it : h->items)
    if (it.sub) FreeMenu(it.sub);
  if (h->pAttached) h->pAttached->m_hMenu = nullptr;
  if (h->wrapper) h->wrapper->m_hMenu = nullptr;
  delete h;
}

// The item addressed by position or by command id (searching submenus, as the original does).
AfxMenuItem* FindItem(HMENU h, UINT nPos, UINT nFlags, HMENU* pOwner = nullptr, size_t* pIndex = nullptr) {
  if (!Valid(h)) return nullptr;
  if (nFlags & MF_BYPOSITION) {
    if (nPos >= h->items.size()) return nullptr;
    if (pOwner) *pOwner = h;
    if (pIndex) *pIndex = nPos;
    return &h->items[nPos];
  }
  for (size_t i = 0; i < h->items.size(); ++i) {
    AfxMenuItem& it = h->items[i];
    if (!(it.flags & MF_POPUP) && !(it.flags & MF_SEPARATOR) && it.id == nPos) {
      if (pOwner) *pOwner = h;
      if (pIndex) *pIndex = i;
      return &it;
    }
  }
  for (AfxMenuItem& it : h->items) {
    if (it.sub)
      if (AfxMenuItem* found = FindItem(it.sub, nPos, nFlags, pOwner, pIndex)) return found;
  }
  return nullptr;
}

AfxMenuItem MakeItem(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  AfxMenuItem it;
  it.flags = nFlags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP | MF_MENUBREAK |
                       MF_MENUBARBREAK);
  if (nFlags & MF_POPUP) {
    it.sub = Valid(reinterpret_cast<HMENU>(nIDNewItem)) ? reinterpret_cast<HMENU>(nIDNewItem) : nullptr;
    it.id = static_cast<UINT_PTR>(-1);
  } else {
    it.id = nIDNewItem;
  }
  if (!(nFlags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && lpszNewItem) it.text = lpszNewItem;
  return it;
}

// ---- the resource text ----------------------------------------------------------------------

struct Parser {
  std::u16string src;
  size_t pos = 0;
  std::u16string error;

  void SkipSpace() {
    while (pos < src.size()) {
      const char16_t c = src[pos];
      if (c == u'#' || (c == u'/' && pos + 1 < src.size() && src[pos + 1] == u'/')) {
        while (pos < src.size() && src[pos] != u'\n') ++pos;
      } else if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u',' || c == 0xFEFF) {
        ++pos;
      } else {
        break;
      }
    }
  }
  bool AtEnd() {
    SkipSpace();
    return pos >= src.size();
  }
  // A bare word (letters, digits, '_', '-', '+', 'x').
  std::u16string Word() {
    SkipSpace();
    size_t start = pos;
    while (pos < src.size()) {
      const char16_t c = src[pos];
      if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' ||
          c == u'+')
        ++pos;
      else
        break;
    }
    return src.substr(start, pos - start);
  }
  bool PeekQuote() {
    SkipSpace();
    return pos < src.size() && src[pos] == u'"';
  }
  bool Quoted(std::u16string& out) {
    SkipSpace();
    if (pos >= src.size() || src[pos] != u'"') return false;
    ++pos;
    out.clear();
    while (pos < src.size()) {
      const char16_t c = src[pos++];
      if (c == u'"') {
        if (pos < src.size() && src[pos] == u'"') {
          out.push_back(u'"');
          ++pos;
          continue;
        }
        return true;
      }
      if (c == u'\n') return false;
      if (c == u'\\' && pos < src.size()) {
        const char16_t e = src[pos++];
        out.push_back(e == u't' ? u'\t' : e == u'n' ? u'\n' : e);
        continue;
      }
      out.push_back(c);
    }
    return false;
  }
  // Only the rest of the current line holds an item's options.
  bool OptionFollows() {
    size_t p = pos;
    while (p < src.size() && (src[p] == u' ' || src[p] == u'\t' || src[p] == u',' || src[p] == u'\r')) ++p;
    return p < src.size() && src[p] != u'\n' && src[p] != u'#';
  }
  UINT Options() {
    UINT f = 0;
    while (OptionFollows()) {
      const std::u16string w = Word();
      if (w == u"GRAYED") f |= MF_GRAYED;
      else if (w == u"DISABLED" || w == u"INACTIVE") f |= MF_GRAYED;
      else if (w == u"CHECKED") f |= MF_CHECKED;
      else if (w == u"MENUBREAK") f |= MF_MENUBREAK;
      else if (w == u"MENUBARBREAK") f |= MF_MENUBARBREAK;
      else if (w == u"HELP") {}
      else {
        error = u"unknown item option";
        return f;
      }
    }
    return f;
  }
  bool Number(const std::u16string& w, UINT& v) {
    if (w.empty() || w.size() > 10) return false;
    unsigned long long n = 0;
    size_t i = 0;
    int base = 10;
    if (w.size() > 2 && w[0] == u'0' && (w[1] == u'x' || w[1] == u'X')) {
      base = 16;
      i = 2;
    }
    for (; i < w.size(); ++i) {
      const char16_t c = w[i];
      int d = -1;
      if (c >= u'0' && c <= u'9') d = c - u'0';
      else if (base == 16 && c >= u'a' && c <= u'f') d = c - u'a' + 10;
      else if (base == 16 && c >= u'A' && c <= u'F') d = c - u'A' + 10;
      if (d < 0) return false;
      n = n * static_cast<unsigned>(base) + static_cast<unsigned>(d);
      if (n > 0xFFFFFFFFull) return false;
    }
    v = static_cast<UINT>(n);
    return true;
  }

  // Items until END (or the end of the text at the top level).
  bool Items(HMENU menu, int depth) {
    if (depth > 16) {
      error = u"menus nested too deeply";
      return false;
    }
    while (!AtEnd()) {
      const std::u16string w = Word();
      if (w == u"END") {
        if (depth == 0) {
          error = u"END without POPUP";
          return false;
        }
        return true;
      }
      if (w == u"MENUITEM") {
        if (!PeekQuote()) {
          const std::u16string s = Word();
          if (s != u"SEPARATOR") {
            error = u"MENUITEM needs a text or SEPARATOR";
            return false;
          }
          menu->items.push_back(MakeItem(MF_SEPARATOR, 0, nullptr));
          continue;
        }
        std::u16string text;
        if (!Quoted(text)) {
          error = u"unterminated text";
          return false;
        }
        UINT id = 0;
        if (!Number(Word(), id) || id > 0xFFFF) {
          error = u"MENUITEM needs a command number";
          return false;
        }
        const UINT f = Options();
        if (!error.empty()) return false;
        menu->items.push_back(MakeItem(MF_STRING | f, id, text.c_str()));
        continue;
      }
      if (w == u"POPUP") {
        std::u16string text;
        if (!Quoted(text)) {
          error = u"POPUP needs a text";
          return false;
        }
        const UINT f = Options();
        if (!error.empty()) return false;
        HMENU sub = NewMenu(true);
        AfxMenuItem it = MakeItem(MF_POPUP | f, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        menu->items.push_back(it);
        if (!Items(sub, depth + 1)) return false;
        continue;
      }
      error = u"unknown statement";
      return false;
    }
    if (depth > 0) {
      error = u"POPUP without END";
      return false;
    }
    return true;
  }
};

}  // namespace

CMenu::CMenu() = default;

CMenu::~CMenu() {
  if (m_hMenu && !m_bWrapper) DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
  if (!Valid(hMenu)) return nullptr;
  if (hMenu->pAttached) return hMenu->pAttached;
  if (!hMenu->wrapper) {
    hMenu->wrapper = std::make_unique<CMenu>();
    hMenu->wrapper->m_hMenu = hMenu;
    hMenu->wrapper->m_bWrapper = true;
  }
  return hMenu->wrapper.get();
}

CMenu* AfxMenuFromHandle(HMENU hMenu) { return CMenu::FromHandle(hMenu); }

BOOL CMenu::Attach(HMENU hMenu) {
  if (m_hMenu || !Valid(hMenu) || hMenu->pAttached) return FALSE;
  hMenu->pAttached = this;
  m_hMenu = hMenu;
  m_bWrapper = false;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (Valid(h) && h->pAttached == this) h->pAttached = nullptr;
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(NewMenu(false)); }
BOOL CMenu::CreatePopupMenu() { return Attach(NewMenu(true)); }

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  HMENU h = m_hMenu;
  Detach();
  FreeMenu(h);
  return TRUE;
}

BOOL CMenu::LoadMenuFromText(const std::u16string& text) {
  if (m_hMenu) return FALSE;
  Parser p;
  p.src = text;
  HMENU h = NewMenu(false);
  if (!p.Items(h, 0)) {
    FreeMenu(h);
    return FALSE;
  }
  return Attach(h);
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
  std::vector<BYTE> data;
  if (!AfxFindResourceData("MENU", nIDResource, data)) return FALSE;
  const QString s = QString::fromUtf8(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
  return LoadMenuFromText(s.toStdU16String());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
  if (IS_INTRESOURCE(lpszResourceName)) return LoadMenu(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszResourceName)));
  return FALSE;
}

UINT CMenu::GetMenuItemCount() const { return Valid(m_hMenu) ? static_cast<UINT>(m_hMenu->items.size()) : static_cast<UINT>(-1); }

UINT CMenu::GetMenuItemID(int nPos) const {
  if (!Valid(m_hMenu) || nPos < 0 || static_cast<size_t>(nPos) >= m_hMenu->items.size()) return static_cast<UINT>(-1);
  const AfxMenuItem& it = m_hMenu->items[static_cast<size_t>(nPos)];
  if (it.flags & MF_POPUP) return static_cast<UINT>(-1);
  if (it.flags & MF_SEPARATOR) return 0;
  return static_cast<UINT>(it.id);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
  const AfxMenuItem* it = FindItem(m_hMenu, nID, nFlags);
  if (!it) return static_cast<UINT>(-1);
  UINT s = it->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK);
  if (it->sub) s |= MF_POPUP | (static_cast<UINT>(it->sub->items.size()) << 8);
  return s;
}

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
  const AfxMenuItem* it = FindItem(m_hMenu, nIDItem, nFlags);
  if (!it) {
    if (lpString && nMaxCount > 0) lpString[0] = 0;
    return 0;
  }
  if (!lpString || nMaxCount <= 0) return static_cast<int>(it->text.size());
  const int n = std::min<int>(static_cast<int>(it->text.size()), nMaxCount - 1);
  for (int i = 0; i < n; ++i) lpString[i] = it->text[static_cast<size_t>(i)];
  lpString[n] = 0;
  return n;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  const AfxMenuItem* it = FindItem(m_hMenu, nIDItem, nFlags);
  rString = it ? CString(it->text) : CString();
  return rString.GetLength();
}

CMenu* CMenu::GetSubMenu(int nPos) const {
  if (!Valid(m_hMenu) || nPos < 0 || static_cast<size_t>(nPos) >= m_hMenu->items.size()) return nullptr;
  return FromHandle(m_hMenu->items[static_cast<size_t>(nPos)].sub);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  if (!Valid(m_hMenu)) return FALSE;
  m_hMenu->items.push_back(MakeItem(nFlags, nIDNewItem, lpszNewItem));
  return TRUE;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  if (!Valid(m_hMenu)) return FALSE;
  if (nFlags & MF_BYPOSITION) {
    auto& items = m_hMenu->items;
    const size_t at = nPosition >= items.size() ? items.size() : nPosition;  // -1 and past the end append
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), MakeItem(nFlags & ~MF_BYPOSITION, nIDNewItem, lpszNewItem));
    return TRUE;
  }
  HMENU owner = nullptr;
  size_t index = 0;
  if (!FindItem(m_hMenu, nPosition, nFlags, &owner, &index)) return FALSE;
  owner->items.insert(owner->items.begin() + static_cast<std::ptrdiff_t>(index), MakeItem(nFlags, nIDNewItem, lpszNewItem));
  return TRUE;
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  AfxMenuItem* it = FindItem(m_hMenu, nPosition, nFlags);
  if (!it) return FALSE;
  HMENU oldSub = it->sub;
  AfxMenuItem now = MakeItem(nFlags & ~MF_BYPOSITION, nIDNewItem, lpszNewItem);
  if (oldSub && oldSub != now.sub) FreeMenu(oldSub);  // a replaced popup is destroyed
  *it = now;
  return TRUE;
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) {
  HMENU owner = nullptr;
  size_t index = 0;
  if (!FindItem(m_hMenu, nPosition, nFlags, &owner, &index)) return FALSE;
  owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(index));
  return TRUE;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) {
  HMENU owner = nullptr;
  size_t index = 0;
  if (!FindItem(m_hMenu, nPosition, nFlags, &owner, &index)) return FALSE;
  HMENU sub = owner->items[index].sub;
  owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(index));
  if (sub) FreeMenu(sub);
  return TRUE;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
  AfxMenuItem* it = FindItem(m_hMenu, nIDCheckItem, nCheck);
  if (!it) return static_cast<UINT>(-1);
  const UINT old = it->flags & MF_CHECKED;
  if (nCheck & MF_CHECKED)
    it->flags |= MF_CHECKED;
  else
    it->flags &= ~static_cast<UINT>(MF_CHECKED);
  it->radio = false;
  return old;
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
  if (!Valid(m_hMenu)) return FALSE;
  bool found = false;
  if (nFlags & MF_BYPOSITION) {
    for (UINT i = nIDFirst; i <= nIDLast && i < m_hMenu->items.size(); ++i) {
      AfxMenuItem& it = m_hMenu->items[i];
      const bool on = i == nIDItem;
      it.flags = on ? (it.flags | MF_CHECKED) : (it.flags & ~static_cast<UINT>(MF_CHECKED));
      it.radio = on;
      found = found || on;
    }
    return found;
  }
  for (UINT id = nIDFirst; id <= nIDLast && id >= nIDFirst; ++id) {
    if (AfxMenuItem* it = FindItem(m_hMenu, id, MF_BYCOMMAND)) {
      const bool on = id == nIDItem;
      it->flags = on ? (it->flags | MF_CHECKED) : (it->flags & ~static_cast<UINT>(MF_CHECKED));
      it->radio = on;
      found = found || on;
    }
    if (id == 0xFFFFFFFF) break;
  }
  return found;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  AfxMenuItem* it = FindItem(m_hMenu, nIDEnableItem, nEnable);
  if (!it) return static_cast<UINT>(-1);
  const UINT old = it->flags & (MF_GRAYED | MF_DISABLED);
  it->flags = (it->flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
  return old;
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) {
  if (!Valid(m_hMenu)) return FALSE;
  for (AfxMenuItem& it : m_hMenu->items) it.isDefault = false;
  if (uItem == static_cast<UINT>(-1)) return TRUE;
  AfxMenuItem* it = FindItem(m_hMenu, uItem, fByPos ? MF_BYPOSITION : MF_BYCOMMAND);
  if (!it) return FALSE;
  it->isDefault = true;
  return TRUE;
}

UINT CMenu::GetDefaultItem(UINT, BOOL fByPos) {
  if (!Valid(m_hMenu)) return static_cast<UINT>(-1);
  for (size_t i = 0; i < m_hMenu->items.size(); ++i)
    if (m_hMenu->items[i].isDefault) return fByPos ? static_cast<UINT>(i) : static_cast<UINT>(m_hMenu->items[i].id);
  return static_cast<UINT>(-1);
}

// ---- showing a popup ------------------------------------------------------------------------

namespace {

void Build(QMenu* q, HMENU h, CWnd* pWnd, int depth) {
  if (depth > 16) return;
  for (size_t i = 0; i < h->items.size(); ++i) {
    const AfxMenuItem& it = h->items[i];
    if (it.flags & MF_SEPARATOR) {
      q->addSeparator();
      continue;
    }
    const QString text = QString::fromStdU16String(it.text);
    if (it.sub) {
      if (pWnd && pWnd->GetSafeHwnd())
        pWnd->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(it.sub), MAKELPARAM(static_cast<WORD>(i), 0));
      QMenu* sub = q->addMenu(text);
      sub->setEnabled(!(it.flags & (MF_GRAYED | MF_DISABLED)));
      Build(sub, it.sub, pWnd, depth + 1);
      continue;
    }
    QAction* a = q->addAction(text);
    a->setData(QVariant::fromValue<qulonglong>(it.id));
    a->setEnabled(!(it.flags & (MF_GRAYED | MF_DISABLED)));
    if (it.flags & MF_CHECKED) {
      a->setCheckable(true);
      a->setChecked(true);
    }
    if (it.isDefault) {
      QFont f = a->font();
      f.setBold(true);
      a->setFont(f);
    }
  }
}

}  // namespace

void AfxSetPopupMenuHook(AFX_POPUP_HOOK pfnHook) { g_popupHook = pfnHook; }

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const tagRECT*) {
  if (!Valid(m_hMenu) || !qobject_cast<QApplication*>(QCoreApplication::instance())) return FALSE;
  if (pWnd && pWnd->GetSafeHwnd())
    pWnd->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m_hMenu), 0);
  QMenu menu(pWnd ? pWnd->GetQWidget() : nullptr);
  Build(&menu, m_hMenu, pWnd, 0);
  QPointer<QAction> chosen;
  auto note = [&chosen, &menu](QAction* a) {
    chosen = a;
    menu.close();
  };
  QObject::connect(&menu, &QMenu::triggered, &menu, note);
  for (QMenu* sub : menu.findChildren<QMenu*>()) QObject::connect(sub, &QMenu::triggered, &menu, note);
  QPoint at(x, y);
  if (nFlags & TPM_RIGHTALIGN) at.rx() -= menu.sizeHint().width();
  else if (nFlags & TPM_CENTERALIGN) at.rx() -= menu.sizeHint().width() / 2;
  if (nFlags & TPM_BOTTOMALIGN) at.ry() -= menu.sizeHint().height();
  else if (nFlags & TPM_VCENTERALIGN) at.ry() -= menu.sizeHint().height() / 2;
  if (g_popupHook) g_popupHook(&menu);
  QAction* result = menu.exec(at);
  if (!result) result = chosen;
  UINT id = 0;
  if (result && result->isEnabled() && result->data().isValid()) id = static_cast<UINT>(result->data().toULongLong());
  if (nFlags & TPM_RETURNCMD) return static_cast<BOOL>(id);
  if (id && pWnd && pWnd->GetSafeHwnd() && !(nFlags & TPM_NONOTIFY))
    pWnd->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
  return id != 0;
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, void*) {
  return TrackPopupMenu(fuFlags, x, y, pWnd, nullptr);
}

// ---- bare handles ---------------------------------------------------------------------------

HMENU CreatePopupMenu() { return NewMenu(true); }
HMENU CreateMenu() { return NewMenu(false); }

BOOL DestroyMenu(HMENU hMenu) {
  if (!Valid(hMenu)) return FALSE;
  FreeMenu(hMenu);
  return TRUE;
}

BOOL IsMenu(HMENU hMenu) { return Valid(hMenu) ? TRUE : FALSE; }

int GetMenuItemCount(HMENU hMenu) { return Valid(hMenu) ? static_cast<int>(hMenu->items.size()) : -1; }

UINT GetMenuItemID(HMENU hMenu, int nPos) {
  CMenu* m = CMenu::FromHandle(hMenu);
  return m ? m->GetMenuItemID(nPos) : static_cast<UINT>(-1);
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
  CMenu* m = CMenu::FromHandle(hMenu);
  CMenu* s = m ? m->GetSubMenu(nPos) : nullptr;
  return s ? s->m_hMenu : nullptr;
}

BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCTSTR lpNewItem) {
  CMenu* m = CMenu::FromHandle(hMenu);
  return m ? m->AppendMenu(uFlags, uIDNewItem, lpNewItem) : FALSE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const tagRECT* prcRect) {
  CMenu* m = CMenu::FromHandle(hMenu);
  return m ? m->TrackPopupMenu(uFlags, x, y, CWnd::FromHandle(hWnd), prcRect) : FALSE;
}
