#include "platform/gdiplus/InstalledFontCollection.h"

#include <QtCore/QSet>
#include <QtCore/QStringList>
#include <QtGui/QFontDatabase>

#include "platform/gdiplus/FontFamily.h"

namespace Gdiplus {

InstalledFontCollection::InstalledFontCollection() {
  // A family installed from several foundries is listed once, by its plain name.
  QStringList families;
  QSet<QString> seen;
  for (const QString& f : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(f)) continue;
    const QString plain = FontFamily::PlainFamilyName(f);
    if (plain.isEmpty() || seen.contains(plain)) continue;
    seen.insert(plain);
    families << plain;
  }
  families.sort(Qt::CaseInsensitive);
  for (const QString& f : families) m_names.push_back(f.toStdU16String());
}

}  // namespace Gdiplus
