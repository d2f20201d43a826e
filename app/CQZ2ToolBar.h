#pragma once
// The main frame's toolbars: their buttons send their commands the ordinary way, through the frame.

#include "platform/bcg/CBCGPToolBar.h"

class CQZ2ToolBar : public CBCGPToolBar
{
    DECLARE_SERIAL(CQZ2ToolBar)
public:
    CQZ2ToolBar();
    ~CQZ2ToolBar() override;

    BOOL OnSendCommand(const CBCGPToolbarButton* pButton) override;
};
