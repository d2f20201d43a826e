// Data sources on the real clipboard (offscreen) and data objects reading it.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <cstring>
#include <memory>
#include <string>

#include "platform/afx/CArchive.h"
#include "platform/afx/CSharedFile.h"
#include "platform/afx/CString.h"
#include "platform/afx/COleException.h"
#include "platform/gdi/CBitmap.h"
#include "platform/ole/COleDataObject.h"
#include "platform/ole/COleDataSource.h"
#include "platform/win/WinClipboard.h"

namespace {

void Pump()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

HGLOBAL BytesBlock(const std::string& bytes)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty())
        std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    return h;
}

std::string BlockBytes(HGLOBAL h)
{
    const auto* p = static_cast<const char*>(GlobalLock(h));
    std::string s(p, GlobalSize(h));
    GlobalUnlock(h);
    return s;
}

std::string FileBytes(CFile& file)
{
    std::string s(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    if (!s.empty())
        EXPECT_EQ(file.Read(s.data(), static_cast<UINT>(s.size())), s.size());
    return s;
}

// Native drawing data as the copy command writes it: an archive, then two doubles.
HGLOBAL NativeBlock(const CString& name, double x, double y)
{
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE, 4096);
    {
        CArchive ar(&file, CArchive::store, 4096);
        ar << name;
        ar << x << y;
        ar.Close();
    }
    return file.Detach();
}

// Counts what it was asked to render and notes when it goes.
class CCountingSource : public COleDataSource
{
public:
    CLIPFORMAT globalFormat = 0;
    CLIPFORMAT fileFormat = 0;
    int globalRenders = 0;
    int fileRenders = 0;
    bool throwOnRender = false;
    bool* pDeleted = nullptr;

    ~CCountingSource() override
    {
        if (pDeleted)
            *pDeleted = true;
    }
    BOOL OnRenderGlobalData(LPFORMATETC f, HGLOBAL* ph) override
    {
        if (f->cfFormat != globalFormat)
            return FALSE;
        ++globalRenders;
        if (throwOnRender)
            AfxThrowOleException(static_cast<SCODE>(0x80004005L));
        *ph = BytesBlock("global #" + std::to_string(globalRenders));
        return TRUE;
    }
    BOOL OnRenderFileData(LPFORMATETC f, CFile* pFile) override
    {
        if (f->cfFormat != fileFormat)
            return FALSE;
        ++fileRenders;
        const char text[] = "written to a file";
        pFile->Write(text, sizeof text - 1);
        return TRUE;
    }
};

class DataSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        nativeA = static_cast<CLIPFORMAT>(RegisterClipboardFormat(u"Rivedi test native A"));
        nativeB = static_cast<CLIPFORMAT>(RegisterClipboardFormat(u"Rivedi test native B"));
        unknown = static_cast<CLIPFORMAT>(RegisterClipboardFormat(u"Rivedi test never offered"));
        ASSERT_NE(nativeA, 0);
        ASSERT_NE(nativeB, nativeA);
    }
    void TearDown() override
    {
        COleDataSource::FlushClipboard();
        QGuiApplication::clipboard()->clear();
        Pump();
        EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    }
    CLIPFORMAT nativeA = 0, nativeB = 0, unknown = 0;
};

TEST_F(DataSourceTest, NativeDataRoundTripsThroughTheClipboard)
{
    auto* source = new COleDataSource;
    source->CacheGlobalData(nativeA, NativeBlock(CString(u"clip drawing"), 12.5, -3.25));
    const char16_t text[] = u"plain words";
    source->CacheGlobalData(CF_UNICODETEXT, BytesBlock(std::string(reinterpret_cast<const char*>(text), sizeof text)));
    source->SetClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), source);

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    ASSERT_TRUE(data.IsDataAvailable(nativeA));
    EXPECT_FALSE(data.IsDataAvailable(nativeB));
    std::unique_ptr<CFile> file(data.GetFileData(nativeA));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->GetPosition(), 0u);
    {
        CArchive ar(file.get(), CArchive::load, 4096);
        CString name;
        double x = 0, y = 0;
        ar >> name;
        ar >> x >> y;
        EXPECT_EQ(name, CString(u"clip drawing"));
        EXPECT_EQ(x, 12.5);
        EXPECT_EQ(y, -3.25);
        ar.Close();
    }
    // Another program sees the same bytes under the format's own type, and the text as text.
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    const QString type = QStringLiteral("application/x-korvancad-") +
                         QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("Rivedi test native A")));
    EXPECT_EQ(mime->data(type).size(), static_cast<qsizetype>(file->GetLength()));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("plain words"));
    // The cached data stays with the source: a second read gets it again.
    HGLOBAL again = data.GetGlobalData(nativeA);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(GlobalSize(again), file->GetLength());
    GlobalFree(again);
}

