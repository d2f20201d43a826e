// Pictures of the command bar for the documentation. Run on demand: --gtest_also_run_disabled_tests
// with KC_SCREENSHOT_DIR set.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QWidget>

#include "app/CMainFrame.h"
#include "command/CCommandBar.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/LengthParameterItem.h"
#include "command/PropertyListItem.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kLineID = 33412;

class CommandBarScreenshot : public ProgramFixture
{
};

TEST_F(CommandBarScreenshot, DISABLED_ModifierRowsAndAnOpenHistoryDropDown)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QDir::currentPath());
    ASSERT_NE(NewDrawing(), nullptr);
    m_frame->ShowWindow(SW_SHOW);
    for (double v : {12.5, 30.0, 45.0}) {
        QZ2Command::LengthParameterItem length;
        length.SetValue(v);
        length.m_bEmpty = FALSE;
        m_manager->GetParameterHistory().Add(length);
    }
    Command(kLineID);
    CCommandBar* pBar = m_frame->GetCommandBar();
    ASSERT_NE(pBar, nullptr);
    ASSERT_TRUE(pBar->EnterText(u"10,20"));
    Pump();
    // The relative point on the end point: its header and its inputs below the row.
    pBar->SendMessage(WM_COMMAND, MAKEWPARAM(37158, 0), 0);
    Pump();
    QZ2Command::CommandBase* pLine = m_manager->GetActiveCommand();
    ASSERT_NE(pLine, nullptr);
    ASSERT_TRUE(pLine->HasModifier());
    const int offset = pBar->FindModifierInputRow(1);
    ASSERT_GE(offset, 0);
    m_manager->SetModifierInputIndex(1);
    ASSERT_TRUE(pBar->SelectModifierRow(1));
    Pump();
    PropertyListItem* pRow = pBar->GetList().GetCurItem();
    ASSERT_NE(pRow, nullptr);
    ASSERT_NE(pRow->GetEditor(), nullptr);
    auto* pCombo = qobject_cast<QComboBox*>(pRow->GetEditor()->GetQWidget());
    ASSERT_NE(pCombo, nullptr);
    pCombo->showPopup();
    Pump();
    QWidget* pBarWidget = pBar->GetQWidget();
    QWidget* pPopup = pCombo->view()->window();
    const QPoint barAt = pBarWidget->mapToGlobal(QPoint(0, 0));
    const QRect popup(pPopup->mapToGlobal(QPoint(0, 0)), pPopup->size());
    const QRect area = QRect(barAt, pBarWidget->size()).united(popup).adjusted(-4, -4, 4, 4);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(barAt - area.topLeft(), pBarWidget->grab());
    painter.drawPixmap(popup.topLeft() - area.topLeft(), pPopup->grab());
    painter.end();
    ASSERT_TRUE(image.save(dir + QStringLiteral("/command-bar-modifier-and-history.png")));
    pCombo->hidePopup();
    Pump();
}

}  // namespace
