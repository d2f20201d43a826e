#include "libs/vevure/Region2dFeature.h"

#include <memory>

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"

IMPLEMENT_SERIAL(Region2dFeature, Feature2dBase, 1)

Region2dFeature::Region2dFeature() : Feature2dBase(FeatureTypeRegion) {}

Region2dFeature::Region2dFeature(const Region2dFeature& other) : Feature2dBase(other), m_bDisplay(other.m_bDisplay)
{
    CopyBoundary(other);
}

Region2dFeature& Region2dFeature::operator=(const Region2dFeature& other)
{
    if (this != &other) {
        Feature2dBase::operator=(other);
        m_bDisplay = other.m_bDisplay;
        CopyBoundary(other);
    }
    return *this;
}

Region2dFeature::~Region2dFeature()
{
    RemoveAllFeatures();
}

void Region2dFeature::CopyBoundary(const Region2dFeature& other)
{
    std::vector<Feature2dBase*> copies;
    copies.reserve(other.m_boundary.size());
    for (const Feature2dBase* f : other.m_boundary)
        copies.push_back(f->CopyObject(copyAll));
    RemoveAllFeatures();
    m_boundary.swap(copies);
}

BOOL Region2dFeature::IsBoundaryType(int nFeatureType)
{
    switch (nFeatureType) {
    case FeatureTypeLine:
    case FeatureTypePolyline:
    case FeatureTypeCircle:
    case FeatureTypeArc:
    case FeatureTypeEllipse:
    case FeatureTypeEllipseArc:
    case FeatureTypeBSplineCurve:
        return TRUE;
    default:
        return FALSE;
    }
}

int Region2dFeature::AddFeature(const Feature2dBase* pFeature)
{
    if (pFeature == nullptr || !IsBoundaryType(pFeature->GetFeatureType()) || !pFeature->IsValid())
        return -1;
    m_boundary.push_back(pFeature->CopyObject(copyAll));
    return GetFeatureCount() - 1;
}

Feature2dBase* Region2dFeature::GetFeature(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetFeatureCount())
        AfxThrowInvalidArgException();
    return m_boundary[(size_t)nIndex];
}

const Feature2dBase* Region2dFeature::GetFeature(int nIndex) const
{
    return const_cast<Region2dFeature*>(this)->GetFeature(nIndex);
}

void Region2dFeature::RemoveAllFeatures()
{
    for (Feature2dBase* f : m_boundary)
        delete f;
    m_boundary.clear();
}

BOOL Region2dFeature::IsClosedCurve(const Feature2dBase* pFeature)
{
    if (pFeature == nullptr)
        return FALSE;
    const int type = pFeature->GetFeatureType();
    if (type == FeatureTypeCircle || type == FeatureTypeEllipse)
        return TRUE;
    if (type == FeatureTypeBSplineCurve && static_cast<const BSplineCurve2dFeature*>(pFeature)->IsClosed())
        return TRUE;
    RuVaPnt2d s, e;
    return GetCurveEnds(pFeature, s, e) && s.Distance(e) <= FeatureGeometry::kPointTolerance;
}

