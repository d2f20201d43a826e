#include "platform/win/CEdit.h"

#include <QtGui/QClipboard>
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QRegularExpressionValidator>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>

#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxWndBridge.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

namespace {

QString ToQ(LPCTSTR s) { return s ? QString::fromUtf16(s) : QString(); }

constexpr int kDefaultLimit = 30000;

LRESULT CopyText(const QString& t, WPARAM cap, LPARAM buf) {
  if (!cap || !buf) return 0;
  auto* out = reinterpret_cast<LPTSTR>(buf);
  const int n = std::min<int>(t.size(), static_cast<int>(cap) - 1);
  for (int i = 0; i < n; ++i) out[i] = t.at(i).unicode();
  out[n] = 0;
  return n;
}

// What both edit widgets answer; the widget-specific parts are the virtual functions.
class KcEditBase : public AfxControlWidget {
public:
  explicit KcEditBase(DWORD style) : m_style(style) {}

  UINT DialogCode() const override {
    UINT c = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if ((m_style & ES_MULTILINE) && (m_style & ES_WANTRETURN)) c |= DLGC_WANTALLKEYS;
    return c;
  }

  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_SETTEXT: {
        QString t = ToQ(reinterpret_cast<LPCTSTR>(lParam));
        SetTextSilently(t);
        result = TRUE;
        return true;
      }
      case WM_GETTEXT: result = CopyText(Text(), wParam, lParam); return true;
      case WM_GETTEXTLENGTH: result = Text().size(); return true;
      case EM_GETSEL: {
        int s = 0, e = 0;
        GetSelection(s, e);
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s);
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e);
        result = MAKELONG(std::min(s, 0xFFFF), std::min(e, 0xFFFF));
        return true;
      }
      case EM_SETSEL: {
        int s = static_cast<int>(wParam), e = static_cast<int>(lParam);
        const int len = static_cast<int>(Text().size());
        if (s == -1) {
          int cs = 0, ce = 0;
          GetSelection(cs, ce);
          SetSelection(ce, ce);
        } else {
          if (e < 0 || e > len) e = len;
          s = std::clamp(s, 0, len);
          SetSelection(s, e);
        }
        result = 0;
        return true;
      }
      case EM_REPLACESEL: ReplaceSelection(ToQ(reinterpret_cast<LPCTSTR>(lParam))); result = 0; return true;
      case EM_GETMODIFY: result = Modified() ? TRUE : FALSE; return true;
      case EM_SETMODIFY: SetModified(wParam != 0); result = 0; return true;
      case EM_LIMITTEXT: {
        m_limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE));
        ApplyLimit();
        result = 0;
        return true;
      }
      case EM_GETLIMITTEXT: result = m_limit; return true;
      case EM_SETREADONLY: SetReadOnly(wParam != 0); result = TRUE; return true;
      case EM_CANUNDO: result = CanUndo() ? TRUE : FALSE; return true;
      case EM_UNDO: case WM_UNDO: result = CanUndo() ? TRUE : FALSE; DoUndo(); return true;
      case EM_EMPTYUNDOBUFFER: EmptyUndo(); result = 0; return true;
      case EM_SETPASSWORDCHAR: SetPassword(wParam != 0); result = 0; return true;
      case EM_GETLINECOUNT: result = Lines().size(); return true;
      case EM_LINEINDEX: {
        const QStringList lines = Lines();
        int line = static_cast<int>(wParam);
        if (line < 0) line = CurrentLine();
        if (line >= lines.size()) { result = -1; return true; }
        int at = 0;
        for (int i = 0; i < line; ++i) at += static_cast<int>(lines[i].size()) + 1;
        result = at;
        return true;
      }
      case EM_LINEFROMCHAR: {
        int at = static_cast<int>(wParam);
        if (at < 0) { int e = 0; GetSelection(at, e); }
        result = Text().left(at).count(QLatin1Char('\n'));
        return true;
      }
      case EM_LINELENGTH: {
        int at = static_cast<int>(wParam);
        const QString t = Text();
        if (at < 0) { int e = 0; GetSelection(at, e); }
        at = std::clamp(at, 0, static_cast<int>(t.size()));
        const qsizetype begin = t.lastIndexOf(QLatin1Char('\n'), at - 1) + 1;
        qsizetype end = t.indexOf(QLatin1Char('\n'), at);
        if (end < 0) end = t.size();
        result = end - begin;
        return true;
      }
      case EM_GETLINE: {
        const QStringList lines = Lines();
        const int line = static_cast<int>(wParam);
        auto* buf = reinterpret_cast<LPTSTR>(lParam);
        if (!buf || line < 0 || line >= lines.size()) { result = 0; return true; }
        // The buffer's first word holds its size; the line is not terminated.
        const int cap = static_cast<int>(*reinterpret_cast<WORD*>(buf));
        const QString& l = lines[line];
        const int n = std::min<int>(cap, static_cast<int>(l.size()));
        for (int i = 0; i < n; ++i) buf[i] = l.at(i).unicode();
        result = n;
        return true;
      }
      case WM_CUT: Cut(); result = 0; return true;
      case WM_COPY: CopySel(); result = 0; return true;
      case WM_PASTE: PasteClip(); result = 0; return true;
      case WM_CLEAR: ReplaceSelection(QString()); result = 0; return true;
      default: return false;
    }
  }

