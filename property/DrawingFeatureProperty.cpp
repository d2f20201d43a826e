#include "property/DrawingFeatureProperty.h"

#include "command/AngleParameterItem.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/DoubleParameterItem.h"
#include "command/DrawingParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawingFeatureProperty, FeaturePropertyBase)

namespace {

constexpr int kPaper = 1;
constexpr int kPart = 2;

void SetList(ParameterItemBase* pItem, UINT nChoices, int nIndex, BOOL bWithCaption)
{
    if (auto* pList = dynamic_cast<ListParameterItem*>(pItem)) {
        if (bWithCaption)
            pList->SetItemsFromStringId(nChoices);
        pList->SetValue(nIndex);
    }
}

BOOL GetDouble(ParameterItemBase* pItem, double& value)
{
    auto* pDouble = dynamic_cast<DoubleParameterItem*>(pItem);
    return pDouble != nullptr && pDouble->GetValue(value);
}

BOOL GetChoice(ParameterItemBase* pItem, int& nChoice)
{
    auto* pList = dynamic_cast<ListParameterItem*>(pItem);
    return pList != nullptr && pList->GetValue(nChoice) && nChoice >= 0;
}

}  // namespace

DrawingFeatureProperty::DrawingFeatureProperty() { m_nKind = kindDrawing; }

DrawingFeatureProperty::DrawingFeatureProperty(Draw2dDocument* pDocument, const DrawingFeatureBase* pDrawing,
                                               const PartDrawingLayout* pLayout)
    : m_nDrawingID(pDrawing != nullptr ? pDrawing->GetDrawingID() : -1),
      m_nLayoutID(pLayout != nullptr ? pLayout->GetLayoutID() : -1)
{
    m_nKind = kindDrawing;
    m_pDocument = pDocument;
}

DrawingFeatureProperty::~DrawingFeatureProperty() = default;

DrawingFeatureBase* DrawingFeatureProperty::GetDrawing() const
{
    if (m_pDocument == nullptr || m_nDrawingID == -1)
        return nullptr;
    return m_pDocument->ChangeDrawingFeature(m_nDrawingID);
}

PartDrawingLayout* DrawingFeatureProperty::GetPartLayout() const
{
    if (m_pDocument == nullptr || m_nLayoutID == -1)
        return nullptr;
    return m_pDocument->GetPartLayoutByID(m_nLayoutID);
}

BOOL DrawingFeatureProperty::HasLayoutRows() const
{
    const DrawingFeatureBase* pDrawing = GetDrawing();
    return pDrawing != nullptr && pDrawing->GetDrawingType() == kPart && m_nLayoutID != -1 ? TRUE : FALSE;
}

BOOL DrawingFeatureProperty::IsOffered(WORD wId) const
{
    const DrawingFeatureBase* pDrawing = GetDrawing();
    if (pDrawing == nullptr)
        return FALSE;
    // A layout that went away leaves its rows unanswered.
    const BOOL bLayout = HasLayoutRows() && GetPartLayout() != nullptr;
    const BOOL bPaper = pDrawing->GetDrawingType() == kPaper;
    switch (wId) {
    case idDrawingName:
    case idState:
    case idPrintable:
        return TRUE;
    case idLayoutName:
    case idOrigin:
    case idAngle:
    case idScaleYDiffers:
    case idScaleNumX:
    case idScaleDenX:
    case idScaleNumY:
    case idScaleDenY:
    case idRegion:
        return bLayout;
    case idPaperSizeType:
    case idPaperOrientation:
    case idPaperWidth:
    case idPaperHeight:
    case idPrintScale:
        return bPaper;
    default:
        return FALSE;
    }
}

