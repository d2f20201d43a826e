#include "command/FeatureLengthParameterModifier.h"

#include "command/AngleParameterItem.h"
#include "command/FeatureParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(FeatureLengthParameterModifier, LengthParameterModifierBase)

FeatureLengthParameterModifier::FeatureLengthParameterModifier(CommandBase* pCommand, int nParameterIndex) : LengthParameterModifierBase(pCommand, nParameterIndex)
{
    SetKind(kindFeatureLength, 10850);
}

void FeatureLengthParameterModifier::InitItems()
{
    FeatureParameterItem feature;
    feature.SetId(0);
    feature.SetCaption(10715);
    MakeFeatureInput(feature, 0x0180007E);
    AddItem(feature);
}

int FeatureLengthParameterModifier::Compute(int, ParameterItemBase& target)
{
    double dLength = 0.0;
    const int result = MeasureFeatureInput(0, FALSE, dLength);
    if (result != resultDone)
        return result;
    return WriteNumber(target, dLength, FALSE) ? resultDone : resultUnusable;
}

BOOL FeatureLengthParameterModifier::ComputePreview(ParameterItemBase& target) const
{
    double dLength = 0.0;
    return MeasurePreviewFeature(0, FALSE, dLength) && WriteNumber(target, dLength, FALSE);
}

}  // namespace QZ2Command
