#pragma once
// The angle of a picked shape plus a given angle.

#include "command/AngleParameterModifierBase.h"

namespace QZ2Command {

class FeatureRelativeAngleParameterModifier : public AngleParameterModifierBase
{
    DECLARE_DYNAMIC(FeatureRelativeAngleParameterModifier)
public:
    FeatureRelativeAngleParameterModifier(CommandBase* pCommand, int nParameterIndex);
    BOOL ComputePreview(ParameterItemBase& target) const override;
    int Compute(int nInput, ParameterItemBase& target) override;
    void InitItems() override;
};

}  // namespace QZ2Command
