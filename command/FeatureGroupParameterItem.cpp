#include "command/FeatureGroupParameterItem.h"

namespace QZ2Command {

namespace {

FeatureRecord KeyOf(const FeatureLayout& feature)
{
    return FeatureRecord(feature.GetRecordID(), feature.GetField());
}

}  // namespace

IMPLEMENT_DYNCREATE(FeatureGroupParameterItem, ParameterItemBase)

FeatureGroupParameterItem::SelectionGroup::SelectionGroup() : features(10)
{
    features.InitHashTable(kBuckets, FALSE);
}

FeatureGroupParameterItem::FeatureGroupParameterItem() : ParameterItemBase(typeFeatureGroup)
{
    m_allFeatures.InitHashTable(kBuckets, FALSE);
}

FeatureGroupParameterItem::~FeatureGroupParameterItem() = default;

void FeatureGroupParameterItem::RemoveFromGroups(const FeatureRecord& key)
{
    for (size_t i = 0; i < m_groups.size(); ++i) {
        if (m_groups[i]->features.RemoveKey(key)) {
            if (m_groups[i]->features.GetCount() == 0)
                m_groups.erase(m_groups.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

BOOL FeatureGroupParameterItem::AddGroup(const CArray<FeatureLayout>& features, int nShapeMode,
                                         const KcArrayOfGePnt2d* pShapePoints, int nMode)
{
    if (!m_bSeveralGroups || nMode == 0) {
        m_groups.clear();
        m_allFeatures.RemoveAll();
    }
    auto group = std::make_unique<SelectionGroup>();
    group->nShapeMode = nShapeMode;
    if (pShapePoints != nullptr)
        group->shapePoints.Copy(*pShapePoints);
    for (INT_PTR i = 0; i < features.GetSize(); ++i) {
        const FeatureLayout& feature = features[i];
        const FeatureRecord key = KeyOf(feature);
        FeatureLayout found;
        if (m_allFeatures.Lookup(key, found)) {
            if (nMode == 2) {
                m_allFeatures.RemoveKey(key);
                if (!group->features.RemoveKey(key))
                    RemoveFromGroups(key);
            }
            continue;
        }
        m_allFeatures.SetAt(key, feature);
        group->features.SetAt(key, feature);
    }
    if (group->features.GetCount() > 0)
        m_groups.push_back(std::move(group));
    m_bEmpty = m_allFeatures.GetCount() == 0 ? TRUE : FALSE;
    return TRUE;
}

BOOL FeatureGroupParameterItem::RemoveFeature(long nRecordID)
{
    const FeatureRecord key(nRecordID, -1);
    if (!m_allFeatures.RemoveKey(key))
        return FALSE;
    RemoveFromGroups(key);
    if (m_allFeatures.GetCount() == 0)
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL FeatureGroupParameterItem::GetFeatureLayouts(CArray<FeatureLayout>& features) const
{
    features.RemoveAll();
    if (IsEmpty() || m_allFeatures.GetCount() == 0)
        return FALSE;
    POSITION pos = m_allFeatures.GetStartPosition();
    while (pos != nullptr) {
        FeatureRecord key;
        FeatureLayout value;
        m_allFeatures.GetNextAssoc(pos, key, value);
        features.Add(value);
    }
    return TRUE;
}

BOOL FeatureGroupParameterItem::GetGroup(int nIndex, CArray<FeatureLayout>& features, int& nShapeMode,
                                         KcArrayOfGePnt2d& shapePoints) const
{
    features.RemoveAll();
    shapePoints.RemoveAll();
    if (IsEmpty() || nIndex < 0 || nIndex >= static_cast<int>(m_groups.size()))
        return FALSE;
    const SelectionGroup& group = *m_groups[nIndex];
    if (group.features.GetCount() == 0)
        return FALSE;
    POSITION pos = group.features.GetStartPosition();
    while (pos != nullptr) {
        FeatureRecord key;
        FeatureLayout value;
        group.features.GetNextAssoc(pos, key, value);
        features.Add(value);
    }
    nShapeMode = group.nShapeMode;
    shapePoints.Copy(group.shapePoints);
    return TRUE;
}

BOOL FeatureGroupParameterItem::TakeValueFrom(FeatureGroupParameterItem& source)
{
    if (&source == this)
        return TRUE;
    if (source.IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_groups = std::move(source.m_groups);
    source.m_groups.clear();
    m_allFeatures.RemoveAll();
    POSITION pos = source.m_allFeatures.GetStartPosition();
    while (pos != nullptr) {
        FeatureRecord key;
        FeatureLayout value;
        source.m_allFeatures.GetNextAssoc(pos, key, value);
        m_allFeatures.SetAt(key, value);
    }
    source.m_allFeatures.RemoveAll();
    source.m_bEmpty = TRUE;
    m_bEmpty = m_allFeatures.GetCount() == 0 ? TRUE : FALSE;
    return TRUE;
}

BOOL FeatureGroupParameterItem::Clear()
{
    m_allFeatures.RemoveAll();
    m_groups.clear();
    if (m_bClearable)
        m_bEmpty = TRUE;
    return TRUE;
}

void FeatureGroupParameterItem::CopyValue(const FeatureGroupParameterItem& source)
{
    m_allFeatures.RemoveAll();
    POSITION pos = source.m_allFeatures.GetStartPosition();
    while (pos != nullptr) {
        FeatureRecord key;
        FeatureLayout value;
        source.m_allFeatures.GetNextAssoc(pos, key, value);
        m_allFeatures.SetAt(key, value);
    }
    m_groups.clear();
    for (const auto& g : source.m_groups) {
        auto copy = std::make_unique<SelectionGroup>();
        copy->nShapeMode = g->nShapeMode;
        copy->shapePoints.Copy(g->shapePoints);
        POSITION gp = g->features.GetStartPosition();
        while (gp != nullptr) {
            FeatureRecord key;
            FeatureLayout value;
            g->features.GetNextAssoc(gp, key, value);
            copy->features.SetAt(key, value);
        }
        m_groups.push_back(std::move(copy));
    }
}

BOOL FeatureGroupParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const FeatureGroupParameterItem*>(&source);
    if (p == nullptr)
        return FALSE;
    if (p->IsEmpty())
        return Clear();
    CopyValue(*p);
    m_bEmpty = m_allFeatures.GetCount() == 0 ? TRUE : FALSE;
    return TRUE;
}

void FeatureGroupParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const FeatureGroupParameterItem*>(&source)) {
        CopyValue(*p);
        m_dwAcceptedKinds = p->m_dwAcceptedKinds;
        m_bTakeSelection = p->m_bTakeSelection;
        m_bEditableOnly = p->m_bEditableOnly;
        m_bSeveralGroups = p->m_bSeveralGroups;
        m_dwSideModes = p->m_dwSideModes;
        m_dwPartModes = p->m_dwPartModes;
        m_dwShapeModes = p->m_dwShapeModes;
    }
}

BOOL FeatureGroupParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const FeatureGroupParameterItem*>(&other);
    if (p == nullptr || p->m_allFeatures.GetCount() != m_allFeatures.GetCount())
        return FALSE;
    POSITION pos = m_allFeatures.GetStartPosition();
    while (pos != nullptr) {
        FeatureRecord key;
        FeatureLayout value;
        m_allFeatures.GetNextAssoc(pos, key, value);
        FeatureLayout found;
        if (!p->m_allFeatures.Lookup(key, found) || !(found == value))
            return FALSE;
    }
    return TRUE;
}

}  // namespace QZ2Command
