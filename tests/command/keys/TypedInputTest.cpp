// Typed text and values for the running command's parameters: reading per item type, the point
// notations with the user origin and the last input point, clearing, defaults, alternatives and the
// switch of the current parameter; what the status bar says when typed text does not fit the row.

#include "KeysFixture.h"

#include <vector>

#include <QtCore/QString>

#include "command/DoubleParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/MultiParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/Line2dCommand.h"
#include "platform/afx/ResourceModule.h"

namespace keys {

namespace {

using Step = KeysTestStepCommand;

RuVaPnt2d PointOf(const ParameterItemBase* pItem)
{
    RuVaPnt2d p;
    const auto* pPoint = dynamic_cast<const PointParameterItem*>(pItem);
    EXPECT_NE(pPoint, nullptr);
    if (pPoint != nullptr) {
        EXPECT_TRUE(pPoint->GetValue(p));
    }
    return p;
}

}  // namespace

class TypedInputTest : public KeysFixture
{
protected:
    void SetUp() override
    {
        KeysFixture::SetUp();
        step = StartStep();
        ASSERT_NE(step, nullptr);
    }
    Step* step = nullptr;
};

TEST_F(TypedInputTest, TextIsReadByTheItemTypeAndABadTextLeavesTheValue)
{
    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"12.5", TRUE));
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramSize)), 12.5);
    EXPECT_FALSE(manager.SetParameterText(Step::paramSize, u"12..x", TRUE));
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramSize)), 12.5);

    ASSERT_TRUE(manager.SetParameterText(Step::paramNumber, u"2*3+1", TRUE));
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramNumber)), 7.0);

    ASSERT_TRUE(manager.SetParameterText(Step::paramCount, u"42", TRUE));
    int n = 0;
    ASSERT_TRUE(static_cast<IntegerParameterItem*>(Item(Step::paramCount))->GetValue(n));
    EXPECT_EQ(n, 42);
    EXPECT_FALSE(manager.SetParameterText(Step::paramCount, u"4.5", TRUE)) << "not a whole number";

    ASSERT_TRUE(manager.SetParameterText(Step::paramScale, u"1:50", TRUE));
    double x = 0;
    double y = 0;
    ASSERT_TRUE(static_cast<ScaleParameterItem*>(Item(Step::paramScale))->GetValue(x, y));
    EXPECT_DOUBLE_EQ(x, 0.02);
    EXPECT_DOUBLE_EQ(y, 0.02);

    // A text item takes the typed text as it stands (the text command's row); list and other items take
    // no typed text, and neither do bad indexes.
    ASSERT_TRUE(manager.SetParameterText(Step::paramName, u"abc 1,2", TRUE));
    EXPECT_EQ(static_cast<TextParameterItem*>(Item(Step::paramName))->m_strText, CString(u"abc 1,2"));
    EXPECT_FALSE(manager.SetParameterText(Step::paramChoice, u"1", TRUE));
    EXPECT_FALSE(manager.SetParameterText(-1, u"1", TRUE));
    EXPECT_FALSE(manager.SetParameterText(Step::paramChains + 1, u"1", TRUE));
    manager.CancelAllCommands();
    EXPECT_FALSE(manager.SetParameterText(Step::paramSize, u"1", TRUE)) << "no command";
}

TEST_F(TypedInputTest, AnEmptyTextClearsAClearableValue)
{
    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"4", TRUE));
    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"", TRUE));
    EXPECT_TRUE(Item(Step::paramSize)->IsEmpty());

    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"4", TRUE));
    Item(Step::paramSize)->m_bClearable = FALSE;
    EXPECT_FALSE(manager.SetParameterText(Step::paramSize, u"", TRUE));
    EXPECT_FALSE(manager.ClearParameterValue(Step::paramSize, TRUE));
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramSize)), 4.0);
}

TEST_F(TypedInputTest, TypedPointsTakeTheUserOriginUnlessRelativeToTheLastInputPoint)
{
    SetUserOrigin(100, 200);
    struct Case {
        const char16_t* text;
        double x;
        double y;
    };
    // Each case follows the one before: relative points start from the point just given.
    const Case cases[] = {
        {u"10,20", 110, 220},     // absolute: user coordinates
        {u"@3,4", 113, 224},      // offset from the last input point, no origin
        {u"10<90", 100, 210},     // absolute polar about the user origin
        {u"@5<180", 95, 210},     // polar from the last input point
        {u"@0,0", 95, 210},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(manager.SetParameterText(Step::paramPoint, c.text, TRUE)) << std::u16string(c.text).size();
        const RuVaPnt2d p = PointOf(Item(Step::paramPoint));
        EXPECT_NEAR(p.X(), c.x, 1e-9);
        EXPECT_NEAR(p.Y(), c.y, 1e-9);
        EXPECT_NEAR(manager.GetLastInputPoint().X(), c.x, 1e-9);
        EXPECT_NEAR(manager.GetLastInputPoint().Y(), c.y, 1e-9);
    }
    EXPECT_FALSE(manager.SetParameterText(Step::paramPoint, u"1,", TRUE));
    EXPECT_NEAR(PointOf(Item(Step::paramPoint)).X(), 95, 1e-9);
}

