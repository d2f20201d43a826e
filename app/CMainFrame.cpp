#include "app/CMainFrame.h"

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2VisualManager.h"
#include "app/CSplashWnd.h"
#include "app/SystemEnvironment.h"
#include "command/CCommandBar.h"
#include "command/CCommandToolbarMenuButton.h"
#include "command/CommandBase.h"
#include "command/CommandInfo.h"
#include "command/CommandManager.h"
#include "command/ParameterItemBase.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CByteArray.h"
#include "platform/bcg/CBCGPButton.h"
#include "platform/bcg/CBCGPDockManager.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/bcg/CBCGPTabWnd.h"
#include "platform/bcg/CBCGPTabbedControlBar.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CBCGPToolbarComboBoxButton.h"
#include "platform/bcg/CBCGPVisualManager.h"
#include "platform/bcg/CBCGPVisualManager2007.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/bcg/CBCGPRibbonProgressBar.h"
#include "platform/bcg/CBCGPRibbonSeparator.h"
#include "platform/bcg/CBCGPWorkspace.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinConstants.h"
#include "platform/win/RemoteWindow.h"
#include "platform/win/WinSystem.h"
#include "property/CPropertyBar.h"
#include "property/ShapeFeaturePropertyBase.h"
#include "regionsearch/NotifyProgressInfo.h"
#include "app/CRibbonStatusBarPane.h"
#include "structure/CDrawComponentBar.h"
#include "structure/CDrawingBar.h"
#include "structure/CLayerBar.h"
#include "structure/CSkyViewBar.h"

#include <QtCore/QByteArray>
#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <vector>

namespace {

constexpr UINT kDocumentNotifyCode = 0x8064;

// Toolbars.
constexpr UINT ID_TOOLBAR_STANDARD = 59392;
constexpr UINT ID_TOOLBAR_SHAPE = 59473;
constexpr UINT ID_TOOLBAR_EDIT = 59474;
constexpr UINT ID_TOOLBAR_ATTRIBUTE = 59475;
constexpr UINT ID_TOOLBAR_VIEW = 59476;
constexpr UINT ID_MENUBAR = 59398;
constexpr UINT ID_STATUSBAR = 59393;
constexpr UINT ID_CUSTOMIZE = 34664;
constexpr UINT ID_WINDOWS_DIALOG = 34895;

// Docking bars.
constexpr UINT ID_BAR_COMMAND = 59424;
constexpr UINT ID_BAR_PROPERTY = 59425;
constexpr UINT ID_BAR_DRAWING = 59426;
constexpr UINT ID_BAR_LAYER = 59427;
constexpr UINT ID_BAR_COMPONENT = 59428;
constexpr UINT ID_BAR_SKYVIEW = 59429;

// Status bar elements.
constexpr UINT ID_PANE_GUIDANCE = 165;
constexpr UINT ID_PANE_PROGRESS_BAR = 166;
constexpr UINT ID_PANE_CANCEL = 167;
constexpr UINT ID_PANE_COORDINATES = 168;
constexpr UINT ID_PANE_SELECTION = 169;
constexpr UINT ID_PANE_PROGRESS_TEXT = 170;
constexpr UINT ID_PANE_ANIMATION = 171;
constexpr UINT ID_PANE_INFORMATION = 172;

// Bar commands.
constexpr UINT ID_SHOW_DRAWING_BAR = 33301;
constexpr UINT ID_SHOW_LAYER_BAR = 33302;
constexpr UINT ID_SHOW_COMMAND_BAR = 33303;
constexpr UINT ID_SHOW_PROPERTY_BAR = 33304;
constexpr UINT ID_SHOW_COMPONENT_BAR = 33305;
constexpr UINT ID_SHOW_SKYVIEW_BAR = 32312;
constexpr UINT ID_TOGGLE_VIEW_TOOLBAR = 33308;
constexpr UINT ID_TOGGLE_SHAPE_TOOLBAR = 33309;
constexpr UINT ID_TOGGLE_EDIT_TOOLBAR = 33310;
constexpr UINT ID_TOGGLE_ATTRIBUTE_TOOLBAR = 33311;
constexpr UINT ID_END_COMMAND = 37101;
constexpr UINT ID_SNAP_ENABLED = 34649;
constexpr UINT ID_SNAP_ANGULAR = 34662;
constexpr UINT ID_SNAP_ALL = 34660;
constexpr UINT ID_SNAP_NONE = 34661;

// The bit each snap-kind command toggles; 0 for the ids that set all or none.
DWORD SnapBitOf(UINT nID)
{
    switch (nID) {
    case 34650: return 0x40;
    case 34651: return 0x08;
    case 34652: return 0x02;
    case 34653: return 0x10;
    case 34654: return 0x04;
    case 34655: return 0x20;
    case 34656: return 0x01;
    case 34657: return 0x200;
    case 34658: return 0x100;
    case 34659: return 0x80;
    case 34666: return 0x400;
    case 34667: return 0x800;
    case 34668: return 0x1000;
    default: return 0;
    }
}

int SelectionShapeOf(UINT nID)
{
    static const int kModes[] = {1, 2, 8, 16};
    return nID >= 34127 && nID <= 34130 ? kModes[nID - 34127] : 0;
}

constexpr WPARAM kIconSmall = 0;
constexpr UINT kHelpContext = 1;
constexpr UINT kHelpContents = 3;
constexpr DWORD kCommandHelpBase = 0x10000;
constexpr UINT ID_HELP_CMD = 57670;
constexpr UINT ID_HELP_FINDER_CMD = 57667;
constexpr UINT ID_DEFAULT_HELP_CMD = 57671;
constexpr UINT IDP_FAILED_TO_LAUNCH_HELP = 61703;
constexpr UINT_PTR kInformationTimer = 1;
constexpr COLORREF kNoColour = static_cast<COLORREF>(-1);
constexpr COLORREF kInfoText = RGB(255, 255, 255);
constexpr COLORREF kInfoBack = RGB(0, 0, 255);

// Group button -> the command it starts until the user picks another member of the group.
constexpr UINT kGroupDefaults[][2] = {
    {33924, 33412}, {33925, 33433}, {33926, 33502}, {33927, 33442}, {33928, 33462}, {33929, 33513},
    {33930, 33552}, {33931, 33572}, {33932, 33723}, {33933, 33724}, {33934, 33753}, {33935, 33823},
    {33936, 33402}, {33937, 33432}, {33938, 33560}, {33939, 33566}, {33940, 33580}, {33941, 33532},
};

// The layout as the frame stores it; other stored layouts are not applied.
constexpr int kPlacementVersion = 1;
constexpr INT_PTR kMaxPlacementBytes = 4096;

SystemEnvironment* GetOptions()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetSystemEnvironment() : nullptr;
}

QZ2Command::CommandManager* GetManager()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetCommandManager() : nullptr;
}

constexpr UINT ID_EDIT_CLEAR_CMD = 57632;
constexpr UINT ID_EDIT_COPY_CMD = 57634;
constexpr UINT ID_EDIT_CUT_CMD = 57635;
constexpr UINT ID_EDIT_PASTE_CMD = 57637;
constexpr UINT ID_EDIT_UNDO_CMD = 57643;

// An edit control (and, when asked, a combo box or a forms control) by its window class.
bool IsEditWindow(HWND hWnd, BOOL bWithCombo = FALSE)
{
    if (hWnd == nullptr)
        return false;
    TCHAR name[257] = {};
    if (::GetClassName(hWnd, name, 256) <= 0)
        return false;
    const CString cls(name);
    if (cls.CompareNoCase(u"EDIT") == 0)
        return true;
    return bWithCombo && (cls.CompareNoCase(u"COMBOBOX") == 0 || cls.Left(11) == u"WindowsForm");
}

