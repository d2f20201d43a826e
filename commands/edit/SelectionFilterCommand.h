#pragma once
// The document's selection filter: "Korvan.Settings.SelectFilter" edits it in the filter sheet,
// "Korvan.Settings.SelectFilterMode" switches it on or off (the part filters stay as they are). The
// filter is view state, not stored in the file, so neither is an undo step.

#include "command/CommandBase.h"

class SelectionFilter;

namespace QZ2Command {

class SelectionFilterCommand : public CommandBase
{
    DECLARE_DYNCREATE(SelectionFilterCommand)
public:
    int OnInput(int nIndex) override;

    // The filter sheet run on the filter, parented to the main window; TRUE after OK with the result.
    static BOOL RunFilterSheet(const Draw2dDocument* pDocument, const CString& caption, BOOL bShowSwitch,
                               SelectionFilter& filter);
};

}  // namespace QZ2Command
