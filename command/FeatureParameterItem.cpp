#include "command/FeatureParameterItem.h"

#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/SelectionFeatureFilter.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(FeatureParameterItem, ParameterItemBase)

FeatureParameterItem::FeatureParameterItem() : ParameterItemBase(typeFeature) {}

FeatureParameterItem::FeatureParameterItem(const FeatureParameterItem& source) : FeatureParameterItem()
{
    Copy(source);
}

BOOL FeatureParameterItem::SetValue(const FeatureLayout& feature, const RuVaPnt2d& pickPoint)
{
    m_nRecordID = feature.GetRecordID();
    m_nLayoutID = feature.GetLayoutID();
    m_nField = feature.GetField();
    m_pickPoint = pickPoint;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL FeatureParameterItem::GetValue(FeatureLayout& feature) const
{
    if (IsEmpty())
        return FALSE;
    feature = FeatureLayout(m_nRecordID, m_nLayoutID, m_nField);
    return TRUE;
}

BOOL FeatureParameterItem::GetValueAndPickPoint(FeatureLayout& feature, RuVaPnt2d& pickPoint) const
{
    if (!GetValue(feature))
        return FALSE;
    pickPoint = m_pickPoint;
    return TRUE;
}

BOOL FeatureParameterItem::GetFeatureRecord(FeatureRecord& record) const
{
    if (IsEmpty())
        return FALSE;
    // The record is the record id and the second member.
    record = FeatureRecord(m_nRecordID, m_nField);
    return TRUE;
}

BOOL FeatureParameterItem::GetPickPoint(RuVaPnt2d& pickPoint) const
{
    if (IsEmpty())
        return FALSE;
    pickPoint = m_pickPoint;
    return TRUE;
}

BOOL FeatureParameterItem::IsAcceptedFeature(int nFeatureType) const
{
    return SelectionFeatureFilter::FilterFeature(nFeatureType, m_dwAcceptedKinds);
}

BOOL FeatureParameterItem::IsSameFeature(const FeatureRecord& record) const
{
    FeatureParameterItem other;
    other.SetValue(FeatureLayout(record.GetRecordID(), m_nLayoutID, static_cast<int>(record.GetLayoutID())),
                   m_pickPoint);
    return IsEqual(other);
}

BOOL FeatureParameterItem::Clear()
{
    m_nRecordID = -1;
    m_nLayoutID = -1;
    m_nField = -1;
    m_pickPoint = RuVaPnt2d();
    if (m_bClearable)
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL FeatureParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const FeatureParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty())
        return Clear();
    m_nRecordID = pSource->m_nRecordID;
    m_nLayoutID = pSource->m_nLayoutID;
    m_nField = pSource->m_nField;
    m_pickPoint = pSource->m_pickPoint;
    m_bEmpty = FALSE;
    return TRUE;
}

void FeatureParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const FeatureParameterItem*>(&source)) {
        m_nRecordID = p->m_nRecordID;
        m_nLayoutID = p->m_nLayoutID;
        m_nField = p->m_nField;
        m_pickPoint = p->m_pickPoint;
        m_dwAcceptedKinds = p->m_dwAcceptedKinds;
        m_bTakeSelection = p->m_bTakeSelection;
        m_bEditableOnly = p->m_bEditableOnly;
        m_nPickSetting = p->m_nPickSetting;
    }
}

BOOL FeatureParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const FeatureParameterItem*>(&other);
    return (p != nullptr && p->m_nRecordID == m_nRecordID && p->m_nField == m_nField) ? TRUE : FALSE;
}

}  // namespace QZ2Command
