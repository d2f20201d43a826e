#pragma once
// The program's main window: the MDI frame with the menu bar, the toolbars, the status bar and the
// docking bars around the document windows. It routes the commands that belong to no document,
// fans the documents' change records out to its bars and shows the progress of long operations.

#include "platform/afx/CArray.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringArray.h"
#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPMenuBar.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "app/CQZ2MenuBar.h"
#include "app/CQZ2ToolBar.h"
#include "app/CRibbonStatusBar.h"

#include <map>
#include <set>

class CBCGPControlBar;
class CBCGPDockingControlBar;
class CBCGPToolbarButton;
class CCommandBar;
class CDrawComponentBar;
class CDrawingBar;
class Draw2dDocument;
class CLayerBar;
class CPropertyBar;
class CSkyViewBar;
class CQZ2View;
class NotifyInfoBase;
class NotifyProgressInfo;

namespace QZ2Command {
class FeaturePropertyBase;
}

namespace Gdiplus {
class Bitmap;
class Image;
}  // namespace Gdiplus

class CMainFrame : public CBCGPMDIFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // ---- hand-over from other instances (CMainFrameHandOver.cpp) ----
    // The class name other instances find the main window by.
    static const TCHAR kWindowClassName[];
    // The frame's own message that opens the files handed over.
    static constexpr UINT kOpenQueuedFilesMessage = 0x0411;
    // Lets other instances of the program find this window and hand it files.
    BOOL ExposeToOtherInstances();

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Tool tips of toolbar buttons, the tip line of the command's string: a group button's is that of
    // the command it starts now; the selection mode's names the mode. FALSE leaves the library's tip.
    BOOL GetToolbarButtonToolTipText(CBCGPToolbarButton* pButton, CString& strTTText) override;
    // Popups fill their placeholders while they open: the toolbar list (33307, none while customising),
    // the drawings of the active document (39491, at most 20); the English interface drops the update
    // check (34951).
    BOOL OnShowPopupMenu(CBCGPPopupMenu* pMenuPopup) override;
    // A torn-off group or menu button gets its title by the toolbar's id.
    BOOL OnTearOffMenu(CBCGPPopupMenu* pMenuPopup, CBCGPControlBar* pBar) override;
    // A text without its bracketed access key "(&X)".
    static CString RemoveAccessKeyMarker(const CString& text);
    // The selection mode's drop-down button.
    static constexpr UINT kSelectionModeButton = 34126;

    // ---- help ----
    // The help topic for a help request of context dwContext: the running command's own topic
    // while one runs; the topic asked for when no command runs or the command is not in the
    // command table.
    DWORD GetCommandHelpContext(DWORD dwContext) const;
    // Opens the program's help at the topic dwData (nCmd 1) or at its contents (nCmd 3); the last
    // topic asked for is kept.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = 1);
    DWORD_PTR GetLastHelpContext() const { return m_dwLastHelpContext; }
    // Help through the help document; with no topic while the pointer asks for context help, that help.
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F);
    void SetContextHelpMode(BOOL bHelpMode) { m_bContextHelpMode = bHelpMode; }

    // ---- bars ----
    CQZ2MenuBar& GetMenuBarWnd() { return m_wndMenuBar; }
    CRibbonStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CBCGPToolBar* GetToolBarById(UINT nID);
    CCommandBar* GetCommandBar() const { return m_pCommandBar; }
    // The command bar as the docking bar it is.
    CBCGPDockingControlBar* GetCommandBarWnd() const;
    CPropertyBar* GetPropertyBar() const { return m_pPropertyBar; }
    CDrawingBar* GetDrawingBar() const { return m_pDrawingBar; }
    CLayerBar* GetLayerBar() const { return m_pLayerBar; }
    CDrawComponentBar* GetComponentBar() const { return m_pComponentBar; }
    CSkyViewBar* GetSkyViewBar() const { return m_pSkyViewBar; }

    // Shows (or hides) a bar, gives it the focus and brings it back on screen when it floats
    // off every monitor. FALSE when the bar has no window.
    BOOL ShowBar(CBCGPControlBar* pBar, BOOL bShow);
    BOOL ShowCommandBar(BOOL bShow);
    BOOL ShowPropertyBar(BOOL bShow);
    BOOL ShowDrawingBar(BOOL bShow);
    BOOL ShowLayerBar(BOOL bShow);
    BOOL ShowDrawComponentBar(BOOL bShow);
    BOOL ShowSkyViewBar(BOOL bShow);
    BOOL IsDrawComponentBarVisible() const;
    // The property bar empties itself when it shows objects of that kind.
    void ClearFeatureProperties(UINT nKind);
    // The property bar shows a copy of the object (NULL empties it) or copies of the objects; bShow
    // brings the bar up.
    void ShowFeatureProperties(QZ2Command::FeaturePropertyBase* pObject, BOOL bAdd, BOOL bShow);
    void ShowSelectionProperties(const CArray<QZ2Command::FeaturePropertyBase*>& objects, BOOL bAdd, BOOL bShow);
    // The objects of that kind (1 shapes, 2 layers, 3 drawings) went away: the bar lets go of them.
    void ReleasePropertyBarDocument(UINT nKind);
    // A drawing, or a part layout (nLayoutID not -1), shown in the property bar; FALSE when it cannot be.
    BOOL ShowDrawingProperties(Draw2dDocument* pModel, long nDrawingID, long nLayoutID, BOOL bShow);
    // A layer or layer group (-1: all layers) in the property bar; bShow brings the bar up.
    BOOL ShowLayerProperties(Draw2dDocument* pModel, long nLayerID, BOOL bShow);
    // The drawing view of the active document window; NULL when a table tab or no window is active.
    CQZ2View* GetActiveDrawView();
    void RefreshSkyView();
    void UpdateSkyView(int nCode, int* pData);
    static BOOL IsBarOnScreen(CBCGPControlBar* pBar);
    static void MoveBarOnScreen(CBCGPControlBar* pBar);

    // Switches the look while the program runs: 0 to 3 the 2007 styles, anything else the
    // program's own manager.
    void ChangeVisualStyle(int nStyle);

    // ---- group buttons ----
    // The command last chosen in the group, (UINT)-1 for an id that is no group button.
    UINT GetGroupButtonCommand(UINT nGroupID) const;
    void SetGroupButtonCommand(UINT nGroupID, UINT nCommandID);

    // ---- change records ----
    void BroadcastDocumentNotify(NotifyInfoBase* pInfo);

    // Special toolbar buttons (the attribute combos, the snap angle) stand in for plain buttons with their
    // ids: after a toolbar is loaded or reset, after the stored layout is read and when the customisation
    // sheet closes. The caller owns the button it passes; toolbars hold copies.
    void RestoreSpecialButtons();
    // The snap-angle fields show the option; the attribute combos are bound to the active document.
    void UpdateToolbarCombos();
    // Every snap-angle field shows the angle.
    static void ShowSnapAngle(double degrees);
    // A new special button for the id, NULL for an id without one: the drop-down menu buttons, the
    // combos and the group buttons.
    CBCGPToolbarButton* CreateSpecialButton(UINT nID);
    // A group button (33924-33941) showing the group's command, with its members as drop-down; NULL for
    // other ids.
    CBCGPToolbarButton* CreateGroupButton(UINT nID);
    // Every copy of the group button on any toolbar shows the group's command.
    void RefreshGroupButtons(UINT nGroupID);
    // Whether the program has the command: in a menu, on a toolbar, among the default keys or in the command
    // table. Stored keys of other commands are dropped when the layout is read.
    BOOL HasCommand(UINT nID);
    // The keyboard manager's filter of stored keys: TRUE keeps the key.
    static BOOL FilterStoredKey(CFrameWnd* pFrame, UINT nCmd);
    // Puts copies of the button in place of the toolbar's buttons with the id (those of the button's own
    // class stay unless bForce); the number replaced.
    int ReplaceToolbarButtons(CBCGPToolBar* pBar, UINT nID, const CBCGPToolbarButton* pButton, BOOL bForce);

    // ---- progress ----
    void ShowProgress(BOOL bShow, int nDisplayType, BOOL bCancellable, int nLower, int nUpper, BOOL bInfinite,
                      BOOL bWaitCursor);
    BOOL SetProgressRange(int nLower, int nUpper);
    BOOL SetProgressPos(int nPos);
    int GetProgressPos() const;
    void SetProgressText(const CString& strText);
    // Lets timers, painting and keys other than Escape run while a long operation keeps the thread
    // busy; Escape or a click on the cancel pane cancels. Other mouse input is dropped.
    void PumpProgressMessages();
    // Progress callback of the region search and the converters; user data is the frame.
    static BOOL OnProgress(NotifyProgressInfo* pInfo, void* pUserData);
    // TRUE from the begin of a progress display to its end.
    BOOL IsProgressShown() const { return m_bProgressShown; }
    BOOL IsProgressCancelled() const { return m_bProgressCancel; }
    BOOL IsProgressWaitCursor() const { return m_bProgressWaitCursor; }
    BOOL IsPointInCancelPane(CPoint ptScreen) const;

    // ---- status information ----
    // Shows the text across the status bar for the time given; (COLORREF)-1 gives white on blue.
    void SetStatusInformation(LPCWSTR lpszText, UINT nDurationMs, COLORREF clrText = static_cast<COLORREF>(-1),
                              COLORREF clrBack = static_cast<COLORREF>(-1));
    const CString& GetPendingInformation() const { return m_strPendingInformation; }

    // Where the frame keeps its layout and window place: "Software\...\Settings\".
    static CString GetSettingsPath();

    // ---- user-defined toolbars ----
    // The picture file of the user-defined buttons' images in the user's data folder; empty without one.
    static CString GetUserImagesPath();
    // A 24-bit copy of the picture at its size and resolution; NULL for no picture. The caller owns it.
    static Gdiplus::Bitmap* CopyImageAs24Bit(Gdiplus::Image* pImage);
    CBCGPToolBarImages& GetUserImages() { return m_UserImages; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    afx_msg LRESULT OnOpenQueuedFiles(WPARAM wParam, LPARAM lParam);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnResetToolbar(WPARAM wParam, LPARAM lParam);
    // (CMainFrameMenus.cpp) View > Customize and every toolbar's customise button: running commands end
    // and the customisation sheet opens.
    afx_msg void OnCustomize();
    // A new user toolbar gets the customise button.
    afx_msg LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    // The user toolbars of the toolbar list (59600-59699) show or hide.
    afx_msg void OnToggleUserToolbar(UINT nID);
    afx_msg void OnUpdateUserToolbar(CCmdUI* pCmdUI);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnShowBarCommand(UINT nID);
    afx_msg void OnShowSkyViewBarCommand();
    // The saved views (37071-37082) are the overview bar's, also when its toolbar is not clicked.
    afx_msg void OnSavedView(UINT nID);
    afx_msg void OnUpdateSavedView(CCmdUI* pCmdUI);
    afx_msg void OnToggleToolBar(UINT nID);
    afx_msg void OnUpdateToggleToolBar(CCmdUI* pCmdUI);
    afx_msg void OnEndCommand();
    afx_msg void OnUpdateEndCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCoordinatePane(CCmdUI* pCmdUI);
    afx_msg void OnToggleSnap();
    afx_msg void OnUpdateToggleSnap(CCmdUI* pCmdUI);
    afx_msg void OnToggleAngularSnap();
    afx_msg void OnUpdateToggleAngularSnap(CCmdUI* pCmdUI);
    afx_msg void OnSnapKind(UINT nID);
    // Tools > Options and Settings > Snap Settings, also with no drawing open.
    afx_msg void OnOptions(UINT nID);
    afx_msg void OnUpdateOptions(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSnapKind(CCmdUI* pCmdUI);
    afx_msg void OnSelectionShape(UINT nID);
    afx_msg void OnUpdateSelectionShape(CCmdUI* pCmdUI);
    afx_msg void OnSelectionPartSide(UINT nID);
    afx_msg void OnUpdateSelectionPartSide(CCmdUI* pCmdUI);
    afx_msg void OnCancelProgress();
    afx_msg void OnUpdateCancelProgress(CCmdUI* pCmdUI);
    afx_msg void OnShowInformation();
    afx_msg void OnUpdateInformationPane(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGuidancePane(CCmdUI* pCmdUI);
    // Steering of the running command (CMainFrameSteering.cpp).
    afx_msg void OnSteerEnter();
    afx_msg void OnUpdateSteerEnter(CCmdUI* pCmdUI);
    afx_msg void OnSteerClear();
    afx_msg void OnUpdateSteerClear(CCmdUI* pCmdUI);
    afx_msg void OnSteerModifier(UINT nID);
    afx_msg void OnSteerParameter(UINT nID);
    afx_msg void OnUpdateSteerParameter(CCmdUI* pCmdUI);
    afx_msg void OnSteerAlternative(UINT nID);
    afx_msg void OnUpdateSteerAlternative(CCmdUI* pCmdUI);
    afx_msg void OnSteerListChoice(UINT nID);
    afx_msg void OnUpdateSteerListChoice(CCmdUI* pCmdUI);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg void OnHelp();
    afx_msg void OnHelpFinder();
    // (CMainFrameServices.cpp)
    afx_msg void OnLayerFromSelection();
    afx_msg void OnUpdateSelectionPane(CCmdUI* pCmdUI);
    void InstallShellServices();
    void RemoveShellServices();

    BOOL CreateMenuBar();
    BOOL CreateToolBars();
    BOOL CreateAttributeToolBar();
    BOOL CreateStatusBar();
    void CreateDockingBars();
    void InitDockingLayout();
    // The user images (made from the defaults when missing or unreadable) and the user-defined toolbars.
    BOOL InitUserToolbars();
    void AddInformationPanes();
    void RemoveInformationPanes();
    void SaveFrameState();
    void LoadFramePlacement();
    // Step 2 of BroadcastDocumentNotify: the toolbar combos that the record concerns.
    void BroadcastToToolbarCombos(NotifyInfoBase* pInfo);
public:
    // The prompt of what the running command waits for; empty without one.
    CString GetGuidanceText() const;

protected:

    CQZ2MenuBar m_wndMenuBar;
    // The commands of the menus and default keys, gathered once (HasCommand).
    std::set<UINT> m_menuCommands;
    CQZ2ToolBar m_wndStandardBar;
    CQZ2ToolBar m_wndShapeBar;
    CQZ2ToolBar m_wndEditBar;
    CQZ2ToolBar m_wndViewBar;
    CQZ2ToolBar m_wndAttributeBar;
    CBCGPToolBarImages m_UserImages;
    CRibbonStatusBar m_wndStatusBar;
    BOOL m_bProgressCancel = FALSE;
    BOOL m_bProgressWaitCursor = FALSE;
    BOOL m_bProgressShown = FALSE;
    CString m_strPendingInformation;
    CPropertyBar* m_pPropertyBar = nullptr;
    CDrawingBar* m_pDrawingBar = nullptr;
    CLayerBar* m_pLayerBar = nullptr;
    CCommandBar* m_pCommandBar = nullptr;
    CDrawComponentBar* m_pComponentBar = nullptr;
    CSkyViewBar* m_pSkyViewBar = nullptr;
    std::map<UINT, UINT> m_groupButtons;
    BOOL m_bFrameStateSaved = FALSE;
    DWORD_PTR m_dwLastHelpContext = 0;
    // Files handed over by other instances, waiting for the frame's own message to open them.
    CStringArray m_queuedFiles;
    BOOL m_bContextHelpMode = FALSE;
};
