#pragma once
// Adds arc-length dimensions: along a picked circle or arc from a start to an end direction (a picked arc
// fills both with its own ends), the dimension arc at the distance the dimension position gives.

#include "command/CommandBase.h"

class Draw2dDocument;

namespace QZ2Command {

class ArcDimension2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ArcDimension2dCommand)
public:
    enum : WORD {
        itemStartPoint = 0,
        itemShape = 1,
        itemEndPoint = 2,
        itemTextMode = 3,
        itemText = 4,
        itemTextPosMode = 5,
        itemTextPoint = 6,
        itemPosition = 7,
    };
    static constexpr DWORD kCircleArcMask = 0x01800018;

    ArcDimension2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The length of the arc of the radius about the centre from the start to the end angle (degrees,
    // counter-clockwise); added (0), drawn (1) or only its value text computed (2).
    BOOL BuildDimension(const RuVaPnt2d& centre, double dRadius, double dStartAngle, double dEndAngle, int nTextMode,
                        CString& strText, const RuVaPnt2d& position, BYTE nTextPosMode, const RuVaPnt2d& textPoint,
                        int nAction);

    // One selected circle or arc; also the test of the diameter and radius dimensions.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

private:
    int Run(BOOL bPreview, int nIndex);
};

}  // namespace QZ2Command