CString Underscores(int n)
{
    CString s;
    for (int i = 0; i < n; ++i)
        s += u'_';
    return s;
}

template <class TBar>
TBar* CreateDockingBar(CMainFrame* pFrame, UINT nCaption, UINT nID, int cx, int cy, DWORD dwSide, UINT nIcon)
{
    auto* pBar = new TBar;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_FLOAT_MULTI | dwSide;
    if (!pBar->Create(LoadResourceString(nCaption), pFrame, CRect(0, 0, cx, cy), TRUE, nID, dwStyle, 0x20, 0xF)) {
        delete pBar;
        return nullptr;
    }
    // The small icon shows on the bar's tab and caption.
    CWinApp* pApp = AfxGetApp();
    if (HICON hIcon = nIcon != 0 && pApp != nullptr ? pApp->LoadIcon(nIcon) : nullptr)
        pBar->SendMessage(WM_SETICON, kIconSmall, reinterpret_cast<LPARAM>(hIcon));
    return pBar;
}

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CBCGPMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CBCGPMDIFrameWnd)
    ON_WM_CREATE()
    ON_REGISTERED_MESSAGE(BCGM_RESETTOOLBAR, &CMainFrame::OnResetToolbar)
    ON_REGISTERED_MESSAGE(BCGM_CREATETOOLBAR, &CMainFrame::OnToolbarCreateNew)
    ON_COMMAND(ID_CUSTOMIZE, &CMainFrame::OnCustomize)
    ON_COMMAND_RANGE(59600, 59699, &CMainFrame::OnToggleUserToolbar)
    ON_UPDATE_COMMAND_UI_RANGE(59600, 59699, &CMainFrame::OnUpdateUserToolbar)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_COPYDATA()
    ON_MESSAGE(kOpenQueuedFilesMessage, &CMainFrame::OnOpenQueuedFiles)
    ON_COMMAND(ID_SHOW_SKYVIEW_BAR, &CMainFrame::OnShowSkyViewBarCommand)
    ON_COMMAND_RANGE(37071, 37082, &CMainFrame::OnSavedView)
    ON_UPDATE_COMMAND_UI_RANGE(37071, 37082, &CMainFrame::OnUpdateSavedView)
    ON_COMMAND_RANGE(ID_SHOW_DRAWING_BAR, ID_SHOW_COMPONENT_BAR, &CMainFrame::OnShowBarCommand)
    ON_COMMAND_RANGE(ID_TOGGLE_VIEW_TOOLBAR, ID_TOGGLE_ATTRIBUTE_TOOLBAR, &CMainFrame::OnToggleToolBar)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TOGGLE_VIEW_TOOLBAR, ID_TOGGLE_ATTRIBUTE_TOOLBAR, &CMainFrame::OnUpdateToggleToolBar)
    ON_COMMAND(ID_END_COMMAND, &CMainFrame::OnEndCommand)
    ON_UPDATE_COMMAND_UI(ID_END_COMMAND, &CMainFrame::OnUpdateEndCommand)
    ON_UPDATE_COMMAND_UI(ID_PANE_COORDINATES, &CMainFrame::OnUpdateCoordinatePane)
    ON_UPDATE_COMMAND_UI(ID_PANE_SELECTION, &CMainFrame::OnUpdateSelectionPane)
    ON_COMMAND(34247, &CMainFrame::OnLayerFromSelection)
    ON_COMMAND(ID_SNAP_ENABLED, &CMainFrame::OnToggleSnap)
    ON_UPDATE_COMMAND_UI(ID_SNAP_ENABLED, &CMainFrame::OnUpdateToggleSnap)
    ON_COMMAND(ID_SNAP_ANGULAR, &CMainFrame::OnToggleAngularSnap)
    ON_UPDATE_COMMAND_UI(ID_SNAP_ANGULAR, &CMainFrame::OnUpdateToggleAngularSnap)
    ON_COMMAND_RANGE(34644, 34645, &CMainFrame::OnOptions)
    ON_COMMAND_RANGE(34998, 34998, &CMainFrame::OnOptions)  // the add-in manager, nested the same way
    ON_UPDATE_COMMAND_UI_RANGE(34644, 34645, &CMainFrame::OnUpdateOptions)
    ON_COMMAND_RANGE(34650, 34661, &CMainFrame::OnSnapKind)
    ON_COMMAND_RANGE(34666, 34668, &CMainFrame::OnSnapKind)
    ON_UPDATE_COMMAND_UI_RANGE(34650, 34659, &CMainFrame::OnUpdateSnapKind)
    ON_UPDATE_COMMAND_UI_RANGE(34666, 34668, &CMainFrame::OnUpdateSnapKind)
    ON_COMMAND_RANGE(34127, 34130, &CMainFrame::OnSelectionShape)
    ON_UPDATE_COMMAND_UI_RANGE(34127, 34130, &CMainFrame::OnUpdateSelectionShape)
    ON_COMMAND_RANGE(34136, 34139, &CMainFrame::OnSelectionPartSide)
    ON_UPDATE_COMMAND_UI_RANGE(34136, 34139, &CMainFrame::OnUpdateSelectionPartSide)
    ON_COMMAND(ID_PANE_CANCEL, &CMainFrame::OnCancelProgress)
    ON_UPDATE_COMMAND_UI(ID_PANE_CANCEL, &CMainFrame::OnUpdateCancelProgress)
    ON_COMMAND(ID_PANE_INFORMATION, &CMainFrame::OnShowInformation)
    ON_UPDATE_COMMAND_UI(ID_PANE_INFORMATION, &CMainFrame::OnUpdateInformationPane)
    ON_UPDATE_COMMAND_UI(ID_PANE_GUIDANCE, &CMainFrame::OnUpdateGuidancePane)
    ON_MESSAGE(WM_COMMANDHELP, &CMainFrame::OnCommandHelp)
    ON_COMMAND(ID_HELP_CMD, &CMainFrame::OnHelp)
    ON_COMMAND(ID_HELP_FINDER_CMD, &CMainFrame::OnHelpFinder)
    ON_COMMAND(ID_DEFAULT_HELP_CMD, &CMainFrame::OnHelpFinder)
    ON_COMMAND(37102, &CMainFrame::OnSteerEnter)
    ON_UPDATE_COMMAND_UI(37102, &CMainFrame::OnUpdateSteerEnter)
    ON_COMMAND(37103, &CMainFrame::OnSteerClear)
    ON_UPDATE_COMMAND_UI(37103, &CMainFrame::OnUpdateSteerClear)
    ON_COMMAND_RANGE(37152, 37202, &CMainFrame::OnSteerModifier)
    ON_COMMAND_RANGE(39222, 39231, &CMainFrame::OnSteerParameter)
    ON_UPDATE_COMMAND_UI_RANGE(39222, 39231, &CMainFrame::OnUpdateSteerParameter)
    ON_COMMAND_RANGE(39252, 39352, &CMainFrame::OnSteerAlternative)
    ON_UPDATE_COMMAND_UI_RANGE(39252, 39352, &CMainFrame::OnUpdateSteerAlternative)
    ON_COMMAND_RANGE(39362, 39462, &CMainFrame::OnSteerListChoice)
    ON_UPDATE_COMMAND_UI_RANGE(39362, 39462, &CMainFrame::OnUpdateSteerListChoice)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    for (const auto& entry : kGroupDefaults)
        m_groupButtons[entry[0]] = entry[1];
}

CMainFrame::~CMainFrame()
{
    if (CBCGPToolBar::GetUserImages() == &m_UserImages)
        CBCGPToolBar::SetUserImages(nullptr);
    // Bars whose window never came (or a frame destroyed without OnDestroy) are freed here.
    delete m_pLayerBar;
    delete m_pDrawingBar;
    delete m_pCommandBar;
    delete m_pPropertyBar;
    delete m_pComponentBar;
    delete m_pSkyViewBar;
}

