// What a paste makes of each clipboard content, with and without Paste Special (the kind table), and
// where and how large it lands: layouts of different scales, text into a 1:2 layout, a picture at 2 x 3,
// an embedded file into a 1:5 layout.

#include "ClipboardFixture.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "platform/ole/COlePasteSpecialDialog.h"
#include "platform/win/CListBox.h"

namespace {

using namespace kctest;
using QZ2Command::ClipboardPaste2dCommand;

constexpr UINT kPasteSpecialID = 57639;

QString NativeBMime()
{
    return QStringLiteral("application/x-korvancad-") +
           QString::fromLatin1(QUrl::toPercentEncoding("Rivedi VEZ Feature Data"));
}

class PasteKindTest : public ClipboardFixture
{
protected:
    void SetUp() override
    {
        ClipboardFixture::SetUp();
        ASSERT_TRUE(m_files.isValid());
    }
    QString WritePicture(const QString& name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        const QString path = m_files.filePath(name);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(m_files.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    static QByteArray UriList(const QStringList& paths)
    {
        QByteArray list;
        for (const QString& p : paths)
            list += QUrl::fromLocalFile(p).toEncoded() + "\r\n";
        return list;
    }
    // The running paste after the command started; NULL when it did not start.
    ClipboardPaste2dCommand* Paste(UINT nID)
    {
        Command(nID);
        return dynamic_cast<ClipboardPaste2dCommand*>(m_manager->GetActiveCommand());
    }
    // Paste Special answered with the entry of that name; the names it listed go to *pNames.
    void ChooseEntry(const QString& name, QStringList* pNames = nullptr)
    {
        WhenModal<COlePasteSpecialDialog>([name, pNames](COlePasteSpecialDialog& d) {
            QStringList names;
            int chosen = -1;
            for (int i = 0; i < d.GetEntryCount(); ++i) {
                names << d.GetEntryName(i).ToQString();
                if (names.back() == name)
                    chosen = i;
            }
            if (pNames != nullptr)
                *pNames = names;
            auto* list = static_cast<CListBox*>(d.GetDlgItem(COlePasteSpecialDialog::kList));
            list->SetCurSel(chosen);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(chosen >= 0 ? IDOK : IDCANCEL, BN_CLICKED), 0);
        });
    }
    static const OleObject2dFeature* LastObject(const Draw2dDocument* model)
    {
        const OleObject2dFeature* last = nullptr;
        for (long id = model->GetNextFeatureRecordID(-1); id != -1; id = model->GetNextFeatureRecordID(id))
            if (auto* o = dynamic_cast<const OleObject2dFeature*>(model->GetFeature(id)))
                last = o;
        return last;
    }

    QTemporaryDir m_files;
};

// The kind for each content, by plain Paste and by the Paste Special entry chosen.
TEST_F(PasteKindTest, EachContentPastesAsItsKind)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    // A drawing of this program, copied as a file.
    const long line = AddLine(model, RuVaPnt2d(3, 4), RuVaPnt2d(13, 4));
    const QString drawing = m_files.filePath(QStringLiteral("part.kvcd"));
    ASSERT_TRUE(doc->DoSave(CString::FromQString(drawing), TRUE));
    Select(model, std::vector<long>{line});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(3, 4)));
    const QByteArray native = QGuiApplication::clipboard()->mimeData()->data(NativeMime());
    ASSERT_FALSE(native.isEmpty());
    const QString png = WritePicture(QStringLiteral("photo.png"), 96, 48);
    const QString txt = WriteFile(QStringLiteral("notes.txt"), "notes\n");
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='96' height='48' viewBox='0 0 96 48'>"
                           "<rect x='4' y='4' width='88' height='40' fill='navy'/></svg>";
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::yellow);

    struct Case {
        const char* what;
        std::function<QMimeData*()> content;
        QString entry;  // empty: plain Paste
        int kind;
        QString objectName;  // kind 2: the embedded file's name
        bool link;
    };
    auto mime = [](std::function<void(QMimeData*)> fill) {
        return [fill]() {
            auto* m = new QMimeData;
            fill(m);
            return m;
        };
    };
    const std::vector<Case> cases = {
        // A copy of this program's own: both native formats, pictures and text.
        {"own copy", [&] { auto* m = new QMimeData; m->setData(NativeMime(), native); m->setData(NativeBMime(), native);
                           m->setData(QStringLiteral("image/svg+xml"), svg); m->setImageData(picture); return m; },
         QString(), 1, {}, false},
        {"own copy, second native format", [&] { auto* m = new QMimeData; m->setData(NativeMime(), native);
                                                 m->setData(NativeBMime(), native); return m; },
         QStringLiteral("ZA!!"), 1, {}, false},
        {"own copy, its picture", [&] { auto* m = new QMimeData; m->setData(NativeMime(), native);
                                        m->setData(QStringLiteral("image/svg+xml"), svg); m->setImageData(picture); return m; },
         QStringLiteral("Picture"), 4, {}, false},
        {"own copy, its vector picture", [&] { auto* m = new QMimeData; m->setData(NativeMime(), native);
                                               m->setData(QStringLiteral("image/svg+xml"), svg); return m; },
         QStringLiteral("Vector picture (SVG)"), 2, QStringLiteral("picture.svg"), false},
        {"native B only", mime([&](QMimeData* m) { m->setData(NativeBMime(), native); }), QString(), 1, {}, false},
        {"picture", mime([&](QMimeData* m) { m->setImageData(picture); }), QString(), 4, {}, false},
        {"text", mime([](QMimeData* m) { m->setText(QStringLiteral("hello")); }), QString(), 3, {}, false},
        {"text as Text", mime([](QMimeData* m) { m->setText(QStringLiteral("hello")); }), QStringLiteral("Text"), 3, {}, false},
        {"text as Unicode text", mime([](QMimeData* m) { m->setText(QStringLiteral("hello")); }),
         QStringLiteral("Unicode text"), 3, {}, false},
        {"SVG picture", mime([&](QMimeData* m) { m->setData(QStringLiteral("image/svg+xml"), svg); }), QString(), 2,
         QStringLiteral("picture.svg"), false},
        // A file manager's copy: the file list with the paths as text beside it.
        {"files", mime([&](QMimeData* m) { m->setData(QStringLiteral("text/uri-list"), UriList({png, txt}));
                                           m->setText(png + QStringLiteral("\n") + txt); }),
         QString(), 2, QStringLiteral("photo.png"), false},
        {"files as Linked file", mime([&](QMimeData* m) { m->setData(QStringLiteral("text/uri-list"), UriList({txt})); }),
         QStringLiteral("Linked file"), 2, QStringLiteral("notes.txt"), true},
        {"files as Embedded file", mime([&](QMimeData* m) { m->setData(QStringLiteral("text/uri-list"), UriList({txt})); }),
         QStringLiteral("Embedded file"), 2, QStringLiteral("notes.txt"), false},
        {"a drawing file", mime([&](QMimeData* m) { m->setData(QStringLiteral("text/uri-list"), UriList({drawing})); }),
         QString(), 1, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QGuiApplication::clipboard()->setMimeData(c.content());
        m_app->boxes.clear();
        if (!c.entry.isEmpty())
            ChooseEntry(c.entry);
        ClipboardPaste2dCommand* paste = Paste(c.entry.isEmpty() ? kPasteID : kPasteSpecialID);
        ASSERT_NE(paste, nullptr);
        EXPECT_TRUE(m_app->boxes.empty());
        EXPECT_EQ(paste->GetPasteKind(), c.kind);
        if (c.kind == 2) {
            EmbeddedFileRecord r;
            ASSERT_TRUE(r.Read(paste->GetItemData()));
            EXPECT_EQ(r.m_strFileName.ToQString(), c.objectName);
            EXPECT_EQ(r.m_bLink != FALSE, c.link);
        }
        if (c.kind == 1 && std::string(c.what) == "a drawing file") {
            ASSERT_NE(paste->GetClipDocument(), nullptr);
            EXPECT_EQ(paste->GetClipDocument()->GetBasePoint(), RuVaPnt2d(0, 0));
            EXPECT_EQ(paste->GetClipDocument()->GetFeatureCount(), 1);
        }
        Command(kEndCommandID);
    }
    EXPECT_EQ(PendingModalActions(), 0u);
}

