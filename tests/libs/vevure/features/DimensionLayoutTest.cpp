// The laid-out look of dimensions from their style: extension lines, the dimension line, the heads inside or
// outside (chosen when the text does not fit), the text's place and angle, each kind's geometry, the box
// holding every part and the layout made again after each change.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/VeVureEnums.h"

namespace {

using Role = DimensionLayout::Role;

LinearDimension2dFeature Horizontal(double length = 100.0)
{
    return LinearDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(length, 0), 20.0, 90.0, 0.0);
}

template <class F>
void Restyle(Dimension2dFeatureBase& d, F change)
{
    DimensionSetting s(d.GetDimensionSetting());
    change(s);
    ASSERT_TRUE(d.SetDimensionSetting(s));
}

std::vector<const Line2dFeature*> Lines(const Dimension2dFeatureBase& d, int role)
{
    std::vector<const Line2dFeature*> out;
    for (const auto& p : d.GetLayout().GetPieces())
        if (p.nRole == role && p.feature->GetFeatureType() == FeatureTypeLine)
            out.push_back(static_cast<const Line2dFeature*>(p.feature.get()));
    return out;
}

std::vector<const Arrow2dFeature*> Arrows(const Dimension2dFeatureBase& d)
{
    std::vector<const Arrow2dFeature*> out;
    for (const auto& p : d.GetLayout().GetPieces())
        if (p.feature->GetFeatureType() == FeatureTypeArrow)
            out.push_back(static_cast<const Arrow2dFeature*>(p.feature.get()));
    return out;
}

std::vector<const Arc2dFeature*> Arcs(const Dimension2dFeatureBase& d)
{
    std::vector<const Arc2dFeature*> out;
    for (const auto& p : d.GetLayout().GetPieces())
        if (p.feature->GetFeatureType() == FeatureTypeArc)
            out.push_back(static_cast<const Arc2dFeature*>(p.feature.get()));
    return out;
}

const Text2dFeature* ValueText(const Dimension2dFeatureBase& d)
{
    for (const auto& p : d.GetLayout().GetPieces())
        if (p.feature->GetFeatureType() == FeatureTypeText && p.nPart == DimensionText::PartValue)
            return static_cast<const Text2dFeature*>(p.feature.get());
    return nullptr;
}

RuVaPnt2d Centre(const Feature2dBase& f)
{
    return f.GetBndBox().Center();
}

// Sum of the lengths of the dimension line's pieces between two x values (a horizontal line).
double LineCover(const Dimension2dFeatureBase& d, double x0, double x1)
{
    double sum = 0.0;
    for (const Line2dFeature* l : Lines(d, DimensionLayout::RoleDimensionLine)) {
        const double a = std::min(l->GetStartPoint().X(), l->GetEndPoint().X()),
                     b = std::max(l->GetStartPoint().X(), l->GetEndPoint().X());
        sum += std::max(0.0, std::min(b, x1) - std::max(a, x0));
    }
    return sum;
}

}  // namespace

