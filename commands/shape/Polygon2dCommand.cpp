#include "commands/shape/Polygon2dCommand.h"

#include <cmath>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Polygon2dCommand, CommandBase)

namespace {

constexpr UINT kMethodList = 10839;

struct ItemText {
    WORD id;
    UINT caption;
    UINT prompt;
};
// Captions and prompts by item id.
constexpr ItemText kTexts[] = {
    {Polygon2dCommand::itemSides, 10799, 11099},       {Polygon2dCommand::itemMethod, 10718, 11100},
    {Polygon2dCommand::itemCentre, 10719, 11101},      {Polygon2dCommand::itemVertexPoint, 10745, 11102},
    {Polygon2dCommand::itemRadius, 10750, 11103},      {Polygon2dCommand::itemSideLength, 10761, 11970},
    {Polygon2dCommand::itemAnglePoint, 10738, 11104},  {Polygon2dCommand::itemAngle, 10774, 11105},
    {Polygon2dCommand::itemSideStart, 10743, 11971},   {Polygon2dCommand::itemSideEnd, 10744, 11972},
};

void Prepare(ParameterItemBase& item, WORD id)
{
    for (const ItemText& t : kTexts) {
        if (t.id == id)
            ShapeCommandHelper::PrepareItem(item, id, t.caption, t.prompt);
    }
}

// A new item of the id, prepared with its settings; the caller owns it.
std::unique_ptr<ParameterItemBase> MakeItem(WORD id)
{
    std::unique_ptr<ParameterItemBase> item;
    switch (id) {
    case Polygon2dCommand::itemSides:
        item = std::make_unique<IntegerParameterItem>();
        item->m_nRetentionMode = 1;
        break;
    case Polygon2dCommand::itemMethod: {
        auto list = std::make_unique<ListParameterItem>();
        list->SetItemsFromStringId(kMethodList);
        list->SetDefaultValue(Polygon2dCommand::methodInscribed);
        list->SetValue(Polygon2dCommand::methodInscribed);
        list->m_nRetentionMode = 2;
        list->m_bClearable = FALSE;
        item = std::move(list);
        break;
    }
    case Polygon2dCommand::itemRadius:
    case Polygon2dCommand::itemSideLength:
        item = std::make_unique<LengthParameterItem>();
        item->m_nRetentionMode = 1;
        item->m_bHistory = TRUE;
        break;
    case Polygon2dCommand::itemAngle:
        item = std::make_unique<AngleParameterItem>();
        item->m_nRetentionMode = 1;
        item->m_bHistory = TRUE;
        break;
    default:
        item = std::make_unique<PointParameterItem>();
        break;
    }
    Prepare(*item, id);
    if (id == Polygon2dCommand::itemAnglePoint)
        item->m_wBaseItemId = Polygon2dCommand::itemCentre;
    else if (id == Polygon2dCommand::itemSideStart)
        item->m_wBaseItemId = Polygon2dCommand::itemSideEnd;
    else if (id == Polygon2dCommand::itemSideEnd)
        item->m_wBaseItemId = Polygon2dCommand::itemSideStart;
    return item;
}

BOOL ReadMethod(const CommandBase* pCommand, int& method)
{
    const int index = pCommand->FindParameterIndex(Polygon2dCommand::itemMethod);
    const auto* pList = index >= 0 ? dynamic_cast<const ListParameterItem*>(pCommand->GetParameterItem(index)) : nullptr;
    return pList != nullptr && pList->GetValue(method);
}

BOOL ReadPoint(CommandBase* pCommand, WORD id, BOOL bPreview, RuVaPnt2d& point)
{
    PointParameterItem item;
    if (bPreview)
        return pCommand->GetParameterValueByID(id, item) && pCommand->GetPointValue(item, point, TRUE);
    const ParameterItemBase* pItem = pCommand->FindItem(id);
    return pItem != nullptr && !pItem->IsEmpty() && pCommand->GetPointValue(*pItem, point, TRUE);
}

BOOL ReadNumber(CommandBase* pCommand, WORD id, BOOL bPreview, double& value)
{
    const int index = pCommand->FindParameterIndex(id);
    if (index < 0)
        return FALSE;
    if (bPreview) {
        LengthParameterItem item;  // a length item takes the value of any number item
        AngleParameterItem angle;
        DoubleParameterItem& out = id == Polygon2dCommand::itemAngle ? static_cast<DoubleParameterItem&>(angle)
                                                                      : static_cast<DoubleParameterItem&>(item);
        return pCommand->GetParameterValue(index, out) && out.GetValue(value);
    }
    const auto* pItem = dynamic_cast<const DoubleParameterItem*>(pCommand->FindItem(id));
    return pItem != nullptr && pItem->GetValue(value);
}

}  // namespace

