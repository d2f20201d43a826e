#pragma once
// A combo box that shows one layer or layer group of a document and offers the others in a pop-up
// layer tree instead of a list. A choice is posted to the owner as CBN_SELENDOK; the owner reads the
// new id with GetLayerID. Which rows the tree offers is the owner's option mask (CLayerTreeCtrl).

#include "controls/CFlatComboBox.h"

class Draw2dDocument;
class CLayerDropDownTreeCtrl;

class CLayerComboBox : public CFlatComboBox
{
    DECLARE_DYNAMIC(CLayerComboBox)
public:
    // Display option: a folder image before the root group and before groups.
    static constexpr WORD kShowFolders = 0x01;

    CLayerComboBox();
    ~CLayerComboBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    void SetDocument(Draw2dDocument* pDocument) { m_pDocument = pDocument; }
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void SetTreeOptions(WORD wOptions);
    WORD GetTreeOptions() const { return m_wTreeOptions; }
    void SetDisplayOptions(WORD wOptions) { m_wDisplayOptions = wOptions; }
    void SetLayerID(long nLayerID);
    long GetLayerID() const { return m_nLayerID; }

    void ShowDropDown();
    void HideDropDown();
    BOOL IsDropDownVisible() const;
    CLayerDropDownTreeCtrl* GetDropDownTree() const { return m_pDropDown; }
    // The text the field shows for the id (empty for an id the document lacks).
    CString GetLayerText() const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // A layer was chosen (the id is the combo's already); before the owner hears of it.
    virtual void OnLayerChosen(long nLayerID) { (void)nLayerID; }

    afx_msg void OnDropDownSelect();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnShowDropDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDroppedState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CLayerDropDownTreeCtrl* m_pDropDown = nullptr;
    Draw2dDocument* m_pDocument = nullptr;
    long m_nLayerID = -1;
    WORD m_wTreeOptions = 0x37;
    WORD m_wDisplayOptions = 0;
};
