#pragma once
// Makes the record that an object shape keeps of a file (EmbeddedFileRecord): the file's bytes or its
// path, its MIME type from the desktop's database, its preview and its natural size in millimetres.
// Pictures show themselves at their pixel size and resolution (96 dpi when they name none), SVG pictures
// at their own size, other files as a 30 x 36 mm card with the desktop's icon of their type and their name.
// Also the safety rule for opening a file with the desktop: files the desktop would run are never opened.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class EmbeddedFileRecord;

namespace QZ2Command {

class EmbeddedFileBuilder
{
public:
    // The most pixels a picture may have to be shown as itself.
    static constexpr double kMaxPicturePixels = 100.0e6;
    static constexpr double kCardWidth = 30.0;
    static constexpr double kCardHeight = 36.0;

    // A record of the file (embedded, or linked with bLink) with its preview and natural size; FALSE when
    // the file cannot be read, is not a plain file, or is over the item's size limit.
    static BOOL FromFile(const CString& strPath, BOOL bLink, EmbeddedFileRecord& record, double& dWidthMM,
                         double& dHeightMM);
    // A record of an embedded file given by its name and bytes (pasted, or taken back after editing).
    static BOOL FromBytes(const CString& strName, const std::vector<BYTE>& bytes, EmbeddedFileRecord& record,
                          double& dWidthMM, double& dHeightMM);
    // The preview PNG and natural size of a file's bytes of that type and name.
    static BOOL MakePreview(const std::vector<BYTE>& bytes, const CString& strMimeType, const CString& strName,
                            std::vector<BYTE>& png, double& dWidthMM, double& dHeightMM);
    // Whether the bytes are an SVG picture that draws at a size of its own.
    static BOOL IsDrawableSvg(const std::vector<BYTE>& bytes);
    // The MIME type the desktop gives the bytes under that name.
    static CString GetMimeType(const CString& strName, const std::vector<BYTE>& bytes);
    // Whether the desktop would run the file rather than open it in a program: desktop entries, scripts,
    // programs and libraries, installers, by the type of its name, of its content or of the stored type.
    static BOOL IsRunnable(const CString& strPath, const CString& strStoredMimeType);
    // Whether the path names a drawing of this program (by its content or name).
    static BOOL IsOwnDrawingFile(const CString& strPath);
};

}  // namespace QZ2Command