Polyline2dFeature* Polygon2dCommand::CreatePolygon(int nMethod, int nSides, const RuVaPnt2d& centre, double dSize,
                                                   double dAngleDeg)
{
    switch (nMethod) {
    case methodInscribed:
        return FeatureCreator::CreateInscribedPolygonPolylineFeature(nSides, centre, dSize, dAngleDeg);
    case methodCircumscribed:
        return FeatureCreator::CreateCircumscribedPolygonPolylineFeature(nSides, centre, dSize, dAngleDeg);
    case methodSideLength:
        return FeatureCreator::CreateOneSidePolygonPolylineFeature(nSides, centre, dSize, dAngleDeg);
    default:
        return nullptr;
    }
}

void Polygon2dCommand::InsertRow(int nIndex, std::initializer_list<WORD> ids)
{
    auto pParameter = std::make_unique<CommandParameter>();
    for (WORD id : ids) {
        std::unique_ptr<ParameterItemBase> item = MakeItem(id);
        if (pParameter->AddItem(*item) < 0)
            return;
    }
    pParameter->SetCurrentIndex(0);
    const BOOL bAdded = m_pManager != nullptr ? m_pManager->InsertParameter(this, nIndex, pParameter.get())
                                              : (InsertParameter(nIndex, pParameter.get()) >= 0 ? TRUE : FALSE);
    if (bAdded)
        pParameter.release();
}

void Polygon2dCommand::SetupParameters()
{
    const int count = GetParameterCount();
    InsertRow(count, {itemSides});
    InsertRow(count + 1, {itemMethod});
    InsertRow(count + 2, {itemCentre});
    InsertRow(count + 3, {itemVertexPoint, itemRadius});
    InsertRow(count + 4, {itemAnglePoint, itemAngle});
}

BOOL Polygon2dCommand::OnAlternativeChanging(int nIndex, int)
{
    return nIndex >= 0 && nIndex < GetParameterCount() ? TRUE : FALSE;
}

BOOL Polygon2dCommand::ReformRows(int nIndex, int nMethod)
{
    auto remove = [this](WORD id) {
        const int index = FindParameterIndex(id);
        if (index < 0)
            return;
        if (m_pManager != nullptr)
            m_pManager->RemoveParameter(this, index);
        else
            RemoveParameter(index);
    };
    if (nMethod == methodOneSide) {
        if (FindParameterIndex(itemSideStart) >= 0)
            return TRUE;
        remove(itemAnglePoint);
        remove(itemVertexPoint);
        remove(itemSideLength);
        remove(itemCentre);
        InsertRow(nIndex + 1, {itemSideStart});
        InsertRow(nIndex + 2, {itemSideEnd});
        return TRUE;
    }
    if (nMethod < methodInscribed || nMethod > methodOneSide)
        return FALSE;
    remove(itemSideEnd);
    remove(itemSideStart);
    if (nMethod == methodSideLength)
        remove(itemVertexPoint);
    else
        remove(itemSideLength);
    if (FindParameterIndex(itemCentre) < 0)
        InsertRow(nIndex + 1, {itemCentre});
    if (nMethod == methodSideLength) {
        if (FindParameterIndex(itemSideLength) < 0)
            InsertRow(nIndex + 2, {itemSideLength});
    } else if (FindParameterIndex(itemVertexPoint) < 0) {
        InsertRow(nIndex + 2, {itemVertexPoint, itemRadius});
    }
    if (FindParameterIndex(itemAnglePoint) < 0)
        InsertRow(nIndex + 3, {itemAnglePoint, itemAngle});
    return TRUE;
}