TEST_F(PasteKindTest, PasteSpecialListsOnlyWhatTheClipboardHoldsAndCancelStartsNothing)
{
    NewDrawingWithLayer();
    auto* m = new QMimeData;
    m->setData(QStringLiteral("text/uri-list"), UriList({WriteFile(QStringLiteral("a.txt"), "a")}));
    m->setText(QStringLiteral("a.txt"));
    QGuiApplication::clipboard()->setMimeData(m);
    QStringList names;
    ChooseEntry(QStringLiteral("no such entry"), &names);  // cancels
    EXPECT_EQ(Paste(kPasteSpecialID), nullptr);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Embedded file"), QStringLiteral("Linked file"),
                                  QStringLiteral("Unicode text"), QStringLiteral("Text")}));
}

// Files that cannot be pasted are refused like any bad data; further files of a list are counted.
TEST_F(PasteKindTest, VanishedFilesAreRefused)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    const QString gone = WriteFile(QStringLiteral("gone.txt"), "soon gone");
    auto* m = new QMimeData;
    m->setData(QStringLiteral("text/uri-list"), UriList({gone}));
    QGuiApplication::clipboard()->setMimeData(m);
    ASSERT_TRUE(QFile::remove(gone));
    m_app->boxes.clear();
    EXPECT_EQ(Paste(kPasteID), nullptr);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("The clipboard holds data that cannot be pasted."));
    EXPECT_EQ(doc->GetDraw2dDocument()->GetFeatureCount(), 0);
}

}  // namespace
