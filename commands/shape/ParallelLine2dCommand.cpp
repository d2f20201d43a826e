#include "commands/shape/ParallelLine2dCommand.h"

#include <cmath>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureOffsetting.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ParallelLine2dCommand, CommandBase)

namespace {

constexpr UINT kBaseCaption = 10715;
constexpr UINT kDistanceCaption = 10762;
constexpr UINT kThroughCaption = 10722;
constexpr UINT kSideCaption = 10726;
constexpr UINT kStartCaption = 10720;
constexpr UINT kStartAngleCaption = 10711;
constexpr UINT kShapeCaption = 10715;
constexpr UINT kEndCaption = 10721;
constexpr UINT kEndAngleCaption = 10712;
constexpr UINT kLengthCaption = 10714;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Shape.ParallelLine"), &ParallelLine2dCommand::IsCommandEnabled);
    }
} g_registrar;

BOOL IsCircular(int nType)
{
    return nType == FeatureTypeCircle || nType == FeatureTypeArc ? TRUE : FALSE;
}

// An item with its caption and no prompt.
template <class Item>
Item MakeItem(WORD wId, UINT nCaption)
{
    Item item;
    ShapeCommandHelper::PrepareItem(item, wId, nCaption, 0);
    return item;
}

FeatureParameterItem BoundShapeItem(WORD wId)
{
    auto item = MakeItem<FeatureParameterItem>(wId, kShapeCaption);
    item.m_dwAcceptedKinds = ParallelLine2dCommand::kBoundMask;
    item.m_nPickSetting = 1;
    return item;
}

// A start or an end as read from its parameter.
struct Bound {
    WORD wId = 0xFFFF;
    RuVaPnt2d point;
    double number = 0.0;
    std::unique_ptr<Feature2dBase> shape;  // in the active layout's coordinates
    RuVaPnt2d pick;
};

// The parallel by the end's kind; the offset's values (distance and side, or the through point) come
// before the start's.
template <class... Offset>
Feature2dBase* CreateParallel(const Feature2dBase* pBase, const RuVaPnt2d& basePick, const Bound& s, const Bound& e,
                              const Offset&... offset)
{
    using FC = FeatureCreator;
    switch (e.wId) {
    case ParallelLine2dCommand::itemEndPoint:
        if (s.wId == ParallelLine2dCommand::itemStartPoint)
            return FC::CreateParallelFeatureByEndPoint(pBase, basePick, offset..., s.point, e.point);
        if (s.wId == ParallelLine2dCommand::itemStartAngle)
            return FC::CreateParallelFeatureByEndPoint(pBase, basePick, offset..., s.number, e.point);
        return FC::CreateParallelFeatureByEndPoint(pBase, basePick, offset..., s.shape.get(), s.pick, e.point);
    case ParallelLine2dCommand::itemEndAngle:
        if (s.wId == ParallelLine2dCommand::itemStartPoint)
            return FC::CreateParallelFeatureByEndAngle(pBase, basePick, offset..., s.point, e.number);
        if (s.wId == ParallelLine2dCommand::itemStartAngle)
            return FC::CreateParallelFeatureByEndAngle(pBase, basePick, offset..., s.number, e.number);
        return FC::CreateParallelFeatureByEndAngle(pBase, basePick, offset..., s.shape.get(), s.pick, e.number);
    case ParallelLine2dCommand::itemEndLength:
        // A start angle exists only for circular bases, a length only for straight ones.
        if (s.wId == ParallelLine2dCommand::itemStartPoint)
            return FC::CreateParallelFeatureByLength(pBase, basePick, offset..., s.point, e.number);
        if (s.wId == ParallelLine2dCommand::itemStartShape)
            return FC::CreateParallelFeatureByLength(pBase, basePick, offset..., s.shape.get(), e.number);
        return nullptr;
    default:
        if (s.wId == ParallelLine2dCommand::itemStartPoint)
            return FC::CreateParallelFeatureByEndFeature(pBase, basePick, offset..., s.point, e.shape.get(), e.pick);
        if (s.wId == ParallelLine2dCommand::itemStartAngle)
            return FC::CreateParallelFeatureByEndFeature(pBase, basePick, offset..., s.number, e.shape.get(), e.pick);
        return FC::CreateParallelFeatureByEndFeature(pBase, basePick, offset..., s.shape.get(), s.pick, e.shape.get(),
                                                     e.pick);
    }
}

