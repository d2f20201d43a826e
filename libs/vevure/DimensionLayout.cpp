#include "libs/vevure/DimensionLayout.h"

#include <algorithm>
#include <cmath>

#include "libs/ruva/RuVa.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/VeVureEnums.h"

namespace {

constexpr double kTol = FeatureGeometry::kPointTolerance;

RuVaVec2d Dir(double rad)
{
    return RuVaVec2d(std::cos(rad), std::sin(rad));
}

double AngleOf(const RuVaVec2d& v)
{
    return std::atan2(v.Y(), v.X());
}

// A direction turned to read from below or from the right.
RuVaVec2d Readable(const RuVaVec2d& u)
{
    const double a = RuVa::CorrectAngle(AngleOf(u) * RuVa::RadToDeg);
    return a > 90.0 + 1e-9 && a <= 270.0 + 1e-9 ? -u : u;
}

struct Interval {
    double t0, t1;
};

// Removes [g0, g1] from the intervals.
void Cut(std::vector<Interval>& spans, double g0, double g1)
{
    std::vector<Interval> out;
    for (const Interval& s : spans) {
        if (g1 <= s.t0 || g0 >= s.t1) {
            out.push_back(s);
            continue;
        }
        if (g0 > s.t0)
            out.push_back({s.t0, g0});
        if (g1 < s.t1)
            out.push_back({g1, s.t1});
    }
    spans.swap(out);
}

}  // namespace

// The dimension line as a path of length parameter t: straight from a along u, or round a centre
// counter-clockwise from an angle.
struct DimensionLayout::Track {
    bool circular = false;
    RuVaPnt2d a;
    RuVaVec2d u;
    RuVaPnt2d c;
    double r = 0.0, a0 = 0.0;

    RuVaPnt2d Point(double t) const { return circular ? c + Dir(a0 + t / r) * r : a + u * t; }
    RuVaVec2d Tangent(double t) const { return circular ? Dir(a0 + t / r).Perpendicular() : u; }
    // The side called "above": the left of the line, or away from the centre.
    RuVaVec2d Up(double t) const { return circular ? Dir(a0 + t / r) : Readable(u).Perpendicular(); }
};

DimensionLayout::DimensionLayout(const Dimension2dFeatureBase& dimension) : m_text(&dimension)
{
    LayOut(dimension);
    for (const Piece& p : m_pieces)
        m_box.Add(p.feature->GetBndBox());
    if (m_box.IsVoid())
        for (int i = 0; i < dimension.GetDimPointCount(); ++i)
            m_box.Add(dimension.GetDimPoint(i));
}

DimensionLayout::~DimensionLayout() = default;

void DimensionLayout::AddPiece(Feature2dBase* piece, int nRole, int nPart)
{
    std::shared_ptr<Feature2dBase> p(piece);
    if (!p || !p->IsValid())
        return;
    m_pieces.push_back({p, nRole, nPart});
}

void DimensionLayout::AddLine(const RuVaPnt2d& a, const RuVaPnt2d& b, int nRole)
{
    if (a.Distance(b) >= kTol && FeatureGeometry::IsFinitePoint(a) && FeatureGeometry::IsFinitePoint(b))
        AddPiece(new Line2dFeature(a, b), nRole);
}

void DimensionLayout::AddExtensionLine(const RuVaPnt2d& foot, const RuVaPnt2d& onLine, int nIndex,
                                       const Dimension2dFeatureBase& d)
{
    const DimensionSetting& s = d.GetDimensionSetting();
    if ((nIndex == 0 ? s.GetProjectionShow1() : s.GetProjectionShow2()) != 1)
        return;
    const RuVaVec2d run = onLine - foot;
    if (run.Magnitude() < kTol)
        return;
    const RuVaVec2d dir = run.Normalized();
    const double ext = nIndex == 0 ? s.GetProjectionExtension1() : s.GetProjectionExtension2();
    const double off = nIndex == 0 ? s.GetProjectionOffsetOrLineLength1() : s.GetProjectionOffsetOrLineLength2();
    const RuVaPnt2d end = onLine + dir * ext;
    const RuVaPnt2d start = s.GetProjectionLineMode() == DimProjectionFixedLength ? end - dir * off : foot + dir * off;
    if ((end - start).Dot(dir) > kTol)
        AddLine(start, end, RoleExtensionLine);
}

