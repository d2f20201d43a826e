// List and tree views and image lists: state-change notifications in order, clicks, label
// editing accepted, refused and cancelled, sorting, check boxes, custom draw on pixels.

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListView>
#include <QtWidgets/QTreeWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CEdit.h"
#include "platform/win/CImageList.h"
#include "platform/win/CListCtrl.h"
#include "platform/win/CTreeCtrl.h"

namespace {

void Pump(int ms = 0) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (t.elapsed() < ms);
}

struct Told {
  UINT code;
  int item;
  UINT oldState;
  UINT newState;
  std::string text;
  bool hasText;
};

class CListParent : public CWnd {
public:
  std::vector<Told> told;
  std::map<UINT, LRESULT> answers;
  std::function<LRESULT(NMHDR*)> onNotify;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(lParam);
      if (h->code == LVN_ITEMCHANGED) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
        told.push_back({h->code, nm->iItem, nm->uOldState, nm->uNewState, {}, false});
      } else if (h->code == LVN_BEGINLABELEDIT || h->code == LVN_ENDLABELEDIT) {
        auto* di = reinterpret_cast<NMLVDISPINFO*>(lParam);
        told.push_back({h->code, di->item.iItem, 0, 0,
                        di->item.pszText ? QString::fromUtf16(di->item.pszText).toStdString() : std::string(),
                        di->item.pszText != nullptr});
      } else if (h->code != NM_CUSTOMDRAW && h->code != NM_SETFOCUS && h->code != NM_KILLFOCUS && h->code != LVN_KEYDOWN) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
        told.push_back({h->code, nm->iItem, 0, 0, {}, false});
      }
      if (onNotify) {
        const LRESULT r = onNotify(h);
        if (r != -12345) return r;
      }
      if (auto it = answers.find(h->code); it != answers.end()) return it->second;
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<Told> Take() {
    std::vector<Told> v;
    v.swap(told);
    return v;
  }
};

class ListTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, u"lists", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 400, 300), nullptr, 0));
    parent.ShowWindow(SW_SHOW);
    parent.SetActiveWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(parent.GetQWidget()));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS, CRect(0, 0, 380, 260),
                            &parent, 500));
    list.InsertColumn(0, u"Name", LVCFMT_LEFT, 120);
    list.InsertColumn(1, u"Size", LVCFMT_RIGHT, 80);
    const char16_t* names[] = {u"beta", u"alpha", u"gamma"};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(list.InsertItem(i, names[i]), i);
      list.SetItemText(i, 1, QString::number((i + 1) * 10).toStdU16String().c_str());
      list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
    }
    parent.Take();
  }
  void TearDown() override {
    parent.DestroyWindow();
    Pump();
  }
  QTreeWidget* View() { return qobject_cast<QTreeWidget*>(list.GetQWidget()); }
  CListParent parent;
  CListCtrl list;
};

std::string S(const CString& s) { return s.ToQString().toStdString(); }

TEST_F(ListTest, ItemsColumnsAndData) {
  EXPECT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(S(list.GetItemText(1, 0)), "alpha");
  EXPECT_EQ(S(list.GetItemText(2, 1)), "30");
  EXPECT_EQ(list.GetItemData(2), static_cast<DWORD_PTR>(102));
  EXPECT_EQ(list.GetColumnWidth(0), 120);
  // A column put in front moves the texts along.
  list.InsertColumn(0, u"Flag", LVCFMT_LEFT, 40);
  EXPECT_EQ(S(list.GetItemText(0, 1)), "beta");
  EXPECT_EQ(S(list.GetItemText(0, 2)), "10");
  EXPECT_TRUE(list.DeleteColumn(0));
  EXPECT_EQ(S(list.GetItemText(0, 0)), "beta");
  LVFINDINFO fi{LVFI_PARAM, nullptr, 101};
  EXPECT_EQ(list.FindItem(&fi), 1);
  EXPECT_FALSE(list.SetItemText(7, 0, u"x"));
  EXPECT_EQ(S(list.GetItemText(7, 0)), "");
  EXPECT_TRUE(list.DeleteItem(0));
  const std::vector<Told> t = parent.Take();
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.front().code, static_cast<UINT>(LVN_DELETEITEM));
  EXPECT_EQ(list.GetItemCount(), 2);
}

