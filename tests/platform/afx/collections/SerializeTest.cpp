#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CDWordArray.h"
#include "platform/afx/CList.h"
#include "platform/afx/CMap.h"
#include "platform/afx/CMapStringToOb.h"
#include "platform/afx/CMapStringToString.h"
#include "platform/afx/CMapWordToOb.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CObList.h"
#include "platform/afx/CPtrArray.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CStringList.h"
#include "platform/afx/CUIntArray.h"
#include "platform/afx/CWordArray.h"

// Outside the anonymous namespace: IMPLEMENT_SERIAL defines its operator>> for other files too.
class CollPart : public CObject {
  DECLARE_SERIAL(CollPart)

 public:
  CollPart() = default;
  explicit CollPart(int n) : n(n) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << n;
    else
      ar >> n;
  }
  int n = 0;
};
IMPLEMENT_SERIAL(CollPart, CObject, 1)

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CObject& obj) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    obj.Serialize(ar);
    ar.Close();
  }
  return Bytes(file.GetBuffer(), file.GetBuffer() + file.GetLength());
}

void Load(const Bytes& bytes, CObject& obj) {
  Bytes copy = bytes;
  CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  obj.Serialize(ar);
  ar.Close();
}

// The cause of the CArchiveException thrown by f, or -1 when f does not throw one.
int ArchiveFailure(const std::function<void()>& f) {
  try {
    f();
  } catch (CException* e) {
    auto* ae = dynamic_cast<CArchiveException*>(e);
    const int cause = ae != nullptr ? ae->m_cause : -2;
    e->Delete();
    return cause;
  }
  return -1;
}

template <class C>
std::vector<typename C::BASE_TYPE> ArrayContents(const C& a) {
  return std::vector<typename C::BASE_TYPE>(a.GetData(), a.GetData() + a.GetSize());
}

