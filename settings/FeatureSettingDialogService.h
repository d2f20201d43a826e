#pragma once
// What the settings library offers the property list through FeatureSettingDialogHooks: the style dialog
// run on one setting, registered when the library loads.

#include "platform/afx/AfxTypes.h"

class Draw2dDocument;
class FeatureSettingBase;

class FeatureSettingDialogService
{
public:
    // The dialog opens on the setting's page (a dimension setting on the dimension page shown last), in
    // the mixed-values form, with the document's named styles of the setting's kind.
    static INT_PTR EditFeatureSetting(Draw2dDocument* pDocument, FeatureSettingBase* pSetting);
    static int InitialPage(const FeatureSettingBase* pSetting);
};
