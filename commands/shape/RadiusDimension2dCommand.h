#pragma once
// Adds radius dimensions of a picked circle or arc: the dimension line from the centre to where the line
// towards the placement point crosses the curve; leader modes 1 and 2 lead the text to a second point.

#include "commands/shape/CircleDimension2dCommandBase.h"

class Feature2dBase;

namespace QZ2Command {

class RadiusDimension2dCommand : public CircleDimension2dCommandBase
{
    DECLARE_DYNCREATE(RadiusDimension2dCommand)
public:
    // The second mode row leads the text to a second point.
    enum : WORD { itemLeaderMode = itemTextPosMode, itemSecondPoint = itemTextPoint };

    RadiusDimension2dCommand();

    // The radius of the circle or arc towards the placement point; an arc that the line misses is
    // dimensioned at its end nearer to the point. Added (0), drawn (1); other actions only compute the
    // value text and return FALSE.
    BOOL BuildDimension(const Feature2dBase* pShape, const int* pUserText, CString& strText,
                        const RuVaPnt2d& position, BYTE nLeaderMode, const RuVaPnt2d& secondPoint, int nAction) override;
};

}  // namespace QZ2Command
