#include "platform/gdiplus/FontFamily.h"

#include <cmath>

#include <QtCore/QStringList>
#include <QtGui/QFont>
#include <QtGui/QFontDatabase>
#include <QtGui/QFontMetricsF>

namespace Gdiplus {

namespace {

bool IsGeneric(const QString& name) {
  return name == QLatin1String("sans-serif") || name == QLatin1String("serif") || name == QLatin1String("monospace");
}

QFontMetricsF Metrics(const std::u16string& name, INT style) {
  QFont f(QString::fromStdU16String(name));
  f.setPixelSize(2048);
  f.setBold(style & FontStyleBold);
  f.setItalic(style & FontStyleItalic);
  return QFontMetricsF(f);
}

}  // namespace

FontFamily::FontFamily() : m_status(InvalidParameter) {}

FontFamily::FontFamily(const WCHAR* name, const FontCollection*) {
  if (!name || !*name) {
    m_status = InvalidParameter;
    return;
  }
  const QString n = QString::fromUtf16(name);
  if (IsGeneric(n)) {
    m_name = n.toStdU16String();
    return;
  }
  for (const QString& family : QFontDatabase::families()) {
    const QString plain = PlainFamilyName(family);
    if (family.compare(n, Qt::CaseInsensitive) == 0 || plain.compare(n, Qt::CaseInsensitive) == 0) {
      m_name = plain.toStdU16String();
      return;
    }
  }
  m_status = FontFamilyNotFound;
}

const FontFamily* FontFamily::GenericSansSerif() {
  static const FontFamily f(u"sans-serif");
  return &f;
}
const FontFamily* FontFamily::GenericSerif() {
  static const FontFamily f(u"serif");
  return &f;
}
const FontFamily* FontFamily::GenericMonospace() {
  static const FontFamily f(u"monospace");
  return &f;
}

Status FontFamily::GetFamilyName(WCHAR name[LF_FACESIZE], LANGID) const {
  if (!name) return InvalidParameter;
  size_t i = 0;
  for (; i < m_name.size() && i < LF_FACESIZE - 1; ++i) name[i] = m_name[i];
  name[i] = 0;
  return m_status;
}

BOOL FontFamily::IsStyleAvailable(INT style) const {
  if (!IsAvailable()) return FALSE;
  const QString family = QString::fromStdU16String(m_name);
  const QStringList styles = QFontDatabase::styles(family);
  if (styles.isEmpty()) return TRUE;  // generic names and synthesized faces
  const bool wantBold = style & FontStyleBold, wantItalic = style & FontStyleItalic;
  for (const QString& s : styles) {
    const bool bold = QFontDatabase::weight(family, s) >= QFont::DemiBold;
    const bool italic = QFontDatabase::italic(family, s);
    if (bold == wantBold && italic == wantItalic) return TRUE;
  }
  return FALSE;
}

BOOL FontFamily::IsSymbolFamily() const {
  if (!IsAvailable()) return FALSE;
  // Symbol fonts (dingbats and the like) are also reported with Latin, since their character map
  // covers the Latin code points; no text font is reported with Symbol.
  const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(QString::fromStdU16String(m_name));
  return systems.contains(QFontDatabase::Symbol);
}

QString FontFamily::PlainFamilyName(const QString& name) {
  const qsizetype open = name.lastIndexOf(QLatin1String(" ["));
  if (open > 0 && name.endsWith(QLatin1Char(']'))) return name.left(open);
  return name;
}

UINT16 FontFamily::GetEmHeight(INT) const { return 2048; }
UINT16 FontFamily::GetCellAscent(INT style) const { return UINT16(std::lround(Metrics(m_name, style).ascent())); }
UINT16 FontFamily::GetCellDescent(INT style) const { return UINT16(std::lround(Metrics(m_name, style).descent())); }
UINT16 FontFamily::GetLineSpacing(INT style) const {
  return UINT16(std::lround(Metrics(m_name, style).lineSpacing()));
}

}  // namespace Gdiplus
