#pragma once
// The text input dialog: a text of several lines (Return breaks the line, Ctrl+Return confirms), the
// recently entered texts in a drop-down, and the input method's open state kept across openings when the
// options say so. Opened by the paragraph text command, the text change command and the property list.

#include "platform/bcg/CBCGPButton.h"
#include "platform/bcg/CBCGPMenuButton.h"
#include "platform/win/CDialog.h"
#include "platform/win/CMenu.h"

namespace QZ2Command {
class ParameterHistory;
}

class CTextEditDialog : public CDialog
{
public:
    enum { IDD = 554 };
    static constexpr int kTextEdit = 2474;
    static constexpr int kHistoryButton = 1079;
    static constexpr int kHelpButton = 57670;
    // The history entries' command ids: the first plus the entry's index (0 the newest), ten at most.
    static constexpr UINT kFirstHistoryCommand = 39572;
    static constexpr int kHistorySlots = 10;

    explicit CTextEditDialog(CWnd* pParent = nullptr);
    ~CTextEditDialog() override;

    // Set by the caller before DoModal; after IDOK the text holds the edited text (lines end with "\n").
    CString m_strText;
    // FALSE: OK is disabled while the text is empty and an OK on an empty text keeps the dialog open.
    BOOL m_bAcceptEmptyText = TRUE;
    // The texts offered and recorded (not owned); NULL disables the drop-down and the recording.
    QZ2Command::ParameterHistory* m_pHistory = nullptr;
    // The open state the input method gets when the text edit takes the focus.
    BOOL m_bImeOpen = FALSE;

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    // The drop-down of recent texts while the dialog shows (NULL without a history).
    CMenu* GetHistoryMenu() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTextChange();
    afx_msg void OnHistory();
    afx_msg void OnTextSetFocus();
    afx_msg void OnTextKillFocus();
    DECLARE_MESSAGE_MAP()

private:
    void UpdateOkButton();
    // The history's text at the index, or FALSE outside the stored texts.
    BOOL GetHistoryText(int nIndex, CString& text) const;

    CBCGPButton m_okButton;
    CBCGPMenuButton m_historyButton;
    CBCGPButton m_helpButton;
    CMenu m_historyMenu;
};
