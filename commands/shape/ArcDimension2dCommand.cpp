#include "commands/shape/ArcDimension2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/DimensionCommandHelper.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureType.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ArcDimension2dCommand, CommandBase)

namespace {

constexpr double kTol = ShapeCommandHelper::kPointTolerance;
using A = ArcDimension2dCommand;
constexpr DimensionCommandHelper::TextItems kText = {A::itemTextMode, A::itemText, A::itemTextPosMode,
                                                      A::itemTextPoint};

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        for (LPCTSTR id : {_T("Korvan.Shape.ArcDimension"), _T("Korvan.Shape.DiameterDimension"),
                           _T("Korvan.Shape.RadiusDimension")})
            CommandBase::RegisterEnableTest(id, &ArcDimension2dCommand::IsCommandEnabled);
    }
} g_registrar;

double AngleAbout(const RuVaPnt2d& c, const RuVaPnt2d& p)
{
    return RuVa::CorrectAngle(std::atan2(p.Y() - c.Y(), p.X() - c.X()) * RuVa::RadToDeg);
}

RuVaPnt2d PointAt(const RuVaPnt2d& c, double r, double deg)
{
    return RuVaPnt2d(c.X() + r * std::cos(deg * RuVa::DegToRad), c.Y() + r * std::sin(deg * RuVa::DegToRad));
}

}  // namespace

void ArcDimension2dCommand::SetupParameters()
{
    auto shape = std::make_unique<FeatureParameterItem>();
    ShapeCommandHelper::PrepareItem(*shape, itemShape, 10715, 10359);
    shape->m_dwAcceptedKinds = kCircleArcMask;
    shape->m_nPickSetting = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, *shape);
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakePointItem(itemStartPoint, 10720, 10346));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakePointItem(itemEndPoint, 10721, 10347));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextModeItem(itemTextMode));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextPosModeItem(itemTextPosMode));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakePointItem(itemPosition, 10729, 10362));
}

BOOL ArcDimension2dCommand::BuildDimension(const RuVaPnt2d& centre, double dRadius, double dStartAngle,
                                           double dEndAngle, int nTextMode, CString& strText,
                                           const RuVaPnt2d& position, BYTE nTextPosMode, const RuVaPnt2d& textPoint,
                                           int nAction)
{
    if (std::fabs(dStartAngle - dEndAngle) * RuVa::DegToRad < 1e-12)
        return FALSE;
    const RuVaPnt2d start = PointAt(centre, dRadius, dStartAngle);
    double d = centre.Distance(position);
    if (d < kTol)
        return FALSE;
    DimensionSetting setting;
    if (!DimensionCommandHelper::PrepareSetting(this, setting))
        return FALSE;
    const int mode = setting.GetArcDimProjeLineRadialMode();
    RuVaPnt2d foot;
    const double offset = d - dRadius;
    if (ArcDimension2dFeature::CanProjectionLineParallel(centre, start, dRadius, d, dStartAngle, dEndAngle, mode,
                                                         offset, foot) == 0 &&
        mode == 0)
        return FALSE;
    const double length = start.Distance(foot) * (d < dRadius ? -1.0 : 1.0);
    std::unique_ptr<Dimension2dFeatureBase> dim(FeatureCreator::CreateArcDimensionFeature(
        centre, dRadius, dStartAngle, dEndAngle, length, nTextMode == 1 ? 1 : 0, strText, nTextPosMode, textPoint,
        &setting, DimensionCommandHelper::PosAngleFlag(setting)));
    return DimensionCommandHelper::Finish(this, std::move(dim), nAction, strText);
}

