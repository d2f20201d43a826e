#pragma once
// Places point markers dividing the stretch between two points into a number of equal parts or at a
// pitch, all markers of one run in one undo step.

#include "command/CommandBase.h"

class Feature2dList;

namespace QZ2Command {

class DivisionPointMarker2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(DivisionPointMarker2dCommand)
public:
    enum : WORD { itemFirst = 0, itemSecond = 1, itemCount = 2, itemPitch = 3 };
    // Division modes of the data model.
    enum { modeCount = 0, modePitch = 1 };

    DivisionPointMarker2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The markers of the division (unstyled) into the list; FALSE when the data model refuses it.
    static BOOL MakeMarkers(const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nMode, double dValue, Feature2dList& markers);
};

}  // namespace QZ2Command
