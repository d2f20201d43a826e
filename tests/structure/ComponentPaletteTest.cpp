// The component palette: the thumbnail list (images made only when asked, kept across view switches,
// indices shifted when an item goes, the last item's removal selecting the new last), the document
// combo's entries, the list following the document's component records and undo, and deleting refused
// while a definition is placed or shown from another document.

#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <cmath>
#include <string>
#include <vector>

#include "StructureFixture.h"
#include "StructureTestSupport.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "structure/CDrawComponentBar.h"

namespace {

class ComponentPaletteTest : public EnglishStructureTest
{
protected:
    void SetUp() override
    {
        TheApp().boxes.clear();
        doc.InitDocument();
        other.InitDocument();
        doc.SetNotifyFunction(&ComponentPaletteTest::OnNotify, this);
        ASSERT_TRUE(host.CreateHost(300, 500));
        ASSERT_TRUE(bar.Create(u"Components", &host, CRect(0, 0, 260, 460), FALSE, 59428,
                               WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, 0xF));
        bar.SetWindowPos(nullptr, 0, 0, 260, 460, SWP_NOZORDER);
        ASSERT_TRUE(bar.AddDocument(u"First", &doc));
        ASSERT_TRUE(bar.AddDocument(u"Second", &other));
        ASSERT_TRUE(bar.SelectDocument(&doc));
    }
    void TearDown() override
    {
        doc.SetNotifyFunction(nullptr, nullptr);
        bar.DestroyWindow();
        host.DestroyWindow();
        PumpEvents();
    }
    static int OnNotify(NotifyInfoBase* pInfo, void* pUser)
    {
        static_cast<ComponentPaletteTest*>(pUser)->bar.OnDocumentNotify(pInfo);
        return 1;
    }
    // A definition holding one line, its length set by n so that each thumbnail differs.
    long Define(Draw2dDocument& d, LPCTSTR name, int n = 1)
    {
        DrawComponent2dFeatureDefine def;
        def.SetComponentName(name);
        d.BeginUndoOperation(nullptr);
        const long id = d.AddDrawComponentDefine(def);
        Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(2 * n, n));
        d.AddFeature(&line, d.GetComponentDefineTable()->GetComponentDefine(id), 0);
        d.EndUndoOperation();
        return id;
    }
    CDrawComponentCommandListCtrl& List() { return bar.GetList(); }
    std::vector<std::string> Names()
    {
        std::vector<std::string> out;
        for (int i = 0; i < List().GetItemCount(); ++i)
            out.push_back(List().GetItemText(i, 0).ToQString().toStdString());
        return out;
    }
    void Paint() { bar.GetQWidget()->grab(); }

    HostWindow host;
    CDrawComponentBar bar;
    Draw2dDocument doc;
    Draw2dDocument other;
};

TEST_F(ComponentPaletteTest, ListsAndFollowsTheDocumentsComponents)
{
    const long bolt = Define(doc, u"Bolt");
    const long anchor = Define(doc, u"Anchor");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Anchor", "Bolt"})) << "sorted by name";
    EXPECT_EQ(List().GetSelectedComponentID(), anchor) << "a new definition is selected";

    doc.BeginUndoOperation(nullptr);
    ASSERT_TRUE(doc.SetDrawComponentDefineName(bolt, u"Clamp"));
    doc.EndUndoOperation();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Anchor", "Clamp"}));

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Anchor", "Bolt"})) << "undo lists what the document holds";
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Names(), std::vector<std::string>{"Bolt"});
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Anchor", "Bolt"}));
}

