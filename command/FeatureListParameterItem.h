#pragma once
// A set of features toggled by picking, in picking order, with one pick point each.

#include "command/ParameterItemBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureLayout.h"
#include "platform/afx/CArray.h"

class CDWordArray;

namespace QZ2Command {

class FeatureListParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(FeatureListParameterItem)
public:
    FeatureListParameterItem();

    BOOL Clear() override;
    // From a feature list or a feature sequence.
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL ToggleFeature(long nLayoutID, long nRecordID, const RuVaPnt2d& pickPoint);
    // Throws the invalid-argument exception for an index outside the list.
    BOOL RemoveAt(int nIndex);
    BOOL RemoveFeature(long nRecordID);
    BOOL ContainsFeature(long nRecordID) const;
    long GetFeatureIdAt(int nIndex) const;
    BOOL GetFeatureIds(CDWordArray& ids) const;
    int GetCount() const { return static_cast<int>(m_features.GetSize()); }

    DWORD m_dwAcceptedKinds = 0xEFFFFFFF;
    CArray<FeatureLayout> m_features;
    KcArrayOfGePnt2d m_pickPoints;
    BOOL m_bFinished = FALSE;
    BOOL m_bTakeSelection = FALSE;
    BOOL m_bEditableOnly = FALSE;
};

}  // namespace QZ2Command
