#include "libs/vevure/FeatureResolver.h"

#include <cmath>
#include <memory>
#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/SelectionFeatureFilter.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/Tolerance2dFeature.h"

namespace {

constexpr int kMaxDepth = 64;

// Collects the pieces of one shape; hands them to the callback in order.
class Pieces
{
public:
    explicit Pieces(const Feature2dBase* source) : m_source(source) {}

    void Add(std::unique_ptr<Feature2dBase> piece)
    {
        if (!piece || !piece->IsValid())
            return;
        piece->CopyBase(m_source);
        piece->SetRecordID(-1);
        m_pieces.push_back(std::move(piece));
    }
    void AddCopy(const Feature2dBase* f)
    {
        if (f) {
            std::unique_ptr<Feature2dBase> copy(f->CopyObject());
            copy->SetRecordID(-1);
            m_pieces.push_back(std::move(copy));
        }
    }
    void Line(const RuVaPnt2d& a, const RuVaPnt2d& b)
    {
        if (a.Distance(b) >= FeatureGeometry::kPointTolerance)
            Add(std::make_unique<Line2dFeature>(a, b));
    }
    void Arrow(const RuVaPnt2d& tip, const RuVaVec2d& pointing, int type, double size)
    {
        if (type == ArrowNone || size <= 0.0 || pointing.IsNull())
            return;
        Add(std::make_unique<Arrow2dFeature>(tip, std::atan2(pointing.Y(), pointing.X()) * RuVa::RadToDeg, type,
                                             size));
    }
    void Text(const CString& text, const RuVaPnt2d& at, double angleDeg, const TextSetting& style, int horizon,
              int vertical)
    {
        if (text.IsEmpty())
            return;
        auto piece = std::make_unique<Text2dFeature>(text, at);
        piece->SetTextSetting(style);
        piece->SetAngle(angleDeg);
        piece->SetHorizonArrange(horizon);
        piece->SetVerticalArrange(vertical);
        piece->SetAutoLayoutRect();
        Add(std::move(piece));
    }
    int Deliver(const DrawingFeatureBase* drawing, FeatureResolveCallback callback, void* u1, void* u2,
                const Feature2dBase* source) const
    {
        if (m_pieces.empty())
            return 0;
        for (const auto& p : m_pieces)
            if (callback && callback(drawing, p.get(), u1, u2, source) == 0)
                break;
        return 1;
    }
    bool Empty() const { return m_pieces.empty(); }

private:
    const Feature2dBase* m_source;
    std::vector<std::unique_ptr<Feature2dBase>> m_pieces;
};

// The characteristic symbol of the letter in a square of side s about the centre (y up).
void ToleranceSymbol(TCHAR letter, const RuVaPnt2d& c, double s, Pieces& out)
{
    const double L = c.X() - 0.5 * s, R = c.X() + 0.5 * s, T = c.Y() + 0.5 * s, B = c.Y() - 0.5 * s;
    const double xc = c.X(), yc = c.Y();
    auto P = [](double x, double y) { return RuVaPnt2d(x, y); };
    // A line with an open head at its end.
    auto arrow = [&](const RuVaPnt2d& a, const RuVaPnt2d& b) {
        out.Line(a, b);
        const RuVaVec2d d = (b - a).Normalized() * (0.25 * s), n(-d.Y(), d.X());
        out.Line(b, b - d + n * 0.5);
        out.Line(b, b - d - n * 0.5);
    };
    switch (letter) {
    case 'u': out.Line(P(L, yc), P(R, yc)); break;
    case 'c':
        out.Add(std::make_unique<Polyline2dFeature>(KcArrayOfGePnt2d{P(L, B + 0.1 * s), P(L + 0.3 * s, T - 0.1 * s),
                                                                     P(R, T - 0.1 * s), P(L + 0.7 * s, B + 0.1 * s),
                                                                     P(L, B + 0.1 * s)}));
        break;
    case 'e': out.Add(std::make_unique<Circle2dFeature>(c, 0.5 * s)); break;
    case 'g':
        out.Add(std::make_unique<Circle2dFeature>(c, 0.2 * s));
        out.Line(P(L, B), P(xc, T));
        out.Line(P(xc, B), P(R, T));
        break;
    case 'k': out.Add(std::make_unique<Arc2dFeature>(P(xc, yc - 0.2 * s), 0.5 * s, 0.0, 180.0)); break;
    case 'd':
        out.Add(std::make_unique<Arc2dFeature>(P(xc, yc - 0.2 * s), 0.5 * s, 0.0, 180.0));
        out.Line(P(L, yc - 0.2 * s), P(R, yc - 0.2 * s));
        break;
    case 'f':
        out.Line(P(L, B), P(xc, T));
        out.Line(P(xc, B), P(R, T));
        break;
    case 'b':
        out.Line(P(L, B), P(R, B));
        out.Line(P(xc, T), P(xc, B));
        break;
    case 'a':
        out.Line(P(L, B), P(R, B));
        out.Line(P(L, B), P(R, T));
        break;
    case 'j':
        out.Add(std::make_unique<Circle2dFeature>(c, 0.3 * s));
        out.Line(P(L, yc), P(R, yc));
        out.Line(P(xc, T), P(xc, B));
        break;
    case 'r':
        out.Add(std::make_unique<Circle2dFeature>(c, 0.3 * s));
        out.Add(std::make_unique<Circle2dFeature>(c, 0.5 * s));
        break;
    case 'i':
        out.Line(P(L, yc), P(R, yc));
        out.Line(P(L + 0.2 * s, T - 0.2 * s), P(L + 0.8 * s, T - 0.2 * s));
        out.Line(P(L + 0.2 * s, B + 0.2 * s), P(L + 0.8 * s, B + 0.2 * s));
        break;
    case 'h': arrow(P(L + 0.2 * s, B), P(L + 0.8 * s, T)); break;
    case 't':
        out.Line(P(xc, B), P(L, B));
        arrow(P(L, B), P(xc, T));
        arrow(P(xc, B), P(R, T));
        break;
    default: break;
    }
}

// The letter a modifier code shows in its circle; 0 for codes that are not circled letters.
TCHAR CircledLetter(TCHAR code)
{
    switch (code) {
    case 'm': return 'M';
    case 'l': return 'L';
    case 's': return 'S';
    case 'p': return 'P';
    case '1': return 'F';
    case '2': return 'E';
    default: return 0;
    }
}

// The pieces of a cell's text centred about the point: the symbol of a symbol cell; in the other cells
// the plain characters as texts, the modifier codes as circled letters and the diameter sign, "\\" as a
// backslash.
void ToleranceCellPieces(const CString& content, bool bSymbolCell, const RuVaPnt2d& centre, const TextSetting& font,
                         Pieces& out)
{
    const double h = font.GetHeight();
    if (!(h > 0.0))
        return;
    if (bSymbolCell) {
        if (content.GetLength() >= 2 && content[0] == _T('\\') && content[1] != _T('>'))
            ToleranceSymbol(content[1], centre, h, out);
        return;
    }
    // Runs of plain text and single codes, each with its width.
    struct Run {
        CString text;
        TCHAR code = 0;
        double width = 0.0;
    };
    const double charWidth = h * (font.GetWidthRatio() > 0.0 ? font.GetWidthRatio() : 1.0) + font.GetCharSpacing();
    std::vector<Run> runs;
    auto addChar = [&](TCHAR ch) {
        if (runs.empty() || runs.back().code != 0)
            runs.push_back(Run{});
        runs.back().text += ch;
        runs.back().width += charWidth;
    };
    for (int i = 0; i < content.GetLength(); ++i) {
        const TCHAR ch = content[i];
        if (ch != _T('\\') || i + 1 >= content.GetLength()) {
            addChar(ch);
            continue;
        }
        const TCHAR code = content[++i];
        if (CircledLetter(code) != 0 || code == _T('n'))
            runs.push_back(Run{CString(), code, 1.1 * h});
        else
            addChar(code);
    }
    double total = 0.0;
    for (const Run& r : runs)
        total += r.width;
    double x = centre.X() - 0.5 * total;
    TextSetting small(font);
    small.SetHeight(0.65 * h);
    for (const Run& r : runs) {
        const RuVaPnt2d mid(x + 0.5 * r.width, centre.Y());
        if (r.code == 0) {
            out.Text(r.text, RuVaPnt2d(x, centre.Y()), 0.0, font, 0, 1);
        } else if (r.code == _T('n')) {
            out.Add(std::make_unique<Circle2dFeature>(mid, 0.35 * h));
            out.Line(RuVaPnt2d(mid.X() - 0.45 * h, mid.Y() - 0.45 * h), RuVaPnt2d(mid.X() + 0.45 * h, mid.Y() + 0.45 * h));
        } else {
            out.Add(std::make_unique<Circle2dFeature>(mid, 0.5 * h));
            out.Text(CString(CircledLetter(r.code)), mid, 0.0, small, 1, 1);
        }
        x += r.width;
    }
}

// The pieces of the dimension's layout, each in the look of its role.
void ResolveDimension(const Dimension2dFeatureBase* d, Pieces& out)
{
    for (const DimensionLayout::Piece& p : d->GetLayout().GetPieces()) {
        std::unique_ptr<Feature2dBase> copy(p.feature->CopyObject());
        DimensionLayout::ApplyLook(*d, p.nRole, *copy);
        out.AddCopy(copy.get());
    }
}

int ResolveInto(const Feature2dBase* f, Pieces& out, int depth)
{
    if (f == nullptr || depth > kMaxDepth)
        return 0;
    switch (f->GetFeatureType()) {
    case FeatureTypePolyline: {
        const auto* p = static_cast<const Polyline2dFeature*>(f);
        for (int i = 0; i + 1 < p->GetPointSize(); ++i)
            out.Line(p->GetPoint(i), p->GetPoint(i + 1));
        break;
    }
    case FeatureTypeRegion: {
        const auto* r = static_cast<const Region2dFeature*>(f);
        for (int i = 0; i < r->GetFeatureCount(); ++i)
            out.AddCopy(r->GetFeature(i));
        break;
    }
    case FeatureTypeHatch: {
        const auto* h = static_cast<const Hatch2dFeature*>(f);
        ResolveInto(&h->GetOuterRegion(), out, depth + 1);
        for (int i = 0; i < h->GetInnerRegionCount(); ++i)
            ResolveInto(&h->GetInnerRegion(i), out, depth + 1);
        break;
    }
    case FeatureTypeDrawGroup: {
        const auto* g = static_cast<const DrawGroup2dFeature*>(f);
        for (int i = 0; i < g->GetFeatureCount(); ++i)
            out.AddCopy(g->GetFeature(i));
        break;
    }
    case FeatureTypeLead: {
        const auto* l = static_cast<const Lead2dFeature*>(f);
        const KcArrayOfGePnt2d& pts = l->GetPointArray();
        for (INT_PTR i = 0; i + 1 < pts.GetSize(); ++i)
            out.Line(pts[i], pts[i + 1]);
        out.Arrow(pts[0], pts[0] - pts[1], l->GetArrowType(), l->GetArrowSize());
        const RuVaPnt2d& last = pts[pts.GetSize() - 1];
        const RuVaVec2d run = last - pts[pts.GetSize() - 2];
        out.Text(l->GetText(), l->IsTextPointFree() ? l->GetTextPoint() : last, 0.0, l->GetLeadSetting().GetTextFont(),
                 run.X() < 0.0 ? 2 : 0, 2);
        break;
    }
    case FeatureTypeBalloon: {
        const auto* b = static_cast<const Balloon2dFeature*>(f);
        const KcArrayOfGePnt2d& pts = b->GetLeadPointArray();
        const RuVaPnt2d centre = b->GetCenterPoint();
        const double half = 0.5 * b->GetBalloonSize();
        // The leader runs from the tip through its points to the frame.
        RuVaPnt2d last = pts[pts.GetSize() - 1];
        for (INT_PTR i = 0; i + 1 < pts.GetSize(); ++i)
            out.Line(pts[i], pts[i + 1]);
        const RuVaVec2d toTip = last - centre;
        if (toTip.Magnitude() > half)
            out.Line(last, centre + toTip.Normalized() * half);
        const RuVaPnt2d next = pts.GetSize() > 1 ? pts[1] : centre;
        out.Arrow(pts[0], pts[0] - next, b->GetArrowType(), b->GetArrowSize());
        if (b->GetBalloonType() == 0) {
            out.Add(std::make_unique<Circle2dFeature>(centre, half));
        } else {
            KcArrayOfGePnt2d square;
            FeatureGeometry::RectangleOutline(RuVaPnt2d(centre.X() - half, centre.Y() - half), 2 * half, 2 * half, 0.0,
                                              square);
            out.Add(std::make_unique<Polyline2dFeature>(square));
        }
        const CString& text = b->GetText();
        const int divider = text.Find(_T("\\|"));
        if (divider < 0) {
            out.Text(text, centre, 0.0, b->GetBalloonSetting().GetTextFont(), 1, 1);
            break;
        }
        // A two-part text: the upper part above a line across the balloon, the lower part below it.
        const TextSetting& font = b->GetBalloonSetting().GetTextFont();
        const double gap = 0.1 * font.GetHeight();
        out.Line(RuVaPnt2d(centre.X() - half, centre.Y()), RuVaPnt2d(centre.X() + half, centre.Y()));
        out.Text(text.Left(divider), RuVaPnt2d(centre.X(), centre.Y() + gap), 0.0, font, 1, 2);
        out.Text(text.Mid(divider + 2), RuVaPnt2d(centre.X(), centre.Y() - gap), 0.0, font, 1, 0);
        break;
    }
    case FeatureTypeTolerance: {
        const auto* t = static_cast<const Tolerance2dFeature*>(f);
        const double h = t->GetTextHeight(), rowHeight = 2.0 * h;
        const RuVaPnt2d at = t->GetToleranceLocatePoint();
        const TextSetting& font = t->GetDimensionSetting().GetDimTextFont();
        for (int row = 0; row < t->GetToleranceCellSize(); ++row) {
            double x = at.X();
            const double top = at.Y() - row * rowHeight;
            for (int cell = 0; cell < t->GetToleranceCellSize(row); ++cell) {
                const CString content = t->GetToleranceCellText(row, cell);
                const double w = (content.GetLength() + 1) * h;
                KcArrayOfGePnt2d box;
                FeatureGeometry::RectangleOutline(RuVaPnt2d(x, top - rowHeight), w, rowHeight, 0.0, box);
                out.Add(std::make_unique<Polyline2dFeature>(box));
                ToleranceCellPieces(content, cell == 0, RuVaPnt2d(x + 0.5 * w, top - 0.5 * rowHeight), font, out);
                x += w;
            }
        }
        break;
    }
    case FeatureTypeArrow:
        return 0;  // through ResolveArrowFeature
    default:
        if (f->GetFeatureType() >= FeatureTypeLinearDimension && f->GetFeatureType() <= FeatureTypeParallelDimension) {
            ResolveDimension(static_cast<const Dimension2dFeatureBase*>(f), out);
            break;
        }
        return 0;
    }
    return out.Empty() ? 0 : 1;
}

void ArrowPieces(const Arrow2dFeature* a, Pieces& out)
{
    std::vector<Arrow2dFeature::HeadPiece> head;
    Arrow2dFeature::GetHeadPieces(a->GetPoint(), a->GetAngle(), a->GetArrowType(), a->GetSize(), head);
    for (const Arrow2dFeature::HeadPiece& p : head) {
        switch (p.nKind) {
        case Arrow2dFeature::HeadPiece::Circle:
            out.Add(std::make_unique<Circle2dFeature>(p.centre, p.dRadius));
            break;
        case Arrow2dFeature::HeadPiece::Arc:
            out.Add(std::make_unique<Arc2dFeature>(p.centre, p.dRadius, p.dStartDeg, p.dStartDeg + p.dSweepDeg, 0));
            break;
        default:
            if (p.points.GetSize() == 2)
                out.Line(p.points[0], p.points[1]);
            else
                out.Add(std::make_unique<Polyline2dFeature>(p.points));
            break;
        }
    }
}

}  // namespace

