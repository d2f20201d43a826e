// Reads arbitrary bytes as the embedded-file record of an object shape, as a drawing from anyone holds
// them. A record that reads must write back to the same bytes; the plain file name made of any stored name
// must never reach outside its folder; an object shape holding the bytes is drawn (a damaged record as
// its crossed frame) without fault.

#include "platform/afx/afx.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/OleObject2dFeature.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EmbeddedFileRecord record;
    if (record.Read(data, size)) {
        const std::vector<BYTE> again = record.Write();
        if (again.size() != size || !std::equal(again.begin(), again.end(), data))
            std::abort();
        const QString name = record.GetSafeFileName().ToQString();
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
            name.contains(QLatin1String("..")) || name.startsWith(QLatin1Char('.')))
            std::abort();
        for (QChar c : name)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                std::abort();
    }
    // Any bytes as a name, too.
    const QString any = EmbeddedFileRecord::MakeSafeFileName(
                            CString::FromQString(QString::fromUtf8(reinterpret_cast<const char*>(data), (qsizetype)std::min<size_t>(size, 4096))))
                            .ToQString();
    if (any.isEmpty() || any.contains(QLatin1Char('/')) || any.contains(QLatin1String("..")))
        std::abort();
    OleObject2dFeature shape;
    shape.SetItemData(data, size);
    Feature2dList one;
    one.AddFeature(&shape);
    static Draw2dDocument* doc = [] {
        auto* d = new Draw2dDocument;
        d->InitDocument();
        return d;
    }();
    std::unique_ptr<QImage> image(DrawingManager::CreateFeatureListImage(doc, &one, 32, 32, 0xFFFFFF));
    return 0;
}
