#include "commands/shape/PerpendicularLine2dCommand.h"

#include <memory>

#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PerpendicularLine2dCommand, TangentLine2dCommand)

const TangentLine2dCommand::Texts& PerpendicularLine2dCommand::GetTexts() const
{
    static const Texts texts{kShapeMask, 11095, 11096, 10734, 11097, 11098, kMsgNoPerpendicular};
    return texts;
}

int PerpendicularLine2dCommand::CreateLine(const FeatureParameterItem& shape, BOOL bOnShape, const RuVaPnt2d& p1,
                                           const RuVaPnt2d& p2, Line2dFeature*& pLine, UINT& nReason)
{
    pLine = nullptr;
    // Square-ness is kept in the drawing's own coordinates: the shape is carried into the active layout.
    std::unique_ptr<Feature2dBase> local;
    RuVaPnt2d localPick;
    const int taken = ShapeCommandHelper::TakePickedFeature(this, shape, local, localPick);
    if (taken == ShapeCommandHelper::pickMissing)
        return resultMissing;
    if (taken == ShapeCommandHelper::pickGone) {
        nReason = kMsgShapeGone;
        return resultNothing;
    }
    pLine = bOnShape ? FeatureCreator::CreatePerpendicularLineFeature(local.get(), p1, p2)
                     : FeatureCreator::CreatePerpendicularLineFeature(p1, local.get(), localPick);
    if (pLine == nullptr) {
        nReason = GetTexts().nNoLineReason;
        return resultNothing;
    }
    return resultDone;
}

}  // namespace QZ2Command
