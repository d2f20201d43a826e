#pragma once
// The picture of a hatch pattern in the pattern dialogs: made by the data model's pattern renderer at the
// preview control's client size (kept from the first build), rebuilt only when marked outdated, and drawn
// centred into the control's owner-draw rectangle.

#include <memory>

#include <QtGui/QImage>

#include "platform/afx/AfxTypes.h"

class CWnd;
class Draw2dDocument;
class HatchPatternBase;
struct DRAWITEMSTRUCT;

class HatchPatternPreview
{
public:
    HatchPatternPreview();
    ~HatchPatternPreview();

    BOOL IsOutdated() const { return m_bOutdated; }
    // Marks the picture outdated and has the control redraw it.
    void MarkOutdated(CWnd* pControl);
    // Rebuilds an outdated picture (white when the renderer gives nothing); nothing without a control.
    void Build(const Draw2dDocument* pDocument, const HatchPatternBase* pPattern, CWnd* pControl);
    // Rebuilds when outdated, then draws the picture centred in the item rectangle at its own size.
    void Paint(const DRAWITEMSTRUCT* pDrawItem, const Draw2dDocument* pDocument, const HatchPatternBase* pPattern,
               CWnd* pControl);
    const QImage* GetImage() const { return m_pImage.get(); }

private:
    std::unique_ptr<QImage> m_pImage;
    BOOL m_bOutdated = TRUE;
};
