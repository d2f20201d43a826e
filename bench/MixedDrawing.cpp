#include "MixedDrawing.h"

#include <cmath>
#include <cstdio>
#include <random>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"

namespace MixedDrawing {

namespace {

// One shape of the sequence, as plain values, so that the document and the DXF file get the same ones.
struct Shape {
    int kind;  // 0 line, 1 dashed line, 2 polyline, 3 circle, 4 arc, 5 text
    short color;
    RuVaPnt2d p;
    std::vector<RuVaPnt2d> points;
    double radius = 0, start = 0, end = 0;
};

template <class F>
void ForEachShape(int nShapes, F&& visit)
{
    const double side = std::sqrt(nShapes * 25.0) * 16.0 / 9.0;
    const double height = side * 9.0 / 16.0;
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> ux(0, side), uy(0, height), u(-2.5, 2.5), ang(0, 360);
    for (int i = 0; i < nShapes; ++i) {
        Shape s;
        s.p = RuVaPnt2d(ux(rng), uy(rng));
        s.color = short(1 + i % 8);
        const int kind = i % 10;
        if (kind < 5) {
            s.kind = kind == 4 ? 1 : 0;
            s.points = {s.p, RuVaPnt2d(s.p.X() + u(rng), s.p.Y() + u(rng))};
        } else if (kind < 7) {
            s.kind = 2;
            for (int k = 0; k < 5; ++k) {
                const double x = s.p.X() + u(rng);
                s.points.emplace_back(x, s.p.Y() + u(rng));
            }
        } else if (kind < 8) {
            s.kind = 3;
            s.radius = 0.5 + std::fabs(u(rng));
        } else if (kind < 9 || i % 1000 != 9) {
            s.kind = 4;
            s.radius = 0.5 + std::fabs(u(rng));
            s.start = ang(rng);
            s.end = ang(rng);
        } else {
            s.kind = 5;
        }
        visit(i, s);
    }
}

}  // namespace

std::unique_ptr<Draw2dDocument> Make(int nShapes, std::vector<RuVaPnt2d>* probes)
{
    auto doc = std::make_unique<Draw2dDocument>();
    doc->InitDocument();
    doc->SetUndoDepth(1);
    Fill(doc.get(), nShapes, probes);
    return doc;
}

void Fill(Draw2dDocument* doc, int nShapes, std::vector<RuVaPnt2d>* probes)
{
    doc->BeginUndoOperation();
    ForEachShape(nShapes, [&](int i, const Shape& s) {
        std::unique_ptr<Feature2dBase> f;
        switch (s.kind) {
        case 0:
        case 1:
            f = std::make_unique<Line2dFeature>(s.points[0], s.points[1]);
            if (s.kind == 1)
                f->SetLineTypeNo(2);
            break;
        case 2: {
            KcArrayOfGePnt2d pts;
            for (const RuVaPnt2d& q : s.points)
                pts.Add(q.X(), q.Y());
            auto pl = std::make_unique<Polyline2dFeature>();
            pl->SetPointArray(pts);
            f = std::move(pl);
            break;
        }
        case 3:
            f = std::make_unique<Circle2dFeature>(s.p, s.radius);
            break;
        case 4: {
            auto a = std::make_unique<Arc2dFeature>();
            a->SetCenterPoint(s.p);
            a->SetRadius(s.radius);
            a->SetStartAngle(s.start);
            a->SetEndAngle(s.end);
            f = std::move(a);
            break;
        }
        default: {
            auto t = std::make_unique<Text2dFeature>(CString(u"Text 123"), s.p);
            t->SetHeight(2.5);
            f = std::move(t);
            break;
        }
        }
        f->SetColorNo(s.color);
        doc->AddFeature(f.get(), nullptr, 0);
        if (probes != nullptr && i % std::max(1, nShapes / 64) == 0 && s.kind <= 1)
            probes->push_back(RuVaPnt2d(s.p.X() + 0.2, s.p.Y() + 0.2));
    });
    doc->EndUndoOperation();
    doc->ClearUndoRedoHistory();
}

bool WriteDxf(int nShapes, const std::string& path)
{
    FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr)
        return false;
    auto pair = [&](int code, const char* value) { std::fprintf(out, "%d\n%s\n", code, value); };
    auto num = [&](int code, double value) { std::fprintf(out, "%d\n%.6f\n", code, value); };
    auto inum = [&](int code, int value) { std::fprintf(out, "%d\n%d\n", code, value); };
    pair(0, "SECTION");
    pair(2, "HEADER");
    pair(9, "$ACADVER");
    pair(1, "AC1009");
    pair(0, "ENDSEC");
    pair(0, "SECTION");
    pair(2, "TABLES");
    pair(0, "TABLE");
    pair(2, "LTYPE");
    inum(70, 1);
    pair(0, "LTYPE");
    pair(2, "DASHED");
    inum(70, 0);
    pair(3, "Dashed");
    inum(72, 65);
    inum(73, 2);
    num(40, 3.0);
    num(49, 2.0);
    num(49, -1.0);
    pair(0, "ENDTAB");
    pair(0, "ENDSEC");
    pair(0, "SECTION");
    pair(2, "ENTITIES");
    ForEachShape(nShapes, [&](int, const Shape& s) {
        switch (s.kind) {
        case 0:
        case 1:
            pair(0, "LINE");
            pair(8, "0");
            if (s.kind == 1)
                pair(6, "DASHED");
            inum(62, s.color);
            num(10, s.points[0].X()), num(20, s.points[0].Y());
            num(11, s.points[1].X()), num(21, s.points[1].Y());
            break;
        case 2:
            pair(0, "POLYLINE");
            pair(8, "0");
            inum(62, s.color);
            inum(66, 1);
            inum(70, 0);
            for (const RuVaPnt2d& q : s.points) {
                pair(0, "VERTEX");
                pair(8, "0");
                num(10, q.X()), num(20, q.Y());
            }
            pair(0, "SEQEND");
            break;
        case 3:
            pair(0, "CIRCLE");
            pair(8, "0");
            inum(62, s.color);
            num(10, s.p.X()), num(20, s.p.Y()), num(40, s.radius);
            break;
        case 4:
            pair(0, "ARC");
            pair(8, "0");
            inum(62, s.color);
            num(10, s.p.X()), num(20, s.p.Y()), num(40, s.radius), num(50, s.start), num(51, s.end);
            break;
        default:
            pair(0, "TEXT");
            pair(8, "0");
            inum(62, s.color);
            num(10, s.p.X()), num(20, s.p.Y()), num(40, 2.5);
            pair(1, "Text 123");
            break;
        }
    });
    pair(0, "ENDSEC");
    pair(0, "EOF");
    return std::fclose(out) == 0;
}

}  // namespace MixedDrawing
