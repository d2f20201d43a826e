// The SXF reader through its public call, on files written to a temporary folder by the test writer and
// one written by hand: each feature to its shape with the key geometry in millimetres, the sheet, layers
// and composite figures, and every kind of bad input with its code and detail.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "libs/conv/SXFSetting.h"
#include "libs/conv/SxfFileConverter.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
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
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "tests/support/conv/SfcWriter.h"

namespace {

constexpr double kTol = 1e-6;

class SxfReaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        doc.InitDocument();
    }

    int Read(const std::string& text, const QString& name = QStringLiteral("plan.sfc"))
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
        f.close();
        return convert.ReadFile(CString::FromQString(path), &doc, &setting, detail);
    }

    std::vector<Feature2dBase*> Shapes(const DrawingFeatureBase* pDrawing) const
    {
        std::vector<Feature2dBase*> out;
        if (pDrawing == nullptr)
            return out;
        for (long id = doc.GetNextFeatureRecordID(pDrawing, -1, 0); id != -1;
             id = doc.GetNextFeatureRecordID(pDrawing, id, 0))
            if (Feature2dBase* f = doc.GetFeature(id))
                out.push_back(f);
        return out;
    }
    std::vector<Feature2dBase*> PaperShapes() const { return Shapes(doc.GetPaperFeature(0)); }

    QTemporaryDir dir;
    Draw2dDocument doc;
    SXFSetting setting;
    SxfFileConverter convert;
    CString detail;
};

void ExpectPoint(const RuVaPnt2d& p, double x, double y)
{
    EXPECT_NEAR(p.X(), x, kTol);
    EXPECT_NEAR(p.Y(), y, kTol);
}

}  // namespace

