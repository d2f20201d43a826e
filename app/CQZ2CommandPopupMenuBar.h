#pragma once
// The items of a popup opened from a group button: the command chosen becomes the face of the button the
// popup came from before the command is sent.

#include "platform/bcg/CBCGPPopupMenuBar.h"

class CQZ2CommandPopupMenuBar : public CBCGPPopupMenuBar
{
    DECLARE_SERIAL(CQZ2CommandPopupMenuBar)
public:
    CQZ2CommandPopupMenuBar();
    ~CQZ2CommandPopupMenuBar() override;

    BOOL OnSendCommand(const CBCGPToolbarButton* pButton) override;
};
