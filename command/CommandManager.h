#pragma once
// The one object that runs commands: it knows the active document, keeps every command object it
// has made in a cache, keeps the running commands on a stack whose top receives all input, starts
// commands by id or identifier, runs the top command after each input and reacts to its result,
// ends, suspends and resumes commands, and follows changes of the document and its drawings.

#include "command/CommandBase.h"
#include "command/CommandHistory.h"
#include "command/ParameterHistory.h"
#include "command/SnapInfo.h"
#include "command/ViewCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureLayout.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CMapWordToPtr.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CObList.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTypedPtrArray.h"
#include "platform/afx/CTypedPtrList.h"
#include "platform/afx/CTypedPtrMap.h"

class CCommandBar;
class CDC;
class CMainFrame;
class CMenu;
class CWnd;
class CPropertyBar;
class CQZ2Doc;
class CQZ2TabView;
class Draw2dDocument;
class Draw2dView;
class DrawingFeatureBase;
class FeatureTrackerBase;
class LayerFeature;
class NotifyInfoBase;
class NotifyProgressInfo;
class SelectionFilter;

namespace QZ2Command {

struct CommandInfo;

class CommandManager : public CObject
{
    DECLARE_DYNAMIC(CommandManager)
public:
    typedef CTypedPtrMap<CMapWordToPtr, UINT, CommandInfo*> CommandIndex;

    CommandManager();
    ~CommandManager() override;
    CommandManager(const CommandManager&) = delete;
    CommandManager& operator=(const CommandManager&) = delete;

    // --- the command table --------------------------------------------------------------------
    static CString GetCommandIdentifier(UINT nID);
    static CString GetCommandDisplayName(UINT nID);
    // (UINT)-1 when no row has the identifier (compared case-sensitively).
    static UINT GetCommandID(const CString& strIdentifier);
    static CommandInfo* FindCommandInfo(const CString& strIdentifier);
    // The id index that the first manager fills.
    static const CommandIndex& GetCommandIndex();

    // --- lifecycle and creation ---------------------------------------------------------------
    void Shutdown();
    BOOL ExecuteCommand(UINT nID);
    BOOL ExecuteNestedCommand(UINT nID);
    BOOL StartCommand(const CString& strIdentifier);
    BOOL StartNestedCommand(const CString& strIdentifier);
    CommandBase* GetCommand(const CString& strIdentifier);
    CommandBase* FindOrCreateCommand(const CString& strIdentifier);
    CommandBase* CreateCommand(const CString& strIdentifier);
    BOOL DeleteAllCommands();
    void SaveAllParameters();
    int GetCachedCommandCount() const { return static_cast<int>(m_commandCache.GetCount()); }

    // --- the stack ----------------------------------------------------------------------------
    CommandBase* GetActiveCommand() const;
    CString GetActiveCommandName() const;
    BOOL HasActiveCommand() const;
    // TRUE while the command of the id runs, or waits on the stack under a nested command.
    BOOL IsCommandRunning(UINT nID) const;
    int GetStackDepth() const { return static_cast<int>(m_commandStack.GetSize()); }
    CommandBase* GetStackEntry(int nIndex) const { return m_commandStack.GetAt(nIndex); }
    BOOL RunActiveCommand(int nIndex, BOOL bPrompt);
    void EndCommand(CommandBase* pCommand, BOOL bResume);
    void CancelAllCommands();
    void EndNestedCommands();
    void SuspendCommand(CommandBase* pCommand);
    void ResumeCommand(CommandBase* pCommand);
    BOOL TakeOverSelection();
    void ClearFeatureItems(CommandBase* pCommand);

    // --- document and drawing changes ---------------------------------------------------------
    // The active document and its data model (both NULL for none).
    void SetDocument(CQZ2Doc* pDocument, Draw2dDocument* pDraw2dDocument);
    CQZ2Doc* GetDocument() const { return m_pDocument; }
    Draw2dDocument* GetDraw2dDocument() const { return m_pDraw2dDocument; }
    void OnDocumentUpdated(const NotifyInfoBase& info);
    void EndCommandsOnDrawingChange(long nValue);
    // The tab view's content changed; with no drawing view shown (a table), nested commands end.
    void OnViewChanged();
    void EnableComponentSync(BOOL bEnable);
    void SyncComponentItems(Draw2dDocument* pDocument);
    // The document whose components the component bar offers (NULL before any).
    Draw2dDocument* GetComponentDocument() const { return m_pComponentSyncDocument; }

    // --- parameters of a command --------------------------------------------------------------
    BOOL AddParameter(CommandBase* pCommand, CommandParameter* pParameter);
    BOOL InsertParameter(CommandBase* pCommand, int nIndex, CommandParameter* pParameter);
    BOOL RemoveParameter(CommandBase* pCommand, int nIndex);
    BOOL ActivateNextMissingParameter(CommandBase* pCommand);
    BOOL UpdateParameterInBar(CommandBase* pCommand, int nIndex, int nFlag);
    BOOL FinishListInput();
    // Makes the parameter current, chooses the pick parameter again and shows it in the bar.
    BOOL SetCurrentParameter(CommandBase* pCommand, int nIndex);
    // Clears every current item of retention mode 0 of the top command.
    void ResetTransientInputs();
    // Restarts the top command's inputs: the first missing parameter current, the pick parameter anew.
    void ResetCommandInputs();

