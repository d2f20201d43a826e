#include "platform/win/CCheckListBox.h"

#include <QtGui/QColor>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QStyledItemDelegate>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {
constexpr int kCheckRole = Qt::UserRole + 77;
QListWidget* ListOf(const CWnd* pWnd)
{
  return qobject_cast<QListWidget*>(pWnd->GetQWidget());
}

// An owner-drawn check list: the box and the text as any check list has them, then the owner paints the
// rest of the row (WM_DRAWITEM, the rectangle starting where the text starts).
class OwnerDrawnCheckDelegate : public QStyledItemDelegate {
public:
  OwnerDrawnCheckDelegate(AfxControlWidget* pControl, QObject* pParent)
      : QStyledItemDelegate(pParent), m_pControl(pControl) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QWidget* pWidget = option.widget;
    QStyle* pStyle = pWidget != nullptr ? pWidget->style() : QApplication::style();
    QRect rest = pStyle->subElementRect(QStyle::SE_ItemViewItemText, &item, pWidget);
    rest.setRight(option.rect.right());
    UINT state = 0;
    if (option.state & QStyle::State_Selected) state |= ODS_SELECTED;
    if (option.state & QStyle::State_HasFocus) state |= ODS_FOCUS;
    if (!(option.state & QStyle::State_Enabled)) state |= ODS_DISABLED;
    const ULONG_PTR data = static_cast<ULONG_PTR>(index.data(Qt::UserRole).toULongLong());
    m_pControl->DrawOwnerItem(painter, ODT_LISTBOX, static_cast<UINT>(index.row()), ODA_DRAWENTIRE, state, rest, data);
  }

private:
  AfxControlWidget* m_pControl;
};
}  // namespace

CCheckListBox::CCheckListBox() = default;
CCheckListBox::~CCheckListBox() = default;

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
  if (!CListBox::Create(dwStyle, rect, pParentWnd, nID)) return FALSE;
  Hook();
  return TRUE;
}

void CCheckListBox::PreSubclassWindow()
{
  CListBox::PreSubclassWindow();
  Hook();
}

void CCheckListBox::Hook()
{
  QListWidget* pList = ListOf(this);
  // Each widget is watched once (a window made again is watched again).
  if (pList == nullptr || pList->property("kcCheckWatched").toBool()) return;
  pList->setProperty("kcCheckWatched", true);
  if ((GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0) {
    if (AfxControlWidget* pControl = AfxControlWidget::Of(pList)) {
      // The list's own owner-draw delegate stays alive: the list still asks it for item heights.
      pList->setItemDelegate(new OwnerDrawnCheckDelegate(pControl, pList));
    }
  }
  QObject::connect(pList, &QListWidget::itemChanged, pList, [pList](QListWidgetItem* pItem) {
    // Item data and swatches change the item too: only a new check state is news.
    const int state = pItem->checkState() == Qt::Checked ? 1 : 0;
    auto* pOwner = dynamic_cast<CCheckListBox*>(CWnd::FromQWidget(pList));
    if ((pOwner != nullptr && pOwner->m_bSilent) || pItem->data(kCheckRole).toInt() == state) return;
    pItem->setData(kCheckRole, state);
    if (AfxControlWidget* pControl = AfxControlWidget::Of(pList)) pControl->NotifyCommand(CLBN_CHKCHANGE);
  });
}

int CCheckListBox::AddString(LPCTSTR lpszItem)
{
  return InsertString(-1, lpszItem);
}

int CCheckListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
  Hook();
  const int at = CListBox::InsertString(nIndex, lpszItem);
  QListWidget* pList = ListOf(this);
  if (at >= 0 && pList != nullptr && pList->item(at) != nullptr) {
    m_bSilent = true;
    QListWidgetItem* pItem = pList->item(at);
    pItem->setFlags(pItem->flags() | Qt::ItemIsUserCheckable);
    pItem->setCheckState(Qt::Unchecked);
    pItem->setData(kCheckRole, 0);
    m_bSilent = false;
  }
  return at;
}

int CCheckListBox::GetCheck(int nIndex) const
{
  QListWidget* pList = ListOf(this);
  QListWidgetItem* pItem = pList != nullptr ? pList->item(nIndex) : nullptr;
  if (pItem == nullptr) return -1;
  return pItem->checkState() == Qt::Checked ? 1 : 0;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
  QListWidget* pList = ListOf(this);
  QListWidgetItem* pItem = pList != nullptr ? pList->item(nIndex) : nullptr;
  if (pItem == nullptr) return;
  m_bSilent = true;
  pItem->setCheckState(nCheck != 0 ? Qt::Checked : Qt::Unchecked);
  pItem->setData(kCheckRole, nCheck != 0 ? 1 : 0);
  m_bSilent = false;
}

void CCheckListBox::SetItemColor(int nIndex, COLORREF color)
{
  QListWidget* pList = ListOf(this);
  QListWidgetItem* pItem = pList != nullptr ? pList->item(nIndex) : nullptr;
  if (pItem == nullptr) return;
  m_bSilent = true;
  pItem->setData(Qt::DecorationRole, QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
  m_bSilent = false;
}