TEST_F(ComponentPaletteTest, ThumbnailsAreMadeWhenAskedAndKept)
{
    for (int i = 0; i < 40; ++i)
        Define(doc, CString(u"C") + CString(QString::number(100 + i).toStdU16String().c_str()), i + 1);
    const int before = List().GetImagesMade();
    bar.SelectDocument(&doc);
    Paint();
    const int made = List().GetImagesMade() - before;
    EXPECT_GT(made, 0);
    EXPECT_LT(made, 40) << "only the items in view get a thumbnail";
    const long renders = DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount();
    bar.SendMessage(WM_COMMAND, CDrawComponentBar::ID_LIST);
    Paint();
    bar.SendMessage(WM_COMMAND, CDrawComponentBar::ID_LARGE_ICONS);
    Paint();
    // The list form shows more items; those shown before keep their pictures.
    int drawn = 0;
    for (int i = 0; i < List().GetItemCount(); ++i)
        drawn += List().GetInfo(i)->bStale ? 0 : 1;
    EXPECT_EQ(List().GetImagesMade() - before, drawn) << "switching views makes no thumbnail again";
    EXPECT_EQ(DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount() - renders, drawn - made);

    // The second item goes: later items' images move down by one and stay theirs.
    CImageList* pLarge = List().GetImageList(LVSIL_NORMAL);
    ASSERT_NE(pLarge, nullptr);
    const long second = reinterpret_cast<const CDrawComponentListCtrl::DrawComponentInfo*>(List().GetItemData(1))->nComponentID;
    const int secondImage = List().GetInfo(1)->nLargeImage;
    std::vector<std::pair<long, int>> others;
    for (int i = 0; i < List().GetItemCount(); ++i)
        if (List().GetInfo(i)->nComponentID != second)
            others.emplace_back(List().GetInfo(i)->nComponentID, List().GetInfo(i)->nLargeImage);
    const int images = pLarge->GetImageCount();
    ASSERT_GE(secondImage, 0);
    ASSERT_TRUE(List().RemoveComponent(second));
    EXPECT_EQ(pLarge->GetImageCount(), images - 1);
    for (const auto& [id, image] : others)
        EXPECT_EQ(List().GetInfo(List().FindComponent(id))->nLargeImage, image > secondImage ? image - 1 : image) << id;

    // The last item's removal selects the new last one.
    const long last = List().GetInfo(List().GetItemCount() - 1)->nComponentID;
    ASSERT_TRUE(List().RemoveComponent(last));
    EXPECT_EQ(List().GetSelectedComponentID(), List().GetInfo(List().GetItemCount() - 1)->nComponentID);
    EXPECT_FALSE(List().RemoveComponent(9999));
}

TEST_F(ComponentPaletteTest, ThumbnailIsKeptUntilTheDefinitionOrTheBackColourChanges)
{
    const long id = Define(doc, u"Bolt");
    const DrawComponent2dFeatureDefineTable* pTable = doc.GetComponentDefineTable();
    const QImage* pFirst = pTable->GetThumbnailImage(id);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->width(), DrawComponent2dFeatureDefineTable::kThumbnailSize);
    const long renders = DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount();
    EXPECT_EQ(pTable->GetThumbnailImage(id), pFirst);
    EXPECT_EQ(DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount(), renders) << "kept";
    const COLORREF back = DrawComponent2dFeatureDefineTable::GetThumbnailBackColor();
    DrawComponent2dFeatureDefineTable::SetThumbnailBackColor(RGB(10, 20, 30));
    const QImage* pDark = pTable->GetThumbnailImage(id);
    ASSERT_NE(pDark, nullptr);
    EXPECT_EQ(pDark->pixelColor(0, 0), QColor(10, 20, 30));
    DrawComponent2dFeatureDefineTable::SetThumbnailBackColor(back);
    EXPECT_EQ(pTable->GetThumbnailImage(9999), nullptr);
    DrawComponent2dFeatureDefine loose;
    DrawComponent2dFeatureDefineTable outside;
    outside.Add(new DrawComponent2dFeatureDefine(loose));
    EXPECT_EQ(outside.GetThumbnailImage(loose.GetComponentId()), nullptr) << "no document, no picture";
}

TEST_F(ComponentPaletteTest, DocumentEntries)
{
    CFlatComboBox& combo = bar.GetCombo();
    ASSERT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(bar.GetSelectedDocument(), &doc);
    ASSERT_TRUE(bar.UpdateDocumentTitle(u"First renamed", &doc));
    EXPECT_EQ(combo.GetCurSel(), 1) << "re-inserted at its place and still chosen";
    CString text;
    combo.GetLBText(1, text);
    EXPECT_EQ(text, CString(u"First renamed"));
    EXPECT_TRUE(bar.UpdateDocumentTitle(u"Third", reinterpret_cast<Draw2dDocument*>(&host)));
    EXPECT_EQ(combo.GetCount(), 4) << "an unknown document is appended";

    Define(other, u"Foreign");
    ASSERT_TRUE(bar.SelectDocument(&other));
    EXPECT_EQ(Names(), std::vector<std::string>{"Foreign"});
    ASSERT_TRUE(bar.RemoveDocument(&other));
    EXPECT_EQ(combo.GetCurSel(), 0) << "closing the chosen document goes back to the active one";
    EXPECT_EQ(bar.GetSelectedDocument(), nullptr);
    EXPECT_FALSE(bar.RemoveDocument(&other));
    EXPECT_FALSE(bar.SelectDocument(&other));

    // Entry 0 follows activations; a chosen document does not.
    Define(doc, u"Mine");
    NotifyInfoBase activated(&doc, NotifyInfoBase::kindDocument, 1);
    bar.OnDocumentNotify(&activated);
    EXPECT_EQ(Names(), std::vector<std::string>{"Mine"});
    ASSERT_TRUE(bar.SelectDocument(&doc));
    NotifyInfoBase elsewhere(&other, NotifyInfoBase::kindDocument, 1);
    bar.OnDocumentNotify(&elsewhere);
    EXPECT_EQ(bar.GetDocument(), &doc);
}

