#include "commands/shape/LinearDimension2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LinearDimension2dCommand, CommandBase)

namespace {

constexpr LPCTSTR kGeneric = _T("Korvan.Shape.LinearDimension");
constexpr LPCTSTR kHorizontal = _T("Korvan.Shape.HorizontalLinearDimension");
constexpr LPCTSTR kVertical = _T("Korvan.Shape.VerticalLinearDimension");
constexpr LPCTSTR kParallel = _T("Korvan.Shape.ParallelDimension");
constexpr double kTol = 1e-7;
constexpr double kAngleTol = 1e-12;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        for (LPCTSTR id : {kGeneric, kHorizontal, kVertical, kParallel})
            CommandBase::RegisterEnableTest(id, &LinearDimension2dCommand::IsCommandEnabled);
    }
} g_registrar;

std::unique_ptr<ParameterItemBase> MakeItem(WORD id)
{
    std::unique_ptr<ParameterItemBase> item;
    switch (id) {
    case LinearDimension2dCommand::itemFeature: {
        auto f = std::make_unique<FeatureParameterItem>();
        ShapeCommandHelper::PrepareItem(*f, id, 10715, 10348);
        f->m_dwAcceptedKinds = LinearDimension2dCommand::kFeatureMask;
        f->m_nPickSetting = 1;
        return f;
    }
    case LinearDimension2dCommand::itemFirstParallel:
    case LinearDimension2dCommand::itemSecondParallel: {
        auto f = std::make_unique<FeatureParameterItem>();
        if (id == LinearDimension2dCommand::itemFirstParallel)
            ShapeCommandHelper::PrepareItem(*f, id, 10780, 10349);
        else
            ShapeCommandHelper::PrepareItem(*f, id, 10781, 10350);
        f->m_dwAcceptedKinds = LinearDimension2dCommand::kParallelMask;
        f->m_nPickSetting = 1;
        return f;
    }
    case LinearDimension2dCommand::itemTextMode:
    case LinearDimension2dCommand::itemTextPosMode: {
        auto list = std::make_unique<ListParameterItem>();
        const bool text = id == LinearDimension2dCommand::itemTextMode;
        ShapeCommandHelper::PrepareItem(*list, id, text ? 10812 : 10813, text ? 10360 : 10361);
        list->SetItemsFromText(LoadResourceString(text ? 10830 : 10831));
        list->SetDefaultValue(0);
        list->SetValue(0);
        list->m_nRetentionMode = 2;
        list->m_bClearable = FALSE;
        return list;
    }
    case LinearDimension2dCommand::itemText: {
        auto t = std::make_unique<TextParameterItem>();
        ShapeCommandHelper::PrepareItem(*t, id, 10788, 10363);
        t->m_bAcceptEmptyText = TRUE;
        return t;
    }
    default: {
        auto p = std::make_unique<PointParameterItem>();
        static const struct {
            WORD id;
            UINT caption, prompt;
        } texts[] = {{LinearDimension2dCommand::itemFirstPoint, 10720, 10346},
                     {LinearDimension2dCommand::itemSecondPoint, 10721, 10347},
                     {LinearDimension2dCommand::itemTextPoint, 10789, 10364},
                     {LinearDimension2dCommand::itemPosition, 10729, 10362}};
        for (const auto& t : texts)
            if (t.id == id)
                ShapeCommandHelper::PrepareItem(*p, id, t.caption, t.prompt);
        if (id == LinearDimension2dCommand::itemSecondPoint)
            p->m_wBaseItemId = LinearDimension2dCommand::itemFirstPoint;
        item = std::move(p);
        return item;
    }
    }
}

BOOL ReadList(const CommandBase* pCommand, WORD id, int& value)
{
    const int index = pCommand->FindParameterIndex(id);
    const auto* pList = index >= 0 ? dynamic_cast<const ListParameterItem*>(pCommand->FindItem(id)) : nullptr;
    return pList != nullptr && !pList->IsEmpty() && pList->GetValue(value);
}

// A straight shape as the parallel search sees it: a segment, a ray from a, or an unbounded line.
struct Straight {
    RuVaPnt2d a, b;
    int kind = 0;  // 0 segment a-b, 1 ray from a through b, 2 unbounded
};

