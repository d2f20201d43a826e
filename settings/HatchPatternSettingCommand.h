#pragma once
// "Korvan.Settings.CustomHatch": shows the document's hatch pattern table; whatever the dialog changes is
// one undo step. Ending it with the hatch style button opens the hatch style dialog.

#include "command/CommandBase.h"

namespace QZ2Command {

class HatchPatternSettingCommand : public CommandBase
{
    DECLARE_DYNCREATE(HatchPatternSettingCommand)
public:
    // The pattern table's result that asks for the hatch style dialog, and that dialog's command.
    static constexpr int kHatchStyleResult = 100;
    static constexpr UINT kHatchStyleCommand = 34637;

    HatchPatternSettingCommand() = default;
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
