#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/afx/CArray.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CPtrArray.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CTypedPtrArray.h"
#include "tests/platform/afx/collections/ExpectInvalidArg.h"
#include "tests/platform/afx/collections/Tracked.h"

namespace {

using IntArray = CArray<int, int>;

std::vector<int> Contents(const IntArray& a) {
  return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

IntArray Make(std::initializer_list<int> values) {
  IntArray a;
  for (int v : values) a.Add(v);
  return a;
}

struct ArrayCase {
  const char* name;
  std::function<void(IntArray&)> op;  // applied to {1, 2, 3}
  std::vector<int> expected;
};

TEST(CArrayTest, EditsGiveTheExpectedContents) {
  const ArrayCase cases[] = {
      {"add returns index", [](IntArray& a) { EXPECT_EQ(a.Add(4), 3); }, {1, 2, 3, 4}},
      {"grow value-initialises", [](IntArray& a) { a.SetSize(5); }, {1, 2, 3, 0, 0}},
      {"shrink then grow gives zeros, not old values",
       [](IntArray& a) {
         a.SetSize(1);
         a.SetSize(3);
       },
       {1, 0, 0}},
      {"insert in the middle", [](IntArray& a) { a.InsertAt(1, 7, 2); }, {1, 7, 7, 2, 3}},
      {"insert at the end", [](IntArray& a) { a.InsertAt(3, 9); }, {1, 2, 3, 9}},
      {"insert beyond the end grows", [](IntArray& a) { a.InsertAt(5, 9, 2); }, {1, 2, 3, 0, 0, 9, 9}},
      {"insert count zero does nothing", [](IntArray& a) { a.InsertAt(7, 9, 0); }, {1, 2, 3}},
      {"insert an array",
       [](IntArray& a) {
         IntArray b = Make({8, 9});
         a.InsertAt(1, &b);
       },
       {1, 8, 9, 2, 3}},
      {"insert an array beyond the end",
       [](IntArray& a) {
         IntArray b = Make({8, 9});
         a.InsertAt(4, &b);
       },
       {1, 2, 3, 0, 8, 9}},
      {"insert the array into itself", [](IntArray& a) { a.InsertAt(1, &a); }, {1, 1, 2, 3, 2, 3}},
      {"remove a range", [](IntArray& a) { a.RemoveAt(0, 2); }, {3}},
      {"remove the tail", [](IntArray& a) { a.RemoveAt(2); }, {1, 2}},
      {"remove nothing at the end", [](IntArray& a) { a.RemoveAt(3, 0); }, {1, 2, 3}},
      {"set at grow past the end", [](IntArray& a) { a.SetAtGrow(5, 6); }, {1, 2, 3, 0, 0, 6}},
      {"set at grow inside", [](IntArray& a) { a.SetAtGrow(0, 6); }, {6, 2, 3}},
      {"append returns the old size",
       [](IntArray& a) {
         IntArray b = Make({4, 5});
         EXPECT_EQ(a.Append(b), 3);
       },
       {1, 2, 3, 4, 5}},
      {"append itself", [](IntArray& a) { a.Append(a); }, {1, 2, 3, 1, 2, 3}},
      {"copy replaces", [](IntArray& a) { a.Copy(Make({7})); }, {7}},
      {"element reference writes through",
       [](IntArray& a) {
         a.ElementAt(1) = 5;
         a[2] = 6;
       },
       {1, 5, 6}},
      {"remove all", [](IntArray& a) { a.RemoveAll(); }, {}},
  };
  for (const ArrayCase& c : cases) {
    SCOPED_TRACE(c.name);
    IntArray a = Make({1, 2, 3});
    c.op(a);
    EXPECT_EQ(Contents(a), c.expected);
    EXPECT_EQ(a.GetCount(), static_cast<INT_PTR>(c.expected.size()));
    EXPECT_EQ(a.GetUpperBound(), static_cast<INT_PTR>(c.expected.size()) - 1);
    EXPECT_EQ(a.IsEmpty(), c.expected.empty());
  }
}

TEST(CArrayTest, IndexesOutsideTheArrayThrowAndChangeNothing) {
  IntArray a = Make({1, 2, 3});
  const IntArray& ca = a;
  IntArray* none = nullptr;
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"GetAt(-1)", [&] { a.GetAt(-1); }},
      {"GetAt(size)", [&] { a.GetAt(3); }},
      {"const GetAt(size)", [&] { ca.GetAt(3); }},
      {"SetAt(size)", [&] { a.SetAt(3, 0); }},
      {"ElementAt(-1)", [&] { a.ElementAt(-1); }},
      {"operator[](size)", [&] { a[3] = 0; }},
      {"const operator[](-1)", [&] { (void)ca[-1]; }},
      {"RemoveAt(-1)", [&] { a.RemoveAt(-1); }},
      {"RemoveAt(size)", [&] { a.RemoveAt(3); }},
      {"RemoveAt past the end", [&] { a.RemoveAt(1, 3); }},
      {"RemoveAt negative count", [&] { a.RemoveAt(1, -1); }},
      {"InsertAt(-1)", [&] { a.InsertAt(-1, 0); }},
      {"InsertAt negative count", [&] { a.InsertAt(0, 0, -2); }},
      {"InsertAt null array", [&] { a.InsertAt(0, none); }},
      {"SetAtGrow(-1)", [&] { a.SetAtGrow(-1, 0); }},
      {"SetSize(-1)", [&] { a.SetSize(-1); }},
  };
  for (const auto& [name, f] : cases) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(ThrowsInvalidArg(f));
    EXPECT_EQ(Contents(a), (std::vector<int>{1, 2, 3}));
  }
  IntArray empty;
  EXPECT_TRUE(ThrowsInvalidArg([&] { empty.GetAt(0); }));
}

