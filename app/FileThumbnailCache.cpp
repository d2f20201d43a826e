#include "app/FileThumbnailCache.h"

#include <QtCore/QFileInfo>
#include <QtGui/QImageReader>

#include "app/QZ2Thumbnail.h"

namespace {

bool IsDrawing(const QString& suffix)
{
    static const QSet<QString> kinds = {QStringLiteral("kvcd"), QStringLiteral("kvct"), QStringLiteral("kvcb"),
                                        QStringLiteral("kvcr"), QStringLiteral("qz2"),  QStringLiteral("qzt"),
                                        QStringLiteral("qzc"),  QStringLiteral("qzb")};
    return kinds.contains(suffix);
}

bool IsImage(const QString& suffix)
{
    static const QSet<QString> kinds = {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                        QStringLiteral("png"), QStringLiteral("tif"), QStringLiteral("tiff")};
    return kinds.contains(suffix);
}

}  // namespace

FileThumbnailCache::FileThumbnailCache()
{
    // Two readers: enough to keep ahead of the view without taking the machine.
    m_pool.setMaxThreadCount(2);
}

FileThumbnailCache::~FileThumbnailCache()
{
    m_pool.clear();
    m_pool.waitForDone();
}

bool FileThumbnailCache::MayHavePicture(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return IsDrawing(suffix) || IsImage(suffix);
}

FileThumbnailCache::Entry FileThumbnailCache::Read(const QString& path)
{
    Entry entry;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (IsDrawing(suffix)) {
        QImage image;
        if (QZ2Thumbnail::ReadFile(path, image, &entry.title, &entry.author))
            entry.image = image;
    } else if (IsImage(suffix)) {
        QImageReader reader(path);
        // A picture is never decoded larger than it is shown, whatever size the file claims.
        const QSize size = reader.size();
        if (size.isValid() && !size.isEmpty())
            reader.setScaledSize(size.scaled(kPictureSize, kPictureSize, Qt::KeepAspectRatio).boundedTo(size));
        else
            reader.setScaledSize(QSize(kPictureSize, kPictureSize));
        reader.setAllocationLimit(64);
        entry.image = reader.read();
    }
    return entry;
}

const FileThumbnailCache::Entry* FileThumbnailCache::Find(const QString& path)
{
    const auto it = m_entries.constFind(path);
    if (it != m_entries.constEnd())
        return &it.value();
    if (m_pending.contains(path) || !MayHavePicture(path))
        return nullptr;
    m_pending.insert(path);
    const quint64 generation = m_generation;
    m_pool.start([this, path, generation]() {
        const Entry entry = Read(path);
        QMetaObject::invokeMethod(
            &m_context, [this, path, generation, entry]() { Deliver(path, generation, entry); },
            Qt::QueuedConnection);
    });
    return nullptr;
}

void FileThumbnailCache::Deliver(const QString& path, quint64 generation, const Entry& entry)
{
    if (generation != m_generation)
        return;
    m_pending.remove(path);
    m_entries.insert(path, entry);
    if (m_ready)
        m_ready(path);
}

void FileThumbnailCache::Clear()
{
    m_pool.clear();
    ++m_generation;
    m_entries.clear();
    m_pending.clear();
}

void FileThumbnailCache::WaitForIdle()
{
    m_pool.waitForDone();
}