TEST_F(TypedInputTest, APointListGrowsAndAPointExactlyOnTheLastOneFinishesIt)
{
    const int nList = Step::paramPoints;
    ASSERT_TRUE(manager.SetParameterText(nList, u"0,0", TRUE));
    ASSERT_TRUE(manager.SetParameterText(nList, u"@10,0", TRUE));
    auto* pList = static_cast<PointArrayParameterItem*>(Item(nList));
    ASSERT_EQ(pList->GetCount(), 2);
    RuVaPnt2d last;
    ASSERT_TRUE(pList->GetLastPoint(last));
    EXPECT_DOUBLE_EQ(last.X(), 10.0);
    EXPECT_DOUBLE_EQ(manager.GetLastInputPoint().X(), 10.0);
    EXPECT_FALSE(pList->m_bFinished);

    // Within the repeat tolerance but not exactly on it: refused, nothing changes.
    EXPECT_FALSE(manager.AddPointArrayValue(nList, RuVaPnt2d(10 + 1e-9, 0), FALSE, FALSE, FALSE));
    EXPECT_EQ(pList->GetCount(), 2);
    EXPECT_FALSE(pList->m_bFinished);
    // Exactly on it: the list is finished and keeps its points.
    ASSERT_TRUE(manager.AddPointArrayValue(nList, RuVaPnt2d(10, 0), FALSE, FALSE, FALSE));
    pList = static_cast<PointArrayParameterItem*>(Item(nList));
    EXPECT_EQ(pList->GetCount(), 2);
    EXPECT_TRUE(pList->m_bFinished);
}

TEST_F(TypedInputTest, AMultiItemTakesAPointOrAnAcceptedNumber)
{
    const int nAny = Step::paramAny;
    ASSERT_TRUE(manager.SetParameterText(nAny, u"3,4", TRUE));
    auto* pMulti = static_cast<MultiParameterItem*>(Item(nAny));
    EXPECT_EQ(pMulti->m_nCurrentKind, ParameterItemBase::typePoint);
    RuVaPnt2d p;
    ASSERT_TRUE(pMulti->GetPointItem()->GetValue(p));
    EXPECT_DOUBLE_EQ(p.X(), 3.0);

    ASSERT_TRUE(manager.SetParameterText(nAny, u"25", TRUE));
    pMulti = static_cast<MultiParameterItem*>(Item(nAny));
    EXPECT_EQ(pMulti->m_nCurrentKind, ParameterItemBase::typeLength);
    double value = 0;
    ASSERT_TRUE(pMulti->GetNumberItem()->GetValue(value));
    EXPECT_DOUBLE_EQ(value, 25.0);
    EXPECT_FALSE(manager.SetParameterText(nAny, u"x", TRUE));
}

TEST_F(TypedInputTest, ValuesOfEveryTypeGoToTheSetterOfTheirType)
{
    LengthParameterItem length;
    length.SetValue(8);
    EXPECT_TRUE(manager.SetParameterValue(Step::paramSize, length, TRUE));
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramSize)), 8.0);

    ListParameterItem choice;
    choice.Copy(*Item(Step::paramChoice));
    ASSERT_TRUE(choice.SetValue(2));
    EXPECT_TRUE(manager.SetParameterValue(Step::paramChoice, choice, TRUE));
    int nChoice = -1;
    ASSERT_TRUE(static_cast<ListParameterItem*>(Item(Step::paramChoice))->GetValue(nChoice));
    EXPECT_EQ(nChoice, 2);

    TextParameterItem text;
    text.Copy(*Item(Step::paramName));
    text.m_bEmpty = FALSE;
    EXPECT_TRUE(manager.SetParameterValue(Step::paramName, text, TRUE));

    // A value whose type the parameter does not have, and types that no setter takes.
    EXPECT_FALSE(manager.SetParameterValue(Step::paramPoint, length, TRUE));
    for (int nType : {12, 15, 16, 17, 18, 20, 21, 23, 25}) {
        std::unique_ptr<ParameterItemBase> pItem(ParameterItemBase::CreateItem(nType));
        ASSERT_NE(pItem, nullptr) << nType;
        EXPECT_FALSE(manager.SetParameterValue(Step::paramPoint, *pItem, TRUE)) << nType;
    }
}