TEST(DimensionLayout, LinearWithTheDefaultStyle)
{
    const LinearDimension2dFeature d = Horizontal();
    const DimensionSetting& s = d.GetDimensionSetting();
    // Extension lines from the offset above each point to the extension beyond the dimension line.
    const auto ext = Lines(d, DimensionLayout::RoleExtensionLine);
    ASSERT_EQ(ext.size(), 2u);
    EXPECT_NEAR(ext[0]->GetStartPoint().Y(), s.GetProjectionOffsetOrLineLength1(), 1e-9);
    EXPECT_NEAR(ext[0]->GetEndPoint().Y(), 20.0 + s.GetProjectionExtension1(), 1e-9);
    EXPECT_NEAR(ext[1]->GetStartPoint().X(), 100.0, 1e-9);
    // The dimension line at y = 20 between the heads, the filled heads pointing out at its ends.
    const auto dim = Lines(d, DimensionLayout::RoleDimensionLine);
    ASSERT_EQ(dim.size(), 1u);
    EXPECT_NEAR(dim[0]->GetStartPoint().Y(), 20.0, 1e-9);
    EXPECT_NEAR(LineCover(d, 0, 100), 100.0, 1e-9);
    const auto heads = Arrows(d);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0]->GetArrowType(), ArrowFilled);
    EXPECT_NEAR(heads[0]->GetPoint().X(), 0.0, 1e-9);
    EXPECT_NEAR(heads[0]->GetAngle(), 180.0, 1e-9);
    EXPECT_NEAR(heads[1]->GetPoint().X(), 100.0, 1e-9);
    EXPECT_NEAR(heads[1]->GetAngle(), 0.0, 1e-9);
    // The value in the middle, the distance above the line.
    const Text2dFeature* text = ValueText(d);
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(Centre(*text).X(), 50.0, 1e-9);
    EXPECT_NEAR(text->GetBndBox().YMin(), 20.0 + s.GetDistance(), 1e-9);
    EXPECT_FALSE(d.GetLayout().AreArrowsOutside());
    // The box holds every piece: the dimension line lies beyond the measured points.
    const RuVaBndBox2d box = d.GetBndBox();
    EXPECT_GE(box.YMax(), text->GetBndBox().YMax());
    for (const auto& p : d.GetLayout().GetPieces()) {
        const RuVaBndBox2d b = p.feature->GetBndBox();
        EXPECT_TRUE(box.XMin() <= b.XMin() && box.XMax() >= b.XMax() && box.YMin() <= b.YMin() && box.YMax() >= b.YMax());
    }
}

TEST(DimensionLayout, EachArrowKindStopsTheLineAtItsShaft)
{
    // Kind: how far from the point the dimension line stops, and whether a head is drawn.
    struct Case {
        int kind;
        double inset;
        size_t heads;
    } cases[] = {{0, 0.0, 0},  {1, 2.5, 2},  {2, 1.25, 2}, {3, 1.25, 2}, {4, 0.0, 2},  {5, 1.25, 2}, {6, 0.0, 2},
                 {7, 0.0, 2},  {8, 0.0, 2},  {9, 0.0, 2},  {10, 0.0, 2}, {11, 0.0, 2}, {12, 2.5, 2}, {13, 2.5, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        LinearDimension2dFeature d = Horizontal();
        Restyle(d, [&](DimensionSetting& s) {
            s.SetArrowType1(c.kind);
            s.SetArrowType2(c.kind);
            s.SetArrowPosition(DimArrowInside);
            s.SetAutoArrowPosition(0);
        });
        EXPECT_EQ(Arrows(d).size(), c.heads);
        EXPECT_NEAR(LineCover(d, 0, 100), 100.0 - 2 * c.inset, 1e-9);
        std::vector<Arrow2dFeature::HeadPiece> pieces;
        Arrow2dFeature::GetHeadPieces(RuVaPnt2d(0, 0), 0.0, c.kind, 2.5, pieces);
        EXPECT_EQ(pieces.empty(), c.kind == 0);
        const bool filled = c.kind == 5 || c.kind == 6 || c.kind == 7 || c.kind == 12;
        for (const auto& p : pieces)
            EXPECT_EQ(p.bFilled, filled);
    }
}

TEST(DimensionLayout, ArrowsInsideOutsideAndChosenWhenTheTextDoesNotFit)
{
    // A dimension of 10: its text "10" (7 wide) and two heads of 2.5 do not fit together; the heads alone do.
    struct Case {
        int position, automatic, notSettled;
        double length;
        bool outside, textOut;
    } cases[] = {
        {DimArrowInside, 0, 0, 10.0, false, false},
        {DimArrowOutside, 0, 0, 10.0, true, false},
        {DimArrowOutside, 0, 0, 100.0, true, false},
        {DimArrowInside, 1, NotSettledArrowInside, 100.0, false, false},  // all fits
        {DimArrowInside, 1, NotSettledArrowInside, 10.0, false, true},
        {DimArrowInside, 1, NotSettledArrowOutside, 10.0, true, false},  // the text alone fits
        {DimArrowInside, 1, NotSettledArrowOutside, 3.0, true, true},
        {DimArrowInside, 1, NotSettledArrowTextOutside, 10.0, true, true},
        {DimArrowAuto, 0, NotSettledArrowInside, 4.0, true, true},       // not even the heads fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " " << c.automatic << " " << c.notSettled << " " << c.length);
        LinearDimension2dFeature d = Horizontal(c.length);
        Restyle(d, [&](DimensionSetting& s) {
            s.SetArrowPosition(c.position);
            s.SetAutoArrowPosition(c.automatic);
            s.SetNotSettledArrowPosMode(c.notSettled);
        });
        EXPECT_EQ(d.GetLayout().AreArrowsOutside(), c.outside);
        EXPECT_EQ(d.GetLayout().IsTextOutside(), c.textOut);
        const auto heads = Arrows(d);
        ASSERT_EQ(heads.size(), 2u);
        // Outside heads point into the dimension, with the outside length of line beyond them.
        EXPECT_NEAR(heads[0]->GetAngle(), c.outside ? 0.0 : 180.0, 1e-9);
        if (c.outside)
            EXPECT_NEAR(LineCover(d, -100, 0), d.GetDimensionSetting().GetOutsideLength1(), 1e-9);
        const Text2dFeature* text = ValueText(d);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetBndBox().XMin() > c.length, c.textOut);
        if (c.textOut)  // the line runs on under it
            EXPECT_GE(LineCover(d, c.length, 1000), text->GetBndBox().XMax() - c.length - 1e-9);
    }
    // Outside heads draw the line between the extension lines only with the inside flag.
    LinearDimension2dFeature d = Horizontal();
    Restyle(d, [](DimensionSetting& s) {
        s.SetArrowPosition(DimArrowOutside);
        s.SetAutoArrowPosition(0);
        s.SetInsideDimLine(0);
    });
    EXPECT_NEAR(LineCover(d, 0, 100), 0.0, 1e-9);
    Restyle(d, [](DimensionSetting& s) { s.SetInsideDimLine(1); });
    EXPECT_NEAR(LineCover(d, 0, 100), 100.0, 1e-9);
}

