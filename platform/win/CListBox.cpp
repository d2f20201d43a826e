#include "platform/win/CListBox.h"

#include <QtGui/QFocusEvent>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QScrollBar>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxOwnerDrawDelegate.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

namespace {

QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }

class KcListBox : public QListWidget, public AfxControlWidget {
public:
  KcListBox(QWidget* parent, DWORD style) : QListWidget(parent), m_style(style) {
    setFocusPolicy(Qt::StrongFocus);
    setUniformItemSizes(!(style & LBS_OWNERDRAWVARIABLE));
    if (style & LBS_NOSEL)
      setSelectionMode(QAbstractItemView::NoSelection);
    else if (style & LBS_EXTENDEDSEL)
      setSelectionMode(QAbstractItemView::ExtendedSelection);
    else if (style & LBS_MULTIPLESEL)
      setSelectionMode(QAbstractItemView::MultiSelection);
    else
      setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (!(style & WS_BORDER)) setFrameShape(QFrame::NoFrame);
    if (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
      m_delegate = new AfxOwnerDrawDelegate(this, ODT_LISTBOX, (style & LBS_OWNERDRAWVARIABLE) != 0, this);
      setItemDelegate(m_delegate);
    }
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
      if (!m_silent && (m_style & LBS_NOTIFY)) NotifyCommand(LBN_SELCHANGE);
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
      if (m_style & LBS_NOTIFY) NotifyCommand(LBN_DBLCLK);
    });
  }

  QWidget* Widget() override { return this; }
  void Created() override {
    if (m_delegate && !m_delegate->IsVariable()) m_delegate->ItemHeight(0, 0);
  }
  UINT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

  bool HasStrings() const {
    return !(m_style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (m_style & LBS_HASSTRINGS);
  }
  bool Multi() const { return (m_style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    const int n = count();
    const int i = static_cast<int>(static_cast<INT_PTR>(wParam));
    const bool valid = i >= 0 && i < n;
    switch (message) {
      case LB_GETCOUNT: result = n; return true;
      case LB_ADDSTRING: result = Insert(-1, lParam, true); return true;
      case LB_INSERTSTRING: result = Insert(i, lParam, false); return true;
      case LB_DELETESTRING:
        if (!valid) { result = LB_ERR; return true; }
        Delete(i);
        result = count();
        return true;
      case LB_RESETCONTENT:
        for (int k = count() - 1; k >= 0; --k) Delete(k);
        result = 0;
        return true;
      case LB_GETCURSEL:
        if (Multi()) result = currentRow() >= 0 ? currentRow() : LB_ERR;
        else result = selectedItems().isEmpty() ? LB_ERR : row(selectedItems().front());
        return true;
      case LB_SETCURSEL:
        if (Multi()) { result = LB_ERR; return true; }
        Silently([&] {
          clearSelection();
          if (valid) {
            setCurrentRow(i);
            item(i)->setSelected(true);
            scrollToItem(item(i));
          }
        });
        result = valid ? i : LB_ERR;
        return true;
      case LB_GETSEL: {
        const int at = static_cast<int>(wParam);
        result = (at >= 0 && at < n) ? (item(at)->isSelected() ? 1 : 0) : LB_ERR;
        return true;
      }
      case LB_SETSEL: {
        if (!Multi()) { result = LB_ERR; return true; }
        const int at = static_cast<int>(static_cast<INT_PTR>(lParam));
        Silently([&] {
          if (at == -1) {
            for (int k = 0; k < n; ++k) item(k)->setSelected(wParam != 0);
          } else if (at >= 0 && at < n) {
            item(at)->setSelected(wParam != 0);
          }
        });
        result = (at >= -1 && at < n) ? 0 : LB_ERR;
        return true;
      }
      case LB_GETSELCOUNT: result = Multi() ? static_cast<LRESULT>(selectedItems().size()) : LB_ERR; return true;
      case LB_GETSELITEMS: {
        if (!Multi()) { result = LB_ERR; return true; }
        auto* out = reinterpret_cast<int*>(lParam);
        int k = 0;
        for (int r = 0; r < n && k < static_cast<int>(wParam); ++r) {
          if (item(r)->isSelected()) {
            if (out) out[k] = r;
            ++k;
          }
        }
        result = k;
        return true;
      }
      case LB_GETTEXT: {
        if (!valid || !lParam) { result = LB_ERR; return true; }
        if (!HasStrings()) {
          *reinterpret_cast<ULONG_PTR*>(lParam) = Data(i);
          result = sizeof(ULONG_PTR);
          return true;
        }
        const QString t = item(i)->text();
        auto* out = reinterpret_cast<LPTSTR>(lParam);
        for (qsizetype k = 0; k < t.size(); ++k) out[k] = t.at(k).unicode();
        out[t.size()] = 0;
        result = t.size();
        return true;
      }
      case LB_GETTEXTLEN: result = valid ? (HasStrings() ? item(i)->text().size() : sizeof(ULONG_PTR)) : LB_ERR; return true;
      case LB_FINDSTRING: result = Find(i, lParam, false); return true;
      case LB_FINDSTRINGEXACT: result = Find(i, lParam, true); return true;
      case LB_SELECTSTRING: {
        const int at = Find(i, lParam, false);
        if (at >= 0 && !Multi()) {
          Silently([&] {
            clearSelection();
            setCurrentRow(at);
            item(at)->setSelected(true);
          });
        }
        result = at;
        return true;
      }
      case LB_GETITEMDATA: result = valid ? static_cast<LRESULT>(Data(i)) : LB_ERR; return true;
      case LB_SETITEMDATA:
        if (!valid) { result = LB_ERR; return true; }
        item(i)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(lParam)));
        result = 0;
        return true;
      case LB_GETTOPINDEX: {
        QListWidgetItem* top = itemAt(QPoint(2, 2));
        result = top ? row(top) : 0;
        return true;
      }
      case LB_SETTOPINDEX:
        if (!valid) { result = LB_ERR; return true; }
        scrollToItem(item(i), QAbstractItemView::PositionAtTop);
        result = 0;
        return true;
      case LB_GETITEMRECT: {
        if (!valid || !lParam) { result = LB_ERR; return true; }
        QRect r = visualItemRect(item(i));
        r.translate(viewport()->pos());
        *reinterpret_cast<RECT*>(lParam) = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        result = 0;
        return true;
      }
      case LB_SETITEMHEIGHT:
        if (m_delegate) {
          if (m_delegate->IsVariable() && valid)
            item(i)->setData(Qt::UserRole + 1, std::clamp(static_cast<int>(lParam), 1, 255));
          else
            m_delegate->SetItemHeight(0, static_cast<int>(lParam));
          doItemsLayout();
        }
        result = 0;
        return true;
      case LB_GETITEMHEIGHT:
        if (m_delegate) {
          const QVariant h = valid ? item(i)->data(Qt::UserRole + 1) : QVariant();
          result = h.isValid() ? h.toInt() : m_delegate->ItemHeight(0, 0);
        } else {
          result = fontMetrics().height() + 2;
        }
        return true;
      case LB_GETCARETINDEX: result = currentRow(); return true;
      case LB_SETCARETINDEX:
        if (!valid) { result = LB_ERR; return true; }
        Silently([&] { setCurrentItem(item(i), QItemSelectionModel::NoUpdate); });
        result = 0;
        return true;
      default: return false;
    }
  }

