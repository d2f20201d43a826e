#pragma once
// Draws a line touching a picked curve: on the curve (at the point nearest a position point, running to
// the foot of an end point) or from a start point (the touching point nearest the pick). The curve, the
// points and the pick go to the data model in world coordinates, the line comes back into the active
// drawing's. The perpendicular line command is the same form with its own rows and construction.

#include "command/CommandBase.h"
#include "command/FeatureParameterItem.h"

class Line2dFeature;

namespace QZ2Command {

class TangentLine2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(TangentLine2dCommand)
public:
    enum : WORD { itemShape = 0, itemShapeFromPoint = 1, itemPosition = 2, itemStart = 3, itemEnd = 4 };
    static constexpr DWORD kCurveMask = 0x018001F8;

    TangentLine2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

protected:
    // What tells the two commands apart.
    struct Texts {
        DWORD dwMask;
        UINT nShapePrompt, nStartPrompt, nPositionCaption, nPositionPrompt, nEndPrompt;
        UINT nNoLineReason;
    };
    virtual const Texts& GetTexts() const;
    // The line of the picked shape and the points in the active drawing's coordinates: bOnShape with the
    // position and end points, else from the start point. A result code (3 with the reason when no line
    // results) and a new line in the active drawing's coordinates.
    virtual int CreateLine(const FeatureParameterItem& shape, BOOL bOnShape, const RuVaPnt2d& p1,
                           const RuVaPnt2d& p2, Line2dFeature*& pLine, UINT& nReason);

    FeatureParameterItem MakeShapeItem(WORD wId) const;

private:
    int MakeLine(BOOL bPreview, Line2dFeature*& pLine, UINT& nReason);
};

}  // namespace QZ2Command
