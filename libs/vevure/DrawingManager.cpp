#include "libs/vevure/DrawingManager.h"

#include <QColor>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdiplus/HatchBrush.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/FeatureResolver.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/GraphicManager.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PlotSetting.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/ResolvedFeature2dList.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/VeVureEnums.h"

namespace {

QRgb ToRgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// x' = a x + b y + c, y' = d x + e y + f
struct Affine {
    double a = 1, b = 0, c = 0, d = 0, e = 1, f = 0;
    QPointF Map(double x, double y) const { return QPointF(a * x + b * y + c, d * x + e * y + f); }
    QPointF Map(const RuVaPnt2d& p) const { return Map(p.X(), p.Y()); }
    static Affine From(const RuVaGTrsf2d& t)
    {
        double x0 = 0, y0 = 0, x1 = 1, y1 = 0, x2 = 0, y2 = 1;
        t.Transforms(x0, y0);
        t.Transforms(x1, y1);
        t.Transforms(x2, y2);
        Affine m;
        m.a = x1 - x0, m.b = x2 - x0, m.c = x0;
        m.d = y1 - y0, m.e = y2 - y0, m.f = y0;
        return m;
    }
    // this after inner
    Affine After(const Affine& in) const
    {
        Affine m;
        m.a = a * in.a + b * in.d, m.b = a * in.b + b * in.e, m.c = a * in.c + b * in.f + c;
        m.d = d * in.a + e * in.d, m.e = d * in.b + e * in.e, m.f = d * in.c + e * in.f + f;
        return m;
    }
    bool Invert(Affine& out) const
    {
        const double det = a * e - b * d;
        if (!std::isfinite(det) || std::fabs(det) < 1e-300)
            return false;
        out.a = e / det, out.b = -b / det, out.d = -d / det, out.e = a / det;
        out.c = -(out.a * c + out.b * f), out.f = -(out.d * c + out.e * f);
        return true;
    }
    double MaxScale() const { return std::max(std::hypot(a, d), std::hypot(b, e)); }
    QTransform ToQ() const { return QTransform(a, d, b, e, c, f); }
};

struct StyleKey {
    QRgb rgb;
    float width;
    const LineTypeFeature* lineType;
    bool operator==(const StyleKey& o) const { return rgb == o.rgb && width == o.width && lineType == o.lineType; }
};
struct StyleHash {
    size_t operator()(const StyleKey& k) const
    {
        return std::hash<unsigned>()(k.rgb) ^ (std::hash<float>()(k.width) << 1) ^
               (std::hash<const void*>()(k.lineType) << 2);
    }
};

struct Batch {
    StyleKey key;
    std::vector<double> dashes;  // in pixels, empty for solid
    std::vector<QLineF> lines;
    std::vector<QPointF> dots;
    QPainterPath curves;  // circles and arcs kept as curves (printing)
};

struct LayerLook {
    bool visible = true;
    short colorNo = 0, lineTypeNo = 0, lineWidthNo = 0;
};

struct TextDraw {
    const Text2dFeature* text;
    Affine toDevice;
    QRgb rgb;
};

class Renderer
{
public:
    Renderer(const Draw2dView* pView, const Draw2dDocument& doc, QPainter& painter, const Affine& worldToDevice,
             double dViewScale, int cx, int cy)
        : m_pView(pView), m_doc(doc), m_p(painter), m_world(worldToDevice), m_dViewScale(dViewScale), m_cx(cx),
          m_cy(cy)
    {
        // Shapes drawn outside a drawing (a list's picture) are in world coordinates.
        m_cur = m_world;
        m_dLenScale = m_cur.MaxScale();
        m_pLayers = doc.GetLayerTable();
        m_pColors = doc.GetColorFeatureTable();
        m_pTypes = doc.GetLineTypeFeatureTable();
        m_pWidths = doc.GetLineWidthFeatureTable();
        const SelectionManager* sel = doc.GetSelectionManager();
        m_pSelection = (sel != nullptr && !sel->IsSelectionEmpty()) ? sel : nullptr;
    }

    // Which shapes to draw by their layer: 0 not, 1 as they are, 2 greyed.
    std::function<int(long)> m_layerFilter;
    COLORREF m_selectedColor = RGB(255, 0, 0);
    int m_nGreek = 3;
    bool m_bThinLines = false;    // every line one pixel
    bool m_bScreenPitch = false;  // dash patterns in screen millimetres, not paper
    int m_cap = LineCapFlat;
    int m_join = LineJoinMiter;
    bool m_bBlack = false;      // every colour black, pictures grey (printing)
    bool m_bNoMarkers = false;  // point markers left out (printing)
    bool m_bCurves = false;     // circles, arcs, ellipses and their dashes as curves, not flattened chains
    DrawingManager::RenderStats m_stats;

    void ForgetSelection() { m_pSelection = nullptr; }

    bool Broken() const { return m_bBroken; }

    // Draws one drawing through a layout (NULL: the view's world is the drawing's own coordinates).
    void DrawDrawing(const DrawingFeatureBase& drawing, const PartDrawingLayout* pLayout, long nLayoutID)
    {
        m_cur = pLayout != nullptr ? m_world.After(Affine::From(pLayout->GetLocalToWorld())) : m_world;
        m_dLenScale = m_cur.MaxScale();
        m_nLayoutID = nLayoutID;
        Affine inv;
        if (!m_cur.Invert(inv))
            return;
        RuVaBndBox2d cull;
        const double margin = 2.0;
        for (const QPointF& q : {QPointF(-margin, -margin), QPointF(m_cx + margin, -margin),
                                 QPointF(-margin, m_cy + margin), QPointF(m_cx + margin, m_cy + margin)}) {
            const QPointF l = inv.Map(q.x(), q.y());
            cull.Update(l.x(), l.y());
        }
        std::vector<long> ids;
        m_doc.GetFeaturesInBox(&drawing, cull, ids);
        m_stats.nCandidates += (long)ids.size();
        // Record order gives a stable stacking and walks the records in memory order; many ids are put in
        // order through a bitmap of the id range.
        if (ids.size() < 4096) {
            std::sort(ids.begin(), ids.end());
        } else {
            const long top = *std::max_element(ids.begin(), ids.end());
            if (top >= 0 && (size_t)top < ids.size() * 64) {
                std::vector<bool> seen((size_t)top + 1);
                for (long id : ids)
                    if (id >= 0)
                        seen[(size_t)id] = true;
                ids.clear();
                for (size_t i = 0; i < seen.size(); ++i)
                    if (seen[i])
                        ids.push_back((long)i);
            } else {
                std::sort(ids.begin(), ids.end());
            }
        }
        int n = 0;
        for (long id : ids) {
            if ((++n & 4095) == 0 && m_pView != nullptr && m_pView->GetBreakProc() != nullptr &&
                m_pView->GetBreakProc()(const_cast<Draw2dView*>(m_pView)) == 0) {
                m_bBroken = true;
                return;
            }
            const Feature2dBase* f = m_doc.GetFeature(id);
            if (f == nullptr)
                continue;
            const LayerLook& layer = Layer(f->GetLayerID());
            if (!layer.visible)
                continue;
            m_bGrey = false;
            if (m_layerFilter) {
                const int mode = m_layerFilter(f->GetLayerID());
                if (mode == 0)
                    continue;
                m_bGrey = mode == 2;
            }
            bool selected = m_pSelection != nullptr && m_pSelection->IsFeatureSelected(FeatureRecord(id, nLayoutID));
            if (!selected && m_pSelection != nullptr && nLayoutID != -1)
                selected = m_pSelection->IsFeatureSelected(FeatureRecord(id, -1));
            DrawFeature(*f, id, layer, selected);
        }
    }

    // A dot stands for a shape smaller than a pixel; its place, or false when the shape is bigger.
    bool TinyShape(const Feature2dBase& f, QPointF& at) const
    {
        constexpr double kTiny = 0.75;
        switch (f.GetFeatureType()) {
        case FeatureTypeLine: {
            const auto& l = static_cast<const Line2dFeature&>(f);
            const RuVaPnt2d &a = l.GetStartPoint(), &b = l.GetEndPoint();
            if (std::fabs(a.X() - b.X()) * m_dLenScale >= kTiny || std::fabs(a.Y() - b.Y()) * m_dLenScale >= kTiny)
                return false;
            at = m_cur.Map(a.CenterPoint(b));
            return true;
        }
        case FeatureTypeCircle:
        case FeatureTypeArc: {
            const double r = f.GetFeatureType() == FeatureTypeCircle ? static_cast<const Circle2dFeature&>(f).GetRadius()
                                                                      : static_cast<const Arc2dFeature&>(f).GetRadius();
            if (!(2 * r * m_dLenScale < kTiny))
                return false;
            at = m_cur.Map(f.GetFeatureType() == FeatureTypeCircle ? static_cast<const Circle2dFeature&>(f).GetCenterPoint()
                                                                   : static_cast<const Arc2dFeature&>(f).GetCenterPoint());
            return true;
        }
        case FeatureTypeText:
        case FeatureTypePointMarker:  // a marker has its size on paper
            return false;
        default: {
            const RuVaBndBox2d box = f.GetBndBox();
            if (box.IsVoid() || box.Width() * m_dLenScale >= kTiny || box.Height() * m_dLenScale >= kTiny)
                return false;
            at = m_cur.Map(box.Center());
            return true;
        }
        }
    }

    void DrawFeature(const Feature2dBase& f, long nRecordID, const LayerLook& layer, bool selected)
    {
        if (m_bNoMarkers && f.GetFeatureType() == FeatureTypePointMarker)
            return;
        Batch& batch = BatchFor(f, layer, selected);
        QPointF dot;
        if (TinyShape(f, dot)) {
            batch.dots.push_back(dot);
            ++m_stats.nDots;
            ++m_stats.nDrawn;
            return;
        }
        ++m_stats.nDrawn;
        DrawShape(f, nRecordID, layer, selected, batch);
    }

    // A dimension: the pieces of its layout, each role in its own look.
    void DrawDimension(const Dimension2dFeatureBase& d, const LayerLook& layer, bool selected)
    {
        m_keepLayouts.push_back(d.GetLayoutShared());
        // Batches live in a vector that grows: hold them by index.
        long index[3] = {-1, -1, -1};
        for (int role = 0; role < 3; ++role) {
            Line2dFeature look;
            DimensionLayout::ApplyLook(d, role, look);
            index[role] = (long)(&BatchFor(look, layer, selected) - m_batches.data());
        }
        for (const DimensionLayout::Piece& p : d.GetLayout().GetPieces())
            DrawShape(*p.feature, -1, layer, selected, m_batches[(size_t)index[std::clamp(p.nRole, 0, 2)]]);
    }

