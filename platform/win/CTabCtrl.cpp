#include "platform/win/CTabCtrl.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QStyleOptionTabWidgetFrame>
#include <QtWidgets/QTabBar>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxImageListData.h"
#include "platform/win/CImageList.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

namespace {

QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }

class KcTab;

// The tabs: a click or key that would change the tab asks the control first.
class KcTabBar : public QTabBar {
public:
  KcTabBar(KcTab* owner, QWidget* parent) : QTabBar(parent), m_owner(owner) { setFocusPolicy(Qt::NoFocus); }

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent*) override {}

private:
  KcTab* m_owner;
};

class KcTab : public QWidget, public AfxControlWidget {
public:
  KcTab(QWidget* parent, DWORD style) : QWidget(parent), m_style(style) {
    setFocusPolicy((style & TCS_FOCUSNEVER) ? Qt::NoFocus : Qt::StrongFocus);
    m_bar = new KcTabBar(this, this);
    m_bar->setShape((style & TCS_BOTTOM) ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(!(style & TCS_MULTILINE));
  }

  QWidget* Widget() override { return this; }
  UINT DialogCode() const override { return DLGC_WANTARROWS; }

  // A change of tab by the user: asked, made, told.
  bool UserSelect(int index) {
    if (index < 0 || index >= m_bar->count() || index == m_bar->currentIndex()) return false;
    NMHDR h{};
    const HWND self = Handle();
    if (NotifyParent(&h, TCN_SELCHANGING) != 0 || !IsWindow(self)) return false;
    Silently([&] { m_bar->setCurrentIndex(index); });
    NMHDR done{};
    NotifyParent(&done, TCN_SELCHANGE);
    return true;
  }

  template <class F>
  void Silently(F f) {
    const QSignalBlocker b(m_bar);
    f();
  }

  int BarHeight() const { return m_bar->count() ? m_bar->sizeHint().height() : m_bar->fontMetrics().height() + 8; }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    const int i = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
      case TCM_GETITEMCOUNT: result = m_bar->count(); return true;
      case TCM_INSERTITEM: {
        const auto* item = reinterpret_cast<const TCITEM*>(lParam);
        if (!item) { result = -1; return true; }
        const int at = std::clamp(i, 0, m_bar->count());
        Silently([&] { m_bar->insertTab(at, (item->mask & TCIF_TEXT) ? ToQ(item->pszText) : QString()); });
        m_bar->setTabData(at, QVariant::fromValue<qlonglong>((item->mask & TCIF_PARAM) ? item->lParam : 0));
        SetImage(at, (item->mask & TCIF_IMAGE) ? item->iImage : -1);
        Layout();
        result = at;
        return true;
      }
      case TCM_DELETEITEM:
        if (i < 0 || i >= m_bar->count()) { result = FALSE; return true; }
        Silently([&] { m_bar->removeTab(i); });
        m_images.erase(m_images.begin() + std::min<size_t>(static_cast<size_t>(i), m_images.size()), m_images.begin() + std::min<size_t>(static_cast<size_t>(i) + 1, m_images.size()));
        Layout();
        result = TRUE;
        return true;
      case TCM_DELETEALLITEMS:
        Silently([&] {
          while (m_bar->count()) m_bar->removeTab(0);
        });
        m_images.clear();
        result = TRUE;
        return true;
      case TCM_GETITEM:
      case TCM_SETITEM: {
        auto* item = reinterpret_cast<TCITEM*>(lParam);
        if (!item || i < 0 || i >= m_bar->count()) { result = FALSE; return true; }
        if (message == TCM_GETITEM) {
          if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
            const QString t = m_bar->tabText(i);
            const int n = std::min<int>(static_cast<int>(t.size()), item->cchTextMax - 1);
            for (int k = 0; k < n; ++k) item->pszText[k] = t.at(k).unicode();
            item->pszText[n] = 0;
          }
          if (item->mask & TCIF_PARAM) item->lParam = static_cast<LPARAM>(m_bar->tabData(i).toLongLong());
          if (item->mask & TCIF_IMAGE) item->iImage = static_cast<size_t>(i) < m_images.size() ? m_images[static_cast<size_t>(i)] : -1;
        } else {
          if (item->mask & TCIF_TEXT) m_bar->setTabText(i, ToQ(item->pszText));
          if (item->mask & TCIF_PARAM) m_bar->setTabData(i, QVariant::fromValue<qlonglong>(item->lParam));
          if (item->mask & TCIF_IMAGE) SetImage(i, item->iImage);
        }
        result = TRUE;
        return true;
      }
      case TCM_GETCURSEL: result = m_bar->currentIndex(); return true;
      case TCM_SETCURSEL: {
        result = m_bar->currentIndex();
        if (i < 0 || i >= m_bar->count()) { result = -1; return true; }
        Silently([&] { m_bar->setCurrentIndex(i); });
        return true;
      }
      case TCM_GETCURFOCUS: result = m_bar->currentIndex(); return true;
      case TCM_SETCURFOCUS: UserSelect(i); result = 0; return true;
      case TCM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        if (!rc || i < 0 || i >= m_bar->count()) { result = FALSE; return true; }
        const QRect r = m_bar->tabRect(i).translated(m_bar->pos());
        *rc = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        result = TRUE;
        return true;
      }
      case TCM_HITTEST: {
        auto* hi = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!hi) { result = -1; return true; }
        const int at = m_bar->tabAt(QPoint(hi->pt.x, hi->pt.y) - m_bar->pos());
        hi->flags = at >= 0 ? TCHT_ONITEM : TCHT_NOWHERE;
        result = at;
        return true;
      }
      case TCM_ADJUSTRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        if (!rc) { result = 0; return true; }
        const int tabs = BarHeight();
        const int m = 2;
        if (wParam) {
          rc->left -= m;
          rc->right += m;
          rc->bottom += m;
          rc->top -= tabs + m;
        } else {
          rc->left += m;
          rc->right -= m;
          rc->bottom -= m;
          rc->top += tabs + m;
        }
        result = 0;
        return true;
      }
      case TCM_GETROWCOUNT: result = 1; return true;
      case TCM_SETIMAGELIST:
        result = reinterpret_cast<LRESULT>(m_imageList);
        m_imageList = reinterpret_cast<HIMAGELIST>(lParam);
        for (int k = 0; k < m_bar->count(); ++k) SetImage(k, static_cast<size_t>(k) < m_images.size() ? m_images[static_cast<size_t>(k)] : -1);
        return true;
      case TCM_GETIMAGELIST: result = reinterpret_cast<LRESULT>(m_imageList); return true;
      default: return false;
    }
  }

  KcTabBar* m_bar;

protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    Layout();
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QStyleOptionTabWidgetFrame opt;
    opt.initFrom(this);
    opt.rect = QRect(0, BarHeight() - 1, width(), height() - BarHeight() + 1);
    opt.shape = m_bar->shape();
    opt.tabBarSize = m_bar->sizeHint();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p, this);
  }
  void keyPressEvent(QKeyEvent* e) override {
    const int n = m_bar->count();
    if (n > 0 && (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)) {
      const int step = e->key() == Qt::Key_Left ? -1 : 1;
      UserSelect(std::clamp(m_bar->currentIndex() + step, 0, n - 1));
      return;
    }
    QWidget::keyPressEvent(e);
  }

private:
  void Layout() { m_bar->setGeometry(0, 0, width(), BarHeight()); }
  void SetImage(int i, int image) {
    if (i < 0) return;
    if (m_images.size() <= static_cast<size_t>(i)) m_images.resize(static_cast<size_t>(i) + 1, -1);
    m_images[static_cast<size_t>(i)] = image;
    m_bar->setTabIcon(i, QIcon(AfxImageListPixmap(m_imageList, image)));
  }

  DWORD m_style;
  HIMAGELIST m_imageList = nullptr;
  std::vector<int> m_images;
};

void KcTabBar::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const int at = tabAt(e->position().toPoint());
  if (at >= 0) m_owner->UserSelect(at);
}

QWidget* MakeTab(QWidget* parent, DWORD style, DWORD) { return new KcTab(parent, style); }

}  // namespace

void AfxRegisterTabClass() {
  CWnd::RegisterWidgetClass(u"SysTabControl32", &MakeTab);
  AfxRegisterControlObject(u"SysTabControl32", []() -> CWnd* { return new CTabCtrl; });
}

CTabCtrl::CTabCtrl() = default;
CTabCtrl::~CTabCtrl() = default;

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"SysTabControl32", nullptr, dwStyle, rect, pParentWnd, nID);
}

LRESULT CTabCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

namespace {
LRESULT Ask(const CTabCtrl* p, UINT m, WPARAM w = 0, LPARAM l = 0) { return const_cast<CTabCtrl*>(p)->SendMessage(m, w, l); }
WPARAM W(int i) { return static_cast<WPARAM>(static_cast<INT_PTR>(i)); }
}  // namespace

int CTabCtrl::GetItemCount() const { return static_cast<int>(Ask(this, TCM_GETITEMCOUNT)); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
  TCITEM it{};
  it.mask = TCIF_TEXT;
  it.pszText = const_cast<LPTSTR>(lpszItem);
  return InsertItem(nItem, &it);
}
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  TCITEM it{};
  it.mask = TCIF_TEXT | TCIF_IMAGE;
  it.pszText = const_cast<LPTSTR>(lpszItem);
  it.iImage = nImage;
  return InsertItem(nItem, &it);
}
LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem) {
  return static_cast<LONG>(SendMessage(TCM_INSERTITEM, W(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}
BOOL CTabCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, W(nItem))); }
BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const {
  return static_cast<BOOL>(Ask(this, TCM_GETITEM, W(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}
BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem) {
  return static_cast<BOOL>(SendMessage(TCM_SETITEM, W(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}
int CTabCtrl::GetCurSel() const { return static_cast<int>(Ask(this, TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, W(nItem))); }
int CTabCtrl::GetCurFocus() const { return static_cast<int>(Ask(this, TCM_GETCURFOCUS)); }
void CTabCtrl::SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, W(nItem)); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const {
  return static_cast<BOOL>(Ask(this, TCM_GETITEMRECT, W(nItem), reinterpret_cast<LPARAM>(lpRect)));
}
int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const {
  return static_cast<int>(Ask(this, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(lpRect)); }
int CTabCtrl::GetRowCount() const { return static_cast<int>(Ask(this, TCM_GETROWCOUNT)); }
CImageList* CTabCtrl::SetImageList(CImageList* pImageList) {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr))));
}
CImageList* CTabCtrl::GetImageList() const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(Ask(this, TCM_GETIMAGELIST)));
}
