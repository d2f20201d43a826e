#include "libs/vevure/OleObject2dFeature.h"

#include "platform/afx/CArchive.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"

IMPLEMENT_SERIAL(OleObject2dFeature, Feature2dBase, 1)

OleObject2dFeature::OleObject2dFeature() : Feature2dBase(FeatureTypeOleObject)
{
    m_setting.SetWidth(10.0);
    m_setting.SetHeight(10.0);
}

BOOL OleObject2dFeature::SetPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL OleObject2dFeature::SetWidth(double dWidth)
{
    return FeatureGeometry::IsPositiveSize(dWidth) && m_setting.SetWidth(dWidth);
}

BOOL OleObject2dFeature::SetHeight(double dHeight)
{
    return FeatureGeometry::IsPositiveSize(dHeight) && m_setting.SetHeight(dHeight);
}

BOOL OleObject2dFeature::SetOleObjectSetting(const OleObjectSetting& setting)
{
    OleObjectSetting merged(m_setting);
    if (!merged.SetOnlyDefValue(setting) || !FeatureSettingRules::IsComplete(merged) ||
        !FeatureGeometry::IsPositiveSize(merged.GetWidth()) || !FeatureGeometry::IsPositiveSize(merged.GetHeight()))
        return FALSE;
    m_setting = merged;
    return TRUE;
}

KcArrayOfGePnt2d OleObject2dFeature::GetBounds() const
{
    KcArrayOfGePnt2d points;
    FeatureGeometry::RectangleOutline(m_point, GetWidth(), GetHeight(), 0.0, points);
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
    return FeatureGeometry::IsFinitePoint(m_point) && FeatureSettingRules::IsComplete(m_setting) &&
           FeatureGeometry::IsPositiveSize(GetWidth()) && FeatureGeometry::IsPositiveSize(GetHeight());
}

RuVaBndBox2d OleObject2dFeature::GetBndBox() const
{
    return RuVaBndBox2d(m_point, RuVaPnt2d(m_point.X() + GetWidth(), m_point.Y() + GetHeight()));
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
    const double w = GetWidth() * s, h = GetHeight() * s;
    OleObjectSetting sized(m_setting);
    if (!FeatureGeometry::IsFinitePoint(box.Center()) || !FeatureGeometry::IsPositiveSize(w) ||
        !FeatureGeometry::IsPositiveSize(h) || !sized.SetWidth(w) || !sized.SetHeight(h))
        return FALSE;
    m_point = RuVaPnt2d(box.Center().X() - 0.5 * w, box.Center().Y() - 0.5 * h);
    m_setting = sized;
    return TRUE;
}

BOOL OleObject2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const OleObject2dFeature*>(pOther);
    return m_itemData == o->m_itemData && m_point == o->m_point && m_setting.IsEqual(o->m_setting) > 0 && m_dwReserved == o->m_dwReserved && m_byReserved == o->m_byReserved &&
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
    m_setting = s->m_setting;
    m_dwReserved = s->m_dwReserved;
    m_byReserved = s->m_byReserved;
    m_wReserved = s->m_wReserved;
}

void OleObject2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_point << m_dwReserved << m_byReserved << m_wReserved;
        m_setting.Serialize(ar);
        ar.WriteCount(m_itemData.size());
        if (!m_itemData.empty())
            ar.Write(m_itemData.data(), (UINT)m_itemData.size());
        return;
    }
    ar >> m_point >> m_dwReserved >> m_byReserved >> m_wReserved;
    m_setting.Serialize(ar);
    const DWORD_PTR count = ar.ReadCount();
    CheckLoaded(ar, count <= kMaxItemBytes);
    ar.EnsureReadable(count);
    std::vector<BYTE> data((size_t)count);
    if (count > 0 && ar.Read(data.data(), (UINT)count) != (UINT)count)
        CheckLoaded(ar, false);
    m_itemData.swap(data);
    m_pContainerItem = nullptr;
}