TEST_F(SxfReaderTest, EachFeatureBecomesItsShape)
{
    struct Case {
        const char* what;
        std::function<void(SfcWriter&)> write;
        std::function<void(Feature2dBase*)> check;
    };
    const std::vector<Case> cases = {
        {"line", [](SfcWriter& w) { w.Line(1, 1, 10, 20, 110, 20); },
         [](Feature2dBase* f) {
             auto* l = dynamic_cast<Line2dFeature*>(f);
             ASSERT_NE(l, nullptr);
             ExpectPoint(l->GetStartPoint(), 10, 20);
             ExpectPoint(l->GetEndPoint(), 110, 20);
         }},
        {"circle", [](SfcWriter& w) { w.Circle(1, 1, 50, 60, 7.5); },
         [](Feature2dBase* f) {
             auto* c = dynamic_cast<Circle2dFeature*>(f);
             ASSERT_NE(c, nullptr);
             ExpectPoint(c->GetCenterPoint(), 50, 60);
             EXPECT_NEAR(c->GetRadius(), 7.5, kTol);
         }},
        {"arc counter-clockwise", [](SfcWriter& w) { w.Arc(1, 1, 0, 0, 10, 0, 30, 120); },
         [](Feature2dBase* f) {
             auto* a = dynamic_cast<Arc2dFeature*>(f);
             ASSERT_NE(a, nullptr);
             EXPECT_NEAR(a->GetStartAngle(), 30, kTol);
             EXPECT_NEAR(a->GetEndAngle(), 120, kTol);
             EXPECT_NEAR(a->GetSweepAngle(), 90, kTol);
         }},
        {"arc clockwise", [](SfcWriter& w) { w.Arc(1, 1, 0, 0, 10, 1, 120, 30); },
         [](Feature2dBase* f) {
             auto* a = dynamic_cast<Arc2dFeature*>(f);
             ASSERT_NE(a, nullptr);
             EXPECT_NEAR(a->GetSweepAngle(), 90, kTol);
             ExpectPoint(a->GetStartPoint(), 10 * std::cos(M_PI / 6), 5);
         }},
        {"polyline",
         [](SfcWriter& w) {
             w.Feature("polyline_feature", {"'1'", "'1'", "'1'", "'1'", "'3'", "('0.0','10.0','10.0')",
                                            "('0.0','0.0','5.0')"});
         },
         [](Feature2dBase* f) {
             auto* p = dynamic_cast<Polyline2dFeature*>(f);
             ASSERT_NE(p, nullptr);
             ASSERT_EQ(p->GetPointSize(), 3);
             ExpectPoint(p->GetPoint(2), 10, 5);
         }},
        {"ellipse",
         [](SfcWriter& w) { w.Quoted("ellipse_feature", {"1", "1", "1", "1", "5", "5", "4", "8", "0"}); },
         [](Feature2dBase* f) {
             // Taller than wide: the major radius lies a quarter turn round.
             auto* e = dynamic_cast<Ellipse2dFeature*>(f);
             ASSERT_NE(e, nullptr);
             EXPECT_NEAR(e->GetMajorRadius(), 8, kTol);
             EXPECT_NEAR(e->GetMinorRadius(), 4, kTol);
             EXPECT_NEAR(e->GetAngle(), 90, kTol);
         }},
        {"point marker", [](SfcWriter& w) { w.Quoted("point_marker_feature", {"1", "1", "3", "4", "1", "0", "1"}); },
         [](Feature2dBase* f) {
             auto* p = dynamic_cast<PointMarker2dFeature*>(f);
             ASSERT_NE(p, nullptr);
             ExpectPoint(p->GetPoint(), 3, 4);
         }},
        {"text", [](SfcWriter& w) { w.Text(1, 2, 1, u"平面図 A", 30, 40, 5, 90, 5); },
         [](Feature2dBase* f) {
             auto* t = dynamic_cast<Text2dFeature*>(f);
             ASSERT_NE(t, nullptr);
             EXPECT_EQ(t->GetText().str(), u"平面図 A");
             ExpectPoint(t->GetPoint(), 30, 40);
             EXPECT_NEAR(t->GetHeight(), 5, kTol);
             EXPECT_NEAR(t->GetAngle(), 90, kTol);
             EXPECT_EQ(t->GetHorizonArrange(), 1);  // base point 5: the middle
             EXPECT_EQ(t->GetVerticalArrange(), 1);
             EXPECT_EQ(t->GetFontName().str(), u"MS Gothic");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.InitDocument();
        SfcWriter w;
        w.Layer("walls");
        w.Quoted("text_font_feature", {"MS Gothic"});
        c.write(w);
        ASSERT_EQ(Read(w.Contents()), 1) << detail.ToUtf8();
        const std::vector<Feature2dBase*> shapes = PaperShapes();
        ASSERT_EQ(shapes.size(), 1u);
        c.check(shapes[0]);
    }
}

TEST_F(SxfReaderTest, SheetLayersAndColours)
{
    SfcWriter w;
    w.Sheet("Plan", 3, 1);
    w.Layer("walls");
    w.Layer("hidden", 0);
    w.Quoted("user_defined_colour_feature", {"10", "20", "30"});
    w.Line(2, 2, 0, 0, 10, 0);   // red
    w.Line(1, 17, 0, 5, 10, 5);  // the first user colour
    ASSERT_EQ(Read(w.Contents()), 2) << detail.ToUtf8();
    double pw = 0, ph = 0;
    ASSERT_TRUE(doc.GetPaperSize(_T("Plan"), pw, ph));
    EXPECT_NEAR(pw, 420, kTol);
    EXPECT_NEAR(ph, 297, kTol);
    const LayerFeatureTable* layers = doc.GetLayerTable();
    const std::vector<Feature2dBase*> shapes = PaperShapes();
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(layers->GetLayerName(shapes[0]->GetLayerID()), CString(_T("hidden")));
    EXPECT_EQ(layers->GetLayerState(shapes[0]->GetLayerID()), 2);
    EXPECT_EQ(layers->GetLayerName(shapes[1]->GetLayerID()), CString(_T("walls")));
    const ColorFeatureTable* colours = doc.GetColorFeatureTable();
    EXPECT_EQ(colours->GetColorRef(shapes[0]->GetColorNo()), RGB(255, 0, 0));
    EXPECT_EQ(colours->GetColorRef(shapes[1]->GetColorNo()), RGB(10, 20, 30));
}

TEST_F(SxfReaderTest, CompositeFiguresBecomePartDrawingsAndComponents)
{
    SfcWriter w;
    w.Sheet("Sheet", 2, 1);
    w.Layer("0");
    w.Figure("Detail", 1);
    w.Line(1, 1, 0, 0, 1000, 0);
    w.Figure("Bolt", 4);
    w.Circle(1, 1, 0, 0, 2);
    w.Locate(1, "Detail", 50, 60, 0, 0.02, 0.02);
    w.Locate(1, "Bolt", 100, 100, 30, 2, 2);
    w.Line(1, 1, 0, 0, 5, 0);  // after the placements: on the sheet
    ASSERT_EQ(Read(w.Contents()), 4) << detail.ToUtf8();
    DrawingFeatureBase* part = doc.GetDrawingFeatureByName(_T("Detail"));
    ASSERT_NE(part, nullptr);
    ASSERT_EQ(Shapes(part).size(), 1u);
    Paper2dFeature* paper = doc.GetPaperFeature(0);
    ASSERT_EQ(paper->GetPartLayoutCount(), 1);
    const PartDrawingLayout* layout = paper->GetPartLayout(0);
    EXPECT_EQ(layout->GetDrawingID(), part->GetDrawingID());
    EXPECT_NEAR(layout->GetScaleNumeratorX(), 1, kTol);
    EXPECT_NEAR(layout->GetScaleDenominatorX(), 50, kTol);
    ExpectPoint(layout->GetOrigin(), 50, 60);
    const std::vector<Feature2dBase*> onPaper = PaperShapes();
    ASSERT_EQ(onPaper.size(), 2u);
    auto* inst = dynamic_cast<DrawComponent2dFeature*>(onPaper[0]);
    ASSERT_NE(inst, nullptr);
    const DrawComponent2dFeatureDefine* def = doc.GetComponentDefineTable()->GetComponentDefine(inst->GetComponentDefineID());
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetComponentName(), CString(_T("Bolt")));
    ExpectPoint(inst->GetOrigin(), 100, 100);
    EXPECT_NEAR(inst->GetAngle(), 30, kTol);
    double sx = 0, sy = 0;
    inst->GetScale(sx, sy);
    EXPECT_NEAR(sx, 2, kTol);
    EXPECT_TRUE(dynamic_cast<Line2dFeature*>(onPaper[1]) != nullptr);
}

// Written by hand from the published descriptions, so that a misreading shared by the test writer and the
// reader shows. Each line says what its bytes mean.
TEST_F(SxfReaderTest, HandMadeFeatureCommentFile)
{
    const std::string text =
        "ISO-10303-21;\n"                                        // the exchange structure's opening keyword
        "HEADER;\n"                                              // header section: three entities
        "FILE_DESCRIPTION(('SCADEC level2 feature_mode'),'2;1');\n"  // feature-comment form, level 2
        "FILE_NAME('x.sfc','2026-12-11T10:00:00',('a'),('b'),'SCADEC_API_Ver3.30$$2.0','c','');\n"
        "FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\n"             // the drafting schema
        "ENDSEC;\n"
        "DATA;\n"                                                // the features, each as one comment
        "/*SXF\n#10 = sheet_feature('S1','4','0','0.000000','0.000000')\nSXF*/\n"  // A4 (4), portrait (0)
        "/*SXF\n#20 = layer_feature('L1','1')\nSXF*/\n"          // layer code 1, shown
        "/*SXF\n#30 = line_feature('1','4','1','3','1.5','2.5','11.5','2.5')\nSXF*/\n"  // blue, 0.25 mm
        "/*SXF\n#40 = text_string_feature('1','1','1','\x95\x5c\x8e\xa6','0','0','3.5','7','0','0','0','1','1')\nSXF*/\n"
        // raw Shift-JIS "表示" whose first character ends in a backslash byte; font code 1 names no font
        "ENDSEC;\n"
        "END-ISO-10303-21;\n";
    ASSERT_EQ(Read(text), 2) << detail.ToUtf8();
    double pw = 0, ph = 0;
    ASSERT_TRUE(doc.GetPaperSize(_T("S1"), pw, ph));
    EXPECT_NEAR(pw, 210, kTol);
    EXPECT_NEAR(ph, 297, kTol);
    const std::vector<Feature2dBase*> shapes = PaperShapes();
    ASSERT_EQ(shapes.size(), 2u);
    auto* line = dynamic_cast<Line2dFeature*>(shapes[0]);
    ASSERT_NE(line, nullptr);
    ExpectPoint(line->GetStartPoint(), 1.5, 2.5);
    EXPECT_EQ(doc.GetColorFeatureTable()->GetColorRef(line->GetColorNo()), RGB(0, 0, 255));
    auto* t = dynamic_cast<Text2dFeature*>(shapes[1]);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetText().str(), u"表示");
}

