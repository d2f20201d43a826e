#include "platform/win/CListCtrl.h"

#ifndef LVM_SETICONSPACING
#define LVM_SETICONSPACING (LVM_FIRST + 53)
#endif

#include <QtCore/QCoreApplication>
#include <QtCore/QPointer>
#include <QtGui/QHelpEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListView>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QToolTip>
#include <QtWidgets/QTreeWidget>

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxImageListData.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CEdit.h"
#include "platform/win/CImageList.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

constexpr int kDataRole = Qt::UserRole;       // item data (lParam)
constexpr int kImageRole = Qt::UserRole + 1;  // small image index
constexpr int kStateRole = Qt::UserRole + 2;  // state bits last told to the parent
constexpr int kExtraRole = Qt::UserRole + 3;  // overlay and state image bits, cut and drop-highlight
constexpr int kCallbackRole = Qt::UserRole + 4;  // per column: 1 text asked from the parent, 2 image asked (column 0)
constexpr size_t kMaxText = 1 << 16;

QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }
// A text given to the list; the callback marker stands for no text of its own.
QString Text(LPCTSTR s) { return s == LPSTR_TEXTCALLBACK ? QString() : ToQ(s); }

QColor ToColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF ToRef(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

class KcListView;

// The list in icon, small-icon and list form: a view over the same items and selection.
class KcIconView : public QListView {
public:
  KcIconView(KcListView* owner, QWidget* parent);
  // The picture's or the text's part of an item, in the view's viewport.
  QRect PartRect(const QModelIndex& index, bool icon) const;

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override { QListView::keyPressEvent(e); }

private:
  friend class KcListView;
  KcListView* m_owner;
};

class KcListDelegate : public QStyledItemDelegate {
public:
  explicit KcListDelegate(KcListView* view);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void InitOption(QStyleOptionViewItem* option, const QModelIndex& index) const { initStyleOption(option, index); }

protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
  mutable bool m_measuring = false;
  KcListView* m_view;
};

class KcListView : public QTreeWidget, public AfxControlWidget {
public:
  KcListView(QWidget* parent, DWORD style) : QTreeWidget(parent), m_style(style) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    setColumnCount(1);
    setHeaderLabels({QString()});
    setHeaderHidden((style & LVS_NOCOLUMNHEADER) != 0);
    setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers((style & LVS_EDITLABELS) ? (QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed)
                                              : QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(!(style & LVS_NOSORTHEADER));
    header()->setStretchLastSection(false);
    header()->viewport()->installEventFilter(this);
    m_delegate = new KcListDelegate(this);
    setItemDelegate(m_delegate);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& sel, const QItemSelection& desel) {
              QList<int> rows;
              for (const QModelIndex& i : sel.indexes()) rows.append(i.row());
              for (const QModelIndex& i : desel.indexes()) rows.append(i.row());
              TellStates(rows);
            });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now, const QModelIndex& before) { TellStates({before.row(), now.row()}); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* it, int column) {
      if (column == 0 && (m_ex & LVS_EX_CHECKBOXES)) TellStates({indexOfTopLevelItem(it)});
    });
    connect(header(), &QHeaderView::sectionClicked, this, [this](int col) {
      NMLISTVIEW nm{};
      nm.iItem = -1;
      nm.iSubItem = col;
      NotifyParent(&nm.hdr, LVN_COLUMNCLICK);
    });
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
              if (!m_editing) return;
              if (!m_committed) {
                // Escape: the parent hears of the end without a text.
                NMLVDISPINFO di{};
                di.item.iItem = m_editRow;
                di.item.mask = LVIF_TEXT;
                di.item.pszText = nullptr;
                NotifyParent(&di.hdr, LVN_ENDLABELEDIT);
              }
              (void)hint;
              m_editing = false;
              m_editor = nullptr;
            });
  }

  // The form the style asks for (report, icon, small icon, list), applied when it changed.
  void SyncMode() {
    AfxWndRecord* rec = AfxWndBridge::Instance()->Find(CWnd::HwndFromQWidget(this, FALSE));
    const int want = static_cast<int>((rec ? rec->style : m_style) & LVS_TYPEMASK);
    if (want == m_mode) return;
    m_mode = want;
    if (want == LVS_REPORT) {
      if (m_iconView) m_iconView->hide();
      return;
    }
    if (!m_iconView) {
      m_iconView = new KcIconView(this, this);
      m_iconView->setModel(model());
      m_iconView->setSelectionModel(selectionModel());
      m_iconView->setItemDelegate(m_delegate);
      m_iconView->setSelectionMode(selectionMode());
      m_iconView->setResizeMode(QListView::Adjust);
      m_iconView->setMovement(QListView::Static);
      m_iconView->setEditTriggers(QAbstractItemView::NoEditTriggers);
      m_iconView->setFocusPolicy(Qt::NoFocus);
      m_iconView->setFrameShape(frameShape());
      if (m_iconSpacing.isValid()) m_iconView->setGridSize(m_iconSpacing);
    }
    m_iconView->setViewMode(want == LVS_ICON ? QListView::IconMode : QListView::ListMode);
    m_iconView->setFlow(want == LVS_LIST ? QListView::TopToBottom : QListView::LeftToRight);
    m_iconView->setWrapping(m_workAreas.empty());
    m_iconView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_iconView->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    HIMAGELIST il = want == LVS_ICON ? m_normalImages : m_smallImages;
    if (il) m_iconView->setIconSize(QSize(il->cx, il->cy));
    m_iconView->setGeometry(rect());
    m_iconView->show();
    m_iconView->raise();
  }

  bool IconForm() const { return m_iconView && m_mode != LVS_REPORT; }

  DWORD CurrentStyle() const {
    AfxWndRecord* rec = AfxWndBridge::Instance()->Find(CWnd::HwndFromQWidget(const_cast<KcListView*>(this), FALSE));
    return rec ? rec->style : m_style;
  }
  bool OwnerDrawn() const { return !IconForm() && (CurrentStyle() & LVS_OWNERDRAWFIXED); }
  // The height of an owner-drawn row, asked once.
  int OwnerRowHeight() {
    if (m_ownerHeight < 0) {
      MEASUREITEMSTRUCT mis{};
      mis.CtlType = ODT_LISTVIEW;
      mis.CtlID = ControlId();
      mis.itemHeight = static_cast<UINT>(fontMetrics().height() + 4);
      SendOwnerMessage(WM_MEASUREITEM, &mis);
      m_ownerHeight = std::clamp(static_cast<int>(mis.itemHeight), 1, 1024);
    }
    return m_ownerHeight;
  }
  int m_ownerHeight = -1;
  // The view showing the items now.
  QAbstractItemView* Shown() { return IconForm() ? static_cast<QAbstractItemView*>(m_iconView) : this; }
  QPoint ShownOffset() {
    return IconForm() ? m_iconView->pos() + m_iconView->viewport()->pos() : viewport()->pos();
  }

  void ActivateAt(const QPoint& viewportPos, QAbstractItemView* view, UINT code) {
    NMITEMACTIVATE nm{};
    const QModelIndex i = view->indexAt(viewportPos);
    nm.iItem = i.isValid() ? i.row() : -1;
    nm.iSubItem = i.isValid() ? i.column() : 0;
    const QPoint p = view->viewport()->mapTo(this, viewportPos);
    nm.ptAction = POINT{p.x(), p.y()};
    NotifyParent(&nm.hdr, code);
  }

  bool StartEdit(int row) {
    QTreeWidgetItem* it = Item(row);
    if (!it) return false;
    if (!IconForm()) {
      editItem(it, 0);
      return m_editor != nullptr;
    }
    NMLVDISPINFO di{};
    di.item.iItem = row;
    di.item.mask = LVIF_TEXT | LVIF_PARAM;
    const std::u16string text = DisplayText(row, 0).toStdU16String();
    di.item.pszText = const_cast<LPTSTR>(text.c_str());
    di.item.lParam = static_cast<LPARAM>(it->data(0, kDataRole).toLongLong());
    if (NotifyParent(&di.hdr, LVN_BEGINLABELEDIT) != 0) return false;
    m_editing = true;
    m_committed = false;
    m_editRow = row;
    m_iconView->edit(indexFromItem(it));
    if (!m_editor) m_editing = false;
    return m_editor != nullptr;
  }

  // The tip of an item (LVS_EX_INFOTIP): the item's text, which the parent may change.
  void ShowInfoTip(const QModelIndex& index, const QPoint& global) {
    if (!index.isValid()) {
      QToolTip::hideText();
      return;
    }
    std::u16string buf(1024, u'\0');
    const std::u16string shown = DisplayText(index.row(), index.column()).left(1023).toStdU16String();
    std::copy(shown.begin(), shown.end(), buf.begin());
    NMLVGETINFOTIP tip{};
    tip.pszText = buf.data();
    tip.cchTextMax = static_cast<int>(buf.size());
    tip.iItem = index.row();
    tip.iSubItem = index.column();
    tip.lParam = static_cast<LPARAM>(index.sibling(index.row(), 0).data(kDataRole).toLongLong());
    NotifyParent(&tip.hdr, LVN_GETINFOTIP);
    buf.back() = 0;
    m_lastInfoTip = QString::fromUtf16(buf.c_str());
    if (m_lastInfoTip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(global, m_lastInfoTip, viewport());
  }
  QString m_lastInfoTip;

  KcIconView* m_iconView = nullptr;
  int m_mode = LVS_REPORT;

  QWidget* Widget() override { return this; }
  UINT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS | (m_editing ? DLGC_WANTALLKEYS : 0); }

  int Count() const { return topLevelItemCount(); }
  QTreeWidgetItem* Item(int i) const { return i >= 0 && i < Count() ? topLevelItem(i) : nullptr; }

  UINT StateOf(int row) const {
    QTreeWidgetItem* it = Item(row);
    if (!it) return 0;
    UINT s = static_cast<UINT>(it->data(0, kExtraRole).toUInt()) & (LVIS_OVERLAYMASK | LVIS_CUT | LVIS_DROPHILITED | LVIS_STATEIMAGEMASK);
    if (it->isSelected()) s |= LVIS_SELECTED;
    if (currentIndex().isValid() && currentIndex().row() == row) s |= LVIS_FOCUSED;
    if (m_ex & LVS_EX_CHECKBOXES) {
      s &= ~static_cast<UINT>(LVIS_STATEIMAGEMASK);
      s |= INDEXTOSTATEIMAGEMASK(it->checkState(0) == Qt::Checked ? 2 : 1);
    }
    return s;
  }

  // Tells the parent of every listed item whose state differs from what it was last told,
  // losses before gains.
  void TellStates(const QList<int>& rows) {
    if (m_silent) return;
    QList<int> unique;
    for (int r : rows)
      if (r >= 0 && r < Count() && !unique.contains(r)) unique.append(r);
    std::sort(unique.begin(), unique.end());
    std::vector<std::pair<int, std::pair<UINT, UINT>>> changes;
    for (int r : unique) {
      const UINT now = StateOf(r);
      const UINT before = Item(r)->data(0, kStateRole).toUInt();
      if (now == before) continue;
      Item(r)->setData(0, kStateRole, now);
      changes.push_back({r, {before, now}});
    }
    std::stable_sort(changes.begin(), changes.end(), [](const auto& a, const auto& b) {
      const bool aLoses = (a.second.first & ~a.second.second) != 0;
      const bool bLoses = (b.second.first & ~b.second.second) != 0;
      return aLoses && !bLoses;
    });
    const HWND self = Handle();
    for (const auto& [r, st] : changes) {
      if (!IsWindow(self) || !Item(r)) return;
      NMLISTVIEW nm{};
      nm.iItem = r;
      nm.iSubItem = 0;
      nm.uOldState = st.first;
      nm.uNewState = st.second;
      nm.uChanged = LVIF_STATE;
      nm.lParam = static_cast<LPARAM>(Item(r)->data(0, kDataRole).toLongLong());
      NotifyParent(&nm.hdr, LVN_ITEMCHANGED);
    }
  }

  template <class F>
  void Silently(F f) {
    const bool old = m_silent;
    m_silent = true;
    f();
    m_silent = old;
  }

  QList<int> Snapshot() const {
    QList<int> rows;
    for (QTreeWidgetItem* it : selectedItems()) rows.append(indexOfTopLevelItem(it));
    if (currentIndex().isValid()) rows.append(currentIndex().row());
    return rows;
  }

  // Runs f and then tells the parent once per item whose state it changed (selection and
  // focus together).
  template <class F>
  void Tracked(F f, const QList<int>& also = {}) {
    if (m_silent) {
      f();
      return;
    }
    QList<int> rows = Snapshot();
    Silently(f);
    rows += Snapshot();
    rows += also;
    TellStates(rows);
  }

  int InsertColumn(int col, const LVCOLUMN* c) {
    if (!c) return -1;
    const int n = static_cast<int>(m_headings.size());
    col = std::clamp(col, 0, n);
    m_headings.insert(col, (c->mask & LVCF_TEXT) ? ToQ(c->pszText) : QString());
    m_formats.insert(col, (c->mask & LVCF_FMT) ? c->fmt : LVCFMT_LEFT);
    ShowHeadings();
    for (int r = 0; r < Count(); ++r) {
      QTreeWidgetItem* it = Item(r);
      for (int k = columnCount() - 1; k > col; --k) it->setText(k, it->text(k - 1));
      if (col > 0 || n > 0) it->setText(col, col == 0 ? it->text(0) : QString());
    }
    for (int k = 0; k < m_formats.size(); ++k) {
      const int fmt = m_formats[k] & 3;
      headerItem()->setTextAlignment(k, fmt == LVCFMT_RIGHT ? Qt::AlignRight : fmt == LVCFMT_CENTER ? Qt::AlignHCenter : Qt::AlignLeft);
    }
    if ((c->mask & LVCF_WIDTH) && c->cx >= 0) setColumnWidth(col, c->cx);
    return col;
  }

  int InsertItem(const LVITEM* item) {
    if (!item) return -1;
    int at = std::clamp(item->iItem, 0, Count());
    const QString text = (item->mask & LVIF_TEXT) ? Text(item->pszText) : QString();
    if (m_style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
      at = Count();
      for (int r = 0; r < Count(); ++r) {
        const int c = QString::compare(text, Item(r)->text(0), Qt::CaseInsensitive);
        if ((m_style & LVS_SORTASCENDING) ? c < 0 : c > 0) {
          at = r;
          break;
        }
      }
    }
    auto* it = new QTreeWidgetItem;
    it->setText(0, text);
    it->setData(0, kCallbackRole, ((item->mask & LVIF_TEXT) && item->pszText == LPSTR_TEXTCALLBACK ? 1 : 0) |
                                      ((item->mask & LVIF_IMAGE) && item->iImage == I_IMAGECALLBACK ? 2 : 0));
    it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable |
                 ((m_ex & LVS_EX_CHECKBOXES) ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
    it->setData(0, kDataRole, static_cast<qlonglong>((item->mask & LVIF_PARAM) ? item->lParam : 0));
    // Without an image of its own an item shows the first one, as on the original.
    it->setData(0, kImageRole, (item->mask & LVIF_IMAGE) ? item->iImage : 0);
    it->setData(0, kStateRole, 0u);
    it->setData(0, kExtraRole, 0u);
    for (int k = 0; k < m_formats.size(); ++k) it->setTextAlignment(k, Alignment(k));
    Silently([&] {
      if (m_ex & LVS_EX_CHECKBOXES) it->setCheckState(0, Qt::Unchecked);
      insertTopLevelItem(at, it);
    });
    it->setData(0, kStateRole, StateOf(at));
    NMLISTVIEW nm{};
    nm.iItem = at;
    NotifyParent(&nm.hdr, LVN_INSERTITEM);
    if ((item->mask & LVIF_STATE) && item->stateMask) SetState(at, item->state, item->stateMask);
    return at;
  }

  void SetCallback(QTreeWidgetItem* it, int col, int bit, bool on) {
    const int flags = it->data(col, kCallbackRole).toInt();
    it->setData(col, kCallbackRole, on ? (flags | bit) : (flags & ~bit));
  }

  // What the parent says an item shows when the item asks for it (LVN_GETDISPINFO).
  bool AskDisplay(int row, int col, UINT mask, QString* text, int* image) {
    QTreeWidgetItem* it = Item(row);
    if (!it) return false;
    std::u16string buf(264, u'\0');
    NMLVDISPINFO di{};
    di.item.mask = mask;
    di.item.iItem = row;
    di.item.iSubItem = col;
    di.item.pszText = buf.data();
    di.item.cchTextMax = 260;
    di.item.iImage = 0;
    di.item.lParam = static_cast<LPARAM>(it->data(0, kDataRole).toLongLong());
    NotifyParent(&di.hdr, LVN_GETDISPINFO);
    if (text) {
      if (di.item.pszText == LPSTR_TEXTCALLBACK || !di.item.pszText)
        text->clear();
      else if (di.item.pszText == buf.data())
        *text = QString::fromUtf16(buf.c_str());
      else
        *text = QString::fromUtf16(di.item.pszText);
    }
    if (image) *image = di.item.iImage;
    return true;
  }

  QString DisplayText(int row, int col) {
    QTreeWidgetItem* it = Item(row);
    if (!it) return QString();
    if (!(it->data(col, kCallbackRole).toInt() & 1)) return it->text(col);
    QString t;
    AskDisplay(row, col, LVIF_TEXT, &t, nullptr);
    return t;
  }

  int DisplayImage(int row) {
    QTreeWidgetItem* it = Item(row);
    if (!it) return -1;
    if (!(it->data(0, kCallbackRole).toInt() & 2)) return it->data(0, kImageRole).toInt();
    int image = -1;
    AskDisplay(row, 0, LVIF_IMAGE, nullptr, &image);
    return image;
  }

  void ShowHeadings() {
    setColumnCount(std::max(1, static_cast<int>(m_headings.size())));
    setHeaderLabels(m_headings.isEmpty() ? QStringList{QString()} : m_headings);
  }

  Qt::Alignment Alignment(int col) const {
    const int fmt = col < m_formats.size() ? (m_formats[col] & 3) : LVCFMT_LEFT;
    return (fmt == LVCFMT_RIGHT ? Qt::AlignRight : fmt == LVCFMT_CENTER ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
  }

  bool DeleteRow(int r) {
    QTreeWidgetItem* it = Item(r);
    if (!it) return false;
    NMLISTVIEW nm{};
    nm.iItem = r;
    nm.lParam = static_cast<LPARAM>(it->data(0, kDataRole).toLongLong());
    NotifyParent(&nm.hdr, LVN_DELETEITEM);
    if (!(it = Item(r))) return false;
    Silently([&] { delete takeTopLevelItem(r); });
    return true;
  }

  void SetState(int r, UINT state, UINT mask) {
    auto apply = [&](int row) {
      QTreeWidgetItem* it = Item(row);
      if (!it) return;
      if (mask & LVIS_SELECTED)
        selectionModel()->select(indexFromItem(it), ((state & LVIS_SELECTED) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                                        QItemSelectionModel::Rows);
      if (mask & LVIS_FOCUSED) {
        if (state & LVIS_FOCUSED)
          selectionModel()->setCurrentIndex(indexFromItem(it), QItemSelectionModel::NoUpdate);
        else if (currentIndex().row() == row)
          selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
      }
      const UINT extraMask = mask & (LVIS_OVERLAYMASK | LVIS_CUT | LVIS_DROPHILITED | LVIS_STATEIMAGEMASK);
      if (extraMask) {
        UINT extra = it->data(0, kExtraRole).toUInt();
        extra = (extra & ~extraMask) | (state & extraMask);
        it->setData(0, kExtraRole, extra);
        if ((m_ex & LVS_EX_CHECKBOXES) && (mask & LVIS_STATEIMAGEMASK)) {
          const UINT img = (state & LVIS_STATEIMAGEMASK) >> 12;
          if (img) it->setCheckState(0, img == 2 ? Qt::Checked : Qt::Unchecked);
        }
      }
    };
    QList<int> rows;
    if (r == -1)
      for (int k = 0; k < Count(); ++k) rows.append(k);
    else
      rows.append(r);
    Tracked([&] {
      for (int k : rows) apply(k);
    }, rows);
  }

  // An item's rectangle in client coordinates (LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL).
  QRect ItemRect(int row, int code) {
    QTreeWidgetItem* it = Item(row);
    if (!it) return QRect();
    QRect r;
    if (IconForm()) {
      const QModelIndex i = indexFromItem(it, 0);
      r = code == LVIR_ICON ? m_iconView->PartRect(i, true) : code == LVIR_LABEL ? m_iconView->PartRect(i, false)
                                                                                 : m_iconView->visualRect(i);
    } else {
      r = visualItemRect(it);
      if (code == LVIR_LABEL || code == LVIR_ICON) r = visualRect(indexFromItem(it, 0));
      if (code == LVIR_BOUNDS) r.setRight(std::max(r.right(), header()->length() - header()->offset() - 1));
    }
    return r.translated(ShownOffset());
  }

  // Row, column and part under a client point; -1 and LVHT_NOWHERE on no item.
  int HitAt(const QPoint& client, UINT& flags, int& column) {
    const QPoint p = client - ShownOffset();
    const QModelIndex i = Shown()->indexAt(p);
    column = 0;
    flags = LVHT_NOWHERE;
    if (!i.isValid()) return -1;
    column = IconForm() ? 0 : i.column();
    flags = LVHT_ONITEMLABEL;
    if (IconForm()) {
      if (m_iconView->PartRect(i, true).contains(p)) flags = LVHT_ONITEMICON;
    } else if (i.column() == 0 && m_smallImages) {
      const QRect cell = visualRect(i);
      if (p.x() < cell.left() + m_smallImages->cx) flags = LVHT_ONITEMICON;
    }
    return i.row();
  }

  // The item nearest to a client point in a direction (LVFI_NEARESTXY); with wrap, any item
  // when none lies that way.
  int Nearest(const QPoint& pt, UINT direction, bool wrap) {
    auto distance = [&](const QRect& r) {
      const qint64 dx = pt.x() < r.left() ? r.left() - pt.x() : pt.x() > r.right() ? pt.x() - r.right() : 0;
      const qint64 dy = pt.y() < r.top() ? r.top() - pt.y() : pt.y() > r.bottom() ? pt.y() - r.bottom() : 0;
      return dx * dx + dy * dy;
    };
    auto lies = [&](const QRect& r) {
      switch (direction) {
        case VK_UP: return r.top() <= pt.y();
        case VK_DOWN: return r.bottom() >= pt.y();
        case VK_LEFT: return r.left() <= pt.x();
        case VK_RIGHT: return r.right() >= pt.x();
        default: return true;
      }
    };
    for (int pass = 0; pass < (wrap ? 2 : 1); ++pass) {
      int best = -1;
      qint64 bestDistance = 0;
      for (int r = 0; r < Count(); ++r) {
        const QRect rc = ItemRect(r, LVIR_BOUNDS);
        if (pass == 0 && !lies(rc)) continue;
        const qint64 d = distance(rc);
        if (best < 0 || d < bestDistance) {
          best = r;
          bestDistance = d;
        }
      }
      if (best >= 0) return best;
    }
    return -1;
  }

  // The size of one item of the icon forms, spacing included.
  QSize IconItemSize() {
    if (m_iconView && Count() > 0) {
      const QSize grid = m_iconView->gridSize();
      if (grid.isValid()) return grid;
      return m_iconView->sizeHintForIndex(indexFromItem(Item(0), 0)) + QSize(2 * m_iconView->spacing(), 2 * m_iconView->spacing());
    }
    HIMAGELIST il = m_mode == LVS_ICON ? m_normalImages : m_smallImages;
    const QSize icon = il ? QSize(il->cx, il->cy) : QSize(32, 32);
    const int text = fontMetrics().height();
    return m_mode == LVS_ICON ? QSize(std::max(icon.width(), 64) + 8, icon.height() + text + 12)
                              : QSize(icon.width() + 8 + 64, std::max(icon.height(), text) + 4);
  }

  QSize ApproximateView(int count, QSize proposed) {
    if (count < 0) count = Count();
    if (!IconForm()) {
      const int rowHeight = Count() > 0 ? std::max(1, visualItemRect(Item(0)).height())
                                        : (OwnerDrawn() ? OwnerRowHeight() : fontMetrics().height() + 4);
      const int headerHeight = isHeaderHidden() ? 0 : header()->sizeHint().height();
      return QSize(header()->length(), headerHeight + count * rowHeight);
    }
    const QSize item = IconItemSize();
    if (count == 0) return QSize(0, 0);
    const int width = proposed.width() > 0 ? proposed.width() : m_iconView->viewport()->width();
    int perRow = m_workAreas.empty() ? std::max(1, width / std::max(1, item.width())) : count;
    if (m_mode == LVS_LIST) {
      const int height = proposed.height() > 0 ? proposed.height() : m_iconView->viewport()->height();
      const int perColumn = std::max(1, height / std::max(1, item.height()));
      const int columns = (count + perColumn - 1) / perColumn;
      return QSize(columns * item.width(), std::min(count, perColumn) * item.height());
    }
    perRow = std::min(perRow, count);
    const int rows = (count + perRow - 1) / perRow;
    return QSize(perRow * item.width(), rows * item.height());
  }

  // Header divider tracking: which section's right edge lies under x (header coordinates).
  int DividerAt(int x) const {
    // The same grip the header itself resizes by.
    const QHeaderView* h = header();
    const int visual = h->visualIndexAt(x);
    if (visual < 0) return -1;
    const int logical = h->logicalIndex(visual);
    const int grip = h->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, h);
    const int pos = h->sectionViewportPosition(logical);
    if (x < pos + grip) {
      for (int v = visual - 1; v >= 0; --v)
        if (!h->isSectionHidden(h->logicalIndex(v))) return h->logicalIndex(v);
      return -1;
    }
    return x > pos + h->sectionSize(logical) - grip ? logical : -1;
  }
  // Tells the list's own window, then (unanswered) its parent, of a header notification.
  LRESULT HeaderNotify(UINT code, int section, int width) {
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    const HWND self = Handle();
    // The header has no window of its own here: the list stands as the sender, id 0.
    NMHEADER nm{};
    nm.hdr.hwndFrom = self;
    nm.hdr.idFrom = 0;
    nm.hdr.code = code;
    nm.iItem = section;
    nm.iButton = 0;
    nm.pitem = &item;
    LRESULT r = ::SendMessage(self, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    if (r == 0 && IsWindow(self) && ::GetParent(self)) {
      nm.hdr.code = code;
      r = ::SendMessage(::GetParent(self), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    }
    return r;
  }
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == header()->viewport()) {
      if (e->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(e);
        const int section = me->button() == Qt::LeftButton ? DividerAt(me->position().toPoint().x()) : -1;
        if (section >= 0) {
          // A non-zero answer keeps the column as it is.
          if (HeaderNotify(HDN_BEGINTRACK, section, header()->sectionSize(section)) != 0) return true;
          m_trackSection = section;
        }
      } else if (e->type() == QEvent::MouseButtonRelease && m_trackSection >= 0) {
        const int section = m_trackSection;
        m_trackSection = -1;
        // The header takes its new width first; the notification reports it.
        QCoreApplication::sendEvent(header()->viewport(), e);
        HeaderNotify(HDN_ENDTRACK, section, header()->sectionSize(section));
        return true;
      } else if (e->type() == QEvent::MouseButtonDblClick) {
        auto* me = static_cast<QMouseEvent*>(e);
        const int section = me->button() == Qt::LeftButton ? DividerAt(me->position().toPoint().x()) : -1;
        if (section >= 0 && HeaderNotify(HDN_DIVIDERDBLCLICK, section, header()->sectionSize(section)) != 0) return true;
      }
    }
    return QTreeWidget::eventFilter(watched, e);
  }
  int m_trackSection = -1;
  std::vector<RECT> m_workAreas;
  QSize m_iconSpacing;  // invalid: the view's own spacing
  // The press that may start a drag of an item (LVN_BEGINDRAG), in client coordinates.
  int m_pressRow = -1;
  QPoint m_pressClient;
  bool m_dragStarted = false;

  void PressForDrag(const QPoint& client, Qt::MouseButton button) {
    UINT flags = 0;
    int column = 0;
    m_dragStarted = false;
    m_pressRow = button == Qt::LeftButton ? HitAt(client, flags, column) : -1;
    m_pressClient = client;
  }
  // true once the drag began: the view's own move handling is skipped then.
  bool MoveForDrag(const QPoint& client, Qt::MouseButtons buttons) {
    if (m_dragStarted) return true;
    if (m_pressRow < 0 || !(buttons & Qt::LeftButton) || m_editing) return false;
    // A press on an item never sweeps a selection: until the drag distance it waits.
    if ((client - m_pressClient).manhattanLength() < QApplication::startDragDistance()) return true;
    m_dragStarted = true;
    NMLISTVIEW nm{};
    nm.iItem = m_pressRow;
    nm.iSubItem = 0;
    nm.ptAction = POINT{m_pressClient.x(), m_pressClient.y()};
    nm.lParam = Item(m_pressRow) ? static_cast<LPARAM>(Item(m_pressRow)->data(0, kDataRole).toLongLong()) : 0;
    NotifyParent(&nm.hdr, LVN_BEGINDRAG);
    return true;
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    const int row = static_cast<int>(static_cast<INT_PTR>(wParam));
    if (message != WM_CREATE && message != WM_GETDLGCODE) SyncMode();
    switch (message) {
      case LVM_GETITEMCOUNT: result = Count(); return true;
      case LVM_INSERTCOLUMN: result = InsertColumn(row, reinterpret_cast<const LVCOLUMN*>(lParam)); return true;
      case LVM_DELETECOLUMN: {
        if (row < 0 || row >= m_headings.size()) { result = FALSE; return true; }
        for (int r = 0; r < Count(); ++r) {
          QTreeWidgetItem* it = Item(r);
          for (int k = row; k + 1 < columnCount(); ++k) it->setText(k, it->text(k + 1));
        }
        m_headings.removeAt(row);
        m_formats.removeAt(row);
        ShowHeadings();
        result = TRUE;
        return true;
      }
      case LVM_GETCOLUMNWIDTH: result = (row >= 0 && row < m_headings.size()) ? columnWidth(row) : 0; return true;
      case LVM_SETCOLUMNWIDTH: {
        if (row < 0 || row >= m_headings.size()) { result = FALSE; return true; }
        const int cx = static_cast<int>(static_cast<short>(LOWORD(lParam)));
        if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) resizeColumnToContents(row);
        else setColumnWidth(row, std::max(0, cx));
        result = TRUE;
        return true;
      }
      case LVM_GETCOLUMN: {
        auto* c = reinterpret_cast<LVCOLUMN*>(lParam);
        if (!c || row < 0 || row >= m_headings.size()) { result = FALSE; return true; }
        if (c->mask & LVCF_FMT) c->fmt = m_formats[row];
        if (c->mask & LVCF_WIDTH) c->cx = columnWidth(row);
        if ((c->mask & LVCF_TEXT) && c->pszText && c->cchTextMax > 0) {
          const QString& t = m_headings[row];
          const int n = std::min<int>(static_cast<int>(t.size()), c->cchTextMax - 1);
          for (int i = 0; i < n; ++i) c->pszText[i] = t.at(i).unicode();
          c->pszText[n] = 0;
        }
        if (c->mask & LVCF_SUBITEM) c->iSubItem = row;
        result = TRUE;
        return true;
      }
      case LVM_SETCOLUMN: {
        const auto* c = reinterpret_cast<const LVCOLUMN*>(lParam);
        if (!c || row < 0 || row >= m_headings.size()) { result = FALSE; return true; }
        if (c->mask & LVCF_TEXT) m_headings[row] = ToQ(c->pszText);
        if (c->mask & LVCF_FMT) m_formats[row] = c->fmt;
        if ((c->mask & LVCF_WIDTH) && c->cx >= 0) setColumnWidth(row, c->cx);
        setHeaderLabels(m_headings);
        result = TRUE;
        return true;
      }
      case LVM_INSERTITEM: result = InsertItem(reinterpret_cast<const LVITEM*>(lParam)); return true;
      case LVM_DELETEITEM: result = DeleteRow(row) ? TRUE : FALSE; return true;
      case LVM_DELETEALLITEMS: {
        NMLISTVIEW nm{};
        nm.iItem = -1;
        // A non-zero answer asks for no LVN_DELETEITEM per item.
        const bool quiet = NotifyParent(&nm.hdr, LVN_DELETEALLITEMS) != 0;
        while (Count() > 0) {
          if (quiet)
            Silently([&] { delete takeTopLevelItem(Count() - 1); });
          else if (!DeleteRow(0))
            break;
        }
        result = TRUE;
        return true;
      }
      case LVM_GETITEM:
      case LVM_SETITEM: {
        auto* item = reinterpret_cast<LVITEM*>(lParam);
        QTreeWidgetItem* it = item ? Item(item->iItem) : nullptr;
        if (!it || item->iSubItem < 0 || item->iSubItem >= std::max(1, columnCount())) { result = FALSE; return true; }
        if (message == LVM_GETITEM) {
          if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0) {
            const QString t = DisplayText(item->iItem, item->iSubItem);
            const int n = std::min<int>(static_cast<int>(t.size()), item->cchTextMax - 1);
            for (int i = 0; i < n; ++i) item->pszText[i] = t.at(i).unicode();
            item->pszText[n] = 0;
          }
          if (item->mask & LVIF_IMAGE) item->iImage = DisplayImage(item->iItem);
          if (item->mask & LVIF_PARAM) item->lParam = static_cast<LPARAM>(it->data(0, kDataRole).toLongLong());
          if (item->mask & LVIF_STATE) item->state = StateOf(item->iItem) & item->stateMask;
        } else {
          if (item->mask & LVIF_TEXT) {
            it->setText(item->iSubItem, Text(item->pszText));
            SetCallback(it, item->iSubItem, 1, item->pszText == LPSTR_TEXTCALLBACK);
          }
          if (item->mask & LVIF_IMAGE) {
            it->setData(0, kImageRole, item->iImage);
            SetCallback(it, 0, 2, item->iImage == I_IMAGECALLBACK);
          }
          if (item->mask & LVIF_PARAM) it->setData(0, kDataRole, static_cast<qlonglong>(item->lParam));
          if (item->mask & LVIF_STATE) SetState(item->iItem, item->state, item->stateMask);
          viewport()->update();
        }
        result = TRUE;
        return true;
      }
      case LVM_GETITEMTEXT: {
        auto* item = reinterpret_cast<LVITEM*>(lParam);
        QTreeWidgetItem* it = Item(row);
        if (!item || !it || !item->pszText || item->cchTextMax <= 0) { result = 0; return true; }
        const QString t = DisplayText(row, item->iSubItem);
        const int n = std::min<int>(static_cast<int>(t.size()), item->cchTextMax - 1);
        for (int i = 0; i < n; ++i) item->pszText[i] = t.at(i).unicode();
        item->pszText[n] = 0;
        result = n;
        return true;
      }
      case LVM_SETITEMTEXT: {
        auto* item = reinterpret_cast<const LVITEM*>(lParam);
        QTreeWidgetItem* it = Item(row);
        if (!item || !it || item->iSubItem < 0 || item->iSubItem >= std::max(1, columnCount())) { result = FALSE; return true; }
        it->setText(item->iSubItem, Text(item->pszText));
        SetCallback(it, item->iSubItem, 1, item->pszText == LPSTR_TEXTCALLBACK);
        viewport()->update();
        result = TRUE;
        return true;
      }
      case LVM_SETITEMSTATE: {
        auto* item = reinterpret_cast<const LVITEM*>(lParam);
        if (!item || (row != -1 && !Item(row))) { result = FALSE; return true; }
        SetState(row, item->state, item->stateMask);
        result = TRUE;
        return true;
      }
      case LVM_GETITEMSTATE: result = Item(row) ? (StateOf(row) & static_cast<UINT>(lParam)) : 0; return true;
      case LVM_GETNEXTITEM: {
        const UINT flags = static_cast<UINT>(lParam);
        const UINT want = flags & (LVNI_SELECTED | LVNI_FOCUSED);
        result = -1;
        if (flags & LVNI_ABOVE) {
          for (int r = row - 1; r >= 0; --r)
            if ((StateOf(r) & want) == want) { result = r; break; }
          return true;
        }
        for (int r = std::max(row + 1, 0); r < Count(); ++r)
          if ((StateOf(r) & want) == want) { result = r; break; }
        return true;
      }
      case LVM_GETSELECTEDCOUNT: {
        int n = 0;
        for (int r = 0; r < Count(); ++r) n += Item(r)->isSelected() ? 1 : 0;
        result = n;
        return true;
      }
      case LVM_FINDITEM: {
        const auto* fi = reinterpret_cast<const LVFINDINFO*>(lParam);
        result = -1;
        if (!fi) return true;
        if (fi->flags & LVFI_NEARESTXY) {
          result = Nearest(QPoint(fi->pt.x, fi->pt.y), fi->vkDirection, (fi->flags & LVFI_WRAP) != 0);
          return true;
        }
        for (int r = std::max(row + 1, 0); r < Count(); ++r) {
          QTreeWidgetItem* it = Item(r);
          if ((fi->flags & LVFI_PARAM) && static_cast<LPARAM>(it->data(0, kDataRole).toLongLong()) == fi->lParam) { result = r; break; }
          if (fi->flags & (LVFI_STRING | LVFI_PARTIAL)) {
            const QString key = ToQ(fi->psz);
            const bool hit = (fi->flags & LVFI_PARTIAL) ? it->text(0).startsWith(key, Qt::CaseInsensitive)
                                                         : it->text(0).compare(key, Qt::CaseInsensitive) == 0;
            if (hit) { result = r; break; }
          }
        }
        return true;
      }
      case LVM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        QTreeWidgetItem* it = Item(row);
        if (!rc || !it) { result = FALSE; return true; }
        const QRect r = ItemRect(row, static_cast<int>(rc->left));
        *rc = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        result = TRUE;
        return true;
      }
      case LVM_HITTEST:
      case LVM_SUBITEMHITTEST: {
        auto* hi = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!hi) { result = -1; return true; }
        UINT flags = 0;
        int column = 0;
        hi->iItem = HitAt(QPoint(hi->pt.x, hi->pt.y), flags, column);
        hi->iSubItem = column;
        hi->flags = flags;
        result = hi->iItem;
        return true;
      }
      case LVM_SCROLL: {
        const int dx = static_cast<int>(static_cast<INT_PTR>(wParam));
        const int dy = static_cast<int>(lParam);
        QAbstractItemView* v = Shown();
        if (v == this && dy != 0) {
          // Whole rows, as many as the pixels cover (at least one).
          const int rowHeight = Count() > 0 ? std::max(1, visualItemRect(Item(0)).height()) : 1;
          const int rows = dy / rowHeight != 0 ? dy / rowHeight : (dy > 0 ? 1 : -1);
          const int step = verticalScrollMode() == QAbstractItemView::ScrollPerItem ? 1 : rowHeight;
          verticalScrollBar()->setValue(verticalScrollBar()->value() + rows * step);
        } else if (dy != 0) {
          v->verticalScrollBar()->setValue(v->verticalScrollBar()->value() + dy);
        }
        if (dx != 0) v->horizontalScrollBar()->setValue(v->horizontalScrollBar()->value() + dx);
        result = TRUE;
        return true;
      }
      case LVM_APPROXIMATEVIEWRECT: {
        const int cx = static_cast<short>(LOWORD(lParam));
        const int cy = static_cast<short>(HIWORD(lParam));
        const QSize s = ApproximateView(static_cast<int>(static_cast<INT_PTR>(wParam)), QSize(cx, cy));
        result = MAKELONG(static_cast<WORD>(std::min(s.width(), 0xFFFF)), static_cast<WORD>(std::min(s.height(), 0xFFFF)));
        return true;
      }
      case LVM_SETWORKAREAS: {
        const int n = std::clamp(static_cast<int>(static_cast<INT_PTR>(wParam)), 0, 16);
        const auto* rects = reinterpret_cast<const RECT*>(lParam);
        m_workAreas.clear();
        if (rects)
          for (int k = 0; k < n; ++k) m_workAreas.push_back(rects[k]);
        if (m_iconView) {
          m_iconView->setWrapping(m_workAreas.empty());
          const RECT first = m_workAreas.empty() ? RECT{0, 0, 0, 0} : m_workAreas.front();
          m_iconView->setViewportMargins(std::max<int>(0, first.left), std::max<int>(0, first.top), 0, 0);
          m_iconView->doItemsLayout();
        }
        result = TRUE;
        return true;
      }
      case LVM_GETWORKAREAS: {
        auto* rects = reinterpret_cast<RECT*>(lParam);
        const int n = static_cast<int>(static_cast<INT_PTR>(wParam));
        for (int k = 0; rects && k < n && k < static_cast<int>(m_workAreas.size()); ++k) rects[k] = m_workAreas[static_cast<size_t>(k)];
        result = TRUE;
        return true;
      }
      case LVM_GETNUMBEROFWORKAREAS: {
        if (auto* n = reinterpret_cast<UINT*>(lParam)) *n = static_cast<UINT>(m_workAreas.size());
        result = TRUE;
        return true;
      }
      case LVM_GETSTRINGWIDTH:
        result = lParam ? fontMetrics().horizontalAdvance(ToQ(reinterpret_cast<LPCTSTR>(lParam))) : 0;
        return true;
      case LVM_ENSUREVISIBLE:
        if (QTreeWidgetItem* it = Item(row)) Shown()->scrollTo(indexFromItem(it));
        result = Item(row) ? TRUE : FALSE;
        return true;
      case LVM_GETTOPINDEX: {
        const QModelIndex i = indexAt(QPoint(1, 1));
        result = i.isValid() ? i.row() : 0;
        return true;
      }
      case LVM_GETCOUNTPERPAGE: {
        const int h = Count() > 0 ? std::max(1, visualItemRect(Item(0)).height()) : fontMetrics().height() + 4;
        result = std::max(1, viewport()->height() / h);
        return true;
      }
      case LVM_SETITEMCOUNT: result = TRUE; return true;
      case LVM_SETICONSPACING: {
        // The distance between the top-left corners of neighbouring icons; -1 for both restores the default.
        const QSize old = m_iconSpacing.isValid() ? m_iconSpacing : IconItemSize();
        const int cx = static_cast<short>(LOWORD(lParam)), cy = static_cast<short>(HIWORD(lParam));
        m_iconSpacing = cx == -1 && cy == -1 ? QSize() : QSize(std::max(1, cx), std::max(1, cy));
        if (m_iconView) m_iconView->setGridSize(m_iconSpacing);
        result = MAKELONG(old.width(), old.height());
        return true;
      }
      case LVM_ARRANGE:
        doItemsLayout();
        if (m_iconView) m_iconView->doItemsLayout();
        result = TRUE;
        return true;
      case LVM_REDRAWITEMS:
      case LVM_UPDATE:
        viewport()->update();
        result = TRUE;
        return true;
      case LVM_SORTITEMS: {
        auto pfn = reinterpret_cast<PFNLVCOMPARE>(lParam);
        if (!pfn) { result = FALSE; return true; }
        const LPARAM data = static_cast<LPARAM>(wParam);
        std::vector<std::pair<QTreeWidgetItem*, UINT>> items;
        const QModelIndex cur = currentIndex();
        QTreeWidgetItem* curItem = cur.isValid() ? Item(cur.row()) : nullptr;
        for (int r = 0; r < Count(); ++r) items.push_back({Item(r), StateOf(r)});
        std::stable_sort(items.begin(), items.end(), [&](const auto& a, const auto& b) {
          return pfn(static_cast<LPARAM>(a.first->data(0, kDataRole).toLongLong()),
                     static_cast<LPARAM>(b.first->data(0, kDataRole).toLongLong()), data) < 0;
        });
        Silently([&] {
          while (Count() > 0) takeTopLevelItem(0);
          for (auto& [it, st] : items) addTopLevelItem(it);
          for (auto& [it, st] : items) it->setSelected((st & LVIS_SELECTED) != 0);
          if (curItem) setCurrentItem(curItem, 0, QItemSelectionModel::NoUpdate);
        });
        result = TRUE;
        return true;
      }
      case LVM_SETIMAGELIST: {
        HIMAGELIST h = reinterpret_cast<HIMAGELIST>(lParam);
        HIMAGELIST& slot = wParam == LVSIL_STATE ? m_stateImages : m_smallImages;
        result = reinterpret_cast<LRESULT>(slot);
        slot = h;
        if (wParam == LVSIL_NORMAL) m_normalImages = h;
        if (h && wParam == LVSIL_SMALL) setIconSize(QSize(h->cx, h->cy));
        if (h && m_iconView && wParam == (m_mode == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL)) m_iconView->setIconSize(QSize(h->cx, h->cy));
        viewport()->update();
        return true;
      }
      case LVM_GETIMAGELIST:
        result = reinterpret_cast<LRESULT>(wParam == LVSIL_STATE ? m_stateImages : wParam == LVSIL_NORMAL ? m_normalImages : m_smallImages);
        return true;
      case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
        const DWORD old = m_ex;
        m_ex = (m_ex & ~mask) | (static_cast<DWORD>(lParam) & mask);
        if ((old ^ m_ex) & LVS_EX_CHECKBOXES) {
          Silently([&] {
            for (int r = 0; r < Count(); ++r) {
              QTreeWidgetItem* it = Item(r);
              if (m_ex & LVS_EX_CHECKBOXES) {
                it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
                it->setCheckState(0, Qt::Unchecked);
              } else {
                it->setFlags(it->flags() & ~Qt::ItemIsUserCheckable);
                it->setData(0, Qt::CheckStateRole, QVariant());
              }
              it->setData(0, kStateRole, StateOf(r));
            }
          });
        }
        result = old;
        return true;
      }
      case LVM_GETEXTENDEDLISTVIEWSTYLE: result = m_ex; return true;
      case LVM_EDITLABEL: {
        QTreeWidgetItem* it = Item(row);
        if (!it) { result = 0; return true; }
        setFocus();
        StartEdit(row);
        result = m_editor ? reinterpret_cast<LRESULT>(CWnd::HwndFromQWidget(m_editor, FALSE)) : 0;
        return true;
      }
      case LVM_GETEDITCONTROL:
        result = m_editor ? reinterpret_cast<LRESULT>(CWnd::HwndFromQWidget(m_editor, FALSE)) : 0;
        return true;
      case LVM_CANCELEDITLABEL:
        if (m_editor) closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
        result = TRUE;
        return true;
      default: return false;
    }
  }

  // ---- label editing -----------------------------------------------------------------------
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
    if (!index.isValid() || m_editing) return QTreeWidget::edit(index, trigger, event);
    if (trigger == QAbstractItemView::CurrentChanged || trigger == QAbstractItemView::NoEditTriggers) return false;
    if (trigger != QAbstractItemView::AllEditTriggers && !(editTriggers() & trigger)) return false;
    const QModelIndex first = index.sibling(index.row(), 0);
    NMLVDISPINFO di{};
    di.item.iItem = first.row();
    di.item.mask = LVIF_TEXT | LVIF_PARAM;
    const std::u16string text = DisplayText(first.row(), 0).toStdU16String();
    di.item.pszText = const_cast<LPTSTR>(text.c_str());
    di.item.lParam = static_cast<LPARAM>(Item(first.row())->data(0, kDataRole).toLongLong());
    if (NotifyParent(&di.hdr, LVN_BEGINLABELEDIT) != 0) return false;
    m_editing = true;
    m_committed = false;
    m_editRow = first.row();
    if (!QTreeWidget::edit(first, QAbstractItemView::AllEditTriggers, event)) {
      m_editing = false;
      return false;
    }
    return true;
  }

  QPointer<QWidget> m_editor;
  bool m_editing = false;
  bool m_committed = false;
  int m_editRow = -1;
  HIMAGELIST m_smallImages = nullptr;
  HIMAGELIST m_stateImages = nullptr;
  HIMAGELIST m_normalImages = nullptr;
  DWORD m_ex = 0;
  DWORD m_customDraw = CDRF_DODEFAULT;