protected:
  virtual QString Text() const = 0;
  virtual void SetText(const QString& t) = 0;
  virtual void GetSelection(int& s, int& e) const = 0;
  virtual void SetSelection(int s, int e) = 0;
  virtual void ReplaceSelection(const QString& t) = 0;
  virtual bool Modified() const = 0;
  virtual void SetModified(bool m) = 0;
  virtual void ApplyLimit() = 0;
  virtual void SetReadOnly(bool r) = 0;
  virtual bool CanUndo() const = 0;
  virtual void DoUndo() = 0;
  virtual void EmptyUndo() = 0;
  virtual void SetPassword(bool) {}
  virtual int CurrentLine() const { return 0; }
  virtual void Cut() = 0;
  virtual void CopySel() = 0;
  virtual void PasteClip() = 0;
  QStringList Lines() const { return Text().split(QLatin1Char('\n')); }

  void SetTextSilently(const QString& t) {
    // Setting the text is not an edit by the user: the modified flag stays clear.
    SetText(m_limit > 0 && t.size() > m_limit ? t : t);
    SetModified(false);
  }
  void TextChanged() {
    NotifyCommand(EN_UPDATE);
    NotifyCommand(EN_CHANGE);
  }

  DWORD m_style;
  int m_limit = kDefaultLimit;
};

class KcLineEdit : public QLineEdit, public KcEditBase {
public:
  KcLineEdit(QWidget* parent, DWORD style) : QLineEdit(parent), KcEditBase(style) {
    setMaxLength(m_limit);
    if (style & ES_READONLY) setReadOnly(true);
    if (style & ES_PASSWORD) setEchoMode(QLineEdit::Password);
    if (style & ES_NUMBER)
      setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    if (style & ES_CENTER) setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    if ((style & ES_RIGHT) && !(style & ES_CENTER)) setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFrame((style & WS_BORDER) != 0);
    connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
    connect(this, &QLineEdit::inputRejected, this, [this] {
      if (text().size() >= maxLength()) NotifyCommand(EN_MAXTEXT);
    });
  }
  QWidget* Widget() override { return this; }

protected:
  QString Text() const override { return text(); }
  void SetText(const QString& t) override { setText(t); }
  void GetSelection(int& s, int& e) const override {
    if (hasSelectedText()) {
      s = selectionStart();
      e = selectionEnd();
    } else {
      s = e = cursorPosition();
    }
  }
  void SetSelection(int s, int e) override {
    if (s == e)
      setCursorPosition(s);
    else
      setSelection(s, e - s);
  }
  void ReplaceSelection(const QString& t) override { insert(t); }
  bool Modified() const override { return isModified(); }
  void SetModified(bool m) override { setModified(m); }
  void ApplyLimit() override { setMaxLength(std::min(m_limit, 32767)); }
  void SetReadOnly(bool r) override { setReadOnly(r); }
  bool CanUndo() const override { return isUndoAvailable(); }
  void DoUndo() override { undo(); }
  void EmptyUndo() override {
    // QLineEdit keeps no separate undo history to clear; re-setting the text drops it.
    const bool m = isModified();
    const QSignalBlocker b(this);
    const int pos = cursorPosition();
    setText(text());
    setCursorPosition(pos);
    setModified(m);
  }
  void SetPassword(bool on) override { setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal); }
  void Cut() override { cut(); }
  void CopySel() override { copy(); }
  void PasteClip() override { paste(); }

  void focusInEvent(QFocusEvent* e) override {
    QLineEdit::focusInEvent(e);
    NotifyCommand(EN_SETFOCUS);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QLineEdit::focusOutEvent(e);
    NotifyCommand(EN_KILLFOCUS);
  }
};

class KcTextEdit : public QPlainTextEdit, public KcEditBase {
public:
  KcTextEdit(QWidget* parent, DWORD style) : QPlainTextEdit(parent), KcEditBase(style) {
    if (style & ES_READONLY) setReadOnly(true);
    setTabChangesFocus(true);
    setLineWrapMode((style & (ES_AUTOHSCROLL | WS_HSCROLL)) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (!(style & WS_BORDER)) setFrameShape(QFrame::NoFrame);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
      if (m_trimming) return;
      const QString t = toPlainText();
      if (t.size() > m_limit) {
        // Over the limit: the typed text is cut back and the parent told.
        m_trimming = true;
        QTextCursor c = textCursor();
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, static_cast<int>(t.size() - m_limit));
        c.removeSelectedText();
        m_trimming = false;
        NotifyCommand(EN_MAXTEXT);
      }
      TextChanged();
    });
  }
  QWidget* Widget() override { return this; }

