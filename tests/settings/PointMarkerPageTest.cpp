// The point marker page: values read back as loaded (shown or not, normal and mixed), the field ranges
// with their messages, and an empty field in mixed mode staying undefined.

#include <gtest/gtest.h>

#include <cfloat>

#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "platform/win/WinConstants.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CPointMarkerSettingPage.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

PointMarkerSetting Marker(int type, short colour, double size, double angle)
{
    PointMarkerSetting s;
    s.SetType(type);
    s.SetColorNo(colour);
    s.SetSize(size);
    s.SetRotateAngle(angle);
    return s;
}

bool Same(const PointMarkerSetting& a, const PointMarkerSetting& b)
{
    return a.GetType() == b.GetType() && a.GetColorNo() == b.GetColorNo() && a.GetSize() == b.GetSize() &&
           a.GetRotateAngle() == b.GetRotateAngle();
}

class PointMarkerPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(TheApp(), nullptr);
        TheApp()->boxes.clear();
    }
    CPointMarkerSettingPage& Page(CFeatureSettingTreeDialog& dialog)
    {
        return *static_cast<CPointMarkerSettingPage*>(dialog.GetPage(CFeatureSettingPropertyPage::kPointMarkerPage));
    }
    Draw2dDocument m_document;
};

TEST_F(PointMarkerPageTest, ReadsBackWhatWasLoadedShownOrNot)
{
    struct Case {
        BOOL mixed;
        PointMarkerSetting given;
    } cases[] = {{FALSE, Marker(3, 5, 2.5, 30.0)}, {TRUE, Marker(-1, 32767, DBL_MAX, DBL_MAX)},
                 {TRUE, Marker(4, 32767, 1.0, DBL_MAX)}};
    for (const Case& c : cases) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, 1, c.mixed);
        dialog.SetPointMarkerSetting(&c.given);
        PointMarkerSetting read;
        ASSERT_TRUE(dialog.GetPointMarkerSetting(&read));
        EXPECT_TRUE(Same(read, c.given)) << "never shown";
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        CPointMarkerSettingPage& page = Page(dialog);
        ASSERT_NE(page.GetSafeHwnd(), nullptr);
        EXPECT_EQ(page.m_typeList.GetCount(), CPointMarkerSettingPage::kTypeCount);
        EXPECT_EQ(page.m_typeList.GetCurSel(), c.given.GetType());
        ASSERT_TRUE(page.OnKillActive());
        PointMarkerSetting shown;
        dialog.GetPointMarkerSetting(&shown);
        EXPECT_TRUE(Same(shown, c.given)) << "shown and read, mixed " << c.mixed;
        dialog.DestroyWindow();
    }
    EXPECT_TRUE(TheApp()->boxes.empty());
}

TEST_F(PointMarkerPageTest, FieldsKeepToTheirRanges)
{
    struct Case {
        int field;
        const char16_t* text;
        bool accepted;
        UINT message;
    } cases[] = {
        {CPointMarkerSettingPage::kRotationId, u"360", false, 10126},
        {CPointMarkerSettingPage::kRotationId, u"0", true, 0},
        {CPointMarkerSettingPage::kRotationId, u"359.5", true, 0},
        {CPointMarkerSettingPage::kSizeId, u"0", false, 10125},
        {CPointMarkerSettingPage::kSizeId, u"0.01", true, 0},
        {CPointMarkerSettingPage::kSizeId, u"", false, 0},
    };
    const PointMarkerSetting given = Marker(1, 2, 3.0, 10.0);
    for (const Case& c : cases) {
        TheApp()->boxes.clear();
        CFeatureSettingTreeDialog dialog(&m_document, -1, 1, FALSE);
        dialog.SetPointMarkerSetting(&given);
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        CPointMarkerSettingPage& page = Page(dialog);
        page.GetDlgItem(c.field)->SetWindowText(c.text);
        EXPECT_EQ(page.OnKillActive() != FALSE, c.accepted) << QString::fromUtf16(c.text).toStdString();
        if (!c.accepted) {
            ASSERT_EQ(TheApp()->boxes.size(), 1u) << QString::fromUtf16(c.text).toStdString();
            // The range message names its limits; its form is the one of its kind.
            if (c.message != 0) {
                const QString form = LoadResourceString(c.message).ToQString().section(QLatin1Char('%'), 0, 0);
                EXPECT_TRUE(TheApp()->boxes[0].text.startsWith(form)) << TheApp()->boxes[0].text.toStdString();
            }
            PointMarkerSetting read;
            dialog.GetPointMarkerSetting(&read);
            EXPECT_TRUE(Same(read, given)) << "the last accepted value stays";
        }
        dialog.DestroyWindow();
    }
}

TEST_F(PointMarkerPageTest, AnEmptyFieldStaysUndefinedOnlyInMixedMode)
{
    const PointMarkerSetting given = Marker(1, 2, 3.0, 10.0);
    CFeatureSettingTreeDialog dialog(&m_document, -1, 1, TRUE);
    dialog.SetPointMarkerSetting(&given);
    ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
    CPointMarkerSettingPage& page = Page(dialog);
    page.GetDlgItem(CPointMarkerSettingPage::kSizeId)->SetWindowText(u"");
    ASSERT_TRUE(page.OnKillActive());
    PointMarkerSetting read;
    dialog.GetPointMarkerSetting(&read);
    EXPECT_EQ(read.GetSize(), DBL_MAX);
    EXPECT_EQ(read.GetRotateAngle(), 10.0);
    dialog.DestroyWindow();
}

}  // namespace
