#pragma once
// Field-wise operations of the setting records. Each setting lists its fields once, by kind, in a
// static ForFields(a, b, visitor); the visitors below give copy, comparison, merging, filling and
// storage from that one list. Used only inside the setting sources.

#include "libs/vevure/SettingValue.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CString.h"

namespace vevure_detail {

template <class T> constexpr T UndefinedIndex() { return static_cast<T>(-1); }
template <class T> constexpr T UndefinedFlag() { return static_cast<T>(SettingValue::kUndefinedFlag); }

// Visitors get (this setting's field, the other setting's field) for each kind:
//   No      colour / line-type / line-width number (undefined 32767)
//   Index   list choice of any integer width (undefined -1)
//   Flag    on/off value of any integer width (undefined 2)
//   Dbl     double (undefined DBL_MAX)       Flt  float (undefined FLT_MAX)
//   Text    text (undefined "\n")            Id   record id (undefined -1, which is also "none")
//   Raw     value without an undefined form  Sub  a nested setting

struct CopyFields {
    template <class T> void No(T& a, const T& b) { a = b; }
    template <class T> void Index(T& a, const T& b) { a = b; }
    template <class T> void Flag(T& a, const T& b) { a = b; }
    void Dbl(double& a, const double& b) { a = b; }
    void Flt(float& a, const float& b) { a = b; }
    void Text(CString& a, const CString& b) { a = b; }
    template <class T> void Id(T& a, const T& b) { a = b; }
    template <class T> void Raw(T& a, const T& b) { a = b; }
    template <class S> void Sub(S& a, const S& b) { a.Copy(b); }
};

struct EqualFields {
    bool equal = true;
    template <class T> void No(const T& a, const T& b) { equal = equal && a == b; }
    template <class T> void Index(const T& a, const T& b) { equal = equal && a == b; }
    template <class T> void Flag(const T& a, const T& b) { equal = equal && a == b; }
    void Dbl(const double& a, const double& b) { equal = equal && a == b; }
    void Flt(const float& a, const float& b) { equal = equal && a == b; }
    void Text(const CString& a, const CString& b) { equal = equal && a == b; }
    template <class T> void Id(const T& a, const T& b) { equal = equal && a == b; }
    template <class T> void Raw(const T& a, const T& b) { equal = equal && a == b; }
    template <class S> void Sub(const S& a, const S& b) { equal = equal && a.IsEqual(b) > 0; }
};

// Values that differ become undefined; values without an undefined form keep this setting's value.
struct AndFields {
    template <class T> void No(T& a, const T& b) { if (a != b) a = static_cast<T>(SettingValue::kUndefinedNo); }
    template <class T> void Index(T& a, const T& b) { if (a != b) a = UndefinedIndex<T>(); }
    template <class T> void Flag(T& a, const T& b) { if (a != b) a = UndefinedFlag<T>(); }
    void Dbl(double& a, const double& b) { if (a != b) a = SettingValue::kUndefinedDouble; }
    void Flt(float& a, const float& b) { if (a != b) a = SettingValue::kUndefinedFloat; }
    void Text(CString& a, const CString& b) { if (a != b) a = SettingValue::kUndefinedText; }
    template <class T> void Id(T& a, const T& b) { if (a != b) a = static_cast<T>(SettingValue::kUndefinedId); }
    template <class T> void Raw(T&, const T&) {}
    template <class S> void Sub(S& a, const S& b) { a.SettingAndSetting(b); }
};

// Takes the values that b defines.
struct DefinedFields {
    template <class T> void No(T& a, const T& b) { if (b != static_cast<T>(SettingValue::kUndefinedNo)) a = b; }
    template <class T> void Index(T& a, const T& b) { if (b != UndefinedIndex<T>()) a = b; }
    template <class T> void Flag(T& a, const T& b) { if (b != UndefinedFlag<T>()) a = b; }
    void Dbl(double& a, const double& b) { if (b != SettingValue::kUndefinedDouble) a = b; }
    void Flt(float& a, const float& b) { if (b != SettingValue::kUndefinedFloat) a = b; }
    void Text(CString& a, const CString& b) { if (!SettingValue::IsUndefinedText(b)) a = b; }
    template <class T> void Id(T& a, const T& b) { if (b != static_cast<T>(SettingValue::kUndefinedId)) a = b; }
    template <class T> void Raw(T& a, const T& b) { a = b; }
    template <class S> void Sub(S& a, const S& b) { a.SetOnlyDefValue(b); }
};

// Gives this setting's undefined values the value of b.
struct FillFields {
    template <class T> void No(T& a, const T& b) { if (a == static_cast<T>(SettingValue::kUndefinedNo)) a = b; }
    template <class T> void Index(T& a, const T& b) { if (a == UndefinedIndex<T>()) a = b; }
    template <class T> void Flag(T& a, const T& b) { if (a == UndefinedFlag<T>()) a = b; }
    void Dbl(double& a, const double& b) { if (a == SettingValue::kUndefinedDouble) a = b; }
    void Flt(float& a, const float& b) { if (a == SettingValue::kUndefinedFloat) a = b; }
    void Text(CString& a, const CString& b) { if (SettingValue::IsUndefinedText(a)) a = b; }
    template <class T> void Id(T& a, const T& b) { if (a == static_cast<T>(SettingValue::kUndefinedId)) a = b; }
    template <class T> void Raw(T&, const T&) {}
    template <class S> void Sub(S& a, const S& b) { a.FillUndefinedValue(b); }
};

struct UndefinedFields {
    bool any = false;
    template <class T> void No(const T& a, const T&) { any = any || a == static_cast<T>(SettingValue::kUndefinedNo); }
    template <class T> void Index(const T& a, const T&) { any = any || a == UndefinedIndex<T>(); }
    template <class T> void Flag(const T& a, const T&) { any = any || a == UndefinedFlag<T>(); }
    void Dbl(const double& a, const double&) { any = any || a == SettingValue::kUndefinedDouble; }
    void Flt(const float& a, const float&) { any = any || a == SettingValue::kUndefinedFloat; }
    void Text(const CString& a, const CString&) { any = any || SettingValue::IsUndefinedText(a); }
    // An id of -1 also means "none", a complete value, so it never counts as undefined here.
    template <class T> void Id(const T&, const T&) {}
    template <class T> void Raw(const T&, const T&) {}
    template <class S> void Sub(const S& a, const S&) { any = any || a.HasUndefinedValue(); }
};

// Fixed-width storage: every integer field keeps its own width; long ids are stored as 32 bits.
struct StoreFields {
    CArchive& ar;
    template <class T> void Put(const T& v) { ar << v; }
    template <class T> void No(const T& a, const T&) { Put(a); }
    template <class T> void Index(const T& a, const T&) { Put(a); }
    template <class T> void Flag(const T& a, const T&) { Put(a); }
    void Dbl(const double& a, const double&) { Put(a); }
    void Flt(const float& a, const float&) { Put(a); }
    void Text(const CString& a, const CString&) { ar << a; }
    template <class T> void Id(const T& a, const T&) { Put(static_cast<LONG>(a)); }
    template <class T> void Raw(const T& a, const T&) { Put(a); }
    template <class S> void Sub(S& a, const S&) { a.Serialize(ar); }
};

struct LoadFields {
    CArchive& ar;
    template <class T> void Get(T& v) { ar >> v; }
    template <class T> void No(T& a, const T&) { Get(a); }
    template <class T> void Index(T& a, const T&) { Get(a); }
    template <class T> void Flag(T& a, const T&) { Get(a); }
    void Dbl(double& a, const double&) { Get(a); }
    void Flt(float& a, const float&) { Get(a); }
    void Text(CString& a, const CString&) { ar >> a; }
    template <class T> void Id(T& a, const T&) { LONG v = 0; Get(v); a = static_cast<T>(v); }
    template <class T> void Raw(T& a, const T&) { Get(a); }
    template <class S> void Sub(S& a, const S&) { a.Serialize(ar); }
};

// The common bodies of the virtual operations of a setting class S with a static
// ForFields(S& a, const S& b, V& v) and a schema number S::kSchema.
template <class S>
struct SettingFieldOps {
    static void Copy(S& a, const S& b) { CopyFields v; S::ForFields(a, b, v); }
    static bool Equal(const S& a, const S& b)
    {
        EqualFields v;
        S::ForFields(const_cast<S&>(a), b, v);
        return v.equal;
    }
    static void And(S& a, const S& b) { AndFields v; S::ForFields(a, b, v); }
    static void Defined(S& a, const S& b) { DefinedFields v; S::ForFields(a, b, v); }
    static void Fill(S& a, const S& b) { FillFields v; S::ForFields(a, b, v); }
    static bool HasUndefined(const S& a)
    {
        UndefinedFields v;
        S::ForFields(const_cast<S&>(a), a, v);
        return v.any;
    }
    // Stores a schema word and the fields; loads into a fresh setting that must pass its range test
    // before it replaces this one, so a corrupt archive leaves the setting unchanged.
    static void Serialize(S& a, CArchive& ar)
    {
        if (ar.IsStoring()) {
            ar << static_cast<WORD>(S::kSchema);
            StoreFields v{ar};
            S::ForFields(a, a, v);
            return;
        }
        WORD schema = 0;
        ar >> schema;
        if (schema == 0 || schema > S::kSchema)
            ar.ThrowArchiveException(CArchiveException::badSchema);
        S loaded;
        LoadFields v{ar};
        S::ForFields(loaded, loaded, v);
        if (!loaded.IsValidSetting())
            ar.ThrowArchiveException(CArchiveException::genericException);
        Copy(a, loaded);
    }
};

}  // namespace vevure_detail

