#include "command/SelectionFilterDialogHooks.h"

SelectionFilterDialogHooks& SelectionFilterDialogHooks::Get()
{
    static SelectionFilterDialogHooks hooks;
    return hooks;
}
