#pragma once
// Edits the user attributes of the picked shapes, or of picked placed components (values only), in the
// attribute dialog and writes them back in one undo step ("Korvan.Settings.Attributes").

#include "command/CommandBase.h"
#include "libs/vevure/FeatureAttribute.h"

class DrawComponent2dFeature;

namespace QZ2Command {

class Attribute2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Attribute2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // A placed component's own list completed from its definition: names from the definition, missing
    // items added without a value.
    static FeatureAttribute ComponentAttributes(const Draw2dDocument* pDocument,
                                                const DrawComponent2dFeature* pComponent);
};

}  // namespace QZ2Command
