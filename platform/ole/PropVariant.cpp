#include "platform/ole/PropVariant.h"

PropVariant PropVariant::Null()
{
    PropVariant v;
    v.m_vt = VT_NULL;
    return v;
}

PropVariant PropVariant::Integer(VARTYPE vt, LONGLONG nValue)
{
    PropVariant v;
    v.m_vt = vt;
    v.m_nValue = nValue;
    return v;
}

PropVariant PropVariant::I2(SHORT nValue) { return Integer(VT_I2, nValue); }
PropVariant PropVariant::UI2(USHORT nValue) { return Integer(VT_UI2, nValue); }
PropVariant PropVariant::I4(LONG nValue) { return Integer(VT_I4, nValue); }
PropVariant PropVariant::UI4(ULONG nValue) { return Integer(VT_UI4, nValue); }
PropVariant PropVariant::I8(LONGLONG nValue) { return Integer(VT_I8, nValue); }
PropVariant PropVariant::UI8(ULONGLONG nValue) { return Integer(VT_UI8, static_cast<LONGLONG>(nValue)); }
PropVariant PropVariant::Bool(BOOL bValue) { return Integer(VT_BOOL, bValue ? 1 : 0); }
PropVariant PropVariant::FileTime(ULONGLONG nTicks) { return Integer(VT_FILETIME, static_cast<LONGLONG>(nTicks)); }

PropVariant PropVariant::FileTime(const FILETIME& ft)
{
    return FileTime(ULONGLONG(ft.dwHighDateTime) << 32 | ft.dwLowDateTime);
}

PropVariant PropVariant::R4(float fValue)
{
    PropVariant v;
    v.m_vt = VT_R4;
    v.m_dValue = fValue;
    return v;
}

PropVariant PropVariant::R8(double dValue)
{
    PropVariant v;
    v.m_vt = VT_R8;
    v.m_dValue = dValue;
    return v;
}

PropVariant PropVariant::Date(double dValue)
{
    PropVariant v;
    v.m_vt = VT_DATE;
    v.m_dValue = dValue;
    return v;
}

PropVariant PropVariant::AnsiString(const CString& str)
{
    PropVariant v;
    v.m_vt = VT_LPSTR;
    v.m_strValue = str;
    return v;
}

PropVariant PropVariant::WideString(const CString& str)
{
    PropVariant v;
    v.m_vt = VT_LPWSTR;
    v.m_strValue = str;
    return v;
}

PropVariant PropVariant::BString(const CString& str)
{
    PropVariant v;
    v.m_vt = VT_BSTR;
    v.m_strValue = str;
    return v;
}

PropVariant PropVariant::Blob(const BYTE* lpData, SIZE_T nCount, VARTYPE vt)
{
    PropVariant v;
    v.m_vt = vt;
    if (nCount != 0)
        v.m_bytes.assign(lpData, lpData + nCount);
    return v;
}

PropVariant PropVariant::Clsid(REFCLSID clsid)
{
    PropVariant v;
    v.m_vt = VT_CLSID;
    v.m_clsid = clsid;
    return v;
}

BOOL PropVariant::IsInteger() const
{
    switch (m_vt) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_ERROR:
    case VT_CY:
        return TRUE;
    default:
        return FALSE;
    }
}

bool PropVariant::operator==(const PropVariant& other) const
{
    return m_vt == other.m_vt && m_nValue == other.m_nValue &&
           (m_dValue == other.m_dValue || (m_dValue != m_dValue && other.m_dValue != other.m_dValue)) &&
           m_strValue == other.m_strValue && m_bytes == other.m_bytes && m_clsid == other.m_clsid;
}
