#include "commands/shape/ContinueLinearDimension2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/ContinueAngularDimension2dCommand.h"
#include "commands/shape/DimensionCommandHelper.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/LinearDimension2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ContinueLinearDimension2dCommand, CommandBase)

namespace {

constexpr double kTol = ShapeCommandHelper::kPointTolerance;

struct Identity {
    LPCTSTR id;
    ContinueLinearDimension2dCommand::RowKind kind;
    ContinueLinearDimension2dCommand::Direction direction;
};
using C = ContinueLinearDimension2dCommand;
constexpr Identity kIdentities[] = {
    {_T("Korvan.Shape.ContinueLinearDimension"), C::rowContinued, C::directionGeneric},
    {_T("Korvan.Shape.ContinueHorizontalLinearDimension"), C::rowContinued, C::directionHorizontal},
    {_T("Korvan.Shape.ContinueVerticalLinearDimension"), C::rowContinued, C::directionVertical},
    {_T("Korvan.Shape.ContinueParallelDimension"), C::rowContinued, C::directionParallel},
    {_T("Korvan.Shape.BaselineLinearDimension"), C::rowBaseline, C::directionGeneric},
    {_T("Korvan.Shape.BaselineHorizontalLinearDimension"), C::rowBaseline, C::directionHorizontal},
    {_T("Korvan.Shape.BaselineVerticalLinearDimension"), C::rowBaseline, C::directionVertical},
    {_T("Korvan.Shape.BaselineParallelDimension"), C::rowBaseline, C::directionParallel},
    {_T("Korvan.Shape.ProgressiveLinearDimension"), C::rowProgressive, C::directionGeneric},
    {_T("Korvan.Shape.ProgressiveHorizontalLinearDimension"), C::rowProgressive, C::directionHorizontal},
    {_T("Korvan.Shape.ProgressiveVerticalLinearDimension"), C::rowProgressive, C::directionVertical},
    {_T("Korvan.Shape.ProgressiveParallelDimension"), C::rowProgressive, C::directionParallel},
};

// The right-click menu never enables the rows; the generic ones have no test at all.
struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        for (const Identity& i : kIdentities)
            if (i.direction != C::directionGeneric)
                CommandBase::RegisterEnableTest(i.id, &ContinueAngularDimension2dCommand::IsCommandEnabled);
    }
} g_registrar;

RuVaVec2d Dir(double deg)
{
    return RuVaVec2d(std::cos(deg * RuVa::DegToRad), std::sin(deg * RuVa::DegToRad));
}

double AngleDeg(const RuVaPnt2d& from, const RuVaPnt2d& to)
{
    return RuVa::CorrectAngle(std::atan2(to.Y() - from.Y(), to.X() - from.X()) * RuVa::RadToDeg);
}

// Where the line from p in direction e meets the line through o in direction u.
bool Meet(const RuVaPnt2d& p, const RuVaVec2d& e, const RuVaPnt2d& o, const RuVaVec2d& u, RuVaPnt2d& q)
{
    const double den = e.Crossed(u);
    if (std::fabs(den) < 1e-300)
        return false;
    q = p + e * ((o - p).Crossed(u) / den);
    return true;
}

}  // namespace

ContinueLinearDimension2dCommand::RowKind ContinueLinearDimension2dCommand::GetRowKind() const
{
    for (const Identity& i : kIdentities)
        if (m_strIdentifier == i.id)
            return i.kind;
    return rowContinued;
}

ContinueLinearDimension2dCommand::Direction ContinueLinearDimension2dCommand::GetDirection() const
{
    for (const Identity& i : kIdentities)
        if (m_strIdentifier == i.id)
            return i.direction;
    return directionGeneric;
}

double ContinueLinearDimension2dCommand::GetDefaultSpacing(const CommandBase* pCommand)
{
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand);
    if (pDocument == nullptr || pDocument->GetDimensionSetting() == nullptr)
        return 0.0;
    double sx = 1.0, sy = 1.0;
    if (!pCommand->GetLayoutInverseScale(&sx, &sy))
        sx = 1.0;
    const DimensionSetting* pSetting = pDocument->GetDimensionSetting();
    return (pSetting->GetDistance() + 2.0 * pSetting->GetDimTextHight()) * sx;
}

