// The colour table dialog from its real template: it opens on user colour 17; a fixed colour cannot be
// edited; the six fields, the picker and the luminance bar stay in step (hue, luminance and saturation
// follow a red, green or blue edit too); Set stores colour and name into the working copy only.

#include "SettingsTestSupport.h"

#include <cstdlib>

#include "libs/vevure/ColorFeatureTable.h"
#include "platform/bcg/CBCGPDrawManager.h"
#include "platform/win/WinMessages.h"
#include "settings/CColorSettingDialog.h"

namespace {

using D = CColorSettingDialog;

class ColorTable : public SettingsDialogTest
{
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        table.InitializeColors();
        dialog.SetColorTable(&table);
        ASSERT_TRUE(dialog.Create(D::IDD, nullptr));
        dialog.ShowWindow(SW_SHOW);
        Pump();
    }
    void TearDown() override { dialog.DestroyWindow(); }
    // A click on the cell of the number in its grid.
    void ClickCell(int no)
    {
        CColorCellsCtrl& cells = no <= 16 ? dialog.m_fixedCells : dialog.m_userCells;
        for (const auto& cell : cells.GetCells()) {
            if (cell.number != no)
                continue;
            const CPoint p = cell.rect.CenterPoint();
            cells.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            cells.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            return;
        }
        ADD_FAILURE() << "no cell " << no;
    }
    int Field(int id) { return Text(dialog, id).toInt(); }
    COLORREF FieldsRgb() { return RGB(Field(D::kRed), Field(D::kGreen), Field(D::kBlue)); }

    ColorFeatureTable table;
    D dialog;
};

TEST_F(ColorTable, OpensOnUserColourSeventeen)
{
    EXPECT_EQ(dialog.m_nColorNo, 17);
    EXPECT_EQ(Text(dialog, D::kNumber), QStringLiteral("17"));
    EXPECT_TRUE(dialog.m_userCells.IsShowSelection());
    EXPECT_FALSE(dialog.m_fixedCells.IsShowSelection());
    EXPECT_EQ(FieldsRgb(), table.GetColorRef(17));
    EXPECT_EQ(dialog.GetCurrentColor(), table.GetColorRef(17));
    EXPECT_EQ(dialog.GetNewColor(), table.GetColorRef(17));
    EXPECT_EQ(Text(dialog, D::kName), QString::fromUtf16(table.GetColorName(17).GetString()));
    for (int id : {D::kName, D::kRed, D::kHue, D::kSet, D::kPicker, D::kLuminance})
        EXPECT_TRUE(Enabled(dialog, id)) << id;
}

TEST_F(ColorTable, AFixedColourDisablesEditingAndAUserColourEnablesIt)
{
    ClickCell(5);
    EXPECT_EQ(dialog.m_nColorNo, 5);
    EXPECT_EQ(Text(dialog, D::kNumber), QStringLiteral("5"));
    EXPECT_EQ(FieldsRgb(), table.GetColorRef(5));
    EXPECT_TRUE(dialog.m_fixedCells.IsShowSelection());
    EXPECT_FALSE(dialog.m_userCells.IsShowSelection());
    for (int id : {D::kName, D::kRed, D::kGreen, D::kBlue, D::kHue, D::kLum, D::kSat, D::kRedSpin, D::kSet,
                   D::kPicker, D::kLuminance})
        EXPECT_FALSE(Enabled(dialog, id)) << id;
    // Set cannot change a fixed colour even when asked directly.
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(D::kSet, BN_CLICKED), 0);
    EXPECT_EQ(dialog.m_table, table);

    ClickCell(17);
    EXPECT_EQ(dialog.m_nColorNo, 17);
    for (int id : {D::kName, D::kRed, D::kSet, D::kPicker})
        EXPECT_TRUE(Enabled(dialog, id)) << id;
}

