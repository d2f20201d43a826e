// The property bar in the running program: the selection's rows, and an edit of a row as the list sends
// it, applied to every selected shape in one undo step.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <memory>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "command/ColorParameterItem.h"
#include "command/CommandManager.h"
#include "command/CPropertyListCtrl.h"
#include "command/PropertyListItem.h"
#include "command/SettingParameterItem.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "property/CPropertyBar.h"
#include "settings/CImageColorSettingDialog.h"
#include "property/ShapeFeaturePropertyBase.h"

namespace {

constexpr UINT kSelectAll = 34134;

class PropertyBarTest : public ProgramFixture
{
protected:
    long Add(Draw2dDocument* pModel, Feature2dBase&& shape, short nColor)
    {
        shape.SetColorNo(nColor);
        return pModel->AddFeature(&shape, pModel->GetActiveDrawingFeature(), 1);
    }
    // The list's value-changed notification for row nRow with the value item.
    LRESULT SendValueChanged(CPropertyBar* pBar, int nRow, const QZ2Command::ParameterItemBase& value)
    {
        std::unique_ptr<PropertyListItem> pClone(pBar->GetRow(nRow)->Clone());
        pClone->SetValueItem(&value);
        PROPERTYLISTNOTIFY info;
        info.hdr.hwndFrom = pBar->GetList().GetSafeHwnd();
        info.hdr.idFrom = CPropertyBar::IDC_LIST;
        info.hdr.code = PLN_VALUECHANGED;
        info.nIndex = nRow;
        info.pItem = pClone.get();
        return pBar->SendMessage(WM_NOTIFY, CPropertyBar::IDC_LIST, reinterpret_cast<LPARAM>(&info));
    }
};

}  // namespace

TEST_F(PropertyBarTest, AColourChosenInTheBarChangesTheWholeSelectionInOneStep)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CPropertyBar* pBar = m_frame->GetPropertyBar();
    ASSERT_NE(pBar, nullptr);
    const long a = Add(pModel, Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(50, 0)), 1);
    const long b = Add(pModel, Line2dFeature(RuVaPnt2d(0, 10), RuVaPnt2d(50, 10)), 5);
    const long c = Add(pModel, Circle2dFeature(RuVaPnt2d(0, 0), 5), 1);
    ASSERT_GT(a, 0);
    Command(kSelectAll);
    Pump();

    ASSERT_EQ(pBar->GetFeaturePropertyCount(), 3);
    ASSERT_EQ(pBar->GetRowCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(pBar->GetRow(i)->GetValueItem()->GetId(), i + 1);
    const int nColour = pBar->FindRowByPropertyId(5);
    ASSERT_GE(nColour, 0);
    EXPECT_TRUE(pBar->GetRow(nColour)->GetValueItem()->IsEmpty()) << "red and blue";

    QZ2Command::ColorParameterItem green;
    green.SetId(5);
    green.m_wNumber = 3;
    green.m_bEmpty = FALSE;
    const int nUndo = pModel->GetUndoCount();
    EXPECT_EQ(SendValueChanged(pBar, nColour, green), 1);
    EXPECT_EQ(pModel->GetUndoCount(), nUndo + 1);
    for (long id : {a, b, c})
        EXPECT_EQ(pModel->GetFeature(id)->GetColorNo(), 3);
    EXPECT_FALSE(pBar->GetRow(nColour)->GetValueItem()->IsEmpty());

    ASSERT_TRUE(pModel->Undo());
    Pump();
    AfxGetApp()->OnIdle(0);
    EXPECT_EQ(pModel->GetFeature(a)->GetColorNo(), 1);
    EXPECT_EQ(pModel->GetFeature(b)->GetColorNo(), 5);
    EXPECT_EQ(pModel->GetFeature(c)->GetColorNo(), 1);
    EXPECT_TRUE(pBar->GetRow(pBar->FindRowByPropertyId(5))->GetValueItem()->IsEmpty()) << "re-read at idle";

    // A colour the table does not hold: nothing changes and no step is recorded.
    QZ2Command::ColorParameterItem bad = green;
    bad.m_wNumber = 257;
    const int nBefore = pModel->GetUndoCount();
    EXPECT_EQ(SendValueChanged(pBar, nColour, bad), 0);
    EXPECT_EQ(pModel->GetUndoCount(), nBefore);
    EXPECT_EQ(pModel->GetFeature(a)->GetColorNo(), 1);
}

