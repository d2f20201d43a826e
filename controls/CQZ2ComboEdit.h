#pragma once
// The edit part of the editable combo: Enter sends message 0x8050 and Escape 0x8051 to the combo (the key
// still reaches the edit), and losing the focus sends 0x8051 while the kill-focus notification is on.

#include "platform/win/CEdit.h"

class CQZ2ComboEdit : public CEdit
{
    DECLARE_DYNAMIC(CQZ2ComboEdit)
public:
    static constexpr UINT kEnterMessage = 0x8050;
    static constexpr UINT kCancelMessage = 0x8051;

    CQZ2ComboEdit();
    ~CQZ2ComboEdit() override;

    void SetKillFocusNotify(BOOL bNotify) { m_bNotifyKillFocus = bNotify; }
    BOOL IsKillFocusNotify() const { return m_bNotifyKillFocus; }
    // Enter or Escape typed in the combo's edit: tells pCombo; FALSE, so the key goes on to the edit.
    BOOL TranslateKey(const MSG* pMsg, CWnd* pCombo);
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bNotifyKillFocus = TRUE;
};
