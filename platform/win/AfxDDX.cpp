#include "platform/win/AfxDDX.h"

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtWidgets/QWidget>

#include <cmath>
#include <limits>

#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/AfxControlWidget.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

QString Q(const CString& s) { return s.ToQString(); }
CString C(const QString& s) { return CString::FromQString(s); }

// Texts longer than this are not read from a control by the exchange.
constexpr int kMaxText = 1 << 20;

QString WindowText(HWND h) {
  if (!h) return QString();
  const LRESULT len = ::SendMessage(h, WM_GETTEXTLENGTH, 0, 0);
  if (len <= 0) return QString();
  const int n = static_cast<int>(std::min<LRESULT>(len, kMaxText));
  std::u16string buf(static_cast<size_t>(n) + 1, u'\0');
  const LRESULT got = ::SendMessage(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  buf.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, n)));
  return QString::fromStdU16String(buf);
}

void SetWindowText(HWND h, const QString& t) {
  if (h) ::SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.utf16()));
}

[[noreturn]] void Refuse(CDataExchange* pDX, UINT nIDPrompt, const CString& a1 = CString(), const CString& a2 = CString()) {
  const CString text = AfxDataExchangePrompt(nIDPrompt, a1, a2);
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION, nIDPrompt);
  pDX->Fail();
}

bool ParseSigned(const QString& text, long long lo, long long hi, long long& v) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return false;
  bool ok = false;
  v = t.toLongLong(&ok, 10);
  return ok && v >= lo && v <= hi;
}

bool ParseUnsigned(const QString& text, unsigned long long hi, unsigned long long& v) {
  const QString t = text.trimmed();
  if (t.isEmpty() || t.startsWith(QLatin1Char('-'))) return false;
  bool ok = false;
  v = t.toULongLong(&ok, 10);
  return ok && v <= hi;
}

bool ParseReal(const QString& text, double& v) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return false;
  bool ok = false;
  v = t.toDouble(&ok);
  return ok && std::isfinite(v);
}

template <typename T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    if (!ParseSigned(WindowText(h), std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), v))
      Refuse(pDX, AFX_IDP_PARSE_INT);
    value = static_cast<T>(v);
  } else {
    SetWindowText(h, QString::number(static_cast<long long>(value)));
  }
}

template <typename T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, UINT nPrompt) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    unsigned long long v = 0;
    if (!ParseUnsigned(WindowText(h), std::numeric_limits<T>::max(), v)) Refuse(pDX, nPrompt);
    value = static_cast<T>(v);
  } else {
    SetWindowText(h, QString::number(static_cast<unsigned long long>(value)));
  }
}

template <typename T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    double v = 0;
    if (!ParseReal(WindowText(h), v)) Refuse(pDX, AFX_IDP_PARSE_REAL);
    if (std::fabs(v) > static_cast<double>(std::numeric_limits<T>::max())) Refuse(pDX, AFX_IDP_PARSE_REAL);
    value = static_cast<T>(v);
  } else {
    SetWindowText(h, QString::number(static_cast<double>(value), 'g', digits));
  }
}

template <typename T>
void CheckRange(CDataExchange* pDX, T value, T lo, T hi, bool real) {
  if (!pDX->m_bSaveAndValidate) return;
  if (value >= lo && value <= hi) return;
  if (real)
    Refuse(pDX, AFX_IDP_PARSE_REAL_RANGE, C(QString::number(static_cast<double>(lo), 'g', 15)),
           C(QString::number(static_cast<double>(hi), 'g', 15)));
  else if constexpr (std::is_signed_v<T>)
    Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, C(QString::number(static_cast<long long>(lo))),
           C(QString::number(static_cast<long long>(hi))));
  else
    Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, C(QString::number(static_cast<unsigned long long>(lo))),
           C(QString::number(static_cast<unsigned long long>(hi))));
}

QString ClassOf(HWND h) {
  char16_t buf[64] = {};
  const int n = ::GetClassName(h, buf, 64);
  return QString::fromUtf16(buf, std::max(0, n));
}

bool IsCombo(HWND h) { return ClassOf(h).compare(QLatin1String("COMBOBOX"), Qt::CaseInsensitive) == 0; }

}  // namespace

