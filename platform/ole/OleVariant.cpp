#include "platform/ole/OleVariant.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "platform/afx/AfxTchar.h"
#include "platform/ole/COleDateTime.h"
#include "platform/ole/PropVariant.h"

// ---- BSTR ---------------------------------------------------------------------------------------------

namespace {

// The byte count lives in the four bytes before the text.
constexpr UINT kMaxBstrUnits = 0x3FFFFFF0u;

std::uint32_t* Header(BSTR bstr) { return reinterpret_cast<std::uint32_t*>(bstr) - 1; }

}  // namespace

BSTR SysAllocStringLen(LPCOLESTR pch, UINT nLength)
{
    if (nLength > kMaxBstrUnits)
        return nullptr;
    const size_t bytes = sizeof(std::uint32_t) + (static_cast<size_t>(nLength) + 1) * sizeof(OLECHAR);
    auto* block = static_cast<std::uint32_t*>(std::malloc(bytes));
    if (block == nullptr)
        return nullptr;
    block[0] = static_cast<std::uint32_t>(nLength * sizeof(OLECHAR));
    BSTR text = reinterpret_cast<BSTR>(block + 1);
    if (pch != nullptr)
        std::memcpy(text, pch, nLength * sizeof(OLECHAR));
    else
        std::memset(text, 0, nLength * sizeof(OLECHAR));
    text[nLength] = 0;
    return text;
}

BSTR SysAllocString(LPCOLESTR psz)
{
    if (psz == nullptr)
        return nullptr;
    const size_t n = _tcslen(psz);
    if (n > kMaxBstrUnits)
        return nullptr;
    return SysAllocStringLen(psz, static_cast<UINT>(n));
}

void SysFreeString(BSTR bstr)
{
    if (bstr != nullptr)
        std::free(Header(bstr));
}

UINT SysStringLen(BSTR bstr) { return bstr == nullptr ? 0 : *Header(bstr) / sizeof(OLECHAR); }
UINT SysStringByteLen(BSTR bstr) { return bstr == nullptr ? 0 : *Header(bstr); }

BOOL SysReAllocString(BSTR* pbstr, LPCOLESTR psz)
{
    if (pbstr == nullptr)
        return FALSE;
    BSTR copy = SysAllocString(psz == nullptr ? u"" : psz);
    if (copy == nullptr)
        return FALSE;
    SysFreeString(*pbstr);
    *pbstr = copy;
    return TRUE;
}

// ---- Init, clear, copy --------------------------------------------------------------------------------

namespace {

bool IsKnownType(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY: case VT_NULL: case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2:
    case VT_UI4: case VT_UI8: case VT_INT: case VT_UINT: case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
    case VT_BSTR: case VT_BOOL: case VT_ERROR:
        return true;
    default:
        return false;
    }
}

}  // namespace

