#pragma once
// The property object of one drawing: a paper (name, state, paper size, orientation, print state and
// scale) or a part drawing, and when the part drawing is seen through one of its part layouts on a
// paper, that layout (name, origin, angle, scale fractions, clipping region). The drawing and the
// layout are held by id and looked up at each use: undo and redo replace the document's drawing records.

#include "property/FeaturePropertyBase.h"

class DrawingFeatureBase;
class PartDrawingLayout;

namespace QZ2Command {

class DrawingFeatureProperty : public FeaturePropertyBase
{
    DECLARE_DYNCREATE(DrawingFeatureProperty)
public:
    enum {
        idDrawingName = 98, idLayoutName = 99, idState = 100, idOrigin = 101, idAngle = 102, idScaleNumX = 103,
        idScaleDenX = 104, idScaleYDiffers = 105, idScaleNumY = 106, idScaleDenY = 107, idPrintable = 108,
        idPaperSizeType = 111, idPaperOrientation = 112, idPaperWidth = 113, idPaperHeight = 114,
        idPrintScale = 115, idRegion = 116
    };
    static constexpr UINT kStateChoices = 10827;
    static constexpr UINT kYesNoChoices = 10932;
    static constexpr UINT kScaleYChoices = 10844;
    // The command that draws a part layout's clipping region.
    static constexpr UINT kChangeLayoutCommand = 34347;

    DrawingFeatureProperty();
    // pLayout may be NULL (a drawing seen on its own).
    DrawingFeatureProperty(Draw2dDocument* pDocument, const DrawingFeatureBase* pDrawing,
                           const PartDrawingLayout* pLayout);
    ~DrawingFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    BOOL IsSameTarget(const FeaturePropertyBase* pOther) const override;
    void CopyFrom(const FeaturePropertyBase* pOther) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
    int OnDocumentNotify(const NotifyInfoBase* pInfo) override;

    long GetDrawingID() const { return m_nDrawingID; }
    long GetLayoutID() const { return m_nLayoutID; }
    // The records now; NULL when gone (or no layout was given).
    DrawingFeatureBase* GetDrawing() const;
    PartDrawingLayout* GetPartLayout() const;

protected:
    // A part drawing shown through a layout.
    BOOL HasLayoutRows() const;
    BOOL IsOffered(WORD wId) const;
    BOOL ApplyScale(WORD wId, ParameterItemBase* pItem);
    BOOL StartRegionCommand();

    long m_nDrawingID = -1;
    long m_nLayoutID = -1;
};

}  // namespace QZ2Command
