// The user hatch pattern from shapes over the real manager, document and view, with the real pattern
// dialog answered while it shows: the shapes moved to the base point as origin, a new pattern stored in one
// undo step, a name in use replaced after the question, shapes of two drawings refused, and the dialog's own
// checks (angle order, a name required).

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QMessageBox>

#include <functional>
#include <vector>

#include "command/FeatureGroupParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/HatchPattern2dCommand.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "settings/CShapeHatchPatternSettingDialog.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using H = HatchPattern2dCommand;
using PD = CShapeHatchPatternSettingDialog;

namespace {

constexpr UINT kPatternID = 33574;

class HatchPatternTest : public kctest::DrawingCommandFixture
{
protected:
    void TearDown() override
    {
        delete m_pBoxes;
        m_pBoxes = nullptr;
        DrawingCommandFixture::TearDown();
    }
    // Message boxes are answered with the button; their texts are kept.
    void AnswerBoxes(int button)
    {
        m_pBoxes = new QTimer;
        m_pBoxes->setInterval(5);
        QObject::connect(m_pBoxes, &QTimer::timeout, [this, button]() {
            if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_boxes.push_back(pBox->text());
                if (QAbstractButton* b = pBox->button(button == IDYES ? QMessageBox::Yes : QMessageBox::Ok))
                    b->click();
                else
                    pBox->accept();
            }
        });
        m_pBoxes->start();
    }
    // While the pattern dialog shows: `act` works it.
    static void WhenDialogShows(std::function<void(PD&)> act)
    {
        auto* pTimer = new QTimer;
        pTimer->setInterval(5);
        QObject::connect(pTimer, &QTimer::timeout, [pTimer, act]() {
            auto* pDialog = dynamic_cast<PD*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr)
                return;
            pTimer->stop();
            pTimer->deleteLater();
            act(*pDialog);
        });
        pTimer->start();
    }
    static void Ok(CDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

    // The pattern's inputs: the two shapes, the base point, spacings 5 and 8, angles 0 and 90, the name.
    void GiveInputs(const std::vector<long>& ids, const RuVaPnt2d& base, const CString& name)
    {
        FeatureGroupParameterItem shapes;
        shapes.Copy(*Running()->FindItem(H::itemShapes));
        CArray<FeatureLayout> group;
        for (long id : ids)
            group.Add(FeatureLayout(id, -1, -1));
        ASSERT_TRUE(shapes.AddGroup(group, 0, nullptr, FALSE));
        ASSERT_TRUE(manager.SetParameterValue(0, shapes, TRUE));
        Click(base);
        Type(2, 5.0);
        Type(3, 0.0);
        Type(4, 8.0);
        Type(5, 90.0);
        TextParameterItem text;
        text.Copy(*Running()->FindItem(H::itemName));
        text.SetValue(name);
        manager.SetParameterValue(6, text, TRUE);
    }
    const HatchPatternTable& Table() const { return *doc.GetHatchPatternTable(); }

    QTimer* m_pBoxes = nullptr;
    std::vector<QString> m_boxes;
};

}  // namespace

TEST_F(HatchPatternTest, PickedShapesBecomeANewPatternAboutTheBasePoint)
{
    const long a = Add(Line2dFeature(P(1, 0), P(2, 0)));
    const long b = Add(Line2dFeature(P(1, 1), P(1, 2)));
    doc.ClearUndoRedoHistory();
    const int before = Table().GetHatchPatternCount();
    Start(kPatternID);
    bool shown = false;
    WhenDialogShows([&](PD& d) {
        shown = true;
        Ok(d);
    });
    GiveInputs({a, b}, P(0, 0), _T("Bricks"));
    ASSERT_TRUE(shown);
    ASSERT_EQ(Table().GetHatchPatternCount(), before + 1);
    const long id = Table().GetHatchPatternID(_T("Bricks"));
    const auto* pPattern = dynamic_cast<const ShapeHatchPattern*>(Table().GetHatchPattern(id));
    ASSERT_NE(pPattern, nullptr);
    ASSERT_EQ(pPattern->GetFeatureCount(), 2);
    // The base point is the origin: the horizontal line starts one raster unit right of it.
    const RuVaPnt2d base = Landed(P(0, 0));
    const RuVaPnt2d expected(P(1, 0).X() - base.X(), P(1, 0).Y() - base.Y());
    bool found = false;
    for (int i = 0; i < pPattern->GetFeatureCount(); ++i)
        if (const auto* pLine = dynamic_cast<const Line2dFeature*>(pPattern->GetFeature(i)))
            found = found || pLine->GetStartPoint().IsEqual(expected, 1e-6);
    EXPECT_TRUE(found);
    EXPECT_DOUBLE_EQ(pPattern->GetSpace1(), 5.0);
    EXPECT_DOUBLE_EQ(pPattern->GetAngle2(), 90.0);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(Running(), nullptr) << "the command ends with the stored pattern";
    doc.Undo();
    EXPECT_EQ(Table().GetHatchPatternCount(), before);
}

