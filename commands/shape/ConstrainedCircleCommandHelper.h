#pragma once
// What the circle and arc commands that solve conditions share: reading points, radii and tangent shapes
// from their items (the cursor and the shape under it standing in while previewing), choosing one of the
// solver's circles by the pick point, and making or previewing it.

#include <initializer_list>
#include <memory>
#include <utility>

#include "platform/afx/AfxTypes.h"

class Feature2dBase;
class FeatureConstrainedCircle;
class RuVaPnt2d;

namespace QZ2Command {

class CommandBase;
class FeatureParameterItem;

class ConstrainedCircleCommandHelper
{
public:
    // The kinds of shape a tangent item accepts, and the pick setting handed to the picker.
    static constexpr DWORD kTangentMask = 0x01800DFE;
    static constexpr int kTangentPickSetting = 1;

    // A picked-shape item that takes the shapes a circle can touch.
    static void PrepareTangentItem(FeatureParameterItem& item, WORD wId, UINT nCaptionId, UINT nPromptId);

    // The shapes of the items as copies in the active layout's coordinates. resultDone when all are read;
    // else resultMissing for an empty item, and for a shape deleted since it was picked nGoneResult with
    // its reason told (nothing told while previewing).
    static int ReadShapes(CommandBase* pCommand, BOOL bPreview, int nGoneResult,
                          std::initializer_list<std::pair<WORD, std::unique_ptr<Feature2dBase>*>> shapes);

    // The value of the item: when previewing, the given one or its provisional value; otherwise the given
    // one only. FALSE when there is none or it cannot be read.
    static BOOL ReadPoint(CommandBase* pCommand, WORD wId, BOOL bPreview, RuVaPnt2d& point);
    static BOOL ReadLength(CommandBase* pCommand, WORD wId, BOOL bPreview, double& value);
    static BOOL ReadAngle(CommandBase* pCommand, WORD wId, BOOL bPreview, double& value);
    // A copy of the picked shape in the active layout's coordinates; one of ShapeCommandHelper's pick
    // outcomes. The pick point too when pPick is given.
    static int ReadShape(CommandBase* pCommand, WORD wId, BOOL bPreview, std::unique_ptr<Feature2dBase>& shape,
                         RuVaPnt2d* pPick = nullptr);

    // How the chosen solution is made.
    struct Choice {
        WORD wPickItem = 0;          // the item whose point chooses among several solutions
        BOOL bSmallestFallback = 0;  // previewing without a nearest solution shows the smallest one
        BOOL bShowAll = FALSE;       // previewing draws every solution (Shift held)
        UINT nNoSolution = 0;        // the reason told when nothing fits
    };
    // After a Find call that returned bSolved: chooses a solution, then adds it (one undo step, the
    // current attributes) or previews it. The command's result code.
    static int MakeSolution(CommandBase* pCommand, const FeatureConstrainedCircle& solver, BOOL bSolved,
                            BOOL bPreview, const Choice& choice);

    // The Shift key is held: by the mouse message's flags or the keyboard's state.
    static BOOL IsShiftDown(UINT nFlags);
};

}  // namespace QZ2Command
