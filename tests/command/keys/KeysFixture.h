#pragma once
// A real document shown in a real data-model view, a command manager over them, and the step command
// of this folder running.

#include <gtest/gtest.h>

#include <memory>

#include "StepCommand.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/DoubleParameterItem.h"
#include "command/ParameterItemBase.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "tests/support/command/ManagerFixture.h"
#include "tests/support/command/StandInCommandRow.h"

namespace keys {

using namespace QZ2Command;

class KeysFixture : public kctest::ManagerFixture
{
protected:
    void SetUp() override
    {
        m_standIn = std::make_unique<kctest::StandInCommandRow>(KeysTestStepCommand::kID, "KeysTestStepCommand");
        ManagerFixture::SetUp();
        SetSnap(FALSE);
    }
    KeysTestStepCommand* StartStep()
    {
        if (!manager.ExecuteCommand(KeysTestStepCommand::kID))
            return nullptr;
        return dynamic_cast<KeysTestStepCommand*>(manager.GetActiveCommand());
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

private:
    std::unique_ptr<kctest::StandInCommandRow> m_standIn;
};

}  // namespace keys
