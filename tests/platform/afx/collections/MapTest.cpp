#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/afx/CMap.h"
#include "platform/afx/CMapPtrToPtr.h"
#include "platform/afx/CMapPtrToWord.h"
#include "platform/afx/CMapStringToOb.h"
#include "platform/afx/CMapStringToPtr.h"
#include "platform/afx/CMapStringToString.h"
#include "platform/afx/CMapWordToOb.h"
#include "platform/afx/CMapWordToPtr.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTypedPtrMap.h"
#include "tests/platform/afx/collections/ExpectInvalidArg.h"
#include "tests/platform/afx/collections/Tracked.h"

// Key types with hashes of their own, the two ways a program may give them.
namespace geo {
struct Cell {
  int row, col;
  bool operator==(const Cell&) const = default;
};
inline int g_cellHashCalls = 0;
// A plain function beside the type.
inline UINT HashKey(const Cell& c) {
  ++g_cellHashCalls;
  return static_cast<UINT>(c.row * 31 + c.col);
}
}  // namespace geo

struct GridPoint {
  int x, y;
  bool operator==(const GridPoint&) const = default;
};
inline int g_gridHashCalls = 0;
// A specialisation of the template, deliberately weak so that keys collide.
template <>
inline UINT AFXAPI HashKey<const GridPoint&>(const GridPoint& key) {
  ++g_gridHashCalls;
  return static_cast<UINT>(key.x % 4);
}

// A specialisation for the key by value also serves maps that pass the key by reference.
struct Tag {
  int id;
  bool operator==(const Tag&) const = default;
};
inline int g_tagHashCalls = 0;
template <>
inline UINT AFXAPI HashKey<Tag>(Tag key) {
  ++g_tagHashCalls;
  return static_cast<UINT>(key.id);
}