int FeatureResolver::ResolveFeature(const DrawingFeatureBase* pDrawing, const Feature2dBase* pFeature,
                                    FeatureResolveCallback callback, void* pUser1, void* pUser2,
                                    const Feature2dBase* pSource)
{
    if (pFeature == nullptr || !pFeature->IsValid())
        return 0;
    if (pFeature->GetFeatureType() == FeatureTypeArrow)
        return ResolveArrowFeature(pDrawing, static_cast<const Arrow2dFeature*>(pFeature), callback, pUser1, pUser2);
    Pieces pieces(pFeature);
    if (!ResolveInto(pFeature, pieces, 0))
        return 0;
    return pieces.Deliver(pDrawing, callback, pUser1, pUser2, pSource ? pSource : pFeature);
}

int FeatureResolver::ResolveHatchFeature(const Draw2dDocument*, const DrawingFeatureBase* pDrawing,
                                         const Hatch2dFeature* pHatch, FeatureResolveCallback callback, void* pUser1,
                                         void* pUser2)
{
    return ResolveFeature(pDrawing, pHatch, callback, pUser1, pUser2, pHatch);
}

int FeatureResolver::ResolveArrowFeature(const DrawingFeatureBase* pDrawing, const Arrow2dFeature* pArrow,
                                         FeatureResolveCallback callback, void* pUser1, void* pUser2)
{
    if (pArrow == nullptr || !pArrow->IsValid())
        return 0;
    Pieces pieces(pArrow);
    ArrowPieces(pArrow, pieces);
    return pieces.Deliver(pDrawing, callback, pUser1, pUser2, pArrow);
}

