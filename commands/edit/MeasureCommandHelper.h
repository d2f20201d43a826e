#pragma once
// What the measure commands share: reading their point items, re-forming their parameter rows, showing
// a result in the measure result dialog with the document's unit formats, and the pre-selection of one
// picked shape.

#include <initializer_list>
#include <memory>

#include "platform/afx/AfxTypes.h"

class CMeasureResultDialog;
class Draw2dDocument;
class Feature2dBase;
class RuVaPnt2d;

namespace QZ2Command {

class CommandBase;
class ParameterItemBase;

class MeasureCommandHelper
{
public:
    // Outcomes of ReadPoint, as OnInput answers them.
    enum { pointTaken = 1, pointMissing = 2, pointUnreadable = 3 };

    // The point of the item with the id: missing when there is no such item or it is empty, unreadable
    // when it holds a value that gives no point.
    static int ReadPoint(CommandBase* pCommand, WORD wId, RuVaPnt2d& point);
    // The points of two items, in order: 0 when both are taken, else the OnInput answer (missing while
    // either is empty, nothing done when either gives no point).
    static int ReadTwoPoints(CommandBase* pCommand, WORD wFirst, WORD wSecond, RuVaPnt2d& first, RuVaPnt2d& second);
    // A copy of the shape picked in the item, as the active layout shows it, with the pick point: 0 when
    // taken, else the OnInput answer (missing before the pick; nothing done, with the status message, when
    // the shape is gone or cannot be seen through the layout).
    static int TakePickedShape(CommandBase* pCommand, WORD wId, std::unique_ptr<Feature2dBase>& shape, RuVaPnt2d& pick);
    // The point of the item, given or proposed from the cursor (for previews).
    static BOOL PreviewPoint(CommandBase* pCommand, WORD wId, RuVaPnt2d& point);

    // A new parameter with the items as alternatives, the first current, at the index (appended for -1),
    // through the manager so that the command bar follows.
    static BOOL InsertRow(CommandBase* pCommand, int nIndex, std::initializer_list<const ParameterItemBase*> items);
    // Removes every parameter after the first.
    static void RemoveRowsAfterFirst(CommandBase* pCommand);
    static void RemoveRow(CommandBase* pCommand, int nIndex);

    // Fills the dialog's length and angle formats from the command's document and, as its first
    // precision, the document's distance precision (bAngle: the angle precision); then shows it.
    static void ShowResult(CommandBase* pCommand, CMeasureResultDialog& dialog, BOOL bAngle);

    // The first shape of a pre-selection of one pick group (mode 4), with the group's pick point.
    static BOOL GetSelectedPick(const Draw2dDocument* pDocument, int nGroup, long& nRecordID, long& nLayoutID,
                                RuVaPnt2d& pick);
    // The feature type of the first shape of a pick group of the document's selection; 0 for none.
    static int GetSelectedPickType(const Draw2dDocument* pDocument, int nGroup);
};

}  // namespace QZ2Command
