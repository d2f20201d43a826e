#include "libs/vevure/DrawComponent2dFeature.h"

#include <cmath>
#include <memory>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(DrawComponent2dFeature, Feature2dBase, 1)

namespace {

bool IsValidScale(double s)
{
    return std::isfinite(s) && std::fabs(s) > 1e-12 && std::fabs(s) < 1e15;
}

}  // namespace

DrawComponent2dFeature::DrawComponent2dFeature() : Feature2dBase(FeatureTypeDrawComponent) {}

DrawComponent2dFeature::DrawComponent2dFeature(const DrawComponent2dFeature& other)
    : Feature2dBase(other),
      m_pComponentAttribute(other.m_pComponentAttribute ? new FeatureAttribute(*other.m_pComponentAttribute) : nullptr),
      m_box(other.m_box),
      m_origin(other.m_origin),
      m_dAngle(other.m_dAngle),
      m_dScaleX(other.m_dScaleX),
      m_dScaleY(other.m_dScaleY),
      m_nDefineID(other.m_nDefineID)
{
}

DrawComponent2dFeature& DrawComponent2dFeature::operator=(const DrawComponent2dFeature& other)
{
    if (this != &other) {
        Feature2dBase::operator=(other);
        CopyGeometry(&other);
    }
    return *this;
}

DrawComponent2dFeature::~DrawComponent2dFeature()
{
    delete m_pComponentAttribute;
}

BOOL DrawComponent2dFeature::SetOrigin(const RuVaPnt2d& origin)
{
    if (!FeatureGeometry::IsFinitePoint(origin))
        return FALSE;
    m_origin = origin;
    return TRUE;
}

BOOL DrawComponent2dFeature::SetAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL DrawComponent2dFeature::SetScale(double dScaleX, double dScaleY)
{
    if (!IsValidScale(dScaleX) || !IsValidScale(dScaleY))
        return FALSE;
    m_dScaleX = dScaleX;
    m_dScaleY = dScaleY;
    return TRUE;
}

void DrawComponent2dFeature::SetDrawComponentAttribute(const FeatureAttribute& attribute)
{
    if (&attribute == m_pComponentAttribute)
        return;
    if (m_pComponentAttribute)
        *m_pComponentAttribute = attribute;
    else
        m_pComponentAttribute = new FeatureAttribute(attribute);
}

BOOL DrawComponent2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_origin) && m_dAngle >= 0.0 && m_dAngle < 360.0 && IsValidScale(m_dScaleX) &&
           IsValidScale(m_dScaleY);
}

RuVaBndBox2d DrawComponent2dFeature::GetBndBox() const
{
    if (!m_box.IsVoid())
        return m_box;
    RuVaBndBox2d box;
    box.Set(m_origin);
    return box;
}

BOOL DrawComponent2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    // A placed component keeps its own axes: only maps that keep them square (moves, turns, equal scales and
    // mirrors) apply; a mirror shows as a negative Y scale.
    if (FeatureGeometry::IsSingular(t) || !FeatureGeometry::IsSimilarity(t))
        return FALSE;
    const RuVaPnt2d origin = t.Transformed(m_origin);
    const double s = FeatureGeometry::LengthScale(t);
    const double sx = m_dScaleX * s, sy = m_dScaleY * s * (t.Determinant() < 0.0 ? -1.0 : 1.0);
    if (!FeatureGeometry::IsFinitePoint(origin) || !IsValidScale(sx) || !IsValidScale(sy))
        return FALSE;
    m_origin = origin;
    m_dAngle = FeatureGeometry::TransformAngle(t, m_dAngle);
    m_dScaleX = sx;
    m_dScaleY = sy;
    m_box = m_box.IsVoid() ? m_box : m_box.Transformed(t);
    return TRUE;
}

BOOL DrawComponent2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const DrawComponent2dFeature*>(pOther);
    if ((m_pComponentAttribute == nullptr) != (o->m_pComponentAttribute == nullptr))
        return FALSE;
    if (m_pComponentAttribute && *m_pComponentAttribute != *o->m_pComponentAttribute)
        return FALSE;
    return m_origin == o->m_origin && m_dAngle == o->m_dAngle && m_dScaleX == o->m_dScaleX &&
           m_dScaleY == o->m_dScaleY && m_nDefineID == o->m_nDefineID;
}

void DrawComponent2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType() || pSource == this)
        return;
    const auto* s = static_cast<const DrawComponent2dFeature*>(pSource);
    if (s->m_pComponentAttribute) {
        SetDrawComponentAttribute(*s->m_pComponentAttribute);
    } else {
        delete m_pComponentAttribute;
        m_pComponentAttribute = nullptr;
    }
    m_box = s->m_box;
    m_origin = s->m_origin;
    m_dAngle = s->m_dAngle;
    m_dScaleX = s->m_dScaleX;
    m_dScaleY = s->m_dScaleY;
    m_nDefineID = s->m_nDefineID;
}

void DrawComponent2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        const BYTE bAttribute = m_pComponentAttribute ? 1 : 0;
        ar << m_nDefineID << m_origin << m_dAngle << m_dScaleX << m_dScaleY << bAttribute;
        if (m_pComponentAttribute)
            m_pComponentAttribute->Serialize(ar);
        return;
    }
    BYTE bAttribute;
    ar >> m_nDefineID >> m_origin >> m_dAngle >> m_dScaleX >> m_dScaleY >> bAttribute;
    CheckLoaded(ar, bAttribute <= 1);
    std::unique_ptr<FeatureAttribute> pAttribute;
    if (bAttribute) {
        pAttribute = std::make_unique<FeatureAttribute>();
        pAttribute->Serialize(ar);
    }
    delete m_pComponentAttribute;
    m_pComponentAttribute = pAttribute.release();
    m_box.SetVoid();
}