// The bound of the parameter by its current alternative. Result code, reason for 3.
int ReadBound(CommandBase* pCommand, int nIndex, BOOL bPreview, Bound& bound, UINT& nReason)
{
    const ParameterItemBase* pCurrent = nIndex >= 0 && nIndex < pCommand->GetParameterCount()
                                            ? pCommand->GetParameterItem(nIndex)
                                            : nullptr;
    if (pCurrent == nullptr || (!bPreview && pCurrent->IsEmpty()))
        return CommandBase::resultMissing;
    bound.wId = pCurrent->GetId();
    switch (pCurrent->GetTypeCode()) {
    case ParameterItemBase::typePoint: {
        PointParameterItem item;
        if (!pCommand->GetParameterValue(nIndex, item) || !pCommand->GetPointValue(item, bound.point, TRUE))
            return CommandBase::resultMissing;
        return CommandBase::resultDone;
    }
    case ParameterItemBase::typeAngle: {
        AngleParameterItem item;
        if (!pCommand->GetParameterValue(nIndex, item) || !item.GetValue(bound.number) || !std::isfinite(bound.number))
            return CommandBase::resultMissing;
        return CommandBase::resultDone;
    }
    case ParameterItemBase::typeLength: {
        LengthParameterItem item;
        if (!pCommand->GetParameterValue(nIndex, item) || !item.GetValue(bound.number) || !std::isfinite(bound.number))
            return CommandBase::resultMissing;
        if (std::fabs(bound.number) < ShapeCommandHelper::kPointTolerance) {
            nReason = kMsgLengthNotPositive;
            return CommandBase::resultNothing;
        }
        return CommandBase::resultDone;
    }
    default: {
        FeatureParameterItem item;
        if (!pCommand->GetParameterValue(nIndex, item))
            return CommandBase::resultMissing;
        const int taken = ShapeCommandHelper::TakePickedFeature(pCommand, item, bound.shape, bound.pick);
        if (taken == ShapeCommandHelper::pickMissing)
            return CommandBase::resultMissing;
        if (taken == ShapeCommandHelper::pickGone) {
            nReason = kMsgShapeGone;
            return CommandBase::resultNothing;
        }
        return CommandBase::resultDone;
    }
    }
}

// The base's type code, -1 when the item names no shape of the document.
int BaseType(const CommandBase* pCommand, const ParameterItemBase& value)
{
    const auto* pItem = dynamic_cast<const FeatureParameterItem*>(&value);
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand);
    if (pItem == nullptr || pDocument == nullptr || pItem->IsEmpty() || pItem->m_nRecordID <= 0)
        return -1;
    const Feature2dBase* pFeature = pDocument->GetFeature(pItem->m_nRecordID);
    return pFeature != nullptr ? pFeature->GetFeatureType() : -1;
}

// The guide shown while neither bound is given: the whole line or circle the parallel lies on. NULL
// when there is none.
Feature2dBase* MakeGuide(const Feature2dBase* pBase, const RuVaPnt2d& basePick, BOOL bDistance, double distance,
                         const RuVaPnt2d& side, const RuVaPnt2d& through)
{
    std::unique_ptr<Feature2dBase> carrier;
    switch (pBase->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* pLine = static_cast<const Line2dFeature*>(pBase);
        if (pLine->GetStartPoint().IsEqual(pLine->GetEndPoint(), ShapeCommandHelper::kPointTolerance))
            return nullptr;
        carrier = std::make_unique<InfiniteLine2dFeature>(pLine->GetStartPoint(), pLine->GetDirection());
        break;
    }
    case FeatureTypePolyline: {
        std::unique_ptr<Line2dFeature> segment(FeatureCreator::CreateLineFeatureFromPolylineSegment(
            static_cast<const Polyline2dFeature*>(pBase), basePick));
        if (!segment || segment->GetStartPoint().IsEqual(segment->GetEndPoint(), ShapeCommandHelper::kPointTolerance))
            return nullptr;
        carrier = std::make_unique<InfiniteLine2dFeature>(segment->GetStartPoint(), segment->GetDirection());
        break;
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        const auto* pLine = static_cast<const InfiniteLine2dFeature*>(pBase);
        carrier = std::make_unique<InfiniteLine2dFeature>(pLine->GetPoint(), pLine->GetDirection());
        break;
    }
    case FeatureTypeCircle:
    case FeatureTypeArc: {
        const RuVaPnt2d centre = pBase->GetFeatureType() == FeatureTypeCircle
                                     ? static_cast<const Circle2dFeature*>(pBase)->GetCenterPoint()
                                     : static_cast<const Arc2dFeature*>(pBase)->GetCenterPoint();
        const double radius = pBase->GetFeatureType() == FeatureTypeCircle
                                  ? static_cast<const Circle2dFeature*>(pBase)->GetRadius()
                                  : static_cast<const Arc2dFeature*>(pBase)->GetRadius();
        double guideRadius = 0.0;
        if (bDistance) {
            const Circle2dFeature circle(centre, radius);
            std::unique_ptr<Feature2dBase> offset(std::fabs(distance) >= ShapeCommandHelper::kPointTolerance
                                                      ? FeatureOffsetting::OffsetFeature(&circle, distance, side)
                                                      : circle.CopyObject(3));
            const auto* pCircle = dynamic_cast<const Circle2dFeature*>(offset.get());
            if (pCircle == nullptr)
                return nullptr;
            guideRadius = pCircle->GetRadius();
        } else {
            guideRadius = centre.Distance(through);
        }
        if (!(guideRadius > ShapeCommandHelper::kPointTolerance))
            return nullptr;
        return new Circle2dFeature(centre, guideRadius);
    }
    default:
        return nullptr;
    }
    const auto* pCarrier = static_cast<const InfiniteLine2dFeature*>(carrier.get());
    if (!bDistance)
        return new InfiniteLine2dFeature(through, pCarrier->GetDirection());
    if (std::fabs(distance) < ShapeCommandHelper::kPointTolerance)
        return carrier->CopyObject(3);
    return FeatureOffsetting::OffsetFeature(carrier.get(), distance, side);
}

}  // namespace