TEST_F(SxfReaderTest, BadInputGivesItsCodeAndDetailAndNoShapes)
{
    SfcWriter good;
    good.Layer("a");
    good.Line(1, 1, 0, 0, 1, 1);
    const std::string full = good.Contents();
    struct Case {
        std::string text;
        int code;
        const char* detail;
    };
    auto feature = [](const std::string& f) {
        SfcWriter w;
        w.Layer("a");
        w.Raw(f);
        return w.Contents();
    };
    const Case cases[] = {
        {"", SxfFileConverter::resultNotSxf, "line 1: not an ISO 10303-21 file"},
        {"garbage\n", SxfFileConverter::resultNotSxf, "line 1: not an ISO 10303-21 file"},
        {full.substr(0, full.size() / 2), SxfFileConverter::resultDamaged, nullptr},
        {full.substr(0, full.find("END-ISO")), SxfFileConverter::resultDamaged, nullptr},
        {feature("/*SXF\n#56 = line_feature('1','1','1','1','0','0','1','1'\nSXF*/\n"),
         SxfFileConverter::resultDamaged, "line 13: ')' expected in #56"},
        {feature("/*SXF\n#56 = line_feature('1','1','1','1','x','0','1','1')\nSXF*/\n"),
         SxfFileConverter::resultDamaged, "line 12: number expected as attribute 5 in #56"},
        {feature("/*SXF\n#56 = line_feature('1','1','1','1','0')\nSXF*/\n"), SxfFileConverter::resultDamaged,
         "line 12: attribute missing in #56"},
        {feature("/*SXF\n#56 = sfig_locate_feature('1','none','0','0','0','1','1')\nSXF*/\n"),
         SxfFileConverter::resultDamaged, "line 12: composite figure 'none' not defined in #56"},
        {feature("/*SXF\n#56 = line_feature('1','1','1','1','1e300','0','1','1')\nSXF*/\n"),
         SxfFileConverter::resultBeyondLimits, "line 12: number out of range as attribute 5 in #56"},
        {feature("/*SXF\n#56 = polyline_feature('1','1','1','1','3',('0','1'),('0','1'))\nSXF*/\n"),
         SxfFileConverter::resultDamaged, "line 12: point count does not match the coordinates in #56"},
        {"ISO-10303-21;\nHEADER;\nENDSEC;\nDATA;\nENDSEC;\nEND-ISO-10303-21;\n", SxfFileConverter::resultNotSxf,
         "line 1: no SXF features"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.detail != nullptr ? c.detail : c.text.substr(0, 40));
        doc.InitDocument();
        EXPECT_EQ(Read(c.text), c.code);
        if (c.detail != nullptr)
            EXPECT_EQ(detail.ToUtf8(), c.detail);
        else
            EXPECT_FALSE(detail.IsEmpty());
        EXPECT_EQ(doc.GetFeatureCount(), 0);
    }
}

