#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/afx/CList.h"
#include "platform/afx/CObList.h"
#include "platform/afx/CPtrList.h"
#include "platform/afx/CStringList.h"
#include "platform/afx/CTypedPtrList.h"
#include "tests/platform/afx/collections/ExpectInvalidArg.h"
#include "tests/platform/afx/collections/Tracked.h"

namespace {

using IntList = CList<int, int>;

// The contents walked forwards, checked against the walk backwards.
std::vector<int> Contents(const IntList& l) {
  std::vector<int> forward, backward;
  for (POSITION pos = l.GetHeadPosition(); pos != nullptr;) forward.push_back(l.GetNext(pos));
  for (POSITION pos = l.GetTailPosition(); pos != nullptr;) backward.insert(backward.begin(), l.GetPrev(pos));
  EXPECT_EQ(forward, backward);
  EXPECT_EQ(static_cast<INT_PTR>(forward.size()), l.GetCount());
  return forward;
}

IntList Make(std::initializer_list<int> values, INT_PTR nBlockSize = 10) {
  IntList l(nBlockSize);
  for (int v : values) l.AddTail(v);
  return l;
}

struct ListCase {
  const char* name;
  std::function<void(IntList&)> op;  // applied to {1, 2, 3}
  std::vector<int> expected;
};

TEST(CListTest, EditsGiveTheExpectedContents) {
  const ListCase cases[] = {
      {"add head", [](IntList& l) { l.AddHead(0); }, {0, 1, 2, 3}},
      {"add tail", [](IntList& l) { l.AddTail(4); }, {1, 2, 3, 4}},
      {"add a list at the head keeps its order",
       [](IntList& l) {
         IntList o = Make({8, 9});
         l.AddHead(&o);
       },
       {8, 9, 1, 2, 3}},
      {"add a list at the tail",
       [](IntList& l) {
         IntList o = Make({8, 9});
         l.AddTail(&o);
       },
       {1, 2, 3, 8, 9}},
      {"add the list to itself", [](IntList& l) { l.AddTail(&l); }, {1, 2, 3, 1, 2, 3}},
      {"add the list before itself", [](IntList& l) { l.AddHead(&l); }, {1, 2, 3, 1, 2, 3}},
      {"remove head returns it", [](IntList& l) { EXPECT_EQ(l.RemoveHead(), 1); }, {2, 3}},
      {"remove tail returns it", [](IntList& l) { EXPECT_EQ(l.RemoveTail(), 3); }, {1, 2}},
      {"remove the middle", [](IntList& l) { l.RemoveAt(l.FindIndex(1)); }, {1, 3}},
      {"remove the head by position", [](IntList& l) { l.RemoveAt(l.GetHeadPosition()); }, {2, 3}},
      {"remove the tail by position", [](IntList& l) { l.RemoveAt(l.GetTailPosition()); }, {1, 2}},
      {"insert before the head", [](IntList& l) { l.InsertBefore(l.GetHeadPosition(), 0); }, {0, 1, 2, 3}},
      {"insert before the middle", [](IntList& l) { l.InsertBefore(l.FindIndex(1), 7); }, {1, 7, 2, 3}},
      {"insert before NULL is add head", [](IntList& l) { l.InsertBefore(nullptr, 7); }, {7, 1, 2, 3}},
      {"insert after the tail", [](IntList& l) { l.InsertAfter(l.GetTailPosition(), 4); }, {1, 2, 3, 4}},
      {"insert after the middle", [](IntList& l) { l.InsertAfter(l.FindIndex(1), 7); }, {1, 2, 7, 3}},
      {"insert after NULL is add tail", [](IntList& l) { l.InsertAfter(nullptr, 7); }, {1, 2, 3, 7}},
      {"set at", [](IntList& l) { l.SetAt(l.FindIndex(2), 9); }, {1, 2, 9}},
      {"element references write through",
       [](IntList& l) {
         l.GetHead() = 5;
         l.GetTail() = 6;
         POSITION pos = l.FindIndex(1);
         l.GetAt(pos) = 7;
       },
       {5, 7, 6}},
      {"remove all", [](IntList& l) { l.RemoveAll(); }, {}},
      {"emptied by removal then reused",
       [](IntList& l) {
         while (!l.IsEmpty()) l.RemoveHead();
         l.AddTail(4);
       },
       {4}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    IntList l = Make({1, 2, 3});
    c.op(l);
    EXPECT_EQ(Contents(l), c.expected);
  }
}

TEST(CListTest, FindAndFindIndex) {
  IntList l = Make({5, 6, 5, 7});
  POSITION first = l.Find(5);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, l.GetHeadPosition());
  POSITION second = l.Find(5, first);
  EXPECT_EQ(second, l.FindIndex(2));
  EXPECT_EQ(l.Find(5, second), nullptr);
  EXPECT_EQ(l.Find(8), nullptr);
  EXPECT_EQ(l.FindIndex(3), l.GetTailPosition());
  EXPECT_EQ(l.FindIndex(4), nullptr);
  EXPECT_EQ(l.FindIndex(-1), nullptr);
  EXPECT_EQ(IntList().FindIndex(0), nullptr);

  CStringList names;
  names.AddTail(_T("alpha"));
  names.AddTail(CString(_T("beta")));
  names.AddHead(_T("omega"));
  EXPECT_EQ(names.Find(_T("beta")), names.GetTailPosition());
  EXPECT_EQ(names.Find(_T("gamma")), nullptr);
  EXPECT_TRUE(names.GetHead() == _T("omega"));
}

TEST(CListTest, RemovingAtAPositionKeepsTheOtherPositionsValid) {
  // Small blocks, so the nodes span several blocks and freed nodes get reused.
  IntList l = Make({}, 3);
  std::vector<POSITION> positions;
  for (int i = 0; i < 20; ++i) positions.push_back(l.AddTail(i));

  // Remove every element divisible by 3 while walking; the walk must see every element once.
  std::vector<int> seen;
  for (POSITION pos = l.GetHeadPosition(); pos != nullptr;) {
    POSITION current = pos;
    const int v = l.GetNext(pos);
    seen.push_back(v);
    if (v % 3 == 0) l.RemoveAt(current);
  }
  EXPECT_EQ(seen.size(), 20u);
  for (int i = 0; i < 20; ++i) {
    if (i % 3 != 0) {
      EXPECT_EQ(l.GetAt(positions[i]), i);
    }
  }
  // Freed nodes are reused by new elements without disturbing the old ones.
  for (int i = 0; i < 7; ++i) l.AddHead(100 + i);
  for (int i = 0; i < 20; ++i) {
    if (i % 3 != 0) {
      EXPECT_EQ(l.GetAt(positions[i]), i);
    }
  }
  EXPECT_EQ(l.GetCount(), 13 + 7);
  EXPECT_EQ(l.GetHead(), 106);
}

TEST(CListTest, EmptyListsAndNullPositionsThrow) {
  IntList l;
  const IntList& cl = l;
  POSITION none = nullptr;
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"GetHead", [&] { l.GetHead(); }},       {"const GetTail", [&] { cl.GetTail(); }},
      {"RemoveHead", [&] { l.RemoveHead(); }}, {"RemoveTail", [&] { l.RemoveTail(); }},
      {"GetNext", [&] { l.GetNext(none); }},   {"GetPrev", [&] { cl.GetPrev(none); }},
      {"GetAt", [&] { l.GetAt(none); }},       {"SetAt", [&] { l.SetAt(none, 1); }},
      {"RemoveAt", [&] { l.RemoveAt(none); }},
  };
  for (const auto& [name, f] : cases) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(ThrowsInvalidArg(f));
  }
}

