// Pictures of the font combo open, the colour cells and toolbars with add-in buttons lying horizontally
// and vertically, for the documentation. Run on demand: --gtest_also_run_disabled_tests with
// KC_SCREENSHOT_DIR set.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QWidget>

#include "ControlsTestSupport.h"
#include "controls/CColorCellsCtrl.h"
#include "controls/CKcToolbarCustomButton.h"
#include "controls/CKcToolbarCustomComboBoxButton.h"
#include "controls/CQZ2FontComboBox.h"
#include "controls/CQZ2ToolbarComboBoxButton.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/WinConstants.h"

namespace {

// The window and every popup shown over it, as the screen would show them.
QImage ScreenOf(QWidget* window)
{
    QRect area = window->frameGeometry();
    std::vector<QWidget*> shown{window};
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != window && w->isVisible()) {
            shown.push_back(w);
            area |= w->frameGeometry();
        }
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    QPainter p(&image);
    for (QWidget* w : shown)
        p.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
    return image;
}

class ControlsPictures : public EnglishResources
{
protected:
    QString Dir() const { return qEnvironmentVariable("KC_SCREENSHOT_DIR", QStringLiteral(".")); }
};

TEST_F(ControlsPictures, DISABLED_FontComboOpen)
{
    RecordingHost host;
    ASSERT_TRUE(host.CreateHost(300, 60));
    CQZ2FontComboBox fonts;
    ASSERT_TRUE(fonts.Create(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT | WS_CHILD | WS_VISIBLE |
                                 WS_VSCROLL,
                             CRect(10, 10, 250, 34), &host, 2058));
    fonts.FillFontList();
    fonts.SelectFontName(u"D050000L");
    fonts.ShowDropDown(TRUE);
    PumpEvents();
    EXPECT_TRUE(ScreenOf(host.GetQWidget()).save(Dir() + QStringLiteral("/font-combo-open.png")));
    fonts.ShowDropDown(FALSE);
    fonts.SelectFontName(u"Missing Font XYZ");
    PumpEvents();
    EXPECT_TRUE(host.GetQWidget()->grab().save(Dir() + QStringLiteral("/font-combo-missing-font.png")));
    fonts.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(ControlsPictures, DISABLED_ColorCells)
{
    RecordingHost host;
    ASSERT_TRUE(host.CreateHost(450, 230));
    DocumentTables tables;
    CColorCellsCtrl fixed, user;
    ASSERT_TRUE(fixed.Create(u"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(5, 5, 5 + 16 * 18, 23), &host, 1));
    ASSERT_TRUE(user.Create(u"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(5, 35, 5 + 24 * 18, 35 + 10 * 18), &host, 2));
    fixed.Initialize(&tables.colors, 1, 16, 16, TRUE);
    user.Initialize(&tables.colors, 17, 256, 10, FALSE);
    user.SetCurSel(60);
    user.SetShowSelection(TRUE);
    PumpEvents();
    EXPECT_TRUE(host.GetQWidget()->grab().save(Dir() + QStringLiteral("/color-cells.png")));
    fixed.DestroyWindow();
    user.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(ControlsPictures, DISABLED_ToolbarWithAddInButtons)
{
    RecordingHost host;
    ASSERT_TRUE(host.CreateHost(420, 200));
    CBCGPToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&host, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), 59500));
    // The attribute toolbar's images, so that its combos have a face when they show as plain buttons.
    ASSERT_TRUE(CBCGPToolBar::AddToolBarForImageCollection(307));
    for (UINT id : {34646u, 34647u, 34648u})
        bar.InsertButton(CQZ2ToolbarComboBoxButton(id, CImageHash::GetImageOfCommand(id), 0x0003L, 90));
    CKcToolbarCustomButton button(36100, CImageHash::GetImageOfCommand(34640), u"Add-in");
    button.SetToolTipText(u"Runs the add-in");
    bar.InsertButton(button);
    CKcToolbarCustomComboBoxButton combo(36200, CImageHash::GetImageOfCommand(34641), 0x0003L, 110);
    combo.AddItem(u"Mode one", 1);
    combo.SelectItem(0);
    bar.InsertButton(combo);
    bar.AdjustLayout();
    auto* strip = qobject_cast<QToolBar*>(bar.GetLayoutWidget());
    strip->move(0, 0);
    strip->resize(strip->sizeHint());
    PumpEvents();
    EXPECT_TRUE(strip->grab().save(Dir() + QStringLiteral("/toolbar-addin-buttons.png")));
    strip->setOrientation(Qt::Vertical);
    PumpEvents();
    strip->resize(strip->sizeHint());
    PumpEvents();
    EXPECT_TRUE(strip->grab().save(Dir() + QStringLiteral("/toolbar-vertical-plain-buttons.png")));
    bar.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