protected:
  void mousePressEvent(QMouseEvent* e) override {
    PressForDrag(e->position().toPoint() + viewport()->pos(), e->button());
    Tracked([&] { QTreeWidget::mousePressEvent(e); });
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (MoveForDrag(e->position().toPoint() + viewport()->pos(), e->buttons())) return;
    Tracked([&] { QTreeWidget::mouseMoveEvent(e); });
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    m_pressRow = -1;
    if (m_dragStarted) {
      // The drag's owner saw the rest of the gesture; the selection stays as it was.
      m_dragStarted = false;
      setState(QAbstractItemView::NoState);
      return;
    }
    QTreeWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) Activate(e, e->button() == Qt::LeftButton ? NM_CLICK : NM_RCLICK);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QTreeWidget::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton) Activate(e, NM_DBLCLK);
  }
  void keyPressEvent(QKeyEvent* e) override {
    NMLVKEYDOWN kd{};
    kd.wVKey = static_cast<WORD>(AfxVirtualKey(e));
    const HWND self = Handle();
    NotifyParent(&kd.hdr, LVN_KEYDOWN);
    if (!IsWindow(self)) return;
    if (IconForm())
      Tracked([&] { QCoreApplication::sendEvent(m_iconView, e); });
    else
      Tracked([&] { QTreeWidget::keyPressEvent(e); });
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
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    auto* self = const_cast<KcListView*>(this);
    if (!self->OwnerDrawn()) {
      QTreeWidget::drawRow(painter, option, index);
      return;
    }
    // The owner paints the whole row, all columns.
    UINT state = 0;
    if (selectionModel()->isSelected(index)) state |= ODS_SELECTED;
    if (currentIndex().row() == index.row() && hasFocus()) state |= ODS_FOCUS;
    if (!isEnabled()) state |= ODS_DISABLED;
    QRect r = option.rect;
    r.setLeft(0);
    r.setRight(std::max(r.right(), header()->length() - header()->offset() - 1));
    const ULONG_PTR data = static_cast<ULONG_PTR>(index.sibling(index.row(), 0).data(kDataRole).toLongLong());
    self->DrawOwnerItem(painter, ODT_LISTVIEW, static_cast<UINT>(index.row()), ODA_DRAWENTIRE, state, r, data);
  }
  bool viewportEvent(QEvent* e) override {
    if (e->type() == QEvent::ToolTip && (m_ex & LVS_EX_INFOTIP)) {
      auto* he = static_cast<QHelpEvent*>(e);
      ShowInfoTip(indexAt(he->pos()), he->globalPos());
      return true;
    }
    return QTreeWidget::viewportEvent(e);
  }
  void resizeEvent(QResizeEvent* e) override {
    QTreeWidget::resizeEvent(e);
    if (m_iconView) m_iconView->setGeometry(rect());
  }
  void paintEvent(QPaintEvent* e) override {
    SyncMode();
    NMLVCUSTOMDRAW cd{};
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    const QRect r = viewport()->rect();
    cd.nmcd.rc = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    m_customDraw = static_cast<DWORD>(NotifyParent(&cd.nmcd.hdr, NM_CUSTOMDRAW));
    QTreeWidget::paintEvent(e);
  }