TEST(CollectionSerializeTest, ArraysStoreTheirCountAndLittleEndianValues) {
  CArray<int, int> ints;
  ints.Add(1);
  ints.Add(-2);
  EXPECT_EQ(Store(ints), (Bytes{0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF}));

  CByteArray bytes;
  bytes.Add(0xAB);
  EXPECT_EQ(Store(bytes), (Bytes{0x01, 0x00, 0xAB}));
  CWordArray words;
  words.Add(0x1234);
  EXPECT_EQ(Store(words), (Bytes{0x01, 0x00, 0x34, 0x12}));
  CDWordArray dwords;
  dwords.Add(0x12345678);
  EXPECT_EQ(Store(dwords), (Bytes{0x01, 0x00, 0x78, 0x56, 0x34, 0x12}));
  CUIntArray uints;
  uints.Add(7);
  EXPECT_EQ(Store(uints), (Bytes{0x01, 0x00, 0x07, 0x00, 0x00, 0x00}));

  // A count beyond a WORD escalates, and loading reads it back.
  CWordArray many;
  for (int i = 0; i < 70000; ++i) many.Add(static_cast<WORD>(i));
  const Bytes stored = Store(many);
  EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 6), (Bytes{0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
  CWordArray loaded;
  loaded.Add(99);  // loading replaces what was there
  Load(stored, loaded);
  EXPECT_EQ(ArrayContents(loaded), ArrayContents(many));
}

struct Vec2 {
  double x, y;
  bool operator==(const Vec2&) const = default;
};

TEST(CollectionSerializeTest, ValueCollectionsRoundTrip) {
  CArray<Vec2, const Vec2&> vecs;
  vecs.Add(Vec2{1.5, -2.25});
  vecs.Add(Vec2{0, 1e300});
  CArray<Vec2, const Vec2&> vecs2;
  Load(Store(vecs), vecs2);
  EXPECT_EQ(ArrayContents(vecs2), ArrayContents(vecs));

  CArray<bool, bool> flags;
  flags.Add(true);
  flags.Add(false);
  CArray<bool, bool> flags2;
  Load(Store(flags), flags2);
  EXPECT_EQ(ArrayContents(flags2), ArrayContents(flags));

  CStringArray strings;
  strings.Add(_T("plain"));
  strings.Add(_T(""));
  strings.Add(_T("図面 レイヤー"));
  strings.Add(CString(_T('x'), 300));
  CStringArray strings2;
  Load(Store(strings), strings2);
  ASSERT_EQ(strings2.GetSize(), 4);
  for (INT_PTR i = 0; i < 4; ++i) EXPECT_TRUE(strings2[i] == strings[i]) << i;

  CStringList names;
  names.AddTail(_T("a"));
  names.AddTail(_T("ビュー"));
  CStringList names2;
  Load(Store(names), names2);
  ASSERT_EQ(names2.GetCount(), 2);
  EXPECT_TRUE(names2.GetTail() == _T("ビュー"));

  CList<double, double> doubles;
  doubles.AddTail(0.5);
  doubles.AddTail(-3.0);
  CList<double, double> doubles2;
  Load(Store(doubles), doubles2);
  EXPECT_EQ(doubles2.GetHead(), 0.5);
  EXPECT_EQ(doubles2.GetTail(), -3.0);

  CMap<int, int, CString, const CString&> labels;
  labels[3] = _T("three");
  labels[-7] = _T("minus seven");
  CMap<int, int, CString, const CString&> labels2;
  Load(Store(labels), labels2);
  EXPECT_EQ(labels2.GetCount(), 2);
  CString s;
  EXPECT_TRUE(labels2.Lookup(-7, s));
  EXPECT_TRUE(s == _T("minus seven"));

  CMapStringToString settings;
  settings[_T("Unit")] = _T("mm");
  settings[_T("言語")] = _T("JPN");
  CMapStringToString settings2;
  Load(Store(settings), settings2);
  EXPECT_EQ(settings2.GetCount(), 2);
  EXPECT_TRUE(settings2.Lookup(_T("言語"), s));
  EXPECT_TRUE(s == _T("JPN"));
}

TEST(CollectionSerializeTest, ObjectCollectionsStoreSharedObjectsOnce) {
  CollPart p1(1), p2(2);
  CObArray parts;
  parts.Add(&p1);
  parts.Add(&p2);
  parts.Add(&p1);
  parts.Add(nullptr);

  CObArray loaded;
  Load(Store(parts), loaded);
  ASSERT_EQ(loaded.GetSize(), 4);
  auto* a = dynamic_cast<CollPart*>(loaded[0]);
  auto* b = dynamic_cast<CollPart*>(loaded[1]);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->n, 1);
  EXPECT_EQ(b->n, 2);
  EXPECT_EQ(loaded[2], loaded[0]);  // one object, referenced twice
  EXPECT_EQ(loaded[3], nullptr);
  delete a;
  delete b;

  CObList list;
  list.AddTail(&p2);
  list.AddTail(&p2);
  CObList list2;
  Load(Store(list), list2);
  ASSERT_EQ(list2.GetCount(), 2);
  EXPECT_EQ(list2.GetHead(), list2.GetTail());
  EXPECT_EQ(static_cast<CollPart*>(list2.GetHead())->n, 2);
  delete list2.GetHead();

  CMapWordToOb byId;
  byId[10] = &p1;
  byId[20] = nullptr;
  CMapWordToOb byId2;
  Load(Store(byId), byId2);
  CObject* ob = nullptr;
  ASSERT_TRUE(byId2.Lookup(10, ob));
  EXPECT_EQ(static_cast<CollPart*>(ob)->n, 1);
  delete ob;
  EXPECT_TRUE(byId2.Lookup(20, ob));
  EXPECT_EQ(ob, nullptr);

  CMapStringToOb byName;
  byName[_T("p")] = &p2;
  CMapStringToOb byName2;
  Load(Store(byName), byName2);
  ASSERT_TRUE(byName2.Lookup(_T("p"), ob));
  EXPECT_EQ(static_cast<CollPart*>(ob)->n, 2);
  delete ob;
}

// Frees the objects that a (partial) load put into an object array.
void DeleteAll(CObArray& a) {
  std::vector<CObject*> unique;
  for (INT_PTR i = 0; i < a.GetSize(); ++i) {
    if (a[i] != nullptr && std::find(unique.begin(), unique.end(), a[i]) == unique.end())
      unique.push_back(a[i]);
  }
  for (CObject* p : unique) delete p;
  a.RemoveAll();
}

