#include "platform/bcg/CBCGPColorDialog.h"

#include <QtWidgets/QColorDialog>

namespace {
CBCGPColorDialog::AnswerFn g_answer = nullptr;
}

CBCGPColorDialog::CBCGPColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : m_color(clrInit), m_dwFlags(dwFlags), m_pParentWnd(pParentWnd) {}

CBCGPColorDialog::~CBCGPColorDialog() = default;

void CBCGPColorDialog::SetAnswerFunction(AnswerFn pfn) { g_answer = pfn; }

INT_PTR CBCGPColorDialog::DoModal() {
  if (g_answer) {
    const COLORREF c = g_answer(m_color);
    if (c == (COLORREF)-1) return IDCANCEL;
    m_color = c;
    return IDOK;
  }
  QWidget* parent = m_pParentWnd ? m_pParentWnd->GetQWidget() : nullptr;
  const QColor chosen =
      QColorDialog::getColor(QColor(GetRValue(m_color), GetGValue(m_color), GetBValue(m_color)), parent);
  if (!chosen.isValid()) return IDCANCEL;
  m_color = RGB(chosen.red(), chosen.green(), chosen.blue());
  return IDOK;
}