private:
  static UINT AfxVirtualKey(QKeyEvent* e);
  void Activate(QMouseEvent* e, UINT code) {
    NMITEMACTIVATE nm{};
    const QModelIndex i = indexAt(e->position().toPoint());
    nm.iItem = i.isValid() ? i.row() : -1;
    nm.iSubItem = i.isValid() ? i.column() : 0;
    const QPoint p = e->position().toPoint() + viewport()->pos();
    nm.ptAction = POINT{p.x(), p.y()};
    NotifyParent(&nm.hdr, code);
  }

  DWORD m_style;
  KcListDelegate* m_delegate;
  // The inserted columns; none at the start. The tree keeps at least one column of its own, in which
  // the items' texts live while the list has no column.
  QStringList m_headings;
  QList<int> m_formats;
  bool m_silent = false;

  friend class KcListDelegate;
  friend class KcIconView;
};

UINT KcListView::AfxVirtualKey(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_F2: return VK_F2;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Escape: return VK_ESCAPE;
    default:
      if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) return static_cast<UINT>('A' + (e->key() - Qt::Key_A));
      if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) return static_cast<UINT>('0' + (e->key() - Qt::Key_0));
      return 0;
  }
}

KcListDelegate::KcListDelegate(KcListView* view) : QStyledItemDelegate(view), m_view(view) {}