TEST_F(TypedInputTest, AValueTheCommandRefusesIsNotTaken)
{
    step->m_nRefusedParameter = Step::paramSize;
    EXPECT_FALSE(manager.SetParameterText(Step::paramSize, u"5", TRUE));
    EXPECT_TRUE(Item(Step::paramSize)->IsEmpty());
    EXPECT_TRUE(step->m_runs.empty());
}

TEST_F(TypedInputTest, ResetToDefaultKeepsRememberedValuesAndAppliesDefaults)
{
    ASSERT_TRUE(manager.SetParameterText(Step::paramNumber, u"9", TRUE));
    ASSERT_TRUE(manager.SetParameterText(Step::paramKept, u"9", TRUE));
    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"9", TRUE));
    EXPECT_TRUE(manager.ResetParameterToDefault(Step::paramNumber));
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramNumber)), 3.0) << "its default";
    EXPECT_TRUE(manager.ResetParameterToDefault(Step::paramSize));
    EXPECT_TRUE(Item(Step::paramSize)->IsEmpty()) << "no default";
    EXPECT_FALSE(manager.ResetParameterToDefault(Step::paramKept));
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramKept)), 9.0);
    EXPECT_FALSE(manager.ResetParameterToDefault(99));
}

TEST_F(TypedInputTest, ChoosingAnAlternativeClearsTheOldItemUnlessTheCommandRefuses)
{
    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"6", TRUE));
    CommandParameter* pSize = step->GetParameter(Step::paramSize);
    EXPECT_FALSE(manager.SetParameterAlternative(nullptr, Step::paramSize, 2));
    EXPECT_FALSE(manager.SetParameterAlternative(nullptr, Step::paramChains + 1, 0));

    step->m_bRefuseAlternative = TRUE;
    EXPECT_FALSE(manager.SetParameterAlternative(nullptr, Step::paramSize, 1));
    EXPECT_EQ(pSize->GetCurrentIndex(), 0);
    EXPECT_FALSE(pSize->GetItem(0)->IsEmpty());

    step->m_bRefuseAlternative = FALSE;
    EXPECT_TRUE(manager.SetParameterAlternative(nullptr, Step::paramSize, 1));
    EXPECT_EQ(pSize->GetCurrentIndex(), 1);
    EXPECT_TRUE(pSize->GetItem(0)->IsEmpty()) << "the length given before is gone";
    EXPECT_EQ(Item(Step::paramSize)->GetId(), Step::kSizeAngleID);
    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"30", TRUE)) << "now an angle";
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramSize)), 30.0);
}

TEST_F(TypedInputTest, TheNextParameterOfATypeIsFoundAfterTheCurrentOneWrappingRound)
{
    // Lengths are the size (1) and the kept length (9).
    ASSERT_TRUE(manager.SetCurrentParameter(step, Step::paramKept));
    EXPECT_TRUE(manager.ActivateNextParameterOfType(ParameterItemBase::typeLength));
    EXPECT_EQ(step->GetCurrentParameterIndex(), Step::paramSize);
    EXPECT_TRUE(manager.ActivateNextParameterOfType(ParameterItemBase::typeLength));
    EXPECT_EQ(step->GetCurrentParameterIndex(), Step::paramKept);
    // Only the current parameter is a scale.
    ASSERT_TRUE(manager.SetCurrentParameter(step, Step::paramScale));
    EXPECT_FALSE(manager.ActivateNextParameterOfType(ParameterItemBase::typeScale));
    EXPECT_FALSE(manager.ActivateNextParameterOfType(ParameterItemBase::typeTolerance));
    EXPECT_EQ(step->GetCurrentParameterIndex(), Step::paramScale);
}

TEST_F(TypedInputTest, TheLineCommandDrawsFromTypedText)
{
    manager.CancelAllCommands();
    ASSERT_TRUE(manager.ExecuteCommand(33412));
    SetUserOrigin(5, 5);
    ASSERT_TRUE(manager.SetParameterText(0, u"0,0", TRUE));
    ASSERT_TRUE(manager.SetParameterText(1, u"@30<0", TRUE));
    ASSERT_EQ(FeatureCount(), 1);
    ASSERT_TRUE(manager.SetParameterText(0, u"@0,0", TRUE));
    ASSERT_TRUE(manager.SetParameterText(1, u"@0,10", TRUE));
    EXPECT_EQ(FeatureCount(), 2);
    EXPECT_NEAR(manager.GetLastInputPoint().X(), 35, 1e-9);
    EXPECT_NEAR(manager.GetLastInputPoint().Y(), 15, 1e-9);
}

