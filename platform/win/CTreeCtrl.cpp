#include "platform/win/CTreeCtrl.h"

#include <QtCore/QPointer>
#include <QtCore/QSet>
#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QTreeWidget>

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxImageListData.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CEdit.h"
#include "platform/win/CImageList.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelImageRole = Qt::UserRole + 2;
constexpr int kExtraRole = Qt::UserRole + 3;  // overlay, state image, cut, bold
constexpr size_t kMaxText = 1 << 16;

QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }
QColor ToColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF ToRef(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

HTREEITEM H(QTreeWidgetItem* it) { return reinterpret_cast<HTREEITEM>(it); }

class KcTreeView;

class KcTreeDelegate : public QStyledItemDelegate {
public:
  explicit KcTreeDelegate(KcTreeView* view);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
  KcTreeView* m_view;
};

class KcTreeView : public QTreeWidget, public AfxControlWidget {
public:
  KcTreeView(QWidget* parent, DWORD style) : QTreeWidget(parent), m_style(style) {
    setHeaderHidden(true);
    setColumnCount(1);
    setFocusPolicy(Qt::StrongFocus);
    setRootIsDecorated((style & TVS_LINESATROOT) && (style & TVS_HASBUTTONS));
    setItemsExpandable(true);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    if (style & TVS_NOHSCROLL) setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_delegate = new KcTreeDelegate(this);
    setItemDelegate(m_delegate);
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this, [this](QWidget*, QAbstractItemDelegate::EndEditHint) {
      if (!m_editing) return;
      if (!m_committed) {
        NMTVDISPINFO di{};
        di.item.hItem = H(m_editItem);
        di.item.mask = TVIF_TEXT;
        NotifyParent(&di.hdr, TVN_ENDLABELEDIT);
      }
      m_editing = false;
      m_editor = nullptr;
    });
  }

  QWidget* Widget() override { return this; }
  UINT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS | (m_editing ? DLGC_WANTALLKEYS : 0); }

  QTreeWidgetItem* Valid(HTREEITEM h) const {
    auto* it = reinterpret_cast<QTreeWidgetItem*>(h);
    return it && m_live.contains(it) ? it : nullptr;
  }

  void Fill(TVITEM& tv, QTreeWidgetItem* it) const {
    tv.hItem = H(it);
    tv.lParam = it ? static_cast<LPARAM>(it->data(0, kDataRole).toLongLong()) : 0;
    tv.state = it ? StateOf(it) : 0;
    tv.mask |= TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
  }

  UINT StateOf(QTreeWidgetItem* it) const {
    UINT s = it->data(0, kExtraRole).toUInt() & (TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK | TVIS_CUT | TVIS_BOLD | TVIS_DROPHILITED);
    if (it == m_drop) s |= TVIS_DROPHILITED;
    if (it->isSelected() || it == currentItem()) s |= TVIS_SELECTED;
    if (it->isExpanded()) s |= TVIS_EXPANDED;
    if (m_expandedOnce.contains(it)) s |= TVIS_EXPANDEDONCE;
    if (m_style & TVS_CHECKBOXES) {
      s &= ~static_cast<UINT>(TVIS_STATEIMAGEMASK);
      s |= INDEXTOSTATEIMAGEMASK(it->checkState(0) == Qt::Checked ? 2 : 1);
    }
    return s;
  }

  // The selection moves to it (or nowhere) once the parent agrees.
  bool SelectWithNotify(QTreeWidgetItem* it, UINT action) {
    QTreeWidgetItem* old = currentItem();
    if (old == it) return true;
    NMTREEVIEW nm{};
    nm.action = action;
    if (old) Fill(nm.itemOld, old);
    if (it) Fill(nm.itemNew, it);
    const HWND self = Handle();
    if (NotifyParent(&nm.hdr, TVN_SELCHANGING) != 0) return false;
    if (!IsWindow(self)) return false;
    if (it && !m_live.contains(it)) return false;
    Silently([&] {
      if (it) {
        setCurrentItem(it);
        it->setSelected(true);
      } else {
        clearSelection();
        setCurrentItem(nullptr);
      }
    });
    NMTREEVIEW done{};
    done.action = action;
    if (old && m_live.contains(old)) Fill(done.itemOld, old);
    if (it) Fill(done.itemNew, it);
    NotifyParent(&done.hdr, TVN_SELCHANGED);
    return true;
  }

  bool ExpandWithNotify(QTreeWidgetItem* it, UINT code, bool notify) {
    if (!it) return false;
    bool expand = it->isExpanded();
    switch (code & 3) {
      case TVE_EXPAND: expand = true; break;
      case TVE_COLLAPSE: expand = false; break;
      case TVE_TOGGLE: expand = !it->isExpanded(); break;
      default: return false;
    }
    if (expand == it->isExpanded()) return true;
    const HWND self = Handle();
    if (notify) {
      NMTREEVIEW nm{};
      nm.action = expand ? TVE_EXPAND : TVE_COLLAPSE;
      Fill(nm.itemNew, it);
      if (NotifyParent(&nm.hdr, TVN_ITEMEXPANDING) != 0) return false;
      if (!IsWindow(self) || !m_live.contains(it)) return false;
    }
    it->setExpanded(expand);
    if (expand) m_expandedOnce.insert(it);
    if (notify) {
      NMTREEVIEW nm{};
      nm.action = expand ? TVE_EXPAND : TVE_COLLAPSE;
      Fill(nm.itemNew, it);
      NotifyParent(&nm.hdr, TVN_ITEMEXPANDED);
    }
    return true;
  }

  template <class F>
  void Silently(F f) {
    const bool old = m_silent;
    m_silent = true;
    f();
    m_silent = old;
  }

  QTreeWidgetItem* Insert(const TVINSERTSTRUCT* ins) {
    if (!ins) return nullptr;
    QTreeWidgetItem* parent = nullptr;
    if (ins->hParent && ins->hParent != TVI_ROOT) {
      parent = Valid(ins->hParent);
      if (!parent) return nullptr;
    }
    const int n = parent ? parent->childCount() : topLevelItemCount();
    auto childAt = [&](int i) { return parent ? parent->child(i) : topLevelItem(i); };
    const TVITEM& tv = ins->item;
    const QString text = (tv.mask & TVIF_TEXT) ? ToQ(tv.pszText) : QString();
    int at = n;
    if (ins->hInsertAfter == TVI_FIRST) {
      at = 0;
    } else if (ins->hInsertAfter == TVI_SORT) {
      for (int i = 0; i < n; ++i)
        if (QString::compare(text, childAt(i)->text(0), Qt::CaseInsensitive) < 0) {
          at = i;
          break;
        }
    } else if (ins->hInsertAfter && ins->hInsertAfter != TVI_LAST) {
      QTreeWidgetItem* after = Valid(ins->hInsertAfter);
      if (after && after->parent() == parent) at = (parent ? parent->indexOfChild(after) : indexOfTopLevelItem(after)) + 1;
    }
    auto* it = new QTreeWidgetItem;
    it->setText(0, text);
    it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable |
                 ((m_style & TVS_CHECKBOXES) ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
    it->setData(0, kDataRole, static_cast<qlonglong>((tv.mask & TVIF_PARAM) ? tv.lParam : 0));
    it->setData(0, kImageRole, (tv.mask & TVIF_IMAGE) ? tv.iImage : 0);
    it->setData(0, kSelImageRole, (tv.mask & TVIF_SELECTEDIMAGE) ? tv.iSelectedImage : ((tv.mask & TVIF_IMAGE) ? tv.iImage : 0));
    it->setData(0, kExtraRole, (tv.mask & TVIF_STATE) ? (tv.state & tv.stateMask) : 0u);
    if ((tv.mask & TVIF_CHILDREN) && tv.cChildren) it->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if ((tv.mask & TVIF_STATE) && (tv.stateMask & TVIS_BOLD) && (tv.state & TVIS_BOLD)) {
      QFont f = font();
      f.setBold(true);
      it->setFont(0, f);
    }
    Silently([&] {
      if (m_style & TVS_CHECKBOXES) it->setCheckState(0, Qt::Unchecked);
      if (parent) parent->insertChild(at, it); else insertTopLevelItem(at, it);
    });
    m_live.insert(it);
    if ((tv.mask & TVIF_STATE) && (tv.stateMask & TVIS_EXPANDED) && (tv.state & TVIS_EXPANDED)) it->setExpanded(true);
    return it;
  }

  void Delete(QTreeWidgetItem* it) {
    // Children first, each told to the parent.
    while (it->childCount() > 0) Delete(it->child(it->childCount() - 1));
    // The label being edited goes with its item: the edit ends as cancelled.
    if (m_editing && it == m_editItem && m_editor) emit m_delegate->closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
    if (it == m_editItem) { m_editing = false; m_editor = nullptr; m_editItem = nullptr; }
    NMTREEVIEW nm{};
    Fill(nm.itemOld, it);
    NotifyParent(&nm.hdr, TVN_DELETEITEM);
    if (!m_live.contains(it)) return;
    if (it == currentItem()) {
      // The selection moves on as if chosen.
      QTreeWidgetItem* next = itemBelow(it);
      if (!next || next->parent() != it->parent()) next = itemAbove(it);
      if (next && IsDescendant(next, it)) next = it->parent();
      SelectWithNotify(next, TVC_UNKNOWN);
    }
    m_live.remove(it);
    if (m_insertMark == it) m_insertMark = nullptr;
    m_expandedOnce.remove(it);
    if (m_drop == it) m_drop = nullptr;
    Silently([&] { delete it; });
  }

  static bool IsDescendant(QTreeWidgetItem* a, QTreeWidgetItem* of) {
    for (QTreeWidgetItem* p = a; p; p = p->parent())
      if (p == of) return true;
    return false;
  }

  QTreeWidgetItem* NextOf(QTreeWidgetItem* it, UINT code) const {
    switch (code) {
      case TVGN_ROOT: return topLevelItemCount() ? topLevelItem(0) : nullptr;
      case TVGN_CARET: return currentItem();
      case TVGN_DROPHILITE: return m_drop;
      case TVGN_FIRSTVISIBLE: return itemAt(QPoint(1, 1));
      case TVGN_LASTVISIBLE: {
        QTreeWidgetItem* last = topLevelItemCount() ? topLevelItem(topLevelItemCount() - 1) : nullptr;
        while (last && last->isExpanded() && last->childCount()) last = last->child(last->childCount() - 1);
        return last;
      }
      default: break;
    }
    if (!it) return nullptr;
    QTreeWidgetItem* parent = it->parent();
    const int idx = parent ? parent->indexOfChild(it) : indexOfTopLevelItem(it);
    const int n = parent ? parent->childCount() : topLevelItemCount();
    switch (code) {
      case TVGN_NEXT: return idx + 1 < n ? (parent ? parent->child(idx + 1) : topLevelItem(idx + 1)) : nullptr;
      case TVGN_PREVIOUS: return idx > 0 ? (parent ? parent->child(idx - 1) : topLevelItem(idx - 1)) : nullptr;
      case TVGN_PARENT: return parent;
      case TVGN_CHILD: return it->childCount() ? it->child(0) : nullptr;
      case TVGN_NEXTVISIBLE: return itemBelow(it);
      case TVGN_PREVIOUSVISIBLE: return itemAbove(it);
      default: return nullptr;
    }
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case TVM_INSERTITEM: result = reinterpret_cast<LRESULT>(H(Insert(reinterpret_cast<const TVINSERTSTRUCT*>(lParam)))); return true;
      case TVM_DELETEITEM: {
        auto h = reinterpret_cast<HTREEITEM>(lParam);
        if (h == TVI_ROOT || h == nullptr) {
          while (topLevelItemCount() > 0) Delete(topLevelItem(topLevelItemCount() - 1));
          result = TRUE;
          return true;
        }
        QTreeWidgetItem* it = Valid(h);
        if (it) Delete(it);
        result = it ? TRUE : FALSE;
        return true;
      }
      case TVM_EXPAND: result = ExpandWithNotify(Valid(reinterpret_cast<HTREEITEM>(lParam)), static_cast<UINT>(wParam), false); return true;
      case TVM_GETNEXTITEM: {
        const UINT code = static_cast<UINT>(wParam);
        QTreeWidgetItem* from = Valid(reinterpret_cast<HTREEITEM>(lParam));
        result = reinterpret_cast<LRESULT>(H(NextOf(from, code)));
        return true;
      }
      case TVM_SELECTITEM: {
        auto h = reinterpret_cast<HTREEITEM>(lParam);
        QTreeWidgetItem* it = Valid(h);
        if (h && !it) { result = FALSE; return true; }
        switch (wParam) {
          case TVGN_CARET: result = SelectWithNotify(it, TVC_UNKNOWN) ? TRUE : FALSE; break;
          case TVGN_DROPHILITE:
            m_drop = it;
            viewport()->update();
            result = TRUE;
            break;
          case TVGN_FIRSTVISIBLE:
            if (it) scrollToItem(it, QAbstractItemView::PositionAtTop);
            result = TRUE;
            break;
          default: result = FALSE;
        }
        return true;
      }
      case TVM_GETITEM:
      case TVM_SETITEM: {
        auto* tv = reinterpret_cast<TVITEM*>(lParam);
        QTreeWidgetItem* it = tv ? Valid(tv->hItem) : nullptr;
        if (!it) { result = FALSE; return true; }
        if (message == TVM_GETITEM) {
          if ((tv->mask & TVIF_TEXT) && tv->pszText && tv->cchTextMax > 0) {
            const QString t = it->text(0);
            const int n = std::min<int>(static_cast<int>(t.size()), tv->cchTextMax - 1);
            for (int i = 0; i < n; ++i) tv->pszText[i] = t.at(i).unicode();
            tv->pszText[n] = 0;
          }
          if (tv->mask & TVIF_IMAGE) tv->iImage = it->data(0, kImageRole).toInt();
          if (tv->mask & TVIF_SELECTEDIMAGE) tv->iSelectedImage = it->data(0, kSelImageRole).toInt();
          if (tv->mask & TVIF_PARAM) tv->lParam = static_cast<LPARAM>(it->data(0, kDataRole).toLongLong());
          if (tv->mask & TVIF_STATE) tv->state = StateOf(it) & (tv->stateMask ? tv->stateMask : 0xFFFFFFFF);
          if (tv->mask & TVIF_CHILDREN)
            tv->cChildren = it->childCount() > 0 || it->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator ? 1 : 0;
        } else {
          if (tv->mask & TVIF_TEXT) it->setText(0, ToQ(tv->pszText));
          if (tv->mask & TVIF_IMAGE) it->setData(0, kImageRole, tv->iImage);
          if (tv->mask & TVIF_SELECTEDIMAGE) it->setData(0, kSelImageRole, tv->iSelectedImage);
          if (tv->mask & TVIF_PARAM) it->setData(0, kDataRole, static_cast<qlonglong>(tv->lParam));
          if (tv->mask & TVIF_CHILDREN)
            it->setChildIndicatorPolicy(tv->cChildren ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicatorWhenChildless);
          if (tv->mask & TVIF_STATE) SetState(it, tv->state, tv->stateMask);
          viewport()->update();
        }
        result = TRUE;
        return true;
      }
      case TVM_GETCOUNT: result = m_live.size(); return true;
      case TVM_SETIMAGELIST: {
        HIMAGELIST& slot = wParam == TVSIL_STATE ? m_stateImages : m_images;
        result = reinterpret_cast<LRESULT>(slot);
        slot = reinterpret_cast<HIMAGELIST>(lParam);
        if (wParam != TVSIL_STATE && slot) setIconSize(QSize(slot->cx, slot->cy));
        viewport()->update();
        return true;
      }
      case TVM_GETIMAGELIST: result = reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? m_stateImages : m_images); return true;
      case TVM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        QTreeWidgetItem* it = rc ? Valid(*reinterpret_cast<HTREEITEM*>(rc)) : nullptr;
        if (!it) { result = FALSE; return true; }
        QRect r = visualItemRect(it);
        if (r.isEmpty()) { result = FALSE; return true; }
        if (!wParam) {
          r.setLeft(0);
        } else {
          // The label alone: from the end of the picture to the end of the text, as wide as the
          // item asks to be.
          QStyleOptionViewItem opt;
          initViewItemOption(&opt);
          const QModelIndex index = indexFromItem(it, 0);
          const int width = itemDelegate(index)->sizeHint(opt, index).width();
          const int right = r.left() + width;
          if (m_images) r.setLeft(r.left() + m_images->cx + 4);
          r.setRight(std::max(r.left(), right - 1));
        }
        r.translate(viewport()->pos());
        *rc = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        result = TRUE;
        return true;
      }
      case TVM_HITTEST: {
        auto* hi = reinterpret_cast<TVHITTESTINFO*>(lParam);
        if (!hi) { result = 0; return true; }
        const QPoint p = QPoint(hi->pt.x, hi->pt.y) - viewport()->pos();
        QTreeWidgetItem* it = itemAt(p);
        hi->hItem = H(it);
        if (!it) {
          hi->flags = TVHT_NOWHERE;
        } else {
          const QRect r = visualItemRect(it);
          hi->flags = p.x() < r.left() ? TVHT_ONITEMINDENT : TVHT_ONITEMLABEL;
          // The item's picture sits at the left of its rectangle, before the text.
          if (hi->flags == TVHT_ONITEMLABEL && m_images != nullptr && p.x() < r.left() + iconSize().width() + 2)
            hi->flags = TVHT_ONITEMICON;
          if ((m_style & TVS_CHECKBOXES) && CheckRect(it).contains(p)) hi->flags = TVHT_ONITEMSTATEICON;
        }
        result = reinterpret_cast<LRESULT>(hi->hItem);
        return true;
      }
      case TVM_ENSUREVISIBLE: {
        QTreeWidgetItem* it = Valid(reinterpret_cast<HTREEITEM>(lParam));
        if (it) {
          for (QTreeWidgetItem* p = it->parent(); p; p = p->parent()) ExpandWithNotify(p, TVE_EXPAND, false);
          scrollToItem(it);
        }
        result = it ? TRUE : FALSE;
        return true;
      }
      case TVM_SORTCHILDREN:
      case TVM_SORTCHILDRENCB: {
        QTreeWidgetItem* parent = nullptr;
        PFNTVCOMPARE pfn = nullptr;
        LPARAM data = 0;
        if (message == TVM_SORTCHILDREN) {
          auto h = reinterpret_cast<HTREEITEM>(lParam);
          parent = (h && h != TVI_ROOT) ? Valid(h) : nullptr;
          if (h && h != TVI_ROOT && !parent) { result = FALSE; return true; }
        } else {
          auto* cb = reinterpret_cast<TVSORTCB*>(lParam);
          if (!cb || !cb->lpfnCompare) { result = FALSE; return true; }
          parent = (cb->hParent && cb->hParent != TVI_ROOT) ? Valid(cb->hParent) : nullptr;
          if (cb->hParent && cb->hParent != TVI_ROOT && !parent) { result = FALSE; return true; }
          pfn = cb->lpfnCompare;
          data = cb->lParam;
        }
        QTreeWidgetItem* cur = currentItem();
        m_expanded.clear();
        for (QTreeWidgetItem* it : m_live)
          if (it->isExpanded()) m_expanded.insert(it);
        Silently([&] {
          QList<QTreeWidgetItem*> kids = parent ? parent->takeChildren() : [&] {
            QList<QTreeWidgetItem*> l;
            while (topLevelItemCount()) l.append(takeTopLevelItem(0));
            return l;
          }();
          std::stable_sort(kids.begin(), kids.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
            if (pfn)
              return pfn(static_cast<LPARAM>(a->data(0, kDataRole).toLongLong()),
                         static_cast<LPARAM>(b->data(0, kDataRole).toLongLong()), data) < 0;
            return QString::compare(a->text(0), b->text(0), Qt::CaseInsensitive) < 0;
          });
          if (parent) parent->addChildren(kids); else addTopLevelItems(kids);
          for (QTreeWidgetItem* k : kids) RestoreExpansion(k);
          if (cur && m_live.contains(cur)) setCurrentItem(cur);
        });
        result = TRUE;
        return true;
      }
      case TVM_SETITEMHEIGHT: {
        result = m_itemHeight > 0 ? m_itemHeight : sizeHintForRow(0);
        m_itemHeight = static_cast<int>(static_cast<short>(wParam));
        setUniformRowHeights(m_itemHeight > 0);
        doItemsLayout();
        return true;
      }
      case TVM_SETINSERTMARK: {
        auto h = reinterpret_cast<HTREEITEM>(lParam);
        QTreeWidgetItem* it = Valid(h);
        if (h && !it) { result = FALSE; return true; }
        m_insertMark = it;
        m_insertAfter = wParam != 0;
        viewport()->update();
        result = TRUE;
        return true;
      }
      case TVM_SETINSERTMARKCOLOR:
        result = static_cast<LRESULT>(m_insertColor);
        m_insertColor = static_cast<COLORREF>(lParam);
        viewport()->update();
        return true;
      case TVM_GETITEMHEIGHT: result = m_itemHeight > 0 ? m_itemHeight : std::max(1, fontMetrics().height() + 2); return true;
      case TVM_EDITLABEL: {
        QTreeWidgetItem* it = Valid(reinterpret_cast<HTREEITEM>(lParam));
        if (!it) { result = 0; return true; }
        setFocus();
        EditLabel(it);
        result = m_editor ? reinterpret_cast<LRESULT>(CWnd::HwndFromQWidget(m_editor, FALSE)) : 0;
        return true;
      }
      case TVM_GETEDITCONTROL:
        result = m_editor ? reinterpret_cast<LRESULT>(CWnd::HwndFromQWidget(m_editor, FALSE)) : 0;
        return true;
      case TVM_ENDEDITLABELNOW:
        if (m_editor && m_editing) {
          // Through the delegate's signals, so the end is told and the editor forgotten as when the
          // user ends it; the view's own slots would only drop the widget later.
          QWidget* editor = m_editor;
          if (!wParam) emit m_delegate->commitData(editor);
          if (m_editing) emit m_delegate->closeEditor(editor, wParam ? QAbstractItemDelegate::RevertModelCache : QAbstractItemDelegate::NoHint);
        }
        result = TRUE;
        return true;
      default: return false;
    }
  }

  // Where an item's check box is drawn, in viewport coordinates.
  QRect CheckRect(QTreeWidgetItem* it) {
    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    const QModelIndex idx = indexFromItem(it, 0);
    opt.rect = visualRect(idx);
    opt.features |= QStyleOptionViewItem::HasCheckIndicator;
    opt.checkState = it->checkState(0);
    return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, this);
  }

  void RestoreExpansion(QTreeWidgetItem* it) {
    // Taking items out of the tree forgets their expansion.
    if (m_expanded.contains(it)) it->setExpanded(true);
    for (int i = 0; i < it->childCount(); ++i) RestoreExpansion(it->child(i));
  }

  void SetState(QTreeWidgetItem* it, UINT state, UINT mask) {
    if (mask & TVIS_SELECTED) {
      if (state & TVIS_SELECTED) Silently([&] { setCurrentItem(it); it->setSelected(true); });
      else Silently([&] { it->setSelected(false); });
    }
    if (mask & TVIS_EXPANDED) it->setExpanded((state & TVIS_EXPANDED) != 0);
    if (mask & TVIS_BOLD) {
      QFont f = font();
      f.setBold((state & TVIS_BOLD) != 0);
      it->setFont(0, f);
    }
    if (mask & TVIS_DROPHILITED) m_drop = (state & TVIS_DROPHILITED) ? it : (m_drop == it ? nullptr : m_drop);
    const UINT extraMask = mask & (TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK | TVIS_CUT | TVIS_BOLD);
    if (extraMask) {
      UINT extra = it->data(0, kExtraRole).toUInt();
      it->setData(0, kExtraRole, (extra & ~extraMask) | (state & extraMask));
      if ((m_style & TVS_CHECKBOXES) && (mask & TVIS_STATEIMAGEMASK)) {
        const UINT img = (state & TVIS_STATEIMAGEMASK) >> 12;
        if (img) it->setCheckState(0, img == 2 ? Qt::Checked : Qt::Unchecked);
      }
    }
  }

  void EditLabel(QTreeWidgetItem* it) {
    if (m_editing) return;
    NMTVDISPINFO di{};
    Fill(di.item, it);
    const std::u16string text = it->text(0).toStdU16String();
    di.item.mask |= TVIF_TEXT;
    di.item.pszText = const_cast<LPTSTR>(text.c_str());
    if (NotifyParent(&di.hdr, TVN_BEGINLABELEDIT) != 0) return;
    if (!m_live.contains(it)) return;
    m_editing = true;
    m_committed = false;
    m_editItem = it;
    editItem(it, 0);
    if (!m_editor) m_editing = false;
  }

  QPointer<QWidget> m_editor;
  bool m_editing = false;
  bool m_committed = false;
  QTreeWidgetItem* m_editItem = nullptr;
  HIMAGELIST m_images = nullptr;
  HIMAGELIST m_stateImages = nullptr;
  DWORD m_customDraw = CDRF_DODEFAULT;
  QSet<QTreeWidgetItem*> m_live;
  QTreeWidgetItem* m_insertMark = nullptr;
  bool m_insertAfter = true;
  COLORREF m_insertColor = 0;