TEST_F(ListTest, StateChangesAreToldLossesFirstThenTheClick) {
  list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  std::vector<Told> t = parent.Take();
  ASSERT_EQ(t.size(), 1u) << "one change for the item, state and focus together";
  EXPECT_EQ(t[0].item, 0);
  EXPECT_EQ(t[0].oldState, 0u);
  EXPECT_EQ(t[0].newState, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);

  CRect r;
  ASSERT_TRUE(list.GetItemRect(2, &r, LVIR_LABEL));
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, QPoint(r.left + 5, r.top + r.Height() / 2 - View()->viewport()->y()));
  t = parent.Take();
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(t[0].code, static_cast<UINT>(LVN_ITEMCHANGED));
  EXPECT_EQ(t[0].item, 0);
  EXPECT_EQ(t[0].newState, 0u);
  EXPECT_EQ(t[1].code, static_cast<UINT>(LVN_ITEMCHANGED));
  EXPECT_EQ(t[1].item, 2);
  EXPECT_EQ(t[1].newState, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(t.back().code, static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(t.back().item, 2);
  POSITION pos = list.GetFirstSelectedItemPosition();
  EXPECT_EQ(list.GetNextSelectedItem(pos), 2);
  EXPECT_EQ(pos, nullptr);
}

TEST_F(ListTest, LabelEditingIsAcceptedRefusedOrCancelled) {
  // Accepted.
  parent.answers[LVN_ENDLABELEDIT] = TRUE;
  ASSERT_NE(list.EditLabel(1), nullptr);
  CEdit* edit = list.GetEditControl();
  ASSERT_NE(edit, nullptr);
  edit->SetWindowText(u"delta");
  QTest::keyClick(edit->GetQWidget(), Qt::Key_Return);
  Pump(10);
  std::vector<Told> t = parent.Take();
  auto labels = [](const std::vector<Told>& v) {
    std::vector<Told> out;
    for (const Told& x : v)
      if (x.code == LVN_BEGINLABELEDIT || x.code == LVN_ENDLABELEDIT) out.push_back(x);
    return out;
  };
  std::vector<Told> l = labels(t);
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].code, static_cast<UINT>(LVN_BEGINLABELEDIT));
  EXPECT_EQ(l[0].text, "alpha");
  EXPECT_EQ(l[1].code, static_cast<UINT>(LVN_ENDLABELEDIT));
  EXPECT_EQ(l[1].text, "delta");
  EXPECT_EQ(S(list.GetItemText(1, 0)), "delta");

  // Refused by the parent: the text stays.
  parent.answers[LVN_ENDLABELEDIT] = FALSE;
  list.EditLabel(1);
  list.GetEditControl()->SetWindowText(u"epsilon");
  QTest::keyClick(list.GetEditControl()->GetQWidget(), Qt::Key_Return);
  Pump(10);
  EXPECT_EQ(S(list.GetItemText(1, 0)), "delta");

  // Cancelled: the end comes without a text.
  parent.Take();
  list.EditLabel(0);
  QTest::keyClick(list.GetEditControl()->GetQWidget(), Qt::Key_Escape);
  Pump(10);
  l = labels(parent.Take());
  ASSERT_EQ(l.size(), 2u);
  EXPECT_FALSE(l[1].hasText);
  EXPECT_EQ(S(list.GetItemText(0, 0)), "beta");

  // A parent may refuse to let an item be edited at all.
  parent.answers[LVN_BEGINLABELEDIT] = TRUE;
  EXPECT_EQ(list.EditLabel(2), nullptr);
  EXPECT_EQ(list.GetEditControl(), nullptr);
}

int CALLBACK_ByDataDescending(LPARAM a, LPARAM b, LPARAM) { return a > b ? -1 : a < b ? 1 : 0; }

TEST_F(ListTest, SortingKeepsTheSelectedItem) {
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  parent.Take();
  ASSERT_TRUE(list.SortItems(&CALLBACK_ByDataDescending, 0));
  EXPECT_EQ(S(list.GetItemText(0, 0)), "gamma");
  EXPECT_EQ(S(list.GetItemText(2, 0)), "beta");
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1) << "alpha, still selected, stays in the middle";
  EXPECT_EQ(list.GetItemData(0), static_cast<DWORD_PTR>(102));
}

TEST_F(ListTest, CheckBoxesAreStateImages) {
  list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  parent.Take();
  EXPECT_FALSE(list.GetCheck(1));
  list.SetCheck(1, TRUE);
  EXPECT_TRUE(list.GetCheck(1));
  const std::vector<Told> t = parent.Take();
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].oldState & LVIS_STATEIMAGEMASK, static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
  EXPECT_EQ(t[0].newState & LVIS_STATEIMAGEMASK, static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)));
}

TEST_F(ListTest, CustomDrawColoursAnItem) {
  parent.onNotify = [](NMHDR* h) -> LRESULT {
    if (h->code != NM_CUSTOMDRAW) return -12345;
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(h);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if ((cd->nmcd.dwDrawStage & CDDS_ITEMPREPAINT) == CDDS_ITEMPREPAINT && cd->nmcd.dwItemSpec == 1) cd->clrTextBk = RGB(0, 200, 0);
    return CDRF_DODEFAULT;
  };
  CRect r;
  list.GetItemRect(1, &r, LVIR_BOUNDS);
  const QImage img = list.GetQWidget()->grab().toImage();
  EXPECT_EQ(img.pixel(r.right - 3, r.top + 2) & 0xFFFFFF, qRgb(0, 200, 0) & 0xFFFFFF);
  list.GetItemRect(0, &r, LVIR_BOUNDS);
  EXPECT_NE(img.pixel(r.right - 3, r.top + 2) & 0xFFFFFF, qRgb(0, 200, 0) & 0xFFFFFF);
}

