#pragma once
// The names and pieces of the native drawing file that are not the document's own: its stream
// names, the thumbnail picture, and a reader of a whole file from memory for checking untrusted
// bytes (the entry point of the file's fuzz target).

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CByteArray;
class Draw2dDocument;

class QZ2NativeFile
{
public:
    static const TCHAR kDocumentStreamName[];   // "QZ2Document"
    static const TCHAR kThumbnailStreamName[];  // "QZ2Thumbnail"

    // The thumbnail stream: a picture in the clipboard layout of property sets (size, marker,
    // CF_METAFILEPICT, the picture header, then the metafile bits). FALSE without a model.
    static BOOL BuildThumbnail(const Draw2dDocument* pDocument, CByteArray& bytes);

    // Reads a whole native file from memory as opening it would, into a document of its own, and
    // throws nothing: TRUE when it opened, else FALSE with the reason in pstrError when given.
    static BOOL LoadFromMemory(const BYTE* lpData, SIZE_T nCount, CString* pstrError = nullptr);
};

// The fuzz target's entry: always returns 0.
extern "C" int QZ2NativeFileFuzzOne(const unsigned char* data, size_t size);