protected:
  void mousePressEvent(QMouseEvent* e) override {
    const QPoint p = e->position().toPoint();
    QTreeWidgetItem* it = itemAt(p);
    m_pressItem = nullptr;
    m_dragging = false;
    m_onCheck = false;
    if (it && e->button() == Qt::LeftButton) {
      const QRect r = visualItemRect(it);
      if (p.x() < r.left() && it->childIndicatorPolicy() != QTreeWidgetItem::DontShowIndicator &&
          (it->childCount() > 0 || it->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator)) {
        // The button beside the item: expanding is asked for first.
        ExpandWithNotify(it, TVE_TOGGLE, true);
        return;
      }
      if ((m_style & TVS_CHECKBOXES) && CheckRect(it).contains(p)) {
        // A check box is not a selection: the box changes when the button comes up.
        m_pressItem = it;
        m_onCheck = true;
        return;
      }
      m_pressItem = it;
      m_pressPos = p;
      // A click on the selected item of an editable tree starts editing on release.
      m_editOnRelease = (m_style & TVS_EDITLABELS) && it == currentItem();
      if (!SelectWithNotify(it, TVC_BYMOUSE)) return;
    }
    if (e->button() == Qt::RightButton) return;
    Silently([&] { QTreeWidget::mousePressEvent(e); });
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (m_pressItem && (e->buttons() & Qt::LeftButton) && !m_dragging && !(m_style & TVS_DISABLEDRAGDROP) &&
        (e->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
      m_dragging = true;
      m_editOnRelease = false;
      NMTREEVIEW nm{};
      nm.action = 0;
      Fill(nm.itemNew, m_pressItem);
      const QPoint at = m_pressPos + viewport()->pos();
      nm.ptDrag = POINT{at.x(), at.y()};
      NotifyParent(&nm.hdr, TVN_BEGINDRAG);
      return;
    }
    if (m_dragging) return;
  }
  // The click notifications report where they happened through GetMessagePos, as mouse messages do.
  static void NoteClickPos(QMouseEvent* e) {
    const QPointF g = e->globalPosition();
    AfxWndBridge::Instance()->lastMessagePos = POINT{static_cast<LONG>(g.x()), static_cast<LONG>(g.y())};
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    NoteClickPos(e);
    const bool edit = m_editOnRelease && !m_dragging && m_pressItem && itemAt(e->position().toPoint()) == m_pressItem;
    m_editOnRelease = false;
    NMHDR h{};
    const HWND self = Handle();
    if (e->button() == Qt::LeftButton) {
      const bool handled = NotifyParent(&h, NM_CLICK) != 0;
      if (!IsWindow(self)) return;
      // After the parent heard of the click, a click on a check box changes it.
      if (m_onCheck) {
        if (m_live.contains(m_pressItem) && CheckRect(m_pressItem).contains(e->position().toPoint()))
          m_pressItem->setCheckState(0, m_pressItem->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
      } else if (!m_dragging) {
        Silently([&] { QTreeWidget::mouseReleaseEvent(e); });
      }
      if (!handled && edit && m_live.contains(m_pressItem)) EditLabel(m_pressItem);
    } else if (e->button() == Qt::RightButton) {
      NotifyParent(&h, NM_RCLICK);
    }
    m_dragging = false;
    m_onCheck = false;
    m_pressItem = nullptr;
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    NoteClickPos(e);
    NMHDR h{};
    const HWND self = Handle();
    // Unless the parent handles the double click, it expands or collapses the item.
    if (NotifyParent(&h, NM_DBLCLK) != 0 || !IsWindow(self)) return;
    if (QTreeWidgetItem* it = itemAt(e->position().toPoint())) ExpandWithNotify(it, TVE_TOGGLE, true);
  }
  void keyPressEvent(QKeyEvent* e) override {
    NMTVKEYDOWN kd{};
    kd.wVKey = static_cast<WORD>(AfxVirtualKeyFromQt(e->key(), e->modifiers(), false));
    const HWND self = Handle();
    NotifyParent(&kd.hdr, TVN_KEYDOWN);
    if (!IsWindow(self)) return;
    QTreeWidgetItem* cur = currentItem();
    if (cur && (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Minus || e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)) {
      if (e->key() == Qt::Key_Plus || (e->key() == Qt::Key_Right && !cur->isExpanded() && cur->childCount())) {
        ExpandWithNotify(cur, TVE_EXPAND, true);
        return;
      }
      if (e->key() == Qt::Key_Minus || (e->key() == Qt::Key_Left && cur->isExpanded())) {
        ExpandWithNotify(cur, TVE_COLLAPSE, true);
        return;
      }
      if (e->key() == Qt::Key_Left && cur->parent()) {
        SelectWithNotify(cur->parent(), TVC_BYKEYBOARD);
        return;
      }
    }
    if (e->key() == Qt::Key_F2 && cur && (m_style & TVS_EDITLABELS)) {
      EditLabel(cur);
      return;
    }
    // Moving keys: Qt finds the item; the parent agrees before the selection moves.
    Silently([&] { QTreeWidget::keyPressEvent(e); });
    QTreeWidgetItem* now = currentItem();
    if (now != cur) {
      Silently([&] {
        setCurrentItem(cur);
        if (cur) cur->setSelected(true);
      });
      SelectWithNotify(now, TVC_BYKEYBOARD);
    }
  }
  void focusInEvent(QFocusEvent* e) override {
    QTreeWidget::focusInEvent(e);
    NMHDR h{};
    NotifyParent(&h, NM_SETFOCUS);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QTreeWidget::focusOutEvent(e);
    NMHDR h{};
    NotifyParent(&h, NM_KILLFOCUS);
  }
  void paintEvent(QPaintEvent* e) override {
    NMTVCUSTOMDRAW cd{};
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    const QRect r = viewport()->rect();
    cd.nmcd.rc = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    m_customDraw = static_cast<DWORD>(NotifyParent(&cd.nmcd.hdr, NM_CUSTOMDRAW));
    QTreeWidget::paintEvent(e);
    if (m_insertMark && m_live.contains(m_insertMark)) {
      const QRect r = visualItemRect(m_insertMark);
      if (!r.isEmpty()) {
        QPainter p(viewport());
        const int y = m_insertAfter ? r.bottom() : r.top();
        p.fillRect(QRect(r.left(), y - 1, viewport()->width() - r.left(), 2), ToColor(m_insertColor));
      }
    }
  }
  int sizeHintForRow(int row) const override { return m_itemHeight > 0 ? m_itemHeight : QTreeWidget::sizeHintForRow(row); }

private:
  DWORD m_style;
  KcTreeDelegate* m_delegate;
  bool m_silent = false;
  QTreeWidgetItem* m_drop = nullptr;
  QTreeWidgetItem* m_pressItem = nullptr;
  QPoint m_pressPos;
  bool m_dragging = false;
  bool m_onCheck = false;
  bool m_editOnRelease = false;
  int m_itemHeight = 0;
  QSet<QTreeWidgetItem*> m_expandedOnce;
  QSet<QTreeWidgetItem*> m_expanded;

  friend class KcTreeDelegate;
};

KcTreeDelegate::KcTreeDelegate(KcTreeView* view) : QStyledItemDelegate(view), m_view(view) {}

QWidget* KcTreeDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QWidget* ed = AfxMakeControlWidget(u"EDIT", parent, WS_CHILD | WS_BORDER | ES_AUTOHSCROLL);
  if (!ed) return QStyledItemDelegate::createEditor(parent, option, index);
  m_view->m_editor = ed;
  AfxAdoptControlWidget(ed, 1, u"EDIT");
  return ed;
}

void KcTreeDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  auto* le = qobject_cast<QLineEdit*>(editor);
  if (!le || !m_view->m_editing) return;
  m_view->m_committed = true;
  const std::u16string text = le->text().left(static_cast<qsizetype>(kMaxText)).toStdU16String();
  NMTVDISPINFO di{};
  m_view->Fill(di.item, m_view->m_editItem);
  di.item.mask |= TVIF_TEXT;
  di.item.pszText = const_cast<LPTSTR>(text.c_str());
  if (m_view->NotifyParent(&di.hdr, TVN_ENDLABELEDIT) != 0) model->setData(index, QString::fromStdU16String(text));
}

void KcTreeDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  const bool selected = option->state & QStyle::State_Selected;
  const UINT extra = index.data(kExtraRole).toUInt();
  QPixmap icon = AfxImageListPixmap(m_view->m_images, index.data(selected ? kSelImageRole : kImageRole).toInt(),
                                    static_cast<int>((extra & TVIS_OVERLAYMASK) >> 8));
  const UINT stateImage = (extra & TVIS_STATEIMAGEMASK) >> 12;
  const QPixmap state = (m_view->m_style & TVS_CHECKBOXES) ? QPixmap() : AfxImageListPixmap(m_view->m_stateImages, static_cast<int>(stateImage) - 1);
  if (!state.isNull()) {
    QPixmap both(state.width() + (icon.isNull() ? 0 : icon.width()), std::max(state.height(), icon.height()));
    both.fill(Qt::transparent);
    QPainter p(&both);
    p.drawPixmap(0, 0, state);
    if (!icon.isNull()) p.drawPixmap(state.width(), 0, icon);
    icon = both;
  }
  if (!icon.isNull()) {
    option->icon = QIcon(icon);
    option->decorationSize = icon.size();
    option->features |= QStyleOptionViewItem::HasDecoration;
  }
}

void KcTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem opt(option);
  auto* it = m_view->itemFromIndex(index);
  if (it && it == m_view->m_drop) opt.state |= QStyle::State_Selected;
  if (!(m_view->m_customDraw & CDRF_NOTIFYITEMDRAW) || !it) {
    QStyledItemDelegate::paint(painter, opt, index);
    return;
  }
  CDC dc;
  const QRect r = option.rect;
  RECT rc{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  painter->save();
  dc.CreateFromPainter(painter, &rc);
  NMTVCUSTOMDRAW cd{};
  cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  cd.nmcd.hdc = dc.GetSafeHdc();
  cd.nmcd.rc = rc;
  cd.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(it);
  cd.nmcd.uItemState = ((opt.state & QStyle::State_Selected) ? CDIS_SELECTED : 0) | ((opt.state & QStyle::State_HasFocus) ? CDIS_FOCUS : 0);
  cd.nmcd.lItemlParam = static_cast<LPARAM>(index.data(kDataRole).toLongLong());
  cd.clrText = ToRef(option.palette.color(QPalette::Text));
  cd.clrTextBk = CLR_DEFAULT;
  int level = 0;
  for (QTreeWidgetItem* p = it->parent(); p; p = p->parent()) ++level;
  cd.iLevel = level;
  const LRESULT answer = m_view->NotifyParent(&cd.nmcd.hdr, NM_CUSTOMDRAW);
  dc.DeleteDC();
  painter->restore();
  if (answer & CDRF_SKIPDEFAULT) return;
  opt.palette.setColor(QPalette::Text, ToColor(cd.clrText));
  opt.palette.setColor(QPalette::HighlightedText, ToColor(cd.clrText));
  if (cd.clrTextBk != CLR_DEFAULT && cd.clrTextBk != CLR_NONE) painter->fillRect(option.rect, ToColor(cd.clrTextBk));
  QStyledItemDelegate::paint(painter, opt, index);
}

