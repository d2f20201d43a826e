#pragma once
// Leaders in the document's leader style, one per cycle. "Korvan.Shape.Lead": the text is typed, made from
// a picked point (its X and Y, X or Y) or shape (length, angle, "R" radius, "φ" diameter), or left out;
// a text from a pick also starts the leader on the picked point or shape. The leader runs through two,
// three or any number of points, its text at the last point or at a text point of its own.
// "Korvan.Shape.CChamferLead": the chamfer note ("C" and the leg of the 45-degree chamfer) of a picked
// line or polyline segment, the leader starting at its middle. The parameter rows follow the text kind.

#include "command/CommandBase.h"
#include "libs/ruva/RuVaPnt2d.h"

class Feature2dBase;

namespace QZ2Command {

class Lead2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Lead2dCommand)
public:
    enum : WORD {
        itemKind = 0,
        itemPoint = 1,
        itemShape = 2,
        itemText = 3,
        itemTextPosition = 4,
        itemTextPoint = 5,
        itemTwoPoints = 6,
        itemThreePoints = 7,
        itemPoints = 8,
        itemFormat = 9,
    };
    enum TextKind {
        kindChamfer = -1,
        kindTyped = 0,
        kindXY = 1,
        kindX = 2,
        kindY = 3,
        kindLength = 4,
        kindAngle = 5,
        kindRadius = 6,
        kindDiameter = 7,
        kindNone = 8,
    };
    // Accepted kinds of the picked shape: lines and polylines; lines to B-spline curves and the infinite
    // lines; circles and arcs.
    static constexpr DWORD kChamferKinds = 0x01800006;
    static constexpr DWORD kCurveKinds = 0x01800DFE;
    static constexpr DWORD kCircleKinds = 0x01800018;

    Lead2dCommand();
    ~Lead2dCommand() override;

    void SetupParameters() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    BOOL IsChamfer() const;
    // The leader of the text and points in the current leader style, scaled for a uniformly scaled part
    // layout, on the current layer: added in one undo step (action 0) or drawn as the rubber band (1).
    BOOL BuildLead(const CString& text, const KcArrayOfGePnt2d& points, const RuVaPnt2d& textPoint, int nMode,
                   int nAction);
    // Empties every leader point list and refreshes its row.
    void ClearLeaderPoints();

    // The texts made from picks. The number format flag: 1 keeps trailing zeros, 0 drops them, -1 the
    // program-wide setting.
    static BOOL MakeCoordinateText(const RuVaPnt2d& point, int nKind, int nFlag, CString& text);
    static BOOL MakeShapeText(const Feature2dBase* pShape, const RuVaPnt2d& pick, int nKind, int nFlag,
                              CString& text);
    static BOOL GetCurveMiddlePoint(const Feature2dBase* pShape, const RuVaPnt2d& pick, RuVaPnt2d& point);
    static double GetNearestSegmentLength(const Feature2dBase* pShape, const RuVaPnt2d& pick);
    // Where a leader from the picked shape starts: the nearest point of a circle, an ellipse or an infinite
    // line, else the shape's middle; FALSE for a shape without a middle.
    static BOOL GetStartPointOnShape(const Feature2dBase* pShape, const RuVaPnt2d& pick, RuVaPnt2d& point);

    const RuVaPnt2d& GetStartPoint() const { return m_startPoint; }
    BOOL IsStartPointValid() const { return m_bStartPointValid; }

private:
    void Restructure(int nKind);
    void RemoveParameterOf(WORD wId);
    BOOL InsertItemAt(int nIndex, const ParameterItemBase& item);
    void RefreshRow(WORD wId);
    int ReadKind() const;
    // FALSE when the text item is gone or refuses the text.
    BOOL StoreText(const CString& text);

    RuVaPnt2d m_startPoint;
    BOOL m_bStartPointValid = FALSE;
};

}  // namespace QZ2Command
