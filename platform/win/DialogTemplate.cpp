#include "platform/win/DialogTemplate.h"

#include <cstring>

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QFontMetrics>
#include <QtWidgets/QApplication>

#include <algorithm>

#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CFont.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

struct NamedValue {
  const char* name;
  DWORD value;
};

// Style names accepted in templates.
const NamedValue kStyles[] = {
    {"WS_OVERLAPPED", WS_OVERLAPPED}, {"WS_POPUP", WS_POPUP}, {"WS_CHILD", WS_CHILD},
    {"WS_MINIMIZE", WS_MINIMIZE}, {"WS_VISIBLE", WS_VISIBLE}, {"WS_DISABLED", WS_DISABLED},
    {"WS_CLIPSIBLINGS", WS_CLIPSIBLINGS}, {"WS_CLIPCHILDREN", WS_CLIPCHILDREN}, {"WS_MAXIMIZE", WS_MAXIMIZE},
    {"WS_CAPTION", WS_CAPTION}, {"WS_BORDER", WS_BORDER}, {"WS_DLGFRAME", WS_DLGFRAME},
    {"WS_VSCROLL", WS_VSCROLL}, {"WS_HSCROLL", WS_HSCROLL}, {"WS_SYSMENU", WS_SYSMENU},
    {"WS_THICKFRAME", WS_THICKFRAME}, {"WS_GROUP", WS_GROUP}, {"WS_TABSTOP", WS_TABSTOP},
    {"WS_MINIMIZEBOX", WS_MINIMIZEBOX}, {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX},
    {"WS_EX_DLGMODALFRAME", WS_EX_DLGMODALFRAME}, {"WS_EX_NOPARENTNOTIFY", WS_EX_NOPARENTNOTIFY},
    {"WS_EX_TOPMOST", WS_EX_TOPMOST}, {"WS_EX_ACCEPTFILES", WS_EX_ACCEPTFILES},
    {"WS_EX_TRANSPARENT", WS_EX_TRANSPARENT}, {"WS_EX_TOOLWINDOW", WS_EX_TOOLWINDOW},
    {"WS_EX_WINDOWEDGE", WS_EX_WINDOWEDGE}, {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE},
    {"WS_EX_CONTEXTHELP", WS_EX_CONTEXTHELP}, {"WS_EX_RIGHT", WS_EX_RIGHT},
    {"WS_EX_CONTROLPARENT", WS_EX_CONTROLPARENT}, {"WS_EX_STATICEDGE", WS_EX_STATICEDGE},
    {"WS_EX_APPWINDOW", WS_EX_APPWINDOW},
    {"DS_ABSALIGN", DS_ABSALIGN}, {"DS_SYSMODAL", DS_SYSMODAL}, {"DS_LOCALEDIT", DS_LOCALEDIT},
    {"DS_SETFONT", DS_SETFONT}, {"DS_MODALFRAME", DS_MODALFRAME}, {"DS_NOIDLEMSG", DS_NOIDLEMSG},
    {"DS_SETFOREGROUND", DS_SETFOREGROUND}, {"DS_3DLOOK", DS_3DLOOK}, {"DS_FIXEDSYS", DS_FIXEDSYS},
    {"DS_NOFAILCREATE", DS_NOFAILCREATE}, {"DS_CONTROL", DS_CONTROL}, {"DS_CENTER", DS_CENTER},
    {"DS_CENTERMOUSE", DS_CENTERMOUSE}, {"DS_CONTEXTHELP", DS_CONTEXTHELP}, {"DS_SHELLFONT", DS_SHELLFONT},
    {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON}, {"BS_CHECKBOX", BS_CHECKBOX},
    {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX}, {"BS_RADIOBUTTON", BS_RADIOBUTTON}, {"BS_3STATE", BS_3STATE},
    {"BS_AUTO3STATE", BS_AUTO3STATE}, {"BS_GROUPBOX", BS_GROUPBOX}, {"BS_USERBUTTON", BS_USERBUTTON},
    {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON}, {"BS_PUSHBOX", BS_PUSHBOX}, {"BS_OWNERDRAW", BS_OWNERDRAW},
    {"BS_LEFTTEXT", BS_LEFTTEXT}, {"BS_TEXT", BS_TEXT}, {"BS_ICON", BS_ICON}, {"BS_BITMAP", BS_BITMAP},
    {"BS_LEFT", BS_LEFT}, {"BS_RIGHT", BS_RIGHT}, {"BS_CENTER", BS_CENTER}, {"BS_TOP", BS_TOP},
    {"BS_BOTTOM", BS_BOTTOM}, {"BS_VCENTER", BS_VCENTER}, {"BS_PUSHLIKE", BS_PUSHLIKE},
    {"BS_MULTILINE", BS_MULTILINE}, {"BS_NOTIFY", BS_NOTIFY}, {"BS_FLAT", BS_FLAT},
    {"ES_LEFT", ES_LEFT}, {"ES_CENTER", ES_CENTER}, {"ES_RIGHT", ES_RIGHT}, {"ES_MULTILINE", ES_MULTILINE},
    {"ES_UPPERCASE", ES_UPPERCASE}, {"ES_LOWERCASE", ES_LOWERCASE}, {"ES_PASSWORD", ES_PASSWORD},
    {"ES_AUTOVSCROLL", ES_AUTOVSCROLL}, {"ES_AUTOHSCROLL", ES_AUTOHSCROLL}, {"ES_NOHIDESEL", ES_NOHIDESEL},
    {"ES_OEMCONVERT", ES_OEMCONVERT}, {"ES_READONLY", ES_READONLY}, {"ES_WANTRETURN", ES_WANTRETURN},
    {"ES_NUMBER", ES_NUMBER},
    {"SS_LEFT", SS_LEFT}, {"SS_CENTER", SS_CENTER}, {"SS_RIGHT", SS_RIGHT}, {"SS_ICON", SS_ICON},
    {"SS_BLACKRECT", SS_BLACKRECT}, {"SS_GRAYRECT", SS_GRAYRECT}, {"SS_WHITERECT", SS_WHITERECT},
    {"SS_BLACKFRAME", SS_BLACKFRAME}, {"SS_GRAYFRAME", SS_GRAYFRAME}, {"SS_WHITEFRAME", SS_WHITEFRAME},
    {"SS_SIMPLE", SS_SIMPLE}, {"SS_LEFTNOWORDWRAP", SS_LEFTNOWORDWRAP}, {"SS_OWNERDRAW", SS_OWNERDRAW},
    {"SS_BITMAP", SS_BITMAP}, {"SS_ETCHEDHORZ", SS_ETCHEDHORZ}, {"SS_ETCHEDVERT", SS_ETCHEDVERT},
    {"SS_ETCHEDFRAME", SS_ETCHEDFRAME}, {"SS_NOPREFIX", SS_NOPREFIX}, {"SS_NOTIFY", SS_NOTIFY},
    {"SS_CENTERIMAGE", SS_CENTERIMAGE}, {"SS_SUNKEN", SS_SUNKEN},
    {"CBS_SIMPLE", CBS_SIMPLE}, {"CBS_DROPDOWN", CBS_DROPDOWN}, {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST},
    {"CBS_OWNERDRAWFIXED", CBS_OWNERDRAWFIXED}, {"CBS_OWNERDRAWVARIABLE", CBS_OWNERDRAWVARIABLE},
    {"CBS_AUTOHSCROLL", CBS_AUTOHSCROLL}, {"CBS_OEMCONVERT", CBS_OEMCONVERT}, {"CBS_SORT", CBS_SORT},
    {"CBS_HASSTRINGS", CBS_HASSTRINGS}, {"CBS_NOINTEGRALHEIGHT", CBS_NOINTEGRALHEIGHT},
    {"CBS_DISABLENOSCROLL", CBS_DISABLENOSCROLL}, {"CBS_UPPERCASE", CBS_UPPERCASE},
    {"CBS_LOWERCASE", CBS_LOWERCASE},
    {"LBS_NOTIFY", LBS_NOTIFY}, {"LBS_SORT", LBS_SORT}, {"LBS_NOREDRAW", LBS_NOREDRAW},
    {"LBS_MULTIPLESEL", LBS_MULTIPLESEL}, {"LBS_OWNERDRAWFIXED", LBS_OWNERDRAWFIXED},
    {"LBS_OWNERDRAWVARIABLE", LBS_OWNERDRAWVARIABLE}, {"LBS_HASSTRINGS", LBS_HASSTRINGS},
    {"LBS_USETABSTOPS", LBS_USETABSTOPS}, {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
    {"LBS_MULTICOLUMN", LBS_MULTICOLUMN}, {"LBS_WANTKEYBOARDINPUT", LBS_WANTKEYBOARDINPUT},
    {"LBS_EXTENDEDSEL", LBS_EXTENDEDSEL}, {"LBS_DISABLENOSCROLL", LBS_DISABLENOSCROLL},
    {"LBS_NODATA", LBS_NODATA}, {"LBS_NOSEL", LBS_NOSEL}, {"LBS_STANDARD", LBS_STANDARD},
    {"UDS_WRAP", UDS_WRAP}, {"UDS_SETBUDDYINT", UDS_SETBUDDYINT}, {"UDS_ALIGNRIGHT", UDS_ALIGNRIGHT},
    {"UDS_ALIGNLEFT", UDS_ALIGNLEFT}, {"UDS_AUTOBUDDY", UDS_AUTOBUDDY}, {"UDS_ARROWKEYS", UDS_ARROWKEYS},
    {"UDS_HORZ", UDS_HORZ}, {"UDS_NOTHOUSANDS", UDS_NOTHOUSANDS},
    {"TVS_HASBUTTONS", TVS_HASBUTTONS}, {"TVS_HASLINES", TVS_HASLINES}, {"TVS_LINESATROOT", TVS_LINESATROOT},
    {"TVS_EDITLABELS", TVS_EDITLABELS}, {"TVS_DISABLEDRAGDROP", TVS_DISABLEDRAGDROP},
    {"TVS_SHOWSELALWAYS", TVS_SHOWSELALWAYS}, {"TVS_CHECKBOXES", TVS_CHECKBOXES},
    {"TVS_TRACKSELECT", TVS_TRACKSELECT}, {"TVS_SINGLEEXPAND", TVS_SINGLEEXPAND},
    {"TVS_FULLROWSELECT", TVS_FULLROWSELECT},
};

// Control ids that may be written by name.
const NamedValue kIds[] = {{"IDOK", IDOK},       {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT},
                           {"IDRETRY", IDRETRY}, {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},
                           {"IDNO", IDNO},       {"IDCLOSE", IDCLOSE},   {"IDHELP", IDHELP},
                           {"IDC_STATIC", static_cast<DWORD>(-1)}};

// The control classes a template may name, in their usual spelling.
const char* const kClasses[] = {"BUTTON",           "EDIT",            "STATIC",          "LISTBOX",
                                "COMBOBOX",         "SCROLLBAR",       "msctls_updown32", "msctls_trackbar32",
                                "msctls_progress32", "SysListView32",  "SysTreeView32",   "SysTabControl32",
                                "ComboBoxEx32"};

const QHash<QString, DWORD>& StyleTable() {
  static const QHash<QString, DWORD> table = [] {
    QHash<QString, DWORD> t;
    for (const NamedValue& v : kStyles) t.insert(QString::fromLatin1(v.name), v.value);
    return t;
  }();
  return table;
}

struct Token {
  enum Kind { Word, Text, Bar } kind;
  QString value;
};

// Splits a line into words, quoted texts and bars. False on an unterminated text or a bad escape.
bool Tokenize(const QString& line, std::vector<Token>& out, QString& why) {
  qsizetype i = 0;
  const qsizetype n = line.size();
  while (i < n) {
    const QChar c = line[i];
    if (c.isSpace()) {
      ++i;
      continue;
    }
    if (c == QLatin1Char('|')) {
      out.push_back({Token::Bar, QString()});
      ++i;
      continue;
    }
    if (c == QLatin1Char('"')) {
      QString text;
      ++i;
      bool closed = false;
      while (i < n) {
        const QChar d = line[i++];
        if (d == QLatin1Char('"')) {
          closed = true;
          break;
        }
        if (d == QLatin1Char('\\')) {
          if (i >= n) break;
          const QChar e = line[i++];
          if (e == QLatin1Char('n')) text += QLatin1Char('\n');
          else if (e == QLatin1Char('t')) text += QLatin1Char('\t');
          else if (e == QLatin1Char('\\')) text += QLatin1Char('\\');
          else if (e == QLatin1Char('"')) text += QLatin1Char('"');
          else {
            why = QStringLiteral("unknown escape \\%1").arg(e);
            return false;
          }
          continue;
        }
        text += d;
      }
      if (!closed) {
        why = QStringLiteral("text without closing quote");
        return false;
      }
      out.push_back({Token::Text, text});
      continue;
    }
    const qsizetype start = i;
    while (i < n && !line[i].isSpace() && line[i] != QLatin1Char('|') && line[i] != QLatin1Char('"')) ++i;
    out.push_back({Token::Word, line.mid(start, i - start)});
  }
  return true;
}

bool ParseNumber(const QString& s, long long lo, long long hi, long long& v) {
  bool ok = false;
  if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
    v = s.mid(2).toLongLong(&ok, 16);
  else
    v = s.toLongLong(&ok, 10);
  return ok && v >= lo && v <= hi;
}

class Reader {
public:
  Reader(const std::vector<Token>& t, qsizetype from) : m_t(t), m_i(from) {}
  bool AtEnd() const { return m_i >= static_cast<qsizetype>(m_t.size()); }
  const Token* Peek() const { return AtEnd() ? nullptr : &m_t[static_cast<size_t>(m_i)]; }
  const Token* Next() { return AtEnd() ? nullptr : &m_t[static_cast<size_t>(m_i++)]; }

  bool Number(long long lo, long long hi, long long& v, QString& why, const char* what) {
    const Token* t = Next();
    if (!t || t->kind != Token::Word || !ParseNumber(t->value, lo, hi, v)) {
      why = QStringLiteral("%1 must be a number from %2 to %3").arg(QLatin1String(what)).arg(lo).arg(hi);
      return false;
    }
    return true;
  }

  // A text: "quoted" or @number.
  bool TextOrId(QString& text, UINT& id, QString& why, const char* what) {
    const Token* t = Next();
    if (t && t->kind == Token::Text) {
      text = t->value;
      id = 0;
      return true;
    }
    long long v = 0;
    if (t && t->kind == Token::Word && t->value.startsWith(QLatin1Char('@')) &&
        ParseNumber(t->value.mid(1), 1, 65535, v)) {
      id = static_cast<UINT>(v);
      text.clear();
      return true;
    }
    why = QStringLiteral("%1 must be a quoted text or @ and a string number").arg(QLatin1String(what));
    return false;
  }

  // NAME | 0x10 | NOT NAME ...; stops at EX or the end. start holds the default bits.
  bool Style(DWORD& style, QString& why) {
    bool expectTerm = true;
    bool any = false;
    while (!AtEnd()) {
      const Token* t = Peek();
      if (t->kind == Token::Word && t->value == QLatin1String("EX")) break;
      Next();
      if (t->kind == Token::Bar) {
        if (expectTerm) {
          why = QStringLiteral("'|' without a style before it");
          return false;
        }
        expectTerm = true;
        continue;
      }
      if (!expectTerm) {
        why = QStringLiteral("styles must be joined by '|'");
        return false;
      }
      if (t->kind != Token::Word) {
        why = QStringLiteral("a text where a style was expected");
        return false;
      }
      bool negate = false;
      QString name = t->value;
      if (name == QLatin1String("NOT")) {
        const Token* u = Next();
        if (!u || u->kind != Token::Word) {
          why = QStringLiteral("NOT without a style after it");
          return false;
        }
        negate = true;
        name = u->value;
      }
      DWORD bits = 0;
      long long v = 0;
      if (ParseNumber(name, 0, 0xFFFFFFFFLL, v)) {
        bits = static_cast<DWORD>(v);
      } else if (auto it = StyleTable().find(name); it != StyleTable().end()) {
        bits = it.value();
      } else {
        why = QStringLiteral("unknown style %1").arg(name);
        return false;
      }
      if (negate) style &= ~bits;
      else style |= bits;
      expectTerm = false;
      any = true;
    }
    if (expectTerm && any) {
      why = QStringLiteral("'|' at the end of the styles");
      return false;
    }
    return true;
  }

private:
  const std::vector<Token>& m_t;
  qsizetype m_i;
};

}  // namespace

