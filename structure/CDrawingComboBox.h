#pragma once
// A combo box that shows one drawing or part layout of a document and offers the others in a pop-up
// drawing tree instead of a list. A choice is posted to the owner as CBN_SELENDOK; the owner reads the
// new value with GetSelection. Which items the tree lists is the option mask (CDrawingTreeCtrl's bits).
// The value is kept as ids: undo and redo replace the document's drawing records.

#include "controls/CFlatComboBox.h"

class Draw2dDocument;
class DrawingFeatureBase;
class PartDrawingLayout;
class CDrawingDropDownTreeCtrl;

class CDrawingComboBox : public CFlatComboBox
{
    DECLARE_DYNAMIC(CDrawingComboBox)
public:
    CDrawingComboBox();
    ~CDrawingComboBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    void SetDocument(Draw2dDocument* pDocument) { m_pDocument = pDocument; }
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void SetSelection(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout);
    // The drawing and layout shown, as the document holds them now (NULL when none or gone).
    BOOL GetSelection(const DrawingFeatureBase*& pDrawing, const PartDrawingLayout*& pLayout) const;
    long GetDrawingID() const { return m_nDrawingID; }
    long GetLayoutID() const { return m_nLayoutID; }
    // The text the field shows: the layout's name, else the drawing's.
    CString GetSelectionText() const;

    void ShowDropDown();
    void HideDropDown();
    BOOL IsDropDownVisible() const;
    CDrawingDropDownTreeCtrl* GetDropDownTree() const { return m_pDropDown; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The tree's option mask: papers and part drawings, no root, no layouts unless asked.
    WORD m_wTreeOptions = 0x06;

protected:
    // A drawing was chosen (the value is the combo's already); before the owner hears of it.
    virtual void OnDrawingChosen() {}

    afx_msg void OnDropDownSelect();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnShowDropDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDroppedState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void DestroyDropDown();

    CDrawingDropDownTreeCtrl* m_pDropDown = nullptr;
    Draw2dDocument* m_pDocument = nullptr;
    long m_nDrawingID = -1;
    long m_nLayoutID = -1;
};
