#pragma once
// The property list's setting rows edit a style in the style dialog, which lives in the settings library
// above this one: they reach it through this hook, which the settings library registers when it loads.
// Without it (a program without that library) a setting row offers no dialog.

#include "platform/afx/AfxTypes.h"

class Draw2dDocument;
class FeatureSettingBase;

struct FeatureSettingDialogHooks {
    // Runs the style dialog in its mixed-values form on the setting, with the document's named styles of
    // its kind; 1 (OK), 100 (OK and the hatch pattern table asked for) or IDCANCEL. On 1 and 100 the
    // setting holds the dialog's result.
    INT_PTR (*pfnEditFeatureSetting)(Draw2dDocument* pDocument, FeatureSettingBase* pSetting) = nullptr;

    static FeatureSettingDialogHooks& Get();
};