void DrawingFeatureProperty::BuildPropertyList()
{
    const DrawingFeatureBase* pDrawing = GetDrawing();
    if (pDrawing == nullptr)
        return;
    using P = ParameterItemBase;
    if (pDrawing->GetDrawingType() == kPaper) {
        const std::pair<WORD, int> rows[] = {{idDrawingName, P::typeText},    {idState, P::typeList},
                                             {idPaperSizeType, P::typeList},  {idPaperOrientation, P::typeList},
                                             {idPaperWidth, P::typeDouble},   {idPaperHeight, P::typeDouble},
                                             {idPrintable, P::typeList},      {idPrintScale, P::typeDouble}};
        for (const auto& row : rows)
            AddDescriptor(row.first, row.second);
    } else if (HasLayoutRows() && GetPartLayout() != nullptr) {
        const std::pair<WORD, int> rows[] = {
            {idLayoutName, P::typeText},  {idDrawingName, P::typeText},     {idState, P::typeList},
            {idPrintable, P::typeList},   {idOrigin, P::typePoint},         {idAngle, P::typeAngle},
            {idScaleYDiffers, P::typeList}, {idScaleNumX, P::typeDouble},   {idScaleDenX, P::typeDouble},
            {idScaleNumY, P::typeDouble}, {idScaleDenY, P::typeDouble},     {idRegion, P::typeList}};
        for (const auto& row : rows)
            AddDescriptor(row.first, row.second);
    } else {
        AddDescriptor(idDrawingName, P::typeText);
        AddDescriptor(idState, P::typeList);
        AddDescriptor(idPrintable, P::typeList);
    }
}

