#pragma once
// A real document shown in a real data-model view, a command manager over them, and the step command
// of this folder running.

#include <gtest/gtest.h>

#include "StepCommand.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/ParameterItemBase.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"

namespace keys {

using namespace QZ2Command;

class KeysFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.InitDocument();
        view.SetDrawingFeature(doc.GetActiveDrawingFeature());
        view.ResizeView(400, 300);
        view.ZoomPaper();
        manager.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
        manager.SetActiveDraw2dView(&view);
        CommandManager::SnapOptions snap;
        snap.bEnabled = FALSE;
        snap.bGrid = FALSE;
        manager.SetSnapOptions(snap);
    }
    void TearDown() override
    {
        manager.CancelAllCommands();
        manager.SetActiveDraw2dView(nullptr);
        manager.Shutdown();
    }
    DivisionPointMarker2dCommand* StartStep()
    {
        if (!manager.ExecuteCommand(DivisionPointMarker2dCommand::kID))
            return nullptr;
        return dynamic_cast<DivisionPointMarker2dCommand*>(manager.GetActiveCommand());
    }
    ParameterItemBase* Item(int nIndex) const { return manager.GetActiveCommand()->GetParameterItem(nIndex); }
    void SetUserOrigin(double x, double y)
    {
        DrawingFeatureBase* pDrawing = doc.GetActiveDrawingFeature();
        ASSERT_NE(pDrawing, nullptr);
        pDrawing->SetUserOrigin(RuVaPnt2d(x, y));
    }
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
};

}  // namespace keys