namespace {

using IntMap = CMap<int, int, int, int>;

std::map<int, int> Contents(const IntMap& m) {
  std::map<int, int> out;
  POSITION pos = m.GetStartPosition();
  while (pos != nullptr) {
    int k = 0, v = 0;
    m.GetNextAssoc(pos, k, v);
    EXPECT_TRUE(out.emplace(k, v).second) << "key visited twice: " << k;
  }
  EXPECT_EQ(static_cast<INT_PTR>(out.size()), m.GetCount());
  return out;
}

TEST(CMapTest, InsertLookupAndRemove) {
  IntMap m(10);
  EXPECT_EQ(m.GetHashTableSize(), 17u);
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_EQ(m.GetStartPosition(), nullptr);
  int v = -1;
  EXPECT_FALSE(m.Lookup(1, v));
  EXPECT_EQ(v, -1);
  EXPECT_FALSE(m.RemoveKey(1));

  m.SetAt(1, 10);
  m[2] = 20;
  EXPECT_EQ(m[3], 0);  // operator[] inserts a value-initialised entry
  m.SetAt(1, 11);      // replaces
  EXPECT_EQ(m.GetCount(), 3);
  EXPECT_TRUE(m.Lookup(1, v));
  EXPECT_EQ(v, 11);
  ASSERT_NE(m.PLookup(2), nullptr);
  EXPECT_EQ(m.PLookup(2)->key, 2);
  m.PLookup(2)->value = 21;
  EXPECT_EQ(m.PLookup(4), nullptr);
  EXPECT_TRUE(m.RemoveKey(3));
  EXPECT_FALSE(m.RemoveKey(3));
  EXPECT_EQ(Contents(m), (std::map<int, int>{{1, 11}, {2, 21}}));
  m.RemoveAll();
  EXPECT_EQ(m.GetCount(), 0);
  m[5] = 50;  // usable again after RemoveAll
  EXPECT_EQ(Contents(m), (std::map<int, int>{{5, 50}}));
}

TEST(CMapTest, ManyKeysGrowTheTableAndStayFindable) {
  IntMap m;
  m.InitHashTable(17);
  std::map<int, int> expected;
  for (int i = 0; i < 50000; ++i) {
    const int key = i * 7919 - 100000;  // negative and positive, spread out
    m[key] = i;
    expected[key] = i;
  }
  EXPECT_GT(m.GetHashTableSize(), 17u);
  EXPECT_EQ(Contents(m), expected);
  for (const auto& [k, v] : expected) {
    int found = -1;
    ASSERT_TRUE(m.Lookup(k, found)) << k;
    EXPECT_EQ(found, v);
  }
  for (const auto& [k, v] : expected) {
    if (v % 2 == 0) {
      EXPECT_TRUE(m.RemoveKey(k));
    }
  }
  std::erase_if(expected, [](const auto& kv) { return kv.second % 2 == 0; });
  EXPECT_EQ(Contents(m), expected);

  // Setting the table size with entries in place redistributes them.
  m.InitHashTable(101);
  EXPECT_EQ(m.GetHashTableSize(), 101u);
  EXPECT_EQ(Contents(m), expected);
}

TEST(CMapTest, RemovingTheCurrentEntryDuringIterationIsSafe) {
  // Small blocks and a small table: long chains across several blocks.
  IntMap m(3);
  m.InitHashTable(5);
  for (int i = 0; i < 200; ++i) m[i] = i * 2;

  std::set<int> visited;
  POSITION pos = m.GetStartPosition();
  while (pos != nullptr) {
    int k = 0, v = 0;
    m.GetNextAssoc(pos, k, v);
    EXPECT_EQ(v, k * 2);
    EXPECT_TRUE(visited.insert(k).second);
    if (k % 4 != 1) m.RemoveKey(k);
  }
  EXPECT_EQ(visited.size(), 200u);
  EXPECT_EQ(m.GetCount(), 50);
  for (const auto& [k, v] : Contents(m)) EXPECT_EQ(k % 4, 1);

  // Removing everything during iteration ends with an empty, reusable map.
  pos = m.GetStartPosition();
  int removed = 0;
  while (pos != nullptr) {
    int k = 0, v = 0;
    m.GetNextAssoc(pos, k, v);
    removed += m.RemoveKey(k);
  }
  EXPECT_EQ(removed, 50);
  EXPECT_TRUE(m.IsEmpty());
  m[1] = 1;
  EXPECT_EQ(m.GetCount(), 1);
}

TEST(CMapTest, IterationOrderIsStableWhileTheMapIsUnchanged) {
  IntMap m;
  for (int i = 0; i < 100; ++i) m[i * 13] = i;
  auto order = [&] {
    std::vector<int> keys;
    for (const IntMap::CPair* p = m.PGetFirstAssoc(); p != nullptr; p = m.PGetNextAssoc(p))
      keys.push_back(p->key);
    return keys;
  };
  const std::vector<int> first = order();
  EXPECT_EQ(first.size(), 100u);
  EXPECT_EQ(order(), first);
  std::vector<int> viaPositions;
  for (POSITION pos = m.GetStartPosition(); pos != nullptr;) {
    int k, v;
    m.GetNextAssoc(pos, k, v);
    viaPositions.push_back(k);
  }
  EXPECT_EQ(viaPositions, first);
  EXPECT_EQ(IntMap().PGetFirstAssoc(), nullptr);

  POSITION none = nullptr;
  int k, v;
  EXPECT_TRUE(ThrowsInvalidArg([&] { m.GetNextAssoc(none, k, v); }));
}

TEST(CMapTest, KeysWithTheirOwnHashArePickedUp) {
  CMap<geo::Cell, const geo::Cell&, int, int> cells;
  for (int r = 0; r < 30; ++r)
    for (int c = 0; c < 30; ++c) cells[geo::Cell{r, c}] = r * 100 + c;
  EXPECT_GT(geo::g_cellHashCalls, 0);
  int v = 0;
  EXPECT_TRUE(cells.Lookup(geo::Cell{12, 7}, v));
  EXPECT_EQ(v, 1207);
  EXPECT_FALSE(cells.Lookup(geo::Cell{30, 0}, v));

  // The specialisation of HashKey is used; its collisions are resolved by comparing keys.
  CMap<GridPoint, const GridPoint&, int, int> points;
  for (int i = 0; i < 100; ++i) points[GridPoint{i, -i}] = i;
  EXPECT_GT(g_gridHashCalls, 0);
  EXPECT_EQ(points.GetCount(), 100);
  EXPECT_TRUE(points.Lookup(GridPoint{42, -42}, v));
  EXPECT_EQ(v, 42);
  EXPECT_FALSE(points.Lookup(GridPoint{42, 42}, v));
  EXPECT_TRUE(points.RemoveKey(GridPoint{5, -5}));
  EXPECT_EQ(points.GetCount(), 99);

  CMap<Tag, const Tag&, int, int> tags;
  tags[Tag{9}] = 90;
  EXPECT_GT(g_tagHashCalls, 0);
  EXPECT_TRUE(tags.Lookup(Tag{9}, v));
  EXPECT_EQ(v, 90);

  // Text keys hash by their characters, wherever they are stored.
  const TCHAR buffer[] = {u'k', u'e', u'y', 0};
  EXPECT_EQ(HashKey<LPCTSTR>(buffer), HashKey<LPCTSTR>(_T("key")));
}

TEST(CMapTest, StringKeysCompareByText) {
  CMapStringToString m;
  m.SetAt(_T("color"), _T("red"));
  m[_T("width")] = _T("0.25");
  CString key(_T("col"));
  key += _T("or");  // another buffer with the same text
  CString value;
  EXPECT_TRUE(m.Lookup(key, value));
  EXPECT_TRUE(value == _T("red"));
  EXPECT_FALSE(m.Lookup(_T("Color"), value));
  EXPECT_TRUE(m.RemoveKey(key));

  CMap<CString, const CString&, int, int> byRef;
  byRef[CString(_T("日本語"))] = 3;
  int n = 0;
  EXPECT_TRUE(byRef.Lookup(CString(_T("日本語")), n));
  EXPECT_EQ(n, 3);

  CMapStringToPtr ptrs;
  int x = 0;
  ptrs[_T("x")] = &x;
  void* p = nullptr;
  EXPECT_TRUE(ptrs.Lookup(_T("x"), p));
  EXPECT_EQ(p, &x);
  POSITION pos = ptrs.GetStartPosition();
  CString k;
  ptrs.GetNextAssoc(pos, k, p);
  EXPECT_TRUE(k == _T("x"));
  EXPECT_EQ(pos, nullptr);
}

struct Command {
  UINT id;
};

TEST(CMapTest, TypedPointerMapsConvertKeysAndValues) {
  Command a{0x1234}, b{0x8001};
  CTypedPtrMap<CMapWordToPtr, UINT, Command*> commands;
  commands.SetAt(a.id, &a);
  commands[b.id] = &b;
  Command* found = nullptr;
  EXPECT_TRUE(commands.Lookup(0x8001, found));
  EXPECT_EQ(found, &b);
  std::map<UINT, Command*> seen;
  for (POSITION pos = commands.GetStartPosition(); pos != nullptr;) {
    UINT id = 0xFFFFFFFF;  // a stale high half must not survive
    Command* c = nullptr;
    commands.GetNextAssoc(pos, id, c);
    seen[id] = c;
  }
  EXPECT_EQ(seen, (std::map<UINT, Command*>{{0x1234, &a}, {0x8001, &b}}));
  EXPECT_TRUE(commands.RemoveKey(0x1234));
  EXPECT_FALSE(commands.Lookup(0x1234, found));

  CTypedPtrMap<CMapPtrToPtr, Command*, Command*> links;
  links[&a] = &b;
  EXPECT_TRUE(links.Lookup(&a, found));
  EXPECT_EQ(found, &b);

  CMapPtrToWord flags;
  flags[&a] = 7;
  WORD w = 0;
  EXPECT_TRUE(flags.Lookup(&a, w));
  EXPECT_EQ(w, 7);
}

TEST(CMapTest, ConstructsAndDestroysExactlyTheEntriesItHolds) {
  ASSERT_EQ(Tracked::s_live, 0);
  {
    CMap<int, int, Tracked, const Tracked&> m(4);
    for (int i = 0; i < 100; ++i) m.SetAt(i, Tracked(i));
    EXPECT_EQ(Tracked::s_live, 100);
    for (int i = 0; i < 100; i += 2) m.RemoveKey(i);
    EXPECT_EQ(Tracked::s_live, 50);
    CMap<int, int, Tracked, const Tracked&> copy(m);
    EXPECT_EQ(Tracked::s_live, 100);
    Tracked t;
    EXPECT_TRUE(copy.Lookup(51, t));
    EXPECT_EQ(t.value, 51);
    copy.RemoveAll();
    EXPECT_EQ(Tracked::s_live, 51);
  }
  EXPECT_EQ(Tracked::s_live, 0);
}

}  // namespace
