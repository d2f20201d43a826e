#pragma once
// The base of the program's toolbar combo buttons. Its stored toolbar state keeps the button's width
// (version word 1, then the width) instead of the combo's items and text.

#include "platform/bcg/CBCGPToolbarComboBoxButton.h"

class CMenu;

class CQZ2ToolbarComboBoxButton : public CBCGPToolbarComboBoxButton
{
    DECLARE_SERIAL(CQZ2ToolbarComboBoxButton)
public:
    CQZ2ToolbarComboBoxButton();
    CQZ2ToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth);
    ~CQZ2ToolbarComboBoxButton() override;

    // Loading a version other than 1 keeps the constructed width; a truncated archive throws.
    void Serialize(CArchive& ar) override;
    // Greys the customisation menu's items that do not apply to a combo button; TRUE.
    BOOL OnCustomizeMenu(CMenu* pPopup) override;
};
