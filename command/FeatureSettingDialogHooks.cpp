#include "command/FeatureSettingDialogHooks.h"

FeatureSettingDialogHooks& FeatureSettingDialogHooks::Get()
{
    static FeatureSettingDialogHooks hooks;
    return hooks;
}
