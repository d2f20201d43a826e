#pragma once
// A point halfway between two picked points.

#include "command/PointParameterModifierBase.h"

namespace QZ2Command {

class MiddlePointOf2PointParameterModifier : public PointParameterModifierBase
{
    DECLARE_DYNAMIC(MiddlePointOf2PointParameterModifier)
public:
    MiddlePointOf2PointParameterModifier(CommandBase* pCommand, int nParameterIndex);
    BOOL ComputePreview(ParameterItemBase& target) const override;
    int Compute(int nInput, ParameterItemBase& target) override;
    void InitItems() override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
};

}  // namespace QZ2Command