bool ToStraight(const Feature2dBase* f, Straight& s)
{
    if (f == nullptr)
        return false;
    switch (f->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* l = static_cast<const Line2dFeature*>(f);
        s = {l->GetStartPoint(), l->GetEndPoint(), 0};
        return l->GetStartPoint().Distance(l->GetEndPoint()) >= kTol;
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        const auto* l = static_cast<const InfiniteLine2dFeature*>(f);
        s = {l->GetPoint(), l->GetPoint() + l->GetDirection().Vec(),
             f->GetFeatureType() == FeatureTypeInfiniteLine ? 2 : 1};
        return true;
    }
    default:
        return false;
    }
}

// The foot of the perpendicular from p on the shape's carrier, and whether it lies on the shape itself.
RuVaPnt2d Foot(const Straight& s, const RuVaPnt2d& p, bool& on)
{
    const RuVaVec2d d = s.b - s.a;
    const double t = (p - s.a).Dot(d) / d.SquareMagnitude();
    on = s.kind == 2 || (t >= -1e-12 && (s.kind == 1 || t <= 1.0 + 1e-12));
    return s.a + d * t;
}

// The end of a bounded shape nearer to p (the first unless the second is strictly nearer); a ray's start.
RuVaPnt2d NearEnd(const Straight& s, const RuVaPnt2d& p)
{
    if (s.kind == 1)
        return s.a;
    return p.Distance(s.b) < p.Distance(s.a) ? s.b : s.a;
}

}  // namespace

BOOL LinearDimension2dCommand::IsVariant(LPCTSTR identifier, const CString& strVariant) const
{
    return m_strIdentifier == identifier || strVariant == identifier;
}

void LinearDimension2dCommand::SetupParameters()
{
    m_strVariantIdentifier.Empty();
    auto first = MakeItem(itemFirstPoint), feature = MakeItem(itemFeature), parallel = MakeItem(itemFirstParallel);
    ShapeCommandHelper::AddAlternativesParameter(this, {first.get(), feature.get(), parallel.get()});
    for (WORD id : {itemSecondPoint, itemTextMode, itemTextPosMode, itemPosition}) {
        auto item = MakeItem(id);
        ShapeCommandHelper::AddSingleItemParameter(this, *item);
    }
}

void LinearDimension2dCommand::InsertRow(int nIndex, WORD wItem)
{
    auto item = MakeItem(wItem);
    auto pParameter = std::make_unique<CommandParameter>();
    pParameter->AddItem(*item);
    pParameter->SetCurrentIndex(0);
    const BOOL bInserted = m_pManager != nullptr ? m_pManager->InsertParameter(this, nIndex, pParameter.get())
                                                 : (InsertParameter(nIndex, pParameter.get()) >= 0 ? TRUE : FALSE);
    if (bInserted)
        pParameter.release();
}

void LinearDimension2dCommand::RemoveRowOf(WORD wItem)
{
    const int index = FindParameterIndex(wItem);
    if (index < 0)
        return;
    if (m_pManager != nullptr)
        m_pManager->RemoveParameter(this, index);
    else
        RemoveParameter(index);
}

BOOL LinearDimension2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex != 0 || GetParameterCount() < 1)
        return FALSE;
    const CommandParameter* pFirst = GetParameter(0);
    if (nAlternative == pFirst->GetCurrentIndex() || nAlternative < 0 || nAlternative >= pFirst->GetItemCount())
        return FALSE;
    const WORD wNew = pFirst->GetItem(nAlternative)->GetId();
    RemoveRowOf(itemSecondPoint);
    RemoveRowOf(itemSecondParallel);
    if (wNew == itemFirstPoint)
        InsertRow(1, itemSecondPoint);
    else if (wNew == itemFirstParallel)
        InsertRow(1, itemSecondParallel);
    m_strVariantIdentifier.Empty();
    return TRUE;
}

void LinearDimension2dCommand::FollowLists(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return;
    const WORD wGiven = GetCurrentItemID(nIndex);
    int value = 0;
    if (wGiven == itemTextMode && ReadList(this, itemTextMode, value)) {
        if (value == 1 && FindParameterIndex(itemText) < 0)
            InsertRow(nIndex + 1, itemText);
        else if (value != 1)
            RemoveRowOf(itemText);
    }
    if (wGiven == itemTextPosMode && ReadList(this, itemTextPosMode, value)) {
        if (value == 0)
            RemoveRowOf(itemTextPoint);
        else if (FindParameterIndex(itemTextPoint) < 0)
            InsertRow(GetParameterCount(), itemTextPoint);
    }
}

