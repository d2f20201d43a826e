#pragma once
// The colour chooser: a drop-down-list combo (CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, no items of its own)
// that shows one colour-table number as a painted row and opens the palette popup instead of a list.
// Numbers: 1-256 table colours, 0 by layer, -1 a user RGB colour, 32767 none. A choice reaches the owner
// as CBN_CLOSEUP then CBN_SELENDOK; a cancel as CBN_CLOSEUP alone.

#include "controls/CFlatComboBox.h"

class ColorFeatureTable;
class CSelectColorWnd;

class CSelectColorComboBox : public CFlatComboBox
{
    DECLARE_DYNAMIC(CSelectColorComboBox)
public:
    CSelectColorComboBox(BOOL bShowNumber = TRUE, BOOL bShowName = TRUE, BOOL bUserColorMode = FALSE,
                         BOOL bLayerButton = TRUE);
    ~CSelectColorComboBox() override;

    // Always TRUE; a null table also makes the number and the layer number 32767.
    BOOL SetColorTable(const ColorFeatureTable* pTable);
    const ColorFeatureTable* GetColorTable() const { return m_pTable; }
    // 32767 without a table.
    short GetColorNo() const;
    // FALSE without a table; otherwise stores the number as it is and repaints.
    BOOL SetColorNo(short nNumber);
    // FALSE without a table; the layer's colour when the by-layer button is on and the number is not 32767.
    BOOL SetLayerColorNo(short nNumber);
    int GetLayerColorNo() const { return m_nLayerColorNo; }
    // The number, with its RGB value in rgb (all bits set for none).
    short GetColor(COLORREF& rgb) const;
    // The table's number of the RGB value, else the user colour -1 keeping the value. Only with a table.
    void SetColorRef(COLORREF rgb);
    COLORREF GetUserColor() const { return m_userColor; }
    // Opens the palette under the combo; FALSE without a table or window.
    BOOL DropDown();
    CSelectColorWnd* GetPopup() const { return m_pPopup; }

    // Options the owner may switch after construction.
    void SetShowNumber(BOOL bShow) { m_bShowNumber = bShow; }
    BOOL IsShowNumber() const { return m_bShowNumber; }
    void SetShowName(BOOL bShow) { m_bShowName = bShow; }
    BOOL IsShowName() const { return m_bShowName; }
    void SetUserColorMode(BOOL bUserColorMode) { m_bUserColorMode = bUserColorMode; }
    BOOL IsUserColorMode() const { return m_bUserColorMode; }
    void SetLayerButton(BOOL bLayerButton) { m_bLayerButton = bLayerButton; }
    BOOL IsLayerButton() const { return m_bLayerButton; }
    void SetFocusHighlight(BOOL bHighlight) { m_bFocusHighlight = bHighlight; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The palette's answer: wParam the chosen number (1-256, 0 by layer, -1 the RGB dialog).
    virtual LRESULT OnColorChosen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorChosenMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorCancel(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDestroy();
    // Asks for any RGB value (user-colour mode); IDOK with rgb set, else IDCANCEL.
    virtual INT_PTR RunColorDialog(COLORREF& rgb);
    void Repaint();
    // Closes an open palette without an answer.
    void ClosePopup();

    CSelectColorWnd* m_pPopup = nullptr;
    const ColorFeatureTable* m_pTable = nullptr;
    int m_nColorNo = 0;
    int m_nLayerColorNo = 1;
    COLORREF m_userColor = 0;
    BOOL m_bShowNumber;
    BOOL m_bShowName;
    BOOL m_bUserColorMode;
    BOOL m_bLayerButton;
    BOOL m_bFocusHighlight = TRUE;

    DECLARE_MESSAGE_MAP()
};