void DimensionLayout::LayOut(const Dimension2dFeatureBase& d)
{
    const DimensionSetting& s = d.GetDimensionSetting();
    switch (d.GetFeatureType()) {
    case FeatureTypeLinearDimension:
    case FeatureTypeParallelDimension: {
        const auto& l = static_cast<const LinearDimension2dFeature&>(d);
        const RuVaPnt2d p1 = l.GetPoint(0), p2 = l.GetPoint(1);
        const double da = l.GetDimensionAngle() * RuVa::DegToRad, pa = l.GetProjectionAngle() * RuVa::DegToRad;
        const RuVaVec2d u = Dir(da), e = Dir(pa);
        const RuVaPnt2d a = p1 + e * l.GetProjectionLength();
        const double den = e.Crossed(u);
        if (std::fabs(den) < 1e-12)
            return;
        const RuVaPnt2d b = p2 + e * ((a - p2).Crossed(u) / den);
        AddExtensionLine(p1, a, 0, d);
        AddExtensionLine(p2, b, 1, d);
        const double len = a.Distance(b);
        if (len < kTol) {
            PlaceText(d, a, AngleOf(Readable(u)) * RuVa::RadToDeg);
            return;
        }
        Track t;
        t.a = a;
        t.u = (b - a) / len;
        LayOutTrack(d, t, len, s.GetDimLineEnd1Drawn() != 0, s.GetDimLineEnd2Drawn() != 0);
        return;
    }
    case FeatureTypeDiameterDimension: {
        const auto& m = static_cast<const DiameterDimension2dFeature&>(d);
        const RuVaPnt2d a = m.GetStartPoint(), b = m.GetEndPoint();
        const double len = a.Distance(b);
        if (len < kTol)
            return;
        Track t;
        t.a = a;
        t.u = (b - a) / len;
        LayOutTrack(d, t, len, s.GetDimLineEnd1Drawn() != 0, s.GetDimLineEnd2Drawn() != 0);
        return;
    }
    case FeatureTypeRadiusDimension: {
        const auto& r = static_cast<const RadiusDimension2dFeature&>(d);
        const RuVaPnt2d c = r.GetStartPoint(), e = r.GetEndPoint(), second = r.GetSecondPoint();
        const double len = c.Distance(e);
        if (len < kTol)
            return;
        const RuVaVec2d u = (e - c) / len;
        const int mode = r.GetLeaderMode();
        if (mode == 0 || second.Distance(e) < kTol) {
            Track t;
            t.a = c;
            t.u = u;
            LayOutTrack(d, t, len, false, s.GetDimLineEnd2Drawn() != 0);
            return;
        }
        // A leader: the head on the curve, the leader to the second point and a level shelf under the text.
        const int type = s.GetArrowType2();
        const double size = s.GetArrowSize2();
        if (mode == 1) {
            AddLine(c, e - u * Arrow2dFeature::GetShaftInset(type, size), RoleDimensionLine);
            AddPiece(new Arrow2dFeature(e, AngleOf(u) * RuVa::RadToDeg, type, size), RoleDimensionLine);
            AddLine(e, second, RoleDimensionLine);
        } else {
            const RuVaVec2d out = (second - e).Normalized();
            AddPiece(new Arrow2dFeature(e, AngleOf(-out) * RuVa::RadToDeg, type, size), RoleDimensionLine);
            AddLine(e + out * Arrow2dFeature::GetShaftInset(type, size), second, RoleDimensionLine);
        }
        const double w = m_text.GetTextWidth() + 2.0 * std::max(0.0, s.GetDistance());
        const double side = second.X() >= e.X() ? 1.0 : -1.0;
        const RuVaPnt2d shelfEnd(second.X() + side * w, second.Y());
        AddLine(second, shelfEnd, RoleDimensionLine);
        const RuVaPnt2d mid = second.CenterPoint(shelfEnd);
        m_textOrigin = RuVaPnt2d(mid.X(), mid.Y() + std::max(0.0, s.GetDistance()) + m_text.GetLowerExtent());
        m_dTextAngle = 0.0;
        if (d.GetValueTextPosFreeMode() != 0)
            PlaceText(d, d.GetValueTextPoint(), 0.0);
        AddTextPieces(d);
        return;
    }
    case FeatureTypeAngularDimension: {
        const auto& g = static_cast<const AngularDimension2dFeature&>(d);
        const RuVaPnt2d c = g.GetCenterPoint();
        const RuVaVec2d vs = g.GetStartPoint() - c, ve = g.GetEndPoint() - c;
        if (vs.Magnitude() < kTol || ve.Magnitude() < kTol)
            return;
        const double R = g.GetRadius(), s0 = AngleOf(vs);
        double sweep = AngleOf(ve) - s0;
        while (sweep < 0.0)
            sweep += 2.0 * M_PI;
        AddExtensionLine(g.GetStartPoint(), c + vs.Normalized() * R, 0, d);
        AddExtensionLine(g.GetEndPoint(), c + ve.Normalized() * R, 1, d);
        Track t;
        t.circular = true;
        t.c = c;
        t.r = R;
        t.a0 = s0;
        if (sweep * R < kTol) {
            PlaceText(d, t.Point(0.0), AngleOf(Readable(t.Tangent(0.0))) * RuVa::RadToDeg);
            return;
        }
        LayOutTrack(d, t, sweep * R, s.GetDimLineEnd1Drawn() != 0, s.GetDimLineEnd2Drawn() != 0);
        return;
    }
    case FeatureTypeArcDimension: {
        const auto& g = static_cast<const ArcDimension2dFeature&>(d);
        const RuVaPnt2d c = g.GetCenterPoint();
        const double r0 = g.GetRadius(), R = r0 + g.GetProjectionLength();
        if (!(R > kTol))
            return;
        const double sa = g.GetStartAngle() * RuVa::DegToRad;
        const double sweep0 = FeatureGeometry::ArcSweep(g.GetStartAngle(), g.GetEndAngle(), 0) * RuVa::DegToRad;
        const RuVaPnt2d ps = c + Dir(sa) * r0, pe = c + Dir(sa + sweep0) * r0;
        RuVaPnt2d qs = c + Dir(sa) * R, qe = c + Dir(sa + sweep0) * R;
        if (s.GetArcDimProjeLineRadialMode() == ArcDimProjectionParallel && sweep0 < M_PI - 1e-9) {
            // Extension lines parallel to the arc's bisector, to where they meet the dimension arc.
            const RuVaVec2d m = Dir(sa + 0.5 * sweep0) * (R >= r0 ? 1.0 : -1.0);
            auto meet = [&](const RuVaPnt2d& p, RuVaPnt2d& q) {
                const RuVaVec2d w = p - c;
                const double b = w.Dot(m), disc = b * b - (w.SquareMagnitude() - R * R);
                if (disc < 0.0)
                    return;
                const double k = -b + std::sqrt(disc);
                q = p + m * k;
            };
            meet(ps, qs);
            meet(pe, qe);
        }
        AddExtensionLine(ps, qs, 0, d);
        AddExtensionLine(pe, qe, 1, d);
        const double s0 = AngleOf(qs - c);
        double sweep = AngleOf(qe - c) - s0;
        while (sweep < 0.0)
            sweep += 2.0 * M_PI;
        if (sweep0 > M_PI && sweep < 1e-12)
            sweep = 2.0 * M_PI;
        Track t;
        t.circular = true;
        t.c = c;
        t.r = R;
        t.a0 = s0;
        if (sweep * R < kTol)
            return;
        LayOutTrack(d, t, sweep * R, s.GetDimLineEnd1Drawn() != 0, s.GetDimLineEnd2Drawn() != 0);
        return;
    }
    default:
        return;
    }
}

