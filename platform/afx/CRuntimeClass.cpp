#include "platform/afx/CRuntimeClass.h"

#include <cstring>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CObject.h"

namespace {

// Filled by static initialisers, so it is made on first use.
std::vector<const CRuntimeClass*>& Registry()
{
    static std::vector<const CRuntimeClass*> classes;
    return classes;
}

// Class names are ASCII identifiers; anything else names no class.
bool NarrowClassName(LPCTSTR lpsz, std::string& out)
{
    out.clear();
    for (; *lpsz != 0; ++lpsz) {
        if (*lpsz > 0x7F)
            return false;
        out.push_back(static_cast<char>(*lpsz));
    }
    return true;
}

const size_t kMaxClassNameLength = 64;

}  // namespace

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

void CRuntimeClass::Register(const CRuntimeClass* pClass)
{
    if (pClass == nullptr)
        return;
    auto& classes = Registry();
    for (const CRuntimeClass* p : classes) {
        if (p == pClass)
            return;
    }
    classes.push_back(pClass);
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (const CRuntimeClass* p : Registry()) {
        if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return const_cast<CRuntimeClass*>(p);
    }
    return nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(LPCTSTR lpszClassName)
{
    std::string name;
    if (lpszClassName == nullptr || !NarrowClassName(lpszClassName, name))
        return nullptr;
    return FromName(name.c_str());
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    const CRuntimeClass* p = FromName(lpszClassName);
    return p != nullptr ? p->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCTSTR lpszClassName)
{
    const CRuntimeClass* p = FromName(lpszClassName);
    return p != nullptr ? p->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const size_t len = std::strlen(m_lpszClassName);
    ar << static_cast<WORD>(m_wSchema) << static_cast<WORD>(len);
    ar.Write(m_lpszClassName, static_cast<UINT>(len));
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0;
    WORD nLen = 0;
    ar >> wSchema >> nLen;
    if (pwSchemaNum != nullptr)
        *pwSchemaNum = wSchema;
    if (nLen >= kMaxClassNameLength)
        return nullptr;
    char szClassName[kMaxClassNameLength];
    if (ar.Read(szClassName, nLen) != nLen)
        ar.ThrowArchiveException(CArchiveException::endOfFile);
    szClassName[nLen] = '\0';
    if (std::strlen(szClassName) != nLen)
        return nullptr;
    return FromName(szClassName);
}
