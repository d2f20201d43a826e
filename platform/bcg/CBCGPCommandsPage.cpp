#include "platform/bcg/CBCGPCommandsPage.h"

#include <vector>

#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QDrag>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "platform/afx/FrameworkText.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CBCGPToolbarCustomize.h"
#include "platform/win/CComboBox.h"
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
// Hands the commands list's mouse events to the page.
class ListFilter : public QObject {
public:
  ListFilter(QObject* parent, CBCGPCommandsPage* page) : QObject(parent), m_page(page) {}
  bool eventFilter(QObject*, QEvent* e) override { return m_page && m_page->HandleListEvent(e); }
  void Detach() { m_page = nullptr; }

private:
  CBCGPCommandsPage* m_page;
};
}  // namespace

IMPLEMENT_DYNAMIC(CBCGPCommandsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CBCGPCommandsPage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_CATEGORIES, &CBCGPCommandsPage::OnCategoryChange)
  ON_BN_CLICKED(IDC_ADD, &CBCGPCommandsPage::OnAdd)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CBCGPCommandsPage::CBCGPCommandsPage(CBCGPToolbarCustomize* pSheet) : m_pCustomize(pSheet) {
  DialogTemplate t;
  t.cx = 240;
  t.cy = 160;
  t.caption = AfxLoadFrameworkText(IDS_BCGP_PAGE_COMMANDS, u"Commands");
  t.items.push_back(Item(u"LISTBOX", IDC_CATEGORIES, u"", 7, 7, 80, 146, WS_BORDER | WS_VSCROLL | LBS_NOTIFY));
  t.items.push_back(Item(u"LISTBOX", IDC_COMMANDS, u"", 92, 7, 141, 110, WS_BORDER | WS_VSCROLL | LBS_NOTIFY));
  t.items.push_back(Item(u"COMBOBOX", IDC_TARGET, u"", 92, 122, 95, 80, CBS_DROPDOWNLIST | WS_VSCROLL));
  t.items.push_back(Item(u"BUTTON", IDC_ADD, AfxLoadFrameworkText(IDS_BCGP_ADD, u"&Add"), 192, 121, 41, 14, BS_PUSHBUTTON));
  ConstructIndirect(t);
}

CBCGPCommandsPage::~CBCGPCommandsPage() {
  if (m_pListFilter) static_cast<ListFilter*>(m_pListFilter)->Detach();
}

void CBCGPCommandsPage::OnDestroy() {
  // The list goes with the page's window; its filter must not call a page that is gone.
  if (m_pListFilter) static_cast<ListFilter*>(m_pListFilter)->Detach();
  m_pListFilter = nullptr;
  CPropertyPage::OnDestroy();
}

BOOL CBCGPCommandsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  auto* cats = static_cast<CListBox*>(GetDlgItem(IDC_CATEGORIES));
  if (cats && m_pCustomize) {
    const CStringArray& names = m_pCustomize->GetCategories();
    for (INT_PTR i = 0; i < names.GetSize(); ++i) cats->AddString(names[i]);
    if (names.GetSize() > 0) cats->SetCurSel(0);
  }
  OnCategoryChange();
  FillTargets();
  if (CWnd* cmds = GetDlgItem(IDC_COMMANDS); cmds && cmds->GetQWidget()) {
    // Mouse events of a list view arrive at its viewport.
    QWidget* w = cmds->GetQWidget();
    QWidget* viewport = w->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
    auto* filter = new ListFilter(w, this);
    (viewport ? viewport : w)->installEventFilter(filter);
    m_pListFilter = filter;
  }
  return TRUE;
}

QMimeData* CBCGPCommandsPage::CreateDragData() const {
  auto* cats = static_cast<CListBox*>(GetDlgItem(IDC_CATEGORIES));
  auto* cmds = static_cast<CListBox*>(GetDlgItem(IDC_COMMANDS));
  if (!cats || !cmds || !m_pCustomize) return nullptr;
  const int cat = cats->GetCurSel(), cmd = cmds->GetCurSel();
  if (cat < 0 || cmd < 0) return nullptr;
  CString name;
  cats->GetText(cat, name);
  std::vector<CBCGPToolbarButton*> buttons;
  m_pCustomize->GetCategoryButtons(name, buttons);
  const size_t index = static_cast<size_t>(cmds->GetItemData(cmd));
  if (index >= buttons.size()) return nullptr;
  return CBCGPToolBar::CreateButtonMimeData(*buttons[index]);
}