// The overrides that every setting class declares, written once.
#define VEVURE_IMPLEMENT_SETTING_OPS(Cls)                                                        \
    BOOL Cls::Copy(const FeatureSettingBase& src)                                                \
    {                                                                                            \
        if (!FeatureSettingBase::Copy(src))                                                      \
            return FALSE;                                                                        \
        vevure_detail::SettingFieldOps<Cls>::Copy(*this, static_cast<const Cls&>(src));          \
        return TRUE;                                                                             \
    }                                                                                            \
    int Cls::IsEqual(const FeatureSettingBase& src) const                                        \
    {                                                                                            \
        return IsSameKind(src) && vevure_detail::SettingFieldOps<Cls>::Equal(                    \
                                      *this, static_cast<const Cls&>(src)) ? 1 : 0;              \
    }                                                                                            \
    BOOL Cls::SettingAndSetting(const FeatureSettingBase& src)                                   \
    {                                                                                            \
        if (!FeatureSettingBase::SettingAndSetting(src))                                         \
            return FALSE;                                                                        \
        vevure_detail::SettingFieldOps<Cls>::And(*this, static_cast<const Cls&>(src));           \
        return TRUE;                                                                             \
    }                                                                                            \
    BOOL Cls::SetOnlyDefValue(const FeatureSettingBase& src)                                     \
    {                                                                                            \
        if (!IsSameKind(src))                                                                    \
            return FALSE;                                                                        \
        vevure_detail::SettingFieldOps<Cls>::Defined(*this, static_cast<const Cls&>(src));       \
        return TRUE;                                                                             \
    }                                                                                            \
    BOOL Cls::FillUndefinedValue(const FeatureSettingBase& src)                                  \
    {                                                                                            \
        if (!IsSameKind(src))                                                                    \
            return FALSE;                                                                        \
        vevure_detail::SettingFieldOps<Cls>::Fill(*this, static_cast<const Cls&>(src));          \
        return TRUE;                                                                             \
    }                                                                                            \
    BOOL Cls::HasUndefinedValue() const                                                          \
    {                                                                                            \
        return vevure_detail::SettingFieldOps<Cls>::HasUndefined(*this) ? TRUE : FALSE;          \
    }                                                                                            \
    void Cls::Serialize(CArchive& ar) { vevure_detail::SettingFieldOps<Cls>::Serialize(*this, ar); }
