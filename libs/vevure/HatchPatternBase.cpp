#include "libs/vevure/HatchPatternBase.h"

#include "platform/afx/CArchive.h"

IMPLEMENT_DYNAMIC(HatchPatternBase, CObject)

HatchPatternBase::~HatchPatternBase() = default;

BOOL HatchPatternBase::SetPatternName(const CString& name)
{
    if (name.IsEmpty() || name.GetLength() > kMaxNameLength)
        return FALSE;
    m_name = name;
    return TRUE;
}

HatchPatternBase* HatchPatternBase::Clone() const
{
    CObject* made = GetRuntimeClass()->CreateObject();
    auto* copy = static_cast<HatchPatternBase*>(made);
    if (copy != nullptr)
        copy->Copy(*this);
    return copy;
}

BOOL HatchPatternBase::Copy(const HatchPatternBase& src)
{
    if (GetRuntimeClass() != src.GetRuntimeClass())
        return FALSE;
    m_id = src.m_id;
    m_name = src.m_name;
    return TRUE;
}

BOOL HatchPatternBase::IsEqual(const HatchPatternBase& other) const
{
    return GetRuntimeClass() == other.GetRuntimeClass() && m_name == other.m_name;
}

BOOL HatchPatternBase::IsValidPattern() const
{
    return !m_name.IsEmpty() && m_name.GetLength() <= kMaxNameLength;
}

void HatchPatternBase::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_name;
    else
        ar >> m_name;
}
