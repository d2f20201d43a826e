// The DXF reader through its public call, on small files written to a temporary folder: each mapping rule
// with its key geometry in millimetres, and every kind of bad input with its failure code.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QImage>

#include <cmath>
#include <functional>
#include <vector>

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include "DxfText.h"
#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/AcadConvert.h"
#include "libs/conv/DxfTokenizer.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/TextSettingStyles.h"

using namespace DxfText;

namespace {

constexpr double kTol = 1e-6;

class DxfReaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        doc.InitDocument();
    }

    QString Write(const std::string& text, const QString& name = QStringLiteral("plan.dxf"))
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }

    int Read(const std::string& text)
    {
        const QString path = Write(text);
        return convert.ReadFile(CString::FromQString(path), &doc, &setting);
    }

    DrawingFeatureBase* Model() const { return doc.GetDrawingFeatureByName(_T("Model")); }

    // The shapes of a drawing in record order.
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

    template <class T>
    T* Only()
    {
        const std::vector<Feature2dBase*> shapes = Shapes(Model());
        EXPECT_EQ(shapes.size(), 1u);
        if (shapes.size() != 1)
            return nullptr;
        T* t = dynamic_cast<T*>(shapes[0]);
        EXPECT_NE(t, nullptr);
        return t;
    }

    QTemporaryDir dir;
    Draw2dDocument doc;
    ACadConvSetting setting;
    AcadConvert convert;
};

void ExpectPoint(const RuVaPnt2d& p, double x, double y)
{
    EXPECT_NEAR(p.X(), x, kTol);
    EXPECT_NEAR(p.Y(), y, kTol);
}

std::string Extrusion(double z)
{
    return G(210, 0.0) + G(220, 0.0) + G(230, z);
}

}  // namespace