void ContinueLinearDimension2dCommand::SetupParameters()
{
    const RowKind kind = GetRowKind();
    auto first = DimensionCommandHelper::MakePointItem(itemFirstPoint, 10720, 10365);
    ShapeCommandHelper::AddSingleItemParameter(this, *first);
    auto second = DimensionCommandHelper::MakePointItem(itemSecondPoint, 10721, 10366);
    second->m_wBaseItemId = itemFirstPoint;
    ShapeCommandHelper::AddSingleItemParameter(this, *second);
    if (kind == rowProgressive) {
        auto list = std::make_unique<ListParameterItem>();
        ShapeCommandHelper::PrepareItem(*list, itemTextPosition, 10813, 10367);
        list->SetItemsFromText(LoadResourceString(10846));
        list->SetValue(0);
        list->SetDefaultValue(0);
        list->m_nRetentionMode = 2;
        list->m_bClearable = FALSE;
        ShapeCommandHelper::AddSingleItemParameter(this, *list);
    }
    auto position = DimensionCommandHelper::MakePointItem(itemPosition, 10729, 10362);
    ShapeCommandHelper::AddSingleItemParameter(this, *position);
    if (kind == rowBaseline) {
        LengthParameterItem spacing;
        ShapeCommandHelper::PrepareItem(spacing, itemSpacing, 10772, 10368);
        spacing.m_bHistory = TRUE;
        spacing.m_nRetentionMode = 2;
        ShapeCommandHelper::AddSingleItemParameter(this, spacing);
    }
    PointArrayParameterItem further;
    ShapeCommandHelper::PrepareItem(further, itemFurtherPoints, 10809, 10369);
    further.m_wBaseItemId = itemSecondPoint;
    ShapeCommandHelper::AddSingleItemParameter(this, further);
}

BOOL ContinueLinearDimension2dCommand::OnStart()
{
    // A baseline row proposes its spacing from the style, unless one was typed or remembered.
    const int si = FindParameterIndex(itemSpacing);
    if (si >= 0 && IsParameterEmpty(si) && ShapeCommandHelper::GetDocument(this) != nullptr) {
        if (auto* pSpacing = dynamic_cast<LengthParameterItem*>(GetParameterItem(si)))
            pSpacing->SetValue(GetDefaultSpacing(this));
    }
    return TRUE;
}

BOOL ContinueLinearDimension2dCommand::BuildDimensions(const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                                                       const RuVaPnt2d& position, const KcArrayOfGePnt2d& further,
                                                       int nAction, int nTextPosition, double dSpacing)
{
    if (p1.Distance(p2) < kTol)
        return FALSE;
    DimensionSetting setting;
    if (!DimensionCommandHelper::PrepareSetting(this, setting))
        return FALSE;
    setting.SetAutoArrowPosition(0);
    setting.SetAutoHorizonPos(0);
    setting.SetHorizonPos(nTextPosition == 0 ? 6 : nTextPosition == 1 ? 2 : 0);

    const RowKind kind = GetRowKind();
    Direction direction = GetDirection();
    if (direction == directionGeneric)
        direction = LinearDimension2dCommand::MeasuresLevel(p1, p2, position) ? directionHorizontal
                                                                              : directionVertical;
    Feature2dList row;
    const int count = static_cast<int>(further.GetSize()) + 1;
    double extAngle = 0.0, dimAngle = 0.0, length = 0.0;
    RuVaVec2d lineDir;  // the direction of the row's dimension line (through the position)
    RuVaPnt2d prevQ2;
    for (int i = 0; i < count; ++i) {
        RuVaPnt2d a, b;
        if (i == 0) {
            a = p1;
            b = p2;
        } else if (kind == rowContinued) {
            a = i == 1 ? p2 : further[i - 2];
            b = further[i - 1];
        } else {
            a = p1;
            b = further[i - 1];
        }
        RuVaPnt2d q1, q2;
        int nParallel = 0;
        if (i == 0) {
            if (direction == directionHorizontal) {
                extAngle = a.Y() <= position.Y() ? 90.0 : 270.0;
                lineDir = RuVaVec2d(1, 0);
            } else if (direction == directionVertical) {
                extAngle = a.X() <= position.X() ? 0.0 : 180.0;
                lineDir = RuVaVec2d(0, 1);
            } else {
                const double t = AngleDeg(a, b);
                const RuVaPnt2d ref = position.Distance(a) < kTol ? b : a;
                if (ref.Distance(position) < kTol)
                    return FALSE;
                const double rel = RuVa::CorrectAngle(AngleDeg(ref, position) - t);
                extAngle = RuVa::CorrectAngle(rel >= 180.0 ? t - 90.0 : t + 90.0);
                lineDir = Dir(t);
                nParallel = 1;
            }
            const RuVaVec2d e = Dir(extAngle);
            if (!Meet(a, e, position, lineDir, q1) || !Meet(b, e, position, lineDir, q2))
                return FALSE;
        } else {
            if (kind == rowContinued && GetDirection() != directionGeneric && a.Distance(prevQ2) >= kTol &&
                position.Distance(prevQ2) >= kTol)
                extAngle = AngleDeg(a, prevQ2);
            const RuVaVec2d e = Dir(extAngle);
            if (kind == rowBaseline) {
                q1 = a + e * (length + dSpacing);
                if (!Meet(b, e, q1, Dir(dimAngle), q2))
                    return FALSE;
            } else if (!Meet(a, e, position, lineDir, q1) || !Meet(b, e, position, lineDir, q2)) {
                return FALSE;
            }
        }
        if (q1.Distance(q2) < kTol)
            return FALSE;
        // Signed along the extension direction, so that a point beyond the dimension line keeps its side.
        length = (q1 - a).Dot(Dir(extAngle));
        dimAngle = AngleDeg(q1, q2);
        prevQ2 = q2;
        if (kind == rowProgressive)
            setting.SetArrowType1(i == 0 ? 3 : 0);
        Dimension2dFeatureBase* pDimension = FeatureCreator::CreateLinearDimensionFeature(
            a, b, length, extAngle, dimAngle, 0, CString(), 0, position, nParallel, &setting, i + 1 < count ? 1 : 0,
            0);
        if (pDimension == nullptr)
            return FALSE;
        row.AddFeature(pDimension, 0);
    }
    return DimensionCommandHelper::FinishRow(this, row, nAction);
}