    // A filled or outlined arrow head.
    void DrawArrow(const Arrow2dFeature& a, Batch& batch)
    {
        std::vector<Arrow2dFeature::HeadPiece> head;
        Arrow2dFeature::GetHeadPieces(a.GetPoint(), a.GetAngle(), a.GetArrowType(), a.GetSize(), head);
        for (const Arrow2dFeature::HeadPiece& p : head) {
            if (p.nKind == Arrow2dFeature::HeadPiece::Circle) {
                if (p.bFilled) {
                    const QPointF c = m_cur.Map(p.centre);
                    const double r = p.dRadius * m_dLenScale;
                    if (!Far(c) && r < 1e5) {
                        QPainterPath path;
                        path.addEllipse(c, r, r);
                        m_p.fillPath(path, QColor::fromRgb(batch.key.rgb));
                    }
                }
                AddArc(batch, p.centre, p.dRadius, 0.0, 2 * M_PI);
            } else if (p.nKind == Arrow2dFeature::HeadPiece::Arc) {
                AddArc(batch, p.centre, p.dRadius, p.dStartDeg * M_PI / 180.0, p.dSweepDeg * M_PI / 180.0);
            } else {
                m_chain.clear();
                for (INT_PTR i = 0; i < p.points.GetSize(); ++i)
                    m_chain.push_back(m_cur.Map(p.points.GetData()[i]));
                if (p.bFilled && m_chain.size() >= 3) {
                    bool far = false;
                    for (const QPointF& q : m_chain)
                        far = far || Far(q);
                    if (!far) {
                        QPainterPath path;
                        path.addPolygon(QPolygonF(QVector<QPointF>(m_chain.begin(), m_chain.end())));
                        path.closeSubpath();
                        m_p.fillPath(path, QColor::fromRgb(batch.key.rgb));
                    }
                }
                AddChain(batch, m_chain.data(), (int)m_chain.size());
            }
        }
    }

    void DrawShape(const Feature2dBase& f, long nRecordID, const LayerLook& layer, bool selected, Batch& batch)
    {
        switch (f.GetFeatureType()) {
        case FeatureTypeLine: {
            const auto& l = static_cast<const Line2dFeature&>(f);
            const QPointF pts[2] = {m_cur.Map(l.GetStartPoint()), m_cur.Map(l.GetEndPoint())};
            AddChain(batch, pts, 2);
            return;
        }
        case FeatureTypePolyline: {
            const KcArrayOfGePnt2d& src = static_cast<const Polyline2dFeature&>(f).GetPointArray();
            m_chain.clear();
            for (INT_PTR i = 0; i < src.GetSize(); ++i)
                m_chain.push_back(m_cur.Map(src.GetData()[i]));
            AddChain(batch, m_chain.data(), (int)m_chain.size());
            return;
        }
        case FeatureTypeCircle: {
            const auto& c = static_cast<const Circle2dFeature&>(f);
            AddArc(batch, c.GetCenterPoint(), c.GetRadius(), 0.0, 2 * M_PI);
            return;
        }
        case FeatureTypeArc: {
            const auto& a = static_cast<const Arc2dFeature&>(f);
            double sweep = a.GetSweepAngle() * M_PI / 180.0;
            if (a.GetDirection() != 0)
                sweep = -sweep;
            AddArc(batch, a.GetCenterPoint(), a.GetRadius(), a.GetStartAngle() * M_PI / 180.0, sweep);
            return;
        }
        case FeatureTypeEllipse:
            if (m_bCurves) {
                const auto& e = static_cast<const Ellipse2dFeature&>(f);
                AddEllipse(batch, e.GetCenterPoint(), e.GetMajorRadius(), e.GetMinorRadius(), e.GetAngle(), 0.0,
                           2 * M_PI);
                return;
            }
            break;
        case FeatureTypeEllipseArc:
            if (m_bCurves) {
                const auto& e = static_cast<const EllipseArc2dFeature&>(f);
                double sweep = e.GetSweepAngle() * M_PI / 180.0;
                if (e.GetDirection() == 1)
                    sweep = -sweep;
                AddEllipse(batch, e.GetCenterPoint(), e.GetMajorRadius(), e.GetMinorRadius(), e.GetAngle(),
                           e.GetStartAngle() * M_PI / 180.0, sweep);
                return;
            }
            break;
        case FeatureTypeText: {
            const auto& t = static_cast<const Text2dFeature&>(f);
            // Fonts need a GUI application; without one texts are drawn as their boxes.
            if (t.GetHeight() * m_dLenScale >= m_nGreek && !t.GetText().IsEmpty() &&
                qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
                m_texts.push_back({&t, m_cur, batch.key.rgb});
                return;
            }
            break;  // greeked: its outline
        }
        case FeatureTypeHatch:
            DrawHatch(static_cast<const Hatch2dFeature&>(f), batch);
            return;
        case FeatureTypePointMarker:
            DrawMarker(static_cast<const PointMarker2dFeature&>(f), batch);
            return;
        case FeatureTypeLead: {
            const auto& lead = static_cast<const Lead2dFeature&>(f);
            AddTextAt(lead.GetText(), lead.GetTextPoint(), lead.GetTextHeight(), 0, batch);
            if (lead.GetPointSize() >= 2)
                AddArrowHead(lead.GetPoint(0), lead.GetPoint(1), lead.GetArrowSize(), batch);
            break;  // and its line
        }
        case FeatureTypeBalloon: {
            const auto& balloon = static_cast<const Balloon2dFeature&>(f);
            const double h = balloon.GetTextHeight();
            const RuVaPnt2d c = balloon.GetCenterPoint();
            const CString& text = balloon.GetText();
            const int divider = text.Find(_T("\\|"));
            if (divider < 0) {
                AddTextAt(text, RuVaPnt2d(c.X(), c.Y() - h / 2), h, 1, batch);
            } else {
                // A two-part text: the upper part above a line across the balloon, the lower part below it.
                const double half = 0.5 * balloon.GetBalloonSize(), gap = 0.1 * h;
                const QPointF across[2] = {m_cur.Map(RuVaPnt2d(c.X() - half, c.Y())),
                                           m_cur.Map(RuVaPnt2d(c.X() + half, c.Y()))};
                AddChain(batch, across, 2);
                AddTextAt(text.Left(divider), RuVaPnt2d(c.X(), c.Y() + gap), h, 1, batch);
                AddTextAt(text.Mid(divider + 2), RuVaPnt2d(c.X(), c.Y() - gap - h), h, 1, batch);
            }
            if (balloon.GetLeadPointSize() >= 2)
                AddArrowHead(balloon.GetLeadPoint(0), balloon.GetLeadPoint(1), balloon.GetArrowSize(), batch);
            break;  // and its outline and lead
        }
        case FeatureTypeLinearDimension:
        case FeatureTypeRadiusDimension:
        case FeatureTypeDiameterDimension:
        case FeatureTypeAngularDimension:
        case FeatureTypeArcDimension:
        case FeatureTypeParallelDimension:
            DrawDimension(static_cast<const Dimension2dFeatureBase&>(f), layer, selected);
            return;
        case FeatureTypeArrow:
            DrawArrow(static_cast<const Arrow2dFeature&>(f), batch);
            return;
        case FeatureTypeTolerance: {
            // The cells with their symbols, modifier codes and texts, as the resolver lays them out.
            std::vector<std::unique_ptr<Feature2dBase>> parts;
            FeatureResolver::ResolveFeature(
                nullptr, &f,
                [](const DrawingFeatureBase*, const Feature2dBase* p, void* u, void*, const Feature2dBase*) -> int {
                    static_cast<std::vector<std::unique_ptr<Feature2dBase>>*>(u)->emplace_back(
                        p->CopyObject(Feature2dBase::copyAll));
                    return 1;
                },
                &parts, nullptr, nullptr);
            if (parts.empty())
                break;  // its outline
            for (const auto& part : parts)
                DrawFeature(*part, -1, layer, selected);
            for (auto& part : parts)
                if (part->GetFeatureType() == FeatureTypeText)
                    m_keep.push_back(std::move(part));
            return;
        }
        case FeatureTypeImage:
            if (DrawImage(static_cast<const Image2dFeature&>(f)))
                return;
            break;  // no picture: its frame
        case FeatureTypeOleObject:
            if (DrawOleObject(static_cast<const OleObject2dFeature&>(f), batch))
                return;
            break;  // its frame
        case FeatureTypeDrawGroup:
        case FeatureTypeDrawComponent: {
            const ResolvedFeature2dList* list = m_doc.GetResolveData(nRecordID, nullptr, nullptr);
            if (list == nullptr)
                return;
            // The list is the document's until the next call: copy what we keep.
            std::vector<std::unique_ptr<Feature2dBase>> parts;
            for (int i = 0; i < list->GetFeatureSize(); ++i)
                if (const Feature2dBase* part = list->GetFeature(i))
                    parts.emplace_back(part->CopyObject(Feature2dBase::copyAll));
            for (const auto& part : parts) {
                const LayerLook& look = Layer(part->GetLayerID());
                if (look.visible && part->GetFeatureType() != FeatureTypeDrawGroup &&
                    part->GetFeatureType() != FeatureTypeDrawComponent)
                    DrawFeature(*part, -1, look, selected);
            }
            // Texts of the parts are drawn at the flush: keep their copies until then.
            for (auto& part : parts)
                if (part->GetFeatureType() == FeatureTypeText)
                    m_keep.push_back(std::move(part));
            return;
        }
        default:
            break;
        }
        m_chains.clear();
        FeatureFlattener::Flatten(&f, m_chains, 0.25 / std::max(m_dLenScale, 1e-300));
        for (const KcArrayOfGePnt2d& chain : m_chains) {
            if (chain.GetSize() == 1) {
                batch.dots.push_back(m_cur.Map(chain[0]));
                continue;
            }
            m_chain.clear();
            for (INT_PTR i = 0; i < chain.GetSize(); ++i)
                m_chain.push_back(m_cur.Map(chain.GetData()[i]));
            AddChain(batch, m_chain.data(), (int)m_chain.size());
        }
    }

    // One shape that is no record of the document (a preview), as DrawDrawing draws a record: through the
    // layout, in its own look, never greyed or selected, shown whatever its layer's visibility. The area
    // drawn on, in device units.
    QRectF DrawLoose(const Feature2dBase& f, const PartDrawingLayout* pLayout)
    {
        m_cur = pLayout != nullptr ? m_world.After(Affine::From(pLayout->GetLocalToWorld())) : m_world;
        m_dLenScale = m_cur.MaxScale();
        m_nLayoutID = pLayout != nullptr ? pLayout->GetLayoutID() : -1;
        m_bGrey = false;
        DrawFeature(f, -1, Layer(f.GetLayerID()), false);
        QRectF drawn;
        for (const Batch& b : m_batches) {
            const double m = b.key.width / 2.0 + 1.0;
            for (const QLineF& l : b.lines)
                drawn |= QRectF(l.p1(), l.p2()).normalized().adjusted(-m, -m, m, m);
            for (const QPointF& d : b.dots)
                drawn |= QRectF(d.x() - m, d.y() - m, 2 * m, 2 * m);
        }
        switch (f.GetFeatureType()) {
        case FeatureTypeLine:
        case FeatureTypePolyline:
        case FeatureTypeCircle:
        case FeatureTypeArc:
        case FeatureTypePointMarker:
            break;  // lines only: their batches hold all of them
        default: {
            // Texts, fills and pictures are drawn beside the batches, inside the shape's box.
            const RuVaBndBox2d box = f.GetBndBox();
            if (!box.IsVoid()) {
                for (const RuVaPnt2d& c : {box.MinPoint(), box.MaxPoint(), RuVaPnt2d(box.XMin(), box.YMax()),
                                           RuVaPnt2d(box.XMax(), box.YMin())}) {
                    const QPointF q = m_cur.Map(c);
                    drawn |= QRectF(q.x() - 2, q.y() - 2, 4, 4);
                }
            }
            break;
        }
        }
        Flush();
        return drawn;
    }