BOOL DrawingFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (pItem == nullptr || !IsOffered(wId))
        return FALSE;
    const DrawingFeatureBase* pDrawing = GetDrawing();
    const PartDrawingLayout* pLayout = GetPartLayout();
    const auto* pPaper = dynamic_cast<const Paper2dFeature*>(pDrawing);
    pItem->SetId(wId);
    BOOL bEditable = TRUE;
    auto setDouble = [&](double value, UINT nCaption, BOOL bMillimetre) {
        auto* pDouble = dynamic_cast<DoubleParameterItem*>(pItem);
        if (pDouble == nullptr)
            return FALSE;
        if (bWithCaption) {
            pDouble->SetCaption(nCaption);
            if (bMillimetre)
                pDouble->m_strCaption += u"(mm)";
        }
        pDouble->SetValue(value);
        return TRUE;
    };
    switch (wId) {
    case idDrawingName:
    case idLayoutName: {
        auto* pText = dynamic_cast<TextParameterItem*>(pItem);
        if (pText == nullptr)
            return FALSE;
        if (wId == idLayoutName) {
            if (bWithCaption)
                pText->SetCaption(10921);
            pText->SetValue(pLayout->GetLayoutName());
        } else {
            if (bWithCaption)
                pText->SetCaption(pDrawing->GetDrawingType() == kPaper ? 10920 : 10919);
            pText->SetValue(pDrawing->GetDrawingName());
            // Seen through a layout, the drawing is renamed where the drawing itself is shown.
            if (HasLayoutRows())
                bEditable = FALSE;
        }
        break;
    }
    case idState:
        if (bWithCaption)
            pItem->SetCaption(10912);
        SetList(pItem, kStateChoices, pDrawing->GetDrawingState(), bWithCaption);
        break;
    case idPaperSizeType:
        if (bWithCaption)
            pItem->SetCaption(10936);
        SetList(pItem, 10945, pPaper != nullptr ? pPaper->GetPaperSizeType() : 0, bWithCaption);
        break;
    case idPaperOrientation:
        if (bWithCaption)
            pItem->SetCaption(10937);
        SetList(pItem, 10944, pPaper != nullptr ? pPaper->GetPaperOrientType() : 0, bWithCaption);
        break;
    case idPaperWidth:
    case idPaperHeight: {
        double w = 0.0;
        double h = 0.0;
        if (pPaper != nullptr)
            pPaper->GetPaperSize(w, h);
        if (!setDouble(wId == idPaperWidth ? w : h, wId == idPaperWidth ? 10938 : 10939, TRUE))
            return FALSE;
        static_cast<DoubleParameterItem*>(pItem)->m_nFormatOverride = 0;
        // Only a user-defined size is typed.
        bEditable = pPaper != nullptr && pPaper->GetPaperSizeType() == 5 ? TRUE : FALSE;
        break;
    }
    case idPrintable:
        if (bWithCaption)
            pItem->SetCaption(10934);
        SetList(pItem, kYesNoChoices, pDrawing->IsPrintable() ? 0 : 1, bWithCaption);
        break;
    case idPrintScale:
        if (!setDouble(pPaper != nullptr ? pPaper->GetPrintScale() : 1.0, 10941, FALSE))
            return FALSE;
        static_cast<DoubleParameterItem*>(pItem)->m_nFormatOverride = 0;
        break;
    case idOrigin: {
        auto* pPoint = dynamic_cast<PointParameterItem*>(pItem);
        if (pPoint == nullptr)
            return FALSE;
        if (bWithCaption)
            pPoint->SetCaption(10922);
        pPoint->SetValue(pLayout->GetOrigin());
        pPoint->m_bWorldInput = TRUE;
        break;
    }
    case idAngle: {
        auto* pAngle = dynamic_cast<DoubleParameterItem*>(pItem);
        if (pAngle == nullptr)
            return FALSE;
        if (bWithCaption)
            pAngle->SetCaption(10923);
        pAngle->SetValue(pLayout->GetAngle());
        break;
    }
    case idScaleYDiffers:
        if (bWithCaption)
            pItem->SetCaption(10928);
        SetList(pItem, kScaleYChoices, pLayout->IsScaleYEnabled() ? 1 : 0, bWithCaption);
        break;
    case idScaleNumX:
    case idScaleDenX: {
        const BOOL bY = pLayout->IsScaleYEnabled();
        const UINT nCaption = wId == idScaleNumX ? (bY ? 10926 : 10924) : (bY ? 10927 : 10925);
        if (!setDouble(wId == idScaleNumX ? pLayout->GetScaleNumeratorX() : pLayout->GetScaleDenominatorX(), nCaption,
                       FALSE))
            return FALSE;
        break;
    }
    case idScaleNumY:
    case idScaleDenY:
        if (!setDouble(wId == idScaleNumY ? pLayout->GetScaleNumeratorY() : pLayout->GetScaleDenominatorY(),
                       wId == idScaleNumY ? 10929 : 10930, FALSE))
            return FALSE;
        bEditable = pLayout->IsScaleYEnabled();
        break;
    case idRegion:
        if (bWithCaption)
            pItem->SetCaption(10942);
        SetList(pItem, kYesNoChoices, pLayout->IsRegionEnabled() ? 0 : 1, bWithCaption);
        break;
    default:
        return FALSE;
    }
    pItem->m_bRequired = bEditable;
    return TRUE;
}

BOOL DrawingFeatureProperty::IsSameTarget(const FeaturePropertyBase* pOther) const
{
    const auto* pDrawing = dynamic_cast<const DrawingFeatureProperty*>(pOther);
    return pDrawing != nullptr && pDrawing->m_pDocument == m_pDocument && pDrawing->m_nDrawingID == m_nDrawingID &&
                   pDrawing->m_nLayoutID == m_nLayoutID
               ? TRUE
               : FALSE;
}

void DrawingFeatureProperty::CopyFrom(const FeaturePropertyBase* pOther)
{
    if (pOther == nullptr || pOther == this)
        return;
    FeaturePropertyBase::CopyFrom(pOther);
    if (const auto* pDrawing = dynamic_cast<const DrawingFeatureProperty*>(pOther)) {
        m_nDrawingID = pDrawing->m_nDrawingID;
        m_nLayoutID = pDrawing->m_nLayoutID;
    }
}