void VariantInit(VARIANTARG* pvarg)
{
    if (pvarg == nullptr)
        return;
    std::memset(static_cast<void*>(pvarg), 0, sizeof(VARIANTARG));
    pvarg->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANTARG* pvarg)
{
    if (pvarg == nullptr)
        return E_INVALIDARG;
    const bool known = IsKnownType(pvarg->vt);
    if (pvarg->vt == VT_BSTR)
        SysFreeString(pvarg->bstrVal);
    VariantInit(pvarg);
    return known ? S_OK : DISP_E_BADVARTYPE;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc)
{
    if (pvargDest == nullptr || pvargSrc == nullptr)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    if (!IsKnownType(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    VARIANT copy = *pvargSrc;
    if (pvargSrc->vt == VT_BSTR && pvargSrc->bstrVal != nullptr) {
        copy.bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
        if (copy.bstrVal == nullptr)
            return E_OUTOFMEMORY;
    }
    VariantClear(pvargDest);
    *pvargDest = copy;
    return S_OK;
}

// ---- Conversion ---------------------------------------------------------------------------------------

namespace {

// A value read out of a VARIANT in one of three forms.
struct Scalar
{
    enum Form { Signed, Unsigned, Real } form = Signed;
    long long i = 0;
    unsigned long long u = 0;
    double d = 0.0;
};

// Text as a number: the whole text (blanks around it allowed) must be used.
HRESULT ScalarFromText(LPCOLESTR psz, Scalar& out)
{
    const CString text = CString(psz).Trim();
    if (text.IsEmpty())
        return DISP_E_TYPEMISMATCH;
    LPTSTR end = nullptr;
    errno = 0;
    const LONGLONG i = _tcstoi64(text, &end, 10);
    if (end != nullptr && *end == 0 && errno == 0) {
        out.form = Scalar::Signed;
        out.i = i;
        return S_OK;
    }
    errno = 0;
    const double d = _tcstod(text, &end);
    if (end == nullptr || *end != 0 || end == text.GetString())
        return DISP_E_TYPEMISMATCH;
    if (!std::isfinite(d))
        return DISP_E_OVERFLOW;
    out.form = Scalar::Real;
    out.d = d;
    return S_OK;
}

HRESULT ToScalar(const VARIANT& v, Scalar& out)
{
    switch (v.vt) {
    case VT_EMPTY: out.form = Scalar::Signed; out.i = 0; return S_OK;
    case VT_I1: out.i = static_cast<signed char>(v.cVal); return S_OK;
    case VT_I2: out.i = v.iVal; return S_OK;
    case VT_I4: case VT_ERROR: out.i = v.lVal; return S_OK;
    case VT_INT: out.i = v.intVal; return S_OK;
    case VT_I8: out.i = v.llVal; return S_OK;
    case VT_BOOL: out.i = v.boolVal != 0 ? -1 : 0; return S_OK;
    case VT_UI1: out.form = Scalar::Unsigned; out.u = v.bVal; return S_OK;
    case VT_UI2: out.form = Scalar::Unsigned; out.u = v.uiVal; return S_OK;
    case VT_UI4: out.form = Scalar::Unsigned; out.u = v.ulVal; return S_OK;
    case VT_UINT: out.form = Scalar::Unsigned; out.u = v.uintVal; return S_OK;
    case VT_UI8: out.form = Scalar::Unsigned; out.u = v.ullVal; return S_OK;
    case VT_R4: out.form = Scalar::Real; out.d = v.fltVal; return S_OK;
    case VT_R8: out.form = Scalar::Real; out.d = v.dblVal; return S_OK;
    case VT_DATE: out.form = Scalar::Real; out.d = v.date; return S_OK;
    case VT_CY: out.form = Scalar::Real; out.d = static_cast<double>(v.cyVal.int64) / 10000.0; return S_OK;
    case VT_BSTR: return ScalarFromText(v.bstrVal == nullptr ? u"" : v.bstrVal, out);
    case VT_NULL: return DISP_E_TYPEMISMATCH;
    default: return DISP_E_BADVARTYPE;
    }
}

// The scalar as an integer within [lo, hi]; reals are rounded half to even.
HRESULT ScalarToSigned(const Scalar& s, long long lo, long long hi, long long& out)
{
    if (s.form == Scalar::Signed) {
        if (s.i < lo || s.i > hi)
            return DISP_E_OVERFLOW;
        out = s.i;
        return S_OK;
    }
    if (s.form == Scalar::Unsigned) {
        if (s.u > static_cast<unsigned long long>(hi))
            return DISP_E_OVERFLOW;
        out = static_cast<long long>(s.u);
        return S_OK;
    }
    if (!std::isfinite(s.d))
        return DISP_E_OVERFLOW;
    const double r = std::nearbyint(s.d);
    if (r < static_cast<double>(lo) || r >= std::ldexp(static_cast<double>(hi / 2 + 1), 1))
        return DISP_E_OVERFLOW;
    out = static_cast<long long>(r);
    if (out < lo || out > hi)
        return DISP_E_OVERFLOW;
    return S_OK;
}

HRESULT ScalarToUnsigned(const Scalar& s, unsigned long long hi, unsigned long long& out)
{
    if (s.form == Scalar::Signed) {
        if (s.i < 0 || static_cast<unsigned long long>(s.i) > hi)
            return DISP_E_OVERFLOW;
        out = static_cast<unsigned long long>(s.i);
        return S_OK;
    }
    if (s.form == Scalar::Unsigned) {
        if (s.u > hi)
            return DISP_E_OVERFLOW;
        out = s.u;
        return S_OK;
    }
    if (!std::isfinite(s.d))
        return DISP_E_OVERFLOW;
    const double r = std::nearbyint(s.d);
    if (r < 0 || r >= std::ldexp(static_cast<double>(hi / 2 + 1), 1))
        return DISP_E_OVERFLOW;
    out = static_cast<unsigned long long>(r);
    if (out > hi)
        return DISP_E_OVERFLOW;
    return S_OK;
}

double ScalarToDouble(const Scalar& s)
{
    switch (s.form) {
    case Scalar::Signed: return static_cast<double>(s.i);
    case Scalar::Unsigned: return static_cast<double>(s.u);
    default: return s.d;
    }
}

CString NumberText(const Scalar& s, VARTYPE vtSrc)
{
    CString text;
    switch (s.form) {
    case Scalar::Signed: text.Format(u"%lld", s.i); break;
    case Scalar::Unsigned: text.Format(u"%llu", s.u); break;
    default: text.Format(vtSrc == VT_R4 ? u"%.7G" : u"%.15G", s.d); break;
    }
    return text;
}

HRESULT ToText(const VARIANT& v, USHORT wFlags, CString& out)
{
    switch (v.vt) {
    case VT_EMPTY: out.Empty(); return S_OK;
    case VT_NULL: return DISP_E_TYPEMISMATCH;
    case VT_BSTR: out = CString(v.bstrVal, static_cast<int>(SysStringLen(v.bstrVal))); return S_OK;
    case VT_BOOL:
        if (wFlags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL))
            out = v.boolVal != 0 ? u"True" : u"False";
        else
            out = v.boolVal != 0 ? u"-1" : u"0";
        return S_OK;
    case VT_DATE: {
        const COleDateTime dt(v.date);
        if (dt.GetStatus() != COleDateTime::valid)
            return DISP_E_OVERFLOW;
        out = dt.Format();
        return S_OK;
    }
    default: {
        Scalar s;
        const HRESULT hr = ToScalar(v, s);
        if (FAILED(hr))
            return hr;
        out = NumberText(s, v.vt);
        return S_OK;
    }
    }
}

HRESULT ToDate(const VARIANT& v, DATE& out)
{
    if (v.vt == VT_BSTR) {
        COleDateTime dt;
        if (!dt.ParseDateTime(v.bstrVal == nullptr ? u"" : v.bstrVal))
            return DISP_E_TYPEMISMATCH;
        out = dt.m_dt;
        return S_OK;
    }
    Scalar s;
    const HRESULT hr = ToScalar(v, s);
    if (FAILED(hr))
        return hr;
    const double d = ScalarToDouble(s);
    if (COleDateTime(d).GetStatus() != COleDateTime::valid)
        return DISP_E_OVERFLOW;
    out = d;
    return S_OK;
}

HRESULT ToBool(const VARIANT& v, VARIANT_BOOL& out)
{
    if (v.vt == VT_BSTR) {
        const CString text = CString(v.bstrVal).Trim();
        if (text.CompareNoCase(u"True") == 0 || text.CompareNoCase(u"#TRUE#") == 0) {
            out = VARIANT_TRUE;
            return S_OK;
        }
        if (text.CompareNoCase(u"False") == 0 || text.CompareNoCase(u"#FALSE#") == 0) {
            out = VARIANT_FALSE;
            return S_OK;
        }
    }
    Scalar s;
    const HRESULT hr = ToScalar(v, s);
    if (FAILED(hr))
        return hr;
    out = ScalarToDouble(s) != 0.0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT Convert(const VARIANT& src, USHORT wFlags, VARTYPE vt, VARIANT& out)
{
    VariantInit(&out);
    if (!IsKnownType(src.vt) || !IsKnownType(vt))
        return DISP_E_BADVARTYPE;
    if (vt == VT_EMPTY)
        return S_OK;
    if (vt == VT_NULL) {
        if (src.vt != VT_NULL && src.vt != VT_EMPTY)
            return DISP_E_TYPEMISMATCH;
        out.vt = VT_NULL;
        return S_OK;
    }
    if (src.vt == VT_NULL)
        return DISP_E_TYPEMISMATCH;
    // A status code is no number: it converts to nothing else and nothing converts to it.
    if ((vt == VT_ERROR) != (src.vt == VT_ERROR))
        return DISP_E_TYPEMISMATCH;

    HRESULT hr = S_OK;
    switch (vt) {
    case VT_BSTR: {
        CString text;
        hr = ToText(src, wFlags, text);
        if (FAILED(hr))
            return hr;
        out.bstrVal = SysAllocStringLen(text.GetString(), static_cast<UINT>(text.GetLength()));
        if (out.bstrVal == nullptr)
            return E_OUTOFMEMORY;
        break;
    }
    case VT_DATE:
        hr = ToDate(src, out.date);
        break;
    case VT_BOOL:
        hr = ToBool(src, out.boolVal);
        break;
    case VT_R4:
    case VT_R8:
    case VT_CY: {
        Scalar s;
        hr = ToScalar(src, s);
        if (FAILED(hr))
            return hr;
        const double d = ScalarToDouble(s);
        if (vt == VT_R8) {
            out.dblVal = d;
        } else if (vt == VT_R4) {
            if (std::fabs(d) > std::numeric_limits<float>::max())
                return DISP_E_OVERFLOW;
            out.fltVal = static_cast<float>(d);
        } else {
            const double scaled = std::nearbyint(d * 10000.0);
            if (!(std::fabs(scaled) < 9.2e18))
                return DISP_E_OVERFLOW;
            out.cyVal.int64 = static_cast<long long>(scaled);
        }
        break;
    }
    default: {
        Scalar s;
        hr = ToScalar(src, s);
        if (FAILED(hr))
            return hr;
        long long i = 0;
        unsigned long long u = 0;
        switch (vt) {
        case VT_I1: hr = ScalarToSigned(s, -128, 127, i); out.cVal = static_cast<CHAR>(static_cast<signed char>(i)); break;
        case VT_I2: hr = ScalarToSigned(s, -32768, 32767, i); out.iVal = static_cast<SHORT>(i); break;
        case VT_I4:
        case VT_INT:
        case VT_ERROR:
            hr = ScalarToSigned(s, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max(), i);
            out.lVal = static_cast<LONG>(i);
            break;
        case VT_I8:
            hr = ScalarToSigned(s, std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max(), i);
            out.llVal = i;
            break;
        case VT_UI1: hr = ScalarToUnsigned(s, 0xFF, u); out.bVal = static_cast<BYTE>(u); break;
        case VT_UI2: hr = ScalarToUnsigned(s, 0xFFFF, u); out.uiVal = static_cast<USHORT>(u); break;
        case VT_UI4:
        case VT_UINT:
            hr = ScalarToUnsigned(s, 0xFFFFFFFFu, u);
            out.ulVal = static_cast<ULONG>(u);
            break;
        case VT_UI8:
            hr = ScalarToUnsigned(s, std::numeric_limits<unsigned long long>::max(), u);
            out.ullVal = u;
            break;
        default: return DISP_E_BADVARTYPE;
        }
        break;
    }
    }
    if (FAILED(hr)) {
        VariantClear(&out);
        return hr;
    }
    out.vt = vt;
    return S_OK;
}

}  // namespace

HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt)
{
    if (pvargDest == nullptr || pvarSrc == nullptr)
        return E_INVALIDARG;
    if (pvarSrc->vt == vt)
        return VariantCopy(pvargDest, pvarSrc);
    VARIANT result;
    const HRESULT hr = Convert(*pvarSrc, wFlags, vt, result);
    if (FAILED(hr))
        return hr;
    VariantClear(pvargDest);
    *pvargDest = result;
    return S_OK;
}

HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt)
{
    (void)lcid;
    return VariantChangeType(pvargDest, pvarSrc, wFlags, vt);
}

