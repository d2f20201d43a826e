#include "app/CMainFrame.h"

#include "command/LoadResourceString.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_strTitle = LoadResourceString(AFX_IDS_APP_TITLE);
    return CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}
