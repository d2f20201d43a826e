#pragma once
// Shows the coordinates of a picked point, and the point relative to the user origin when that origin
// is not at the drawing's origin ("Korvan.Tools.MeasureCoordinates"). The command stays for the next point.

#include "command/CommandBase.h"

namespace QZ2Command {

class MeasureCoordinates2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(MeasureCoordinates2dCommand)
public:
    enum : WORD { itemPoint = 0 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;
};

}  // namespace QZ2Command