int ArcDimension2dCommand::Run(BOOL bPreview, int nIndex)
{
    // The shape as it stands in the active layout; only circles and arcs are measured.
    std::unique_ptr<Feature2dBase> shape;
    RuVaPnt2d c;
    double r = 0.0;
    const int picked = DimensionCommandHelper::ReadCircleOrArc(this, itemShape, kText, bPreview, nIndex, shape, c, r);
    if (picked != resultDone)
        return picked;

    const int si = FindParameterIndex(itemStartPoint), ei = FindParameterIndex(itemEndPoint);
    const bool bothEmpty = si >= 0 && ei >= 0 && IsParameterEmpty(si) && IsParameterEmpty(ei);
    RuVaPnt2d s, e;
    if (shape->GetFeatureType() == FeatureTypeArc && bothEmpty) {
        // A picked arc is measured end to end, counter-clockwise.
        const auto* pArc = static_cast<const Arc2dFeature*>(shape.get());
        double a0 = RuVa::CorrectAngle(pArc->GetStartAngle()), a1 = RuVa::CorrectAngle(pArc->GetEndAngle());
        if (pArc->GetDirection() == 1)
            std::swap(a0, a1);
        s = PointAt(c, r, a0);
        e = PointAt(c, r, a1);
        if (bPreview) {
            if (s.Distance(e) < kTol)
                return resultNothing;
        } else {
            static_cast<PointParameterItem*>(GetParameterItem(si))->SetValue(s);
            static_cast<PointParameterItem*>(GetParameterItem(ei))->SetValue(e);
            m_pManager->UpdateParameterInBar(this, si, TRUE);
            m_pManager->UpdateParameterInBar(this, ei, TRUE);
        }
    } else {
        if (si < 0 || ei < 0)
            return resultMissing;
        if (!bPreview && IsParameterEmpty(si))
            return resultMissing;
        if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemStartPoint, bPreview, s))
            return bPreview ? resultMissing : resultNothing;
        if (!bPreview && IsParameterEmpty(ei))
            return resultMissing;
        if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemEndPoint, bPreview, e))
            return bPreview ? resultMissing : resultNothing;
    }
    int nTextMode = 0;
    CString text;
    const int read = DimensionCommandHelper::ReadText(this, kText, bPreview, nTextMode, text);
    if (read != resultDone)
        return read;
    const int pi = FindParameterIndex(itemPosition);
    if (!bPreview && (pi < 0 || IsParameterEmpty(pi))) {
        const bool textModeGiven = nIndex >= 0 && nIndex < GetParameterCount() && GetCurrentItemID(nIndex) == itemTextMode;
        if (textModeGiven && nTextMode == 1 && s.Distance(c) >= kTol && e.Distance(c) >= kTol) {
            CString value = text;
            BuildDimension(c, r, AngleAbout(c, s), AngleAbout(c, e), 0, value, e, 0, e, 2);
            DimensionCommandHelper::FillTypedText(this, itemText, value);
        }
        return resultMissing;
    }
    RuVaPnt2d position, textPoint;
    int nPosMode = 0;
    const int placed = DimensionCommandHelper::ReadPlacement(this, itemPosition, kText, bPreview, position, nPosMode,
                                                             textPoint);
    if (placed != resultDone)
        return placed;
    if (s.Distance(c) < kTol || e.Distance(c) < kTol)
        return resultMissing;
    const double a0 = AngleAbout(c, s), a1 = AngleAbout(c, e);
    if (bPreview)
        return BuildDimension(c, r, a0, a1, nTextMode, text, position, (BYTE)nPosMode, textPoint, 1) ? resultDone
                                                                                                     : resultNothing;
    if (!BuildDimension(c, r, a0, a1, nTextMode, text, position, (BYTE)nPosMode, textPoint, 0))
        return ShapeCommandHelper::Refuse(this, kMsgNoDimension, resultConditional);
    return resultDone;
}

int ArcDimension2dCommand::OnInput(int nIndex)
{
    return Run(FALSE, nIndex);
}

void ArcDimension2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Run(TRUE, -1);
}

BOOL ArcDimension2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    return DimensionCommandHelper::TakeOverCircleOrArc(this, pDocument);
}

BOOL ArcDimension2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    return DimensionCommandHelper::IsCircleOrArcSelected(pDocument);
}

}  // namespace QZ2Command
