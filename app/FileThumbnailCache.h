#pragma once
// The pictures that the file dialog shows for drawings and images, read on worker threads so that
// a folder of many files lists at once and fills in its pictures as they come. Each file is read
// once per cache; its picture, title and author are then answered at once.

#include <QtCore/QHash>
#include <QtCore/QObject>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QThreadPool>
#include <QtGui/QImage>

#include <functional>

class FileThumbnailCache
{
public:
    struct Entry {
        QImage image;  // null: the file has no picture (its type's icon serves)
        QString title;
        QString author;
    };

    // Pictures are read at most this size, keeping their proportions.
    static constexpr int kPictureSize = 256;

    FileThumbnailCache();
    ~FileThumbnailCache();
    FileThumbnailCache(const FileThumbnailCache&) = delete;
    FileThumbnailCache& operator=(const FileThumbnailCache&) = delete;

    // Called on the interface thread for each file whose entry has just been read.
    void SetReadyHandler(std::function<void(const QString&)> handler) { m_ready = std::move(handler); }

    // The entry of the file when it has been read; otherwise NULL, and the file is queued for
    // reading (once). Files that cannot have a picture answer NULL and queue nothing.
    const Entry* Find(const QString& path);
    // Forgets every entry (the next Find reads again) and drops what is queued.
    void Clear();
    // Waits until nothing is being read (for tests and shutdown).
    void WaitForIdle();

    // Drawings (by their native extensions) and the raster images the program places.
    static bool MayHavePicture(const QString& path);
    // What a worker reads for the file, on the calling thread.
    static Entry Read(const QString& path);

private:
    void Deliver(const QString& path, quint64 generation, const Entry& entry);

    QObject m_context;  // lives on the interface thread; queued deliveries die with it
    QThreadPool m_pool;
    QHash<QString, Entry> m_entries;
    QSet<QString> m_pending;
    quint64 m_generation = 0;
    std::function<void(const QString&)> m_ready;
};
