#pragma once
// Which toolbar image shows which command: filled while toolbars and image collections load,
// read by menus, the customisation sheet and buttons made by the program.

#include "platform/win/WinTypes.h"

class CImageHash {
public:
  // The image of a command in the toolbar images (or the user images), -1 when none.
  static int GetImageOfCommand(UINT uiCmd, BOOL bUserImage = FALSE);
  // bReplace: a command that has an image already gets the new one.
  static void Set(UINT uiCmd, int iImage, BOOL bUserImage = FALSE, BOOL bReplace = FALSE);
  static void Clear(UINT uiCmd);
  static void ClearAll();
};