int Polygon2dCommand::MakePolygon(BOOL bPreview, const RuVaPnt2d& cursor, Polyline2dFeature*& pPolygon, UINT& nReason)
{
    pPolygon = nullptr;
    nReason = 0;
    const auto* pSides = dynamic_cast<const IntegerParameterItem*>(FindItem(itemSides));
    int sides = 0;
    if (pSides == nullptr || pSides->IsEmpty() || !pSides->GetValue(sides))
        return resultMissing;
    if (sides < kMinSides || sides > kMaxSides) {
        nReason = kMsgSidesOutOfRange;
        return resultNothing;
    }
    int method = 0;
    if (!ReadMethod(this, method)) {
        nReason = kMsgNoShape;
        return resultNothing;
    }
    if (method == methodOneSide) {
        RuVaPnt2d p1;
        RuVaPnt2d p2;
        if (!ReadPoint(this, itemSideStart, bPreview, p1) || !ReadPoint(this, itemSideEnd, bPreview, p2))
            return resultMissing;
        if (p1.IsEqual(p2, ShapeCommandHelper::kPointTolerance)) {
            nReason = kMsgPointsCoincide;
            return resultNothing;
        }
        pPolygon = FeatureCreator::CreateVertexPolygonPolylineFeature(sides, p1, p2);
    } else {
        RuVaPnt2d centre;
        if (!ReadPoint(this, itemCentre, bPreview, centre))
            return resultMissing;
        const int sizeIndex = FindParameterIndex(method == methodSideLength ? itemSideLength : itemVertexPoint);
        double size = 0.0;
        switch (sizeIndex >= 0 ? GetCurrentItemID(sizeIndex) : 0xFFFF) {
        case itemVertexPoint: {
            RuVaPnt2d vertex;
            if (!ReadPoint(this, itemVertexPoint, bPreview, vertex))
                return resultMissing;
            if (vertex.IsEqual(centre, ShapeCommandHelper::kPointTolerance)) {
                nReason = kMsgPointsCoincide;
                return resultNothing;
            }
            size = centre.Distance(vertex);
            break;
        }
        case itemRadius:
        case itemSideLength:
            if (!ReadNumber(this, GetCurrentItemID(sizeIndex), bPreview, size))
                return resultMissing;
            if (!(size > 0.0) || !std::isfinite(size)) {
                nReason = kMsgLengthNotPositive;
                return resultNothing;
            }
            break;
        default:
            nReason = kMsgNoShape;
            return resultNothing;
        }
        double angle = 0.0;
        const int angleIndex = FindParameterIndex(itemAnglePoint);
        const WORD angleId = angleIndex >= 0 ? GetCurrentItemID(angleIndex) : 0xFFFF;
        RuVaPnt2d towards = cursor;
        BOOL bTowards = FALSE;
        if (angleId == itemAnglePoint) {
            if (!ReadPoint(this, itemAnglePoint, bPreview, towards))
                return resultMissing;
            bTowards = TRUE;
        } else if (angleId == itemAngle) {
            if (bPreview && IsParameterEmpty(angleIndex))
                bTowards = TRUE;  // turns with the cursor until an angle is typed
            else if (!ReadNumber(this, itemAngle, bPreview, angle))
                return resultMissing;
        }
        if (bTowards && !towards.IsEqual(centre, ShapeCommandHelper::kPointTolerance))
            angle = RuVaDir2d::DX2d().Angle(RuVaDir2d(centre, towards)) / 0.017453292519943295;
        pPolygon = CreatePolygon(method, sides, centre, size, angle);
    }
    if (pPolygon == nullptr) {
        nReason = kMsgNoShape;
        return resultConditional;
    }
    return resultDone;
}

int Polygon2dCommand::OnInput(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetParameterCount()) {
        const auto* pList = dynamic_cast<const ListParameterItem*>(GetParameterItem(nIndex));
        int method = 0;
        if (pList != nullptr && pList->GetId() == itemMethod && pList->GetValue(method) && !ReformRows(nIndex, method))
            return resultNothing;
    }
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    Polyline2dFeature* pPolygon = nullptr;
    UINT nReason = 0;
    const int result = MakePolygon(FALSE, RuVaPnt2d(), pPolygon, nReason);
    if (result != resultDone)
        return nReason != 0 ? ShapeCommandHelper::Refuse(this, nReason, result) : result;
    if (!ShapeCommandHelper::BuildFeature(this, pPolygon, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultConditional);
    return resultDone;
}

void Polygon2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d& local, UINT)
{
    Polyline2dFeature* pPolygon = nullptr;
    UINT nReason = 0;
    if (MakePolygon(TRUE, local, pPolygon, nReason) == resultDone)
        ShapeCommandHelper::BuildFeature(this, pPolygon, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