bool AfxStyleFromName(const CString& name, DWORD& value) {
  auto it = StyleTable().find(name.ToQString());
  if (it == StyleTable().end()) return false;
  value = it.value();
  return true;
}

bool DialogTemplate::Parse(const CString& text, CString* error) {
  const QByteArray utf8 = text.ToQString().toUtf8();
  return Parse(reinterpret_cast<const BYTE*>(utf8.constData()), static_cast<size_t>(utf8.size()), error);
}

bool DialogTemplate::Parse(const BYTE* data, size_t size, CString* error) {
  auto fail = [&](int line, const QString& why) {
    if (error) {
      *error = line > 0 ? CString::FromQString(QStringLiteral("dialog template, line %1: %2").arg(line).arg(why))
                        : CString::FromQString(QStringLiteral("dialog template: %1").arg(why));
    }
    return false;
  };
  if (!data && size) return fail(0, QStringLiteral("no data"));
  if (size > kMaxBytes) return fail(0, QStringLiteral("larger than %1 bytes").arg(kMaxBytes));
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString all = QString::fromUtf8(bytes);
  if (all.contains(QChar::ReplacementCharacter) && !bytes.contains("\xEF\xBF\xBD"))
    return fail(0, QStringLiteral("not UTF-8 text"));

  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  bool haveDialog = false, haveStyle = false, haveEx = false, haveCaption = false, haveFont = false;
  const QStringList lines = all.split(QLatin1Char('\n'));
  for (qsizetype ln = 0; ln < lines.size(); ++ln) {
    const int lineNo = static_cast<int>(ln + 1);
    QString line = lines[ln];
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) continue;
    std::vector<Token> tokens;
    QString why;
    if (!Tokenize(trimmed, tokens, why)) return fail(lineNo, why);
    if (tokens.empty() || tokens[0].kind != Token::Word) return fail(lineNo, QStringLiteral("a line must start with a keyword"));
    const QString key = tokens[0].value;
    Reader r(tokens, 1);
    long long v[4] = {};
    if (!haveDialog && key != QLatin1String("DIALOG")) return fail(lineNo, QStringLiteral("the first line must be DIALOG"));
    if (key == QLatin1String("DIALOG")) {
      if (haveDialog) return fail(lineNo, QStringLiteral("DIALOG given twice"));
      static const char* what[4] = {"x", "y", "width", "height"};
      for (int k = 0; k < 4; ++k)
        if (!r.Number(k < 2 ? -32768 : 0, 32767, v[k], why, what[k])) return fail(lineNo, why);
      t.x = static_cast<short>(v[0]);
      t.y = static_cast<short>(v[1]);
      t.cx = static_cast<short>(v[2]);
      t.cy = static_cast<short>(v[3]);
      haveDialog = true;
    } else if (key == QLatin1String("STYLE") || key == QLatin1String("EXSTYLE")) {
      const bool ex = key == QLatin1String("EXSTYLE");
      if (ex ? haveEx : haveStyle) return fail(lineNo, QStringLiteral("%1 given twice").arg(key));
      DWORD s = 0;
      if (r.AtEnd()) return fail(lineNo, QStringLiteral("%1 without a value").arg(key));
      if (!r.Style(s, why)) return fail(lineNo, why);
      (ex ? t.exStyle : t.style) = s;
      (ex ? haveEx : haveStyle) = true;
    } else if (key == QLatin1String("CAPTION")) {
      if (haveCaption) return fail(lineNo, QStringLiteral("CAPTION given twice"));
      QString text;
      if (!r.TextOrId(text, t.captionId, why, "the caption")) return fail(lineNo, why);
      t.caption = CString::FromQString(text);
      haveCaption = true;
    } else if (key == QLatin1String("FONT")) {
      if (haveFont) return fail(lineNo, QStringLiteral("FONT given twice"));
      if (!r.Number(1, 72, v[0], why, "the point size")) return fail(lineNo, why);
      const Token* face = r.Next();
      if (!face || face->kind != Token::Text || face->value.isEmpty() || face->value.size() > 31)
        return fail(lineNo, QStringLiteral("the font needs a quoted face name of 1 to 31 characters"));
      t.pointSize = static_cast<int>(v[0]);
      t.faceName = CString::FromQString(face->value);
      haveFont = true;
    } else if (key == QLatin1String("CONTROL")) {
      if (t.items.size() >= kMaxItems) return fail(lineNo, QStringLiteral("more than %1 controls").arg(kMaxItems));
      DialogItemTemplate item;
      const Token* cls = r.Next();
      if (!cls || cls->kind != Token::Word) return fail(lineNo, QStringLiteral("CONTROL needs a class name"));
      QString className;
      for (const char* c : kClasses)
        if (cls->value.compare(QLatin1String(c), Qt::CaseInsensitive) == 0) className = QLatin1String(c);
      if (className.isEmpty()) return fail(lineNo, QStringLiteral("unknown control class %1").arg(cls->value));
      item.className = CString::FromQString(className);
      const Token* idTok = r.Peek();
      bool named = false;
      if (idTok && idTok->kind == Token::Word) {
        for (const NamedValue& n : kIds) {
          if (idTok->value == QLatin1String(n.name)) {
            item.id = static_cast<int>(n.value);
            named = true;
            r.Next();
          }
        }
      }
      if (!named) {
        if (!r.Number(-1, 65535, v[0], why, "the control id")) return fail(lineNo, why);
        item.id = static_cast<int>(v[0]);
      }
      QString text;
      if (!r.TextOrId(text, item.textId, why, "the control text")) return fail(lineNo, why);
      item.text = CString::FromQString(text);
      static const char* what[4] = {"x", "y", "width", "height"};
      for (int k = 0; k < 4; ++k)
        if (!r.Number(k < 2 ? -32768 : 0, 32767, v[k], why, what[k])) return fail(lineNo, why);
      item.x = static_cast<short>(v[0]);
      item.y = static_cast<short>(v[1]);
      item.cx = static_cast<short>(v[2]);
      item.cy = static_cast<short>(v[3]);
      item.style = WS_CHILD | WS_VISIBLE;
      if (!r.Style(item.style, why)) return fail(lineNo, why);
      item.style |= WS_CHILD;
      if (!r.AtEnd()) {
        r.Next();  // EX
        if (r.AtEnd()) return fail(lineNo, QStringLiteral("EX without a value"));
        if (!r.Style(item.exStyle, why)) return fail(lineNo, why);
        if (!r.AtEnd()) return fail(lineNo, QStringLiteral("more after the extended style"));
      }
      t.items.push_back(std::move(item));
      continue;
    } else {
      return fail(lineNo, QStringLiteral("unknown keyword %1").arg(key));
    }
    if (!r.AtEnd()) return fail(lineNo, QStringLiteral("more than %1 expects").arg(key));
  }
  if (!haveDialog) return fail(0, QStringLiteral("no DIALOG line"));
  *this = std::move(t);
  return true;
}

