#pragma once
// Run-time class information of CObject-derived classes: name, size, schema, creation function and
// base class. Every class declared with DECLARE_DYNAMIC/DYNCREATE/SERIAL owns one constant instance
// (constant-initialised, so it is usable from any static initialiser). Classes implemented with
// IMPLEMENT_DYNCREATE or IMPLEMENT_SERIAL are also entered in a registry by name, which FromName and
// archive loading search.
//
// Linking: the registry is filled by static initialisers in the object file of each class. A static
// library only contributes object files that something references, so a class that is created only by
// name (for example only ever read back from an archive) must be referenced somewhere that is linked,
// e.g. with KC_FORCE_LINK(ClassName) in a source file of the program (see CObject.h).

#include "platform/afx/AfxTypes.h"

class CObject;
class CArchive;

// The schema bit that lets a class load older schemas; Serialize asks the archive for the schema read.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF for classes that are not serialisable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // A new object of this class, or NULL when the class cannot be created dynamically.
    CObject* CreateObject() const;
    // True when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name (case-sensitive), or NULL.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CRuntimeClass* FromName(LPCTSTR lpszClassName);
    // A new object of the registered class of that name, or NULL.
    static CObject* CreateObject(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCTSTR lpszClassName);

    // The class reference as archives hold it: schema WORD, name length WORD, name bytes.
    void Store(CArchive& ar) const;
    // Reads a class reference; NULL when the name is too long or names no registered class.
    // The schema found in the archive is returned through pwSchemaNum.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);

    // Enters a class in the registry (done by IMPLEMENT_DYNCREATE/IMPLEMENT_SERIAL).
    static void Register(const CRuntimeClass* pClass);
};

// The static registrar that IMPLEMENT_DYNCREATE and IMPLEMENT_SERIAL place beside each class.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass) { CRuntimeClass::Register(pNewClass); }
};
