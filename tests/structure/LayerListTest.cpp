// The layer table's list over a real document: rows with a group's common values, thumbnails that stay
// with their rows, counts, tool tips, column widths, the parts of a row per mode, drop targets, the
// requests a click posts to the owner, and the preview that renders only when its picture was dropped.

#include <gtest/gtest.h>

#include <QtCore/QString>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "StructureTestSupport.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "structure/CLayerListCtrl.h"
#include "structure/CLayerPreviewWnd.h"

namespace {

using List = CLayerListCtrl;

// The list's owner: records the requests posted to it.
class RecordingHost : public CWnd
{
public:
    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Posted> posted;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= List::msgMakeCurrent && message <= List::msgDrop && message != List::msgSelectionChanged) {
            posted.push_back({message, wParam, lParam});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class LayerListTest : public EnglishStructureTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 900, 600), nullptr, 0));
        host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 880, 560), &host, 1070));
        list.SetDocument(&ld.doc);
        ASSERT_TRUE(list.ShowGroup(-1));
        PumpEvents();
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        PumpEvents();
    }
    const List::Row& RowOf(long id)
    {
        static List::Row none;
        const List::Row* p = list.GetRow(list.FindLayerRow(id));
        return p != nullptr ? *p : none;
    }
    CRect RowRect(long id)
    {
        CRect r;
        list.GetItemRect(list.FindLayerRow(id), &r, LVIR_BOUNDS);
        return r;
    }
    void Select(std::initializer_list<long> ids)
    {
        for (int i = 0; i < list.GetItemCount(); ++i)
            list.SetItemState(i, 0, LVIS_SELECTED);
        for (long id : ids)
            list.SetItemState(list.FindLayerRow(id), LVIS_SELECTED, LVIS_SELECTED);
    }
    void Press(CPoint p)
    {
        host.posted.clear();
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        PumpEvents();
    }
    long AddLine(long layer)
    {
        Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10));
        line.SetLayerID(layer);
        return ld.doc.AddFeature(&line, nullptr, 1);
    }

    RecordingHost host;
    LayerDocument ld;
    List list;
};

TEST_F(LayerListTest, RowsOfAGroupShowItsChildrenWithTheGroupsCommonValues)
{
    const LayerFeatureTable* t = ld.doc.GetLayerTable();
    ASSERT_EQ(list.GetItemCount(), t->GetChildLayerFeatureCount(-1));
    for (int i = 0; i < list.GetItemCount(); ++i)
        EXPECT_EQ(list.GetLayerID(i), t->GetChildLayerID(-1, i));
    EXPECT_EQ(list.GetLayerID(-1), -1);
    EXPECT_EQ(list.GetLayerID(list.GetItemCount()), -1);

    struct Case {
        const char* what;
        std::function<void()> change;
        int state;
        short color;
        int hide;
    };
    const long empty = ld.doc.AddLayerGroup(u"Empty", -1);
    const Case cases[] = {
        {"all agree", [&] { for (long id : {ld.a, ld.b, ld.c}) { ld.doc.SetLayerState(id, 1, 1); ld.doc.SetLayerColorNo(id, 3, 1); } }, 1, 3, 0},
        {"one colour differs", [&] { ld.doc.SetLayerColorNo(ld.c, 5, 1); }, 1, -1, 0},
        {"one state differs, all hidden", [&] { ld.doc.SetLayerState(ld.b, 0, 1); for (long id : {ld.a, ld.b, ld.c}) ld.doc.SetLayerHide(id, TRUE, 1); }, 3, -1, 1},
    };
    for (const Case& c : cases) {
        c.change();
        ASSERT_TRUE(list.ShowGroup(-1));
        const List::Row& g = RowOf(ld.g1);
        EXPECT_TRUE(g.bGroup) << c.what;
        EXPECT_TRUE(g.bGroupHasLayers) << c.what;
        EXPECT_EQ(g.nState, c.state) << c.what;
        EXPECT_EQ(g.nColorNo, c.color) << c.what;
        EXPECT_EQ(g.nHide, c.hide) << c.what;
    }
    const List::Row& none = RowOf(empty);
    EXPECT_EQ(none.nState, 3);
    EXPECT_EQ(none.nColorNo, -1);
    EXPECT_EQ(none.nHide, -1);
    EXPECT_FALSE(none.bGroupHasLayers);

    EXPECT_FALSE(list.ShowGroup(ld.d)) << "a layer is no group";
    EXPECT_EQ(list.GetGroupShown(), -1);
    ASSERT_TRUE(list.ShowGroup(ld.g2));
    EXPECT_EQ(list.GetItemCount(), 2);
}