TEST_F(DxfReaderTest, LinesInTheFileUnitsBecomeMillimetres)
{
    struct Case { int units; double factor; };
    const Case cases[] = {{0, 1.0}, {1, 25.4}, {2, 304.8}, {4, 1.0}, {5, 10.0}, {6, 1000.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        doc.InitDocument();
        ASSERT_EQ(Read(File(Line(0, 0, 1, 2), G(9, "$INSUNITS") + G(70, std::to_string(c.units)))), 1);
        auto* line = Only<Line2dFeature>();
        ASSERT_NE(line, nullptr);
        ExpectPoint(line->GetStartPoint(), 0, 0);
        ExpectPoint(line->GetEndPoint(), 1 * c.factor, 2 * c.factor);
    }
}

TEST_F(DxfReaderTest, EachKindOfShapeMapsToItsOwnKind)
{
    struct Case {
        const char* name;
        std::string entity;
        std::function<void(Feature2dBase*)> check;
    };
    const Case cases[] = {
        {"point", G(0, "POINT") + G(8, "0") + G(10, 3.0) + G(20, 4.0) + G(30, 0.0),
         [](Feature2dBase* f) {
             auto* p = dynamic_cast<PointMarker2dFeature*>(f);
             ASSERT_NE(p, nullptr);
             ExpectPoint(p->GetPoint(), 3, 4);
         }},
        {"circle", G(0, "CIRCLE") + G(8, "0") + G(10, 10.0) + G(20, 5.0) + G(30, 0.0) + G(40, 3.0),
         [](Feature2dBase* f) {
             auto* c = dynamic_cast<Circle2dFeature*>(f);
             ASSERT_NE(c, nullptr);
             ExpectPoint(c->GetCenterPoint(), 10, 5);
             EXPECT_NEAR(c->GetRadius(), 3, kTol);
         }},
        {"circle seen from below", G(0, "CIRCLE") + G(8, "0") + G(10, 10.0) + G(20, 5.0) + G(30, 0.0) + G(40, 3.0) +
                                       Extrusion(-1),
         [](Feature2dBase* f) {
             auto* c = dynamic_cast<Circle2dFeature*>(f);
             ASSERT_NE(c, nullptr);
             ExpectPoint(c->GetCenterPoint(), -10, 5);
         }},
        {"arc", G(0, "ARC") + G(8, "0") + G(10, 1.0) + G(20, 2.0) + G(30, 0.0) + G(40, 5.0) + G(50, 0.0) + G(51, 90.0),
         [](Feature2dBase* f) {
             auto* a = dynamic_cast<Arc2dFeature*>(f);
             ASSERT_NE(a, nullptr);
             ExpectPoint(a->GetCenterPoint(), 1, 2);
             EXPECT_NEAR(a->GetStartAngle(), 0, kTol);
             EXPECT_NEAR(a->GetEndAngle(), 90, kTol);
             EXPECT_EQ(a->GetDirection(), Arc2dFeature::CounterClockwise);
         }},
        {"arc seen from below", G(0, "ARC") + G(8, "0") + G(10, 1.0) + G(20, 2.0) + G(30, 0.0) + G(40, 5.0) +
                                    G(50, 0.0) + G(51, 90.0) + Extrusion(-1),
         [](Feature2dBase* f) {
             // Mirrored in X: the quarter from 0 to 90 becomes the quarter from 90 to 180.
             auto* a = dynamic_cast<Arc2dFeature*>(f);
             ASSERT_NE(a, nullptr);
             ExpectPoint(a->GetCenterPoint(), -1, 2);
             EXPECT_NEAR(a->GetStartAngle(), 90, kTol);
             EXPECT_NEAR(a->GetEndAngle(), 180, kTol);
             EXPECT_EQ(a->GetDirection(), Arc2dFeature::CounterClockwise);
         }},
        {"ellipse", G(0, "ELLIPSE") + G(8, "0") + G(10, 0.0) + G(20, 0.0) + G(30, 0.0) + G(11, 0.0) + G(21, 10.0) +
                        G(31, 0.0) + G(40, 0.5) + G(41, 0.0) + G(42, 2 * M_PI),
         [](Feature2dBase* f) {
             auto* e = dynamic_cast<Ellipse2dFeature*>(f);
             ASSERT_NE(e, nullptr);
             EXPECT_NEAR(e->GetMajorRadius(), 10, kTol);
             EXPECT_NEAR(e->GetMinorRadius(), 5, kTol);
             EXPECT_NEAR(e->GetAngle(), 90, kTol);
         }},
        {"xline", G(0, "XLINE") + G(8, "0") + G(10, 1.0) + G(20, 1.0) + G(30, 0.0) + G(11, 1.0) + G(21, 0.0) + G(31, 0.0),
         [](Feature2dBase* f) {
             auto* l = dynamic_cast<InfiniteLine2dFeature*>(f);
             ASSERT_NE(l, nullptr);
             EXPECT_EQ(dynamic_cast<SemiInfiniteLine2dFeature*>(f), nullptr);
             EXPECT_NEAR(std::fabs(l->GetDirection().X()), 1, kTol);
         }},
        {"ray", G(0, "RAY") + G(8, "0") + G(10, 1.0) + G(20, 1.0) + G(30, 0.0) + G(11, 0.0) + G(21, 1.0) + G(31, 0.0),
         [](Feature2dBase* f) {
             auto* l = dynamic_cast<SemiInfiniteLine2dFeature*>(f);
             ASSERT_NE(l, nullptr);
             ExpectPoint(l->GetPoint(), 1, 1);
             EXPECT_NEAR(l->GetDirection().Y(), 1, kTol);
         }},
        {"closed light polyline", G(0, "LWPOLYLINE") + G(8, "0") + G(90, "4") + G(70, "1") + G(10, 0.0) + G(20, 0.0) +
                                      G(10, 10.0) + G(20, 0.0) + G(10, 10.0) + G(20, 5.0) + G(10, 0.0) + G(20, 5.0),
         [](Feature2dBase* f) {
             auto* p = dynamic_cast<Polyline2dFeature*>(f);
             ASSERT_NE(p, nullptr);
             EXPECT_TRUE(p->IsClosed());
             EXPECT_EQ(p->GetPointSize(), 5);
             ExpectPoint(p->GetPoint(2), 10, 5);
         }},
        {"text", G(0, "TEXT") + G(8, "0") + G(10, 5.0) + G(20, 6.0) + G(30, 0.0) + G(40, 3.5) + G(1, "Plan %%c20") +
                     G(50, 30.0),
         [](Feature2dBase* f) {
             auto* t = dynamic_cast<Text2dFeature*>(f);
             ASSERT_NE(t, nullptr);
             EXPECT_EQ(t->GetText(), CString(u"Plan \u00D820"));
             ExpectPoint(t->GetPoint(), 5, 6);
             EXPECT_NEAR(t->GetHeight(), 3.5, kTol);
             EXPECT_NEAR(t->GetAngle(), 30, kTol);
         }},
        {"text aligned at its second point", G(0, "TEXT") + G(8, "0") + G(10, 5.0) + G(20, 6.0) + G(30, 0.0) +
                                                 G(11, 20.0) + G(21, 30.0) + G(31, 0.0) + G(40, 2.0) + G(1, "R") +
                                                 G(72, "2") + G(73, "3"),
         [](Feature2dBase* f) {
             auto* t = dynamic_cast<Text2dFeature*>(f);
             ASSERT_NE(t, nullptr);
             ExpectPoint(t->GetPoint(), 20, 30);
             EXPECT_EQ(t->GetHorizonArrange(), 2);
             EXPECT_EQ(t->GetVerticalArrange(), 0);
         }},
        {"multi-line text", G(0, "MTEXT") + G(8, "0") + G(10, 0.0) + G(20, 0.0) + G(30, 0.0) + G(40, 2.5) +
                                G(71, "1") + G(1, "{\\fArial|b1;First}\\PSecond \\U+00B0"),
         [](Feature2dBase* f) {
             auto* t = dynamic_cast<Text2dFeature*>(f);
             ASSERT_NE(t, nullptr);
             EXPECT_EQ(t->GetText(), CString(u"First\nSecond \u00B0"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.InitDocument();
        ASSERT_EQ(Read(File(c.entity)), 1);
        const std::vector<Feature2dBase*> shapes = Shapes(Model());
        ASSERT_EQ(shapes.size(), 1u);
        c.check(shapes[0]);
    }
}

TEST_F(DxfReaderTest, BulgesMakeArcsTurningByTheirSign)
{
    struct Case { double bulge; int direction; double z; double cx; };
    // A half circle over the chord (0,0)-(10,0); from below the plane turns the other way and mirrors X.
    const Case cases[] = {{1.0, Arc2dFeature::CounterClockwise, 1, 5}, {-1.0, Arc2dFeature::Clockwise, 1, 5},
                          {1.0, Arc2dFeature::Clockwise, -1, -5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bulge * c.z);
        doc.InitDocument();
        const std::string poly = G(0, "LWPOLYLINE") + G(8, "0") + G(90, "3") + G(70, "0") + G(10, 0.0) + G(20, 0.0) +
                                 G(42, c.bulge) + G(10, 10.0) + G(20, 0.0) + G(10, 10.0) + G(20, 10.0) + Extrusion(c.z);
        ASSERT_EQ(Read(File(poly)), 1);
        auto* group = Only<DrawGroup2dFeature>();
        ASSERT_NE(group, nullptr);
        ASSERT_EQ(group->GetFeatureCount(), 2);
        auto* arc = dynamic_cast<Arc2dFeature*>(group->GetFeature(0));
        ASSERT_NE(arc, nullptr);
        ExpectPoint(arc->GetCenterPoint(), c.cx, 0);
        EXPECT_NEAR(arc->GetRadius(), 5, kTol);
        EXPECT_EQ(arc->GetDirection(), c.direction);
        EXPECT_NE(dynamic_cast<Line2dFeature*>(group->GetFeature(1)), nullptr);
    }
}

TEST_F(DxfReaderTest, OldStylePolylinesOfRelease12AreRead)
{
    const std::string entities = G(0, "POLYLINE") + G(8, "0") + G(66, "1") + G(70, "0") + G(10, 0.0) + G(20, 0.0) +
                                 G(0, "VERTEX") + G(8, "0") + G(10, 0.0) + G(20, 0.0) + G(42, 1.0) + G(0, "VERTEX") +
                                 G(8, "0") + G(10, 4.0) + G(20, 0.0) + G(0, "VERTEX") + G(8, "0") + G(10, 4.0) +
                                 G(20, 3.0) + G(0, "SEQEND") + G(8, "0");
    std::string r12 = Section("HEADER", G(9, "$ACADVER") + G(1, "AC1009")) + Section("ENTITIES", entities) + G(0, "EOF");
    ASSERT_EQ(Read(r12), 1);
    auto* group = Only<DrawGroup2dFeature>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetFeatureCount(), 2);
}

TEST_F(DxfReaderTest, SplinesKeepUniformControlPointsAndRefitTheOthers)
{
    auto spline = [](const std::vector<double>& knots, double w) {
        std::string s = G(0, "SPLINE") + G(8, "0") + G(70, "8") + G(71, "3") + G(72, std::to_string(knots.size())) +
                        G(73, "4") + G(74, "0");
        for (double k : knots)
            s += G(40, k);
        const double pts[4][2] = {{0, 0}, {10, 10}, {20, -10}, {30, 0}};
        for (const auto& p : pts)
            s += G(10, p[0]) + G(20, p[1]) + G(30, 0.0) + (w != 1.0 ? G(41, w) : std::string());
        return s;
    };
    ASSERT_EQ(Read(File(spline({0, 0, 0, 0, 1, 1, 1, 1}, 1.0))), 1);
    auto* exact = Only<BSplineCurve2dFeature>();
    ASSERT_NE(exact, nullptr);
    EXPECT_EQ(exact->GetKind(), 0);
    ASSERT_EQ(exact->GetPointSize(), 4);
    ExpectPoint(exact->GetPointArray()[1], 10, 10);

    doc.InitDocument();
    ASSERT_EQ(Read(File(spline({0, 0, 0, 0, 1, 1, 1, 1}, 2.0))), 1);
    auto* refit = Only<BSplineCurve2dFeature>();
    ASSERT_NE(refit, nullptr);
    EXPECT_EQ(refit->GetKind(), 1);  // through points on the curve
    const KcArrayOfGePnt2d& pts = refit->GetPointArray();
    ExpectPoint(pts[0], 0, 0);
    ExpectPoint(pts[pts.GetSize() - 1], 30, 0);
}

TEST_F(DxfReaderTest, ShiftJisTextOfOlderFilesIsDecodedByTheCodePage)
{
    const std::string header = G(9, "$ACADVER") + G(1, "AC1015") + G(9, "$DWGCODEPAGE") + G(3, "ANSI_932");
    const std::string file = Section("HEADER", header) +
                             Section("ENTITIES", G(0, "TEXT") + G(8, "0") + G(10, 0.0) + G(20, 0.0) + G(30, 0.0) +
                                                     G(40, 2.5) + G(1, "\x93\xfa\x96\x7b")) +
                             G(0, "EOF");
    ASSERT_EQ(Read(file), 1);
    auto* t = Only<Text2dFeature>();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetText(), CString(u"\u65E5\u672C"));
}

TEST_F(DxfReaderTest, LayersKeepTheirColourAndStates)
{
    auto layer = [](const std::string& name, int colour, int flags) {
        return G(0, "LAYER") + G(2, name) + G(70, std::to_string(flags)) + G(62, std::to_string(colour)) +
               G(6, "CONTINUOUS");
    };
    const std::string tables = G(0, "TABLE") + G(2, "LAYER") + G(70, "4") + layer("Walls", 1, 0) +
                               layer("Off", -3, 0) + layer("Frozen", 5, 1) + layer("Locked", 7, 4) + G(0, "ENDTAB");
    ASSERT_GE(Read(File(G(0, "LINE") + G(8, "Walls") + G(10, 0.0) + G(20, 0.0) + G(11, 1.0) + G(21, 0.0), "", tables)), 1);
    const LayerFeatureTable* layers = doc.GetLayerTable();
    auto find = [&](const CString& name) -> const LayerFeature* {
        for (int i = 0; i < layers->GetSize(); ++i)
            if (layers->GetLayerFeatureByIndex(i)->GetLayerName() == name)
                return layers->GetLayerFeatureByIndex(i);
        return nullptr;
    };
    const LayerFeature* walls = find(_T("Walls"));
    ASSERT_NE(walls, nullptr);
    EXPECT_EQ(doc.GetColorFeatureTable()->GetColorRef(walls->GetColorNo()), RGB(255, 0, 0));
    EXPECT_TRUE(walls->IsDisplay());
    ASSERT_NE(find(_T("Off")), nullptr);
    EXPECT_FALSE(find(_T("Off"))->IsDisplay());
    EXPECT_FALSE(find(_T("Frozen"))->IsDisplay());
    EXPECT_TRUE(find(_T("Locked"))->IsDisplay());
    EXPECT_FALSE(find(_T("Locked"))->IsEditable());
    // Colour 7 is black on our paper.
    EXPECT_EQ(doc.GetColorFeatureTable()->GetColorRef(find(_T("Locked"))->GetColorNo()), RGB(0, 0, 0));
    auto* line = Only<Line2dFeature>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetLayerID(), walls->GetLayerID());
    EXPECT_EQ(line->GetColorNo(), 0);  // by layer
}

TEST_F(DxfReaderTest, LineTypesBecomeUserLineTypesOfTheLayersAndShapes)
{
    auto ltype = [](const std::string& name, const std::vector<double>& dashes) {
        std::string s = G(0, "LTYPE") + G(2, name) + G(70, "0") + G(3, "") + G(72, "65") +
                        G(73, std::to_string(dashes.size())) + G(40, 0.0);
        for (double d : dashes)
            s += G(49, d) + G(74, "0");
        return s;
    };
    // Inches: every length is 25.4 times longer in millimetres.
    const std::string tables =
        G(0, "TABLE") + G(2, "LTYPE") + G(70, "4") + ltype("CONTINUOUS", {}) + ltype("Dashed2", {0.5, -0.25}) +
        ltype("DOTS", {0.0, -0.25}) + ltype("GAPFIRST", {-0.1, 0.5, 0.2}) + G(0, "ENDTAB") + G(0, "TABLE") +
        G(2, "LAYER") + G(70, "1") + G(0, "LAYER") + G(2, "Hidden") + G(70, "0") + G(62, "7") + G(6, "DASHED2") +
        G(0, "ENDTAB");
    const std::string entities = Line(0, 0, 1, 0, G(6, "DOTS")) + G(0, "LINE") + G(8, "Hidden") + G(10, 0.0) +
                                 G(20, 1.0) + G(11, 1.0) + G(21, 1.0);
    ASSERT_EQ(Read(File(entities, G(9, "$INSUNITS") + G(70, "1"), tables)), 2);
    const LineTypeFeatureTable* types = doc.GetLineTypeFeatureTable();
    struct Case {
        const char16_t* name;
        std::vector<double> segments;
    } cases[] = {{u"Dashed2", {12.7, 6.35}}, {u"DOTS", {0.2, 6.35}}, {u"GAPFIRST", {17.78, 2.54}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.name).ToQString().toStdString());
        const LineTypeFeature* type = types->GetLineTypeByName(CString(c.name));
        ASSERT_NE(type, nullptr);
        EXPECT_GE(type->GetLineTypeNo(), LineTypeFeatureTable::kFirstUserNo);
        ASSERT_EQ(type->GetLineTypeSegment(), static_cast<int>(c.segments.size()));
        for (size_t i = 0; i < c.segments.size(); ++i)
            EXPECT_NEAR(type->GetLineTypeSegmentAt(static_cast<int>(i)), c.segments[i], 1e-9);
    }
    const short dots = types->GetLineTypeNoByName(CString(u"DOTS"));
    const short dashed = types->GetLineTypeNoByName(CString(u"Dashed2"));
    int seen = 0;
    for (Feature2dBase* f : Shapes(Model())) {
        auto* line = dynamic_cast<Line2dFeature*>(f);
        ASSERT_NE(line, nullptr);
        ++seen;
        if (line->GetStartPoint().Y() < 1.0)
            EXPECT_EQ(line->GetLineTypeNo(), dots);
        else
            EXPECT_EQ(line->GetLineTypeNo(), 0) << "by layer";
    }
    EXPECT_EQ(seen, 2);
    const LayerFeatureTable* layers = doc.GetLayerTable();
    bool found = false;
    for (int i = 0; i < layers->GetSize(); ++i)
        if (layers->GetLayerFeatureByIndex(i)->GetLayerName() == CString(u"Hidden")) {
            found = true;
            EXPECT_EQ(layers->GetLayerFeatureByIndex(i)->GetLineTypeNo(), dashed);
        }
    EXPECT_TRUE(found);
}

TEST_F(DxfReaderTest, TrueColoursBecomeUserColoursUntilTheTableIsFull)
{
    std::string entities;
    for (int i = 0; i < 300; ++i) {
        const int rgb = ((i * 7) & 255) << 16 | ((i * 13 + 1) & 255) << 8 | ((i * 29 + 3) & 255);
        entities += Line(i, 0, i, 1, G(420, std::to_string(rgb)));
    }
    ASSERT_EQ(Read(File(entities)), 300);
    const std::vector<Feature2dBase*> shapes = Shapes(Model());
    ASSERT_EQ(shapes.size(), 300u);
    const ColorFeatureTable* table = doc.GetColorFeatureTable();
    int exact = 0;
    for (int i = 0; i < 300; ++i) {
        const int rgb = ((i * 7) & 255) << 16 | ((i * 13 + 1) & 255) << 8 | ((i * 29 + 3) & 255);
        const COLORREF want = RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
        const short no = shapes[i]->GetColorNo();
        ASSERT_GE(no, 1);
        ASSERT_LE(no, 256);
        if (table->GetColorRef(no) == want)
            ++exact;
    }
    // The 240 user colours are used up, the rest take the nearest colour.
    EXPECT_GE(exact, 240);
    EXPECT_LT(exact, 300);
}

TEST_F(DxfReaderTest, BlocksBecomeComponentsPlacedByTheirInserts)
{
    const std::string blocks = Block("Bolt", Line(10, 10, 12, 10), 10, 10);
    const std::string entities = Insert("Bolt", 100, 50, G(41, 2.0) + G(42, 2.0) + G(50, 90.0)) +
                                 Insert("Bolt", 0, 0, G(70, "3") + G(71, "2") + G(44, 5.0) + G(45, 7.0));
    ASSERT_EQ(Read(File(entities, "", "", blocks)), 8);  // the block's line and seven placements
    const DrawComponent2dFeatureDefineTable* defs = doc.GetComponentDefineTable();
    ASSERT_EQ(defs->GetComponentDefineCount(), 1);
    const DrawComponent2dFeatureDefine* bolt = defs->GetComponentDefineByIndex(0);
    EXPECT_EQ(bolt->GetComponentName(), CString(_T("Bolt")));
    const std::vector<Feature2dBase*> inside = Shapes(bolt);
    ASSERT_EQ(inside.size(), 1u);
    // Relative to the block's base point.
    ExpectPoint(static_cast<Line2dFeature*>(inside[0])->GetStartPoint(), 0, 0);
    const std::vector<Feature2dBase*> placed = Shapes(Model());
    ASSERT_EQ(placed.size(), 7u);  // one, and a 3 by 2 array
    auto* first = dynamic_cast<DrawComponent2dFeature*>(placed[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetComponentDefineID(), bolt->GetComponentId());
    ExpectPoint(first->GetOrigin(), 100, 50);
    EXPECT_NEAR(first->GetAngle(), 90, kTol);
    double sx = 0, sy = 0;
    first->GetScale(sx, sy);
    EXPECT_NEAR(sx, 2, kTol);
    auto* last = dynamic_cast<DrawComponent2dFeature*>(placed[6]);
    ASSERT_NE(last, nullptr);
    ExpectPoint(last->GetOrigin(), 10, 7);
}

TEST_F(DxfReaderTest, TheModelIsLaidOutOnThePaperAndNamedToTheCaller)
{
    setting.m_nPaperType = 4;        // A4
    setting.m_nPaperOrientType = 1;  // landscape in the sheet's terms
    ASSERT_EQ(Read(File(Line(0, 0, 1000, 0) + Line(0, 0, 0, 500))), 2);
    Paper2dFeature* paper = doc.GetPaperFeature(0);
    ASSERT_NE(paper, nullptr);
    double w = 0, h = 0;
    paper->GetPaperSize(w, h);
    EXPECT_NEAR(w, 297, kTol);
    EXPECT_NEAR(h, 210, kTol);
    ASSERT_NE(Model(), nullptr);
    EXPECT_EQ(setting.GetActiveDrawingFeatureName(), Model()->GetDrawingName());
    CStringArray names;
    setting.GetDrawingFeatureNameArray(names);
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_EQ(names[0], paper->GetDrawingName());
}

TEST_F(DxfReaderTest, FilesWrittenByDxflibAreRead)
{
    const QString path = dir.filePath(QStringLiteral("written.dxf"));
    {
        DL_Dxf dxf;
        DL_WriterA* dw = dxf.out(path.toUtf8().constData(), DL_Codes::AC1015);
        ASSERT_NE(dw, nullptr);
        dxf.writeHeader(*dw);
        dw->sectionEnd();
        dw->sectionEntities();
        DL_Attributes attr("0", 1, -1, -1, "BYLAYER");
        dxf.writeLine(*dw, DL_LineData(0, 0, 0, 10, 0, 0), attr);
        dxf.writeCircle(*dw, DL_CircleData(5, 5, 0, 2), attr);
        dxf.writeArc(*dw, DL_ArcData(0, 0, 0, 4, 0, 180), attr);
        dw->sectionEnd();
        dw->dxfEOF();
        dw->close();
        delete dw;
    }
    EXPECT_EQ(convert.ReadFile(CString::FromQString(path), &doc, &setting), 3);
    EXPECT_EQ(Shapes(Model()).size(), 3u);
}

TEST_F(DxfReaderTest, BinaryFilesAreReadByTheSameRules)
{
    std::string bin("AutoCAD Binary DXF\r\n\x1a\0", 22);
    auto code = [&bin](int c) {
        bin += static_cast<char>(c & 255);
        bin += static_cast<char>(c >> 8);
    };
    auto str = [&](int c, const char* s) {
        code(c);
        bin += s;
        bin += '\0';
    };
    auto real = [&](int c, double v) {
        code(c);
        bin.append(reinterpret_cast<const char*>(&v), 8);
    };
    str(0, "SECTION");
    str(2, "ENTITIES");
    str(0, "LINE");
    str(8, "0");
    real(10, 1.0);
    real(20, 2.0);
    real(11, 3.0);
    real(21, 4.0);
    str(0, "ENDSEC");
    str(0, "EOF");
    ASSERT_EQ(Read(bin), 1);
    auto* line = Only<Line2dFeature>();
    ASSERT_NE(line, nullptr);
    ExpectPoint(line->GetEndPoint(), 3, 4);
}

namespace {

// A hatch: its fill, then its loops (each already written with its own 92 and 93 groups).
std::string Hatch(const std::string& pattern, bool solid, int nLoops, const std::string& loops)
{
    return G(0, "HATCH") + G(8, "0") + G(10, 0.0) + G(20, 0.0) + G(30, 0.0) + G(210, 0.0) + G(220, 0.0) +
           G(230, 1.0) + G(2, pattern) + G(70, solid ? "1" : "0") + G(71, "0") + G(91, std::to_string(nLoops)) +
           loops + G(75, "0") + G(76, "1") + G(98, "1") + G(10, 5.0) + G(20, 5.0);
}

// A closed polyline loop through the corners (x, y, bulge).
std::string PolylineLoop(const std::vector<std::vector<double>>& corners)
{
    std::string s = G(92, "2") + G(72, "1") + G(73, "1") + G(93, std::to_string(corners.size()));
    for (const std::vector<double>& c : corners)
        s += G(10, c[0]) + G(20, c[1]) + G(42, c[2]);
    return s + G(97, "0");
}

// A loop of one full circle given as an arc edge.
std::string CircleLoop(double cx, double cy, double r)
{
    return G(92, "16") + G(93, "1") + G(72, "2") + G(10, cx) + G(20, cy) + G(40, r) + G(50, 0.0) + G(51, 360.0) +
           G(73, "1") + G(97, "0");
}

}  // namespace

TEST_F(DxfReaderTest, SolidsAndHatchesBecomeHatchesWithTheirIslands)
{
    // A SOLID lists its corners 1, 2, 4, 3: the outline runs round without crossing itself.
    const std::string solid = G(0, "SOLID") + G(8, "0") + G(10, 0.0) + G(20, 0.0) + G(11, 10.0) + G(21, 0.0) +
                              G(12, 0.0) + G(22, 10.0) + G(13, 10.0) + G(23, 10.0);
    ASSERT_EQ(Read(File(solid)), 1);
    auto* filled = Only<Hatch2dFeature>();
    ASSERT_NE(filled, nullptr);
    EXPECT_EQ(filled->GetHatchType(), Hatch2dFeature::Solid);
    EXPECT_TRUE(filled->IsValidRegion());
    const RuVaBndBox2d box = filled->GetOuterRegion().GetBndBox();
    EXPECT_NEAR(box.XMax() - box.XMin(), 10, kTol);
    EXPECT_NEAR(box.YMax() - box.YMin(), 10, kTol);
    EXPECT_EQ(convert.GetLeftOutCount(), 0);

    // A square with a rounded side around a circular island, hatched with a pattern.
    doc.InitDocument();
    const std::string loops = CircleLoop(5, 5, 2) + PolylineLoop({{0, 0, 0}, {10, 0, 1.0}, {10, 10, 0}, {0, 10, 0}});
    ASSERT_EQ(Read(File(Hatch("ANSI31", false, 2, loops))), 1);
    auto* hatch = Only<Hatch2dFeature>();
    ASSERT_NE(hatch, nullptr);
    EXPECT_EQ(hatch->GetHatchType(), Hatch2dFeature::BuiltInPattern);
    EXPECT_EQ(hatch->GetPatternNo(), 3);
    ASSERT_EQ(hatch->GetInnerRegionCount(), 1);
    EXPECT_NEAR(hatch->GetInnerRegion(0).GetBndBox().XMax(), 7, kTol);
    // The bulge of the second stretch bows the boundary out to x = 15.
    EXPECT_NEAR(hatch->GetOuterRegion().GetBndBox().XMax(), 15, 1e-6);
    EXPECT_EQ(convert.GetLeftOutCount(), 0);

    // An elliptic edge: the whole ellipse of radii 4 and 2.
    doc.InitDocument();
    const std::string ellipseLoop = G(92, "16") + G(93, "1") + G(72, "3") + G(10, 0.0) + G(20, 0.0) + G(11, 4.0) +
                                    G(21, 0.0) + G(40, 0.5) + G(50, 0.0) + G(51, 360.0) + G(73, "1") + G(97, "0");
    ASSERT_EQ(Read(File(Line(0, 0, 1, 1) + Hatch("SOLID", true, 1, ellipseLoop))), 2);
    EXPECT_EQ(convert.GetLeftOutCount(), 0);
    auto* oval = dynamic_cast<Hatch2dFeature*>(Shapes(Model()).at(1));
    ASSERT_NE(oval, nullptr);
    EXPECT_NEAR(oval->GetOuterRegion().GetBndBox().XMax(), 4, 1e-6);
    EXPECT_NEAR(oval->GetOuterRegion().GetBndBox().YMax(), 2, 1e-6);

    // Half an ellipse above a line, and a cubic spline below it back to the start.
    doc.InitDocument();
    const std::string halfAndSpline =
        G(92, "1") + G(93, "3") + G(72, "3") + G(10, 0.0) + G(20, 0.0) + G(11, 10.0) + G(21, 0.0) + G(40, 0.3) +
        G(50, 0.0) + G(51, 180.0) + G(73, "1") + G(72, "1") + G(10, -10.0) + G(20, 0.0) + G(11, -5.0) + G(21, 0.0) +
        G(72, "4") + G(94, "3") + G(73, "0") + G(74, "0") + G(95, "8") + G(96, "4") + G(40, 0.0) + G(40, 0.0) +
        G(40, 0.0) + G(40, 0.0) + G(40, 1.0) + G(40, 1.0) + G(40, 1.0) + G(40, 1.0) + G(10, -5.0) + G(20, 0.0) +
        G(10, -2.0) + G(20, -6.0) + G(10, 6.0) + G(20, -6.0) + G(10, 10.0) + G(20, 0.0) + G(97, "0");
    ASSERT_EQ(Read(File(Hatch("SOLID", true, 1, halfAndSpline))), 1);
    EXPECT_EQ(convert.GetLeftOutCount(), 0);
    auto* mixed = Only<Hatch2dFeature>();
    ASSERT_NE(mixed, nullptr);
    const RuVaBndBox2d mixedBox = mixed->GetOuterRegion().GetBndBox();
    EXPECT_NEAR(mixedBox.YMax(), 3, 1e-6);
    // The spline reaches 4.5 down (three quarters of its controls' depth); its box may be its controls'.
    EXPECT_LE(mixedBox.YMin(), -4.5 + 1e-6);
    EXPECT_GE(mixedBox.YMin(), -6 - 1e-6);
}

TEST_F(DxfReaderTest, PatternsWeHaveNoneLikeBecomeUserPatternsOfTheirLines)
{
    // Two families of lines: at 0 degrees every 3 (drawn 2, gap 1), and at 90 degrees every 4.
    auto hatch = [](const std::string& name, double x) {
        return G(0, "HATCH") + G(8, "0") + G(10, 0.0) + G(20, 0.0) + G(30, 0.0) + G(210, 0.0) + G(220, 0.0) +
               G(230, 1.0) + G(2, name) + G(70, "0") + G(71, "0") + G(91, "1") +
               PolylineLoop({{x, 0, 0}, {x + 10, 0, 0}, {x + 10, 10, 0}, {x, 10, 0}}) + G(75, "0") + G(76, "2") +
               G(52, 0.0) + G(41, 1.0) + G(77, "0") + G(78, "2") + G(53, 0.0) + G(43, 0.0) + G(44, 0.0) +
               G(45, 0.5) + G(46, 3.0) + G(79, "2") + G(49, 2.0) + G(49, -1.0) + G(53, 90.0) + G(43, 1.0) +
               G(44, 0.0) + G(45, -4.0) + G(46, 0.0) + G(79, "0") + G(98, "1") + G(10, 5.0) + G(20, 5.0);
    };
    ASSERT_EQ(Read(File(hatch("BRICKS", 0) + hatch("Bricks", 20) + Hatch("ANSI31", false, 1, CircleLoop(5, 5, 2)))),
              3);
    const std::vector<Feature2dBase*> shapes = Shapes(Model());
    ASSERT_EQ(shapes.size(), 3u);
    auto* first = dynamic_cast<Hatch2dFeature*>(shapes[0]);
    auto* second = dynamic_cast<Hatch2dFeature*>(shapes[1]);
    auto* builtIn = dynamic_cast<Hatch2dFeature*>(shapes[2]);
    ASSERT_TRUE(first != nullptr && second != nullptr && builtIn != nullptr);
    EXPECT_EQ(first->GetHatchType(), Hatch2dFeature::UserDefined);
    EXPECT_EQ(builtIn->GetHatchType(), Hatch2dFeature::BuiltInPattern);
    // One pattern for the name, whatever its case.
    EXPECT_EQ(second->GetHatchSetting().GetPatternID(), first->GetHatchSetting().GetPatternID());
    auto* pattern = dynamic_cast<const LineHatchPattern*>(
        doc.GetHatchPatternTable()->GetHatchPattern(first->GetHatchSetting().GetPatternID()));
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(pattern->GetPatternName(), CString(_T("BRICKS")));
    ASSERT_EQ(pattern->GetLineItemCount(), 2);
    const LineHatchPatternLineItem& along = pattern->GetLineItem(0);
    EXPECT_NEAR(along.GetAngle(), 0, kTol);
    EXPECT_NEAR(along.GetSpace(), 3, kTol);  // the offset's part square to the lines
    const LineTypeFeature* dashes = doc.GetLineTypeFeatureTable()->GetLineTypeByNo(along.GetLineTypeNo());
    ASSERT_NE(dashes, nullptr);
    ASSERT_EQ(dashes->GetLineTypeSegment(), 2);
    EXPECT_NEAR(dashes->GetLineTypeSegmentAt(0), 2, kTol);
    const LineHatchPatternLineItem& across = pattern->GetLineItem(1);
    EXPECT_NEAR(across.GetAngle(), 90, kTol);
    EXPECT_NEAR(across.GetSpace(), 4, kTol);
    ExpectPoint(across.GetPoint(), 1, 0);
    EXPECT_EQ(across.GetLineTypeNo(), 0);
}

TEST_F(DxfReaderTest, LeadersBecomeLeadsOrTheirLinesWhenBrokenUp)
{
    const std::string leader = G(0, "LEADER") + G(8, "0") + G(71, "1") + G(72, "0") + G(76, "3") + G(10, 0.0) +
                               G(20, 0.0) + G(10, 10.0) + G(20, 10.0) + G(10, 20.0) + G(20, 10.0);
    ASSERT_EQ(Read(File(leader)), 1);
    auto* lead = Only<Lead2dFeature>();
    ASSERT_NE(lead, nullptr);
    ASSERT_EQ(lead->GetPointArray().GetSize(), 3);
    ExpectPoint(lead->GetPointArray()[0], 0, 0);  // the arrow tip
    ExpectPoint(lead->GetPointArray()[2], 20, 10);
    EXPECT_EQ(convert.GetLeftOutCount(), 0);

    doc.InitDocument();
    setting.m_nResolveLeader = 1;
    ASSERT_EQ(Read(File(leader)), 1);
    auto* line = Only<Polyline2dFeature>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetPointArray().GetSize(), 3);
}

TEST_F(DxfReaderTest, ImagesAreReadFromTheirFilesBesideTheDrawing)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("photo.png"))));
    // An image of 40 x 20 pixels, each 0.5 units, at (10, 5); its definition names the file.
    auto image = [](const std::string& handle) {
        return G(0, "IMAGE") + G(8, "0") + G(10, 10.0) + G(20, 5.0) + G(30, 0.0) + G(11, 0.5) + G(21, 0.0) +
               G(31, 0.0) + G(12, 0.0) + G(22, 0.5) + G(32, 0.0) + G(13, 40.0) + G(23, 20.0) + G(340, handle) +
               G(281, "50") + G(282, "50") + G(283, "0");
    };
    auto definitions = [](const std::string& file) {
        return G(0, "SECTION") + G(2, "OBJECTS") + G(0, "IMAGEDEF") + G(5, "2A") + G(1, file) + G(0, "ENDSEC");
    };
    auto withObjects = [](const std::string& file, const std::string& objects) {
        const size_t eof = file.rfind(G(0, "EOF"));
        return file.substr(0, eof) + objects + G(0, "EOF");
    };
    ASSERT_EQ(Read(withObjects(File(image("2A")), definitions("photo.png"))), 1);
    auto* pImage = Only<Image2dFeature>();
    ASSERT_NE(pImage, nullptr);
    EXPECT_TRUE(pImage->HasImage());
    ExpectPoint(pImage->GetPoint(), 10, 5);
    EXPECT_NEAR(pImage->GetWidth(), 20, kTol);
    EXPECT_NEAR(pImage->GetHeight(), 10, kTol);
    EXPECT_EQ(convert.GetLeftOutCount(), 0);

    // A file that is not there: the frame and the file's name keep the image's place.
    doc.InitDocument();
    ASSERT_GE(Read(withObjects(File(image("2A")), definitions("C:\\plans\\gone.png"))), 1);
    const std::vector<Feature2dBase*> shapes = Shapes(Model());
    ASSERT_EQ(shapes.size(), 2u);
    auto* frame = dynamic_cast<Polyline2dFeature*>(shapes[0]);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsClosed());
    auto* name = dynamic_cast<Text2dFeature*>(shapes[1]);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->GetText(), CString(_T("gone.png")));
}

