#include "platform/bcg/CBCGPToolTipCtrl.h"

IMPLEMENT_DYNCREATE(CBCGPToolTipCtrl, CToolTipCtrl)

CBCGPToolTipCtrl::CBCGPToolTipCtrl(CBCGPToolTipParams* pParams) { SetParams(pParams); }
CBCGPToolTipCtrl::~CBCGPToolTipCtrl() = default;

void CBCGPToolTipCtrl::SetParams(CBCGPToolTipParams* pParams) { m_Params = pParams ? *pParams : CBCGPToolTipParams(); }
