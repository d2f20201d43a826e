#include "platform/bcg/CBCGPDockManager.h"

namespace {
BCGP_DOCK_TYPE g_mode = DT_IMMEDIATE;
}

void CBCGPDockManager::SetDockMode(BCGP_DOCK_TYPE dockMode, int) { g_mode = dockMode; }
BCGP_DOCK_TYPE CBCGPDockManager::GetDockMode() { return g_mode; }