BOOL DrawingFeatureProperty::ApplyScale(WORD wId, ParameterItemBase* pItem)
{
    const PartDrawingLayout* pLayout = GetPartLayout();
    if (pLayout == nullptr)
        return FALSE;
    double numX = pLayout->GetScaleNumeratorX();
    double denX = pLayout->GetScaleDenominatorX();
    double numY = pLayout->GetScaleNumeratorY();
    double denY = pLayout->GetScaleDenominatorY();
    BOOL bY = pLayout->IsScaleYEnabled();
    if (wId == idScaleYDiffers) {
        int nChoice = 0;
        if (!GetChoice(pItem, nChoice))
            return FALSE;
        bY = nChoice == 1 ? TRUE : FALSE;
        if (!bY) {
            numY = numX;
            denY = denX;
        }
    } else {
        double value = 0.0;
        // A fraction part of 0 or below has no scale (the layout refuses it too).
        if (!GetDouble(pItem, value) || !(value > 0.0))
            return FALSE;
        switch (wId) {
        case idScaleNumX:
            numX = value;
            if (!bY)
                numY = value;
            break;
        case idScaleDenX:
            denX = value;
            if (!bY)
                denY = value;
            break;
        case idScaleNumY:
            numY = value;
            break;
        case idScaleDenY:
            denY = value;
            break;
        default:
            return FALSE;
        }
    }
    return m_pDocument->SetPartLayoutScale(m_nLayoutID, numX, denX, bY, numY, denY, 1);
}