protected:
  QString Text() const override {
    // Lines end with CR LF, as the system's code expects from a multi-line edit.
    QString t = toPlainText();
    return m_crlf ? t.replace(QLatin1Char('\n'), QStringLiteral("\r\n")) : t;
  }
  void SetText(const QString& t) override {
    QString plain = t;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(plain);
  }
  void GetSelection(int& s, int& e) const override {
    const QTextCursor c = textCursor();
    s = c.selectionStart();
    e = c.selectionEnd();
  }
  void SetSelection(int s, int e) override {
    QTextCursor c = textCursor();
    c.setPosition(s);
    c.setPosition(e, QTextCursor::KeepAnchor);
    setTextCursor(c);
  }
  void ReplaceSelection(const QString& t) override { insertPlainText(t); }
  bool Modified() const override { return document()->isModified(); }
  void SetModified(bool m) override { document()->setModified(m); }
  void ApplyLimit() override {}
  void SetReadOnly(bool r) override { setReadOnly(r); }
  bool CanUndo() const override { return document()->isUndoAvailable(); }
  void DoUndo() override { undo(); }
  void EmptyUndo() override { document()->clearUndoRedoStacks(); }
  int CurrentLine() const override { return textCursor().blockNumber(); }
  void Cut() override { cut(); }
  void CopySel() override { copy(); }
  void PasteClip() override { paste(); }

  void focusInEvent(QFocusEvent* e) override {
    QPlainTextEdit::focusInEvent(e);
    NotifyCommand(EN_SETFOCUS);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QPlainTextEdit::focusOutEvent(e);
    NotifyCommand(EN_KILLFOCUS);
  }
  void keyPressEvent(QKeyEvent* e) override {
    // Without ES_WANTRETURN, Return belongs to the dialog.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !(m_style & ES_WANTRETURN) &&
        !(e->modifiers() & Qt::ControlModifier)) {
      e->ignore();
      return;
    }
    QPlainTextEdit::keyPressEvent(e);
  }

  bool m_trimming = false;
  bool m_crlf = false;
};

QWidget* MakeEdit(QWidget* parent, DWORD style, DWORD) {
  if (style & ES_MULTILINE) return new KcTextEdit(parent, style);
  return new KcLineEdit(parent, style);
}

}  // namespace

void AfxRegisterEditClass() {
  CWnd::RegisterWidgetClass(u"EDIT", &MakeEdit);
  AfxRegisterControlObject(u"EDIT", []() -> CWnd* { return new CEdit; });
}

CEdit::CEdit() = default;
CEdit::~CEdit() = default;

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (AfxControlMessage(this, message, wParam, lParam, r)) return r;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

namespace {
CWnd* Self(const CEdit* p) { return const_cast<CEdit*>(p); }
}  // namespace

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
  DWORD s = 0, e = 0;
  Self(this)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  nStartChar = static_cast<int>(s);
  nEndChar = static_cast<int>(e);
}
DWORD CEdit::GetSel() const { return static_cast<DWORD>(Self(this)->SendMessage(EM_GETSEL)); }
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
}
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
  SetSel(static_cast<short>(LOWORD(dwSelection)), static_cast<short>(HIWORD(dwSelection)), bNoScroll);
}
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
  SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText ? lpszNewText : u""));
}
void CEdit::Clear() { SendMessage(WM_CLEAR); }
void CEdit::Copy() { SendMessage(WM_COPY); }
void CEdit::Cut() { SendMessage(WM_CUT); }
void CEdit::Paste() { SendMessage(WM_PASTE); }
BOOL CEdit::Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
BOOL CEdit::CanUndo() const { return static_cast<BOOL>(Self(this)->SendMessage(EM_CANUNDO)); }
void CEdit::EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(Self(this)->SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, bModified); }
void CEdit::SetLimitText(UINT nMax) { SendMessage(EM_LIMITTEXT, nMax); }
void CEdit::LimitText(int nChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(Self(this)->SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
void CEdit::SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, ch); }
int CEdit::GetLineCount() const { return static_cast<int>(Self(this)->SendMessage(EM_GETLINECOUNT)); }
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
  if (!lpszBuffer || nMaxLength <= 0) return 0;
  *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(std::min(nMaxLength, 0xFFFF));
  return static_cast<int>(Self(this)->SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex),
                                                  reinterpret_cast<LPARAM>(lpszBuffer)));
}
int CEdit::LineIndex(int nLine) const { return static_cast<int>(Self(this)->SendMessage(EM_LINEINDEX, static_cast<WPARAM>(nLine))); }
int CEdit::LineLength(int nLine) const { return static_cast<int>(Self(this)->SendMessage(EM_LINELENGTH, static_cast<WPARAM>(nLine))); }
int CEdit::LineFromChar(int nIndex) const {
  return static_cast<int>(Self(this)->SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex)));
}
