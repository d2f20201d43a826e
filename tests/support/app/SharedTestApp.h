#pragma once
// One application object for a whole test program, started offscreen before the first test over a
// home, settings store and machine-wide store of its own, with the real language libraries of the
// build (KC_TEST_RESOURCE_DIR). Message boxes are answered by the test and recorded.

#include <QtCore/QString>

#include <vector>

#include "app/CQZ2App.h"

class SharedTestApp : public CQZ2App
{
public:
    struct Box {
        QString text;
        UINT type;
    };
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::vector<Box> boxes;
    int answer = IDOK;
};

// The program's application object, from the first test to the last.
SharedTestApp* TheApp();