QWidget* KcListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QWidget* ed = AfxMakeControlWidget(u"EDIT", parent, WS_CHILD | WS_BORDER | ES_AUTOHSCROLL);
  if (!ed) return QStyledItemDelegate::createEditor(parent, option, index);
  m_view->m_editor = ed;
  AfxAdoptControlWidget(ed, 1, u"EDIT");
  return ed;
}

QSize KcListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  // Measuring an item does not ask the parent for its image (only items drawn do): the image list's
  // size is reserved instead, so that images made on demand stay on demand.
  m_measuring = true;
  QSize s = QStyledItemDelegate::sizeHint(option, index);
  m_measuring = false;
  if (m_view->OwnerDrawn()) s.setHeight(m_view->OwnerRowHeight());
  return s;
}

void KcListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  // The editor starts with what the item shows, asked from the parent when it asks.
  if (auto* le = qobject_cast<QLineEdit*>(editor))
    le->setText(m_view->DisplayText(index.row(), index.column()));
  else
    QStyledItemDelegate::setEditorData(editor, index);
}

void KcListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  auto* le = qobject_cast<QLineEdit*>(editor);
  if (!le || !m_view->m_editing) return;
  m_view->m_committed = true;
  const std::u16string text = le->text().left(static_cast<qsizetype>(kMaxText)).toStdU16String();
  NMLVDISPINFO di{};
  di.item.iItem = index.row();
  di.item.mask = LVIF_TEXT;
  di.item.pszText = const_cast<LPTSTR>(text.c_str());
  // A non-zero answer takes the new text.
  if (m_view->NotifyParent(&di.hdr, LVN_ENDLABELEDIT) != 0) model->setData(index, QString::fromStdU16String(text));
}

void KcListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  // Large icons carry their labels centred under the picture, whatever the column's alignment.
  if (m_view->m_mode == LVS_ICON && m_view->IconForm()) option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
  const int callbacks = index.data(kCallbackRole).toInt();
  int image = index.column() == 0 ? index.data(kImageRole).toInt() : -1;
  if (callbacks) {
    // Text and image asked from the parent as the item is drawn.
    QString text;
    int asked = -1;
    const bool askImage = (callbacks & 2) && !m_measuring;
    const UINT mask = ((callbacks & 1) ? LVIF_TEXT : 0) | (askImage ? LVIF_IMAGE : 0);
    if (mask != 0)
      m_view->AskDisplay(index.row(), index.column(), mask, (callbacks & 1) ? &text : nullptr, askImage ? &asked : nullptr);
    if (callbacks & 1) option->text = text;
    if (askImage) image = asked;
  }
  if (index.column() != 0) return;
  if ((callbacks & 2) && m_measuring) {
    HIMAGELIST il = m_view->m_mode == LVS_ICON ? m_view->m_normalImages : m_view->m_smallImages;
    if (il != nullptr) {
      option->decorationSize = QSize(il->cx, il->cy);
      QPixmap blank(option->decorationSize);
      blank.fill(Qt::transparent);
      option->icon = QIcon(blank);
      option->features |= QStyleOptionViewItem::HasDecoration;
    }
    return;
  }
  QPixmap icon = AfxImageListPixmap(m_view->m_mode == LVS_ICON ? m_view->m_normalImages : m_view->m_smallImages, image,
                                    static_cast<int>((index.data(kExtraRole).toUInt() & LVIS_OVERLAYMASK) >> 8));
  const UINT stateImage = (index.data(kExtraRole).toUInt() & LVIS_STATEIMAGEMASK) >> 12;
  const QPixmap state = (m_view->m_ex & LVS_EX_CHECKBOXES) ? QPixmap() : AfxImageListPixmap(m_view->m_stateImages, static_cast<int>(stateImage) - 1);
  if (!state.isNull()) {
    // The state image stands left of the item's image.
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

void KcListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  // In the icon forms the report view lies hidden under the icon view: it draws and tells nothing.
  if (m_view->IconForm() && option.widget != nullptr && option.widget != m_view->Shown()) return;
  if (!(m_view->m_customDraw & CDRF_NOTIFYITEMDRAW)) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem opt(option);
  CDC dc;
  const QRect r = option.rect;
  RECT rc{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  painter->save();
  dc.CreateFromPainter(painter, &rc);
  NMLVCUSTOMDRAW cd{};
  cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | (index.column() > 0 ? CDDS_SUBITEM : 0);
  cd.nmcd.hdc = dc.GetSafeHdc();
  cd.nmcd.rc = rc;
  cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(index.row());
  cd.nmcd.uItemState = ((option.state & QStyle::State_Selected) ? CDIS_SELECTED : 0) | ((option.state & QStyle::State_HasFocus) ? CDIS_FOCUS : 0);
  cd.nmcd.lItemlParam = static_cast<LPARAM>(index.sibling(index.row(), 0).data(kDataRole).toLongLong());
  cd.clrText = ToRef(option.palette.color(QPalette::Text));
  cd.clrTextBk = CLR_DEFAULT;
  cd.iSubItem = index.column();
  const LRESULT answer = m_view->NotifyParent(&cd.nmcd.hdr, NM_CUSTOMDRAW);
  // CDRF_NEWFONT: the item is drawn in the font the parent selected into the item's DC.
  if (answer & CDRF_NEWFONT)
    if (CFont* pFont = dc.GetCurrentFont()) {
      opt.font = pFont->GetQFont();
      opt.fontMetrics = QFontMetrics(opt.font);
    }
  dc.DeleteDC();
  painter->restore();
  if (answer & CDRF_SKIPDEFAULT) return;
  opt.palette.setColor(QPalette::Text, ToColor(cd.clrText));
  opt.palette.setColor(QPalette::HighlightedText, ToColor(cd.clrText));
  if (cd.clrTextBk != CLR_DEFAULT && cd.clrTextBk != CLR_NONE) painter->fillRect(option.rect, ToColor(cd.clrTextBk));
  QStyledItemDelegate::paint(painter, opt, index);
  if (!(answer & CDRF_NOTIFYPOSTPAINT)) return;
  // CDRF_NOTIFYPOSTPAINT: the parent draws over the finished item, in client coordinates (those of
  // GetItemRect), not only inside the item: a picture beside an item may stand outside its rectangle.
  const QPoint offset = m_view->ShownOffset();
  painter->save();
  painter->translate(-offset);
  const QRect c = option.rect.translated(offset);
  RECT client{c.left(), c.top(), c.left() + c.width(), c.top() + c.height()};
  CDC post;
  post.CreateFromPainter(painter, &client);
  cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT | (index.column() > 0 ? CDDS_SUBITEM : 0);
  cd.nmcd.hdc = post.GetSafeHdc();
  cd.nmcd.rc = client;
  m_view->NotifyParent(&cd.nmcd.hdr, NM_CUSTOMDRAW);
  post.DeleteDC();
  painter->restore();
}

KcIconView::KcIconView(KcListView* owner, QWidget* parent) : QListView(parent), m_owner(owner) {}

QRect KcIconView::PartRect(const QModelIndex& index, bool icon) const {
  QStyleOptionViewItem opt;
  initViewItemOption(&opt);
  opt.rect = visualRect(index);
  m_owner->m_delegate->InitOption(&opt, index);
  const QRect r = style()->subElementRect(icon ? QStyle::SE_ItemViewItemDecoration : QStyle::SE_ItemViewItemText, &opt, this);
  return r.isValid() ? r : opt.rect;
}

void KcIconView::mousePressEvent(QMouseEvent* e) {
  m_owner->setFocus(Qt::MouseFocusReason);
  m_owner->PressForDrag(e->position().toPoint() + m_owner->ShownOffset(), e->button());
  m_owner->Tracked([&] { QListView::mousePressEvent(e); });
}
void KcIconView::mouseMoveEvent(QMouseEvent* e) {
  if (m_owner->MoveForDrag(e->position().toPoint() + m_owner->ShownOffset(), e->buttons())) return;
  m_owner->Tracked([&] { QListView::mouseMoveEvent(e); });
}
void KcIconView::mouseReleaseEvent(QMouseEvent* e) {
  m_owner->m_pressRow = -1;
  if (m_owner->m_dragStarted) {
    m_owner->m_dragStarted = false;
    setState(QAbstractItemView::NoState);
    return;
  }
  QListView::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)
    m_owner->ActivateAt(e->position().toPoint(), this, e->button() == Qt::LeftButton ? NM_CLICK : NM_RCLICK);
}
void KcIconView::mouseDoubleClickEvent(QMouseEvent* e) {
  QListView::mouseDoubleClickEvent(e);
  if (e->button() == Qt::LeftButton) m_owner->ActivateAt(e->position().toPoint(), this, NM_DBLCLK);
}