    // Draws what was gathered (with the painter's current clip) and empties the batches.
    void Flush()
    {
        for (Batch& b : m_batches) {
            if (b.lines.empty() && b.dots.empty() && b.curves.isEmpty())
                continue;
            QPen pen(QColor::fromRgb(b.key.rgb));
            pen.setWidthF(b.key.width <= 1.0f ? 0.0 : b.key.width);
            pen.setCapStyle(m_cap == LineCapRound ? Qt::RoundCap : m_cap == LineCapSquare ? Qt::SquareCap : Qt::FlatCap);
            pen.setJoinStyle(m_join == LineJoinRound ? Qt::RoundJoin : m_join == LineJoinBevel ? Qt::BevelJoin : Qt::MiterJoin);
            m_p.setPen(pen);
            if (!b.lines.empty())
                m_p.drawLines(b.lines.data(), (int)b.lines.size());
            if (m_cap == LineCapTriangle && pen.widthF() > 1.0)
                DrawTriangleCaps(b, pen);
            if (!b.dots.empty())
                m_p.drawPoints(b.dots.data(), (int)b.dots.size());
            if (!b.curves.isEmpty()) {
                m_p.setBrush(Qt::NoBrush);
                m_p.drawPath(b.curves);
                b.curves = QPainterPath();
            }
            b.lines.clear();
            b.dots.clear();
        }
        for (const TextDraw& t : m_texts)
            DrawText(t);
        m_texts.clear();
        m_keep.clear();
        m_keepLayouts.clear();
    }

    void SetWorld(const Affine& world) { m_world = world; }

    // The triangle caps of a batch: at each open end of a line or curve, a point half the pen's width
    // beyond the end over the flat end.
    void DrawTriangleCaps(const Batch& b, const QPen& pen)
    {
        const double half = pen.widthF() / 2.0;
        QPainterPath caps;
        auto cap = [&caps, half](const QPointF& end, const QPointF& from) {
            const QPointF d = end - from;
            const double len = std::hypot(d.x(), d.y());
            if (len <= 0.0)
                return;
            const QPointF u(d.x() / len, d.y() / len);
            const QPointF n(-u.y(), u.x());
            QPolygonF tri;
            tri << end + n * half << end + u * half << end - n * half << end + n * half;
            caps.addPolygon(tri);
        };
        for (const QLineF& l : b.lines) {
            cap(l.p2(), l.p1());
            cap(l.p1(), l.p2());
        }
        // Each subpath of the curves: its first and last points, each against its neighbour.
        const int count = b.curves.elementCount();
        int start = 0;
        for (int i = 1; i <= count; ++i) {
            if (i < count && !b.curves.elementAt(i).isMoveTo())
                continue;
            const int last = i - 1;
            if (last > start) {
                const QPointF p0 = b.curves.elementAt(start), p1 = b.curves.elementAt(start + 1);
                const QPointF q0 = b.curves.elementAt(last), q1 = b.curves.elementAt(last - 1);
                if (p0 != q0) {
                    cap(p0, p1);
                    cap(q0, q1);
                }
            }
            start = i;
        }
        m_p.save();
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(pen.color());
        m_p.drawPath(caps);
        m_p.restore();
    }

private:
    const LayerLook& Layer(long nLayerID)
    {
        auto it = m_layerCache.find(nLayerID);
        if (it != m_layerCache.end())
            return it->second;
        LayerLook look;
        if (m_pLayers != nullptr && m_pLayers->GetLayerFeature(nLayerID) != nullptr) {
            look.visible = m_doc.IsDisplayLayerID(nLayerID) != FALSE &&
                           (!m_bPrintableOnly || m_pLayers->IsLayerPrintable(nLayerID) != FALSE);
            look.colorNo = std::max<short>(0, m_pLayers->GetLayerColorNo(nLayerID));
            look.lineTypeNo = std::max<short>(0, m_pLayers->GetLayerLineTypeNo(nLayerID));
            look.lineWidthNo = std::max<short>(0, m_pLayers->GetLayerLineWidthNo(nLayerID));
        }
        return m_layerCache.emplace(nLayerID, look).first->second;
    }

    Batch& BatchFor(const Feature2dBase& f, const LayerLook& layer, bool selected)
    {
        QRgb rgb;
        if (m_bBlack) {
            rgb = qRgb(0, 0, 0);
        } else if (m_bGrey) {
            rgb = qRgb(192, 192, 192);
        } else if (selected) {
            rgb = ToRgb(m_selectedColor);
        } else {
            short no = f.GetColorNo();
            if (no == 0)
                no = layer.colorNo;
            if (no == -1)
                rgb = ToRgb(f.GetColor());
            else if (no > 0 && m_pColors != nullptr)
                rgb = ToRgb(m_pColors->GetColorRef(no));
            else
                rgb = qRgb(0, 0, 0);
        }
        short lt = f.GetLineTypeNo();
        if (lt == 0)
            lt = layer.lineTypeNo;
        const LineTypeFeature* type = (lt > 0 && m_pTypes != nullptr) ? m_pTypes->GetLineTypeByNo(lt) : nullptr;
        if (type != nullptr && type->GetLineTypeSegment() == 0)
            type = nullptr;
        double mm = 0.0;
        short wn = f.GetLineWidthNo();
        if (wn == Feature2dBase::kLineWidthNoExplicit)
            mm = f.GetLineWidth();
        else {
            if (wn == 0)
                wn = layer.lineWidthNo;
            if (wn > 0 && m_pWidths != nullptr)
                mm = m_pWidths->GetLineWidth(wn);
        }
        float width = 1.0f;
        if (!m_bThinLines && std::isfinite(mm) && mm > 0.0)
            width = (float)std::clamp(std::round(mm * m_dViewScale * 2.0) / 2.0, 1.0, 256.0);
        const StyleKey key{rgb, width, type};
        if (m_pLast != nullptr && m_pLast->key == key)
            return *m_pLast;
        for (Batch& b : m_batches)
            if (b.key == key)
                return *(m_pLast = &b);
        Batch b;
        b.key = key;
        if (type != nullptr) {
            // Dash lengths are paper millimetres: scaled by the zoom, or fixed on screen.
            const double pxPerMm = m_bScreenPitch ? 96.0 / 25.4 : m_dViewScale;
            double total = 0.0;
            for (int i = 0; i < type->GetLineTypeSegment(); ++i) {
                const double d = std::max(1.0, type->GetLineTypeSegmentAt(i) * pxPerMm);
                b.dashes.push_back(d);
                total += d;
            }
            if (b.dashes.size() < 2 || total < 3.0 || total > 1e7)
                b.dashes.clear();
        }
        m_batches.push_back(std::move(b));
        m_pLast = nullptr;
        return m_batches.back();
    }

    void AddArc(Batch& batch, const RuVaPnt2d& c, double r, double a0, double sweep)
    {
        Affine unit;  // the unit circle onto the circle
        unit.a = unit.e = r, unit.c = c.X(), unit.f = c.Y();
        AddConic(batch, unit, a0, sweep);
    }

    void AddEllipse(Batch& batch, const RuVaPnt2d& c, double major, double minor, double angleDeg, double a0,
                    double sweep)
    {
        const double t = angleDeg * M_PI / 180.0, ct = std::cos(t), st = std::sin(t);
        Affine unit;  // the unit circle onto the ellipse: turned by its angle, stretched along its axes
        unit.a = major * ct, unit.b = -minor * st, unit.c = c.X();
        unit.d = major * st, unit.e = minor * ct, unit.f = c.Y();
        AddConic(batch, unit, a0, sweep);
    }

    // The unit circle's arc from angle a0 over sweep (radians, counter-clockwise when positive), mapped by
    // unit onto the drawing. When curves are asked for, it goes out as curves, dashes too (each dash a piece
    // of the curve); otherwise as a chain of lines.
    void AddConic(Batch& batch, const Affine& unit, double a0, double sweep)
    {
        const Affine toDevice = m_cur.After(unit);
        const QPointF centre = toDevice.Map(0.0, 0.0);
        const double size = toDevice.MaxScale();
        const bool whole = std::fabs(sweep) >= 2 * M_PI - 1e-12;
        if (m_bCurves && std::isfinite(size) && size > 0.0 && size < 1e5 && !Far(centre) &&
            std::isfinite(a0) && std::isfinite(sweep)) {
            const QTransform map = toDevice.ToQ();
            const QRectF circle(-1.0, -1.0, 2.0, 2.0);
            // Built on the unit circle (y up: Qt's angles turn the other way) and mapped whole, so that any
            // placement keeps the exact curve.
            auto piece = [&](double from, double over) {
                QPainterPath local;
                local.arcMoveTo(circle, -from * 180.0 / M_PI);
                local.arcTo(circle, -from * 180.0 / M_PI, -over * 180.0 / M_PI);
                batch.curves.addPath(map.map(local));
            };
            if (batch.dashes.empty()) {
                if (whole) {
                    QPainterPath local;
                    local.addEllipse(circle);
                    batch.curves.addPath(map.map(local));
                } else {
                    piece(a0, sweep);
                }
                return;
            }
            // Where the dashes fall: the length along the curve on the device, measured on a fine chain,
            // turned back into angles.
            const int n = std::clamp(4 * FeatureFlattener::SegmentCount(size, std::fabs(sweep), 0.05), 16,
                                     FeatureFlattener::kMaxSegments);
            std::vector<double> length((size_t)n + 1, 0.0);
            QPointF last = toDevice.Map(std::cos(a0), std::sin(a0));
            for (int i = 1; i <= n; ++i) {
                const double a = a0 + sweep * i / n;
                const QPointF q = toDevice.Map(std::cos(a), std::sin(a));
                length[(size_t)i] = length[(size_t)i - 1] + std::hypot(q.x() - last.x(), q.y() - last.y());
                last = q;
            }
            auto angleAt = [&](double s) {
                const size_t i = (size_t)(std::upper_bound(length.begin(), length.end(), s) - length.begin());
                if (i == 0)
                    return a0;
                if (i > (size_t)n)
                    return a0 + sweep;
                const double span = length[i] - length[i - 1];
                const double f = span > 0.0 ? (s - length[i - 1]) / span : 0.0;
                return a0 + sweep * ((double)(i - 1) + f) / n;
            };
            const double total = length[(size_t)n];
            double s = 0.0;
            for (size_t k = 0; s < total; k = (k + 1) % batch.dashes.size()) {
                const double end = std::min(total, s + batch.dashes[k]);
                if (k % 2 == 0 && end > s) {
                    const double from = angleAt(s);
                    piece(from, angleAt(end) - from);
                }
                s = end;
            }
            return;
        }
        const int n = std::clamp(FeatureFlattener::SegmentCount(size, std::fabs(sweep), 0.25), 2,
                                 FeatureFlattener::kMaxSegments);
        m_chain.clear();
        for (int i = 0; i <= n; ++i) {
            const double a = a0 + sweep * i / n;
            m_chain.push_back(toDevice.Map(std::cos(a), std::sin(a)));
        }
        AddChain(batch, m_chain.data(), (int)m_chain.size());
    }