namespace {

struct Gather {
    Feature2dList* list;
    const SelectionFeatureFilter* filter;
    bool deep;
    int depth;
};

int GatherPiece(const DrawingFeatureBase* drawing, const Feature2dBase* piece, void* user1, void*,
                const Feature2dBase*)
{
    auto* g = static_cast<Gather*>(user1);
    // Arrows and nested compound shapes break up further when asked.
    if (g->deep && g->depth < kMaxDepth) {
        Gather inner{g->list, g->filter, true, g->depth + 1};
        if (FeatureResolver::ResolveFeature(drawing, piece, &GatherPiece, &inner, nullptr, piece))
            return 1;
    }
    if (g->filter == nullptr || g->filter->IsFeatureSelectable(piece->GetFeatureType()))
        g->list->AddFeature(piece);
    return 1;
}

}  // namespace

Feature2dList* FeatureResolver::ResolveFeatureAll(const DrawingFeatureBase* pDrawing, const Feature2dBase* pFeature,
                                                  int nFlag, const SelectionFeatureFilter* pFilter)
{
    auto list = std::make_unique<Feature2dList>();
    Gather g{list.get(), pFilter, nFlag == 1, 0};
    if (!ResolveFeature(pDrawing, pFeature, &GatherPiece, &g, nullptr, pFeature) || list->IsEmpty())
        return nullptr;
    return list.release();
}
