// The line type table dialog from its real template: user line types are added with the lowest free
// number, refused with a message for an empty or used name, not deleted while the document uses them,
// moved only among the user line types, and have at most eight segments (fixed line type 15 shows ten).
// Rows stand for table positions, so a table with one name twice still changes the right line type.
// A full table says so when Add is pressed.

#include "SettingsTestSupport.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "platform/win/WinMessages.h"
#include "settings/CLineTypeSettingDialog.h"

namespace {

using D = CLineTypeSettingDialog;

class LineTypeTable : public SettingsDialogTest
{
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        doc.InitDocument();
    }
    void TearDown() override
    {
        if (dialog.GetSafeHwnd() != nullptr)
            dialog.DestroyWindow();
    }
    void Open(const LineTypeFeatureTable& table)
    {
        dialog.SetLineTypeTable(&table, &doc);
        ASSERT_TRUE(dialog.Create(D::IDD, nullptr));
    }
    // As a click does: the row alone is selected.
    void Select(int row)
    {
        for (int r = 0; r < dialog.m_list.GetItemCount(); ++r)
            if (r != row)
                dialog.m_list.SetItemState(r, 0, LVIS_SELECTED | LVIS_FOCUSED);
        dialog.m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    void SetCount(int n) { Type(dialog, D::kCount, QString::number(n)); }
    void Add(const QString& name, std::initializer_list<double> segments)
    {
        Type(dialog, D::kName, name);
        SetCount(static_cast<int>(segments.size()));
        int i = 0;
        for (double s : segments)
            Type(dialog, D::kSegment1 + i++, QString::number(s));
        Click(dialog, D::kAdd);
    }
    // The answer of the dialog to a step of the segment count's spin button from pos by delta.
    LRESULT SpinStep(int pos, int delta)
    {
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = dialog.m_countSpin.GetSafeHwnd();
        nm.hdr.idFrom = D::kCountSpin;
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = pos;
        nm.iDelta = delta;
        return dialog.SendMessage(WM_NOTIFY, D::kCountSpin, reinterpret_cast<LPARAM>(&nm));
    }
    static LineTypeFeature Type16(short no, const char16_t* name)
    {
        LineTypeFeature t;
        const double segs[2] = {5.0, 2.0};
        EXPECT_TRUE(t.SetLineType(no, CString(name), segs, 2));
        return t;
    }
    static LineTypeFeatureTable Fixed()
    {
        LineTypeFeatureTable t;
        t.InitializeLineTypes();
        return t;
    }

    Draw2dDocument doc;
    D dialog;
};

TEST_F(LineTypeTable, AddGivesTheLowestFreeNumberAndDeleteFreesIt)
{
    Open(Fixed());
    EXPECT_EQ(dialog.m_list.GetItemCount(), 15);
    EXPECT_EQ(dialog.SelectedRow(), 0);
    Add(QStringLiteral("A"), {5.0, 2.0});
    EXPECT_TRUE(Boxes().empty());
    const LineTypeFeature* pA = dialog.m_table.GetLineTypeByName(CString(u"A"));
    ASSERT_NE(pA, nullptr);
    EXPECT_EQ(pA->GetLineTypeNo(), 16);
    ASSERT_EQ(pA->GetLineTypeSegment(), 2);
    EXPECT_DOUBLE_EQ(pA->GetLineTypeSegmentAt(0), 5.0);
    EXPECT_DOUBLE_EQ(pA->GetLineTypeSegmentAt(1), 2.0);
    EXPECT_EQ(dialog.m_list.GetItemCount(), 16);
    EXPECT_EQ(dialog.SelectedRow(), 15);

    Add(QStringLiteral("B"), {1.0});
    EXPECT_EQ(dialog.m_table.GetLineTypeNoByName(CString(u"B")), 17);
    Select(15);
    Click(dialog, D::kDelete);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(dialog.m_table.IsExistLineTypeNo(16));
    Add(QStringLiteral("C"), {3.0, 1.0});
    EXPECT_EQ(dialog.m_table.GetLineTypeNoByName(CString(u"C")), 16);
}

TEST_F(LineTypeTable, EmptyAndUsedNamesAreRefusedWithTheirMessages)
{
    Open(Fixed());
    Add(QStringLiteral("A"), {5.0, 2.0});
    Add(QStringLiteral("A"), {1.0, 1.0});
    EXPECT_TRUE(OneBox(10266));
    Add(QString(), {1.0});
    EXPECT_TRUE(OneBox(10265));
    // A fixed line type's name is taken too.
    Add(QStringLiteral("Dashed"), {1.0});
    EXPECT_TRUE(OneBox(10266));
    EXPECT_EQ(dialog.m_table.GetLineTypeSize(), 17);

    // Modify: another line type's name is refused, its own is fine.
    Add(QStringLiteral("B"), {2.0});
    Select(16);
    Type(dialog, D::kName, QStringLiteral("A"));
    Click(dialog, D::kModify);
    EXPECT_TRUE(OneBox(10266));
    Type(dialog, D::kName, QStringLiteral("B2"));
    SetCount(3);
    Type(dialog, D::kSegment1 + 2, QStringLiteral("4"));
    Click(dialog, D::kModify);
    EXPECT_TRUE(Boxes().empty());
    const LineTypeFeature* pB = dialog.m_table.GetLineTypeByNo(17);
    ASSERT_NE(pB, nullptr);
    EXPECT_EQ(QString::fromUtf16(pB->GetLineTypeName().GetString()), QStringLiteral("B2"));
    EXPECT_EQ(pB->GetLineTypeSegment(), 3);
    EXPECT_EQ(dialog.SelectedRow(), 16);
}

TEST_F(LineTypeTable, ALineTypeTheDocumentUsesIsKept)
{
    LineTypeFeatureTable table = Fixed();
    ASSERT_TRUE(table.SetLineType(Type16(16, u"Used")));
    doc.SetLineTypeFeatureTable(table, 0);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    ASSERT_TRUE(line.SetLineTypeNo(16));
    ASSERT_GT(doc.AddFeature(&line, doc.GetActiveDrawingFeature(), 0), 0);
    Open(table);
    Select(15);
    Click(dialog, D::kDelete);
    EXPECT_TRUE(OneBox(10267));
    EXPECT_TRUE(dialog.m_table.IsExistLineTypeNo(16));
}

TEST_F(LineTypeTable, FixedLineTypesStayAndUserOnesMoveAmongThemselves)
{
    LineTypeFeatureTable table = Fixed();
    ASSERT_TRUE(table.SetLineType(Type16(16, u"First")));
    ASSERT_TRUE(table.SetLineType(Type16(17, u"Second")));
    Open(table);
    Select(3);
    for (int id : {D::kModify, D::kDelete, D::kUp, D::kDown})
        EXPECT_FALSE(Enabled(dialog, id)) << id;
    Select(15);
    EXPECT_FALSE(Enabled(dialog, D::kUp));
    EXPECT_TRUE(Enabled(dialog, D::kDown));
    Click(dialog, D::kDown);
    EXPECT_EQ(dialog.m_table.GetAt(16)->GetLineTypeNo(), 17);
    EXPECT_EQ(dialog.m_table.GetAt(17)->GetLineTypeNo(), 16);
    EXPECT_EQ(dialog.SelectedRow(), 16);
    EXPECT_FALSE(Enabled(dialog, D::kDown));
    EXPECT_TRUE(Enabled(dialog, D::kUp));
    Click(dialog, D::kUp);
    EXPECT_EQ(dialog.m_table.GetAt(16)->GetLineTypeNo(), 16);
    EXPECT_EQ(dialog.SelectedRow(), 15);
}

TEST_F(LineTypeTable, SegmentsAreAtMostEightExceptOnFixedLineTypeFifteen)
{
    Open(Fixed());
    Select(14);
    // Fixed line type 15 shows its ten segments, the last two read-only.
    EXPECT_EQ(dialog.m_countSpin.GetPos32(), 10);
    EXPECT_TRUE(Visible(dialog, D::kSegment1 + 9));
    EXPECT_EQ(SpinStep(8, 1), 0);
    Select(3);
    EXPECT_NE(SpinStep(8, 1), 0);
    EXPECT_EQ(SpinStep(7, 1), 0);
    EXPECT_EQ(SpinStep(8, -1), 0);
    // Shown segments follow the count; with more than eight, Add and Modify are off.
    SetCount(3);
    EXPECT_TRUE(Visible(dialog, D::kSegment1 + 2));
    EXPECT_FALSE(Visible(dialog, D::kSegment1 + 3));
    EXPECT_TRUE(Enabled(dialog, D::kAdd));
    SetCount(9);
    EXPECT_FALSE(Enabled(dialog, D::kAdd));
    EXPECT_FALSE(Enabled(dialog, D::kModify));
}

TEST_F(LineTypeTable, SegmentAndPitchLengthsMustLieBetweenZeroAndOneE15)
{
    Open(Fixed());
    Type(dialog, D::kName, QStringLiteral("Z"));
    SetCount(2);
    Type(dialog, D::kSegment1, QStringLiteral("0"));
    Click(dialog, D::kAdd);
    EXPECT_TRUE(OneBox(10125));
    EXPECT_EQ(dialog.m_table.GetLineTypeSize(), 16);
    Type(dialog, D::kSegment1, QStringLiteral("1"));
    dialog.CheckRadioButton(D::kModeFixed, D::kModeProportional, D::kModeProportional);
    Click(dialog, D::kModeProportional);
    EXPECT_TRUE(Enabled(dialog, D::kPitch));
    Type(dialog, D::kPitch, QStringLiteral("1e15"));
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_TRUE(OneBox(10125));
    Type(dialog, D::kPitch, QStringLiteral("2.5"));
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nPitchMode, 1);
    EXPECT_DOUBLE_EQ(dialog.m_dPitch, 2.5);
    dialog.CheckRadioButton(D::kModeFixed, D::kModeProportional, D::kModeFixed);
    Click(dialog, D::kModeFixed);
    EXPECT_FALSE(Enabled(dialog, D::kPitch));
}