double LinearDimension2dCommand::GetFeatureDirectionAngle(const Feature2dBase* pFeature, int nSegment)
{
    if (pFeature == nullptr)
        return 0.0;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* l = static_cast<const Line2dFeature*>(pFeature);
        const RuVaVec2d v = l->GetEndPoint() - l->GetStartPoint();
        return std::atan2(v.Y(), v.X());
    }
    case FeatureTypePolyline: {
        const KcArrayOfGePnt2d& pts = static_cast<const Polyline2dFeature*>(pFeature)->GetPointArray();
        if (nSegment < 0 || nSegment + 1 >= pts.GetSize())
            return 0.0;
        const RuVaVec2d v = pts[nSegment + 1] - pts[nSegment];
        return std::atan2(v.Y(), v.X());
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        const RuVaVec2d v = static_cast<const InfiniteLine2dFeature*>(pFeature)->GetDirection().Vec();
        return std::atan2(v.Y(), v.X());
    }
    default:
        return 0.0;
    }
}

BOOL LinearDimension2dCommand::GetPointsBetweenParallelFeatures(const Feature2dBase* pA, const Feature2dBase* pB,
                                                                const RuVaPnt2d& position, RuVaPnt2d& p1,
                                                                RuVaPnt2d& p2, double& dGap1, double& dGap2) const
{
    dGap1 = dGap2 = 0.0;
    Straight a, b;
    if (!ToStraight(pA, a) || !ToStraight(pB, b))
        return FALSE;
    bool hitA = false, hitB = false;
    const RuVaPnt2d footA = Foot(a, position, hitA), footB = Foot(b, position, hitB);
    const RuVaPnt2d nearA = NearEnd(a, position), nearB = NearEnd(b, position);
    if (hitA) {
        p1 = footA;
        dGap1 = -1.0;
    }
    if (hitB) {
        p2 = footB;
        dGap2 = -1.0;
    }
    if (!IsVariant(kParallel, m_strVariantIdentifier)) {
        if (!hitA)
            p1 = nearA;
        if (!hitB)
            p2 = nearB;
        return TRUE;
    }
    bool on = false;
    if (hitA && hitB)
        return TRUE;
    if (hitA) {
        p2 = nearB;
        p1 = Foot(a, p2, on);
        if (!on)
            return FALSE;
        dGap1 = p1.Distance(footA);
        return TRUE;
    }
    if (hitB) {
        p1 = nearA;
        p2 = Foot(b, p1, on);
        if (!on)
            return FALSE;
        dGap2 = p2.Distance(footB);
        return TRUE;
    }
    // Neither is met: both must end on the same side of the position.
    Straight ua = a, ub = b;
    ua.kind = ub.kind = 2;
    const RuVaPnt2d fa = Foot(ua, position, on), fb = Foot(ub, position, on);
    if (nearA.Distance(fa) >= kTol && nearB.Distance(fb) >= kTol) {
        const RuVaVec2d da = (fa - nearA).Normalized(), db = (fb - nearB).Normalized();
        if (std::fabs(da.Angle(db)) > kAngleTol)
            return FALSE;
    }
    if (nearB.Distance(fb) < nearA.Distance(fa)) {
        p1 = nearA;
        p2 = Foot(ub, p1, on);
        dGap2 = p2.Distance(nearB);
    } else {
        p2 = nearB;
        p1 = Foot(ua, p2, on);
        dGap1 = p1.Distance(nearA);
    }
    return TRUE;
}

