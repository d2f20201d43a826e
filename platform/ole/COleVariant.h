#pragma once
// A VARIANT that owns its value: constructed from C++ values, copied deeply, cleared when it goes.
// Conversions that fail throw a COleException with the status code.

#include "platform/afx/CString.h"
#include "platform/ole/OleVariant.h"

class COleDateTime;
class PropVariant;

class COleVariant : public tagVARIANT
{
public:
    COleVariant();                                   // VT_EMPTY
    COleVariant(const VARIANT& varSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(COleVariant&& varSrc) noexcept;
    COleVariant(LPCTSTR lpszSrc);                    // VT_BSTR; null gives an empty text
    COleVariant(const CString& strSrc);              // VT_BSTR
    COleVariant(BYTE nSrc);                          // VT_UI1
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);  // VT_I2 or VT_BOOL
    COleVariant(LONG lSrc, VARTYPE vtSrc = VT_I4);   // VT_I4, VT_ERROR or VT_BOOL
    COleVariant(LONGLONG nSrc);                      // VT_I8
    COleVariant(ULONGLONG nSrc);                     // VT_UI8
    COleVariant(float fltSrc);                       // VT_R4
    COleVariant(double dblSrc);                      // VT_R8
    COleVariant(const COleDateTime& dateSrc);        // VT_DATE (VT_NULL for a null date)
    ~COleVariant();

    COleVariant& operator=(const VARIANT& varSrc);
    COleVariant& operator=(const COleVariant& varSrc);
    COleVariant& operator=(COleVariant&& varSrc) noexcept;
    COleVariant& operator=(LPCTSTR lpszSrc);
    COleVariant& operator=(const CString& strSrc);
    COleVariant& operator=(BYTE nSrc);
    COleVariant& operator=(short nSrc);
    COleVariant& operator=(LONG lSrc);
    COleVariant& operator=(LONGLONG nSrc);
    COleVariant& operator=(ULONGLONG nSrc);
    COleVariant& operator=(float fltSrc);
    COleVariant& operator=(double dblSrc);
    COleVariant& operator=(const COleDateTime& dateSrc);

    // Same type and value (see VariantEqual).
    bool operator==(const VARIANT& varSrc) const;
    bool operator!=(const VARIANT& varSrc) const { return !(*this == varSrc); }

    void Clear();
    // Converts pSrc (or this value when null) to vartype in place; throws COleException on failure,
    // leaving this value unchanged.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = nullptr);
    // Takes over varSrc's value (varSrc becomes VT_EMPTY); Detach hands this value over the same way.
    void Attach(VARIANT& varSrc);
    VARIANT Detach();
    void SetString(LPCTSTR lpszSrc, VARTYPE vtSrc = VT_BSTR);

    // The text of a VT_BSTR value (empty for other types).
    CString GetString() const;
    PropVariant ToPropVariant() const;

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }
};
