#include "command/FeatureListParameterItem.h"

#include "platform/afx/CDWordArray.h"
#include "platform/afx/CInvalidArgException.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(FeatureListParameterItem, PickedFeaturesParameterItem)

FeatureListParameterItem::FeatureListParameterItem() : PickedFeaturesParameterItem(typeFeatureList) {}

BOOL FeatureListParameterItem::ToggleFeature(long nLayoutID, long nRecordID, const RuVaPnt2d& pickPoint)
{
    for (INT_PTR i = 0; i < m_features.GetSize(); ++i) {
        if (m_features[i].GetRecordID() == nRecordID) {
            m_features.RemoveAt(i);
            m_pickPoints.RemoveAt(i);
            if (m_features.IsEmpty()) {
                m_bEmpty = TRUE;
                m_bFinished = FALSE;
            }
            return TRUE;
        }
    }
    m_features.Add(FeatureLayout(nRecordID, nLayoutID, -1));
    m_pickPoints.Add(pickPoint);
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL FeatureListParameterItem::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_features.GetSize())
        AfxThrowInvalidArgException();
    m_features.RemoveAt(nIndex);
    if (nIndex < m_pickPoints.GetSize())
        m_pickPoints.RemoveAt(nIndex);
    m_bFinished = FALSE;
    if (m_features.IsEmpty())
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL FeatureListParameterItem::RemoveFeature(long nRecordID)
{
    for (INT_PTR i = 0; i < m_features.GetSize(); ++i) {
        if (m_features[i].GetRecordID() == nRecordID)
            return RemoveAt(static_cast<int>(i));
    }
    return FALSE;
}

BOOL FeatureListParameterItem::GetFeatureIds(CDWordArray& ids) const
{
    if (IsEmpty())
        return FALSE;
    ids.RemoveAll();
    for (INT_PTR i = 0; i < m_features.GetSize(); ++i)
        ids.Add(static_cast<DWORD>(m_features[i].GetRecordID()));
    return TRUE;
}

void FeatureListParameterItem::Copy(const ParameterItemBase& source)
{
    PickedFeaturesParameterItem::Copy(source);
    if (const auto* p = dynamic_cast<const FeatureListParameterItem*>(&source))
        m_bTakeSelection = p->m_bTakeSelection;
}

BOOL FeatureListParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const FeatureListParameterItem*>(&other);
    if (p == nullptr || p->m_features.GetSize() != m_features.GetSize() || p->m_bFinished != m_bFinished)
        return FALSE;
    for (INT_PTR i = 0; i < m_features.GetSize(); ++i) {
        if (!(m_features[i] == p->m_features[i]))
            return FALSE;
    }
    return TRUE;
}

}  // namespace QZ2Command
