#pragma once
// The program's one application object (SharedAppEnvironment), its recorded message boxes emptied for each
// test. Documents are made as the template would make them, on their own or in frames.

#include <gtest/gtest.h>

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>

#include <vector>

#include "tests/support/app/SharedAppEnvironment.h"

class CQZ2Doc;


class DocFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new drawing, as File New makes it (no frame).
    CQZ2Doc* NewDocument();
    // A document that opened the file, or NULL.
    CQZ2Doc* OpenDocument(const QString& path);
    void Release(CQZ2Doc* pDoc);
    // Adds a few shapes to the active drawing.
    static void AddShapes(CQZ2Doc* pDoc, int nCount);
    // The data model as its archive writes it.
    static QByteArray ModelBytes(CQZ2Doc* pDoc);
    QString Path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }
    static QByteArray ReadAll(const QString& path);
    static void WriteAll(const QString& path, const QByteArray& bytes);

    std::vector<RecordingTestApp::Box>& Boxes() { return TheApp()->boxes; }

    QTemporaryDir m_dir;
    std::vector<CQZ2Doc*> m_docs;
};