CString AfxDataExchangePrompt(UINT nIDPrompt, const CString& arg1, const CString& arg2) {
  std::u16string s;
  QString text;
  if (AfxLoadStringResource(nIDPrompt, s) && !s.empty()) {
    text = QString::fromStdU16String(s);
  } else {
    switch (nIDPrompt) {
      case AFX_IDP_PARSE_INT: text = QStringLiteral("Enter a whole number."); break;
      case AFX_IDP_PARSE_UINT: text = QStringLiteral("Enter a whole number that is not negative."); break;
      case AFX_IDP_PARSE_REAL: text = QStringLiteral("Enter a number."); break;
      case AFX_IDP_PARSE_INT_RANGE: text = QStringLiteral("Enter a whole number from %1 to %2."); break;
      case AFX_IDP_PARSE_REAL_RANGE: text = QStringLiteral("Enter a number from %1 to %2."); break;
      case AFX_IDP_PARSE_STRING_SIZE: text = QStringLiteral("Enter at most %1 characters."); break;
      case AFX_IDP_PARSE_RADIO_BUTTON: text = QStringLiteral("Choose one of the options."); break;
      case AFX_IDP_PARSE_BYTE: text = QStringLiteral("Enter a whole number from 0 to 255."); break;
      default: break;
    }
  }
  // Only %1 and %2 are placeholders; an argument's own % signs stay as they are.
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('%') && i + 1 < text.size() && (text[i + 1] == QLatin1Char('1') || text[i + 1] == QLatin1Char('2'))) {
      out += text[i + 1] == QLatin1Char('1') ? Q(arg1) : Q(arg2);
      ++i;
      continue;
    }
    out += text[i];
  }
  return C(out);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeSigned(pDX, nIDC, value); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
  // long is kept to 32 bits, as the data it holds was written with.
  int v = static_cast<int>(value);
  if (!pDX->m_bSaveAndValidate) v = static_cast<int>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
  ExchangeSigned(pDX, nIDC, v);
  if (pDX->m_bSaveAndValidate) value = v;
}
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeSigned(pDX, nIDC, value); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ExchangeUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_BYTE); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, 15); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeReal(pDX, nIDC, value, 6); }

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = C(WindowText(h));
  else
    SetWindowText(h, Q(value));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessage(h, BM_GETCHECK, 0, 0));
  } else {
    if (value < 0 || value > 2) value = 0;
    ::SendMessage(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  QWidget* w = CWnd::QWidgetFromHwnd(h);
  if (!w) return;
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (QWidget* member : AfxControlGroup(w)) {
    HWND mh = CWnd::HwndFromQWidget(member, FALSE);
    if (!(::SendMessage(mh, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (::SendMessage(mh, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessage(mh, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessage(h, CB_GETCURSEL, 0, 0));
  else
    ::SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    value = C(WindowText(h));
    return;
  }
  // The entry beginning with the text is selected; without one the text is shown as it is.
  if (::SendMessage(h, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR)
    SetWindowText(h, Q(value));
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    value = C(WindowText(h));
    return;
  }
  const LRESULT at = ::SendMessage(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
  if (at == CB_ERR)
    SetWindowText(h, Q(value));
  else
    ::SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessage(h, LB_GETCURSEL, 0, 0));
  else
    ::SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {
void LBString(CDataExchange* pDX, int nIDC, CString& value, bool exact) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    const LRESULT cur = ::SendMessage(h, LB_GETCURSEL, 0, 0);
    value.Empty();
    if (cur == LB_ERR) return;
    const LRESULT len = ::SendMessage(h, LB_GETTEXTLEN, static_cast<WPARAM>(cur), 0);
    if (len <= 0 || len > kMaxText) return;
    std::u16string buf(static_cast<size_t>(len) + 1 + sizeof(ULONG_PTR), u'\0');
    const LRESULT got = ::SendMessage(h, LB_GETTEXT, static_cast<WPARAM>(cur), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, len)));
    value = CString(buf);
    return;
  }
  const UINT find = exact ? LB_FINDSTRINGEXACT : LB_FINDSTRING;
  const LRESULT at = ::SendMessage(h, find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
  ::SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(at == LB_ERR ? -1 : at), 0);
}
}  // namespace

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { LBString(pDX, nIDC, value, false); }
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { LBString(pDX, nIDC, value, true); }

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessage(h, TBM_GETPOS, 0, 0));
  else
    ::SendMessage(h, TBM_SETPOS, TRUE, value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.GetSafeHwnd()) return;
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h || !rControl.SubclassWindow(h)) {
    // The template lacks the control, or another object holds it already.
    AfxThrowNotSupportedException();
  }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { CheckRange(pDX, value, minVal, maxVal, false); }
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) { CheckRange(pDX, value, minVal, maxVal, false); }
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) { CheckRange(pDX, value, minVal, maxVal, false); }
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) { CheckRange(pDX, value, minVal, maxVal, false); }
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) { CheckRange(pDX, value, minVal, maxVal, false); }
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) { CheckRange(pDX, value, minVal, maxVal, false); }
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
  CheckRange(pDX, value, minVal, maxVal, true);
}
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  Refuse(pDX, AFX_IDP_PARSE_REAL_RANGE, C(QString::number(static_cast<double>(minVal), 'g', 6)),
         C(QString::number(static_cast<double>(maxVal), 'g', 6)));
}
void DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  if (!pDX->m_bSaveAndValidate) {
    // Loading: the slider's range becomes the limits.
    HWND h = nullptr;
    if (pDX->m_pDlgWnd) pDX->m_pDlgWnd->GetDlgItem(static_cast<int>(pDX->m_idLastControl), &h);
    if (h) {
      ::SendMessage(h, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(minVal));
      ::SendMessage(h, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(maxVal));
    }
    return;
  }
  CheckRange(pDX, value, minVal, maxVal, false);
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > nChars) Refuse(pDX, AFX_IDP_PARSE_STRING_SIZE, C(QString::number(nChars)));
    return;
  }
  HWND h = nullptr;
  if (pDX->m_pDlgWnd && pDX->m_idLastControl) pDX->m_pDlgWnd->GetDlgItem(static_cast<int>(pDX->m_idLastControl), &h);
  if (!h) return;
  ::SendMessage(h, IsCombo(h) ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(std::max(nChars, 0)), 0);
}