TEST_F(SxfReaderTest, InstanceFormIsToldApartAndCancelStops)
{
    const std::string instances =
        "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('SCADEC level2 instance_mode'),'2;1');\nENDSEC;\nDATA;\n"
        "#1 = CARTESIAN_POINT('',(0.,0.));\nENDSEC;\nEND-ISO-10303-21;\n";
    EXPECT_EQ(Read(instances, QStringLiteral("plan.p21")), SxfFileConverter::resultKindNotReadable);
    EXPECT_EQ(doc.GetFeatureCount(), 0);

    // The same features in a file named .p21 are read by content.
    SfcWriter w;
    w.Layer("a");
    w.Line(1, 1, 0, 0, 1, 1);
    EXPECT_EQ(Read(w.Contents(), QStringLiteral("plan.p21")), 1);

    doc.InitDocument();
    convert.SetNotifyProgressFunction([](NotifyProgressInfo* info, void*) { return info->m_nKind == NotifyProgressInfo::kindEnd ? 1 : 0; },
                                      nullptr);
    EXPECT_EQ(Read(w.Contents()), SxfFileConverter::resultCancelled);
    EXPECT_EQ(doc.GetFeatureCount(), 0);
}

namespace {

// Attribute lists of the annotation features, every value a quoted string as the writers give them.
std::vector<std::string> Attrs(std::initializer_list<std::string> values)
{
    std::vector<std::string> out;
    for (const std::string& v : values)
        out.push_back(v);
    return out;
}
void Append(std::vector<std::string>& to, const std::vector<std::string>& more)
{
    to.insert(to.end(), more.begin(), more.end());
}
// The text block: shown flag, font, text, point, height, width, spacing, angle, slant, base point, direction.
std::vector<std::string> TextBlock(const std::string& text, double x, double y, bool shown = true)
{
    return {shown ? "1" : "0", "1", text, SfcWriter::N(x), SfcWriter::N(y), "4.2", "10", "0", "0", "0", "1", "1"};
}
// An extension line (flag, measured point, start, end) and an arrow (kind, inside, point, scale).
std::vector<std::string> Extension(double x0, double y0, double x1, double y1, double x2, double y2)
{
    return {"1", SfcWriter::N(x0), SfcWriter::N(y0), SfcWriter::N(x1), SfcWriter::N(y1), SfcWriter::N(x2),
            SfcWriter::N(y2)};
}
std::vector<std::string> NoExtension() { return {"0", "0", "0", "0", "0", "0", "0"}; }
std::vector<std::string> Arrow(double x, double y) { return {"1", "1", SfcWriter::N(x), SfcWriter::N(y), "1"}; }

}  // namespace

