// The text commands over the real manager, document and view: a typed line at an angle kept between
// texts, a paragraph written in the text dialog (answered while it shows), sizes enlarged inside a scaled
// part layout, the preview equal to the placed text; and the text change command on texts and balloons
// with its enable test.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include <functional>

#include "command/AngleParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/CTextEditDialog.h"
#include "commands/shape/Text2dCommand.h"
#include "commands/shape/TextEdit2dCommand.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CEdit.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kTextID = 33512;
constexpr UINT kParagraphID = 33513;
constexpr UINT kChangeTextID = 33783;

class TextCommandsTest : public kctest::DrawingCommandFixture
{
protected:
    // While the next text dialog shows: `act` works it and closes it.
    static void WhenDialogShows(std::function<void(CTextEditDialog&)> act)
    {
        auto* pTimer = new QTimer;
        pTimer->setInterval(5);
        QObject::connect(pTimer, &QTimer::timeout, [pTimer, act]() {
            auto* pDialog = dynamic_cast<CTextEditDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr)
                return;
            pTimer->stop();
            pTimer->deleteLater();
            act(*pDialog);
        });
        pTimer->start();
    }
    static CEdit* Edit(CTextEditDialog& d) { return static_cast<CEdit*>(d.GetDlgItem(CTextEditDialog::kTextEdit)); }
    static void Press(CDialog& d, int nID) { d.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }
    static void TypeInto(CTextEditDialog& d, const CString& text)
    {
        Edit(d)->SetWindowText(text);
    }

    void TypeText(const CString& text)
    {
        auto* pItem = dynamic_cast<TextParameterItem*>(Running()->GetParameterItem(0));
        ASSERT_NE(pItem, nullptr);
        pItem->SetValue(text);
        manager.RunActiveCommand(0, TRUE);
    }
    const Text2dFeature* LastText() const
    {
        const auto texts = Shapes<Text2dFeature>();
        return texts.empty() ? nullptr : texts.back();
    }
    void ExpectStyleOfDocument(const Text2dFeature* p, double scale = 1.0) const
    {
        ASSERT_NE(p, nullptr);
        const TextSetting* pStyle = doc.GetTextSetting();
        EXPECT_NEAR(p->GetHeight(), pStyle->GetHeight() * scale, 1e-9);
        // Only the layer follows the document; colour, line type and width are the style's.
        EXPECT_EQ(p->GetLayerID(), layer);
        EXPECT_NE(p->GetColorNo(), 5);
    }
};

}  // namespace

TEST_F(TextCommandsTest, ALineTypedAtAnAngleKeptBetweenTexts)
{
    Start(kTextID);
    ASSERT_NE(dynamic_cast<Text2dCommand*>(Running()), nullptr);
    ASSERT_EQ(Running()->GetParameterCount(), 3);
    // The angle starts given (0); without a text nothing is previewed and a click makes nothing.
    EXPECT_FALSE(Running()->IsParameterEmpty(1));
    EXPECT_EQ(PreviewAt(P(1, 1)), Render());
    EXPECT_EQ(Running()->OnInput(-1), CommandBase::resultMissing);

    TypeText(_T("ABC"));
    Click(P(1, 1));
    const Text2dFeature* pFirst = LastText();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->GetText(), CString(_T("ABC")));
    EXPECT_NEAR(pFirst->GetAngle(), 0.0, 1e-12);
    ExpectNear(pFirst->GetPoint(), Landed(P(1, 1)), 1e-9);
    ExpectStyleOfDocument(pFirst);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    // The command stays: the text and point are cleared, the angle kept.
    ASSERT_NE(Running(), nullptr);
    EXPECT_TRUE(Running()->IsParameterEmpty(0));
    EXPECT_TRUE(Running()->IsParameterEmpty(2));

    Type(1, 30.0);
    TypeText(_T("日本語 😀"));
    Click(P(3, 1));
    ASSERT_EQ(Shapes<Text2dFeature>().size(), 2u);
    EXPECT_EQ(LastText()->GetText(), CString(_T("日本語 😀")));
    EXPECT_NEAR(LastText()->GetAngle(), 30.0, 1e-12);
    TypeText(_T("again"));
    Click(P(5, 1));
    EXPECT_NEAR(LastText()->GetAngle(), 30.0, 1e-12);
    EXPECT_EQ(doc.GetUndoCount(), 3);
}

