#include "command/PickedFeaturesParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(PickedFeaturesParameterItem, ParameterItemBase)

BOOL PickedFeaturesParameterItem::Clear()
{
    m_features.RemoveAll();
    m_pickPoints.RemoveAll();
    m_bFinished = FALSE;
    if (m_bClearable)
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL PickedFeaturesParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const PickedFeaturesParameterItem*>(&source);
    if (p == nullptr)
        return FALSE;
    if (source.IsEmpty())
        return Clear();
    m_features.Copy(p->m_features);
    m_pickPoints.Copy(p->m_pickPoints);
    if (m_features.IsEmpty()) {
        m_bEmpty = TRUE;
        m_bFinished = FALSE;
    } else {
        m_bEmpty = FALSE;
        m_bFinished = p->m_bFinished;
    }
    return TRUE;
}

void PickedFeaturesParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    const auto* p = dynamic_cast<const PickedFeaturesParameterItem*>(&source);
    if (p == nullptr || p->GetTypeCode() != GetTypeCode())
        return;
    m_dwAcceptedKinds = p->m_dwAcceptedKinds;
    m_features.Copy(p->m_features);
    m_pickPoints.Copy(p->m_pickPoints);
    m_bFinished = p->m_bFinished;
    m_bEditableOnly = p->m_bEditableOnly;
}

BOOL PickedFeaturesParameterItem::ContainsFeature(long nRecordID) const
{
    for (INT_PTR i = 0; i < m_features.GetSize(); ++i) {
        if (m_features[i].GetRecordID() == nRecordID)
            return TRUE;
    }
    return FALSE;
}

long PickedFeaturesParameterItem::GetFeatureIdAt(int nIndex) const
{
    return m_features.GetAt(nIndex).GetRecordID();
}

}  // namespace QZ2Command