// ---- creation --------------------------------------------------------------------------------

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    RECT work{};
    if (SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0)) {
        const int dx = (work.right - work.left) / 25;
        const int dy = (work.bottom - work.top) / 25;
        cs.x = work.left + dx;
        cs.y = work.top + dy;
        cs.cx = (work.right - work.left) - 2 * dx;
        cs.cy = (work.bottom - work.top) - 2 * dy;
    }
    return CBCGPMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_strTitle = LoadResourceString(AFX_IDS_APP_TITLE);
    if (!CBCGPMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // Without the library's workspace the frame keeps its layout itself.
    if (CBCGPWorkspace::GetInstance() == nullptr)
        LoadBarState(GetSettingsPath());
    LoadFramePlacement();
    RestoreSpecialButtons();
    UpdateToolbarCombos();
    // The menu bar cannot stay hidden across a restart.
    if (m_wndMenuBar.GetSafeHwnd() != nullptr && !m_wndMenuBar.IsVisible())
        ShowControlBar(&m_wndMenuBar, TRUE, FALSE, TRUE);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CBCGPDockingControlBar::m_bDisableAnimation = TRUE;

    if (SystemEnvironment* pOptions = GetOptions()) {
        const int nStyle = pOptions->m_VisualStyle;
        if (nStyle >= 0 && nStyle <= 3) {
            CBCGPVisualManager2007::SetStyle(static_cast<CBCGPVisualManager2007::Style>(nStyle));
            CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2007));
        } else if (nStyle == 4) {
            CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CQZ2VisualManager));
        }
    }
    CBCGPToolbarComboBoxButton::SetFlatMode(TRUE);
    CBCGPButton::EnableWinXPTheme(TRUE);
    CBCGPTabbedControlBar::EnableTabAutoColor(TRUE);
    CBCGPPopupMenu::SetForceMenuFocus(FALSE);
    CBCGPPopupMenu::SetSendMenuSelectMsg(TRUE);
    CBCGPDockManager::SetDockMode(DT_SMART);
    CBCGPToolBar::AddToolBarForImageCollection(110, 413);
    CBCGPToolBar::AddToolBarForImageCollection(310, 153);
    CBCGPToolBar::AddToolBarForImageCollection(314, 164);
    CBCGPToolBar::AddToolBarForImageCollection(311);
    CBCGPToolBar::AddToolBarForImageCollection(312);
    CSplashWnd::ShowSplashScreen(this);

    CreateMenuBar();
    CreateToolBars();
    CreateAttributeToolBar();
    CreateStatusBar();
    CreateDockingBars();

    if (QZ2Command::CommandManager* pManager = GetManager()) {
        pManager->SetCommandBar(m_pCommandBar);
        pManager->SetPropertyBar(m_pPropertyBar);
        pManager->SetMainFrame(this);
    }
    InstallShellServices();
    if (m_pCommandBar != nullptr)
        m_pCommandBar->SetCommandManager(GetManager());
    if (m_pPropertyBar != nullptr) {
        m_pPropertyBar->SetCommandManager(GetManager());
        m_pPropertyBar->SetMainFrame(this);
        // Style sizes of shapes follow the part layout of the manager's view.
        QZ2Command::ShapeFeaturePropertyBase::SetCommandManager(GetManager());
    }
    if (m_pLayerBar != nullptr)
        m_pLayerBar->SetMainFrame(this);
    if (m_pDrawingBar != nullptr)
        m_pDrawingBar->SetMainFrame(this);
    if (m_pComponentBar != nullptr)
        m_pComponentBar->SetMainFrame(this);

    InitDockingLayout();
    InitUserToolbars();
    EnableWindowsDialog(ID_WINDOWS_DIALOG, 10269, TRUE, FALSE);
    // The standard toolbar shows its hot images.
    if (m_wndStandardBar.GetSafeHwnd() != nullptr)
        m_wndStandardBar.LoadBitmap(413);
    ExposeToOtherInstances();
    return 0;
}

BOOL CMainFrame::CreateMenuBar()
{
    if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, ID_MENUBAR))
        return FALSE;
    m_wndMenuBar.SetBarStyle(m_wndMenuBar.GetBarStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    return TRUE;
}

BOOL CMainFrame::CreateToolBars()
{
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                          CBRS_SIZE_DYNAMIC;
    if (!m_wndStandardBar.CreateEx(this, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), ID_TOOLBAR_STANDARD) ||
        !m_wndStandardBar.LoadToolBar(110, 0, 0, FALSE, 0, 0, 413))
        return FALSE;
    m_wndStandardBar.SetWindowText(LoadResourceString(10300));
    m_wndStandardBar.EnableCustomizeButton(TRUE, ID_CUSTOMIZE, ID_CUSTOMIZE, TRUE);

    struct Row {
        CBCGPToolBar* pBar;
        UINT nID;
        UINT nResource;
        UINT nTitle;
    };
    const Row rows[] = {{&m_wndShapeBar, ID_TOOLBAR_SHAPE, 305, 10301},
                        {&m_wndEditBar, ID_TOOLBAR_EDIT, 306, 10143},
                        {&m_wndViewBar, ID_TOOLBAR_VIEW, 308, 10144}};
    for (const Row& row : rows) {
        if (!row.pBar->Create(this, dwStyle | CBRS_BORDER_3D | CBRS_HIDE_INPLACE, row.nID) ||
            !row.pBar->LoadToolBar(row.nResource))
            return FALSE;
        row.pBar->SetWindowText(LoadResourceString(row.nTitle));
        row.pBar->EnableCustomizeButton(TRUE, ID_CUSTOMIZE, ID_CUSTOMIZE, TRUE);
    }
    return TRUE;
}

BOOL CMainFrame::CreateAttributeToolBar()
{
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                          CBRS_SIZE_DYNAMIC | CBRS_BORDER_3D | CBRS_HIDE_INPLACE;
    if (!m_wndAttributeBar.Create(this, dwStyle, ID_TOOLBAR_ATTRIBUTE) || !m_wndAttributeBar.LoadToolBar(307))
        return FALSE;
    m_wndAttributeBar.SetWindowText(LoadResourceString(10302));
    m_wndAttributeBar.EnableCustomizeButton(TRUE, ID_CUSTOMIZE, ID_CUSTOMIZE, TRUE);
    return TRUE;
}

BOOL CMainFrame::CreateStatusBar()
{
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, ID_STATUSBAR))
        return FALSE;
    AddInformationPanes();
    m_wndStatusBar.AddExtendedElement(
        new CRibbonStatusBarPane(ID_PANE_COORDINATES, u"x, y", TRUE, nullptr, u"x = xx.xxxxxxxx, y = yy.yyyyyyyy"),
        LoadResourceString(10294));
    m_wndStatusBar.AddExtendedElement(new CBCGPRibbonSeparator, u"");
    m_wndStatusBar.AddExtendedElement(
        new CRibbonStatusBarPane(ID_PANE_SELECTION, u" ", TRUE, nullptr, LoadResourceString(10295)),
        LoadResourceString(10162));
    return TRUE;
}