    // Cuts the segment to a margin about the client area (Liang-Barsky); false when it lies outside.
    bool ClipSegment(QPointF& a, QPointF& e) const
    {
        const double x0 = -64, y0 = -64, x1 = m_cx + 64.0, y1 = m_cy + 64.0;
        double t0 = 0, t1 = 1;
        const double dx = e.x() - a.x(), dy = e.y() - a.y();
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {a.x() - x0, x1 - a.x(), a.y() - y0, y1 - a.y()};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0.0) {
                if (q[i] < 0)
                    return false;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1)
                return false;
        }
        const QPointF a0 = a;
        a = QPointF(a0.x() + t0 * dx, a0.y() + t0 * dy);
        e = QPointF(a0.x() + t1 * dx, a0.y() + t1 * dy);
        return std::isfinite(a.x()) && std::isfinite(a.y()) && std::isfinite(e.x()) && std::isfinite(e.y());
    }

    static bool Far(const QPointF& p)
    {
        return !(std::fabs(p.x()) < 1e5 && std::fabs(p.y()) < 1e5);
    }

    void AddChain(Batch& b, const QPointF* pts, int n)
    {
        if (n < 2)
            return;
        // Points far off the client area (unbounded lines, extreme zoom) are cut first, so that the
        // painter and the dashes see sane numbers; a cut chain loses its dash phase, which does not show.
        for (int i = 0; i < n; ++i)
            if (Far(pts[i])) {
                for (int k = 1; k < n; ++k) {
                    QPointF a = pts[k - 1], e = pts[k];
                    if (ClipSegment(a, e)) {
                        const QPointF seg[2] = {a, e};
                        AddChainNear(b, seg, 2);
                    }
                }
                return;
            }
        AddChainNear(b, pts, n);
    }

    void AddChainNear(Batch& b, const QPointF* pts, int n)
    {
        if (b.dashes.empty()) {
            for (int i = 1; i < n; ++i)
                b.lines.emplace_back(pts[i - 1], pts[i]);
            return;
        }
        // Dashes run on along the chain: the pattern does not restart at its corners. Stretches outside
        // the client area are passed over, keeping the pattern's phase.
        double total = 0.0;
        for (double d : b.dashes)
            total += d;
        size_t k = 0;
        double left = b.dashes[0];
        auto advance = [&](double dist) {
            dist = std::fmod(dist, total);
            while (dist > 0.0) {
                const double step = std::min(left, dist);
                dist -= step;
                left -= step;
                if (left <= 1e-9) {
                    k = (k + 1) % b.dashes.size();
                    left = b.dashes[k];
                }
            }
        };
        for (int i = 1; i < n; ++i) {
            const QPointF a = pts[i - 1], e = pts[i];
            const double len = std::hypot(e.x() - a.x(), e.y() - a.y());
            if (!(len > 0.0))
                continue;
            double t = 0.0, end = len;
            QPointF ca = a, ce = e;
            if (!ClipSegment(ca, ce)) {
                advance(len);
                continue;
            }
            t = std::hypot(ca.x() - a.x(), ca.y() - a.y());
            end = std::hypot(ce.x() - a.x(), ce.y() - a.y());
            advance(t);
            while (t < end) {
                const double step = std::min(left, end - t);
                if ((k & 1) == 0) {
                    const double t0 = t / len, t1 = (t + step) / len;
                    b.lines.emplace_back(a + (e - a) * t0, a + (e - a) * t1);
                }
                t += step;
                left -= step;
                if (left <= 1e-9) {
                    k = (k + 1) % b.dashes.size();
                    left = b.dashes[k];
                }
            }
            advance(len - end);
        }
    }

    QPainterPath ChainsPath(const std::vector<KcArrayOfGePnt2d>& chains)
    {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const KcArrayOfGePnt2d& c : chains) {
            QPolygonF poly;
            for (INT_PTR i = 0; i < c.GetSize(); ++i)
                poly.push_back(m_cur.Map(c.GetData()[i]));
            if (poly.size() >= 3)
                path.addPolygon(poly), path.closeSubpath();
        }
        return path;
    }

    QRgb ColorOf(short no, QRgb fallback) const
    {
        if (m_bBlack)
            return qRgb(0, 0, 0);
        if (no > 0 && m_pColors != nullptr)
            return ToRgb(m_pColors->GetColorRef(no));
        return fallback;
    }

    // A marker of its size in paper millimetres (at least three pixels) about its point, by its type: a
    // cross, a diagonal cross, a circle, a square, a cross in a circle, a triangle, a diamond, a cross in a
    // square, a dot (a filled square of the whole size) or a star; turned by its angle, with a dot at the point.
    void DrawMarker(const PointMarker2dFeature& m, Batch& batch)
    {
        const QPointF c = m_cur.Map(m.GetPoint());
        batch.dots.push_back(c);
        const double size = m.GetMarkerSize();
        const double h = std::max(1.5, (std::isfinite(size) && size > 0.0 ? size : 0.0) * m_dViewScale / 2);
        if (h > 1000.0)
            return;
        const double a = (std::isfinite(m.GetRotateAngle()) ? m.GetRotateAngle() : 0.0) * M_PI / 180.0;
        auto at = [&](double x, double y) {
            return QPointF(c.x() + x * std::cos(a) + y * std::sin(a), c.y() - x * std::sin(a) + y * std::cos(a));
        };
        auto cross = [&](double d) {
            for (double k : {0.0, M_PI / 2}) {
                const QPointF pts[2] = {at(h * std::cos(d + k), h * std::sin(d + k)), at(-h * std::cos(d + k), -h * std::sin(d + k))};
                AddChain(batch, pts, 2);
            }
        };
        // A closed outline through n corners on the circle of radius r, the first at angle `first`.
        auto ring = [&](int n, double r, double first) {
            m_chain.clear();
            for (int i = 0; i <= n; ++i)
                m_chain.push_back(at(r * std::cos(first + i * 2 * M_PI / n), r * std::sin(first + i * 2 * M_PI / n)));
            AddChain(batch, m_chain.data(), (int)m_chain.size());
        };
        const QPointF square[5] = {at(-h, -h), at(h, -h), at(h, h), at(-h, h), at(-h, -h)};
        switch (std::abs(m.GetMarkerType()) % 10) {
        case 0: cross(0.0); break;
        case 1: cross(M_PI / 4); break;
        case 2: ring(24, h, 0.0); break;
        case 3: AddChain(batch, square, 5); break;
        case 4: ring(24, h, 0.0); cross(0.0); break;
        case 5: ring(3, h, -M_PI / 2); break;  // device y runs down: the apex up
        case 6: ring(4, h, 0.0); break;
        case 7: AddChain(batch, square, 5); cross(0.0); break;
        case 8: {
            QPainterPath dot;
            dot.addPolygon(QPolygonF(QList<QPointF>(square, square + 5)));
            m_p.fillPath(dot, QColor::fromRgb(batch.key.rgb));
            break;
        }
        default: {
            m_chain.clear();
            for (int i = 0; i <= 10; ++i) {
                const double r = i % 2 == 0 ? h : h * 0.4, t = -M_PI / 2 + i * M_PI / 5;
                m_chain.push_back(at(r * std::cos(t), r * std::sin(t)));
            }
            AddChain(batch, m_chain.data(), (int)m_chain.size());
            break;
        }
        }
    }

    // A line of text standing on the point (left of it for arrangement 0, centred for 1), drawn at the flush.
    void AddTextAt(const CString& str, const RuVaPnt2d& at, double h, int nArrange, const Batch& batch)
    {
        if (str.IsEmpty() || !(h > 0.0) || h * m_dLenScale < m_nGreek ||
            qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            return;
        auto text = std::make_unique<Text2dFeature>(str, at);
        if (!text->SetHeight(h) || !text->SetHorizonArrange(nArrange) || !text->SetVerticalArrange(2))
            return;
        m_texts.push_back({text.get(), m_cur, batch.key.rgb});
        m_keep.push_back(std::move(text));
    }

    // An open arrow head at the tip, pointing away from the point behind it, its length the size given
    // (at least four pixels).
    void AddArrowHead(const RuVaPnt2d& tip, const RuVaPnt2d& from, double dSize, Batch& batch)
    {
        const QPointF t = m_cur.Map(tip), b = m_cur.Map(from);
        const double dx = b.x() - t.x(), dy = b.y() - t.y(), len = std::hypot(dx, dy);
        if (!(len > 0.0))
            return;
        const double size = std::clamp((std::isfinite(dSize) && dSize > 0.0 ? dSize : 0.0) * m_dLenScale, 4.0, 512.0);
        const double ux = dx / len, uy = dy / len, c = std::cos(M_PI / 12), s = std::sin(M_PI / 12);
        const QPointF left(t.x() + size * (ux * c - uy * s), t.y() + size * (ux * s + uy * c));
        const QPointF right(t.x() + size * (ux * c + uy * s), t.y() + size * (-ux * s + uy * c));
        const QPointF head[3] = {left, t, right};
        AddChain(batch, head, 3);
    }

    // Fills are drawn at once, under the lines gathered for the flush.
    void DrawHatch(const Hatch2dFeature& h, Batch& batch)
    {
        m_chains.clear();
        const double tol = 0.25 / std::max(m_dLenScale, 1e-300);
        FeatureFlattener::Flatten(&h.GetOuterRegion(), m_chains, tol);
        std::vector<KcArrayOfGePnt2d> outline;
        if (!m_chains.empty()) {
            KcArrayOfGePnt2d joined;
            for (const auto& c : m_chains)
                joined.Append(c);
            outline.push_back(joined);
        }
        for (int i = 0; i < h.GetInnerRegionCount(); ++i) {
            m_chains.clear();
            FeatureFlattener::Flatten(&h.GetInnerRegion(i), m_chains, tol);
            KcArrayOfGePnt2d joined;
            for (const auto& c : m_chains)
                joined.Append(c);
            if (joined.GetSize() > 0)
                outline.push_back(joined);
        }
        const QPainterPath path = ChainsPath(outline);
        if (path.isEmpty())
            return;
        const HatchSetting& st = h.GetHatchSetting();
        const float transparency = std::clamp(st.GetTransparency(), 0.0f, 1.0f);
        const int alpha = std::isfinite(transparency) ? (int)std::lround((1.0f - transparency) * 255) : 255;
        m_p.save();
        m_p.setPen(Qt::NoPen);
        if (h.GetHatchType() == Hatch2dFeature::Solid) {
            QColor c = QColor::fromRgb(ColorOf(st.GetSolidColorNo(), batch.key.rgb));
            c.setAlpha(alpha);
            m_p.fillPath(path, c);
        } else if (h.GetHatchType() == Hatch2dFeature::BuiltInPattern) {
            // The pattern's own 8 x 8 picture in the pattern colour over the fill colour, as the style
            // page's pictures show it, laid on device pixels.
            const QRgb back = ColorOf(st.GetSolidColorNo(), batch.key.rgb);
            const QRgb fore = ColorOf(st.GetPatternColorNo(), batch.key.rgb);
            const BYTE a = static_cast<BYTE>(alpha);
            const Gdiplus::HatchBrush brush(GraphicManager::ConvertToGdiPlusHatchStyle(h.GetPatternNo()),
                                            Gdiplus::Color(a, qRed(fore), qGreen(fore), qBlue(fore)),
                                            Gdiplus::Color(a, qRed(back), qGreen(back), qBlue(back)));
            m_p.fillPath(path, brush.ToQBrush(m_p.worldTransform()));
        } else {
            DrawLinePattern(h, path, batch, alpha);
        }
        m_p.restore();
        if (st.GetRegionDisplayMode() != 0)
            for (const KcArrayOfGePnt2d& c : outline) {
                m_chain.clear();
                for (INT_PTR i = 0; i < c.GetSize(); ++i)
                    m_chain.push_back(m_cur.Map(c.GetData()[i]));
                if (!m_chain.empty())
                    m_chain.push_back(m_chain.front());
                AddChain(batch, m_chain.data(), (int)m_chain.size());
            }
    }

    // A pattern of the document's table (or any pattern), clipped to the hatch.
    void DrawLinePattern(const Hatch2dFeature& h, const QPainterPath& path, const Batch& batch, int alpha)
    {
        const HatchPatternTable* table = m_doc.GetHatchPatternTable();
        const UserDefinedHatchFormat& fmt = h.GetUserDefinedHatchFormat();
        const HatchPatternBase* pattern = table != nullptr ? table->GetHatchPattern(fmt.GetPatternID()) : nullptr;
        QColor base = QColor::fromRgb(batch.key.rgb);
        base.setAlpha(alpha);
        if (pattern == nullptr) {
            m_p.fillPath(path, QBrush(base, Qt::Dense6Pattern));
            return;
        }
        const double scale = fmt.GetPatternScale() > 0.0 && std::isfinite(fmt.GetPatternScale()) ? fmt.GetPatternScale() : 1.0;
        const double turn = std::isfinite(fmt.GetPatternAngle()) ? fmt.GetPatternAngle() : 0.0;
        m_p.setClipPath(path, Qt::IntersectClip);
        DrawPattern(*pattern, h.GetPoint(), scale, turn, h.GetBndBox(), batch.key.rgb, alpha, path);
    }

public:
    // The pattern laid from the origin over the box (local coordinates), with its colours (0: the colour
    // given). Dense patterns are shaded instead; the painter's clip does the rest.
    void DrawPattern(const HatchPatternBase& pattern, const RuVaPnt2d& origin, double scale, double turn,
                     const RuVaBndBox2d& box, QRgb rgb, int alpha, const QPainterPath& shade)
    {
        if (box.IsVoid())
            return;
        QColor base = QColor::fromRgb(rgb);
        base.setAlpha(alpha);
        const RuVaPnt2d centre = box.Center();
        const double reach = std::hypot(box.Width(), box.Height()) / 2 + 1e-9;
        if (const auto* lines = dynamic_cast<const LineHatchPattern*>(&pattern)) {
            std::vector<QLineF> out;
            for (int i = 0; i < lines->GetLineItemCount(); ++i) {
                const LineHatchPatternLineItem& item = lines->GetLineItem(i);
                const double a = (item.GetAngle() + turn) * M_PI / 180.0;
                const double dx = std::cos(a), dy = std::sin(a), nx = -dy, ny = dx;
                const double ca = std::cos(turn * M_PI / 180.0), sa = std::sin(turn * M_PI / 180.0);
                const double px = item.GetPoint().X() * scale, py = item.GetPoint().Y() * scale;
                const RuVaPnt2d p0(origin.X() + px * ca - py * sa, origin.Y() + px * sa + py * ca);
                const double space = item.GetSpace() * scale;
                const double c0 = (centre.X() - p0.X()) * nx + (centre.Y() - p0.Y()) * ny;
                long k0 = 0, k1 = 0;
                if (space > 0.0) {
                    if (space * m_dLenScale < 1.5) {
                        if (!shade.isEmpty())
                            m_p.fillPath(shade, QBrush(base, Qt::Dense4Pattern));
                        continue;
                    }
                    k0 = (long)std::floor((c0 - reach) / space);
                    k1 = (long)std::ceil((c0 + reach) / space);
                    if (k1 - k0 > 100000)
                        continue;
                }
                const double along = (centre.X() - p0.X()) * dx + (centre.Y() - p0.Y()) * dy;
                for (long k = k0; k <= k1; ++k) {
                    const double ox = p0.X() + nx * k * space + dx * along, oy = p0.Y() + ny * k * space + dy * along;
                    out.emplace_back(m_cur.Map(ox - dx * reach, oy - dy * reach), m_cur.Map(ox + dx * reach, oy + dy * reach));
                }
                QColor c = QColor::fromRgb(ColorOf(item.GetColorNo(), rgb));
                c.setAlpha(alpha);
                m_p.setPen(QPen(c, 0));
                m_p.drawLines(out.data(), (int)out.size());
                out.clear();
            }
        } else if (const auto* shapes = dynamic_cast<const ShapeHatchPattern*>(&pattern)) {
            const double s1 = shapes->GetSpace1() * scale, s2 = shapes->GetSpace2() * scale;
            const double a1 = (shapes->GetAngle1() + turn) * M_PI / 180.0, a2 = (shapes->GetAngle2() + turn) * M_PI / 180.0;
            const double ux = std::cos(a1) * s1, uy = std::sin(a1) * s1, vx = std::cos(a2) * s2, vy = std::sin(a2) * s2;
            const double det = ux * vy - uy * vx;
            if (!(std::fabs(det) > 0.0) || std::min(s1, s2) * m_dLenScale < 2.0) {
                if (!shade.isEmpty())
                    m_p.fillPath(shade, QBrush(base, Qt::Dense5Pattern));
                return;
            }
            // Lattice cells that cover the box.
            const double cx = centre.X() - origin.X(), cy = centre.Y() - origin.Y();
            const double ci = (cx * vy - cy * vx) / det, cj = (ux * cy - uy * cx) / det;
            const double ri = reach * std::hypot(vx, vy) / std::fabs(det) + 1, rj = reach * std::hypot(ux, uy) / std::fabs(det) + 1;
            if (ri * rj > 20000)
                return;
            const double ca = std::cos(turn * M_PI / 180.0), sa = std::sin(turn * M_PI / 180.0);
            std::vector<KcArrayOfGePnt2d> motif;
            for (int k = 0; k < shapes->GetFeatureCount(); ++k)
                FeatureFlattener::Flatten(shapes->GetFeature(k), motif, 0.25 / std::max(m_dLenScale * scale, 1e-300));
            QPen pen(base, 0);
            m_p.setPen(pen);
            std::vector<QLineF> out;
            for (long i = (long)std::floor(ci - ri); i <= (long)std::ceil(ci + ri); ++i)
                for (long j = (long)std::floor(cj - rj); j <= (long)std::ceil(cj + rj); ++j) {
                    const double ox = origin.X() + i * ux + j * vx, oy = origin.Y() + i * uy + j * vy;
                    for (const KcArrayOfGePnt2d& c : motif)
                        for (INT_PTR m = 1; m < c.GetSize(); ++m) {
                            auto place = [&](const RuVaPnt2d& q) {
                                const double x = q.X() * scale, y = q.Y() * scale;
                                return m_cur.Map(ox + x * ca - y * sa, oy + x * sa + y * ca);
                            };
                            out.emplace_back(place(c[m - 1]), place(c[m]));
                        }
                }
            m_p.drawLines(out.data(), (int)out.size());
        }
    }

private:
    // Pictures decoded once and kept while their data stays the same.
    bool DrawImage(const Image2dFeature& im)
    {
        if (!im.HasImage())
            return false;
        const std::vector<BYTE>& data = im.GetImageData();
        if (data.size() > (size_t)512 * 1024 * 1024)
            return false;
        uint64_t hash = 1469598103934665603ull;
        for (BYTE b : data)
            hash = (hash ^ b) * 1099511628211ull;
        static std::unordered_map<uint64_t, QImage> cache;
        auto it = cache.find(hash);
        if (it == cache.end()) {
            QImage decoded;
            decoded.loadFromData(data.data(), (int)std::min<size_t>(data.size(), INT32_MAX));
            if (cache.size() > 64)
                cache.clear();
            it = cache.emplace(hash, decoded).first;
        }
        if (it->second.isNull())
            return false;
        KcArrayOfGePnt2d outline;
        if (!im.GetOutlinePoints(outline) || outline.GetSize() < 4)
            return false;
        const QPointF ll = m_cur.Map(outline[0]), lr = m_cur.Map(outline[1]), ul = m_cur.Map(outline[3]);
        const QImage& pic = m_bBlack ? Grey(it->second) : it->second;
        // Picture pixels to device: its top left corner at the outline's upper left.
        const QPointF ex = (lr - ll) / pic.width(), ey = (ll - ul) / pic.height();
        m_p.save();
        m_p.setTransform(QTransform(ex.x(), ex.y(), ey.x(), ey.y(), ul.x(), ul.y()), false);
        m_p.drawImage(QPointF(0, 0), pic);
        m_p.restore();
        return true;
    }

    // A linked picture as the file is now (read again when it changed), so the drawing follows the file;
    // the stored preview for other files and for what cannot be read.
    static const QImage& LinkedPicture(const CString& strPath, const QImage& stored)
    {
        struct Seen {
            QDateTime modified;
            qint64 size = -1;
            QImage picture;
        };
        static std::unordered_map<std::u16string, Seen> cache;
        const QFileInfo info(strPath.ToQString());
        Seen& seen = cache[strPath.ToQString().toStdU16String()];
        if (seen.modified != info.lastModified() || seen.size != info.size()) {
            seen.modified = info.lastModified();
            seen.size = info.size();
            seen.picture = QImage();
            QImageReader reader(info.absoluteFilePath());
            const QSize size = reader.size();
            // Only raster pictures of a sane size are read here; the stored preview serves the rest.
            if (reader.format() != "svg" && size.isValid() && !size.isEmpty() && double(size.width()) * size.height() <= 100.0e6) {
                if (size.width() > 1024 || size.height() > 1024)
                    reader.setScaledSize(size.scaled(1024, 1024, Qt::KeepAspectRatio));
                reader.read(&seen.picture);
            }
        }
        return seen.picture.isNull() ? stored : seen.picture;
    }

    // An embedded or linked file: its preview filling the shape; a linked file that is gone shows its frame
    // and name, a damaged record its frame crossed out.
    bool DrawOleObject(const OleObject2dFeature& ole, Batch& batch)
    {
        const std::vector<BYTE>& data = ole.GetItemData();
        uint64_t hash = 1469598103934665603ull;
        for (BYTE b : data)
            hash = (hash ^ b) * 1099511628211ull;
        struct Seen {
            bool sound = false;
            bool link = false;
            CString name, linkPath;
            QImage preview;
        };
        static std::unordered_map<uint64_t, Seen> cache;
        auto it = cache.find(hash);
        if (it == cache.end()) {
            Seen seen;
            EmbeddedFileRecord record;
            if (record.Read(data)) {
                seen.sound = true;
                seen.link = record.m_bLink != FALSE;
                seen.name = record.GetSafeFileName();
                seen.linkPath = record.m_strLinkPath;
                if (!record.m_preview.empty())
                    seen.preview.loadFromData(record.m_preview.data(), (int)record.m_preview.size(), "PNG");
            }
            if (cache.size() > 64)
                cache.clear();
            it = cache.emplace(hash, std::move(seen)).first;
        }
        const Seen& seen = it->second;
        KcArrayOfGePnt2d outline;
        if (!ole.GetOutlinePoints(outline) || outline.GetSize() < 4)
            return false;
        const bool gone = seen.link && !QFileInfo::exists(seen.linkPath.ToQString());
        const QImage& shown = seen.link && !gone ? LinkedPicture(seen.linkPath, seen.preview) : seen.preview;
        if (seen.sound && !gone && !shown.isNull()) {
            const QPointF ll = m_cur.Map(outline[0]), lr = m_cur.Map(outline[1]), ul = m_cur.Map(outline[3]);
            const QImage& pic = m_bBlack ? Grey(shown) : shown;
            const QPointF ex = (lr - ll) / pic.width(), ey = (ll - ul) / pic.height();
            m_p.save();
            m_p.setTransform(QTransform(ex.x(), ex.y(), ey.x(), ey.y(), ul.x(), ul.y()), false);
            m_p.drawImage(QPointF(0, 0), pic);
            m_p.restore();
            return true;
        }
        QPointF frame[5];
        for (int i = 0; i < 5; ++i)
            frame[i] = m_cur.Map(outline[i < 4 ? i : 0]);
        AddChain(batch, frame, 5);
        if (!seen.sound) {
            const QPointF d1[2] = {frame[0], frame[2]}, d2[2] = {frame[1], frame[3]};
            AddChain(batch, d1, 2);
            AddChain(batch, d2, 2);
        } else {
            const double h = std::min(ole.GetHeight() / 6.0, ole.GetWidth() / 8.0);
            AddTextAt(seen.name, RuVaPnt2d(ole.GetPoint().X() + ole.GetWidth() / 2, ole.GetPoint().Y() + ole.GetHeight() / 2),
                      h, 1, batch);
        }
        return true;
    }

    const QImage& Grey(const QImage& src)
    {
        m_grey = src.convertToFormat(QImage::Format_Grayscale8);
        return m_grey;
    }

    void DrawText(const TextDraw& t)
    {
        KcArrayOfGePnt2d outline;
        if (!t.text->GetOutlinePoints(outline) || outline.GetSize() < 4)
            return;
        const QPointF ll = t.toDevice.Map(outline[0]), lr = t.toDevice.Map(outline[1]), ul = t.toDevice.Map(outline[3]);
        const double h = t.text->GetHeight();
        const double blockW = outline[0].Distance(outline[1]), blockH = outline[0].Distance(outline[3]);
        const double w = blockW;
        if (!(h > 0.0) || !(blockH > 0.0) || !(blockW > 0.0))
            return;
        // Text space: world units from the block's upper left corner, y down.
        const QPointF ex = (lr - ll) / blockW, ey = (ll - ul) / blockH;
        const QTransform tr(ex.x(), ex.y(), ey.x(), ey.y(), ul.x(), ul.y());
        QFont font(t.text->GetFontName().ToQString());
        constexpr int kPixel = 100;
        font.setPixelSize(kPixel);
        m_p.save();
        m_p.setTransform(tr, false);
        m_p.setPen(QColor::fromRgb(t.rgb));
        m_p.setFont(font);
        // Pasted and made texts may break lines with CR LF; the CR is no character to draw.
        const QStringList lines = t.text->GetText().ToQString().remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
        const double pitch = h + t.text->GetLineSpacing();
        const double sx = h / kPixel * t.text->GetWidthRatio(), sy = h / kPixel;
        const int align = t.text->GetHorizonArrange();
        for (int i = 0; i < lines.size(); ++i) {
            const double baseline = i * pitch + h;
            const double lineW = w * 1.0;
            double x = 0.0;
            QFontMetricsF fm(font);
            const double adv = fm.horizontalAdvance(lines[i]) * sx;
            if (align == 1)
                x = (lineW - adv) / 2;
            else if (align == 2)
                x = lineW - adv;
            m_p.save();
            m_p.translate(x, baseline);
            m_p.scale(sx, sy);
            m_p.drawText(QPointF(0, 0), lines[i]);
            m_p.restore();
        }
        m_p.restore();
    }

    const Draw2dView* m_pView;
    const Draw2dDocument& m_doc;
    QPainter& m_p;
    Affine m_world, m_cur;
    double m_dViewScale;
    double m_dLenScale = 1.0;
    int m_cx, m_cy;
    long m_nLayoutID = -1;
    bool m_bBroken = false;
    bool m_bGrey = false;
public:
    bool m_bPrintableOnly = false;
private:
    const LayerFeatureTable* m_pLayers = nullptr;
    const ColorFeatureTable* m_pColors = nullptr;
    const LineTypeFeatureTable* m_pTypes = nullptr;
    const LineWidthFeatureTable* m_pWidths = nullptr;
    const SelectionManager* m_pSelection = nullptr;
    std::unordered_map<long, LayerLook> m_layerCache;
    std::vector<Batch> m_batches;
    Batch* m_pLast = nullptr;
    std::vector<QPointF> m_chain;
    std::vector<KcArrayOfGePnt2d> m_chains;
    std::vector<TextDraw> m_texts;
    std::vector<std::unique_ptr<Feature2dBase>> m_keep;
    std::vector<std::shared_ptr<const DimensionLayout>> m_keepLayouts;
    QImage m_grey;
};

