#include "libs/vevure/OleObject2dFeature.h"

#include "platform/afx/CArchive.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(OleObject2dFeature, Feature2dBase, 1)

OleObject2dFeature::OleObject2dFeature() : Feature2dBase(FeatureTypeOleObject) {}

BOOL OleObject2dFeature::SetPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL OleObject2dFeature::SetWidth(double dWidth)
{
    if (!FeatureGeometry::IsPositiveSize(dWidth))
        return FALSE;
    m_dWidth = dWidth;
    return TRUE;
}

BOOL OleObject2dFeature::SetHeight(double dHeight)
{
    if (!FeatureGeometry::IsPositiveSize(dHeight))
        return FALSE;
    m_dHeight = dHeight;
    return TRUE;
}

KcArrayOfGePnt2d OleObject2dFeature::GetBounds() const
{
    KcArrayOfGePnt2d points;
    FeatureGeometry::RectangleOutline(m_point, m_dWidth, m_dHeight, 0.0, points);
    return points;
}

void OleObject2dFeature::SetItemData(const BYTE* pData, size_t nSize)
{
    if (pData == nullptr || nSize == 0)
        m_itemData.clear();
    else
        m_itemData.assign(pData, pData + nSize);
}

BOOL OleObject2dFeature::GetOutlinePoints(KcArrayOfGePnt2d& points) const
{
    points = GetBounds();
    return TRUE;
}

BOOL OleObject2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_point) && FeatureGeometry::IsPositiveSize(m_dWidth) &&
           FeatureGeometry::IsPositiveSize(m_dHeight);
}

RuVaBndBox2d OleObject2dFeature::GetBndBox() const
{
    return RuVaBndBox2d(m_point, RuVaPnt2d(m_point.X() + m_dWidth, m_point.Y() + m_dHeight));
}

BOOL OleObject2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    // The object is shown upright: the map moves its lower-left corner and scales its size; turns and mirrors
    // keep the image upright, so the new rectangle is the box of the transformed one.
    if (FeatureGeometry::IsSingular(t))
        return FALSE;
    KcArrayOfGePnt2d corners = GetBounds();
    corners.Transform(t);
    const RuVaBndBox2d box = corners.GetBndBox();
    const double s = FeatureGeometry::LengthScale(t);
    const double w = m_dWidth * s, h = m_dHeight * s;
    if (!FeatureGeometry::IsFinitePoint(box.Center()) || !FeatureGeometry::IsPositiveSize(w) ||
        !FeatureGeometry::IsPositiveSize(h))
        return FALSE;
    m_point = RuVaPnt2d(box.Center().X() - 0.5 * w, box.Center().Y() - 0.5 * h);
    m_dWidth = w;
    m_dHeight = h;
    return TRUE;
}

BOOL OleObject2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const OleObject2dFeature*>(pOther);
    return m_itemData == o->m_itemData && m_point == o->m_point && m_dWidth == o->m_dWidth &&
           m_dHeight == o->m_dHeight && m_dwReserved == o->m_dwReserved && m_byReserved == o->m_byReserved &&
           m_wReserved == o->m_wReserved;
}

void OleObject2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const OleObject2dFeature*>(pSource);
    m_itemData = s->m_itemData;
    m_pContainerItem = s->m_pContainerItem;
    m_point = s->m_point;
    m_dWidth = s->m_dWidth;
    m_dHeight = s->m_dHeight;
    m_dwReserved = s->m_dwReserved;
    m_byReserved = s->m_byReserved;
    m_wReserved = s->m_wReserved;
}

void OleObject2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_point << m_dWidth << m_dHeight << m_dwReserved << m_byReserved << m_wReserved;
        ar.WriteCount(m_itemData.size());
        if (!m_itemData.empty())
            ar.Write(m_itemData.data(), (UINT)m_itemData.size());
        return;
    }
    ar >> m_point >> m_dWidth >> m_dHeight >> m_dwReserved >> m_byReserved >> m_wReserved;
    const DWORD_PTR count = ar.ReadCount();
    CheckLoaded(ar, count <= kMaxItemBytes);
    ar.EnsureReadable(count);
    std::vector<BYTE> data((size_t)count);
    if (count > 0 && ar.Read(data.data(), (UINT)count) != (UINT)count)
        CheckLoaded(ar, false);
    m_itemData.swap(data);
    m_pContainerItem = nullptr;
}
