#pragma once
// What the dimension commands share: the value-text and text-position lists with the rows they bring and
// take away, reading the text and the placement, the working copy of the document's dimension style
// (scaled inside a uniformly scaled part layout), and the tail of every builder (layer, add in one undo
// step or draw as the rubber band, hand back the value text). Also the circle-or-arc take-over and the
// right-click test that the arc-length, diameter and radius dimensions share.

#include <memory>
#include <vector>

#include "platform/afx/AfxTypes.h"

class CString;
class Dimension2dFeatureBase;
class DimensionSetting;
class Draw2dDocument;
class Feature2dBase;
class Feature2dList;
class RuVaVec2d;
class RuVaPnt2d;

namespace QZ2Command {

class CommandBase;
class ParameterItemBase;

class DimensionCommandHelper
{
public:
    // The item ids a command gives the four text rows.
    struct TextItems {
        WORD wTextMode;     // value text: 0 measured, 1 typed
        WORD wText;         // the typed text, present while the value text is typed
        WORD wTextPosMode;  // text position: 0 at the dimension, 1 and 2 at a text point
        WORD wTextPoint;    // the text point, present while the text position is not 0
    };

    // The items of the four rows (captions, prompts, choices, retention).
    static std::unique_ptr<ParameterItemBase> MakeTextModeItem(WORD wId);
    static std::unique_ptr<ParameterItemBase> MakeTextPosModeItem(WORD wId);
    static std::unique_ptr<ParameterItemBase> MakeTextItem(WORD wId);
    static std::unique_ptr<ParameterItemBase> MakePointItem(WORD wId, UINT nCaption, UINT nPrompt);

    // A parameter holding the item, inserted at the index (through the manager, so that the bar follows).
    static void InsertRow(CommandBase* pCommand, int nIndex, const ParameterItemBase& item);
    static void RemoveRowOf(CommandBase* pCommand, WORD wItem);

    // The value of a list item; FALSE when the item is missing, empty or unreadable.
    static BOOL ReadList(const CommandBase* pCommand, WORD wId, int& value);

    // After the parameter at nIndex was given: a changed list adds or removes its row. resultDone, or
    // resultNothing for a list that cannot be read.
    static int FollowLists(CommandBase* pCommand, int nIndex, const TextItems& items);

    // The value text mode (0 or 1) and the typed text (empty for mode 0 or an empty row). resultDone,
    // resultMissing for an empty mode, resultNothing for one that cannot be read.
    static int ReadText(CommandBase* pCommand, const TextItems& items, BOOL bPreview, int& nMode, CString& text);

    // The dimension position, the text position mode handed on (0, 1 or 2) and the text point (the position
    // for mode 0). resultDone, resultMissing or resultNothing.
    static int ReadPlacement(CommandBase* pCommand, WORD wPosition, const TextItems& items, BOOL bPreview,
                             RuVaPnt2d& position, int& nPosMode, RuVaPnt2d& textPoint);

    // Puts the measured text into the typed row and refreshes its row in the bar.
    static void FillTypedText(CommandBase* pCommand, WORD wText, const CString& text);

    // The document's dimension style copied into the setting, scaled for a part layout of one scale other
    // than 1. FALSE without a document or for a layout scale that cannot be read.
    static BOOL PrepareSetting(const CommandBase* pCommand, DimensionSetting& setting);
    // The position-angle flag handed to the creators.
    static int PosAngleFlag(const DimensionSetting& setting);

    // The tail of a builder: the current layer, then action 0 adds the dimension in one undo step, 1 draws
    // it as the rubber band, any other action does neither (FALSE). The text receives the value text the
    // dimension shows (also when adding failed). FALSE for no dimension.
    static BOOL Finish(CommandBase* pCommand, std::unique_ptr<Dimension2dFeatureBase> dimension, int nAction,
                       CString& text);
    // The same for a row: every dimension on the current layer, all added in one undo step (all or
    // nothing) or all drawn. FALSE for an empty list.
    static BOOL FinishRow(CommandBase* pCommand, Feature2dList& dimensions, int nAction);

    // The centre and radius of a circle or an arc; FALSE for other shapes.
    static BOOL GetCircleOrArc(const Feature2dBase* pShape, RuVaPnt2d& centre, double& radius);
    // The first steps of a dimension on a picked circle or arc: on input the text lists are followed, then
    // the shape is read as it stands in the active layout, with its centre and radius. resultDone when the
    // shape is read; else the result to give (on input a shape deleted meanwhile or of another kind is
    // refused with its message).
    static int ReadCircleOrArc(CommandBase* pCommand, WORD wShape, const TextItems& items, BOOL bPreview, int nIndex,
                               std::unique_ptr<Feature2dBase>& shape, RuVaPnt2d& centre, double& radius);
    // The direction from the centre that a placement point gives: towards the point, or, for a point on the
    // centre, level (a circle) or towards the arc's middle.
    static RuVaVec2d GetDirectionFromCentre(const Feature2dBase* pShape, const RuVaPnt2d& point);
    // Where the line through the centre in the direction crosses the circle or arc: the crossing in the
    // direction first, then the opposite one, each only when it lies on the arc.
    static std::vector<RuVaPnt2d> GetCrossingsThroughCentre(const Feature2dBase* pShape, const RuVaVec2d& direction);

    // One selection group of shape mode 4 whose first shape exists and is a circle or an arc.
    static BOOL IsCircleOrArcSelected(Draw2dDocument* pDocument);
    // Puts that shape with its pick point into the current item of parameter 0 and lets the command end
    // after one dimension. FALSE, nothing changed, when the selection is not one circle or arc.
    static BOOL TakeOverCircleOrArc(CommandBase* pCommand, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
