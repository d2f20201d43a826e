#pragma once
// Format descriptions and storage mediums of data objects (clipboard and drag and drop).
//
// A format is a clipboard format (CF_ number or a registered one) with an aspect, a page index
// (-1: all) and the mediums it can come in. A medium names which member of its union holds the
// data; whoever receives a filled medium frees it with ReleaseStgMedium.

#include "platform/afx/AfxGlobalMemory.h"
#include "platform/afx/AfxTypes.h"

typedef WORD CLIPFORMAT;

struct HBITMAP__;
typedef HBITMAP__* HBITMAP;
struct HENHMETAFILE__;
typedef HENHMETAFILE__* HENHMETAFILE;
struct IStream;
struct IStorage;
struct IUnknown;
// A target device: never used by this program's data (always null).
struct DVTARGETDEVICE;

enum tagTYMED : DWORD {
    TYMED_NULL = 0,
    TYMED_HGLOBAL = 1,
    TYMED_FILE = 2,
    TYMED_ISTREAM = 4,
    TYMED_ISTORAGE = 8,
    TYMED_GDI = 16,
    TYMED_MFPICT = 32,
    TYMED_ENHMF = 64,
};

enum tagDVASPECT : DWORD {
    DVASPECT_CONTENT = 1,
    DVASPECT_THUMBNAIL = 2,
    DVASPECT_ICON = 4,
    DVASPECT_DOCPRINT = 8,
};

struct FORMATETC
{
    CLIPFORMAT cfFormat;
    DVTARGETDEVICE* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
};
typedef FORMATETC* LPFORMATETC;

struct STGMEDIUM
{
    DWORD tymed;
    union {
        HBITMAP hBitmap;
        HGLOBAL hMetaFilePict;
        HENHMETAFILE hEnhMetaFile;
        HGLOBAL hGlobal;
        WCHAR* lpszFileName;  // allocated with new[]
        IStream* pstm;
        IStorage* pstg;
    };
    IUnknown* pUnkForRelease;
};
typedef STGMEDIUM* LPSTGMEDIUM;

// Frees what the medium holds (global memory, a bitmap, a file name) and empties it. Mediums
// this program cannot free (streams, storages, metafiles) are only emptied.
void ReleaseStgMedium(LPSTGMEDIUM lpMedium);
// A copy of a global memory block (NULL when it is no block or memory runs out).
HGLOBAL AfxCopyGlobalMemory(HGLOBAL hSource);