TEST_F(ListTest, CustomDrawNewFontDrawsTheItemInTheSelectedFont) {
  CFont big;
  ASSERT_TRUE(big.CreatePointFont(180, u"Sans"));
  bool newFont = false;
  parent.onNotify = [&](NMHDR* h) -> LRESULT {
    if (h->code != NM_CUSTOMDRAW) return -12345;
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(h);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if ((cd->nmcd.dwDrawStage & CDDS_ITEMPREPAINT) == CDDS_ITEMPREPAINT && cd->nmcd.dwItemSpec == 1) {
      CDC::FromHandle(cd->nmcd.hdc)->SelectObject(&big);
      return newFont ? CDRF_NEWFONT : CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
  };
  CRect r0, r1;
  list.GetItemRect(0, &r0, LVIR_BOUNDS);
  list.GetItemRect(1, &r1, LVIR_BOUNDS);
  const QImage plain = list.GetQWidget()->grab().toImage();
  newFont = true;
  list.Invalidate();
  const QImage bold = list.GetQWidget()->grab().toImage();
  auto same = [&](const CRect& r) {
    const QRect q(r.left, r.top, r.Width(), r.Height());
    return plain.copy(q) == bold.copy(q);
  };
  EXPECT_TRUE(same(r0)) << "other items keep the list's font";
  EXPECT_FALSE(same(r1)) << "the item is drawn in the font selected into its DC";
}

TEST_F(ListTest, CustomDrawPostPaintDrawsOverTheItemInClientCoordinates) {
  // The parent marks a 6 x 6 square 12 pixels left of item 1's label, after the item is drawn; in the
  // report form (the header above the rows) and in the icon form alike, the square stands where the
  // client coordinates of GetItemRect say.
  CRect mark;
  int posts = 0;
  parent.onNotify = [&](NMHDR* h) -> LRESULT {
    if (h->code != NM_CUSTOMDRAW) return -12345;
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(h);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return cd->nmcd.dwItemSpec == 1 ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
    if (cd->nmcd.dwDrawStage == CDDS_ITEMPOSTPAINT) {
      ++posts;
      EXPECT_EQ(cd->nmcd.dwItemSpec, 1u) << "only the item that asked";
      CRect item;
      list.GetItemRect(1, &item, LVIR_BOUNDS);
      EXPECT_EQ(CRect(cd->nmcd.rc).TopLeft(), item.TopLeft()) << "the item's rectangle in client coordinates";
      CDC::FromHandle(cd->nmcd.hdc)->FillSolidRect(&mark, RGB(0, 200, 0));
    }
    return CDRF_DODEFAULT;
  };
  for (const DWORD form : {static_cast<DWORD>(LVS_REPORT), static_cast<DWORD>(LVS_ICON)}) {
    SCOPED_TRACE(form == LVS_REPORT ? "report" : "icon");
    list.ModifyStyle(LVS_TYPEMASK, form);
    list.Arrange(LVA_ALIGNTOP);
    Pump();
    CRect label;
    ASSERT_TRUE(list.GetItemRect(1, &label, LVIR_LABEL));
    const int left = form == LVS_ICON ? label.left : label.left + 20;
    mark = CRect(left - 12, label.top + 2, left - 6, label.top + 8);
    posts = 0;
    const QImage img = list.GetQWidget()->grab().toImage();
    EXPECT_GT(posts, 0);
    EXPECT_EQ(img.pixel(mark.left + 3, mark.top + 3) & 0xFFFFFF, qRgb(0, 200, 0) & 0xFFFFFF);
    EXPECT_NE(img.pixel(mark.left + 3, mark.top - 3) & 0xFFFFFF, qRgb(0, 200, 0) & 0xFFFFFF) << "only the square";
  }
}

// ---- tree view -----------------------------------------------------------------------------

struct TreeTold {
  UINT code;
  UINT action;
  HTREEITEM oldItem;
  HTREEITEM newItem;
  std::string text;
};

class CTreeParent : public CWnd {
public:
  std::vector<TreeTold> told;
  std::map<UINT, LRESULT> answers;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(lParam);
      if (h->code == NM_CUSTOMDRAW || h->code == NM_SETFOCUS || h->code == NM_KILLFOCUS || h->code == TVN_KEYDOWN) return 0;
      TreeTold t{h->code, 0, nullptr, nullptr, {}};
      if (h->code == TVN_BEGINLABELEDIT || h->code == TVN_ENDLABELEDIT) {
        auto* di = reinterpret_cast<NMTVDISPINFO*>(lParam);
        t.newItem = di->item.hItem;
        t.text = di->item.pszText ? QString::fromUtf16(di->item.pszText).toStdString() : "<none>";
      } else if (h->code != NM_CLICK && h->code != NM_DBLCLK && h->code != NM_RCLICK) {
        auto* nm = reinterpret_cast<NMTREEVIEW*>(lParam);
        t.action = nm->action;
        t.oldItem = nm->itemOld.hItem;
        t.newItem = nm->itemNew.hItem;
      }
      told.push_back(t);
      if (auto it = answers.find(h->code); it != answers.end()) return it->second;
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<TreeTold> Take() {
    std::vector<TreeTold> v;
    v.swap(told);
    return v;
  }
};

class TreeTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, u"trees", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 300, 300), nullptr, 0));
    parent.ShowWindow(SW_SHOW);
    parent.SetActiveWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(parent.GetQWidget()));
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_HASLINES | TVS_EDITLABELS,
                            CRect(0, 0, 280, 280), &parent, 600));
    a = tree.InsertItem(u"Layers");
    a1 = tree.InsertItem(u"walls", a);
    a2 = tree.InsertItem(u"doors", a);
    b = tree.InsertItem(u"Blocks");
    tree.SetItemData(a2, 42);
    parent.Take();
  }
  void TearDown() override {
    parent.DestroyWindow();
    Pump();
  }
  QTreeWidget* View() { return qobject_cast<QTreeWidget*>(tree.GetQWidget()); }
  QPoint Centre(HTREEITEM h) {
    CRect r;
    EXPECT_TRUE(tree.GetItemRect(h, &r, TRUE));
    return QPoint(r.left + 4, r.top + r.Height() / 2) - View()->viewport()->pos();
  }
  std::vector<UINT> Codes(const std::vector<TreeTold>& v) {
    std::vector<UINT> c;
    for (const TreeTold& t : v) c.push_back(t.code);
    return c;
  }
  CTreeParent parent;
  CTreeCtrl tree;
  HTREEITEM a = nullptr, a1 = nullptr, a2 = nullptr, b = nullptr;
};