TEST_F(LayerListTest, CurrentMarkCountsAndWidths)
{
    EXPECT_TRUE(RowOf(ld.doc.GetCurrentLayerID()).bCurrent || list.FindLayerRow(ld.doc.GetCurrentLayerID()) < 0);
    EXPECT_TRUE(list.SetCurrentLayerMark(ld.d));
    EXPECT_TRUE(RowOf(ld.d).bCurrent);
    EXPECT_FALSE(RowOf(ld.e).bCurrent);
    EXPECT_FALSE(list.SetCurrentLayerMark(ld.b)) << "not a row here";
    EXPECT_FALSE(RowOf(ld.d).bCurrent);

    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.d)), CString(u"0"));
    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.g1)), CString()) << "groups show no count";
    AddLine(ld.d);
    AddLine(ld.d);
    AddLine(ld.e);
    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.d)), CString(u"0")) << "cached until invalidated";
    list.InvalidateFeatureCounts();
    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.d)), CString(u"2"));
    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.e)), CString(u"1"));
    // One record followed: its count moves from the layer it was counted in to its layer now.
    const long line = AddLine(ld.d);
    list.FollowFeatureRecord(line);
    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.d)), CString(u"3"));
    std::unique_ptr<Feature2dBase> moved(ld.doc.GetFeature(line)->CopyObject());
    moved->SetLayerID(ld.e);
    ASSERT_TRUE(ld.doc.UpdateFeature(line, moved.get(), 0, Feature2dBase::copyAll));
    list.FollowFeatureRecord(line);
    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.d)), CString(u"2"));
    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.e)), CString(u"2"));
    ASSERT_TRUE(ld.doc.DeleteFeature(line, 0));
    list.FollowFeatureRecord(line);
    list.FollowFeatureRecord(line);
    EXPECT_EQ(list.GetCountText(list.FindLayerRow(ld.e)), CString(u"1")) << "told twice, counted once";

    CDWordArray widths;
    list.GetColumnWidths(widths);
    ASSERT_EQ(widths.GetSize(), 8);
    EXPECT_EQ(widths[0], 150u);
    CDWordArray seven;
    for (int i = 0; i < 7; ++i)
        seven.Add(10);
    EXPECT_FALSE(list.SetColumnWidths(seven));
    list.GetColumnWidths(widths);
    EXPECT_EQ(widths[0], 150u) << "seven widths change nothing";
    CDWordArray eight;
    for (int i = 0; i < 8; ++i)
        eight.Add(i == 3 ? 100000 : 40 + i);
    EXPECT_TRUE(list.SetColumnWidths(eight));
    list.GetColumnWidths(widths);
    EXPECT_EQ(widths[3], 4096u) << "clamped";
    list.SetReportStyle();
    EXPECT_EQ(list.GetColumnWidth(1), 41);
}

TEST_F(LayerListTest, ToolTipsDescribeALayerOrListAGroup)
{
    ld.doc.SetLayerState(ld.d, 2, 1);
    ASSERT_TRUE(list.ShowGroup(-1));
    const QString layerTip = QString::fromUtf16(list.GetTipText(list.FindLayerRow(ld.d)));
    EXPECT_TRUE(layerTip.startsWith(QStringLiteral("State: Not shown"))) << layerTip.toStdString();
    EXPECT_TRUE(layerTip.contains(QStringLiteral("Shapes: 0"))) << layerTip.toStdString();

    const QString groupTip = QString::fromUtf16(list.GetTipText(list.FindLayerRow(ld.g1)));
    EXPECT_EQ(groupTip, QStringLiteral("Groups: G2\nLayers: A"));

    const long big = ld.doc.AddLayerGroup(u"Big", -1);
    for (int i = 0; i < 30; ++i)
        ld.doc.AddLayerGroup(CString(QStringLiteral("Sub%1").arg(i).toStdU16String().c_str()), big);
    const long empty = ld.doc.AddLayerGroup(u"Empty", -1);
    ASSERT_TRUE(list.ShowGroup(-1));
    const QString bigTip = QString::fromUtf16(list.GetTipText(list.FindLayerRow(big)));
    EXPECT_EQ(bigTip.length(), 64 + 3) << bigTip.toStdString();
    EXPECT_TRUE(bigTip.endsWith(QStringLiteral("..."))) << bigTip.toStdString();
    EXPECT_EQ(QString::fromUtf16(list.GetTipText(list.FindLayerRow(empty))), QStringLiteral("(empty group)"));
}

