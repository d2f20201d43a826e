#include "libs/vevure/FeatureSettingBase.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CRuntimeClass.h"

IMPLEMENT_DYNAMIC(FeatureSettingBase, CObject)

FeatureSettingBase::~FeatureSettingBase() = default;

int FeatureSettingBase::Copy(const FeatureSettingBase& src, const Draw2dDocument*, const Draw2dDocument*)
{
    return Copy(src) ? 1 : 0;
}

BOOL FeatureSettingBase::Copy(const FeatureSettingBase& src)
{
    if (!IsSameKind(src))
        return FALSE;
    m_bForEqualXYScale = src.m_bForEqualXYScale;
    return TRUE;
}

int FeatureSettingBase::IsEqual(const FeatureSettingBase& src) const
{
    return IsSameKind(src) ? 1 : 0;
}

BOOL FeatureSettingBase::SettingAndSetting(const FeatureSettingBase& src)
{
    if (!IsSameKind(src))
        return FALSE;
    // A merged setting can be applied back only when every shape was seen with equal scales.
    m_bForEqualXYScale = m_bForEqualXYScale && src.m_bForEqualXYScale;
    return TRUE;
}

BOOL FeatureSettingBase::SetOnlyDefValue(const FeatureSettingBase& src)
{
    return IsSameKind(src);
}

BOOL FeatureSettingBase::FillUndefinedValue(const FeatureSettingBase& src)
{
    return IsSameKind(src);
}

BOOL FeatureSettingBase::HasUndefinedValue() const
{
    return FALSE;
}

BOOL FeatureSettingBase::IsValidSetting() const
{
    return TRUE;
}

FeatureSettingBase* FeatureSettingBase::CopyObject() const
{
    CRuntimeClass* rc = GetRuntimeClass();
    CObject* made = rc->CreateObject();
    auto* copy = static_cast<FeatureSettingBase*>(made);
    if (copy == nullptr)
        return nullptr;
    copy->Copy(*this);
    return copy;
}

void FeatureSettingBase::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
}

BOOL FeatureSettingBase::IsSameKind(const FeatureSettingBase& other) const
{
    return GetRuntimeClass() == other.GetRuntimeClass();
}
