#pragma once
// The document's selection filter: an enabled flag (mode) and seven part filters. While the mode is 0 every
// shape passes; otherwise a shape must pass every part filter that is not empty.

#include "platform/afx/AfxTypes.h"
#include "libs/vevure/SelectionAttributeFilter.h"
#include "libs/vevure/SelectionColorFilter.h"
#include "libs/vevure/SelectionDrawingFilter.h"
#include "libs/vevure/SelectionFeatureFilter.h"
#include "libs/vevure/SelectionLayerFilter.h"
#include "libs/vevure/SelectionLineTypeFilter.h"
#include "libs/vevure/SelectionLineWidthFilter.h"

class Draw2dDocument;
class Feature2dBase;

class SelectionFilter
{
public:
    SelectionFilter() = default;
    SelectionFilter(const SelectionFilter&) = default;
    SelectionFilter& operator=(const SelectionFilter&) = default;
    bool operator==(const SelectionFilter& o) const;
    bool operator!=(const SelectionFilter& o) const { return !(*this == o); }

    int GetSelectionFilterMode() const { return m_nMode; }
    void SetSelectionFilterMode(int nMode) { m_nMode = nMode ? 1 : 0; }

    SelectionFeatureFilter& GetFeatureFilter() { return m_feature; }
    const SelectionFeatureFilter& GetFeatureFilter() const { return m_feature; }
    SelectionLayerFilter& GetLayerFilter() { return m_layer; }
    const SelectionLayerFilter& GetLayerFilter() const { return m_layer; }
    SelectionDrawingFilter& GetDrawingFilter() { return m_drawing; }
    const SelectionDrawingFilter& GetDrawingFilter() const { return m_drawing; }
    SelectionColorFilter& GetColorFilter() { return m_color; }
    const SelectionColorFilter& GetColorFilter() const { return m_color; }
    SelectionLineTypeFilter& GetLineTypeFilter() { return m_lineType; }
    const SelectionLineTypeFilter& GetLineTypeFilter() const { return m_lineType; }
    SelectionLineWidthFilter& GetLineWidthFilter() { return m_lineWidth; }
    const SelectionLineWidthFilter& GetLineWidthFilter() const { return m_lineWidth; }
    SelectionAttributeFilter& GetAttributeFilter() { return m_attribute; }
    const SelectionAttributeFilter& GetAttributeFilter() const { return m_attribute; }

    // Whole-filter test of a shape on a drawing. The shape's own colour, line-type and line-width numbers are
    // tested; with a document, numbers that follow the layer (0) are tested as the layer's numbers.
    BOOL IsFeatureSelectable(const Feature2dBase* pFeature, long nDrawingID,
                             const Draw2dDocument* pDocument = nullptr) const;
    // The same for a record of a document.
    BOOL IsFeatureSelectable(const Draw2dDocument* pDocument, long nRecordID) const;

private:
    int m_nMode = 0;
    SelectionFeatureFilter m_feature;
    SelectionLayerFilter m_layer;
    SelectionDrawingFilter m_drawing;
    SelectionColorFilter m_color;
    SelectionLineTypeFilter m_lineType;
    SelectionLineWidthFilter m_lineWidth;
    SelectionAttributeFilter m_attribute;
};
