#pragma once
// File names and kinds. GetFileType classifies a path by its extension (ignoring case):
//   0 drawing ".kvcd", 1 template ".kvct", 2 backup ".kvcb", 7 recovery ".kvcr";
//   older drawings: ".qz2" and ".qzc" are 3 when they are compound files and 4 (flat file) otherwise,
//   5 older template ".qzt", 6 older backup ".qzb";
//   10 DXF, 11 DWG, 12 JWC, 13 JWK, 14 JWW, 15 SFC, 16 P21, 17 JWS; -1 anything else.
// Paths may use '/' or '\\' between folders.

#include "platform/afx/AfxTypes.h"

class CString;

class FileTool
{
public:
    enum SplitPart {
        splitDrive = 0x01,      // "C:" when the path has a drive letter
        splitDirectory = 0x02,  // the folders, with the separator at the end
        splitName = 0x04,       // the file name without its extension
        splitExtension = 0x10   // the extension with its dot
    };

    static int GetFileType(const CString& path);
    // TRUE when a file (not a folder) exists at the path.
    static bool IsFileExist(const CString& path);
    // The parts of the path that the bits of mode name, in path order.
    static CString SplitFileName(const CString& path, int mode);
};
