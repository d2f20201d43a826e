#pragma once
// Places a part drawing on a paper as a part layout, or changes a part layout: the part drawing, the shape
// of the region it shows (rectangle, polygon or circle, entered in the part drawing's view), scale, angle
// and the point on the paper where the region's reference point lands. One undo step; the layout placed is
// active afterwards.

#include "command/CommandBase.h"
#include "libs/ruva/RuVaPnt2d.h"

class Feature2dBase;

namespace QZ2Command {

class PartLayout2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(PartLayout2dCommand)
public:
    enum : WORD {
        itemDrawing = 0,
        itemShape = 1,
        itemCorner1 = 2,
        itemCorner2 = 3,
        itemScale = 4,
        itemAngle = 5,
        itemPlace = 6,
        itemCentre = 7,
        itemRadius = 8,
        itemPolygon = 9,
    };
    enum { shapeRectangle = 0, shapePolygon = 1, shapeCircle = 2 };

    PartLayout2dCommand();

    void SetupParameters() override;
    BOOL OnStart() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    // The region's outline in green: where it is entered, or, on the paper, where the layout will put it.
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    BOOL IsChanging() const;
    long GetPaperID() const { return m_nPaperID; }

    // A scale factor as a fraction: f/1 above 1, else 1/(1/f).
    static void ScaleToFraction(double dFactor, double& dNumerator, double& dDenominator);
    // The layout origin that puts the reference point R (part drawing coordinates) on P (paper coordinates)
    // after scaling by (sx, sy) and turning by the angle (degrees).
    static RuVaPnt2d ComputeOrigin(const RuVaPnt2d& place, const RuVaPnt2d& reference, double sx, double sy,
                                   double dAngleDeg);

private:
    // Puts the region inputs of the shape directly after the shape choice, removing the others.
    void ArrangeRegionInputs(int nShapeIndex, int nShape);
    BOOL AddItemParameter(const ParameterItemBase& item, int nInsertAt);
    void RemoveItemParameter(WORD wId);
    BOOL Refuse(UINT nStringID);
    int Complete();
    // The outline of the chosen region in the part drawing's coordinates, inputs not given yet taken at
    // the cursor (NULL when there is none), its reference point, and whether every input is given.
    Feature2dBase* MakeRegionOutline(int nShape, const RuVaPnt2d& cursor, RuVaPnt2d& reference, BOOL& bComplete);

    long m_nPaperID = -1;
};

}  // namespace QZ2Command
