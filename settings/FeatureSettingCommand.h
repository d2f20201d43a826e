#pragma once
// The command behind the style entries of the Settings menu: opens the style-setting dialog with every kind
// of style on the page of the entry's kind and writes what changed, styles and named styles, as one undo
// step. "Korvan.Settings.DimensionSetting" reopens the dimension page shown last.

#include "command/CommandBase.h"

namespace QZ2Command {

class FeatureSettingCommand : public CommandBase
{
    DECLARE_DYNCREATE(FeatureSettingCommand)
public:
    static constexpr UINT kHatchPatternTableCommand = 34665;

    FeatureSettingCommand() = default;
    ~FeatureSettingCommand() override;

    int OnInput(int nIndex) override;

    // The page an identifier opens (0: the first page).
    static int InitialPage(const CString& strIdentifier);
};

}  // namespace QZ2Command
