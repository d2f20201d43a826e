// The picture a drawing file carries: the region it shows, and reading it back as the file dialog
// and file managers do, from good and from damaged streams.

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtGui/QImage>

#include <cstring>

#include "DocFixture.h"
#include "app/CQZ2Doc.h"
#include "app/QZ2NativeFile.h"
#include "app/QZ2Thumbnail.h"
#include "app/SystemEnvironment.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/afx/CByteArray.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"

namespace {

class ThumbnailTest : public DocFixture
{
protected:
    // The first drawing of the kind (paper or part drawing), made active.
    static DrawingFeatureBase* Activate(CQZ2Doc* pDoc, bool bPaper)
    {
        Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
        for (int i = 0; i < pModel->GetDrawingFeatureCount(); ++i) {
            DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i);
            if (pDrawing != nullptr && static_cast<bool>(pDrawing->IsPaperFeature()) == bPaper) {
                pModel->ActivateDrawingFeature(pDrawing, FALSE);
                return pDrawing;
            }
        }
        return nullptr;
    }
    static QByteArray Stream(CQZ2Doc* pDoc)
    {
        CByteArray bytes;
        if (!QZ2Thumbnail::Build(pDoc->GetDraw2dDocument(), bytes))
            return QByteArray();
        return QByteArray(reinterpret_cast<const char*>(bytes.GetData()), static_cast<int>(bytes.GetSize()));
    }
    static bool Read(const QByteArray& bytes, QImage& image)
    {
        return QZ2Thumbnail::Read(reinterpret_cast<const BYTE*>(bytes.constData()), static_cast<size_t>(bytes.size()),
                                  image);
    }
};

TEST_F(ThumbnailTest, TheRegionIsThePaperAtItsScaleOrThePartsShapesWithAMargin)
{
    CQZ2Doc* pDoc = NewDocument();
    RuVaPnt2d lower, upper;

    ASSERT_NE(Activate(pDoc, false), nullptr);
    ASSERT_TRUE(QZ2Thumbnail::GetRegion(pDoc->GetDraw2dDocument(), lower, upper));
    EXPECT_DOUBLE_EQ(lower.X(), 0.0);
    EXPECT_DOUBLE_EQ(lower.Y(), 0.0);
    EXPECT_DOUBLE_EQ(upper.X(), 420.0);
    EXPECT_DOUBLE_EQ(upper.Y(), 297.0);

    auto* pPaper = static_cast<Paper2dFeature*>(Activate(pDoc, true));
    ASSERT_NE(pPaper, nullptr);
    ASSERT_TRUE(pPaper->SetPaperSize(420.0, 297.0));
    struct Case {
        double scale, x, y;
    };
    for (const Case c : {Case{2.0, 210.0, 148.5}, Case{1.0, 420.0, 297.0}, Case{0.5, 840.0, 594.0}}) {
        SCOPED_TRACE(c.scale);
        ASSERT_TRUE(pPaper->SetPrintScale(c.scale));
        ASSERT_TRUE(QZ2Thumbnail::GetRegion(pDoc->GetDraw2dDocument(), lower, upper));
        EXPECT_DOUBLE_EQ(upper.X(), c.x);
        EXPECT_DOUBLE_EQ(upper.Y(), c.y);
    }
}