TEST_F(DataSourceTest, DelayedFormatsAreRenderedOnlyWhenRead)
{
    auto* source = new CCountingSource;
    source->globalFormat = nativeA;
    source->fileFormat = nativeB;
    source->DelayRenderData(nativeA);
    source->DelayRenderFileData(nativeB);
    source->SetClipboard();

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(nativeA));
    EXPECT_TRUE(data.IsDataAvailable(nativeB));
    FORMATETC f{};
    int seen = 0;
    data.BeginEnumFormats();
    while (data.GetNextFormat(&f)) {
        EXPECT_EQ(f.dwAspect, DWORD(DVASPECT_CONTENT));
        EXPECT_EQ(f.lindex, -1);
        seen += (f.cfFormat == nativeA) + (f.cfFormat == nativeB);
    }
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(source->globalRenders + source->fileRenders, 0);  // looking renders nothing

    HGLOBAL h = data.GetGlobalData(nativeA);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(BlockBytes(h), "global #1");
    GlobalFree(h);
    EXPECT_EQ(source->globalRenders, 1);
    EXPECT_EQ(source->fileRenders, 0);

    std::unique_ptr<CFile> file(data.GetFileData(nativeB));
    ASSERT_TRUE(file);
    EXPECT_EQ(FileBytes(*file), "written to a file");
    EXPECT_EQ(source->fileRenders, 1);

    // Read again: what was rendered, not a new rendering.
    h = data.GetGlobalData(nativeA);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(BlockBytes(h), "global #1");
    GlobalFree(h);
    EXPECT_EQ(source->globalRenders, 1);
}

TEST_F(DataSourceTest, FlushRendersEverythingBeforeTheSourceGoes)
{
    bool deleted = false;
    auto* source = new CCountingSource;
    source->pDeleted = &deleted;
    source->globalFormat = nativeA;
    source->fileFormat = nativeB;
    source->DelayRenderData(nativeA);
    source->DelayRenderFileData(nativeB);
    source->SetClipboard();
    ASSERT_EQ(COleDataSource::GetClipboardOwner(), source);

    COleDataSource::FlushClipboard();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    HGLOBAL h = data.GetGlobalData(nativeA);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(BlockBytes(h), "global #1");
    GlobalFree(h);
    std::unique_ptr<CFile> file(data.GetFileData(nativeB));
    ASSERT_TRUE(file);
    EXPECT_EQ(FileBytes(*file), "written to a file");
}

TEST_F(DataSourceTest, ReplacedSourceIsDeletedAndNoLongerOwner)
{
    bool firstDeleted = false, secondDeleted = false;
    auto* first = new CCountingSource;
    first->pDeleted = &firstDeleted;
    first->CacheGlobalData(nativeA, BytesBlock("first"));
    first->SetClipboard();
    first->SetClipboard();  // again: still the owner
    Pump();
    EXPECT_FALSE(firstDeleted);
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), first);

    auto* second = new CCountingSource;
    second->pDeleted = &secondDeleted;
    second->CacheGlobalData(nativeB, BytesBlock("second"));
    second->SetClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), second);
    Pump();
    EXPECT_TRUE(firstDeleted);

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_FALSE(data.IsDataAvailable(nativeA));
    EXPECT_TRUE(data.IsDataAvailable(nativeB));

    // Another program takes the clipboard.
    QGuiApplication::clipboard()->setText(QStringLiteral("from elsewhere"));
    Pump();
    EXPECT_TRUE(secondDeleted);
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
}

TEST_F(DataSourceTest, RendererExceptionReachesTheReader)
{
    auto* source = new CCountingSource;
    source->globalFormat = nativeA;
    source->throwOnRender = true;
    source->DelayRenderData(nativeA);
    source->SetClipboard();

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    SCODE sc = 0;
    try {
        HGLOBAL h = data.GetGlobalData(nativeA);
        GlobalFree(h);
    } catch (CException* e) {
        auto* ole = dynamic_cast<COleException*>(e);
        sc = ole ? ole->m_sc : 1;
        e->Delete();
    }
    EXPECT_EQ(sc, static_cast<SCODE>(0x80004005L));
    // The format failed once and is gone; the clipboard still works.
    EXPECT_EQ(data.GetGlobalData(nativeA), nullptr);
    EXPECT_EQ(COleDataSource::TakeRenderException(), nullptr);
}

