// The JWW reader through its public call, on files written by the test writer and one written by hand:
// each shape class to its shape with the key geometry in millimetres, layer groups to part drawings and
// layers, blocks to components, and bad input of every kind with its code and no shapes left.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "libs/conv/JWConvert.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "tests/support/conv/JwwWriter.h"

namespace {

constexpr double kTol = 1e-6;
constexpr double kPi = 3.14159265358979323846;

class JwwReaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        doc.InitDocument();
    }

    int Read(const std::string& bytes)
    {
        const QString path = dir.filePath(QStringLiteral("plan.jww"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        f.close();
        return convert.ReadJWWFile(CString::FromQString(path), &doc, message, 0);
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

    QTemporaryDir dir;
    Draw2dDocument doc;
    JWConvert convert;
    CString message;
};

void ExpectPoint(const RuVaPnt2d& p, double x, double y)
{
    EXPECT_NEAR(p.X(), x, kTol);
    EXPECT_NEAR(p.Y(), y, kTol);
}

}  // namespace

TEST_F(JwwReaderTest, EachShapeClassBecomesItsShape)
{
    using B = JwwWriter::Base;
    struct Case {
        const char* what;
        std::function<void(JwwWriter&)> write;
        std::function<void(Feature2dBase*)> check;
    };
    const std::vector<Case> cases = {
        {"line", [](JwwWriter& w) { w.Line(B{}, 1, 2, 30, 40); },
         [](Feature2dBase* f) {
             auto* l = dynamic_cast<Line2dFeature*>(f);
             ASSERT_NE(l, nullptr);
             ExpectPoint(l->GetStartPoint(), 1, 2);
             ExpectPoint(l->GetEndPoint(), 30, 40);
         }},
        {"circle", [](JwwWriter& w) { w.Arc(B{}, 5, 6, 10, 0, 2 * kPi, 0, 1, true); },
         [](Feature2dBase* f) {
             auto* c = dynamic_cast<Circle2dFeature*>(f);
             ASSERT_NE(c, nullptr);
             ExpectPoint(c->GetCenterPoint(), 5, 6);
             EXPECT_NEAR(c->GetRadius(), 10, kTol);
         }},
        {"arc turned by its tilt", [](JwwWriter& w) { w.Arc(B{}, 0, 0, 10, 0, kPi / 2, kPi / 6, 1, false); },
         [](Feature2dBase* f) {
             auto* a = dynamic_cast<Arc2dFeature*>(f);
             ASSERT_NE(a, nullptr);
             EXPECT_NEAR(a->GetStartAngle(), 30, kTol);
             EXPECT_NEAR(a->GetEndAngle(), 120, kTol);
         }},
        {"ellipse", [](JwwWriter& w) { w.Arc(B{}, 0, 0, 10, 0, 2 * kPi, kPi / 4, 0.5, true); },
         [](Feature2dBase* f) {
             auto* e = dynamic_cast<Ellipse2dFeature*>(f);
             ASSERT_NE(e, nullptr);
             EXPECT_NEAR(e->GetMajorRadius(), 10, kTol);
             EXPECT_NEAR(e->GetMinorRadius(), 5, kTol);
             EXPECT_NEAR(e->GetAngle(), 45, kTol);
         }},
        {"virtual point", [](JwwWriter& w) { w.Point(B{}, 7, 8, true); },
         [](Feature2dBase* f) {
             auto* p = dynamic_cast<PointMarker2dFeature*>(f);
             ASSERT_NE(p, nullptr);
             ExpectPoint(p->GetPoint(), 7, 8);
             EXPECT_TRUE(p->IsVirtual());
         }},
        {"Japanese text",
         [](JwwWriter& w) {
             w.Text(B{}, 10, 20, 3, 4, 0.5, 30, JwwWriter::Sjis(u"ＭＳ 明朝"), JwwWriter::Sjis(u"平面図"));
         },
         [](Feature2dBase* f) {
             auto* t = dynamic_cast<Text2dFeature*>(f);
             ASSERT_NE(t, nullptr);
             EXPECT_EQ(t->GetText().str(), u"平面図");
             EXPECT_EQ(t->GetFontName().str(), u"ＭＳ 明朝");
             ExpectPoint(t->GetPoint(), 10, 20);
             EXPECT_NEAR(t->GetHeight(), 4, kTol);
             EXPECT_NEAR(t->GetWidthRatio(), 0.75, kTol);
             EXPECT_NEAR(t->GetAngle(), 30, kTol);
         }},
        {"solid",
         [](JwwWriter& w) {
             B b;
             b.colour = 10;
             w.Solid(b, {0, 0, 0, 10, 10, 0, 10, 10}, true, 0x0000FF);  // corners 1, 4, 2, 3; red
         },
         [](Feature2dBase* f) { EXPECT_NE(dynamic_cast<Hatch2dFeature*>(f), nullptr); }},
        {"dimension",
         [](JwwWriter& w) { w.Dimension(B{}, 0, 10, 100, 10, 45, 11, "100", 0, 0, 100, 0); },
         [](Feature2dBase* f) {
             auto* d = dynamic_cast<LinearDimension2dFeature*>(f);
             ASSERT_NE(d, nullptr);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.InitDocument();
        JwwWriter w;
        c.write(w);
        ASSERT_EQ(Read(w.Bytes()), 1) << message.ToUtf8();
        const std::vector<Feature2dBase*> shapes = Shapes(doc.GetDrawingFeatureByName(_T("Group 0")));
        ASSERT_EQ(shapes.size(), 1u);
        c.check(shapes[0]);
    }
}

TEST_F(JwwReaderTest, LayerGroupsBecomePartDrawingsLaidOutAtTheirScale)
{
    JwwWriter w;
    w.paper = 2;  // A2
    w.scale[0] = 1;
    w.scale[1] = 50;
    w.groupName[1] = JwwWriter::Sjis(u"配置図");
    w.layerName[1][3] = JwwWriter::Sjis(u"壁");
    w.layerState[1][3] = 0;  // hidden
    w.layerState[1][4] = 1;  // shown only
    JwwWriter::Base onWall;
    onWall.group = 1;
    onWall.layer = 3;
    onWall.colour = 6;
    w.Line(JwwWriter::Base{}, 0, 0, 10, 0);
    w.Line(onWall, 0, 0, 1000, 0);
    ASSERT_EQ(Read(w.Bytes()), 2) << message.ToUtf8();

    double pw = 0, ph = 0;
    Paper2dFeature* paper = doc.GetPaperFeature(0);
    ASSERT_TRUE(doc.GetPaperSize(paper->GetDrawingName(), pw, ph));
    EXPECT_NEAR(pw, 594, kTol);
    EXPECT_NEAR(ph, 420, kTol);
    ASSERT_EQ(paper->GetPartLayoutCount(), 2);
    DrawingFeatureBase* site = doc.GetDrawingFeatureByName(_T("配置図"));
    ASSERT_NE(site, nullptr);
    const PartDrawingLayout* layout = paper->GetPartLayout(1);
    EXPECT_EQ(layout->GetDrawingID(), site->GetDrawingID());
    EXPECT_NEAR(layout->GetScaleDenominatorX(), 50, kTol);
    ExpectPoint(layout->GetOrigin(), 297, 210);
    EXPECT_NEAR(paper->GetPartLayout(0)->GetScaleDenominatorX(), 1, kTol);

    const std::vector<Feature2dBase*> shapes = Shapes(site);
    ASSERT_EQ(shapes.size(), 1u);
    const LayerFeatureTable* layers = doc.GetLayerTable();
    EXPECT_EQ(layers->GetLayerName(shapes[0]->GetLayerID()), CString(_T("壁")));
    EXPECT_EQ(layers->GetLayerState(shapes[0]->GetLayerID()), 2);
    EXPECT_EQ(doc.GetColorFeatureTable()->GetColorRef(shapes[0]->GetColorNo()), RGB(0, 0, 255));
}

TEST_F(JwwReaderTest, BlocksBecomeComponentsWithTheirInstances)
{
    JwwWriter w;
    w.BeginDefinition(7, "Door@@SfigorgFlag@@4");
    w.Line(JwwWriter::Base{}, 0, 0, 900, 0);
    w.EndDefinition();
    w.BeginDefinition(8, "Doors");
    w.Block(JwwWriter::Base{}, 0, 0, 1, 1, 0, 7);
    w.Block(JwwWriter::Base{}, 1000, 0, 1, 1, 0, 7);
    w.EndDefinition();
    w.Block(JwwWriter::Base{}, 100, 200, 2, 2, kPi / 2, 8);
    ASSERT_EQ(Read(w.Bytes()), 4) << message.ToUtf8();
    const std::vector<Feature2dBase*> shapes = Shapes(doc.GetDrawingFeatureByName(_T("Group 0")));
    ASSERT_EQ(shapes.size(), 1u);
    auto* inst = dynamic_cast<DrawComponent2dFeature*>(shapes[0]);
    ASSERT_NE(inst, nullptr);
    const DrawComponent2dFeatureDefine* def = doc.GetComponentDefineTable()->GetComponentDefine(inst->GetComponentDefineID());
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetComponentName(), CString(_T("Doors")));
    ExpectPoint(inst->GetOrigin(), 100, 200);
    EXPECT_NEAR(inst->GetAngle(), 90, kTol);
    EXPECT_EQ(doc.GetComponentDefineTable()->GetComponentDefineByIndex(0)->GetComponentName(), CString(_T("Door")));
}

// Written by hand from the published description, so that a misreading shared by the test writer and the
// reader shows: a version-300 file (no pen widths in the shape records, no SXF tables) with one line.
TEST_F(JwwReaderTest, HandMadeFile)
{
    std::string b;
    auto u32 = [&b](uint32_t v) { for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>(v >> (8 * i))); };
    auto f64 = [&b](double v) { uint64_t x; std::memcpy(&x, &v, 8); for (int i = 0; i < 8; ++i) b.push_back(static_cast<char>(x >> (8 * i))); };
    auto zeros = [&b](size_t n) { b.append(n, '\0'); };
    b += "JwwData.";                 // the declaration
    u32(300);                        // version 3.00
    b.push_back(0);                  // memo: an empty string (length byte 0)
    u32(4);                          // paper A4
    u32(0);                          // group being written
    for (int g = 0; g < 16; ++g) {   // per group: state, layer written, scale, protection
        u32(2); u32(0); f64(g == 0 ? 20.0 : 1.0); u32(0);
        for (int l = 0; l < 16; ++l) { u32(2); u32(0); }  // per layer: state, protection
    }
    zeros(14 * 4);                   // reserved
    zeros(5 * 4 + 4 + 4);            // dimension settings 1-5, reserved, widest line
    zeros(2 * 8 + 8 + 4 + 4);        // print origin, print factor, print settings, scale mode
    zeros(8 + 2 * 8 + 2 * 8);        // scale spacing (min, x, y), scale origin
    zeros(256 + 16);                 // 256 layer names and 16 group names, each an empty string
    zeros(8 + 8 + 4 + 8);            // shadow: level, latitude, 9-15 flag, wall level
    zeros(2 * 8);                    // sky chart (3.00 on)
    zeros(4 + 3 * 8 + 3 * 8);        // 2.5D unit, view factor and origin, remembered view
    zeros(8 * (3 * 8 + 4));          // eight mark jumps (3.00 on)
    zeros(3 * 8 + 4 + 3 * 8 + 4);    // text drawing (3.00 on)
    zeros(10 * 8 + 8);               // parallel line spacings, end length
    for (int n = 0; n < 10; ++n) { u32(0); u32(1); }          // screen pens
    for (int n = 0; n < 10; ++n) { u32(0); u32(25); f64(0.5); }  // print pens
    zeros(8 * 16 + 5 * 20 + 4 * 16);  // line types 2-9, random 11-15, double length 16-19
    zeros(11 * 4);                   // point drawing, print order and print switches
    zeros(4 + 4 + 3 * 4 + 2 * 8 + 2 * 8 + 8);  // drawing time, 2.5D eye (2.23 on)
    zeros(4 * 8);                    // last lengths (2.25 on)
    zeros(2 * 4);                    // solid colour (2.30 on)
    zeros(10 * (3 * 8 + 4));         // text kinds 1-10
    zeros(3 * 8 + 2 * 4 + 2 * 8 + 4 + 6 * 8);  // the text being written, text placement
    b += std::string("\x01\x00", 2);          // shape list: one object
    b += std::string("\xFF\xFF\x01\x00\x08\x00", 6) + "CDataSen";  // new class tag, schema 1, its name
    u32(0); b.push_back(1);                  // curve group, line type 1
    b += std::string("\x02\x00", 2);          // pen colour 2 (no width before 3.51)
    b += std::string("\x00\x00\x00\x00\x00\x00", 6);  // layer 0, group 0, flags
    f64(-5); f64(0); f64(5); f64(0);         // start and end
    b += std::string("\x00\x00", 2);          // no block definitions
    ASSERT_EQ(Read(b), 1) << message.ToUtf8();
    DrawingFeatureBase* part = doc.GetDrawingFeatureByName(_T("Group 0"));
    const std::vector<Feature2dBase*> shapes = Shapes(part);
    ASSERT_EQ(shapes.size(), 1u);
    auto* line = dynamic_cast<Line2dFeature*>(shapes[0]);
    ASSERT_NE(line, nullptr);
    ExpectPoint(line->GetStartPoint(), -5, 0);
    EXPECT_NEAR(doc.GetPaperFeature(0)->GetPartLayout(0)->GetScaleDenominatorX(), 20, kTol);
}

TEST_F(JwwReaderTest, BadInputGivesItsCodeAndNoShapes)
{
    JwwWriter good;
    good.Line(JwwWriter::Base{}, 0, 0, 1, 1);
    good.Text(JwwWriter::Base{}, 0, 0, 2, 2, 0, 0, "", "abc");
    const std::string full = good.Bytes();

    JwwWriter unknownClass;
    unknownClass.Line(JwwWriter::Base{}, 0, 0, 1, 1);
    std::string unknown = unknownClass.Bytes();
    unknown.replace(unknown.find("CDataSen"), 8, "CQZ2Doc\0", 8);

    JwwWriter cycle;
    cycle.BeginDefinition(1, "a");
    cycle.Block(JwwWriter::Base{}, 0, 0, 1, 1, 0, 2);
    cycle.EndDefinition();
    cycle.BeginDefinition(2, "b");
    cycle.Block(JwwWriter::Base{}, 0, 0, 1, 1, 0, 1);
    cycle.EndDefinition();

    JwwWriter deep;
    for (uint32_t n = 1; n <= 20; ++n) {
        deep.BeginDefinition(n, "d" + std::to_string(n));
        if (n > 1)
            deep.Block(JwwWriter::Base{}, 0, 0, 1, 1, 0, n - 1);
        else
            deep.Line(JwwWriter::Base{}, 0, 0, 1, 0);
        deep.EndDefinition();
    }

    JwwWriter missing;
    missing.Block(JwwWriter::Base{}, 0, 0, 1, 1, 0, 99);

    JwwWriter newer;
    newer.version = 600;

    // A count far beyond the bytes left: the shape list claims 0xFFFF'FFFE objects.
    std::string huge = JwwWriter().Bytes();
    huge.resize(huge.size() - 4);
    huge += std::string("\xFF\xFF\xFE\xFF\xFF\xFF", 6) + std::string(2, '\0');

    // A string whose length runs past the end.
    std::string longName = full;
    const size_t at = longName.find("abc");
    longName[at - 1] = static_cast<char>(0xFE);

    struct Case {
        const char* what;
        std::string bytes;
        int code;
    };
    const Case cases[] = {
        {"empty", "", JWConvert::resultNotJw},
        {"garbage", "not a drawing at all", JWConvert::resultNotJw},
        {"newer version", newer.Bytes(), JWConvert::resultNotJw},
        {"truncated in the settings", full.substr(0, 500), JWConvert::resultDamaged},
        {"truncated in a shape", full.substr(0, full.size() - 10), JWConvert::resultDamaged},
        {"truncated before the definitions", full.substr(0, full.size() - 2), JWConvert::resultDamaged},
        {"a class of the program", unknown, JWConvert::resultDamaged},
        {"count beyond the file", huge, JWConvert::resultDamaged},
        {"string beyond the file", longName, JWConvert::resultDamaged},
        {"block cycle", cycle.Bytes(), JWConvert::resultDamaged},
        {"nesting too deep", deep.Bytes(), JWConvert::resultBeyondLimits},
        {"undefined block", missing.Bytes(), JWConvert::resultDamaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.InitDocument();
        EXPECT_EQ(Read(c.bytes), c.code);
        EXPECT_EQ(doc.GetFeatureCount(), 0);
    }
    // The reader's own message names the newer version.
    Read(newer.Bytes());
    EXPECT_NE(message.Find(_T("600")), -1) << message.ToUtf8();
}