protected:
  void focusInEvent(QFocusEvent* e) override {
    QListWidget::focusInEvent(e);
    NotifyCommand(LBN_SETFOCUS);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QListWidget::focusOutEvent(e);
    NotifyCommand(LBN_KILLFOCUS);
  }

private:
  template <class F>
  void Silently(F f) {
    const bool old = m_silent;
    m_silent = true;
    f();
    m_silent = old;
  }

  ULONG_PTR Data(int i) const { return static_cast<ULONG_PTR>(item(i)->data(Qt::UserRole).toULongLong()); }

  int Compare(const QString& a, ULONG_PTR da, int ia, int ib) {
    if (HasStrings()) return QString::compare(a, item(ib)->text(), Qt::CaseInsensitive);
    COMPAREITEMSTRUCT cis{};
    cis.CtlType = ODT_LISTBOX;
    cis.CtlID = ControlId();
    cis.hwndItem = Handle();
    cis.itemID1 = static_cast<UINT>(ia);
    cis.itemData1 = da;
    cis.itemID2 = static_cast<UINT>(ib);
    cis.itemData2 = Data(ib);
    return static_cast<int>(SendOwnerMessage(WM_COMPAREITEM, &cis));
  }

  int Insert(int at, LPARAM lParam, bool add) {
    const int n = count();
    if (at > n) return LB_ERR;
    if (at < 0) at = n;
    QString text;
    ULONG_PTR data = 0;
    if (HasStrings())
      text = ToQ(reinterpret_cast<LPCTSTR>(lParam));
    else
      data = static_cast<ULONG_PTR>(lParam);
    if (add && (m_style & LBS_SORT)) {
      at = n;
      for (int k = 0; k < n; ++k) {
        if (Compare(text, data, -1, k) < 0) {
          at = k;
          break;
        }
      }
    }
    auto* it = new QListWidgetItem(text);
    it->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(data));
    Silently([&] { insertItem(at, it); });
    if (m_delegate && m_delegate->IsVariable()) it->setData(Qt::UserRole + 1, m_delegate->ItemHeight(at, data));
    return at;
  }

  void Delete(int i) {
    if (m_style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
      DELETEITEMSTRUCT dis{};
      dis.CtlType = ODT_LISTBOX;
      dis.CtlID = ControlId();
      dis.itemID = static_cast<UINT>(i);
      dis.hwndItem = Handle();
      dis.itemData = Data(i);
      SendOwnerMessage(WM_DELETEITEM, &dis);
    }
    Silently([&] { delete takeItem(i); });
  }

  int Find(int after, LPARAM lParam, bool exact) {
    const int n = count();
    if (n == 0) return LB_ERR;
    const QString key = HasStrings() ? ToQ(reinterpret_cast<LPCTSTR>(lParam)) : QString();
    const int start = (after < 0 || after >= n) ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
      const int r = (start + k) % n;
      if (!HasStrings()) {
        if (Data(r) == static_cast<ULONG_PTR>(lParam)) return r;
      } else if (exact ? item(r)->text().compare(key, Qt::CaseInsensitive) == 0
                       : item(r)->text().startsWith(key, Qt::CaseInsensitive)) {
        return r;
      }
    }
    return LB_ERR;
  }

  DWORD m_style;
  AfxOwnerDrawDelegate* m_delegate = nullptr;
  bool m_silent = false;
};