void CMainFrame::CreateDockingBars()
{
    RECT work{};
    const int nPropertyHeight =
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0) ? static_cast<int>(work.bottom - work.top) : 300;

    m_pCommandBar = CreateDockingBar<CCommandBar>(this, 10293, ID_BAR_COMMAND, 200, 200, CBRS_RIGHT, 453);
    // Group buttons show the command last chosen from their group.
    CCommandToolbarMenuButton::s_pGroupCommand = &CQZ2Doc::GetGroupButtonCommand;
    // Stored keys of commands this program no longer has are dropped.
    CBCGPKeyboardManager::SetCommandFilter(&CMainFrame::FilterStoredKey);
    m_pPropertyBar = CreateDockingBar<CPropertyBar>(this, 10303, ID_BAR_PROPERTY, 200, nPropertyHeight, CBRS_RIGHT, 450);
    m_pDrawingBar = CreateDockingBar<CDrawingBar>(this, 11547, ID_BAR_DRAWING, 200, 200, CBRS_LEFT, 452);
    m_pLayerBar = CreateDockingBar<CLayerBar>(this, 10795, ID_BAR_LAYER, 200, 200, CBRS_LEFT, 451);
    m_pComponentBar = CreateDockingBar<CDrawComponentBar>(this, 11546, ID_BAR_COMPONENT, 200, 200, CBRS_LEFT, 454);
    m_pSkyViewBar = CreateDockingBar<CSkyViewBar>(this, 10313, ID_BAR_SKYVIEW, 200, 300, CBRS_LEFT, 0);
}

void CMainFrame::InitDockingLayout()
{
    CBCGPControlBar* const bars[] = {&m_wndMenuBar,  &m_wndStandardBar, &m_wndShapeBar,  &m_wndEditBar,
                                     &m_wndViewBar,  &m_wndAttributeBar, m_pCommandBar, m_pPropertyBar,
                                     m_pDrawingBar,  m_pLayerBar,        m_pComponentBar,  m_pSkyViewBar};
    for (CBCGPControlBar* pBar : bars)
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
            pBar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    EnableAutoHideBars(CBRS_ALIGN_ANY);

    auto exists = [](CBCGPControlBar* pBar) { return pBar != nullptr && pBar->GetSafeHwnd() != nullptr; };
    if (exists(&m_wndMenuBar))
        DockControlBar(&m_wndMenuBar);
    if (exists(&m_wndAttributeBar))
        DockControlBar(&m_wndAttributeBar);
    if (exists(&m_wndStandardBar)) {
        if (exists(&m_wndAttributeBar))
            DockControlBarLeftOf(&m_wndStandardBar, &m_wndAttributeBar);
        else
            DockControlBar(&m_wndStandardBar);
    }
    if (exists(&m_wndViewBar))
        DockControlBar(&m_wndViewBar);
    if (exists(&m_wndEditBar) && exists(&m_wndViewBar))
        DockControlBarLeftOf(&m_wndEditBar, &m_wndViewBar);
    if (exists(&m_wndShapeBar) && exists(&m_wndEditBar))
        DockControlBarLeftOf(&m_wndShapeBar, &m_wndEditBar);

    if (exists(m_pLayerBar))
        DockControlBar(m_pLayerBar);
    if (exists(m_pCommandBar))
        DockControlBar(m_pCommandBar);
    if (exists(m_pPropertyBar) && exists(m_pLayerBar))
        m_pPropertyBar->DockToWindow(m_pLayerBar, CBRS_ALIGN_BOTTOM);
    if (exists(m_pSkyViewBar) && exists(m_pCommandBar))
        m_pSkyViewBar->DockToWindow(m_pCommandBar, CBRS_ALIGN_BOTTOM);
    if (exists(m_pLayerBar)) {
        CBCGPDockingControlBar* pTabbed = nullptr;
        if (exists(m_pDrawingBar))
            m_pDrawingBar->AttachToTabWnd(m_pLayerBar, DM_SHOW, FALSE, &pTabbed);
        if (exists(m_pComponentBar))
            m_pComponentBar->AttachToTabWnd(pTabbed != nullptr ? pTabbed : m_pLayerBar, DM_SHOW, FALSE, &pTabbed);
    }
}

CBCGPDockingControlBar* CMainFrame::GetCommandBarWnd() const
{
    return m_pCommandBar;
}

CBCGPToolBar* CMainFrame::GetToolBarById(UINT nID)
{
    return DYNAMIC_DOWNCAST(CBCGPToolBar, GetControlBar(nID));
}

void CMainFrame::ChangeVisualStyle(int nStyle)
{
    LockWindowUpdate();
    CBCGPTabbedControlBar::m_StyleTabWnd = CBCGPTabWnd::STYLE_3D;
    if (nStyle >= 0 && nStyle <= 3) {
        CBCGPVisualManager2007::SetStyle(static_cast<CBCGPVisualManager2007::Style>(nStyle));
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2007));
    } else {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CQZ2VisualManager));
    }
    CBCGPDockManager::SetDockMode(DT_SMART);
    CBCGPControlBar* const bars[] = {m_pPropertyBar, m_pDrawingBar, m_pLayerBar, m_pCommandBar, m_pComponentBar,
                                     m_pSkyViewBar};
    for (CBCGPControlBar* pBar : bars)
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
            pBar->SendMessage(WM_SIZE);
    UnlockWindowUpdate();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---- stored state ----------------------------------------------------------------------------

CString CMainFrame::GetSettingsPath()
{
    CString path(u"Software\\");
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pszRegistryKey != nullptr && *pApp->m_pszRegistryKey != 0) {
        path += pApp->m_pszRegistryKey;
        path += u"\\";
    }
    if (pApp != nullptr && pApp->m_pszProfileName != nullptr && *pApp->m_pszProfileName != 0)
        path += pApp->m_pszProfileName;
    else
        path += u"Korvan";
    path += u"\\Settings\\";
    return path;
}

void CMainFrame::SaveFrameState()
{
    if (m_bFrameStateSaved || GetSafeHwnd() == nullptr)
        return;
    m_bFrameStateSaved = TRUE;
    const CString path = GetSettingsPath();
    if (CBCGPWorkspace::GetInstance() == nullptr)
        SaveBarState(path);
    QWidget* pWidget = GetQWidget();
    if (pWidget == nullptr)
        return;
    // Qt's own record of the place keeps the maximized state and is checked against the screens
    // when it is applied.
    const QByteArray geometry = pWidget->saveGeometry();
    CByteArray bytes;
    bytes.SetSize(geometry.size());
    if (!geometry.isEmpty())
        std::copy(geometry.begin(), geometry.end(), reinterpret_cast<char*>(bytes.GetData()));
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
    if (!reg.CreateKey(path + u"MainFrame"))
        return;
    reg.Write(u"Version", kPlacementVersion);
    reg.Write(u"Placement", bytes);
}

void CMainFrame::LoadFramePlacement()
{
    QWidget* pWidget = GetQWidget();
    if (pWidget == nullptr)
        return;
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, TRUE);
    if (!reg.Open(GetSettingsPath() + u"MainFrame"))
        return;
    int version = 0;
    CByteArray bytes;
    // A record of another version or of an absurd size is not applied: the first place stands.
    if (!reg.Read(u"Version", version) || version != kPlacementVersion || !reg.Read(u"Placement", bytes) ||
        bytes.GetSize() == 0 || bytes.GetSize() > kMaxPlacementBytes)
        return;
    const QByteArray geometry(reinterpret_cast<const char*>(bytes.GetData()), static_cast<qsizetype>(bytes.GetSize()));
    pWidget->restoreGeometry(geometry);
}

// ---- closing ---------------------------------------------------------------------------------

void CMainFrame::OnClose()
{
    // A long operation runs on the stack below the progress pump: it finishes or is cancelled first.
    if (m_bProgressShown)
        return;
    SaveFrameState();
    CBCGPMDIFrameWnd::OnClose();
}

