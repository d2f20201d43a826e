#pragma once
// What the structure views reach of the layers above them (the main frame, its property bar and the
// document window's tab view). The application registers the hooks when the main frame is made and clears
// them when it goes; every call answers FALSE/NULL while nothing is registered.

#include "platform/afx/AfxTypes.h"

class CBCGPPopupMenu;
class CDrawingBar;
class CDrawComponentBar;
class CMainFrame;
class CQZ2TabView;
class CFont;
class CWnd;
class Draw2dDocument;
class DrawingFeatureBase;
class FeatureAttribute;

namespace QZ2Command {
class CommandManager;
}

class StructureServices
{
public:
    // What the overview takes from the options at every paint.
    struct ViewOptions {
        COLORREF paperColor = RGB(255, 255, 255);
        COLORREF paperBackColor1 = RGB(255, 255, 255);
        COLORREF paperBackColor2 = RGB(0, 191, 255);
        COLORREF partBackColor = RGB(0, 0, 0);
        COLORREF componentBackColor = RGB(192, 192, 192);
        COLORREF selectionColor = RGB(87, 192, 255);
        BOOL bLayoutRegionVisible = TRUE;
        int nGreekTextSize = 6;
    };
    struct Hooks {
        // The main window when it is the program's main frame.
        CMainFrame* (*pfnGetMainFrame)() = nullptr;
        QZ2Command::CommandManager* (*pfnGetCommandManager)() = nullptr;
        CDrawingBar* (*pfnGetDrawingBar)(CMainFrame* pFrame) = nullptr;
        // A drawing or part layout (-1: none) shown in the property bar; bShow brings the bar up.
        BOOL (*pfnShowDrawingProperties)(CMainFrame* pFrame, Draw2dDocument* pModel, long nDrawingID, long nLayoutID,
                                         BOOL bShow) = nullptr;
        void (*pfnReleasePropertyBarDocument)(CMainFrame* pFrame, UINT nKind) = nullptr;
        BOOL (*pfnShowPropertyBar)(CMainFrame* pFrame, BOOL bShow) = nullptr;
        // A context menu just made by a structure view.
        void (*pfnOnShowPopupMenu)(CMainFrame* pFrame, CBCGPPopupMenu* pMenu) = nullptr;
        // The tab of the drawing activated (made first for a part drawing).
        BOOL (*pfnActivateDrawingTab)(CQZ2TabView* pTabView, DrawingFeatureBase* pDrawing) = nullptr;
        // The user-interface font the views set on their lists, trees and combos.
        CFont* (*pfnGetUIFont)() = nullptr;
        BOOL (*pfnGetViewOptions)(ViewOptions& options) = nullptr;
        // The component palette, and bringing it up.
        CDrawComponentBar* (*pfnGetComponentBar)(CMainFrame* pFrame) = nullptr;
        BOOL (*pfnShowComponentBar)(CMainFrame* pFrame) = nullptr;
        // The attribute dialog of a component definition over the attributes and the ask-when-placing flag;
        // TRUE when closed with OK (the edited values are then in place).
        BOOL (*pfnEditComponentAttributes)(CWnd* pParent, Draw2dDocument* pModel, long nComponentID,
                                           FeatureAttribute& attributes, BOOL& bPrompt) = nullptr;
    };
    static void SetHooks(const Hooks& hooks);
    static const Hooks& GetHooks();

    // Conveniences over the hooks.
    static CMainFrame* GetMainFrame();
    static QZ2Command::CommandManager* GetCommandManager();
    static CDrawingBar* GetDrawingBar();
    static CDrawComponentBar* GetComponentBar();
    // Brings the component palette up (when hidden) and returns it.
    static CDrawComponentBar* ShowComponentBar();
    static BOOL ShowDrawingProperties(Draw2dDocument* pModel, long nDrawingID, long nLayoutID, BOOL bShow);
    static void ReleasePropertyBarDocument(UINT nKind);
    static BOOL ShowPropertyBar(BOOL bShow);
    static BOOL ActivateDrawingTab(DrawingFeatureBase* pDrawing);
    // The options' colours, or the defaults without an application.
    static ViewOptions GetViewOptions();
};