QWidget* MakeTree(QWidget* parent, DWORD style, DWORD) { return new KcTreeView(parent, style); }

}  // namespace

void AfxRegisterTreeViewClass() {
  CWnd::RegisterWidgetClass(u"SysTreeView32", &MakeTree);
  AfxRegisterControlObject(u"SysTreeView32", []() -> CWnd* { return new CTreeCtrl; });
}

CTreeCtrl::CTreeCtrl() = default;
CTreeCtrl::~CTreeCtrl() = default;

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"SysTreeView32", nullptr, dwStyle, rect, pParentWnd, nID);
}

LRESULT CTreeCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

namespace {
LRESULT Ask(const CTreeCtrl* p, UINT m, WPARAM w = 0, LPARAM l = 0) { return const_cast<CTreeCtrl*>(p)->SendMessage(m, w, l); }
LPARAM L(HTREEITEM h) { return reinterpret_cast<LPARAM>(h); }
HTREEITEM HT(LRESULT r) { return reinterpret_cast<HTREEITEM>(r); }
}  // namespace

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct) {
  return HT(SendMessage(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
}
HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCT ins{};
  ins.hParent = hParent;
  ins.hInsertAfter = hInsertAfter;
  ins.item.mask = nMask;
  ins.item.pszText = const_cast<LPTSTR>(lpszItem);
  ins.item.iImage = nImage;
  ins.item.iSelectedImage = nSelectedImage;
  ins.item.state = nState;
  ins.item.stateMask = nStateMask;
  ins.item.lParam = lParam;
  return InsertItem(&ins);
}
HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}
HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent, hInsertAfter);
}
BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) { return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, L(hItem))); }
BOOL CTreeCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, L(TVI_ROOT))); }
HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const { return HT(Ask(this, TVM_GETNEXTITEM, nCode, L(hItem))); }
HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
HTREEITEM CTreeCtrl::GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
HTREEITEM CTreeCtrl::GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) { return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, nCode, L(hItem))); }
BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
BOOL CTreeCtrl::GetItem(TVITEM* pItem) const { return static_cast<BOOL>(Ask(this, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem))); }
BOOL CTreeCtrl::SetItem(TVITEM* pItem) { return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem))); }
CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  std::u16string buf(kMaxText + 1, u'\0');
  TVITEM tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = hItem;
  tv.pszText = buf.data();
  tv.cchTextMax = static_cast<int>(buf.size());
  if (!GetItem(&tv)) return CString();
  return CString(buf.c_str());
}
BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) {
  TVITEM tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = hItem;
  tv.pszText = const_cast<LPTSTR>(lpszItem);
  return SetItem(&tv);
}
DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEM tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = hItem;
  return GetItem(&tv) ? static_cast<DWORD_PTR>(tv.lParam) : 0;
}
BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
  TVITEM tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = hItem;
  tv.lParam = static_cast<LPARAM>(dwData);
  return SetItem(&tv);
}
BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  TVITEM tv{};
  tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tv.hItem = hItem;
  if (!GetItem(&tv)) return FALSE;
  nImage = tv.iImage;
  nSelectedImage = tv.iSelectedImage;
  return TRUE;
}
BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
  TVITEM tv{};
  tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tv.hItem = hItem;
  tv.iImage = nImage;
  tv.iSelectedImage = nSelectedImage;
  return SetItem(&tv);
}
UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
  TVITEM tv{};
  tv.mask = TVIF_STATE;
  tv.hItem = hItem;
  tv.stateMask = nStateMask;
  return GetItem(&tv) ? (tv.state & nStateMask) : 0;
}
BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  TVITEM tv{};
  tv.mask = TVIF_STATE;
  tv.hItem = hItem;
  tv.state = nState;
  tv.stateMask = nStateMask;
  return SetItem(&tv);
}
BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const { return (GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) == 2; }
BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck) {
  return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}
BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  TVITEM tv{};
  tv.mask = TVIF_CHILDREN;
  tv.hItem = hItem;
  return GetItem(&tv) && tv.cChildren != 0;
}
BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) { return static_cast<BOOL>(SendMessage(TVM_EXPAND, nCode, L(hItem))); }
UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(Ask(this, TVM_GETCOUNT)); }
UINT CTreeCtrl::GetVisibleCount() const {
  const SHORT h = GetItemHeight();
  CRect rc;
  GetClientRect(&rc);
  return h > 0 ? static_cast<UINT>(rc.Height() / h) : 0;
}
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) { return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, L(hItem))); }
BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
  if (!lpRect) return FALSE;
  *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
  return static_cast<BOOL>(Ask(this, TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)));
}
HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  TVHITTESTINFO hi{};
  hi.pt = pt;
  HTREEITEM h = HitTest(&hi);
  if (pFlags) *pFlags = hi.flags;
  return h;
}
HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const {
  return HT(Ask(this, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}
BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) { return static_cast<BOOL>(SendMessage(TVM_SORTCHILDREN, 0, L(hItem))); }
BOOL CTreeCtrl::SortChildrenCB(TVSORTCB* pSort) {
  return static_cast<BOOL>(SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(pSort)));
}
BOOL CTreeCtrl::SetInsertMark(HTREEITEM hItem, BOOL fAfter) {
  return static_cast<BOOL>(SendMessage(TVM_SETINSERTMARK, fAfter, L(hItem)));
}
COLORREF CTreeCtrl::SetInsertMarkColor(COLORREF clrNew) {
  return static_cast<COLORREF>(SendMessage(TVM_SETINSERTMARKCOLOR, 0, static_cast<LPARAM>(clrNew)));
}
SHORT CTreeCtrl::SetItemHeight(SHORT cyHeight) { return static_cast<SHORT>(SendMessage(TVM_SETITEMHEIGHT, static_cast<WPARAM>(cyHeight))); }
SHORT CTreeCtrl::GetItemHeight() const { return static_cast<SHORT>(Ask(this, TVM_GETITEMHEIGHT)); }
CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(
      TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr))));
}
CImageList* CTreeCtrl::GetImageList(int nImageListType) const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(Ask(this, TVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType))));
}
CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) {
  return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_EDITLABEL, 0, L(hItem)))));
}
CEdit* CTreeCtrl::GetEditControl() const {
  return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(Ask(this, TVM_GETEDITCONTROL))));
}
BOOL CTreeCtrl::EndEditLabelNow(BOOL fCancelWithoutSave) {
  return static_cast<BOOL>(SendMessage(TVM_ENDEDITLABELNOW, fCancelWithoutSave));
}
