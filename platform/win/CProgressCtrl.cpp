#include "platform/win/CProgressCtrl.h"

#include <QtWidgets/QProgressBar>

#include "platform/win/AfxControlWidget.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

namespace {

class KcProgress : public QProgressBar, public AfxControlWidget {
public:
  KcProgress(QWidget* parent, DWORD style) : QProgressBar(parent) {
    setTextVisible(false);
    setOrientation((style & PBS_VERTICAL) ? Qt::Vertical : Qt::Horizontal);
    setRange(0, 100);
    setValue(0);
  }
  QWidget* Widget() override { return this; }

  int Set(long long v) {
    const int old = value();
    setValue(static_cast<int>(std::clamp<long long>(v, minimum(), maximum())));
    return old;
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case PBM_SETRANGE: {
        result = MAKELONG(static_cast<WORD>(minimum()), static_cast<WORD>(maximum()));
        const int lo = static_cast<short>(LOWORD(lParam));
        setRange(lo, std::max(lo, static_cast<int>(static_cast<short>(HIWORD(lParam)))));
        return true;
      }
      case PBM_SETRANGE32: {
        result = MAKELONG(static_cast<WORD>(minimum()), static_cast<WORD>(maximum()));
        const int lo = static_cast<int>(static_cast<INT_PTR>(wParam));
        setRange(lo, std::max(lo, static_cast<int>(lParam)));
        return true;
      }
      case PBM_GETRANGE:
        if (auto* r = reinterpret_cast<PBRANGE*>(lParam)) *r = PBRANGE{minimum(), maximum()};
        result = wParam ? minimum() : maximum();
        return true;
      case PBM_SETPOS: result = Set(static_cast<int>(static_cast<INT_PTR>(wParam))); return true;
      case PBM_GETPOS: result = value(); return true;
      case PBM_DELTAPOS: result = Set(static_cast<long long>(value()) + static_cast<int>(static_cast<INT_PTR>(wParam))); return true;
      case PBM_SETSTEP: result = m_step; m_step = static_cast<int>(static_cast<INT_PTR>(wParam)); return true;
      case PBM_STEPIT: {
        long long next = static_cast<long long>(value()) + m_step;
        if (next > maximum()) next = minimum() + (next - maximum()) % std::max(1, maximum() - minimum());
        result = Set(next);
        return true;
      }
      default: return false;
    }
  }

private:
  int m_step = 10;
};

QWidget* MakeProgress(QWidget* parent, DWORD style, DWORD) { return new KcProgress(parent, style); }

}  // namespace

void AfxRegisterProgressClass() {
  CWnd::RegisterWidgetClass(u"msctls_progress32", &MakeProgress);
  AfxRegisterControlObject(u"msctls_progress32", []() -> CWnd* { return new CProgressCtrl; });
}

CProgressCtrl::CProgressCtrl() = default;
CProgressCtrl::~CProgressCtrl() = default;

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"msctls_progress32", nullptr, dwStyle, rect, pParentWnd, nID);
}

LRESULT CProgressCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CProgressCtrl::SetRange(short nLower, short nUpper) {
  SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(nLower), static_cast<WORD>(nUpper)));
}
void CProgressCtrl::SetRange32(int nLower, int nUpper) {
  SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(static_cast<INT_PTR>(nLower)), nUpper);
}
void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
  PBRANGE r{};
  const_cast<CProgressCtrl*>(this)->SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r));
  nLower = r.iLow;
  nUpper = r.iHigh;
}
int CProgressCtrl::GetPos() const { return static_cast<int>(const_cast<CProgressCtrl*>(this)->SendMessage(PBM_GETPOS)); }
int CProgressCtrl::SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(static_cast<INT_PTR>(nPos)))); }
int CProgressCtrl::OffsetPos(int nPos) { return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(static_cast<INT_PTR>(nPos)))); }
int CProgressCtrl::SetStep(int nStep) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(static_cast<INT_PTR>(nStep)))); }
int CProgressCtrl::StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
