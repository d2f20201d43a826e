#pragma once
// A point at an x and y offset from a picked base point.

#include "command/PointParameterModifierBase.h"

namespace QZ2Command {

class RelativePointParameterModifier : public PointParameterModifierBase
{
    DECLARE_DYNAMIC(RelativePointParameterModifier)
public:
    RelativePointParameterModifier(CommandBase* pCommand, int nParameterIndex);
    BOOL ComputePreview(ParameterItemBase& target) const override;
    int Compute(int nInput, ParameterItemBase& target) override;
    void InitItems() override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
};

}  // namespace QZ2Command