TEST(DimensionLayout, ExtensionLinesShownOffsetOrOfFixedLength)
{
    LinearDimension2dFeature d = Horizontal();
    Restyle(d, [](DimensionSetting& s) {
        s.SetProjectionShow1(0);
        s.SetProjectionExtension2(3.0);
        s.SetProjectionOffsetOrLineLength2(4.0);
    });
    auto ext = Lines(d, DimensionLayout::RoleExtensionLine);
    ASSERT_EQ(ext.size(), 1u);
    EXPECT_NEAR(ext[0]->GetStartPoint().X(), 100.0, 1e-9);
    EXPECT_NEAR(ext[0]->GetStartPoint().Y(), 4.0, 1e-9);
    EXPECT_NEAR(ext[0]->GetEndPoint().Y(), 23.0, 1e-9);
    Restyle(d, [](DimensionSetting& s) {
        s.SetProjectionLineMode(DimProjectionFixedLength);
        s.SetProjectionOffsetOrLineLength2(10.0);
    });
    ext = Lines(d, DimensionLayout::RoleExtensionLine);
    ASSERT_EQ(ext.size(), 1u);
    EXPECT_NEAR(ext[0]->GetStartPoint().Y(), 13.0, 1e-9);
    EXPECT_NEAR(ext[0]->GetEndPoint().Y(), 23.0, 1e-9);
    // An offset beyond the dimension line leaves no extension line.
    Restyle(d, [](DimensionSetting& s) {
        s.SetProjectionLineMode(DimProjectionOffset);
        s.SetProjectionOffsetOrLineLength2(30.0);
    });
    EXPECT_TRUE(Lines(d, DimensionLayout::RoleExtensionLine).empty());
    // Below the points the lines run down.
    LinearDimension2dFeature below(RuVaPnt2d(0, 0), RuVaPnt2d(100, 0), -20.0, 90.0, 0.0);
    ext = Lines(below, DimensionLayout::RoleExtensionLine);
    ASSERT_EQ(ext.size(), 2u);
    EXPECT_NEAR(ext[0]->GetStartPoint().Y(), -1.0, 1e-9);
    EXPECT_NEAR(ext[0]->GetEndPoint().Y(), -21.0, 1e-9);
}