bool DialogTemplate::Load(UINT nID, CString* error) {
  std::vector<BYTE> data;
  if (!AfxFindResourceData("DIALOG", nID, data)) {
    if (error) *error = CString::FromQString(QStringLiteral("dialog template %1 not found").arg(nID));
    return false;
  }
  CString why;
  if (!Parse(data.data(), data.size(), &why)) {
    if (error) *error = CString::FromQString(QStringLiteral("%1 (template %2)").arg(why.ToQString()).arg(nID));
    return false;
  }
  return true;
}

bool DialogTemplate::LoadOrParse(UINT nID, const char* builtIn, CString* error) {
  std::vector<BYTE> data;
  if (AfxFindResourceData("DIALOG", nID, data)) return Load(nID, error);
  return Parse(reinterpret_cast<const BYTE*>(builtIn), std::strlen(builtIn), error);
}

namespace {
CString LoadText(UINT id, const CString& fallback) {
  if (!id) return fallback;
  std::u16string s;
  if (AfxLoadStringResource(id, s)) return CString(s);
  return fallback;
}
}  // namespace

CString DialogTemplate::GetCaption() const { return LoadText(captionId, caption); }
CString DialogTemplate::GetItemText(const DialogItemTemplate& item) { return LoadText(item.textId, item.text); }

