// The native drawing file: its elements as other tools see them, the round trip of the drawing and
// its properties, the thumbnail option and damaged files.

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>

#include <random>

#include "DocFixture.h"
#include "app/CQZ2Doc.h"
#include "app/QZ2DocumentUserDefinedProperty.h"
#include "app/QZ2NativeFile.h"
#include "app/SystemEnvironment.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/afx/CByteArray.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/PropertySetStorage.h"

namespace {

class NativeFileTest : public DocFixture
{
protected:
    // Runs the libgsf command-line tool; empty when it is not installed.
    static QString Gsf(const QStringList& args)
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("gsf"));
        if (tool.isEmpty())
            return QString();
        QProcess p;
        p.start(tool, args);
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    }

    QString SaveNew(const QString& name, int nShapes)
    {
        CQZ2Doc* pDoc = NewDocument();
        AddShapes(pDoc, nShapes);
        EXPECT_TRUE(pDoc->DoSave(CString::FromQString(Path(name)), TRUE));
        return Path(name);
    }

    // The bytes of one stream of a compound file on disk.
    static QByteArray StreamOf(const QString& path, const char16_t* name)
    {
        CompoundFile file;
        file.Open(CString::FromQString(path), TRUE);
        CByteArray data;
        if (file.GetRootStorage()->ReadStream(name, data) != S_OK)
            return QByteArray();
        return QByteArray(reinterpret_cast<const char*>(data.GetData()), static_cast<qsizetype>(data.GetSize()));
    }

    // Replaces (or with a null array removes) one stream of a compound file on disk.
    static void ReplaceStream(const QString& path, const char16_t* name, const QByteArray* bytes)
    {
        CompoundFile file;
        file.Open(CString::FromQString(path), FALSE);
        if (bytes == nullptr)
            file.GetRootStorage()->DestroyElement(name);
        else
            file.GetRootStorage()->WriteStream(name, reinterpret_cast<const BYTE*>(bytes->constData()),
                                               static_cast<SIZE_T>(bytes->size()));
        file.Commit();
    }
};

TEST_F(NativeFileTest, ADrawingWithShapesSavedClosedAndReopenedIsTheSame)
{
    CQZ2Doc* pDoc = NewDocument();
    AddShapes(pDoc, 25);
    const QByteArray before = ModelBytes(pDoc);
    const DrawViewInfo views = pDoc->GetViewInfo();
    const long nCount = pDoc->GetDraw2dDocument()->GetFeatureCount();
    ASSERT_EQ(nCount, 50);
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("shapes.kvcd")), TRUE));
    Release(pDoc);

    CQZ2Doc* pAgain = OpenDocument(Path("shapes.kvcd"));
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(pAgain->GetDraw2dDocument()->GetFeatureCount(), nCount);
    EXPECT_TRUE(pAgain->GetViewInfo() == views);
    EXPECT_EQ(ModelBytes(pAgain), before);
    EXPECT_FALSE(pAgain->IsModified());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(NativeFileTest, OtherToolsListTheStreamsAndReadTheProperties)
{
    CQZ2Doc* pDoc = NewDocument();
    QZ2DocumentProperties& props = pDoc->GetDocumentProperties();
    props.m_strTitle = u"Bracket";
    props.m_strAuthor = u"\u5c71\u7530";  // a Japanese name
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("tools.kvcd")), TRUE));

    CompoundFile file;
    file.Open(CString::FromQString(Path("tools.kvcd")), TRUE);
    CLSID clsid{};
    ASSERT_EQ(ReadClassStg(file.GetRootStorage(), &clsid), S_OK);
    const CLSID expected = {0xC98A81D9, 0xF66F, 0x4E72, {0xB4, 0x01, 0xE2, 0x8F, 0xB9, 0x71, 0x3B, 0x3D}};
    EXPECT_TRUE(clsid == expected);
    file.Close();

    const QString list = Gsf({QStringLiteral("list"), Path("tools.kvcd")});
    if (list.isEmpty())
        GTEST_SKIP() << "the gsf tool is not installed";
    EXPECT_TRUE(list.contains(QStringLiteral("QZ2Document"))) << list.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("QZ2Thumbnail"))) << list.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("SummaryInformation"))) << list.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("DocumentSummaryInformation"))) << list.toStdString();
    const QString title = Gsf({QStringLiteral("props"), Path("tools.kvcd"), QStringLiteral("dc:title")});
    EXPECT_TRUE(title.contains(QStringLiteral("Bracket"))) << title.toStdString();
    const QString author = Gsf({QStringLiteral("props"), Path("tools.kvcd"), QStringLiteral("dc:creator")});
    // The tool prints the text's UTF-8 bytes, escaped as octal.
    EXPECT_TRUE(author.contains(QString::fromUtf16(u"\u5c71\u7530")) ||
                author.contains(QStringLiteral("\\345\\261\\261\\347\\224\\260")))
        << author.toStdString();
}

