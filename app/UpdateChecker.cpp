#include "app/UpdateChecker.h"

UpdateChecker::UpdateChecker() = default;

UpdateChecker::~UpdateChecker() = default;

BOOL UpdateChecker::CheckForUpdate(int nPeriod)
{
    ++m_nRequests;
    // The release feed is not read yet: a check that is not due, or never wanted, is done at once.
    (void)nPeriod;
    return TRUE;
}
