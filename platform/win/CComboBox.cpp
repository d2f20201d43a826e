#include "platform/win/CComboBox.h"

#include <QtCore/QTimer>
#include <QtCore/QCoreApplication>
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QStandardItemModel>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStyleOptionComboBox>
#include <QtWidgets/QStylePainter>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxImageListData.h"
#include "platform/win/CImageList.h"
#include "platform/win/AfxOwnerDrawDelegate.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace {

QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }

LRESULT CopyText(const QString& t, WPARAM cap, LPARAM buf) {
  if (!cap || !buf) return 0;
  auto* out = reinterpret_cast<LPTSTR>(buf);
  const int n = std::min<int>(t.size(), static_cast<int>(cap) - 1);
  for (int i = 0; i < n; ++i) out[i] = t.at(i).unicode();
  out[n] = 0;
  return n;
}

class KcComboBox : public QComboBox, public AfxControlWidget {
public:
  KcComboBox(QWidget* parent, DWORD style, bool withImages = false) : QComboBox(parent), m_style(style), m_withImages(withImages) {
    const DWORD kind = style & 3;
    setEditable(kind == CBS_SIMPLE || kind == CBS_DROPDOWN);
    setFocusPolicy(Qt::StrongFocus);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(30);
    if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
      m_delegate = new AfxOwnerDrawDelegate(this, ODT_COMBOBOX, (style & CBS_OWNERDRAWVARIABLE) != 0, this);
      setItemDelegate(m_delegate);
    }
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
      if (m_silent) return;
      if (m_dropped) m_changedWhileDropped = true;
      NotifyCommand(CBN_SELCHANGE);
    });
    connect(this, &QComboBox::activated, this, [this](int) {
      if (m_closing) m_picked = true;
    });
    if (QLineEdit* e = lineEdit()) {
      connect(e, &QLineEdit::textEdited, this, [this](const QString&) {
        NotifyCommand(CBN_EDITUPDATE);
        NotifyCommand(CBN_EDITCHANGE);
      });
      e->installEventFilter(this);
    }
  }

  // The dialog keys typed in the edit of a combo box reach the combo box's window, so that
  // the dialog sees them.
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == lineEdit() && e->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(e)->key();
      if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter ||
          key == Qt::Key_Escape) {
        if (!m_forwarding) {
          m_forwarding = true;
          QCoreApplication::sendEvent(this, e);
          m_forwarding = false;
          return true;
        }
      }
    }
    return QComboBox::eventFilter(watched, e);
  }

  QWidget* Widget() override { return this; }
  void Created() override {
    // A fixed owner-drawn list learns its heights when it is made.
    if (m_delegate && !m_delegate->IsVariable()) {
      m_delegate->ItemHeight(-1, 0);
      m_delegate->ItemHeight(0, 0);
    }
  }
  UINT DialogCode() const override {
    return DLGC_WANTARROWS | (isEditable() ? DLGC_WANTCHARS | DLGC_HASSETSEL : 0);
  }

  bool HasStrings() const {
    return !(m_style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (m_style & CBS_HASSTRINGS);
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    const int n = count();
    if (m_withImages && ImageMessage(message, wParam, lParam, result)) return true;
    switch (message) {
      case WM_SETTEXT: {
        const QString t = ToQ(reinterpret_cast<LPCTSTR>(lParam));
        if (isEditable()) {
          Silently([&] { setEditText(t); });
          result = TRUE;
        } else {
          const int at = FindExact(-1, t);
          if (at >= 0) Silently([&] { setCurrentIndex(at); });
          result = at >= 0 ? TRUE : CB_ERR;
        }
        return true;
      }
      case WM_GETTEXT: result = CopyText(currentText(), wParam, lParam); return true;
      case WM_GETTEXTLENGTH: result = currentText().size(); return true;
      case CB_GETCOUNT: result = n; return true;
      case CB_GETCURSEL: result = currentIndex() >= 0 ? currentIndex() : CB_ERR; return true;
      case CB_SETCURSEL: {
        const int i = static_cast<int>(static_cast<INT_PTR>(wParam));
        if (i < 0 || i >= n) {
          Silently([&] { setCurrentIndex(-1); if (isEditable()) setEditText(QString()); });
          result = CB_ERR;
        } else {
          Silently([&] { setCurrentIndex(i); });
          result = i;
        }
        return true;
      }
      case CB_ADDSTRING: result = Insert(-1, lParam, true); return true;
      case CB_INSERTSTRING: result = Insert(static_cast<int>(static_cast<INT_PTR>(wParam)), lParam, false); return true;
      case CB_DELETESTRING: {
        const int i = static_cast<int>(wParam);
        if (i < 0 || i >= n) { result = CB_ERR; return true; }
        Delete(i);
        result = count();
        return true;
      }
      case CB_RESETCONTENT:
        for (int i = count() - 1; i >= 0; --i) Delete(i);
        Silently([&] { if (isEditable()) setEditText(QString()); });
        result = CB_OKAY;
        return true;
      case CB_GETLBTEXT: {
        const int i = static_cast<int>(wParam);
        if (i < 0 || i >= n || !lParam) { result = CB_ERR; return true; }
        if (!HasStrings()) {
          *reinterpret_cast<ULONG_PTR*>(lParam) = Data(i);
          result = sizeof(ULONG_PTR);
          return true;
        }
        const QString t = itemText(i);
        auto* out = reinterpret_cast<LPTSTR>(lParam);
        for (qsizetype k = 0; k < t.size(); ++k) out[k] = t.at(k).unicode();
        out[t.size()] = 0;
        result = t.size();
        return true;
      }
      case CB_GETLBTEXTLEN: {
        const int i = static_cast<int>(wParam);
        result = (i < 0 || i >= n) ? CB_ERR : (HasStrings() ? itemText(i).size() : sizeof(ULONG_PTR));
        return true;
      }
      case CB_FINDSTRING: result = FindPrefix(static_cast<int>(static_cast<INT_PTR>(wParam)), lParam); return true;
      case CB_FINDSTRINGEXACT:
        result = HasStrings() ? FindExact(static_cast<int>(static_cast<INT_PTR>(wParam)), ToQ(reinterpret_cast<LPCTSTR>(lParam)))
                              : FindPrefix(static_cast<int>(static_cast<INT_PTR>(wParam)), lParam);
        return true;
      case CB_SELECTSTRING: {
        const int at = FindPrefix(static_cast<int>(static_cast<INT_PTR>(wParam)), lParam);
        if (at >= 0) Silently([&] { setCurrentIndex(at); });
        result = at;
        return true;
      }
      case CB_GETITEMDATA: {
        const int i = static_cast<int>(wParam);
        result = (i < 0 || i >= n) ? CB_ERR : static_cast<LRESULT>(Data(i));
        return true;
      }
      case CB_SETITEMDATA: {
        const int i = static_cast<int>(wParam);
        if (i < 0 || i >= n) { result = CB_ERR; return true; }
        setItemData(i, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(lParam)), Qt::UserRole);
        result = CB_OKAY;
        return true;
      }
      case CB_SHOWDROPDOWN:
        if (wParam) showPopup(); else hidePopup();
        result = TRUE;
        return true;
      case CB_GETDROPPEDSTATE: result = m_dropped ? TRUE : FALSE; return true;
      case CB_GETDROPPEDCONTROLRECT: {
        if (auto* r = reinterpret_cast<RECT*>(lParam)) {
          const QPoint tl = mapToGlobal(QPoint(0, 0));
          const int listH = std::max(1, std::min(count(), maxVisibleItems())) * (fontMetrics().height() + 2);
          *r = RECT{tl.x(), tl.y(), tl.x() + std::max(width(), m_droppedWidth), tl.y() + height() + listH};
        }
        result = CB_OKAY;
        return true;
      }
      case CB_LIMITTEXT:
        if (QLineEdit* e = lineEdit()) e->setMaxLength(wParam ? static_cast<int>(std::min<WPARAM>(wParam, 32767)) : 32767);
        result = TRUE;
        return true;
      case CB_GETEDITSEL: {
        int s = 0, e = 0;
        if (QLineEdit* le = lineEdit()) {
          s = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
          e = le->hasSelectedText() ? le->selectionEnd() : s;
        }
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s);
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e);
        result = MAKELONG(s, e);
        return true;
      }
      case CB_SETEDITSEL: {
        QLineEdit* le = lineEdit();
        if (!le) { result = CB_ERR; return true; }
        const int s = static_cast<short>(LOWORD(lParam));
        int e = static_cast<short>(HIWORD(lParam));
        if (s < 0) le->deselect();
        else {
          if (e < 0 || e > le->text().size()) e = static_cast<int>(le->text().size());
          le->setSelection(s, e - s);
        }
        result = TRUE;
        return true;
      }
      case CB_SETITEMHEIGHT:
        if (m_delegate) m_delegate->SetItemHeight(static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<int>(lParam));
        result = CB_OKAY;
        return true;
      case CB_GETITEMHEIGHT: {
        const int i = static_cast<int>(static_cast<INT_PTR>(wParam));
        if (m_delegate) {
          const QVariant h = (i >= 0 && i < n) ? itemData(i, Qt::UserRole + 1) : QVariant();
          result = h.isValid() ? h.toInt() : m_delegate->ItemHeight(m_delegate->IsVariable() ? i : (i < 0 ? -1 : 0), i >= 0 && i < n ? Data(i) : 0);
        } else {
          result = fontMetrics().height() + 2;
        }
        return true;
      }
      case CB_SETDROPPEDWIDTH:
        m_droppedWidth = static_cast<int>(wParam);
        view()->setMinimumWidth(m_droppedWidth);
        result = m_droppedWidth;
        return true;
      case CB_GETDROPPEDWIDTH: result = std::max(width(), m_droppedWidth); return true;
      case WM_CUT: if (lineEdit()) lineEdit()->cut(); result = 0; return true;
      case WM_COPY: if (lineEdit()) lineEdit()->copy(); result = 0; return true;
      case WM_PASTE: if (lineEdit()) lineEdit()->paste(); result = 0; return true;
      case WM_CLEAR: if (lineEdit()) lineEdit()->del(); result = 0; return true;
      default: return false;
    }
  }

  void showPopup() override {
    if (m_dropped) return;
    NotifyCommand(CBN_DROPDOWN);
    m_dropped = true;
    m_changedWhileDropped = false;
    m_picked = false;
    m_closing = false;
    QComboBox::showPopup();
  }

  void hidePopup() override {
    QComboBox::hidePopup();
    if (!m_dropped) return;
    m_dropped = false;
    // A choice from the list arrives right after the list closes; the close-up and the end
    // of the selection are told once it has, in the order the program expects.
    m_closing = true;
    QPointer<KcComboBox> self(this);
    QTimer::singleShot(0, this, [self] {
      if (!self) return;
      self->m_closing = false;
      self->NotifyCommand(CBN_CLOSEUP);
      if (self) self->NotifyCommand(self->m_picked ? CBN_SELENDOK : CBN_SELENDCANCEL);
    });
  }