TEST_F(DxfReaderTest, PaperSpaceShapesGoOnThePaperUnlessOnlyTheModelIsRead)
{
    // A title block line and a placed block in the paper space, a wall in the model.
    const std::string blocks = Block("Stamp", Line(0, 0, 5, 0));
    const std::string entities = Line(0, 0, 100, 0) + Line(10, 10, 200, 10, G(67, "1")) + G(0, "INSERT") + G(8, "0") +
                                 G(67, "1") + G(2, "Stamp") + G(10, 20.0) + G(20, 20.0);
    const std::string file = File(entities, "", "", blocks);
    auto count = [this](const DrawingFeatureBase* pDrawing) { return Shapes(pDrawing).size(); };

    ASSERT_GE(Read(file), 1);
    const DrawingFeatureBase* pPaper = doc.GetPaperFeature(0);
    ASSERT_NE(pPaper, nullptr);
    EXPECT_EQ(count(Model()), 1u);
    const std::vector<Feature2dBase*> onPaper = Shapes(pPaper);
    int lines = 0, stamps = 0;
    for (Feature2dBase* f : onPaper) {
        if (auto* line = dynamic_cast<Line2dFeature*>(f)) {
            ++lines;
            ExpectPoint(line->GetEndPoint(), 200, 10);
        }
        if (dynamic_cast<DrawComponent2dFeature*>(f))
            ++stamps;
    }
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(stamps, 1);

    doc.InitDocument();
    setting.m_nModelSpaceOnlyRead = 1;
    ASSERT_GE(Read(file), 1);
    EXPECT_EQ(count(Model()), 1u);
    for (Feature2dBase* f : Shapes(doc.GetPaperFeature(0)))
        EXPECT_EQ(dynamic_cast<Line2dFeature*>(f), nullptr) << "nothing of the paper space is read";
}

