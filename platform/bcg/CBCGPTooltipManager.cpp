#include "platform/bcg/CBCGPTooltipManager.h"

namespace {
CBCGPTooltipManager* g_pManager = nullptr;
}

CBCGPTooltipManager::CBCGPTooltipManager() = default;
CBCGPTooltipManager::~CBCGPTooltipManager() = default;

CBCGPTooltipManager* CBCGPTooltipManager::GetInstance() { return g_pManager; }

CBCGPTooltipManager* CBCGPTooltipManager::Create() {
  if (!g_pManager) g_pManager = new CBCGPTooltipManager;
  return g_pManager;
}

void CBCGPTooltipManager::Destroy() {
  delete g_pManager;
  g_pManager = nullptr;
}

void CBCGPTooltipManager::SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC, CBCGPToolTipParams* pParams) {
  for (int i = 0; i < 16; ++i) {
    if (!(nTypes & (1u << i))) continue;
    m_entries[i].bSet = TRUE;
    m_entries[i].pRTC = pRTC;
    m_entries[i].params = pParams ? *pParams : CBCGPToolTipParams();
  }
}

BOOL CBCGPTooltipManager::GetTooltipParams(UINT nType, CRuntimeClass*& pRTC, CBCGPToolTipParams& params) const {
  for (int i = 0; i < 16; ++i) {
    if (nType != (1u << i)) continue;
    if (!m_entries[i].bSet) return FALSE;
    pRTC = m_entries[i].pRTC;
    params = m_entries[i].params;
    return TRUE;
  }
  return FALSE;
}

BOOL CBCGPTooltipManager::ShowsDescriptions(UINT nType) const {
  CRuntimeClass* rtc = nullptr;
  CBCGPToolTipParams p;
  return GetTooltipParams(nType, rtc, p) && p.m_bDrawDescription;
}