BOOL ParallelLine2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4)
        return FALSE;
    CArray<FeatureLayout> shapes;
    if (!pSelection->GetSelectionGroup(0, shapes) || shapes.IsEmpty())
        return FALSE;
    switch (pDocument->GetFeatureType(shapes[0].GetRecordID())) {
    case FeatureTypeLine:
    case FeatureTypePolyline:
    case FeatureTypeCircle:
    case FeatureTypeArc:
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine:
        return TRUE;
    default:
        return FALSE;
    }
}

CommandParameter* ParallelLine2dCommand::CreateStartParameter(BOOL bForCircle, WORD currentId)
{
    auto pParameter = std::make_unique<CommandParameter>();
    pParameter->AddItem(MakeItem<PointParameterItem>(itemStartPoint, kStartCaption));
    if (bForCircle) {
        auto angle = MakeItem<AngleParameterItem>(itemStartAngle, kStartAngleCaption);
        angle.m_bHistory = TRUE;
        pParameter->AddItem(angle);
    }
    pParameter->AddItem(BoundShapeItem(itemStartShape));
    pParameter->SetCurrentIndex(0);
    pParameter->SetCurrentByID(currentId);
    m_bStartForCircle = bForCircle ? TRUE : FALSE;
    return pParameter.release();
}

CommandParameter* ParallelLine2dCommand::CreateEndParameter(BOOL bForCircle, WORD currentId)
{
    auto pParameter = std::make_unique<CommandParameter>();
    pParameter->AddItem(MakeItem<PointParameterItem>(itemEndPoint, kEndCaption));
    if (bForCircle) {
        auto angle = MakeItem<AngleParameterItem>(itemEndAngle, kEndAngleCaption);
        angle.m_bHistory = TRUE;
        pParameter->AddItem(angle);
    } else {
        auto length = MakeItem<LengthParameterItem>(itemEndLength, kLengthCaption);
        length.m_bHistory = TRUE;
        pParameter->AddItem(length);
    }
    pParameter->AddItem(BoundShapeItem(itemEndShape));
    pParameter->SetCurrentIndex(0);
    pParameter->SetCurrentByID(currentId);
    m_bEndForCircle = bForCircle ? TRUE : FALSE;
    return pParameter.release();
}

BOOL ParallelLine2dCommand::ReplaceParameter(int nIndex, CommandParameter* pParameter)
{
    std::unique_ptr<CommandParameter> parameter(pParameter);
    if (m_pManager != nullptr) {
        if (!m_pManager->RemoveParameter(this, nIndex) || !m_pManager->InsertParameter(this, nIndex, parameter.get()))
            return FALSE;
    } else if (!RemoveParameter(nIndex) || InsertParameter(nIndex, parameter.get()) < 0) {
        return FALSE;
    }
    parameter.release();
    return TRUE;
}