TEST(CollectionSerializeTest, TruncatedArchivesThrowArchiveExceptions) {
  CStringArray strings;
  strings.Add(_T("first"));
  strings.Add(_T("second"));
  CArray<int, int> ints;
  for (int i = 0; i < 5; ++i) ints.Add(i);
  CMapStringToString map;
  map[_T("k")] = _T("v");
  CList<Vec2, const Vec2&> vecs;
  vecs.AddTail(Vec2{1, 2});
  CollPart p(5);
  CObArray objects;
  objects.Add(&p);
  objects.Add(&p);

  struct Case {
    const char* name;
    Bytes full;
    std::function<void(const Bytes&)> load;
  };
  const Case cases[] = {
      {"string array", Store(strings),
       [](const Bytes& b) {
         CStringArray a;
         Load(b, a);
       }},
      {"int array", Store(ints),
       [](const Bytes& b) {
         CArray<int, int> a;
         Load(b, a);
       }},
      {"string map", Store(map),
       [](const Bytes& b) {
         CMapStringToString m;
         Load(b, m);
       }},
      {"struct list", Store(vecs),
       [](const Bytes& b) {
         CList<Vec2, const Vec2&> l;
         Load(b, l);
       }},
      {"object array", Store(objects),
       [](const Bytes& b) {
         CObArray a;
         try {
           Load(b, a);
         } catch (...) {
           DeleteAll(a);
           throw;
         }
         DeleteAll(a);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(ArchiveFailure([&] { c.load(c.full); }), -1);
    for (size_t len = 0; len < c.full.size(); ++len) {
      const Bytes prefix(c.full.begin(), c.full.begin() + len);
      EXPECT_EQ(ArchiveFailure([&] { c.load(prefix); }), CArchiveException::endOfFile) << "prefix " << len;
    }
  }
}

TEST(CollectionSerializeTest, HugeCountsInCorruptArchivesAllocateNothing) {
  // Counts escalated to DWORD and QWORD with almost nothing behind them.
  const Bytes counts[] = {
      {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 0x01, 0x02},
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x00},
  };
  for (const Bytes& b : counts) {
    EXPECT_EQ(ArchiveFailure([&] {
                CArray<Vec2, const Vec2&> a;
                Load(b, a);
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveFailure([&] {
                CStringArray a;
                Load(b, a);
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveFailure([&] {
                CObArray a;
                Load(b, a);
                DeleteAll(a);
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveFailure([&] {
                CMap<int, int, int, int> m;
                Load(b, m);
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveFailure([&] {
                CObList l;
                Load(b, l);
              }),
              CArchiveException::endOfFile);
  }
}

// A record with a string and no archive operators: usable in every collection, refused by Serialize.
struct Layout {
  CString name;
  int id = 0;
};

TEST(CollectionSerializeTest, ElementsWithoutAnArchiveLayoutAreRefused) {
  CArray<Layout, const Layout&> layouts;
  layouts.Add(Layout{_T("a"), 1});
  CList<Layout, const Layout&> list;
  list.AddTail(layouts[0]);
  CMap<long, long, void*, void*&> handles(10);
  handles.InitHashTable(17);
  void* h = &layouts;
  handles.SetAt(3, h);
  for (CObject* c : std::initializer_list<CObject*>{&layouts, &list, &handles}) {
    bool notSupported = false;
    try {
      Store(*c);
    } catch (CException* e) {
      notSupported = e->IsKindOf(RUNTIME_CLASS(CNotSupportedException));
      e->Delete();
    }
    EXPECT_TRUE(notSupported);
  }
}

TEST(CollectionSerializeTest, PointerCollectionsAreNotStoredAsBits) {
  int x = 0;
  CPtrArray ptrs;
  ptrs.Add(&x);
  EXPECT_TRUE(Store(ptrs).empty());

  CArray<int*, int*> raw;
  raw.Add(&x);
  bool notSupported = false;
  try {
    Store(raw);
  } catch (CException* e) {
    notSupported = e->IsKindOf(RUNTIME_CLASS(CNotSupportedException));
    e->Delete();
  }
  EXPECT_TRUE(notSupported);
}

}  // namespace