BOOL LinearDimension2dCommand::BuildDimension(const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nTextMode,
                                              CString& strText, const RuVaPnt2d& position, BYTE nTextPosMode,
                                              const RuVaPnt2d& textPoint, int nAction, int nState, double dGap1,
                                              double dGap2)
{
    if (p1.Distance(p2) < kTol)
        return FALSE;
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || pDocument->GetDimensionSetting() == nullptr)
        return FALSE;
    DimensionSetting setting;
    setting.Copy(*pDocument->GetDimensionSetting());

    // The construction: parallel, horizontal or vertical.
    const CString& variant = m_strVariantIdentifier;
    enum { horizontal, vertical, parallel } kind = horizontal;
    if (m_strIdentifier == kParallel || variant == kParallel)
        kind = parallel;
    else if (m_strIdentifier == kHorizontal || variant == kHorizontal)
        kind = horizontal;
    else if (m_strIdentifier == kVertical || variant == kVertical)
        kind = vertical;
    else {
        const double minX = std::min(p1.X(), p2.X()), maxX = std::max(p1.X(), p2.X());
        const double minY = std::min(p1.Y(), p2.Y()), maxY = std::max(p1.Y(), p2.Y());
        const bool out = position.X() < minX || position.X() > maxX || position.Y() < minY || position.Y() > maxY;
        if (out) {
            if (minX <= position.X() && position.X() <= maxX)
                kind = horizontal;
            else if (minY <= position.Y() && position.Y() <= maxY)
                kind = vertical;
            else
                kind = std::fabs(p1.X() - p2.X()) < kTol ? vertical : horizontal;
        } else {
            const double a = std::atan2(p2.Y() - p1.Y(), p2.X() - p1.X());
            kind = std::fabs(std::fabs(a) - M_PI / 2) < kAngleTol || std::fabs(std::fabs(a) - 3 * M_PI / 2) < kAngleTol
                       ? vertical
                       : horizontal;
        }
    }
    RuVaVec2d e1, e2, u;
    double extAngle = 0.0, dimAngle = 0.0;
    int nParallel = 0;
    if (kind == horizontal || kind == vertical) {
        // Extension lines run towards the position's side.
        auto dir = [&](const RuVaPnt2d& p) {
            const RuVaVec2d toPos = position - p;
            if (kind == horizontal) {
                if (p.Distance(position) < kTol)
                    return RuVaVec2d(0, 1);
                const double a = std::atan2(toPos.Y(), toPos.X());
                return a > kAngleTol || a == 0.0 ? RuVaVec2d(0, 1) : RuVaVec2d(0, -1);
            }
            if (p.Distance(position) < kTol)
                return RuVaVec2d(-1, 0);
            const double a = RuVaVec2d(0, 1).Angle(toPos);
            return a > kAngleTol || a == 0.0 ? RuVaVec2d(-1, 0) : RuVaVec2d(1, 0);
        };
        e1 = dir(p1);
        e2 = dir(p2);
        u = kind == horizontal ? RuVaVec2d(1, 0) : RuVaVec2d(0, 1);
        extAngle = std::atan2(e1.Y(), e1.X()) * RuVa::RadToDeg;
        dimAngle = kind == horizontal ? (p2.X() >= p1.X() ? 0.0 : 180.0) : (p2.Y() >= p1.Y() ? 90.0 : 270.0);
    } else {
        const double t = RuVa::CorrectAngle(std::atan2(p2.Y() - p1.Y(), p2.X() - p1.X()) * RuVa::RadToDeg);
        const RuVaPnt2d r = position.Distance(p1) < kTol ? p2 : p1;
        if (r.Distance(position) < kTol)
            return FALSE;
        const double f = RuVa::CorrectAngle(std::atan2(position.Y() - r.Y(), position.X() - r.X()) * RuVa::RadToDeg);
        const double rel = RuVa::CorrectAngle(f + 360.0 - t);
        extAngle = RuVa::CorrectAngle(rel >= 180.0 ? t - 90.0 : t + 90.0);
        e1 = e2 = RuVaVec2d(std::cos(extAngle * RuVa::DegToRad), std::sin(extAngle * RuVa::DegToRad));
        u = RuVaVec2d(std::cos(t * RuVa::DegToRad), std::sin(t * RuVa::DegToRad));
        dimAngle = t;
        nParallel = 1;
    }
    // Where the dimension line through the position meets each extension line.
    auto meet = [&](const RuVaPnt2d& p, const RuVaVec2d& e, RuVaPnt2d& q) {
        const double den = e.Crossed(u);
        if (std::fabs(den) < 1e-300)
            return false;
        q = p + e * ((position - p).Crossed(u) / den);
        return true;
    };
    RuVaPnt2d q1, q2;
    if (!meet(p1, e1, q1) || !meet(p2, e2, q2) || q1.Distance(q2) < kTol)
        return FALSE;
    const double length = p1.Distance(q1) * ((q1 - p1).Dot(e1) < 0.0 ? -1.0 : 1.0);

    double sx = 1.0, sy = 1.0;
    if (!GetLayoutInverseScale(&sx, &sy))
        return FALSE;
    const bool uniform = std::fabs(sx - 1.0) > 1e-10 && std::fabs(sx - sy) < 1e-10;
    if (setting.GetProjectionLineMode() == 0) {
        const double k = uniform ? 1.0 / sx : 1.0;
        const double L = std::fabs(length);
        auto gap = [&](double g, double off, BOOL (DimensionSetting::*setOff)(double),
                       BOOL (DimensionSetting::*setExt)(double)) {
            if (g > kTol) {
                (setting.*setOff)(std::min(L, g * k + off));
                if (std::fabs(L - g) < kTol)
                    (setting.*setExt)(0.0);
            } else if (g < -kTol) {
                (setting.*setExt)(0.0);
                (setting.*setOff)(0.0);
            }
        };
        gap(dGap1, setting.GetProjectionOffsetOrLineLength1(), &DimensionSetting::SetProjectionOffsetOrLineLength1,
            &DimensionSetting::SetProjectionExtension1);
        gap(dGap2, setting.GetProjectionOffsetOrLineLength2(), &DimensionSetting::SetProjectionOffsetOrLineLength2,
            &DimensionSetting::SetProjectionExtension2);
    }
    if (uniform)
        setting.ScaleSize(sx);
    const int nPosAngle = setting.GetPosAngle() == 1 ? 1 : 0;
    std::unique_ptr<Dimension2dFeatureBase> dim(FeatureCreator::CreateLinearDimensionFeature(
        p1, p2, length, extAngle, dimAngle, nTextMode > 0 ? 1 : 0, strText, nTextPosMode, textPoint, nParallel,
        &setting, nState, nPosAngle));
    if (!dim)
        return FALSE;
    dim->SetLayerID(pDocument->GetCurrentLayerID());
    BOOL bResult = FALSE;
    if (nAction == 0)
        bResult = ShapeCommandHelper::AddFeatureInUndo(pDocument, ShapeCommandHelper::GetActiveDrawing(this),
                                                       dim->CopyObject());
    else if (nAction == 1)
        bResult = DrawRubberbandFeature(dim.get());
    strText = dim->GetValueText();
    return bResult;
}