TEST_F(SxfReaderTest, DimensionsLabelsAndBalloonsBecomeOurs)
{
    struct Case {
        const char* what;
        const char* feature;
        std::vector<std::string> attributes;
        std::function<void(Feature2dBase*)> check;
    };
    auto linear = Attrs({"1", "1", "1", "1", "0", "10", "100", "10"});
    Append(linear, Extension(0, 0, 0, 2, 0, 12));
    Append(linear, Extension(100, -5, 100, -3, 100, 12));
    Append(linear, Arrow(0, 10));
    Append(linear, Arrow(100, 10));
    Append(linear, TextBlock("100", 50, 11));
    // Drawn below its points, with the text left off: our measured value.
    auto below = Attrs({"1", "1", "1", "1", "0", "-10", "0", "30"});
    Append(below, Extension(5, 0, 3, 0, -12, 0));
    Append(below, Extension(5, 30, 3, 30, -12, 30));
    Append(below, Arrow(0, -10));
    Append(below, Arrow(0, 30));
    Append(below, TextBlock("", -11, 15, false));
    auto angular = Attrs({"1", "1", "1", "1", "0", "0", "20", "30", "120"});
    Append(angular, NoExtension());
    Append(angular, NoExtension());
    Append(angular, Arrow(0, 20));
    Append(angular, Arrow(20, 0));
    Append(angular, TextBlock("90°", 15, 15));
    auto curve = Attrs({"1", "1", "1", "1", "0", "0", "30", "0", "90"});
    Append(curve, Extension(20, 0, 22, 0, 32, 0));
    Append(curve, Extension(0, 20, 0, 22, 0, 32));
    Append(curve, Arrow(30, 0));
    Append(curve, Arrow(0, 30));
    Append(curve, TextBlock("31.42", 22, 22));
    auto radius = Attrs({"1", "1", "1", "1", "15", "0", "0", "0"});  // written from the curve to the centre
    Append(radius, Arrow(15, 0));
    Append(radius, TextBlock("R15", 8, 1));
    auto diameter = Attrs({"1", "1", "1", "1", "-10", "0", "10", "0"});
    Append(diameter, Arrow(-10, 0));
    Append(diameter, Arrow(10, 0));
    Append(diameter, TextBlock("", 0, 1));
    auto label = Attrs({"1", "1", "1", "1", "3", "('0','10','20')", "('0','10','10')", "0", "1"});
    Append(label, TextBlock("Concrete", 12, 11));
    auto balloon = Attrs({"1", "1", "1", "1", "2", "('0','20')", "('0','20')", "25", "25", "5", "1", "1"});
    Append(balloon, TextBlock("7", 25, 25));

    const std::vector<Case> cases = {
        {"linear dimension", "linear_dim_feature", linear,
         [](Feature2dBase* f) {
             auto* d = dynamic_cast<LinearDimension2dFeature*>(f);
             ASSERT_NE(d, nullptr);
             ExpectPoint(d->GetPoint(0), 0, 0);
             ExpectPoint(d->GetPoint(1), 100, -5);
             EXPECT_NEAR(d->GetProjectionLength(), 10, kTol);
             EXPECT_NEAR(d->GetProjectionAngle(), 90, kTol);
             EXPECT_NEAR(d->GetDimensionAngle(), 0, kTol);
             EXPECT_NEAR(d->GetMeasuredValue(), 100, kTol);
             EXPECT_TRUE(d->GetValueTextManualMode());
             EXPECT_EQ(d->GetValueTextRaw(), CString(_T("100")));
             ExpectPoint(d->GetValueTextPoint(), 50, 11);
             EXPECT_NEAR(d->GetTextHeight(), 4.2, kTol);  // the file's, whatever the document's style says
         }},
        {"vertical dimension to the left", "linear_dim_feature", below,
         [](Feature2dBase* f) {
             auto* d = dynamic_cast<LinearDimension2dFeature*>(f);
             ASSERT_NE(d, nullptr);
             EXPECT_NEAR(d->GetDimensionAngle(), 90, kTol);
             EXPECT_NEAR(d->GetProjectionLength(), 5, kTol);
             EXPECT_NEAR(d->GetProjectionAngle(), 180, kTol);
             EXPECT_NEAR(d->GetMeasuredValue(), 30, kTol);
             EXPECT_FALSE(d->GetValueTextManualMode());
         }},
        {"angular dimension", "angular_dim_feature", angular,
         [](Feature2dBase* f) {
             auto* d = dynamic_cast<AngularDimension2dFeature*>(f);
             ASSERT_NE(d, nullptr);
             ExpectPoint(d->GetCenterPoint(), 0, 0);
             EXPECT_NEAR(d->GetRadius(), 20, kTol);
             ExpectPoint(d->GetStartPoint(), 20 * std::cos(M_PI / 6), 10);
             ExpectPoint(d->GetEndPoint(), -10, 20 * std::cos(M_PI / 6));
             EXPECT_EQ(d->GetValueTextRaw().str(), u"90°");
         }},
        {"arc length dimension", "curve_dim_feature", curve,
         [](Feature2dBase* f) {
             auto* d = dynamic_cast<ArcDimension2dFeature*>(f);
             ASSERT_NE(d, nullptr);
             EXPECT_NEAR(d->GetRadius(), 20, kTol);
             EXPECT_NEAR(d->GetProjectionLength(), 10, kTol);
             EXPECT_NEAR(d->GetStartAngle(), 0, kTol);
             EXPECT_NEAR(d->GetEndAngle(), 90, kTol);
         }},
        {"radius dimension", "radius_dim_feature", radius,
         [](Feature2dBase* f) {
             auto* d = dynamic_cast<RadiusDimension2dFeature*>(f);
             ASSERT_NE(d, nullptr);
             ExpectPoint(d->GetStartPoint(), 0, 0);  // the centre: the end without the arrow
             ExpectPoint(d->GetEndPoint(), 15, 0);
             EXPECT_EQ(d->GetValueTextRaw(), CString(_T("R15")));
         }},
        {"diameter dimension", "diameter_dim_feature", diameter,
         [](Feature2dBase* f) {
             auto* d = dynamic_cast<DiameterDimension2dFeature*>(f);
             ASSERT_NE(d, nullptr);
             EXPECT_NEAR(d->GetMeasuredValue(), 20, kTol);
             EXPECT_FALSE(d->GetValueTextManualMode());
         }},
        {"label", "label_feature", label,
         [](Feature2dBase* f) {
             auto* l = dynamic_cast<Lead2dFeature*>(f);
             ASSERT_NE(l, nullptr);
             ASSERT_EQ(l->GetPointSize(), 3);
             ExpectPoint(l->GetPoint(0), 0, 0);
             ExpectPoint(l->GetPoint(2), 20, 10);
             EXPECT_EQ(l->GetText(), CString(_T("Concrete")));
             EXPECT_EQ(l->GetArrowType(), 0);  // arrow kind 0: none
             EXPECT_NEAR(l->GetTextHeight(), 4.2, kTol);
             ExpectPoint(l->GetTextPoint(), 12, 11);
         }},
        {"balloon", "balloon_feature", balloon,
         [](Feature2dBase* f) {
             auto* b = dynamic_cast<Balloon2dFeature*>(f);
             ASSERT_NE(b, nullptr);
             ExpectPoint(b->GetCenterPoint(), 25, 25);
             ASSERT_EQ(b->GetLeadPointSize(), 2);
             ExpectPoint(b->GetLeadPoint(0), 0, 0);
             EXPECT_NEAR(b->GetBalloonSize(), 10, kTol);
             EXPECT_EQ(b->GetText(), CString(_T("7")));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.InitDocument();
        SfcWriter w;
        w.Layer("dims");
        std::vector<std::string> quoted;
        for (const std::string& a : c.attributes)
            quoted.push_back(a.size() > 0 && a[0] == '(' ? a : SfcWriter::S(a));
        w.Feature(c.feature, quoted);
        ASSERT_EQ(Read(w.Contents()), 1) << detail.ToUtf8();
        EXPECT_EQ(convert.GetLeftOutCount(), 0);
        const std::vector<Feature2dBase*> shapes = PaperShapes();
        ASSERT_EQ(shapes.size(), 1u);
        c.check(shapes[0]);
    }
}

TEST_F(SxfReaderTest, SplinesClothoidsAndUserLineTypes)
{
    SfcWriter w;
    w.Layer("curves");
    // User line types take the codes after the fifteen predefined ones, in the order given.
    w.Feature("user_defined_font_feature", {SfcWriter::Q("dash 4-1"), SfcWriter::Q("2"), "('4.0','1.0')"});
    w.Feature("user_defined_font_feature",
              {SfcWriter::Q("chain"), SfcWriter::Q("4"), "('10.0','1.5','0.5','1.5')"});
    w.Feature("spline_feature", {"'1'", "'1'", "'17'", "'1'", "'1'", "'4'", "('0','10','20','30')",
                                 "('0','10','-10','0')"});
    w.Feature("spline_feature", {"'1'", "'1'", "'16'", "'1'", "'0'", "'4'", "('0','10','10','0')",
                                 "('0','0','10','10')"});
    // A clothoid of A = 50 from its origin along 100 mm, turning clockwise, its tangent at the origin at 30°.
    w.Quoted("clothoid_feature", {"1", "1", "1", "1", "5", "6", "50", "2", "30", "0", "100"});
    ASSERT_EQ(Read(w.Contents()), 3) << detail.ToUtf8();
    const std::vector<Feature2dBase*> shapes = PaperShapes();
    ASSERT_EQ(shapes.size(), 3u);

    auto* open = dynamic_cast<BSplineCurve2dFeature*>(shapes[0]);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->GetKind(), BSplineCurve2dFeature::ControlPoints);
    EXPECT_EQ(open->GetDegree(), 3);
    EXPECT_FALSE(open->IsClosed());
    ASSERT_EQ(open->GetPointSize(), 4);
    ExpectPoint(open->GetPoint(2), 20, -10);
    auto* closed = dynamic_cast<BSplineCurve2dFeature*>(shapes[1]);
    ASSERT_NE(closed, nullptr);
    EXPECT_TRUE(closed->IsClosed());

    const LineTypeFeatureTable* types = doc.GetLineTypeFeatureTable();
    const LineTypeFeature* chain = types->GetLineTypeByNo(open->GetLineTypeNo());
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->GetLineTypeName(), CString(_T("chain")));
    ASSERT_EQ(chain->GetLineTypeSegment(), 4);
    EXPECT_NEAR(chain->GetLineTypeSegmentAt(0), 10.0, kTol);
    const LineTypeFeature* dash = types->GetLineTypeByNo(closed->GetLineTypeNo());
    ASSERT_NE(dash, nullptr);
    EXPECT_EQ(dash->GetLineTypeName(), CString(_T("dash 4-1")));

    // The clothoid is a curve through its points that strays from the true one by under 0.01 mm.
    auto* fitted = dynamic_cast<BSplineCurve2dFeature*>(shapes[2]);
    ASSERT_NE(fitted, nullptr);
    EXPECT_EQ(fitted->GetKind(), BSplineCurve2dFeature::InterpolatePoints);
    const double a = 50, turn = 30 * M_PI / 180;
    std::vector<RuVaPnt2d> truth;  // the clothoid itself, every 1/100 mm
    double x = 0, y = 0;
    const double step = 0.01;
    for (int i = 0; i <= 10000; ++i) {
        const double s = i * step;
        truth.emplace_back(5 + x * std::cos(turn) + y * std::sin(turn), 6 + x * std::sin(turn) - y * std::cos(turn));
        const double m = s + step / 2;  // midpoint rule for the next step
        x += step * std::cos(m * m / (2 * a * a));
        y += step * std::sin(m * m / (2 * a * a));
    }
    ExpectPoint(fitted->GetPoint(0), 5, 6);
    EXPECT_LT(fitted->GetPoint(fitted->GetPointSize() - 1).Distance(truth.back()), 0.005);
    std::unique_ptr<RuVaBSplineCurve2d> curve(ConvertFeatureToGeom2d::ConvertBSplineCurve(fitted));
    ASSERT_NE(curve, nullptr);
    double worst = 0;
    const double u0 = curve->FirstParameter(), u1 = curve->LastParameter();
    for (int i = 0; i <= 2000; ++i) {
        RuVaPnt2d p;
        ASSERT_TRUE(curve->D0(u0 + (u1 - u0) * i / 2000, p));
        double nearest = 1e300;
        for (const RuVaPnt2d& t : truth)
            nearest = std::min(nearest, t.Distance(p));
        worst = std::max(worst, nearest);
    }
    EXPECT_LT(worst, 0.01);
}