void CMainFrame::OnDestroy()
{
    if (QZ2Command::CommandManager* pManager = GetManager()) {
        pManager->SetCommandBar(nullptr);
        pManager->SetPropertyBar(nullptr);
        pManager->SetDocument(nullptr, nullptr);
        pManager->SetActiveView(nullptr);
        pManager->SetMainFrame(nullptr);
    }
    RemoveShellServices();
    RemoteWindow::Unexpose(GetSafeHwnd());
    SaveFrameState();
    KillTimer(kInformationTimer);
    CBCGPMDIFrameWnd::OnDestroy();

    delete m_pLayerBar;
    m_pLayerBar = nullptr;
    delete m_pDrawingBar;
    m_pDrawingBar = nullptr;
    delete m_pCommandBar;
    m_pCommandBar = nullptr;
    delete m_pPropertyBar;
    m_pPropertyBar = nullptr;
    delete m_pComponentBar;
    m_pComponentBar = nullptr;
    delete m_pSkyViewBar;
    m_pSkyViewBar = nullptr;
}

// ---- commands and records --------------------------------------------------------------------

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // While a long operation runs only its cancel pane takes commands: nothing else may start.
    if (m_bProgressShown && LOWORD(wParam) != ID_PANE_CANCEL)
        return TRUE;
    // The command bar's own commands (step back, input options, the jumps to a row of a kind ...).
    if (LOWORD(wParam) >= 37104 && LOWORD(wParam) <= 37151 && m_pCommandBar != nullptr &&
        m_pCommandBar->GetSafeHwnd() != nullptr) {
        m_pCommandBar->SendMessage(WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
        return TRUE;
    }
    // The edit accelerators act on an edit control that has the focus, not on the drawing.
    if (HIWORD(wParam) == 1 && IsEditWindow(::GetFocus())) {
        UINT nMessage = 0;
        switch (LOWORD(wParam)) {
        case ID_EDIT_CLEAR_CMD: nMessage = WM_CLEAR; break;
        case ID_EDIT_COPY_CMD: nMessage = WM_COPY; break;
        case ID_EDIT_CUT_CMD: nMessage = WM_CUT; break;
        case ID_EDIT_PASTE_CMD: nMessage = WM_PASTE; break;
        case ID_EDIT_UNDO_CMD: nMessage = WM_UNDO; break;
        default: break;
        }
        if (nMessage != 0) {
            ::SendMessage(::GetFocus(), nMessage, 0, 0);
            return TRUE;
        }
    }
    return CBCGPMDIFrameWnd::OnCommand(wParam, lParam);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN &&
        !(pMsg->wParam == VK_TAB && (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0)) {
        // Keys typed into an edit field or a combo box go there untranslated: no accelerator fires.
        if (IsEditWindow(::GetFocus(), TRUE))
            return FALSE;
    }
    return CBCGPMDIFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (QZ2Command::CommandManager* pManager = GetManager())
            pManager->OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    default:
        break;
    }
    CBCGPMDIFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CMainFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != nullptr && pHdr->code == kDocumentNotifyCode) {
        // The record pointer follows the header.
        struct Record {
            NMHDR hdr;
            NotifyInfoBase* pInfo;
        };
        BroadcastDocumentNotify(reinterpret_cast<const Record*>(lParam)->pInfo);
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CBCGPMDIFrameWnd::OnNotify(wParam, lParam, pResult);
}

void CMainFrame::BroadcastDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    if (m_pLayerBar != nullptr && m_pLayerBar->GetSafeHwnd() != nullptr)
        m_pLayerBar->OnDocumentNotify(pInfo);
    if (m_pDrawingBar != nullptr && m_pDrawingBar->GetSafeHwnd() != nullptr)
        m_pDrawingBar->OnDocumentNotify(pInfo);
    if (m_pPropertyBar != nullptr && m_pPropertyBar->GetSafeHwnd() != nullptr)
        m_pPropertyBar->OnDocumentNotify(pInfo);
    if (m_pComponentBar != nullptr && m_pComponentBar->GetSafeHwnd() != nullptr)
        m_pComponentBar->OnDocumentNotify(pInfo);
    if (m_pSkyViewBar != nullptr && m_pSkyViewBar->GetSafeHwnd() != nullptr)
        m_pSkyViewBar->OnDocumentNotify(pInfo);
    BroadcastToToolbarCombos(pInfo);
}

// ---- bars shown on demand ---------------------------------------------------------------------

BOOL CMainFrame::ShowBar(CBCGPControlBar* pBar, BOOL bShow)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return FALSE;
    ShowControlBar(pBar, bShow, FALSE, TRUE);
    pBar->SetFocus();
    RecalcLayout();
    if (!IsBarOnScreen(pBar))
        MoveBarOnScreen(pBar);
    return TRUE;
}

BOOL CMainFrame::ShowCommandBar(BOOL bShow) { return ShowBar(m_pCommandBar, bShow); }
BOOL CMainFrame::ShowPropertyBar(BOOL bShow) { return ShowBar(m_pPropertyBar, bShow); }
BOOL CMainFrame::ShowDrawingBar(BOOL bShow) { return ShowBar(m_pDrawingBar, bShow); }
BOOL CMainFrame::ShowLayerBar(BOOL bShow) { return ShowBar(m_pLayerBar, bShow); }
BOOL CMainFrame::ShowDrawComponentBar(BOOL bShow) { return ShowBar(m_pComponentBar, bShow); }
BOOL CMainFrame::ShowSkyViewBar(BOOL bShow) { return ShowBar(m_pSkyViewBar, bShow); }

BOOL CMainFrame::IsDrawComponentBarVisible() const
{
    return m_pComponentBar != nullptr && m_pComponentBar->GetSafeHwnd() != nullptr && m_pComponentBar->IsVisible();
}

void CMainFrame::ClearFeatureProperties(UINT nKind)
{
    if (m_pPropertyBar != nullptr)
        m_pPropertyBar->ClearFeatureProperties(nKind);
}

void CMainFrame::RefreshSkyView()
{
    if (m_pSkyViewBar != nullptr && m_pSkyViewBar->GetSafeHwnd() != nullptr)
        m_pSkyViewBar->InvalidateView();
}

void CMainFrame::UpdateSkyView(int nCode, int* pData)
{
    if (m_pSkyViewBar != nullptr && m_pSkyViewBar->GetSafeHwnd() != nullptr)
        m_pSkyViewBar->UpdateView(nCode, pData);
}

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfo(hMonitor, &info))
        reinterpret_cast<std::vector<CRect>*>(lParam)->push_back(CRect(info.rcMonitor));
    return TRUE;
}

}  // namespace

BOOL CMainFrame::IsBarOnScreen(CBCGPControlBar* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return FALSE;
    if (pBar->IsAutoHideMode())
        return TRUE;
    CRect rect;
    pBar->GetWindowRect(&rect);
    if (rect.Width() < 20 || rect.Height() < 20)
        return FALSE;
    if (!pBar->IsFloating())
        return TRUE;
    std::vector<CRect> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    const CPoint centre(rect.right - rect.Width() / 2, rect.bottom - rect.Height() / 2);
    for (const CRect& monitor : monitors)
        if (monitor.PtInRect(centre))
            return TRUE;
    return FALSE;
}

void CMainFrame::MoveBarOnScreen(CBCGPControlBar* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    HMONITOR hMonitor = ::MonitorFromWindow(pBar->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (hMonitor == nullptr || !::GetMonitorInfo(hMonitor, &info))
        return;
    const CPoint centre = CRect(info.rcMonitor).CenterPoint();
    const CRect target(centre.x - 160, centre.y - 120, centre.x + 160, centre.y + 120);
    if (!pBar->IsFloating()) {
        if (CWnd* pFrame = pBar->GetDockSiteFrameWnd())
            static_cast<CMainFrame*>(pFrame)->ShowControlBar(pBar, TRUE, FALSE, TRUE);
        if (auto* pDocking = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, pBar))
            pDocking->DetachFromTabs();
        pBar->FloatControlBar(target, 0, true);
    }
    if (CWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE))
        pMiniFrame->MoveWindow(target.left, target.top, 320, 240, TRUE);
}

