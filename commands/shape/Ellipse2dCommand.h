#pragma once
// Draws ellipses from a centre, two radii (each a point's distance from the centre or a typed length) and
// the angle of the first axis (the direction to a point or a typed angle).

#include "command/CommandBase.h"

class Ellipse2dFeature;

namespace QZ2Command {

class Ellipse2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Ellipse2dCommand)
public:
    enum : WORD {
        itemCentre = 0,
        itemRadius1Point = 1,
        itemRadius1 = 2,
        itemRadius2Point = 3,
        itemRadius2 = 4,
        itemAnglePoint = 5,
        itemAngle = 6,
    };

    Ellipse2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The degrees from the x axis to the direction from the centre to the point.
    static double AngleOfPoint(const RuVaPnt2d& centre, const RuVaPnt2d& point);
    // The centre, the two radii and the axis angle as parameters 0 to 3 (the elliptic arc asks the same).
    static void AddEllipseParameters(CommandBase* pCommand);

private:
    // Reads the centre, the radii and the axis angle (bPreview: the cursor stands in for points not given,
    // numbers only when given or proposed); the result code and, for 3, the reason's string number.
    int ReadEllipse(BOOL bPreview, RuVaPnt2d& centre, double& r1, double& r2, double& angle, UINT& nReason);
};

}  // namespace QZ2Command