Affine ViewAffine(const Draw2dView& view)
{
    Affine m;
    const double s = view.GetScale();
    const RuVaPnt2d& c = view.GetCenterPoint();
    m.a = s, m.b = 0, m.c = view.GetClientWidth() * 0.5 - c.X() * s;
    m.d = 0, m.e = -s, m.f = view.GetClientHeight() * 0.5 + c.Y() * s;
    return m;
}

// The grid: points origin + i u + j v, u along the first angle by the X step, v across the second by the
// Y step; every n-th point major. Dots, lines or small crosses by its draw type, over the whole window
// or its range.
void DrawGrid(QPainter& p, const Draw2dView& view, const DrawingFeatureBase& drawing, const Affine& world)
{
    const GridSetting* g = drawing.GetGridSetting();
    if (g == nullptr || !g->IsShowGrid() || !view.GetGridVisible())
        return;
    double sx = 0, sy = 0, a1 = 0, a2 = 0;
    g->GetStep(sx, sy);
    g->GetAngle(a1, a2);
    const double s = view.GetScale();
    if (!(sx * s >= 4.0) || !(sy * s >= 4.0))
        return;  // too dense to be of use
    const double ux = sx * std::cos(a1 * M_PI / 180), uy = sx * std::sin(a1 * M_PI / 180);
    const double vx = -sy * std::sin(a2 * M_PI / 180), vy = sy * std::cos(a2 * M_PI / 180);
    const double det = ux * vy - uy * vx;
    if (!(std::fabs(det) > 1e-12 * sx * sy))
        return;
    RuVaPnt2d c1, c2;
    view.GetWorldSpace(c1, c2);
    RuVaBndBox2d area(c1, c2);
    if (!g->GetGridAllWindow()) {
        const RuVaBndBox2d range(g->GetMinGridPnt(), g->GetMaxGridPnt());
        if (range.IsOut(area))
            return;
        area = RuVaBndBox2d(RuVaPnt2d(std::max(area.XMin(), range.XMin()), std::max(area.YMin(), range.YMin())),
                            RuVaPnt2d(std::min(area.XMax(), range.XMax()), std::min(area.YMax(), range.YMax())));
    }
    const RuVaPnt2d& o = g->GetOrigin();
    // Lattice indexes of the corners give the ranges to walk.
    double i0 = 1e300, i1 = -1e300, j0 = 1e300, j1 = -1e300;
    for (const RuVaPnt2d& c : {area.MinPoint(), area.MaxPoint(), RuVaPnt2d(area.XMin(), area.YMax()), RuVaPnt2d(area.XMax(), area.YMin())}) {
        const double dx = c.X() - o.X(), dy = c.Y() - o.Y();
        const double i = (dx * vy - dy * vx) / det, j = (ux * dy - uy * dx) / det;
        i0 = std::min(i0, i), i1 = std::max(i1, i), j0 = std::min(j0, j), j1 = std::max(j1, j);
    }
    i0 = std::floor(i0), i1 = std::ceil(i1), j0 = std::floor(j0), j1 = std::ceil(j1);
    if (!((i1 - i0 + 1) * (j1 - j0 + 1) <= 4e6))
        return;
    const int every = std::max<int>(1, g->GetNGridCount());
    const QPen minorPen(QColor::fromRgb(ToRgb(g->GetColorRef1())), 0), majorPen(QColor::fromRgb(ToRgb(g->GetColorRef2())), 0);
    auto isMajor = [every](double k) { return std::fmod(std::fabs(k), every) == 0; };
    if (g->GetType() == GridDrawLines) {
        std::vector<QLineF> minor, major;
        for (double i = i0; i <= i1; ++i)
            (isMajor(i) ? major : minor)
                .emplace_back(world.Map(o.X() + i * ux + j0 * vx, o.Y() + i * uy + j0 * vy),
                              world.Map(o.X() + i * ux + j1 * vx, o.Y() + i * uy + j1 * vy));
        for (double j = j0; j <= j1; ++j)
            (isMajor(j) ? major : minor)
                .emplace_back(world.Map(o.X() + i0 * ux + j * vx, o.Y() + i0 * uy + j * vy),
                              world.Map(o.X() + i1 * ux + j * vx, o.Y() + i1 * uy + j * vy));
        p.setPen(minorPen);
        p.drawLines(minor.data(), (int)minor.size());
        p.setPen(majorPen);
        p.drawLines(major.data(), (int)major.size());
        return;
    }
    std::vector<QPointF> dots, major;
    for (double i = i0; i <= i1; ++i)
        for (double j = j0; j <= j1; ++j) {
            const double x = o.X() + i * ux + j * vx, y = o.Y() + i * uy + j * vy;
            if (area.IsOut(RuVaPnt2d(x, y)))
                continue;
            (isMajor(i) && isMajor(j) ? major : dots).push_back(world.Map(x, y));
        }
    if (g->GetType() == GridDrawCrosses) {
        auto crosses = [](const std::vector<QPointF>& at) {
            std::vector<QLineF> lines;
            for (const QPointF& q : at) {
                lines.emplace_back(q.x() - 2, q.y(), q.x() + 3, q.y());
                lines.emplace_back(q.x(), q.y() - 2, q.x(), q.y() + 3);
            }
            return lines;
        };
        const std::vector<QLineF> a = crosses(dots), b = crosses(major);
        p.setPen(minorPen);
        p.drawLines(a.data(), (int)a.size());
        p.setPen(majorPen);
        p.drawLines(b.data(), (int)b.size());
        return;
    }
    p.setPen(minorPen);
    p.drawPoints(dots.data(), (int)dots.size());
    p.setPen(majorPen);
    p.drawPoints(major.data(), (int)major.size());
}

