#pragma once
// A real document shown in a real data-model view, a command manager over them, and the step command
// of this folder running.

#include <gtest/gtest.h>

#include "StepCommand.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/DoubleParameterItem.h"
#include "command/ParameterItemBase.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "tests/support/command/ManagerFixture.h"

namespace keys {

using namespace QZ2Command;

class KeysFixture : public kctest::ManagerFixture
{
protected:
    void SetUp() override
    {
        ManagerFixture::SetUp();
        SetSnap(FALSE);
    }
    OleObject2dCommand* StartStep()
    {
        if (!manager.ExecuteCommand(OleObject2dCommand::kID))
            return nullptr;
        return dynamic_cast<OleObject2dCommand*>(manager.GetActiveCommand());
    }
    ParameterItemBase* Item(int nIndex) const { return manager.GetActiveCommand()->GetParameterItem(nIndex); }
    // The value of a number item; a failure when the item is none or empty.
    static double NumberOf(const ParameterItemBase* pItem)
    {
        double value = -1;
        const auto* pNumber = dynamic_cast<const DoubleParameterItem*>(pItem);
        EXPECT_NE(pNumber, nullptr);
        if (pNumber != nullptr) {
            EXPECT_TRUE(pNumber->GetValue(value));
        }
        return value;
    }
    void SetUserOrigin(double x, double y)
    {
        DrawingFeatureBase* pDrawing = doc.GetActiveDrawingFeature();
        ASSERT_NE(pDrawing, nullptr);
        pDrawing->SetUserOrigin(RuVaPnt2d(x, y));
    }
};

}  // namespace keys