TEST(CArrayTest, ConstructsAndDestroysExactlyTheElementsItHolds) {
  ASSERT_EQ(Tracked::s_live, 0);
  {
    CArray<Tracked> a;
    auto check = [&](const char* step) {
      SCOPED_TRACE(step);
      EXPECT_EQ(Tracked::s_live, a.GetSize());
    };
    for (int i = 0; i < 40; ++i) a.Add(Tracked(i));
    check("add");
    a.SetSize(100);
    check("grow");
    EXPECT_EQ(a[99].value, 0);
    a.SetSize(20);
    check("shrink");
    a.InsertAt(5, Tracked(-5), 10);
    check("insert");
    EXPECT_EQ(a[4].value, 4);
    EXPECT_EQ(a[5].value, -5);
    EXPECT_EQ(a[15].value, 5);
    a.InsertAt(50, Tracked(7));
    check("insert beyond the end");
    a.RemoveAt(3, 20);
    check("remove");
    EXPECT_EQ(a[3].value, 13);
    a.FreeExtra();
    check("free extra");
    a.Add(a[0]);  // the argument lives in the storage that Add reallocates
    check("add own element");
    EXPECT_EQ(a[a.GetUpperBound()].value, 0);
    CArray<Tracked> b(a);
    EXPECT_EQ(Tracked::s_live, 2 * a.GetSize());
    b.RemoveAll();
    check("copy removed");
    CArray<Tracked> c(std::move(a));
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(Tracked::s_live, c.GetSize());
  }
  EXPECT_EQ(Tracked::s_live, 0);
}

TEST(CArrayTest, StringElementsSurviveReallocationAndShifting) {
  CArray<CString, const CString&> a;
  std::vector<std::u16string> expected;
  for (int i = 0; i < 200; ++i) {
    // Short strings live inside the CString object, long ones on the heap: both must move intact.
    std::u16string s = (i % 2 == 0) ? std::u16string(1, u'a' + i % 26) : std::u16string(40, u'A' + i % 26);
    a.InsertAt(0, CString(s));
    expected.insert(expected.begin(), s);
  }
  a.InsertAt(0, a[10]);  // an element of the array itself, while the storage grows
  expected.insert(expected.begin(), expected[10]);
  ASSERT_EQ(a.GetSize(), static_cast<INT_PTR>(expected.size()));
  for (INT_PTR i = 0; i < a.GetSize(); ++i) EXPECT_EQ(a[i].str(), expected[i]) << i;

  // Passed as LPCTSTR, a short string's characters live inside the element that moves.
  CArray<CString, LPCTSTR> texts;
  texts.Add(_T("ab"));
  texts.Add(_T("cd"));
  texts.FreeExtra();
  texts.Add(texts[0]);           // storage grows
  texts.InsertAt(0, texts[1]);   // elements shift
  texts.SetAtGrow(5, texts[2]);  // grows past the end
  const std::u16string want[] = {u"cd", u"ab", u"cd", u"ab", u"", u"cd"};
  ASSERT_EQ(texts.GetSize(), 6);
  for (INT_PTR i = 0; i < 6; ++i) EXPECT_EQ(texts[i].str(), want[i]) << i;
}