QPainterPath RegionPath(const PartDrawingLayout& layout, const Affine& toDevice)
{
    QPainterPath path;
    const Region2dFeature* region = layout.GetRegion();
    if (region == nullptr)
        return path;
    std::vector<KcArrayOfGePnt2d> chains;
    FeatureFlattener::Flatten(region, chains, 0.01);
    QPolygonF poly;
    for (const KcArrayOfGePnt2d& c : chains)
        for (INT_PTR i = 0; i < c.GetSize(); ++i) {
            const QPointF q = toDevice.Map(c.GetData()[i]);
            if (poly.isEmpty() || poly.back() != q)
                poly.push_back(q);
        }
    if (poly.size() >= 3)
        path.addPolygon(poly), path.closeSubpath();
    return path;
}

bool IsDrawingShown(const Draw2dDocument& doc, const DrawingFeatureBase* d)
{
    return d != nullptr && doc.IsDisplayDrawingFeature(d);
}

// The view's settings the renderer draws with; display modes -1 take the document's for the kind of drawing.
void ConfigureRenderer(Renderer& r, const Draw2dView& view, const Draw2dDocument& doc, const DrawingFeatureBase& shown,
                       int nLineWidthMode, int nLinePitchMode)
{
    r.m_selectedColor = view.GetSelectedFeatureColor();
    r.m_nGreek = view.GetGreekTextSize();
    if (nLineWidthMode < 0)
        nLineWidthMode = shown.IsPaperFeature() ? doc.GetPaperLineWidthDisplayMode() : doc.GetPartLineWidthDisplayMode();
    if (nLinePitchMode < 0)
        nLinePitchMode = shown.IsPaperFeature() ? doc.GetPaperLinePitchDisplayMode() : doc.GetPartLinePitchDisplayMode();
    r.m_bThinLines = nLineWidthMode == LineWidthThin;
    r.m_bScreenPitch = nLinePitchMode == LinePitchFixed;
    r.m_cap = doc.GetLineCapMode();
    r.m_join = doc.GetLineJoinMode();
}

}  // namespace

