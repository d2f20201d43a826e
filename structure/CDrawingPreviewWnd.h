#pragma once
// The large picture of the papers selected in the drawing table: the papers tiled side by side and
// fitted into the window, drawn once and kept until a setter, a size change or a document change
// throws the picture away.

#include <memory>
#include <vector>

#include "platform/win/CWnd.h"

class QImage;
class Draw2dDocument;

class CDrawingPreviewWnd : public CWnd
{
    DECLARE_DYNAMIC(CDrawingPreviewWnd)
public:
    CDrawingPreviewWnd();
    ~CDrawingPreviewWnd() override;

    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetDocument(Draw2dDocument* pDocument);
    void SetDrawing(long nDrawingID);
    void SetDrawings(const std::vector<long>& drawingIDs);
    void SetImageMode(int nMode);
    void InvalidateImage();
    const std::vector<long>& GetDrawings() const { return m_drawingIDs; }
    int GetImageMode() const { return m_nImageMode; }
    BOOL HasCachedImage() const { return m_pImage != nullptr; }

    // The papers tiled into one picture of at most w x h on white (NULL for nothing to show).
    static QImage* CreatePapersImage(Draw2dDocument* pDocument, const std::vector<long>& drawingIDs, int nWidth,
                                     int nHeight);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    Draw2dDocument* m_pDocument = nullptr;
    std::vector<long> m_drawingIDs;
    int m_nImageMode = 2;
    std::unique_ptr<QImage> m_pImage;
};
