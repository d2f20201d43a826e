#include "command/FeatureSequenceParameterItem.h"


namespace QZ2Command {

IMPLEMENT_DYNCREATE(FeatureSequenceParameterItem, PickedFeaturesParameterItem)

FeatureSequenceParameterItem::FeatureSequenceParameterItem() : PickedFeaturesParameterItem(typeFeatureSequence) {}

BOOL FeatureSequenceParameterItem::AddFeature(long nLayoutID, long nRecordID, const RuVaPnt2d& pickPoint)
{
    m_features.Add(FeatureLayout(nRecordID, nLayoutID, -1));
    m_pickPoints.Add(pickPoint);
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL FeatureSequenceParameterItem::RemoveLastFeature()
{
    if (IsEmpty() || m_features.IsEmpty())
        return FALSE;
    m_features.RemoveAt(m_features.GetSize() - 1);
    if (!m_pickPoints.IsEmpty())
        m_pickPoints.RemoveAt(m_pickPoints.GetSize() - 1);
    if (m_features.IsEmpty())
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL FeatureSequenceParameterItem::SetFeatures(const CArray<FeatureLayout>& features,
                                               const KcArrayOfGePnt2d& pickPoints)
{
    if (features.GetSize() != pickPoints.GetSize())
        return FALSE;
    m_features.Copy(features);
    m_pickPoints.Copy(pickPoints);
    m_bFinished = FALSE;
    m_bEmpty = m_features.IsEmpty() ? TRUE : FALSE;
    return TRUE;
}

BOOL FeatureSequenceParameterItem::GetFeatures(CArray<FeatureLayout>& features) const
{
    if (IsEmpty())
        return FALSE;
    features.Copy(m_features);
    return TRUE;
}

BOOL FeatureSequenceParameterItem::GetPickPoints(KcArrayOfGePnt2d& pickPoints) const
{
    if (IsEmpty())
        return FALSE;
    pickPoints.Copy(m_pickPoints);
    return TRUE;
}

BOOL FeatureSequenceParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const FeatureSequenceParameterItem*>(&other);
    if (p == nullptr || p->m_features.GetSize() != m_features.GetSize() || p->m_bFinished != m_bFinished)
        return FALSE;
    // Only the record ids take part.
    for (INT_PTR i = 0; i < m_features.GetSize(); ++i) {
        if (m_features[i].GetRecordID() != p->m_features[i].GetRecordID())
            return FALSE;
    }
    return TRUE;
}

}  // namespace QZ2Command
