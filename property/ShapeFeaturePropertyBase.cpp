#include "property/ShapeFeaturePropertyBase.h"

#include <cmath>
#include <memory>

#include "command/ColorParameterItem.h"
#include "command/CommandManager.h"
#include "command/DrawingParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LayerParameterItem.h"
#include "command/LineTypeParameterItem.h"
#include "command/LineWidthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/DoubleParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TransformFeature.h"
#include "property/Arc2dFeatureProperty.h"
#include "property/BSplineCurve2dFeatureProperty.h"
#include "property/Circle2dFeatureProperty.h"
#include "property/DrawingFeatureProperty.h"
#include "property/Ellipse2dFeatureProperty.h"
#include "property/EllipseArc2dFeatureProperty.h"
#include "property/InfiniteLine2dFeatureProperty.h"
#include "property/Line2dFeatureProperty.h"
#include "property/PointMarker2dFeatureProperty.h"
#include "property/Polyline2dFeatureProperty.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ShapeFeaturePropertyBase, FeaturePropertyBase)

namespace {

CommandManager*& TheManager()
{
    static CommandManager* s_pManager = nullptr;
    return s_pManager;
}

// Kinds with a line type (6) and a line width (7); every kind of the factory has rows 1-4.
BOOL HasColor(int nType)
{
    switch (nType) {
    case FeatureTypeHatch:
    case FeatureTypeDrawGroup:
    case FeatureTypeDrawComponent:
    case FeatureTypeImage:
    case FeatureTypeOleObject:
        return FALSE;
    default:
        return TRUE;
    }
}

BOOL HasLineWidth(int nType)
{
    switch (nType) {
    case FeatureTypeLine: case FeatureTypePolyline: case FeatureTypeCircle: case FeatureTypeArc:
    case FeatureTypeEllipse: case FeatureTypeEllipseArc: case FeatureTypeBSplineCurve:
    case FeatureTypeInfiniteLine: case FeatureTypeSemiInfiniteLine: case FeatureTypeTolerance:
    case FeatureTypeLead: case FeatureTypeBalloon:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL HasLineType(int nType)
{
    return HasLineWidth(nType) && nType != FeatureTypeLead && nType != FeatureTypeBalloon;
}

}  // namespace

ShapeFeaturePropertyBase::ShapeFeaturePropertyBase() { m_nKind = kindShape; }

ShapeFeaturePropertyBase::ShapeFeaturePropertyBase(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : m_nRecordID(nRecordID), m_nLayoutID(nLayoutID)
{
    m_nKind = kindShape;
    m_pDocument = pDocument;
}

ShapeFeaturePropertyBase::~ShapeFeaturePropertyBase() = default;

void ShapeFeaturePropertyBase::SetCommandManager(CommandManager* pManager) { TheManager() = pManager; }

CommandManager* ShapeFeaturePropertyBase::GetCommandManager() { return TheManager(); }

UINT ShapeFeaturePropertyBase::GetKindNameStringId(int nFeatureType)
{
    switch (nFeatureType) {
    case FeatureTypePointMarker: return 10949;
    case FeatureTypeLine: return 10950;
    case FeatureTypePolyline: return 10951;
    case FeatureTypeCircle: return 10952;
    case FeatureTypeArc: return 10953;
    case FeatureTypeEllipse: return 10954;
    case FeatureTypeEllipseArc: return 10955;
    case FeatureTypeBSplineCurve: return 10956;
    case FeatureTypeInfiniteLine: return 10957;
    case FeatureTypeSemiInfiniteLine: return 10958;
    case FeatureTypeText: return 10959;
    case FeatureTypeLead: return 10960;
    case FeatureTypeBalloon: return 10961;
    case FeatureTypeTolerance: return 10962;
    case FeatureTypeHatch: return 10963;
    case FeatureTypeLinearDimension: return 10964;
    case FeatureTypeParallelDimension: return 10965;
    case FeatureTypeRadiusDimension: return 10966;
    case FeatureTypeDiameterDimension: return 10967;
    case FeatureTypeAngularDimension: return 10968;
    case FeatureTypeArcDimension: return 10969;
    case FeatureTypeImage: return 10970;
    case FeatureTypeOleObject: return 10971;
    case FeatureTypeDrawGroup: return 10972;
    case FeatureTypeDrawComponent: return 10973;
    default: return 0;
    }
}

BOOL ShapeFeaturePropertyBase::IsCommonPropertyOffered(int nFeatureType, WORD wId)
{
    if (GetKindNameStringId(nFeatureType) == 0)
        return FALSE;
    switch (wId) {
    case idKind: case idNumber: case idDrawing: case idLayer: return TRUE;
    case idColor: return HasColor(nFeatureType);
    case idLineType: return HasLineType(nFeatureType);
    case idLineWidth: return HasLineWidth(nFeatureType);
    default: return FALSE;
    }
}

FeaturePropertyBase* ShapeFeaturePropertyBase::CreateFeatureProperty(Draw2dDocument* pDocument, long nRecordID,
                                                                     long nLayoutID)
{
    // Record ids start at 1; the document refuses 0 with an exception.
    if (pDocument == nullptr || nRecordID <= 0)
        return nullptr;
    const Feature2dBase* pShape = pDocument->GetFeature(nRecordID);
    if (pShape == nullptr)
        return nullptr;
    const int nType = pShape->GetFeatureType();
    if (nType < 1 || nType > 100)
        return nullptr;
    if (nType == FeatureTypePartLayout) {
        // A part layout picked as a shape: the layout's own record id names it.
        PartDrawingLayout* pLayout = pDocument->GetPartLayoutByID(nLayoutID);
        if (pLayout == nullptr)
            return nullptr;
        return new DrawingFeatureProperty(pDocument, pDocument->ChangeDrawingFeature(pLayout->GetDrawingID()), pLayout);
    }
    if (GetKindNameStringId(nType) == 0)
        return nullptr;
    switch (nType) {
    case FeatureTypePointMarker: return new PointMarker2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    case FeatureTypeLine: return new Line2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    case FeatureTypePolyline: return new Polyline2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    case FeatureTypeCircle: return new Circle2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    case FeatureTypeArc: return new Arc2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    case FeatureTypeEllipse: return new Ellipse2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    case FeatureTypeEllipseArc: return new EllipseArc2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    case FeatureTypeBSplineCurve: return new BSplineCurve2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: return new InfiniteLine2dFeatureProperty(pDocument, nRecordID, nLayoutID);
    default:
        // Kinds without rows of their own yet show the common rows.
        return new ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID);
    }
}

Feature2dBase* ShapeFeaturePropertyBase::GetFeature() const
{
    if (m_pDocument == nullptr || m_nRecordID <= 0)
        return nullptr;
    return m_pDocument->GetFeature(m_nRecordID);
}

int ShapeFeaturePropertyBase::GetFeatureType() const
{
    const Feature2dBase* pFeature = GetFeature();
    return pFeature != nullptr ? pFeature->GetFeatureType() : 0;
}

BOOL ShapeFeaturePropertyBase::IsEditable() const
{
    return m_pDocument != nullptr && m_pDocument->IsFeatureEditable(m_nRecordID) ? TRUE : FALSE;
}

BOOL ShapeFeaturePropertyBase::EditCopy(const std::function<int(Feature2dBase*)>& edit)
{
    const Feature2dBase* pFeature = GetFeature();
    if (pFeature == nullptr)
        return FALSE;
    std::unique_ptr<Feature2dBase> pCopy(pFeature->CopyObject(3));
    if (!pCopy)
        return FALSE;
    switch (edit(pCopy.get())) {
    case editUnchanged:
        return TRUE;
    case editChanged:
        return m_pDocument->UpdateFeature(m_nRecordID, pCopy.get(), 1, 3);
    default:
        return FALSE;
    }
}

void ShapeFeaturePropertyBase::SetRow(ParameterItemBase* pItem, WORD wId, UINT nCaption, BOOL bWithCaption,
                                      BOOL bEditable)
{
    pItem->SetId(wId);
    if (bWithCaption)
        pItem->SetCaption(nCaption);
    pItem->m_bRequired = bEditable && IsEditable() ? TRUE : FALSE;
}

BOOL ShapeFeaturePropertyBase::SetPointValue(ParameterItemBase* pItem, const RuVaPnt2d& point)
{
    auto* pPoint = dynamic_cast<PointParameterItem*>(pItem);
    return pPoint != nullptr && pPoint->SetValue(point);
}

BOOL ShapeFeaturePropertyBase::SetDoubleValue(ParameterItemBase* pItem, double value)
{
    auto* pDouble = dynamic_cast<DoubleParameterItem*>(pItem);
    if (pDouble == nullptr)
        return FALSE;
    pDouble->SetValue(value);
    return TRUE;
}

BOOL ShapeFeaturePropertyBase::SetIntegerValue(ParameterItemBase* pItem, int value)
{
    auto* pInteger = dynamic_cast<IntegerParameterItem*>(pItem);
    if (pInteger == nullptr)
        return FALSE;
    pInteger->SetValue(value);
    return TRUE;
}

BOOL ShapeFeaturePropertyBase::SetIndexList(ParameterItemBase* pItem, int nCount, int nIndex, BOOL bWithCaption)
{
    auto* pList = dynamic_cast<ListParameterItem*>(pItem);
    if (pList == nullptr)
        return FALSE;
    if (bWithCaption) {
        CStringArray items;
        for (int i = 1; i <= nCount; ++i) {
            CString text;
            text.Format(u"%d", i);
            items.Add(text);
        }
        pList->SetItems(items);
    }
    return pList->SetValue(nIndex);
}

BOOL ShapeFeaturePropertyBase::SetChoice(ParameterItemBase* pItem, UINT nChoices, int nIndex, BOOL bWithCaption)
{
    auto* pList = dynamic_cast<ListParameterItem*>(pItem);
    if (pList == nullptr)
        return FALSE;
    if (bWithCaption)
        pList->SetItemsFromStringId(nChoices);
    return pList->SetValue(nIndex);
}

BOOL ShapeFeaturePropertyBase::ReadPoint(const ParameterItemBase* pItem, RuVaPnt2d& point)
{
    const auto* pPoint = dynamic_cast<const PointParameterItem*>(pItem);
    return pPoint != nullptr && pPoint->GetValue(point) && std::isfinite(point.X()) && std::isfinite(point.Y());
}

BOOL ShapeFeaturePropertyBase::ReadDouble(const ParameterItemBase* pItem, double& value)
{
    const auto* pDouble = dynamic_cast<const DoubleParameterItem*>(pItem);
    return pDouble != nullptr && pDouble->GetValue(value) && std::isfinite(value);
}

BOOL ShapeFeaturePropertyBase::ReadChoice(const ParameterItemBase* pItem, int& nIndex)
{
    const auto* pList = dynamic_cast<const ListParameterItem*>(pItem);
    return pList != nullptr && pList->GetValue(nIndex);
}

BOOL ShapeFeaturePropertyBase::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    const Feature2dBase* pFeature = GetFeature();
    if (pItem == nullptr || pFeature == nullptr)
        return FALSE;
    const int nType = pFeature->GetFeatureType();
    if (wId < idKind || wId > idLineWidth)
        return FALSE;
    if (!IsCommonPropertyOffered(nType, wId))
        return FALSE;
    pItem->SetId(wId);
    const BOOL bEditable = wId >= idLayer ? IsEditable() : FALSE;
    pItem->m_bRequired = bEditable;
    const LayerFeatureTable* pLayers = m_pDocument->GetLayerTable();
    switch (wId) {
    case idKind: {
        auto* pText = dynamic_cast<TextParameterItem*>(pItem);
        if (pText == nullptr)
            return FALSE;
        if (bWithCaption)
            pText->SetCaption(10857);
        pText->SetValue(LoadResourceString(GetKindNameStringId(nType)));
        break;
    }
    case idNumber: {
        auto* pNumber = dynamic_cast<IntegerParameterItem*>(pItem);
        if (pNumber == nullptr)
            return FALSE;
        if (bWithCaption)
            pNumber->SetCaption(10858);
        if (pFeature->GetFeatureNo() != -1)
            pNumber->SetValue(static_cast<int>(pFeature->GetFeatureNo()));
        else
            pNumber->m_bEmpty = TRUE;
        break;
    }
    case idDrawing: {
        auto* pDrawing = dynamic_cast<DrawingParameterItem*>(pItem);
        if (pDrawing == nullptr)
            return FALSE;
        if (bWithCaption)
            pDrawing->SetCaption(10859);
        pDrawing->m_pDocument = m_pDocument;
        pDrawing->SetValue(m_pDocument->GetParentDrawingFeature(m_nRecordID), nullptr);
        break;
    }
    case idLayer: {
        auto* pLayer = dynamic_cast<LayerParameterItem*>(pItem);
        if (pLayer == nullptr)
            return FALSE;
        if (bWithCaption)
            pLayer->SetCaption(10860);
        pLayer->m_pDocument = m_pDocument;
        pLayer->m_nListStyle = nType == FeatureTypeDrawGroup || nType == FeatureTypeDrawComponent ? 15 : 11;
        pLayer->m_nLayerID = pFeature->GetLayerID();
        pLayer->m_bEmpty = FALSE;
        break;
    }
    case idColor: {
        auto* pColor = dynamic_cast<ColorParameterItem*>(pItem);
        if (pColor == nullptr)
            return FALSE;
        pColor->m_wNumber = static_cast<WORD>(pFeature->GetColorNo());
        pColor->m_bEmpty = FALSE;
        if (bWithCaption) {
            pColor->SetCaption(10861);
            pColor->m_pTable = const_cast<ColorFeatureTable*>(m_pDocument->GetColorFeatureTable());
            pColor->m_wLayerNumber =
                static_cast<WORD>(pLayers != nullptr ? pLayers->GetLayerColorNo(pFeature->GetLayerID()) : -1);
            pColor->m_bShowByLayer = TRUE;
        }
        break;
    }
    case idLineType: {
        auto* pType = dynamic_cast<LineTypeParameterItem*>(pItem);
        if (pType == nullptr)
            return FALSE;
        pType->m_wNumber = static_cast<WORD>(pFeature->GetLineTypeNo());
        pType->m_bEmpty = FALSE;
        pType->m_pTable = const_cast<LineTypeFeatureTable*>(m_pDocument->GetLineTypeFeatureTable());
        if (bWithCaption) {
            pType->SetCaption(10862);
            pType->m_wLayerNumber =
                static_cast<WORD>(pLayers != nullptr ? pLayers->GetLayerLineTypeNo(pFeature->GetLayerID()) : -1);
        }
        break;
    }
    case idLineWidth: {
        auto* pWidth = dynamic_cast<LineWidthParameterItem*>(pItem);
        if (pWidth == nullptr)
            return FALSE;
        pWidth->SetValue(static_cast<WORD>(pFeature->GetLineWidthNo()), pFeature->GetLineWidth());
        if (bWithCaption) {
            pWidth->SetCaption(10863);
            pWidth->m_pTable = const_cast<LineWidthFeatureTable*>(m_pDocument->GetLineWidthFeatureTable());
            pWidth->m_wLayerNumber =
                static_cast<WORD>(pLayers != nullptr ? pLayers->GetLayerLineWidthNo(pFeature->GetLayerID()) : -1);
        }
        break;
    }
    default:
        return FALSE;
    }
    pItem->m_bRequired = bEditable;
    return TRUE;
}

BOOL ShapeFeaturePropertyBase::IsShapeProperty() const { return TRUE; }

BOOL ShapeFeaturePropertyBase::IsSameTarget(const FeaturePropertyBase* pOther) const
{
    const auto* pShape = dynamic_cast<const ShapeFeaturePropertyBase*>(pOther);
    return pShape != nullptr && pShape->m_nRecordID == m_nRecordID ? TRUE : FALSE;
}

void ShapeFeaturePropertyBase::CopyFrom(const FeaturePropertyBase* pOther)
{
    if (pOther == nullptr || pOther == this)
        return;
    FeaturePropertyBase::CopyFrom(pOther);
    if (const auto* pShape = dynamic_cast<const ShapeFeaturePropertyBase*>(pOther)) {
        m_nRecordID = pShape->m_nRecordID;
        m_nLayoutID = pShape->m_nLayoutID;
    }
}

void ShapeFeaturePropertyBase::BuildPropertyList()
{
    const int nType = GetFeatureType();
    static constexpr struct {
        WORD wId;
        int nType;
    } kCommon[] = {{idKind, ParameterItemBase::typeText},         {idNumber, ParameterItemBase::typeInteger},
                   {idDrawing, ParameterItemBase::typeDrawing},   {idLayer, ParameterItemBase::typeLayer},
                   {idColor, ParameterItemBase::typeColor},       {idLineType, ParameterItemBase::typeLineType},
                   {idLineWidth, ParameterItemBase::typeLineWidth}};
    for (const auto& row : kCommon)
        if (IsCommonPropertyOffered(nType, row.wId))
            AddDescriptor(row.wId, row.nType);
}

BOOL ShapeFeaturePropertyBase::ValidatePropertyValue(WORD wId, ParameterItemBase* pItem)
{
    if (wId < idDrawing || wId > idLineWidth || pItem == nullptr || pItem->IsEmpty())
        return TRUE;
    if (m_pDocument == nullptr)
        return FALSE;
    switch (wId) {
    case idDrawing: {
        auto* pDrawing = dynamic_cast<DrawingParameterItem*>(pItem);
        DrawingFeatureBase* pValue = nullptr;
        PartDrawingLayout* pLayout = nullptr;
        return pDrawing != nullptr && pDrawing->GetValue(pValue, pLayout) && m_pDocument->IsDrawingFeatureExists(pValue);
    }
    case idLayer: {
        auto* pLayer = dynamic_cast<LayerParameterItem*>(pItem);
        long nLayerID = -1;
        if (pLayer == nullptr || !pLayer->GetValue(nLayerID))
            return FALSE;
        const LayerFeatureTable* pLayers = m_pDocument->GetLayerTable();
        if (pLayers != nullptr && pLayers->IsExistLayerID(nLayerID))
            return TRUE;
        const int nType = GetFeatureType();
        return nLayerID == 0 && (nType == FeatureTypeDrawGroup || nType == FeatureTypeDrawComponent);
    }
    case idColor:
        return TRUE;
    case idLineType: {
        auto* pType = dynamic_cast<LineTypeParameterItem*>(pItem);
        short nNumber = 0;
        const LineTypeFeatureTable* pTable = m_pDocument->GetLineTypeFeatureTable();
        return pType != nullptr && pType->GetValue(nNumber) && pTable != nullptr && pTable->IsExistLineTypeNo(nNumber);
    }
    case idLineWidth: {
        auto* pWidth = dynamic_cast<LineWidthParameterItem*>(pItem);
        WORD wNumber = 0;
        double dWidth = 0.0;
        if (pWidth == nullptr || !pWidth->GetValue(wNumber, dWidth))
            return FALSE;
        return wNumber != 0xFFFF || dWidth >= 0.0;
    }
    default:
        return TRUE;
    }
}

BOOL ShapeFeaturePropertyBase::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (pItem == nullptr || pItem->IsEmpty() || wId < idLayer || wId > idLineWidth)
        return FALSE;
    const Feature2dBase* pFeature = GetFeature();
    if (pFeature == nullptr)
        return FALSE;
    const int nType = pFeature->GetFeatureType();
    if (!IsCommonPropertyOffered(nType, wId))
        return FALSE;
    std::unique_ptr<Feature2dBase> pCopy(pFeature->CopyObject(3));
    if (!pCopy)
        return FALSE;
    switch (wId) {
    case idLayer: {
        auto* pLayer = dynamic_cast<LayerParameterItem*>(pItem);
        long nLayerID = -1;
        if (pLayer == nullptr || !pLayer->GetValue(nLayerID))
            return FALSE;
        if (nLayerID == pCopy->GetLayerID())
            return TRUE;
        if (!pCopy->SetLayerID(nLayerID))
            return FALSE;
        break;
    }
    case idColor: {
        auto* pColor = dynamic_cast<ColorParameterItem*>(pItem);
        short nColor = 0;
        if (pColor == nullptr || !pColor->GetValue(nColor))
            return FALSE;
        if (nColor == pCopy->GetColorNo())
            return TRUE;
        if (nColor > 256 || !pCopy->SetColorNo(nColor))
            return FALSE;
        break;
    }
    case idLineType: {
        auto* pType = dynamic_cast<LineTypeParameterItem*>(pItem);
        short nNumber = 0;
        if (pType == nullptr || !pType->GetValue(nNumber))
            return FALSE;
        if (nNumber == pCopy->GetLineTypeNo())
            return TRUE;
        if (nNumber == 32767 || !pCopy->SetLineTypeNo(nNumber))
            return FALSE;
        break;
    }
    case idLineWidth: {
        auto* pWidth = dynamic_cast<LineWidthParameterItem*>(pItem);
        WORD wNumber = 0;
        double dWidth = 0.0;
        if (pWidth == nullptr || !pWidth->GetValue(wNumber, dWidth))
            return FALSE;
        if (static_cast<short>(wNumber) == pCopy->GetLineWidthNo() && dWidth == pCopy->GetLineWidth())
            return TRUE;
        BOOL bTaken = FALSE;
        if (static_cast<short>(wNumber) <= 15 && pCopy->SetLineWidthNo(static_cast<short>(wNumber)))
            bTaken = TRUE;
        if (dWidth >= 0.0 && pCopy->SetLineWidth(dWidth))
            bTaken = TRUE;
        // Nothing taken is a refusal, not an empty update.
        if (!bTaken)
            return FALSE;
        break;
    }
    default:
        return FALSE;
    }
    return m_pDocument->UpdateFeature(m_nRecordID, pCopy.get(), 1, 3);
}