BOOL VariantEqual(const VARIANT& a, const VARIANT& b)
{
    if (a.vt != b.vt)
        return FALSE;
    switch (a.vt) {
    case VT_EMPTY: case VT_NULL: return TRUE;
    case VT_I1: return a.cVal == b.cVal;
    case VT_UI1: return a.bVal == b.bVal;
    case VT_I2: return a.iVal == b.iVal;
    case VT_UI2: return a.uiVal == b.uiVal;
    case VT_I4: case VT_ERROR: case VT_INT: return a.lVal == b.lVal;
    case VT_UI4: case VT_UINT: return a.ulVal == b.ulVal;
    case VT_I8: return a.llVal == b.llVal;
    case VT_UI8: return a.ullVal == b.ullVal;
    case VT_R4: return a.fltVal == b.fltVal;
    case VT_R8: return a.dblVal == b.dblVal;
    case VT_DATE: return a.date == b.date;
    case VT_CY: return a.cyVal.int64 == b.cyVal.int64;
    case VT_BOOL: return (a.boolVal != 0) == (b.boolVal != 0);
    case VT_BSTR: {
        const UINT n = SysStringLen(a.bstrVal);
        return n == SysStringLen(b.bstrVal) && (n == 0 || std::memcmp(a.bstrVal, b.bstrVal, n * sizeof(OLECHAR)) == 0);
    }
    default: return FALSE;
    }
}

