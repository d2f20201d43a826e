// The docking frame: first layout, changes kept across a restart, damaged stored state,
// toolbar commands and their state, user toolbars and document tabs.
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QToolBar>

#include "BcgFixture.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CStringList.h"
#include "platform/afx/CUIntArray.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/bcg/CBCGPToolbarComboBoxButton.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CImageHash.h"
#include "platform/bcg/CBCGPTooltipManager.h"
#include "platform/bcg/CBCGPToolTipCtrl.h"
#include "platform/win/CMenu.h"

namespace {

QToolBar* Strip(CBCGPToolBar& tb) { return qobject_cast<QToolBar*>(tb.GetLayoutWidget()); }

TEST_F(BcgTest, FirstStartShowsTheLayoutTheFrameMade) {
  CTestFrame* f = OpenFrame();
  QMainWindow* host = f->GetDockHost();
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(host->centralWidget(), reinterpret_cast<QWidget*>(f->GetMdiArea()));

  // Menu bar alone in the first row; standard and view toolbars in the second, standard first;
  // the shape toolbar in a third row.
  QToolBar* menu = Strip(f->m_wndMenuBar);
  QToolBar* standard = Strip(f->m_wndStandard);
  QToolBar* view = Strip(f->m_wndView);
  QToolBar* shape = Strip(f->m_wndShape);
  EXPECT_EQ(host->toolBarArea(menu), Qt::TopToolBarArea);
  EXPECT_LT(menu->y(), standard->y());
  EXPECT_EQ(standard->y(), view->y());
  EXPECT_LT(standard->x(), view->x());
  EXPECT_LT(view->y(), shape->y());
  ASSERT_EQ(f->m_wndMenuBar.GetCount(), 2);
  EXPECT_TRUE(f->m_wndMenuBar.GetButton(0)->IsKindOf(RUNTIME_CLASS(CBCGPToolbarMenuButton)));

  // Layer bar on the left with the drawing bar as a second tab, the layer bar showing.
  EXPECT_EQ(f->m_wndLayer.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_LEFT));
  EXPECT_EQ(f->m_wndDrawing.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_LEFT));
  CBCGPDockingControlBar* tabs[8];
  ASSERT_EQ(f->m_wndLayer.GetTabbedBars(tabs, 8), 2);
  EXPECT_EQ(tabs[0], &f->m_wndLayer);
  EXPECT_EQ(tabs[1], &f->m_wndDrawing);
  EXPECT_TRUE(f->m_wndLayer.IsActiveTab());
  EXPECT_FALSE(f->m_wndDrawing.IsActiveTab());
  // Command bar on the right with the property bar below it.
  EXPECT_EQ(f->m_wndCommand.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_RIGHT));
  EXPECT_EQ(f->m_wndProperty.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_RIGHT));
  EXPECT_FALSE(f->m_wndProperty.IsTabbed());
  EXPECT_LT(f->m_wndCommand.GetLayoutWidget()->y(), f->m_wndProperty.GetLayoutWidget()->y());
  // A docking bar's small icon shows on its tab.
  f->m_wndLayer.SetIcon(m_app->LoadIcon(IDR_MAINFRAME), FALSE);
  EXPECT_FALSE(f->m_wndLayer.GetLayoutWidget()->windowIcon().isNull());

  // Toolbars were loaded from their resources (and said so), with images cut at 16 pixels and
  // the mask colour made transparent.
  EXPECT_EQ(f->m_resets, (std::vector<UINT>{IDR_STANDARD, IDR_SHAPE}));
  ASSERT_EQ(f->m_wndStandard.GetCount(), 5);
  EXPECT_TRUE(f->m_wndStandard.GetButton(2)->IsSeparator());
  const int image = CImageHash::GetImageOfCommand(ID_CMD_OPEN);
  ASSERT_GE(image, 0);
  QImage img;
  ASSERT_TRUE(CBCGPToolBar::GetImages()->GetImage(image, img));
  EXPECT_EQ(img.size(), QSize(16, 15));
  EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
  EXPECT_EQ(img.pixel(5, 5), qRgb(20, 20, 30));  // the second image of the strip
  CloseFrame(f);
}

