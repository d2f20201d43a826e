#include "libs/vevure/DrawGroup2dFeature.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(DrawGroup2dFeature, Feature2dBase, 1)

namespace {

// Groups nest; a damaged file must not nest them deep enough to exhaust the stack.
constexpr int kMaxLoadDepth = 64;
thread_local int g_loadDepth = 0;

}  // namespace

DrawGroup2dFeature::DrawGroup2dFeature() : Feature2dBase(FeatureTypeDrawGroup) {}

int DrawGroup2dFeature::AddFeature(Feature2dBase* pFeature, int nCopy)
{
    if (pFeature == nullptr || pFeature == this)
        return -1;
    return m_members.AddFeature(pFeature, nCopy);
}

BOOL DrawGroup2dFeature::IsValid() const
{
    for (int i = 0; i < m_members.GetFeatureSize(); ++i)
        if (m_members.GetFeature(i) == nullptr || !m_members.GetFeature(i)->IsValid())
            return FALSE;
    return TRUE;
}

RuVaBndBox2d DrawGroup2dFeature::GetBndBox() const
{
    RuVaBndBox2d box;
    for (int i = 0; i < m_members.GetFeatureSize(); ++i)
        box.Add(m_members.GetFeature(i)->GetBndBox());
    return box;
}

BOOL DrawGroup2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    Feature2dList moved(m_members);
    for (int i = 0; i < moved.GetFeatureSize(); ++i)
        if (!moved.GetFeature(i)->TransformGeometry(t, dSizeScale))
            return FALSE;
    m_members = moved;
    return TRUE;
}

BOOL DrawGroup2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const DrawGroup2dFeature*>(pOther);
    if (m_members.GetFeatureSize() != o->m_members.GetFeatureSize())
        return FALSE;
    for (int i = 0; i < m_members.GetFeatureSize(); ++i)
        if (!m_members.GetFeature(i)->IsEqual(o->m_members.GetFeature(i)))
            return FALSE;
    return TRUE;
}

void DrawGroup2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() == GetFeatureType() && pSource != this)
        m_members = static_cast<const DrawGroup2dFeature*>(pSource)->m_members;
}

void DrawGroup2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        m_members.Serialize(ar);
        return;
    }
    if (g_loadDepth >= kMaxLoadDepth)
        ar.ThrowArchiveException(CArchiveException::generic);
    ++g_loadDepth;
    try {
        m_members.Serialize(ar);
    } catch (...) {
        --g_loadDepth;
        throw;
    }
    --g_loadDepth;
}
