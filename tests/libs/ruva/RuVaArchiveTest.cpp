// Every value and entity survives a trip through an archive; damaged archives raise a clear
// error and leave the target as it was.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"
#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(const std::function<void(CArchive&)>& write)
{
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  const BYTE* p = file.GetBuffer();
  return Bytes(p, p + file.GetLength());
}

// The cause of the archive exception, or -1 when loading succeeded.
int Load(Bytes bytes, const std::function<void(CArchive&)>& read)
{
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  try {
    read(ar);
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  ar.Close();
  return -1;
}

template <typename T>
T RoundTrip(const T& in)
{
  const Bytes bytes = Store([&](CArchive& ar) { ar << in; });
  T out;
  EXPECT_EQ(Load(bytes, [&](CArchive& ar) { ar >> out; }), -1);
  return out;
}

TEST(RuVaArchive, ValuesRoundTrip)
{
  EXPECT_EQ(RoundTrip(RuVaPnt2d(1.5, -1e-300)), RuVaPnt2d(1.5, -1e-300));
  EXPECT_EQ(RoundTrip(RuVaXY(7, 8)), RuVaXY(7, 8));
  EXPECT_EQ(RoundTrip(RuVaVec2d(0, -3)), RuVaVec2d(0, -3));
  EXPECT_EQ(RoundTrip(RuVaDir2d(3, 4)), RuVaDir2d(3, 4));
  const RuVaTol tol = RoundTrip(RuVaTol(1e-3, 1e-6));
  EXPECT_EQ(tol.Linear(), 1e-3);
  EXPECT_EQ(tol.Angular(), 1e-6);

  RuVaBndBox2d box(RuVaPnt2d(-1, -2), RuVaPnt2d(3, 4));
  box.SetGap(2e-7);
  EXPECT_EQ(RoundTrip(box), box);
  EXPECT_TRUE(RoundTrip(RuVaBndBox2d()).IsVoid());

  RuVaGTrsf2d t;
  t.SetRotation(RuVaPnt2d(3, 4), 0.7);
  EXPECT_EQ(RoundTrip(t), t);

  const KcArrayOfGePnt2d pts{{0, 0}, {1e7, -1e-6}, {5, 5}};
  EXPECT_EQ(RoundTrip(pts), pts);
  EXPECT_EQ(RoundTrip(KcArrayOfGePnt2d()), KcArrayOfGePnt2d());
}

TEST(RuVaArchive, EntitiesRoundTripWithTheirType)
{
  KcArrayOfGeEntity2d all;
  all.Add(new RuVaLine2d(RuVaPnt2d(1, 2), RuVaDir2d(1, 1)));
  all.Add(new RuVaHalfLine2d(RuVaPnt2d(1, 2), RuVaDir2d(0, -1)));
  all.Add(new RuVaLineSeg2d(RuVaPnt2d(1, 2), RuVaPnt2d(3, 4)));
  all.Add(new RuVaCircle2d(RuVaPnt2d(1, 2), 5, RuVa::kClockwise));
  all.Add(new RuVaArc2d(RuVaPnt2d(1, 2), 5, 6.0, 0.2, RuVa::kClockwise));
  all.Add(new RuVaArc2d(RuVaPnt2d(1, 2), 5, 1.0, 1.0));  // full turn
  all.Add(new RuVaEllipse2d(RuVaPnt2d(1, 2), RuVaVec2d(1, 1), 4, 2));
  all.Add(new RuVaEllipseArc2d(RuVaPnt2d(1, 2), RuVaVec2d(1, -1), 4, 2, 0.5, 5.5, RuVa::kClockwise));
  all.Add(new RuVaArrayPnt2d(KcArrayOfGePnt2d{{0, 0}, {1, 1}, {2, 0}}));
  all.Add(new RuVaBSplineCurve2d(KcArrayOfGePnt2d{{0, 0}, {1, 2}, {3, 2}, {4, 0}}, {1, 0.5, 0.5, 1}, {0, 1}, {4, 4}, 3));
  all.Add(nullptr);

  const Bytes bytes = Store([&](CArchive& ar) { all.Serialize(ar); });
  KcArrayOfGeEntity2d loaded;
  ASSERT_EQ(Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), -1);
  ASSERT_EQ(loaded.GetSize(), all.GetSize());
  for (INT_PTR i = 0; i < all.GetSize(); ++i) {
    if (!all[i]) {
      EXPECT_EQ(loaded[i], nullptr);
      continue;
    }
    ASSERT_NE(loaded[i], nullptr) << i;
    EXPECT_EQ(loaded[i]->GetEntityType(), all[i]->GetEntityType()) << i;
    EXPECT_TRUE(loaded[i]->IsEqual(*all[i], RuVaTol(0.0, 0.0))) << i;
    EXPECT_EQ(bool(loaded[i]->IsDone()), bool(all[i]->IsDone())) << i;
  }
  const RuVaArc2d* full = static_cast<const RuVaArc2d*>(loaded[5]);
  EXPECT_EQ(full->GetSweepAngle(), RuVa::TwoPi);
  loaded.DeleteAll();
  all.DeleteAll();
}

