// The tolerance frame editor from the real template, driven by its messages and real focus changes: the
// frame string built from the rows and read back into them, the code buttons' states and insertion, the
// cell check on leaving a cell and on OK, the preview; the tolerance command placing the edited frame and a
// typed one, refusing a symbol in a typed cell; and the symbols and modifier codes drawn in a placed frame.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QPixmap>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QWidget>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "command/TextParameterItem.h"
#include "commands/shape/CToleranceEditDialog.h"
#include "commands/shape/Tolerance2dCommand.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureResolver.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/Tolerance2dFeature.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using D = CToleranceEditDialog;

namespace {

constexpr UINT kToleranceID = 33547;

class Dialog : public CToleranceEditDialog
{
public:
    explicit Dialog(const Draw2dDocument* pDocument) : CToleranceEditDialog(nullptr, pDocument) {}
    void EndModalLoop(int nResult) override
    {
        m_bClosed = true;
        CToleranceEditDialog::EndModalLoop(nResult);
    }
    bool IsOpen() const { return !m_bClosed; }

private:
    bool m_bClosed = false;
};

// Message boxes shown while a test runs are answered with OK; their texts are kept.
std::vector<QString> g_boxes;
QTimer* AnswerBoxes()
{
    auto* pTimer = new QTimer;
    pTimer->setInterval(5);
    QObject::connect(pTimer, &QTimer::timeout, []() {
        if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            g_boxes.push_back(pBox->text());
            pBox->accept();
        }
    });
    pTimer->start();
    return pTimer;
}

class ToleranceTest : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        g_boxes.clear();
    }
    void TearDown() override
    {
        delete m_pTimer;
        m_pTimer = nullptr;
        DrawingCommandFixture::TearDown();
    }
    // Runs the dialog; `act` works it while it shows; a dialog still open afterwards is cancelled.
    INT_PTR Run(Dialog& dialog, const std::function<void()>& act)
    {
        QTimer::singleShot(0, [&dialog, act]() {
            QWidget* pWindow = dialog.GetQWidget()->window();
            pWindow->activateWindow();
            QApplication::setActiveWindow(pWindow);
            QApplication::processEvents();
            act();
            QApplication::processEvents();
            if (dialog.IsOpen())
                dialog.EndDialog(IDCANCEL);
        });
        return dialog.DoModal();
    }
    static CString TextOf(CDialog& d, int nID)
    {
        CString text;
        d.GetDlgItem(nID)->GetWindowText(text);
        return text;
    }
    static void SetText(CDialog& d, int nID, const CString& text) { d.GetDlgItem(nID)->SetWindowText(text); }
    static void Choose(CDialog& d, int row, int entry)
    {
        auto* pCombo = static_cast<CComboBox*>(d.GetDlgItem(D::kFirstSymbolCombo + row));
        pCombo->SetCurSel(entry);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(D::kFirstSymbolCombo + row, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(pCombo->GetSafeHwnd()));
    }
    static void Focus(CDialog& d, int nID)
    {
        d.GetDlgItem(nID)->GetQWidget()->setFocus();
        QApplication::processEvents();
    }
    static bool Enabled(CDialog& d, int nID) { return d.GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    static QString Box(UINT id) { return QString::fromStdU16String(std::u16string(LoadResourceString(id))); }

    QTimer* m_pTimer = nullptr;
};

std::vector<std::unique_ptr<Feature2dBase>> Pieces(const Feature2dBase* pShape)
{
    std::vector<std::unique_ptr<Feature2dBase>> pieces;
    FeatureResolver::ResolveFeature(
        nullptr, pShape,
        [](const DrawingFeatureBase*, const Feature2dBase* p, void* u, void*, const Feature2dBase*) -> int {
            static_cast<std::vector<std::unique_ptr<Feature2dBase>>*>(u)->emplace_back(p->CopyObject());
            return 1;
        },
        &pieces, nullptr, nullptr);
    return pieces;
}

}  // namespace

