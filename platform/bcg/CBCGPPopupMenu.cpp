#include "platform/bcg/CBCGPPopupMenu.h"

#include <functional>

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QMenu>

#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPPopupMenuBar.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CFrameWnd.h"

namespace {

CBCGPPopupMenu* g_pActive = nullptr;
BOOL g_bSendMenuSelect = FALSE;

QString ToQ(const CString& s) {
  QString t = QString::fromStdU16String(std::u16string(s));
  return t;
}

// State of an item from the owner's update handlers.
class CItemCmdUI : public CCmdUI {
public:
  QAction* action = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    action->setEnabled(bOn != FALSE);
  }
  void SetCheck(int nCheck) override {
    action->setCheckable(nCheck != 0);
    action->setChecked(nCheck != 0);
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCTSTR lpszText) override {
    if (lpszText) action->setText(QString::fromStdU16String(std::u16string(lpszText)));
  }
};

CFrameWnd* FrameOf(CWnd* pWnd) {
  for (CWnd* w = pWnd; w; w = w->GetParent())
    if (auto* f = DYNAMIC_DOWNCAST(CFrameWnd, w)) {
      CFrameWnd* top = f;
      for (CWnd* p = f->GetParent(); p; p = p->GetParent())
        if (auto* pf = DYNAMIC_DOWNCAST(CFrameWnd, p)) top = pf;
      return top;
    }
  return nullptr;
}

}  // namespace

CBCGPPopupMenu::CBCGPPopupMenu() : m_pMenuBar(new CBCGPPopupMenuBar) { m_pMenuBar->SetParentPopup(this); }

CBCGPPopupMenu::~CBCGPPopupMenu() {
  if (g_pActive == this) g_pActive = nullptr;
  if (m_pQMenu) {
    m_pQMenu->disconnect();
    m_pQMenu->hide();
    m_pQMenu->deleteLater();
  }
  delete m_pMenuBar;
}

CBCGPPopupMenu* CBCGPPopupMenu::GetActiveMenu() { return g_pActive; }
void CBCGPPopupMenu::SetForceMenuFocus(BOOL) {}
void CBCGPPopupMenu::SetSendMenuSelectMsg(BOOL bValue) { g_bSendMenuSelect = bValue; }
BOOL CBCGPPopupMenu::IsSendMenuSelectMsg() { return g_bSendMenuSelect; }
void CBCGPPopupMenu::UpdateAllShadows(const RECT*) {}

void CBCGPPopupMenu::RemoveAllItems() {
  CBCGPPopupMenuBar* bar = GetMenuBar();
  while (bar->GetCount() > 0) bar->RemoveButton(bar->GetCount() - 1);
}

BOOL CBCGPPopupMenu::RemoveItem(int iIndex) { return GetMenuBar()->RemoveButton(iIndex); }

int CBCGPPopupMenu::InsertItem(const CBCGPToolbarMenuButton& button, int iInsertAt) {
  return GetMenuBar()->InsertButton(button, iInsertAt);
}

int CBCGPPopupMenu::InsertSeparator(int iInsertAt) { return GetMenuBar()->InsertSeparator(iInsertAt); }

int CBCGPPopupMenu::GetMenuItemCount() const {
  return const_cast<CBCGPPopupMenu*>(this)->GetMenuBar()->GetCount();
}

BOOL CBCGPPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL, BOOL bOwnMessage) {
  m_pOwner = pWndParent;
  m_bOwnMessage = bOwnMessage;
  // A derived popup may keep its items in a bar of its own class.
  CBCGPPopupMenuBar* items = GetMenuBar();
  items->SetParentPopup(this);
  if (hMenu) items->ImportFromMenu(hMenu);
  // The program sees (and may change or refuse) the items first.
  CFrameWnd* frame = FrameOf(pWndParent);
  if (auto* bcg = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, frame)) {
    if (!bcg->OnShowPopupMenu(this)) {
      delete this;
      return FALSE;
    }
  }
  if (g_pActive && g_pActive != this) g_pActive->CloseMenu();
  m_pQMenu = new QMenu;
  m_pQMenu->setAttribute(Qt::WA_DeleteOnClose, false);
  for (int i = 0; i < items->GetCount(); ++i) {
    CBCGPToolbarButton* b = items->GetButton(i);
    if (b->IsSeparator()) {
      m_pQMenu->addSeparator();
      continue;
    }
    auto* mb = DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, b);
    if (mb && mb->GetMenuItemCount() > 0) {
      QMenu* sub = mb->CreateDropDownMenu(m_pQMenu);
      sub->setTitle(ToQ(b->m_strText));
      m_pQMenu->addMenu(sub);
      continue;
    }
    QAction* a = m_pQMenu->addAction(ToQ(b->m_strText));
    a->setData(b->m_nID);
    a->setEnabled(!(b->m_nStyle & TBBS_DISABLED));
    QImage img;
    const int image = b->m_iImage >= 0 ? b->m_iImage : CImageHash::GetImageOfCommand(b->m_nID);
    if (CBCGPToolBar::GetImages()->GetImage(image, img)) a->setIcon(QIcon(QPixmap::fromImage(img)));
    if (b->m_nStyle & TBBS_CHECKED) {
      a->setCheckable(true);
      a->setChecked(true);
    }
  }
  // Items follow the owner's update handlers, as menus do.
  if (frame) {
    std::function<void(QMenu*)> update = [&](QMenu* menu) {
      for (QAction* a : menu->actions()) {
        if (QMenu* sub = a->menu()) {
          update(sub);
          continue;
        }
        const UINT cmd = a->data().toUInt();
        if (!cmd) continue;
        CItemCmdUI ui;
        ui.action = a;
        ui.m_nID = cmd;
        ui.DoUpdate(frame, frame->m_bAutoMenuEnable);
      }
    };
    update(m_pQMenu);
  }
  QObject::connect(m_pQMenu, &QMenu::triggered, m_pQMenu, [this](QAction* a) {
    const UINT cmd = a->data().toUInt();
    if (!cmd) return;
    CBCGPPopupMenuBar* bar = GetMenuBar();
    CBCGPToolbarButton* b = nullptr;
    const int i = bar->CommandToIndex(cmd);
    if (i >= 0) b = bar->GetButton(i);
    SendCommand(b, cmd);
  });
  QObject::connect(m_pQMenu, &QMenu::aboutToHide, m_pQMenu, [this]() {
    // The chosen item's command comes right after the hide; the popup goes after that.
    QTimer::singleShot(0, m_pQMenu, [this]() { delete this; });
  });
  g_pActive = this;
  m_pQMenu->popup(QPoint(x, y));
  return TRUE;
}

void CBCGPPopupMenu::SendCommand(CBCGPToolbarButton* pButton, UINT uiCmd) {
  if (pButton && GetMenuBar()->OnSendCommand(pButton)) return;
  if (m_pParentButton) m_pParentButton->OnMenuCommandChosen(uiCmd);
  CWnd* target = m_pOwner;
  if (!m_bOwnMessage) {
    if (CFrameWnd* frame = FrameOf(m_pOwner)) target = frame;
  }
  if (target && target->m_hWnd) target->PostMessage(WM_COMMAND, MAKEWPARAM(uiCmd, 0), 0);
}

void CBCGPPopupMenu::CloseMenu() {
  if (m_pQMenu && m_pQMenu->isVisible()) {
    m_pQMenu->hide();  // deletes the popup through aboutToHide
    return;
  }
  delete this;
}