TEST_F(BcgTest, ChangedLayoutIsRestoredIdenticallyAfterRestart) {
  CTestFrame* f = OpenFrame();
  const std::string first = Snapshot(f);
  // The user floats the command bar, hides the property bar, makes the drawing bar the
  // visible tab, moves the view toolbar to the left edge, changes the standard toolbar and
  // makes a toolbar of their own.
  f->m_wndCommand.FloatControlBar(CRect(300, 200, 560, 420));
  f->ShowControlBar(&f->m_wndProperty, FALSE, FALSE, FALSE);
  f->GetDockHost()->findChild<QTabBar*>()->setCurrentIndex(1);
  f->DockControlBar(&f->m_wndView, AFX_IDW_DOCKBAR_LEFT);
  f->m_wndStandard.RemoveButton(1);
  CBCGPToolbarComboBoxButton combo(ID_CMD_COMBO, -1, CBS_DROPDOWNLIST, 120);
  combo.AddItem(u"Red", 1);
  combo.AddItem(u"Green", 2);
  combo.AddItem(u"Blue", 3);
  combo.SelectItem(2);
  ASSERT_EQ(f->m_wndStandard.InsertButton(combo, 0), 0);
  CMenu popup;
  ASSERT_TRUE(popup.LoadMenu(IDR_MAINFRAME));
  f->m_wndStandard.InsertButton(CBCGPToolbarMenuButton(ID_CMD_LINE, popup.GetSubMenu(1)->m_hMenu, -1, u"Lines"));
  f->m_wndStandard.AdjustLayout();
  CBCGPToolBar* user = f->CreateUserToolbar(u"My tools");
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->GetDlgCtrlID(), 59600);
  user->InsertButton(CBCGPToolbarButton(ID_CMD_CIRCLE, -1, u"Circle"));
  user->AdjustLayout();
  Pump();
  const std::string changed = Snapshot(f);
  EXPECT_NE(changed, first);
  CloseFrame(f);

  f = OpenFrame();
  EXPECT_EQ(Snapshot(f), changed);
  EXPECT_TRUE(f->m_wndCommand.IsFloating());
  EXPECT_FALSE(f->m_wndProperty.IsVisible());
  EXPECT_TRUE(f->m_wndDrawing.IsActiveTab());
  EXPECT_EQ(f->m_wndView.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_LEFT));
  ASSERT_NE(f->GetUserBarByIndex(0), nullptr);
  EXPECT_EQ(f->GetUserBarByIndex(1), nullptr);
  // The toolbar menu lists the user toolbar in place of the placeholder items.
  CMenu list;
  ASSERT_TRUE(list.LoadMenuFromText(
      u"POPUP \"Toolbars\"\n MENUITEM \"Standard\", 33308\n MENUITEM \"User\", 59600\n MENUITEM \"User 2\", 59601\nEND\n"));
  f->SetupToolbarMenu(list, 59600, 59699);
  CMenu* items = list.GetSubMenu(0);
  ASSERT_EQ(items->GetMenuItemCount(), 2u);
  CString text;
  items->GetMenuString(1, text, MF_BYPOSITION);
  EXPECT_EQ(text, CString(u"My tools"));
  EXPECT_EQ(items->GetMenuItemID(1), 59600u);
  EXPECT_TRUE(items->GetMenuState(59600, MF_BYCOMMAND) & MF_CHECKED);
  // The restored combo is a working combo box showing the stored choice.
  auto* restored = DYNAMIC_DOWNCAST(CBCGPToolbarComboBoxButton, f->m_wndStandard.GetButton(0));
  ASSERT_NE(restored, nullptr);
  auto* box = qobject_cast<QComboBox*>(restored->GetEmbeddedWidget());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->count(), 3);
  EXPECT_EQ(box->currentText(), QStringLiteral("Blue"));
  EXPECT_EQ(box->parentWidget(), Strip(f->m_wndStandard));
  // A second restart without changes gives the same again; a reset gives the resource back.
  CloseFrame(f);
  f = OpenFrame();
  EXPECT_EQ(Snapshot(f), changed);
  f->m_resets.clear();
  EXPECT_TRUE(f->m_wndStandard.RestoreOriginalstate());
  EXPECT_EQ(f->m_resets, std::vector<UINT>{IDR_STANDARD});
  EXPECT_EQ(f->m_wndStandard.GetCount(), 5);
  EXPECT_EQ(f->m_wndStandard.GetItemID(1), ID_CMD_OPEN);
  CloseFrame(f);
}