TEST_F(SxfReaderTest, HatchesOverCompositeCurves)
{
    // Each composite curve takes the pieces that follow it: a square drawn as four lines (#20) and a hidden
    // circle (#70); the hatches name them by instance number.
    SfcWriter w;
    w.Layer("fill");
    w.Quoted("composite_curve_org_feature", {"1", "1", "1", "1"});
    w.Line(1, 1, 0, 0, 100, 0);
    w.Line(1, 1, 100, 0, 100, 100);
    w.Line(1, 1, 100, 100, 0, 100);
    w.Line(1, 1, 0, 100, 0, 0);
    w.Quoted("composite_curve_org_feature", {"1", "1", "1", "0"});
    w.Circle(1, 1, 50, 50, 10);
    w.Feature("fill_area_style_colour_feature", {"'1'", "'2'", "'#20'", "'1'", "('#70')"});
    w.Feature("fill_area_style_hatching_feature",
                 {"'1'", "'cross'", "'2'", "('2','4')", "('1','1')", "('1','1')", "('0','0')", "('0','0')",
                  "('3','6')", "('45','135')", "'20'", "'0'"});
    w.Feature("externally_defined_hatch_feature", {"'1'", "'1'", "'1'", "'1'", "'JIS concrete'", "'20'", "'0'"});
    ASSERT_EQ(Read(w.Contents()), 7) << detail.ToUtf8();
    const std::vector<Feature2dBase*> shapes = PaperShapes();
    ASSERT_EQ(shapes.size(), 7u);  // four lines, the circle hidden, three hatches
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(dynamic_cast<Line2dFeature*>(shapes[i]), nullptr);

    auto* solid = dynamic_cast<Hatch2dFeature*>(shapes[4]);
    ASSERT_NE(solid, nullptr);
    EXPECT_EQ(solid->GetHatchType(), Hatch2dFeature::Solid);
    EXPECT_EQ(solid->GetInnerRegionCount(), 1);
    const RuVaBndBox2d box = solid->GetBndBox();
    EXPECT_NEAR(box.XMax() - box.XMin(), 100, 1e-6);
    EXPECT_EQ(doc.GetColorFeatureTable()->GetColorRef(solid->GetColorNo()), RGB(255, 0, 0));

    auto* lines = dynamic_cast<Hatch2dFeature*>(shapes[5]);
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->GetHatchType(), Hatch2dFeature::UserDefined);
    const HatchPatternTable* patterns = doc.GetHatchPatternTable();
    auto* pattern =
        dynamic_cast<const LineHatchPattern*>(patterns->GetHatchPattern(lines->GetHatchSetting().GetPatternID()));
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(pattern->GetPatternName(), CString(_T("cross")));
    ASSERT_EQ(pattern->GetLineItemCount(), 2);
    EXPECT_NEAR(pattern->GetLineItem(1).GetAngle(), 135, kTol);
    EXPECT_NEAR(pattern->GetLineItem(1).GetSpace(), 6, kTol);
    EXPECT_EQ(doc.GetColorFeatureTable()->GetColorRef(pattern->GetLineItem(0).GetColorNo()), RGB(255, 0, 0));

    auto* outside = dynamic_cast<Hatch2dFeature*>(shapes[6]);
    ASSERT_NE(outside, nullptr);
    EXPECT_EQ(outside->GetHatchType(), Hatch2dFeature::BuiltInPattern);
    EXPECT_EQ(outside->GetInnerRegionCount(), 0);

    w.Feature("fill_area_style_colour_feature", {"'1'", "'2'", "'#999'", "'0'"});
    doc.InitDocument();
    EXPECT_EQ(Read(w.Contents()), SxfFileConverter::resultDamaged);
    EXPECT_EQ(detail.ToUtf8(), "line 42: composite curve #999 not defined in #120");
}
