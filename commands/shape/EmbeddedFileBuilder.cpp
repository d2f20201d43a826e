#include "commands/shape/EmbeddedFileBuilder.h"

#include <QtCore/QBuffer>
#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeDatabase>
#include <QtCore/QMimeType>
#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtGui/QGuiApplication>
#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QImageReader>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>

#include <algorithm>
#include <cmath>

#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/FileTool.h"

namespace QZ2Command {

namespace {

// Previews are kept small: the drawing shows them, the file itself is kept whole.
constexpr int kPreviewSide = 1024;
constexpr double kDefaultDpi = 96.0;
// The largest side an SVG picture may give itself, in its pixels (about 26 m).
constexpr double kMaxSvgSide = 1.0e5;

bool IsSvgSize(const QSizeF& size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxSvgSide && size.height() <= kMaxSvgSide;
}

QByteArray Bytes(const std::vector<BYTE>& v)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(v.data()), (qsizetype)v.size());
}

std::vector<BYTE> Png(const QImage& image)
{
    QByteArray encoded;
    QBuffer out(&encoded);
    out.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&out, "PNG"))
        return {};
    return std::vector<BYTE>(encoded.begin(), encoded.end());
}

BOOL PicturePreview(const std::vector<BYTE>& bytes, std::vector<BYTE>& png, double& w, double& h)
{
    QByteArray data = Bytes(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || double(size.width()) * size.height() > EmbeddedFileBuilder::kMaxPicturePixels)
        return FALSE;
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return FALSE;
    double dpmX = image.dotsPerMeterX(), dpmY = image.dotsPerMeterY();
    if (!(dpmX > 0.0))
        dpmX = kDefaultDpi / 0.0254;
    if (!(dpmY > 0.0))
        dpmY = kDefaultDpi / 0.0254;
    if (image.width() > kPreviewSide || image.height() > kPreviewSide)
        image = image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    png = Png(image);
    w = size.width() / dpmX * 1000.0;
    h = size.height() / dpmY * 1000.0;
    return !png.empty();
}

BOOL SvgPreview(const std::vector<BYTE>& bytes, std::vector<BYTE>& png, double& w, double& h)
{
    QSvgRenderer renderer(Bytes(bytes));
    if (!renderer.isValid())
        return FALSE;
    const QSizeF size = renderer.defaultSize();
    if (!IsSvgSize(size))
        return FALSE;
    // SVG user units are CSS pixels, 96 to the inch.
    w = size.width() * 25.4 / kDefaultDpi;
    h = size.height() * 25.4 / kDefaultDpi;
    const QSize shown = size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio).toSize();
    if (shown.isEmpty())
        return FALSE;
    QImage image(shown, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    png = Png(image);
    return !png.empty();
}

// A card: the desktop's icon for the type above the file's name.
BOOL CardPreview(const CString& strMimeType, const CString& strName, std::vector<BYTE>& png, double& w, double& h)
{
    w = EmbeddedFileBuilder::kCardWidth;
    h = EmbeddedFileBuilder::kCardHeight;
    constexpr int kW = 300, kH = 360;
    QImage image(kW, kH, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 3));
    painter.drawRect(QRectF(1.5, 1.5, kW - 3, kH - 3));
    const QRect iconRect(kW / 2 - 80, 30, 160, 160);
    QIcon icon;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        const QMimeType type = QMimeDatabase().mimeTypeForName(strMimeType.ToQString());
        if (type.isValid())
            icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    }
    if (!icon.isNull()) {
        icon.paint(&painter, iconRect);
    } else {
        // A sheet with a folded corner where the desktop has no icon theme.
        QPolygonF sheet;
        sheet << QPointF(iconRect.left() + 25, iconRect.top()) << QPointF(iconRect.right() - 55, iconRect.top())
              << QPointF(iconRect.right() - 25, iconRect.top() + 30)
              << QPointF(iconRect.right() - 25, iconRect.bottom()) << QPointF(iconRect.left() + 25, iconRect.bottom());
        painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
        painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 4));
        painter.drawPolygon(sheet);
        painter.drawLine(QPointF(iconRect.right() - 55, iconRect.top()), QPointF(iconRect.right() - 55, iconRect.top() + 30));
        painter.drawLine(QPointF(iconRect.right() - 55, iconRect.top() + 30), QPointF(iconRect.right() - 25, iconRect.top() + 30));
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        QFont font;
        font.setPixelSize(26);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QRectF textRect(12, 210, kW - 24, kH - 222);
        painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere, strName.ToQString());
    }
    painter.end();
    png = Png(image);
    return !png.empty();
}

}  // namespace

BOOL EmbeddedFileBuilder::IsDrawableSvg(const std::vector<BYTE>& bytes)
{
    if (bytes.empty())
        return FALSE;
    QSvgRenderer renderer(Bytes(bytes));
    if (!renderer.isValid() || !IsSvgSize(renderer.defaultSize()))
        return FALSE;
    // A picture so thin that its preview would have no pixels does not draw either.
    return !renderer.defaultSize().scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio).isEmpty();
}

