#pragma once
// A combo box that shows one value of a document and offers the others in a pop-up tree (a
// CDropDownTreeCtrlT) instead of a list. The tree is made anew at every opening, so that it shows the
// document as it is then; it opens under the combo (above it near the screen's bottom, kept on the
// monitor). A click, Down or Alt+Down opens it; Enter or a click on a row chooses, Escape or a click
// outside keeps the value. A choice is posted to the owner as CBN_SELENDOK. The kind of value, the tree
// and the text shown are the derived combo's.

#include "controls/CFlatComboBox.h"

class CTreeCtrl;
class Draw2dDocument;

class CTreeComboBox : public CFlatComboBox
{
    DECLARE_DYNAMIC(CTreeComboBox)
public:
    explicit CTreeComboBox(UINT nChoiceCommand);
    ~CTreeComboBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    void SetDocument(Draw2dDocument* pDocument) { m_pDocument = pDocument; }
    Draw2dDocument* GetDocument() const { return m_pDocument; }

    void ShowDropDown();
    void HideDropDown();
    BOOL IsDropDownVisible() const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The tree window, created as a pop-up owned by the combo (the object made when there is none yet).
    virtual CTreeCtrl* CreateDropDownTree() = 0;
    // Fills the created tree from the document (its font is set by then).
    virtual void FillDropDownTree() = 0;
    // Puts the tree's caret on the value shown.
    virtual void SelectValueInDropDown() = 0;
    // Takes the tree's chosen row as the value; FALSE when no row is chosen.
    virtual BOOL TakeDropDownChoice() = 0;
    // The text the field shows.
    virtual CString GetValueText() const = 0;
    // Draws a picture before the text in rcItem; how far the text moves right.
    virtual int DrawValueImage(CDC* pDC, const CRect& rcItem)
    {
        (void)pDC;
        (void)rcItem;
        return 0;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnShowDropDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDroppedState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void OnDropDownSelect();
    void DestroyDropDown();

    CTreeCtrl* m_pDropDownTree = nullptr;
    Draw2dDocument* m_pDocument = nullptr;
    const UINT m_nChoiceCommand;
};
