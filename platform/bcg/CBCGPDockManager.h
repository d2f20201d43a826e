#pragma once
// Program-wide docking settings.

#include "platform/bcg/BCGPConstants.h"

class CBCGPDockManager {
public:
  // How bars dock while dragged (immediate, outline, smart docking markers).
  static void SetDockMode(BCGP_DOCK_TYPE dockMode, int theme = 0);
  static BCGP_DOCK_TYPE GetDockMode();
};
