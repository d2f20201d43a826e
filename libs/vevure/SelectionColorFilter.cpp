#include "libs/vevure/SelectionColorFilter.h"

int SelectionColorFilter::GetColorFilter(int nColorNo) const
{
    if (nColorNo < -1 || nColorNo > 256)
        return 0;
    return m_flags.test(static_cast<size_t>(Slot(nColorNo))) ? 1 : 0;
}

BOOL SelectionColorFilter::SetColorFilter(int nColorNo, BOOL bSet)
{
    if (nColorNo < -1 || nColorNo > 256)
        return FALSE;
    m_flags.set(static_cast<size_t>(Slot(nColorNo)), bSet != FALSE);
    return TRUE;
}