namespace {

// A dimension of the kind (70) with its definition point, text middle, typed text and kind's own groups.
std::string Dimension(int nKind, double dx, double dy, const std::string& text, const std::string& own)
{
    return G(0, "DIMENSION") + G(8, "0") + G(2, "*D1") + G(10, dx) + G(20, dy) + G(30, 0.0) + G(11, 50.0) +
           G(21, 22.0) + G(31, 0.0) + G(70, std::to_string(32 + nKind)) + G(1, text) + own;
}

}  // namespace

TEST_F(DxfReaderTest, DimensionsBecomeDimensionsOfTheirKindOrTheirShapes)
{
    const std::string rotated = Dimension(0, 0, 20, "", G(13, 0.0) + G(23, 0.0) + G(14, 100.0) + G(24, 0.0) +
                                                            G(50, 0.0));
    ASSERT_EQ(Read(File(rotated)), 1);
    auto* linear = Only<LinearDimension2dFeature>();
    ASSERT_NE(linear, nullptr);
    ExpectPoint(linear->GetPoint(1), 100, 0);
    EXPECT_NEAR(linear->GetProjectionLength(), 20, kTol);
    EXPECT_NEAR(linear->GetProjectionAngle(), 90, kTol);
    EXPECT_NEAR(linear->GetDimensionAngle(), 0, kTol);
    EXPECT_NEAR(linear->GetMeasuredValue(), 100, kTol);

    // Aligned, its line on the right of the measured points: the extension lines turn that way.
    doc.InitDocument();
    const std::string aligned = Dimension(1, 38, 34, "", G(13, 0.0) + G(23, 0.0) + G(14, 30.0) + G(24, 40.0));
    ASSERT_EQ(Read(File(aligned)), 1);
    linear = Only<LinearDimension2dFeature>();
    ASSERT_NE(linear, nullptr);
    EXPECT_NEAR(linear->GetMeasuredValue(), 50, kTol);
    EXPECT_NEAR(linear->GetProjectionLength(), 10, kTol);
    EXPECT_NEAR(linear->GetProjectionAngle(), std::atan2(40.0, 30.0) * 180 / M_PI - 90 + 360, kTol);

    doc.InitDocument();
    ASSERT_EQ(Read(File(Dimension(4, 5, 5, "R five", G(15, 10.0) + G(25, 5.0) + G(40, 0.0)))), 1);
    auto* radius = Only<RadiusDimension2dFeature>();
    ASSERT_NE(radius, nullptr);
    EXPECT_EQ(radius->GetValueText(), CString(_T("R five")));
    EXPECT_NEAR(radius->GetStartPoint().Distance(radius->GetEndPoint()), 5, kTol);

    doc.InitDocument();
    ASSERT_EQ(Read(File(Dimension(3, 0, 0, "", G(15, 10.0) + G(25, 0.0) + G(40, 0.0)))), 1);
    auto* diameter = Only<DiameterDimension2dFeature>();
    ASSERT_NE(diameter, nullptr);
    EXPECT_NEAR(diameter->GetStartPoint().Distance(diameter->GetEndPoint()), 10, kTol);

    // Two lines meeting at (10, 0): the x axis taken leftwards and a line up at 45 degrees; the arc point
    // picks the 135-degree angle between them.
    doc.InitDocument();
    const std::string twoLines = Dimension(2, 20, 10, "", G(13, 30.0) + G(23, 0.0) + G(14, 20.0) + G(24, 0.0) +
                                                           G(15, 10.0) + G(25, 0.0) + G(16, 5.0) + G(26, 3.0));
    ASSERT_EQ(Read(File(twoLines)), 1);
    auto* angular = Only<AngularDimension2dFeature>();
    ASSERT_NE(angular, nullptr);
    ExpectPoint(angular->GetCenterPoint(), 10, 0);
    EXPECT_NEAR(angular->GetMeasuredValue(), 135, 1e-6);
    // Three points: vertex (0, 0), a right angle.
    doc.InitDocument();
    const std::string threePoints = Dimension(5, 7, 7, "", G(13, 10.0) + G(23, 0.0) + G(14, 0.0) + G(24, 10.0) +
                                                            G(15, 0.0) + G(25, 0.0));
    ASSERT_EQ(Read(File(threePoints)), 1);
    angular = Only<AngularDimension2dFeature>();
    ASSERT_NE(angular, nullptr);
    EXPECT_NEAR(angular->GetMeasuredValue(), 90, 1e-6);
    EXPECT_NEAR(angular->GetRadius(), std::hypot(7.0, 7.0), kTol);

    // Broken up: the lines, arrows and text it is drawn with, kept together. Ordinate ones are not read yet.
    doc.InitDocument();
    setting.m_nResolveDimensionRead = 1;
    const std::string ordinate = Dimension(6, 0, 0, "", G(13, 10.0) + G(23, 0.0) + G(14, 20.0) + G(24, 5.0));
    ASSERT_GE(Read(File(rotated + ordinate)), 1);
    auto* group = Only<DrawGroup2dFeature>();
    ASSERT_NE(group, nullptr);
    EXPECT_GE(group->GetFeatureCount(), 3);
    EXPECT_EQ(convert.GetLeftOutCount(), 1);
}

