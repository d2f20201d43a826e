// The embedded-object dialog: sizes and scales kept in step through the natural size, mixed values left
// alone, the background colour combo enabled by its box but always read, the by-layer entry, and sizes
// outside the open range refused.

#include "SettingsTestSupport.h"

#include <cfloat>

#include "controls/CSelectColorComboBox.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/win/CButton.h"
#include "libs/vevure/OleObjectSetting.h"
#include "platform/win/WinMessages.h"
#include "settings/COleObjectSettingDialog.h"

namespace {

using D = COleObjectSettingDialog;

class OleObjectDialog : public SettingsDialogTest
{
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        doc.InitDocument();
    }
    void TearDown() override
    {
        if (dialog && dialog->GetSafeHwnd() != nullptr)
            dialog->DestroyWindow();
    }
    void Open(const OleObjectSetting& setting, long nLayerID = -1)
    {
        dialog = std::make_unique<D>(nullptr, TRUE);
        dialog->SetColorTable(doc.GetColorFeatureTable(), doc.GetLayerTable(), nLayerID);
        dialog->SetOleObjectSetting(&setting);
        ASSERT_TRUE(dialog->Create(D::IDD, nullptr));
    }
    // Leaving one field for another, as the focus moves.
    void Move(int nFrom, int nTo)
    {
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(nFrom, EN_KILLFOCUS),
                            reinterpret_cast<LPARAM>(dialog->GetDlgItem(nFrom)->GetSafeHwnd()));
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(nTo, nTo == D::kBackground ? BN_SETFOCUS : EN_SETFOCUS),
                            reinterpret_cast<LPARAM>(dialog->GetDlgItem(nTo)->GetSafeHwnd()));
    }
    OleObjectSetting Result()
    {
        OleObjectSetting out;
        dialog->GetOleObjectSetting(&out);
        return out;
    }
    static OleObjectSetting Setting(double w, double h, double nw, double nh)
    {
        OleObjectSetting s;
        s.SetNaturalWidth(nw);
        s.SetNaturalHeight(nh);
        s.SetWidth(w);
        s.SetHeight(h);
        return s;
    }
    Draw2dDocument doc;
    std::unique_ptr<D> dialog;
};

}  // namespace

TEST_F(OleObjectDialog, SizesAndScalesFollowEachOther)
{
    Open(Setting(200, 50, 100, 50));
    EXPECT_EQ(Text(*dialog, D::kScaleX), QStringLiteral("200"));
    EXPECT_EQ(Text(*dialog, D::kScaleY), QStringLiteral("100"));

    Type(*dialog, D::kScaleY, QStringLiteral("150"));
    Move(D::kScaleY, D::kWidth);
    EXPECT_DOUBLE_EQ(dialog->m_dHeight, 75.0);

    // A width typed and the focus moved straight to scale Y updates scale X.
    Type(*dialog, D::kWidth, QStringLiteral("50"));
    Move(D::kWidth, D::kScaleY);
    EXPECT_FLOAT_EQ(dialog->m_fScaleX, 50.0f);
    OleObjectSetting out = Result();
    EXPECT_DOUBLE_EQ(out.GetWidth(), 50.0);
    EXPECT_DOUBLE_EQ(out.GetHeight(), 75.0);
    EXPECT_FLOAT_EQ(out.GetScaleX(), 50.0f);

    // Without a natural size nothing is converted.
    dialog->DestroyWindow();
    Open(Setting(20, 10, 0, 0));
    EXPECT_TRUE(Text(*dialog, D::kScaleX).isEmpty());
    Type(*dialog, D::kWidth, QStringLiteral("30"));
    Move(D::kWidth, D::kHeight);
    EXPECT_EQ(dialog->m_fScaleX, FLT_MAX);
}

TEST_F(OleObjectDialog, MixedValuesStayAsTheyAre)
{
    OleObjectSetting mixed = Setting(DBL_MAX, 50, 100, 50);
    Open(mixed);
    EXPECT_TRUE(Text(*dialog, D::kWidth).isEmpty());
    EXPECT_TRUE(Text(*dialog, D::kScaleX).isEmpty());
    ASSERT_TRUE(dialog->UpdateData(TRUE));
    EXPECT_EQ(Result().GetWidth(), DBL_MAX);
    EXPECT_EQ(Result().GetScaleX(), FLT_MAX);
    EXPECT_DOUBLE_EQ(Result().GetHeight(), 50.0);
}

TEST_F(OleObjectDialog, TheBackgroundColourIsEnabledByItsBoxButAlwaysRead)
{
    OleObjectSetting s = Setting(10, 10, 10, 10);
    s.SetBackColorNo(3);
    s.SetBackgroundMode(0);
    const LayerFeatureTable* pLayers = doc.GetLayerTable();
    const long nLayer = doc.AddLayer(_T("Walls"), -1);
    ASSERT_GT(nLayer, 0);
    Open(s, nLayer);
    EXPECT_FALSE(Enabled(*dialog, D::kBackColor));
    EXPECT_EQ(dialog->m_pColorCombo->GetLayerColorNo(), pLayers->GetLayerColorNo(nLayer));
    auto* pBox = static_cast<CButton*>(dialog->GetDlgItem(D::kBackground));
    pBox->SetCheck(BST_CHECKED);
    Click(*dialog, D::kBackground);
    EXPECT_TRUE(Enabled(*dialog, D::kBackColor));
    ASSERT_TRUE(dialog->UpdateData(TRUE));
    EXPECT_EQ(Result().GetBackColorNo(), 3);
    EXPECT_EQ(Result().GetBackgroundMode(), 1);
    pBox->SetCheck(BST_UNCHECKED);
    Click(*dialog, D::kBackground);
    EXPECT_FALSE(Enabled(*dialog, D::kBackColor));
    ASSERT_TRUE(dialog->UpdateData(TRUE));
    EXPECT_EQ(Result().GetBackColorNo(), 3) << "the colour is returned with the box unchecked";

    dialog->DestroyWindow();
    Open(s, -1);
    EXPECT_EQ(dialog->m_pColorCombo->GetLayerColorNo(), 32767) << "no layer, no by-layer colour";
}

TEST_F(OleObjectDialog, SizesOutsideTheOpenRangeAreRefused)
{
    Open(Setting(20, 10, 20, 10));
    for (const char* typed : {"0", "-5", "3e15"}) {
        Type(*dialog, D::kWidth, QString::fromLatin1(typed));
        EXPECT_FALSE(dialog->UpdateData(TRUE)) << typed;
        EXPECT_TRUE(OneBox(10125)) << typed;
        EXPECT_DOUBLE_EQ(dialog->m_dWidth, 20.0) << typed;
    }
    Type(*dialog, D::kWidth, QStringLiteral("20"));
    Type(*dialog, D::kScaleY, QStringLiteral("0"));
    EXPECT_FALSE(dialog->UpdateData(TRUE));
    EXPECT_TRUE(OneBox(10125));
}
