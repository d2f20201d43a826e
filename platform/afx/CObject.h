#pragma once
// The root of every class that is created by name, stored in archives or asked for its class at run time.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CRuntimeClass.h"

class CArchive;
class CDumpContext;

class CObject
{
public:
    virtual ~CObject() = default;

    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    // Stores or loads the object's data; the base stores nothing.
    virtual void Serialize(CArchive& ar);

    virtual void AssertValid() const {}
    virtual void Dump(CDumpContext&) const {}

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    // Copying is for derived classes that define it; a bare CObject is never copied.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// Loads an object through the archive's class references; used by the operator>> of DECLARE_SERIAL.
CObject* AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClassRefRequested);
// The object when it is of that class (or derives from it), else NULL.
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
const CObject* AfxDynamicDownCast(CRuntimeClass* pClass, const CObject* pObject);

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

#define DECLARE_DYNAMIC(class_name)                       \
public:                                                   \
    static const CRuntimeClass class##class_name;         \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)  \
    DECLARE_DYNCREATE(class_name)   \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define _KC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                    \
    const CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class_name), \
                                                         (UINT)(wSchema), pfnNew,                     \
                                                         RUNTIME_CLASS(base_class_name)};             \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    _KC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                               \
    CObject* class_name::CreateObject() { return new class_name; }                     \
    _KC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject) \
    static const AFX_CLASSINIT _kc_init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                      \
    CObject* class_name::CreateObject() { return new class_name; }                                  \
    _KC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)      \
    static const AFX_CLASSINIT _kc_init_##class_name(RUNTIME_CLASS(class_name));                    \
    CArchive& operator>>(CArchive& ar, class_name*& pOb)                                            \
    {                                                                                                \
        pOb = static_cast<class_name*>(AfxReadObjectFromArchive(ar, RUNTIME_CLASS(class_name)));    \
        return ar;                                                                                   \
    }

// Keeps the object file of a class (and so its registry entry) in the link when the class is only
// ever created by name. Place it in a source file that is linked, after including the class's header.
#define _KC_FORCE_LINK_CAT2(a, b) a##b
#define _KC_FORCE_LINK_CAT(a, b) _KC_FORCE_LINK_CAT2(a, b)
#define KC_FORCE_LINK(class_name)                                                                   \
    [[gnu::used]] static const CRuntimeClass* const _KC_FORCE_LINK_CAT(_kc_force_link_, __COUNTER__) = \
        RUNTIME_CLASS(class_name)