QWidget* MakeList(QWidget* parent, DWORD style, DWORD) { return new KcListView(parent, style); }

}  // namespace

void AfxRegisterListViewClass() {
  CWnd::RegisterWidgetClass(u"SysListView32", &MakeList);
  AfxRegisterControlObject(u"SysListView32", []() -> CWnd* { return new CListCtrl; });
}

CListCtrl::CListCtrl() = default;
CListCtrl::~CListCtrl() = default;

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"SysListView32", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) {
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult) *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

namespace {
LRESULT Ask(const CListCtrl* p, UINT m, WPARAM w = 0, LPARAM l = 0) { return const_cast<CListCtrl*>(p)->SendMessage(m, w, l); }
WPARAM W(int i) { return static_cast<WPARAM>(static_cast<INT_PTR>(i)); }
}  // namespace

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMN c{};
  c.mask = LVCF_TEXT | LVCF_FMT | (nWidth >= 0 ? LVCF_WIDTH : 0) | (nSubItem >= 0 ? LVCF_SUBITEM : 0);
  c.pszText = const_cast<LPTSTR>(lpszColumnHeading);
  c.fmt = nFormat;
  c.cx = nWidth;
  c.iSubItem = nSubItem;
  return InsertColumn(nCol, &c);
}
int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, W(nCol), reinterpret_cast<LPARAM>(pColumn)));
}
BOOL CListCtrl::DeleteColumn(int nCol) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, W(nCol))); }
int CListCtrl::GetColumnWidth(int nCol) const { return static_cast<int>(Ask(this, LVM_GETCOLUMNWIDTH, W(nCol))); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, W(nCol), MAKELPARAM(static_cast<WORD>(cx), 0)));
}
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const {
  return static_cast<BOOL>(Ask(this, LVM_GETCOLUMN, W(nCol), reinterpret_cast<LPARAM>(pColumn)));
}
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, W(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

int CListCtrl::GetItemCount() const { return static_cast<int>(Ask(this, LVM_GETITEMCOUNT)); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
  LVITEM it{};
  it.mask = LVIF_TEXT;
  it.iItem = nItem;
  it.pszText = const_cast<LPTSTR>(lpszItem);
  return InsertItem(&it);
}
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  LVITEM it{};
  it.mask = LVIF_TEXT | LVIF_IMAGE;
  it.iItem = nItem;
  it.pszText = const_cast<LPTSTR>(lpszItem);
  it.iImage = nImage;
  return InsertItem(&it);
}
int CListCtrl::InsertItem(const LVITEM* pItem) { return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pItem))); }
BOOL CListCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, W(nItem))); }
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return static_cast<BOOL>(Ask(this, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem))); }
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem))); }
CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  std::u16string buf(kMaxText + 1, u'\0');
  LVITEM it{};
  it.iSubItem = nSubItem;
  it.pszText = buf.data();
  it.cchTextMax = static_cast<int>(buf.size());
  const int n = static_cast<int>(Ask(this, LVM_GETITEMTEXT, W(nItem), reinterpret_cast<LPARAM>(&it)));
  buf.resize(static_cast<size_t>(std::max(0, n)));
  return CString(buf);
}
BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
  LVITEM it{};
  it.iSubItem = nSubItem;
  it.pszText = const_cast<LPTSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, W(nItem), reinterpret_cast<LPARAM>(&it)));
}
DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEM it{};
  it.mask = LVIF_PARAM;
  it.iItem = nItem;
  return GetItem(&it) ? static_cast<DWORD_PTR>(it.lParam) : 0;
}
BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  LVITEM it{};
  it.mask = LVIF_PARAM;
  it.iItem = nItem;
  it.lParam = static_cast<LPARAM>(dwData);
  return SetItem(&it);
}
UINT CListCtrl::GetItemState(int nItem, UINT nMask) const { return static_cast<UINT>(Ask(this, LVM_GETITEMSTATE, W(nItem), nMask)); }
BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEM it{};
  it.state = nState;
  it.stateMask = nMask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, W(nItem), reinterpret_cast<LPARAM>(&it)));
}
BOOL CListCtrl::GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }
BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck) {
  return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}