TEST(DimensionLayout, TextPositionsAndAngles)
{
    const double dist = 0.5, h = 2.5;  // default distance, arrow length
    struct Case {
        int horizon, vertical;
        double centreX;  // NAN: not checked
        int side;        // 1 above the line, 0 on it, -1 below
    } cases[] = {
        {DimValueHorizonCenter, DimValueAbove, 50.0, 1},
        {DimValueHorizonCenter, DimValueOnLine, 50.0, 0},
        {DimValueHorizonCenter, DimValueBelow, 50.0, -1},
        {DimValueHorizonStart, DimValueAbove, NAN, 1},
        {DimValueHorizonEnd, DimValueAbove, NAN, 1},
        {DimValueHorizonOutsideStart, DimValueAbove, NAN, 1},
        {DimValueHorizonOutsideEnd, DimValueAbove, NAN, 1},
        {DimValueHorizonAuto, DimValueAbove, 50.0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.horizon << " " << c.vertical);
        LinearDimension2dFeature d = Horizontal();
        Restyle(d, [&](DimensionSetting& s) {
            s.SetHorizonPos(c.horizon);
            s.SetVerticalPos(c.vertical);
        });
        const Text2dFeature* text = ValueText(d);
        ASSERT_NE(text, nullptr);
        const RuVaBndBox2d b = text->GetBndBox();
        const double w = b.XMax() - b.XMin();
        if (!std::isnan(c.centreX))
            EXPECT_NEAR(Centre(*text).X(), c.centreX, 1e-9);
        if (c.horizon == DimValueHorizonStart)
            EXPECT_NEAR(b.XMin(), h + dist, 1e-9);
        if (c.horizon == DimValueHorizonEnd)
            EXPECT_NEAR(b.XMax(), 100.0 - h - dist, 1e-9);
        if (c.horizon == DimValueHorizonOutsideStart)
            EXPECT_NEAR(b.XMax(), -dist, 1e-9);
        if (c.horizon == DimValueHorizonOutsideEnd) {
            EXPECT_NEAR(b.XMin(), 100.0 + dist, 1e-9);
            EXPECT_NEAR(LineCover(d, 100, 1000), w + dist, 1e-9);  // the extended dimension line
        }
        if (c.side == 1)
            EXPECT_NEAR(b.YMin(), 20.0 + dist, 1e-9);
        if (c.side == -1)
            EXPECT_NEAR(b.YMax(), 20.0 - dist, 1e-9);
        if (c.side == 0) {
            EXPECT_NEAR(Centre(*text).Y(), 20.0, 1e-9);
            // The line is broken round the text.
            EXPECT_NEAR(LineCover(d, b.XMin() - dist, b.XMax() + dist), 0.0, 1e-9);
            EXPECT_EQ(Lines(d, DimensionLayout::RoleDimensionLine).size(), 2u);
        }
    }
    // A vertical dimension reads from the right; level text when the style says so, or at its angle.
    LinearDimension2dFeature up(RuVaPnt2d(0, 0), RuVaPnt2d(0, 100), 20.0, 180.0, 90.0);
    EXPECT_NEAR(ValueText(up)->GetAngle(), 90.0, 1e-9);
    EXPECT_LT(ValueText(up)->GetBndBox().XMax(), -20.0);  // on the side away from the points... above = left
    Restyle(up, [](DimensionSetting& s) { s.SetPosAngle(DimValueHorizontal); });
    EXPECT_NEAR(ValueText(up)->GetAngle(), 0.0, 1e-9);
    EXPECT_LT(ValueText(up)->GetBndBox().XMax(), -20.0 + 1e-9);
    Restyle(up, [](DimensionSetting& s) {
        s.SetPosAngle(DimValueFixedAngle);
        s.SetDimValuePosAngle(30.0);
    });
    EXPECT_NEAR(ValueText(up)->GetAngle(), 30.0, 1e-9);
    // A leftward dimension keeps its text readable.
    LinearDimension2dFeature back(RuVaPnt2d(100, 0), RuVaPnt2d(0, 0), 20.0, 90.0, 180.0);
    EXPECT_NEAR(ValueText(back)->GetAngle(), 0.0, 1e-9);
    EXPECT_GT(ValueText(back)->GetBndBox().YMin(), 20.0);
}

