#pragma once
// What every shape command does alike: declaring its input steps, giving a new shape the document's
// current attributes, adding shapes to the document as one undo step, and previewing a shape as the
// rubber band. Builders that serve both OnInput and DrawPreview call Build so that the preview and the
// result are always the same shape.

#include <initializer_list>
#include <memory>

#include "platform/afx/AfxTypes.h"

class Draw2dDocument;
class DrawingFeatureBase;
class Feature2dBase;
class Feature2dList;
class PointMarker2dFeature;
class RuVaPnt2d;

namespace QZ2Command {

class CommandBase;
class FeatureParameterItem;
class ParameterItemBase;

class ShapeCommandHelper
{
public:
    // What a builder does with the shape it made.
    enum BuildAction {
        actionAdd = 0,      // add it to the document in one undo step
        actionPreview = 1,  // draw it as the rubber band
    };

    // Points closer than this coincide; lengths up to it are none.
    static constexpr double kPointTolerance = 1e-7;

    // Sets the item's id and caption and loads its prompt text.
    static void PrepareItem(ParameterItemBase& item, int nId, UINT nCaptionId, UINT nPromptId);
    // A new parameter holding a copy of the item as its current (only) alternative, handed to the
    // command's manager (or to the command itself while it has none). FALSE, nothing added, when the
    // item's id is already used by the command.
    static BOOL AddSingleItemParameter(CommandBase* pCommand, const ParameterItemBase& item);

    // A new parameter holding copies of the items as its alternatives, the first one current; FALSE as
    // for a single item.
    static BOOL AddAlternativesParameter(CommandBase* pCommand, std::initializer_list<const ParameterItemBase*> items);

    // The attribute rule: the document's current colour, line type, line width and layer, each through
    // the shape's own setter, which refuses numbers out of range (the shape then keeps its own).
    static void ApplyCurrentAttributes(Feature2dBase* pFeature, const Draw2dDocument* pDocument);
    static void ApplyAttributes(Feature2dBase* pFeature, short nColorNo, short nLineTypeNo, short nLineWidthNo,
                                long nLayerID);

    // The document and the drawing new shapes go to (the part drawing when its layout on a paper is
    // active); NULL without a document.
    static Draw2dDocument* GetDocument(const CommandBase* pCommand);
    static DrawingFeatureBase* GetActiveDrawing(const CommandBase* pCommand);

    // Adds the shape to the drawing as one undo step and deletes it, whatever the outcome (the document
    // stores its own copy). The bracket is closed also when the document refuses the shape.
    static BOOL AddFeatureInUndo(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing, Feature2dBase* pFeature);
    // Every shape of the list in one undo step, all or nothing: FALSE, with the document as it was and no
    // undo step, for an empty list or when any shape is refused. The list keeps its shapes.
    static BOOL AddFeatureListInUndo(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing,
                                     const Feature2dList& features);

    // The tail of a marker builder: a marker keeps the look the point-marker setting gave it and takes only
    // the current layer; inside a scaled part layout it is scaled by the layout's inverse X scale, so that
    // it keeps its size on paper. Then added in one undo step or drawn as the rubber band; the marker (the
    // caller's) is deleted. FALSE for no marker or document, an unreadable layout scale or a refusal.
    static BOOL BuildMarker(CommandBase* pCommand, PointMarker2dFeature* pMarker, int nAction);
    // The same for the markers of one run: every marker of the list is given the document's point-marker
    // style, the current layer and the layout's scale, then all are added in one undo step (all or nothing)
    // or drawn. FALSE for an empty list.
    static BOOL BuildMarkerList(CommandBase* pCommand, Feature2dList& markers, int nAction);
    // A marker's style (when bApplySetting), layout scale and layer, as a new marker in its place (the
    // caller's); NULL without a document or for an unreadable layout scale.
    static Feature2dBase* StyleMarker(const CommandBase* pCommand, const Feature2dBase* pMarker, BOOL bApplySetting);

    // Outcomes of TakePickedFeature.
    enum PickOutcome {
        pickTaken = 0,    // the copy and the pick point are filled
        pickMissing = 1,  // the item holds no shape
        pickGone = 2,     // the shape is no longer in the document (deleted since it was picked)
    };
    // The shape held by the item as a copy carried into the active part layout's coordinates (the
    // drawing's own when no layout is involved) and its pick point carried from the world into the
    // active drawing's coordinates.
    static int TakePickedFeature(const CommandBase* pCommand, const FeatureParameterItem& item,
                                 std::unique_ptr<Feature2dBase>& shape, RuVaPnt2d& localPick);

    // The rubber band of a rectangle given by two corner parameters: the axis-parallel rectangle between
    // their provisional points (the given corner, or the snapped cursor while it is not given), so that before
    // the first corner both are the cursor and afterwards it runs from the first corner to the cursor. FALSE
    // when either parameter yields no point.
    static BOOL DrawCornerRectanglePreview(CommandBase* pCommand, int nFirstIndex, int nSecondIndex);

    // Why a run made nothing: the text of the string number across the status bar for three seconds.
    // Returns nResult, so that a command can write "return Refuse(this, id, resultNothing);".
    static int Refuse(const CommandBase* pCommand, UINT nMessageId, int nResult);

    // The tail of a builder: applies the attribute rule to the new shape (the caller's, deleted here),
    // then adds it to the command's document or draws it as the rubber band. FALSE for no shape, no
    // document, a refused shape or a preview that could not be drawn.
    static BOOL BuildFeature(CommandBase* pCommand, Feature2dBase* pFeature, int nAction);
    // The same for several shapes made together: all added in one undo step, or all drawn.
    static BOOL BuildFeatureList(CommandBase* pCommand, Feature2dList& features, int nAction);
};

}  // namespace QZ2Command
