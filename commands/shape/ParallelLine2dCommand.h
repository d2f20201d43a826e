#pragma once
// Draws a shape parallel to a picked base (a line, a polyline's segment, an infinite or semi-infinite
// line, or concentric to a circle or arc), at a typed distance on the side of a point or through a
// point, bounded by a start and an end (points, angles for circular bases, a length for straight ones,
// or shapes). The bounds' alternatives follow the base's kind; the distance stays for the next shape.

#include "command/CommandBase.h"

class Feature2dBase;

namespace QZ2Command {

class ParallelLine2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ParallelLine2dCommand)
public:
    enum : WORD {
        itemBase = 0,
        itemDistance = 1,
        itemThrough = 2,
        itemSide = 3,
        itemStartPoint = 4,
        itemStartAngle = 5,  // circular bases only
        itemStartShape = 6,
        itemEndPoint = 7,
        itemEndAngle = 8,   // circular bases only
        itemEndLength = 9,  // straight bases only
        itemEndShape = 10,
    };
    static constexpr DWORD kBaseMask = 0x01800C1E;
    static constexpr DWORD kBoundMask = 0x01800DFE;

    ParallelLine2dCommand() = default;

    // The edit menu's test: one picked line, polyline, circle, arc, infinite or semi-infinite line.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

    // New parameters with the start or end alternatives for a circular base or a straight one; the item of
    // currentId is made current when the new parameter offers it, else the point.
    CommandParameter* CreateStartParameter(BOOL bForCircle, WORD currentId);
    CommandParameter* CreateEndParameter(BOOL bForCircle, WORD currentId);

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    void SetupParameters() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    BOOL m_bStartForCircle = FALSE;
    BOOL m_bEndForCircle = FALSE;

private:
    // The parallel of the values (bPreview: points and shapes not given stand in from the cursor; while
    // neither bound is given, the guide). The result code and, for 3, the reason's string number.
    int MakeShape(BOOL bPreview, Feature2dBase*& pShape, UINT& nReason);
    BOOL ReplaceParameter(int nIndex, CommandParameter* pParameter);
};

}  // namespace QZ2Command
