#pragma once
// An angle as the direction from a first to a second picked point.

#include "command/AngleParameterModifierBase.h"

namespace QZ2Command {

class AngleOf2PointParameterModifier : public AngleParameterModifierBase
{
    DECLARE_DYNAMIC(AngleOf2PointParameterModifier)
public:
    AngleOf2PointParameterModifier(CommandBase* pCommand, int nParameterIndex);
    BOOL ComputePreview(ParameterItemBase& target) const override;
    int Compute(int nInput, ParameterItemBase& target) override;
    void InitItems() override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
};

}  // namespace QZ2Command