// ---- Property-set values ------------------------------------------------------------------------------

HRESULT VariantFromPropVariant(const PropVariant& src, VARIANT* pvarDest)
{
    if (pvarDest == nullptr)
        return E_INVALIDARG;
    VARIANT v;
    VariantInit(&v);
    const VARTYPE vt = src.GetType();
    const LONGLONG n = src.GetInteger();
    switch (vt) {
    case VT_EMPTY: break;
    case VT_NULL: break;
    case VT_I1: v.cVal = static_cast<CHAR>(n); break;
    case VT_UI1: v.bVal = static_cast<BYTE>(n); break;
    case VT_I2: v.iVal = static_cast<SHORT>(n); break;
    case VT_UI2: v.uiVal = static_cast<USHORT>(n); break;
    case VT_I4: case VT_INT: case VT_ERROR: v.lVal = static_cast<LONG>(n); break;
    case VT_UI4: case VT_UINT: v.ulVal = static_cast<ULONG>(n); break;
    case VT_I8: v.llVal = n; break;
    case VT_UI8: v.ullVal = static_cast<ULONGLONG>(n); break;
    case VT_CY: v.cyVal.int64 = n; break;
    case VT_BOOL: v.boolVal = n != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_R4: v.fltVal = static_cast<float>(src.GetDouble()); break;
    case VT_R8: v.dblVal = src.GetDouble(); break;
    case VT_DATE: v.date = src.GetDouble(); break;
    case VT_LPSTR:
    case VT_LPWSTR:
    case VT_BSTR: {
        const CString& s = src.GetString();
        v.bstrVal = SysAllocStringLen(s.GetString(), static_cast<UINT>(s.GetLength()));
        if (v.bstrVal == nullptr)
            return E_OUTOFMEMORY;
        break;
    }
    case VT_FILETIME: {
        FILETIME ft;
        ft.dwLowDateTime = static_cast<DWORD>(src.GetFileTime() & 0xFFFFFFFFu);
        ft.dwHighDateTime = static_cast<DWORD>(src.GetFileTime() >> 32);
        const COleDateTime dt(ft);
        if (dt.GetStatus() != COleDateTime::valid)
            return DISP_E_OVERFLOW;
        v.date = dt.m_dt;
        v.vt = VT_DATE;
        VariantClear(pvarDest);
        *pvarDest = v;
        return S_OK;
    }
    default:
        return DISP_E_BADVARTYPE;
    }
    v.vt = (vt == VT_LPSTR || vt == VT_LPWSTR) ? static_cast<VARTYPE>(VT_BSTR) : vt;
    VariantClear(pvarDest);
    *pvarDest = v;
    return S_OK;
}