TEST(DimensionLayout, TextPointModes)
{
    LinearDimension2dFeature d = Horizontal();
    ASSERT_TRUE(d.SetValueTextPoint(RuVaPnt2d(70, 50)));
    ASSERT_TRUE(d.SetValueTextPosFreeMode(1));
    const Text2dFeature* text = ValueText(d);
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(Centre(*text).X(), 70.0, 1e-9);
    EXPECT_NEAR(text->GetBndBox().YMin(), 50.0, 1e-9);
    EXPECT_EQ(Lines(d, DimensionLayout::RoleDimensionLine).size(), 1u);
    ASSERT_TRUE(d.SetValueTextPosFreeMode(2));  // with a leader from the middle of the dimension line
    const auto dim = Lines(d, DimensionLayout::RoleDimensionLine);
    ASSERT_EQ(dim.size(), 2u);
    EXPECT_NEAR(dim[1]->GetStartPoint().Distance(RuVaPnt2d(50, 20)), 0.0, 1e-9);
    EXPECT_NEAR(dim[1]->GetEndPoint().Distance(RuVaPnt2d(70, 50)), 0.0, 1e-9);
    EXPECT_GE(d.GetBndBox().YMax(), 50.0 + d.GetTextHeight() - 1e-9);
}

TEST(DimensionLayout, AngularArcRadiusAndDiameterGeometry)
{
    // Angular: the arc of radius 20 from 0 to 90 degrees, heads at its ends along it, the text outside at 45.
    AngularDimension2dFeature angular(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(0, 10), 20.0);
    auto arcs = Arcs(angular);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(arcs[0]->GetRadius(), 20.0, 1e-9);
    EXPECT_NEAR(arcs[0]->GetStartAngle(), 0.0, 1e-9);
    EXPECT_NEAR(arcs[0]->GetSweepAngle(), 90.0, 1e-9);
    auto heads = Arrows(angular);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_NEAR(heads[0]->GetPoint().Distance(RuVaPnt2d(20, 0)), 0.0, 1e-9);
    EXPECT_NEAR(heads[0]->GetAngle(), 270.0, 1e-9);
    EXPECT_NEAR(heads[1]->GetAngle(), 180.0, 1e-9);
    const RuVaPnt2d t = Centre(*ValueText(angular));
    EXPECT_NEAR(std::atan2(t.Y(), t.X()) * RuVa::RadToDeg, 45.0, 1e-6);
    EXPECT_GT(RuVaPnt2d(0, 0).Distance(t), 20.0);
    EXPECT_NEAR(ValueText(angular)->GetAngle(), 315.0, 1e-9);
    auto ext = Lines(angular, DimensionLayout::RoleExtensionLine);
    ASSERT_EQ(ext.size(), 2u);
    EXPECT_NEAR(ext[0]->GetStartPoint().X(), 11.0, 1e-9);
    EXPECT_NEAR(ext[0]->GetEndPoint().X(), 21.0, 1e-9);

    // Arc length: radial extension lines, or parallel to the bisector.
    ArcDimension2dFeature arc(RuVaPnt2d(0, 0), 10.0, 45.0, 135.0);
    ASSERT_TRUE(arc.SetProjectionLength(5.0));
    Restyle(arc, [](DimensionSetting& s) { s.SetArcDimProjeLineRadialMode(ArcDimProjectionRadial); });
    ext = Lines(arc, DimensionLayout::RoleExtensionLine);
    ASSERT_EQ(ext.size(), 2u);
    const RuVaVec2d radial = ext[0]->GetEndPoint() - ext[0]->GetStartPoint();
    EXPECT_NEAR(std::atan2(radial.Y(), radial.X()) * RuVa::RadToDeg, 45.0, 1e-9);
    Restyle(arc, [](DimensionSetting& s) { s.SetArcDimProjeLineRadialMode(ArcDimProjectionParallel); });
    ext = Lines(arc, DimensionLayout::RoleExtensionLine);
    ASSERT_EQ(ext.size(), 2u);
    for (const Line2dFeature* l : ext)
        EXPECT_NEAR(std::fabs(l->GetEndPoint().X() - l->GetStartPoint().X()), 0.0, 1e-9);  // along the bisector, 90
    arcs = Arcs(arc);
    ASSERT_FALSE(arcs.empty());
    EXPECT_NEAR(arcs[0]->GetRadius(), 15.0, 1e-9);
    // The arc mark over the value, or before it.
    bool mark = false;
    for (const auto& p : arc.GetLayout().GetPieces())
        mark = mark || p.feature->GetFeatureType() == FeatureTypePolyline;
    EXPECT_TRUE(mark);
    Restyle(arc, [](DimensionSetting& s) { s.SetArcDimTextOption(ArcDimTextPrefixMark); });
    EXPECT_EQ(ValueText(arc)->GetText().Left(1), CString(u"\u2312"));

    // Radius: the head on the curve pointing out; the leader modes.
    RadiusDimension2dFeature radius(RuVaPnt2d(0, 0), RuVaPnt2d(30, 0));
    heads = Arrows(radius);
    ASSERT_EQ(heads.size(), 1u);
    EXPECT_NEAR(heads[0]->GetPoint().X(), 30.0, 1e-9);
    EXPECT_NEAR(heads[0]->GetAngle(), 0.0, 1e-9);
    ASSERT_TRUE(radius.SetSecondPoint(RuVaPnt2d(40, 10)));
    radius.SetLeaderMode(1);
    auto lines = Lines(radius, DimensionLayout::RoleDimensionLine);
    ASSERT_EQ(lines.size(), 3u);  // the radius, the leader, the shelf
    EXPECT_NEAR(lines[2]->GetStartPoint().Y(), 10.0, 1e-9);
    EXPECT_NEAR(lines[2]->GetEndPoint().Y(), 10.0, 1e-9);
    EXPECT_NEAR(ValueText(radius)->GetAngle(), 0.0, 1e-9);
    EXPECT_GT(ValueText(radius)->GetBndBox().YMin(), 10.0);
    radius.SetLeaderMode(2);
    lines = Lines(radius, DimensionLayout::RoleDimensionLine);
    ASSERT_EQ(lines.size(), 2u);  // no radius line from the centre
    heads = Arrows(radius);
    ASSERT_EQ(heads.size(), 1u);
    EXPECT_GT(std::fabs(heads[0]->GetAngle() - 0.0), 90.0);  // pointing back at the circle from outside

    // Diameter: both heads pointing out, the sign when the style adds it.
    DiameterDimension2dFeature diameter(RuVaPnt2d(-10, 0), RuVaPnt2d(10, 0));
    heads = Arrows(diameter);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_NEAR(heads[0]->GetAngle(), 180.0, 1e-9);
    Restyle(diameter, [](DimensionSetting& s) { s.SetAddRPhi(1); });
    EXPECT_EQ(ValueText(diameter)->GetText(), CString(u"\u03C620"));
}