void ParallelLine2dCommand::SetupParameters()
{
    auto base = MakeItem<FeatureParameterItem>(itemBase, kBaseCaption);
    base.m_dwAcceptedKinds = kBaseMask;
    base.m_bTakeSelection = TRUE;
    base.m_nPickSetting = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, base);

    auto distance = MakeItem<LengthParameterItem>(itemDistance, kDistanceCaption);
    distance.m_nRetentionMode = 1;
    distance.m_bHistory = TRUE;
    const auto through = MakeItem<PointParameterItem>(itemThrough, kThroughCaption);
    ShapeCommandHelper::AddAlternativesParameter(this, {&distance, &through});

    ShapeCommandHelper::AddSingleItemParameter(this, MakeItem<PointParameterItem>(itemSide, kSideCaption));

    for (CommandParameter* pParameter : {CreateStartParameter(FALSE, 0xFFFF), CreateEndParameter(FALSE, 0xFFFF)}) {
        std::unique_ptr<CommandParameter> parameter(pParameter);
        const BOOL bAdded = m_pManager != nullptr ? m_pManager->AddParameter(this, pParameter)
                                                  : (AddParameter(pParameter) >= 0 ? TRUE : FALSE);
        if (bAdded)
            parameter.release();
    }
}

BOOL ParallelLine2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex != 1)
        return TRUE;
    CommandParameter* pOffset = GetParameter(1);
    if (nAlternative == pOffset->GetCurrentIndex() || nAlternative < 0 || nAlternative >= pOffset->GetItemCount())
        return FALSE;
    const WORD newId = pOffset->GetItem(nAlternative)->GetId();
    const int sideIndex = FindParameterIndex(itemSide);
    if (newId == itemThrough && sideIndex >= 0) {
        if (m_pManager != nullptr)
            m_pManager->RemoveParameter(this, sideIndex);
        else
            RemoveParameter(sideIndex);
    } else if (newId == itemDistance && sideIndex < 0) {
        auto pSide = std::make_unique<CommandParameter>();
        pSide->AddItem(MakeItem<PointParameterItem>(itemSide, kSideCaption));
        pSide->SetCurrentIndex(0);
        const BOOL bInserted = m_pManager != nullptr ? m_pManager->InsertParameter(this, 2, pSide.get())
                                                     : (InsertParameter(2, pSide.get()) >= 0 ? TRUE : FALSE);
        if (bInserted)
            pSide.release();
    }
    return TRUE;
}

BOOL ParallelLine2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase& value)
{
    if (nIndex != 0)
        return TRUE;
    const int endIndex = FindParameterIndex(itemSide) >= 0 ? 4 : 3;
    const int startIndex = endIndex - 1;
    if (endIndex >= GetParameterCount())
        return TRUE;
    const BOOL bOldPresent = !IsParameterEmpty(0);
    BOOL bOldCircle = FALSE;
    if (bOldPresent) {
        const int oldType = BaseType(this, *GetParameterItem(0));
        if (oldType < 0)
            return TRUE;
        bOldCircle = IsCircular(oldType);
    }
    const int newType = BaseType(this, value);
    if (newType < 0)
        return TRUE;
    const BOOL bNewCircle = IsCircular(newType);
    if (bOldPresent ? bOldCircle == bNewCircle : (m_bStartForCircle == bNewCircle && m_bEndForCircle == bNewCircle))
        return TRUE;
    ReplaceParameter(startIndex, CreateStartParameter(bNewCircle, GetCurrentItemID(startIndex)));
    ReplaceParameter(endIndex, CreateEndParameter(bNewCircle, GetCurrentItemID(endIndex)));
    return TRUE;
}

BOOL ParallelLine2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4 || GetParameterCount() < 1)
        return FALSE;
    CArray<FeatureLayout> shapes;
    if (!pSelection->GetSelectionGroup(0, shapes) || shapes.IsEmpty())
        return FALSE;
    auto* pBase = dynamic_cast<FeatureParameterItem*>(GetParameterItem(0));
    const long nRecord = shapes[0].GetRecordID();
    const int nType = pDocument->GetFeature(nRecord) != nullptr ? pDocument->GetFeatureType(nRecord) : -1;
    if (pBase == nullptr || !pBase->IsAcceptedFeature(nType))
        return FALSE;
    const KcArrayOfGePnt2d& points = pSelection->GetSelectionGroupPointList(0);
    const RuVaPnt2d pick = points.GetSize() > 0 ? points[0] : RuVaPnt2d();
    // The bounds follow the base's kind as they do for a picked base.
    FeatureParameterItem incoming;
    incoming.Copy(*pBase);
    incoming.SetValue(shapes[0], pick);
    ValidateParameterValue(0, incoming);
    pBase = dynamic_cast<FeatureParameterItem*>(GetParameterItem(0));
    if (pBase == nullptr || !pBase->SetValue(shapes[0], pick))
        return FALSE;
    m_bEndAfterRun = TRUE;
    return TRUE;
}

