#pragma once
// Adds radius dimensions of a picked circle or arc: the dimension line from the centre to where the line
// towards the placement point crosses the curve; leader modes 1 and 2 lead the text to a second point.

#include "command/CommandBase.h"

class Draw2dDocument;
class Feature2dBase;

namespace QZ2Command {

class RadiusDimension2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(RadiusDimension2dCommand)
public:
    enum : WORD {
        itemShape = 0,
        itemTextMode = 1,
        itemText = 2,
        itemLeaderMode = 5,
        itemSecondPoint = 6,
        itemPosition = 7,
    };

    RadiusDimension2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    BOOL GetReferencePoint(int nIndex, RuVaPnt2d& point) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The radius of the circle or arc towards the placement point; an arc that the line misses is
    // dimensioned at its end nearer to the point. Added (0), drawn (1); other actions only compute the
    // value text and return FALSE.
    BOOL BuildDimension(const Feature2dBase* pShape, const int* pUserText, CString& strText,
                        const RuVaPnt2d& position, BYTE nLeaderMode, const RuVaPnt2d& secondPoint, int nAction);

private:
    int Run(BOOL bPreview, int nIndex);
};

}  // namespace QZ2Command