TEST_F(DataSourceTest, RendererExceptionReachesTheFlusherAndNoLaterReader)
{
    bool deleted = false;
    auto* source = new CCountingSource;
    source->pDeleted = &deleted;
    source->globalFormat = nativeA;
    source->throwOnRender = true;
    source->DelayRenderData(nativeA);
    source->CacheGlobalData(nativeB, BytesBlock("fine"));
    source->SetClipboard();
    SCODE sc = 0;
    try {
        COleDataSource::FlushClipboard();
    } catch (CException* e) {
        auto* ole = dynamic_cast<COleException*>(e);
        sc = ole ? ole->m_sc : 1;
        e->Delete();
    }
    EXPECT_EQ(sc, static_cast<SCODE>(0x80004005L));
    EXPECT_TRUE(deleted);

    // A failure that another program's read caused stays with that read.
    auto* other = new CCountingSource;
    other->globalFormat = nativeA;
    other->throwOnRender = true;
    other->DelayRenderData(nativeA);
    other->CacheGlobalData(nativeB, BytesBlock("fine"));
    other->SetClipboard();
    const QString type = QStringLiteral("application/x-korvancad-") +
                         QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("Rivedi test native A")));
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->data(type).isEmpty());
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    HGLOBAL h = data.GetGlobalData(nativeB);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(BlockBytes(h), "fine");
    GlobalFree(h);
}

TEST_F(DataSourceTest, TextAndPicturesOfAnotherProgramAreSeen)
{
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("Zeichnung\r\n"));
    QImage img(5, 3, QImage::Format_RGB32);
    img.fill(qRgb(10, 200, 30));
    mime->setImageData(img);
    QGuiApplication::clipboard()->setMimeData(mime);

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    for (CLIPFORMAT cf : {CLIPFORMAT(CF_UNICODETEXT), CLIPFORMAT(CF_TEXT), CLIPFORMAT(CF_DIB), CLIPFORMAT(CF_BITMAP)})
        EXPECT_TRUE(data.IsDataAvailable(cf)) << cf;
    // Formats nobody offered, and offered formats in an aspect or medium the clipboard lacks.
    FORMATETC icon{CF_UNICODETEXT, nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL};
    FORMATETC storage{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTORAGE};
    EXPECT_FALSE(data.IsDataAvailable(unknown));
    EXPECT_FALSE(data.IsDataAvailable(nativeA));
    EXPECT_FALSE(data.IsDataAvailable(CF_METAFILEPICT));
    EXPECT_FALSE(data.IsDataAvailable(CF_ENHMETAFILE));
    EXPECT_FALSE(data.IsDataAvailable(CF_UNICODETEXT, &icon));
    EXPECT_FALSE(data.IsDataAvailable(CF_UNICODETEXT, &storage));
    EXPECT_EQ(data.GetGlobalData(unknown), nullptr);
    EXPECT_EQ(data.GetFileData(unknown), nullptr);

    HGLOBAL h = data.GetGlobalData(CF_UNICODETEXT);
    ASSERT_NE(h, nullptr);
    const std::string bytes = BlockBytes(h);
    GlobalFree(h);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(bytes.data())), u"Zeichnung\r\n");

    h = data.GetGlobalData(CF_DIB);
    ASSERT_NE(h, nullptr);
    const std::string dib = BlockBytes(h);
    GlobalFree(h);
    ASSERT_GE(dib.size(), 40u);
    std::int32_t width = 0, height = 0;
    std::memcpy(&width, dib.data() + 4, 4);
    std::memcpy(&height, dib.data() + 8, 4);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(std::abs(height), 3);

    STGMEDIUM medium{};
    ASSERT_TRUE(data.GetData(CF_BITMAP, &medium));
    EXPECT_EQ(medium.tymed, DWORD(TYMED_GDI));
    CBitmap* bmp = CBitmap::FromHandle(medium.hBitmap);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->GetImage().pixel(4, 2) & 0xFFFFFF, qRgb(10, 200, 30) & 0xFFFFFF);
    ReleaseStgMedium(&medium);
    EXPECT_EQ(medium.tymed, DWORD(TYMED_NULL));

    int text = 0, pictures = 0;
    FORMATETC f{};
    data.BeginEnumFormats();
    while (data.GetNextFormat(&f)) {
        text += f.cfFormat == CF_UNICODETEXT || f.cfFormat == CF_TEXT;
        pictures += f.cfFormat == CF_DIB || f.cfFormat == CF_BITMAP;
        EXPECT_EQ(f.tymed, f.cfFormat == CF_BITMAP ? DWORD(TYMED_GDI) : DWORD(TYMED_HGLOBAL));
    }
    EXPECT_EQ(text, 2);
    EXPECT_EQ(pictures, 2);
}