TEST_F(BcgTest, DamagedStoredStateFallsBackToTheFirstLayout) {
  CTestFrame* f = OpenFrame();
  f->m_wndStandard.RemoveButton(0);
  f->m_wndCommand.FloatControlBar(CRect(300, 200, 560, 420));
  CloseFrame(f);

  const CString base = m_app->GetRegSectionPath();
  {
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
    BYTE junk[7] = {1, 0, 0, 0, 0xFF, 0xFF, 0x7F};  // version 1 and a huge count
    ASSERT_TRUE(reg.Open(base + u"ToolBar-59392"));
    ASSERT_TRUE(reg.Write(u"Buttons", junk, 7));
    ASSERT_TRUE(reg.Open(base + u"DockingManager"));
    ASSERT_TRUE(reg.Write(u"Layout", junk, 7));
    CUIntArray ids;
    for (UINT id = 59600; id < 59900; ++id) ids.Add(id);  // more than the range allows
    ASSERT_TRUE(reg.Write(u"UserToolbars", ids));
  }
  f = OpenFrame();
  EXPECT_EQ(f->m_wndStandard.GetCount(), 5);
  EXPECT_FALSE(f->m_wndCommand.IsFloating());
  CloseFrame(f);

  // A stored list whose object is no button is not used either.
  {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      CStringList notAButton;
      notAButton.AddTail(u"x");
      ar << 1 << 1;
      ar.WriteObject(&notAButton);
      ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.Open(base + u"ToolBar-59392"));
    ASSERT_TRUE(reg.Write(u"Buttons", bytes.data(), static_cast<UINT>(bytes.size())));
  }
  f = OpenFrame();
  EXPECT_EQ(f->m_wndStandard.GetCount(), 5);
  EXPECT_EQ(f->m_wndStandard.GetItemID(0), ID_CMD_NEW);
  // Only ids of the range are made.
  int users = 0;
  while (f->GetUserBarByIndex(users)) ++users;
  EXPECT_EQ(users, 100);
  CloseFrame(f);
}

