#pragma once
// Features picked one by one, in picking order, with one pick point each: the common part of feature lists
// (picking toggles) and feature sequences (picking appends). Either takes the other's value.

#include "command/ParameterItemBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureLayout.h"
#include "platform/afx/CArray.h"

namespace QZ2Command {

class PickedFeaturesParameterItem : public ParameterItemBase
{
    DECLARE_DYNAMIC(PickedFeaturesParameterItem)
public:
    BOOL Clear() override;
    // From a feature list or a feature sequence.
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    // The picked features and their settings come only from an item of the same kind.
    void Copy(const ParameterItemBase& source) override;

    BOOL ContainsFeature(long nRecordID) const;
    long GetFeatureIdAt(int nIndex) const;
    int GetCount() const { return static_cast<int>(m_features.GetSize()); }

    DWORD m_dwAcceptedKinds = 0xEFFFFFFF;
    CArray<FeatureLayout> m_features;
    KcArrayOfGePnt2d m_pickPoints;
    BOOL m_bFinished = FALSE;
    BOOL m_bEditableOnly = FALSE;

protected:
    explicit PickedFeaturesParameterItem(int nTypeCode) : ParameterItemBase(nTypeCode) {}
};

}  // namespace QZ2Command