BOOL Region2dFeature::GetCurveEnds(const Feature2dBase* pFeature, RuVaPnt2d& start, RuVaPnt2d& end)
{
    if (pFeature == nullptr)
        return FALSE;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* f = static_cast<const Line2dFeature*>(pFeature);
        start = f->GetStartPoint();
        end = f->GetEndPoint();
        return TRUE;
    }
    case FeatureTypePolyline: {
        const auto* f = static_cast<const Polyline2dFeature*>(pFeature);
        if (f->GetPointSize() < 2)
            return FALSE;
        start = f->GetPoint(0);
        end = f->GetPoint(f->GetPointSize() - 1);
        return TRUE;
    }
    case FeatureTypeArc: {
        const auto* f = static_cast<const Arc2dFeature*>(pFeature);
        start = f->GetStartPoint();
        end = f->GetEndPoint();
        return TRUE;
    }
    case FeatureTypeEllipseArc: {
        const auto* f = static_cast<const EllipseArc2dFeature*>(pFeature);
        start = f->GetStartPoint();
        end = f->GetEndPoint();
        return TRUE;
    }
    case FeatureTypeBSplineCurve: {
        const auto* f = static_cast<const BSplineCurve2dFeature*>(pFeature);
        if (f->IsClosed() || f->GetPointSize() < 2)
            return FALSE;
        start = f->GetPoint(0);
        end = f->GetPoint(f->GetPointSize() - 1);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL Region2dFeature::IsValidConnection() const
{
    const size_t n = m_boundary.size();
    if (n == 0)
        return FALSE;
    if (n == 1)
        return IsClosedCurve(m_boundary[0]);
    std::vector<RuVaPnt2d> starts(n), ends(n);
    for (size_t i = 0; i < n; ++i)
        if (IsClosedCurve(m_boundary[i]) || !GetCurveEnds(m_boundary[i], starts[i], ends[i]))
            return FALSE;
    const double tol = FeatureGeometry::kPointTolerance;
    for (int orientation = 0; orientation < 2; ++orientation) {
        const RuVaPnt2d first = orientation == 0 ? starts[0] : ends[0];
        RuVaPnt2d current = orientation == 0 ? ends[0] : starts[0];
        bool chained = true;
        for (size_t i = 1; i < n && chained; ++i) {
            if (starts[i].Distance(current) <= tol)
                current = ends[i];
            else if (ends[i].Distance(current) <= tol)
                current = starts[i];
            else
                chained = false;
        }
        if (chained && current.Distance(first) <= tol)
            return TRUE;
    }
    return FALSE;
}

BOOL Region2dFeature::IsValid() const
{
    for (const Feature2dBase* f : m_boundary)
        if (!IsBoundaryType(f->GetFeatureType()) || !f->IsValid())
            return FALSE;
    return m_bDisplay <= 1;
}

RuVaBndBox2d Region2dFeature::GetBndBox() const
{
    RuVaBndBox2d box;
    for (const Feature2dBase* f : m_boundary)
        box.Add(f->GetBndBox());
    return box;
}

BOOL Region2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    // Transform copies first so that a curve that cannot take the map leaves the region unchanged.
    std::vector<std::unique_ptr<Feature2dBase>> moved;
    for (const Feature2dBase* f : m_boundary) {
        moved.emplace_back(f->CopyObject(copyAll));
        if (!moved.back()->TransformGeometry(t, dSizeScale))
            return FALSE;
    }
    for (size_t i = 0; i < m_boundary.size(); ++i) {
        delete m_boundary[i];
        m_boundary[i] = moved[i].release();
    }
    return TRUE;
}

BOOL Region2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Region2dFeature*>(pOther);
    if (m_bDisplay != o->m_bDisplay || m_boundary.size() != o->m_boundary.size())
        return FALSE;
    for (size_t i = 0; i < m_boundary.size(); ++i)
        if (!m_boundary[i]->IsEqual(o->m_boundary[i]))
            return FALSE;
    return TRUE;
}

void Region2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Region2dFeature*>(pSource);
    m_bDisplay = s->m_bDisplay;
    CopyBoundary(*s);
}

void Region2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bDisplay;
        ar.WriteCount(m_boundary.size());
        for (const Feature2dBase* f : m_boundary)
            StoreFeature(ar, f);
        return;
    }
    BYTE bDisplay;
    ar >> bDisplay;
    CheckLoaded(ar, bDisplay <= 1);
    const DWORD_PTR count = ar.ReadCount();
    ar.EnsureReadable((ULONGLONG)count * 2);
    std::vector<std::unique_ptr<Feature2dBase>> loaded;
    for (DWORD_PTR i = 0; i < count; ++i) {
        loaded.emplace_back(LoadFeature(ar));
        CheckLoaded(ar, loaded.back() && IsBoundaryType(loaded.back()->GetFeatureType()));
    }
    RemoveAllFeatures();
    for (auto& f : loaded)
        m_boundary.push_back(f.release());
    m_bDisplay = bDisplay;
}