TEST_F(TreeTest, NavigationAndItems) {
  EXPECT_EQ(tree.GetCount(), 4u);
  EXPECT_EQ(tree.GetRootItem(), a);
  EXPECT_EQ(tree.GetNextSiblingItem(a), b);
  EXPECT_EQ(tree.GetChildItem(a), a1);
  EXPECT_EQ(tree.GetNextSiblingItem(a1), a2);
  EXPECT_EQ(tree.GetParentItem(a2), a);
  EXPECT_EQ(tree.GetItemData(a2), static_cast<DWORD_PTR>(42));
  EXPECT_TRUE(tree.ItemHasChildren(a));
  EXPECT_FALSE(tree.ItemHasChildren(b));
  EXPECT_EQ(S(tree.GetItemText(a1)), "walls");
  HTREEITEM first = tree.InsertItem(u"attics", a, TVI_FIRST);
  EXPECT_EQ(tree.GetChildItem(a), first);
  tree.SortChildren(a);
  EXPECT_EQ(S(tree.GetItemText(tree.GetChildItem(a))), "attics");
  EXPECT_EQ(S(tree.GetItemText(tree.GetNextSiblingItem(tree.GetChildItem(a)))), "doors");
  EXPECT_TRUE(tree.Expand(a, TVE_EXPAND));
  EXPECT_TRUE(tree.GetItemState(a, TVIS_EXPANDED));
  EXPECT_EQ(tree.GetNextVisibleItem(a), first);
  EXPECT_TRUE(parent.Take().empty()) << "expanding by message tells nothing";
  // A handle that no longer exists is refused, not followed.
  ASSERT_TRUE(tree.DeleteItem(first));
  EXPECT_EQ(S(tree.GetItemText(first)), "");
  EXPECT_FALSE(tree.SetItemText(first, u"x"));
  EXPECT_EQ(tree.GetCount(), 4u);
}

TEST_F(TreeTest, SelectionIsAskedForAndToldWithItsCause) {
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, Centre(b));
  std::vector<TreeTold> t = parent.Take();
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(t[0].code, static_cast<UINT>(TVN_SELCHANGING));
  EXPECT_EQ(t[0].action, static_cast<UINT>(TVC_BYMOUSE));
  EXPECT_EQ(t[0].newItem, b);
  EXPECT_EQ(t[1].code, static_cast<UINT>(TVN_SELCHANGED));
  EXPECT_EQ(t[2].code, static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(tree.GetSelectedItem(), b);

  QTest::keyClick(View(), Qt::Key_Up);
  t = parent.Take();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].code, static_cast<UINT>(TVN_SELCHANGED));
  EXPECT_EQ(t[1].action, static_cast<UINT>(TVC_BYKEYBOARD));
  EXPECT_EQ(t[1].oldItem, b);
  EXPECT_EQ(t[1].newItem, a);

  parent.answers[TVN_SELCHANGING] = TRUE;
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, Centre(b));
  EXPECT_EQ(tree.GetSelectedItem(), a) << "the parent refused";
  EXPECT_FALSE(tree.SelectItem(b));
  parent.answers.clear();
  EXPECT_TRUE(tree.SelectItem(b));
  t = parent.Take();
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back().action, static_cast<UINT>(TVC_UNKNOWN));
}

TEST_F(TreeTest, UserExpandingMayBeRefused) {
  parent.answers[TVN_ITEMEXPANDING] = TRUE;
  QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, Centre(a));
  EXPECT_FALSE(tree.GetItemState(a, TVIS_EXPANDED));
  parent.answers.clear();
  parent.Take();
  QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, Centre(a));
  EXPECT_TRUE(tree.GetItemState(a, TVIS_EXPANDED));
  const std::vector<UINT> codes = Codes(parent.Take());
  const std::vector<UINT> want{NM_DBLCLK, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED};
  EXPECT_NE(std::search(codes.begin(), codes.end(), want.begin(), want.end()), codes.end());
}

