#pragma once
// Types, status codes and flags of structured storage and property sets as the system's code uses them.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/COleException.h"
#include "platform/afx/CString.h"

struct _GUID
{
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
typedef _GUID GUID;
typedef GUID CLSID;
typedef GUID FMTID;
typedef GUID IID;
typedef const GUID& REFGUID;
typedef const CLSID& REFCLSID;
typedef const FMTID& REFFMTID;

inline bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }
inline BOOL IsEqualGUID(REFGUID a, REFGUID b) { return a == b ? TRUE : FALSE; }
inline BOOL IsEqualCLSID(REFCLSID a, REFCLSID b) { return a == b ? TRUE : FALSE; }

extern const GUID GUID_NULL;
#define CLSID_NULL GUID_NULL

// The 16 bytes of a GUID as stored in files (the first three fields little-endian).
void GuidToBytes(REFGUID guid, BYTE bytes[16]);
GUID GuidFromBytes(const BYTE bytes[16]);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
CString GuidToString(REFGUID guid);
// Accepts the braced form (braces optional); FALSE when the text is no GUID.
BOOL GuidFromString(LPCTSTR lpsz, GUID& guid);

// 100-nanosecond intervals since 1601-01-01 UTC.
struct _FILETIME
{
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
typedef _FILETIME FILETIME;

typedef WORD VARTYPE;
typedef ULONG PROPID;

#ifndef S_OK
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#endif
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define E_NOTIMPL ((HRESULT)0x80004001L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)

#define STG_E_INVALIDFUNCTION ((HRESULT)0x80030001L)
#define STG_E_FILENOTFOUND ((HRESULT)0x80030002L)
#define STG_E_PATHNOTFOUND ((HRESULT)0x80030003L)
#define STG_E_ACCESSDENIED ((HRESULT)0x80030005L)
#define STG_E_INSUFFICIENTMEMORY ((HRESULT)0x80030008L)
#define STG_E_INVALIDPOINTER ((HRESULT)0x80030009L)
#define STG_E_WRITEFAULT ((HRESULT)0x8003001DL)
#define STG_E_READFAULT ((HRESULT)0x8003001EL)
#define STG_E_SHAREVIOLATION ((HRESULT)0x80030020L)
#define STG_E_FILEALREADYEXISTS ((HRESULT)0x80030050L)
#define STG_E_INVALIDPARAMETER ((HRESULT)0x80030057L)
#define STG_E_MEDIUMFULL ((HRESULT)0x80030070L)
#define STG_E_INVALIDHEADER ((HRESULT)0x800300FBL)
#define STG_E_INVALIDNAME ((HRESULT)0x800300FCL)
#define STG_E_UNKNOWN ((HRESULT)0x800300FDL)
#define STG_E_INVALIDFLAG ((HRESULT)0x800300FFL)
#define STG_E_REVERTED ((HRESULT)0x80030102L)
#define STG_E_CANTSAVE ((HRESULT)0x80030103L)
#define STG_E_DOCFILECORRUPT ((HRESULT)0x80030109L)

// Open modes of storages and streams.
#define STGM_DIRECT 0x00000000L
#define STGM_TRANSACTED 0x00010000L
#define STGM_SIMPLE 0x08000000L
#define STGM_READ 0x00000000L
#define STGM_WRITE 0x00000001L
#define STGM_READWRITE 0x00000002L
#define STGM_SHARE_DENY_NONE 0x00000040L
#define STGM_SHARE_DENY_READ 0x00000030L
#define STGM_SHARE_DENY_WRITE 0x00000020L
#define STGM_SHARE_EXCLUSIVE 0x00000010L
#define STGM_PRIORITY 0x00040000L
#define STGM_DELETEONRELEASE 0x04000000L
#define STGM_NOSCRATCH 0x00100000L
#define STGM_CREATE 0x00001000L
#define STGM_CONVERT 0x00020000L
#define STGM_FAILIFTHERE 0x00000000L
#define STGM_NOSNAPSHOT 0x00200000L

// Commit flags (accepted; a commit always writes the whole file anew).
#define STGC_DEFAULT 0
#define STGC_OVERWRITE 1
#define STGC_ONLYIFCURRENT 2
#define STGC_DANGEROUSLYCOMMITMERELYTODISKCACHE 4
#define STGC_CONSOLIDATE 8

// Element kinds.
#define STGTY_STORAGE 1
#define STGTY_STREAM 2

// An element of a storage as enumerated.
struct STATSTG
{
    CString strName;
    DWORD type = 0;           // STGTY_STORAGE or STGTY_STREAM
    ULONGLONG cbSize = 0;     // bytes of a stream, 0 for a storage
    CLSID clsid = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};  // of a storage
};

// Property set creation flags.
#define PROPSETFLAG_DEFAULT 0
#define PROPSETFLAG_NONSIMPLE 1
#define PROPSETFLAG_ANSI 2

// Value types.
enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_LPSTR = 30,
    VT_LPWSTR = 31,
    VT_FILETIME = 64,
    VT_BLOB = 65,
    VT_CF = 71,
    VT_CLSID = 72,
    VT_VECTOR = 0x1000,
};

#define VARIANT_TRUE ((SHORT)-1)
#define VARIANT_FALSE ((SHORT)0)

// Reserved property ids.
#define PID_DICTIONARY 0x00000000UL
#define PID_CODEPAGE 0x00000001UL
#define PID_FIRST_USABLE 0x00000002UL
#define PID_LOCALE 0x80000000UL
#define PID_BEHAVIOR 0x80000003UL

// Summary information.
#define PIDSI_TITLE 0x00000002L
#define PIDSI_SUBJECT 0x00000003L
#define PIDSI_AUTHOR 0x00000004L
#define PIDSI_KEYWORDS 0x00000005L
#define PIDSI_COMMENTS 0x00000006L
#define PIDSI_TEMPLATE 0x00000007L
#define PIDSI_LASTAUTHOR 0x00000008L
#define PIDSI_REVNUMBER 0x00000009L
#define PIDSI_EDITTIME 0x0000000AL
#define PIDSI_LASTPRINTED 0x0000000BL
#define PIDSI_CREATE_DTM 0x0000000CL
#define PIDSI_LASTSAVE_DTM 0x0000000DL
#define PIDSI_PAGECOUNT 0x0000000EL
#define PIDSI_WORDCOUNT 0x0000000FL
#define PIDSI_CHARCOUNT 0x00000010L
#define PIDSI_THUMBNAIL 0x00000011L
#define PIDSI_APPNAME 0x00000012L
#define PIDSI_DOC_SECURITY 0x00000013L

// Document summary information.
#define PIDDSI_CATEGORY 0x00000002
#define PIDDSI_PRESFORMAT 0x00000003
#define PIDDSI_BYTECOUNT 0x00000004
#define PIDDSI_LINECOUNT 0x00000005
#define PIDDSI_PARCOUNT 0x00000006
#define PIDDSI_SLIDECOUNT 0x00000007
#define PIDDSI_NOTECOUNT 0x00000008
#define PIDDSI_HIDDENCOUNT 0x00000009
#define PIDDSI_MMCLIPCOUNT 0x0000000A
#define PIDDSI_SCALE 0x0000000B
#define PIDDSI_HEADINGPAIR 0x0000000C
#define PIDDSI_DOCPARTS 0x0000000D
#define PIDDSI_MANAGER 0x0000000E
#define PIDDSI_COMPANY 0x0000000F
#define PIDDSI_LINKSDIRTY 0x00000010

// Code pages of property-set strings.
#define CP_WINUNICODE 1200
#define CP_UTF8 65001

extern const FMTID FMTID_SummaryInformation;
extern const FMTID FMTID_DocSummaryInformation;
extern const FMTID FMTID_UserDefinedProperties;
