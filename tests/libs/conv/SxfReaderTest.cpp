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