protected:
  void focusInEvent(QFocusEvent* e) override {
    QComboBox::focusInEvent(e);
    if (!m_focused) {
      m_focused = true;
      NotifyCommand(CBN_SETFOCUS);
    }
  }
  void focusOutEvent(QFocusEvent* e) override {
    QComboBox::focusOutEvent(e);
    if (m_focused && e->reason() != Qt::PopupFocusReason) {
      m_focused = false;
      NotifyCommand(CBN_KILLFOCUS);
    }
  }

  void paintEvent(QPaintEvent* e) override {
    if (!m_delegate || isEditable()) {
      QComboBox::paintEvent(e);
      return;
    }
    // The frame and arrow by the style; the selection field by the owner.
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    const int cur = currentIndex();
    UINT state = ODS_COMBOBOXEDIT;
    if (hasFocus()) state |= ODS_FOCUS | ODS_SELECTED;
    if (!isEnabled()) state |= ODS_DISABLED;
    DrawOwnerItem(&p, ODT_COMBOBOX, static_cast<UINT>(cur), ODA_DRAWENTIRE, state, field, cur >= 0 ? Data(cur) : 0);
  }

private:
  // The messages of a combo box with images (ComboBoxEx32).
  bool ImageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
      case CBEM_SETIMAGELIST:
        result = reinterpret_cast<LRESULT>(m_images);
        m_images = reinterpret_cast<HIMAGELIST>(lParam);
        if (m_images) setIconSize(QSize(m_images->cx, m_images->cy));
        for (int i = 0; i < count(); ++i) ShowImage(i);
        return true;
      case CBEM_GETIMAGELIST: result = reinterpret_cast<LRESULT>(m_images); return true;
      case CBEM_GETCOMBOCONTROL: result = reinterpret_cast<LRESULT>(Handle()); return true;
      case CBEM_GETEDITCONTROL:
        result = lineEdit() ? reinterpret_cast<LRESULT>(AfxAdoptControlWidget(lineEdit(), ControlId(), u"EDIT")) : 0;
        return true;
      case CBEM_GETEXTENDEDSTYLE: result = m_exStyle; return true;
      case CBEM_SETEXTENDEDSTYLE: {
        result = m_exStyle;
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
        m_exStyle = (m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        return true;
      }
      case CBEM_INSERTITEM: {
        const auto* item = reinterpret_cast<const COMBOBOXEXITEM*>(lParam);
        if (!item) { result = -1; return true; }
        const int at = item->iItem < 0 || item->iItem > count() ? count() : static_cast<int>(item->iItem);
        Silently([&] {
          insertItem(at, (item->mask & CBEIF_TEXT) && item->pszText != reinterpret_cast<LPTSTR>(-1) ? ToQ(item->pszText) : QString());
          if (count() == 1) setCurrentIndex(-1);
        });
        SetItemFields(at, item);
        result = at;
        return true;
      }
      case CBEM_SETITEM: {
        const auto* item = reinterpret_cast<const COMBOBOXEXITEM*>(lParam);
        const int at = item ? static_cast<int>(item->iItem) : -1;
        if (!item || at < -1 || at >= count()) { result = FALSE; return true; }
        if (at == -1) {
          // The selection field.
          if ((item->mask & CBEIF_TEXT) && isEditable()) Silently([&] { setEditText(ToQ(item->pszText)); });
          result = TRUE;
          return true;
        }
        if (item->mask & CBEIF_TEXT) setItemText(at, ToQ(item->pszText));
        SetItemFields(at, item);
        result = TRUE;
        return true;
      }
      case CBEM_GETITEM: {
        auto* item = reinterpret_cast<COMBOBOXEXITEM*>(lParam);
        int at = item ? static_cast<int>(item->iItem) : -2;
        if (at == -1) at = currentIndex();
        if (!item || at < 0 || at >= count()) { result = FALSE; return true; }
        if ((item->mask & CBEIF_TEXT) && item->pszText && item->cchTextMax > 0) {
          const QString t = itemText(at);
          const int k = std::min<int>(static_cast<int>(t.size()), item->cchTextMax - 1);
          for (int i = 0; i < k; ++i) item->pszText[i] = t.at(i).unicode();
          item->pszText[k] = 0;
        }
        if (item->mask & CBEIF_IMAGE) item->iImage = itemData(at, kImageRole).toInt();
        if (item->mask & CBEIF_SELECTEDIMAGE) item->iSelectedImage = itemData(at, kSelImageRole).toInt();
        if (item->mask & CBEIF_OVERLAY) item->iOverlay = itemData(at, kOverlayRole).toInt();
        if (item->mask & CBEIF_INDENT) item->iIndent = itemData(at, kIndentRole).toInt();
        if (item->mask & CBEIF_LPARAM) item->lParam = static_cast<LPARAM>(Data(at));
        result = TRUE;
        return true;
      }
      default: return false;
    }
  }

  static constexpr int kImageRole = Qt::UserRole + 2;
  static constexpr int kSelImageRole = Qt::UserRole + 3;
  static constexpr int kOverlayRole = Qt::UserRole + 4;
  static constexpr int kIndentRole = Qt::UserRole + 5;

  void SetItemFields(int at, const COMBOBOXEXITEM* item) {
    if (item->mask & CBEIF_IMAGE) setItemData(at, item->iImage, kImageRole);
    if (item->mask & CBEIF_SELECTEDIMAGE) setItemData(at, item->iSelectedImage, kSelImageRole);
    if (item->mask & CBEIF_OVERLAY) setItemData(at, item->iOverlay, kOverlayRole);
    if (item->mask & CBEIF_INDENT) setItemData(at, item->iIndent, kIndentRole);
    if (item->mask & CBEIF_LPARAM) setItemData(at, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(item->lParam)), Qt::UserRole);
    ShowImage(at);
  }

  void ShowImage(int at) {
    const QVariant img = itemData(at, kImageRole);
    setItemIcon(at, QIcon(AfxImageListPixmap(m_images, img.isValid() ? img.toInt() : -1, itemData(at, kOverlayRole).toInt())));
  }

  template <class F>
  void Silently(F f) {
    const bool old = m_silent;
    m_silent = true;
    f();
    m_silent = old;
  }

  ULONG_PTR Data(int i) const { return static_cast<ULONG_PTR>(itemData(i, Qt::UserRole).toULongLong()); }

  int Compare(const QString& a, ULONG_PTR da, int ia, const QString& b, ULONG_PTR db, int ib) {
    if (HasStrings()) return QString::compare(a, b, Qt::CaseInsensitive);
    COMPAREITEMSTRUCT cis{};
    cis.CtlType = ODT_COMBOBOX;
    cis.CtlID = ControlId();
    cis.hwndItem = Handle();
    cis.itemID1 = static_cast<UINT>(ia);
    cis.itemData1 = da;
    cis.itemID2 = static_cast<UINT>(ib);
    cis.itemData2 = db;
    return static_cast<int>(SendOwnerMessage(WM_COMPAREITEM, &cis));
  }

  int Insert(int at, LPARAM lParam, bool add) {
    const int n = count();
    if (at > n) return CB_ERR;
    if (at < 0) at = n;
    QString text;
    ULONG_PTR data = 0;
    if (HasStrings())
      text = ToQ(reinterpret_cast<LPCTSTR>(lParam));
    else
      data = static_cast<ULONG_PTR>(lParam);
    if (add && (m_style & CBS_SORT)) {
      at = n;
      for (int i = 0; i < n; ++i) {
        if (Compare(text, data, -1, itemText(i), Data(i), i) < 0) {
          at = i;
          break;
        }
      }
    }
    Silently([&] {
      insertItem(at, text);
      setItemData(at, QVariant::fromValue<qulonglong>(data), Qt::UserRole);
      // A drop-down list starts with no selection, like a new one on the original platform.
      if (n == 0) setCurrentIndex(-1);
    });
    if (m_delegate && m_delegate->IsVariable()) setItemData(at, m_delegate->ItemHeight(at, data), Qt::UserRole + 1);
    return at;
  }

  void Delete(int i) {
    if (!HasStrings() || (m_style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))) {
      DELETEITEMSTRUCT dis{};
      dis.CtlType = ODT_COMBOBOX;
      dis.CtlID = ControlId();
      dis.itemID = static_cast<UINT>(i);
      dis.hwndItem = Handle();
      dis.itemData = Data(i);
      SendOwnerMessage(WM_DELETEITEM, &dis);
    }
    Silently([&] { removeItem(i); });
  }

  int FindPrefix(int after, LPARAM lParam) {
    const int n = count();
    if (n == 0) return CB_ERR;
    const QString key = HasStrings() ? ToQ(reinterpret_cast<LPCTSTR>(lParam)) : QString();
    int start = (after < 0 || after >= n) ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
      const int i = (start + k) % n;
      if (HasStrings() ? itemText(i).startsWith(key, Qt::CaseInsensitive) : Data(i) == static_cast<ULONG_PTR>(lParam))
        return i;
    }
    return CB_ERR;
  }

  int FindExact(int after, const QString& key) {
    const int n = count();
    if (n == 0) return CB_ERR;
    int start = (after < 0 || after >= n) ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
      const int i = (start + k) % n;
      if (itemText(i).compare(key, Qt::CaseInsensitive) == 0) return i;
    }
    return CB_ERR;
  }

  DWORD m_style;
  bool m_withImages = false;
  HIMAGELIST m_images = nullptr;
  DWORD m_exStyle = 0;
  AfxOwnerDrawDelegate* m_delegate = nullptr;
  bool m_silent = false;
  bool m_dropped = false;
  bool m_changedWhileDropped = false;
  bool m_picked = false;
  bool m_closing = false;
  bool m_focused = false;
  bool m_forwarding = false;
  int m_droppedWidth = 0;
};