void DimensionLayout::LayOutTrack(const Dimension2dFeatureBase& d, const Track& track, double len, bool end1,
                                  bool end2)
{
    const DimensionSetting& s = d.GetDimensionSetting();
    const int type1 = end1 ? s.GetArrowType1() : ArrowNone, type2 = end2 ? s.GetArrowType2() : ArrowNone;
    const double size1 = s.GetArrowSize1(), size2 = s.GetArrowSize2();
    double h1 = 0.0, h2 = 0.0, v;
    Arrow2dFeature::GetArrowHorizonVerticalSize(type1, size1, h1, v);
    Arrow2dFeature::GetArrowHorizonVerticalSize(type2, size2, h2, v);
    const double dist = std::max(0.0, s.GetDistance());

    // The text's reach along the line, at its angle.
    const int posAngle = s.GetPosAngle();
    const double midT = 0.5 * len;
    const RuVaVec2d lineDir = Readable(track.Tangent(midT));
    const double textAngle = posAngle == DimValueHorizontal ? 0.0
                             : posAngle == DimValueFixedAngle ? s.GetDimValuePosAngle()
                                                              : AngleOf(lineDir) * RuVa::RadToDeg;
    const RuVaVec2d ex = Dir(textAngle * RuVa::DegToRad), ey = ex.Perpendicular();
    const double W = m_text.GetTextWidth(), Ht = m_text.GetTextHeight();
    const double along = std::fabs(ex.Dot(lineDir)) * W + std::fabs(ey.Dot(lineDir)) * Ht;

    const bool textFree = d.GetValueTextPosFreeMode() != 0 || s.GetHorizonPos() == DimValueHorizonFree;
    // Exact fits count as fits, whatever the rounding of a placement.
    const double slack = 1e-9 * (len + h1 + h2 + along);
    const bool arrowsFit = h1 + h2 <= len + slack;
    const bool textFits = textFree || m_text.IsEmpty() || along + 2.0 * dist + h1 + h2 <= len + slack;
    int horizon = s.GetHorizonPos();
    bool outside = s.GetArrowPosition() == DimArrowOutside;
    bool textOut = false;
    if (s.GetArrowPosition() == DimArrowAuto || s.GetAutoArrowPosition() == 1) {
        if (textFits) {
            outside = s.GetArrowPosition() == DimArrowOutside || !arrowsFit;
        } else {
            switch (s.GetNotSettledArrowPosMode()) {
            case NotSettledArrowInside:
                outside = !arrowsFit;
                textOut = true;
                break;
            case NotSettledArrowOutside:
                outside = true;
                textOut = along + 2.0 * dist > len + slack;
                break;
            default:
                outside = true;
                textOut = true;
                break;
            }
        }
        if (s.GetAutoHorizonPos() != 1 && horizon != DimValueHorizonAuto)
            textOut = false;
    }
    if (horizon == DimValueHorizonAuto && !textFits)
        textOut = true;
    if (textOut && !textFree)
        horizon = DimValueHorizonOutsideEnd;
    m_bArrowsOutside = outside;

    // Where the text's middle stands along the line.
    const double hIn1 = outside ? 0.0 : h1, hIn2 = outside ? 0.0 : h2;
    const double hOut1 = outside ? h1 : 0.0, hOut2 = outside ? h2 : 0.0;
    double tText = midT;
    switch (horizon) {
    case DimValueHorizonStart:
        tText = hIn1 + dist + 0.5 * along;
        break;
    case DimValueHorizonEnd:
        tText = len - hIn2 - dist - 0.5 * along;
        break;
    case DimValueHorizonOutsideStart:
        tText = -(hOut1 + dist + 0.5 * along);
        break;
    case DimValueHorizonOutsideEnd:
        tText = len + hOut2 + dist + 0.5 * along;
        break;
    default:
        break;
    }
    m_bTextOutside = !textFree && (tText < 0.0 || tText > len);

    // The dimension line.
    std::vector<Interval> spans;
    const double in1 = Arrow2dFeature::GetShaftInset(type1, size1), in2 = Arrow2dFeature::GetShaftInset(type2, size2);
    if (!outside) {
        spans.push_back({type1 != ArrowNone ? in1 : 0.0, len - (type2 != ArrowNone ? in2 : 0.0)});
    } else {
        if (s.GetInsideDimLine() == 1)
            spans.push_back({0.0, len});
        if (end1)
            spans.push_back({-std::max(s.GetOutsideLength1(), h1), type1 != ArrowNone ? -in1 : 0.0});
        if (end2)
            spans.push_back({len + (type2 != ArrowNone ? in2 : 0.0), len + std::max(s.GetOutsideLength2(), h2)});
    }
    const int vertical = s.GetVerticalPos();
    if (m_bTextOutside && s.GetExtendedDimLine() == 1 && vertical != DimValueOnLine) {
        if (tText < 0.0)
            spans.push_back({tText - 0.5 * along, 0.0});
        else
            spans.push_back({len, tText + 0.5 * along});
    }
    if (vertical == DimValueOnLine && !textFree && !m_text.IsEmpty())
        Cut(spans, tText - 0.5 * along - dist, tText + 0.5 * along + dist);
    for (const Interval& sp : spans) {
        if (sp.t1 - sp.t0 < kTol)
            continue;
        if (!track.circular) {
            AddLine(track.Point(sp.t0), track.Point(sp.t1), RoleDimensionLine);
        } else {
            const double sweep = std::min((sp.t1 - sp.t0) / track.r, 2.0 * M_PI);
            const double a = (track.a0 + sp.t0 / track.r) * RuVa::RadToDeg;
            if (sweep >= 2.0 * M_PI - 1e-12)
                AddPiece(new Arc2dFeature(track.c, track.r, a, a + 359.999999, 0), RoleDimensionLine);
            else
                AddPiece(new Arc2dFeature(track.c, track.r, a, a + sweep * RuVa::RadToDeg, 0), RoleDimensionLine);
        }
    }
    // The heads: pointing out of the line inside, into it outside.
    const double sign = outside ? -1.0 : 1.0;
    if (type1 != ArrowNone)
        AddPiece(new Arrow2dFeature(track.Point(0.0), AngleOf(-track.Tangent(0.0) * sign) * RuVa::RadToDeg, type1,
                                    size1),
                 RoleDimensionLine);
    if (type2 != ArrowNone)
        AddPiece(new Arrow2dFeature(track.Point(len), AngleOf(track.Tangent(len) * sign) * RuVa::RadToDeg, type2,
                                    size2),
                 RoleDimensionLine);

    // The text.
    if (textFree) {
        PlaceText(d, d.GetValueTextPosFreeMode() != 0 ? d.GetValueTextPoint() : track.Point(midT), textAngle);
        if (d.GetValueTextPosFreeMode() == 2)
            AddLine(track.Point(midT), d.GetValueTextPoint(), RoleDimensionLine);
        return;
    }
    const RuVaPnt2d at = track.Point(tText);
    RuVaVec2d up = track.Up(std::clamp(tText, 0.0, len));
    if (track.circular && (tText < 0.0 || tText > len)) {
        // Beyond an arc's end the text runs on along the end's tangent.
        const double tEnd = tText < 0.0 ? 0.0 : len;
        const RuVaPnt2d onTangent = track.Point(tEnd) + track.Tangent(tEnd) * (tText - tEnd);
        up = track.Up(tEnd);
        const double reach = 0.5 * (W * std::fabs(ex.Dot(up)) + Ht * std::fabs(ey.Dot(up)));
        const double off = vertical == DimValueAbove ? dist + reach : vertical == DimValueBelow ? -(dist + reach) : 0.0;
        PlaceText(d, onTangent + up * off, textAngle);
        return;
    }
    const double reach = 0.5 * (W * std::fabs(ex.Dot(up)) + Ht * std::fabs(ey.Dot(up)));
    const double off = vertical == DimValueAbove ? dist + reach : vertical == DimValueBelow ? -(dist + reach) : 0.0;
    PlaceText(d, at + up * off, textAngle);
}

