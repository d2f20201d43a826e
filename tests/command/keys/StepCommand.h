#pragma once
// A command for the tests with one parameter of each kind the keyboard and the bar feed. It is made
// by the manager from the table row that names its class, records the runs and refuses what a test
// asks it to refuse.

#include <vector>

#include "command/CommandBase.h"

namespace QZ2Command {

class KeysTestStepCommand : public CommandBase
{
    DECLARE_DYNCREATE(KeysTestStepCommand)
public:
    // The table row it answers while a test runs (StandInCommandRow); any row serves.
    static constexpr UINT kID = 57856;
    // Parameter indexes (item ids are index + 100; the size has a second alternative, id 150).
    enum {
        paramPoint = 0, paramSize = 1, paramPoints = 2, paramChoice = 3, paramAny = 4, paramScale = 5,
        paramCount = 6, paramNumber = 7, paramName = 8, paramKept = 9, paramChains = 10
    };
    static constexpr WORD kSizeAngleID = 150;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // Attaches a modifier of the kind to the parameter as the command would, without asking the kind's
    // item type; with an outer input index the modifier becomes the inner link of the chain.
    ParameterModifierBase* AttachModifier(int nKind, int nParameter);
    ParameterModifierBase* AttachInnerModifier(int nKind, int nOuterInput);

    int m_nResult = resultMissing;
    int m_nRefusedParameter = -1;
    BOOL m_bRefuseAlternative = FALSE;
    std::vector<int> m_runs;
};

}  // namespace QZ2Command