TEST_F(LayerListTest, ThumbnailsStayWithTheirRows)
{
    list.SetIconStyle();
    for (int i = 0; i < list.GetItemCount(); ++i) {
        NMLVDISPINFO info{};
        info.hdr.hwndFrom = list.m_hWnd;
        info.hdr.code = LVN_GETDISPINFO;
        info.item.mask = LVIF_IMAGE;
        info.item.iItem = i;
        info.hdr.idFrom = 1070;
        host.SendMessage(WM_NOTIFY, 1070, reinterpret_cast<LPARAM>(&info));  // reflected to the list
        EXPECT_EQ(info.item.iImage, i);
    }
    for (int i = 0; i < list.GetItemCount(); ++i)
        EXPECT_FALSE(list.GetRow(i)->bThumbnailStale) << i;
    ASSERT_TRUE(list.InsertLayerRow(1, 999, u"New", 0, 1, 1, 1, 0, 1));
    EXPECT_FALSE(list.GetRow(0)->bThumbnailStale) << "rows before the new one keep their pictures";
    for (int i = 1; i < list.GetItemCount(); ++i)
        EXPECT_TRUE(list.GetRow(i)->bThumbnailStale) << "row " << i << " moved down and draws its own picture again";

    for (int i = 0; i < list.GetItemCount(); ++i)
        const_cast<List::Row*>(list.GetRow(i))->bThumbnailStale = FALSE;
    list.SetBackColor(RGB(255, 255, 255));
    EXPECT_FALSE(list.GetRow(0)->bThumbnailStale) << "the same colour draws nothing again";
    list.SetBackColor(RGB(0, 0, 0));
    EXPECT_TRUE(list.GetRow(0)->bThumbnailStale);
    const QImage picture = list.RenderThumbnail(list.FindLayerRow(ld.g1));
    EXPECT_EQ(picture.size(), QSize(128, 128));
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(128, 128, 128)) << "framed";
}

TEST_F(LayerListTest, ThumbnailsDrawTheCurrentLayerBoldAndAGroupsFolderBehindItsShapes)
{
    list.SetIconStyle();
    ASSERT_TRUE(list.SetCurrentLayerMark(ld.d));
    // What the list answers before drawing an item's label.
    auto askBeforeItem = [&](long id, LONG& weight) -> LRESULT {
        CDC dc;
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        dc.SelectObject(list.GetFont());
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = list.m_hWnd;
        draw.nmcd.hdr.idFrom = 1070;
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.hdc = dc.GetSafeHdc();
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(list.FindLayerRow(id));
        const LRESULT answer = host.SendMessage(WM_NOTIFY, 1070, reinterpret_cast<LPARAM>(&draw));
        LOGFONT lf{};
        weight = dc.GetCurrentFont() != nullptr && dc.GetCurrentFont()->GetLogFont(&lf) ? lf.lfWeight : 0;
        return answer;
    };
    LONG weight = 0;
    EXPECT_EQ(askBeforeItem(ld.d, weight) & CDRF_NEWFONT, CDRF_NEWFONT);
    EXPECT_EQ(weight, 700) << "the current layer in bold";
    EXPECT_EQ(askBeforeItem(ld.e, weight) & CDRF_NEWFONT, 0);

    // A group's shapes are drawn over its folder, which stays in sight around them.
    AddLine(ld.a);
    const long empty = ld.doc.AddLayerGroup(u"Empty", -1);
    ASSERT_TRUE(list.ShowGroup(-1));
    const QImage folder = list.RenderThumbnail(list.FindLayerRow(empty));
    const QImage group = list.RenderThumbnail(list.FindLayerRow(ld.g1));
    ASSERT_TRUE(list.ShowGroup(ld.g1));
    const QImage layer = list.RenderThumbnail(list.FindLayerRow(ld.a));
    ASSERT_FALSE(folder.isNull() || group.isNull() || layer.isNull());
    const QRect shapes(6, 16, 128 - 12, 128 - 22);
    int folderShown = 0, shapeShown = 0, folderDrawn = 0;
    for (int y = shapes.top(); y <= shapes.bottom(); ++y)
        for (int x = shapes.left(); x <= shapes.right(); ++x) {
            const bool isFolder = folder.pixel(x, y) != qRgb(255, 255, 255);
            folderDrawn += isFolder ? 1 : 0;
            if (layer.pixel(x, y) != qRgb(255, 255, 255))
                shapeShown += group.pixel(x, y) == layer.pixel(x, y) ? 1 : 0;
            else if (isFolder)
                folderShown += group.pixel(x, y) == folder.pixel(x, y) ? 1 : 0;
        }
    EXPECT_GT(shapeShown, 20) << "the layer's line is on the group's picture";
    EXPECT_GT(folderDrawn, 1000);
    EXPECT_GT(folderShown, folderDrawn * 9 / 10) << "the folder is not covered by the shapes' background";
}

