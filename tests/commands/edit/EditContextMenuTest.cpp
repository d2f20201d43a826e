// The edit context menu as the program builds it, with the edit commands' enable tests loaded: a table of
// selections against the entries each must keep or drop.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "EditFixture.h"
#include "command/CommandManager.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "platform/win/CMenu.h"

using namespace QZ2Command;

namespace {

// Entry ids of the edit menu.
constexpr UINT kTrim = 33753;
constexpr UINT kOffset = 33774;
constexpr UINT kFillet = 33763;
constexpr UINT kChamfer = 33764;
constexpr UINT kAdjust = 33776;
constexpr UINT kResolvePolyline = 33794;
constexpr UINT kDelete = 57632;

bool Contains(CMenu& menu, UINT nID)
{
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        if (CMenu* pSub = menu.GetSubMenu(static_cast<int>(i))) {
            if (Contains(*pSub, nID))
                return true;
        } else if (menu.GetMenuItemID(static_cast<int>(i)) == nID) {
            return true;
        }
    }
    return false;
}

struct SelectionCase {
    const char* what;
    // Each group: the shapes picked one by one (letters: l line, m second line, c circle, p polyline).
    std::vector<std::string> groups;
    std::vector<UINT> kept;
    std::vector<UINT> dropped;
};

class EditContextMenuTest : public kctest::EditFixture, public ::testing::WithParamInterface<SelectionCase>
{
protected:
    long IdOf(char shape)
    {
        switch (shape) {
        case 'l':
            return line1;
        case 'm':
            return line2;
        case 'c':
            return circle;
        default:
            return polyline;
        }
    }
    long line1 = -1, line2 = -1, circle = -1, polyline = -1;
};

}  // namespace

TEST_P(EditContextMenuTest, EntriesFollowTheSelection)
{
    const SelectionCase& c = GetParam();
    line1 = Add(Line2dFeature(P(-3, 0), P(3, 0)));
    line2 = Add(Line2dFeature(P(0, -2), P(0, 2)));
    circle = Add(Circle2dFeature(P(2, 2), u));
    polyline = Add(Polyline2dFeature(KcArrayOfGePnt2d{P(-3, -3), P(-1, -3), P(-1, -1)}));
    SelectionManager* pSelection = doc.GetSelectionManager();
    pSelection->UnselectAll(FALSE);
    for (const std::string& group : c.groups) {
        CArray<FeatureLayout> records;
        for (char shape : group)
            records.Add(FeatureLayout(IdOf(shape), -1, -1));
        KcArrayOfGePnt2d points;
        points.Add(P(0, 0));
        pSelection->SelectFeatures(records, 4, &points, FALSE);
    }
    CMenu resource;
    CMenu* pMenu = manager.BuildEditContextMenu(resource);
    ASSERT_NE(pMenu, nullptr);
    for (UINT id : c.kept)
        EXPECT_TRUE(Contains(*pMenu, id)) << id;
    for (UINT id : c.dropped)
        EXPECT_FALSE(Contains(*pMenu, id)) << id;
}

INSTANTIATE_TEST_SUITE_P(
    Selections, EditContextMenuTest,
    ::testing::Values(
        SelectionCase{"nothing", {}, {}, {kTrim, kOffset, kFillet, kChamfer, kAdjust, kResolvePolyline, kDelete}},
        SelectionCase{"one line", {"l"}, {kTrim, kOffset, kAdjust, kDelete}, {kFillet, kChamfer, kResolvePolyline}},
        SelectionCase{"two lines picked one by one", {"l", "m"}, {kFillet, kChamfer, kAdjust}, {kTrim, kOffset}},
        SelectionCase{"a line and a circle", {"l", "c"}, {kFillet}, {kChamfer, kAdjust, kTrim}},
        SelectionCase{"one polyline", {"p"}, {kTrim, kOffset, kAdjust, kResolvePolyline}, {kFillet, kChamfer}},
        SelectionCase{"a line and a polyline", {"l", "p"}, {kFillet, kChamfer, kAdjust}, {kResolvePolyline}}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });
