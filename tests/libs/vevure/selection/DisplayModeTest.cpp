// The document's line pitch and line width display modes take 0, 1 and 2, keep them through the archive,
// and refuse anything else unchanged.

#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/VeVureEnums.h"

TEST(DisplayModes, PitchAndWidthModesZeroToTwo)
{
    using Setter = BOOL (Draw2dDocument::*)(int, int);
    using Getter = int (Draw2dDocument::*)() const;
    struct Mode {
        const char* what;
        Setter set;
        Getter get;
        int stored;  // set before the archive round trip
    } modes[] = {
        {"paper width", &Draw2dDocument::SetPaperLineWidthDisplayMode, &Draw2dDocument::GetPaperLineWidthDisplayMode,
         LineWidthFixed},
        {"paper pitch", &Draw2dDocument::SetPaperLinePitchDisplayMode, &Draw2dDocument::GetPaperLinePitchDisplayMode,
         LinePitchSolid},
        {"part width", &Draw2dDocument::SetPartLineWidthDisplayMode, &Draw2dDocument::GetPartLineWidthDisplayMode,
         LineWidthThin},
        {"part pitch", &Draw2dDocument::SetPartLinePitchDisplayMode, &Draw2dDocument::GetPartLinePitchDisplayMode,
         LinePitchSolid},
    };
    Draw2dDocument doc;
    for (const Mode& m : modes) {
        SCOPED_TRACE(m.what);
        for (int v : {0, 1, 2}) {
            EXPECT_TRUE((doc.*m.set)(v, 0));
            EXPECT_EQ((doc.*m.get)(), v);
        }
        // What the settings dialog hands over when nothing is chosen, and values beyond the range.
        for (int v : {-1, 3, 0x7FFFFFFF}) {
            EXPECT_FALSE((doc.*m.set)(v, 0));
            EXPECT_EQ((doc.*m.get)(), 2);
        }
        ASSERT_TRUE((doc.*m.set)(m.stored, 0));
    }

    CMemFile out;
    {
        CArchive ar(&out, CArchive::store);
        doc.SaveToArchive(ar, DrawViewInfo());
    }
    std::vector<BYTE> bytes(out.GetBuffer(), out.GetBuffer() + out.GetLength());
    Draw2dDocument loaded;
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&in, CArchive::load);
    DrawViewInfo views;
    CString msg;
    loaded.LoadFromArchive(ar, views, msg);
    for (const Mode& m : modes)
        EXPECT_EQ((loaded.*m.get)(), m.stored) << m.what;
}
