#pragma once
// A length as the distance between two picked points.

#include "command/LengthParameterModifierBase.h"

namespace QZ2Command {

class LengthOf2PointParameterModifier : public LengthParameterModifierBase
{
    DECLARE_DYNAMIC(LengthOf2PointParameterModifier)
public:
    LengthOf2PointParameterModifier(CommandBase* pCommand, int nParameterIndex);
    BOOL ComputePreview(ParameterItemBase& target) const override;
    int Compute(int nInput, ParameterItemBase& target) override;
    void InitItems() override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
};

}  // namespace QZ2Command
