#include "platform/bcg/CBCGPRegistrySP.h"

#include "platform/bcg/CBCGPRegistry.h"

namespace {
CBCGPRegistrySP::Factory g_factory = nullptr;
}

CBCGPRegistrySP::~CBCGPRegistrySP() { delete m_pRegistry; }

CBCGPRegistry& CBCGPRegistrySP::Create(BOOL bAdmin, BOOL bReadOnly) {
  delete m_pRegistry;
  m_pRegistry = g_factory ? g_factory(bAdmin, bReadOnly) : nullptr;
  if (!m_pRegistry) m_pRegistry = new CBCGPRegistry(bAdmin, bReadOnly);
  return *m_pRegistry;
}

BOOL CBCGPRegistrySP::SetFactory(Factory pfn) {
  g_factory = pfn;
  return TRUE;
}