int LinearDimension2dCommand::GetMeasuredPoints(BOOL bPreview, BOOL bStore, const RuVaPnt2d* pPosition,
                                                RuVaPnt2d& p1, RuVaPnt2d& p2, double& dGap1, double& dGap2,
                                                CString& strVariant)
{
    dGap1 = dGap2 = 0.0;
    strVariant = m_strVariantIdentifier;
    if (GetParameterCount() < 1)
        return resultMissing;
    const WORD wFirst = GetCurrentItemID(0);
    if (wFirst == itemFirstPoint) {
        if (!bPreview && (IsParameterEmpty(0) || FindParameterIndex(itemSecondPoint) < 0 ||
                          IsParameterEmpty(FindParameterIndex(itemSecondPoint))))
            return resultMissing;
        if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemFirstPoint, bPreview, p1) ||
            !ConstrainedCircleCommandHelper::ReadPoint(this, itemSecondPoint, bPreview, p2))
            return bPreview ? resultMissing : resultNothing;
        return resultDone;
    }
    if (wFirst == itemFeature) {
        std::unique_ptr<Feature2dBase> shape;
        RuVaPnt2d pick;
        const int outcome = ConstrainedCircleCommandHelper::ReadShape(this, itemFeature, bPreview, shape, &pick);
        if (outcome == ShapeCommandHelper::pickMissing)
            return resultMissing;
        if (outcome != ShapeCommandHelper::pickTaken)
            return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgShapeGone, resultNothing);
        switch (shape->GetFeatureType()) {
        case FeatureTypeLine:
            p1 = static_cast<Line2dFeature*>(shape.get())->GetStartPoint();
            p2 = static_cast<Line2dFeature*>(shape.get())->GetEndPoint();
            return resultDone;
        case FeatureTypePolyline: {
            const KcArrayOfGePnt2d& pts = static_cast<Polyline2dFeature*>(shape.get())->GetPointArray();
            const int seg = KcGeometryTool::GetNearestSegment(pts, pick);
            if (seg < 0 || seg + 1 >= pts.GetSize())
                return resultNothing;
            p1 = pts[seg];
            p2 = pts[seg + 1];
            return resultDone;
        }
        case FeatureTypeCircle: {
            const auto* c = static_cast<Circle2dFeature*>(shape.get());
            const RuVaPnt2d centre = c->GetCenterPoint();
            const double r = c->GetRadius();
            double a = 0.0;
            if (pPosition != nullptr && pPosition->Distance(centre) >= kTol)
                a = RuVa::CorrectAngle(std::atan2(pPosition->Y() - centre.Y(), pPosition->X() - centre.X()) *
                                       RuVa::RadToDeg);
            bool level = false;
            if (m_strIdentifier == kParallel) {
                const double ar = a * RuVa::DegToRad;
                const RuVaVec2d d(-std::sin(ar) * r, std::cos(ar) * r);
                p1 = centre - d;
                p2 = centre + d;
                return resultDone;
            }
            if (m_strIdentifier == kHorizontal)
                level = true;
            else if (m_strIdentifier == kVertical)
                level = false;
            else
                level = (a >= 45.0 && a < 135.0) || (a >= 225.0 && a < 315.0) || a == 0.0;
            p1 = level ? RuVaPnt2d(centre.X() - r, centre.Y()) : RuVaPnt2d(centre.X(), centre.Y() - r);
            p2 = level ? RuVaPnt2d(centre.X() + r, centre.Y()) : RuVaPnt2d(centre.X(), centre.Y() + r);
            return resultDone;
        }
        default:
            return resultNothing;
        }
    }
    if (wFirst != itemFirstParallel)
        return resultMissing;
    // Two parallel straight shapes.
    std::unique_ptr<Feature2dBase> shapes[2];
    int segments[2] = {-1, -1};
    const WORD ids[2] = {itemFirstParallel, itemSecondParallel};
    for (int i = 0; i < 2; ++i) {
        RuVaPnt2d pick;
        const int outcome = ConstrainedCircleCommandHelper::ReadShape(this, ids[i], bPreview, shapes[i], &pick);
        if (outcome == ShapeCommandHelper::pickMissing)
            return resultMissing;
        if (outcome != ShapeCommandHelper::pickTaken)
            return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgShapeGone, resultNothing);
        if (shapes[i]->GetFeatureType() == FeatureTypePolyline) {
            segments[i] = KcGeometryTool::GetNearestSegment(
                static_cast<Polyline2dFeature*>(shapes[i].get())->GetPointArray(), pick);
            if (segments[i] < 0)
                return resultNothing;
        }
        if (bPreview && !bStore)
            continue;
        // The direction decides the variant of the generic command; a fixed one must suit it.
        const double d = std::fabs(GetFeatureDirectionAngle(shapes[i].get(), segments[i]));
        auto near = [&](double target) { return std::fabs(d - target) < kAngleTol; };
        if (m_strIdentifier == kGeneric || strVariant == kParallel) {
            strVariant = near(M_PI) || near(0.0) ? kVertical : near(M_PI / 2) || near(3 * M_PI / 2) ? kHorizontal : kParallel;
        } else {
            const bool horizontalDim = IsVariant(kHorizontal, strVariant);
            const bool verticalDim = IsVariant(kVertical, strVariant);
            if ((horizontalDim && !(near(M_PI / 2) || near(3 * M_PI / 2))) || (verticalDim && !(near(0.0) || near(M_PI))))
                return ShapeCommandHelper::Refuse(this, kMsgDimensionDirection, resultNothing);
        }
    }
    RuVaPnt2d a, b, c, d;
    if (!MeasureTool::GetLinePointsOfFeatureAndFeature(shapes[0].get(), shapes[1].get(), a, b, c, d, segments[0],
                                                       segments[1]))
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgNotParallel, resultNothing);
    const RuVaVec2d va = b - a, vb = d - c;
    if (va.IsNull() || vb.IsNull() || !(va.IsParallel(vb, kAngleTol) || va.IsOpposite(vb, kAngleTol)))
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgNotParallel, resultNothing);
    for (int i = 0; i < 2; ++i)
        if (shapes[i]->GetFeatureType() == FeatureTypePolyline)
            shapes[i] = std::make_unique<Line2dFeature>(i == 0 ? a : c, i == 0 ? b : d);
    if (pPosition == nullptr) {
        // Only the value text: measured from the first shape's start.
        Straight s;
        if (!ToStraight(shapes[0].get(), s))
            return resultNothing;
        const CString kept = m_strVariantIdentifier;
        m_strVariantIdentifier = strVariant;
        const BOOL found = GetPointsBetweenParallelFeatures(shapes[0].get(), shapes[1].get(), s.a, p1, p2, dGap1, dGap2);
        m_strVariantIdentifier = kept;
        return found && p1.Distance(p2) > kTol ? resultDone : resultNothing;
    }
    const CString kept = m_strVariantIdentifier;
    m_strVariantIdentifier = strVariant;
    const BOOL found = GetPointsBetweenParallelFeatures(shapes[0].get(), shapes[1].get(), *pPosition, p1, p2, dGap1, dGap2);
    if (!bStore)
        m_strVariantIdentifier = kept;
    if (!found)
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgNotParallel, resultNothing);
    return resultDone;
}

