#pragma once
// Mirrors the picked shapes in the line through two axis points: "Korvan.Edit.MoveMirror" replaces each
// shape by its mirror image, "Korvan.Edit.CopyMirror" adds the images beside the shapes.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;

namespace QZ2Command {

class MoveMirror2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(MoveMirror2dCommand)
public:
    enum : WORD { itemShapes = 0, itemAxis1 = 1, itemAxis2 = 2 };

    MoveMirror2dCommand() = default;

    void SetupParameters() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The images of the shapes in the axis (world points), one undo step; with bReplace each source is
    // deleted once its image is stored. FALSE, nothing changed, for axis points that coincide; else TRUE
    // when every shape was mirrored, with the number that could not be in *pFailed.
    static BOOL MirrorFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes, const RuVaPnt2d& axis1,
                               const RuVaPnt2d& axis2, BOOL bReplace, int* pFailed);
};

}  // namespace QZ2Command