TEST_F(TreeTest, LabelEditingAndDeletingTellTheParent) {
  tree.Expand(a, TVE_EXPAND);
  parent.answers[TVN_ENDLABELEDIT] = TRUE;
  CEdit* edit = tree.EditLabel(a1);
  ASSERT_NE(edit, nullptr);
  edit->SetWindowText(u"stairs");
  QTest::keyClick(edit->GetQWidget(), Qt::Key_Return);
  Pump(10);
  std::vector<TreeTold> t = parent.Take();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].code, static_cast<UINT>(TVN_BEGINLABELEDIT));
  EXPECT_EQ(t[0].text, "walls");
  EXPECT_EQ(t[1].text, "stairs");
  EXPECT_EQ(S(tree.GetItemText(a1)), "stairs");

  tree.SelectItem(a2);
  parent.Take();
  ASSERT_TRUE(tree.DeleteItem(a));
  t = parent.Take();
  std::vector<HTREEITEM> deleted;
  for (const TreeTold& x : t)
    if (x.code == TVN_DELETEITEM) deleted.push_back(x.oldItem);
  EXPECT_EQ(deleted, (std::vector<HTREEITEM>{a2, a1, a})) << "children first";
  EXPECT_EQ(tree.GetCount(), 1u);
  EXPECT_EQ(tree.GetSelectedItem(), b) << "the selection moved on";
}

// Ending an edit from the program (as a bar does before acting on its tree) tells the parent as the
// user's Enter or Esc would, leaves no editor behind, and lets the next edit start; so does deleting the
// item being edited.
TEST_F(TreeTest, AnEditEndedByTheProgramIsToldAndForgotten) {
  tree.Expand(a, TVE_EXPAND);
  parent.answers[TVN_ENDLABELEDIT] = TRUE;
  struct Case {
    const char* name;
    BOOL cancel;
    const char* told;
    const char* label;
  };
  const Case cases[] = {
      {"kept", FALSE, "stairs", "stairs"},
      {"cancelled", TRUE, "<none>", "stairs"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    parent.Take();
    CEdit* edit = tree.EditLabel(a1);
    ASSERT_NE(edit, nullptr);
    edit->SetWindowText(u"stairs");
    EXPECT_TRUE(tree.EndEditLabelNow(c.cancel));
    EXPECT_EQ(tree.GetEditControl(), nullptr) << "no editor right after the end";
    std::vector<TreeTold> t = parent.Take();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].code, static_cast<UINT>(TVN_ENDLABELEDIT));
    EXPECT_EQ(t[1].text, c.told);
    Pump(10);
    EXPECT_EQ(S(tree.GetItemText(a1)), c.label);
    EXPECT_EQ(tree.GetEditControl(), nullptr);
  }
  // The next edit starts and takes what is typed.
  CEdit* edit = tree.EditLabel(a2);
  ASSERT_NE(edit, nullptr);
  edit->SetWindowText(u"windows");
  QTest::keyClick(edit->GetQWidget(), Qt::Key_Return);
  Pump(10);
  EXPECT_EQ(tree.GetEditControl(), nullptr);
  EXPECT_EQ(S(tree.GetItemText(a2)), "windows");

  // The item being edited is deleted: the edit ends without a text, and editing goes on elsewhere.
  ASSERT_NE(tree.EditLabel(a2), nullptr);
  parent.Take();
  ASSERT_TRUE(tree.DeleteItem(a2));
  std::vector<TreeTold> t = parent.Take();
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t[0].code, static_cast<UINT>(TVN_ENDLABELEDIT));
  EXPECT_EQ(t[0].text, "<none>");
  EXPECT_EQ(tree.GetEditControl(), nullptr);
  Pump(10);
  edit = tree.EditLabel(b);
  ASSERT_NE(edit, nullptr) << "a deleted item being edited does not block the next edit";
  edit->SetWindowText(u"Parts");
  QTest::keyClick(edit->GetQWidget(), Qt::Key_Return);
  Pump(10);
  EXPECT_EQ(S(tree.GetItemText(b)), "Parts");
}

TEST_F(TreeTest, DraggingAnItemStartsADrag) {
  const QPoint from = Centre(b);
  QTest::mousePress(View()->viewport(), Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(0, 30)), QPointF(View()->viewport()->mapToGlobal(from + QPoint(0, 30))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &move);
  QTest::mouseRelease(View()->viewport(), Qt::LeftButton, {}, from + QPoint(0, 30));
  std::vector<TreeTold> t = parent.Take();
  auto it = std::find_if(t.begin(), t.end(), [](const TreeTold& x) { return x.code == TVN_BEGINDRAG; });
  ASSERT_NE(it, t.end());
  EXPECT_EQ(it->newItem, b);
}

