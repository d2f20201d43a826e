#pragma once
// Moves the user origin of the active drawing, the reference of relative coordinates, to a picked or
// typed point ("Korvan.Settings.UserOrigin"); each placement is one undo step and the command stays.

#include "command/CommandBase.h"

namespace QZ2Command {

class UserOrigin2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(UserOrigin2dCommand)
public:
    enum : WORD { itemOrigin = 0 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    // FALSE, nothing changed, without a document or an active drawing. The flag is not used.
    virtual BOOL SetUserOrigin(const RuVaPnt2d& point, BOOL bFlag);
};

}  // namespace QZ2Command
