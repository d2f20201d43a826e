#pragma once
// An editable (drop-down) combo whose edit reports Enter, Escape and, optionally, the loss of the focus
// to the combo's owner as WM_NOTIFY with codes 0x8050 (Enter) and 0x8051 (Escape, focus lost). An owner
// that answers Enter with a non-zero result gets the whole text selected for the next entry.

#include "controls/CFlatComboBox.h"
#include "controls/CQZ2ComboEdit.h"

class CQZ2EditComboBox : public CFlatComboBox
{
    DECLARE_DYNAMIC(CQZ2EditComboBox)
public:
    CQZ2EditComboBox();
    ~CQZ2EditComboBox() override;

    void SetKillFocusNotify(BOOL bNotify) { m_edit.SetKillFocusNotify(bNotify); }
    CQZ2ComboEdit& GetEdit() { return m_edit; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg LRESULT OnEditEnter(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEditCancel(WPARAM wParam, LPARAM lParam);
    void OnKillFocusReflect() override;
    // Sends the notification record with the code to the owner; its answer.
    LRESULT NotifyOwnerCode(UINT nCode);
    BOOL IsEditable() const;

    CQZ2ComboEdit m_edit;

    DECLARE_MESSAGE_MAP()
};
