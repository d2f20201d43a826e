#pragma once
// A set of features toggled by picking, in picking order, with one pick point each.

#include "command/PickedFeaturesParameterItem.h"

class CDWordArray;

namespace QZ2Command {

class FeatureListParameterItem : public PickedFeaturesParameterItem
{
    DECLARE_DYNCREATE(FeatureListParameterItem)
public:
    FeatureListParameterItem();

    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL ToggleFeature(long nLayoutID, long nRecordID, const RuVaPnt2d& pickPoint);
    // Throws the invalid-argument exception for an index outside the list.
    BOOL RemoveAt(int nIndex);
    BOOL RemoveFeature(long nRecordID);
    BOOL GetFeatureIds(CDWordArray& ids) const;

    BOOL m_bTakeSelection = FALSE;
};

}  // namespace QZ2Command