TEST_F(DxfReaderTest, DimensionAndTextStylesAndTheTextAroundTheValue)
{
    // A dimension style with text 3.5, arrows 2, one decimal and " mm" after the value, at overall scale 2;
    // a text style in an outline font named in the extended data, and one in a font file only.
    const std::string tables =
        G(0, "TABLE") + G(2, "DIMSTYLE") + G(70, "1") + G(0, "DIMSTYLE") + G(105, "1A") + G(2, "Arch") + G(70, "0") +
        G(3, "<> mm") + G(40, 2.0) + G(41, 1.0) + G(140, 1.75) + G(271, "1") + G(0, "ENDTAB") + G(0, "TABLE") +
        G(2, "STYLE") + G(70, "2") + G(0, "STYLE") + G(2, "Title") + G(70, "0") + G(40, 0.0) + G(41, 0.8) +
        G(50, 15.0) + G(71, "0") + G(42, 2.5) + G(3, "arialbd.ttf") + G(4, "") + G(1001, "ACAD") +
        G(1000, "Arial Black") + G(1071, "34") + G(0, "STYLE") + G(2, "Plain") + G(70, "0") + G(40, 5.0) +
        G(41, 1.0) + G(50, 0.0) + G(71, "0") + G(42, 2.5) + G(3, "DejaVuSans.ttf") + G(4, "") + G(0, "ENDTAB");
    const std::string rotated = G(13, 0.0) + G(23, 0.0) + G(14, 100.0) + G(24, 0.0) + G(50, 0.0);
    auto dimension = [&](const std::string& style, const std::string& text) {
        return G(0, "DIMENSION") + G(8, "0") + G(2, "*D1") + G(10, 0.0) + G(20, 20.0) + G(30, 0.0) + G(11, 50.0) +
               G(21, 22.0) + G(31, 0.0) + G(70, "32") + G(1, text) + G(3, style) + rotated;
    };
    const std::string text = G(0, "TEXT") + G(8, "0") + G(10, 0.0) + G(20, 0.0) + G(40, 2.0) + G(1, "Hello") +
                             G(7, "Title");
    const std::string entities = dimension("Arch", "") + dimension("Arch", "%%c<>H7") + dimension("Standard", "") +
                                 dimension("Arch", "About 100") + text;
    ASSERT_EQ(Read(File(entities, "", tables)), 5);
    const std::vector<Feature2dBase*> shapes = Shapes(Model());
    ASSERT_EQ(shapes.size(), 5u);
    struct Case {
        const char* what;
        const char16_t* pre;
        const char16_t* post;
        double height;
        bool typed;
    } cases[] = {{"the style's suffix", u"", u" mm", 3.5, false},
                 {"the text's own prefix and suffix", u"\u00D8", u"H7", 3.5, false},
                 {"the document's style", u"", u"", doc.GetDimensionSetting()->GetDimTextHight(), false},
                 {"typed", u"", u" mm", 3.5, true}};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].what);
        auto* d = dynamic_cast<Dimension2dFeatureBase*>(shapes[i]);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetDimensionSetting().GetPreAdditionText().str(), cases[i].pre);
        EXPECT_EQ(d->GetDimensionSetting().GetPostAdditionText1().str(), cases[i].post);
        EXPECT_NEAR(d->GetTextHeight(), cases[i].height, kTol);
        EXPECT_EQ(d->GetValueTextManualMode() != 0, cases[i].typed);
    }
    auto* arch = dynamic_cast<Dimension2dFeatureBase*>(shapes[0]);
    EXPECT_NEAR(arch->GetArrowSize(), 2.0, kTol);
    EXPECT_EQ(arch->GetPrecision(), 1);
    EXPECT_EQ(dynamic_cast<Dimension2dFeatureBase*>(shapes[3])->GetValueTextRaw(), CString(_T("About 100")));

    auto* t = dynamic_cast<Text2dFeature*>(shapes[4]);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetFontName(), CString(_T("Arial Black")));

    // Both kinds of style are the document's to choose from.
    const DimensionSettingStyles* dimStyles = doc.GetDimensionSettingStyles();
    auto* archStyle = dynamic_cast<const DimensionSetting*>(dimStyles->GetSettingStyle(_T("Arch")));
    ASSERT_NE(archStyle, nullptr);
    EXPECT_NEAR(archStyle->GetDimTextHight(), 3.5, kTol);
    const TextSettingStyles* textStyles = doc.GetTextSettingStyles();
    auto* plain = dynamic_cast<const TextSetting*>(textStyles->GetSettingStyle(_T("Plain")));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetFontName(), CString(_T("DejaVuSans")));
    EXPECT_NEAR(plain->GetHeight(), 5.0, kTol);
    auto* title = dynamic_cast<const TextSetting*>(textStyles->GetSettingStyle(_T("Title")));
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->GetWidthRatio(), 0.8, kTol);
}

