#include "libs/vevure/FeatureTrimming.h"

#include <algorithm>
#include <cmath>

#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaVec2d.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/ConvertGeom2dToFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"

namespace {

constexpr double kParameterTolerance = 1e-9;

BOOL IsTrimmableKind(int nType)
{
    switch (nType) {
    case FeatureTypeLine:
    case FeatureTypePolyline:
    case FeatureTypeCircle:
    case FeatureTypeArc:
    case FeatureTypeEllipse:
    case FeatureTypeEllipseArc:
    case FeatureTypeBSplineCurve:
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine:
        return TRUE;
    default:
        return FALSE;
    }
}

std::unique_ptr<RuVaEntity2d> CurveOf(const Feature2dBase* pFeature)
{
    if (pFeature == nullptr || !IsTrimmableKind(pFeature->GetFeatureType()))
        return nullptr;
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pFeature));
    if (!curve || !curve->IsCurveEntity() || dynamic_cast<const RuVaCurveEnt2d*>(curve.get()) == nullptr)
        return nullptr;
    return curve;
}

bool IsUnbounded(double u)
{
    return std::fabs(u) >= RuVa::Infinite() / 2;
}

// The stretch from a to b as a shape (NULL when it has no length): rays for an unbounded end.
Feature2dBase* PieceOf(const RuVaEntity2d* pCurve, double a, double b)
{
    const auto* c = static_cast<const RuVaCurveEnt2d*>(pCurve);
    if (IsUnbounded(a) && IsUnbounded(b))
        return nullptr;
    if (IsUnbounded(a) || IsUnbounded(b)) {
        RuVaPnt2d p;
        RuVaVec2d d;
        if (!c->D1(IsUnbounded(a) ? b : a, p, d) || d.Magnitude() <= RuVa::Resolution())
            return nullptr;
        if (IsUnbounded(a))
            d = RuVaVec2d(-d.X(), -d.Y());
        return new SemiInfiniteLine2dFeature(p, RuVaDir2d(d));
    }
    const double middle = KcGeometryTool::GetCurveMiddleParameter(pCurve, a, b);
    std::unique_ptr<RuVaCurveEnt2d> piece(KcGeometryTool::TrimCurve(pCurve, a, b, middle));
    if (!piece || !piece->IsDone())
        return nullptr;
    return ConvertGeom2dToFeature::Convert(piece.get());
}

void AddPiece(Feature2dList* pList, const RuVaEntity2d* pCurve, double a, double b)
{
    if (pList == nullptr)
        return;
    if (Feature2dBase* pPiece = PieceOf(pCurve, a, b))
        pList->AddFeature(pPiece, 0);
}

}  // namespace

void FeatureTrimming::Clear()
{
    m_deleted.clear();
    m_trimmed.clear();
    m_results.clear();
}

long FeatureTrimming::GetDeletedFeature(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_deleted.size() ? m_deleted[(size_t)nIndex] : -1;
}

long FeatureTrimming::GetTrimmedFeature(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_trimmed.size() ? m_trimmed[(size_t)nIndex] : -1;
}

Feature2dList* FeatureTrimming::GetTrimmedResult(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_results.size() ? m_results[(size_t)nIndex].get() : nullptr;
}

BOOL FeatureTrimming::PiecesWithout(const Feature2dBase* pFeature, const std::vector<double>& cuts,
                                    const RuVaPnt2d& pick, Feature2dList& pieces, Feature2dList* pRemoved)
{
    std::unique_ptr<RuVaEntity2d> curve = CurveOf(pFeature);
    if (!curve)
        return FALSE;
    const auto* c = static_cast<const RuVaCurveEnt2d*>(curve.get());
    double t = 0.0;
    if (!KcGeometryTool::GetCurveProjectionParameter(curve.get(), pick, t))
        return FALSE;
    const double first = c->FirstParameter();
    const double last = c->LastParameter();
    const BOOL bClosed = KcGeometryTool::IsCurvePeriodicClosed(curve.get());

    // The cuts inside the curve, each once; on a closed curve its end is the same place as its start.
    std::vector<double> u;
    for (double x : cuts) {
        if (!std::isfinite(x))
            continue;
        if (bClosed) {
            if (x >= last - kParameterTolerance)
                x = first;
            if (x >= first - kParameterTolerance)
                u.push_back(std::max(x, first));
        } else if (x > first + kParameterTolerance && x < last - kParameterTolerance) {
            u.push_back(x);
        }
    }
    std::sort(u.begin(), u.end());
    u.erase(std::unique(u.begin(), u.end(), [](double a, double b) { return std::fabs(a - b) <= kParameterTolerance; }),
            u.end());

    if (bClosed) {
        if (u.size() < 2)
            return FALSE;
        double lower = u.back();
        double upper = u.front();
        for (double x : u) {
            if (x < t)
                lower = x;
        }
        for (auto it = u.rbegin(); it != u.rend(); ++it) {
            if (*it > t)
                upper = *it;
        }
        // What is kept runs forward from the cut after the pick to the cut before it.
        AddPiece(&pieces, curve.get(), upper, lower);
        AddPiece(pRemoved, curve.get(), lower, upper);
        return TRUE;
    }
    const double* pLower = nullptr;
    const double* pUpper = nullptr;
    for (const double& x : u) {
        if (x < t - kParameterTolerance)
            pLower = &x;
        else if (x > t + kParameterTolerance && pUpper == nullptr)
            pUpper = &x;
    }
    if (pLower == nullptr && pUpper == nullptr)
        return FALSE;
    if (pLower != nullptr)
        AddPiece(&pieces, curve.get(), first, *pLower);
    if (pUpper != nullptr)
        AddPiece(&pieces, curve.get(), *pUpper, last);
    AddPiece(pRemoved, curve.get(), pLower != nullptr ? *pLower : first, pUpper != nullptr ? *pUpper : last);
    return TRUE;
}

