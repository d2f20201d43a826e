#pragma once
// An angle taken from a picked shape (for a polyline: the picked segment).

#include "command/AngleParameterModifierBase.h"

namespace QZ2Command {

class FeatureAngleParameterModifier : public AngleParameterModifierBase
{
    DECLARE_DYNAMIC(FeatureAngleParameterModifier)
public:
    FeatureAngleParameterModifier(CommandBase* pCommand, int nParameterIndex);
    BOOL ComputePreview(ParameterItemBase& target) const override;
    int Compute(int nInput, ParameterItemBase& target) override;
    void InitItems() override;
};

}  // namespace QZ2Command
