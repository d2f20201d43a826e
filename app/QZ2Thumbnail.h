#pragma once
// The small picture of a drawing kept in its file for file browsers and the file dialog: the
// active drawing (the whole paper, or the shapes of a part drawing with a margin) drawn into
// 256 x 256 pixels on white with a black frame, stored as a metafile in the clipboard layout that
// property sets use for pictures.

#include "platform/afx/AfxTypes.h"

class CByteArray;
class Draw2dDocument;

class QZ2Thumbnail
{
public:
    static constexpr int kSize = 256;
    // FALSE without a drawing to picture or when the drawing cannot be drawn.
    static BOOL Build(Draw2dDocument* pDocument, CByteArray& bytes);
};