TEST_F(TreeTest, CheckBoxesAndCustomDraw) {
  CTreeCtrl checks;
  ASSERT_TRUE(checks.Create(WS_CHILD | WS_VISIBLE | TVS_CHECKBOXES, CRect(0, 0, 200, 100), &parent, 601));
  HTREEITEM x = checks.InsertItem(u"x");
  EXPECT_FALSE(checks.GetCheck(x));
  checks.SetCheck(x, TRUE);
  EXPECT_TRUE(checks.GetCheck(x));
  EXPECT_EQ(checks.GetItemState(x, TVIS_STATEIMAGEMASK), static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)));
  // A click on the box: the parent hears NM_CLICK, finds the box by hit test, and the box changes.
  auto* view = qobject_cast<QTreeWidget*>(checks.GetQWidget());
  CPoint box;
  bool found = false;
  CRect r;
  ASSERT_TRUE(checks.GetItemRect(x, &r, FALSE));
  for (int px = r.left; px < r.right && !found; ++px) {
    UINT flags = 0;
    if (checks.HitTest(CPoint(px, r.CenterPoint().y), &flags) == x && flags == TVHT_ONITEMSTATEICON) {
      box = CPoint(px + 3, r.CenterPoint().y);
      found = true;
    }
  }
  ASSERT_TRUE(found);
  parent.Take();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(box.x, box.y) - view->viewport()->pos());
  EXPECT_FALSE(checks.GetCheck(x));
  EXPECT_EQ(Codes(parent.Take()), (std::vector<UINT>{NM_CLICK}));
  checks.DestroyWindow();

  // A parent colouring one level of the tree.
  struct Painter : CTreeParent {
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (cd->iLevel == 1) cd->clrTextBk = RGB(250, 200, 0);
        return CDRF_DODEFAULT;
      }
      return CTreeParent::WindowProc(message, wParam, lParam);
    }
  } painter;
  ASSERT_TRUE(painter.CreateEx(0, nullptr, u"paint", WS_OVERLAPPED, CRect(0, 0, 200, 200), nullptr, 0));
  CTreeCtrl t;
  ASSERT_TRUE(t.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &painter, 602));
  HTREEITEM top = t.InsertItem(u"top");
  HTREEITEM kid = t.InsertItem(u"kid", top);
  t.Expand(top, TVE_EXPAND);
  CRect rk, rt;
  ASSERT_TRUE(t.GetItemRect(kid, &rk, TRUE));
  ASSERT_TRUE(t.GetItemRect(top, &rt, TRUE));
  const QImage img = t.GetQWidget()->grab().toImage();
  EXPECT_EQ(img.pixel(rk.right - 2, rk.top + 1) & 0xFFFFFF, qRgb(250, 200, 0) & 0xFFFFFF);
  EXPECT_NE(img.pixel(rt.right - 2, rt.top + 1) & 0xFFFFFF, qRgb(250, 200, 0) & 0xFFFFFF);
  painter.DestroyWindow();
}

TEST_F(ListTest, TextsAndImagesAskedFromTheParent) {
  int asked = 0;
  parent.onNotify = [&](NMHDR* h) -> LRESULT {
    if (h->code != LVN_GETDISPINFO) return -12345;
    ++asked;
    auto* di = reinterpret_cast<NMLVDISPINFO*>(h);
    if (di->item.mask & LVIF_TEXT) {
      const std::u16string t = QStringLiteral("row %1 col %2").arg(di->item.iItem).arg(di->item.iSubItem).toStdU16String();
      const size_t n = std::min<size_t>(t.size(), static_cast<size_t>(di->item.cchTextMax) - 1);
      std::copy(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(n), di->item.pszText);
      di->item.pszText[n] = 0;
    }
    if (di->item.mask & LVIF_IMAGE) di->item.iImage = 5;
    return 0;
  };
  LVITEM it{};
  it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  it.iItem = 3;
  it.pszText = LPSTR_TEXTCALLBACK;
  it.iImage = I_IMAGECALLBACK;
  it.lParam = 77;
  ASSERT_EQ(list.InsertItem(&it), 3);
  list.SetItemText(3, 1, LPSTR_TEXTCALLBACK);
  EXPECT_EQ(S(list.GetItemText(3, 0)), "row 3 col 0");
  EXPECT_EQ(S(list.GetItemText(3, 1)), "row 3 col 1");
  EXPECT_EQ(S(list.GetItemText(0, 0)), "beta") << "items with texts of their own ask nothing";
  LVITEM got{};
  got.mask = LVIF_IMAGE;
  got.iItem = 3;
  ASSERT_TRUE(list.GetItem(&got));
  EXPECT_EQ(got.iImage, 5);
  asked = 0;
  list.GetQWidget()->grab();
  EXPECT_GE(asked, 2) << "drawing the item asks for what it shows";
}