void CMainFrame::OnShowBarCommand(UINT nID)
{
    switch (nID) {
    case ID_SHOW_DRAWING_BAR: ShowDrawingBar(TRUE); break;
    case ID_SHOW_LAYER_BAR: ShowLayerBar(TRUE); break;
    case ID_SHOW_COMMAND_BAR: ShowCommandBar(TRUE); break;
    case ID_SHOW_PROPERTY_BAR: ShowPropertyBar(TRUE); break;
    case ID_SHOW_COMPONENT_BAR: ShowDrawComponentBar(TRUE); break;
    default: break;
    }
}

void CMainFrame::OnShowSkyViewBarCommand()
{
    ShowSkyViewBar(TRUE);
}

namespace {

UINT ToolBarOfToggle(UINT nID)
{
    switch (nID) {
    case ID_TOGGLE_VIEW_TOOLBAR: return ID_TOOLBAR_VIEW;
    case ID_TOGGLE_SHAPE_TOOLBAR: return ID_TOOLBAR_SHAPE;
    case ID_TOGGLE_EDIT_TOOLBAR: return ID_TOOLBAR_EDIT;
    case ID_TOGGLE_ATTRIBUTE_TOOLBAR: return ID_TOOLBAR_ATTRIBUTE;
    default: return 0;
    }
}

}  // namespace

void CMainFrame::OnToggleToolBar(UINT nID)
{
    CBCGPToolBar* pBar = GetToolBarById(ToolBarOfToggle(nID));
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        ShowControlBar(pBar, !pBar->IsVisible(), FALSE, FALSE);
}

void CMainFrame::OnUpdateToggleToolBar(CCmdUI* pCmdUI)
{
    CBCGPToolBar* pBar = GetToolBarById(ToolBarOfToggle(pCmdUI->m_nID));
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->IsVisible() ? 1 : 0);
}

void CMainFrame::OnEndCommand()
{
    QZ2Command::CommandManager* pManager = GetManager();
    if (QZ2Command::CommandBase* pCommand = pManager != nullptr ? pManager->GetActiveCommand() : nullptr)
        pManager->EndCommand(pCommand, TRUE);
}

void CMainFrame::OnUpdateEndCommand(CCmdUI* pCmdUI)
{
    QZ2Command::CommandManager* pManager = GetManager();
    pCmdUI->Enable(pManager != nullptr && pManager->GetActiveCommand() != nullptr);
}

void CMainFrame::OnUpdateCoordinatePane(CCmdUI* pCmdUI)
{
    // The drawing view comes first in the routing and fills the pane; without one it stays empty.
    pCmdUI->SetText(u"");
}

// ---- snap and selection options ---------------------------------------------------------------

void CMainFrame::OnToggleSnap()
{
    if (SystemEnvironment* pOptions = GetOptions())
        CQZ2App::GetApp()->SetSnapEnabled(!pOptions->m_SnapEnabled);
}

void CMainFrame::OnUpdateToggleSnap(CCmdUI* pCmdUI)
{
    SystemEnvironment* pOptions = GetOptions();
    pCmdUI->SetCheck(pOptions != nullptr && pOptions->m_SnapEnabled ? 1 : 0);
}

void CMainFrame::OnToggleAngularSnap()
{
    if (SystemEnvironment* pOptions = GetOptions())
        CQZ2App::GetApp()->SetSnapAngularEnabled(!pOptions->m_SnapAngularEnabled);
}

void CMainFrame::OnUpdateToggleAngularSnap(CCmdUI* pCmdUI)
{
    SystemEnvironment* pOptions = GetOptions();
    pCmdUI->SetCheck(pOptions != nullptr && pOptions->m_SnapAngularEnabled ? 1 : 0);
}

void CMainFrame::OnOptions(UINT nID)
{
    // Nested: a drawing command that runs waits while the dialog is open and goes on afterwards.
    if (CQZ2App* pApp = CQZ2App::GetApp(); pApp != nullptr && pApp->GetCommandManager() != nullptr)
        pApp->GetCommandManager()->ExecuteNestedCommand(nID);
}

void CMainFrame::OnUpdateOptions(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CQZ2App::GetApp() != nullptr && CQZ2App::GetApp()->GetCommandManager() != nullptr);
}

void CMainFrame::OnSnapKind(UINT nID)
{
    SystemEnvironment* pOptions = GetOptions();
    if (pOptions == nullptr)
        return;
    DWORD dwType = pOptions->m_SnapType;
    if (nID == ID_SNAP_ALL)
        dwType = 0xFFFF;
    else if (nID == ID_SNAP_NONE)
        dwType = 0;
    else
        dwType ^= SnapBitOf(nID);
    CQZ2App::GetApp()->SetSnapType(dwType);
}

void CMainFrame::OnUpdateSnapKind(CCmdUI* pCmdUI)
{
    SystemEnvironment* pOptions = GetOptions();
    const DWORD dwBit = SnapBitOf(pCmdUI->m_nID);
    pCmdUI->SetCheck(pOptions != nullptr && dwBit != 0 && (pOptions->m_SnapType & dwBit) != 0 ? 1 : 0);
}

void CMainFrame::OnSelectionShape(UINT nID)
{
    if (CQZ2App* pApp = CQZ2App::GetApp())
        pApp->SetSelectionShapeMode(SelectionShapeOf(nID));
}

void CMainFrame::OnUpdateSelectionShape(CCmdUI* pCmdUI)
{
    QZ2Command::CommandManager* pManager = GetManager();
    const int nMode = SelectionShapeOf(pCmdUI->m_nID);
    pCmdUI->Enable(pManager != nullptr && pManager->IsSelectionModeAllowed(nMode));
    pCmdUI->SetCheck(pManager != nullptr && pManager->GetSelectionMode() == nMode ? 1 : 0);
}

void CMainFrame::OnSelectionPartSide(UINT nID)
{
    CQZ2App* pApp = CQZ2App::GetApp();
    SystemEnvironment* pOptions = GetOptions();
    if (pApp == nullptr || pOptions == nullptr)
        return;
    // The whole record goes through the application, which applies every changed option everywhere.
    SystemEnvironment copy(*pOptions);
    if (nID == 34136 || nID == 34137)
        copy.SetSelectionPartMode(nID == 34136 ? 1 : 2);
    else
        copy.SetSelectionSideMode(nID == 34138 ? 1 : 2);
    pApp->SetSystemEnvironment(copy);
}

void CMainFrame::OnUpdateSelectionPartSide(CCmdUI* pCmdUI)
{
    SystemEnvironment* pOptions = GetOptions();
    const UINT nID = pCmdUI->m_nID;
    BOOL bChecked = FALSE;
    if (pOptions != nullptr) {
        if (nID == 34136 || nID == 34137)
            bChecked = pOptions->m_SelectionPartMode == (nID == 34136 ? 1 : 2);
        else
            bChecked = pOptions->m_SelectionSideMode == (nID == 34138 ? 1 : 2);
    }
    pCmdUI->SetCheck(bChecked ? 1 : 0);
}

void CMainFrame::OnContextMenu(CWnd*, CPoint)
{
}

UINT CMainFrame::GetGroupButtonCommand(UINT nGroupID) const
{
    const auto it = m_groupButtons.find(nGroupID);
    return it != m_groupButtons.end() ? it->second : static_cast<UINT>(-1);
}

void CMainFrame::SetGroupButtonCommand(UINT nGroupID, UINT nCommandID)
{
    m_groupButtons[nGroupID] = nCommandID;
    RefreshGroupButtons(nGroupID);
}

// ---- help ------------------------------------------------------------------------------------

