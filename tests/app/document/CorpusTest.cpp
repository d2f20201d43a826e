// The corpus of native files kept for the file's fuzz target is replayed here: files named "ok_"
// open, files named "bad_" give an error, none crashes. With KC_WRITE_NATIVE_FILE_CORPUS set to a
// folder, the seed files are written there first.

#include <QtCore/QDir>
#include <QtCore/QFile>

#include <cstdlib>

#include "DocFixture.h"
#include "app/CQZ2Doc.h"
#include "app/QZ2NativeFile.h"
#include "platform/afx/CByteArray.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"

namespace {

class NativeFileCorpusTest : public DocFixture
{
protected:
    void WriteSeeds(const QString& folder)
    {
        QDir().mkpath(folder);
        CQZ2Doc* pDoc = NewDocument();
        AddShapes(pDoc, 2);
        ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("seed.kvcd")), TRUE));
        const QByteArray good = ReadAll(Path("seed.kvcd"));
        WriteAll(folder + QStringLiteral("/ok_drawing.kvcd"), good);
        WriteAll(folder + QStringLiteral("/bad_truncated.kvcd"), good.left(good.size() / 2));
        WriteAll(folder + QStringLiteral("/bad_text.kvcd"), QByteArray("not a drawing\n"));

        CompoundFile file;
        file.Open(CString::FromQString(Path("seed.kvcd")), TRUE);
        CByteArray stream;
        ASSERT_EQ(file.GetRootStorage()->ReadStream(QZ2NativeFile::kDocumentStreamName, stream), S_OK);
        file.Close();
        const auto withStream = [&](const QByteArray& bytes, const QString& name) {
            CompoundFile mem;
            mem.CreateInMemory();
            mem.GetRootStorage()->WriteStream(QZ2NativeFile::kDocumentStreamName,
                                              reinterpret_cast<const BYTE*>(bytes.constData()),
                                              static_cast<SIZE_T>(bytes.size()));
            CByteArray whole;
            mem.SaveToMemory(whole);
            WriteAll(folder + QLatin1Char('/') + name,
                     QByteArray(reinterpret_cast<const char*>(whole.GetData()), static_cast<qsizetype>(whole.GetSize())));
        };
        const QByteArray raw(reinterpret_cast<const char*>(stream.GetData()), static_cast<qsizetype>(stream.GetSize()));
        withStream(raw, QStringLiteral("ok_stream_only.kvcd"));
        withStream(raw.left(raw.size() - 3), QStringLiteral("bad_stream_cut.kvcd"));
        QByteArray counted = raw;
        counted[16] = static_cast<char>(0xFF);  // a count or length far beyond the stream
        counted[17] = static_cast<char>(0xFF);
        counted[18] = static_cast<char>(0xFF);
        withStream(counted, QStringLiteral("mutated_count.kvcd"));
    }
};

TEST_F(NativeFileCorpusTest, EveryCorpusFileOpensOrFailsCleanly)
{
    const QString folder = QStringLiteral(KC_NATIVE_FILE_CORPUS);
    if (const char* out = std::getenv("KC_WRITE_NATIVE_FILE_CORPUS"))
        WriteSeeds(QString::fromLocal8Bit(out));
    const QStringList files = QDir(folder).entryList(QDir::Files);
    if (files.isEmpty())
        GTEST_SKIP() << "no corpus at " << folder.toStdString();
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = ReadAll(folder + QLatin1Char('/') + name);
        CString error;
        const BOOL bOpened =
            QZ2NativeFile::LoadFromMemory(reinterpret_cast<const BYTE*>(bytes.constData()), bytes.size(), &error);
        if (name.startsWith(QStringLiteral("ok_")))
            EXPECT_TRUE(bOpened) << error.ToUtf8();
        if (name.startsWith(QStringLiteral("bad_"))) {
            EXPECT_FALSE(bOpened);
            EXPECT_FALSE(error.IsEmpty());
        }
        EXPECT_EQ(QZ2NativeFileFuzzOne(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                       static_cast<size_t>(bytes.size())),
                  0);
    }
}

}  // namespace
