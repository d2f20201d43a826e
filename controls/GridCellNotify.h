#pragma once
// The record a grid sends with every WM_NOTIFY, and its notification codes.

#include "platform/ole/OleVariant.h"
#include "platform/win/WinMessages.h"

struct GridCellNotify
{
    enum : UINT {
        kCellChanged = 0x80DD,     // the user changed a cell (to the owner)
        kValueChanging = 0x80DE,   // a text cell is about to take the value (to the parent; non-zero refuses)
        kCurrentCell = 0x80DF,     // the current cell was set, also to none
        kSelectionChanged = 0x80E0,
        kEditorSelEndOk = 0x80E1,  // an entry of a drop-down editor was chosen
        kHeaderClick = 0x80E2,
        kReadOnlyDblClk = 0x80E3,
    };

    NMHDR hdr;
    int nRow;
    int nColumn;
    VARIANT value;  // the proposed value of kValueChanging; VT_EMPTY otherwise
};
