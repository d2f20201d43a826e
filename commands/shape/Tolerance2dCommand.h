#pragma once
// Geometric tolerance frames in the current dimension style. The frame editor opens at the start; its frame
// string is placed by a click, and further frames are typed raw in the command bar's text row. Inside a
// uniformly scaled part layout the style's sizes follow the inverse scale so that the frame prints at them.

#include "command/CommandBase.h"

namespace QZ2Command {

class Tolerance2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Tolerance2dCommand)
public:
    enum : WORD { itemText = 0, itemPoint = 3 };

    Tolerance2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    void SetupParameters() override;
    BOOL OnStart() override;
    // A frame string typed raw is refused (with the reason) when a tolerance or datum cell holds a
    // characteristic symbol code.
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    BOOL BuildToleranceFeature(const CString& text, const RuVaPnt2d& point, int nAction);
};

}  // namespace QZ2Command