TEST(ToleranceFrameString, BuiltFromTheRows)
{
    struct Case {
        const char* name;
        CString symbols[3], tolerances[3], datums[3];
        CString frame;
    };
    const Case cases[] = {
        {"one full row", {_T("\\u"), _T(""), _T("")}, {_T("0.1"), _T(""), _T("")}, {_T("A"), _T(""), _T("")},
         _T("\\u\\|0.1\\|A")},
        {"the same symbol twice", {_T("\\f"), _T("\\f"), _T("")}, {_T("0.1"), _T("0.2"), _T("")}, {},
         _T("\\f\\|0.1\\*\\>\\|0.2")},
        {"row two only the same symbol", {_T("\\f"), _T("\\f"), _T("")}, {_T("0.1"), _T(""), _T("")}, {},
         _T("\\f\\|0.1")},
        {"no symbol", {}, {_T("0.05"), _T(""), _T("")}, {}, _T("\\|0.05")},
        {"row one empty, row two without symbol", {}, {_T(""), _T("0.05"), _T("")}, {}, _T("\\>\\|0.05")},
        {"two rows without symbol", {}, {_T("0.1"), _T("0.2"), _T("")}, {}, _T("\\|0.1\\*\\>\\|0.2")},
        {"a lone backslash at the end is dropped", {_T("\\u")}, {_T("0.1\\")}, {}, _T("\\u\\|0.1")},
        {"two backslashes at the end stay", {_T("\\u")}, {_T("0.1\\\\")}, {}, _T("\\u\\|0.1\\\\")},
        {"datums without tolerance", {_T("\\b")}, {}, {_T("A\\|B")}, _T("\\b\\|\\|A\\|B")},
        {"nothing", {}, {}, {}, _T("")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(D::BuildFrameString(c.symbols, c.tolerances, c.datums), c.frame) << c.name;
}

TEST(ToleranceFrameString, CellCheck)
{
    struct Case {
        const char16_t* text;
        BOOL ok;
    };
    const Case cases[] = {{u"0.1", TRUE},        {u"0.1\\m", TRUE},   {u"\\n0.1", TRUE}, {u"A\\|B", TRUE},
                          {u"\\\\u", TRUE},      {u"0.1\\", TRUE},    {u"\\u", FALSE},   {u"A\\t", FALSE},
                          {u"0.1\\m\\j", FALSE}, {u"\\\\\\c", FALSE}, {u"", TRUE}};
    for (const Case& c : cases)
        EXPECT_EQ(D::IsCellAcceptable(CString(c.text)), c.ok) << QString::fromUtf16(c.text).toStdString();
}

TEST_F(ToleranceTest, TheEditorBuildsTheFrameFromItsControlsAndInsertsCodes)
{
    Dialog dialog(&doc);
    CString frame, afterCode;
    bool comboOff = false, toleranceState = false, datumState = false, previewFollows = false;
    const INT_PTR result = Run(dialog, [&]() {
        Choose(dialog, 0, 1);
        Focus(dialog, D::kFirstSymbolCombo);
        comboOff = !Enabled(dialog, 2490) && !Enabled(dialog, 2491) && !Enabled(dialog, 2498) && !Enabled(dialog, 2496);
        Focus(dialog, D::kFirstToleranceEdit);
        toleranceState = !Enabled(dialog, 2490) && Enabled(dialog, 2491) && Enabled(dialog, 2497) &&
                         !Enabled(dialog, 2496);
        SetText(dialog, D::kFirstToleranceEdit, _T("0.1"));
        Focus(dialog, D::kFirstDatumEdit);
        datumState = Enabled(dialog, 2490) && Enabled(dialog, 2495) && !Enabled(dialog, 2496);
        SetText(dialog, D::kFirstDatumEdit, _T("A"));
        frame = TextOf(dialog, D::kFrameEdit);
        // The preview follows the symbol.
        const QImage straightness = dialog.GetPreviewImage() ? dialog.GetPreviewImage()->copy() : QImage();
        Choose(dialog, 0, 2);
        previewFollows = dialog.GetPreviewImage() != nullptr && !straightness.isNull() &&
                         *dialog.GetPreviewImage() != straightness;
        Choose(dialog, 0, 1);
        // The caret at the end of the datum; the focus leaves for a button, which inserts there.
        static_cast<CEdit*>(dialog.GetDlgItem(D::kFirstDatumEdit))->SetSel(1, 1);
        Focus(dialog, 2490);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(2491, BN_CLICKED), 0);
        afterCode = TextOf(dialog, D::kFrameEdit);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(2490, BN_CLICKED), 0);
        SetText(dialog, D::kFirstDatumEdit, _T("A"));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(frame, _T("\\u\\|0.1\\|A"));
    EXPECT_EQ(afterCode, _T("\\u\\|0.1\\|A\\m"));
    EXPECT_TRUE(comboOff) << "code buttons enabled on a combo box";
    EXPECT_TRUE(previewFollows);
    EXPECT_TRUE(toleranceState);
    EXPECT_TRUE(datumState);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_strText, _T("\\u\\|0.1\\|A"));
}

TEST_F(ToleranceTest, TheEditorReadsAGivenFrameIntoItsRows)
{
    Dialog dialog(&doc);
    dialog.m_strText = _T("\\g\\|0.02\\|A\\|B\\|C\\*\\>\\|0.1\\*\\|0.2\\*\\u\\|9");
    CString datum, tolerance2, frame;
    int symbol = -1;
    Run(dialog, [&]() {
        symbol = static_cast<CComboBox*>(dialog.GetDlgItem(D::kFirstSymbolCombo))->GetCurSel();
        datum = TextOf(dialog, D::kFirstDatumEdit);
        tolerance2 = TextOf(dialog, D::kFirstToleranceEdit + 1);
        frame = TextOf(dialog, D::kFrameEdit);
        // A picture for the documentation, taken only when asked for.
        if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR"))
            dialog.GetQWidget()->window()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") +
                                                       QStringLiteral("/tolerance-editor.png"));
    });
    EXPECT_EQ(symbol, 4);  // cylindricity
    EXPECT_EQ(datum, _T("A\\|B\\|C"));
    EXPECT_EQ(tolerance2, _T("0.1"));
    // Four rows: the frame string keeps the fourth until a row changes.
    EXPECT_EQ(frame, dialog.m_strText);
}

