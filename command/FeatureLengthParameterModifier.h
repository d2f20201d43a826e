#pragma once
// A length taken from a picked shape (for a polyline: the picked segment).

#include "command/LengthParameterModifierBase.h"

namespace QZ2Command {

class FeatureLengthParameterModifier : public LengthParameterModifierBase
{
    DECLARE_DYNAMIC(FeatureLengthParameterModifier)
public:
    FeatureLengthParameterModifier(CommandBase* pCommand, int nParameterIndex);
    BOOL ComputePreview(ParameterItemBase& target) const override;
    int Compute(int nInput, ParameterItemBase& target) override;
    void InitItems() override;
};

}  // namespace QZ2Command
