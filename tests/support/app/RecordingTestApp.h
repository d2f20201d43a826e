#pragma once
// The program's application object for tests: every message box is answered with `answer` at once and
// recorded.

#include <QtCore/QString>

#include <vector>

#include "app/CQZ2App.h"

class RecordingTestApp : public CQZ2App
{
public:
    struct Box {
        QString text;
        UINT type;
    };
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        boxes.push_back({QString::fromUtf16(lpszPrompt), nType});
        return answer;
    }

    std::vector<Box> boxes;
    int answer = IDOK;
};
