#include "platform/bcg/CBCGPMenuButton.h"

#include "platform/win/CMenu.h"

IMPLEMENT_DYNCREATE(CBCGPMenuButton, CBCGPButton)

BEGIN_MESSAGE_MAP(CBCGPMenuButton, CBCGPButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &CBCGPMenuButton::OnClicked)
END_MESSAGE_MAP()

CBCGPMenuButton::CBCGPMenuButton() = default;
CBCGPMenuButton::~CBCGPMenuButton() = default;

BOOL CBCGPMenuButton::OnClicked() {
  m_nMenuResult = 0;
  CMenu* menu = CMenu::FromHandle(m_hMenu);
  if (!menu) return FALSE;
  if (m_bDefaultClick) {
    m_nMenuResult = static_cast<int>(menu->GetDefaultItem(0, FALSE));
    if (m_nMenuResult == -1) m_nMenuResult = 0;
    return FALSE;
  }
  CRect r;
  GetWindowRect(&r);
  const UINT flags = TPM_RETURNCMD | TPM_LEFTALIGN | TPM_NONOTIFY;
  m_nMenuResult = static_cast<int>(menu->TrackPopupMenu(flags, m_bRightArrow ? r.right : r.left,
                                                        m_bRightArrow ? r.top : r.bottom, this));
  // The parent hears of the click next and reads the choice.
  return FALSE;
}