BOOL FeatureTrimming::TrimFeature(Draw2dDocument* pDocument, const Draw2dView*, const PartDrawingLayout*,
                                  const Feature2dBase* pFeature, const RuVaPnt2d& pick, int nDisplayState,
                                  Feature2dList* pRemoved)
{
    Clear();
    if (pDocument == nullptr || pFeature == nullptr)
        return FALSE;
    const long nRecord = pFeature->GetRecordID();
    const DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(nRecord);
    std::unique_ptr<RuVaEntity2d> curve = CurveOf(pFeature);
    if (pDrawing == nullptr || !curve)
        return FALSE;
    RuVaBndBox2d box = curve->GetBndBox();
    box.Enlarge(1e-7);
    std::vector<long> ids;
    pDocument->GetFeaturesInBox(pDrawing, box, ids);
    std::vector<double> cuts;
    for (long id : ids) {
        if (id == nRecord || (nDisplayState == 0 && !pDocument->IsFeatureEditable(id)))
            continue;
        std::unique_ptr<RuVaEntity2d> other = CurveOf(pDocument->GetFeature(id));
        if (!other)
            continue;
        const KcInterCurveCurve2d inter(curve.get(), other.get());
        if (!inter.IsDone())
            continue;
        for (int i = 0; i < inter.NbPoints(); ++i)
            cuts.push_back(inter.GetParameter1(i));
    }
    auto pieces = std::make_unique<Feature2dList>();
    if (!PiecesWithout(pFeature, cuts, pick, *pieces, pRemoved))
        return FALSE;
    if (pieces->GetFeatureSize() == 0) {
        m_deleted.push_back(nRecord);
    } else {
        m_trimmed.push_back(nRecord);
        m_results.push_back(std::move(pieces));
    }
    return TRUE;
}

BOOL FeatureTrimming::TrimFeature(Draw2dDocument* pDocument, const Draw2dView* pView, const KcArrayOfGePnt2d& region)
{
    Clear();
    if (pDocument == nullptr || region.GetSize() < 3)
        return FALSE;
    const DrawingFeatureBase* pDrawing = pView != nullptr ? pView->GetActiveDrawingFeature() : nullptr;
    if (pDrawing == nullptr)
        pDrawing = pDocument->GetActiveDrawingFeature();
    const PartDrawingLayout* pLayout =
        pView != nullptr ? pView->GetActivePartLayout() : pDocument->GetActiveDrawingLayout();
    KcArrayOfGePnt2d polygon;
    RuVaBndBox2d box;
    for (INT_PTR i = 0; i < region.GetSize(); ++i) {
        RuVaPnt2d local;
        Draw2dView::ConvertPointWorldToLocal(pLayout, region[i], local);
        polygon.Add(local);
        box.Add(local);
    }
    std::vector<long> ids;
    pDocument->GetFeaturesInBox(pDrawing, box, ids);
    std::sort(ids.begin(), ids.end());
    for (long id : ids) {
        if (!pDocument->IsFeatureEditable(id))
            continue;
        std::unique_ptr<RuVaEntity2d> curve = CurveOf(pDocument->GetFeature(id));
        if (!curve)
            continue;
        KcArrayOfGeEntity2d inside;
        KcArrayOfGeEntity2d outside;
        const int cut = KcGeometryTool::TrimCurve(curve.get(), polygon, inside, outside);
        auto pieces = std::make_unique<Feature2dList>();
        for (INT_PTR i = 0; i < outside.GetSize(); ++i) {
            const RuVaEntity2d* pPiece = outside[i];
            if (pPiece != nullptr && pPiece->IsDone()) {
                if (Feature2dBase* pFeature = ConvertGeom2dToFeature::Convert(pPiece))
                    pieces->AddFeature(pFeature, 0);
            }
        }
        inside.DeleteAll();
        outside.DeleteAll();
        if (cut == 1 || (cut == 2 && pieces->GetFeatureSize() == 0)) {
            m_deleted.push_back(id);
        } else if (cut == 2) {
            m_trimmed.push_back(id);
            m_results.push_back(std::move(pieces));
        }
    }
    return m_deleted.empty() && m_trimmed.empty() ? FALSE : TRUE;
}
