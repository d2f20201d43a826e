#include "command/FeatureSequenceListParameterItem.h"

#include "platform/afx/CInvalidArgException.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(FeatureSequenceListParameterItem, ParameterItemBase)

FeatureSequenceListParameterItem::FeatureSequenceListParameterItem() : ParameterItemBase(typeFeatureSequenceList) {}

FeatureSequenceListParameterItem::~FeatureSequenceListParameterItem() = default;

BOOL FeatureSequenceListParameterItem::AddFeature(long nLayoutID, long nRecordID, const RuVaPnt2d& pickPoint)
{
    if (m_sequences.empty() || m_sequences.back()->m_bFinished)
        m_sequences.push_back(std::make_unique<FeatureSequenceParameterItem>());
    m_sequences.back()->AddFeature(nLayoutID, nRecordID, pickPoint);
    m_bEmpty = FALSE;
    m_bFinished = FALSE;
    return TRUE;
}

BOOL FeatureSequenceListParameterItem::FinishLastSequence()
{
    if (m_sequences.empty() || m_sequences.back()->IsEmpty())
        return FALSE;
    m_sequences.back()->m_bFinished = TRUE;
    return TRUE;
}

BOOL FeatureSequenceListParameterItem::IsLastSequenceClosed() const
{
    return m_sequences.empty() ? FALSE : m_sequences.back()->m_bFinished;
}

int FeatureSequenceListParameterItem::GetLastSequenceCount() const
{
    if (m_sequences.empty() || m_sequences.back()->IsEmpty())
        return 0;
    return m_sequences.back()->GetCount();
}

const FeatureSequenceParameterItem* FeatureSequenceListParameterItem::GetSequence(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_sequences.size()))
        AfxThrowInvalidArgException();
    return m_sequences[nIndex].get();
}

BOOL FeatureSequenceListParameterItem::GetSequenceFeatures(int nIndex, CArray<FeatureLayout>& features) const
{
    features.RemoveAll();
    if (IsEmpty())
        return FALSE;
    features.Copy(GetSequence(nIndex)->m_features);
    return TRUE;
}

BOOL FeatureSequenceListParameterItem::GetSequencePickPoints(int nIndex, KcArrayOfGePnt2d& pickPoints) const
{
    pickPoints.RemoveAll();
    if (IsEmpty())
        return FALSE;
    pickPoints.Copy(GetSequence(nIndex)->m_pickPoints);
    return TRUE;
}

void FeatureSequenceListParameterItem::SetSequences(const std::vector<const FeatureSequenceParameterItem*>& sequences)
{
    std::vector<std::unique_ptr<FeatureSequenceParameterItem>> copies;
    for (const FeatureSequenceParameterItem* p : sequences) {
        auto copy = std::make_unique<FeatureSequenceParameterItem>();
        copy->Copy(*p);
        copies.push_back(std::move(copy));
    }
    m_sequences = std::move(copies);
    m_bEmpty = m_sequences.empty() ? TRUE : FALSE;
}

BOOL FeatureSequenceListParameterItem::Clear()
{
    m_sequences.clear();
    m_bFinished = FALSE;
    if (m_bClearable)
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL FeatureSequenceListParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const FeatureSequenceListParameterItem*>(&source);
    if (p == nullptr)
        return FALSE;
    if (p->IsEmpty())
        return Clear();
    std::vector<const FeatureSequenceParameterItem*> sequences;
    for (const auto& s : p->m_sequences)
        sequences.push_back(s.get());
    SetSequences(sequences);
    m_bEmpty = FALSE;
    return TRUE;
}

void FeatureSequenceListParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const FeatureSequenceListParameterItem*>(&source)) {
        const BOOL bEmpty = m_bEmpty;
        std::vector<const FeatureSequenceParameterItem*> sequences;
        for (const auto& s : p->m_sequences)
            sequences.push_back(s.get());
        SetSequences(sequences);
        m_bEmpty = bEmpty;
        m_dwAcceptedKinds = p->m_dwAcceptedKinds;
        m_bFinished = p->m_bFinished;
        m_bEditableOnly = p->m_bEditableOnly;
    }
}

BOOL FeatureSequenceListParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const FeatureSequenceListParameterItem*>(&other);
    if (p == nullptr || p->m_sequences.size() != m_sequences.size() || p->m_bFinished != m_bFinished)
        return FALSE;
    for (size_t i = 0; i < m_sequences.size(); ++i) {
        if (!m_sequences[i]->IsEqual(*p->m_sequences[i]))
            return FALSE;
    }
    return TRUE;
}

}  // namespace QZ2Command