TEST_F(ThumbnailTest, TheReaderGivesBackTheWrittenPicture)
{
    CQZ2Doc* pDoc = NewDocument();
    AddShapes(pDoc, 30);
    const QByteArray stream = Stream(pDoc);
    ASSERT_GT(stream.size(), 20);
    const auto* b = reinterpret_cast<const unsigned char*>(stream.constData());
    EXPECT_EQ(static_cast<int>(b[0] | (b[1] << 8) | (b[2] << 16) | (b[3] << 24)), stream.size() - 4);

    QImage image;
    ASSERT_TRUE(Read(stream, image));
    ASSERT_EQ(image.size(), QSize(QZ2Thumbnail::kSize, QZ2Thumbnail::kSize));
    // The stored pixels, bottom row first and blue first, are the picture's.
    const int bitsAt = 20 + 18 + 10 + 10 + 28 + 40;
    const int stride = QZ2Thumbnail::kSize * 3;
    int dark = 0;
    for (int y = 0; y < QZ2Thumbnail::kSize; ++y) {
        for (int x = 0; x < QZ2Thumbnail::kSize; ++x) {
            const unsigned char* px = b + bitsAt + (QZ2Thumbnail::kSize - 1 - y) * stride + 3 * x;
            const QColor c = image.pixelColor(x, y);
            ASSERT_EQ(c.red(), px[2]) << x << "," << y;
            ASSERT_EQ(c.green(), px[1]);
            ASSERT_EQ(c.blue(), px[0]);
            dark += c.lightness() < 128;
        }
    }
    EXPECT_GT(dark, 256);  // the frame and the shapes

    // From the saved file too, with the summary's title and author.
    pDoc->GetDocumentProperties().m_strTitle = _T("Plan A");
    pDoc->GetDocumentProperties().m_strAuthor = _T("Ben");
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path(QStringLiteral("a.kvcd"))), TRUE));
    QImage fromFile;
    QString title, author;
    ASSERT_TRUE(QZ2Thumbnail::ReadFile(Path(QStringLiteral("a.kvcd")), fromFile, &title, &author));
    EXPECT_EQ(fromFile.size(), image.size());
    EXPECT_EQ(title, QStringLiteral("Plan A"));
    EXPECT_EQ(author, QStringLiteral("Ben"));
    EXPECT_FALSE(QZ2Thumbnail::ReadFile(Path(QStringLiteral("missing.kvcd")), fromFile));
}

TEST_F(ThumbnailTest, DamagedStreamsAreRefused)
{
    CQZ2Doc* pDoc = NewDocument();
    const QByteArray good = Stream(pDoc);
    ASSERT_FALSE(good.isEmpty());
    const int header = 20 + 18 + 10 + 10;  // picture header, metafile header, two small records
    const int dib = header + 28;
    auto with = [&](int at, std::initializer_list<unsigned char> bytes) {
        QByteArray b = good;
        int i = at;
        for (unsigned char v : bytes)
            b[i++] = static_cast<char>(v);
        return b;
    };
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"cut in the header", good.left(10)},
        {"cut in the pixels", good.left(good.size() / 2)},
        {"size field beyond the stream", with(0, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"no clipboard marker", with(4, {0, 0, 0, 0})},
        {"another clipboard format", with(8, {8})},
        {"metafile header of another size", with(22, {12})},
        {"record longer than the stream", with(header, {0xFF, 0xFF, 0xFF, 0x0F})},
        {"record of length 0", with(header - 10, {0, 0, 0, 0})},
        {"picture wider than allowed", with(dib + 4, {0x01, 0x04, 0, 0})},
        {"picture of no width", with(dib + 4, {0, 0, 0, 0})},
        {"picture taller than allowed (top-down)", with(dib + 8, {0x00, 0xFB, 0xFF, 0xFF})},
        {"8 bits", with(dib + 14, {8})},
        {"compressed", with(dib + 16, {1})},
        {"colour table beyond the record", with(dib + 32, {0xFF, 0xFF, 0, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QImage image;
        EXPECT_FALSE(Read(c.bytes, image));
        EXPECT_TRUE(image.isNull());
    }
    QImage image;
    EXPECT_TRUE(Read(good, image));
    EXPECT_TRUE(Read(good + QByteArray(100, 'z'), image)) << "bytes after the size field are ignored";
}

TEST_F(ThumbnailTest, SmallPicturesOfOtherWritersReadInEitherRowOrder)
{
    const QString corpus = QStringLiteral(KC_NATIVE_FILE_CORPUS) + QStringLiteral("/../thumbnail_stream/");
    struct Case {
        const char* file;
        QSize size;
    };
    for (const Case c : {Case{"rgb_4x3.bin", QSize(4, 3)}, Case{"topdown_5x2.bin", QSize(5, 2)},
                         Case{"stretchblt_3x3.bin", QSize(3, 3)}}) {
        SCOPED_TRACE(c.file);
        QImage image;
        ASSERT_TRUE(Read(ReadAll(corpus + QString::fromLatin1(c.file)), image));
        ASSERT_EQ(image.size(), c.size);
        // The first stored row is the bottom one unless the height is negative; bytes run blue, green, red.
        const int firstStored = c.size == QSize(5, 2) ? 0 : c.size.height() - 1;
        const QColor px = image.pixelColor(1, firstStored);
        // Stored byte i of row 0 is 37 i: pixel 1 is bytes 3, 4 and 5.
        EXPECT_EQ(px.blue(), 111);
        EXPECT_EQ(px.green(), 148);
        EXPECT_EQ(px.red(), 185);
    }
}

TEST_F(ThumbnailTest, TheProgramWritesAFileManagersPictureWithoutItsInterface)
{
    CQZ2Doc* pDoc = NewDocument();
    AddShapes(pDoc, 5);
    SystemEnvironment* pOptions = TheApp()->GetSystemEnvironment();
    const BOOL bPreview = pOptions->m_PreviewSaveEnabled;
    pOptions->m_PreviewSaveEnabled = TRUE;
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path(QStringLiteral("b.kvcd"))), TRUE));
    pOptions->m_PreviewSaveEnabled = bPreview;

    struct Case {
        QStringList args;
        int exitCode;
        QSize size;
    };
    const Case cases[] = {
        {{Path(QStringLiteral("b.kvcd")), Path(QStringLiteral("b.png")), QStringLiteral("128")}, 0, QSize(128, 128)},
        {{Path(QStringLiteral("b.kvcd")), Path(QStringLiteral("c.png")), QStringLiteral("512")}, 0, QSize(256, 256)},
        {{Path(QStringLiteral("missing.kvcd")), Path(QStringLiteral("d.png")), QStringLiteral("128")}, 1, QSize()},
        {{Path(QStringLiteral("b.kvcd")), Path(QStringLiteral("e.png")), QStringLiteral("huge")}, 2, QSize()},
        {{Path(QStringLiteral("b.kvcd"))}, 2, QSize()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // no interface is started at all
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(KC_PROGRAM_PATH), QStringList{QStringLiteral("--thumbnail")} + c.args);
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.exitCode) << program.readAllStandardError().toStdString();
        if (c.size.isValid()) {
            const QImage png(c.args[1], "PNG");
            EXPECT_EQ(png.size(), c.size);
        }
    }
}

