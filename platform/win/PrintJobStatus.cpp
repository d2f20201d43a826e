// The print system's answer to the last request of this thread. Qt hands a queue's job over when the
// painter ends and keeps the answer to itself; the print library remembers it per thread, so it is
// read right after the document has ended.

#include "platform/win/PrintJobStatus.h"

#include <cups/cups.h>

bool PrintSystemTookLastJob()
{
    // Successful answers are the first block of status codes.
    return static_cast<int>(cupsLastError()) < 0x0100;
}