CString EmbeddedFileBuilder::GetMimeType(const CString& strName, const std::vector<BYTE>& bytes)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFileNameAndData(strName.ToQString(), Bytes(bytes));
    return CString::FromQString(type.isValid() ? type.name() : QStringLiteral("application/octet-stream"));
}

BOOL EmbeddedFileBuilder::MakePreview(const std::vector<BYTE>& bytes, const CString& strMimeType,
                                      const CString& strName, std::vector<BYTE>& png, double& dWidthMM,
                                      double& dHeightMM)
{
    png.clear();
    dWidthMM = dHeightMM = 0.0;
    const QMimeType type = QMimeDatabase().mimeTypeForName(strMimeType.ToQString());
    const bool svg = type.isValid() && type.inherits(QStringLiteral("image/svg+xml"));
    if (svg && SvgPreview(bytes, png, dWidthMM, dHeightMM))
        return TRUE;
    if (!svg && type.isValid() && type.name().startsWith(QLatin1String("image/")) &&
        PicturePreview(bytes, png, dWidthMM, dHeightMM))
        return TRUE;
    return CardPreview(strMimeType, strName, png, dWidthMM, dHeightMM);
}

BOOL EmbeddedFileBuilder::FromBytes(const CString& strName, const std::vector<BYTE>& bytes,
                                    EmbeddedFileRecord& record, double& dWidthMM, double& dHeightMM)
{
    if (bytes.size() > EmbeddedFileRecord::kMaxDataBytes - (size_t)64 * 1024 * 1024)
        return FALSE;
    EmbeddedFileRecord made;
    made.m_bLink = FALSE;
    made.m_strFileName = EmbeddedFileRecord::MakeSafeFileName(strName);
    made.m_strMimeType = GetMimeType(made.m_strFileName, bytes);
    if (!MakePreview(bytes, made.m_strMimeType, made.m_strFileName, made.m_preview, dWidthMM, dHeightMM))
        return FALSE;
    made.m_data = bytes;
    record = std::move(made);
    return TRUE;
}

BOOL EmbeddedFileBuilder::FromFile(const CString& strPath, BOOL bLink, EmbeddedFileRecord& record,
                                   double& dWidthMM, double& dHeightMM)
{
    const QFileInfo info(strPath.ToQString());
    // What the item bytes hold: the file, a preview of at most a few MB and the names.
    constexpr qint64 kMaxFile = (qint64)EmbeddedFileRecord::kMaxDataBytes - 64 * 1024 * 1024;
    if (!info.isFile() || !info.isReadable() || info.size() > kMaxFile)
        return FALSE;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return FALSE;
    const QByteArray all = file.read(kMaxFile + 1);
    if (all.size() > kMaxFile || file.error() != QFileDevice::NoError)
        return FALSE;
    const std::vector<BYTE> bytes(all.begin(), all.end());
    if (!FromBytes(CString::FromQString(info.fileName()), bytes, record, dWidthMM, dHeightMM))
        return FALSE;
    if (bLink) {
        record.m_bLink = TRUE;
        record.m_data.clear();
        record.m_strLinkPath = CString::FromQString(info.absoluteFilePath());
    }
    return TRUE;
}

BOOL EmbeddedFileBuilder::IsRunnable(const CString& strPath, const CString& strStoredMimeType)
{
    static const char* const kRunnable[] = {
        "application/x-executable",  "application/x-sharedlib",    "application/x-desktop",
        "application/x-shellscript", "application/x-ms-dos-executable", "application/x-msdownload",
        "application/x-msi",         "application/vnd.microsoft.portable-executable",
        "application/x-java-archive", "application/x-java-jnlp-file", "application/vnd.appimage",
        "application/x-iso9660-appimage", "application/x-perl", "text/x-python", "text/x-python3",
        "application/x-ruby", "application/x-csh", "application/x-bat", "application/x-pie-executable",
        "application/x-object", "application/x-core", "application/x-flatpak", "application/vnd.flatpak.ref",
        "application/x-deb", "application/vnd.debian.binary-package", "application/x-rpm",
    };
    QMimeDatabase db;
    const QString path = strPath.ToQString();
    auto runnable = [&](const QMimeType& type) {
        if (!type.isValid())
            return false;
        for (const char* name : kRunnable)
            if (type.inherits(QString::fromLatin1(name)))
                return true;
        return false;
    };
    // Every reading counts: the stored type, the name's and the content's.
    if (runnable(db.mimeTypeForName(strStoredMimeType.ToQString())) ||
        runnable(db.mimeTypeForFile(path, QMimeDatabase::MatchExtension)) ||
        runnable(db.mimeTypeForFile(path, QMimeDatabase::MatchContent)) ||
        runnable(db.mimeTypeForFile(path, QMimeDatabase::MatchDefault)))
        return TRUE;
    const QFileInfo info(path);
    return info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0 || info.isExecutable() ||
                   info.isSymLink()
               ? TRUE
               : FALSE;
}

BOOL EmbeddedFileBuilder::IsOwnDrawingFile(const CString& strPath)
{
    const int type = FileTool::GetFileType(strPath);
    return type >= 0 && type <= 7 ? TRUE : FALSE;
}

}  // namespace QZ2Command
