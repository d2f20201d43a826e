#pragma once
// A command manager over a real document shown in a real data-model view of 400 by 300 pixels (no
// window), with helpers to add shapes, name points on a 40-pixel raster about the middle of the view and
// click them. Test folders derive their fixtures from it.

#include <gtest/gtest.h>

#include "command/CommandManager.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "platform/win/WinConstants.h"

namespace kctest {

class ManagerFixture : public ::testing::Test
{
protected:
    using CommandManager = QZ2Command::CommandManager;

    void SetUp() override
    {
        ShowDrawing();
        AttachManager();
    }
    void TearDown() override
    {
        manager.CancelAllCommands();
        manager.SetActiveDraw2dView(nullptr);
        manager.Shutdown();
    }
    // The new document's active drawing in the view, the whole paper in sight.
    void ShowDrawing()
    {
        doc.InitDocument();
        view.SetDrawingFeature(doc.GetActiveDrawingFeature());
        view.ResizeView(400, 300);
        view.ZoomPaper();
    }
    // The manager over the document and the view; the raster of P() from the view as it is now.
    void AttachManager()
    {
        // The manager only passes the shell's document on; no shell runs here.
        manager.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
        manager.SetActiveDraw2dView(&view);
        o = view.ConvertPointClientToWorld(CPoint(200, 150), TRUE);
        u = 40.0 / view.GetScale();
    }
    // Snapping to shapes on or off (with the kinds of the mask), snapping to the grid off.
    void SetSnap(BOOL bEnabled, DWORD dwType = CommandManager::SnapOptions().dwType)
    {
        CommandManager::SnapOptions options;
        options.bEnabled = bEnabled;
        options.bGrid = FALSE;
        options.dwType = dwType;
        manager.SetSnapOptions(options);
    }
    // Adds the shape to the active drawing in an undo step of its own; its record id.
    long Add(const Feature2dBase& shape)
    {
        doc.BeginUndoOperation(nullptr);
        const long id = doc.AddFeature(&shape, doc.GetActiveDrawingFeature(), 1);
        doc.EndUndoOperation();
        EXPECT_GT(id, 0);
        return id;
    }
    // A point in units of 40 pixels about the middle of the view.
    RuVaPnt2d P(double i, double j) const { return RuVaPnt2d(o.X() + i * u, o.Y() + j * u); }
    CPoint C(const RuVaPnt2d& w) const { return view.ConvertPointWorldToClient(w); }
    void Click(const CPoint& p, UINT nFlags = 0)
    {
        manager.OnMouseMove(nFlags, p);
        manager.OnLButtonDown(MK_LBUTTON | nFlags, p);
        manager.OnLButtonUp(nFlags, p);
    }
    void Click(const RuVaPnt2d& w, UINT nFlags = 0) { Click(C(w), nFlags); }
    int FeatureCount() const
    {
        int n = 0;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
            ++n;
        return n;
    }

    int slot = 0;
    Draw2dDocument doc;
    Draw2dView view{&doc};
    CommandManager manager;
    RuVaPnt2d o;
    double u = 1.0;
};

inline void ExpectNear(const RuVaPnt2d& a, const RuVaPnt2d& b, double tol)
{
    EXPECT_NEAR(a.X(), b.X(), tol);
    EXPECT_NEAR(a.Y(), b.Y(), tol);
}

}  // namespace kctest
