#pragma once
// Starts the application object offscreen over a settings store, a machine-wide store and a desktop
// data folder of its own, with the real language libraries of the build. Message boxes are
// answered by the test and recorded.

#include <gtest/gtest.h>

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QTemporaryDir>

#include <memory>
#include <vector>

#include "app/CQZ2App.h"
#include "tests/support/app/RecordingTestApp.h"

using TestApp = RecordingTestApp;

class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the application object and runs its start-up; the result of InitInstance.
    bool Start(const QStringList& args = {}, const QString& resourceFolder = QString());
    // Runs the exit and deletes the application object.
    void Stop();

    // Writes into the user's or the machine-wide store as an earlier run or an administrator would.
    static void WriteUserInt(const QString& section, const QString& name, DWORD value);
    static void WriteUserBinary(const QString& section, const QString& name, const QByteArray& bytes);
    static void WriteUserString(const QString& section, const QString& name, const QString& text);
    static bool UserKeyExists(const QString& keyBelowApp);
    static QByteArray ReadUserBinary(const QString& section, const QString& name);
    void SetMachineLanguage(const QString& code);
    static QString ResourceDir();

    QTemporaryDir m_home;
    std::unique_ptr<TestApp> m_app;
    bool m_started = false;
    int m_answer = IDOK;  // the answer to every message box
    bool m_bSplash = false;  // the start shows the splash picture beside the program
};

// The application key below HKEY_CURRENT_USER.
extern const QString kAppKey;