TEST(CListTest, ConstructsAndDestroysExactlyTheElementsItHolds) {
  ASSERT_EQ(Tracked::s_live, 0);
  {
    CList<Tracked> l(4);
    for (int i = 0; i < 30; ++i) l.AddTail(Tracked(i));
    EXPECT_EQ(Tracked::s_live, 30);
    Tracked head = l.RemoveHead();
    EXPECT_EQ(head.value, 0);
    l.RemoveAt(l.FindIndex(10));
    l.RemoveTail();
    EXPECT_EQ(Tracked::s_live, 27 + 1);
    CList<Tracked> copy(l);
    EXPECT_EQ(Tracked::s_live, 2 * 27 + 1);
    copy.RemoveAll();
    EXPECT_EQ(Tracked::s_live, 27 + 1);
    l.AddTail(l.GetHead());  // the argument is an element of the list
    EXPECT_EQ(l.GetTail().value, 1);
  }
  EXPECT_EQ(Tracked::s_live, 0);
}

class Item : public CObject {
 public:
  explicit Item(int n) : n(n) {}
  int n;
};

TEST(CListTest, TypedPointerListsGiveTypedElements) {
  Item a(1), b(2), c(3);
  CTypedPtrList<CObList, Item*> items;
  items.AddTail(&a);
  items.AddTail(&b);
  items.AddHead(&c);
  EXPECT_EQ(items.GetHead()->n, 3);
  EXPECT_EQ(items.GetTail()->n, 2);
  std::vector<int> ns;
  for (POSITION pos = items.GetHeadPosition(); pos != nullptr;) ns.push_back(items.GetNext(pos)->n);
  EXPECT_EQ(ns, (std::vector<int>{3, 1, 2}));
  EXPECT_EQ(items.Find(&b), items.GetTailPosition());
  items.GetHead() = &b;
  EXPECT_EQ(items.RemoveHead(), &b);
  EXPECT_EQ(items.RemoveTail(), &b);
  EXPECT_EQ(items.GetCount(), 1);

  CTypedPtrList<CPtrList, int*> ptrs;
  int x = 1;
  POSITION pos = ptrs.AddTail(&x);
  EXPECT_EQ(ptrs.GetAt(pos), &x);
  EXPECT_TRUE(ThrowsInvalidArg([&] { ptrs.RemoveAt(nullptr); }));
}

}  // namespace