TEST_F(ListTest, IconAndListFormsShowTheSameItems) {
  QImage strip(64, 32, QImage::Format_RGB32);
  strip.fill(qRgb(0, 128, 255));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateFromImage(strip));
  CImageList large;
  ASSERT_TRUE(large.Create(32, 32, ILC_COLOR32, 2, 2));
  large.Add(&bmp, static_cast<COLORREF>(CLR_NONE));
  list.SetImageList(&large, LVSIL_NORMAL);
  list.ModifyStyle(LVS_TYPEMASK, LVS_ICON);
  CRect r0, r1;
  ASSERT_TRUE(list.GetItemRect(0, &r0, LVIR_BOUNDS));
  ASSERT_TRUE(list.GetItemRect(1, &r1, LVIR_BOUNDS));
  EXPECT_EQ(r0.top, r1.top) << "icons stand side by side";
  EXPECT_GT(r1.left, r0.left);
  EXPECT_GE(r0.Height(), 32);
  parent.Take();
  auto* icons = list.GetQWidget()->findChild<QListView*>();
  ASSERT_NE(icons, nullptr);
  ASSERT_TRUE(icons->isVisible());
  const QPoint at = icons->viewport()->mapFrom(list.GetQWidget(), QPoint(r1.CenterPoint().x, r1.CenterPoint().y));
  QTest::mouseClick(icons->viewport(), Qt::LeftButton, {}, at);
  std::vector<Told> t = parent.Take();
  ASSERT_GE(t.size(), 2u);
  EXPECT_EQ(t[0].code, static_cast<UINT>(LVN_ITEMCHANGED));
  EXPECT_EQ(t[0].item, 1);
  EXPECT_EQ(t[0].newState, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED)) << "one change, selection and focus together";
  EXPECT_EQ(t.back().code, static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(t.back().item, 1);
  EXPECT_EQ(list.HitTest(CPoint(r0.CenterPoint())), 0);

  list.ModifyStyle(LVS_TYPEMASK, LVS_LIST);
  ASSERT_TRUE(list.GetItemRect(0, &r0, LVIR_BOUNDS));
  ASSERT_TRUE(list.GetItemRect(1, &r1, LVIR_BOUNDS));
  EXPECT_GT(r1.top, r0.top) << "a list runs down first";
  list.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1) << "the selection is the same in every form";
  list.GetQWidget()->repaint();
  EXPECT_FALSE(icons->isVisible());
}

class CRowPainter : public CListCtrl {
public:
  std::vector<UINT> rows;
  void DrawItem(LPDRAWITEMSTRUCT d) override {
    rows.push_back(d->itemID);
    CDC::FromHandle(d->hDC)->FillSolidRect(&d->rcItem, d->itemData == 2 ? RGB(0, 0, 200) : RGB(230, 230, 230));
  }
};

TEST(OwnerDrawnListTest, RowsArePaintedWholeByDrawItem) {
  CListParent host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, u"rows", WS_OVERLAPPED, CRect(0, 0, 300, 200), nullptr, 0));
  CRowPainter list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 300, 200), &host, 501));
  list.InsertColumn(0, u"a", LVCFMT_LEFT, 100);
  list.InsertColumn(1, u"b", LVCFMT_LEFT, 100);
  for (int i = 0; i < 3; ++i) {
    list.InsertItem(i, u"x");
    list.SetItemData(i, static_cast<DWORD_PTR>(i + 1));
  }
  CRect r;
  ASSERT_TRUE(list.GetItemRect(1, &r, LVIR_BOUNDS));
  const QImage img = list.GetQWidget()->grab().toImage();
  EXPECT_EQ(img.pixel(150, r.top + r.Height() / 2) & 0xFFFFFF, qRgb(0, 0, 200) & 0xFFFFFF) << "the second column too";
  EXPECT_EQ(img.pixel(10, r.top + r.Height() / 2) & 0xFFFFFF, qRgb(0, 0, 200) & 0xFFFFFF);
  EXPECT_NE(std::find(list.rows.begin(), list.rows.end(), 1u), list.rows.end());
  host.DestroyWindow();
}

TEST_F(ListTest, InfoTipsAreAskedFromTheParent) {
  list.SetExtendedStyle(LVS_EX_INFOTIP);
  std::string offered;
  parent.onNotify = [&](NMHDR* h) -> LRESULT {
    if (h->code != LVN_GETINFOTIP) return -12345;
    auto* tip = reinterpret_cast<NMLVGETINFOTIP*>(h);
    offered = QString::fromUtf16(tip->pszText).toStdString();
    const std::u16string more = u"gamma: 3 layers";
    std::copy(more.begin(), more.end(), tip->pszText);
    tip->pszText[more.size()] = 0;
    return 0;
  };
  CRect r;
  ASSERT_TRUE(list.GetItemRect(2, &r, LVIR_LABEL));
  const QPoint at = QPoint(r.left + 5, r.CenterPoint().y) - View()->viewport()->pos();
  QHelpEvent help(QEvent::ToolTip, at, View()->viewport()->mapToGlobal(at));
  QApplication::sendEvent(View()->viewport(), &help);
  EXPECT_EQ(offered, "gamma");
}

TEST_F(ListTest, ColumnClickIsTold) {
  QHeaderView* header = View()->header();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(1) + 5, header->height() / 2));
  const std::vector<Told> t = parent.Take();
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].code, static_cast<UINT>(LVN_COLUMNCLICK));
}

