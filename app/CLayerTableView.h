#pragma once
// The layer table tab of a document window: the layers of the document, counted and previewed for one
// drawing. The tab view makes it from its run-time class, gives it the drawing and saves that drawing's id
// with the window's tabs.

#include "app/CQZ2BaseView.h"

class CLayerTableView : public CQZ2BaseView
{
    DECLARE_DYNCREATE(CLayerTableView)
public:
    CLayerTableView();
    ~CLayerTableView() override;

    // The drawing whose shapes are counted and previewed, -1 for none.
    BOOL SetDrawing(long nDrawingID);
    long GetDrawingID() const { return m_nDrawingID; }
    BOOL SetThumbnailBackColor(COLORREF color);
    COLORREF GetThumbnailBackColor() const { return m_thumbnailBackColor; }

    void OnDocumentNotify(NotifyInfoBase* pInfo) override;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    long m_nDrawingID = -1;
    COLORREF m_thumbnailBackColor;
};