int LinearDimension2dCommand::OnInput(int nIndex)
{
    FollowLists(nIndex);
    if (m_pManager == nullptr || m_pManager->GetView() == nullptr || ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultMissing;
    const WORD wGiven = nIndex >= 0 && nIndex < GetParameterCount() ? GetCurrentItemID(nIndex) : 0xFFFF;

    // The text mode and the typed text.
    int textMode = 0;
    CString text;
    const bool modeGiven = ReadList(this, itemTextMode, textMode) != 0;
    if (modeGiven && textMode == 1) {
        TextParameterItem t;
        const int ti = FindParameterIndex(itemText);
        if (ti >= 0 && !IsParameterEmpty(ti) && GetParameterValue(ti, t))
            t.GetValue(text);
    }
    if (wGiven == itemTextMode) {
        // The mode just changed: fill the typed row with the measured text.
        if (textMode == 1) {
            RuVaPnt2d p1, p2;
            double g1, g2;
            CString variant;
            const bool position = GetCurrentItemID(0) != itemFirstParallel;
            if (GetMeasuredPoints(FALSE, FALSE, nullptr, p1, p2, g1, g2, variant) == resultDone) {
                (void)position;
                CString measured;
                const CString kept = m_strVariantIdentifier;
                m_strVariantIdentifier = variant;
                BuildDimension(p1, p2, 0, measured, p2, 0, p2, 2, 1, 0.0, 0.0);
                m_strVariantIdentifier = kept;
                const int ti = FindParameterIndex(itemText);
                auto* pText = ti >= 0 ? dynamic_cast<TextParameterItem*>(GetParameterItem(ti)) : nullptr;
                if (pText != nullptr && !measured.IsEmpty()) {
                    pText->SetValue(measured);
                    if (m_pManager != nullptr)
                        m_pManager->UpdateParameterInBar(this, ti, TRUE);
                }
            }
        }
        return resultMissing;
    }
    if (!modeGiven)
        return resultMissing;

    // The position, the text position and the measured points.
    const int pi = FindParameterIndex(itemPosition);
    RuVaPnt2d position;
    if (pi < 0 || IsParameterEmpty(pi))
        return resultMissing;
    if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemPosition, FALSE, position))
        return resultNothing;
    int posMode = 0;
    if (!ReadList(this, itemTextPosMode, posMode))
        return resultMissing;
    RuVaPnt2d textPoint = position;
    if (posMode == 1 || posMode == 2) {
        const int tpi = FindParameterIndex(itemTextPoint);
        if (tpi < 0 || IsParameterEmpty(tpi))
            return resultMissing;
        if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemTextPoint, FALSE, textPoint))
            return resultNothing;
    } else {
        posMode = 0;
    }
    RuVaPnt2d p1, p2;
    double g1 = 0.0, g2 = 0.0;
    CString variant;
    const int found = GetMeasuredPoints(FALSE, TRUE, &position, p1, p2, g1, g2, variant);
    if (found != resultDone)
        return found;
    if (GetCurrentItemID(0) != itemFirstParallel) {
        if (m_strIdentifier == kHorizontal && std::fabs(p1.X() - p2.X()) < kTol)
            return ShapeCommandHelper::Refuse(this, kMsgDimensionDirection, resultNothing);
        if (m_strIdentifier == kVertical && std::fabs(p1.Y() - p2.Y()) < kTol)
            return ShapeCommandHelper::Refuse(this, kMsgDimensionDirection, resultNothing);
        if (p1.Distance(p2) < kTol)
            return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
    }
    if (!BuildDimension(p1, p2, textMode, text, position, (BYTE)posMode, textPoint, 0, 1, g1, g2))
        return ShapeCommandHelper::Refuse(this, kMsgNoDimension, resultConditional);
    return resultDone;
}

