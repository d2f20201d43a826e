// The point array: its array operations, compression and guarded indexes.
#include <gtest/gtest.h>


#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"

namespace {

TEST(KcArrayOfGePnt2d, CompressDropsRepeatsAndOptionallyStraightPoints)
{
  struct Case {
    const char* what;
    KcArrayOfGePnt2d in;
    double tol;
    int mode;
    KcArrayOfGePnt2d out;
  } cases[] = {
      {"repeats where pieces meet", {{0, 0}, {1, 0}, {1, 0}, {1, 1}, {1, 1 + 1e-8}, {0, 1}, {0, 0}}, 1e-7, 0,
       {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}},
      {"closing point kept", {{0, 0}, {1, 0}, {0, 1}, {0, 0}}, 1e-7, 0, {{0, 0}, {1, 0}, {0, 1}, {0, 0}}},
      {"last replaces its near copy", {{0, 0}, {5, 0}, {5, 1e-9}}, 1e-7, 0, {{0, 0}, {5, 1e-9}}},
      {"all one point", {{2, 2}, {2, 2}, {2, 2}}, 1e-7, 0, {{2, 2}}},
      {"straight points kept in mode 0", {{0, 0}, {1, 0}, {2, 0}}, 1e-7, 0, {{0, 0}, {1, 0}, {2, 0}}},
      {"straight points dropped in mode 1", {{0, 0}, {1, 0}, {2, 1e-9}, {2, 2}}, 1e-7, 1, {{0, 0}, {2, 1e-9}, {2, 2}}},
      {"single point", {{1, 1}}, 1e-7, 1, {{1, 1}}},
  };
  for (Case& c : cases) {
    c.in.Compress(c.tol, c.mode);
    EXPECT_EQ(c.in, c.out) << c.what;
  }
}

TEST(KcArrayOfGePnt2d, ArrayOperationsAndGuardedIndexes)
{
  KcArrayOfGePnt2d a;
  EXPECT_EQ(a.Add(1, 1), 0);
  EXPECT_EQ(a.Add(RuVaPnt2d(3, 3)), 1);
  a.InsertAt(1, RuVaPnt2d(2, 2));
  a.InsertAt(3, RuVaPnt2d(4, 4));
  EXPECT_EQ(a, (KcArrayOfGePnt2d{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
  a.RemoveAt(0, 2);
  EXPECT_EQ(a, (KcArrayOfGePnt2d{{3, 3}, {4, 4}}));
  EXPECT_EQ(a.Append(a), 2);
  EXPECT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a.GetUpperBound(), 3);
  a[3] = RuVaPnt2d(9, 9);
  EXPECT_EQ(a.GetAt(3), RuVaPnt2d(9, 9));

  auto throwsInvalidArg = [](auto&& f) {
    try {
      f();
    } catch (CInvalidArgException* e) {
      e->Delete();
      return true;
    }
    return false;
  };
  EXPECT_TRUE(throwsInvalidArg([&] { a.GetAt(4); }));
  EXPECT_TRUE(throwsInvalidArg([&] { a[-1]; }));
  EXPECT_TRUE(throwsInvalidArg([&] { a.RemoveAt(3, 2); }));
  EXPECT_TRUE(throwsInvalidArg([&] { a.InsertAt(6, RuVaPnt2d()); }));
  EXPECT_TRUE(throwsInvalidArg([&] { a.SetAtGrow(-1, RuVaPnt2d()); }));
  a.SetAtGrow(5, RuVaPnt2d(7, 7));
  EXPECT_EQ(a.GetSize(), 6);
  EXPECT_EQ(a[4], RuVaPnt2d(0, 0));
  a.SetSize(4);
  EXPECT_FALSE(a.SetSize(-1));
  EXPECT_EQ(a.GetSize(), 4);

  const KcArrayOfGePnt2d chain{{0, 0}, {3, 4}, {3, 0}};
  EXPECT_EQ(chain.GetLength(), 9);
  EXPECT_EQ(chain.GetBndBox().XMax(), 3);
  EXPECT_TRUE(chain.IsEqual(KcArrayOfGePnt2d{{0, 0}, {3, 4 + 1e-9}, {3, 0}}, 1e-7));
  EXPECT_FALSE(chain.IsEqual(KcArrayOfGePnt2d{{0, 0}, {3, 4}}, 1e-7));
}

}  // namespace
