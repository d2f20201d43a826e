#include "platform/win/CScrollBar.h"

#include <QtWidgets/QScrollBar>

#include "platform/win/AfxControlWidget.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

class KcScrollBar : public QScrollBar, public AfxControlWidget {
public:
  KcScrollBar(QWidget* parent, DWORD style) : QScrollBar((style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent), m_style(style) {
    m_si.cbSize = sizeof(SCROLLINFO);
    m_si.nMax = 100;
    Sync();
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
      WORD code = SB_ENDSCROLL;
      switch (action) {
        case SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case SliderSingleStepSub: code = SB_LINEUP; break;
        case SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case SliderPageStepSub: code = SB_PAGEUP; break;
        case SliderToMinimum: code = SB_TOP; break;
        case SliderToMaximum: code = SB_BOTTOM; break;
        case SliderMove:
          m_si.nTrackPos = sliderPosition();
          Tell(SB_THUMBTRACK, sliderPosition());
          return;
        default: return;
      }
      // The bar stays where it is until the parent moves it.
      setSliderPosition(m_si.nPos);
      Tell(code, 0);
      Tell(SB_ENDSCROLL, 0);
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
      Tell(SB_THUMBPOSITION, m_si.nTrackPos);
      Tell(SB_ENDSCROLL, 0);
      Sync();
    });
  }
  QWidget* Widget() override { return this; }

  void Tell(WORD code, int pos) {
    HWND self = Handle();
    HWND parent = ::GetParent(self);
    if (!parent) return;
    ::SendMessage(parent, (m_style & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)),
                  reinterpret_cast<LPARAM>(self));
  }

  int MaxPos() const { return std::max(m_si.nMin, m_si.nMax - std::max(static_cast<int>(m_si.nPage) - 1, 0)); }

  void Sync() {
    const QSignalBlocker block(this);
    setRange(m_si.nMin, MaxPos());
    setPageStep(std::max<int>(1, static_cast<int>(m_si.nPage)));
    setValue(m_si.nPos);
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case SBM_SETPOS: {
        result = m_si.nPos;
        m_si.nPos = std::clamp(static_cast<int>(static_cast<INT_PTR>(wParam)), m_si.nMin, MaxPos());
        Sync();
        return true;
      }
      case SBM_GETPOS: result = m_si.nPos; return true;
      case SBM_SETRANGE:
      case SBM_SETRANGEREDRAW:
        m_si.nMin = static_cast<int>(static_cast<INT_PTR>(wParam));
        m_si.nMax = std::max(m_si.nMin, static_cast<int>(lParam));
        m_si.nPos = std::clamp(m_si.nPos, m_si.nMin, MaxPos());
        Sync();
        result = m_si.nPos;
        return true;
      case SBM_GETRANGE:
        if (wParam) *reinterpret_cast<int*>(wParam) = m_si.nMin;
        if (lParam) *reinterpret_cast<int*>(lParam) = m_si.nMax;
        result = 0;
        return true;
      case SBM_SETSCROLLINFO: {
        const auto* si = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (!si) { result = m_si.nPos; return true; }
        if (si->fMask & SIF_RANGE) {
          m_si.nMin = si->nMin;
          m_si.nMax = std::max(si->nMin, si->nMax);
        }
        if (si->fMask & SIF_PAGE) m_si.nPage = std::min<UINT>(si->nPage, static_cast<UINT>(m_si.nMax - m_si.nMin + 1));
        if (si->fMask & SIF_POS) m_si.nPos = si->nPos;
        m_si.nPos = std::clamp(m_si.nPos, m_si.nMin, MaxPos());
        Sync();
        result = m_si.nPos;
        return true;
      }
      case SBM_GETSCROLLINFO: {
        auto* si = reinterpret_cast<SCROLLINFO*>(lParam);
        if (!si) { result = FALSE; return true; }
        if (si->fMask & SIF_RANGE) {
          si->nMin = m_si.nMin;
          si->nMax = m_si.nMax;
        }
        if (si->fMask & SIF_PAGE) si->nPage = m_si.nPage;
        if (si->fMask & SIF_POS) si->nPos = m_si.nPos;
        if (si->fMask & SIF_TRACKPOS) si->nTrackPos = m_si.nTrackPos;
        result = TRUE;
        return true;
      }
      case SBM_ENABLE_ARROWS: setEnabled(wParam != ESB_DISABLE_BOTH); result = TRUE; return true;
      default: return false;
    }
  }

private:
  DWORD m_style;
  SCROLLINFO m_si{};
};

QWidget* MakeScrollBar(QWidget* parent, DWORD style, DWORD) { return new KcScrollBar(parent, style); }

}  // namespace

void AfxRegisterScrollBarClass() {
  CWnd::RegisterWidgetClass(u"SCROLLBAR", &MakeScrollBar);
  AfxRegisterControlObject(u"SCROLLBAR", []() -> CWnd* { return new CScrollBar; });
}

CScrollBar::CScrollBar() = default;
CScrollBar::~CScrollBar() = default;

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

LRESULT CScrollBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

int CScrollBar::GetScrollPos() const { return static_cast<int>(const_cast<CScrollBar*>(this)->SendMessage(SBM_GETPOS)); }
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) {
  return static_cast<int>(SendMessage(SBM_SETPOS, static_cast<WPARAM>(static_cast<INT_PTR>(nPos)), bRedraw));
}
void CScrollBar::GetScrollRange(int* lpMinPos, int* lpMaxPos) const {
  const_cast<CScrollBar*>(this)->SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos), reinterpret_cast<LPARAM>(lpMaxPos));
}
void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) {
  SendMessage(bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(static_cast<INT_PTR>(nMinPos)), nMaxPos);
}
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  if (!lpScrollInfo) return FALSE;
  SendMessage(SBM_SETSCROLLINFO, bRedraw, reinterpret_cast<LPARAM>(lpScrollInfo));
  return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) {
  if (!lpScrollInfo) return FALSE;
  if (!lpScrollInfo->fMask) lpScrollInfo->fMask = nMask;
  return static_cast<BOOL>(SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpScrollInfo)));
}
int CScrollBar::GetScrollLimit() {
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  GetScrollInfo(&si);
  return std::max(si.nMin, si.nMax - std::max(static_cast<int>(si.nPage) - 1, 0));
}
void CScrollBar::ShowScrollBar(BOOL bShow) { ShowWindow(bShow ? SW_SHOW : SW_HIDE); }
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) { return static_cast<BOOL>(SendMessage(SBM_ENABLE_ARROWS, nArrowFlags)); }
