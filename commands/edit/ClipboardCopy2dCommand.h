#pragma once
// Copy and Cut to the clipboard: the picked shapes go, with the drawings, part layouts, settings and view
// tab they need, into a clip document that travels with a base point; Cut then deletes what was copied in
// one undo step. One object serves both identifiers.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureLayout.h"

class CQZ2Doc;
class CQZ2TabView;
class Draw2dDocument;
class Draw2dView;
class DrawViewInfo;

namespace QZ2Command {

class ClipDocument;

class ClipboardCopy2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ClipboardCopy2dCommand)
public:
    enum : WORD { itemShapes = 0, itemBase = 1 };

    ClipboardCopy2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // The application hands in how a clip reaches the clipboard (its document's clipboard renderer) and
    // how the tabs of a window are read. Without them the native data alone goes to the clipboard and
    // only the active tab is kept.
    struct AppServices {
        // Takes the clip over in every case; FALSE when nothing went to the clipboard.
        BOOL (*pfnPutOnClipboard)(CQZ2Doc* pSource, ClipDocument* pClip) = nullptr;
        // The tabs of the window in order, with the active one.
        BOOL (*pfnGetTabViewInfo)(CQZ2TabView* pTabView, DrawViewInfo& info) = nullptr;
    };
    static void SetAppServices(const AppServices& services);
    static const AppServices& GetAppServices();

    // Builds the clip of the shapes seen in the view (base point in the coordinates of the view's drawing
    // as a whole: paper coordinates on a paper). NULL after telling the user, for shapes of one part
    // drawing picked through two layouts; NULL silently for nothing to copy. With pCopied, the records
    // that reached the clip.
    static ClipDocument* BuildClip(CommandManager* pManager, Draw2dDocument* pSource, Draw2dView* pView,
                                   CQZ2TabView* pTabView, const CArray<FeatureLayout>& shapes,
                                   const RuVaPnt2d& basePoint, BOOL bEditableOnly, CArray<long>* pCopied);
    // Builds the clip, puts it on the clipboard and, for Cut, deletes the copied shapes in one step.
    static BOOL CopyFeaturesToClipboard(CommandManager* pManager, const CArray<FeatureLayout>& shapes,
                                        const RuVaPnt2d& basePoint, BOOL bCut);
    // The native data alone on the clipboard, under the first native format.
    static BOOL PutNativeDataOnClipboard(const ClipDocument& clip);
};

}  // namespace QZ2Command
