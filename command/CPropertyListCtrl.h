#pragma once
// A vertical list of name/value rows (PropertyListItem) whose selected row is edited in place. The
// list decides nothing about values: a changed value, a typed text, a request to finish a pick,
// Escape and a step to another alternative go to its owner by message, and the owner's answer says
// whether the list keeps or refuses the input. Below the rows an optional pane shows the selected
// row's caption and prompt, behind a splitter the user can drag.

#include <string>
#include <vector>

#include "platform/afx/CString.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/CImageList.h"
#include "platform/win/CScrollBar.h"
#include "platform/win/CWnd.h"

class CDC;
class CToolTipCtrl;
class PropertyListItem;

namespace QZ2Command {
class ParameterHistory;
}

// Messages to the owner.
constexpr UINT WM_PROPERTYLIST_SELCHANGED = 0x8000;
constexpr UINT WM_PROPERTYLIST_COMMITSELECTION = 0x8006;
constexpr UINT PLN_VALUECHANGED = 0x8001;
constexpr UINT PLN_TEXTENTERED = 0x8002;
constexpr UINT PLN_PICKREQUEST = 0x8003;
constexpr UINT PLN_ESCAPE = 0x8004;
constexpr UINT PLN_ALTERNATIVE = 0x800A;

// The record of a WM_NOTIFY from the list; it lives only while the owner handles the message.
struct PROPERTYLISTNOTIFY {
    NMHDR hdr;
    int nIndex = -1;
    // The row concerned (the list's own row, or a clone holding the new value).
    PropertyListItem* pItem = nullptr;
    // PLN_ALTERNATIVE: 0 previous, 1 next.
    int nDirection = 0;
    CString strText;
    BOOL bEnter = FALSE;
};

class CPropertyListCtrl : public CWnd
{
    DECLARE_DYNCREATE(CPropertyListCtrl)
public:
    // Hit-test parts of a row.
    enum { partPrevious = 0, partNext = 1, partCaption = 2, partValue = 3 };
    static constexpr int kGutter = 15;
    static constexpr int kScrollBarId = 1;

    CPropertyListCtrl();
    ~CPropertyListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- rows ----
    int AddItem(const PropertyListItem& item, BOOL bRedraw = TRUE);
    int InsertItem(int nIndex, const PropertyListItem& item, BOOL bRedraw = TRUE);
    // The row takes the given value and presentation; it keeps its own editor and selection.
    BOOL SetItem(int nIndex, const PropertyListItem& item, BOOL bRedraw = TRUE);
    // Throws CInvalidArgException for an index out of range.
    PropertyListItem* GetItem(int nIndex) const;
    BOOL DeleteItem(int nIndex);
    void DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    int GetCurSel() const;
    PropertyListItem* GetCurItem() const;
    BOOL SetCurSel(int nIndex);
    void EnsureVisible(int nIndex);
    int FindItem(const PropertyListItem* pItem) const;

    // ---- layout ----
    void RecalcLayout();
    void RecalcLayout(BOOL bInvalidate);
    int GetRowHeight() const { return m_nRowHeight; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetVisibleRowCount() const;
    int GetLastVisibleRow() const;
    BOOL ScrollTo(int nFirst);
    CRect GetListArea() const { return m_rcList; }
    CRect GetDescriptionArea() const { return m_rcDescription; }
    CRect GetRowRect(int nIndex) const;
    CRect GetValueRect(int nIndex) const;
    int GetSplitX() const;

    virtual int HitTest(CPoint point, int* pPart) const;
    virtual CRect GetCaptionRect(int nIndex) const;
    virtual CRect GetCaptionTextRect(int nIndex, BOOL bWithShortcut);
    virtual CRect GetValueTextRect(int nIndex);
    virtual void DrawRows(CDC* pDC);
    virtual void DrawDescription(CDC* pDC);
    virtual void DrawItemCaption(CDC* pDC, int nIndex, const CRect& rect);
    virtual void DrawItemValue(CDC* pDC, int nIndex, const CRect& rect);

    // ---- editing ----
    BOOL EndEdit(BOOL bCommit, BOOL bEnter, BOOL bDestroyEditor);
    BOOL StartEdit();
    void OnEnterKey();
    void OnBackspaceKey();
    // Escape: a splitter drag ends, an open drop-down closes, typing in the editor is undone (the
    // list takes the focus), and otherwise the owner hears PLN_ESCAPE.
    void OnEscapeKey(BOOL bFromEditor);
    BOOL StepAlternative(int nIndex, int nDirection);
    // Delete on entry nEntry of the selected row's open history list: the value leaves the history
    // and the list. FALSE when the entry is no history entry.
    BOOL DeleteHistoryEntry(int nEntry);

    // The tip text for a client point (caption with its key, or a value that does not fit).
    BOOL GetToolTipText(CPoint point, CString& text);

    // What the rows need of the list.
    CFont* GetListFont();
    CFont* GetBoldFont();
    CImageList* GetArrowImages();
    BOOL HasFocusInside() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Set by the owner after creation.
    BOOL m_bShowArrows = FALSE;
    BOOL m_bEmphasizeGiven = FALSE;
    BOOL m_bShowDescription = TRUE;
    int m_nDescriptionHeight = 100;
    QZ2Command::ParameterHistory* m_pParameterHistory = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT SendNotify(UINT nCode, int nIndex, PropertyListItem* pItem, const CString& text, BOOL bEnter, int nDirection = 0);
    CWnd* NotifyTarget() const;
    void UpdateScrollBar();
    void UpdateImeState();
    void OnEditorButtonClicked();
    void FollowEditor();
    void InvalidateRow(int nIndex);
    void DrawDragLine(int y);
    BOOL IsOnSplitter(CPoint point) const;
    BOOL PlaceToolTip();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommitSelection(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

    int m_nRowHeight = 20;
    PropertyListItem* m_pCurrent = nullptr;
    std::vector<PropertyListItem*> m_rows;
    CFont m_font;
    CFont m_boldFont;
    CScrollBar m_scrollBar;
    CImageList m_arrowImages;
    int m_nFirstVisible = 0;
    CRect m_rcList;
    CRect m_rcDescription;
    BOOL m_bDragging = FALSE;
    CRect m_rcDrag;
    int m_nTipRow = -1;
    int m_nTipPart = -1;
    CToolTipCtrl* m_pToolTip = nullptr;
    CPoint m_ptLastMouse{-1, -1};
    std::u16string m_tipText;
    // Set while an owner's notification runs: rows may be rebuilt under the list.
    int m_nNotifyDepth = 0;
    // An event filter on an open history list's view (Delete removes an entry).
    class HistoryKeyFilter;
    HistoryKeyFilter* m_pHistoryFilter = nullptr;
};
