#pragma once
// An ordered chain of picked features; a feature may occur more than once.

#include "command/PickedFeaturesParameterItem.h"

namespace QZ2Command {

class FeatureSequenceParameterItem : public PickedFeaturesParameterItem
{
    DECLARE_DYNCREATE(FeatureSequenceParameterItem)
public:
    FeatureSequenceParameterItem();

    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL AddFeature(long nLayoutID, long nRecordID, const RuVaPnt2d& pickPoint);
    BOOL RemoveLastFeature();
    // FALSE when the two counts differ.
    BOOL SetFeatures(const CArray<FeatureLayout>& features, const KcArrayOfGePnt2d& pickPoints);
    BOOL GetFeatures(CArray<FeatureLayout>& features) const;
    BOOL GetPickPoints(KcArrayOfGePnt2d& pickPoints) const;
};

}  // namespace QZ2Command
