#pragma once
// One value of a property set: its type (VT_) and the value. Texts are held as CString whatever their
// stored form (VT_LPSTR in the section's code page, VT_LPWSTR in UTF-16, VT_BSTR); integers of every width
// as a 64-bit number, VT_R4, VT_R8 and VT_DATE (days since 1899-12-30) as a double, VT_FILETIME as
// 100-nanosecond ticks since 1601, VT_BLOB and VT_CF as bytes.

#include <vector>

#include "platform/ole/OleTypes.h"

class PropVariant
{
public:
    PropVariant() = default;  // VT_EMPTY

    static PropVariant Null();
    static PropVariant I2(SHORT nValue);
    static PropVariant UI2(USHORT nValue);
    static PropVariant I4(LONG nValue);
    static PropVariant UI4(ULONG nValue);
    static PropVariant I8(LONGLONG nValue);
    static PropVariant UI8(ULONGLONG nValue);
    static PropVariant R4(float fValue);
    static PropVariant R8(double dValue);
    static PropVariant Bool(BOOL bValue);
    static PropVariant Date(double dValue);
    static PropVariant FileTime(ULONGLONG nTicks);
    static PropVariant FileTime(const FILETIME& ft);
    // VT_LPSTR (stored in the section's code page), VT_LPWSTR (UTF-16) and VT_BSTR.
    static PropVariant AnsiString(const CString& str);
    static PropVariant WideString(const CString& str);
    static PropVariant BString(const CString& str);
    static PropVariant Blob(const BYTE* lpData, SIZE_T nCount, VARTYPE vt = VT_BLOB);
    static PropVariant Clsid(REFCLSID clsid);
    // Any integer type (VT_I1 ... VT_UINT, VT_ERROR, VT_CY) with the value taken as given.
    static PropVariant Integer(VARTYPE vt, LONGLONG nValue);

    VARTYPE GetType() const { return m_vt; }
    BOOL IsEmpty() const { return m_vt == VT_EMPTY; }
    BOOL IsString() const { return m_vt == VT_LPSTR || m_vt == VT_LPWSTR || m_vt == VT_BSTR; }
    BOOL IsInteger() const;

    // The value in the form of its type; other types give 0, an empty text or no bytes.
    LONGLONG GetInteger() const { return m_nValue; }
    double GetDouble() const { return m_dValue; }
    BOOL GetBool() const { return m_vt == VT_BOOL && m_nValue != 0 ? TRUE : FALSE; }
    ULONGLONG GetFileTime() const { return static_cast<ULONGLONG>(m_nValue); }
    const CString& GetString() const { return m_strValue; }
    const std::vector<BYTE>& GetBytes() const { return m_bytes; }
    CLSID GetClsid() const { return m_clsid; }

    void Clear() { *this = PropVariant(); }

    bool operator==(const PropVariant& other) const;
    bool operator!=(const PropVariant& other) const { return !(*this == other); }

private:
    VARTYPE m_vt = VT_EMPTY;
    LONGLONG m_nValue = 0;
    double m_dValue = 0.0;
    CString m_strValue;
    std::vector<BYTE> m_bytes;
    CLSID m_clsid = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
};