TEST_F(DxfReaderTest, OrdinateDimensionsArePlacedAsTheirBlocks)
{
    const std::string blocks = Block("*D7", Line(10, 0, 10, 25) + Line(10, 25, 20, 25));
    const std::string ordinate = G(0, "DIMENSION") + G(8, "0") + G(2, "*D7") + G(10, 0.0) + G(20, 0.0) +
                                 G(30, 0.0) + G(11, 20.0) + G(21, 25.0) + G(31, 0.0) + G(70, "38") + G(1, "") +
                                 G(13, 10.0) + G(23, 0.0) + G(14, 20.0) + G(24, 25.0);
    // Without its block the dimension cannot be drawn: left out.
    const std::string orphan = G(0, "DIMENSION") + G(8, "0") + G(2, "*D9") + G(10, 0.0) + G(20, 0.0) + G(30, 0.0) +
                               G(11, 1.0) + G(21, 1.0) + G(31, 0.0) + G(70, "38") + G(13, 1.0) + G(23, 0.0) +
                               G(14, 2.0) + G(24, 2.0);
    ASSERT_EQ(Read(File(ordinate + orphan, "", "", blocks)), 1 + 2);
    auto* inst = Only<DrawComponent2dFeature>();
    ASSERT_NE(inst, nullptr);
    const DrawComponent2dFeatureDefine* def =
        doc.GetComponentDefineTable()->GetComponentDefine(inst->GetComponentDefineID());
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetComponentName(), CString(_T("*D7")));
    ExpectPoint(inst->GetOrigin(), 0, 0);
    EXPECT_EQ(convert.GetLeftOutCount(), 1);
}

TEST_F(DxfReaderTest, LineWeightsNoWidthHasTakeTheUserWidths)
{
    // 0.53 and 0.15 mm are no width of ours; 0.05 is user width 10 as it stands, until 0.53 takes it.
    const std::string entities = Line(0, 0, 1, 0, G(370, "53")) + Line(0, 1, 1, 1, G(370, "5")) +
                                 Line(0, 2, 1, 2, G(370, "15")) + Line(0, 3, 1, 3, G(370, "53")) +
                                 Line(0, 4, 1, 4, G(370, "35"));
    ASSERT_EQ(Read(File(entities)), 5);
    const std::vector<Feature2dBase*> shapes = Shapes(Model());
    ASSERT_EQ(shapes.size(), 5u);
    const LineWidthFeatureTable* widths = doc.GetLineWidthFeatureTable();
    const double expected[] = {0.53, 0.05, 0.15, 0.53, 0.35};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(widths->GetLineWidth(shapes[i]->GetLineWidthNo()), expected[i], 1e-9) << i;
    EXPECT_EQ(shapes[0]->GetLineWidthNo(), shapes[3]->GetLineWidthNo());
    EXPECT_GE(shapes[0]->GetLineWidthNo(), 10);
    EXPECT_EQ(shapes[4]->GetLineWidthNo(), 4);  // a fixed width
}

