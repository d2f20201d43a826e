#pragma once
// The small picture of a drawing kept in its file for file browsers and the file dialog: the
// active drawing (the whole paper, or the shapes of a part drawing with a margin) drawn into
// 256 x 256 pixels on white with a black frame, stored as a metafile in the clipboard layout that
// property sets use for pictures.

#include "platform/afx/AfxTypes.h"

class CByteArray;
class Draw2dDocument;
class QImage;
class QString;
class RuVaPnt2d;

class QZ2Thumbnail
{
public:
    static constexpr int kSize = 256;
    // FALSE without a drawing to picture or when the drawing cannot be drawn.
    static BOOL Build(Draw2dDocument* pDocument, CByteArray& bytes);
    // The part of the active drawing that the picture shows, in the drawing's own coordinates.
    static BOOL GetRegion(Draw2dDocument* pDocument, RuVaPnt2d& lower, RuVaPnt2d& upper);

    // Reading back, for the file dialog and file managers. The stream comes from other programs'
    // files as well: every size, count and record length is checked, and a picture larger than
    // kMaxReadSide or not of 24 bits is refused. FALSE leaves the image null.
    static constexpr int kMaxReadSide = 1024;
    static BOOL Read(const BYTE* pData, size_t nSize, QImage& image);
    // The picture of a native file (any file: FALSE when it is none or has no picture); with the
    // title and author of its summary when asked for. Reads the file without locking it.
    static BOOL ReadFile(const QString& path, QImage& image, QString* pTitle = nullptr, QString* pAuthor = nullptr);
    // The program run as a file manager's thumbnailer: "<in> <out> <size>" writes the picture of
    // the drawing <in> as the PNG <out>, at most <size> pixels square. The exit code: 0 written,
    // 1 no picture, 2 bad arguments or the PNG could not be written.
    static int RunThumbnailer(int argc, char* argv[]);
};
