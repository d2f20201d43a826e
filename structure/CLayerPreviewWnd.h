#pragma once
// The large preview of the layer table's third mode: the shapes of the chosen layers (all layers below a
// chosen group) in one drawing, centred on a pale background. The picture is rendered once and kept until
// something that changes it happens (a setter, Refresh, a resize).

#include <memory>
#include <vector>

#include <QtGui/QImage>

#include "platform/afx/CDWordArray.h"
#include "platform/win/CWnd.h"

class Draw2dDocument;

class CLayerPreviewWnd : public CWnd
{
    DECLARE_DYNAMIC(CLayerPreviewWnd)
public:
    CLayerPreviewWnd();
    ~CLayerPreviewWnd() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL SetDocument(Draw2dDocument* pDocument);
    BOOL SetLayer(long nLayerID);
    BOOL SetLayers(const CDWordArray& ids);
    BOOL SetDrawing(long nDrawingID);
    BOOL SetPreviewOption(int nOption);
    BOOL SetBackColor(COLORREF color);
    BOOL Refresh();

    const std::vector<long>& GetLayerIDs() const { return m_layerIDs; }
    long GetDrawing() const { return m_nDrawingID; }
    // The cached picture (null when it must be rendered again) and how often it was rendered.
    const QImage* GetPicture() const { return m_pPicture.get(); }
    int GetRenderCount() const { return m_nRenderCount; }
    // The layers a render hands the renderer: groups give every layer below them.
    std::vector<long> CollectLayers() const;

protected:
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    void Drop();

    Draw2dDocument* m_pDocument = nullptr;
    std::vector<long> m_layerIDs;
    long m_nDrawingID = -1;
    int m_nPreviewOption = 2;
    COLORREF m_backColor = RGB(255, 255, 255);
    std::unique_ptr<QImage> m_pPicture;
    int m_nRenderCount = 0;
};
