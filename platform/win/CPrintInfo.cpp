#include "platform/win/CPrintInfo.h"

#include "platform/gdi/GdiApi.h"
#include "platform/win/CPrintDialog.h"

CPrintInfo::CPrintInfo() = default;

CPrintInfo::~CPrintInfo() {
  if (m_pPD && m_pPD->m_pd.hDC) {
    ::DeleteDC(m_pPD->m_pd.hDC);
    m_pPD->m_pd.hDC = nullptr;
  }
  delete m_pPD;
}
