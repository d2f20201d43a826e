#include "structure/StructureServices.h"

#include "command/CommandManager.h"

namespace {
StructureServices::Hooks& Storage()
{
    static StructureServices::Hooks hooks;
    return hooks;
}
}  // namespace

void StructureServices::SetHooks(const Hooks& hooks) { Storage() = hooks; }

const StructureServices::Hooks& StructureServices::GetHooks() { return Storage(); }

CMainFrame* StructureServices::GetMainFrame()
{
    return Storage().pfnGetMainFrame != nullptr ? Storage().pfnGetMainFrame() : nullptr;
}

QZ2Command::CommandManager* StructureServices::GetCommandManager()
{
    return Storage().pfnGetCommandManager != nullptr ? Storage().pfnGetCommandManager() : nullptr;
}

CDrawingBar* StructureServices::GetDrawingBar()
{
    CMainFrame* pFrame = GetMainFrame();
    return pFrame != nullptr && Storage().pfnGetDrawingBar != nullptr ? Storage().pfnGetDrawingBar(pFrame) : nullptr;
}

CDrawComponentBar* StructureServices::GetComponentBar()
{
    CMainFrame* pFrame = GetMainFrame();
    return pFrame != nullptr && Storage().pfnGetComponentBar != nullptr ? Storage().pfnGetComponentBar(pFrame) : nullptr;
}

CDrawComponentBar* StructureServices::ShowComponentBar()
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame != nullptr && Storage().pfnShowComponentBar != nullptr)
        Storage().pfnShowComponentBar(pFrame);
    return GetComponentBar();
}

BOOL StructureServices::ShowDrawingProperties(Draw2dDocument* pModel, long nDrawingID, long nLayoutID, BOOL bShow)
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame == nullptr || Storage().pfnShowDrawingProperties == nullptr)
        return FALSE;
    return Storage().pfnShowDrawingProperties(pFrame, pModel, nDrawingID, nLayoutID, bShow);
}

void StructureServices::ReleasePropertyBarDocument(UINT nKind)
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame != nullptr && Storage().pfnReleasePropertyBarDocument != nullptr)
        Storage().pfnReleasePropertyBarDocument(pFrame, nKind);
}

BOOL StructureServices::ShowPropertyBar(BOOL bShow)
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame == nullptr || Storage().pfnShowPropertyBar == nullptr)
        return FALSE;
    return Storage().pfnShowPropertyBar(pFrame, bShow);
}

BOOL StructureServices::ActivateDrawingTab(DrawingFeatureBase* pDrawing)
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    CQZ2TabView* pTabView = pManager != nullptr ? pManager->GetActiveTabView() : nullptr;
    if (pTabView == nullptr || pDrawing == nullptr || Storage().pfnActivateDrawingTab == nullptr)
        return FALSE;
    return Storage().pfnActivateDrawingTab(pTabView, pDrawing);
}

StructureServices::ViewOptions StructureServices::GetViewOptions()
{
    ViewOptions options;
    if (Storage().pfnGetViewOptions != nullptr)
        Storage().pfnGetViewOptions(options);
    return options;
}