int CListCtrl::GetNextItem(int nItem, int nFlags) const { return static_cast<int>(Ask(this, LVM_GETNEXTITEM, W(nItem), nFlags)); }
UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(Ask(this, LVM_GETSELECTEDCOUNT)); }
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  const int i = GetNextItem(-1, LVNI_SELECTED);
  return i < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(i) + 1);
}
int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  const int i = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
  const int next = GetNextItem(i, LVNI_SELECTED);
  pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(next) + 1);
  return i;
}
int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const {
  return static_cast<int>(Ask(this, LVM_FINDITEM, W(nStart), reinterpret_cast<LPARAM>(pFindInfo)));
}
BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  if (!lpRect) return FALSE;
  lpRect->left = static_cast<LONG>(nCode);
  return static_cast<BOOL>(Ask(this, LVM_GETITEMRECT, W(nItem), reinterpret_cast<LPARAM>(lpRect)));
}
int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO hi{};
  hi.pt = pt;
  const int r = HitTest(&hi);
  if (pFlags) *pFlags = hi.flags;
  return r;
}
int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const {
  return static_cast<int>(Ask(this, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
  return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, W(nItem), bPartialOK));
}
int CListCtrl::GetTopIndex() const { return static_cast<int>(Ask(this, LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return static_cast<int>(Ask(this, LVM_GETCOUNTPERPAGE)); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) { return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, W(nFirst), nLast)); }
BOOL CListCtrl::Update(int nItem) { return static_cast<BOOL>(SendMessage(LVM_UPDATE, W(nItem))); }
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
  return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(dwData), reinterpret_cast<LPARAM>(pfnCompare)));
}
CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(
      LVM_SETIMAGELIST, W(nImageListType), reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr))));
}
CImageList* CListCtrl::GetImageList(int nImageListType) const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(Ask(this, LVM_GETIMAGELIST, W(nImageListType))));
}
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
  return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}
DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(Ask(this, LVM_GETEXTENDEDLISTVIEWSTYLE)); }
CEdit* CListCtrl::EditLabel(int nItem) {
  return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABEL, W(nItem)))));
}
CEdit* CListCtrl::GetEditControl() const {
  return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(Ask(this, LVM_GETEDITCONTROL))));
}
BOOL CListCtrl::CancelEditLabel() { return static_cast<BOOL>(SendMessage(LVM_CANCELEDITLABEL)); }
int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) {
  return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
}
BOOL CListCtrl::Arrange(UINT nCode) { return static_cast<BOOL>(SendMessage(LVM_ARRANGE, nCode)); }
CSize CListCtrl::SetIconSpacing(int cx, int cy)
{
  const DWORD old = static_cast<DWORD>(SendMessage(LVM_SETICONSPACING, 0, MAKELONG(cx, cy)));
  return CSize(LOWORD(old), HIWORD(old));
}
BOOL CListCtrl::Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, W(size.cx), size.cy)); }
CSize CListCtrl::ApproximateViewRect(CSize sz, int iCount) const {
  const DWORD r = static_cast<DWORD>(Ask(this, LVM_APPROXIMATEVIEWRECT, W(iCount),
                                         MAKELPARAM(static_cast<WORD>(sz.cx), static_cast<WORD>(sz.cy))));
  return CSize(LOWORD(r), HIWORD(r));
}
void CListCtrl::SetWorkAreas(int nWorkAreas, LPRECT lpRect) {
  SendMessage(LVM_SETWORKAREAS, W(nWorkAreas), reinterpret_cast<LPARAM>(lpRect));
}
void CListCtrl::GetWorkAreas(int nWorkAreas, LPRECT lpRect) const {
  Ask(this, LVM_GETWORKAREAS, W(nWorkAreas), reinterpret_cast<LPARAM>(lpRect));
}
UINT CListCtrl::GetNumberOfWorkAreas() const {
  UINT n = 0;
  Ask(this, LVM_GETNUMBEROFWORKAREAS, 0, reinterpret_cast<LPARAM>(&n));
  return n;
}
int CListCtrl::GetStringWidth(LPCTSTR lpsz) const {
  return static_cast<int>(Ask(this, LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(lpsz)));
}
