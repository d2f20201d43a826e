#include "platform/win/CSliderCtrl.h"

#include <QtWidgets/QSlider>

#include "platform/win/AfxControlWidget.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

namespace {

class KcSlider : public QSlider, public AfxControlWidget {
public:
  KcSlider(QWidget* parent, DWORD style) : QSlider((style & TBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent), m_style(style) {
    setFocusPolicy(Qt::StrongFocus);
    setRange(0, 100);
    setSingleStep(1);
    setPageStep(20);
    // The minimum is at the top of a vertical bar.
    if (style & TBS_VERT) setInvertedAppearance(true), setInvertedControls(true);
    if (style & TBS_NOTICKS)
      setTickPosition(QSlider::NoTicks);
    else if (style & TBS_BOTH)
      setTickPosition(QSlider::TicksBothSides);
    else if (style & TBS_TOP)
      setTickPosition(QSlider::TicksAbove);
    else
      setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
      switch (action) {
        case SliderSingleStepAdd: m_code = TB_LINEDOWN; break;
        case SliderSingleStepSub: m_code = TB_LINEUP; break;
        case SliderPageStepAdd: m_code = TB_PAGEDOWN; break;
        case SliderPageStepSub: m_code = TB_PAGEUP; break;
        case SliderToMinimum: m_code = TB_TOP; break;
        case SliderToMaximum: m_code = TB_BOTTOM; break;
        case SliderMove: m_code = TB_THUMBTRACK; break;
        default: m_code = -1; break;
      }
    });
    connect(this, &QAbstractSlider::valueChanged, this, [this](int v) {
      if (m_silent || m_code < 0) return;
      const int code = m_code;
      Tell(code, v);
      if (code != TB_THUMBTRACK) Tell(TB_ENDTRACK, v);
      m_code = -1;
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
      Tell(TB_THUMBPOSITION, value());
      Tell(TB_ENDTRACK, value());
    });
  }

  QWidget* Widget() override { return this; }
  UINT DialogCode() const override { return DLGC_WANTARROWS; }

  void Tell(int code, int pos) {
    HWND self = Handle();
    HWND parent = ::GetParent(self);
    if (!parent) return;
    const WORD p = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? static_cast<WORD>(pos) : 0;
    ::SendMessage(parent, (m_style & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, p), reinterpret_cast<LPARAM>(self));
  }

  template <class F>
  void Silently(F f) {
    const bool old = m_silent;
    m_silent = true;
    f();
    m_silent = old;
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case TBM_GETPOS: result = value(); return true;
      case TBM_SETPOS: Silently([&] { setValue(static_cast<int>(lParam)); }); result = 0; return true;
      case TBM_SETRANGE:
        Silently([&] { setRange(static_cast<short>(LOWORD(lParam)), std::max<int>(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))); });
        result = 0;
        return true;
      case TBM_SETRANGEMIN: Silently([&] { setMinimum(static_cast<int>(lParam)); }); result = 0; return true;
      case TBM_SETRANGEMAX: Silently([&] { setMaximum(static_cast<int>(lParam)); }); result = 0; return true;
      case TBM_GETRANGEMIN: result = minimum(); return true;
      case TBM_GETRANGEMAX: result = maximum(); return true;
      case TBM_SETPAGESIZE: result = pageStep(); setPageStep(static_cast<int>(lParam)); return true;
      case TBM_GETPAGESIZE: result = pageStep(); return true;
      case TBM_SETLINESIZE: result = singleStep(); setSingleStep(static_cast<int>(lParam)); return true;
      case TBM_GETLINESIZE: result = singleStep(); return true;
      case TBM_SETTICFREQ: setTickInterval(std::max(1, static_cast<int>(wParam))); result = 0; return true;
      case TBM_SETTIC: result = (lParam >= minimum() && lParam <= maximum()) ? TRUE : FALSE; return true;
      case TBM_CLEARTICS: result = 0; return true;
      default: return false;
    }
  }

private:
  DWORD m_style;
  int m_code = -1;
  bool m_silent = false;
};

QWidget* MakeSlider(QWidget* parent, DWORD style, DWORD) { return new KcSlider(parent, style); }

}  // namespace

void AfxRegisterSliderClass() {
  CWnd::RegisterWidgetClass(u"msctls_trackbar32", &MakeSlider);
  AfxRegisterControlObject(u"msctls_trackbar32", []() -> CWnd* { return new CSliderCtrl; });
}

CSliderCtrl::CSliderCtrl() = default;
CSliderCtrl::~CSliderCtrl() = default;

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"msctls_trackbar32", nullptr, dwStyle, rect, pParentWnd, nID);
}

LRESULT CSliderCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

namespace {
LRESULT Ask(const CSliderCtrl* p, UINT m, WPARAM w = 0, LPARAM l = 0) { return const_cast<CSliderCtrl*>(p)->SendMessage(m, w, l); }
}  // namespace

int CSliderCtrl::GetPos() const { return static_cast<int>(Ask(this, TBM_GETPOS)); }
void CSliderCtrl::SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw) {
  SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
  SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
}
void CSliderCtrl::GetRange(int& nMin, int& nMax) const {
  nMin = GetRangeMin();
  nMax = GetRangeMax();
}
int CSliderCtrl::GetRangeMin() const { return static_cast<int>(Ask(this, TBM_GETRANGEMIN)); }
int CSliderCtrl::GetRangeMax() const { return static_cast<int>(Ask(this, TBM_GETRANGEMAX)); }
void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw) { SendMessage(TBM_SETRANGEMIN, bRedraw, nMin); }
void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
int CSliderCtrl::SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
int CSliderCtrl::GetPageSize() const { return static_cast<int>(Ask(this, TBM_GETPAGESIZE)); }
int CSliderCtrl::SetLineSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, nSize)); }
int CSliderCtrl::GetLineSize() const { return static_cast<int>(Ask(this, TBM_GETLINESIZE)); }
void CSliderCtrl::SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(nFreq)); }
BOOL CSliderCtrl::SetTic(int nTic) { return static_cast<BOOL>(SendMessage(TBM_SETTIC, 0, nTic)); }
void CSliderCtrl::ClearTics(BOOL bRedraw) { SendMessage(TBM_CLEARTICS, bRedraw); }
