#include "libs/vevure/ValidateFeature.h"

#include "libs/vevure/Feature2dBase.h"

BOOL ValidateFeature::Validate(const Feature2dBase* pFeature) const
{
    if (pFeature == nullptr)
        return FALSE;
    return (m_dwMode & 1) == 0 || pFeature->IsValid();
}
