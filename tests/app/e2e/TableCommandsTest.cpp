// The table and drawing settings commands in the running program, over a drawing: OK puts the edited
// colour, line type or line width table, or the drawing settings, into the document as one undo step
// (undone as one) and the view draws the shapes with it at once; Cancel changes nothing and adds no step.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CColorSettingDialog.h"
#include "settings/CDrawSettingDialog.h"
#include "settings/CLineTypeSettingDialog.h"
#include "settings/CLineWidthSettingDialog.h"

namespace {

class TableCommandsTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        CQZ2Doc* pDoc = NewDrawing();
        ASSERT_NE(pDoc, nullptr);
        model = pDoc->GetDraw2dDocument();
        ASSERT_NE(model, nullptr);
        model->ClearUndoRedoHistory();
    }
    static void Press(CWnd& dialog, int nID) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }
    static void Type(CWnd& dialog, int nID, const char16_t* text) { dialog.GetDlgItem(nID)->SetWindowText(text); }
    Draw2dDocument* model = nullptr;
};

// Red pixels of the view as it paints now.
int RedPixels(CQZ2View* pView)
{
    const QImage shot = pView->GetQWidget()->grab().toImage();
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            n += c.red() > 200 && c.green() < 60 && c.blue() < 60 ? 1 : 0;
        }
    return n;
}

TEST_F(TableCommandsTest, ColourTableOkIsOneUndoStepAndCancelNone)
{
    // A line of colour 17 across the view, which the table's OK turns red on the screen at once.
    Line2dFeature line(RuVaPnt2d(-10000, 0), RuVaPnt2d(10000, 0));
    ASSERT_TRUE(line.SetColorNo(17));
    ASSERT_NE(model->AddFeature(&line, nullptr, 1), -1);
    model->ClearUndoRedoHistory();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Pump();
    ASSERT_EQ(RedPixels(pView), 0);
    const ColorFeatureTable before = *model->GetColorFeatureTable();
    WhenModal<CColorSettingDialog>([](CColorSettingDialog& d) { Press(d, IDCANCEL); });
    Command(34640);
    EXPECT_EQ(*model->GetColorFeatureTable(), before);
    EXPECT_FALSE(model->CanUndo());

    WhenModal<CColorSettingDialog>([](CColorSettingDialog& d) {
        Type(d, CColorSettingDialog::kRed, u"255");
        Type(d, CColorSettingDialog::kGreen, u"0");
        Type(d, CColorSettingDialog::kBlue, u"0");
        Press(d, CColorSettingDialog::kSet);
        Press(d, IDOK);
    });
    Command(34640);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(model->GetColorFeatureTable()->GetColorRef(17), RGB(255, 0, 0));
    EXPECT_EQ(model->GetUndoCount(), 1);
    Pump();
    EXPECT_GT(RedPixels(pView), 100) << "the line is drawn in its new colour";
    Command(57643);  // undo
    EXPECT_EQ(*model->GetColorFeatureTable(), before);
    Pump();
    EXPECT_EQ(RedPixels(pView), 0);
}

TEST_F(TableCommandsTest, LineTypeAndLineWidthTablesAndDrawingSettings)
{
    WhenModal<CLineTypeSettingDialog>([](CLineTypeSettingDialog& d) {
        Type(d, CLineTypeSettingDialog::kName, u"Mine");
        Type(d, CLineTypeSettingDialog::kCount, u"2");
        Type(d, CLineTypeSettingDialog::kSegment1, u"5");
        Type(d, CLineTypeSettingDialog::kSegment1 + 1, u"2");
        Press(d, CLineTypeSettingDialog::kAdd);
        Press(d, IDOK);
    });
    Command(34641);
    EXPECT_EQ(model->GetLineTypeFeatureTable()->GetLineTypeNoByName(CString(u"Mine")), 16);
    EXPECT_EQ(model->GetUndoCount(), 1);

    WhenModal<CLineWidthSettingDialog>([](CLineWidthSettingDialog& d) {
        d.m_list.SetItemState(0, 0, LVIS_SELECTED | LVIS_FOCUSED);
        d.m_list.SetItemState(9, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Type(d, CLineWidthSettingDialog::kWidth, u"0.7");
        Press(d, CLineWidthSettingDialog::kSet);
        Press(d, IDOK);
    });
    Command(34642);
    EXPECT_DOUBLE_EQ(model->GetLineWidthFeatureTable()->GetLineWidth(10), 0.7);
    EXPECT_EQ(model->GetUndoCount(), 2);

    // The fourth cap goes through the dialog into the document; Cancel adds nothing.
    WhenModal<CDrawSettingDialog>([](CDrawSettingDialog& d) { Press(d, IDCANCEL); });
    Command(34643);
    EXPECT_EQ(model->GetUndoCount(), 2);
    WhenModal<CDrawSettingDialog>([](CDrawSettingDialog& d) {
        d.m_cap.SetLineCap(3);
        Press(d, IDOK);
    });
    Command(34643);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(model->GetLineCapMode(), 3);
    EXPECT_EQ(model->GetUndoCount(), 3);
    Command(57643);
    EXPECT_NE(model->GetLineCapMode(), 3);
}

}  // namespace
