// The precision lists: the samples of each unit format, the selection kept across a change of format (and
// limited to the six decimals of degrees-minutes-seconds), and no entries for -1 or a damaged format.

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/app/SharedAppEnvironment.h"
#include "command/LoadResourceString.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"
#include "settings/UnitPrecisionLists.h"

namespace {

class PrecisionListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(TheApp(), nullptr);
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), u"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                    nullptr));
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 200, 200), &m_host, 100));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    std::vector<QString> Entries() const
    {
        std::vector<QString> entries;
        for (int i = 0; i < m_combo.GetCount(); ++i) {
            CString text;
            m_combo.GetLBText(i, text);
            entries.push_back(text.ToQString());
        }
        return entries;
    }

    CWnd m_host;
    CComboBox m_combo;
};

TEST_F(PrecisionListTest, LengthSamplesOfEveryFormat)
{
    struct Case {
        int format;
        QString first, fourth, last;
    } cases[] = {
        {0, "0", "0.000", "0.00000000"},
        {1, "0'-0\"", "0'-0 1/8\"", "0'-0 1/256\""},
        {2, "0'-0\"", "0'-0.000\"", "0'-0.00000000\""},
        {3, "0E+01", "0.000E+01", "0.00000000E+01"},
        {4, "0", "0 1/8", "0 1/256"},
    };
    for (const Case& c : cases) {
        FillLengthPrecisionComboBox(c.format, m_combo);
        const std::vector<QString> entries = Entries();
        ASSERT_EQ(entries.size(), 9u) << c.format;
        EXPECT_EQ(entries[0], c.first) << c.format;
        EXPECT_EQ(entries[3], c.fourth) << c.format;
        EXPECT_EQ(entries[8], c.last) << c.format;
        for (const QString& e : entries)
            EXPECT_FALSE(e.endsWith(QLatin1Char(' '))) << "format " << c.format << ": \"" << e.toStdString() << '"';
    }
}

TEST_F(PrecisionListTest, LengthSelectionSurvivesAFormatChange)
{
    FillLengthPrecisionComboBox(0, m_combo);
    m_combo.SetCurSel(3);
    EXPECT_EQ(FillLengthPrecisionComboBox(1, m_combo), 3);
    CString shown;
    m_combo.GetLBText(m_combo.GetCurSel(), shown);
    EXPECT_EQ(shown.ToQString(), QStringLiteral("0'-0 1/8\""));

    // -1 empties the list; coming back leaves nothing selected.
    EXPECT_EQ(FillLengthPrecisionComboBox(-1, m_combo), CB_ERR);
    EXPECT_EQ(m_combo.GetCount(), 0);
    EXPECT_EQ(FillLengthPrecisionComboBox(0, m_combo), CB_ERR);
    EXPECT_EQ(m_combo.GetCurSel(), -1);
    EXPECT_EQ(m_combo.GetCount(), 9);

    // A damaged format reads as -1.
    for (int format : {5, 99, -2}) {
        m_combo.SetCurSel(2);
        EXPECT_EQ(FillLengthPrecisionComboBox(format, m_combo), CB_ERR) << format;
        EXPECT_EQ(m_combo.GetCount(), 0) << format;
        FillLengthPrecisionComboBox(0, m_combo);
    }
}

TEST_F(PrecisionListTest, AngleSamplesAndTheDegreesMinutesSecondsLimit)
{
    FillAnglePrecisionComboBox(0, m_combo);
    std::vector<QString> entries = Entries();
    ASSERT_EQ(entries.size(), 9u);
    const QString degree = LoadResourceString(11580).ToQString();
    ASSERT_FALSE(degree.isEmpty());
    EXPECT_TRUE(entries[2].endsWith(degree)) << entries[2].toStdString();
    EXPECT_TRUE(entries[2].startsWith(QStringLiteral("0.00"))) << entries[2].toStdString();

    m_combo.SetCurSel(8);
    EXPECT_EQ(FillAnglePrecisionComboBox(1, m_combo), 6) << "degrees-minutes-seconds end at precision 6";
    EXPECT_EQ(m_combo.GetCount(), 7);
    EXPECT_EQ(m_combo.GetCurSel(), 6);
    for (const QString& e : Entries())
        EXPECT_FALSE(e.endsWith(degree) && e.contains(QLatin1Char('\''))) << e.toStdString();

    // The caller's suffix replaces the degree sign; an empty one leaves the bare number.
    m_combo.SetCurSel(3);
    EXPECT_EQ(FillAnglePrecisionComboBox(0, m_combo, CString()), 3);
    entries = Entries();
    EXPECT_FALSE(entries[3].endsWith(degree)) << entries[3].toStdString();
    EXPECT_EQ(FillAnglePrecisionComboBox(0, m_combo, CString(u" deg")), 3);
    EXPECT_TRUE(Entries()[3].endsWith(QStringLiteral(" deg")));

    for (int format : {-1, 4, 77}) {
        m_combo.SetCurSel(1);
        EXPECT_EQ(FillAnglePrecisionComboBox(format, m_combo), CB_ERR) << format;
        EXPECT_EQ(m_combo.GetCount(), 0) << format;
        FillAnglePrecisionComboBox(0, m_combo);
    }
}

}  // namespace
