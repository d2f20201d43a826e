#pragma once
// What the settings dialog tests share: the program's application object of the test program (its
// language library, message boxes answered at once and recorded), the program's number format for the
// numeric fields, and helpers that work a dialog's controls through their messages.

#include <gtest/gtest.h>

#include <QtCore/QString>

#include <vector>

#include "platform/afx/AfxTypes.h"

class CDialog;
class CWnd;

class SettingsDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
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

    // Message boxes since the last OneBox (or the test's start), and the answer they get.
    std::vector<QString> Boxes() const;
    void AnswerBoxesWith(int nAnswer);
    void ClearBoxes();
};
