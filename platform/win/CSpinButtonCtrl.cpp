#include "platform/win/CSpinButtonCtrl.h"

#include <vector>

#include <QtCore/QElapsedTimer>

#include <QtCore/QLocale>
#include <QtCore/QPointer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QToolButton>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxWndBridge.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

namespace {

class KcSpin : public QWidget, public AfxControlWidget {
public:
  KcSpin(QWidget* parent, DWORD style) : QWidget(parent), m_style(style) {
    setFocusPolicy(Qt::NoFocus);
    const bool horz = style & UDS_HORZ;
    auto* box = new QBoxLayout(horz ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setArrowType(horz ? Qt::RightArrow : Qt::UpArrow);
    m_down->setArrowType(horz ? Qt::LeftArrow : Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
      b->setAutoRepeat(true);
      b->setFocusPolicy(Qt::NoFocus);
      b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    if (horz) {
      box->addWidget(m_down);
      box->addWidget(m_up);
    } else {
      box->addWidget(m_up);
      box->addWidget(m_down);
    }
    // Held down, the arrows speed up as the standard up-down control does.
    // Auto-repeat presses again on every repeat: the hold starts with the first press only.
    for (QToolButton* b : {m_up, m_down})
      connect(b, &QToolButton::pressed, this, [this] {
        if (!m_holding) m_held.start();
        m_holding = true;
      });
    connect(m_up, &QToolButton::clicked, this, [this] { Step(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(false); });
  }

  QWidget* Widget() override { return this; }

  void Created() override {
    if (m_style & UDS_AUTOBUDDY) {
      // The buddy is the control made just before this one.
      QWidget* prev = nullptr;
      if (QWidget* p = parentWidget()) {
        for (QObject* o : p->children()) {
          if (o == this) break;
          auto* w = qobject_cast<QWidget*>(o);
          if (w && !w->isWindow() && AfxWndBridge::Instance()->Find(w)) prev = w;
        }
      }
      if (prev) SetBuddy(CWnd::HwndFromQWidget(prev, FALSE));
    }
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case UDM_SETRANGE:
        m_upper = static_cast<short>(LOWORD(lParam));
        m_lower = static_cast<short>(HIWORD(lParam));
        m_pos = Clamp(m_pos);
        result = 0;
        return true;
      case UDM_SETRANGE32:
        m_lower = static_cast<int>(static_cast<INT_PTR>(wParam));
        m_upper = static_cast<int>(lParam);
        m_pos = Clamp(m_pos);
        result = 0;
        return true;
      case UDM_GETRANGE:
        result = MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower));
        return true;
      case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = m_lower;
        if (lParam) *reinterpret_cast<int*>(lParam) = m_upper;
        result = 0;
        return true;
      case UDM_SETPOS:
      case UDM_SETPOS32: {
        const int old = m_pos;
        m_pos = Clamp(message == UDM_SETPOS ? static_cast<short>(LOWORD(lParam)) : static_cast<int>(lParam));
        ShowInBuddy();
        result = old;
        return true;
      }
      case UDM_GETPOS: {
        bool ok = true;
        ReadBuddy(&ok);
        result = MAKELONG(static_cast<WORD>(m_pos), ok ? 0 : 1);
        return true;
      }
      case UDM_GETPOS32: {
        bool ok = true;
        ReadBuddy(&ok);
        if (lParam) *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
        result = m_pos;
        return true;
      }
      case UDM_SETBUDDY: {
        result = reinterpret_cast<LRESULT>(m_buddy);
        SetBuddy(reinterpret_cast<HWND>(wParam));
        return true;
      }
      case UDM_SETACCEL: {
        const auto* table = reinterpret_cast<const UDACCEL*>(lParam);
        if (static_cast<int>(wParam) < 0 || (wParam > 0 && table == nullptr)) {
          result = FALSE;
          return true;
        }
        m_accel.assign(table, table + wParam);
        result = TRUE;
        return true;
      }
      case UDM_GETACCEL: {
        auto* out = reinterpret_cast<UDACCEL*>(lParam);
        for (size_t i = 0; out != nullptr && i < m_accel.size() && i < wParam; ++i) out[i] = m_accel[i];
        result = static_cast<LRESULT>(m_accel.size());
        return true;
      }
      case UDM_GETBUDDY: result = reinterpret_cast<LRESULT>(IsWindow(m_buddy) ? m_buddy : nullptr); return true;
      default: return false;
    }
  }

