#pragma once
// Copy Shape Setting: the style of one picked shape (the source) written into the target shapes that fit
// it, without a dialog, in one undo step. Basic shapes fit one another; any other shape fits only its own
// type (a linear dimension's style goes to linear dimensions only).

#include "command/CommandBase.h"

namespace QZ2Command {

class CopyFeatureSetting2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(CopyFeatureSetting2dCommand)
public:
    enum : WORD { itemSource = 0, itemTargets = 1 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // Point markers, lines, polylines, circles, arcs, ellipses and their arcs, B-splines, infinite lines.
    static BOOL IsBasicFeatureType(int nType);
    static BOOL Fits(int nSourceType, int nTargetType);
};

}  // namespace QZ2Command
