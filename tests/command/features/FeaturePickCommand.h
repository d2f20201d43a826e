#pragma once
// A command for the tests with one input of every feature kind, made by the manager from the table row
// of the trim command (its class name). Its answers to the manager come from the test.

#include <deque>

#include "command/CommandBase.h"

namespace QZ2Command {

class Trim2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Trim2dCommand)
public:
    // Parameter indexes: an input of every feature kind, then two parameters of two alternatives each
    // and a choice from a list.
    enum { pFeature = 0, pList, pSequenceList, pSequence, pGroup, pMulti, pSecondFeature, pSize, pStep, pKind, kCount };

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;

    // Results OnInput returns in turn, then resultMissing.
    std::deque<int> m_results;
    int m_nRuns = 0;
    // The parameter whose values the command refuses, -1 none.
    int m_nRefuse = -1;
};

}  // namespace QZ2Command
