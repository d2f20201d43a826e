#include "platform/bcg/CBCGPToolbarButton.h"

#include "platform/afx/CArchive.h"
#include "platform/bcg/BCGPConstants.h"

IMPLEMENT_SERIAL(CBCGPToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

CBCGPToolbarButton::CBCGPToolbarButton() = default;

CBCGPToolbarButton::CBCGPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked)
    : m_nID(uiID), m_bUserButton(bUserButton), m_bLocked(bLocked) {
  if (bUserButton)
    m_iUserImage = iImage;
  else
    m_iImage = iImage;
  if (lpszText) m_strText = lpszText;
}

CBCGPToolbarButton::~CBCGPToolbarButton() = default;

void CBCGPToolbarButton::CopyFrom(const CBCGPToolbarButton& src) {
  m_nID = src.m_nID;
  m_iImage = src.m_iImage;
  m_iUserImage = src.m_iUserImage;
  m_strText = src.m_strText;
  m_nStyle = src.m_nStyle;
  m_bUserButton = src.m_bUserButton;
  m_bText = src.m_bText;
  m_bImage = src.m_bImage;
  m_bLocked = src.m_bLocked;
  m_dwdItemData = src.m_dwdItemData;
}

void CBCGPToolbarButton::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<UINT>(m_nID) << static_cast<UINT>(m_nStyle) << m_iImage << m_iUserImage << m_strText
       << static_cast<int>(m_bUserButton) << static_cast<int>(m_bText) << static_cast<int>(m_bImage);
  } else {
    UINT id = 0, style = 0;
    int image = -1, userImage = -1, user = 0, text = 0, showImage = 1;
    CString str;
    ar >> id >> style >> image >> userImage >> str >> user >> text >> showImage;
    m_nID = id;
    // Transient states (pressed, disabled) are not restored.
    m_nStyle = style & ~(TBBS_PRESSED | TBBS_DISABLED);
    m_iImage = image;
    m_iUserImage = userImage;
    m_strText = str;
    m_bUserButton = user != 0;
    m_bText = text != 0;
    m_bImage = showImage != 0;
  }
}

void CBCGPToolbarButton::OnChangeParentWnd(CWnd* pWndParent) { m_pWndParent = pWndParent; }

BOOL CBCGPToolbarButton::NotifyCommand(int) { return FALSE; }

BOOL CBCGPToolbarButton::IsOrdinaryCommand() const {
  return !IsSeparator() && m_nID != 0 && m_nID != (UINT)-1;
}

BOOL CBCGPToolbarButton::OnClick(CWnd*, BOOL) { return FALSE; }
