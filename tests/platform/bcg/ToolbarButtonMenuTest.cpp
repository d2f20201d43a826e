// A toolbar button's own say while the toolbars are customised (its menu items, its tip) and its look on
// a bar docked at the left or right edge (a control shows as a plain button of its command).
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include <map>

#include "BcgFixture.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPToolbarComboBoxButton.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

QToolBar* Strip(CBCGPToolBar& tb) { return qobject_cast<QToolBar*>(tb.GetLayoutWidget()); }

// A button of a command that may not be deleted, shows no image choices and has a tip of its own.
class CKeptButton : public CBCGPToolbarButton {
  DECLARE_SERIAL(CKeptButton)
public:
  CKeptButton() = default;
  CKeptButton(UINT id, int image) : CBCGPToolbarButton(id, image) {}
  BOOL OnCustomizeMenu(CMenu* pPopup) override {
    pPopup->EnableMenuItem(ID_CUSTOMIZE_BUTTON_DELETE, MF_BYCOMMAND | MF_GRAYED);
    pPopup->CheckMenuItem(ID_CUSTOMIZE_BUTTON_TEXT_ONLY, MF_BYCOMMAND | MF_CHECKED);
    return TRUE;
  }
  BOOL OnGetCustomToolTipText(CString& strTipText) override {
    strTipText = u"A tip of its own";
    return TRUE;
  }
};
IMPLEMENT_SERIAL(CKeptButton, CBCGPToolbarButton, VERSIONABLE_SCHEMA | 1)

struct ItemState {
  bool enabled = false;
  bool checked = false;
};

// The next popup menu: its items by text (without "&") are noted, then the one named is chosen
// (nothing chosen for an empty name).
std::map<QString, ItemState> g_items;
QString g_choose;
void ChooseInNextMenu(const QString& text) {
  g_items.clear();
  g_choose = text;
  AfxSetPopupMenuHook([](QMenu* m) {
    for (QAction* a : m->actions())
      if (!a->isSeparator()) g_items[a->text().remove(QLatin1Char('&'))] = {a->isEnabled(), a->isChecked()};
    QTimer::singleShot(0, m, [m] {
      for (QAction* a : m->actions())
        if (!g_choose.isEmpty() && a->text().remove(QLatin1Char('&')) == g_choose) {
          // A greyed item does nothing when clicked: the menu then closes unchosen.
          if (a->isEnabled()) {
            a->trigger();
            return;
          }
        }
      m->close();
    });
  });
}

TEST_F(BcgTest, TheCustomiseMenuChangesTheButtonsLookAndGroup) {
  CTestFrame* f = OpenFrame();
  CBCGPToolBar& bar = f->m_wndStandard;
  CBCGPToolBar::SetCustomizeMode(TRUE);
  ChooseInNextMenu(QStringLiteral("Text only"));
  bar.OnContextMenuAt(1, CPoint(10, 10));
  EXPECT_TRUE(g_items.at(QStringLiteral("Image only")).checked);
  EXPECT_FALSE(g_items.at(QStringLiteral("Begin a group")).checked);
  EXPECT_TRUE(g_items.at(QStringLiteral("Delete")).enabled);
  CBCGPToolbarButton* open = bar.GetButton(1);
  EXPECT_FALSE(open->m_bImage);
  EXPECT_TRUE(open->m_bText);
  auto* tool = qobject_cast<QToolButton*>(Strip(bar)->widgetForAction(Strip(bar)->actions()[1]));
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(tool->toolButtonStyle(), Qt::ToolButtonTextOnly);

  // A group begins before the button, and ends again.
  ChooseInNextMenu(QStringLiteral("Begin a group"));
  bar.OnContextMenuAt(1, CPoint(10, 10));
  ASSERT_EQ(bar.GetCount(), 6);
  EXPECT_TRUE(bar.GetButton(1)->IsSeparator());
  EXPECT_EQ(bar.GetItemID(2), ID_CMD_OPEN);
  ChooseInNextMenu(QStringLiteral("Begin a group"));
  bar.OnContextMenuAt(2, CPoint(10, 10));
  EXPECT_TRUE(g_items.at(QStringLiteral("Begin a group")).checked);
  EXPECT_EQ(bar.GetCount(), 5);
  EXPECT_EQ(bar.GetItemID(1), ID_CMD_OPEN);

  // The image goes to the clipboard; reset brings back the command's own look.
  QGuiApplication::clipboard()->clear();
  ChooseInNextMenu(QStringLiteral("Copy button image"));
  bar.OnContextMenuAt(1, CPoint(10, 10));
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(16, 15));
  ChooseInNextMenu(QStringLiteral("Reset"));
  bar.OnContextMenuAt(1, CPoint(10, 10));
  EXPECT_TRUE(bar.GetButton(1)->m_bImage);
  EXPECT_FALSE(bar.GetButton(1)->m_bText);
  AfxSetPopupMenuHook(nullptr);
  CBCGPToolBar::SetCustomizeMode(FALSE);
  CloseFrame(f);
}

