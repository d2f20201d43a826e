#include "libs/vevure/SelectionFilter.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/LayerFeatureTable.h"

bool SelectionFilter::operator==(const SelectionFilter& o) const
{
    return m_nMode == o.m_nMode && m_feature == o.m_feature && m_layer == o.m_layer && m_drawing == o.m_drawing &&
           m_color == o.m_color && m_lineType == o.m_lineType && m_lineWidth == o.m_lineWidth &&
           m_attribute == o.m_attribute;
}

BOOL SelectionFilter::IsFeatureSelectable(const Feature2dBase* pFeature, long nDrawingID,
                                          const Draw2dDocument* pDocument) const
{
    if (pFeature == nullptr)
        return FALSE;
    if (m_nMode == 0)
        return TRUE;
    if (!m_feature.IsFeatureSelectable(pFeature->GetFeatureType()))
        return FALSE;
    const long layer = pFeature->GetLayerID();
    if (!m_layer.IsLayerSelectable(layer) || !m_drawing.IsDrawingSelectable(nDrawingID))
        return FALSE;
    int colorNo = pFeature->GetColorNo();
    int lineTypeNo = pFeature->GetLineTypeNo();
    int lineWidthNo = pFeature->GetLineWidthNo();
    const LayerFeatureTable* pLayers = pDocument ? pDocument->GetLayerTable() : nullptr;
    if (pLayers != nullptr && pLayers->IsExistLayerID(layer)) {
        if (colorNo == 0)
            colorNo = pLayers->GetLayerColorNo(layer);
        if (lineTypeNo == 0)
            lineTypeNo = pLayers->GetLayerLineTypeNo(layer);
        if (lineWidthNo == 0)
            lineWidthNo = pLayers->GetLayerLineWidthNo(layer);
    }
    return (m_color.IsColorSelectable(colorNo) && m_lineType.IsLineTypeSelectable(static_cast<short>(lineTypeNo)) &&
            m_lineWidth.IsLineWidthSelectable(lineWidthNo) &&
            m_attribute.IsAttributeSelectable(pFeature->GetAttribute()))
               ? TRUE
               : FALSE;
}

BOOL SelectionFilter::IsFeatureSelectable(const Draw2dDocument* pDocument, long nRecordID) const
{
    if (pDocument == nullptr || nRecordID <= 0)
        return FALSE;
    return IsFeatureSelectable(pDocument->GetFeature(nRecordID), pDocument->GetFeatureDrawingID(nRecordID),
                               pDocument);
}
