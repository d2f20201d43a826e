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
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/afx/CFile.h"

namespace {

using Value = Part21Reader::Value;
using Instance = Part21Reader::Instance;

constexpr double kPi = 3.14159265358979323846;

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
    int AddUserLineType();
    int AddSpline();
    int AddClothoid();
    int AddDimension();
    int AddLabel();
    int AddBalloon();
    int AddCompositeCurve();
    int AddHatch();
    // An instance number given as a reference, a number or a text ("#12" or "12").
    bool Reference(size_t n, int64_t& id);
    // The boundary of a composite curve as a list of its pieces; false (and counted as left out) when the
    // file names none.
    bool Boundary(int64_t id, Feature2dList& list);

    // The text block that dimensions, labels and balloons end with (shown flag, font, text, point, ...),
    // starting at attribute n: the text when it is shown and not empty, and its point.
    bool DimensionText(size_t n, bool bFlag, CString& text, RuVaPnt2d& point);
    // The text style the last text block asks for: the current one with the block's font and height.
    TextSetting TextStyleOf(const TextSetting& current) const;
    double m_dTextHeight = 0;
    int m_nTextFont = 0;
    // A point list given as its count and its x and y lists at attributes n, n + 1 and n + 2.
    bool Points(size_t n, KcArrayOfGePnt2d& points);
    short LineTypeNo(int nCode) const;

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
    std::vector<short> m_userLineTypes;        // our numbers for codes 16..
    // Composite curves by instance number: their pieces (kept for the hatches that use them as boundaries)
    // and whether they are drawn. Pieces that follow a composite curve belong to it.
    struct Curve {
        Feature2dList pieces;
        bool bShown = true;
    };
    std::map<int64_t, Curve> m_curves;
    int64_t m_nCurve = -1;
    long long m_nCurvePieces = 0;
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
    if (m_nCurve >= 0) {
        if (++m_nCurvePieces > SxfFileConverter::kMaxShapes) {
            Fail(Part21Reader::resultBeyondLimits, "too many shapes");
            return;
        }
        Curve& curve = m_curves[m_nCurve];
        curve.pieces.AddFeature(pFeature);
        if (!curve.bShown)
            return;
    }
    if (++m_nShapes > SxfFileConverter::kMaxShapes) {
        Fail(Part21Reader::resultBeyondLimits, "too many shapes");
        return;
    }
    pFeature->SetLayerID(LayerID(nLayer));
    pFeature->SetColorNo(ColourNo(nColour));
    pFeature->SetLineTypeNo(LineTypeNo(nType));
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

short SxfBuilder::LineTypeNo(int nCode) const
{
    if (nCode >= 1 && nCode <= 15)
        return kPredefinedLineTypes[nCode];
    if (nCode >= 16 && static_cast<size_t>(nCode - 16) < m_userLineTypes.size())
        return m_userLineTypes[static_cast<size_t>(nCode - 16)];
    return 1;
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
    // Predefined colours and line types are known by their codes.
    return 0;
}

int SxfBuilder::AddUserLineType()
{
    // user_defined_font_feature(name, segment count, pitches): drawn and gap lengths in millimetres by turns,
    // starting drawn. It takes the next user code (16, 17, ...) whether or not we can hold it.
    CString name;
    int count = 0;
    std::vector<double> pitches;
    if (!Text(0, name) || !Int(1, count) || !Numbers(2, pitches))
        return m_nError;
    if (count != static_cast<int>(pitches.size()))
        return Fail(Part21Reader::resultDamaged, "segment count does not match the pitches");
    if (m_userLineTypes.size() >= 256)
        return Fail(Part21Reader::resultBeyondLimits, "too many line types");
    short no = 1;
    std::vector<double> segments;
    for (double pitch : pitches) {
        if (!(pitch > 0)) {
            segments.clear();  // a pattern with an empty stretch is drawn continuous
            break;
        }
        segments.push_back(pitch);
    }
    if (segments.size() % 2 != 0)
        segments.pop_back();
    if (segments.size() > 10)
        segments.resize(10);
    const LineTypeFeatureTable* pTable = m_pDoc->GetLineTypeFeatureTable();
    if (segments.size() >= 2 && pTable != nullptr) {
        LineTypeFeatureTable table = *pTable;
        short fresh = LineTypeFeatureTable::kFirstUserNo;
        for (int i = 0; i < table.GetLineTypeSize(); ++i)
            if (const LineTypeFeature* p = table.GetAt(i))
                fresh = std::max<short>(fresh, static_cast<short>(p->GetLineTypeNo() + 1));
        // A name the table already holds keeps the table's pattern under a name of its own.
        CString unique = name;
        for (int i = 2; table.GetLineTypeNoByName(unique) >= 0 && i < 1000; ++i)
            unique.Format(_T("%s (%d)"), static_cast<LPCTSTR>(name), i);
        LineTypeFeature lineType;
        if (fresh <= LineTypeFeatureTable::kLastUserNo &&
            lineType.SetLineType(fresh, unique, segments.data(), static_cast<int>(segments.size())) &&
            table.SetLineType(lineType)) {
            m_pDoc->SetLineTypeFeatureTable(table, 0);
            no = fresh;
        }
    }
    m_userLineTypes.push_back(no);
    return 0;
}

bool SxfBuilder::Points(size_t n, KcArrayOfGePnt2d& points)
{
    int count = 0;
    std::vector<double> xs, ys;
    if (!Int(n, count) || !Numbers(n + 1, xs) || !Numbers(n + 2, ys))
        return false;
    if (count < 1 || static_cast<size_t>(count) != xs.size() || xs.size() != ys.size()) {
        Fail(Part21Reader::resultDamaged, "point count does not match the coordinates");
        return false;
    }
    points.RemoveAll();
    for (size_t i = 0; i < xs.size(); ++i)
        if (points.GetSize() == 0 || points[points.GetSize() - 1].Distance(RuVaPnt2d(xs[i], ys[i])) > 1e-9)
            points.Add(RuVaPnt2d(xs[i], ys[i]));
    return true;
}

int SxfBuilder::AddSpline()
{
    // spline_feature(layer, colour, type, width, open 1 / closed 0, count, x list, y list): a cubic B-spline
    // of its control points.
    int layer = 0, colour = 0, type = 1, width = 1, open = 1;
    KcArrayOfGePnt2d pts;
    if (!Int(0, layer) || !Int(1, colour) || !Int(2, type) || !Int(3, width) || !Int(4, open) || !Points(5, pts))
        return m_nError;
    if (pts.GetSize() < 2) {
        ++m_nLeftOut;
        return 0;
    }
    const int degree = std::min(3, static_cast<int>(pts.GetSize()) - 1);
    Store(new BSplineCurve2dFeature(pts, BSplineCurve2dFeature::ControlPoints, degree, open == 0 ? TRUE : FALSE),
          layer, colour, type, width);
    return m_nError;
}

int SxfBuilder::AddClothoid()
{
    // clothoid_feature(layer, colour, type, width, base point x, y, parameter A, direction 1 counter-clockwise
    // 2 clockwise, angle of the tangent at the base point, start and end length along the curve from it).
    int layer = 0, colour = 0, type = 1, width = 1, direction = 1;
    double bx, by, a, angle, s0, s1;
    if (!Int(0, layer) || !Int(1, colour) || !Int(2, type) || !Int(3, width) || !Number(4, bx) || !Number(5, by) ||
        !Number(6, a) || !Int(7, direction) || !Number(8, angle) || !Number(9, s0) || !Number(10, s1))
        return m_nError;
    if (!(a > 1e-9) || !(std::fabs(s1 - s0) > 1e-7) || std::fabs(s0) > 1e7 || std::fabs(s1) > 1e7) {
        ++m_nLeftOut;
        return 0;
    }
    // Points along the curve (x = integral of cos(s^2 / 2A^2), y of sin) so close that a cubic through them
    // keeps within 0.01 mm: a chord of length h on curvature k strays h^2 k / 8, held ten times under.
    const double kMax = std::max(std::fabs(s0), std::fabs(s1)) / (a * a);
    const double length = std::fabs(s1 - s0);
    const double h = kMax > 0 ? std::sqrt(8 * 0.001 / kMax) : length;
    const int samples = static_cast<int>(std::clamp(std::ceil(length / h), 8.0, 4000.0));
    const double sign = direction == 2 ? -1.0 : 1.0;
    const double ca = std::cos(angle * kPi / 180.0), sa = std::sin(angle * kPi / 180.0);
    auto tangent = [&](double s) { return s * s / (2 * a * a); };
    // The curve from the base point to s0 first, then on from there (Simpson's rule, eight steps a sample).
    auto advance = [&](double from, double to, double& x, double& y) {
        const int steps = std::max(8, static_cast<int>(std::ceil(std::fabs(to - from) / std::max(h / 8, 1e-6))));
        const int even = std::min(steps + steps % 2, 1 << 20);
        const double d = (to - from) / even;
        double sx = 0, sy = 0;
        for (int i = 0; i <= even; ++i) {
            const double w = (i == 0 || i == even) ? 1 : (i % 2 ? 4 : 2);
            const double t = tangent(from + i * d);
            sx += w * std::cos(t);
            sy += w * std::sin(t);
        }
        x += sx * d / 3;
        y += sy * d / 3;
    };
    double x = 0, y = 0;
    if (s0 != 0)
        advance(0, s0, x, y);
    KcArrayOfGePnt2d pts;
    auto add = [&](double lx, double ly) {
        ly *= sign;
        pts.Add(RuVaPnt2d(bx + lx * ca - ly * sa, by + lx * sa + ly * ca));
    };
    add(x, y);
    for (int i = 1; i <= samples; ++i) {
        advance(s0 + (s1 - s0) * (i - 1) / samples, s0 + (s1 - s0) * i / samples, x, y);
        add(x, y);
    }
    Store(new BSplineCurve2dFeature(pts, BSplineCurve2dFeature::InterpolatePoints, 3, FALSE), layer, colour, type,
          width);
    return m_nError;
}

bool SxfBuilder::DimensionText(size_t n, bool bFlag, CString& text, RuVaPnt2d& point)
{
    // [shown flag,] font, text, x, y, height, width, spacing, angle, slant, base point, direction
    int shown = 1, font = 0;
    double x = 0, y = 0;
    if (bFlag && !Int(n++, shown))
        return false;
    if (!Int(n, font) || !Text(n + 1, text) || !Number(n + 2, x) || !Number(n + 3, y))
        return false;
    double height = 0;
    if (n + 4 < m_pCurrent->params.size() && !Number(n + 4, height))
        return false;
    m_dTextHeight = height > 0 && height < 1e6 ? height : 0;
    m_nTextFont = font;
    if (shown == 0)
        text.Empty();
    point = RuVaPnt2d(x, y);
    return true;
}

TextSetting SxfBuilder::TextStyleOf(const TextSetting& current) const
{
    TextSetting setting = current;
    if (m_dTextHeight > 0)
        setting.SetHeight(m_dTextHeight);
    if (m_nTextFont >= 1 && static_cast<size_t>(m_nTextFont) <= m_fonts.size())
        setting.SetFontName(m_fonts[static_cast<size_t>(m_nTextFont - 1)]);
    return setting;
}

int SxfBuilder::AddDimension()
{
    const std::string& n = m_pCurrent->name;
    int layer = 0, colour = 0, type = 1, width = 1;
    if (!Int(0, layer) || !Int(1, colour) || !Int(2, type) || !Int(3, width))
        return m_nError;
    DimensionSetting style;
    if (const DimensionSetting* pCurrent = m_pDoc->GetDimensionSetting())
        style = *pCurrent;
    const DimensionSetting* pSetting = &style;
    CString text;
    RuVaPnt2d textPoint;
    Feature2dBase* pDimension = nullptr;
    // The text in the file's font and height (read with the text block, before each shape is made).
    auto dress = [&]() { style.SetDimTextFont(TextStyleOf(style.GetDimTextFont())); };
    // The file gives the text as drawn; an empty one leaves our measured value.
    auto typed = [&text]() { return static_cast<BYTE>(text.IsEmpty() ? 0 : 1); };
    if (n == "LINEAR_DIM_FEATURE") {
        // (..., dimension line x1 y1 x2 y2, extension line 1: flag, measured point x0 y0, start, end,
        // extension line 2 alike, two arrows of five, the text block)
        double lx1, ly1, lx2, ly2;
        int ext1 = 0, ext2 = 0;
        double e1x, e1y, e2x, e2y;
        if (!Number(4, lx1) || !Number(5, ly1) || !Number(6, lx2) || !Number(7, ly2) || !Int(8, ext1) ||
            !Number(9, e1x) || !Number(10, e1y) || !Int(15, ext2) || !Number(16, e2x) || !Number(17, e2y) ||
            !DimensionText(32, true, text, textPoint))
            return m_nError;
        dress();
        const RuVaPnt2d p1 = ext1 != 0 ? RuVaPnt2d(e1x, e1y) : RuVaPnt2d(lx1, ly1);
        const RuVaPnt2d p2 = ext2 != 0 ? RuVaPnt2d(e2x, e2y) : RuVaPnt2d(lx2, ly2);
        if (std::hypot(lx2 - lx1, ly2 - ly1) < 1e-9) {
            ++m_nLeftOut;
            return 0;
        }
        const double angle = std::atan2(ly2 - ly1, lx2 - lx1) * 180.0 / kPi;
        const double da = angle * kPi / 180.0;
        const double t = (lx1 - p1.X()) * -std::sin(da) + (ly1 - p1.Y()) * std::cos(da);
        pDimension = FeatureCreator::CreateLinearDimensionFeature(
            p1, p2, std::fabs(t), NormDeg(t >= 0 ? angle + 90.0 : angle - 90.0), NormDeg(angle), typed(), text, 1,
            textPoint, 0, pSetting, 0, 0);
    } else if (n == "ANGULAR_DIM_FEATURE" || n == "CURVE_DIM_FEATURE") {
        // (..., centre x y, radius of the dimension arc, start and end angle counter-clockwise, the two
        // extension lines as above, two arrows, the text block)
        double cx, cy, r, a0, a1, e1x, e1y;
        int ext1 = 0;
        if (!Number(4, cx) || !Number(5, cy) || !Number(6, r) || !Number(7, a0) || !Number(8, a1) || !Int(9, ext1) ||
            !Number(10, e1x) || !Number(11, e1y) || !DimensionText(33, true, text, textPoint))
            return m_nError;
        dress();
        const RuVaPnt2d c(cx, cy);
        if (!(r > 1e-9) || std::fabs(NormDeg(a1 - a0)) < 1e-9) {
            ++m_nLeftOut;
            return 0;
        }
        auto at = [&c](double rr, double deg) {
            return RuVaPnt2d(c.X() + rr * std::cos(deg * kPi / 180.0), c.Y() + rr * std::sin(deg * kPi / 180.0));
        };
        if (n == "ANGULAR_DIM_FEATURE") {
            pDimension = FeatureCreator::CreateAngularDimensionFeature(c, at(r, a0), at(r, a1), r, typed(), text, 1,
                                                                       textPoint, pSetting, 0);
        } else {
            // The measured arc is where the first extension line starts from; the dimension arc lies out from it.
            const double measured = ext1 != 0 ? c.Distance(RuVaPnt2d(e1x, e1y)) : r;
            if (!(measured > 1e-9)) {
                ++m_nLeftOut;
                return 0;
            }
            pDimension = FeatureCreator::CreateArcDimensionFeature(c, measured, NormDeg(a0), NormDeg(a1),
                                                                   std::max(0.0, r - measured), typed(), text, 1,
                                                                   textPoint, pSetting, 0);
        }
    } else if (n == "RADIUS_DIM_FEATURE") {
        // (..., dimension line x1 y1 x2 y2, one arrow: kind, inside/outside, x, y, scale, the text block); the
        // end with the arrow lies on the curve, the other is the centre.
        double x1, y1, x2, y2, ax, ay;
        if (!Number(4, x1) || !Number(5, y1) || !Number(6, x2) || !Number(7, y2) || !Number(10, ax) ||
            !Number(11, ay) || !DimensionText(13, true, text, textPoint))
            return m_nError;
        dress();
        RuVaPnt2d onCurve(x2, y2), centre(x1, y1);
        const RuVaPnt2d arrow(ax, ay);
        if (arrow.Distance(centre) < arrow.Distance(onCurve))
            std::swap(onCurve, centre);
        pDimension = FeatureCreator::CreateRadiusDimensionFeature(onCurve, centre, typed(), text, 0, textPoint,
                                                                  pSetting, 0);
    } else {
        // diameter: (..., dimension line x1 y1 x2 y2, two arrows of five, the text block)
        double x1, y1, x2, y2;
        if (!Number(4, x1) || !Number(5, y1) || !Number(6, x2) || !Number(7, y2) ||
            !DimensionText(18, true, text, textPoint))
            return m_nError;
        dress();
        pDimension = FeatureCreator::CreateDiameterDimensionFeature(RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y2), typed(),
                                                                    text, 1, textPoint, pSetting, 0);
    }
    if (pDimension == nullptr) {
        ++m_nLeftOut;
        return 0;
    }
    Store(pDimension, layer, colour, type, width);
    return m_nError;
}

