#pragma once
// What the settings dialog tests share: the language library of a suite made the resource handle, the
// program's number format for the numeric fields, an application object that answers every message box
// at once and records it, and helpers that work a dialog's controls through their messages.

#include <gtest/gtest.h>

#include <QtCore/QString>

#include <vector>

#include "platform/afx/ResourceModule.h"
#include "platform/win/CWinApp.h"

class CDialog;
class CWnd;

// Every message box answered with `answer` and recorded.
class BoxAnsweringApp : public CWinApp
{
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        boxes.push_back(QString::fromUtf16(lpszPrompt));
        types.push_back(nType);
        return answer;
    }
    std::vector<QString> boxes;
    std::vector<UINT> types;
    int answer = IDOK;
};

class SettingsDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // Whether the text is string nId with any texts in place of its %1, %2 ... and %d.
    static bool IsMessage(const QString& text, UINT nId);
    // The one box shown since the last call was string nId; clears the record.
    ::testing::AssertionResult OneBox(UINT nId);

    static void Type(CDialog& dialog, int nId, const QString& text);
    static QString Text(CDialog& dialog, int nId);
    static void Click(CDialog& dialog, int nId);
    static bool Enabled(CDialog& dialog, int nId);
    static bool Visible(CDialog& dialog, int nId);
    static void Pump();

    BoxAnsweringApp app;
    static ResourceModule* s_pModule;
    static ResourceModule* s_pPrevious;
};