int ParallelLine2dCommand::MakeShape(BOOL bPreview, Feature2dBase*& pShape, UINT& nReason)
{
    pShape = nullptr;
    nReason = 0;
    if (GetParameterCount() < 4 || (!bPreview && IsParameterEmpty(0)))
        return resultMissing;
    FeatureParameterItem baseItem;
    if (!GetParameterValue(0, baseItem))
        return resultMissing;
    std::unique_ptr<Feature2dBase> base;
    RuVaPnt2d basePick;
    const int taken = ShapeCommandHelper::TakePickedFeature(this, baseItem, base, basePick);
    if (taken != ShapeCommandHelper::pickTaken) {
        if (taken == ShapeCommandHelper::pickGone)
            nReason = kMsgShapeGone;
        return taken == ShapeCommandHelper::pickGone ? resultNothing : resultMissing;
    }

    const BOOL bDistance = GetCurrentItemID(1) == itemDistance;
    double distance = 0.0;
    RuVaPnt2d side;
    RuVaPnt2d through;
    if (bDistance) {
        const int sideIndex = FindParameterIndex(itemSide);
        if (sideIndex < 0 || (!bPreview && (IsParameterEmpty(1) || IsParameterEmpty(sideIndex))))
            return resultMissing;
        LengthParameterItem distanceItem;
        PointParameterItem sideItem;
        if (!GetParameterValue(1, distanceItem) || !distanceItem.GetValue(distance) || !std::isfinite(distance) ||
            !GetParameterValue(sideIndex, sideItem) || !GetPointValue(sideItem, side, TRUE))
            return resultMissing;
        if (!bPreview && !(distance >= ShapeCommandHelper::kPointTolerance)) {
            nReason = kMsgLengthNotPositive;
            return resultNothing;
        }
    } else {
        PointParameterItem throughItem;
        if ((!bPreview && IsParameterEmpty(1)) || !GetParameterValue(1, throughItem) ||
            !GetPointValue(throughItem, through, TRUE))
            return resultMissing;
    }

    const int endIndex = bDistance ? 4 : 3;
    const int startIndex = endIndex - 1;
    if (endIndex >= GetParameterCount())
        return resultMissing;
    if (bPreview && IsParameterEmpty(startIndex) && IsParameterEmpty(endIndex)) {
        pShape = MakeGuide(base.get(), basePick, bDistance, distance, side, through);
        return pShape != nullptr ? resultDone : resultNothing;
    }
    Bound start;
    Bound end;
    int result = ReadBound(this, startIndex, bPreview, start, nReason);
    if (result == resultDone)
        result = ReadBound(this, endIndex, bPreview, end, nReason);
    if (result != resultDone)
        return result;
    if (start.wId == itemStartPoint && end.wId == itemEndPoint &&
        start.point.IsEqual(end.point, ShapeCommandHelper::kPointTolerance)) {
        nReason = kMsgPointsCoincide;
        return resultNothing;
    }
    pShape = bDistance ? CreateParallel(base.get(), basePick, start, end, distance, side)
                       : CreateParallel(base.get(), basePick, start, end, through);
    if (pShape == nullptr) {
        nReason = kMsgNoShape;
        return resultNothing;
    }
    return resultDone;
}

int ParallelLine2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    Feature2dBase* pShape = nullptr;
    UINT nReason = 0;
    const int result = MakeShape(FALSE, pShape, nReason);
    if (result != resultDone)
        return nReason != 0 ? ShapeCommandHelper::Refuse(this, nReason, result) : result;
    // A refusal keeps the distance and the bounds (3), whatever the end's kind.
    if (!ShapeCommandHelper::BuildFeature(this, pShape, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
    return resultDone;
}

void ParallelLine2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Feature2dBase* pShape = nullptr;
    UINT nReason = 0;
    if (MakeShape(TRUE, pShape, nReason) != resultDone)
        return;
    std::unique_ptr<Feature2dBase> shape(pShape);
    if (shape->GetFeatureType() != FeatureTypeInfiniteLine) {
        ShapeCommandHelper::BuildFeature(this, shape.release(), ShapeCommandHelper::actionPreview);
        return;
    }
    // An infinite line is drawn as the two rays from its point.
    const auto* pLine = static_cast<const InfiniteLine2dFeature*>(shape.get());
    const RuVaDir2d direction = pLine->GetDirection();
    for (const RuVaDir2d& d : {direction, RuVaDir2d(-direction.X(), -direction.Y())}) {
        auto* pRay = new SemiInfiniteLine2dFeature(pLine->GetPoint(), d);
        pRay->CopyBase(pLine);
        ShapeCommandHelper::BuildFeature(this, pRay, ShapeCommandHelper::actionPreview);
    }
}

}  // namespace QZ2Command