TEST_F(TreeTest, InsertMarkShowsWhereADropWouldGo) {
  tree.SetInsertMarkColor(RGB(255, 0, 0));
  ASSERT_TRUE(tree.SetInsertMark(b, FALSE));
  CRect r;
  ASSERT_TRUE(tree.GetItemRect(b, &r, FALSE));
  QImage img = tree.GetQWidget()->grab().toImage();
  const QPoint vp = View()->viewport()->pos();
  EXPECT_EQ(img.pixel(r.left + 30, r.top) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF) << "a line above the item";
  EXPECT_TRUE(tree.SetInsertMark(nullptr));
  img = tree.GetQWidget()->grab().toImage();
  EXPECT_NE(img.pixel(r.left + 30, r.top) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
  (void)vp;
}

TEST_F(TreeTest, DragPictureFollowsThePoints) {
  QImage strip(16, 16, QImage::Format_RGB32);
  strip.fill(qRgb(9, 9, 9));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateFromImage(strip));
  CImageList il;
  ASSERT_TRUE(il.Create(16, 16, ILC_COLOR32, 1, 1));
  il.Add(&bmp, static_cast<COLORREF>(CLR_NONE));
  EXPECT_FALSE(CImageList::DragMove(CPoint(1, 1))) << "no drag yet";
  ASSERT_TRUE(il.BeginDrag(0, CPoint(2, 3)));
  ASSERT_TRUE(CImageList::DragEnter(&tree, CPoint(10, 10)));
  POINT at{};
  EXPECT_TRUE(CImageList::GetDragPosition(&at));
  const QPoint want = tree.GetQWidget()->mapToGlobal(QPoint(10, 10)) - QPoint(2, 3);
  EXPECT_EQ(at.x, want.x());
  EXPECT_EQ(at.y, want.y());
  CImageList::DragMove(CPoint(40, 50));
  CImageList::GetDragPosition(&at);
  EXPECT_EQ(at.x, want.x() + 30);
  EXPECT_EQ(at.y, want.y() + 40);
  CImageList::DragLeave(&tree);
  EXPECT_FALSE(CImageList::GetDragPosition(&at)) << "hidden after leaving";
  CImageList::EndDrag();
  EXPECT_FALSE(CImageList::DragShowNolock(TRUE));
}

TEST(ImageListTest, MaskColourBecomesTransparent) {
  QImage strip(32, 16, QImage::Format_RGB32);
  strip.fill(qRgb(255, 0, 255));
  strip.setPixel(3, 3, qRgb(10, 20, 30));
  strip.setPixel(20, 5, qRgb(40, 50, 60));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateFromImage(strip));
  CImageList il;
  ASSERT_TRUE(il.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2));
  EXPECT_EQ(il.Add(&bmp, RGB(255, 0, 255)), 0);
  EXPECT_EQ(il.GetImageCount(), 2);
  QImage target(16, 16, QImage::Format_RGB32);
  target.fill(qRgb(1, 2, 3));
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateFromPaintDevice(&target));
    EXPECT_TRUE(il.Draw(&dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_FALSE(il.Draw(&dc, 2, CPoint(0, 0), ILD_TRANSPARENT));
  }
  EXPECT_EQ(target.pixel(4, 5) & 0xFFFFFF, qRgb(40, 50, 60) & 0xFFFFFF);
  EXPECT_EQ(target.pixel(0, 0) & 0xFFFFFF, qRgb(1, 2, 3) & 0xFFFFFF) << "the mask colour lets the background through";
  EXPECT_EQ(CImageList::FromHandle(il.GetSafeHandle()), &il);
}

}  // namespace

// A new report list has no column until one is inserted: the columns are exactly those inserted, and
// all of them can go again.
TEST(ListColumnsTest, AReportListHasExactlyTheColumnsInserted) {
  CListParent host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, u"columns", WS_OVERLAPPED, CRect(0, 0, 300, 200), nullptr, 0));
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, 502));
  auto columns = [&list]() {
    int n = 0;
    LVCOLUMN c{};
    c.mask = LVCF_WIDTH;
    while (n < 16 && list.GetColumn(n, &c)) ++n;
    return n;
  };
  EXPECT_EQ(columns(), 0);
  EXPECT_EQ(list.GetColumnWidth(0), 0);
  EXPECT_FALSE(list.DeleteColumn(0));
  // Items can be held before any column exists.
  EXPECT_EQ(list.InsertItem(0, u"early"), 0);
  EXPECT_EQ(list.InsertColumn(0, u"Name", LVCFMT_LEFT, 90), 0);
  EXPECT_EQ(columns(), 1);
  EXPECT_EQ(list.GetColumnWidth(0), 90);
  EXPECT_EQ(S(list.GetItemText(0, 0)), "early");
  EXPECT_EQ(list.InsertColumn(1, u"Value", LVCFMT_LEFT, 100), 1);
  EXPECT_EQ(columns(), 2);
  EXPECT_FALSE(list.DeleteColumn(2));
  char16_t text[16] = {};
  LVCOLUMN c{};
  c.mask = LVCF_TEXT;
  c.pszText = text;
  c.cchTextMax = 16;
  ASSERT_TRUE(list.GetColumn(1, &c));
  EXPECT_EQ(QString::fromUtf16(text), QStringLiteral("Value"));
  EXPECT_TRUE(list.SetItemText(0, 1, u"v"));
  EXPECT_EQ(S(list.GetItemText(0, 1)), "v");
  // Both go; the list then has none, as at the start.
  EXPECT_TRUE(list.DeleteColumn(1));
  EXPECT_TRUE(list.DeleteColumn(0));
  EXPECT_EQ(columns(), 0);
  EXPECT_EQ(list.InsertColumn(0, u"Again", LVCFMT_LEFT, 50), 0);
  EXPECT_EQ(columns(), 1);
  host.DestroyWindow();
}