TEST_F(LayerListTest, PartsOfATableRow)
{
    const long layer = ld.d;
    const CRect row = RowRect(layer);
    const int y = row.CenterPoint().y;
    struct Case {
        const char* what;
        CPoint point;
        int part;
    };
    const CRect name = list.GetCellRect(row, 0);
    const Case cases[] = {
        {"marker", list.GetMarkerRect(row).CenterPoint(), List::partMarker},
        {"name", CPoint(name.left + 3, y), List::partName},
        {"right of the name", CPoint(name.right - 3, y), -1},
        {"state", CPoint(list.GetCellRect(row, 1).left + 5, y), List::partState},
        {"hidden box", List::CheckBoxRect(list.GetCellRect(row, 2)).CenterPoint(), List::partHide},
        {"beside the hidden box", CPoint(list.GetCellRect(row, 2).left + 2, y), -1},
        {"colour", list.GetCellRect(row, 3).CenterPoint(), List::partColor},
        {"line type", list.GetCellRect(row, 4).CenterPoint(), List::partLineType},
        {"line width", list.GetCellRect(row, 5).CenterPoint(), List::partLineWidth},
        {"printable box", List::CheckBoxRect(list.GetCellRect(row, 6)).CenterPoint(), List::partPrintable},
        {"count", list.GetCellRect(row, 7).CenterPoint(), -1},
    };
    for (const Case& c : cases) {
        int part = -2;
        const int hit = list.HitTestPart(c.point, part);
        EXPECT_EQ(part, c.part) << c.what;
        if (c.part >= 0)
            EXPECT_EQ(hit, list.FindLayerRow(layer)) << c.what;
    }
    int part = -2;
    EXPECT_EQ(list.HitTestPart(CPoint(10, 550), part), -1) << "below the rows";
}

// In both thumbnail modes each item's state picture stands 18 pixels left of its label's text, centred
// on it, drawn after the item and hit there; a group with no layers shows none.
TEST_F(LayerListTest, PartsOfAThumbnail)
{
    ASSERT_TRUE(ld.doc.SetLayerState(ld.e, 1, 0));
    const long empty = ld.doc.AddLayerGroup(u"Empty", -1);
    ASSERT_TRUE(list.ShowGroup(-1));
    ASSERT_TRUE(list.SetCurrentLayerMark(ld.d));
    for (const bool strip : {false, true}) {
        SCOPED_TRACE(strip ? "strip" : "icons");
        if (strip)
            list.SetStripStyle();
        else
            list.SetIconStyle();
        PumpEvents();
        const int r = list.FindLayerRow(ld.d);
        CRect label, text, icon;
        ASSERT_TRUE(list.GetItemRect(r, &label, LVIR_LABEL));
        ASSERT_TRUE(list.GetItemRect(r, &icon, LVIR_ICON));
        text = list.GetThumbnailLabelRect(r);
        EXPECT_TRUE(label.left < text.left && text.right < label.right) << "the short name stands centred";
        const CRect state = list.GetThumbnailStateRect(r);
        EXPECT_EQ(state, CRect(text.left - 18, text.CenterPoint().y - 8, text.left - 2, text.CenterPoint().y + 8));
        EXPECT_GE(state.top, icon.bottom) << "under the thumbnail, not over it";
        EXPECT_TRUE(list.GetThumbnailStateRect(list.FindLayerRow(empty)).IsRectEmpty());

        int part = -2;
        EXPECT_EQ(list.HitTestPart(text.CenterPoint(), part), r);
        EXPECT_EQ(part, List::partName);
        EXPECT_EQ(list.HitTestPart(state.CenterPoint(), part), r);
        EXPECT_EQ(part, List::partState);
        EXPECT_EQ(list.HitTestPart(CPoint(icon.left + 5, icon.CenterPoint().y), part), -1) << "the thumbnail itself";

        // Drawn where it is hit: the same picture for two shown layers, another for the locked one, and
        // nothing of it left at the thumbnail's side.
        const QImage shot = list.GetQWidget()->grab().toImage();
        auto box = [&](long id) {
            const CRect b = list.GetThumbnailStateRect(list.FindLayerRow(id));
            return shot.copy(b.left, b.top, b.Width(), b.Height());
        };
        const QImage shown = box(ld.d);
        int ink = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ink += shown.pixel(x, y) != shot.pixel(label.right - 2, label.bottom - 2) ? 1 : 0;
        EXPECT_GT(ink, 20) << "a picture is drawn in the box";
        EXPECT_EQ(box(ld.g1), shown) << "a group whose layers are all shown shows the same";
        EXPECT_NE(box(ld.e), shown) << "the padlock of a locked layer";
    }
}