TEST_F(BcgTest, ToolbarButtonsSendCommandsAndFollowTheirUpdateHandlers) {
  CTestFrame* f = OpenFrame();
  QToolBar* strip = Strip(f->m_wndStandard);
  ASSERT_GE(strip->actions().size(), 5);
  strip->actions()[0]->trigger();
  strip->actions()[3]->trigger();
  Pump();
  EXPECT_EQ(f->m_commands, (std::vector<UINT>{ID_CMD_NEW, ID_CMD_SNAP}));
  // Tips: the command's short name, and with the tool tip manager its description below.
  EXPECT_EQ(strip->actions()[0]->toolTip(), QStringLiteral("New"));
  ASSERT_TRUE(m_app->InitTooltipManager());
  CBCGPToolTipParams params;
  params.m_bVislManagerTheme = TRUE;
  m_app->GetTooltipManager()->SetTooltipParams(BCGP_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CBCGPToolTipCtrl), &params);
  f->m_wndStandard.AdjustLayout();
  strip = Strip(f->m_wndStandard);
  EXPECT_EQ(strip->actions()[0]->toolTip(), QStringLiteral("<b>New</b><br>New drawing"));

  f->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(f->m_wndStandard.GetButtonStyle(3) & TBBS_CHECKED);
  EXPECT_TRUE(strip->actions()[3]->isChecked());
  EXPECT_TRUE(f->m_wndStandard.GetButtonStyle(4) & TBBS_DISABLED);
  EXPECT_FALSE(strip->actions()[4]->isEnabled());
  EXPECT_TRUE(strip->actions()[0]->isEnabled());
  // A disabled button sends nothing; in customisation mode no button does.
  f->m_wndStandard.ClickButton(4);
  CBCGPToolBar::SetCustomizeMode(TRUE);
  f->m_wndStandard.ClickButton(0);
  CBCGPToolBar::SetCustomizeMode(FALSE);
  Pump();
  EXPECT_EQ(f->m_commands.size(), 2u);

  // A combo button: the choice is kept in the button and its command goes once.
  CBCGPToolbarComboBoxButton combo(ID_CMD_COMBO, -1, CBS_DROPDOWNLIST, 100);
  combo.AddItem(u"Red");
  combo.AddItem(u"Green");
  EXPECT_EQ(f->m_wndShape.ReplaceButton(ID_CMD_CIRCLE, combo), 1);
  auto* box = qobject_cast<QComboBox*>(f->m_wndShape.GetButton(1)->GetEmbeddedWidget());
  ASSERT_NE(box, nullptr);
  box->setCurrentIndex(1);
  Pump();
  EXPECT_EQ(f->m_commands.back(), ID_CMD_COMBO);
  EXPECT_EQ(f->m_comboSelectionSeen, 1);
  EXPECT_EQ(std::count(f->m_commands.begin(), f->m_commands.end(), ID_CMD_COMBO), 1);
  CObList found;
  EXPECT_EQ(CBCGPToolBar::GetCommandButtons(ID_CMD_COMBO, found), 1);

  // The drop-down of a menu button sends the chosen command.
  CMenu popup;
  ASSERT_TRUE(popup.LoadMenu(IDR_MAINFRAME));
  f->m_wndShape.InsertButton(CBCGPToolbarMenuButton(ID_CMD_LINE, popup.GetSubMenu(1)->m_hMenu, -1));
  f->m_wndShape.AdjustLayout();
  QAction* last = Strip(f->m_wndShape)->actions()[2];
  ASSERT_NE(last->menu(), nullptr);
  ASSERT_EQ(last->menu()->actions().size(), 2);
  last->menu()->actions()[1]->trigger();
  Pump();
  EXPECT_EQ(f->m_commands.back(), ID_CMD_CIRCLE);
  CloseFrame(f);
}

TEST_F(BcgTest, DocumentWindowsShowAsTabsOfTheFrame) {
  CTestFrame* f = OpenFrame();
  f->EnableMDITabs(TRUE, TRUE, 0, TRUE);
  EXPECT_TRUE(f->AreMDITabs());
  auto* one = new CBCGPMDIChildWnd;
  auto* two = new CBCGPMDIChildWnd;
  ASSERT_TRUE(one->Create(nullptr, u"Drawing 1", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, f));
  ASSERT_TRUE(two->Create(nullptr, u"Drawing 2", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, f));
  Pump();
  QMdiArea* area = f->GetMdiArea();
  EXPECT_EQ(area->viewMode(), QMdiArea::TabbedView);
  EXPECT_TRUE(area->tabsClosable());
  QTabBar* tabs = area->findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(f->MDIGetActive(), two);
  tabs->setCurrentIndex(0);
  Pump();
  EXPECT_EQ(f->MDIGetActive(), one);
  one->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(tabs->count(), 1);
  EXPECT_EQ(f->MDIGetActive(), two);

  // A document window with a menu of its own puts it on the menu bar while it is active.
  CMenu docMenu;
  ASSERT_TRUE(docMenu.LoadMenuFromText(u"POPUP \"&Edit\"\n MENUITEM \"&Undo\", 57643\nEND\n"));
  auto* three = new CBCGPMDIChildWnd;
  three->m_hMenuShared = docMenu.m_hMenu;
  ASSERT_TRUE(three->Create(nullptr, u"Drawing 3", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, f));
  f->MDIActivate(three);
  Pump();
  ASSERT_EQ(f->MDIGetActive(), three);
  ASSERT_EQ(f->m_wndMenuBar.GetCount(), 1);
  EXPECT_EQ(CString(f->m_wndMenuBar.GetButton(0)->m_strText), CString(u"&Edit"));
  f->MDIActivate(two);
  Pump();
  EXPECT_EQ(f->m_wndMenuBar.GetCount(), 2);
  three->m_hMenuShared = nullptr;  // the menu belongs to the test
  CloseFrame(f);
}

}  // namespace

