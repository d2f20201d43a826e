#pragma once
// Paints and measures the items of an owner-drawn list (combo box or list box) through the
// owner's DrawItem and MeasureItem. Internal to the window layer.

#include <QtWidgets/QAbstractItemDelegate>

#include "platform/win/AfxControlWidget.h"

class AfxOwnerDrawDelegate : public QAbstractItemDelegate {
public:
  // ctlType is ODT_COMBOBOX or ODT_LISTBOX; variable asks for each item's height.
  AfxOwnerDrawDelegate(AfxControlWidget* pControl, UINT ctlType, bool variable, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The height of an item: asked once for fixed lists (item -1 is the selection field of a
  // combo box) and remembered; for variable ones asked each time (the list keeps the answer
  // with the item in role Qt::UserRole + 1).
  int ItemHeight(int item, ULONG_PTR itemData) const;
  void SetItemHeight(int item, int height);
  bool IsVariable() const { return m_variable; }

private:
  AfxControlWidget* m_pControl;
  UINT m_ctlType;
  bool m_variable;
  mutable int m_fixedHeight = -1;
  mutable int m_fieldHeight = -1;
};
