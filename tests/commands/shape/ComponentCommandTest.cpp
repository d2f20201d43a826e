// The component insertion command over the real manager, document and view: a component of another open
// document placed scaled and turned at a click with its definition copied in as one undo step, on layer 0 or
// the current layer, its attributes asked in the real dialog (empty values dropped, a cancel leaving the
// document as it was), the component bar shown for the command and hidden again after a placement or a
// cancel, and the component following the cursor.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include <functional>

#include "command/DrawComponentParameterItem.h"
#include "command/ListParameterItem.h"
#include "commands/shape/CAttributeDialog.h"
#include "controls/GridCellNotify.h"
#include "platform/ole/COleVariant.h"
#include "commands/shape/DrawComponent2dCommand.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/Line2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using C2 = DrawComponent2dCommand;

namespace {

constexpr UINT kComponentID = 33612;

struct Bar {
    BOOL visible = FALSE;
    int shows = 0, hides = 0;
};
Bar g_bar;

class ComponentCommandTest : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        g_bar = Bar();
        CommandManager::ShellServices shell = CommandManager::GetShellServices();
        shell.pfnIsDrawComponentBarVisible = [](CMainFrame*) { return g_bar.visible; };
        shell.pfnShowDrawComponentBar = [](CMainFrame*, BOOL bShow) {
            g_bar.visible = bShow;
            ++(bShow ? g_bar.shows : g_bar.hides);
            return TRUE;
        };
        CommandManager::SetShellServices(shell);
        source.InitDocument();
        manager.SyncComponentItems(&source);
    }
    // A definition of the source document: a line from its origin 2 units right, with the attributes.
    long Define(LPCTSTR name, const FeatureAttribute* pAttributes = nullptr, BOOL bPrompt = FALSE)
    {
        DrawComponent2dFeatureDefine def;
        def.SetComponentName(name);
        if (pAttributes != nullptr)
            def.SetAttribute(*pAttributes);
        def.SetAttributePrompt(bPrompt);
        const long id = source.AddDrawComponentDefine(def);
        EXPECT_NE(id, -1);
        Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(2, 0));
        source.AddFeature(&line, source.GetComponentDefineTable()->GetComponentDefine(id), 0);
        return id;
    }
    void Choose(long component)
    {
        DrawComponentParameterItem value;
        value.Copy(*Running()->FindItem(C2::itemComponent));
        value.SetValue(static_cast<int>(component));
        ASSERT_TRUE(manager.SetParameterValue(0, value, TRUE));
    }
    void ChooseLayer(int choice)
    {
        ListParameterItem value;
        value.Copy(*Running()->FindItem(C2::itemLayer));
        value.SetValue(choice);
        ASSERT_TRUE(manager.SetParameterValue(1, value, TRUE));
    }
    static void WhenDialogShows(std::function<void(CAttributeDialog&)> act)
    {
        auto* pTimer = new QTimer;
        pTimer->setInterval(5);
        QObject::connect(pTimer, &QTimer::timeout, [pTimer, act]() {
            auto* pDialog = dynamic_cast<CAttributeDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr)
                return;
            pTimer->stop();
            pTimer->deleteLater();
            act(*pDialog);
        });
        pTimer->start();
    }

    Draw2dDocument source;
};

}  // namespace

TEST_F(ComponentCommandTest, AComponentOfAnotherDocumentIsPlacedScaledAndTurned)
{
    const long bolt = Define(_T("Bolt"));
    Start(kComponentID);
    EXPECT_TRUE(g_bar.visible) << "the bar opens for the command";
    Choose(bolt);
    ChooseLayer(0);
    // The component follows the cursor.
    EXPECT_NE(PreviewAt(P(1, 1)), Render());
    Type(3, 90.0);
    Click(P(1, 1));
    auto placed = Shapes<DrawComponent2dFeature>();
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_DOUBLE_EQ(placed[0]->GetAngle(), 90.0);
    EXPECT_EQ(placed[0]->GetLayerID(), layer);
    EXPECT_EQ(static_cast<unsigned short>(placed[0]->GetColorNo()), C2::kOwnAttributes) << "all bits set";
    kctest::ExpectNear(placed[0]->GetOrigin(), Landed(P(1, 1)), 1e-6);
    const DrawComponent2dFeatureDefine* pDefine =
        doc.GetComponentDefineTable()->GetComponentDefine(placed[0]->GetComponentDefineID());
    ASSERT_NE(pDefine, nullptr);
    EXPECT_EQ(pDefine->GetComponentName(), _T("Bolt"));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_FALSE(g_bar.visible) << "the bar goes after the first placement";

    // The command stays: layer choice 1 places on layer 0.
    ChooseLayer(1);
    Click(P(-2, -1));
    placed = Shapes<DrawComponent2dFeature>();
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[1]->GetLayerID(), 0);
    EXPECT_EQ(doc.GetUndoCount(), 2);

    // One undo step takes the component and its copied definition.
    doc.Undo();
    doc.Undo();
    EXPECT_TRUE(Shapes<DrawComponent2dFeature>().empty());
}