namespace {

void PickNextPopupItem(int index) {
  static int s_index;
  s_index = index;
  AfxSetPopupMenuHook([](QMenu* m) {
    QTimer::singleShot(0, m, [m] {
      std::vector<QAction*> items;
      for (QAction* a : m->actions())
        if (!a->isSeparator()) items.push_back(a);
      items.at(static_cast<size_t>(s_index))->trigger();
    });
  });
}

TEST_F(BcgTest, CustomizeModeMenuAndTornOffMenusKeptAcrossARestart) {
  CTestFrame* f = OpenFrame();
  // In customisation mode the right button on a button offers to delete it or show its text.
  CBCGPToolBar::SetCustomizeMode(TRUE);
  PickNextPopupItem(2);  // Delete
  f->m_wndStandard.OnContextMenuAt(0, CPoint(10, 10));
  EXPECT_EQ(f->m_wndStandard.GetCount(), 4);
  EXPECT_EQ(f->m_wndStandard.GetItemID(0), ID_CMD_OPEN);
  PickNextPopupItem(5);  // Image and text
  f->m_wndStandard.OnContextMenuAt(0, CPoint(10, 10));
  EXPECT_TRUE(f->m_wndStandard.GetButton(0)->m_bText);
  PickNextPopupItem(7);  // Reset toolbar
  f->m_wndStandard.OnContextMenuAt(0, CPoint(10, 10));
  EXPECT_EQ(f->m_wndStandard.GetCount(), 5);
  AfxSetPopupMenuHook(nullptr);
  // Buttons dragged from the sheet drop where the point is; a bar that finds no drop place
  // (the menu bar of a program that forbids it) refuses them.
  Pump();
  QToolBar* strip = Strip(f->m_wndStandard);
  const QRect second = strip->widgetForAction(strip->actions()[1])->geometry();
  EXPECT_EQ(f->m_wndStandard.DropButton(CBCGPToolbarButton(ID_CMD_CIRCLE, -1), CPoint(second.left() + 1, second.center().y())), 1);
  EXPECT_EQ(f->m_wndStandard.GetItemID(1), ID_CMD_CIRCLE);
  EXPECT_EQ(f->m_wndStandard.GetCount(), 6);
  class CNoDropBar : public CBCGPToolBar {
  public:
    int FindDropIndex(const CPoint, CRect& rectDrag) const override {
      rectDrag.SetRectEmpty();
      return -1;
    }
  } noDrop;
  EXPECT_EQ(noDrop.DropButton(CBCGPToolbarButton(ID_CMD_CIRCLE, -1), CPoint(1, 1)), -1);
  EXPECT_EQ(noDrop.OnDragOver(nullptr, 0, CPoint(1, 1)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
  CBCGPToolBar::SetCustomizeMode(FALSE);
  EXPECT_EQ(f->m_wndStandard.DropButton(CBCGPToolbarButton(ID_CMD_CIRCLE, -1), CPoint(1, 1)), -1);
  f->m_wndStandard.RestoreOriginalstate();

  // A drop-down with a tear-off id becomes a toolbar of its own.
  CMenu popup;
  ASSERT_TRUE(popup.LoadMenu(IDR_MAINFRAME));
  CBCGPToolbarMenuButton lines(ID_CMD_LINE, popup.GetSubMenu(1)->m_hMenu, -1, u"&Lines");
  lines.SetTearOff(59498);
  f->m_wndShape.InsertButton(lines);
  f->m_wndShape.AdjustLayout();
  QMenu* drop = Strip(f->m_wndShape)->actions()[2]->menu();
  ASSERT_NE(drop, nullptr);
  ASSERT_TRUE(drop->actions()[0]->property("kcTearOff").toBool());
  drop->actions()[0]->trigger();
  CBCGPToolBar* torn = f->GetTearOffBar(59498);
  ASSERT_NE(torn, nullptr);
  ASSERT_EQ(torn->GetCount(), 2);
  EXPECT_EQ(torn->GetItemID(1), ID_CMD_CIRCLE);
  CString title;
  torn->GetWindowText(title);
  EXPECT_EQ(title, CString(u"Lines"));
  EXPECT_EQ(f->m_wndShape.TearOffButton(2), torn);  // a second tear-off shows the same toolbar
  const std::string before = Snapshot(f);
  CloseFrame(f);

  f = OpenFrame();
  torn = f->GetTearOffBar(59498);
  ASSERT_NE(torn, nullptr);
  EXPECT_EQ(torn->GetCount(), 2);
  EXPECT_EQ(Snapshot(f), before);
  CloseFrame(f);
}

}  // namespace

#include <QtCore/QMimeData>
#include <QtGui/QDragEnterEvent>
#include <QtWidgets/QApplication>

namespace {

TEST_F(BcgTest, ButtonsDraggedInCustomizationModeDropWithTheirClassAndContents) {
  CTestFrame* f = OpenFrame();
  CBCGPToolbarComboBoxButton combo(ID_CMD_COMBO, -1, CBS_DROPDOWNLIST, 90);
  combo.AddItem(u"Red", 7);
  combo.AddItem(u"Blue", 9);
  combo.SelectItem(1);
  std::unique_ptr<QMimeData> data(CBCGPToolBar::CreateButtonMimeData(combo));
  ASSERT_NE(data, nullptr);
  QToolBar* strip = Strip(f->m_wndStandard);
  const QRect second = strip->widgetForAction(strip->actions()[1])->geometry();
  const QPoint at(second.left() + 2, second.center().y());

  // Outside customisation mode the toolbar takes no drops.
  QDragEnterEvent refused(at, Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(strip, &refused);
  EXPECT_FALSE(refused.isAccepted());

  CBCGPToolBar::SetCustomizeMode(TRUE);
  QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(strip, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(at), Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(strip, &drop);
  EXPECT_TRUE(drop.isAccepted());
  CBCGPToolBar::SetCustomizeMode(FALSE);
  ASSERT_EQ(f->m_wndStandard.GetCount(), 6);
  auto* dropped = DYNAMIC_DOWNCAST(CBCGPToolbarComboBoxButton, f->m_wndStandard.GetButton(1));
  ASSERT_NE(dropped, nullptr);
  EXPECT_EQ(dropped->GetCount(), 2);
  EXPECT_EQ(dropped->GetCurSel(), 1);
  EXPECT_EQ(dropped->GetItemData(0), 7u);
  ASSERT_NE(dropped->GetEmbeddedWidget(), nullptr);

  // Data that is not a button is no drop.
  QMimeData junk;
  junk.setData(QStringLiteral("application/x-korvan-toolbar-button"), QByteArray("\\xff\\x01garbage", 10));
  EXPECT_EQ(CBCGPToolBar::ButtonFromMimeData(&junk), nullptr);
  QMimeData text;
  text.setText(QStringLiteral("hello"));
  EXPECT_EQ(CBCGPToolBar::ButtonFromMimeData(&text), nullptr);
  CloseFrame(f);
}

}  // namespace