int ContinueLinearDimension2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultMissing;
    RuVaPnt2d p1, p2;
    for (WORD id : {itemFirstPoint, itemSecondPoint}) {
        const int index = FindParameterIndex(id);
        if (index < 0 || IsParameterEmpty(index))
            return resultMissing;
    }
    if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemFirstPoint, FALSE, p1) ||
        !ConstrainedCircleCommandHelper::ReadPoint(this, itemSecondPoint, FALSE, p2))
        return resultNothing;
    const Direction direction = GetDirection();
    if ((direction == directionHorizontal && std::fabs(p1.X() - p2.X()) < kTol) ||
        (direction == directionVertical && std::fabs(p1.Y() - p2.Y()) < kTol))
        return ShapeCommandHelper::Refuse(this, kMsgDimensionDirection, resultNothing);
    if (p1.Distance(p2) < kTol)
        return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
    int nTextPosition = -1;
    if (GetRowKind() == rowProgressive && !DimensionCommandHelper::ReadList(this, itemTextPosition, nTextPosition))
        return resultNothing;
    const int pi = FindParameterIndex(itemPosition);
    RuVaPnt2d position;
    if (pi < 0 || IsParameterEmpty(pi))
        return resultMissing;
    if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemPosition, FALSE, position))
        return resultNothing;
    double spacing = 0.0;
    const int si = FindParameterIndex(itemSpacing);
    if (GetRowKind() == rowBaseline && si >= 0 && !IsParameterEmpty(si) &&
        !ConstrainedCircleCommandHelper::ReadLength(this, itemSpacing, FALSE, spacing))
        return resultNothing;
    const auto* pFurther = dynamic_cast<const PointArrayParameterItem*>(FindItem(itemFurtherPoints));
    if (pFurther == nullptr || !pFurther->m_bFinished)
        return resultMissing;
    KcArrayOfGePnt2d further;
    if (!pFurther->IsEmpty() && pFurther->GetCount() > 0 && !pFurther->GetValue(further))
        return resultMissing;
    if (!BuildDimensions(p1, p2, position, further, ShapeCommandHelper::actionAdd, nTextPosition, spacing))
        return ShapeCommandHelper::Refuse(this, kMsgNoDimension, resultConditional);
    return resultDone;
}

void ContinueLinearDimension2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    RuVaPnt2d p1, p2, position;
    if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemFirstPoint, TRUE, p1) ||
        !ConstrainedCircleCommandHelper::ReadPoint(this, itemSecondPoint, TRUE, p2) ||
        !ConstrainedCircleCommandHelper::ReadPoint(this, itemPosition, TRUE, position))
        return;
    int nTextPosition = -1;
    if (GetRowKind() == rowProgressive && !DimensionCommandHelper::ReadList(this, itemTextPosition, nTextPosition))
        return;
    double spacing = 0.0;
    const int si = FindParameterIndex(itemSpacing);
    if (GetRowKind() == rowBaseline && si >= 0 && !IsParameterEmpty(si) &&
        !ConstrainedCircleCommandHelper::ReadLength(this, itemSpacing, FALSE, spacing))
        return;
    KcArrayOfGePnt2d further;
    const int pi = FindParameterIndex(itemPosition);
    const int fi = FindParameterIndex(itemFurtherPoints);
    if (pi >= 0 && !IsParameterEmpty(pi) && fi >= 0) {
        PointArrayParameterItem provisional;
        if (!GetParameterValue(fi, provisional) || !provisional.GetValue(further))
            return;
        // Relative input goes from the second point until a further point is given, then from the last one.
        if (auto* pItem = GetParameterItem(fi)) {
            const auto* pList = dynamic_cast<const PointArrayParameterItem*>(pItem);
            pItem->m_wBaseItemId = pList != nullptr && pList->GetCount() > 0 ? itemFurtherPoints : itemSecondPoint;
        }
    }
    BuildDimensions(p1, p2, position, further, ShapeCommandHelper::actionPreview, nTextPosition, spacing);
}

}  // namespace QZ2Command
