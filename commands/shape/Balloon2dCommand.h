#pragma once
// Balloons in the document's balloon style, one per cycle: one text, or an upper and a lower text shown
// divided, placed at the end of a list of leader points or at a single point. The command stays for the
// next balloon.

#include "command/CommandBase.h"

namespace QZ2Command {

class Balloon2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Balloon2dCommand)
public:
    enum : WORD { itemText = 0, itemPoints = 1, itemPoint = 2, itemUpperText = 3, itemLowerText = 4 };

    Balloon2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // The stored text of a two-part balloon: the upper part, the divider code, the lower part; empty when
    // both parts are.
    static CString JoinParts(const CString& upper, const CString& lower);

    // The balloon of the text through the points in the current balloon style, scaled for a uniformly
    // scaled part layout, on the current layer: added in one undo step (action 0) or drawn (1).
    BOOL BuildBalloon(const CString& text, const KcArrayOfGePnt2d& points, int nAction);

private:
    // The balloon's text from the given (or, for the preview, provisional) values.
    CString ReadText();
};

}  // namespace QZ2Command
