#include "platform/win/CColorDialog.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QColorDialog>

#include "platform/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

namespace {
COLORREF g_custom[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                         0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
QColor ToQ(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF ToRef(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }
}  // namespace

BOOL ChooseColor(LPCHOOSECOLOR lpcc) {
  // Like every common dialog, this one answers CommDlgExtendedError for its own outcome.
  AfxSetCommDlgError(0);
  if (!lpcc || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
    AfxSetCommDlgError(CDERR_INITIALIZATION);
    return FALSE;
  }
  QWidget* parent = CWnd::QWidgetFromHwnd(lpcc->hwndOwner);
  if (!parent) parent = QApplication::activeWindow();
  QColorDialog d(parent ? parent->window() : nullptr);
  d.setOption(QColorDialog::DontUseNativeDialog, true);
  if (lpcc->lpCustColors)
    for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, ToQ(lpcc->lpCustColors[i]));
  d.setCurrentColor((lpcc->Flags & CC_RGBINIT) ? ToQ(lpcc->rgbResult) : QColor(Qt::black));
  if (lpcc->Flags & CC_ENABLEHOOK && lpcc->lpfnHook)
    lpcc->lpfnHook(CWnd::HwndFromQWidget(&d, TRUE), WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(lpcc));
  const bool ok = d.exec() == QDialog::Accepted;
  // Custom colours the user set are kept even when the dialog is cancelled.
  if (lpcc->lpCustColors)
    for (int i = 0; i < 16; ++i) lpcc->lpCustColors[i] = ToRef(QColorDialog::customColor(i));
  if (!ok) return FALSE;
  lpcc->rgbResult = ToRef(d.selectedColor());
  return TRUE;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) {
  m_pParentWnd = pParentWnd;
  m_cc.lStructSize = sizeof(CHOOSECOLOR);
  m_cc.lpCustColors = g_custom;
  m_cc.Flags = dwFlags;
  if (clrInit != 0) m_cc.Flags |= CC_RGBINIT;
  m_cc.rgbResult = clrInit;
}

CColorDialog::~CColorDialog() = default;

COLORREF* CColorDialog::GetSavedCustomColors() { return g_custom; }

void CColorDialog::SetCurrentColor(COLORREF clr) {
  m_cc.rgbResult = clr;
  m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
  if (!m_cc.hwndOwner) {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_cc.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
  }
  return ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}
