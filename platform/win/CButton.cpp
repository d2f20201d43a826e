#include "platform/win/CButton.h"

#include <QtCore/QPointer>
#include <QtGui/QFocusEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxWndBridge.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

namespace {

QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }

// The behaviour shared by every kind of button widget.
template <class Base>
class KcButton : public Base, public AfxControlWidget {
public:
  KcButton(QWidget* parent, DWORD style) : Base(parent), m_type(style & BS_TYPEMASK), m_style(style) {
    this->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QAbstractButton::clicked, this, [this] { Clicked(); });
  }

  QWidget* Widget() override { return this; }

  UINT DialogCode() const override {
    switch (m_type) {
      case BS_PUSHBUTTON: case BS_PUSHBOX: case BS_OWNERDRAW: case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
      case BS_GROUPBOX: return DLGC_STATIC;
      default: return DLGC_BUTTON;
    }
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case BM_GETCHECK: result = GetCheck(); return true;
      case BM_SETCHECK: SetCheck(static_cast<int>(wParam)); result = 0; return true;
      case BM_GETSTATE: {
        LRESULT s = GetCheck();
        if (this->isDown()) s |= BST_PUSHED;
        if (this->hasFocus()) s |= BST_FOCUS;
        result = s;
        return true;
      }
      case BM_SETSTATE: this->setDown(wParam != 0); result = 0; return true;
      case BM_SETSTYLE: {
        const UINT type = static_cast<UINT>(wParam) & BS_TYPEMASK;
        if (AfxWndRecord* r = AfxWndBridge::Instance()->Find(Handle()))
          r->style = (r->style & ~static_cast<DWORD>(0xFFFF)) | (static_cast<DWORD>(wParam) & 0xFFFF);
        m_style = (m_style & ~static_cast<DWORD>(0xFFFF)) | (static_cast<DWORD>(wParam) & 0xFFFF);
        m_type = type;
        StyleChanged();
        if (lParam) this->update();
        result = 0;
        return true;
      }
      case BM_CLICK: this->click(); result = 0; return true;
      case BM_SETIMAGE: {
        LRESULT old = 0;
        if (wParam == IMAGE_BITMAP) {
          old = reinterpret_cast<LRESULT>(m_bitmap);
          m_bitmap = reinterpret_cast<HBITMAP>(lParam);
          ShowImage(AfxPixmapFromBitmap(m_bitmap));
        } else if (wParam == IMAGE_ICON) {
          old = reinterpret_cast<LRESULT>(m_icon);
          m_icon = reinterpret_cast<HICON>(lParam);
          ShowImage(AfxPixmapFromIcon(m_icon));
        }
        result = old;
        return true;
      }
      case BM_GETIMAGE:
        result = wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(m_bitmap) : reinterpret_cast<LRESULT>(m_icon);
        return true;
      default: return TextMessage(message, wParam, lParam, result);
    }
  }

protected:
  virtual int GetCheck() const { return 0; }
  virtual void SetCheck(int) {}
  virtual void StyleChanged() {}
  virtual bool TextMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

  void ShowImage(const QPixmap& pm) {
    this->setIcon(QIcon(pm));
    if (!pm.isNull()) this->setIconSize(pm.size());
    if (!pm.isNull()) {
      if (m_savedText.isNull()) m_savedText = this->text();
      this->setText(QString());
    } else if (!m_savedText.isNull()) {
      this->setText(m_savedText);
      m_savedText = QString();
    }
  }

  void Clicked() { NotifyCommand(BN_CLICKED); }

  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (m_style & BS_NOTIFY) NotifyCommand(BN_SETFOCUS);
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (m_style & BS_NOTIFY) NotifyCommand(BN_KILLFOCUS);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    Base::mouseDoubleClickEvent(e);
    const bool notifies = (m_style & BS_NOTIFY) || m_type == BS_RADIOBUTTON || m_type == BS_AUTORADIOBUTTON ||
                          m_type == BS_OWNERDRAW;
    if (notifies && e->button() == Qt::LeftButton) NotifyCommand(BN_DOUBLECLICKED);
  }

  UINT m_type;
  DWORD m_style;
  HBITMAP m_bitmap = nullptr;
  HICON m_icon = nullptr;
  QString m_savedText;
};

class KcPushButton : public KcButton<QPushButton> {
public:
  KcPushButton(QWidget* parent, DWORD style) : KcButton<QPushButton>(parent, style) {
    setAutoDefault(false);
    StyleChanged();
  }

protected:
  void StyleChanged() override { setDefault(m_type == BS_DEFPUSHBUTTON); }

