#pragma once
// The frame of every document window inside the main frame. Document windows fill the main
// frame's document area, and the active one is the command manager's current document and view.

#include "platform/bcg/CBCGPMDIChildWnd.h"

class CChildFrame : public CBCGPMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Shows the window maximised in the document area whenever it is shown in the plain way.
    void ActivateFrame(int nCmdShow = -1) override;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
};