TEST(DimensionLayout, MadeAgainAfterEveryChange)
{
    LinearDimension2dFeature d = Horizontal();
    const double before = d.GetBndBox().XMax();
    ASSERT_TRUE(d.SetPoint(1, RuVaPnt2d(200, 0)));
    EXPECT_GT(d.GetBndBox().XMax(), before + 99.0);
    ASSERT_TRUE(d.SetProjectionLength(40.0));
    EXPECT_NEAR(Lines(d, DimensionLayout::RoleDimensionLine)[0]->GetStartPoint().Y(), 40.0, 1e-9);
    Restyle(d, [](DimensionSetting& s) { s.SetArrowType1(ArrowNone); });
    EXPECT_EQ(Arrows(d).size(), 1u);
    ASSERT_TRUE(d.TransformGeometry(RuVaGTrsf2d(), 2.0));
    EXPECT_NEAR(Arrows(d)[0]->GetSize(), 5.0, 1e-9);
    LinearDimension2dFeature copy;
    copy.Copy(&d, Feature2dBase::copyAll);
    EXPECT_NEAR(copy.GetBndBox().XMax(), d.GetBndBox().XMax(), 1e-12);
    ASSERT_TRUE(d.SetValueText(CString(u"a much longer typed text")));
    ASSERT_TRUE(d.SetValueTextManualMode(TRUE));
    EXPECT_EQ(ValueText(d)->GetText(), CString(u"a much longer typed text"));
}
