#pragma once
// Moves or copies the picked shapes from a base point to a destination, turned about the base point and
// scaled from it as the identifier asks, or onto the current layer. One object serves twelve
// identifiers; the identifier decides the inputs, whether the shapes change in place or copies are
// added, and the preview.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;

namespace QZ2Command {

class Move2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Move2dCommand)
public:
    enum : WORD { itemShapes = 0, itemBase = 3, itemScale = 4, itemAngle = 5, itemDestination = 6 };

    Move2dCommand() = default;

    void SetupParameters() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // What an identifier does.
    static BOOL IsCopyIdentifier(const CString& identifier);
    static BOOL IsRotatingIdentifier(const CString& identifier);
    static BOOL IsScalingIdentifier(const CString& identifier);
    static BOOL HasDestination(const CString& identifier);
    static BOOL IsToLayerIdentifier(const CString& identifier);

    // The placement of a run, points in world coordinates.
    struct Placement {
        RuVaPnt2d base;
        double dScaleX = 1.0;
        double dScaleY = 1.0;
        double dAngle = 0.0;
        RuVaPnt2d destination;
        BOOL bToCurrentLayer = FALSE;
    };
    // Replace each shape by its placed form, keeping its record id; or add a placed copy of each beside
    // its source. One undo step; records without a shape are skipped. TRUE when every shape was done;
    // the number of shapes that could not be placed goes to *pFailed.
    static BOOL MoveFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes, const Placement& placement,
                             int* pFailed);
    static BOOL CopyFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes, const Placement& placement,
                             int* pFailed);

private:
    static BOOL PlaceFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes, const Placement& placement,
                              BOOL bCopy, int* pFailed);
};

}  // namespace QZ2Command