PropVariant PropVariantFromVariant(const VARIANT& src)
{
    switch (src.vt) {
    case VT_NULL: return PropVariant::Null();
    case VT_I1: return PropVariant::Integer(VT_I1, static_cast<signed char>(src.cVal));
    case VT_UI1: return PropVariant::Integer(VT_UI1, src.bVal);
    case VT_I2: return PropVariant::I2(src.iVal);
    case VT_UI2: return PropVariant::UI2(src.uiVal);
    case VT_I4: return PropVariant::I4(src.lVal);
    case VT_INT: return PropVariant::Integer(VT_INT, src.intVal);
    case VT_ERROR: return PropVariant::Integer(VT_ERROR, src.scode);
    case VT_UI4: return PropVariant::UI4(src.ulVal);
    case VT_UINT: return PropVariant::Integer(VT_UINT, src.uintVal);
    case VT_I8: return PropVariant::I8(src.llVal);
    case VT_UI8: return PropVariant::UI8(src.ullVal);
    case VT_CY: return PropVariant::Integer(VT_CY, src.cyVal.int64);
    case VT_BOOL: return PropVariant::Bool(src.boolVal != 0);
    case VT_R4: return PropVariant::R4(src.fltVal);
    case VT_R8: return PropVariant::R8(src.dblVal);
    case VT_DATE: return PropVariant::Date(src.date);
    case VT_BSTR: return PropVariant::BString(CString(src.bstrVal, static_cast<int>(SysStringLen(src.bstrVal))));
    default: return PropVariant();
    }
}
