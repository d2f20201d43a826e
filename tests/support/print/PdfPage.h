#pragma once
// A PDF file read back as poppler-utils see it: the number of pages and the first page's size
// (pdfinfo), and the page rendered to a picture (pdftoppm), with the helpers that compare where the
// ink lies. Header only: test programs include it as they need it.

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>
#include <QtGui/QColor>
#include <QtGui/QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kctest {

struct PdfInfo {
    int pages = 0;
    double widthMM = 0.0;
    double heightMM = 0.0;
};

inline PdfInfo ReadPdfInfo(const QString& path)
{
    PdfInfo info;
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return info;
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(out);
    if (size.hasMatch()) {
        info.widthMM = size.captured(1).toDouble() * 25.4 / 72.0;
        info.heightMM = size.captured(2).toDouble() * 25.4 / 72.0;
    }
    return info;
}

// The first page at dpi dots per inch; a null picture when it cannot be rendered.
inline QImage RenderPdfPage(const QString& path, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"),
                                         QStringLiteral("-l"), QStringLiteral("1"), path, prefix});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return QImage();
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

inline bool IsInk(QRgb c) { return qGray(c) < 160; }

// Ink that is not grey: a colour clearly away from the grey axis.
inline bool IsColouredInk(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    return IsInk(c) && std::max({std::abs(r - g), std::abs(g - b), std::abs(r - b)}) > 60;
}

// The box of the ink (left, top, right, bottom; right < left when there is none).
struct InkBox {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool Empty() const { return right < left; }
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

inline InkBox InkBoxOf(const QImage& image)
{
    InkBox box{image.width(), image.height(), -1, -1};
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (IsInk(line[x])) {
                box.left = std::min(box.left, x), box.right = std::max(box.right, x);
                box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
            }
    }
    return box;
}

inline long CountPixels(const QImage& image, bool (*pred)(QRgb))
{
    long n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            n += pred(line[x]) ? 1 : 0;
    }
    return n;
}

// The share of ink pixels of a that have ink of b within reach pixels (1.0 when a has no ink).
inline double InkCoveredBy(const QImage& a, const QImage& b, int reach)
{
    long ink = 0, near = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!IsInk(a.pixel(x, y)))
                continue;
            ++ink;
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy)
                for (int dx = -reach; dx <= reach && !found; ++dx) {
                    const int u = x + dx, v = y + dy;
                    found = u >= 0 && v >= 0 && u < b.width() && v < b.height() && IsInk(b.pixel(u, v));
                }
            near += found ? 1 : 0;
        }
    return ink == 0 ? 1.0 : static_cast<double>(near) / ink;
}

}  // namespace kctest