// Every user number 16-32766 taken. The table is read from a stored one: adding 32,751 line types
// one by one checks each name against all the others.
LineTypeFeatureTable FullTable()
{
    const LineTypeFeatureTable fixed = [] {
        LineTypeFeatureTable t;
        t.InitializeLineTypes();
        return t;
    }();
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(static_cast<DWORD_PTR>(LineTypeFeatureTable::kLastUserNo) + 1);
        for (int i = 0; i < fixed.GetLineTypeSize(); ++i) {
            const LineTypeFeature* pType = fixed.GetAt(i);
            ar << pType->GetLineTypeNo() << pType->GetLineTypeName() << static_cast<BYTE>(pType->GetLineTypeSegment());
            for (int k = 0; k < pType->GetLineTypeSegment(); ++k)
                ar << pType->GetLineTypeSegmentAt(k);
        }
        for (int no = LineTypeFeatureTable::kFirstUserNo; no <= LineTypeFeatureTable::kLastUserNo; ++no)
            ar << static_cast<short>(no) << CString(QStringLiteral("T%1").arg(no).toStdU16String().c_str())
               << static_cast<BYTE>(2) << 5.0 << 2.0;
        ar.Close();
    }
    file.SeekToBegin();
    LineTypeFeatureTable full;
    CArchive ar(&file, CArchive::load);
    full.Serialize(ar);
    ar.Close();
    return full;
}

