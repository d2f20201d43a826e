#include "platform/win/CStatic.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QLabel>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxWndBridge.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

namespace {

class KcStatic : public QLabel, public AfxControlWidget {
public:
  KcStatic(QWidget* parent, DWORD style) : QLabel(parent), m_style(style) {
    const DWORD type = style & SS_TYPEMASK;
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
    Qt::Alignment a = Qt::AlignTop;
    if (type == SS_CENTER) a |= Qt::AlignHCenter;
    else if (type == SS_RIGHT) a |= Qt::AlignRight;
    else a |= Qt::AlignLeft;
    if (style & SS_CENTERIMAGE) a = (a & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter;
    if (type == SS_ICON || type == SS_BITMAP) a = Qt::AlignLeft | Qt::AlignTop;
    setAlignment(a);
    switch (type) {
      case SS_BLACKFRAME: case SS_GRAYFRAME: case SS_WHITEFRAME: setFrameStyle(QFrame::Box | QFrame::Plain); break;
      case SS_ETCHEDFRAME: setFrameStyle(QFrame::Box | QFrame::Sunken); break;
      case SS_ETCHEDHORZ: setFrameStyle(QFrame::HLine | QFrame::Sunken); break;
      case SS_ETCHEDVERT: setFrameStyle(QFrame::VLine | QFrame::Sunken); break;
      default: break;
    }
    if (style & SS_SUNKEN) setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }

  QWidget* Widget() override { return this; }
  UINT DialogCode() const override { return DLGC_STATIC; }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_SETTEXT: {
        // "&x" marks a mnemonic (shown underlined by the style); "&&" is an ampersand.
        QString t = lParam ? QString::fromUtf16(reinterpret_cast<LPCTSTR>(lParam)) : QString();
        m_text = t;
        if (!(m_style & SS_NOPREFIX)) {
          QString shown;
          for (qsizetype i = 0; i < t.size(); ++i) {
            if (t[i] == QLatin1Char('&') && i + 1 < t.size()) ++i;
            shown.append(t[i]);
          }
          t = shown;
        }
        setText(t);
        result = TRUE;
        return true;
      }
      case WM_GETTEXTLENGTH: result = m_text.size(); return true;
      case WM_GETTEXT: {
        if (!wParam || !lParam) { result = 0; return true; }
        auto* buf = reinterpret_cast<LPTSTR>(lParam);
        const int n = std::min<int>(m_text.size(), static_cast<int>(wParam) - 1);
        for (int i = 0; i < n; ++i) buf[i] = m_text.at(i).unicode();
        buf[n] = 0;
        result = n;
        return true;
      }
      case STM_SETICON:
      case STM_SETIMAGE: {
        const bool icon = message == STM_SETICON || wParam == IMAGE_ICON;
        const LPARAM h = message == STM_SETICON ? static_cast<LPARAM>(wParam) : lParam;
        if (icon) {
          result = reinterpret_cast<LRESULT>(m_icon);
          m_icon = reinterpret_cast<HICON>(h);
          setPixmap(AfxPixmapFromIcon(m_icon));
        } else {
          result = reinterpret_cast<LRESULT>(m_bitmap);
          m_bitmap = reinterpret_cast<HBITMAP>(h);
          setPixmap(AfxPixmapFromBitmap(m_bitmap));
        }
        return true;
      }
      case STM_GETICON: result = reinterpret_cast<LRESULT>(m_icon); return true;
      case STM_GETIMAGE:
        result = wParam == IMAGE_ICON ? reinterpret_cast<LRESULT>(m_icon) : reinterpret_cast<LRESULT>(m_bitmap);
        return true;
      default: return false;
    }
  }

  QString m_text;

protected:
  void paintEvent(QPaintEvent* e) override {
    const DWORD type = m_style & SS_TYPEMASK;
    if (type == SS_OWNERDRAW) {
      QPainter p(this);
      DrawOwnerItem(&p, ODT_STATIC, 0, ODA_DRAWENTIRE, isEnabled() ? 0 : ODS_DISABLED, rect(), 0);
      return;
    }
    if (type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT) {
      QPainter p(this);
      p.fillRect(rect(), type == SS_BLACKRECT ? palette().color(QPalette::WindowText)
                         : type == SS_GRAYRECT ? palette().color(QPalette::Mid)
                                               : palette().color(QPalette::Light));
      return;
    }
    QLabel::paintEvent(e);
  }
  void mousePressEvent(QMouseEvent* e) override {
    QLabel::mousePressEvent(e);
    if ((m_style & SS_NOTIFY) && e->button() == Qt::LeftButton) NotifyCommand(STN_CLICKED);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QLabel::mouseDoubleClickEvent(e);
    if ((m_style & SS_NOTIFY) && e->button() == Qt::LeftButton) NotifyCommand(STN_DBLCLK);
  }

private:
  DWORD m_style;
  HICON m_icon = nullptr;
  HBITMAP m_bitmap = nullptr;
};

QWidget* MakeStatic(QWidget* parent, DWORD style, DWORD) { return new KcStatic(parent, style); }

}  // namespace

void AfxRegisterStaticClass() {
  CWnd::RegisterWidgetClass(u"STATIC", &MakeStatic);
  AfxRegisterControlObject(u"STATIC", []() -> CWnd* { return new CStatic; });
}

CStatic::CStatic() = default;
CStatic::~CStatic() = default;

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) {
  return reinterpret_cast<HICON>(SendMessage(STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CStatic::GetIcon() const {
  return reinterpret_cast<HICON>(const_cast<CStatic*>(this)->SendMessage(STM_GETIMAGE, IMAGE_ICON));
}
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
  return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CStatic::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(const_cast<CStatic*>(this)->SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) {
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult) *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