TEST_F(ThumbnailTest, TheProgramInstallsAThumbnailerEntryThatRunsIt)
{
    CQZ2Doc* pDoc = NewDocument();
    SystemEnvironment* pOptions = TheApp()->GetSystemEnvironment();
    const BOOL bPreview = pOptions->m_PreviewSaveEnabled;
    pOptions->m_PreviewSaveEnabled = TRUE;
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path(QStringLiteral("f.kvcd"))), TRUE));
    pOptions->m_PreviewSaveEnabled = bPreview;

    // The program writes the entry beside its desktop entry, naming itself.
    const QString data = Path(QStringLiteral("share"));
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.toUtf8());
    const BOOL bRegistered = TheApp()->RegisterShellFileTypes(FALSE);
    if (before.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", before);
    ASSERT_TRUE(bRegistered);

    // The entry's command line, as a file manager fills it in, for the drawing types.
    QFile entry(data + QStringLiteral("/thumbnailers/korvancad.thumbnailer"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QString exec, types;
    for (const QString& line : QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Exec=")))
            exec = line.mid(5);
        if (line.startsWith(QStringLiteral("MimeType=")))
            types = line.mid(9);
    }
    EXPECT_TRUE(types.contains(QStringLiteral("application/x-korvan-drawing;"))) << types.toStdString();
    EXPECT_TRUE(types.contains(QStringLiteral("application/x-korvan-template;")));
    const QString self = QLatin1Char('"') + QCoreApplication::applicationFilePath() + QLatin1Char('"');
    ASSERT_TRUE(exec.startsWith(self + QLatin1Char(' '))) << exec.toStdString();
    exec = QLatin1Char('"') + QStringLiteral(KC_PROGRAM_PATH) + QLatin1Char('"') + exec.mid(self.size());
    exec.remove(QLatin1Char('"'));
    QStringList words = exec.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(words.size(), 5) << exec.toStdString();
    for (QString& word : words) {
        if (word == QStringLiteral("%i"))
            word = Path(QStringLiteral("f.kvcd"));
        else if (word == QStringLiteral("%o"))
            word = Path(QStringLiteral("f.png"));
        else if (word == QStringLiteral("%s"))
            word = QStringLiteral("64");
    }
    QProcess program;
    program.start(words.takeFirst(), words);
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(QImage(Path(QStringLiteral("f.png"))).size(), QSize(64, 64));
}

}  // namespace
