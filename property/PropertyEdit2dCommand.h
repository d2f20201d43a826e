#pragma once
// Takes the value of the property bar's selected length, angle or point row from the drawing: one
// click-made value (a point, a length or an angle, through the pick mode the bar attached) goes to
// every object the bar holds, in one undo step; then the command ends and the bar is shown. One class
// serves the point, length and angle commands; it learns which from its identifier.

#include "command/CommandBase.h"

namespace QZ2Command {

class PropertyEdit2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(PropertyEdit2dCommand)
public:
    // Said in the status bar when no held object took the value.
    static constexpr UINT kValueRefused = 10933;

    PropertyEdit2dCommand();
    ~PropertyEdit2dCommand() override;

    void SetupParameters() override;
    BOOL OnStart() override;
    int OnInput(int nIndex) override;

    WORD GetTargetPropertyId() const { return m_wTargetId; }

protected:
    // The value type of the command's one item (8 point, 2 length, 3 angle), 0 for another identifier.
    int GetValueType() const;

    WORD m_wTargetId = 0xFFFF;
};

}  // namespace QZ2Command
