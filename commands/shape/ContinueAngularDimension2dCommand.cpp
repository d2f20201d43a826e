#include "commands/shape/ContinueAngularDimension2dCommand.h"

#include <cmath>
#include <memory>

#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/ContinueLinearDimension2dCommand.h"
#include "commands/shape/DimensionCommandHelper.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ContinueAngularDimension2dCommand, CommandBase)

namespace {

constexpr double kTol = ShapeCommandHelper::kPointTolerance;

struct Identity {
    LPCTSTR id;
    ContinueAngularDimension2dCommand::RowKind kind;
    bool arcLength;
};
using C = ContinueAngularDimension2dCommand;
constexpr Identity kIdentities[] = {
    {_T("Korvan.Shape.ContinueAngularDimension"), C::rowContinued, false},
    {_T("Korvan.Shape.ContinueArcDimension"), C::rowContinued, true},
    {_T("Korvan.Shape.BaselineAngularDimension"), C::rowBaseline, false},
    {_T("Korvan.Shape.BaselineArcDimension"), C::rowBaseline, true},
    {_T("Korvan.Shape.ProgressiveAngularDimension"), C::rowProgressive, false},
    {_T("Korvan.Shape.ProgressiveArcDimension"), C::rowProgressive, true},
};

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        for (const Identity& i : kIdentities)
            CommandBase::RegisterEnableTest(i.id, &ContinueAngularDimension2dCommand::IsCommandEnabled);
    }
} g_registrar;

// The direction of p from the centre in degrees; 0 on the centre.
double AngleAbout(const RuVaPnt2d& c, const RuVaPnt2d& p)
{
    if (p.Distance(c) < kTol)
        return 0.0;
    return RuVa::CorrectAngle(std::atan2(p.Y() - c.Y(), p.X() - c.X()) * RuVa::RadToDeg);
}

}  // namespace

ContinueAngularDimension2dCommand::RowKind ContinueAngularDimension2dCommand::GetRowKind() const
{
    for (const Identity& i : kIdentities)
        if (m_strIdentifier == i.id)
            return i.kind;
    return rowContinued;
}

BOOL ContinueAngularDimension2dCommand::IsArcLength() const
{
    for (const Identity& i : kIdentities)
        if (m_strIdentifier == i.id)
            return i.arcLength ? TRUE : FALSE;
    return FALSE;
}

BOOL ContinueAngularDimension2dCommand::IsCommandEnabled(CString, Draw2dDocument*)
{
    return FALSE;
}

void ContinueAngularDimension2dCommand::SetupParameters()
{
    const RowKind kind = GetRowKind();
    static const struct {
        WORD id;
        UINT caption;
    } points[] = {{itemCentre, 10719}, {itemFirstPoint, 10720}, {itemSecondPoint, 10721}};
    for (const auto& p : points) {
        auto item = DimensionCommandHelper::MakePointItem(p.id, p.caption, 0);
        ShapeCommandHelper::AddSingleItemParameter(this, *item);
    }
    if (kind == rowProgressive) {
        auto list = std::make_unique<ListParameterItem>();
        ShapeCommandHelper::PrepareItem(*list, itemTextPosition, 10813, 0);
        list->SetItemsFromText(LoadResourceString(10846));
        list->SetValue(0);
        list->SetDefaultValue(0);
        list->m_nRetentionMode = 2;
        list->m_bClearable = FALSE;
        ShapeCommandHelper::AddSingleItemParameter(this, *list);
    }
    auto position = DimensionCommandHelper::MakePointItem(itemPosition, 10729, 0);
    ShapeCommandHelper::AddSingleItemParameter(this, *position);
    if (kind == rowBaseline) {
        LengthParameterItem spacing;
        ShapeCommandHelper::PrepareItem(spacing, itemSpacing, 10772, 0);
        spacing.m_bHistory = TRUE;
        spacing.m_nRetentionMode = 2;
        // Proposed once, when the parameters are made; without a document there is nothing to propose.
        if (ShapeCommandHelper::GetDocument(this) != nullptr)
            spacing.SetValue(ContinueLinearDimension2dCommand::GetDefaultSpacing(this));
        ShapeCommandHelper::AddSingleItemParameter(this, spacing);
    }
    PointArrayParameterItem further;
    ShapeCommandHelper::PrepareItem(further, itemFurtherPoints, 10809, 10690);
    ShapeCommandHelper::AddSingleItemParameter(this, further);
}

BOOL ContinueAngularDimension2dCommand::BuildDimensions(const RuVaPnt2d& centre, const RuVaPnt2d& p1,
                                                        const RuVaPnt2d& p2, const RuVaPnt2d& position,
                                                        const KcArrayOfGePnt2d& further, int nAction,
                                                        int nTextPosition, double dSpacing)
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
    const bool arcLength = IsArcLength() != FALSE;
    const double R0 = centre.Distance(position), r = centre.Distance(p1);
    if (R0 < kTol || (arcLength && r < kTol))
        return FALSE;
    Feature2dList row;
    const int count = static_cast<int>(further.GetSize()) + 1;
    double R = R0;
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
        const double aa = AngleAbout(centre, a), ab = AngleAbout(centre, b);
        if (std::fabs(aa - ab) * RuVa::DegToRad < 1e-12)
            return FALSE;
        if (kind == rowBaseline && i > 0)
            R += dSpacing;
        if (R < kTol)
            return FALSE;
        if (kind == rowProgressive)
            setting.SetArrowType1(i == 0 ? 3 : 0);
        Dimension2dFeatureBase* pDimension = nullptr;
        if (arcLength) {
            if (a.Distance(centre) < kTol || b.Distance(centre) < kTol)
                return FALSE;
            pDimension = FeatureCreator::CreateArcDimensionFeature(centre, r, aa, ab, R - r, 0, CString(), 0,
                                                                   position, &setting, 0);
        } else {
            pDimension = FeatureCreator::CreateAngularDimensionFeature(centre, a, b, R, 0, CString(), 0, position,
                                                                       &setting, 0);
        }
        if (pDimension == nullptr)
            return FALSE;
        row.AddFeature(pDimension, 0);
    }
    return DimensionCommandHelper::FinishRow(this, row, nAction);
}

int ContinueAngularDimension2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultMissing;
    RuVaPnt2d c, p1, p2;
    const struct {
        WORD id;
        RuVaPnt2d* p;
    } points[] = {{itemCentre, &c}, {itemFirstPoint, &p1}, {itemSecondPoint, &p2}};
    for (const auto& p : points) {
        const int index = FindParameterIndex(p.id);
        if (index < 0 || IsParameterEmpty(index))
            return resultMissing;
        if (!ConstrainedCircleCommandHelper::ReadPoint(this, p.id, FALSE, *p.p))
            return resultNothing;
    }
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
    if (!BuildDimensions(c, p1, p2, position, further, ShapeCommandHelper::actionAdd, nTextPosition, spacing))
        return ShapeCommandHelper::Refuse(this, kMsgNoDimension, resultConditional);
    return resultDone;
}

void ContinueAngularDimension2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    RuVaPnt2d c, p1, p2, position;
    if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemCentre, TRUE, c) ||
        !ConstrainedCircleCommandHelper::ReadPoint(this, itemFirstPoint, TRUE, p1) ||
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
    }
    BuildDimensions(c, p1, p2, position, further, ShapeCommandHelper::actionPreview, nTextPosition, spacing);
}

}  // namespace QZ2Command