TEST_F(LayerListTest, DropTargetsInTheTable)
{
    const CRect g = RowRect(ld.g1);
    const CRect d = RowRect(ld.d);
    const int fifth = g.Height() / 5;
    struct Case {
        const char* what;
        std::initializer_list<long> selected;
        CPoint point;
        long target;
        int position;
    };
    const long last = list.GetLayerID(list.GetItemCount() - 1);
    const int dRow = list.FindLayerRow(ld.d);
    const long afterD = list.GetLayerID(dRow + 1);
    const long beforeD = list.GetLayerID(dRow - 1);
    const Case cases[] = {
        {"upper half of a layer", {ld.e}, CPoint(d.left + 30, d.top + 1), ld.d, List::dropBefore},
        {"lower half of a layer", {ld.g1}, CPoint(d.left + 30, d.bottom - 1), ld.d, List::dropAfter},
        {"top fifth of a group", {ld.d}, CPoint(g.left + 30, g.top + fifth - 1), ld.g1, List::dropBefore},
        {"middle of a group", {ld.d}, CPoint(g.left + 30, g.CenterPoint().y), ld.g1, List::dropInto},
        {"bottom fifth of a group", {ld.e}, CPoint(g.left + 30, g.bottom - 1), ld.g1, List::dropAfter},
        {"on a selected row", {ld.d}, CPoint(d.left + 30, d.CenterPoint().y), -1, -1},
        {"after, the next row selected", {afterD}, CPoint(d.left + 30, d.bottom - 1), -1, -1},
        {"before, the previous row selected", {beforeD}, CPoint(d.left + 30, d.top + 1), -1, -1},
        {"empty space below the rows", {ld.g1}, CPoint(30, 540), last, List::dropAfter},
    };
    for (const Case& c : cases) {
        Select(c.selected);
        int position = -2;
        const int row = list.GetDropTarget(c.point, position);
        EXPECT_EQ(list.GetLayerID(row), c.target) << c.what;
        EXPECT_EQ(position, c.position) << c.what;
    }
}

