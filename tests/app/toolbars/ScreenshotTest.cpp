// Pictures of the attribute toolbar with its colour palette and its line-type list open, of the shape
// toolbar with a group drop-down open and of the customisation sheet in Japanese, for the documentation. Run on demand: --gtest_also_run_disabled_tests with KC_SCREENSHOT_DIR set.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QWidget>

#include "app/CMainFrame.h"
#include "app/CQZ2ToolbarCustomizeDialog.h"
#include "platform/win/WinConstants.h"
#include "controls/CColorToolbarComboBoxButton.h"
#include "controls/CLineTypeToolbarComboBoxButton.h"
#include "controls/CSelectColorWnd.h"
#include "controls/CSelectCurrentColorComboBox.h"
#include "controls/CSelectCurrentLineTypeComboBox.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPToolBar.h"

namespace {

template <class Button>
Button* FirstButton(UINT nID)
{
    CObList list;
    CBCGPToolBar::GetCommandButtons(nID, list);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        if (auto* p = dynamic_cast<Button*>(list.GetNext(pos)))
            return p;
    return nullptr;
}

// The toolbar's window with a popup painted where it stands on screen.
QImage Compose(QWidget* pBar, QWidget* pPopup)
{
    const QPoint barAt = pBar->mapToGlobal(QPoint(0, 0));
    const QRect popup(pPopup->mapToGlobal(QPoint(0, 0)), pPopup->size());
    const QRect area = QRect(barAt, pBar->size()).united(popup).adjusted(-4, -4, 4, 4);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(barAt - area.topLeft(), pBar->grab());
    painter.drawPixmap(popup.topLeft() - area.topLeft(), pPopup->grab());
    return image;
}

class Screenshots : public ProgramFixture
{
};

TEST_F(Screenshots, DISABLED_AttributeToolbar)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QDir::currentPath());
    ASSERT_NE(NewDrawing(), nullptr);
    m_frame->ShowWindow(SW_SHOW);
    Pump();
    auto* pColor = FirstButton<CColorToolbarComboBoxButton>(34646);
    ASSERT_NE(pColor, nullptr);
    CSelectCurrentColorComboBox* pCombo = pColor->GetCurrentCombo();
    QWidget* pBar = pCombo->GetParent()->GetQWidget();
    ASSERT_TRUE(pCombo->DropDown());
    CSelectColorWnd* pPopup = pCombo->GetPopup();
    const CRect block = pPopup->GetColorBlockRect();
    pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(block.left + 4 * 18 + 9, block.top + 9));
    Pump();
    ASSERT_TRUE(Compose(pBar, pPopup->GetQWidget()).save(dir + QStringLiteral("/attribute-toolbar-palette.png")));
    pPopup->EndSelection(-2);
    Pump();

    auto* pType = FirstButton<CLineTypeToolbarComboBoxButton>(34647);
    ASSERT_NE(pType, nullptr);
    auto* pList = qobject_cast<QComboBox*>(pType->GetCurrentCombo()->GetQWidget());
    ASSERT_NE(pList, nullptr);
    pList->showPopup();
    Pump();
    ASSERT_TRUE(Compose(pBar, pList->view()->window()).save(dir + QStringLiteral("/attribute-toolbar-linetypes.png")));
    pList->hidePopup();
    Pump();
}

}  // namespace

namespace {

class MenuScreenshots : public ProgramFixture
{
};

}  // namespace

TEST_F(MenuScreenshots, DISABLED_ShapeToolbarWithAGroupDropDownOpen)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QDir::currentPath());
    ASSERT_NE(NewDrawing(), nullptr);
    m_frame->ShowWindow(SW_SHOW);
    Pump();
    CBCGPToolBar* pShape = m_frame->GetToolBarById(59473);
    ASSERT_NE(pShape, nullptr);
    auto* pStrip = qobject_cast<QToolBar*>(pShape->GetLayoutWidget());
    ASSERT_NE(pStrip, nullptr);
    QAction* pLine = pStrip->actions().at(pShape->CommandToIndex(33924));
    auto* pButton = qobject_cast<QToolButton*>(pStrip->widgetForAction(pLine));
    ASSERT_NE(pButton, nullptr);
    QMenu* pMenu = pLine->menu();
    ASSERT_NE(pMenu, nullptr);
    Q_EMIT pMenu->aboutToShow();
    pMenu->popup(pButton->mapToGlobal(QPoint(0, pButton->height())));
    Pump();
    ASSERT_TRUE(Compose(pStrip, pMenu).save(dir + QStringLiteral("/shape-toolbar-group-drop-down.png")));
    pMenu->hide();
    Pump();
}

TEST_F(MenuScreenshots, DISABLED_CustomisationSheetInJapanese)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QDir::currentPath());
    Stop();
    SetMachineLanguage(QStringLiteral("JPN"));
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    m_frame->ShowWindow(SW_SHOW);
    Pump();
    Command(34664);
    Pump();
    CQZ2ToolbarCustomizeDialog* pSheet = CQZ2ToolbarCustomizeDialog::GetOpenSheet();
    ASSERT_NE(pSheet, nullptr);
    pSheet->SetActivePage(1);
    Pump();
    ASSERT_TRUE(pSheet->GetQWidget()->grab().save(dir + QStringLiteral("/customisation-sheet-japanese.png")));
    pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Pump();
}
