#pragma once
// The program over a settings store and a user data folder of the test's own, with recovery entries
// and files put there as an earlier run that ended abnormally leaves them.

#include "ProgramFixture.h"

#include <QtCore/QString>

class CQZ2Doc;

class RecoveryFixture : public ProgramFixture
{
protected:
    // Not started: each test starts the program when its earlier run's traces are in place.
    void SetUp() override;

    // Starts the program with the frame and command manager at hand; the result of its start.
    bool Launch();
    // The user data folder, with a trailing slash.
    QString DataFolder() const;
    // Writes the entry "DocumentRecovery\<name>" with its two values.
    static void WriteEntry(const QString& name, const QString& recovery, const QString& original);
    // An entry's value; "<no entry>" when the entry is gone.
    static QString EntryValue(const QString& name, const QString& value);
    static bool SectionIsEmpty();
    // A drawing file with nLines lines, written by the program into path (the program is stopped after).
    void WriteDrawing(const QString& path, int nLines);
    // The program started; the open documents after its start.
    CQZ2Doc* FindOpen(const QString& path) const;
    int OpenCount() const;
    static int LineCount(CQZ2Doc* pDoc);
    // Adds nLines lines to the drawing through the data model, each a change of its own.
    static void AddLines(CQZ2Doc* pDoc, int nLines);
};
