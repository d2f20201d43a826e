// Curves read from damaged archives go through every curve tool without faults: unusable ones are
// refused, odd but usable ones give some answer (the test build runs under the sanitizers).
#include <gtest/gtest.h>

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
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"
#include "libs/zuruda/KcOcConv.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"

namespace {

using Bytes = std::vector<BYTE>;

TEST(KcCurveTools, CurvesFromDamagedArchives)
{
  KcArrayOfGeEntity2d all;
  all.Add(new RuVaLineSeg2d(RuVaPnt2d(1, 2), RuVaPnt2d(3, 4)));
  all.Add(new RuVaArc2d(RuVaPnt2d(1, 2), 5, 6.0, 0.2, RuVa::kClockwise));
  all.Add(new RuVaEllipseArc2d(RuVaPnt2d(1, 2), RuVaVec2d(1, -1), 4, 2, 0.5, 5.5));
  all.Add(new RuVaArrayPnt2d(KcArrayOfGePnt2d{{0, 0}, {1, 1}, {2, 0}}));
  all.Add(new RuVaBSplineCurve2d(KcArrayOfGePnt2d{{0, 0}, {1, 2}, {3, 2}, {4, 0}}, {1, 0.5, 0.5, 1}, {0, 1}, {4, 4}, 3));
  Bytes bytes;
  {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    all.Serialize(ar);
    ar.Close();
    bytes.assign(file.GetBuffer(), file.GetBuffer() + file.GetLength());
  }
  all.DeleteAll();

  const RuVaLine2d line(RuVaPnt2d(0, 1), RuVaDir2d(1, 0.3));
  const RuVaCircle2d circle(RuVaPnt2d(1, 1), 2);
  const KcArrayOfGePnt2d square{{-5, -5}, {5, -5}, {5, 5}, {-5, 5}};
  int usable = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    for (BYTE value : {BYTE(0x00), BYTE(0xFF), BYTE(0x7F), BYTE(bytes[i] ^ 0x10)}) {
      Bytes mutated = bytes;
      mutated[i] = value;
      KcArrayOfGeEntity2d loaded;
      CMemFile file(mutated.data(), static_cast<UINT>(mutated.size()));
      CArchive ar(&file, CArchive::load);
      try {
        loaded.Serialize(ar);
      } catch (CArchiveException* e) {
        e->Delete();
        continue;
      }
      for (INT_PTR k = 0; k < loaded.GetSize(); ++k) {
        const RuVaEntity2d* e = loaded[k];
        if (!e || !e->IsDone())
          continue;
        ++usable;
        Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(e);
        delete KcOcConv::ConvertToKcCurve(oc);
        KcInterCurveCurve2d(e, &line);
        KcInterCurveCurve2d(e, &circle);
        KcProjectPointOnCurve2d(RuVaPnt2d(0.5, 0.5), e);
        KcCurveParam::GetCurveLength(e);
        RuVaPnt2d p;
        KcCurveParam::GetCenterParamePoint(e, p);
        KcArrayOfGeEntity2d in, out;
        KcGeometryTool::TrimCurve(e, square, in, out);
        in.DeleteAll();
        out.DeleteAll();
      }
      loaded.DeleteAll();
    }
  }
  EXPECT_GT(usable, 0);
}

}  // namespace