CSize DialogTemplate::GetBaseUnits() const {
  // The font a dialog makes from the template: its face and size, else the desktop's.
  QString face = faceName.ToQString();
  int points = pointSize;
  if (face.isEmpty() || points <= 0) {
    const QFont def = QApplication::font();
    if (face.isEmpty()) face = def.family();
    if (points <= 0) points = def.pointSize() > 0 ? def.pointSize() : 9;
  }
  const std::u16string face16 = face.toStdU16String();
  CFont font;
  if (!font.CreatePointFont(points * 10, face16.c_str())) return CSize(4, 8);
  const QFontMetrics fm(font.GetQFont());
  const int avg = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return CSize(std::max(1, (avg / 26 + 1) / 2), std::max(1, fm.height()));
}

CSize DialogTemplate::GetSizeInPixels() const {
  const CSize base = GetBaseUnits();
  auto scale = [](int v, int num, int den) {
    const long long p = static_cast<long long>(v) * num;
    return static_cast<int>(p >= 0 ? (p + den / 2) / den : (p - den / 2) / den);
  };
  // As CDialog::MapDialogRect maps the template's rectangle.
  const int w = scale(x + cx, base.cx, 4) - scale(x, base.cx, 4);
  const int h = scale(y + cy, base.cy, 8) - scale(y, base.cy, 8);
  return CSize(w, h);
}
