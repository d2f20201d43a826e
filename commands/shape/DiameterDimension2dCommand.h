#pragma once
// Adds diameter dimensions of a picked circle or arc, measured along the line from the centre towards the
// dimension position; the centre is the reference point while the position is given.

#include "command/CommandBase.h"

class Draw2dDocument;
class Feature2dBase;

namespace QZ2Command {

class DiameterDimension2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(DiameterDimension2dCommand)
public:
    enum : WORD {
        itemShape = 0,
        itemTextMode = 1,
        itemText = 2,
        itemTextPosMode = 5,
        itemTextPoint = 6,
        itemPosition = 7,
    };

    DiameterDimension2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    BOOL GetReferencePoint(int nIndex, RuVaPnt2d& point) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The diameter of the circle or arc (in the active layout's coordinates) through the position; added
    // (0), drawn (1) or only its value text computed (2). FALSE when the line misses the arc, or the
    // position lies beyond the centre away from an arc while the style does not allow that.
    BOOL BuildDimension(const Feature2dBase* pShape, const int* pTextMode, CString& strText,
                        const RuVaPnt2d& position, BYTE nTextPosMode, const RuVaPnt2d& textPoint, int nAction);

private:
    int Run(BOOL bPreview, int nIndex);
};

}  // namespace QZ2Command