TEST_F(TextCommandsTest, PreviewIsTheTextAClickPlaces)
{
    Start(kTextID);
    TypeText(_T("Preview"));
    ExpectPreviewIsTheClickedShape(P(1, 2));
}

TEST_F(TextCommandsTest, AParagraphFromTheDialogIsPlacedOnceAndACancelledDialogEndsTheCommand)
{
    WhenDialogShows([](CTextEditDialog& d) {
        TypeInto(d, _T("first line\nsecond line"));
        Press(d, IDOK);
    });
    Start(kParagraphID);
    auto* pCommand = dynamic_cast<Text2dCommand*>(Running());
    ASSERT_NE(pCommand, nullptr);
    EXPECT_EQ(pCommand->GetParameterCount(), 2);  // no text row
    EXPECT_EQ(pCommand->GetParagraphText(), CString(_T("first line\nsecond line")));
    Click(P(2, 2));
    ASSERT_EQ(Shapes<Text2dFeature>().size(), 1u);
    EXPECT_EQ(LastText()->GetText(), CString(_T("first line\nsecond line")));
    ExpectStyleOfDocument(LastText());
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(Running(), nullptr) << "one paragraph ends the command";
    // The paragraph went into the history.
    const auto* pNewest = dynamic_cast<const TextParameterItem*>(manager.GetParameterHistory().GetAt(5, 0));
    ASSERT_NE(pNewest, nullptr);
    EXPECT_EQ(pNewest->m_strText, CString(_T("first line\nsecond line")));

    for (const bool empty : {false, true}) {
        SCOPED_TRACE(empty ? "emptied and confirmed" : "cancelled");
        WhenDialogShows([empty](CTextEditDialog& d) {
            TypeInto(d, empty ? _T("") : _T("never placed"));
            Press(d, empty ? IDOK : IDCANCEL);
        });
        manager.ExecuteCommand(kParagraphID);
        EXPECT_EQ(Running(), nullptr);
        EXPECT_EQ(doc.GetFeatureCount(), 1);
        EXPECT_EQ(doc.GetUndoCount(), 1);
    }
}

