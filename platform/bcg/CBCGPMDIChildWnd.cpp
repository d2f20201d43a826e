#include "platform/bcg/CBCGPMDIChildWnd.h"

IMPLEMENT_DYNCREATE(CBCGPMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CBCGPMDIChildWnd, CMDIChildWnd)
  ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CBCGPMDIChildWnd::CBCGPMDIChildWnd() = default;
CBCGPMDIChildWnd::~CBCGPMDIChildWnd() = default;

BOOL CBCGPMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) { return CMDIChildWnd::PreCreateWindow(cs); }

void CBCGPMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
}
