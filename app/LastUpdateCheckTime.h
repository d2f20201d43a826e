#pragma once
// When the program last looked for a newer release: 8 bytes in the section "Options" holding the
// seconds since 1970-01-01 00:00 UTC.

#include "platform/afx/CTime.h"

// The stored time; the current time when none is stored or the value is not 8 bytes long.
CTime GetLastUpdateCheckTime();
// Stores the current time.
void SetLastUpdateCheckTime();
