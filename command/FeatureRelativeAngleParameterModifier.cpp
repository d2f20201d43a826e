#include "command/FeatureRelativeAngleParameterModifier.h"

#include "command/AngleParameterItem.h"
#include "command/FeatureParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(FeatureRelativeAngleParameterModifier, AngleParameterModifierBase)

FeatureRelativeAngleParameterModifier::FeatureRelativeAngleParameterModifier(CommandBase* pCommand, int nParameterIndex) : AngleParameterModifierBase(pCommand, nParameterIndex)
{
    SetKind(kindFeatureRelativeAngle, 10854);
}

void FeatureRelativeAngleParameterModifier::InitItems()
{
    FeatureParameterItem feature;
    feature.SetId(0);
    feature.SetCaption(10715);
    MakeFeatureInput(feature, 0x01800E16);
    AddItem(feature);
    AngleParameterItem offset;
    offset.SetId(1);
    offset.SetCaption(10707);
    offset.m_bHistory = TRUE;
    offset.m_nRetentionMode = 1;
    AddItem(offset);
}

int FeatureRelativeAngleParameterModifier::Compute(int, ParameterItemBase& target)
{
    const auto* pOffset = dynamic_cast<const DoubleParameterItem*>(GetInputItem(1));
    double dOffset = 0.0;
    if (GetInputItem(0) == nullptr || GetInputItem(0)->IsEmpty() || pOffset == nullptr || !pOffset->GetValue(dOffset))
        return resultMissing;
    double dAngle = 0.0;
    const int result = MeasureFeatureInput(0, TRUE, dAngle);
    if (result != resultDone)
        return result;
    return WriteNumber(target, dAngle + dOffset, FALSE) ? resultDone : resultUnusable;
}

BOOL FeatureRelativeAngleParameterModifier::ComputePreview(ParameterItemBase& target) const
{
    const auto* pOffset = dynamic_cast<const DoubleParameterItem*>(GetInputItem(1));
    double dOffset = 0.0;
    double dAngle = 0.0;
    return pOffset != nullptr && pOffset->GetValue(dOffset) && MeasurePreviewFeature(0, TRUE, dAngle) &&
           WriteNumber(target, dAngle + dOffset, FALSE);
}

}  // namespace QZ2Command