TEST_F(ComponentCommandTest, AttributesAreAskedAndACancelLeavesTheDocumentAsItWas)
{
    FeatureAttribute attributes;
    attributes.AddAttribute(_T("Size"), _T("M8"));
    attributes.AddAttribute(_T("Maker"), _T(""));
    const long bolt = Define(_T("Bolt"), &attributes, TRUE);
    Start(kComponentID);
    Choose(bolt);

    WhenDialogShows([](CAttributeDialog& d) { d.EndDialog(IDCANCEL); });
    Click(P(0, 0));
    EXPECT_TRUE(Shapes<DrawComponent2dFeature>().empty());
    EXPECT_EQ(doc.GetComponentDefineTable()->GetComponentDefine(bolt), nullptr)
        << "the definition copied for the cancelled placement stays";
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_FALSE(doc.CanRedo());

    WhenDialogShows([](CAttributeDialog& d) {
        // The value of "Size" typed in its grid cell, as the grid reports it to the dialog.
        int row = -1;
        for (int r = 0; r < d.GetGrid().GetRowCount() && row < 0; ++r) {
            COleVariant name;
            d.GetGrid().GetCellValue(r, 1, &name);
            if (name.GetString() == _T("Size"))
                row = r;
        }
        ASSERT_GE(row, 0);
        GridCellNotify notify{};
        notify.hdr.hwndFrom = d.GetGrid().GetSafeHwnd();
        notify.hdr.idFrom = CAttributeDialog::kGrid;
        notify.nRow = row;
        notify.nColumn = 2;
        const COleVariant value{CString(_T("M10"))};
        notify.hdr.code = GridCellNotify::kValueChanging;
        VariantCopy(&notify.value, &value);
        ASSERT_EQ(d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify)), 0);
        VariantClear(&notify.value);
        d.GetGrid().SetCellValue(row, 2, &value);
        notify.hdr.code = GridCellNotify::kCellChanged;
        d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Click(P(0, 0));
    const auto placed = Shapes<DrawComponent2dFeature>();
    ASSERT_EQ(placed.size(), 1u);
    const FeatureAttribute* pKept = placed[0]->GetDrawComponentAttribute();
    ASSERT_NE(pKept, nullptr);
    ASSERT_EQ(pKept->GetAttributeCount(), 1) << "an empty value is not kept";
    EXPECT_EQ(pKept->GetAttributeValue(0), _T("M10"));
    EXPECT_EQ(doc.GetUndoCount(), 1);
}

TEST_F(ComponentCommandTest, TheBarIsHiddenAgainAfterACancelAndKeptWhenItShowedBefore)
{
    Define(_T("Bolt"));
    Start(kComponentID);
    EXPECT_TRUE(g_bar.visible);
    manager.CancelAllCommands();
    EXPECT_FALSE(g_bar.visible);

    g_bar = Bar();
    g_bar.visible = TRUE;
    Start(kComponentID);
    manager.CancelAllCommands();
    EXPECT_TRUE(g_bar.visible);
    EXPECT_EQ(g_bar.shows + g_bar.hides, 0);
}

// A definition holding a placed component follows the cursor as the shapes of the inner definition: the
// same picture as the inner component itself at that point.
TEST_F(ComponentCommandTest, ANestedComponentPreviewsTheShapesOfItsInnerDefinition)
{
    const long bolt = Define(_T("Bolt"));
    DrawComponent2dFeatureDefine outerDef;
    outerDef.SetComponentName(_T("Assembly"));
    const long outer = source.AddDrawComponentDefine(outerDef);
    ASSERT_NE(outer, -1);
    DrawComponent2dFeature inner;
    inner.SetComponentDefineID(bolt);
    ASSERT_TRUE(inner.SetOrigin(RuVaPnt2d(0, 0)));
    ASSERT_NE(source.AddFeature(&inner, source.GetComponentDefineTable()->GetComponentDefine(outer), 0), -1);

    Start(kComponentID);
    const QImage empty = Render();
    Choose(bolt);
    const QImage boltAlone = PreviewAt(P(1, 1));
    ASSERT_NE(boltAlone, empty);
    Choose(outer);
    const QImage nested = PreviewAt(P(1, 1));
    EXPECT_NE(nested, empty) << "the nested component is previewed";
    EXPECT_TRUE(nested == boltAlone) << "as the shapes of its inner definition";
}

// The bar the command opens goes again however the command ends; a bar shown before stays.
TEST_F(ComponentCommandTest, TheBarGoesAgainAfterEveryEndOnlyWhenTheCommandOpenedIt)
{
    FeatureAttribute attributes;
    attributes.AddAttribute(_T("Size"), _T("M8"));
    const long plain = Define(_T("Plain"));
    const long asking = Define(_T("Asking"), &attributes, TRUE);
    enum End { placed, cancelled, attributesCancelled };
    const struct {
        const char* what;
        BOOL shownBefore;
        End end;
        BOOL shownAfter;
        int hides;
    } cases[] = {
        {"placed", FALSE, placed, FALSE, 1},
        {"cancelled before a placement", FALSE, cancelled, FALSE, 1},
        {"attribute dialog cancelled, then the command", FALSE, attributesCancelled, FALSE, 1},
        {"placed, bar shown before", TRUE, placed, TRUE, 0},
        {"cancelled, bar shown before", TRUE, cancelled, TRUE, 0},
        {"attribute dialog cancelled, bar shown before", TRUE, attributesCancelled, TRUE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_bar = Bar();
        g_bar.visible = c.shownBefore;
        Start(kComponentID);
        EXPECT_TRUE(g_bar.visible) << "shown while the command runs";
        switch (c.end) {
        case placed:
            Choose(plain);
            Click(P(0, 0));
            EXPECT_NE(Running(), nullptr) << "the command stays for the next placement";
            EXPECT_EQ(g_bar.visible, c.shownAfter) << "after the placement";
            break;
        case cancelled:
            break;
        case attributesCancelled:
            Choose(asking);
            WhenDialogShows([](CAttributeDialog& d) { d.EndDialog(IDCANCEL); });
            Click(P(0, 0));
            EXPECT_TRUE(g_bar.visible) << "still choosing after the cancelled dialog";
            break;
        }
        manager.CancelAllCommands();
        EXPECT_EQ(g_bar.visible, c.shownAfter);
        EXPECT_EQ(g_bar.hides, c.hides);
    }
}
