#include "platform/ole/COleVariant.h"

#include "platform/afx/COleException.h"
#include "platform/ole/COleDateTime.h"
#include "platform/ole/PropVariant.h"

namespace {

BSTR AllocText(LPCTSTR psz, int nLength)
{
    BSTR b = SysAllocStringLen(psz, static_cast<UINT>(nLength < 0 ? 0 : nLength));
    if (b == nullptr)
        AfxThrowOleException(E_OUTOFMEMORY);
    return b;
}

}  // namespace

COleVariant::COleVariant() { VariantInit(this); }

COleVariant::COleVariant(const VARIANT& varSrc)
{
    VariantInit(this);
    const HRESULT hr = VariantCopy(this, &varSrc);
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

COleVariant::COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc)) {}

COleVariant::COleVariant(COleVariant&& varSrc) noexcept
{
    *static_cast<VARIANT*>(this) = varSrc;
    VariantInit(&varSrc);
}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    VariantInit(this);
    *this = lpszSrc;
}

COleVariant::COleVariant(const CString& strSrc)
{
    VariantInit(this);
    *this = strSrc;
}

COleVariant::COleVariant(BYTE nSrc)
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(LONG lSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = vtSrc == VT_ERROR ? static_cast<VARTYPE>(VT_ERROR) : static_cast<VARTYPE>(VT_I4);
        lVal = lSrc;
    }
}

COleVariant::COleVariant(LONGLONG nSrc)
{
    VariantInit(this);
    vt = VT_I8;
    llVal = nSrc;
}

COleVariant::COleVariant(ULONGLONG nSrc)
{
    VariantInit(this);
    vt = VT_UI8;
    ullVal = nSrc;
}

COleVariant::COleVariant(float fltSrc)
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::COleVariant(const COleDateTime& dateSrc)
{
    VariantInit(this);
    *this = dateSrc;
}

COleVariant::~COleVariant() { VariantClear(this); }

COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this) {
        const HRESULT hr = VariantCopy(this, &varSrc);
        if (FAILED(hr))
            AfxThrowOleException(hr);
    }
    return *this;
}

COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    return *this = static_cast<const VARIANT&>(varSrc);
}

COleVariant& COleVariant::operator=(COleVariant&& varSrc) noexcept
{
    if (&varSrc != this) {
        VariantClear(this);
        *static_cast<VARIANT*>(this) = varSrc;
        VariantInit(&varSrc);
    }
    return *this;
}

COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    const int n = static_cast<int>(CString(lpszSrc).GetLength());
    BSTR b = AllocText(lpszSrc, n);
    VariantClear(this);
    vt = VT_BSTR;
    bstrVal = b;
    return *this;
}

COleVariant& COleVariant::operator=(const CString& strSrc)
{
    BSTR b = AllocText(strSrc.GetString(), strSrc.GetLength());
    VariantClear(this);
    vt = VT_BSTR;
    bstrVal = b;
    return *this;
}

COleVariant& COleVariant::operator=(BYTE nSrc) { Clear(); vt = VT_UI1; bVal = nSrc; return *this; }
COleVariant& COleVariant::operator=(short nSrc) { Clear(); vt = VT_I2; iVal = nSrc; return *this; }
COleVariant& COleVariant::operator=(LONG lSrc) { Clear(); vt = VT_I4; lVal = lSrc; return *this; }
COleVariant& COleVariant::operator=(LONGLONG nSrc) { Clear(); vt = VT_I8; llVal = nSrc; return *this; }
COleVariant& COleVariant::operator=(ULONGLONG nSrc) { Clear(); vt = VT_UI8; ullVal = nSrc; return *this; }
COleVariant& COleVariant::operator=(float fltSrc) { Clear(); vt = VT_R4; fltVal = fltSrc; return *this; }
COleVariant& COleVariant::operator=(double dblSrc) { Clear(); vt = VT_R8; dblVal = dblSrc; return *this; }

COleVariant& COleVariant::operator=(const COleDateTime& dateSrc)
{
    Clear();
    if (dateSrc.GetStatus() == COleDateTime::null) {
        vt = VT_NULL;
    } else {
        vt = VT_DATE;
        date = dateSrc.m_dt;
    }
    return *this;
}

bool COleVariant::operator==(const VARIANT& varSrc) const { return VariantEqual(*this, varSrc) != FALSE; }

void COleVariant::Clear() { VariantClear(this); }

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == nullptr)
        pSrc = this;
    if (pSrc == this && vt == vartype)
        return;
    const HRESULT hr = VariantChangeType(this, pSrc, 0, vartype);
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

void COleVariant::Attach(VARIANT& varSrc)
{
    if (&varSrc == this)
        return;
    VariantClear(this);
    *static_cast<VARIANT*>(this) = varSrc;
    VariantInit(&varSrc);
}

VARIANT COleVariant::Detach()
{
    VARIANT v = *this;
    VariantInit(this);
    return v;
}

void COleVariant::SetString(LPCTSTR lpszSrc, VARTYPE vtSrc)
{
    (void)vtSrc;  // texts are UTF-16 here whatever their original form
    *this = lpszSrc;
}

CString COleVariant::GetString() const
{
    if (vt != VT_BSTR)
        return CString();
    return CString(bstrVal, static_cast<int>(SysStringLen(bstrVal)));
}

PropVariant COleVariant::ToPropVariant() const { return PropVariantFromVariant(*this); }
