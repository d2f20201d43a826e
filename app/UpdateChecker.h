#pragma once
// Looks for a newer release of the program, at most once per chosen period.

#include "platform/afx/AfxTypes.h"

class UpdateChecker
{
public:
    UpdateChecker();
    virtual ~UpdateChecker();

    // nPeriod: 0 never, 1 daily, 2 weekly, 3 every 30 days, -1 now (asked by the user).
    BOOL CheckForUpdate(int nPeriod);
    // How many checks were asked for in this run.
    int GetRequestCount() const { return m_nRequests; }

private:
    int m_nRequests = 0;
};