TEST_F(DxfReaderTest, FurtherLayoutsBecomePapersAndViewportsLayTheModelOut)
{
    // Two layouts: "Sheet" (active, its shapes in the entity section) and "Detail" (its own block), each
    // with a viewport onto the model besides the layout's own (number 1).
    auto viewport = [](int id, double cx, double cy, double w, double h, double vx, double vy, double vh,
                       const std::string& extra) {
        return G(0, "VIEWPORT") + G(8, "0") + extra + G(100, "AcDbViewport") + G(10, cx) + G(20, cy) + G(30, 0.0) +
               G(40, w) + G(41, h) + G(68, "1") + G(69, std::to_string(id)) + G(12, vx) + G(22, vy) + G(17, 0.0) +
               G(27, 0.0) + G(37, 0.0) + G(45, vh) + G(51, 0.0);
    };
    const std::string tables = G(0, "TABLE") + G(2, "BLOCK_RECORD") + G(70, "2") + G(0, "BLOCK_RECORD") +
                               G(5, "1E") + G(2, "*Paper_Space") + G(0, "BLOCK_RECORD") + G(5, "2A") +
                               G(2, "*Paper_Space0") + G(0, "ENDTAB");
    const std::string blocks = Block("*Paper_Space0", Line(10, 10, 30, 10, G(67, "1")) +
                                                          viewport(1, 148.5, 105, 297, 210, 0, 0, 210, G(67, "1")) +
                                                          viewport(2, 150, 100, 100, 80, 50, 50, 160, G(67, "1")));
    const std::string entities = Line(0, 0, 100, 100) + Line(5, 5, 6, 6, G(67, "1")) +
                                 viewport(2, 100, 100, 200, 100, 50, 50, 100, G(67, "1"));
    auto layout = [](const std::string& name, int tab, const std::string& record, double w, double h) {
        return G(0, "LAYOUT") + G(5, "99") + G(330, "1A") + G(100, "AcDbPlotSettings") + G(1, "") + G(44, w) +
               G(45, h) + G(72, "1") + G(73, "0") + G(100, "AcDbLayout") + G(1, name) + G(70, "1") +
               G(71, std::to_string(tab)) + G(330, record);
    };
    const std::string objects = Section("OBJECTS", layout("Sheet", 1, "1E", 420, 297) +
                                                        layout("Detail", 2, "2A", 210, 297));
    std::string file = File(entities, "", tables, blocks);
    file.insert(file.rfind(G(0, "EOF")), objects);
    ASSERT_EQ(Read(file), 3);

    Paper2dFeature* sheet = doc.GetPaperFeature(0);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->GetDrawingName(), CString(_T("Sheet")));
    {
        // Laid out by its viewports, the active paper takes its layout's size, not the sheet's.
        double sw = 0, sh = 0;
        ASSERT_TRUE(doc.GetPaperSize(_T("Sheet"), sw, sh));
        EXPECT_NEAR(sw, 420, kTol);
        EXPECT_NEAR(sh, 297, kTol);
    }
    ASSERT_EQ(sheet->GetPartLayoutCount(), 1);  // the viewport's, instead of the sheet's rule
    const PartDrawingLayout* onSheet = sheet->GetPartLayout(0);
    EXPECT_NEAR(onSheet->GetScaleNumeratorX() / onSheet->GetScaleDenominatorX(), 1, kTol);
    ExpectPoint(onSheet->GetOrigin(), 50, 50);
    EXPECT_TRUE(onSheet->IsRegionEnabled());

    Paper2dFeature* detail = doc.GetPaperFeature(1);
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->GetDrawingName(), CString(_T("Detail")));
    double pw = 0, ph = 0;
    ASSERT_TRUE(doc.GetPaperSize(_T("Detail"), pw, ph));
    EXPECT_NEAR(pw, 210, kTol);
    EXPECT_NEAR(ph, 297, kTol);
    const std::vector<Feature2dBase*> onDetail = Shapes(detail);
    ASSERT_EQ(onDetail.size(), 1u);
    ExpectPoint(dynamic_cast<Line2dFeature*>(onDetail[0])->GetEndPoint(), 30, 10);
    ASSERT_EQ(detail->GetPartLayoutCount(), 1);
    const PartDrawingLayout* half = detail->GetPartLayout(0);
    EXPECT_NEAR(half->GetScaleNumeratorX(), 1, kTol);
    EXPECT_NEAR(half->GetScaleDenominatorX(), 2, kTol);
    ExpectPoint(half->GetOrigin(), 125, 75);
    EXPECT_EQ(half->GetDrawingID(), Model()->GetDrawingID());

    // The caller lists the papers in tab order.
    CStringArray names;
    setting.GetDrawingFeatureNameArray(names);
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_EQ(names[0], CString(_T("Sheet")));
    EXPECT_EQ(names[1], CString(_T("Detail")));

    // Only the model: no further paper, and the model laid out by the sheet's rule.
    doc.InitDocument();
    setting.m_nModelSpaceOnlyRead = 1;
    ASSERT_EQ(Read(file), 1);
    EXPECT_EQ(doc.GetPaperFeature(1), nullptr);
    EXPECT_EQ(doc.GetPaperFeature(0)->GetPartLayoutCount(), 1);
}

TEST_F(DxfReaderTest, ATwistedViewportShowsItsViewCentreAtItsCentre)
{
    // A viewport at (200, 150) on paper, 100 x 80, showing 80 model units high (1:1), looking at the
    // target (100, 0) with the view centre (10, 20) in display coordinates and a twist of 90 degrees.
    auto viewport = [](double w, double h, double vh, double twist, const std::string& direction) {
        return G(0, "VIEWPORT") + G(8, "0") + G(67, "1") + G(100, "AcDbViewport") + G(10, 200.0) + G(20, 150.0) +
               G(30, 0.0) + G(40, w) + G(41, h) + G(68, "1") + G(69, "2") + G(12, 10.0) + G(22, 20.0) + direction +
               G(17, 100.0) + G(27, 0.0) + G(37, 0.0) + G(45, vh) + G(51, twist);
    };
    const std::string tables = G(0, "TABLE") + G(2, "BLOCK_RECORD") + G(70, "1") + G(0, "BLOCK_RECORD") +
                               G(5, "1E") + G(2, "*Paper_Space") + G(0, "ENDTAB");
    auto layout = [](double w, double h) {
        return Section("OBJECTS", G(0, "LAYOUT") + G(5, "99") + G(330, "1A") + G(100, "AcDbPlotSettings") +
                                      G(1, "") + G(44, w) + G(45, h) + G(72, "1") + G(73, "0") +
                                      G(100, "AcDbLayout") + G(1, "Sheet") + G(70, "1") + G(71, "1") +
                                      G(330, "1E"));
    };
    auto file = [&](const std::string& entities, const std::string& objects) {
        std::string text = File(Line(0, 0, 1, 0) + entities, "", tables);
        text.insert(text.rfind(G(0, "EOF")), objects);
        return text;
    };
    ASSERT_EQ(Read(file(viewport(100, 80, 80, 90, ""), layout(297, 210))), 1);
    Paper2dFeature* sheet = doc.GetPaperFeature(0);
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->GetPartLayoutCount(), 1);
    const PartDrawingLayout* shown = sheet->GetPartLayout(0);
    // The model point at the view centre lands on the viewport's centre; the model's +X points up the
    // paper (the view turned counter-clockwise by the twist).
    struct Case {
        double mx, my, px, py;
    };
    for (const Case& c : {Case{120, -10, 200, 150}, Case{125, -10, 200, 155}, Case{120, -15, 205, 150}}) {
        RuVaPnt2d onPaper;
        shown->ConvertPointLocalToWorld(RuVaPnt2d(c.mx, c.my), onPaper);
        EXPECT_NEAR(onPaper.X(), c.px, kTol) << c.mx << "," << c.my;
        EXPECT_NEAR(onPaper.Y(), c.py, kTol) << c.mx << "," << c.my;
    }
    // The clip outline covers exactly what the viewport shows: 80 x 100 in the model about (120, -10).
    ASSERT_TRUE(shown->IsRegionEnabled());
    const RuVaBndBox2d clip = shown->GetRegion()->GetBndBox();
    EXPECT_NEAR(clip.XMin(), 80, kTol);
    EXPECT_NEAR(clip.XMax(), 160, kTol);
    EXPECT_NEAR(clip.YMin(), -60, kTol);
    EXPECT_NEAR(clip.YMax(), 40, kTol);
    double pw = 0, ph = 0;
    ASSERT_TRUE(doc.GetPaperSize(sheet->GetDrawingName(), pw, ph));
    EXPECT_NEAR(pw, 297, kTol);
    EXPECT_NEAR(ph, 210, kTol);

    // A layout of size 0 leaves the paper at the converter sheet's size.
    doc.InitDocument();
    ASSERT_EQ(Read(file(viewport(100, 80, 80, 0, ""), layout(0, 0))), 1);
    double sheetW = 0, sheetH = 0;
    ASSERT_TRUE(doc.GetPaperSize(doc.GetPaperFeature(0)->GetDrawingName(), sheetW, sheetH));
    doc.InitDocument();
    ASSERT_EQ(Read(file("", "")), 1);
    double plainW = 0, plainH = 0;
    ASSERT_TRUE(doc.GetPaperSize(doc.GetPaperFeature(0)->GetDrawingName(), plainW, plainH));
    EXPECT_NEAR(sheetW, plainW, kTol);
    EXPECT_NEAR(sheetH, plainH, kTol);

    // A view from below (mirrored) is no part layout: left out and counted; the sheet's rule applies.
    doc.InitDocument();
    ASSERT_EQ(Read(file(viewport(100, 80, 80, 0, G(16, 0.0) + G(26, 0.0) + G(36, -1.0)), layout(297, 210))), 1);
    EXPECT_EQ(convert.GetLeftOutCount(), 1);
    EXPECT_EQ(doc.GetPaperFeature(0)->GetPartLayoutCount(), 1);
}