// Shapes selected before the command starts are its shapes: it goes on at the base point.
TEST_F(HatchPatternTest, ShapesSelectedBeforeTheCommandAreTakenAsItsShapes)
{
    const long a = Add(Line2dFeature(P(1, 0), P(2, 0)));
    const long b = Add(Line2dFeature(P(1, 1), P(1, 2)));
    for (long id : {a, b})
        ASSERT_TRUE(doc.GetSelectionManager()->SelectFeature(FeatureRecord(id, -1)));
    Start(kPatternID);
    ASSERT_NE(Running(), nullptr);
    ASSERT_FALSE(Running()->IsParameterEmpty(0)) << "the selection is the shapes row";
    const auto* pShapes = dynamic_cast<const FeatureGroupParameterItem*>(Running()->FindItem(H::itemShapes));
    ASSERT_NE(pShapes, nullptr);
    CArray<FeatureLayout> taken;
    ASSERT_TRUE(pShapes->GetFeatureLayouts(taken));
    ASSERT_EQ(taken.GetSize(), 2);
    EXPECT_TRUE(Running()->IsParameterEmpty(1)) << "the base point is asked next";
}

TEST_F(HatchPatternTest, ANameInUseIsReplacedAfterTheQuestion)
{
    const long a = Add(Line2dFeature(P(1, 0), P(2, 0)));
    ShapeHatchPattern old;
    old.SetPatternName(_T("Tiles"));
    const Line2dFeature motif(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1));
    old.AddFeature(&motif);
    old.SetSpace1(1.0);
    old.SetSpace2(1.0);
    old.SetAngle(0.0, 90.0);
    ASSERT_TRUE(H::StorePattern(&doc, old));
    doc.ClearUndoRedoHistory();
    const int before = Table().GetHatchPatternCount();
    AnswerBoxes(IDYES);
    Start(kPatternID);
    WhenDialogShows([](PD& d) { Ok(d); });
    GiveInputs({a}, P(0, 0), _T("tiles"));
    ASSERT_EQ(m_boxes.size(), 1u) << "no question about the name in use";
    EXPECT_EQ(Table().GetHatchPatternCount(), before);
    const auto* pPattern =
        dynamic_cast<const ShapeHatchPattern*>(Table().GetHatchPattern(Table().GetHatchPatternID(_T("Tiles"))));
    ASSERT_NE(pPattern, nullptr);
    EXPECT_DOUBLE_EQ(pPattern->GetSpace1(), 5.0);
    doc.Undo();
    pPattern = dynamic_cast<const ShapeHatchPattern*>(Table().GetHatchPattern(Table().GetHatchPatternID(_T("Tiles"))));
    ASSERT_NE(pPattern, nullptr);
    EXPECT_DOUBLE_EQ(pPattern->GetSpace1(), 1.0);
}

TEST_F(HatchPatternTest, TheDialogChecksTheAngleOrderAndTheName)
{
    AnswerBoxes(IDOK);
    PD dialog;
    dialog.m_pattern.SetSpace1(1.0);
    dialog.m_pattern.SetSpace2(1.0);
    dialog.m_pattern.SetAngle(30.0, 60.0);
    bool openAfterAngles = false, openAfterEmptyName = false;
    QTimer::singleShot(0, [&]() {
        dialog.GetDlgItem(PD::kAngle2Edit)->SetWindowText(_T("30"));
        dialog.GetDlgItem(PD::kNameEdit)->SetWindowText(_T("P"));
        Ok(dialog);
        openAfterAngles = dialog.GetSafeHwnd() != nullptr && dialog.GetQWidget()->isVisible();
        dialog.GetDlgItem(PD::kAngle2Edit)->SetWindowText(_T("30.000001"));
        dialog.GetDlgItem(PD::kNameEdit)->SetWindowText(_T(""));
        Ok(dialog);
        openAfterEmptyName = dialog.GetSafeHwnd() != nullptr && dialog.GetQWidget()->isVisible();
        dialog.GetDlgItem(PD::kNameEdit)->SetWindowText(_T("P"));
        Ok(dialog);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(openAfterAngles);
    EXPECT_TRUE(openAfterEmptyName);
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[0], QString::fromStdU16String(std::u16string(Text(10382))));
    EXPECT_EQ(m_boxes[1], QString::fromStdU16String(std::u16string(Text(10257))));
    EXPECT_EQ(dialog.m_pattern.GetPatternName(), _T("P"));
    EXPECT_DOUBLE_EQ(dialog.m_pattern.GetAngle2(), 30.000001);
}