QWidget* MakeCombo(QWidget* parent, DWORD style, DWORD) { return new KcComboBox(parent, style); }

}  // namespace

QWidget* AfxMakeImageComboWidget(QWidget* parent, DWORD style, DWORD) {
  // The list of a combo box with images is never owner-drawn by the program.
  return new KcComboBox(parent, style & ~static_cast<DWORD>(CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE), true);
}

void AfxRegisterComboBoxClass() {
  CWnd::RegisterWidgetClass(u"COMBOBOX", &MakeCombo);
  AfxRegisterControlObject(u"COMBOBOX", []() -> CWnd* { return new CComboBox; });
}

CComboBox::CComboBox() = default;
CComboBox::~CComboBox() = default;

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

namespace {
CWnd* Self(const CComboBox* p) { return const_cast<CComboBox*>(p); }
}  // namespace

int CComboBox::GetCount() const { return static_cast<int>(Self(this)->SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(Self(this)->SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
  return static_cast<int>(Self(this)->SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}
void CComboBox::GetLBText(int nIndex, CString& rString) const {
  const int len = GetLBTextLen(nIndex);
  if (len < 0) {
    rString.Empty();
    return;
  }
  std::u16string buf(static_cast<size_t>(len) + 1 + sizeof(ULONG_PTR), u'\0');
  const int got = GetLBText(nIndex, buf.data());
  buf.resize(static_cast<size_t>(std::max(0, std::min(got, len))));
  rString = CString(buf);
}
int CComboBox::GetLBTextLen(int nIndex) const {
  return static_cast<int>(Self(this)->SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
}
int CComboBox::AddString(LPCTSTR lpszString) {
  return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}
int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) {
  return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString)));
}
int CComboBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const {
  return static_cast<int>(Self(this)->SendMessage(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
}
int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
  return static_cast<int>(Self(this)->SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}
int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) {
  return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
}
DWORD_PTR CComboBox::GetItemData(int nIndex) const {
  return static_cast<DWORD_PTR>(Self(this)->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}
void* CComboBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CComboBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
void CComboBox::ShowDropDown(BOOL bShowIt) { SendMessage(CB_SHOWDROPDOWN, bShowIt); }
BOOL CComboBox::GetDroppedState() const { return static_cast<BOOL>(Self(this)->SendMessage(CB_GETDROPPEDSTATE)); }
void CComboBox::GetDroppedControlRect(LPRECT lprect) const {
  Self(this)->SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect));
}
BOOL CComboBox::LimitText(int nMaxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars))); }
DWORD CComboBox::GetEditSel() const { return static_cast<DWORD>(Self(this)->SendMessage(CB_GETEDITSEL)); }
BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar) {
  return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELONG(static_cast<WORD>(nStartChar), static_cast<WORD>(nEndChar))));
}
int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
  return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(cyItemHeight)));
}
int CComboBox::GetItemHeight(int nIndex) const {
  return static_cast<int>(Self(this)->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)));
}
int CComboBox::SetDroppedWidth(UINT nWidth) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, nWidth)); }
int CComboBox::GetDroppedWidth() const { return static_cast<int>(Self(this)->SendMessage(CB_GETDROPPEDWIDTH)); }
void CComboBox::Clear() { SendMessage(WM_CLEAR); }
void CComboBox::Copy() { SendMessage(WM_COPY); }
void CComboBox::Cut() { SendMessage(WM_CUT); }
void CComboBox::Paste() { SendMessage(WM_PASTE); }

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT r = 0;
  switch (message) {
    case WM_DRAWITEM: DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); r = TRUE; break;
    case WM_MEASUREITEM: MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); r = TRUE; break;
    case WM_COMPAREITEM: r = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); r = TRUE; break;
    default: return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  }
  if (pResult) *pResult = r;
  return TRUE;
}
