#include "platform/bcg/CBCGPButton.h"

#include <QtGui/QPalette>
#include <QtWidgets/QPushButton>

#include "platform/gdi/CBitmap.h"

namespace {
BOOL g_bTheme = FALSE;
}

IMPLEMENT_DYNCREATE(CBCGPButton, CButton)

CBCGPButton::CBCGPButton() = default;
CBCGPButton::~CBCGPButton() = default;

void CBCGPButton::EnableWinXPTheme(BOOL bEnable) { g_bTheme = bEnable; }
BOOL CBCGPButton::IsWinXPThemeEnabled() { return g_bTheme; }

BOOL CBCGPButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!CButton::Create(lpszCaption, dwStyle, rect, pParentWnd, nID)) return FALSE;
  InitButton();
  return TRUE;
}

void CBCGPButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  InitButton();
}

void CBCGPButton::InitButton() { ApplyLook(); }

void CBCGPButton::ApplyLook() {
  auto* b = qobject_cast<QPushButton*>(GetQWidget());
  if (!b) return;
  b->setFlat(m_nFlatStyle == BUTTONSTYLE_FLAT || m_nFlatStyle == BUTTONSTYLE_NOBORDERS);
  if (m_clrFace != (COLORREF)-1) {
    QPalette p = b->palette();
    p.setColor(QPalette::Button, QColor(GetRValue(m_clrFace), GetGValue(m_clrFace), GetBValue(m_clrFace)));
    b->setPalette(p);
  }
}

void CBCGPButton::SetImage(HICON hIcon, BOOL, HICON, HICON, BOOL) {
  if (!m_hWnd) return;
  SetIcon(hIcon);
  m_bHasImage = hIcon != nullptr;
}

void CBCGPButton::SetImage(HBITMAP hBitmap, BOOL, HBITMAP, BOOL, HBITMAP) {
  if (!m_hWnd) return;
  SetBitmap(hBitmap);
  m_bHasImage = hBitmap != nullptr;
}

void CBCGPButton::SetImage(UINT uiBmpResId, UINT, UINT) {
  if (!m_hWnd) return;
  auto* bmp = new CBitmap;  // lives as long as the program's images
  if (!bmp->LoadBitmap(uiBmpResId)) {
    delete bmp;
    return;
  }
  SetImage(static_cast<HBITMAP>(bmp->GetSafeHandle()));
}

void CBCGPButton::SetTooltip(LPCTSTR lpszToolTipText) {
  m_strTooltip = lpszToolTipText ? lpszToolTipText : u"";
  if (QWidget* w = GetQWidget()) w->setToolTip(QString::fromStdU16String(std::u16string(m_strTooltip)));
}

CSize CBCGPButton::SizeToContent(BOOL bCalcOnly) {
  QWidget* w = GetQWidget();
  if (!w) return CSize(0, 0);
  const QSize s = w->sizeHint();
  if (!bCalcOnly) SetWindowPos(nullptr, 0, 0, s.width(), s.height(), SWP_NOMOVE | SWP_NOZORDER);
  return CSize(s.width(), s.height());
}

void CBCGPButton::SetFaceColor(COLORREF crFace, BOOL bRedraw) {
  m_clrFace = crFace;
  ApplyLook();
  if (bRedraw && m_hWnd) Invalidate();
}