// A full table keeps Add, which says that no number is free and adds nothing; a line type is still
// modified, its segment count changed included (no new number needed).
TEST_F(LineTypeTable, AFullTableSaysSoInsteadOfAddingNothing)
{
    const LineTypeFeatureTable full = FullTable();
    ASSERT_EQ(full.GetLineTypeSize(), LineTypeFeatureTable::kLastUserNo + 1);
    Open(full);
    ASSERT_EQ(dialog.m_list.GetItemCount(), D::kMaxRows);
    Select(20);
    EXPECT_TRUE(Enabled(dialog, D::kAdd));
    Add(QStringLiteral("One more"), {4.0, 1.0});
    EXPECT_TRUE(OneBox(11941));
    EXPECT_EQ(dialog.m_table.GetLineTypeSize(), LineTypeFeatureTable::kLastUserNo + 1);
    EXPECT_EQ(dialog.m_table.GetLineTypeByName(CString(u"One more")), nullptr);

    Select(20);
    const short no = dialog.m_table.GetAt(21)->GetLineTypeNo();  // row 20: the table has line type 0 first
    SetCount(3);
    EXPECT_TRUE(Enabled(dialog, D::kModify));
    EXPECT_TRUE(Enabled(dialog, D::kAdd));
    Type(dialog, D::kName, QStringLiteral("Three"));
    for (int i = 0; i < 3; ++i)
        Type(dialog, D::kSegment1 + i, QString::number(i + 1));
    Click(dialog, D::kModify);
    EXPECT_TRUE(Boxes().empty());
    const LineTypeFeature* pType = dialog.m_table.GetLineTypeByNo(no);
    ASSERT_NE(pType, nullptr);
    EXPECT_EQ(pType->GetLineTypeName(), CString(u"Three"));
    ASSERT_EQ(pType->GetLineTypeSegment(), 3);
    EXPECT_DOUBLE_EQ(pType->GetLineTypeSegmentAt(2), 3.0);

    // Once a line type goes, Add takes its number.
    Click(dialog, D::kDelete);
    ASSERT_FALSE(dialog.m_table.IsExistLineTypeNo(no));
    Add(QStringLiteral("One more"), {4.0, 1.0});
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(dialog.m_table.GetLineTypeNoByName(CString(u"One more")), no);
}

}  // namespace
