#pragma once
// The built-in hatch patterns as small pictures with their names beneath, drawn in the colours and the
// transparency the hatch style page is editing, so that a pattern is picked as it will look. An item's
// index is its pattern number.

#include <QtGui/QImage>

#include "platform/win/CListCtrl.h"

class CImageList;

class CHatchPatternListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CHatchPatternListCtrl)
public:
    CHatchPatternListCtrl();
    ~CHatchPatternListCtrl() override;

    // Makes the pictures anew and one item per pattern; FALSE, nothing changed, when the pictures fail.
    BOOL FillPatterns();
    // New pictures in the current colours; items and selection stay.
    BOOL UpdatePatternImages();
    // A transparency outside 0-1 is refused (FALSE, nothing stored).
    BOOL SetColors(COLORREF background, COLORREF line, float transparency);
    BOOL SetBackColor(COLORREF background);
    BOOL SetLineColor(COLORREF line);
    BOOL SetTransparency(float transparency);
    // 0 to the last pattern: selected, focused and shown; -1: nothing changes (FALSE); any other number
    // clears the selection.
    BOOL SelectPattern(int nPattern);
    int GetSelectedPattern() const;

    COLORREF GetBackColor() const { return m_backColor; }
    COLORREF GetLineColor() const { return m_lineColor; }
    double GetTransparency() const { return m_dTransparency; }
    CImageList* GetPatternImages() const { return m_pImageList; }
    // One pattern's picture: the pattern in the line colour over the background colour, both with the
    // transparency, on white, framed in black.
    static QImage CreatePatternImage(int nPattern, COLORREF background, COLORREF line, double transparency,
                                     int nWidth, int nHeight);

private:
    CImageList* CreatePatternImageList() const;
    void ArrangeIcons();

    COLORREF m_backColor = 0x000000FF;
    COLORREF m_lineColor = 0x0000FF00;
    double m_dTransparency = 0.0;
    CImageList* m_pImageList = nullptr;
    int m_nImageWidth = 48;
    int m_nImageHeight = 48;
};
