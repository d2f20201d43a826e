#pragma once
// An angle at a picked vertex between the directions to two further points.

#include "command/AngleParameterModifierBase.h"

namespace QZ2Command {

class AngleOf3PointParameterModifier : public AngleParameterModifierBase
{
    DECLARE_DYNAMIC(AngleOf3PointParameterModifier)
public:
    AngleOf3PointParameterModifier(CommandBase* pCommand, int nParameterIndex);
    BOOL ComputePreview(ParameterItemBase& target) const override;
    int Compute(int nInput, ParameterItemBase& target) override;
    void InitItems() override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
};

}  // namespace QZ2Command