    // --- modifier input of the top command ----------------------------------------------------
    BOOL IsModifierInputActive() const;
    int GetActiveItemType() const;
    int GetActiveCommandItemType() const { return GetActiveItemType(); }
    int GetActiveModifierInputIndex() const;
    BOOL SetModifierInputIndex(int nInput);
    BOOL ActivateNextModifierInput();

    // --- keyboard and typed input, modifiers, steering of the running command -------------------
    // (CommandManagerKeyboard.cpp, CommandManagerModifier.cpp)
    // Drops the first of: a view command, a fence, a grip drag, the idle selection; else shows the
    // command bar. Never ends the running command.
    void OnEscape();
    // Finishes a fence or a list input, or makes the next parameter current; FALSE without a command.
    BOOL OnEnter();
    // Steps back one input of a list-type item, or one fence corner.
    void OnBackspace();
    // Typed text for a parameter, read by the item's type; an empty text clears the value.
    BOOL SetParameterText(int nIndex, const CString& strText, BOOL bPrompt);
    // A value of any type, handed to the setter of its type.
    BOOL SetParameterValue(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL ClearParameterValue(int nIndex, BOOL bPrompt);
    BOOL ResetParameterToDefault(int nIndex);
    BOOL SetParameterAlternative(CommandBase* pCommand, int nIndex, int nAlternative);
    BOOL ActivateNextParameterOfType(int nTypeCode);
    // Attaches the modifier of the code to the parameter; always FALSE (the bar shows its rows).
    BOOL SetParameterModifier(int nIndex, int nCode);
    // Attaches the modifier of the code to the best-fitting parameter of the running command.
    BOOL ApplyModifierCode(int nCode);
    BOOL SetIntegerValue(int nIndex, int nValue, BOOL bPrompt);
    BOOL SetDoubleValue(int nIndex, double dValue, BOOL bPrompt);
    BOOL SetLengthValue(int nIndex, double dValue, BOOL bPrompt);
    BOOL SetAngleValue(int nIndex, double dDegrees, BOOL bPrompt);
    BOOL SetScaleValue(int nIndex, double dX, double dY, BOOL bPrompt);
    // A point in the active drawing's coordinates, or in the typed notation (offset from the last input
    // point, distance and angle).
    BOOL SetPointValue(int nIndex, const RuVaPnt2d& point, BOOL bRelative, BOOL bPolar);
    // Appends the point; a point exactly on the last one finishes the list instead.
    BOOL AddPointArrayValue(int nIndex, const RuVaPnt2d& point, BOOL bFinished, BOOL bRelative, BOOL bPolar);
    BOOL SetMultiParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetDrawingParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetDrawComponentParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    // Polar (x distance, y angle in degrees) becomes cartesian; relative is moved by the last input point.
    void ApplyPointNotation(RuVaPnt2d& point, BOOL bRelative, BOOL bPolar) const;

    // Inputs of the innermost modifier link of the running command.
    BOOL SetModifierInputValue(int nInput, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetModifierPointInput(int nInput, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetModifierLengthInput(int nInput, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetModifierAngleInput(int nInput, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetModifierFeatureInput(int nInput, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetModifierPointValue(int nInput, const RuVaPnt2d& point, BOOL bRelative, BOOL bPolar);
    BOOL SetModifierLengthValue(int nInput, double dValue);
    BOOL SetModifierAngleValue(int nInput, double dDegrees);
    BOOL SetModifierFeatureValue(int nInput, const FeatureLayout& feature, const RuVaPnt2d& pickPoint);
    BOOL ModifierFeatureClick(int nInput, const RuVaPnt2d& world);
    BOOL SetModifierInputText(int nInput, const CString& strText, BOOL bPrompt);
    BOOL ClearModifierInput(int nInput, BOOL bPrompt);
    // Lets the modifier compute; a result is applied to its target and the link removed.
    BOOL RunModifier(int nInput, BOOL bPrompt);
    BOOL ClearModifierInputs();
    BOOL ClearModifierInputsAndRefresh(BOOL bRefresh);
    BOOL RemoveActiveModifier();
    BOOL EndAllModifierInput();
    // The arrow keys move the selection through the grip tracker when enabled: mode 0 by whole pixels,
    // other modes by drawing units.
    void SetNudgeOptions(BOOL bEnabled, int nMode, double dSteps);

    // --- feature inputs, the document selection, grips and context menus ------------------------
    // (CommandManagerFeatureInput.cpp, CommandManagerContextMenu.cpp)
    // A click for the feature input (items 10-14) that takes clicks; mode 2 (Shift) toggles or adds.
    BOOL FeatureClickInput(const RuVaPnt2d& world, int nMode);
    // A click for a multi item: the shape under the cursor when it takes shapes, else the point.
    BOOL MultiClickInput(const RuVaPnt2d& world);
    // Setters of the feature kinds: as the other typed setters, and the document selection follows the
    // shapes the inputs hold (a shape stays selected while another input holds it). Each shape must pass
    // the item's kinds mask; the group setter drops failing shapes instead of refusing the value, and
    // with neither bRun nor bPrompt only assigns it.
    BOOL SetFeatureParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetFeatureListParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetFeatureSequenceParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetFeatureGroupParameter(int nIndex, const ParameterItemBase& value, BOOL bRun, BOOL bPrompt);
    BOOL AddFeatureToSequenceList(int nIndex, const FeatureLayout& record, const RuVaPnt2d& pickPoint,
                                  BOOL bPrompt);
    BOOL SetFeatureValue(int nIndex, const FeatureLayout& record, const RuVaPnt2d& pickPoint);
    // Toggles the shape in the list.
    BOOL SetFeatureListValue(int nIndex, const FeatureLayout& record, const RuVaPnt2d& pickPoint);
    BOOL AddFeatureSequenceValue(int nIndex, const FeatureLayout& record, const RuVaPnt2d& pickPoint);
    BOOL RemoveLastSequenceFeature(int nIndex);
    // The records as one selection step of the group (mode 0 replace, 1 add, 2 toggle); with bReplace the
    // group starts empty, with bReplaceGroups the step replaces every earlier step.
    BOOL SetFeatureGroupValue(int nIndex, const CArray<FeatureLayout>& records, int nShapeMode,
                              const KcArrayOfGePnt2d* pShapePoints, int nMode, BOOL bReplace, BOOL bReplaceGroups);
    // Picks by the fence shape (1 rectangle, 2 polygon, 8 line, 16 polyline) into the group input.
    BOOL GroupFencePick(int nIndex, int nShapeMode, const KcArrayOfGePnt2d& points, int nMode);
    // Empties a feature input through its setter.
    BOOL ClearFeatureInput(int nIndex, BOOL bPrompt);

    // Whether a parameter other than nSkipParameter holds the shape (feature items, groups, multi items).
    BOOL IsFeatureHeldElsewhere(const FeatureLayout& record, int nSkipParameter) const;
    // Unselects the shape unless an input (or a modifier input other than nSkipInput) holds it.
    BOOL UnselectFeatureUnlessHeld(const FeatureLayout& record, int nSkipInput, BOOL bNotify);
    // Unselects the shapes the parameter's item holds (without bForce: those no other input holds).
    BOOL UnselectItemFeatures(CommandBase* pCommand, int nIndex, BOOL bForce, BOOL bUpdate);
    // Drops shapes that are no longer editable from the inputs that take editable shapes only.
    void DropUneditableFeatureInputs();
    // Select all (34134) and invert selection (34135): the selection when idle, the group input otherwise.
    BOOL SelectAllFeatures(Draw2dDocument* pDocument);
    BOOL InvertSelection(Draw2dDocument* pDocument);
    // Narrows the selection (idle) or the current group input to the shapes the filter passes.
    BOOL ApplySelectionFilter(const SelectionFilter& filter);
    BOOL FilterGroupInput(const SelectionFilter& filter, int nIndex);
    // Select by filter (34133): the filter sheet on empty part filters; on OK the filter, switched on,
    // narrows the selection (idle) or the current group input.
    BOOL SelectByFilterDialog();
    // Empties the selection while no command runs; TRUE when something was unselected.
    BOOL UnselectAllWithNotify(Draw2dDocument* pDocument);
    BOOL IsCommandEnabled(const CString& strIdentifier) const;

    // Grips of the selected shapes, dragged while no command runs.
    FeatureTrackerBase* GetFeatureTracker() const;
    BOOL IsFeatureTracking() const;
    // Snaps the cursor of a grip drag to shapes and the grid.
    BOOL SnapTrackerPoint(BOOL bInterruptible);
    // Escape while grips are dragged: the drag ends without a change.
    BOOL CancelFeatureTracking();

    // The right click's menu: the command menu while a command runs, the edit menu for a selection,
    // else the default menu.
    BOOL OnContextMenu(CWnd* pWnd, const CPoint& screen);
    BOOL ShowDefaultContextMenu(CWnd* pOwner, const CPoint& screen);
    BOOL ShowCommandContextMenu(CWnd* pOwner, const CPoint& screen);
    BOOL ShowEditContextMenu(CWnd* pOwner, const CPoint& screen);
    // The popups of those menus as they are shown, built inside the loaded resource menu; NULL when the
    // resource is missing (or, for the command menu, no command runs).
    CMenu* BuildDefaultContextMenu(CMenu& resource);
    CMenu* BuildCommandContextMenu(CMenu& resource);
    CMenu* BuildEditContextMenu(CMenu& resource);
    // The repeat entry at the position and the recent commands in the submenu after it.
    BOOL AddRecentCommandsToMenu(CMenu* pMenu, int nPosition);
    BOOL AddSettingStyleMenu(CMenu* pMenu, int nPosition, int nFeatureType);

    // --- selection options as the current input sees them ---------------------------------------
    // The options record's selection options: shape, part and side modes and the display-state mode.
    void SetSelectionOptions(int nShapeMode, int nPartMode, int nSideMode, BOOL bDisplayStateMode);
    BOOL GetSelectionDisplayStateMode() const { return m_bSelectionDisplayStateMode; }
    int GetShapeSelectionMode(int nIndex) const;
    int GetPartSelectionMode(int nIndex) const;
    int GetSideSelectionMode(int nIndex) const;
    int GetSelectionMode() const;
    BOOL IsSelectionModeAllowed(int nMode) const;
    BOOL IsSelectionDisplayStateEnabled(int nIndex) const;
    BOOL IsModifierSelectionDisplayStateEnabled(int nInput) const;
    DWORD GetItemFeatureFilter(int nIndex) const;
    DWORD GetModifierInputFeatureFilter(int nInput) const;

    // --- selection while no command runs ------------------------------------------------------
    // Mode 0 replaces the selection, 1 adds, 2 toggles. FALSE while a command runs or without records.
    BOOL SelectFeaturesWhenIdle(Draw2dDocument* pDocument, const CArray<FeatureLayout>& records, int nShapeMode,
                                const KcArrayOfGePnt2d* pShapePoints, int nMode);
    BOOL UnselectFeaturesWhenIdle(Draw2dDocument* pDocument, const CArray<long, long>& ids);

    // --- the active view -----------------------------------------------------------------------
    // The data-model view of the active tab's drawing view, handed over whenever it changes; NULL
    // while no drawing view is shown.
    void SetActiveDraw2dView(Draw2dView* pView) { m_pActiveView = pView; }
    // The tab view of the active document window, when it changes: NULL ends the view command and
    // forgets the drawing view; a tab view of another document makes that document current, and the
    // document activates the drawing and part layout of the view shown; then the selection shows in the
    // property bar.
    void SetActiveView(CQZ2TabView* pTabView);
    CQZ2TabView* GetActiveTabView() const { return m_pTabView; }
    Draw2dView* GetActiveView() const { return m_pActiveView; }
    Draw2dView* GetView() const { return m_pActiveView; }
    // The window of the active tab's view while a drawing tab is active, else NULL.
    CWnd* GetActiveDrawingViewWnd() const;
    // Embedded objects are never edited in place on this platform (they open in their own program's
    // window), so no in-place item is ever active: always FALSE.
    BOOL IsInPlaceItemActive() const;
    BOOL ZoomAll();
    BOOL ZoomPaper();
    BOOL ZoomInAt(double dFactor, const CPoint& point);
    BOOL ZoomOutAt(double dFactor, const CPoint& point);
    BOOL ZoomIn(double dFactor);
    BOOL ZoomOut(double dFactor);
    BOOL MoveView(int dx, int dy);
    BOOL BeginMiddleButtonPan(const CPoint& point);
    // Moves the view by the distance since the last move that moved it; moves under two pixels
    // either way wait (TRUE, nothing moved).
    BOOL MiddleButtonPanTo(const CPoint& point);
    void EndMiddleButtonPan();
    BOOL IsMiddleButtonPanning() const { return m_bPanning; }

    // --- fence and cursor ---------------------------------------------------------------------
    void ClearFenceIfActive();
    BOOL RemoveLastFencePoint();
    const RuVaPnt2d& GetCursorLocalPoint() const { return m_cursorLocal; }
    const RuVaPnt2d& GetCursorWorldPoint() const { return m_cursorWorld; }
    void SetCursorPoints(const RuVaPnt2d& world, const RuVaPnt2d& local);
    const FeatureLayout& GetHitFeature() const { return m_hitFeature; }
    void SetHitFeature(const FeatureLayout& feature) { m_hitFeature = feature; }
    void EndViewCommand();
    // Window zoom (2), realtime zoom (1) or pan (9) for the next clicks; 0 none.
    void SetViewCommandMode(int nMode)
    {
        m_viewCommand.SetMode(nMode);
    }
    int GetViewCommandMode() const { return m_viewCommand.GetMode(); }

    // --- mouse input from the drawing view (client points of the view) --------------------------
    // Records the cursor: client point, flags, world point and the local point of the active drawing.
    void SetCursorPosition(const CPoint& point, UINT nFlags);
    const CPoint& GetCursorClientPoint() const { return m_cursorClient; }
    void OnMouseMove(UINT nFlags, const CPoint& point);
    void OnLButtonDown(UINT nFlags, const CPoint& point);
    void OnLButtonUp(UINT nFlags, const CPoint& point);
    void OnLButtonDblClk(UINT nFlags, const CPoint& point);
    void OnMButtonDown(UINT nFlags, const CPoint& point);
    void OnMButtonUp(UINT nFlags, const CPoint& point);
    void OnRButtonDown(UINT nFlags, const CPoint& point);
    // The keys the views pass on; TRUE when the key was used.
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // TRUE when the cursor was chosen here (the cross-hair is drawn by the overlay, the system cursor hidden).
    BOOL OnSetCursor(CWnd* pView, CWnd* pWnd, UINT nHitTest, UINT message);
    // A click for the running command: the point goes to the input that takes clicks.
    BOOL CommandClickInput(const RuVaPnt2d& world, UINT nFlags);
    BOOL IsFeaturePickCursor() const;

    // --- typed setters: every value given to the running command ---------------------------------
    // Checks the value (an item of the parameter's type), lets the command refuse it, assigns it and runs
    // the command; when the run fails the previous value comes back. TRUE also for a value equal to the
    // present one (the command is then not run). A non-empty value needs a drawing view; an empty one
    // passes so that values can be cleared.
    BOOL SetDoubleParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetLengthParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetAngleParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetIntegerParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetTextParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetListParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    BOOL SetScaleParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    // An accepted point becomes the last input point (world coordinates).
    BOOL SetPointParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    // Without the prompt flag the command's check is skipped (stepping back).
    BOOL SetPointArrayParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt);
    // The point array without its last point, the command not asked.
    BOOL StepBackPointArray(int nIndex);
    BOOL HasLastInputPoint() const { return m_bLastInput; }
    const RuVaPnt2d& GetLastInputPoint() const { return m_lastInputWorld; }
    // A click with no command running: the shape under the cursor is selected (Shift toggles), a click
    // on empty space starts a fence, and with a fence the click closes a rectangle or line fence or adds
    // a corner.
    void ClickSelect(const RuVaPnt2d& world, UINT nFlags, BOOL bFenceAllowed);
    void AddFencePoint(const RuVaPnt2d& world);
    // Selects by the polygon or polyline fence (double click, Enter); FALSE without a fence.
    BOOL FinishFence();

    // --- coordinate services for commands -----------------------------------------------------
    DrawingFeatureBase* GetActiveDrawing() const;
    BOOL IsViewCommandActive() const;
    // World and local: through the document's active drawing and the view's active part layout. Without
    // a view the point is copied unchanged.
    BOOL WorldToLocalPoint(const RuVaPnt2d& world, RuVaPnt2d& local) const;
    BOOL LocalToWorldPoint(const RuVaPnt2d& local, RuVaPnt2d& world) const;
    BOOL WorldToClientPoint(const RuVaPnt2d& world, CPoint& point) const;
    // Relative to the active drawing's user origin, in place.
    BOOL WorldToUserPoint(RuVaPnt2d& point) const;
    BOOL UserToWorldPoint(RuVaPnt2d& point) const;
    // The cursor relative to the user origin; the no-position point (both coordinates the largest double)
    // while no drawing view shows the cursor.
    RuVaPnt2d GetCursorUserPoint() const;
    void RestoreActiveView();
    // The table tabs of the active document window: FALSE without a tab view.
    BOOL ShowLayerTableView();
    BOOL ShowDrawingTableView();
    // The tab views live in the application layer above this one; their class hands in how they are reached
    // (their document, the drawing view of the active tab, the table tabs) when the first one is made.
    struct TabViewServices {
        void (*pfnGetTabViewDocument)(CQZ2TabView* pTabView, CQZ2Doc*& pDocument, Draw2dDocument*& pModel) = nullptr;
        // The data-model view of the active drawing tab, and its window; NULL while a table is shown.
        Draw2dView* (*pfnGetTabViewDrawView)(CQZ2TabView* pTabView) = nullptr;
        CWnd* (*pfnGetTabViewDrawWnd)(CQZ2TabView* pTabView) = nullptr;
        void (*pfnShowLayerTable)(CQZ2TabView* pTabView) = nullptr;
        void (*pfnShowDrawingTable)(CQZ2TabView* pTabView) = nullptr;
    };
    static void SetTabViewServices(const TabViewServices& services);
    static const TabViewServices& GetTabViewServices();
    // The main frame and the property bar live in the layers above this one; the frame
    // hands in how they are reached when it is made and takes it back when it goes. Without them every
    // service below that needs them does nothing (FALSE, NULL).
    struct ShellServices {
        // The main window when it is the program's main frame, else NULL.
        CMainFrame* (*pfnGetMainFrame)() = nullptr;
        void (*pfnShowProgress)(CMainFrame* pFrame, BOOL bShow, int nDisplayType, BOOL bCancellable, int nLower,
                                int nUpper, BOOL bInfinite, BOOL bWaitCursor) = nullptr;
        void (*pfnSetProgressText)(CMainFrame* pFrame, const CString& strText) = nullptr;
        BOOL (*pfnSetProgressPos)(CMainFrame* pFrame, int nPos) = nullptr;
        int (*pfnGetProgressPos)(CMainFrame* pFrame) = nullptr;
        void (*pfnPumpProgressMessages)(CMainFrame* pFrame) = nullptr;
        BOOL (*pfnIsProgressCancelled)(CMainFrame* pFrame) = nullptr;
        // The kind of objects the property bar shows (0 none); shows one shape object per record; empties
        // the bar when it shows that kind.
        UINT (*pfnGetPropertyBarKind)(CPropertyBar* pBar) = nullptr;
        BOOL (*pfnShowPropertyBar)(CMainFrame* pFrame, BOOL bShow) = nullptr;
        BOOL (*pfnShowShapeProperties)(CPropertyBar* pBar, Draw2dDocument* pModel,
                                       const CArray<FeatureLayout>& records) = nullptr;
        BOOL (*pfnClearFeatureProperties)(CPropertyBar* pBar, UINT nKind) = nullptr;
        // A change record for the frame's bars.
        void (*pfnBroadcastDocumentNotify)(CMainFrame* pFrame, NotifyInfoBase* pInfo) = nullptr;
        // A timed information text across the status bar, in the default colours.
        void (*pfnSetStatusInformation)(CMainFrame* pFrame, const CString& strText, UINT nDurationMs) = nullptr;
        // The options record's input-method values: whether the text dialog keeps the open state between
        // openings, and the state kept; FALSE without an options record.
        BOOL (*pfnGetImeOptions)(BOOL* pSaveEnabled, BOOL* pState) = nullptr;
        // Stores the kept state in a copy of the options record that becomes the application's.
        BOOL (*pfnSetImeState)(BOOL bState) = nullptr;
        // The main frame's progress callback for long searches (user data: the main frame); it shows the
        // progress on the status bar and answers FALSE once the user pressed Escape.
        int (*pfnOnProgress)(NotifyProgressInfo* pInfo, void* pUserData) = nullptr;
        // The main frame's component bar: whether it shows, and showing or hiding it.
        BOOL (*pfnIsDrawComponentBarVisible)(CMainFrame* pFrame) = nullptr;
        BOOL (*pfnShowDrawComponentBar)(CMainFrame* pFrame, BOOL bShow) = nullptr;
        // Opens the file of an object shape (type 90) with the desktop, telling the user when it cannot.
        BOOL (*pfnOpenOleObject)(Draw2dDocument* pModel, long nRecordID) = nullptr;
    };
    static void SetShellServices(const ShellServices& services);
    static const ShellServices& GetShellServices();

    // --- services for commands (CommandManagerServices.cpp) ------------------------------------
    // A point item, or a multi item that takes points, has its point made relative to the user origin.
    BOOL ConvertPointItemToUser(ParameterItemBase* pItem) const;
    // The layer becomes the document's current layer, in one undo step.
    BOOL SetCurrentLayer(const LayerFeature* pLayer);
    // Progress of a long operation on the main frame's status bar: the range nLower to nUpper, the cancel
    // pane with bCancellable, the display type; FALSE without the main frame.
    BOOL BeginProgress(LPCTSTR lpszText, int nLower, int nUpper, BOOL bCancellable, int nDisplayType);
    // One step on, after letting waiting messages run with bPump; FALSE once the user cancelled.
    BOOL StepProgress(BOOL bPump, LPCTSTR lpszText);
    void PumpProgressMessages();
    BOOL EndProgress();
    BOOL IsProgressCancelled() const;
    // With no command running, a non-empty selection shows in the property bar unless it shows shapes
    // already; TRUE when it did.
    BOOL ShowSelectionProperties();
    // The property objects of the records' shapes go to the property bar (shown when bShow); FALSE
    // without a bar or when no record has a shape.
    BOOL ShowFeatureProperties(const CArray<FeatureLayout>& records, BOOL bShow);
    // Tells the user, across the status bar for nDurationMs, why input was refused or what a command did;
    // FALSE without the main frame.
    BOOL ShowStatusInformation(LPCTSTR lpszText, UINT nDurationMs = 3000) const;
    // A message box for the text (nothing for NULL); the box's answer, 0 for none.
    int ShowMessageBox(LPCTSTR lpszText, UINT nType);
    static BOOL IsCtrlShiftDown();

    // --- the document's stored views (slots 0 to 7) ---------------------------------------------
    BOOL StoreViewControlSetting(int nIndex);
    BOOL IsViewControlSettingCurrent(int nIndex) const;
    // Shows the stored view; its drawing is activated first when another one is shown. The slot becomes
    // the document's current one only when the view took it.
    BOOL RestoreViewControlSetting(int nIndex);

    // --- snapping ------------------------------------------------------------------------------
    // The options that snapping and the drawn cursor follow; the application hands them over from its
    // options at start-up and whenever they change. Until then a manager snaps to end, middle, centre and
    // intersection points within 10 pixels, without angular snap.
    //
    // Snap kinds, the bits of dwType (0xFFFF: every kind); the kind found is reported as its bit:
    //   0x0001 nearest point on a shape             0x0002 end point (polyline and outline corners too)
    //   0x0004 middle point (of lines, arcs, sides)  0x0008 centre of a circle or arc
    //   0x0010 intersection of two shapes            0x0020 quadrant point of a circle or arc
    //   0x0040 a point the command gives (its points so far)
    //   0x0080 division point: each line or arc cut into nDivisionCount equal parts
    //   0x0100 perpendicular foot from the reference point   0x0200 tangent point from the reference point
    //   0x0400 horizontal/vertical alignment with the key points of recently snapped shapes
    //   0x0800 extension of a recently snapped line beyond its ends
    //   0x1000 perpendicular through an end of a recently snapped line
    // 0x0100 and 0x0200 need a reference point; the last three work from the shapes the snap met recently
    // and show their construction lines. A point kind within the pick box wins over the tracking kinds,
    // which win over the nearest point; among kinds at the same distance the order is end, intersection,
    // middle, centre, quadrant, given point, perpendicular, tangent, division. With no point found,
    // angular snap puts the cursor on the nearest ray from the reference point at a multiple of dAngle
    // (nAngularMode 0: always, 1: only within the pick box of a ray); then the grid is tried.
    struct SnapOptions {
        BOOL bEnabled = TRUE;
        DWORD dwType = 0x001E;
        int nDivisionCount = 4;  // 2 to 100
        // Grid snap: with no shape point found, the cursor takes the nearest point of the shown grid within
        // the pick box (a hidden grid never snaps).
        BOOL bGrid = TRUE;
        int nBoxSize = 10;  // pixels: the pick box about the cursor, which is the snap aperture
        BOOL bBoxVisible = TRUE;
        BOOL bMarkerVisible = TRUE;
        int nMarkerSize = 10;  // pixels
        COLORREF markerColor = 0x0000FFFF;  // yellow
        BOOL bToolTipVisible = FALSE;
        BOOL bAngularEnabled = FALSE;
        double dAngle = 45.0;  // degrees
        int nAngularMode = 0;
        // 1: shapes on shown but locked layers and drawings are snapped to as well.
        BOOL bDisplayStateMode = TRUE;
        COLORREF cursorColor = 0x00FFFFFF;
    };
    void SetSnapOptions(const SnapOptions& options) { m_snapOptions = options; }
    const SnapOptions& GetSnapOptions() const { return m_snapOptions; }
    // Snaps the cursor for the input that takes clicks: the snapped world and local points replace the
    // cursor's; TRUE when a point or the grid was met, or (for inputs that take shapes) a shape lies under
    // the cursor (GetHitFeature). A mouse move's snap gives way to newer input; the click's never does.
    BOOL SnapInputPoint(BOOL bInterruptible);
    BOOL SnapClickPoint();
    void ClearSnapState();
    // Takes the result of the record and adds its recently met entities to the manager's histories.
    void SetSnapInfo(const SnapInfo& source);
    // The snap of the world point into the record (emptied first): the shapes near it in the active view,
    // the extra points (world), the origin with its base angle (degrees) for the perpendicular, tangent
    // and angular kinds, and the three histories for the tracking kinds. FALSE when nothing snapped or,
    // interruptible, the snap gave way to newer input.
    BOOL ComputeSnap(const RuVaPnt2d& world, SnapInfo& out, const KcArrayOfGePnt2d* pExtraPoints,
                     const RuVaPnt2d* pOrigin, double dBaseAngle, const KcArrayOfGeEntity2d& horzVert,
                     const KcArrayOfGeEntity2d& extension, const KcArrayOfGeEntity2d& perpendicular,
                     BOOL bInterruptible) const;
    // The keep-going test of interruptible snaps: FALSE when a newer mouse move, wheel turn or scrolling
    // key waits. It looks only once a snap has run a few milliseconds.
    static BOOL IsInputQueueEmpty();
    DWORD GetSnapKind() const { return m_dwSnapKind; }
    BOOL IsSnapped() const { return m_bSnapped; }
    const RuVaPnt2d& GetSnapWorldPoint() const { return m_snapWorld; }

private:
    // The snap of the input that takes clicks, interruptible or not, with or without the probe for a shape
    // under the cursor; TakeSnap moves the cursor to what was found.
    BOOL SnapPoint(BOOL bInterruptible, BOOL bProbe);
    BOOL TakeSnap(const SnapInfo& found);

public:

    // --- the overlay over the kept picture of the drawing --------------------------------------
    BOOL DrawPreview(HDC hDC);
    BOOL DrawSnapMarks();
    BOOL DrawFence();
    // The window-zoom rectangle from its first corner to the cursor.
    BOOL DrawViewCommandMarquee();
    // After the view painted: the whole overlay again, only while the cursor is over the view.
    void RedrawOverlay(CWnd* pView, CDC* pDC);

    // --- bars and options -----------------------------------------------------------------------
    void SetCommandBar(CCommandBar* pBar) { m_pCommandBar = pBar; }
    CCommandBar* GetCommandBar() const { return m_pCommandBar; }
    void SetPropertyBar(CPropertyBar* pBar) { m_pPropertyBar = pBar; }
    void SetMainFrame(CMainFrame* pFrame) { m_pMainFrame = pFrame; }
    // The option that allows remembered command parameters; set from the options record.
    void SetCommandParameterSaveEnabled(BOOL bEnabled) { m_bParameterSaveEnabled = bEnabled ? TRUE : FALSE; }
    BOOL IsParameterSaveEnabled() const { return m_bParameterSaveEnabled; }

    CommandHistory& GetCommandHistory() { return m_commandHistory; }
    ParameterHistory& GetParameterHistory() { return m_parameterHistory; }
    SnapInfo& GetSnapInfo() { return m_snapInfo; }
    ViewCommand& GetViewCommand() { return m_viewCommand; }
    BOOL IsFenceActive() const { return m_bFenceActive; }
    KcArrayOfGePnt2d& GetFencePoints() { return m_fencePoints; }
    void SetFenceActive(BOOL bActive) { m_bFenceActive = bActive; }

private:
    enum SetterFlags : UINT {
        setterNeedsView = 0x1,
        setterRefreshOnEqual = 0x2,
        setterHistory = 0x4,
        setterCheckOnlyWithPrompt = 0x8,
    };
    // A click (or, for realtime zoom and pan, a drag step) of the view command mode.
    void ViewCommandPoint(const CPoint& point, BOOL bClick);
    BOOL SetParameterTransaction(int nIndex, const ParameterItemBase& value, int nType, BOOL bPrompt, UINT nFlags);
    BOOL StartCommandCore(const CString& strIdentifier, BOOL bNested);
    void SendIdleMessage();
    BOOL ItemHoldsFeatures(const class ParameterItemBase* pItem) const;
    void UnselectAll();
    int FindOnStack(CommandBase* pCommand) const;
    const class ParameterItemBase* GetParameterCurrentItem(int nIndex) const;
    const class ParameterItemBase* GetModifierInput(int nInput) const;
    static BOOL AcceptsOnlyEditable(const class ParameterItemBase* pItem);
    static DWORD FeatureFilterOf(const class ParameterItemBase* pItem);

    CQZ2Doc* m_pDocument = nullptr;
    Draw2dDocument* m_pDraw2dDocument = nullptr;
    CQZ2TabView* m_pTabView = nullptr;
    Draw2dView* m_pActiveView = nullptr;
    CTypedPtrList<CObList, CommandBase*> m_commandCache;
    CTypedPtrArray<CObArray, CommandBase*> m_commandStack;
    Draw2dDocument* m_pComponentSyncDocument = nullptr;
    BOOL m_bComponentSync = TRUE;
    CCommandBar* m_pCommandBar = nullptr;
    CPropertyBar* m_pPropertyBar = nullptr;
    CMainFrame* m_pMainFrame = nullptr;
    int m_nCursorX = 0;
    int m_nCursorY = 0;
    RuVaPnt2d m_cursorWorld;
    RuVaPnt2d m_cursorLocal;
    UINT m_nMouseFlags = 0;
    KcArrayOfGePnt2d m_fencePoints;
    BOOL m_bFenceActive = FALSE;
    SnapInfo m_snapInfo;
    FeatureLayout m_hitFeature;
    ViewCommand m_viewCommand;
    BOOL m_bPanning = FALSE;
    int m_nPanX = 0;
    int m_nPanY = 0;
    BOOL m_bPanMoved = FALSE;
    CommandHistory m_commandHistory;
    ParameterHistory m_parameterHistory;
    BOOL m_bParameterSaveEnabled = TRUE;
    int m_nSelectionShapeMode = 1;
    int m_nSelectionPartMode = 1;
    int m_nSelectionSideMode = 1;
    BOOL m_bSelectionDisplayStateMode = FALSE;
    CPoint m_cursorClient;
    RuVaPnt2d m_lastInputWorld;
    // The first corner of a window zoom, or the last point of a realtime zoom or pan drag (client).
    BOOL m_bLastInput = FALSE;
    SnapOptions m_snapOptions;
    BOOL m_bSnapped = FALSE;
    DWORD m_dwSnapKind = 0;
    RuVaPnt2d m_snapWorld;

    // keyboard, typed input and modifiers
    // A click while a modifier is attached: to its point or feature input that takes clicks.
    BOOL ModifierClickInput(const RuVaPnt2d& world);
    // The main frame's status bar back to its idle text.
    void ResetStatusText();
    // Backspace on a sequence list: its last shape goes (a sequence left empty goes too).
    BOOL RemoveLastSequenceListFeature(int nIndex);
    // Validates, assigns and runs a point, length or angle input; the old value comes back when refused.
    BOOL SetModifierInputCore(int nInput, const ParameterItemBase& value, int nType, BOOL bPrompt);
    // Empties the parameter before a modifier is attached (a list only when finished).
    void EmptyForModifier(int nIndex);
    // Typed point text to a point in the active drawing's coordinates; FALSE when it does not parse.
    BOOL ParseTypedPoint(const CString& strText, RuVaPnt2d& point, BOOL& bRelative, BOOL& bPolar) const;
    // Typed text a row of the type cannot read: the status bar says what the row takes; always FALSE.
    BOOL RefuseTypedText(int nType, WORD wMultiKinds = 0) const;
    BOOL m_bNudgeEnabled = TRUE;
    int m_nNudgeMode = 0;
    double m_dNudgeSteps = 1.0;

    // feature inputs, grips and context menus
    BOOL FeatureTransaction(int nIndex, const ParameterItemBase& value, int nType, BOOL bRun, BOOL bPrompt);
    BOOL PassesItemFilter(const ParameterItemBase& item, const ParameterItemBase& value) const;
    BOOL CollectSelectableFeatures(const SelectionFilter* pFilter, BOOL bDisplayState,
                                   CArray<FeatureLayout>& records) const;
    const SelectionFilter* GetActiveSelectionFilter() const;
    double GetPickAperture() const;
};

}  // namespace QZ2Command
