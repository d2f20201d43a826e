#include "libs/vevure/SelectionLineWidthFilter.h"

int SelectionLineWidthFilter::Bit(int n)
{
    if (n >= 0 && n <= 15)
        return n;
    if (n == -1 || n == 0xFFFF)
        return 16;
    return -1;
}

int SelectionLineWidthFilter::GetLineWidthFilter(int nLineWidthNo) const
{
    int bit = Bit(nLineWidthNo);
    return (bit >= 0 && (m_dwBits & (DWORD(1) << bit))) ? 1 : 0;
}

BOOL SelectionLineWidthFilter::SetLineWidthFilter(int nLineWidthNo, BOOL bSet)
{
    int bit = Bit(nLineWidthNo);
    if (bit < 0)
        return FALSE;
    if (bSet)
        m_dwBits |= DWORD(1) << bit;
    else
        m_dwBits &= ~(DWORD(1) << bit);
    return TRUE;
}
