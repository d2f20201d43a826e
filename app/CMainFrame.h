#pragma once
// The program's main window: the MDI frame holding the document windows. Its bars, docking panes
// and command handling are added on top of this frame.

#include "platform/win/CMDIFrameWnd.h"

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // Takes the program's title when the resource has no text of its own.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
};
