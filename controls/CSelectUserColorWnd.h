#pragma once
// The second palette of the colour combo: the table colours 17-256 in 24 columns of 10, filled column by
// column. It belongs to the first palette, which it tells the chosen number (EndSelection) and to which
// it hands the mouse capture back when the mouse leaves it.

#include <vector>

#include "controls/ColorCellFeature.h"
#include "platform/win/CToolTipCtrl.h"
#include "platform/win/CWnd.h"

class ColorFeatureTable;
class CSelectColorWnd;

class CSelectUserColorWnd : public CWnd
{
    DECLARE_DYNAMIC(CSelectUserColorWnd)
public:
    static constexpr int kWidth = 442;
    static constexpr int kHeight = 190;
    static constexpr int kRows = 10;
    static constexpr int kFirst = 17;
    static constexpr int kLast = 256;

    explicit CSelectUserColorWnd(BOOL bAutoDelete);
    ~CSelectUserColorWnd() override;

    BOOL Create(const RECT& parentPopupRect, CSelectColorWnd* pParent, const ColorFeatureTable* pTable);
    void SetCurrentNo(int nNumber) { m_nCurrentNo = nNumber; }
    void SetShowNumber(BOOL bShow) { m_bShowNumber = bShow; }
    void SetShowName(BOOL bShow) { m_bShowName = bShow; }
    int GetResultNo() const { return m_nResultNo; }
    // The colour number under a client point, 0 for none.
    int HitTest(CPoint point) const;
    // The client rectangle of a number's cell (empty for numbers outside 17-256).
    CRect GetCellRect(int nNumber) const;
    // The top-left corner beside the first palette's window rectangle inside the work area.
    static CPoint ComputePosition(const RECT& parentRect, const RECT& workArea);
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void Track(CPoint point, BOOL bPressed);
    // Hands the capture back to the first palette, passing the message on; TRUE when it did.
    BOOL HandBack(UINT message, UINT nFlags, CPoint point);

    CRect m_rectBlock;
    std::vector<ColorCellFeature> m_cells;
    CToolTipCtrl m_toolTip;
    CString m_strTip;
    int m_nCellWidth = 18;
    int m_nCellHeight = 18;
    CSelectColorWnd* m_pParentPopup = nullptr;
    BOOL m_bAutoDelete;
    int m_nColumns = 24;
    const ColorFeatureTable* m_pTable = nullptr;
    int m_nCurrentNo = 0;
    int m_nResultNo = 0;
    BOOL m_bShowNumber = TRUE;
    BOOL m_bShowName = FALSE;
    int m_nHot = 0;
    BOOL m_bHotPressed = FALSE;
};
