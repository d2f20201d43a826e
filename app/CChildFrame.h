#pragma once
// The frame of every document window inside the main frame.

#include "platform/win/CMDIChildWnd.h"

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;
};