TEST_F(TypedInputTest, ANumberWithItsOwnFeetAndInchFormatReadsFeetAndInches)
{
    auto* pNumber = static_cast<DoubleParameterItem*>(Item(Step::paramNumber));
    pNumber->m_nFormatOverride = 1;
    ASSERT_TRUE(manager.SetParameterText(Step::paramNumber, u"1'-2\"", TRUE));
    EXPECT_NEAR(NumberOf(Item(Step::paramNumber)), 14 * 25.4, 1e-9);
    pNumber = static_cast<DoubleParameterItem*>(Item(Step::paramNumber));
    pNumber->m_nFormatOverride = -1;
    EXPECT_FALSE(manager.SetParameterText(Step::paramNumber, u"1'-2\"", TRUE)) << "the decimal format reads no feet";
    ASSERT_TRUE(manager.SetParameterText(Step::paramNumber, u"2.5", TRUE));
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramNumber)), 2.5);
}

}  // namespace keys

namespace keys {

// What the status bar says when typed text does not fit the row, in the interface's language.
class TypedRefusalTest : public TypedInputTest
{
protected:
    void SetUp() override
    {
        english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
        ASSERT_NE(english.pModule, nullptr) << "no English language library in the resource folder";
        previous = AfxGetResourceHandle();
        AfxSetResourceHandle(english.pModule);
        TypedInputTest::SetUp();
        shown().clear();
        CommandManager::ShellServices shell;
        shell.pfnGetMainFrame = [] { return reinterpret_cast<CMainFrame*>(&shown()); };
        shell.pfnSetStatusInformation = [](CMainFrame*, const CString& text, UINT) { shown().push_back(text); };
        CommandManager::SetShellServices(shell);
    }
    void TearDown() override
    {
        TypedInputTest::TearDown();
        CommandManager::SetShellServices(CommandManager::ShellServices());
        AfxSetResourceHandle(previous);
        if (english.pModule != nullptr)
            AfxFreeResourceModule(english.pModule);
    }
    static std::vector<CString>& shown()
    {
        static std::vector<CString> texts;
        return texts;
    }
    LanguageModuleResult english;
    ResourceModule* previous = nullptr;
};

TEST_F(TypedRefusalTest, ABadTextSaysWhatTheRowTakesAndChangesNothing)
{
    ASSERT_TRUE(manager.SetParameterText(Step::paramScale, u"2, 3", TRUE));
    struct Case {
        int parameter;
        const char16_t* text;
        UINT reason;
    };
    const Case cases[] = {
        {Step::paramSize, u"long", 12980},       {Step::paramSize, u"1e999", 12980},
        {Step::paramNumber, u"two", 10406},      {Step::paramCount, u"4.5", 12982},
        {Step::paramScale, u"big", 12983},       {Step::paramScale, u"0", 12984},
        {Step::paramScale, u"1e-11, 1", 12984},  {Step::paramScale, u"1, 1e15", 12984},
        {Step::paramPoint, u"3;4", 12985},       {Step::paramPoints, u"@", 12985},
        {Step::paramAny, u"x", 12986},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        shown().clear();
        const int runs = static_cast<int>(step->m_runs.size());
        EXPECT_FALSE(manager.SetParameterText(c.parameter, c.text, TRUE));
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown().back(), LoadResourceString(c.reason));
        EXPECT_EQ(static_cast<int>(step->m_runs.size()), runs) << "nothing runs";
    }
    // The scale kept its last good value.
    double x = 0;
    double y = 0;
    ASSERT_TRUE(static_cast<ScaleParameterItem*>(Item(Step::paramScale))->GetValue(x, y));
    EXPECT_DOUBLE_EQ(x, 2.0);
    EXPECT_DOUBLE_EQ(y, 3.0);
    // The angle alternative of the size row names angles; a modifier's length input names lengths.
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, Step::paramSize, 1));
    shown().clear();
    EXPECT_FALSE(manager.SetParameterText(Step::paramSize, u"steep", TRUE));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().back(), LoadResourceString(12981));
    // A text the row takes says nothing.
    shown().clear();
    EXPECT_TRUE(manager.SetParameterText(Step::paramScale, u"1:2", TRUE));
    EXPECT_TRUE(shown().empty());
}

}  // namespace keys
