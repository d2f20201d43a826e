// The drawing command started through the real command manager by its command ids: add a paper, add a
// part drawing placed on its paper, delete the part drawing of the active view.
#include <gtest/gtest.h>

#include "StructureFixture.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "tests/support/command/ManagerFixture.h"

namespace {

class Drawing2dCommandTest : public kctest::ManagerFixture
{
protected:
    static void SetUpTestSuite()
    {
        TheApp();
        s_pModule = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG").pModule;
        s_pPrevious = AfxGetResourceHandle();
        if (s_pModule != nullptr)
            AfxSetResourceHandle(s_pModule);
    }
    static void TearDownTestSuite()
    {
        AfxSetResourceHandle(s_pPrevious);
        if (s_pModule != nullptr)
            AfxFreeResourceModule(s_pModule);
    }
    void SetUp() override
    {
        kctest::ManagerFixture::SetUp();
        TheApp().boxes.clear();
        TheApp().answer = IDOK;
        doc.ClearUndoRedoHistory();
    }
    static ResourceModule* s_pModule;
    static ResourceModule* s_pPrevious;
};
ResourceModule* Drawing2dCommandTest::s_pModule = nullptr;
ResourceModule* Drawing2dCommandTest::s_pPrevious = nullptr;

TEST_F(Drawing2dCommandTest, AddPaperActivatesTheNewPaperInOneStep)
{
    manager.ExecuteCommand(34342);
    ASSERT_EQ(doc.GetPaperFeatureCount(), 2);
    EXPECT_EQ(doc.GetActiveDrawingID(), doc.GetPaperFeature(1)->GetDrawingID());
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_FALSE(manager.HasActiveCommand());
}

TEST_F(Drawing2dCommandTest, APartDrawingGoesOnTheOnlyPaperAndNeedsAPaperTabOtherwise)
{
    manager.ExecuteCommand(34328);
    ASSERT_EQ(doc.GetDrawingFeatureCount(), 2);
    const DrawingFeatureBase* pPart = doc.GetDrawingFeatureByIndex(1);
    EXPECT_TRUE(pPart->IsPartFeature());
    const DrawingFeatureBase* pPaper = doc.GetPaperFeature(0);
    ASSERT_EQ(pPaper->GetPartLayoutCount(), 1);
    EXPECT_EQ(pPaper->GetPartLayout(0)->GetDrawingID(), pPart->GetDrawingID());
    EXPECT_EQ(doc.GetActiveDrawingID(), pPart->GetDrawingID());
    EXPECT_EQ(doc.GetUndoCount(), 1);
    // Two papers and no document window: nothing is added.
    doc.AddPaperFeature(nullptr);
    manager.ExecuteCommand(34328);
    EXPECT_EQ(doc.GetDrawingFeatureCount(), 3);
}

TEST_F(Drawing2dCommandTest, DeletingTheActiveDrawingSparesPapersAndAsksBeforeShapesGo)
{
    manager.ExecuteCommand(34343);
    EXPECT_EQ(doc.GetDrawingFeatureCount(), 1) << "a paper is not deleted";
    EXPECT_TRUE(TheApp().boxes.empty());

    const long part = doc.AddPartDrawingFeature(_T("Flange"));
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(5, 5));
    doc.AddFeature(&line, doc.GetDrawingFeatureByID(part), 1);
    view.SetDrawingFeature(doc.GetDrawingFeatureByID(part));
    TheApp().answer = IDNO;
    manager.ExecuteCommand(34343);
    ASSERT_EQ(TheApp().boxes.size(), 1u);
    EXPECT_TRUE(TheApp().boxes[0].contains("\"Flange\""));
    EXPECT_TRUE(doc.IsDrawingFeatureExists(part));
    TheApp().answer = IDYES;
    manager.ExecuteCommand(34343);
    EXPECT_FALSE(doc.IsDrawingFeatureExists(part));
}

}  // namespace