TEST_F(ToleranceTest, ASymbolInACellIsRefusedOnLeavingItAndOnOk)
{
    m_pTimer = AnswerBoxes();
    Dialog dialog(&doc);
    bool focusBack = false;
    bool openAfterOk = false;
    Run(dialog, [&]() {
        Focus(dialog, D::kFirstDatumEdit + 1);
        SetText(dialog, D::kFirstDatumEdit + 1, _T("A\\u"));
        Focus(dialog, D::kFirstToleranceEdit);
        QApplication::processEvents();
        focusBack = CWnd::GetFocus() == dialog.GetDlgItem(D::kFirstDatumEdit + 1);
        // Not corrected: OK tells it again and keeps the dialog open.
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        openAfterOk = dialog.IsOpen();
    });
    ASSERT_GE(g_boxes.size(), 2u);
    EXPECT_EQ(g_boxes[0], Box(10392));
    EXPECT_TRUE(focusBack);
    EXPECT_TRUE(openAfterOk);
}

TEST_F(ToleranceTest, TheCommandPlacesTheEditedFrameThenTypedOnes)
{
    // The editor is answered while it shows.
    QTimer::singleShot(0, [this]() {
        auto* pDialog = dynamic_cast<CToleranceEditDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
        ASSERT_NE(pDialog, nullptr);
        Choose(*pDialog, 0, 1);
        SetText(*pDialog, D::kFirstToleranceEdit, _T("0.1"));
        SetText(*pDialog, D::kFirstDatumEdit, _T("A"));
        pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ASSERT_NE(Start(kToleranceID), nullptr);
    EXPECT_NE(PreviewAt(P(0, 0)), Render());
    Click(P(0, 0));
    auto frames = Shapes<Tolerance2dFeature>();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->GetText(), _T("\\u\\|0.1\\|A"));
    EXPECT_EQ(frames[0]->GetLayerID(), layer);
    EXPECT_DOUBLE_EQ(frames[0]->GetTextHeight(), doc.GetDimensionSetting()->GetDimTextHight());
    EXPECT_EQ(doc.GetUndoCount(), 1);

    // The text row is empty again: a click places nothing.
    Click(P(2, 2));
    EXPECT_EQ(Shapes<Tolerance2dFeature>().size(), 1u);

    // A typed frame with a symbol in a cell is refused with the reason; a sound one is placed.
    TextParameterItem typed;
    typed.Copy(*Running()->GetParameterItem(0));
    typed.SetValue(_T("\\f\\|0.2\\u"));
    EXPECT_FALSE(manager.SetParameterValue(0, typed, TRUE));
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back(), Text(10392));
    EXPECT_TRUE(Running()->IsParameterEmpty(0));
    typed.SetValue(_T("\\f\\|0.2\\|B"));
    ASSERT_TRUE(manager.SetParameterValue(0, typed, TRUE));
    Click(P(-3, 1));
    frames = Shapes<Tolerance2dFeature>();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1]->GetText(), _T("\\f\\|0.2\\|B"));
    EXPECT_EQ(doc.GetUndoCount(), 2);
}