  // One press of an arrow: asks the parent, moves, tells it.
  void Step(bool up) {
    ReadBuddy(nullptr);
    const bool inverted = m_lower > m_upper;
    NMUPDOWN nm{};
    nm.iPos = m_pos;
    // A repeat comes while the arrow is still down; the step of the release ends the hold.
    const bool repeating = m_holding && (m_up->isDown() || m_down->isDown());
    const DWORD held = repeating ? static_cast<DWORD>(m_held.elapsed()) : 0;
    const int magnitude = m_accel.empty() ? CSpinButtonCtrl::AccelerationDelta(held)
                                          : CSpinButtonCtrl::AccelerationDelta(held, m_accel.data(), static_cast<int>(m_accel.size()));
    if (!repeating) m_holding = false;
    nm.iDelta = (up != inverted) ? magnitude : -magnitude;
    const HWND self = Handle();
    if (NotifyParent(&nm.hdr, UDN_DELTAPOS) != 0) return;
    if (!IsWindow(self)) return;
    const int lo = std::min(m_lower, m_upper), hi = std::max(m_lower, m_upper);
    long long next = static_cast<long long>(m_pos) + nm.iDelta;
    if (next < lo) next = (m_style & UDS_WRAP) ? hi : lo;
    if (next > hi) next = (m_style & UDS_WRAP) ? lo : hi;
    if (static_cast<int>(next) == m_pos) return;
    m_pos = static_cast<int>(next);
    ShowInBuddy();
    HWND parent = ::GetParent(self);
    if (!parent) return;
    const UINT msg = (m_style & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    ::SendMessage(parent, msg, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(m_pos)), reinterpret_cast<LPARAM>(self));
    if (IsWindow(self)) ::SendMessage(parent, msg, MAKEWPARAM(SB_ENDSCROLL, static_cast<WORD>(m_pos)), reinterpret_cast<LPARAM>(self));
  }

  QToolButton* m_up;
  QToolButton* m_down;
  QElapsedTimer m_held;
  std::vector<UDACCEL> m_accel;
  bool m_holding = false;

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if ((m_style & UDS_ARROWKEYS) && watched == m_buddyWidget && e->type() == QEvent::KeyPress) {
      auto* ke = static_cast<QKeyEvent*>(e);
      if (ke->key() == Qt::Key_Up || ke->key() == Qt::Key_Down) {
        Step(ke->key() == Qt::Key_Up);
        return true;
      }
    }
    return QWidget::eventFilter(watched, e);
  }

private:
  int Clamp(int v) const { return std::clamp(v, std::min(m_lower, m_upper), std::max(m_lower, m_upper)); }

  void SetBuddy(HWND h) {
    if (m_buddyWidget) m_buddyWidget->removeEventFilter(this);
    m_buddy = h;
    m_buddyWidget = CWnd::QWidgetFromHwnd(h);
    if (!m_buddyWidget) return;
    m_buddyWidget->installEventFilter(this);
    if ((m_style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) && m_buddyWidget->parentWidget() == parentWidget()) {
      // Placed inside the buddy's old area, which shrinks by the arrows' width.
      QRect b = m_buddyWidget->geometry();
      const int w = width();
      if (m_style & UDS_ALIGNRIGHT) {
        setGeometry(b.right() + 1 - w, b.top(), w, b.height());
        b.setWidth(std::max(0, b.width() - w));
      } else {
        setGeometry(b.left(), b.top(), w, b.height());
        b.setLeft(b.left() + w);
      }
      m_buddyWidget->setGeometry(b);
    }
    ShowInBuddy();
  }

