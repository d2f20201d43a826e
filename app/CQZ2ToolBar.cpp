#include "app/CQZ2ToolBar.h"

IMPLEMENT_SERIAL(CQZ2ToolBar, CBCGPToolBar, VERSIONABLE_SCHEMA | 1)

CQZ2ToolBar::CQZ2ToolBar() = default;
CQZ2ToolBar::~CQZ2ToolBar() = default;

BOOL CQZ2ToolBar::OnSendCommand(const CBCGPToolbarButton*)
{
    return FALSE;
}
