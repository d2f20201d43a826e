#pragma once
// What the control tests share: the English language library for the tests of a suite, a host window
// that records the notifications its controls send, and the document tables of a new drawing.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CWnd.h"

// A top-level window that records the (id, code) of every WM_COMMAND and WM_NOTIFY it gets.
class RecordingHost : public CWnd
{
public:
    BOOL CreateHost(int width = 400, int height = 300);
    std::vector<std::pair<int, int>> commands;
    std::vector<std::pair<int, int>> notifies;
    // The answer to WM_NOTIFY.
    LRESULT notifyAnswer = 0;
    // The codes of the commands from one control.
    std::vector<int> Codes(int nID) const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class EnglishResources : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    static ResourceModule* s_pModule;
    static ResourceModule* s_pPrevious;
};

struct DocumentTables {
    DocumentTables();
    ColorFeatureTable colors;
    LineTypeFeatureTable lineTypes;
    LineWidthFeatureTable lineWidths;
};

// Lets queued messages run.
void PumpEvents();
