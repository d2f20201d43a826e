#pragma once
// The combo counterpart of CKcToolbarCustomButton: a combo of a user or add-in command that stores its
// whole list and three texts of its own (its tool tip among them); the main frame reads its enabled
// flag. It stays where it is while the toolbars are customised.

#include "platform/bcg/CBCGPToolbarComboBoxButton.h"

class CKcToolbarCustomComboBoxButton : public CBCGPToolbarComboBoxButton
{
    DECLARE_SERIAL(CKcToolbarCustomComboBoxButton)
public:
    CKcToolbarCustomComboBoxButton();
    CKcToolbarCustomComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = 0x0003L, int iWidth = 0);
    ~CKcToolbarCustomComboBoxButton() override;

    void CopyFrom(const CBCGPToolbarButton& src) override;
    // After the whole combo part: version word 1, text C, the tool tip, text A. A version other than 1
    // reads nothing further; a truncated archive throws.
    void Serialize(CArchive& ar) override;
    BOOL OnGetCustomToolTipText(CString& strTipText) override;
    // Greys what does not apply to a combo; TRUE.
    BOOL OnCustomizeMenu(CMenu* pPopup) override;
    BOOL OnBeforeDrag() const override { return FALSE; }

    const CString& GetTextA() const { return m_strTextA; }
    void SetTextA(const CString& text) { m_strTextA = text; }
    const CString& GetToolTipText() const { return m_strToolTip; }
    void SetToolTipText(const CString& text) { m_strToolTip = text; }
    const CString& GetTextC() const { return m_strTextC; }
    void SetTextC(const CString& text) { m_strTextC = text; }
    // Not stored: the add-in sets it while it runs.
    BOOL IsButtonEnabled() const { return m_bEnabled; }
    void SetButtonEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }

private:
    CString m_strTextA;
    CString m_strToolTip;
    CString m_strTextC;
    BOOL m_bEnabled = TRUE;
};