TEST_F(TextCommandsTest, InsideAScaledPartLayoutTheTextPrintsAtTheStyleSize)
{
    const long paper = doc.GetActiveDrawingFeature()->GetDrawingID();
    const long part = doc.AddPartDrawingFeature(_T("Part"));
    const long layout = doc.AddPartLayout(paper, part, _T("Detail"), -1, 0);
    ASSERT_GT(layout, 0);
    struct Case {
        const char* name;
        double xn, xd, yn, yd;
        double factor;
    };
    const Case cases[] = {
        {"1:50", 1, 50, 1, 50, 50.0},
        {"2:1", 2, 1, 2, 1, 0.5},
        {"different X and Y scales: unscaled", 1, 2, 1, 4, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(doc.SetPartLayoutScale(layout, c.xn, c.xd, c.xn != c.yn || c.xd != c.yd, c.yn, c.yd, 0));
        ASSERT_TRUE(doc.ActivateDrawingFeature(paper, layout, FALSE));
        manager.CancelAllCommands();
        Start(kTextID);
        const size_t before = Shapes<Text2dFeature>().size();
        TypeText(_T("scaled"));
        Click(P(1, 1));
        ASSERT_EQ(Shapes<Text2dFeature>().size(), before + 1);
        ExpectStyleOfDocument(LastText(), c.factor);
    }
}

TEST_F(TextCommandsTest, ChangeTextReplacesTheTextOfATextOrBalloonInOneStep)
{
    // A text and a balloon placed, a line beside them.
    Text2dFeature* pText = FeatureCreator::CreateTextFeature(_T("old"), P(1, 1), 0.0, doc.GetTextSetting());
    ASSERT_NE(pText, nullptr);
    const long textId = doc.AddFeature(pText, doc.GetActiveDrawingFeature(), 1);
    delete pText;
    Line2dFeature line;
    line.SetPoint(P(0, 5), P(5, 5));
    const long lineId = doc.AddFeature(&line, doc.GetActiveDrawingFeature(), 1);
    ASSERT_NE(textId, -1);
    ASSERT_NE(lineId, -1);
    doc.ClearUndoRedoHistory();

    // Enable test: exactly one text, leader or balloon selected.
    SelectionManager* pSelection = doc.GetSelectionManager();
    struct EnableCase {
        std::vector<long> ids;
        BOOL enabled;
    };
    for (const EnableCase& c : {EnableCase{{textId}, TRUE}, EnableCase{{lineId}, FALSE}, EnableCase{{textId, lineId}, FALSE},
                                EnableCase{{}, FALSE}}) {
        pSelection->UnselectAll();
        for (long id : c.ids)
            pSelection->SelectFeature(FeatureRecord(id, -1));
        EXPECT_EQ(TextEdit2dCommand::IsCommandEnabled(_T("Korvan.Edit.ChangeText"), &doc), c.enabled) << c.ids.size();
    }
    pSelection->UnselectAll();

    Start(kChangeTextID);
    CommandBase* pCommand = Running();
    ASSERT_NE(pCommand, nullptr);
    auto* pItem = dynamic_cast<FeatureParameterItem*>(pCommand->GetParameterItem(0));
    ASSERT_NE(pItem, nullptr);
    EXPECT_EQ(pItem->m_dwAcceptedKinds, 0x6200u);

    // OK with a new text: one step; the dialog opened with the old one.
    CString shown;
    WhenDialogShows([&shown](CTextEditDialog& d) {
        Edit(d)->GetWindowText(shown);
        TypeInto(d, _T("new"));
        Press(d, IDOK);
    });
    pItem->SetValue(FeatureLayout(textId, -1, -1), P(1, 1));
    manager.RunActiveCommand(0, TRUE);
    EXPECT_EQ(shown, CString(_T("old")));
    EXPECT_EQ(static_cast<const Text2dFeature*>(doc.GetFeature(textId))->GetText(), CString(_T("new")));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    ASSERT_EQ(Running(), pCommand) << "waits for the next pick";

    // OK unchanged: still one step; emptied: ends, nothing changed.
    WhenDialogShows([](CTextEditDialog& d) { Press(d, IDOK); });
    pItem = dynamic_cast<FeatureParameterItem*>(pCommand->GetParameterItem(0));
    pItem->SetValue(FeatureLayout(textId, -1, -1), P(1, 1));
    manager.RunActiveCommand(0, TRUE);
    EXPECT_EQ(doc.GetUndoCount(), 2);
    WhenDialogShows([](CTextEditDialog& d) {
        TypeInto(d, _T(""));
        Press(d, IDOK);
    });
    pItem = dynamic_cast<FeatureParameterItem*>(pCommand->GetParameterItem(0));
    pItem->SetValue(FeatureLayout(textId, -1, -1), P(1, 1));
    manager.RunActiveCommand(0, TRUE);
    EXPECT_EQ(Running(), nullptr);
    EXPECT_EQ(doc.GetUndoCount(), 2);
    EXPECT_EQ(static_cast<const Text2dFeature*>(doc.GetFeature(textId))->GetText(), CString(_T("new")));

    // A balloon's text.
    Balloon2dFeature balloon;
    ASSERT_TRUE(balloon.SetText(_T("1")));
    std::unique_ptr<Feature2dBase> changed(TextEdit2dCommand::ChangeText(&balloon, _T("2")));
    ASSERT_NE(changed, nullptr);
    CString text;
    ASSERT_TRUE(TextEdit2dCommand::GetText(changed.get(), text));
    EXPECT_EQ(text, CString(_T("2")));
    EXPECT_EQ(TextEdit2dCommand::ChangeText(&line, _T("x")), nullptr);
}