BOOL DrawingManager::RenderView(const Draw2dView& view, QImage& image, RenderStats* pStats)
{
    if (image.isNull())
        return FALSE;
    QPainter p(&image);
    return RenderViewTo(view, p, image.width(), image.height(), -1, -1, pStats);
}

BOOL DrawingManager::RenderViewTo(const Draw2dView& view, QPainter& p, int cx, int cy, int nLineWidthMode,
                                  int nLinePitchMode, RenderStats* pStats, BOOL bPrintableOnly)
{
    const Draw2dDocument* doc = view.GetDocument();
    const DrawingFeatureBase* shown = view.GetDrawingFeature();
    const Affine world = ViewAffine(view);
    if (doc == nullptr || shown == nullptr) {
        p.fillRect(0, 0, cx, cy, QColor::fromRgb(ToRgb(view.GetPartBackColor())));
        return FALSE;
    }
    p.setRenderHint(QPainter::Antialiasing, view.GetLineSmoothMode() != 0);
    // Background: the paper on its desk (shaded from the first desk colour at the top to the second at the
    // bottom), or the part drawing's back colour.
    if (bPrintableOnly) {
        p.fillRect(0, 0, cx, cy, QColor::fromRgb(ToRgb(shown->IsPaperFeature() ? view.GetPaperColor() : view.GetPartBackColor())));
    } else if (shown->IsPaperFeature()) {
        QLinearGradient desk(0, 0, 0, cy);
        desk.setColorAt(0, QColor::fromRgb(ToRgb(view.GetPaperBackColor1())));
        desk.setColorAt(1, QColor::fromRgb(ToRgb(view.GetPaperBackColor2())));
        p.fillRect(0, 0, cx, cy, view.GetPaperBackColor1() == view.GetPaperBackColor2()
                                     ? QBrush(QColor::fromRgb(ToRgb(view.GetPaperBackColor1())))
                                     : QBrush(desk));
        double w = 0, h = 0;
        static_cast<const Paper2dFeature*>(shown)->GetPaperSize(w, h);
        const QPointF a = world.Map(0, 0), b = world.Map(w, h);
        p.fillRect(QRectF(a, b).normalized(), QColor::fromRgb(ToRgb(view.GetPaperColor())));
    } else {
        const COLORREF back = shown->IsDrawComponentDefine() ? view.GetComponentEditerBackColor() : view.GetPartBackColor();
        p.fillRect(0, 0, cx, cy, QColor::fromRgb(ToRgb(back)));
    }
    if (!bPrintableOnly)
        DrawGrid(p, view, *shown, world);

    Renderer r(&view, *doc, p, world, view.GetScale(), cx, cy);
    r.m_bPrintableOnly = bPrintableOnly;
    ConfigureRenderer(r, view, *doc, *shown, nLineWidthMode, nLinePitchMode);
    auto shownHere = [&](const DrawingFeatureBase* d) {
        return IsDrawingShown(*doc, d) && (!bPrintableOnly || d->IsPrintable());
    };
    if (shownHere(shown)) {
        r.DrawDrawing(*shown, nullptr, -1);
        r.Flush();
    }
    for (int i = 0; i < shown->GetPartLayoutCount() && !r.Broken(); ++i) {
        const PartDrawingLayout* layout = shown->GetPartLayout(i);
        const DrawingFeatureBase* part = doc->GetDrawingFeatureByID(layout->GetDrawingID());
        if (!shownHere(part))
            continue;
        const Affine toDevice = world.After(Affine::From(layout->GetLocalToWorld()));
        const QPainterPath clip = RegionPath(*layout, toDevice);
        p.save();
        if (!clip.isEmpty())
            p.setClipPath(clip, Qt::IntersectClip);
        r.DrawDrawing(*part, layout, layout->GetLayoutID());
        r.Flush();
        p.restore();
        if (!clip.isEmpty() && view.GetLayoutRegionVisible() && !bPrintableOnly) {
            QPen pen(QColor(128, 128, 128));
            pen.setStyle(Qt::DashLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPath(clip);
        }
    }
    RuVaBndBox2d range;
    if (view.GetPrintRangeVisible() && !bPrintableOnly && doc->GetPlotSetting().GetPlotRange(*doc, *shown, range)) {
        // What will print: the range the document's plot setting chooses.
        QPen pen(QColor(0, 0, 255));
        pen.setStyle(Qt::DashDotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(world.Map(range.MinPoint()), world.Map(range.MaxPoint())).normalized());
    }
    if (pStats != nullptr)
        *pStats = r.m_stats;
    return r.Broken() ? FALSE : TRUE;
}

BOOL DrawingManager::DrawLooseFeature(const Draw2dView& view, QPainter& p, const PartDrawingLayout* pLayout,
                                      const Feature2dBase& feature, QRectF& drawn)
{
    drawn = QRectF();
    const Draw2dDocument* doc = view.GetDocument();
    const DrawingFeatureBase* shown = view.GetDrawingFeature();
    if (doc == nullptr || shown == nullptr)
        return FALSE;
    const Affine world = ViewAffine(view);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, view.GetLineSmoothMode() != 0);
    if (pLayout != nullptr) {
        // Clipped as the layout's own shapes are.
        const QPainterPath clip = RegionPath(*pLayout, world.After(Affine::From(pLayout->GetLocalToWorld())));
        if (!clip.isEmpty())
            p.setClipPath(clip, Qt::IntersectClip);
    }
    Renderer r(&view, *doc, p, world, view.GetScale(), view.GetClientWidth(), view.GetClientHeight());
    ConfigureRenderer(r, view, *doc, *shown, -1, -1);
    drawn = r.DrawLoose(feature, pLayout);
    p.restore();
    return TRUE;
}

BOOL DrawingManager::PlotDrawing(const Draw2dDocument& doc, const DrawingFeatureBase& drawing, QPainter& p,
                                 const QTransform& toDevice, double dPixelsPerMM, int cx, int cy, const PlotStyle& style,
                                 RenderStats* pStats)
{
    if (!toDevice.isInvertible() || !std::isfinite(dPixelsPerMM) || dPixelsPerMM <= 0.0 || cx <= 0 || cy <= 0)
        return FALSE;
    Affine world;
    world.a = toDevice.m11(), world.b = toDevice.m21(), world.c = toDevice.dx();
    world.d = toDevice.m12(), world.e = toDevice.m22(), world.f = toDevice.dy();
    p.save();
    p.setWorldTransform(QTransform());
    p.setRenderHint(QPainter::Antialiasing, true);
    Renderer r(nullptr, doc, p, world, dPixelsPerMM, cx, cy);
    r.ForgetSelection();
    r.m_bPrintableOnly = true;
    r.m_nGreek = 0;
    r.m_bThinLines = style.bThinLines;
    r.m_bBlack = style.bBlack;
    r.m_bNoMarkers = !style.bPointMarkers;
    r.m_bCurves = style.bCurves;
    r.m_cap = doc.GetLineCapMode();
    r.m_join = doc.GetLineJoinMode();
    auto printable = [&](const DrawingFeatureBase* d) { return IsDrawingShown(doc, d) && d->IsPrintable(); };
    if (printable(&drawing)) {
        r.DrawDrawing(drawing, nullptr, -1);
        r.Flush();
    }
    for (int i = 0; i < drawing.GetPartLayoutCount(); ++i) {
        const PartDrawingLayout* layout = drawing.GetPartLayout(i);
        const DrawingFeatureBase* part = doc.GetDrawingFeatureByID(layout->GetDrawingID());
        if (!printable(part))
            continue;
        const QPainterPath clip = RegionPath(*layout, world.After(Affine::From(layout->GetLocalToWorld())));
        p.save();
        if (!clip.isEmpty())
            p.setClipPath(clip, Qt::IntersectClip);
        r.DrawDrawing(*part, layout, layout->GetLayoutID());
        r.Flush();
        p.restore();
    }
    p.restore();
    if (pStats != nullptr)
        *pStats = r.m_stats;
    return TRUE;
}

