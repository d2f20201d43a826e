// The main menus and the default keys shipped in the language libraries.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QString>

#include "platform/afx/ResourceModule.h"
#include "platform/win/CMenu.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinAccelerator.h"

namespace {

constexpr UINT kMenuNoDocument = 110;
constexpr UINT kMenuDrawing = 111;
constexpr UINT kAccelerators = 110;
constexpr UINT kLineCommand = 33412;

std::u16string U(const QString& s) { return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())); }

// Collects every command id reachable from a menu, popups included.
void Collect(CMenu* menu, std::vector<UINT>& ids, int depth = 0) {
  ASSERT_LT(depth, 8);
  const UINT n = menu->GetMenuItemCount();
  for (UINT i = 0; i < n; ++i) {
    const UINT id = menu->GetMenuItemID(int(i));
    if (id == UINT(-1)) {
      CMenu* sub = menu->GetSubMenu(int(i));
      ASSERT_NE(sub, nullptr);
      EXPECT_GT(sub->GetMenuItemCount(), 0u) << "empty popup at " << i;
      Collect(sub, ids, depth + 1);
    } else if (id != 0) {
      ids.push_back(id);
    }
  }
}

std::vector<ACCEL> Entries(HACCEL h) {
  std::vector<ACCEL> v;
  const int n = CopyAcceleratorTable(h, nullptr, 0);
  if (n <= 0) return v;
  v.resize(size_t(n));
  CopyAcceleratorTable(h, v.data(), n);
  return v;
}

class MainMenus : public ::testing::TestWithParam<const char*> {
protected:
  void SetUp() override {
    std::u16string reason;
    const QString path = QStringLiteral(KC_TEST_RESOURCE_DIR "/KcResource%1.rcc").arg(QLatin1String(GetParam()));
    module = ResourceModule::Load(U(path), &reason);
    ASSERT_TRUE(module) << QString::fromStdU16String(reason).toStdString();
    AfxAddResourceModule(module.get());
  }
  void TearDown() override {
    if (module) AfxRemoveResourceModule(module.get());
  }
  std::unique_ptr<ResourceModule> module;
};

TEST_P(MainMenus, BothMenuBarsLoadWithTopLevelPopupsAndUniqueCommands) {
  for (UINT id : {kMenuNoDocument, kMenuDrawing}) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(id)) << id;
    ASSERT_GT(menu.GetMenuItemCount(), 2u) << id;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i)
      EXPECT_EQ(menu.GetMenuItemID(int(i)), UINT(-1)) << "menu bar " << id << " item " << i << " is not a popup";
    std::vector<UINT> ids;
    Collect(&menu, ids);
    std::set<UINT> seen;
    for (UINT c : ids) EXPECT_TRUE(seen.insert(c).second) << "command " << c << " twice in menu " << id;
    // File > New, Open and Exit are always there.
    for (UINT c : {57600u, 57601u, 57665u, 57664u}) EXPECT_TRUE(seen.count(c)) << c << " missing from " << id;
  }
}

TEST_P(MainMenus, DrawingMenuReachesTheDrawingCommands) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(kMenuDrawing));
  std::vector<UINT> ids;
  Collect(&menu, ids);
  const std::set<UINT> seen(ids.begin(), ids.end());
  for (UINT c : {kLineCommand, 33442u, 33462u, 33512u, 33552u, 33723u, 33724u, 57632u, 57643u, 57644u, 57603u, 34644u})
    EXPECT_TRUE(seen.count(c)) << c;
  // The line command's text is the command's display name, shown under the Shape > Line popup.
  CString text;
  EXPECT_GT(menu.GetMenuString(kLineCommand, text, MF_BYCOMMAND), 0);
  EXPECT_FALSE(text.IsEmpty());
}

TEST_P(MainMenus, MenuWithoutDocumentOffersNoDrawingCommands) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(kMenuNoDocument));
  std::vector<UINT> ids;
  Collect(&menu, ids);
  for (UINT c : ids) {
    EXPECT_FALSE(c >= 33402 && c <= 33844) << c;  // shapes and edits need a drawing
    EXPECT_NE(c, 57603u);                         // nothing to save
  }
}

TEST_P(MainMenus, AcceleratorsLoadWithoutClashes) {
  HACCEL h = LoadAccelerators(nullptr, MAKEINTRESOURCE(kAccelerators));
  ASSERT_NE(h, nullptr);
  const std::vector<ACCEL> entries = Entries(h);
  DestroyAcceleratorTable(h);
  ASSERT_FALSE(entries.empty());
  std::set<std::pair<int, int>> keys;
  std::set<UINT> commands;
  for (const ACCEL& a : entries) {
    EXPECT_TRUE(keys.insert({a.fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), a.key}).second) << "key " << a.key << " twice";
    commands.insert(a.cmd);
  }
  for (UINT c : {57600u, 57601u, 57603u, 57643u, 57644u, 57634u, 57635u, 57637u, 57632u}) EXPECT_TRUE(commands.count(c)) << c;
  // Ctrl+N opens a new drawing.
  bool ctrlN = false;
  for (const ACCEL& a : entries)
    if (a.key == 'N' && (a.fVirt & FCONTROL) && !(a.fVirt & (FSHIFT | FALT))) ctrlN = a.cmd == 57600;
  EXPECT_TRUE(ctrlN);
}