TEST_F(NativeFileTest, PropertiesKeepEveryCharacterAndEveryUserDefinedValue)
{
    CQZ2Doc* pDoc = NewDocument();
    QZ2DocumentProperties& props = pDoc->GetDocumentProperties();
    props.m_strTitle = u"\u6a5f\u68b0\u90e8\u54c1\u56f3";
    props.m_strSubject = u"Subject \u00e9\u00e8";
    props.m_strAuthor = u"Author";
    props.m_strKeywords = u"k1; k2";
    props.m_strComments = u"line 1\nline 2 \u2013 \U0001F600";
    props.m_strManager = u"\u90e8\u9577";
    props.m_strCompany = u"Company";
    props.m_strCategory = u"Category";
    props.AppendUserDefinedProperty(QZ2DocumentUserDefinedProperty(u"Text", PropVariant::BString(u"\u5024")));
    props.AppendUserDefinedProperty(QZ2DocumentUserDefinedProperty(u"Count", PropVariant::I4(-42)));
    props.AppendUserDefinedProperty(QZ2DocumentUserDefinedProperty(u"Length", PropVariant::R8(12.5)));
    props.AppendUserDefinedProperty(QZ2DocumentUserDefinedProperty(u"Checked", PropVariant::Date(45000.25)));
    props.AppendUserDefinedProperty(QZ2DocumentUserDefinedProperty(u"Approved", PropVariant::Bool(TRUE)));
    props.AppendUserDefinedProperty(QZ2DocumentUserDefinedProperty(u"Draft", PropVariant::Bool(FALSE)));
    props.AppendUserDefinedProperty(
        QZ2DocumentUserDefinedProperty(u"Data", PropVariant::Blob(reinterpret_cast<const BYTE*>("ab"), 2)));
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("props.kvcd")), TRUE));

    CQZ2Doc* pAgain = OpenDocument(Path("props.kvcd"));
    ASSERT_NE(pAgain, nullptr);
    const QZ2DocumentProperties& loaded = pAgain->GetDocumentProperties();
    EXPECT_TRUE(loaded.m_strTitle == props.m_strTitle);
    EXPECT_TRUE(loaded.m_strSubject == props.m_strSubject);
    EXPECT_TRUE(loaded.m_strAuthor == props.m_strAuthor);
    EXPECT_TRUE(loaded.m_strKeywords == props.m_strKeywords);
    EXPECT_TRUE(loaded.m_strComments == props.m_strComments);
    EXPECT_TRUE(loaded.m_strManager == props.m_strManager);
    EXPECT_TRUE(loaded.m_strCompany == props.m_strCompany);
    EXPECT_TRUE(loaded.m_strCategory == props.m_strCategory);
    ASSERT_EQ(loaded.GetUserDefinedPropertyCount(), 7);
    const struct {
        const char16_t* name;
        PropVariant value;
    } expected[] = {
        {u"Text", PropVariant::BString(u"\u5024")}, {u"Count", PropVariant::I4(-42)},
        {u"Length", PropVariant::R8(12.5)},          {u"Checked", PropVariant::Date(45000.25)},
        {u"Approved", PropVariant::Bool(TRUE)},      {u"Draft", PropVariant::Bool(FALSE)},
        {u"Data", PropVariant()},  // a type the file does not keep comes back empty, under its name
    };
    for (int i = 0; i < 7; ++i) {
        const QZ2DocumentUserDefinedProperty* p = loaded.GetUserDefinedProperty(i);
        SCOPED_TRACE(i);
        EXPECT_TRUE(p->m_strName == CString(expected[i].name));
        EXPECT_EQ(p->m_value.GetType(), expected[i].value.GetType());
        EXPECT_TRUE(p->m_value == expected[i].value);
    }
}

TEST_F(NativeFileTest, AFileWithoutPropertySetsLeavesNoStaleProperties)
{
    const QString path = SaveNew("bare.kvcd", 1);
    ReplaceStream(path, u"\005SummaryInformation", nullptr);
    ReplaceStream(path, u"\005DocumentSummaryInformation", nullptr);

    CQZ2Doc* pDoc = NewDocument();
    QZ2DocumentProperties& props = pDoc->GetDocumentProperties();
    props.m_strTitle = u"stale";
    props.m_strManager = u"stale";
    props.m_strCompany = u"stale";
    props.m_strCategory = u"stale";
    props.AppendUserDefinedProperty(QZ2DocumentUserDefinedProperty(u"Old", PropVariant::I4(1)));
    ASSERT_TRUE(pDoc->OnOpenDocument(CString::FromQString(path)));
    EXPECT_TRUE(props.m_strTitle.IsEmpty());
    EXPECT_TRUE(props.m_strManager.IsEmpty());
    EXPECT_TRUE(props.m_strCompany.IsEmpty());
    EXPECT_TRUE(props.m_strCategory.IsEmpty());
    EXPECT_EQ(props.GetUserDefinedPropertyCount(), 0);
}

