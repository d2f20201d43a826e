#pragma once
// Which tool tip class and parameters each kind of the library's tool tips uses (toolbars,
// menus, buttons ...); toolbars show a command's label and its description with them.

#include "platform/bcg/CBCGPToolTipParams.h"

class CRuntimeClass;

#define BCGP_TOOLTIP_TYPE_DEFAULT 0x0001
#define BCGP_TOOLTIP_TYPE_TOOLBAR 0x0002
#define BCGP_TOOLTIP_TYPE_TAB 0x0004
#define BCGP_TOOLTIP_TYPE_MINIFRAME 0x0008
#define BCGP_TOOLTIP_TYPE_DOCKBAR 0x0010
#define BCGP_TOOLTIP_TYPE_BUTTON 0x0040
#define BCGP_TOOLTIP_TYPE_ALL 0xFFFF

class CBCGPTooltipManager {
public:
  static CBCGPTooltipManager* GetInstance();
  static CBCGPTooltipManager* Create();
  static void Destroy();

  // For every kind whose bit is in nTypes: the class (null: the plain tool tip) and a copy of
  // the parameters (null: the defaults).
  void SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC = nullptr, CBCGPToolTipParams* pParams = nullptr);
  // The parameters and class of the kind with bit nType; FALSE when none were set.
  BOOL GetTooltipParams(UINT nType, CRuntimeClass*& pRTC, CBCGPToolTipParams& params) const;
  // Toolbar tips show the command's description under its label.
  BOOL ShowsDescriptions(UINT nType) const;

private:
  CBCGPTooltipManager();
  ~CBCGPTooltipManager();
  struct Entry {
    BOOL bSet = FALSE;
    CRuntimeClass* pRTC = nullptr;
    CBCGPToolTipParams params;
  };
  Entry m_entries[16];
};
