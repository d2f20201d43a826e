#include "platform/win/AfxOwnerDrawDelegate.h"

#include <QtGui/QPainter>
#include <QtWidgets/QStyleOptionViewItem>
#include <QtWidgets/QWidget>

AfxOwnerDrawDelegate::AfxOwnerDrawDelegate(AfxControlWidget* pControl, UINT ctlType, bool variable, QObject* parent)
    : QAbstractItemDelegate(parent), m_pControl(pControl), m_ctlType(ctlType), m_variable(variable) {}

void AfxOwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  UINT state = 0;
  if (option.state & QStyle::State_Selected) state |= ODS_SELECTED;
  if (option.state & QStyle::State_HasFocus) state |= ODS_FOCUS;
  if (!(option.state & QStyle::State_Enabled)) state |= ODS_DISABLED;
  const ULONG_PTR data = static_cast<ULONG_PTR>(index.data(Qt::UserRole).toULongLong());
  m_pControl->DrawOwnerItem(painter, m_ctlType, static_cast<UINT>(index.row()), ODA_DRAWENTIRE, state, option.rect,
                            data);
}

QSize AfxOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const int w = option.rect.width() > 0 ? option.rect.width() : 50;
  // Variable items are measured when inserted; their height travels with the item.
  const QVariant h = index.data(Qt::UserRole + 1);
  if (h.isValid()) return QSize(w, h.toInt());
  const ULONG_PTR data = static_cast<ULONG_PTR>(index.data(Qt::UserRole).toULongLong());
  return QSize(w, ItemHeight(m_variable ? index.row() : 0, data));
}

int AfxOwnerDrawDelegate::ItemHeight(int item, ULONG_PTR itemData) const {
  int* cached = nullptr;
  if (item < 0) cached = &m_fieldHeight;
  else if (!m_variable) cached = &m_fixedHeight;
  if (cached && *cached >= 0) return *cached;
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = m_ctlType;
  mis.CtlID = m_pControl->ControlId();
  mis.itemID = static_cast<UINT>(item < 0 ? -1 : (m_variable ? item : 0));
  mis.itemWidth = static_cast<UINT>(m_pControl->Widget()->width());
  mis.itemHeight = static_cast<UINT>(m_pControl->Widget()->fontMetrics().height() + 2);
  mis.itemData = itemData;
  m_pControl->SendOwnerMessage(WM_MEASUREITEM, &mis);
  const int h = std::clamp(static_cast<int>(mis.itemHeight), 1, 255);
  if (cached) *cached = h;
  return h;
}

void AfxOwnerDrawDelegate::SetItemHeight(int item, int height) {
  height = std::clamp(height, 1, 255);
  if (item < 0) m_fieldHeight = height;
  else m_fixedHeight = height;
  emit sizeHintChanged(QModelIndex());
}
