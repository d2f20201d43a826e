#include "command/FeatureListParameterItem.h"

#include "command/FeatureSequenceParameterItem.h"
#include "platform/afx/CDWordArray.h"
#include "platform/afx/CInvalidArgException.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(FeatureListParameterItem, ParameterItemBase)

FeatureListParameterItem::FeatureListParameterItem() : ParameterItemBase(typeFeatureList) {}

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

BOOL FeatureListParameterItem::ContainsFeature(long nRecordID) const
{
    for (INT_PTR i = 0; i < m_features.GetSize(); ++i) {
        if (m_features[i].GetRecordID() == nRecordID)
            return TRUE;
    }
    return FALSE;
}

long FeatureListParameterItem::GetFeatureIdAt(int nIndex) const
{
    return m_features.GetAt(nIndex).GetRecordID();
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

BOOL FeatureListParameterItem::Clear()
{
    m_features.RemoveAll();
    m_pickPoints.RemoveAll();
    m_bFinished = FALSE;
    if (m_bClearable)
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL FeatureListParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const CArray<FeatureLayout>* pFeatures = nullptr;
    const KcArrayOfGePnt2d* pPoints = nullptr;
    BOOL bFinished = FALSE;
    if (const auto* pList = dynamic_cast<const FeatureListParameterItem*>(&source)) {
        pFeatures = &pList->m_features;
        pPoints = &pList->m_pickPoints;
        bFinished = pList->m_bFinished;
    } else if (const auto* pSeq = dynamic_cast<const FeatureSequenceParameterItem*>(&source)) {
        pFeatures = &pSeq->m_features;
        pPoints = &pSeq->m_pickPoints;
        bFinished = pSeq->m_bFinished;
    } else {
        return FALSE;
    }
    if (source.IsEmpty())
        return Clear();
    m_features.Copy(*pFeatures);
    m_pickPoints.Copy(*pPoints);
    if (m_features.IsEmpty()) {
        m_bEmpty = TRUE;
        m_bFinished = FALSE;
    } else {
        m_bEmpty = FALSE;
        m_bFinished = bFinished;
    }
    return TRUE;
}

void FeatureListParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const FeatureListParameterItem*>(&source)) {
        m_dwAcceptedKinds = p->m_dwAcceptedKinds;
        m_features.Copy(p->m_features);
        m_pickPoints.Copy(p->m_pickPoints);
        m_bFinished = p->m_bFinished;
        m_bTakeSelection = p->m_bTakeSelection;
        m_bEditableOnly = p->m_bEditableOnly;
    }
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
