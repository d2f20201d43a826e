#pragma once
// Adds a paper, adds a part drawing (placed on the only paper or on the paper of the active tab) or deletes
// the part drawing shown in the active view. No parameters: it runs once when started.

#include "command/CommandBase.h"

class Draw2dDocument;
class DrawingFeatureBase;

namespace QZ2Command {

class Drawing2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Drawing2dCommand)
public:
    Drawing2dCommand() = default;

    int OnInput(int nIndex) override;

    BOOL AddPaper(Draw2dDocument* pDocument, const wchar_t* lpszName);
    BOOL AddPartDrawing(Draw2dDocument* pDocument, const wchar_t* lpszName);
    BOOL DeleteDrawing(Draw2dDocument* pDocument, const DrawingFeatureBase* pDrawing);

private:
    // The drawing bar selects the new drawing; the property bar shows it and comes up.
    void ShowAdded(Draw2dDocument* pDocument, long nDrawingID);
};

}  // namespace QZ2Command