BOOL DrawingManager::DrawOleServerDocument(HDC hDC, Draw2dDocument* pDocument, long nDrawingID,
                                           const RuVaPnt2d& lowerLeft, const RuVaPnt2d& upperRight, int nWidth,
                                           int nHeight, int)
{
    CDC* dc = hDC != nullptr ? CDC::FromHandle(hDC) : nullptr;
    QPainter* p = dc != nullptr ? dc->GetQPainter() : nullptr;
    if (p == nullptr || pDocument == nullptr || nWidth <= 0 || nHeight <= 0 || nWidth > 65536 || nHeight > 65536)
        return FALSE;
    Draw2dView view(pDocument);
    if (!view.SetDrawingID(nDrawingID))
        return FALSE;
    view.SetGridVisible(FALSE);
    view.SetPaperBackColor(RGB(255, 255, 255), RGB(255, 255, 255));
    view.ResizeView(nWidth, nHeight);
    if (!view.FitBox(RuVaBndBox2d(lowerLeft, upperRight), 0.0))
        return FALSE;
    // Drawn straight through the device context's painter: vectors stay vectors on printers and files.
    p->save();
    p->setClipRect(0, 0, nWidth, nHeight, Qt::IntersectClip);
    const BOOL done = RenderViewTo(view, *p, nWidth, nHeight, -1, -1, nullptr);
    p->restore();
    return done;
}

BOOL DrawingManager::DrawDrawingFeature(HDC hDC, Draw2dDocument* pDocument, long nDrawingID, const RuVaPnt2d& lowerLeft,
                                        const RuVaPnt2d& upperRight, int nWidth, int nHeight, int nLineWidthMode,
                                        int nLinePitchMode, RuVaPnt2d* pFrame)
{
    if (pDocument == nullptr || nWidth <= 0 || nHeight <= 0 || nWidth > 16384 || nHeight > 16384)
        return FALSE;
    Draw2dView view(pDocument);
    if (!view.SetDrawingID(nDrawingID))
        return FALSE;
    view.SetGridVisible(FALSE);
    view.SetPaperBackColor(RGB(255, 255, 255), RGB(255, 255, 255));
    view.ResizeView(nWidth, nHeight);
    if (!view.FitBox(RuVaBndBox2d(lowerLeft, upperRight), 0.0))
        return FALSE;
    QImage image(nWidth, nHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        RenderViewTo(view, painter, nWidth, nHeight, nLineWidthMode, nLinePitchMode, nullptr);
    }
    if (pFrame != nullptr) {
        const RuVaPnt2d corners[5] = {lowerLeft, RuVaPnt2d(upperRight.X(), lowerLeft.Y()), upperRight,
                                      RuVaPnt2d(lowerLeft.X(), upperRight.Y()), lowerLeft};
        for (int i = 0; i < 5; ++i) {
            double x = 0, y = 0;
            view.ConvertPointWorldToClient(corners[i], x, y);
            pFrame[i].SetCoord(x, y);
        }
    }
    CDC* dc = hDC != nullptr ? CDC::FromHandle(hDC) : nullptr;
    QPainter* p = dc != nullptr ? dc->GetQPainter() : nullptr;
    if (p == nullptr)
        return FALSE;
    p->drawImage(0, 0, image);
    return TRUE;
}

QImage* DrawingManager::CreateFeatureListImage(const Draw2dDocument* pDocument, const Feature2dList* pList, int nWidth,
                                               int nHeight, COLORREF background, double dMargin)
{
    if (pDocument == nullptr || pList == nullptr || nWidth <= 0 || nHeight <= 0 || nWidth > 16384 || nHeight > 16384)
        return nullptr;
    RuVaBndBox2d box;
    for (int i = 0; i < pList->GetFeatureSize(); ++i)
        if (const Feature2dBase* f = pList->GetFeature(i))
            box.Add(f->GetBndBox());
    if (box.IsVoid())
        return nullptr;
    Draw2dView view(const_cast<Draw2dDocument*>(pDocument));
    view.ResizeView(nWidth, nHeight);
    if (!view.FitBox(box, std::clamp(dMargin, 0.0, 0.45)))
        return nullptr;
    auto image = std::make_unique<QImage>(nWidth, nHeight, QImage::Format_ARGB32_Premultiplied);
    image->fill(QColor::fromRgb(ToRgb(background)));
    QPainter p(image.get());
    Renderer r(nullptr, *pDocument, p, ViewAffine(view), view.GetScale(), nWidth, nHeight);
    LayerLook look;
    for (int i = 0; i < pList->GetFeatureSize(); ++i)
        if (const Feature2dBase* f = pList->GetFeature(i))
            r.DrawFeature(*f, -1, look, false);
    r.Flush();
    return image.release();
}

QImage* DrawingManager::CreateDrawingFeatureImage(Draw2dDocument* pDocument, long nDrawingID, int nWidth, int nHeight,
                                                  COLORREF background)
{
    if (pDocument == nullptr || nWidth <= 0 || nHeight <= 0 || nWidth > 16384 || nHeight > 16384)
        return nullptr;
    Draw2dView view(pDocument);
    if (!view.SetDrawingID(nDrawingID))
        return nullptr;
    view.SetGridVisible(FALSE);
    view.SetPartBackColor(background);
    view.SetPaperBackColor(background, background);
    view.ResizeView(nWidth, nHeight);
    if (!view.ZoomAll())
        view.ZoomPaper();
    auto image = std::make_unique<QImage>(nWidth, nHeight, QImage::Format_ARGB32_Premultiplied);
    RenderView(view, *image);
    return image.release();
}

QImage* DrawingManager::CreateLayerFeatureImage(Draw2dDocument* pDocument, const std::vector<long>& layerIDs, int nOption,
                                                long nDrawingID, int nWidth, int nHeight, COLORREF background,
                                                int nThumbnail)
{
    if (pDocument == nullptr || nWidth <= 0 || nHeight <= 0 || nWidth > 16384 || nHeight > 16384)
        return nullptr;
    const DrawingFeatureBase* drawing = pDocument->GetDrawingFeatureByID(nDrawingID);
    if (drawing == nullptr)
        drawing = pDocument->GetActiveDrawingFeature();
    if (drawing == nullptr)
        return nullptr;
    const std::vector<long> listed(layerIDs);
    auto isListed = [listed](long id) { return std::find(listed.begin(), listed.end(), id) != listed.end(); };
    // Fit the listed layers' shapes (option 0) or the whole drawing (option 2, the rest greyed).
    RuVaBndBox2d box;
    std::vector<long> ids;
    for (long id = pDocument->GetNextFeatureRecordID(drawing, -1, 0); id != -1;
         id = pDocument->GetNextFeatureRecordID(drawing, id, 0)) {
        const Feature2dBase* f = pDocument->GetFeature(id);
        if (f != nullptr && (nOption == 2 || isListed(f->GetLayerID())))
            box.Add(f->GetBndBox());
    }
    auto image = std::make_unique<QImage>(nWidth, nHeight, QImage::Format_ARGB32_Premultiplied);
    image->fill(QColor::fromRgb(ToRgb(background)));
    if (box.IsVoid())
        return image.release();
    Draw2dView view(pDocument);
    view.ResizeView(nWidth, nHeight);
    if (!view.FitBox(box, 0.05))
        return image.release();
    QPainter p(image.get());
    Renderer r(nullptr, *pDocument, p, ViewAffine(view), view.GetScale(), nWidth, nHeight);
    r.m_bThinLines = nThumbnail != 0;
    r.m_layerFilter = [isListed, nOption](long layer) { return isListed(layer) ? 1 : (nOption == 2 ? 2 : 0); };
    r.DrawDrawing(*drawing, nullptr, -1);
    r.Flush();
    return image.release();
}

QImage* DrawingManager::CreateHatchPatternImage(const Draw2dDocument* pDocument, const HatchPatternBase* pPattern,
                                                long nLayerID, int nWidth, int nHeight, COLORREF background)
{
    if (pDocument == nullptr || pPattern == nullptr || nWidth <= 0 || nHeight <= 0 || nWidth > 16384 || nHeight > 16384)
        return nullptr;
    // Show a few repeats: the box is six times the pattern's largest spacing.
    double spacing = 0.0;
    if (const auto* lines = dynamic_cast<const LineHatchPattern*>(pPattern))
        for (int i = 0; i < lines->GetLineItemCount(); ++i)
            spacing = std::max(spacing, lines->GetLineItem(i).GetSpace());
    else if (const auto* shapes = dynamic_cast<const ShapeHatchPattern*>(pPattern))
        spacing = std::max(shapes->GetSpace1(), shapes->GetSpace2());
    if (!(spacing > 0.0) || !std::isfinite(spacing))
        spacing = 1.0;
    const double aspect = double(nWidth) / nHeight;
    const RuVaBndBox2d box(RuVaPnt2d(0, 0), RuVaPnt2d(6 * spacing * std::max(1.0, aspect), 6 * spacing * std::max(1.0, 1 / aspect)));
    Draw2dView view(const_cast<Draw2dDocument*>(pDocument));
    view.ResizeView(nWidth, nHeight);
    if (!view.FitBox(box, 0.0))
        return nullptr;
    auto image = std::make_unique<QImage>(nWidth, nHeight, QImage::Format_ARGB32_Premultiplied);
    image->fill(QColor::fromRgb(ToRgb(background)));
    QPainter p(image.get());
    Renderer r(nullptr, *pDocument, p, ViewAffine(view), view.GetScale(), nWidth, nHeight);
    QRgb rgb = qRgb(0, 0, 0);
    const LayerFeatureTable* layers = pDocument->GetLayerTable();
    const short no = layers != nullptr ? layers->GetLayerColorNo(nLayerID) : short(0);
    if (no > 0 && pDocument->GetColorFeatureTable() != nullptr)
        rgb = ToRgb(pDocument->GetColorFeatureTable()->GetColorRef(no));
    r.DrawPattern(*pPattern, RuVaPnt2d(0, 0), 1.0, 0.0, box, rgb, 255, QPainterPath());
    return image.release();
}
