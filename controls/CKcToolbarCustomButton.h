#pragma once
// A toolbar button of a user or add-in command. It carries three texts of its own through the stored
// toolbar state (its tool tip among them) and a flag; the main frame reads its enabled and check flags
// to update the command. It stays where it is while the toolbars are customised.

#include "platform/bcg/CBCGPToolbarButton.h"

class CKcToolbarCustomButton : public CBCGPToolbarButton
{
    DECLARE_SERIAL(CKcToolbarCustomButton)
public:
    CKcToolbarCustomButton();
    CKcToolbarCustomButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr);
    ~CKcToolbarCustomButton() override;

    void CopyFrom(const CBCGPToolbarButton& src) override;
    // After the base: version word 1, text C, the tool tip, text A, the flag (32 bits). A version other
    // than 1 reads nothing further; a truncated archive throws.
    void Serialize(CArchive& ar) override;
    // Adds a tool for the button's rectangle with its tool tip, id iButtonIndex + 1; TRUE.
    BOOL OnUpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip, CString& str) override;
    // The stored tool tip, whatever the command's own description is.
    BOOL OnGetCustomToolTipText(CString& strTipText) override;
    // Greys the reset item only; TRUE.
    BOOL OnCustomizeMenu(CMenu* pPopup) override;
    BOOL OnBeforeDrag() const override { return FALSE; }

    const CString& GetTextA() const { return m_strTextA; }
    void SetTextA(const CString& text) { m_strTextA = text; }
    const CString& GetToolTipText() const { return m_strToolTip; }
    void SetToolTipText(const CString& text) { m_strToolTip = text; }
    const CString& GetTextC() const { return m_strTextC; }
    void SetTextC(const CString& text) { m_strTextC = text; }
    BOOL GetStoredFlag() const { return m_bStoredFlag; }
    void SetStoredFlag(BOOL bFlag) { m_bStoredFlag = bFlag; }
    // Not stored: the add-in sets them while it runs.
    BOOL IsButtonEnabled() const { return m_bEnabled; }
    void SetButtonEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsButtonChecked() const { return m_bChecked; }
    void SetButtonChecked(BOOL bChecked) { m_bChecked = bChecked; }

private:
    CString m_strTextA;
    CString m_strToolTip;
    CString m_strTextC;
    BOOL m_bStoredFlag = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bChecked = FALSE;
};
