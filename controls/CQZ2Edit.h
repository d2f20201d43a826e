#pragma once
// An edit that performs the clipboard and undo chords itself, before any accelerator of the windows
// around it sees them: Ctrl+X/C/V/Z, Ctrl+Insert, Shift+Delete, Shift+Insert and Alt+Backspace.

#include "platform/win/CEdit.h"

class CQZ2Edit : public CEdit
{
    DECLARE_DYNAMIC(CQZ2Edit)
public:
    CQZ2Edit();
    ~CQZ2Edit() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The message a key-down of the key does with the modifiers held (WM_CUT, WM_COPY, WM_PASTE, EM_UNDO),
    // 0 for none.
    static UINT ChordMessage(UINT nKey, BOOL bCtrl, BOOL bShift, BOOL bAlt);
};