QWidget* MakeListBox(QWidget* parent, DWORD style, DWORD) { return new KcListBox(parent, style); }

}  // namespace

void AfxRegisterListBoxClass() {
  CWnd::RegisterWidgetClass(u"LISTBOX", &MakeListBox);
  AfxRegisterControlObject(u"LISTBOX", []() -> CWnd* { return new CListBox; });
}

CListBox::CListBox() = default;
CListBox::~CListBox() = default;

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

namespace {
CWnd* Self(const CListBox* p) { return const_cast<CListBox*>(p); }
LRESULT Ask(const CListBox* p, UINT m, WPARAM w = 0, LPARAM l = 0) { return Self(p)->SendMessage(m, w, l); }
}  // namespace

int CListBox::GetCount() const { return static_cast<int>(Ask(this, LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(Ask(this, LB_GETCURSEL)); }
int CListBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
int CListBox::GetSel(int nIndex) const { return static_cast<int>(Ask(this, LB_GETSEL, static_cast<WPARAM>(nIndex))); }
int CListBox::SetSel(int nIndex, BOOL bSelect) { return static_cast<int>(SendMessage(LB_SETSEL, bSelect, nIndex)); }
int CListBox::GetSelCount() const { return static_cast<int>(Ask(this, LB_GETSELCOUNT)); }
int CListBox::GetSelItems(int nMaxItems, int* rgIndex) const {
  return static_cast<int>(Ask(this, LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex)));
}
int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
  return static_cast<int>(Ask(this, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}
void CListBox::GetText(int nIndex, CString& rString) const {
  const int len = GetTextLen(nIndex);
  if (len < 0) {
    rString.Empty();
    return;
  }
  std::u16string buf(static_cast<size_t>(len) + 1 + sizeof(ULONG_PTR), u'\0');
  const int got = GetText(nIndex, buf.data());
  buf.resize(static_cast<size_t>(std::max(0, std::min(got, len))));
  rString = CString(buf);
}
int CListBox::GetTextLen(int nIndex) const { return static_cast<int>(Ask(this, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex))); }
int CListBox::AddString(LPCTSTR lpszItem) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem))); }
int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
  return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
}
int CListBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
  return static_cast<int>(Ask(this, LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}
int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
  return static_cast<int>(Ask(this, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}
int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
  return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}
DWORD_PTR CListBox::GetItemData(int nIndex) const { return static_cast<DWORD_PTR>(Ask(this, LB_GETITEMDATA, static_cast<WPARAM>(nIndex))); }
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}
void* CListBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CListBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
int CListBox::GetTopIndex() const { return static_cast<int>(Ask(this, LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const {
  return static_cast<int>(Ask(this, LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}
int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
  return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(cyItemHeight)));
}
int CListBox::GetItemHeight(int nIndex) const { return static_cast<int>(Ask(this, LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex))); }
int CListBox::GetCaretIndex() const { return static_cast<int>(Ask(this, LB_GETCARETINDEX)); }
int CListBox::SetCaretIndex(int nIndex, BOOL bScroll) {
  return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(nIndex), bScroll));
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
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
