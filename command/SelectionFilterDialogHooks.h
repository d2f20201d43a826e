#pragma once
// The selection filter sheet lives in the edit command library above this one; the manager's select by
// filter reaches it through this hook, which that library registers when it loads. Without it the
// manager offers no filter dialog.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class Draw2dDocument;
class SelectionFilter;

struct SelectionFilterDialogHooks {
    // Runs the sheet with the caption on the filter (with the on/off box when bShowSwitch); TRUE after OK,
    // the filter then holding the sheet's result.
    BOOL (*pfnRunFilterSheet)(const Draw2dDocument* pDocument, const CString& caption, BOOL bShowSwitch,
                              SelectionFilter& filter) = nullptr;

    static SelectionFilterDialogHooks& Get();
};