bool CBCGPCommandsPage::HandleListEvent(QEvent* pEvent) {
  if (pEvent->type() == QEvent::MouseButtonPress) {
    auto* me = static_cast<QMouseEvent*>(pEvent);
    if (me->button() == Qt::LeftButton) {
      m_nDragFromX = me->position().toPoint().x();
      m_nDragFromY = me->position().toPoint().y();
    }
    return false;  // the list still selects
  }
  if (pEvent->type() == QEvent::MouseButtonRelease) {
    m_nDragFromX = m_nDragFromY = -1;
    return false;
  }
  if (pEvent->type() != QEvent::MouseMove || m_nDragFromX < 0) return false;
  auto* me = static_cast<QMouseEvent*>(pEvent);
  const QPoint p = me->position().toPoint();
  if (!(me->buttons() & Qt::LeftButton) ||
      (p - QPoint(m_nDragFromX, m_nDragFromY)).manhattanLength() < QApplication::startDragDistance())
    return false;
  m_nDragFromX = m_nDragFromY = -1;
  // The drag runs once this event is done; the toolbars copy what it carries.
  QWidget* list = GetDlgItem(IDC_COMMANDS) ? GetDlgItem(IDC_COMMANDS)->GetQWidget() : nullptr;
  if (!list) return true;
  QTimer::singleShot(0, list, [this, list]() {
    QMimeData* data = CreateDragData();
    if (!data) return;
    auto* drag = new QDrag(list);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
  });
  return true;
}

BOOL CBCGPCommandsPage::OnSetActive() {
  FillTargets();
  return CPropertyPage::OnSetActive();
}

void CBCGPCommandsPage::FillTargets() {
  auto* target = static_cast<CComboBox*>(GetDlgItem(IDC_TARGET));
  if (!target) return;
  const int old = target->GetCurSel();
  target->ResetContent();
  CFrameWnd* frame = m_pCustomize ? m_pCustomize->GetParentFrame() : nullptr;
  const CObList& all = CBCGPToolBar::GetAllToolbars();
  for (POSITION pos = all.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CBCGPToolBar*>(all.GetNext(pos));
    if (!bar->AllowShowOnList() || (frame && bar->GetDockSiteFrameWnd() != frame)) continue;
    CString title;
    bar->GetWindowText(title);
    if (title.IsEmpty()) title.Format(AfxLoadFrameworkText(IDS_BCGP_TOOLBAR_N, u"Toolbar %d"), bar->GetDlgCtrlID());
    const int at = target->AddString(title);
    target->SetItemData(at, static_cast<DWORD_PTR>(bar->GetDlgCtrlID()));
  }
  target->SetCurSel(old >= 0 && old < target->GetCount() ? old : 0);
}

void CBCGPCommandsPage::OnCategoryChange() {
  auto* cats = static_cast<CListBox*>(GetDlgItem(IDC_CATEGORIES));
  auto* cmds = static_cast<CListBox*>(GetDlgItem(IDC_COMMANDS));
  if (!cats || !cmds || !m_pCustomize) return;
  cmds->ResetContent();
  const int sel = cats->GetCurSel();
  if (sel < 0) return;
  CString name;
  cats->GetText(sel, name);
  std::vector<CBCGPToolbarButton*> buttons;
  m_pCustomize->GetCategoryButtons(name, buttons);
  for (size_t i = 0; i < buttons.size(); ++i) {
    const int at = cmds->AddString(CBCGPToolbarCustomize::GetButtonLabel(buttons[i]));
    cmds->SetItemData(at, i);
  }
}

void CBCGPCommandsPage::OnAdd() {
  auto* cats = static_cast<CListBox*>(GetDlgItem(IDC_CATEGORIES));
  auto* cmds = static_cast<CListBox*>(GetDlgItem(IDC_COMMANDS));
  auto* target = static_cast<CComboBox*>(GetDlgItem(IDC_TARGET));
  if (!cats || !cmds || !target || !m_pCustomize) return;
  const int cat = cats->GetCurSel(), cmd = cmds->GetCurSel(), tb = target->GetCurSel();
  if (cat < 0 || cmd < 0 || tb < 0) return;
  CString name;
  cats->GetText(cat, name);
  std::vector<CBCGPToolbarButton*> buttons;
  m_pCustomize->GetCategoryButtons(name, buttons);
  const size_t index = static_cast<size_t>(cmds->GetItemData(cmd));
  if (index >= buttons.size()) return;
  const UINT barId = static_cast<UINT>(target->GetItemData(tb));
  const CObList& all = CBCGPToolBar::GetAllToolbars();
  for (POSITION pos = all.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CBCGPToolBar*>(all.GetNext(pos));
    if (static_cast<UINT>(bar->GetDlgCtrlID()) != barId) continue;
    if (m_pCustomize->GetParentFrame() && bar->GetDockSiteFrameWnd() != m_pCustomize->GetParentFrame()) continue;
    if (bar->InsertButton(*buttons[index]) >= 0) bar->AdjustLayout();
    return;
  }
}
