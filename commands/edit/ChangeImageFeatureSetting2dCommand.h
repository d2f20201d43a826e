#pragma once
// Brightness and contrast of the picked images in the image colour dialog; a value the images do not
// share stays each image's own unless the user sets it. One undo step per confirmed dialog.

#include "command/CommandBase.h"

namespace QZ2Command {

class ChangeImageFeatureSetting2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ChangeImageFeatureSetting2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // An image among the selected shapes.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
