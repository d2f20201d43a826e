#pragma once
// What the edit commands do alike: declaring their shape items, reading the picked shapes, finding the
// drawing and part layout a shape was picked through, carrying world points into that drawing, and
// telling the user about refused input.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CString.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;
class DrawingFeatureBase;
class Feature2dBase;
class PartDrawingLayout;

namespace QZ2Command {

class CommandBase;

class EditCommandHelper
{
public:
    // The default feature-kind mask of shape items and the same without OLE objects.
    static constexpr DWORD kAllKinds = 0xEFFFFFFF;
    static constexpr DWORD kAllKindsButOle = 0xEBFFFFFF;

    // A shapes item that takes over the pre-selection, with the mask, editability and retention given.
    static BOOL AddShapesParameter(CommandBase* pCommand, WORD wId, UINT nCaptionId, UINT nPromptId, DWORD dwKinds,
                                   BOOL bEditableOnly, int nRetention);

    // The shapes of a shapes item; FALSE when the command has no such item or it cannot be read.
    static BOOL GetFeatureLayouts(const CommandBase* pCommand, WORD wId, CArray<FeatureLayout>& shapes);

    // Where a picked shape lives: its stored shape, its drawing and the part layout it was picked
    // through (NULL: seen in its own coordinates). FALSE, nothing set, for a record holding no shape.
    struct Place {
        Feature2dBase* pFeature = nullptr;
        DrawingFeatureBase* pDrawing = nullptr;
        const PartDrawingLayout* pLayout = nullptr;
    };
    static BOOL Locate(const Draw2dDocument* pDocument, const FeatureLayout& shape, Place& place);
    // A world point in the coordinates of the drawing as the layout shows it.
    static RuVaPnt2d WorldToLocal(const PartDrawingLayout* pLayout, const RuVaPnt2d& world);
    static RuVaPnt2d LocalToWorld(const PartDrawingLayout* pLayout, const RuVaPnt2d& local);

    // A point item's value in world coordinates; FALSE when empty or unreadable.
    static BOOL GetWorldPoint(CommandBase* pCommand, WORD wId, RuVaPnt2d& world);

    // The string in an exclamation box with an OK button.
    static void ShowMessage(CommandBase* pCommand, UINT nStringId);
    static void ShowMessage(CommandBase* pCommand, const CString& text);
    // The string, formatted with one whole number, as status information for three seconds.
    static void ShowStatus(CommandBase* pCommand, UINT nStringId, int nValue);
    static void ShowStatus(CommandBase* pCommand, UINT nStringId);
    // The string formatted with one whole number.
    static CString FormatCount(UINT nStringId, int nValue);
};

}  // namespace QZ2Command
