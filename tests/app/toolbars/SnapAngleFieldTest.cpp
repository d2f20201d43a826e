// The snap-angle field of the standard toolbar, end to end: typed angles confirmed with Enter set the
// option (kept after a restart) and give the focus back to the drawing; texts that are not angles are
// replaced by the current angle when the field is left.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "app/SystemEnvironment.h"
#include "controls/CAngularSnapToolbarComboBoxButton.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinConstants.h"

namespace {

class SnapAngleField : public ProgramFixture
{
protected:
    CAngularSnapToolbarComboBoxButton* Button()
    {
        CObList list;
        CBCGPToolBar::GetCommandButtons(34663, list);
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            if (auto* p = dynamic_cast<CAngularSnapToolbarComboBoxButton*>(list.GetNext(pos)))
                return p;
        return nullptr;
    }
    CString Shown()
    {
        CString text;
        Button()->GetComboBox()->GetWindowText(text);
        return text;
    }
    double Option() const { return m_app->GetSystemEnvironment()->m_SnapAngle; }
    // Types the text into the field and presses Enter there, as the user does.
    void TypeAndEnter(const QString& text)
    {
        auto* pCombo = qobject_cast<QComboBox*>(Button()->GetComboBox()->GetQWidget());
        ASSERT_NE(pCombo, nullptr);
        ASSERT_NE(pCombo->lineEdit(), nullptr);
        pCombo->setFocus();
        pCombo->lineEdit()->setText(text);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(pCombo->lineEdit(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(pCombo->lineEdit(), &release);
        Pump();
    }
    // The field loses the focus: its toolbar hears CBN_KILLFOCUS.
    void Leave()
    {
        CComboBox* pCombo = Button()->GetComboBox();
        pCombo->GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(34663, CBN_KILLFOCUS),
                                         reinterpret_cast<LPARAM>(pCombo->m_hWnd));
        Pump();
    }
};

TEST_F(SnapAngleField, ATypedAngleWithEnterSetsTheOptionAndSurvivesARestart)
{
    ASSERT_NE(Button(), nullptr) << "toolbar 110 shows the snap-angle field";
    ASSERT_NE(NewDrawing(), nullptr);
    TypeAndEnter(QStringLiteral("22.5°"));
    EXPECT_DOUBLE_EQ(Option(), 22.5);
    EXPECT_EQ(CWnd::GetFocus(), ActiveDrawView()) << "the focus goes back to the drawing";

    // Not an angle: the option stays, and leaving the field shows it again.
    TypeAndEnter(QStringLiteral("abc"));
    EXPECT_DOUBLE_EQ(Option(), 22.5);
    Button()->GetComboBox()->SetWindowText(u"abc");
    Leave();
    EXPECT_EQ(Shown().Find(u"22.5"), 0);

    // 0 and a full turn are no snap angle.
    TypeAndEnter(QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(Option(), 22.5);
    TypeAndEnter(QStringLiteral("360"));
    EXPECT_DOUBLE_EQ(Option(), 22.5);

    // Outside one turn: normalised.
    TypeAndEnter(QStringLiteral("390"));
    EXPECT_DOUBLE_EQ(Option(), 30.0);
    TypeAndEnter(QStringLiteral("22.5"));

    Stop();
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    Pump();
    EXPECT_DOUBLE_EQ(Option(), 22.5);
    ASSERT_NE(Button(), nullptr);
    EXPECT_EQ(Shown().Find(u"22.5"), 0);
}

TEST_F(SnapAngleField, APresetAppliesAtOnceAndEveryCopyShowsTheAngle)
{
    ASSERT_NE(Button(), nullptr);
    CComboBox* pCombo = Button()->GetComboBox();
    ASSERT_EQ(pCombo->GetCount(), 5);
    EXPECT_EQ(pCombo->GetItemData(4), 90u);
    pCombo->SetCurSel(4);
    pCombo->GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(34663, CBN_SELENDOK),
                                     reinterpret_cast<LPARAM>(pCombo->m_hWnd));
    Pump();
    EXPECT_DOUBLE_EQ(Option(), 90.0);
    // The application's setter refreshes the field.
    ASSERT_TRUE(m_app->SetSnapAngle(45.5));
    EXPECT_EQ(Shown().Find(u"45.5"), 0);
    EXPECT_EQ(pCombo->GetCurSel(), -1) << "45.5 is not the 45 preset";
    ASSERT_TRUE(m_app->SetSnapAngle(60.0));
    EXPECT_EQ(pCombo->GetCurSel(), 3);
}

}  // namespace