BOOL DrawingFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (pItem == nullptr || pItem->IsEmpty() || m_pDocument == nullptr)
        return FALSE;
    DrawingFeatureBase* pDrawing = GetDrawing();
    if (pDrawing == nullptr || !IsOffered(wId))
        return FALSE;
    const CString strName = pDrawing->GetDrawingName();
    auto* pPaper = dynamic_cast<Paper2dFeature*>(pDrawing);
    int nChoice = -1;
    double value = 0.0;
    switch (wId) {
    case idDrawingName: {
        auto* pText = dynamic_cast<TextParameterItem*>(pItem);
        CString name;
        return pText != nullptr && pText->GetValue(name) && m_pDocument->SetDrawingName(strName, name, 1);
    }
    case idLayoutName: {
        auto* pText = dynamic_cast<TextParameterItem*>(pItem);
        CString name;
        return pText != nullptr && pText->GetValue(name) && m_pDocument->SetPartLayoutName(m_nLayoutID, name);
    }
    case idState:
        return GetChoice(pItem, nChoice) && m_pDocument->SetDrawingState(strName, nChoice, 1);
    case idOrigin: {
        auto* pPoint = dynamic_cast<PointParameterItem*>(pItem);
        RuVaPnt2d point;
        return pPoint != nullptr && pPoint->GetValue(point) && m_pDocument->SetPartLayoutOrigin(m_nLayoutID, point, 1);
    }
    case idAngle:
        return GetDouble(pItem, value) && m_pDocument->SetPartLayoutAngle(m_nLayoutID, value, 1);
    case idScaleNumX:
    case idScaleDenX:
    case idScaleYDiffers:
    case idScaleNumY:
    case idScaleDenY:
        return ApplyScale(wId, pItem);
    case idPrintable:
        return GetChoice(pItem, nChoice) && m_pDocument->SetDrawingPrintable(strName, nChoice == 0);
    case idPaperSizeType:
        return GetChoice(pItem, nChoice) && m_pDocument->SetPaperSizeType(strName, nChoice, 1);
    case idPaperOrientation:
        return GetChoice(pItem, nChoice) && m_pDocument->SetPaperOrientType(strName, nChoice, 1);
    case idPaperWidth:
    case idPaperHeight: {
        if (pPaper == nullptr || !GetDouble(pItem, value) || !(value > 0.0))
            return FALSE;
        double w = 0.0;
        double h = 0.0;
        pPaper->GetPaperSize(w, h);
        return m_pDocument->SetPaperSize(strName, wId == idPaperWidth ? value : w, wId == idPaperWidth ? h : value, 1);
    }
    case idPrintScale:
        if (pPaper == nullptr || !GetDouble(pItem, value) || !(value > 0.0))
            return FALSE;
        if (value == pPaper->GetPrintScale())
            return TRUE;
        return m_pDocument->SetPaperPrintScale(strName, value, 1);
    case idRegion:
        if (!GetChoice(pItem, nChoice))
            return FALSE;
        if (nChoice == 1)
            return m_pDocument->SetPartLayoutRegion(m_nLayoutID, nullptr, 1);
        // The region is drawn by the layout command; the bar applied nothing.
        StartRegionCommand();
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL DrawingFeatureProperty::StartRegionCommand()
{
    CommandManager* pManager = ShapeFeaturePropertyBase::GetCommandManager();
    DrawingFeatureBase* pDrawing = GetDrawing();
    PartDrawingLayout* pLayout = GetPartLayout();
    if (pManager == nullptr || pDrawing == nullptr || pLayout == nullptr)
        return FALSE;
    // Values copied before the command starts: starting it may change the document's records.
    const double sx = pLayout->GetScaleNumeratorX() / pLayout->GetScaleDenominatorX();
    const double sy = pLayout->GetScaleNumeratorY() / pLayout->GetScaleDenominatorY();
    const double angle = pLayout->GetAngle();
    if (!pManager->ExecuteCommand(kChangeLayoutCommand))
        return FALSE;
    CommandBase* pCommand = pManager->GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    if (int n = pCommand->FindParameterIndex(0); n >= 0) {
        DrawingParameterItem drawing;
        drawing.m_pDocument = m_pDocument;
        drawing.SetValue(GetDrawing(), GetPartLayout());
        pManager->SetDrawingParameter(n, drawing, FALSE);
    }
    if (int n = pCommand->FindParameterIndex(4); n >= 0) {
        ScaleParameterItem scale;
        scale.SetValue(sx, sy);
        pManager->SetScaleParameter(n, scale, FALSE);
    }
    if (int n = pCommand->FindParameterIndex(5); n >= 0) {
        AngleParameterItem item;
        item.SetValue(angle);
        pManager->SetAngleParameter(n, item, FALSE);
    }
    if (int n = pCommand->FindParameterIndex(1); n >= 0)
        pManager->SetCurrentParameter(nullptr, n);
    return TRUE;
}

int DrawingFeatureProperty::OnDocumentNotify(const NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr || pInfo->GetKind() != NotifyInfoBase::kindDrawing)
        return notifyNone;
    const DrawingFeatureBase* pDrawing = pInfo->GetDrawing();
    const PartDrawingLayout* pLayout = pInfo->GetPartLayout();
    const BOOL bThisDrawing = pDrawing != nullptr && pDrawing->GetDrawingID() == m_nDrawingID;
    const BOOL bThisLayout = m_nLayoutID != -1 && pLayout != nullptr && pLayout->GetLayoutID() == m_nLayoutID;
    switch (pInfo->GetCode()) {
    case NotifyInfoBase::drawingRemoved:
        return bThisDrawing ? notifyClose : notifyNone;
    case NotifyInfoBase::drawingChanged:
        return bThisDrawing ? notifyRefresh : notifyNone;
    case NotifyInfoBase::layoutRemoved:
        return bThisLayout ? notifyClose : notifyNone;
    case NotifyInfoBase::layoutChanged:
        return bThisLayout ? notifyRefresh : notifyNone;
    case NotifyInfoBase::drawingRebuild:
    case NotifyInfoBase::drawingRebuildKeep:
        // Undo and redo swap every drawing record: re-read by id, or close when the target went.
        if (GetDrawing() == nullptr || (m_nLayoutID != -1 && GetPartLayout() == nullptr))
            return notifyClose;
        return notifyRefresh;
    default:
        return notifyNone;
    }
}

}  // namespace QZ2Command