TEST_F(NativeFileTest, TheThumbnailIsWrittenOnlyWhilePreviewsAreOn)
{
    SystemEnvironment* pOptions = TheApp()->GetSystemEnvironment();
    const BOOL bPreview = pOptions->m_PreviewSaveEnabled;
    pOptions->m_PreviewSaveEnabled = TRUE;
    CQZ2Doc* pDoc = NewDocument();
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("thumb.kvcd")), TRUE));
    const QByteArray thumb = StreamOf(Path("thumb.kvcd"), QZ2NativeFile::kThumbnailStreamName);
    ASSERT_GE(thumb.size(), 20);
    // Size of what follows, the clipboard marker and the picture format.
    const auto* b = reinterpret_cast<const unsigned char*>(thumb.constData());
    EXPECT_EQ(b[0] | (b[1] << 8) | (b[2] << 16) | (b[3] << 24), thumb.size() - 4);
    EXPECT_EQ(QByteArray(thumb.constData() + 4, 4), QByteArray("\xff\xff\xff\xff", 4));
    EXPECT_EQ(b[8], 3);
    // A metafile whose bitmap record holds a 256 x 256 picture: white, with the frame in black.
    const int record = 20 + 18 + 10 + 10;
    ASSERT_GE(thumb.size(), record + 28 + 40 + 256 * 256 * 3);
    EXPECT_EQ(b[record + 4] | (b[record + 5] << 8), 0x0F43);
    const auto darkPixels = [](const QByteArray& t) {
        const auto* px = reinterpret_cast<const unsigned char*>(t.constData()) + 20 + 18 + 10 + 10 + 28 + 40;
        int n = 0;
        for (int i = 0; i < 256 * 256; ++i)
            if (px[3 * i] < 128 && px[3 * i + 1] < 128 && px[3 * i + 2] < 128)
                ++n;
        return n;
    };
    const int nEmpty = darkPixels(thumb);
    EXPECT_GT(nEmpty, 256);              // the frame
    EXPECT_LT(nEmpty, 256 * 256 / 4);    // on white
    AddShapes(pDoc, 20);
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("thumb.kvcd")), TRUE));
    EXPECT_GT(darkPixels(StreamOf(Path("thumb.kvcd"), QZ2NativeFile::kThumbnailStreamName)), nEmpty);

    pOptions->m_PreviewSaveEnabled = FALSE;
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("thumb.kvcd")), TRUE));
    CompoundFile file;
    file.Open(CString::FromQString(Path("thumb.kvcd")), TRUE);
    EXPECT_EQ(file.GetRootStorage()->GetElementType(QZ2NativeFile::kThumbnailStreamName), 0u);
    EXPECT_EQ(file.GetRootStorage()->GetElementType(QZ2NativeFile::kDocumentStreamName),
              static_cast<DWORD>(STGTY_STREAM));
    pOptions->m_PreviewSaveEnabled = bPreview;
}

TEST_F(NativeFileTest, AWritableFileWithoutTheDrawingStreamOpensEmpty)
{
    const QString path = SaveNew("nodraw.kvcd", 3);
    ReplaceStream(path, QZ2NativeFile::kDocumentStreamName, nullptr);
    CQZ2Doc* pDoc = OpenDocument(path);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetDraw2dDocument()->GetFeatureCount(), 0);
    EXPECT_GT(pDoc->GetViewInfo().GetViewInfoCount(), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(NativeFileTest, ADamagedDrawingStreamOpensNothingAndSaysTheFileIsDamaged)
{
    const QString path = SaveNew("good.kvcd", 10);
    const QByteArray stream = StreamOf(path, QZ2NativeFile::kDocumentStreamName);
    ASSERT_GT(stream.size(), 64);

    QByteArray wrongVersion = stream;
    wrongVersion[8] = static_cast<char>(0x7F);  // the archive layout version
    QByteArray garbage(stream.size(), '\0');
    std::mt19937 rng(7);
    for (char& c : garbage)
        c = static_cast<char>(rng());
    QByteArray trailing = stream + QByteArray("extra", 5);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"cut after the header", stream.left(12)},
        {"cut in the middle", stream.left(stream.size() / 2)},
        {"one byte short", stream.left(stream.size() - 1)},
        {"wrong version", wrongVersion},
        {"garbage", garbage},
        {"bytes after the drawing", trailing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString damaged = Path(QStringLiteral("damaged.kvcd"));
        QFile::remove(damaged);
        ASSERT_TRUE(QFile::copy(path, damaged));
        ReplaceStream(damaged, QZ2NativeFile::kDocumentStreamName, &c.bytes);

        CQZ2Doc* pDoc = NewDocument();
        AddShapes(pDoc, 1);
        Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
        const QByteArray before = ModelBytes(pDoc);
        Boxes().clear();
        EXPECT_FALSE(pDoc->OnOpenDocument(CString::FromQString(damaged)));
        // The document still holds what it held.
        EXPECT_EQ(pDoc->GetDraw2dDocument(), pModel);
        EXPECT_EQ(ModelBytes(pDoc), before);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_TRUE(Boxes()[0].text.contains(QStringLiteral("damaged or incomplete"))) << Boxes()[0].text.toStdString();
    }
}