TEST_F(ComponentPaletteTest, DeleteIsRefusedWhilePlacedAndOnlyOnTheActiveDocument)
{
    const long used = Define(doc, u"Used");
    const long loose = Define(doc, u"Loose");
    DrawComponent2dFeature instance;
    instance.SetComponentDefineID(used);
    doc.BeginUndoOperation(nullptr);
    ASSERT_NE(doc.AddFeature(&instance, doc.GetActiveDrawingFeature(), 1), -1);
    doc.EndUndoOperation();

    // The active document listed (entry 0 follows the activation).
    bar.GetCombo().SetCurSel(0);
    NotifyInfoBase activated(&doc, NotifyInfoBase::kindDocument, 1);
    bar.OnDocumentNotify(&activated);
    ASSERT_EQ(bar.GetDocument(), &doc);
    List().SelectComponent(used);
    bar.SendMessage(WM_COMMAND, CDrawComponentBar::ID_DELETE);
    EXPECT_NE(doc.GetComponentDefineTable()->GetComponentDefine(used), nullptr);
    ASSERT_EQ(TheApp().boxes.size(), 1u);
    EXPECT_EQ(TheApp().boxes[0], QStringLiteral("This component cannot be deleted because it is placed in a drawing or is being edited."));

    // The Delete key posts the same command.
    List().SelectComponent(loose);
    MSG key{};
    key.hwnd = List().GetSafeHwnd();
    key.message = WM_KEYDOWN;
    key.wParam = VK_DELETE;
    EXPECT_TRUE(List().PreTranslateMessage(&key));
    PumpEvents();
    EXPECT_EQ(doc.GetComponentDefineTable()->GetComponentDefine(loose), nullptr);
    EXPECT_EQ(Names(), std::vector<std::string>{"Used"});

    // A document chosen that is not the active one (there is no command manager here, so none is): the
    // key reaches the handler, which leaves the definition alone.
    const long third = Define(doc, u"Third");
    ASSERT_TRUE(bar.SelectDocument(&doc));
    List().SelectComponent(third);
    EXPECT_TRUE(List().PreTranslateMessage(&key));
    PumpEvents();
    EXPECT_NE(doc.GetComponentDefineTable()->GetComponentDefine(third), nullptr);
    EXPECT_EQ(TheApp().boxes.size(), 1u);

}

}  // namespace

namespace {

TEST_F(ComponentPaletteTest, Screenshot)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "KC_SCREENSHOT_DIR names where the picture goes";
    const char16_t* names[] = {u"Bolt M8", u"Washer", u"Bracket", u"Hinge", u"Nut", u"Spring", u"Pin"};
    for (int i = 0; i < 7; ++i) {
        DrawComponent2dFeatureDefine def;
        def.SetComponentName(names[i]);
        doc.BeginUndoOperation(nullptr);
        const long id = doc.AddDrawComponentDefine(def);
        DrawComponent2dFeatureDefine* pDefine = doc.GetComponentDefineTable()->GetComponentDefine(id);
        // A star of a few spokes, a different count for each.
        for (int k = 0; k < 3 + i; ++k) {
            const double a = 6.283185307179586 * k / (3 + i);
            Line2dFeature spoke(RuVaPnt2d(0, 0), RuVaPnt2d(10 * std::cos(a), 10 * std::sin(a)));
            doc.AddFeature(&spoke, pDefine, 0);
        }
        Line2dFeature rim(RuVaPnt2d(-10, -10), RuVaPnt2d(10, -10));
        doc.AddFeature(&rim, pDefine, 0);
        doc.EndUndoOperation();
    }
    host.SetWindowPos(nullptr, 0, 0, 280, 420, SWP_NOZORDER);
    bar.SetWindowPos(nullptr, 0, 0, 260, 400, SWP_NOZORDER);
    bar.SelectDocument(&doc);
    List().SelectComponent(List().GetInfo(2)->nComponentID);
    PumpEvents();
    Paint();
    PumpEvents();
    ASSERT_TRUE(bar.GetQWidget()->grab().save(dir + QStringLiteral("/component-palette.png")));
}

}  // namespace