void LinearDimension2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    // The preview derives the variant of the pair it shows but never keeps it.
    const CString kept = m_strVariantIdentifier;
    DrawPreviewOf();
    m_strVariantIdentifier = kept;
}

void LinearDimension2dCommand::DrawPreviewOf()
{
    RuVaPnt2d position;
    if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemPosition, TRUE, position))
        return;
    RuVaPnt2d p1, p2;
    double g1 = 0.0, g2 = 0.0;
    CString variant;
    // The variant of the pair shown is derived for it, not stored, so that the preview is the click's result.
    if (GetMeasuredPoints(TRUE, TRUE, &position, p1, p2, g1, g2, variant) != resultDone)
        return;
    int state = 1;
    const int pi = FindParameterIndex(itemPosition);
    if (GetCurrentItemID(0) == itemFirstPoint && pi >= 0 && IsParameterEmpty(pi)) {
        const int si = FindParameterIndex(itemSecondPoint);
        if (IsParameterEmpty(0) || si < 0 || IsParameterEmpty(si))
            state = 0;
    }
    int textMode = 0, posMode = 0;
    if (!ReadList(this, itemTextMode, textMode) || !ReadList(this, itemTextPosMode, posMode))
        return;
    CString text;
    if (textMode == 1) {
        TextParameterItem t;
        const int ti = FindParameterIndex(itemText);
        if (ti >= 0 && GetParameterValue(ti, t))
            t.GetValue(text);
    }
    RuVaPnt2d textPoint = position;
    if (posMode == 1 || posMode == 2) {
        if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemTextPoint, TRUE, textPoint))
            return;
    } else {
        posMode = 0;
    }
    m_strVariantIdentifier = variant;
    BuildDimension(p1, p2, textMode, text, position, (BYTE)posMode, textPoint, 1, state, g1, g2);
}

