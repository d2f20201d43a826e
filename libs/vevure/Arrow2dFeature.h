#pragma once
// An arrow head (type 13) at a tip point pointing along an angle (degrees): a piece of a resolved lead or
// dimension, and the source of the arrow extents that layouts use.

#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class Arrow2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Arrow2dFeature)
public:
    Arrow2dFeature();
    Arrow2dFeature(const RuVaPnt2d& tip, double dAngleDeg, int nArrowType, double dSize);

    const RuVaPnt2d& GetPoint() const { return m_tip; }
    BOOL SetPoint(const RuVaPnt2d& tip);
    double GetAngle() const { return m_dAngle; }
    BOOL SetAngle(double dAngleDeg);
    // ArrowType 0-13.
    int GetArrowType() const { return m_nArrowType; }
    BOOL SetArrowType(int nType);
    double GetSize() const { return m_dSize; }
    BOOL SetSize(double dSize);

    // One stroke of a head: a polyline (closed ones filled or not), a circle or an arc (degrees,
    // counter-clockwise sweep).
    struct HeadPiece {
        enum Kind { Polyline = 0, Circle = 1, Arc = 2 };
        int nKind = Polyline;
        KcArrayOfGePnt2d points;
        RuVaPnt2d centre;
        double dRadius = 0.0;
        double dStartDeg = 0.0;
        double dSweepDeg = 0.0;
        bool bFilled = false;
    };
    // The head of a kind (0 none, 1 closed triangle, 2 square, 3 circle, 4 circle on its centre, 5 filled
    // square, 6 filled triangle, 7 filled circle, 8 two quarter arcs, 9 open arrow, 10 oblique stroke,
    // 11 closed triangle, 12 filled datum triangle, 13 datum triangle) of a size (its length) at the tip,
    // pointing along the angle. Nothing for kind 0, a bad kind or a size not above 0.
    static void GetHeadPieces(const RuVaPnt2d& tip, double dAngleDeg, int nArrowType, double dSize,
                              std::vector<HeadPiece>& pieces);
    // How far back from the tip the shaft of that kind stops (it runs to the base of an outlined triangle,
    // to the edge of a square or circle, to the apex of a datum triangle).
    static double GetShaftInset(int nArrowType, double dSize);
    // Length along the line that the head takes back from its point, and its full width across; FALSE (0, 0)
    // for an unknown type or a size below 0.
    static BOOL GetArrowHorizonVerticalSize(int nArrowType, double dSize, double& dHorizon, double& dVertical);
    static bool IsValidArrowType(int nType) { return nType >= 0 && nType <= 13; }

    BOOL GetOutlinePoints(KcArrayOfGePnt2d& points) const override;
    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    RuVaPnt2d m_tip;
    double m_dAngle = 0.0;
    double m_dSize = 3.0;
    int m_nArrowType = 6;
};
