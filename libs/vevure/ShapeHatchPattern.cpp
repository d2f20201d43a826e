#include "libs/vevure/ShapeHatchPattern.h"

#include "libs/vevure/Feature2dBase.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CRuntimeClass.h"

IMPLEMENT_SERIAL(ShapeHatchPattern, HatchPatternBase, 1)

namespace {

bool IsValidSpace(double v) { return v > 0.0 && v < 1e15; }
bool IsValidAngles(double a1, double a2) { return a1 > -90.0 && a1 < 90.0 && a2 > 0.0 && a2 < 180.0 && a2 > a1; }

}  // namespace

ShapeHatchPattern::ShapeHatchPattern() = default;

ShapeHatchPattern::ShapeHatchPattern(const ShapeHatchPattern& src) : HatchPatternBase(src)
{
    CopyFrom(src);
}

ShapeHatchPattern& ShapeHatchPattern::operator=(const ShapeHatchPattern& src)
{
    if (this != &src) {
        HatchPatternBase::operator=(src);
        CopyFrom(src);
    }
    return *this;
}

ShapeHatchPattern::~ShapeHatchPattern() = default;

void ShapeHatchPattern::CopyFrom(const ShapeHatchPattern& src)
{
    std::vector<std::unique_ptr<Feature2dBase>> features;
    features.reserve(src.m_features.size());
    for (const auto& f : src.m_features)
        features.emplace_back(f->CopyObject());
    m_features.swap(features);
    m_space1 = src.m_space1;
    m_space2 = src.m_space2;
    m_angle1 = src.m_angle1;
    m_angle2 = src.m_angle2;
}

BOOL ShapeHatchPattern::AddFeature(const Feature2dBase* feature)
{
    if (feature == nullptr)
        return FALSE;
    std::unique_ptr<Feature2dBase> copy(feature->CopyObject());
    if (!copy)
        return FALSE;
    m_features.push_back(std::move(copy));
    return TRUE;
}

const Feature2dBase* ShapeHatchPattern::GetFeature(int index) const
{
    if (index < 0 || index >= GetFeatureCount())
        AfxThrowInvalidArgException();
    return m_features[static_cast<size_t>(index)].get();
}

void ShapeHatchPattern::RemoveAllFeatures()
{
    m_features.clear();
}

BOOL ShapeHatchPattern::SetSpace1(double space)
{
    if (!IsValidSpace(space))
        return FALSE;
    m_space1 = space;
    return TRUE;
}

BOOL ShapeHatchPattern::SetSpace2(double space)
{
    if (!IsValidSpace(space))
        return FALSE;
    m_space2 = space;
    return TRUE;
}

BOOL ShapeHatchPattern::SetAngle(double angle1, double angle2)
{
    if (!IsValidAngles(angle1, angle2))
        return FALSE;
    m_angle1 = angle1;
    m_angle2 = angle2;
    return TRUE;
}

BOOL ShapeHatchPattern::Copy(const HatchPatternBase& src)
{
    if (!HatchPatternBase::Copy(src))
        return FALSE;
    if (this != &src)
        CopyFrom(static_cast<const ShapeHatchPattern&>(src));
    return TRUE;
}

BOOL ShapeHatchPattern::IsEqual(const HatchPatternBase& other) const
{
    if (!HatchPatternBase::IsEqual(other))
        return FALSE;
    const auto& o = static_cast<const ShapeHatchPattern&>(other);
    if (m_space1 != o.m_space1 || m_space2 != o.m_space2 || m_angle1 != o.m_angle1 || m_angle2 != o.m_angle2 ||
        m_features.size() != o.m_features.size())
        return FALSE;
    for (size_t i = 0; i < m_features.size(); ++i) {
        if (m_features[i]->GetRuntimeClass() != o.m_features[i]->GetRuntimeClass() ||
            m_features[i]->GetFeatureType() != o.m_features[i]->GetFeatureType())
            return FALSE;
    }
    return TRUE;
}

BOOL ShapeHatchPattern::IsValidPattern() const
{
    return HatchPatternBase::IsValidPattern() && IsValidSpace(m_space1) && IsValidSpace(m_space2) &&
           IsValidAngles(m_angle1, m_angle2);
}

void ShapeHatchPattern::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(kSchema);
        HatchPatternBase::Serialize(ar);
        ar << m_space1 << m_space2 << m_angle1 << m_angle2;
        ar.WriteCount(m_features.size());
        // Each shape as its class and data, never as a reference, so a loaded shape is always a new one.
        for (const auto& f : m_features) {
            ar.WriteClass(f->GetRuntimeClass());
            f->Serialize(ar);
        }
        return;
    }
    WORD schema = 0;
    ar >> schema;
    if (schema == 0 || schema > kSchema)
        ar.ThrowArchiveException(CArchiveException::badSchema);
    ShapeHatchPattern loaded;
    loaded.SetPatternID(GetPatternID());
    loaded.HatchPatternBase::Serialize(ar);
    ar >> loaded.m_space1 >> loaded.m_space2 >> loaded.m_angle1 >> loaded.m_angle2;
    const DWORD_PTR count = ar.ReadCount();
    for (DWORD_PTR i = 0; i < count; ++i) {
        const CRuntimeClass* rc = ar.ReadClass(RUNTIME_CLASS(Feature2dBase));
        CObject* object = rc != nullptr ? rc->CreateObject() : nullptr;
        if (object == nullptr)
            ar.ThrowArchiveException(CArchiveException::badClass);
        loaded.m_features.emplace_back(static_cast<Feature2dBase*>(object));
        loaded.m_features.back()->Serialize(ar);
    }
    if (!loaded.IsValidPattern())
        ar.ThrowArchiveException(CArchiveException::genericException);
    *this = loaded;
}