TEST_F(NativeFileTest, ThousandsOfMutatedFilesGiveAnErrorOrADrawingButNeverACrash)
{
    // Without a thumbnail, so that the changes land in what is read.
    SystemEnvironment* pOptions = TheApp()->GetSystemEnvironment();
    const BOOL bPreview = pOptions->m_PreviewSaveEnabled;
    pOptions->m_PreviewSaveEnabled = FALSE;
    const QString path = SaveNew("seed.kvcd", 6);
    pOptions->m_PreviewSaveEnabled = bPreview;
    const QByteArray file = ReadAll(path);
    ASSERT_FALSE(file.isEmpty());
    CString error;
    ASSERT_TRUE(QZ2NativeFile::LoadFromMemory(reinterpret_cast<const BYTE*>(file.constData()), file.size(), &error));

    // Truncated at many sizes: always an error with a reason.
    for (qsizetype n = 0; n < file.size(); n += std::max<qsizetype>(1, file.size() / 300)) {
        error.Empty();
        EXPECT_FALSE(QZ2NativeFile::LoadFromMemory(reinterpret_cast<const BYTE*>(file.constData()), n, &error)) << n;
        EXPECT_FALSE(error.IsEmpty()) << n;
    }
    // Flipped, overwritten and repeated bytes over the whole file and within the drawing stream.
    const QByteArray stream = StreamOf(path, QZ2NativeFile::kDocumentStreamName);
    std::mt19937 rng(12345);
    int nOpened = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes;
        if (i % 2 == 0) {
            bytes = file;
        } else {
            bytes = stream;
        }
        const int nChanges = 1 + static_cast<int>(rng() % 8);
        for (int k = 0; k < nChanges; ++k) {
            const qsizetype at = static_cast<qsizetype>(rng() % static_cast<unsigned>(bytes.size()));
            switch (rng() % 3) {
            case 0: bytes[at] = static_cast<char>(bytes[at] ^ (1 << (rng() % 8))); break;
            case 1: bytes[at] = static_cast<char>(rng()); break;
            default: bytes[at] = static_cast<char>(0xFF); break;
            }
        }
        if (i % 2 == 1) {
            // A mutated drawing stream inside an otherwise sound file.
            CompoundFile mem;
            mem.CreateInMemory();
            mem.GetRootStorage()->WriteStream(QZ2NativeFile::kDocumentStreamName,
                                              reinterpret_cast<const BYTE*>(bytes.constData()),
                                              static_cast<SIZE_T>(bytes.size()));
            CByteArray whole;
            mem.SaveToMemory(whole);
            bytes = QByteArray(reinterpret_cast<const char*>(whole.GetData()), static_cast<qsizetype>(whole.GetSize()));
        }
        error.Empty();
        if (QZ2NativeFile::LoadFromMemory(reinterpret_cast<const BYTE*>(bytes.constData()), bytes.size(), &error))
            ++nOpened;
        else
            EXPECT_FALSE(error.IsEmpty());
    }
    // Most changes are found; a change in a value the model accepts, or in bytes nothing reads
    // (free sectors, properties), may still open.
    EXPECT_LT(nOpened, 2000);
}

TEST_F(NativeFileTest, ElementsOfTheDrawingsOwnFileThatItDoesNotWriteAreKept)
{
    const QString path = SaveNew("carry.kvcd", 1);
    const QByteArray other("another program's data");
    ReplaceStream(path, u"OtherProgram", &other);

    CQZ2Doc* pDoc = OpenDocument(path);
    ASSERT_NE(pDoc, nullptr);
    AddShapes(pDoc, 1);
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(path), TRUE));
    EXPECT_EQ(StreamOf(path, u"OtherProgram"), other);
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("copy.kvcd")), TRUE));
    EXPECT_EQ(StreamOf(Path("copy.kvcd"), u"OtherProgram"), other);
    CQZ2Doc* pCopy = OpenDocument(Path("copy.kvcd"));
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetDraw2dDocument()->GetFeatureCount(), 4);
}

}  // namespace