TEST_F(DataSourceTest, DataObjectOverASourceSeesEveryOfferedFormat)
{
    bool deleted = false;
    auto* source = new CCountingSource;
    source->pDeleted = &deleted;
    source->globalFormat = nativeA;
    FORMATETC icon{nativeB, nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL};
    source->CacheGlobalData(nativeB, BytesBlock("icon picture"), &icon);
    source->DelayRenderData(nativeA);
    {
        COleDataObject data;
        data.Attach(source);
        EXPECT_TRUE(data.IsDataAvailable(nativeB, &icon));
        EXPECT_FALSE(data.IsDataAvailable(nativeB));  // only as an icon
        for (int read = 0; read < 2; ++read) {  // the reader's copy is its own to free
            HGLOBAL h = data.GetGlobalData(nativeB, &icon);
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(BlockBytes(h), "icon picture");
            GlobalFree(h);
        }
        HGLOBAL h = nullptr;
        h = data.GetGlobalData(nativeA);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(BlockBytes(h), "global #1");
        GlobalFree(h);
        // Each read of delayed data renders anew.
        h = data.GetGlobalData(nativeA);
        EXPECT_EQ(BlockBytes(h), "global #2");
        GlobalFree(h);
        EXPECT_FALSE(deleted);
    }
    EXPECT_TRUE(deleted);  // released with the data object
}

TEST_F(DataSourceTest, EmptySourceOffersNothingAndUnattachedObjectReadsNothing)
{
    auto* source = new COleDataSource;
    source->CacheGlobalData(nativeA, BytesBlock("gone"));
    source->DelayRenderData(nativeB);
    source->Empty();
    EXPECT_EQ(source->GetFormatCount(), 0);
    source->SetClipboard();
    COleDataObject data;
    STGMEDIUM medium{};
    EXPECT_FALSE(data.IsDataAvailable(nativeA));
    EXPECT_FALSE(data.GetData(nativeA, &medium));
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_FALSE(data.IsDataAvailable(nativeA));
    EXPECT_FALSE(data.IsDataAvailable(nativeB));
    FORMATETC f{};
    data.BeginEnumFormats();
    EXPECT_FALSE(data.GetNextFormat(&f));
}

}  // namespace

namespace {

TEST_F(DataSourceTest, SourceLetGoOffTheClipboardTakesItsDataAlong)
{
    // As a closing document does when the user does not keep the copied data.
    bool deleted = false;
    auto* source = new CCountingSource;
    source->pDeleted = &deleted;
    source->globalFormat = nativeA;
    source->DelayRenderData(nativeA);
    source->SetClipboard();
    source->Empty();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    EXPECT_EQ(source->globalRenders, 0);
    Pump();
    EXPECT_TRUE(deleted);
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_FALSE(data.IsDataAvailable(nativeA));
}

TEST_F(DataSourceTest, DeletedOwnerLeavesItsCachedDataButNotItsDelayedFormats)
{
    auto* source = new CCountingSource;
    source->globalFormat = nativeB;
    source->CacheGlobalData(nativeA, BytesBlock("kept"));
    source->DelayRenderData(nativeB);
    source->SetClipboard();
    delete source;  // too late for its own renderers
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    HGLOBAL h = data.GetGlobalData(nativeA);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(BlockBytes(h), "kept");
    GlobalFree(h);
    EXPECT_FALSE(data.IsDataAvailable(nativeB));
}

TEST_F(DataSourceTest, CachedBitmapReachesOtherProgramsAsAPicture)
{
    QImage img(6, 4, QImage::Format_RGB32);
    img.fill(qRgb(200, 20, 40));
    auto* bmp = new CBitmap;
    ASSERT_TRUE(bmp->CreateFromImage(img));
    STGMEDIUM medium{};
    medium.tymed = TYMED_GDI;
    medium.hBitmap = static_cast<HBITMAP>(bmp->Detach());
    delete bmp;
    auto* source = new COleDataSource;
    source->CacheData(CF_BITMAP, &medium);  // the source owns the bitmap now
    source->SetClipboard();

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_BITMAP));
    EXPECT_TRUE(data.IsDataAvailable(CF_DIB));
    const QImage seen = QGuiApplication::clipboard()->image();
    ASSERT_EQ(seen.size(), img.size());
    EXPECT_EQ(seen.pixel(5, 3) & 0xFFFFFF, qRgb(200, 20, 40) & 0xFFFFFF);
}

}  // namespace

namespace {

// Writes nothing: empty data, which is still data.
class CEmptyFileSource : public COleDataSource
{
public:
    BOOL OnRenderFileData(LPFORMATETC, CFile*) override { return TRUE; }
};

TEST_F(DataSourceTest, EmptyDataIsDataNotNone)
{
    auto* source = new CEmptyFileSource;
    source->DelayRenderFileData(nativeA);
    source->CacheGlobalData(nativeB, GlobalAlloc(GMEM_MOVEABLE, 0));
    source->SetClipboard();
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    for (CLIPFORMAT cf : {nativeA, nativeB}) {
        std::unique_ptr<CFile> file(data.GetFileData(cf));
        ASSERT_TRUE(file) << cf;
        EXPECT_EQ(file->GetLength(), 0u);
        char byte = 0;
        EXPECT_EQ(file->Read(&byte, 1), 0u);
    }
}

}  // namespace