TEST_F(ColorTable, SetStoresTheComposedColourAndItsName)
{
    ClickCell(40);
    Type(dialog, D::kRed, QStringLiteral("255"));
    Type(dialog, D::kGreen, QStringLiteral("0"));
    Type(dialog, D::kBlue, QStringLiteral("0"));
    EXPECT_EQ(dialog.GetNewColor(), RGB(255, 0, 0));
    EXPECT_EQ(dialog.m_picker.GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(dialog.m_table.GetColorRef(40), table.GetColorRef(40));
    Type(dialog, D::kName, QStringLiteral("Signal red"));
    Click(dialog, D::kSet);
    EXPECT_EQ(dialog.m_table.GetColorRef(40), RGB(255, 0, 0));
    EXPECT_EQ(QString::fromUtf16(dialog.m_table.GetColorName(40).GetString()), QStringLiteral("Signal red"));
    EXPECT_EQ(dialog.GetCurrentColor(), RGB(255, 0, 0));
    // Only colour 40 changed.
    ColorFeatureTable expected = table;
    ASSERT_TRUE(expected.SetColor(40, RGB(255, 0, 0), CString(u"Signal red")));
    EXPECT_EQ(dialog.m_table, expected);
}

TEST_F(ColorTable, FieldsPickerAndBarStayInStep)
{
    // A hue edit rebuilds red, green and blue and moves both pickers.
    Type(dialog, D::kSat, QStringLiteral("255"));
    Type(dialog, D::kLum, QStringLiteral("128"));
    Type(dialog, D::kHue, QStringLiteral("85"));
    EXPECT_EQ(FieldsRgb(), CBCGPDrawManager::HLStoRGB_ONE(D::FromField(85), D::FromField(128), D::FromField(255)));
    EXPECT_NEAR(dialog.m_picker.GetHue(), D::FromField(85), 1e-9);
    EXPECT_NEAR(dialog.m_luminance.GetHue(), D::FromField(85), 1e-9);
    EXPECT_EQ(dialog.GetNewColor(), FieldsRgb());

    // A blue edit moves the pickers and now the hue, luminance and saturation fields as well, so that a
    // following luminance edit starts from this colour.
    Type(dialog, D::kRed, QStringLiteral("0"));
    Type(dialog, D::kGreen, QStringLiteral("0"));
    Type(dialog, D::kBlue, QStringLiteral("200"));
    EXPECT_EQ(dialog.m_picker.GetColor(), RGB(0, 0, 200));
    double h = 0, s = 0, l = 0;
    CBCGPDrawManager::RGBtoHSL(RGB(0, 0, 200), &h, &s, &l);
    EXPECT_EQ(Field(D::kHue), D::ToField(h));
    EXPECT_EQ(Field(D::kLum), D::ToField(l));
    Type(dialog, D::kLum, QString::number(Field(D::kLum)));
    const COLORREF back = FieldsRgb();
    EXPECT_LE(std::abs(static_cast<int>(GetBValue(back)) - 200), 1);
    EXPECT_LE(GetRValue(back), 1);
}

TEST_F(ColorTable, HueLuminanceAndSaturationFieldsComeBackWithinOneThroughRgb)
{
    struct Hls {
        int h, l, s;
    };
    for (const Hls& c : {Hls{0, 128, 255}, Hls{85, 128, 255}, Hls{170, 128, 200}, Hls{30, 200, 255},
                         Hls{220, 110, 180}, Hls{128, 128, 128}, Hls{10, 150, 250}}) {
        Type(dialog, D::kHue, QString::number(c.h));
        Type(dialog, D::kLum, QString::number(c.l));
        Type(dialog, D::kSat, QString::number(c.s));
        const COLORREF rgb = FieldsRgb();
        // The RGB value typed back gives the fields again.
        Type(dialog, D::kRed, QString::number(GetRValue(rgb) ^ 1));
        Type(dialog, D::kRed, QString::number(GetRValue(rgb)));
        EXPECT_EQ(FieldsRgb(), rgb);
        EXPECT_LE(std::abs(Field(D::kHue) - c.h), 1) << c.h << " " << c.l << " " << c.s;
        EXPECT_LE(std::abs(Field(D::kLum) - c.l), 1) << c.h << " " << c.l << " " << c.s;
        EXPECT_LE(std::abs(Field(D::kSat) - c.s), 1) << c.h << " " << c.l << " " << c.s;
    }
}

TEST_F(ColorTable, AValueAbove255IsRefusedAtOnce)
{
    Type(dialog, D::kGreen, QStringLiteral("256"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(dialog.m_table, table);
}

}  // namespace
