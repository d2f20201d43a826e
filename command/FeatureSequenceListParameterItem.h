#pragma once
// A list of feature sequences, for example an outer boundary and its inner boundaries.

#include <memory>
#include <vector>

#include "command/FeatureSequenceParameterItem.h"

namespace QZ2Command {

class FeatureSequenceListParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(FeatureSequenceListParameterItem)
public:
    FeatureSequenceListParameterItem();
    ~FeatureSequenceListParameterItem() override;

    BOOL Clear() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    // Adds to the last open sequence, or to a new one when there is none or it is finished.
    BOOL AddFeature(long nLayoutID, long nRecordID, const RuVaPnt2d& pickPoint);
    BOOL FinishLastSequence();
    BOOL IsLastSequenceClosed() const;
    int GetLastSequenceCount() const;
    int GetSequenceCount() const { return static_cast<int>(m_sequences.size()); }
    // Throw the invalid-argument exception for an index outside the list.
    BOOL GetSequenceFeatures(int nIndex, CArray<FeatureLayout>& features) const;
    BOOL GetSequencePickPoints(int nIndex, KcArrayOfGePnt2d& pickPoints) const;
    const FeatureSequenceParameterItem* GetSequence(int nIndex) const;
    // Replaces the sequences by clones of the given ones.
    void SetSequences(const std::vector<const FeatureSequenceParameterItem*>& sequences);

    DWORD m_dwAcceptedKinds = 0xEFFFFFFF;
    std::vector<std::unique_ptr<FeatureSequenceParameterItem>> m_sequences;
    BOOL m_bFinished = FALSE;
    BOOL m_bEditableOnly = FALSE;
};

}  // namespace QZ2Command
