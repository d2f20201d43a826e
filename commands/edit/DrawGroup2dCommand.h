#pragma once
// Joins the picked shapes into one group shape ("Korvan.Edit.Group") or dissolves group shapes into their
// members ("Korvan.Edit.UnGroup"), one undo step each run.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;

namespace QZ2Command {

class DrawGroup2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(DrawGroup2dCommand)
public:
    enum : WORD { itemLayerRule = 0, itemShapes = 1 };
    // The layer rule that leaves the group on no layer of its own, so members keep theirs.
    static constexpr int kKeepMemberLayers = 1;

    DrawGroup2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // The context menu's test for the two identifiers; FALSE for any other.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

    // The group of the shapes, in their drawing, replacing them; FALSE, nothing changed, for no shapes, a
    // lone group, shapes of several drawings, a component definition, or a group the document refuses.
    // *pNewID gets the group's record id.
    static BOOL GroupFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes, int nLayerRule,
                              long* pNewID = nullptr);
    // Each group among the shapes replaced by its members (on the group's layer when it has one); other
    // shapes are left alone. A group whose members cannot all be stored stays whole. FALSE for no shapes
    // or when some group stayed.
    static BOOL UngroupFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes);
};

}  // namespace QZ2Command