TEST_P(MainMenus, MenuShortcutTextsMatchTheAcceleratorTable) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(kMenuDrawing));
  HACCEL h = LoadAccelerators(nullptr, MAKEINTRESOURCE(kAccelerators));
  ASSERT_NE(h, nullptr);
  const std::vector<ACCEL> entries = Entries(h);
  DestroyAcceleratorTable(h);
  std::vector<UINT> ids;
  Collect(&menu, ids);
  for (UINT c : ids) {
    CString text;
    menu.GetMenuString(c, text, MF_BYCOMMAND);
    const int tab = text.Find(_T('\t'));
    if (tab < 0) continue;
    bool found = false;
    for (const ACCEL& a : entries) found = found || a.cmd == c;
    EXPECT_TRUE(found) << "command " << c << " shows a shortcut the table lacks";
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, MainMenus, ::testing::Values("ENG", "JPN"));

}  // namespace

namespace {

// The numbers of the resources of one type folder, read from the source tree of both languages.
std::vector<UINT> ResourceIds(const char* type) {
  std::vector<UINT> ids;
  QDir dir(QStringLiteral(KC_TEST_RESOURCE_SOURCE_DIR "/ENG/%1").arg(QLatin1String(type)));
  for (const QString& name : dir.entryList(QDir::Files)) ids.push_back(QFileInfo(name).baseName().toUInt());
  return ids;
}

// Every command id of a menu in order, popups flattened, with 0 for separators.
std::vector<UINT> Layout(CMenu* menu) {
  std::vector<UINT> ids;
  for (UINT i = 0; i < menu->GetMenuItemCount(); ++i) {
    const UINT id = menu->GetMenuItemID(int(i));
    ids.push_back(id);
    if (id == UINT(-1))
      if (CMenu* sub = menu->GetSubMenu(int(i))) {
        const std::vector<UINT> inner = Layout(sub);
        ids.insert(ids.end(), inner.begin(), inner.end());
      }
  }
  return ids;
}

}  // namespace

TEST_P(MainMenus, EveryMenuAndDialogTemplateLoads) {
  const std::vector<UINT> menus = ResourceIds("MENU");
  ASSERT_FALSE(menus.empty());
  for (UINT id : menus) {
    CMenu menu;
    EXPECT_TRUE(menu.LoadMenu(id)) << "menu " << id;
  }
  for (UINT id : ResourceIds("DIALOG")) {
    std::vector<BYTE> bytes;
    ASSERT_TRUE(AfxFindResourceData("DIALOG", id, bytes)) << "dialog " << id;
    DialogTemplate dialog;
    CString error;
    EXPECT_TRUE(dialog.Parse(bytes.data(), bytes.size(), &error)) << "dialog " << id << ": " << QString::fromStdU16String(std::u16string(error.GetString())).toStdString();
  }
}


// The languages differ in their texts only: the same menus with the same commands in the same places, the
// same dialogs with the same controls.
TEST(LanguageLibraries, MenusAndDialogsHaveTheSameLayoutInBothLanguages) {
  std::map<std::string, std::vector<std::vector<UINT>>> layouts;
  for (const char* lang : {"ENG", "JPN"}) {
    std::u16string reason;
    const QString path = QStringLiteral(KC_TEST_RESOURCE_DIR "/KcResource%1.rcc").arg(QLatin1String(lang));
    std::unique_ptr<ResourceModule> module = ResourceModule::Load(U(path), &reason);
    ASSERT_TRUE(module);
    AfxAddResourceModule(module.get());
    for (UINT id : ResourceIds("MENU")) {
      CMenu menu;
      menu.LoadMenu(id);
      layouts[lang].push_back(Layout(&menu));
    }
    for (UINT id : ResourceIds("DIALOG")) {
      std::vector<BYTE> bytes;
      DialogTemplate dialog;
      std::vector<UINT> controls;
      if (AfxFindResourceData("DIALOG", id, bytes) && dialog.Parse(bytes.data(), bytes.size()))
        for (const DialogItemTemplate& item : dialog.items) controls.push_back(UINT(item.id));
      layouts[lang].push_back(controls);
    }
    AfxRemoveResourceModule(module.get());
  }
  EXPECT_EQ(layouts["ENG"], layouts["JPN"]);
}