  void ShowInBuddy() {
    if (!(m_style & UDS_SETBUDDYINT) || !IsWindow(m_buddy)) return;
    QString t = QString::number(m_pos);
    if (!(m_style & UDS_NOTHOUSANDS) && std::abs(m_pos) >= 1000) t = QLocale(QLocale::English).toString(m_pos);
    ::SendMessage(m_buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.utf16()));
  }

  void ReadBuddy(bool* pOk) {
    if (!(m_style & UDS_SETBUDDYINT) || !IsWindow(m_buddy)) return;
    const int len = static_cast<int>(::SendMessage(m_buddy, WM_GETTEXTLENGTH, 0, 0));
    if (len < 0 || len > 64) {
      if (pOk) *pOk = false;
      return;
    }
    std::u16string buf(static_cast<size_t>(len) + 1, u'\0');
    ::SendMessage(m_buddy, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    QString t = QString::fromUtf16(buf.c_str()).trimmed();
    t.remove(QLatin1Char(','));
    bool ok = false;
    const int v = t.toInt(&ok);
    if (ok) m_pos = Clamp(v);
    if (pOk) *pOk = ok;
  }

  DWORD m_style;
  int m_lower = 100;  // the default range runs from 100 down to 0
  int m_upper = 0;
  int m_pos = 0;
  HWND m_buddy = nullptr;
  QPointer<QWidget> m_buddyWidget;
};

QWidget* MakeSpin(QWidget* parent, DWORD style, DWORD) { return new KcSpin(parent, style); }

}  // namespace

void AfxRegisterSpinClass() {
  CWnd::RegisterWidgetClass(u"msctls_updown32", &MakeSpin);
  AfxRegisterControlObject(u"msctls_updown32", []() -> CWnd* { return new CSpinButtonCtrl; });
}

CSpinButtonCtrl::CSpinButtonCtrl() = default;
CSpinButtonCtrl::~CSpinButtonCtrl() = default;

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"msctls_updown32", nullptr, dwStyle, rect, pParentWnd, nID);
}

namespace {
LRESULT Ask(const CSpinButtonCtrl* p, UINT m, WPARAM w = 0, LPARAM l = 0) {
  return const_cast<CSpinButtonCtrl*>(p)->SendMessage(m, w, l);
}
}  // namespace

void CSpinButtonCtrl::SetRange(short nLower, short nUpper) {
  SendMessage(UDM_SETRANGE, 0, MAKELONG(static_cast<WORD>(nUpper), static_cast<WORD>(nLower)));
}
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) {
  SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(static_cast<INT_PTR>(nLower)), nUpper);
}
DWORD CSpinButtonCtrl::GetRange() const { return static_cast<DWORD>(Ask(this, UDM_GETRANGE)); }
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  const DWORD r = GetRange();
  lower = static_cast<short>(HIWORD(r));
  upper = static_cast<short>(LOWORD(r));
}
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  Ask(this, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}
int CSpinButtonCtrl::SetPos(int nPos) {
  return static_cast<int>(SendMessage(UDM_SETPOS, 0, MAKELONG(static_cast<WORD>(nPos), 0)));
}
int CSpinButtonCtrl::GetPos() const { return static_cast<int>(Ask(this, UDM_GETPOS)); }
int CSpinButtonCtrl::SetPos32(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const {
  return static_cast<int>(Ask(this, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
  return CWnd::FromHandle(reinterpret_cast<HWND>(
      SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->GetSafeHwnd() : nullptr))));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(Ask(this, UDM_GETBUDDY))); }

LRESULT CSpinButtonCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

int CSpinButtonCtrl::AccelerationDelta(DWORD dwHeldMs, const UDACCEL* pAccel, int nAccel) {
  int delta = 1;
  for (int i = 0; pAccel != nullptr && i < nAccel; ++i)
    if (static_cast<unsigned long long>(dwHeldMs) >= static_cast<unsigned long long>(pAccel[i].nSec) * 1000ULL)
      delta = static_cast<int>(pAccel[i].nInc);
  return delta;
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel) {
  return static_cast<BOOL>(SendMessage(UDM_SETACCEL, static_cast<WPARAM>(nAccel), reinterpret_cast<LPARAM>(pAccel)));
}

UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const {
  return static_cast<UINT>(Ask(this, UDM_GETACCEL, static_cast<WPARAM>(nAccel), reinterpret_cast<LPARAM>(pAccel)));
}

int CSpinButtonCtrl::AccelerationDelta(DWORD dwHeldMs) {
  if (dwHeldMs >= 5000) return 20;
  if (dwHeldMs >= 2000) return 5;
  return 1;
}
