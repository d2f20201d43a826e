#pragma once
// The rule for the style records that shapes carry: every value defined and in range.

#include "platform/afx/AfxTypes.h"
#include "libs/vevure/FeatureSettingBase.h"

class FeatureSettingRules
{
public:
    static bool IsComplete(const FeatureSettingBase& setting)
    {
        return setting.IsValidSetting() && !setting.HasUndefinedValue();
    }
    // Takes the defined values of src into a copy of target; stores the copy and answers TRUE when it is
    // complete, else leaves target unchanged and answers FALSE.
    template <class S>
    static BOOL Apply(S& target, const S& src)
    {
        S merged(target);
        if (!merged.SetOnlyDefValue(src) || !IsComplete(merged))
            return FALSE;
        target = merged;
        return TRUE;
    }
};