  void paintEvent(QPaintEvent* e) override {
    if (m_type != BS_OWNERDRAW) {
      QPushButton::paintEvent(e);
      return;
    }
    QPainter p(this);
    UINT state = 0;
    if (isDown()) state |= ODS_SELECTED;
    if (hasFocus()) state |= ODS_FOCUS;
    if (!isEnabled()) state |= ODS_DISABLED;
    DrawOwnerItem(&p, ODT_BUTTON, 0, ODA_DRAWENTIRE, state, rect(), 0);
  }
};

class KcCheckBox : public KcButton<QCheckBox> {
public:
  KcCheckBox(QWidget* parent, DWORD style) : KcButton<QCheckBox>(parent, style) { StyleChanged(); }

protected:
  void StyleChanged() override { setTristate(m_type == BS_3STATE || m_type == BS_AUTO3STATE); }
  int GetCheck() const override {
    switch (checkState()) {
      case Qt::Checked: return BST_CHECKED;
      case Qt::PartiallyChecked: return BST_INDETERMINATE;
      default: return BST_UNCHECKED;
    }
  }
  void SetCheck(int n) override {
    if (n == BST_INDETERMINATE && !isTristate()) n = BST_CHECKED;
    setCheckState(n == BST_CHECKED ? Qt::Checked : n == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
  }
  // Only the automatic kinds change themselves when clicked; three states go
  // unchecked, checked, indeterminate.
  void nextCheckState() override {
    if (m_type == BS_AUTOCHECKBOX) {
      setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    } else if (m_type == BS_AUTO3STATE) {
      const Qt::CheckState s = checkState();
      setCheckState(s == Qt::Unchecked ? Qt::Checked : s == Qt::Checked ? Qt::PartiallyChecked : Qt::Unchecked);
    }
  }
};

class KcRadioButton : public KcButton<QRadioButton> {
public:
  KcRadioButton(QWidget* parent, DWORD style) : KcButton<QRadioButton>(parent, style) {
    // Groups follow WS_GROUP, not the parent.
    setAutoExclusive(false);
  }

protected:
  int GetCheck() const override { return isChecked() ? BST_CHECKED : BST_UNCHECKED; }
  void SetCheck(int n) override { setChecked(n != BST_UNCHECKED); }
  void nextCheckState() override {
    if (m_type != BS_AUTORADIOBUTTON) return;
    setChecked(true);
    for (QWidget* w : AfxControlGroup(this)) {
      if (w == this) continue;
      if (auto* r = dynamic_cast<KcRadioButton*>(w); r && r->m_type == BS_AUTORADIOBUTTON) r->setChecked(false);
    }
  }
  void keyPressEvent(QKeyEvent* e) override { QAbstractButton::keyPressEvent(e); }
};

class KcGroupBox : public QGroupBox, public AfxControlWidget {
public:
  explicit KcGroupBox(QWidget* parent) : QGroupBox(parent) { setFocusPolicy(Qt::NoFocus); }
  QWidget* Widget() override { return this; }
  UINT DialogCode() const override { return DLGC_STATIC; }
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_SETTEXT: setTitle(ToQ(reinterpret_cast<LPCTSTR>(lParam))); result = TRUE; return true;
      case WM_GETTEXTLENGTH: result = title().size(); return true;
      case WM_GETTEXT: {
        if (!wParam || !lParam) { result = 0; return true; }
        const QString t = title();
        auto* buf = reinterpret_cast<LPTSTR>(lParam);
        const int n = std::min<int>(t.size(), static_cast<int>(wParam) - 1);
        for (int i = 0; i < n; ++i) buf[i] = t.at(i).unicode();
        buf[n] = 0;
        result = n;
        return true;
      }
      case BM_GETCHECK: case BM_GETSTATE: result = 0; return true;
      default: return false;
    }
  }
};

QWidget* MakeButton(QWidget* parent, DWORD style, DWORD) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
      return new KcCheckBox(parent, style);
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
      return new KcRadioButton(parent, style);
    case BS_GROUPBOX:
      return new KcGroupBox(parent);
    default:
      return new KcPushButton(parent, style);
  }
}

}  // namespace

void AfxRegisterButtonClass() {
  CWnd::RegisterWidgetClass(u"BUTTON", &MakeButton);
  AfxRegisterControlObject(u"BUTTON", []() -> CWnd* { return new CButton; });
}

CButton::CButton() = default;
CButton::~CButton() = default;

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const { return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
UINT CButton::GetState() const { return static_cast<UINT>(const_cast<CButton*>(this)->SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight); }
UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFFF; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }

HBITMAP CButton::SetBitmap(HBITMAP hBitmap) {
  return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CButton::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(const_cast<CButton*>(this)->SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
}
HICON CButton::SetIcon(HICON hIcon) {
  return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CButton::GetIcon() const {
  return reinterpret_cast<HICON>(const_cast<CButton*>(this)->SendMessage(BM_GETIMAGE, IMAGE_ICON));
}
void CButton::Click() { SendMessage(BM_CLICK); }

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) {
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult) *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
