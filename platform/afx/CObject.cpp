#include "platform/afx/CObject.h"

#include "platform/afx/CArchive.h"

const CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&)
{
}

CObject* AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClassRefRequested)
{
    return ar.ReadObject(pClassRefRequested);
}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return (pObject != nullptr && pObject->IsKindOf(pClass)) ? pObject : nullptr;
}

const CObject* AfxDynamicDownCast(CRuntimeClass* pClass, const CObject* pObject)
{
    return (pObject != nullptr && pObject->IsKindOf(pClass)) ? pObject : nullptr;
}