TEST(RuVaArchive, DamagedArchivesFailCleanly)
{
  const KcArrayOfGePnt2d pts{{0, 0}, {1, 1}, {2, 2}};
  Bytes bytes = Store([&](CArchive& ar) { ar << pts; });

  // Every truncation fails with end of file and leaves the array unchanged.
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    KcArrayOfGePnt2d target{{9, 9}};
    EXPECT_EQ(Load(Bytes(bytes.begin(), bytes.begin() + cut), [&](CArchive& ar) { ar >> target; }),
              CArchiveException::endOfFile)
        << cut;
    EXPECT_EQ(target, (KcArrayOfGePnt2d{{9, 9}}));
  }

  // A count far beyond the archive is refused before anything is allocated.
  const Bytes huge{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0};
  KcArrayOfGePnt2d target;
  EXPECT_EQ(Load(huge, [&](CArchive& ar) { ar >> target; }), CArchiveException::endOfFile);

  // An unknown entity type, a null direction and a truncated entity list.
  const Bytes unknown = Store([](CArchive& ar) { ar << static_cast<WORD>(4) << 1.0 << 2.0; });
  EXPECT_EQ(Load(unknown, [](CArchive& ar) { delete RuVaEntity2d::Load(ar); }), CArchiveException::badClass);
  const Bytes nullDir = Store([](CArchive& ar) { ar << 0.0 << 0.0; });
  RuVaDir2d d;
  EXPECT_EQ(Load(nullDir, [&](CArchive& ar) { ar >> d; }), CArchiveException::generic);

  KcArrayOfGeEntity2d list;
  list.Add(new RuVaCircle2d(RuVaPnt2d(0, 0), 1));
  list.Add(new RuVaCircle2d(RuVaPnt2d(0, 0), 2));
  Bytes listBytes = Store([&](CArchive& ar) { list.Serialize(ar); });
  listBytes.resize(listBytes.size() - 3);
  KcArrayOfGeEntity2d kept;
  kept.Add(new RuVaLineSeg2d(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)));
  EXPECT_EQ(Load(listBytes, [&](CArchive& ar) { kept.Serialize(ar); }), CArchiveException::endOfFile);
  ASSERT_EQ(kept.GetSize(), 1);
  EXPECT_EQ(kept[0]->GetEntityType(), RuVaEntity2d::kLineSeg);
  kept.DeleteAll();
  list.DeleteAll();
}

}  // namespace

namespace {

// Damaged entity lists either load or raise an archive error; whatever loads can be asked
// everything without faults (the test build runs under the address and undefined-behaviour
// sanitizers).
TEST(RuVaArchive, MutatedEntityListsNeverFault)
{
  KcArrayOfGeEntity2d all;
  all.Add(new RuVaLine2d(RuVaPnt2d(1, 2), RuVaDir2d(1, 1)));
  all.Add(new RuVaLineSeg2d(RuVaPnt2d(1, 2), RuVaPnt2d(3, 4)));
  all.Add(new RuVaArc2d(RuVaPnt2d(1, 2), 5, 6.0, 0.2, RuVa::kClockwise));
  all.Add(new RuVaEllipseArc2d(RuVaPnt2d(1, 2), RuVaVec2d(1, -1), 4, 2, 0.5, 5.5));
  all.Add(new RuVaArrayPnt2d(KcArrayOfGePnt2d{{0, 0}, {1, 1}, {2, 0}}));
  all.Add(new RuVaBSplineCurve2d(KcArrayOfGePnt2d{{0, 0}, {1, 2}, {3, 2}, {4, 0}}, {1, 0.5, 0.5, 1}, {0, 1}, {4, 4}, 3));
  const Bytes bytes = Store([&](CArchive& ar) { all.Serialize(ar); });
  all.DeleteAll();

  int loadedCount = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    for (BYTE value : {BYTE(0x00), BYTE(0xFF), BYTE(0x7F), BYTE(0x80), BYTE(bytes[i] ^ 0x01)}) {
      Bytes mutated = bytes;
      mutated[i] = value;
      KcArrayOfGeEntity2d loaded;
      const int cause = Load(mutated, [&](CArchive& ar) { loaded.Serialize(ar); });
      if (cause != -1) {
        EXPECT_TRUE(loaded.IsEmpty());
        continue;
      }
      ++loadedCount;
      for (INT_PTR k = 0; k < loaded.GetSize(); ++k) {
        RuVaEntity2d* e = loaded[k];
        if (!e)
          continue;
        e->IsDone();
        e->GetBndBox();
        std::unique_ptr<RuVaEntity2d> copy(e->Clone());
        EXPECT_TRUE(copy->IsEqual(*e, RuVaTol(0.0, 0.0)) || !e->IsDone());
        if (e->IsCurveEntity()) {
          const RuVaCurveEnt2d* c = static_cast<const RuVaCurveEnt2d*>(e);
          RuVaPnt2d p;
          c->D0(c->FirstParameter(), p);
          c->IsClosed();
        }
      }
      loaded.DeleteAll();
    }
  }
  EXPECT_GT(loadedCount, 0);
}

}  // namespace