int ShapeFeaturePropertyBase::OnDocumentNotify(const NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return notifyNone;
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindLayer:
    case NotifyInfoBase::kindColorTable:
        return notifyRefresh;
    case NotifyInfoBase::kindDrawing:
        return pInfo->GetCode() == NotifyInfoBase::componentDrawingRemoved ? notifyClose : notifyRefresh;
    case NotifyInfoBase::kindFeature:
        return pInfo->GetCode() == NotifyInfoBase::featureChanged && pInfo->GetRecordID() == m_nRecordID
                   ? notifyRefresh
                   : notifyNone;
    default:
        return notifyNone;
    }
}

BOOL ShapeFeaturePropertyBase::ScaleForPartLayout(Feature2dBase* pFeature, BOOL bToSheet, BOOL* pUniform)
{
    CommandManager* pManager = GetCommandManager();
    Draw2dView* pView = pManager != nullptr ? pManager->GetView() : nullptr;
    if (pView == nullptr || pFeature == nullptr)
        return FALSE;
    double x = 1.0;
    double y = 1.0;
    const DrawingFeatureBase* pDrawing = pView->GetDrawingFeature();
    if (pDrawing != nullptr && pDrawing->GetDrawingType() == 1) {
        // A view of another paper or document does not hold the layout: 1:1.
        if (const PartDrawingLayout* pLayout = pDrawing->GetPartLayoutByID(m_nLayoutID))
            pLayout->GetScale(x, y);
    }
    const BOOL bUniform = std::fabs(x - y) < 1e-10 ? TRUE : FALSE;
    double s = 1.0;
    if (bUniform && std::fabs(x) > 1e-300)
        s = bToSheet ? x : 1.0 / x;
    if (std::fabs(s - 1.0) > 1e-10) {
        if (pFeature->GetFeatureType() == FeatureTypeText) {
            static_cast<Text2dFeature*>(pFeature)->ScaleSize(s, 0);
        } else {
            const TransformFeature transform(RuVaPnt2d::kOrigin, 1.0, 1.0, s, 0.0, RuVaPnt2d::kOrigin);
            std::unique_ptr<Feature2dBase> pScaled(transform.Transformed(pFeature));
            if (!pScaled)
                return FALSE;
            pFeature->Copy(pScaled.get(), 3);
        }
    }
    if (pUniform != nullptr)
        *pUniform = bUniform;
    return TRUE;
}

}  // namespace QZ2Command
