#include "app/CQZ2FileDialog.h"

DWORD CQZ2FileDialog::c_dwViewMode = 0;

void CQZ2FileDialog::SetViewMode(DWORD dwMode)
{
    c_dwViewMode = dwMode;
}

DWORD CQZ2FileDialog::GetViewMode()
{
    return c_dwViewMode;
}
