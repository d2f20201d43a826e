#include "libs/conv/SxfFileConverter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "libs/conv/AcadColor.h"
#include "libs/conv/Part21Reader.h"
#include "libs/conv/SXFSetting.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "platform/afx/CFile.h"

namespace {

using Value = Part21Reader::Value;
using Instance = Part21Reader::Instance;

bool Finite(double v)
{
    return std::isfinite(v) && std::fabs(v) < 1e15;
}

double NormDeg(double a)
{
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

// The sixteen predefined colours by their codes 1-16.
constexpr COLORREF kPredefinedColours[16] = {
    RGB(0, 0, 0),       RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(0, 0, 255),
    RGB(255, 255, 0),   RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
    RGB(192, 0, 128),   RGB(192, 128, 64),  RGB(255, 128, 0),   RGB(128, 192, 128),
    RGB(0, 128, 255),   RGB(128, 64, 255),  RGB(192, 192, 192), RGB(128, 128, 128)};

// Predefined line types 1-15 to ours by their look (continuous, dashed, dashed spaced, the chains, dotted).
constexpr short kPredefinedLineTypes[16] = {0, 1, 2, 14, 5, 7, 12, 4, 10, 11, 6, 6, 8, 8, 12, 12};

// Predefined widths 1-9 in millimetres.
constexpr double kPredefinedWidths[10] = {0, 0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 1.4, 2.0};

// A feature in the form the builder works with: its name and its attributes as numbers or texts.
struct Feature {
    std::string name;  // lower case, as written
    const Instance* pInstance = nullptr;
    int line = 0;
};

class SxfBuilder
{
public:
    SxfBuilder(Draw2dDocument* pDoc) : m_pDoc(pDoc) {}

    // 0 or a failure code with the detail.
    int Add(const Instance& inst);
    int Finish();
    const CString& Detail() const { return m_detail; }
    long Shapes() const { return m_nShapes; }
    int LeftOut() const { return m_nLeftOut; }

private:
    struct Figure {
        long nComponentID = -1;  // a component
        long nDrawingID = -1;    // a part drawing
        bool bPart = false;
        long long nPieces = 0;
        int nHeight = 1;
    };

    int Fail(int nCode, const std::string& what)
    {
        if (m_nError == 0) {
            m_nError = nCode;
            m_detail = CString::FromUtf8("line " + std::to_string(m_pCurrent != nullptr ? m_pCurrent->line : 0) +
                                         ": " + what + (m_pCurrent != nullptr ? " in #" + std::to_string(m_pCurrent->id) : ""));
        }
        return m_nError;
    }
    // Attribute n as a number (numbers may be written as strings, as feature comments do).
    bool Number(size_t n, double& d);
    bool Int(size_t n, int& v);
    bool Text(size_t n, CString& s);
    bool Numbers(size_t n, std::vector<double>& out);
    bool Need(size_t count);

    DrawingFeatureBase* Target();
    void Store(Feature2dBase* pFeature, int nLayer, int nColour, int nType, int nWidth);
    short ColourNo(int nCode);
    short ColourNoOf(COLORREF rgb);
    short WidthNo(int nCode);
    long LayerID(int nCode);

    int AddSheet();
    int AddTable();
    int AddShape();
    int AddText();
    int AddFigure();
    int AddPlacement();

    Draw2dDocument* m_pDoc;
    const Instance* m_pCurrent = nullptr;
    int m_nError = 0;
    CString m_detail;
    long m_nShapes = 0;
    int m_nLeftOut = 0;

    std::vector<long> m_layers;                // by code 1..
    std::vector<COLORREF> m_userColours;       // codes 17..
    std::vector<double> m_userWidths;          // codes 10..
    std::vector<CString> m_fonts;              // codes 1..
    std::map<long, short> m_colourNos;         // by RGB
    short m_nNextUserColour = 17;
    std::map<CString, Figure> m_figures;       // by name
    CString m_currentFigure;                   // empty: the sheet
    bool m_bInFigure = false;
};

bool SxfBuilder::Need(size_t count)
{
    if (m_pCurrent->params.size() < count) {
        Fail(Part21Reader::resultDamaged, "attribute missing");
        return false;
    }
    return true;
}

bool SxfBuilder::Number(size_t n, double& d)
{
    if (n >= m_pCurrent->params.size())
        return Fail(Part21Reader::resultDamaged, "attribute missing"), false;
    const Value& v = m_pCurrent->params[n];
    if (v.IsNumber()) {
        d = v.real;
    } else if (v.kind == Value::kindString) {
        const std::string s = v.text.ToUtf8();
        char* end = nullptr;
        d = std::strtod(s.c_str(), &end);
        while (end != nullptr && *end == ' ')
            ++end;
        if (s.empty() || end == nullptr || *end != 0)
            return Fail(Part21Reader::resultDamaged, "number expected as attribute " + std::to_string(n + 1)), false;
    } else {
        return Fail(Part21Reader::resultDamaged, "number expected as attribute " + std::to_string(n + 1)), false;
    }
    if (!Finite(d))
        return Fail(Part21Reader::resultBeyondLimits, "number out of range as attribute " + std::to_string(n + 1)), false;
    return true;
}

bool SxfBuilder::Int(size_t n, int& v)
{
    double d = 0;
    if (!Number(n, d))
        return false;
    if (std::fabs(d) > 1e9)
        return Fail(Part21Reader::resultBeyondLimits, "number out of range as attribute " + std::to_string(n + 1)), false;
    v = static_cast<int>(std::lround(d));
    return true;
}

bool SxfBuilder::Text(size_t n, CString& s)
{
    if (n >= m_pCurrent->params.size())
        return Fail(Part21Reader::resultDamaged, "attribute missing"), false;
    const Value& v = m_pCurrent->params[n];
    if (v.kind != Value::kindString)
        return Fail(Part21Reader::resultDamaged, "string expected as attribute " + std::to_string(n + 1)), false;
    s = v.text;
    return true;
}

bool SxfBuilder::Numbers(size_t n, std::vector<double>& out)
{
    if (n >= m_pCurrent->params.size())
        return Fail(Part21Reader::resultDamaged, "attribute missing"), false;
    const Value& v = m_pCurrent->params[n];
    if (v.kind != Value::kindList)
        return Fail(Part21Reader::resultDamaged, "list expected as attribute " + std::to_string(n + 1)), false;
    out.clear();
    out.reserve(v.items.size());
    for (const Value& item : v.items) {
        double d = 0;
        if (item.IsNumber()) {
            d = item.real;
        } else if (item.kind == Value::kindString) {
            const std::string s = item.text.ToUtf8();
            char* end = nullptr;
            d = std::strtod(s.c_str(), &end);
            if (s.empty() || end == nullptr || *end != 0)
                return Fail(Part21Reader::resultDamaged, "number expected in the list of attribute " + std::to_string(n + 1)), false;
        } else {
            return Fail(Part21Reader::resultDamaged, "number expected in the list of attribute " + std::to_string(n + 1)), false;
        }
        if (!Finite(d))
            return Fail(Part21Reader::resultBeyondLimits, "number out of range in attribute " + std::to_string(n + 1)), false;
        out.push_back(d);
    }
    return true;
}

short SxfBuilder::ColourNoOf(COLORREF rgb)
{
    const ColorFeatureTable* table = m_pDoc->GetColorFeatureTable();
    // White is drawn black on our white paper, as the DXF reader does by default.
    if (rgb == RGB(255, 255, 255))
        rgb = RGB(0, 0, 0);
    if (table == nullptr)
        return 1;
    const short exact = table->FindColorNumberByRef(rgb);
    if (exact > 0)
        return exact;
    auto it = m_colourNos.find(static_cast<long>(rgb));
    if (it != m_colourNos.end())
        return it->second;
    if (m_nNextUserColour <= ColorFeatureTable::kColorCount) {
        ColorFeatureTable changed = *table;
        const short no = m_nNextUserColour++;
        if (changed.SetColor(no, rgb)) {
            m_pDoc->SetColorFeatureTable(changed, 0);
            m_colourNos[static_cast<long>(rgb)] = no;
            return no;
        }
    }
    return AcadColor::NearestColorNo(rgb, m_pDoc->GetColorFeatureTable());
}

short SxfBuilder::ColourNo(int nCode)
{
    if (nCode >= 1 && nCode <= 16)
        return ColourNoOf(kPredefinedColours[nCode - 1]);
    if (nCode >= 17 && static_cast<size_t>(nCode - 17) < m_userColours.size())
        return ColourNoOf(m_userColours[static_cast<size_t>(nCode - 17)]);
    return ColourNoOf(RGB(0, 0, 0));
}

short SxfBuilder::WidthNo(int nCode)
{
    double mm = 0.25;
    if (nCode >= 1 && nCode <= 9)
        mm = kPredefinedWidths[nCode];
    else if (nCode >= 10 && static_cast<size_t>(nCode - 10) < m_userWidths.size())
        mm = m_userWidths[static_cast<size_t>(nCode - 10)];
    const LineWidthFeatureTable* table = m_pDoc->GetLineWidthFeatureTable();
    if (table == nullptr)
        return 0;
    short best = 0;
    double bestDiff = 1e300;
    for (short no = 1; no < table->GetLineWidthSize(); ++no) {
        const double d = std::fabs(table->GetLineWidth(no) - mm);
        if (table->GetLineWidth(no) > 0 && d < bestDiff) {
            bestDiff = d;
            best = no;
        }
    }
    return best;
}

long SxfBuilder::LayerID(int nCode)
{
    if (nCode >= 1 && static_cast<size_t>(nCode) <= m_layers.size())
        return m_layers[static_cast<size_t>(nCode - 1)];
    // A shape on a layer the file never defined goes on a layer made for it.
    if (m_layers.empty()) {
        const long id = m_pDoc->AddLayer(-1, _T("0"), 0);
        m_layers.push_back(id);
    }
    return m_layers.front();
}

DrawingFeatureBase* SxfBuilder::Target()
{
    if (m_bInFigure) {
        const Figure& f = m_figures[m_currentFigure];
        if (f.bPart)
            return m_pDoc->GetDrawingFeatureByID(f.nDrawingID);
        return m_pDoc->GetComponentDefineTable()->GetComponentDefine(f.nComponentID);
    }
    return m_pDoc->GetPaperFeature(0);
}

void SxfBuilder::Store(Feature2dBase* pFeature, int nLayer, int nColour, int nType, int nWidth)
{
    std::unique_ptr<Feature2dBase> owned(pFeature);
    if (pFeature == nullptr || !pFeature->IsValid())
        return;
    if (++m_nShapes > SxfFileConverter::kMaxShapes) {
        Fail(Part21Reader::resultBeyondLimits, "too many shapes");
        return;
    }
    pFeature->SetLayerID(LayerID(nLayer));
    pFeature->SetColorNo(ColourNo(nColour));
    if (nType >= 1 && nType <= 15)
        pFeature->SetLineTypeNo(kPredefinedLineTypes[nType]);
    else
        pFeature->SetLineTypeNo(1);
    if (nWidth >= 0)
        pFeature->SetLineWidthNo(WidthNo(nWidth));
    if (m_bInFigure) {
        Figure& f = m_figures[m_currentFigure];
        if (++f.nPieces > SxfFileConverter::kMaxPieces) {
            Fail(Part21Reader::resultBeyondLimits, "composite figure too large");
            return;
        }
    }
    if (DrawingFeatureBase* pDrawing = Target())
        m_pDoc->AddFeature(pFeature, pDrawing, 0);
}

int SxfBuilder::AddSheet()
{
    // sheet_feature(name, size type 0-4 A0-A4 or 9 free, orientation 0 portrait 1 landscape, width, height)
    CString name;
    int type = 0, orient = 1;
    if (!Text(0, name) || !Int(1, type) || !Int(2, orient))
        return m_nError;
    Paper2dFeature* pPaper = m_pDoc->GetPaperFeature(0);
    if (pPaper == nullptr)
        return 0;
    CString paper = pPaper->GetDrawingName();
    if (!name.IsEmpty() && m_pDoc->GetDrawingFeatureByName(name) == nullptr && m_pDoc->SetDrawingName(paper, name, 0))
        paper = name;
    // Our orientation 0 is landscape.
    m_pDoc->SetPaperOrientType(paper, orient == 0 ? 1 : 0, 0);
    if (type >= 0 && type <= 4) {
        m_pDoc->SetPaperSizeType(paper, type, 0);
    } else {
        double w = 0, h = 0;
        if (!Number(3, w) || !Number(4, h))
            return m_nError;
        if (w > 0 && h > 0 && w < 1e6 && h < 1e6)
            m_pDoc->SetPaperSize(paper, w, h, 0);
    }
    return 0;
}

int SxfBuilder::AddTable()
{
    const std::string& n = m_pCurrent->name;
    if (n == "LAYER_FEATURE") {
        CString name;
        int flag = 1;
        if (!Text(0, name) || !Int(1, flag))
            return m_nError;
        if (m_layers.size() >= 256)
            return Fail(Part21Reader::resultBeyondLimits, "too many layers");
        long id = m_pDoc->AddLayer(-1, name, 0);
        if (id < 0)
            id = m_pDoc->AddLayer(-1, nullptr, 0);
        if (id >= 0 && flag == 0)
            m_pDoc->SetLayerState(id, 2, 0);
        m_layers.push_back(id);
    } else if (n == "USER_DEFINED_COLOUR_FEATURE") {
        int r = 0, g = 0, b = 0;
        if (!Int(0, r) || !Int(1, g) || !Int(2, b))
            return m_nError;
        if (m_userColours.size() < 240)
            m_userColours.push_back(RGB(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
    } else if (n == "WIDTH_FEATURE") {
        double w = 0;
        if (!Number(0, w))
            return m_nError;
        if (m_userWidths.size() < 7)
            m_userWidths.push_back(w);
    } else if (n == "TEXT_FONT_FEATURE") {
        CString name;
        if (!Text(0, name))
            return m_nError;
        if (m_fonts.size() < 1024)
            m_fonts.push_back(name);
    }
    // Predefined colours and line types are known by their codes; user line types keep ours continuous.
    return 0;
}

int SxfBuilder::AddShape()
{
    const std::string& n = m_pCurrent->name;
    int layer = 0, colour = 0;
    if (n == "POINT_MARKER_FEATURE") {
        // (layer, colour, x, y, marker code, angle, scale)
        double x = 0, y = 0;
        if (!Int(0, layer) || !Int(1, colour) || !Number(2, x) || !Number(3, y))
            return m_nError;
        Store(new PointMarker2dFeature(RuVaPnt2d(x, y)), layer, colour, 1, -1);
        return m_nError;
    }
    int type = 1, width = 1;
    if (!Int(0, layer) || !Int(1, colour) || !Int(2, type) || !Int(3, width))
        return m_nError;
    if (n == "LINE_FEATURE") {
        double x1, y1, x2, y2;
        if (!Number(4, x1) || !Number(5, y1) || !Number(6, x2) || !Number(7, y2))
            return m_nError;
        if (std::hypot(x2 - x1, y2 - y1) < 1e-7)
            return 0;
        Store(new Line2dFeature(RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y2)), layer, colour, type, width);
    } else if (n == "POLYLINE_FEATURE") {
        int count = 0;
        std::vector<double> xs, ys;
        if (!Int(4, count) || !Numbers(5, xs) || !Numbers(6, ys))
            return m_nError;
        if (count < 2 || static_cast<size_t>(count) != xs.size() || xs.size() != ys.size())
            return Fail(Part21Reader::resultDamaged, "point count does not match the coordinates");
        KcArrayOfGePnt2d pts;
        for (size_t i = 0; i < xs.size(); ++i)
            pts.Add(RuVaPnt2d(xs[i], ys[i]));
        Store(new Polyline2dFeature(pts, FALSE), layer, colour, type, width);
    } else if (n == "CIRCLE_FEATURE") {
        double x, y, r;
        if (!Number(4, x) || !Number(5, y) || !Number(6, r))
            return m_nError;
        if (Circle2dFeature::IsValidRadius(r))
            Store(new Circle2dFeature(RuVaPnt2d(x, y), r), layer, colour, type, width);
    } else if (n == "ARC_FEATURE") {
        // (..., centre, radius, direction 0 counter-clockwise 1 clockwise, start, end in degrees)
        double x, y, r, a1, a2;
        int direction = 0;
        if (!Number(4, x) || !Number(5, y) || !Number(6, r) || !Int(7, direction) || !Number(8, a1) || !Number(9, a2))
            return m_nError;
        if (!Circle2dFeature::IsValidRadius(r))
            return 0;
        if (direction == 1)
            std::swap(a1, a2);  // the same arc, counter-clockwise
        Store(new Arc2dFeature(RuVaPnt2d(x, y), r, NormDeg(a1), NormDeg(a2), Arc2dFeature::CounterClockwise), layer,
              colour, type, width);
    } else if (n == "ELLIPSE_FEATURE" || n == "ELLIPSE_ARC_FEATURE") {
        double x, y, rx, ry, rot;
        if (!Number(4, x) || !Number(5, y) || !Number(6, rx) || !Number(7, ry) || !Number(8, rot))
            return m_nError;
        if (!(rx > 0) || !(ry > 0))
            return 0;
        // Our ellipses take the major radius first: a taller one turns a quarter.
        double major = rx, minor = ry;
        double turn = 0;
        if (ry > rx) {
            std::swap(major, minor);
            turn = 90;
        }
        if (n == "ELLIPSE_FEATURE") {
            Store(new Ellipse2dFeature(RuVaPnt2d(x, y), major, minor, NormDeg(rot + turn)), layer, colour, type, width);
            return m_nError;
        }
        int direction = 0;
        double a1, a2;
        if (!Int(9, direction) || !Number(10, a1) || !Number(11, a2))
            return m_nError;
        if (direction == 1)
            std::swap(a1, a2);
        Store(new EllipseArc2dFeature(RuVaPnt2d(x, y), major, minor, NormDeg(rot + turn), NormDeg(a1 - turn),
                                      NormDeg(a2 - turn), 0),
              layer, colour, type, width);
    }
    return m_nError;
}

int SxfBuilder::AddText()
{
    // text_string_feature(layer, colour, font, text, x, y, height, width, spacing, angle, slant, base point
    // 1-9 from the bottom left row by row, direction 1 horizontal 2 vertical)
    int layer = 0, colour = 0, font = 0, base = 1;
    CString text;
    double x, y, h, w, spacing, angle;
    if (!Int(0, layer) || !Int(1, colour) || !Int(2, font) || !Text(3, text) || !Number(4, x) || !Number(5, y) ||
        !Number(6, h) || !Number(7, w) || !Number(8, spacing) || !Number(9, angle))
        return m_nError;
    if (m_pCurrent->params.size() > 11 && !Int(11, base))
        return m_nError;
    if (text.IsEmpty())
        return 0;
    auto* t = new Text2dFeature;
    t->SetText(text);
    t->SetPoint(RuVaPnt2d(x, y));
    t->SetHeight(h > 0 ? h : 2.5);
    t->SetAngle(NormDeg(angle));
    if (spacing > 0)
        t->SetCharSpacing(spacing);
    const int b = std::clamp(base, 1, 9) - 1;
    t->SetHorizonArrange(b % 3);
    t->SetVerticalArrange(2 - b / 3);  // our rows count from the top
    if (font >= 1 && static_cast<size_t>(font) <= m_fonts.size())
        t->SetFontName(m_fonts[static_cast<size_t>(font - 1)]);
    t->SetAutoLayoutRect();
    Store(t, layer, colour, 1, -1);
    return m_nError;
}

int SxfBuilder::AddFigure()
{
    // sfig_org_feature(name, kind 1/2 part drawing, 3 drawing group, 4 drawing part): the features that follow
    // belong to it, up to the next figure or the first placement.
    CString name;
    int kind = 0;
    if (!Text(0, name) || !Int(1, kind))
        return m_nError;
    if (m_figures.count(name) != 0)
        return Fail(Part21Reader::resultDamaged, "composite figure '" + name.ToUtf8() + "' defined twice");
    if (static_cast<long>(m_figures.size()) >= SxfFileConverter::kMaxFigures)
        return Fail(Part21Reader::resultBeyondLimits, "too many composite figures");
    Figure f;
    f.bPart = kind == 1 || kind == 2;
    if (f.bPart) {
        f.nDrawingID = m_pDoc->AddPartDrawingFeature(name);
        if (f.nDrawingID < 0)
            f.nDrawingID = m_pDoc->AddPartDrawingFeature(nullptr);
        if (f.nDrawingID < 0)
            return Fail(Part21Reader::resultBeyondLimits, "part drawing not made");
    } else {
        DrawComponent2dFeatureDefine def;
        if (!def.SetComponentName(name))
            def.SetComponentName(_T("Figure"));
        f.nComponentID = m_pDoc->AddDrawComponentDefine(def);
        for (int i = 2; f.nComponentID < 0 && i < 1000; ++i) {
            CString alt;
            alt.Format(_T("%s (%d)"), static_cast<LPCTSTR>(def.GetComponentName()), i);
            DrawComponent2dFeatureDefine other;
            other.SetComponentName(alt);
            f.nComponentID = m_pDoc->AddDrawComponentDefine(other);
        }
        if (f.nComponentID < 0)
            return Fail(Part21Reader::resultBeyondLimits, "component not made");
    }
    m_figures[name] = f;
    m_currentFigure = name;
    m_bInFigure = true;
    return 0;
}

int SxfBuilder::AddPlacement()
{
    // sfig_locate_feature(layer, name, x, y, angle, scale x, scale y)
    int layer = 0;
    CString name;
    double x, y, angle, sx, sy;
    if (!Int(0, layer) || !Text(1, name) || !Number(2, x) || !Number(3, y) || !Number(4, angle) || !Number(5, sx) ||
        !Number(6, sy))
        return m_nError;
    // Placements close the definitions: what follows lies on the sheet.
    m_bInFigure = false;
    auto it = m_figures.find(name);
    if (it == m_figures.end())
        return Fail(Part21Reader::resultDamaged, "composite figure '" + name.ToUtf8() + "' not defined");
    const Figure& f = it->second;
    if (sx == 0)
        sx = 1;
    if (sy == 0)
        sy = sx;
    if (f.bPart) {
        Paper2dFeature* pPaper = m_pDoc->GetPaperFeature(0);
        if (pPaper == nullptr)
            return 0;
        const long id = m_pDoc->AddPartLayout(pPaper->GetDrawingID(), f.nDrawingID, nullptr, -1, 0);
        if (id < 0)
            return 0;
        // A scale below one is written as 1 : n.
        const double num = sx >= 1 ? sx : 1.0, den = sx >= 1 ? 1.0 : 1.0 / sx;
        const double numY = sy >= 1 ? sy : 1.0, denY = sy >= 1 ? 1.0 : 1.0 / sy;
        m_pDoc->SetPartLayoutScale(id, num, den, std::fabs(sx - sy) > 1e-12 ? TRUE : FALSE, numY, denY, 0);
        m_pDoc->SetPartLayoutAngle(id, NormDeg(angle), 0);
        m_pDoc->SetPartLayoutOrigin(id, RuVaPnt2d(x, y), 0);
        return 0;
    }
    if (++m_nShapes > SxfFileConverter::kMaxShapes)
        return Fail(Part21Reader::resultBeyondLimits, "too many shapes");
    auto* inst = new DrawComponent2dFeature;
    std::unique_ptr<Feature2dBase> owned(inst);
    inst->SetComponentDefineID(f.nComponentID);
    inst->SetOrigin(RuVaPnt2d(x, y));
    inst->SetAngle(NormDeg(angle));
    inst->SetScale(sx, sy);
    inst->SetLayerID(LayerID(layer));
    if (Paper2dFeature* pPaper = m_pDoc->GetPaperFeature(0))
        m_pDoc->AddFeature(inst, pPaper, 0);
    return 0;
}

int SxfBuilder::Add(const Instance& inst)
{
    m_pCurrent = &inst;
    const std::string& n = inst.name;
    if (n == "SHEET_FEATURE")
        return AddSheet();
    if (n == "LAYER_FEATURE" || n == "PRE_DEFINED_COLOUR_FEATURE" || n == "USER_DEFINED_COLOUR_FEATURE" ||
        n == "PRE_DEFINED_FONT_FEATURE" || n == "USER_DEFINED_FONT_FEATURE" || n == "WIDTH_FEATURE" ||
        n == "TEXT_FONT_FEATURE")
        return AddTable();
    if (n == "POINT_MARKER_FEATURE" || n == "LINE_FEATURE" || n == "POLYLINE_FEATURE" || n == "CIRCLE_FEATURE" ||
        n == "ARC_FEATURE" || n == "ELLIPSE_FEATURE" || n == "ELLIPSE_ARC_FEATURE")
        return AddShape();
    if (n == "TEXT_STRING_FEATURE")
        return AddText();
    if (n == "SFIG_ORG_FEATURE")
        return AddFigure();
    if (n == "SFIG_LOCATE_FEATURE")
        return AddPlacement();
    // Features this reader does not map (dimensions, hatches, splines, ...) are counted as left out.
    ++m_nLeftOut;
    return 0;
}

int SxfBuilder::Finish()
{
    m_pCurrent = nullptr;
    if (m_nError != 0)
        return m_nError;
    if (m_pDoc->GetCurrentLayerID() < 0 && !m_layers.empty() && m_layers.front() >= 0)
        m_pDoc->SetCurrentLayerID(m_layers.front(), 0);
    return 0;
}

// The body of a feature comment without its "SXF" brackets, or false when the comment is no feature.
bool FeatureBody(const std::string& comment, std::string& body, int& nSkippedLines)
{
    size_t b = 0;
    while (b < comment.size() && (comment[b] == ' ' || comment[b] == '\t'))
        ++b;
    if (comment.compare(b, 3, "SXF") != 0)
        return false;
    b += 3;
    while (b < comment.size() && comment[b] >= '0' && comment[b] <= '9')
        ++b;
    size_t e = comment.size();
    while (e > b && (comment[e - 1] == ' ' || comment[e - 1] == '\t' || comment[e - 1] == '\r' || comment[e - 1] == '\n'))
        --e;
    while (e > b && comment[e - 1] >= '0' && comment[e - 1] <= '9')
        --e;
    if (e < b + 3 || comment.compare(e - 3, 3, "SXF") != 0)
        return false;
    e -= 3;
    nSkippedLines = 0;
    body.assign(comment, b, e - b);
    return true;
}

}  // namespace

BOOL SxfFileConverter::Progress(int nKind, int nPosition)
{
    if (m_pfnProgress == nullptr)
        return TRUE;
    NotifyProgressInfo info;
    info.m_nKind = nKind;
    info.m_nDisplayType = 2;
    info.m_nRangeMin = 0;
    info.m_nRangeMax = 100;
    info.m_nPosition = nPosition;
    return m_pfnProgress(&info, m_pProgressUser) != 0;
}

int SxfFileConverter::ReadFile(LPCTSTR lpszPath, Draw2dDocument* pDocument, SXFSetting* pSetting, CString& strDetail)
{
    strDetail.Empty();
    m_nLeftOut = 0;
    if (lpszPath == nullptr || pDocument == nullptr)
        return resultUnreadable;
    const std::string native = CFile::NativePath(CString(lpszPath));
    FILE* fp = std::fopen(native.c_str(), "rb");
    if (fp == nullptr)
        return resultUnreadable;
    std::string data;
    long long size = -1;
    if (std::fseek(fp, 0, SEEK_END) == 0)
        size = std::ftell(fp);
    if (size < 0) {
        std::fclose(fp);
        return resultUnreadable;
    }
    if (size > kMaxFileSize) {
        std::fclose(fp);
        return resultBeyondLimits;
    }
    std::rewind(fp);
    try {
        data.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        std::fclose(fp);
        return resultBeyondLimits;
    }
    const size_t got = size > 0 ? std::fread(data.data(), 1, data.size(), fp) : 0;
    const bool bad = std::ferror(fp) != 0 || got != data.size();
    std::fclose(fp);
    if (bad)
        return resultUnreadable;
    return ReadData(data.data(), data.size(), pDocument, pSetting, strDetail);
}

int SxfFileConverter::ReadData(const char* pData, size_t nSize, Draw2dDocument* pDocument, SXFSetting* /*pSetting*/,
                               CString& strDetail)
{
    strDetail.Empty();
    m_nLeftOut = 0;
    if (pDocument == nullptr)
        return resultUnreadable;
    auto fail = [&](int nCode) {
        Progress(NotifyProgressInfo::kindEnd, 0);
        pDocument->InitDocument();
        return nCode;
    };
    if (!Progress(NotifyProgressInfo::kindBegin, 0))
        return fail(resultCancelled);

    // Features are built as their comments are read, so the file's text is never held twice.
    SxfBuilder builder(pDocument);
    Part21Reader reader(pData, nSize);
    long features = 0;
    std::string body;
    reader.SetCommentHandler([&](const Part21Reader::Comment& comment) {
        int skipped = 0;
        if (!FeatureBody(comment.text, body, skipped))
            return 0;
        Instance inst;
        CString detail;
        int code = Part21Reader::ParseInstanceText(body, comment.line, inst, detail);
        if (code == 0) {
            code = builder.Add(inst);
            if (code != 0)
                detail = builder.Detail();
        }
        if (code != 0) {
            reader.SetDetail(detail);
            return code;
        }
        if ((++features & 0xFFF) == 0 &&
            !Progress(NotifyProgressInfo::kindStep, static_cast<int>(reader.GetOffset() * 100 / std::max<size_t>(nSize, 1))))
            return static_cast<int>(resultCancelled);
        return 0;
    });
    pDocument->BeginUndoOperation();
    int r = reader.Parse();
    if (r == 0 && features == 0) {
        // An exchange structure without feature comments: the instance form, or not SXF at all.
        if (!reader.GetInstances().empty()) {
            r = resultKindNotReadable;
        } else {
            r = resultNotSxf;
            reader.SetDetail(CString::FromUtf8("line 1: no SXF features"));
        }
    }
    if (r != 0) {
        pDocument->EndUndoOperation();
        strDetail = r == resultCancelled || r == resultKindNotReadable ? CString() : reader.GetDetail();
        return fail(r);
    }
    r = builder.Finish();
    pDocument->EndUndoOperation();
    if (r != 0) {
        strDetail = builder.Detail();
        return fail(r);
    }
    pDocument->ClearUndoRedoHistory();
    m_nLeftOut = builder.LeftOut();
    Progress(NotifyProgressInfo::kindEnd, 100);
    return static_cast<int>(std::min<long>(builder.Shapes(), 0x7FFFFFFF));
}
