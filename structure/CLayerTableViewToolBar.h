#pragma once
// The layer table's toolbar (resource 309): a bar toolbar whose buttons the view updates and carries out,
// with the mode button (its image follows the mode) and the preview button with its drop-down.

#include "controls/CBarToolBar.h"

class CLayerTableViewToolBar : public CBarToolBar
{
    DECLARE_DYNCREATE(CLayerTableViewToolBar)
public:
    enum : UINT {
        kResource = 309, kModeMenu = 230, kPreviewMenu = 231, kPreviewText = 10250,
        cmdTable = 39482, cmdThumbnails = 39483, cmdPreviewMode = 39484, cmdMode = 39489, cmdPreview = 39490,
    };

    CLayerTableViewToolBar();
    ~CLayerTableViewToolBar() override;

    // Creates the toolbar in the view and turns 39489 and 39490 into menu buttons.
    BOOL CreateForView(CWnd* pView, UINT nID);
    // The mode button shows the image of the mode's command (39482, 39483 or 39484).
    void SetModeImage(UINT nModeCommand);
    // The images of the three mode commands, made once for the toolbar images.
    static void EnsureModeImages();
    // The size of its horizontal layout.
    CSize GetFixedSize() const;
    // The preview button's tip (the button has no command of its own); the others' by command.
    BOOL OnUserToolTip(CBCGPToolbarButton* pButton, CString& strTTText) const override;
};