TEST_F(DxfReaderTest, ObjectsWeCannotHoldAreCountedAsLeftOut)
{
    const std::string entities = Line(0, 0, 1, 1) + G(0, "3DSOLID") + G(8, "0") + G(0, "MESH") + G(8, "0");
    ASSERT_EQ(Read(File(entities)), 1);
    EXPECT_EQ(convert.GetLeftOutCount(), 2);
}

// ---------------------------------------------------------------------------------------------
// Bad input

namespace {

std::string BlockChain(int nBlocks, int nPerBlock, bool bPlace)
{
    std::string blocks = Block("B0", Line(0, 0, 1, 0));
    for (int i = 1; i < nBlocks; ++i) {
        std::string body;
        for (int k = 0; k < nPerBlock; ++k)
            body += Insert("B" + std::to_string(i - 1), k, 0);
        blocks += Block("B" + std::to_string(i), body);
    }
    return File(bPlace ? Insert("B" + std::to_string(nBlocks - 1), 0, 0) : Line(0, 0, 1, 1), "", "", blocks);
}

std::string Truncated(const std::string& file, const char* marker)
{
    const size_t at = file.find(marker);
    return file.substr(0, at == std::string::npos ? file.size() / 2 : at);
}

}  // namespace

TEST_F(DxfReaderTest, BadInputFailsWithItsCodeAndLeavesAnEmptyDocument)
{
    const std::string good = File(Line(0, 0, 1, 1), "", G(0, "TABLE") + G(2, "LAYER") + G(0, "ENDTAB"),
                                  Block("A", Line(0, 0, 1, 0)));
    const std::string bigValue(DxfTokenizer::kMaxValueLength + 1, 'x');
    struct Case { const char* name; std::string data; int code; };
    const Case cases[] = {
        {"empty", "", AcadConvert::resultNotDxf},
        {"garbage", "Hello, this is not a drawing\n\x01\x02\x03", AcadConvert::resultNotDxf},
        {"groups without sections", G(5, "1") + G(7, "x"), AcadConvert::resultNotDxf},
        {"truncated in the header", Truncated(good, "TABLES"), AcadConvert::resultDamaged},
        {"truncated in the tables", Truncated(good, "ENDTAB"), AcadConvert::resultDamaged},
        {"truncated in the blocks", Truncated(good, "ENDBLK"), AcadConvert::resultDamaged},
        {"truncated in the entities", Truncated(good, "LINE\n8\n0\n10\n0\n20\n0\n30\n0\n11"), AcadConvert::resultDamaged},
        {"no end of file", good.substr(0, good.rfind("0\nEOF")), AcadConvert::resultDamaged},
        {"code line not a number", File(Line(0, 0, 1, 1) + "ten\n5\n"), AcadConvert::resultDamaged},
        {"coordinate not a number", File(G(0, "LINE") + G(10, "one") + G(20, 0.0)), AcadConvert::resultDamaged},
        {"group code out of range", File(G(0, "LINE") + G(5000, "1")), AcadConvert::resultDamaged},
        {"vertex count beyond the file", File(G(0, "LWPOLYLINE") + G(90, "999999999") + G(10, 0.0) + G(20, 0.0)),
         AcadConvert::resultBeyondLimits},
        {"overflowing vertex count", File(G(0, "LWPOLYLINE") + G(90, "2147483647") + G(10, 0.0)),
         AcadConvert::resultBeyondLimits},
        {"negative vertex count", File(G(0, "LWPOLYLINE") + G(90, "-5") + G(10, 0.0)), AcadConvert::resultDamaged},
        {"vertex before its count", File(G(0, "LWPOLYLINE") + G(10, 0.0) + G(20, 0.0) + G(90, "1")),
         AcadConvert::resultDamaged},
        {"bulge before any vertex", File(G(0, "LWPOLYLINE") + G(90, "1") + G(42, 1.0) + G(10, 0.0) + G(20, 0.0)),
         AcadConvert::resultDamaged},
        {"spline knots beyond the file", File(G(0, "SPLINE") + G(72, "400000000") + G(40, 0.0)),
         AcadConvert::resultBeyondLimits},
        {"spline points beyond the file", File(G(0, "SPLINE") + G(73, "1073741824") + G(10, 0.0)),
         AcadConvert::resultBeyondLimits},
        {"leader vertices beyond the file", File(G(0, "LEADER") + G(76, "900000000") + G(10, 0.0)),
         AcadConvert::resultBeyondLimits},
        {"hatch edges beyond the file", File(G(0, "HATCH") + G(91, "1") + G(92, "1") + G(93, "800000000")),
         AcadConvert::resultBeyondLimits},
        {"value line too long", File(G(0, "TEXT") + G(1, bigValue)), AcadConvert::resultBeyondLimits},
        {"block placing itself", File(Insert("S", 0, 0), "", "", Block("S", Insert("S", 1, 1))),
         AcadConvert::resultDamaged},
        {"blocks placing each other", File(Insert("P", 0, 0), "", "", Block("P", Insert("Q", 0, 0)) + Block("Q", Insert("P", 0, 0))),
         AcadConvert::resultDamaged},
        {"nesting 17 deep", BlockChain(17, 1, true), AcadConvert::resultBeyondLimits},
        {"block bomb", BlockChain(9, 10, true), AcadConvert::resultBeyondLimits},
        // Nothing places it, but the definition alone would expand beyond the limit.
        {"unplaced block bomb", BlockChain(9, 10, false), AcadConvert::resultBeyondLimits},
        // 5000 x 4001 cells of one line: 20,005,000 shapes, beyond the 20 million allowed, refused before
        // any cell is made (the pieces alone, 20 million, are within their own limit).
        {"array beyond the shape limit",
         File(Line(0, 0, 1, 1) + Insert("A", 0, 0, G(70, "5000") + G(71, "4001") + G(44, 1.0) + G(45, 1.0)), "", "",
              Block("A", Line(0, 0, 1, 0))),
         AcadConvert::resultBeyondLimits},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.InitDocument();
        EXPECT_EQ(Read(c.data), c.code);
        EXPECT_EQ(doc.GetFeatureCount(), 0);
        EXPECT_EQ(doc.GetComponentDefineTable()->GetComponentDefineCount(), 0);
        EXPECT_EQ(doc.GetLayerTable()->GetSize(), 0);
    }
}

TEST_F(DxfReaderTest, NestingSixteenDeepIsRead)
{
    // Sixteen definitions, each placing the one before, and one placement in the model.
    EXPECT_EQ(Read(BlockChain(16, 1, true)), 17);
    EXPECT_EQ(doc.GetComponentDefineTable()->GetComponentDefineCount(), 16);
}

TEST_F(DxfReaderTest, AMissingFileIsUnreadable)
{
    EXPECT_EQ(convert.ReadFile(CString::FromQString(dir.filePath(QStringLiteral("none.dxf"))), &doc, &setting),
              AcadConvert::resultUnreadable);
}

TEST_F(DxfReaderTest, TheProgressCallbackCanCancel)
{
    std::string entities;
    for (int i = 0; i < 5000; ++i)
        entities += Line(i, 0, i, 1);
    int calls = 0;
    convert.SetNotifyProgressFunction(
        [](NotifyProgressInfo* info, void* user) -> int {
            int& n = *static_cast<int*>(user);
            ++n;
            return info->m_nKind == NotifyProgressInfo::kindStep ? 0 : 1;
        },
        &calls);
    EXPECT_EQ(Read(File(entities)), AcadConvert::resultCancelled);
    EXPECT_GT(calls, 1);
    EXPECT_EQ(doc.GetFeatureCount(), 0);
}
