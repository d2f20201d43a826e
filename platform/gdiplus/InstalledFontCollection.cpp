#include "platform/gdiplus/InstalledFontCollection.h"

#include <QtCore/QStringList>
#include <QtGui/QFontDatabase>

namespace Gdiplus {

InstalledFontCollection::InstalledFontCollection() {
  QStringList families = QFontDatabase::families();
  families.sort(Qt::CaseInsensitive);
  for (const QString& f : families)
    if (!QFontDatabase::isPrivateFamily(f)) m_names.push_back(f.toStdU16String());
}

}  // namespace Gdiplus