class Shape : public CObject {
 public:
  static inline int s_live = 0;
  explicit Shape(int id) : id(id) { ++s_live; }
  ~Shape() override { --s_live; }
  int id;
};

TEST(CArrayTest, ObjectArraysHoldButNeverOwnTheirObjects) {
  Shape s1(1), s2(2);
  {
    CObArray a;
    a.Add(&s1);
    a.Add(&s2);
    a.Add(nullptr);
    EXPECT_EQ(a.GetAt(1), &s2);
    a.RemoveAt(0);
    EXPECT_EQ(Shape::s_live, 2);
    EXPECT_TRUE(a.IsKindOf(RUNTIME_CLASS(CObArray)));
    EXPECT_TRUE(a.IsKindOf(RUNTIME_CLASS(CObject)));
  }
  EXPECT_EQ(Shape::s_live, 2);
}

TEST(CArrayTest, TypedPointerArraysGiveTypedElementsAndCheckIndexes) {
  Shape s1(1), s2(2), s3(3);
  CTypedPtrArray<CObArray, Shape*> shapes;
  EXPECT_EQ(shapes.Add(&s1), 0);
  shapes.Add(&s2);
  shapes.InsertAt(0, &s3);
  const CTypedPtrArray<CObArray, Shape*>& cshapes = shapes;
  EXPECT_EQ(cshapes[0]->id, 3);
  EXPECT_EQ(shapes.GetAt(2)->id, 2);
  shapes[1] = &s2;  // writes through the element reference
  shapes.ElementAt(2) = &s1;
  EXPECT_EQ(shapes.GetAt(1), &s2);
  EXPECT_EQ(shapes.GetData()[2], &s1);

  const std::pair<const char*, std::function<void()>> cases[] = {
      {"GetAt", [&] { shapes.GetAt(3); }},
      {"const operator[]", [&] { (void)cshapes[-1]; }},
      {"operator[]", [&] { shapes[3] = &s1; }},
      {"ElementAt", [&] { shapes.ElementAt(10); }},
      {"SetAt", [&] { shapes.SetAt(3, &s1); }},
      {"RemoveAt", [&] { shapes.RemoveAt(3); }},
      {"InsertAt", [&] { shapes.InsertAt(-1, &s1); }},
  };
  for (const auto& [name, f] : cases) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(ThrowsInvalidArg(f));
  }
  EXPECT_EQ(shapes.GetSize(), 3);

  CTypedPtrArray<CPtrArray, int*> ints;
  int x = 5;
  ints.SetAtGrow(2, &x);
  EXPECT_EQ(ints.GetAt(0), nullptr);
  EXPECT_EQ(*ints[2], 5);
}

TEST(CArrayTest, StringArrayTakesTextAndStrings) {
  CStringArray a;
  a.Add(_T("one"));
  a.Add(CString(_T("two")));
  a.InsertAt(0, _T("zero"));
  a.SetAtGrow(4, _T("four"));
  EXPECT_EQ(a.GetSize(), 5);
  EXPECT_TRUE(a[0] == _T("zero"));
  EXPECT_TRUE(a[3].IsEmpty());
  EXPECT_TRUE(a.GetAt(4) == _T("four"));

  CByteArray bytes;
  bytes.SetSize(3, 64);
  bytes[1] = 0xAB;
  EXPECT_EQ(bytes.GetAt(0), 0);
  EXPECT_EQ(bytes.GetAt(1), 0xAB);
}

}  // namespace
