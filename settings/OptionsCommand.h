#pragma once
// Opens the options dialog (Tools > Options; Settings > Snap Settings opens it on the snap page) over the
// application's options, with or without a drawing; OK hands the new options to the application, which
// applies and saves them. Started nested, so that a running drawing command waits meanwhile.

#include "command/CommandBase.h"

namespace QZ2Command {

class OptionsCommand : public CommandBase
{
    DECLARE_DYNCREATE(OptionsCommand)
public:
    OptionsCommand();
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