// Style sizes are shown and written at sheet size through a part layout with one scale; a layout scaled
// differently along X and Y shows them as stored.
TEST_F(PropertyBarTest, StyleSizesAreAtSheetSizeThroughAUniformlyScaledLayout)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const long paperID = pModel->AddPaperFeature(u"Sheet");
    const long partID = pModel->AddPartDrawingFeature(u"Part");
    const long layoutID = pModel->AddPartLayout(paperID, partID, u"View", -1, 1);
    ASSERT_GT(layoutID, 0);
    ASSERT_TRUE(pModel->SetPartLayoutScale(layoutID, 1, 2, FALSE, 1, 2, 1));
    Text2dFeature text(u"Note", RuVaPnt2d(0, 0));
    text.SetHeight(10.0);
    const long id = pModel->AddFeature(&text, pModel->ChangeDrawingFeature(partID), 1);
    ASSERT_GT(id, 0);
    ASSERT_TRUE(pModel->ActivateDrawingFeature(paperID, -1, TRUE));
    Pump();

    auto styleHeight = [&](QZ2Command::FeaturePropertyBase& object) {
        QZ2Command::SettingParameterItem row;
        if (!object.GetPropertyItem(33, &row, TRUE))
            return -1.0;
        FeatureSettingBase* pStyle = nullptr;
        return row.GetValue(pStyle) ? static_cast<TextSetting*>(pStyle)->GetHeight() : -1.0;
    };
    std::unique_ptr<QZ2Command::FeaturePropertyBase> pObject(
        QZ2Command::ShapeFeaturePropertyBase::CreateFeatureProperty(pModel, id, layoutID));
    ASSERT_TRUE(pObject);
    pObject->ResetDescriptors();
    EXPECT_DOUBLE_EQ(styleHeight(*pObject), 5.0) << "10 mm in a 1:2 layout is 5 mm on the sheet";

    // A 4 mm style chosen on the sheet is 8 mm in the part drawing.
    QZ2Command::SettingParameterItem chosen;
    ASSERT_TRUE(pObject->GetPropertyItem(33, &chosen, TRUE));
    FeatureSettingBase* pStyle = nullptr;
    ASSERT_TRUE(chosen.GetValue(pStyle));
    static_cast<TextSetting*>(pStyle)->SetHeight(4.0);
    pModel->BeginUndoOperation(nullptr);
    EXPECT_TRUE(pObject->ApplyPropertyItem(33, &chosen));
    pModel->EndUndoOperation();
    EXPECT_NEAR(static_cast<Text2dFeature*>(pModel->GetFeature(id))->GetHeight(), 8.0, 1e-9);

    ASSERT_TRUE(pModel->SetPartLayoutScale(layoutID, 1, 2, TRUE, 1, 3, 1));
    EXPECT_NEAR(styleHeight(*pObject), 8.0, 1e-9) << "1:2 by 1:3 shows the stored size";
}

// The "..." button of an image's style row opens the image colour dialog with the image's values; OK
// writes the typed brightness to the image in one undo step.
TEST_F(PropertyBarTest, AnImageStyleRowOpensTheImageColourDialog)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    Image2dFeature image;
    image.SetPoint(RuVaPnt2d(0, 0));
    image.SetWidth(40.0);
    image.SetHeight(30.0);
    image.SetBrightness(0.25f);
    const long id = pModel->AddFeature(&image, pModel->GetActiveDrawingFeature(), 1);
    ASSERT_GT(id, 0);
    CArray<FeatureLayout> records;
    records.Add(FeatureLayout(id, pModel->GetActiveLayoutID(), -1));
    pModel->GetSelectionManager()->SelectFeatures(records, 4, nullptr, TRUE);
    Pump();
    CPropertyBar* pBar = m_frame->GetPropertyBar();
    const int nRow = pBar->FindRowByPropertyId(78);
    ASSERT_GE(nRow, 0);
    pBar->GetList().SetCurSel(nRow);
    Pump();

    float shownBrightness = -1;
    WhenModal<CImageColorSettingDialog>([&](CImageColorSettingDialog& dialog) {
        shownBrightness = dialog.m_fBrightness;
        dialog.SetDlgItemText(CImageColorSettingDialog::kBrightness, CString(u"40"));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDOK)->GetSafeHwnd()));
    });
    const int nUndo = pModel->GetUndoCount();
    pBar->GetList().SendMessage(WM_COMMAND, MAKEWPARAM(::PropertyListItem::kButtonId, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_FLOAT_EQ(shownBrightness, 25.0f);
    EXPECT_FLOAT_EQ(static_cast<Image2dFeature*>(pModel->GetFeature(id))->GetBrightness(), 0.4f);
    EXPECT_EQ(pModel->GetUndoCount(), nUndo + 1);
}
