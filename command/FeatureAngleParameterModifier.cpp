#include "command/FeatureAngleParameterModifier.h"

#include "command/AngleParameterItem.h"
#include "command/FeatureParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(FeatureAngleParameterModifier, AngleParameterModifierBase)

FeatureAngleParameterModifier::FeatureAngleParameterModifier(CommandBase* pCommand, int nParameterIndex) : AngleParameterModifierBase(pCommand, nParameterIndex)
{
    SetKind(kindFeatureAngle, 10853);
}

void FeatureAngleParameterModifier::InitItems()
{
    FeatureParameterItem feature;
    feature.SetId(0);
    feature.SetCaption(10715);
    MakeFeatureInput(feature, 0x01800E16);
    AddItem(feature);
}

int FeatureAngleParameterModifier::Compute(int, ParameterItemBase& target)
{
    double dAngle = 0.0;
    const int result = MeasureFeatureInput(0, TRUE, dAngle);
    if (result != resultDone)
        return result;
    return WriteNumber(target, dAngle, FALSE) ? resultDone : resultUnusable;
}

BOOL FeatureAngleParameterModifier::ComputePreview(ParameterItemBase& target) const
{
    double dAngle = 0.0;
    return MeasurePreviewFeature(0, TRUE, dAngle) && WriteNumber(target, dAngle, FALSE);
}

}  // namespace QZ2Command