TEST_F(ToleranceTest, ACancelledEditorEndsTheCommandUnchanged)
{
    QTimer::singleShot(0, []() {
        if (auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget())))
            pDialog->EndDialog(IDCANCEL);
    });
    manager.ExecuteCommand(kToleranceID);
    EXPECT_EQ(Running(), nullptr);
    EXPECT_EQ(doc.GetUndoCount(), 0);
}

TEST_F(ToleranceTest, SymbolsAndModifierCodesAreDrawnNotWritten)
{
    // Each of the fourteen symbols draws a figure of its own in the symbol cell, and no control code is
    // written as text.
    std::set<std::string> figures;
    for (const char16_t* letter = u"ucegkdfbajriht"; *letter != 0; ++letter) {
        const Tolerance2dFeature frame(CString(u"\\") + CString(letter, 1) + _T("\\|0.1"), RuVaPnt2d(0, 0));
        std::string figure;
        for (const auto& piece : Pieces(&frame)) {
            if (const auto* t = dynamic_cast<const Text2dFeature*>(piece.get())) {
                EXPECT_EQ(t->GetText().Find(_T("\\")), -1) << "code written as text";
                continue;
            }
            const RuVaBndBox2d box = piece->GetBndBox();
            if (box.XMax() - box.XMin() > 2.5 * frame.GetTextHeight())
                continue;  // a cell's box
            figure += std::to_string(piece->GetFeatureType()) + ":" + std::to_string(int(box.XMin() * 100)) + "," +
                      std::to_string(int(box.YMax() * 100)) + ";";
        }
        EXPECT_FALSE(figure.empty()) << "no figure for " << char(*letter);
        figures.insert(figure);
    }
    EXPECT_EQ(figures.size(), 14u);

    // Modifier codes: circled letters and the diameter sign; "\\" a backslash.
    const Tolerance2dFeature frame(_T("\\j\\|\\n0.1\\m\\|A\\l\\|B\\\\"), RuVaPnt2d(0, 0));
    int circles = 0;
    std::set<CString> texts;
    for (const auto& piece : Pieces(&frame)) {
        if (dynamic_cast<const Circle2dFeature*>(piece.get()) != nullptr)
            ++circles;
        if (const auto* t = dynamic_cast<const Text2dFeature*>(piece.get()))
            texts.insert(t->GetText());
    }
    EXPECT_EQ(circles, 1 + 3);  // the position symbol's circle, the diameter sign, two circled letters
    EXPECT_EQ(texts, (std::set<CString>{_T("0.1"), _T("M"), _T("A"), _T("L"), _T("B\\")}));
}

TEST_F(ToleranceTest, EachSymbolDrawsItsOwnPictureInAPlacedFrame)
{
    DimensionSetting style;
    style.Copy(*doc.GetDimensionSetting());
    ASSERT_TRUE(style.ScaleSize(u / style.GetDimTextHight()));
    auto pictureOf = [&](const CString& text) {
        std::unique_ptr<Tolerance2dFeature> frame(FeatureCreator::CreateToleranceFeature(nullptr, text, P(-4, 2), &style));
        EXPECT_NE(frame, nullptr);
        const long id = frame ? Add(*frame) : -1;
        const QImage picture = Render();
        doc.BeginUndoOperation(nullptr);
        doc.DeleteFeature(id, 1);
        doc.EndUndoOperation();
        return picture;
    };
    std::vector<QImage> pictures{pictureOf(_T("\\>\\|1"))};
    for (const char16_t* letter = u"ucegkdfbajriht"; *letter != 0; ++letter) {
        const QImage picture = pictureOf(CString(u"\\") + CString(letter, 1) + _T("\\|1"));
        for (const QImage& other : pictures)
            EXPECT_NE(picture, other) << "symbol " << char(*letter) << " looks like another or like none";
        pictures.push_back(picture);
    }
    // A circled M is no plain M.
    EXPECT_NE(pictureOf(_T("\\j\\|1\\m")), pictureOf(_T("\\j\\|1M")));
}
