#pragma once
// Adds angular dimensions: the angle between two picked line-like shapes (the vertex and the arms found from
// the dimension position), the angle an arc spans, or the angle at a vertex from a first to a second point.
// The dimension arc runs through the dimension position; the value text is measured or typed.

#include "command/CommandBase.h"

class Draw2dDocument;

namespace QZ2Command {

class AngularDimension2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(AngularDimension2dCommand)
public:
    enum : WORD {
        itemVertex = 0,
        itemFirstPoint = 1,
        itemFirstLine = 2,
        itemSecondLine = 3,
        itemArc = 4,
        itemSecondPoint = 5,
        itemTextMode = 6,
        itemText = 7,
        itemTextPosMode = 8,
        itemTextPoint = 9,
        itemPosition = 10,
    };
    static constexpr DWORD kLineMask = 0x01800C06;
    static constexpr DWORD kArcMask = 0x01800010;

    AngularDimension2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // The angle at the vertex from the first to the second point, its arc through the position; added
    // (action 0), drawn (1) or only its value text computed (2). The text receives the value text shown.
    BOOL BuildDimension(const RuVaPnt2d& vertex, const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nTextMode,
                        CString& strText, const RuVaPnt2d& position, BYTE nTextPosMode, const RuVaPnt2d& textPoint,
                        int nAction);

    // One selected arc, or two selection groups each of a line-like shape.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

private:
    // The vertex and arm points by the current alternative; the two-line alternative needs the position.
    int CollectAngle(BOOL bPreview, const RuVaPnt2d* pPosition, RuVaPnt2d& vertex, RuVaPnt2d& p1, RuVaPnt2d& p2);
    int Run(BOOL bPreview, int nIndex);
};

}  // namespace QZ2Command