BOOL LinearDimension2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4 || GetParameterCount() < 1)
        return FALSE;
    CArray<FeatureLayout> shapes;
    if (!pSelection->GetSelectionGroup(0, shapes) || shapes.IsEmpty())
        return FALSE;
    const long nRecord = shapes[0].GetRecordID();
    const int nType = pDocument->GetFeature(nRecord) != nullptr ? pDocument->GetFeatureType(nRecord) : -1;
    if (nType != FeatureTypeLine && nType != FeatureTypePolyline && nType != FeatureTypeCircle)
        return FALSE;
    if (GetCurrentItemID(0) == itemFirstPoint) {
        GetParameter(0)->SetCurrentByID(itemFeature);
        RemoveRowOf(itemSecondPoint);
    }
    auto* pItem = dynamic_cast<FeatureParameterItem*>(GetParameterItem(0));
    const KcArrayOfGePnt2d& points = pSelection->GetSelectionGroupPointList(0);
    if (pItem == nullptr || !pItem->SetValue(shapes[0], points.GetSize() > 0 ? points[0] : RuVaPnt2d()))
        return FALSE;
    m_bEndAfterRun = TRUE;
    return TRUE;
}

BOOL LinearDimension2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4)
        return FALSE;
    CArray<FeatureLayout> shapes;
    if (!pSelection->GetSelectionGroup(0, shapes) || shapes.IsEmpty())
        return FALSE;
    const long nRecord = shapes[0].GetRecordID();
    if (pDocument->GetFeature(nRecord) == nullptr)
        return FALSE;
    const int nType = pDocument->GetFeatureType(nRecord);
    return nType == FeatureTypeLine || nType == FeatureTypePolyline || nType == FeatureTypeCircle ? TRUE : FALSE;
}

}  // namespace QZ2Command
