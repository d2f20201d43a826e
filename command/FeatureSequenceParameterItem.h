#pragma once
// An ordered chain of picked features; a feature may occur more than once.

#include "command/ParameterItemBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureLayout.h"
#include "platform/afx/CArray.h"

namespace QZ2Command {

class FeatureSequenceParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(FeatureSequenceParameterItem)
public:
    FeatureSequenceParameterItem();

    BOOL Clear() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL AddFeature(long nLayoutID, long nRecordID, const RuVaPnt2d& pickPoint);
    BOOL RemoveLastFeature();
    // FALSE when the two counts differ.
    BOOL SetFeatures(const CArray<FeatureLayout>& features, const KcArrayOfGePnt2d& pickPoints);
    BOOL GetFeatures(CArray<FeatureLayout>& features) const;
    BOOL GetPickPoints(KcArrayOfGePnt2d& pickPoints) const;
    BOOL ContainsFeature(long nRecordID) const;
    long GetFeatureIdAt(int nIndex) const;
    int GetCount() const { return static_cast<int>(m_features.GetSize()); }

    DWORD m_dwAcceptedKinds = 0xEFFFFFFF;
    CArray<FeatureLayout> m_features;
    KcArrayOfGePnt2d m_pickPoints;
    BOOL m_bFinished = FALSE;
    BOOL m_bEditableOnly = FALSE;
};

}  // namespace QZ2Command