void DimensionLayout::PlaceText(const Dimension2dFeatureBase& d, const RuVaPnt2d& centre, double dAngleDeg)
{
    // The row's middle stands on the point given (a free text: its foot's middle).
    m_dTextAngle = RuVa::CorrectAngle(dAngleDeg);
    const double a = m_dTextAngle * RuVa::DegToRad;
    const RuVaVec2d ey = Dir(a).Perpendicular();
    const double mid = 0.5 * (m_text.GetUpperExtent() - m_text.GetLowerExtent());
    const bool free = d.GetValueTextPosFreeMode() != 0 && centre == d.GetValueTextPoint();
    m_textOrigin = free ? centre : centre - ey * mid;
    AddTextPieces(d);
}

void DimensionLayout::AddTextPieces(const Dimension2dFeatureBase& d)
{
    const double a = m_dTextAngle * RuVa::DegToRad;
    const RuVaVec2d ex = Dir(a), ey = ex.Perpendicular();
    auto map = [&](const RuVaPnt2d& p) { return m_textOrigin + ex * p.X() + ey * p.Y(); };
    const TextSetting& font = d.GetDimensionSetting().GetDimTextFont();
    // Parts that follow one another on one base line in one size are drawn as one text, so that the
    // font's own letter widths keep them together.
    for (int i = 0; i < m_text.GetItemCount();) {
        const DimensionText::Item& first = m_text.GetItem(i);
        CString run = first.text;
        int part = first.nPart;
        double end = first.lowerLeft.X() + first.dWidth;
        int k = i + 1;
        for (; k < m_text.GetItemCount(); ++k) {
            const DimensionText::Item& next = m_text.GetItem(k);
            if (next.dHeight != first.dHeight || std::fabs(next.lowerLeft.Y() - first.lowerLeft.Y()) > 1e-9 * first.dHeight ||
                std::fabs(next.lowerLeft.X() - end) > 1e-9 * first.dHeight)
                break;
            run += next.text;
            end = next.lowerLeft.X() + next.dWidth;
            if (next.nPart == DimensionText::PartValue)
                part = next.nPart;
        }
        // Standing on the middle of its box's foot, so that the font's letters are centred in the box.
        const double boxWidth = end - first.lowerLeft.X();
        auto* text = new Text2dFeature(run, map(RuVaPnt2d(first.lowerLeft.X() + 0.5 * boxWidth, first.lowerLeft.Y())));
        text->SetTextSetting(font);
        text->SetHeight(first.dHeight);
        text->SetAngle(m_dTextAngle);
        text->SetHorizonArrange(1);
        text->SetVerticalArrange(2);
        text->m_bAutoLayout = 0;
        text->SetLayoutRect(boxWidth, first.dHeight);
        AddPiece(text, RoleText, part);
        i = k;
    }
    for (const KcArrayOfGePnt2d& line : m_text.GetLines()) {
        KcArrayOfGePnt2d mapped;
        for (INT_PTR i = 0; i < line.GetSize(); ++i)
            mapped.Add(map(line[i]));
        AddPiece(new Polyline2dFeature(mapped), RoleText, DimensionText::PartNone);
    }
}

void DimensionLayout::ApplyLook(const Dimension2dFeatureBase& dimension, int nRole, Feature2dBase& piece)
{
    piece.CopyBase(&dimension);
    piece.SetRecordID(-1);
    const DimensionSetting& s = dimension.GetDimensionSetting();
    if (nRole == RoleExtensionLine) {
        if (s.GetProjectionColorDifferentDim() == 1)
            piece.SetColorNo(s.GetProjectionColorNo());
        if (s.GetProjectionLTypeDifferentDim() == 1)
            piece.SetLineTypeNo(s.GetProjectionLTypeNo());
        if (s.GetProjectionWidthDifferentDim() == 1)
            piece.SetLineWidthNo(s.GetProjectionWidthNo());
    } else if (nRole == RoleText) {
        if (s.GetDimTextColorDifferentDim() == 1)
            piece.SetColorNo(s.GetDimTextFont().GetColorNo());
    }
}
