#pragma once
// The base of the program's combo boxes: the standard look, the whole control repainted when it gains
// the focus, and its own focus notifications kept from the parent.

#include "platform/win/CComboBox.h"

class CFlatComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CFlatComboBox)
public:
    CFlatComboBox();
    ~CFlatComboBox() override;

    // Repaints the whole control; derived classes call it to repaint.
    afx_msg void OnSetFocusReflect();

protected:
    // Its own CBN_KILLFOCUS, consumed; the edit combo reports it to its owner instead.
    virtual void OnKillFocusReflect();
    // The window that hears this combo's notifications: its owner, else its parent.
    CWnd* GetNotifyTarget() const;
    // Sends WM_COMMAND (id, code) with this combo's window to the owner.
    void NotifyOwner(UINT nCode);

    DECLARE_MESSAGE_MAP()
};
