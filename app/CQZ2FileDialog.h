#pragma once
// The program's file dialog. The list view mode it shows folders in is shared by every dialog of
// the run and kept in the options between runs.

#include "platform/afx/AfxTypes.h"

class CQZ2FileDialog
{
public:
    // 0: not set.
    static void SetViewMode(DWORD dwMode);
    static DWORD GetViewMode();

private:
    static DWORD c_dwViewMode;
};