int SxfBuilder::AddLabel()
{
    // label_feature(layer, colour, type, width, count, x list, y list (the first point carries the arrow),
    // arrow kind (0 none), arrow scale, the text block)
    int layer = 0, colour = 0, type = 1, width = 1, arrow = 1;
    KcArrayOfGePnt2d pts;
    CString text;
    RuVaPnt2d textPoint;
    if (!Int(0, layer) || !Int(1, colour) || !Int(2, type) || !Int(3, width) || !Points(4, pts) || !Int(7, arrow) ||
        !DimensionText(9, true, text, textPoint))
        return m_nError;
    if (pts.GetSize() < 2) {
        ++m_nLeftOut;
        return 0;
    }
    LeadSetting setting;
    if (const LeadSetting* pCurrent = m_pDoc->GetLeadSetting())
        setting = *pCurrent;
    if (arrow == 0)
        setting.SetType(0);
    setting.SetTextFont(TextStyleOf(setting.GetTextFont()));
    Feature2dBase* pLead = FeatureCreator::CreateLeadFeature(nullptr, text, pts, 1, textPoint, &setting);
    if (pLead == nullptr) {
        ++m_nLeftOut;
        return 0;
    }
    Store(pLead, layer, colour, type, width);
    return m_nError;
}

int SxfBuilder::AddBalloon()
{
    // balloon_feature(layer, colour, type, width, count, x list, y list of the leader (arrow first), centre x y,
    // radius, arrow kind, arrow scale, the text block)
    int layer = 0, colour = 0, type = 1, width = 1;
    KcArrayOfGePnt2d pts;
    double cx, cy, r;
    CString text;
    RuVaPnt2d textPoint;
    if (!Int(0, layer) || !Int(1, colour) || !Int(2, type) || !Int(3, width) || !Points(4, pts) || !Number(7, cx) ||
        !Number(8, cy) || !Number(9, r) || !DimensionText(12, true, text, textPoint))
        return m_nError;
    BalloonSetting setting;
    if (const BalloonSetting* pCurrent = m_pDoc->GetBalloonSetting())
        setting = *pCurrent;
    if (r > 0)
        setting.SetSize(2 * r);
    setting.SetTextFont(TextStyleOf(setting.GetTextFont()));
    // Our balloon stands at the last point, its leader running from the first.
    pts.Add(RuVaPnt2d(cx, cy));
    Feature2dBase* pBalloon = FeatureCreator::CreateBalloonFeature(nullptr, text, pts, &setting);
    if (pBalloon == nullptr) {
        ++m_nLeftOut;
        return 0;
    }
    Store(pBalloon, layer, colour, type, width);
    return m_nError;
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

bool SxfBuilder::Reference(size_t n, int64_t& id)
{
    if (n >= m_pCurrent->params.size())
        return Fail(Part21Reader::resultDamaged, "attribute missing"), false;
    const Value& v = m_pCurrent->params[n];
    if (v.kind == Value::kindReference || v.kind == Value::kindInteger) {
        id = v.integer;
        return true;
    }
    if (v.kind == Value::kindString) {
        std::string t = v.text.ToUtf8();
        if (!t.empty() && t[0] == '#')
            t.erase(0, 1);
        char* end = nullptr;
        const long long value = std::strtoll(t.c_str(), &end, 10);
        if (!t.empty() && end != nullptr && *end == 0) {
            id = value;
            return true;
        }
    }
    return Fail(Part21Reader::resultDamaged, "instance number expected as attribute " + std::to_string(n + 1)), false;
}

int SxfBuilder::AddCompositeCurve()
{
    // composite_curve_org_feature(colour, type, width, shown 1 / hidden 0)
    int colour = 0, type = 1, width = 1, shown = 1;
    if (!Int(0, colour) || !Int(1, type) || !Int(2, width) || !Int(3, shown))
        return m_nError;
    if (m_curves.count(m_pCurrent->id) != 0)
        return Fail(Part21Reader::resultDamaged, "composite curve defined twice");
    m_curves[m_pCurrent->id].bShown = shown != 0;
    m_nCurve = m_pCurrent->id;
    return 0;
}

bool SxfBuilder::Boundary(int64_t id, Feature2dList& list)
{
    const auto it = m_curves.find(id);
    if (it == m_curves.end()) {
        Fail(Part21Reader::resultDamaged, "composite curve #" + std::to_string(id) + " not defined");
        return false;
    }
    list = it->second.pieces;
    return list.GetFeatureSize() > 0;
}

int SxfBuilder::AddHatch()
{
    const std::string& n = m_pCurrent->name;
    int layer = 0, colour = 0, type = 1, width = -1;
    size_t at = 0;  // where the boundary's instance numbers start
    HatchSetting setting;
    if (const HatchSetting* pCurrent = m_pDoc->GetHatchSetting())
        setting = *pCurrent;
    // The fill takes the shape's own colour; the boundary is drawn by its composite curve, if at all.
    setting.SetSolidColorNo(0);
    setting.SetPatternColorNo(0);
    setting.SetRegionDisplayMode(0);
    if (n == "FILL_AREA_STYLE_COLOUR_FEATURE") {
        // (layer, colour, outer boundary, island count, islands)
        if (!Int(0, layer) || !Int(1, colour))
            return m_nError;
        setting.SetHatchType(Hatch2dFeature::Solid);
        at = 2;
    } else if (n == "EXTERNALLY_DEFINED_HATCH_FEATURE") {
        // (layer, colour, type, width, pattern name, outer boundary, island count, islands): a pattern held
        // outside the file, drawn as our 45-degree lines.
        if (!Int(0, layer) || !Int(1, colour) || !Int(2, type) || !Int(3, width))
            return m_nError;
        setting.SetHatchType(Hatch2dFeature::BuiltInPattern);
        setting.SetPatternType(3);
        at = 5;
    } else {
        // fill_area_style_hatching_feature(layer, name, count, then per family of lines a list each of
        // colour, type, width, start x, start y, spacing, angle; outer boundary, island count, islands):
        // a pattern of our own with those families.
        CString name;
        int count = 0;
        std::vector<double> lists[7];
        if (!Int(0, layer) || !Text(1, name) || !Int(2, count))
            return m_nError;
        for (size_t i = 0; i < 7; ++i)
            if (!Numbers(3 + i, lists[i]))
                return m_nError;
        for (const std::vector<double>& l : lists)
            if (count < 1 || static_cast<size_t>(count) != l.size())
                return Fail(Part21Reader::resultDamaged, "line count does not match the hatch lines");
        at = 10;
        LineHatchPattern pattern;
        CString unique = name.IsEmpty() ? CString(_T("SXF")) : name;
        for (int i = 2; m_pDoc->GetHatchPatternTable() != nullptr &&
                        m_pDoc->GetHatchPatternTable()->IsPatternNameExists(unique) && i < 1000;
             ++i)
            unique.Format(_T("%s (%d)"), static_cast<LPCTSTR>(name.IsEmpty() ? CString(_T("SXF")) : name), i);
        pattern.SetPatternName(unique);
        for (size_t i = 0; i < static_cast<size_t>(std::min(count, 64)); ++i) {
            LineHatchPatternLineItem item;
            item.SetColorNo(ColourNo(static_cast<int>(lists[0][i])));
            item.SetLineTypeNo(LineTypeNo(static_cast<int>(lists[1][i])));
            item.SetLineWidthNo(WidthNo(static_cast<int>(lists[2][i])));
            item.SetPoint(RuVaPnt2d(lists[3][i], lists[4][i]));
            item.SetSpace(std::fabs(lists[5][i]));
            item.SetAngle(NormDeg(lists[6][i]));
            pattern.AddLineItem(item);
        }
        const long id = m_pDoc->AddHatchPattern(&pattern);
        if (id < 0) {
            setting.SetHatchType(Hatch2dFeature::BuiltInPattern);
            setting.SetPatternType(3);
        } else {
            setting.SetHatchType(Hatch2dFeature::UserDefined);
            setting.SetPatternID(id);
        }
    }
    int64_t outerID = 0;
    int islandCount = 0;
    if (!Reference(at, outerID) || !Int(at + 1, islandCount))
        return m_nError;
    if (islandCount < 0 || islandCount > 100000)
        return Fail(Part21Reader::resultDamaged, "island count out of range");
    std::vector<int64_t> islandIDs;
    if (islandCount > 0) {
        if (at + 2 >= m_pCurrent->params.size() || m_pCurrent->params[at + 2].kind != Value::kindList)
            return Fail(Part21Reader::resultDamaged, "list expected as attribute " + std::to_string(at + 3));
        const Value& list = m_pCurrent->params[at + 2];
        if (list.items.size() != static_cast<size_t>(islandCount))
            return Fail(Part21Reader::resultDamaged, "island count does not match the islands");
        for (const Value& item : list.items) {
            int64_t id = 0;
            if (item.kind == Value::kindReference || item.kind == Value::kindInteger) {
                id = item.integer;
            } else if (item.kind == Value::kindString) {
                std::string t = item.text.ToUtf8();
                if (!t.empty() && t[0] == '#')
                    t.erase(0, 1);
                id = std::strtoll(t.c_str(), nullptr, 10);
            }
            islandIDs.push_back(id);
        }
    }
    Feature2dList outer;
    if (!Boundary(outerID, outer)) {
        if (m_nError == 0)
            ++m_nLeftOut;
        return m_nError;
    }
    std::vector<Feature2dList> islands(islandIDs.size());
    for (size_t i = 0; i < islandIDs.size(); ++i)
        if (!Boundary(islandIDs[i], islands[i])) {
            if (m_nError == 0)
                ++m_nLeftOut;
            return m_nError;
        }
    std::vector<KcArrayOfGePnt2d> picks(islands.size() + 1);
    Feature2dBase* pHatch = FeatureCreator::CreateHatchFeature(
        outer, picks[0], islands.empty() ? nullptr : islands.data(), islands.empty() ? nullptr : picks.data() + 1,
        static_cast<int>(islands.size()), &setting);
    if (pHatch == nullptr) {
        ++m_nLeftOut;
        return 0;
    }
    Store(pHatch, layer, colour, type, width);
    return m_nError;
}

int SxfBuilder::Add(const Instance& inst)
{
    m_pCurrent = &inst;
    const std::string& n = inst.name;
    // A composite curve runs on over the curve pieces that follow it.
    if (m_nCurve >= 0 && n != "LINE_FEATURE" && n != "POLYLINE_FEATURE" && n != "CIRCLE_FEATURE" &&
        n != "ARC_FEATURE" && n != "ELLIPSE_FEATURE" && n != "ELLIPSE_ARC_FEATURE" && n != "SPLINE_FEATURE" &&
        n != "CLOTHOID_FEATURE")
        m_nCurve = -1;
    if (n == "COMPOSITE_CURVE_ORG_FEATURE")
        return AddCompositeCurve();
    if (n == "FILL_AREA_STYLE_COLOUR_FEATURE" || n == "FILL_AREA_STYLE_HATCHING_FEATURE" ||
        n == "EXTERNALLY_DEFINED_HATCH_FEATURE")
        return AddHatch();
    if (n == "SHEET_FEATURE")
        return AddSheet();
    if (n == "LAYER_FEATURE" || n == "PRE_DEFINED_COLOUR_FEATURE" || n == "USER_DEFINED_COLOUR_FEATURE" ||
        n == "PRE_DEFINED_FONT_FEATURE" || n == "WIDTH_FEATURE" ||
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
    if (n == "USER_DEFINED_FONT_FEATURE")
        return AddUserLineType();
    if (n == "SPLINE_FEATURE")
        return AddSpline();
    if (n == "CLOTHOID_FEATURE")
        return AddClothoid();
    if (n == "LINEAR_DIM_FEATURE" || n == "CURVE_DIM_FEATURE" || n == "ANGULAR_DIM_FEATURE" ||
        n == "RADIUS_DIM_FEATURE" || n == "DIAMETER_DIM_FEATURE")
        return AddDimension();
    if (n == "LABEL_FEATURE")
        return AddLabel();
    if (n == "BALLOON_FEATURE")
        return AddBalloon();
    // Features this reader does not map (tiled hatches, ...) are counted as left out.
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
