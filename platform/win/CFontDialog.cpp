#include "platform/win/CFontDialog.h"

#include <QtGui/QFontDatabase>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFontDialog>

#include <cmath>

#include "platform/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CFontDialog, CDialog)

namespace {

// Screen pixels per inch the sizes are converted with, as the original's screen had.
constexpr int kScreenDpi = 96;

QFont FromLogFont(const LOGFONT& lf) {
  QFont f(QString::fromUtf16(lf.lfFaceName));
  const int h = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  if (h > 0) f.setPointSizeF(h * 72.0 / kScreenDpi);
  f.setWeight(lf.lfWeight >= 700 ? QFont::Bold : lf.lfWeight >= 600 ? QFont::DemiBold : lf.lfWeight > 0 && lf.lfWeight <= 300 ? QFont::Light : QFont::Normal);
  f.setItalic(lf.lfItalic != 0);
  f.setUnderline(lf.lfUnderline != 0);
  f.setStrikeOut(lf.lfStrikeOut != 0);
  return f;
}

void ToLogFont(const QFont& f, LOGFONT& lf) {
  lf = LOGFONT{};
  const double pt = f.pointSizeF() > 0 ? f.pointSizeF() : 9.0;
  lf.lfHeight = -static_cast<LONG>(std::lround(pt * kScreenDpi / 72.0));
  lf.lfWeight = f.weight() >= QFont::Bold ? 700 : f.weight() >= QFont::DemiBold ? 600 : f.weight() <= QFont::Light ? 300 : 400;
  lf.lfItalic = f.italic() ? 1 : 0;
  lf.lfUnderline = f.underline() ? 1 : 0;
  lf.lfStrikeOut = f.strikeOut() ? 1 : 0;
  lf.lfCharSet = 1;  // the default character set
  const std::u16string face = f.family().left(LF_FACESIZE - 1).toStdU16String();
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  lf.lfFaceName[face.size()] = 0;
}

}  // namespace

BOOL ChooseFont(LPCHOOSEFONT lpcf) {
  // Like every common dialog, this one answers CommDlgExtendedError for its own outcome.
  AfxSetCommDlgError(0);
  if (!lpcf || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
    AfxSetCommDlgError(CDERR_INITIALIZATION);
    return FALSE;
  }
  QWidget* parent = CWnd::QWidgetFromHwnd(lpcf->hwndOwner);
  if (!parent) parent = QApplication::activeWindow();
  QFontDialog d(parent ? parent->window() : nullptr);
  QFontDialog::FontDialogOptions opts = QFontDialog::DontUseNativeDialog;
  if (lpcf->Flags & CF_FIXEDPITCHONLY) opts |= QFontDialog::MonospacedFonts;
  if (lpcf->Flags & CF_SCALABLEONLY) opts |= QFontDialog::ScalableFonts;
  d.setOptions(opts);
  if ((lpcf->Flags & CF_INITTOLOGFONTSTRUCT) && lpcf->lpLogFont) d.setCurrentFont(FromLogFont(*lpcf->lpLogFont));
  if (lpcf->Flags & CF_ENABLEHOOK && lpcf->lpfnHook)
    lpcf->lpfnHook(CWnd::HwndFromQWidget(&d, TRUE), WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(lpcf));
  if (d.exec() != QDialog::Accepted) return FALSE;
  QFont f = d.selectedFont();
  if (lpcf->Flags & CF_LIMITSIZE) {
    const double pt = std::clamp(f.pointSizeF(), static_cast<double>(lpcf->nSizeMin), static_cast<double>(std::max(lpcf->nSizeMin, lpcf->nSizeMax)));
    f.setPointSizeF(pt);
  }
  if (lpcf->lpLogFont) ToLogFont(f, *lpcf->lpLogFont);
  lpcf->iPointSize = static_cast<INT>(std::lround((f.pointSizeF() > 0 ? f.pointSizeF() : 9.0) * 10));
  return TRUE;
}

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd) {
  m_pParentWnd = pParentWnd;
  m_cf.lStructSize = sizeof(CHOOSEFONT);
  m_cf.Flags = dwFlags | CF_SCREENFONTS;
  m_cf.lpLogFont = &m_lf;
  if (lplfInitial) {
    m_lf = *lplfInitial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
  (void)pdcPrinter;
}

CFontDialog::~CFontDialog() = default;

INT_PTR CFontDialog::DoModal() {
  if (!m_cf.hwndOwner) {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_cf.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
  }
  m_cf.lpLogFont = &m_lf;
  return ChooseFont(&m_cf) ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf) {
  if (lplf) *lplf = m_lf;
}

CString CFontDialog::GetFaceName() const { return CString(m_lf.lfFaceName); }

int CFontDialog::GetSize() const { return m_cf.iPointSize; }
