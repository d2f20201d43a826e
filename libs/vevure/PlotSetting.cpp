#include "libs/vevure/PlotSetting.h"

#include <cmath>

#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/afx/CArchive.h"

BOOL PlotSetting::IsValidOffset(double d) { return std::isfinite(d) && std::fabs(d) <= kMaxOffset; }

BOOL PlotSetting::IsValidScale(double d) { return std::isfinite(d) && d > 0.0 && d <= kMaxScale; }

BOOL PlotSetting::SetPaperType(short nPaper)
{
    if (nPaper <= 0)
        return FALSE;
    m_nPaperType = nPaper;
    return TRUE;
}

BOOL PlotSetting::SetOrientType(int nOrient)
{
    if (nOrient != orientPortrait && nOrient != orientLandscape)
        return FALSE;
    m_nOrientType = nOrient;
    return TRUE;
}

BOOL PlotSetting::SetOffset(double dX, double dY)
{
    if (!IsValidOffset(dX) || !IsValidOffset(dY))
        return FALSE;
    m_dOffsetX = dX;
    m_dOffsetY = dY;
    return TRUE;
}

BOOL PlotSetting::SetScaleMode(int nMode)
{
    if (nMode != scaleFit && nMode != scaleRatio)
        return FALSE;
    m_nScaleMode = nMode;
    return TRUE;
}

BOOL PlotSetting::SetScale(double dScale)
{
    if (!IsValidScale(dScale))
        return FALSE;
    m_dScale = dScale;
    return TRUE;
}

BOOL PlotSetting::SetRangeMode(int nMode)
{
    if (nMode < rangePaper || nMode > rangePrintRange)
        return FALSE;
    m_nRangeMode = nMode;
    return TRUE;
}

BOOL PlotSetting::SetConvertColorMode(int nMode)
{
    if (nMode != colorAsDrawn && nMode != colorBlack)
        return FALSE;
    m_nColorMode = nMode;
    return TRUE;
}

BOOL PlotSetting::IsValid() const
{
    return m_nPaperType > 0 && (m_nOrientType == orientPortrait || m_nOrientType == orientLandscape) &&
           IsValidOffset(m_dOffsetX) && IsValidOffset(m_dOffsetY) &&
           (m_nScaleMode == scaleFit || m_nScaleMode == scaleRatio) && IsValidScale(m_dScale) &&
           m_nRangeMode >= rangePaper && m_nRangeMode <= rangePrintRange &&
           (m_nColorMode == colorAsDrawn || m_nColorMode == colorBlack) && (m_bLineWidth == TRUE || m_bLineWidth == FALSE) &&
           (m_bPointMarker == TRUE || m_bPointMarker == FALSE);
}

void PlotSetting::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(kSchema) << m_nPaperType << m_nOrientType << m_dOffsetX << m_dOffsetY << m_nScaleMode
           << m_dScale << m_nRangeMode << m_nColorMode << static_cast<int>(m_bLineWidth)
           << static_cast<int>(m_bPointMarker);
        return;
    }
    WORD schema = 0;
    ar >> schema;
    if (schema == 0 || schema > kSchema)
        ar.ThrowArchiveException(CArchiveException::badSchema);
    PlotSetting loaded;
    int lineWidth = 0, pointMarker = 0;
    ar >> loaded.m_nPaperType >> loaded.m_nOrientType >> loaded.m_dOffsetX >> loaded.m_dOffsetY >>
        loaded.m_nScaleMode >> loaded.m_dScale >> loaded.m_nRangeMode >> loaded.m_nColorMode >> lineWidth >>
        pointMarker;
    loaded.m_bLineWidth = lineWidth;
    loaded.m_bPointMarker = pointMarker;
    *this = loaded.IsValid() ? loaded : PlotSetting();
}

int PlotSetting::GetEffectiveRangeMode(const DrawingFeatureBase& drawing) const
{
    if (m_nRangeMode == rangePaper)
        return drawing.IsPaperFeature() ? rangePaper : rangeExtents;
    if (m_nRangeMode == rangePrintRange)
        return drawing.GetPrintRange().IsVoid() ? rangeExtents : rangePrintRange;
    return rangeExtents;
}

BOOL PlotSetting::GetPlotRange(const Draw2dDocument& doc, const DrawingFeatureBase& drawing, RuVaBndBox2d& box) const
{
    box = RuVaBndBox2d();
    switch (GetEffectiveRangeMode(drawing)) {
    case rangePaper: {
        double w = 0, h = 0;
        static_cast<const Paper2dFeature&>(drawing).GetPaperSize(w, h);
        box = RuVaBndBox2d(RuVaPnt2d(0, 0), RuVaPnt2d(w, h));
        break;
    }
    case rangePrintRange:
        box = drawing.GetPrintRange();
        break;
    default: {
        RuVaBndBox2d own;
        if (drawing.IsPrintable() && doc.GetAllFeatureBox(&drawing, own, Draw2dDocument::kFeatureBoxPrintedOnly) && !own.IsVoid())
            box.Add(own);
        for (int i = 0; i < drawing.GetPartLayoutCount(); ++i) {
            const PartDrawingLayout* layout = drawing.GetPartLayout(i);
            const DrawingFeatureBase* part = doc.GetDrawingFeatureByID(layout->GetDrawingID());
            RuVaBndBox2d local, world;
            if (part != nullptr && part->IsPrintable() &&
                doc.GetAllFeatureBox(part, local, Draw2dDocument::kFeatureBoxPrintedOnly) && !local.IsVoid()) {
                layout->ConvertBoxLocalToWorld(local, world);
                box.Add(world);
            }
        }
        break;
    }
    }
    return box.IsVoid() ? FALSE : TRUE;
}
