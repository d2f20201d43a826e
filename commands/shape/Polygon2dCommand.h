#pragma once
// Draws regular polygons of 3 to 1024 sides as closed polylines, by one of four methods chosen in a list:
// inscribed in or circumscribed about a circle (centre and a vertex point or radius), by centre and side
// length, each turned by an angle point or a typed angle, or on one side given by its two end points.
// The rows re-form as soon as the method changes.

#include "command/CommandBase.h"

class Polyline2dFeature;

namespace QZ2Command {

class Polygon2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Polygon2dCommand)
public:
    enum : WORD {
        itemSides = 0,
        itemMethod = 1,
        itemCentre = 2,
        itemVertexPoint = 3,
        itemRadius = 4,
        itemSideLength = 5,
        itemAnglePoint = 6,
        itemAngle = 7,
        itemSideStart = 8,
        itemSideEnd = 9,
    };
    enum Method { methodInscribed = 0, methodCircumscribed = 1, methodSideLength = 2, methodOneSide = 3 };
    static constexpr int kMinSides = 3;
    static constexpr int kMaxSides = 1024;

    Polygon2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // The polygon of the method; NULL when the values make none.
    static Polyline2dFeature* CreatePolygon(int nMethod, int nSides, const RuVaPnt2d& centre, double dSize,
                                            double dAngleDeg);

private:
    // Re-forms the rows after the method list (parameter nIndex) changed; FALSE for an unknown method.
    BOOL ReformRows(int nIndex, int nMethod);
    void InsertRow(int nIndex, std::initializer_list<WORD> ids);
    // Reads the values and makes the polygon (bPreview: points not given yet are the cursor, a missing
    // typed angle follows the cursor); the result code and, for 3, the reason's string number.
    int MakePolygon(BOOL bPreview, const RuVaPnt2d& cursor, Polyline2dFeature*& pPolygon, UINT& nReason);
};

}  // namespace QZ2Command
