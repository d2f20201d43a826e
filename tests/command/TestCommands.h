#pragma once
// Command classes for the tests, created by the manager from the table rows that name them. Each
// records what the manager asks of it and answers OnInput from a script.

#include <deque>
#include <string>
#include <vector>

#include "command/CommandBase.h"

namespace QZ2Command {

// What the test commands have been asked, in order: "<identifier>:<event>".
std::vector<std::string>& TestLog();
std::string ShortName(const CString& identifier);

class ScriptedCommand : public CommandBase
{
    DECLARE_DYNAMIC(ScriptedCommand)
public:
    // Results OnInput returns in turn; when none is left it returns the default result.
    std::deque<int> m_results;
    int m_nDefaultResult = resultMissing;
    BOOL m_bStartResult = TRUE;
    std::vector<int> m_inputs;
    // Ends itself through the manager from within OnInput (before returning its result).
    BOOL m_bEndSelfInInput = FALSE;

    BOOL OnStart() override;
    int OnInput(int nIndex) override;
    void OnEnd() override;
    BOOL OnSuspend() override;
    BOOL OnResume() override;
    void OnDocumentChanging(Draw2dDocument* pPrevious) override;
    void OnViewChanged() override;

protected:
    void Log(const char* event);
};

// Two point parameters (items 1 and 2), a length of retention mode 2 (item 3) and a list (item 4).
class Line2dCommand : public ScriptedCommand
{
    DECLARE_DYNCREATE(Line2dCommand)
public:
    void SetupParameters() override;
};

// No parameters: runs at once when started.
class OptionsCommand : public ScriptedCommand
{
    DECLARE_DYNCREATE(OptionsCommand)
public:
    OptionsCommand();
};

// One point parameter; started nested.
class GridSettingCommand : public ScriptedCommand
{
    DECLARE_DYNCREATE(GridSettingCommand)
public:
    void SetupParameters() override;
};

// A feature parameter that takes the selection.
class Move2dCommand : public ScriptedCommand
{
    DECLARE_DYNCREATE(Move2dCommand)
public:
    void SetupParameters() override;
};

// An integer of retention mode 2 (item 1) and a parameter with two alternatives (items 2 and 3).
class Circle2dCommand : public ScriptedCommand
{
    DECLARE_DYNCREATE(Circle2dCommand)
public:
    Circle2dCommand();
    void SetupParameters() override;
};

// A point list (item 1).
class Polyline2dCommand : public ScriptedCommand
{
    DECLARE_DYNCREATE(Polyline2dCommand)
public:
    void SetupParameters() override;
};

// A list of feature sequences (item 1).
class Hatch2dCommand : public ScriptedCommand
{
    DECLARE_DYNCREATE(Hatch2dCommand)
public:
    void SetupParameters() override;
};

// A selection set that allows only some selection modes and only editable features (item 1).
class Trim2dCommand : public ScriptedCommand
{
    DECLARE_DYNCREATE(Trim2dCommand)
public:
    void SetupParameters() override;
};

}  // namespace QZ2Command