TEST_F(BcgTest, AButtonGreysWhatDoesNotApplyAndGivesItsOwnTip) {
  CTestFrame* f = OpenFrame();
  CBCGPToolBar& bar = f->m_wndStandard;
  ASSERT_EQ(bar.InsertButton(CKeptButton(ID_CMD_CIRCLE, -1), 0), 0);
  bar.AdjustLayout();
  EXPECT_EQ(Strip(bar)->actions()[0]->toolTip(), QStringLiteral("A tip of its own"));
  CBCGPToolBar::SetCustomizeMode(TRUE);
  ChooseInNextMenu(QStringLiteral("Delete"));
  bar.OnContextMenuAt(0, CPoint(10, 10));
  EXPECT_FALSE(g_items.at(QStringLiteral("Delete")).enabled);
  EXPECT_TRUE(g_items.at(QStringLiteral("Text only")).checked);
  EXPECT_EQ(bar.GetItemID(0), ID_CMD_CIRCLE) << "a greyed item does nothing";
  // Other buttons keep the whole menu.
  ChooseInNextMenu(QString());
  bar.OnContextMenuAt(1, CPoint(10, 10));
  EXPECT_TRUE(g_items.at(QStringLiteral("Delete")).enabled);
  EXPECT_FALSE(g_items.at(QStringLiteral("Text only")).checked);
  AfxSetPopupMenuHook(nullptr);
  CBCGPToolBar::SetCustomizeMode(FALSE);
  CloseFrame(f);
}

TEST_F(BcgTest, OnAVerticalBarAComboShowsAsAPlainButtonThatSendsItsCommand) {
  CTestFrame* f = OpenFrame();
  CBCGPToolBar& bar = f->m_wndStandard;
  CBCGPToolbarComboBoxButton combo(ID_CMD_COMBO, CImageHash::GetImageOfCommand(ID_CMD_OPEN), CBS_DROPDOWNLIST, 120);
  combo.AddItem(u"Red", 1);
  ASSERT_EQ(bar.InsertButton(combo, 0), 0);
  bar.AdjustLayout();
  auto* button = DYNAMIC_DOWNCAST(CBCGPToolbarComboBoxButton, bar.GetButton(0));
  ASSERT_NE(button, nullptr);
  ASSERT_NE(button->GetEmbeddedWidget(), nullptr);

  f->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
  Pump();
  ASSERT_EQ(Strip(bar)->orientation(), Qt::Vertical);
  EXPECT_FALSE(button->IsHorizontal());
  EXPECT_EQ(button->GetEmbeddedWidget(), nullptr);
  QAction* plain = Strip(bar)->actions()[0];
  EXPECT_TRUE(qobject_cast<QToolButton*>(Strip(bar)->widgetForAction(plain)) != nullptr);
  EXPECT_FALSE(plain->icon().isNull());
  f->m_commands.clear();
  plain->trigger();
  Pump();
  EXPECT_EQ(f->m_commands, (std::vector<UINT>{ID_CMD_COMBO}));
  // The list it holds is kept for when the bar lies horizontally again.
  EXPECT_EQ(button->GetCount(), 1);

  f->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  Pump();
  EXPECT_TRUE(button->IsHorizontal());
  ASSERT_NE(button->GetEmbeddedWidget(), nullptr);
  EXPECT_EQ(Strip(bar)->widgetForAction(Strip(bar)->actions()[0]), button->GetEmbeddedWidget());
  CloseFrame(f);
}

}  // namespace