TEST_F(LayerListTest, DropTargetsAmongThumbnails)
{
    list.SetIconStyle();
    PumpEvents();
    Select({ld.e});
    CRect g, d;
    ASSERT_TRUE(list.GetItemRect(list.FindLayerRow(ld.g1), &g, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(list.FindLayerRow(ld.d), &d, LVIR_BOUNDS));
    int position = -2;
    EXPECT_EQ(list.GetLayerID(list.GetDropTarget(g.CenterPoint(), position)), ld.g1);
    EXPECT_EQ(position, List::dropInto) << "a group takes the drop";
    EXPECT_EQ(list.GetLayerID(list.GetDropTarget(CPoint(d.left + 2, d.CenterPoint().y), position)), ld.d);
    EXPECT_EQ(position, List::dropBefore);
    Select({ld.g1});
    EXPECT_EQ(list.GetLayerID(list.GetDropTarget(CPoint(d.right - 2, d.CenterPoint().y), position)), ld.d);
    EXPECT_EQ(position, List::dropAfter);
}

TEST_F(LayerListTest, ClicksPostRequestsToTheOwner)
{
    ld.doc.SetLayerState(ld.c, 2, 1);  // G1's layers differ: state 3
    const long empty = ld.doc.AddLayerGroup(u"Empty", -1);
    ASSERT_TRUE(list.ShowGroup(-1));
    Select({ld.e});
    const CRect d = RowRect(ld.d);
    const CRect g = RowRect(ld.g1);
    const CRect none = RowRect(empty);

    Press(list.GetMarkerRect(d).CenterPoint());
    ASSERT_EQ(host.posted.size(), 1u);
    EXPECT_EQ(host.posted[0].message, List::msgMakeCurrent);
    EXPECT_EQ(host.posted[0].wParam, static_cast<WPARAM>(list.FindLayerRow(ld.d)));
    EXPECT_TRUE(list.GetItemState(list.FindLayerRow(ld.e), LVIS_SELECTED)) << "the selection stays";
    EXPECT_FALSE(list.GetItemState(list.FindLayerRow(ld.d), LVIS_SELECTED));

    struct Case {
        const char* what;
        CPoint point;
        UINT message;
        LPARAM value;
    };
    const Case cases[] = {
        {"state of a layer", CPoint(list.GetCellRect(d, 1).left + 5, d.CenterPoint().y), List::msgState, 1},
        {"state of a mixed group", CPoint(list.GetCellRect(g, 1).left + 5, g.CenterPoint().y), List::msgState, 0},
        {"hidden box", List::CheckBoxRect(list.GetCellRect(d, 2)).CenterPoint(), List::msgHide, 1},
        {"printable box", List::CheckBoxRect(list.GetCellRect(d, 6)).CenterPoint(), List::msgPrintable,
         RowOf(ld.d).nPrintable == 0 ? 1 : 0},
        {"state of an empty group", CPoint(list.GetCellRect(none, 1).left + 5, none.CenterPoint().y), 0, 0},
        {"hidden box of an empty group", List::CheckBoxRect(list.GetCellRect(none, 2)).CenterPoint(), 0, 0},
        {"marker of a group", list.GetMarkerRect(g).CenterPoint(), 0, 0},
    };
    for (const Case& c : cases) {
        Press(c.point);
        if (c.message == 0) {
            EXPECT_TRUE(host.posted.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(host.posted.size(), 1u) << c.what;
        EXPECT_EQ(host.posted[0].message, c.message) << c.what;
        EXPECT_EQ(host.posted[0].lParam, c.value) << c.what;
    }
}

TEST_F(LayerListTest, RemovingARowKeepsTheOthersPictures)
{
    list.SetIconStyle();
    const int before = list.GetItemCount();
    ASSERT_TRUE(list.RemoveLayerRow(ld.g1));
    EXPECT_EQ(list.GetItemCount(), before - 1);
    EXPECT_EQ(list.FindLayerRow(ld.g1), -1);
    EXPECT_FALSE(list.RemoveLayerRow(ld.g1));
    ASSERT_TRUE(list.UpdateLayerRow(ld.d, u"Renamed", 1, 4, 2, 3, 1, 0));
    EXPECT_EQ(RowOf(ld.d).strName, CString(u"Renamed"));
    EXPECT_EQ(RowOf(ld.d).nHide, 1);
    EXPECT_FALSE(list.UpdateLayerRow(ld.b, u"X", 0, 0, 0, 0, 0, 0)) << "no row for it";
}

TEST_F(LayerListTest, ThePreviewRendersOnlyWhenItsPictureWasDropped)
{
    CLayerPreviewWnd preview;
    ASSERT_TRUE(preview.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, 1074));
    preview.SetDocument(&ld.doc);
    CDWordArray ids;
    ids.Add(static_cast<DWORD>(ld.g2));
    ids.Add(static_cast<DWORD>(ld.d));
    preview.SetLayers(ids);
    const std::vector<long> expected{ld.b, ld.c, ld.d};
    EXPECT_EQ(preview.CollectLayers(), expected) << "a group gives the layers below it";
    preview.UpdateWindow();
    PumpEvents();
    const int first = preview.GetRenderCount();
    EXPECT_GE(first, 1);
    preview.Invalidate();
    preview.UpdateWindow();
    PumpEvents();
    EXPECT_EQ(preview.GetRenderCount(), first) << "a repaint reuses the picture";
    preview.SetBackColor(RGB(255, 255, 255));
    preview.UpdateWindow();
    PumpEvents();
    EXPECT_EQ(preview.GetRenderCount(), first) << "the same colour keeps it";
    preview.SetBackColor(RGB(0, 0, 0));
    preview.UpdateWindow();
    PumpEvents();
    EXPECT_EQ(preview.GetRenderCount(), first + 1);
    preview.DestroyWindow();
}

}  // namespace
