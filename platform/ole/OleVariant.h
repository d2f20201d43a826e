#pragma once
// VARIANT values as the system's code uses them: the struct with its tagged union, length-prefixed BSTR
// strings and the Variant* functions that initialise, clear, copy and convert them.
//
// The types held are VT_EMPTY, VT_NULL, VT_I1, VT_I2, VT_I4, VT_I8, VT_UI1, VT_UI2, VT_UI4, VT_UI8,
// VT_INT, VT_UINT, VT_R4, VT_R8, VT_CY, VT_DATE, VT_BSTR, VT_BOOL and VT_ERROR; any other type is refused
// with DISP_E_BADVARTYPE. A DATE is days since 1899-12-30 (see COleDateTime).

#include "platform/ole/OleTypes.h"

class PropVariant;

typedef double DATE;
typedef short VARIANT_BOOL;
typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
typedef const OLECHAR* LPCOLESTR;
typedef DWORD LCID;

// A currency amount: the value times 10000.
struct CY
{
    LONGLONG int64;
};

struct tagVARIANT
{
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        CY cyVal;
        DATE date;
        BSTR bstrVal;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        ULONGLONG ullVal;
        INT intVal;
        UINT uintVal;
    };
};
typedef tagVARIANT VARIANT;
typedef VARIANT VARIANTARG;
typedef VARIANT* LPVARIANT;
typedef const VARIANT* LPCVARIANT;

#define V_VT(pv) ((pv)->vt)
#define V_BSTR(pv) ((pv)->bstrVal)
#define V_I4(pv) ((pv)->lVal)
#define V_R8(pv) ((pv)->dblVal)
#define V_DATE(pv) ((pv)->date)
#define V_BOOL(pv) ((pv)->boolVal)

#define DISP_E_BADVARTYPE ((HRESULT)0x80020008L)
#define DISP_E_TYPEMISMATCH ((HRESULT)0x80020005L)
#define DISP_E_OVERFLOW ((HRESULT)0x8002000AL)

// Flags of VariantChangeType.
#define VARIANT_NOVALUEPROP 0x01
#define VARIANT_ALPHABOOL 0x02      // booleans as "True" / "False" instead of "-1" / "0"
#define VARIANT_NOUSEROVERRIDE 0x04
#define VARIANT_LOCALBOOL 0x10

// Flags of date conversions (COleDateTime::Format and ParseDateTime).
#define VAR_TIMEVALUEONLY ((DWORD)0x00000001)
#define VAR_DATEVALUEONLY ((DWORD)0x00000002)

#define LOCALE_USER_DEFAULT ((LCID)0x0400)
#define LOCALE_SYSTEM_DEFAULT ((LCID)0x0800)
#define LANG_USER_DEFAULT ((LCID)0x0400)

// BSTR strings: a 32-bit byte count before the units and a NUL after them. A null BSTR is an empty text.
// Allocation gives null when out of memory or when the length is negative or absurd.
BSTR SysAllocString(LPCOLESTR psz);                 // null for null
BSTR SysAllocStringLen(LPCOLESTR pch, UINT nLength); // pch may be null: nLength zero units
void SysFreeString(BSTR bstr);                      // null is fine
UINT SysStringLen(BSTR bstr);                       // in units
UINT SysStringByteLen(BSTR bstr);
// Replaces *pbstr by a copy of psz; FALSE (keeping *pbstr) when out of memory.
BOOL SysReAllocString(BSTR* pbstr, LPCOLESTR psz);

void VariantInit(VARIANTARG* pvarg);
// Frees what the value owns and leaves VT_EMPTY. DISP_E_BADVARTYPE (still emptied) for unknown types.
HRESULT VariantClear(VARIANTARG* pvarg);
// pvargDest becomes a deep copy of pvargSrc (a BSTR is duplicated).
HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
// Converts pvarSrc to type vt into pvargDest (which may be pvarSrc). Numbers are rounded half to even
// into integers; values beyond the target give DISP_E_OVERFLOW; texts that are no number or date and
// VT_NULL give DISP_E_TYPEMISMATCH. Texts are read and written by the user's locale for dates and with
// '.' as the decimal point for numbers. On failure pvargDest is left as it was.
HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt);

// Same type and same value (BSTR by text; VT_EMPTY and VT_NULL equal themselves).
BOOL VariantEqual(const VARIANT& a, const VARIANT& b);

// Between VARIANTs and property-set values. A property-set text of any kind becomes a BSTR; a VT_FILETIME
// becomes the VT_DATE of its local time; types a VARIANT cannot hold give DISP_E_BADVARTYPE.
HRESULT VariantFromPropVariant(const PropVariant& src, VARIANT* pvarDest);
PropVariant PropVariantFromVariant(const VARIANT& src);
