#pragma once
// Adds diameter dimensions of a picked circle or arc, measured along the line from the centre towards the
// dimension position; the centre is the reference point while the position is given.

#include "commands/shape/CircleDimension2dCommandBase.h"

class Feature2dBase;

namespace QZ2Command {

class DiameterDimension2dCommand : public CircleDimension2dCommandBase
{
    DECLARE_DYNCREATE(DiameterDimension2dCommand)
public:
    DiameterDimension2dCommand();

    // The diameter of the circle or arc (in the active layout's coordinates) through the position; added
    // (0), drawn (1) or only its value text computed (2). FALSE when the line misses the arc, or the
    // position lies beyond the centre away from an arc while the style does not allow that.
    BOOL BuildDimension(const Feature2dBase* pShape, const int* pTextMode, CString& strText,
                        const RuVaPnt2d& position, BYTE nTextPosMode, const RuVaPnt2d& textPoint, int nAction) override;
};

}  // namespace QZ2Command