DWORD CMainFrame::GetCommandHelpContext(DWORD dwContext) const
{
    QZ2Command::CommandManager* pManager = GetManager();
    if (pManager == nullptr)
        return dwContext;
    const CString name = pManager->GetActiveCommandName();
    if (name.IsEmpty())
        return dwContext;
    // A command the table does not know has no topic of its own: the help asked for stands.
    const UINT nID = QZ2Command::CommandManager::GetCommandID(name);
    return nID != static_cast<UINT>(-1) ? nID + kCommandHelpBase : dwContext;
}

LRESULT CMainFrame::OnCommandHelp(WPARAM, LPARAM lParam)
{
    const DWORD dwContext = GetCommandHelpContext(static_cast<DWORD>(lParam));
    WinHelp(dwContext, dwContext != 0 ? kHelpContext : kHelpContents);
    return TRUE;
}

void CMainFrame::OnHelp()
{
    SendMessage(WM_COMMANDHELP, 0, 0);
}

void CMainFrame::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    m_dwLastHelpContext = nCmd == kHelpContext ? dwData : 0;
    // The help is a document the desktop shows; when there is none, or nothing opens it, the user is told.
    CWinApp* pApp = AfxGetApp();
    const QString path = pApp != nullptr && pApp->m_pszHelpFilePath != nullptr
                             ? CString(pApp->m_pszHelpFilePath).ToQString()
                             : QString();
    if (path.isEmpty() || !QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        AfxMessageBox(IDP_FAILED_TO_LAUNCH_HELP, MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::OnHelpFinder()
{
    WinHelp(0, kHelpContents);
}

// ---- status bar panes ------------------------------------------------------------------------

void CMainFrame::AddInformationPanes()
{
    if (m_wndStatusBar.GetSafeHwnd() == nullptr)
        return;
    if (!m_strPendingInformation.IsEmpty() && m_wndStatusBar.FindElement(ID_PANE_INFORMATION) == nullptr) {
        m_wndStatusBar.AddElement(new CRibbonStatusBarPane(ID_PANE_INFORMATION, u"", FALSE), LoadResourceString(10297));
        m_wndStatusBar.AddSeparator();
    }
    if (m_wndStatusBar.FindElement(ID_PANE_GUIDANCE) == nullptr)
        m_wndStatusBar.AddElement(new CRibbonStatusBarPane(ID_PANE_GUIDANCE, u"", TRUE, nullptr, Underscores(171)),
                                  LoadResourceString(10298));
}

void CMainFrame::RemoveInformationPanes()
{
    if (m_wndStatusBar.GetSafeHwnd() == nullptr)
        return;
    if (m_wndStatusBar.FindElement(ID_PANE_INFORMATION) != nullptr) {
        m_wndStatusBar.RemoveElement(ID_PANE_INFORMATION);
        // The separator that followed the information pane goes with it.
        for (int i = m_wndStatusBar.GetCount() - 1; i >= 0; --i) {
            CBCGPBaseRibbonElement* pElement = m_wndStatusBar.GetElement(i);
            if (pElement != nullptr && pElement->IsSeparator()) {
                m_wndStatusBar.RemoveElement(pElement->GetID());
                break;
            }
        }
    }
    m_wndStatusBar.RemoveElement(ID_PANE_GUIDANCE);
}

void CMainFrame::OnUpdateGuidancePane(CCmdUI* pCmdUI)
{
    if (auto* pPane = m_wndStatusBar.FindElement(ID_PANE_GUIDANCE)) {
        const CString text = GetGuidanceText();
        if (text != pPane->GetText()) {
            pPane->SetText(text);
            pPane->Redraw();
        }
    }
    pCmdUI->Enable(TRUE);
}

CString CMainFrame::GetGuidanceText() const
{
    QZ2Command::CommandManager* pManager = GetManager();
    QZ2Command::CommandBase* pCommand = pManager != nullptr ? pManager->GetActiveCommand() : nullptr;
    if (pCommand == nullptr)
        return CString();
    QZ2Command::ParameterItemBase* pItem = nullptr;
    if (pCommand->IsModifierInputActive()) {
        pItem = pCommand->GetModifierInputItem();
    } else {
        const int nPick = pCommand->GetPickParameterIndex();
        if (nPick < 0 || nPick >= pCommand->GetParameterCount())
            return CString();
        pItem = pCommand->GetParameterItem(nPick);
    }
    if (pItem == nullptr)
        return CString();
    CString text = !pItem->m_strGuidance.IsEmpty() ? pItem->m_strGuidance : pItem->m_strPrompt;
    // Prompts may carry a tail for the command bar only, after a marker.
    const CString marker = LoadResourceString(10270);
    if (!marker.IsEmpty()) {
        const int nAt = text.Find(marker);
        if (nAt >= 0)
            text = text.Left(nAt);
    }
    return text;
}

void CMainFrame::OnUpdateInformationPane(CCmdUI* pCmdUI)
{
    if (!m_strPendingInformation.IsEmpty())
        pCmdUI->Enable(TRUE);
}

void CMainFrame::OnShowInformation()
{
    if (m_strPendingInformation.IsEmpty())
        return;
    AfxMessageBox(LoadResourceString(10296) + m_strPendingInformation, MB_ICONINFORMATION);
}

// ---- progress --------------------------------------------------------------------------------

void CMainFrame::ShowProgress(BOOL bShow, int nDisplayType, BOOL bCancellable, int nLower, int nUpper,
                              BOOL bInfinite, BOOL bWaitCursor)
{
    if (m_wndStatusBar.GetSafeHwnd() == nullptr)
        return;
    // A second begin does not stack a second display, whichever kind the first one was.
    if (bShow && m_bProgressShown)
        return;
    m_bProgressCancel = FALSE;
    m_bProgressWaitCursor = FALSE;
    if (bShow) {
        m_bProgressShown = TRUE;
        m_bProgressWaitCursor = bWaitCursor;
        SetStatusInformation(u"", 3000);
        RemoveInformationPanes();
        if (bCancellable)
            m_wndStatusBar.AddDynamicElement(new CRibbonStatusBarPane(ID_PANE_CANCEL, LoadResourceString(10299), FALSE));
        if (nDisplayType == 1 || nDisplayType == 2) {
            auto* pPane = new CBCGPRibbonStatusBarPane(ID_PANE_ANIMATION, u"", TRUE);
            if (nDisplayType == 1)
                pPane->SetAnimationList(417, 16, RGB(255, 255, 255));
            else
                pPane->SetAnimationList(418, 16, RGB(128, 0, 0));
            m_wndStatusBar.AddDynamicElement(pPane);
            pPane->StartAnimation(nDisplayType == 1 ? 500 : 200);
        } else if (nDisplayType == 0) {
            m_wndStatusBar.RecalcLayout();
            const int nSpace = m_wndStatusBar.GetSpace();
            if (nSpace >= 20) {
                auto* pBar = new CBCGPRibbonProgressBar(ID_PANE_PROGRESS_BAR, nSpace < 150 ? nSpace : 150, 22);
                pBar->SetRange(nLower, nUpper);
                pBar->SetInfiniteMode(bInfinite);
                pBar->SetPos(0, FALSE);
                m_wndStatusBar.AddDynamicElement(pBar);
            }
        }
        m_wndStatusBar.AddDynamicElement(
            new CRibbonStatusBarPane(ID_PANE_PROGRESS_TEXT, u"", TRUE, nullptr, Underscores(64)));
    } else {
        m_bProgressShown = FALSE;
        m_wndStatusBar.RemoveElement(ID_PANE_CANCEL);
        m_wndStatusBar.RemoveElement(ID_PANE_PROGRESS_BAR);
        m_wndStatusBar.RemoveElement(ID_PANE_ANIMATION);
        m_wndStatusBar.RemoveElement(ID_PANE_PROGRESS_TEXT);
        AddInformationPanes();
    }
    m_wndStatusBar.UpdateAnimationTimer();
    m_wndStatusBar.RecalcLayout();
    m_wndStatusBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CMainFrame::SetProgressRange(int nLower, int nUpper)
{
    if (m_bProgressCancel)
        return FALSE;
    if (auto* pBar = DYNAMIC_DOWNCAST(CBCGPRibbonProgressBar, m_wndStatusBar.FindElement(ID_PANE_PROGRESS_BAR)))
        pBar->SetRange(nLower, nUpper);
    return TRUE;
}

BOOL CMainFrame::SetProgressPos(int nPos)
{
    if (m_bProgressCancel)
        return FALSE;
    if (auto* pBar = DYNAMIC_DOWNCAST(CBCGPRibbonProgressBar, m_wndStatusBar.FindElement(ID_PANE_PROGRESS_BAR))) {
        if (pBar->GetPos() != nPos)
            pBar->SetPos(nPos, TRUE);
    }
    return TRUE;
}

int CMainFrame::GetProgressPos() const
{
    auto* pBar = DYNAMIC_DOWNCAST(CBCGPRibbonProgressBar, m_wndStatusBar.FindElement(ID_PANE_PROGRESS_BAR));
    return pBar != nullptr ? pBar->GetPos() : -1;
}

void CMainFrame::SetProgressText(const CString& strText)
{
    CBCGPBaseRibbonElement* pPane = m_wndStatusBar.FindElement(ID_PANE_PROGRESS_TEXT);
    if (pPane == nullptr || strText.IsEmpty() || strText == pPane->GetText())
        return;
    pPane->SetText(strText);
    pPane->Redraw();
}

BOOL CMainFrame::IsPointInCancelPane(CPoint ptScreen) const
{
    CBCGPBaseRibbonElement* pPane = m_wndStatusBar.FindElement(ID_PANE_CANCEL);
    if (pPane == nullptr || m_wndStatusBar.GetSafeHwnd() == nullptr)
        return FALSE;
    CPoint pt = ptScreen;
    m_wndStatusBar.ScreenToClient(&pt);
    return pPane->GetRect().PtInRect(pt);
}

void CMainFrame::PumpProgressMessages()
{
    MSG msg{};
    // Thread timers (auto-save among them) run; window timers get their next tick later.
    while (::PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        if (msg.hwnd == nullptr) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    // Every window of the thread, not only the frame's children: floating bars are windows of
    // their own, and no click may reach them while the operation runs.
    const HWND hFrame = GetSafeHwnd();
    while (hFrame != nullptr && ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const bool inCancelPane = m_wndStatusBar.FindElement(ID_PANE_CANCEL) != nullptr;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            if (inCancelPane)
                m_bProgressCancel = TRUE;
            continue;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP) {
            // The point of the message itself, not where the cursor has moved since.
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            if (msg.hwnd != nullptr)
                ::ClientToScreen(msg.hwnd, &pt);
            else
                pt = msg.pt;
            if (inCancelPane && IsPointInCancelPane(pt))
                ::DispatchMessage(&msg);
            continue;
        }
        if (msg.message >= 0x0200 && msg.message <= 0x020D)
            continue;
        // Closing waits for the operation: a close request is dropped here, not queued behind it.
        if (msg.message == WM_CLOSE || (msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE))
            continue;
        // Painting taken out of the queue is done here, at once and whole: handing a deferred
        // update back to its widget as an event loses the region it carried.
        if (msg.message == WM_PAINT) {
            CWnd* pWnd = CWnd::FromHandle(msg.hwnd);
            if (QWidget* pWidget = pWnd != nullptr ? pWnd->GetQWidget() : nullptr)
                pWidget->repaint();
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

BOOL CMainFrame::OnProgress(NotifyProgressInfo* pInfo, void* pUserData)
{
    auto* pObject = static_cast<CObject*>(pUserData);
    if (pInfo == nullptr || pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CMainFrame)))
        return FALSE;
    auto* pFrame = static_cast<CMainFrame*>(pObject);
    // At the beginning the cancel pane comes first, so that an Escape pressed before the operation
    // began already finds it and stops the operation.
    if (pInfo->m_nKind != NotifyProgressInfo::kindBegin)
        pFrame->PumpProgressMessages();
    BOOL bResult = TRUE;
    switch (pInfo->m_nKind) {
    case NotifyProgressInfo::kindBegin:
        pFrame->ShowProgress(TRUE, pInfo->m_nDisplayType, TRUE, pInfo->m_nRangeMin, pInfo->m_nRangeMax, FALSE, TRUE);
        pFrame->PumpProgressMessages();
        bResult = !pFrame->m_bProgressCancel;
        if (bResult && pInfo->m_nPosition > 0)
            bResult = pFrame->SetProgressPos(pInfo->m_nPosition);
        break;
    case NotifyProgressInfo::kindNewRange:
        bResult = pFrame->SetProgressRange(pInfo->m_nRangeMin, pInfo->m_nRangeMax);
        break;
    case NotifyProgressInfo::kindStep:
        // The bar never moves backwards except to 0.
        if (pInfo->m_nPosition == 0 || pInfo->m_nPosition >= pFrame->GetProgressPos())
            bResult = pFrame->SetProgressPos(pInfo->m_nPosition);
        else
            bResult = !pFrame->m_bProgressCancel;
        break;
    case NotifyProgressInfo::kindEnd:
    case NotifyProgressInfo::kindFinish:
        pFrame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
        break;
    default:
        break;
    }
    if (pInfo->m_pszText != nullptr)
        pFrame->SetProgressText(CString(pInfo->m_pszText));
    return bResult;
}

void CMainFrame::OnCancelProgress()
{
    m_bProgressCancel = TRUE;
}

void CMainFrame::OnUpdateCancelProgress(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

BOOL CMainFrame::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bProgressWaitCursor) {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (!IsPointInCancelPane(pt)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
    }
    return CBCGPMDIFrameWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- status information ----------------------------------------------------------------------

void CMainFrame::SetStatusInformation(LPCWSTR lpszText, UINT nDurationMs, COLORREF clrText, COLORREF clrBack)
{
    if (lpszText != nullptr && nDurationMs != 0)
        SetTimer(kInformationTimer, nDurationMs, nullptr);
    else if (nDurationMs == 0)
        KillTimer(kInformationTimer);
    m_wndStatusBar.m_clrInfoText = clrText != kNoColour ? clrText : kInfoText;
    m_wndStatusBar.m_clrInfoBack = clrBack != kNoColour ? clrBack : kInfoBack;
    // An empty text ends the information mode: the panes (the cancel pane among them) show again.
    if (m_wndStatusBar.GetSafeHwnd() != nullptr)
        m_wndStatusBar.SetInformation(lpszText != nullptr && *lpszText != 0 ? lpszText : nullptr);
    if (lpszText != nullptr && *lpszText != 0 && nDurationMs != 0) {
        const bool bWasEmpty = m_strPendingInformation.IsEmpty();
        m_strPendingInformation = lpszText;
        if (bWasEmpty && !m_bProgressShown) {
            RemoveInformationPanes();
            AddInformationPanes();
            if (m_wndStatusBar.GetSafeHwnd() != nullptr)
                m_wndStatusBar.RecalcLayout();
        }
    }
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kInformationTimer) {
        if (m_wndStatusBar.IsInformationMode()) {
            m_wndStatusBar.m_clrInfoText = kInfoText;
            m_wndStatusBar.m_clrInfoBack = kInfoBack;
            m_wndStatusBar.SetInformation(nullptr);
        }
        KillTimer(kInformationTimer);
    }
    CBCGPMDIFrameWnd::OnTimer(nIDEvent);
}
