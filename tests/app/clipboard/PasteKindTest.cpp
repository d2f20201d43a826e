// What a paste makes of each clipboard content, with and without Paste Special (the kind table), and
// where and how large it lands: layouts of different scales, text into a 1:2 layout, a picture at 2 x 3,
// an embedded file into a 1:5 layout.

#include "ClipboardFixture.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "commands/edit/CQZ2OlePasteSpecialDialog.h"
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
            // The paste command's own dialog.
            EXPECT_TRUE(d.IsKindOf(RUNTIME_CLASS(CQZ2OlePasteSpecialDialog)));
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

// A vector picture that does not draw: plain Paste takes the picture or text offered beside it; alone, or
// chosen by name in Paste Special, it is refused with the message and nothing is pasted.
TEST_F(PasteKindTest, AVectorPictureThatDoesNotDrawGivesWayOrIsRefused)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    const QByteArray broken = "<svg xmlns='http://www.w3.org/2000/svg' width='96' height='48'><rect";
    const QByteArray sizeless = "<svg xmlns='http://www.w3.org/2000/svg' width='0' height='0'/>";
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    struct Case {
        const char* what;
        QByteArray svg;
        bool withPicture;
        bool withText;
        QString entry;  // empty: plain Paste
        int kind;       // 0: refused with the message
    };
    const Case cases[] = {
        {"broken beside a picture", broken, true, false, QString(), ClipboardPaste2dCommand::kindImage},
        {"broken beside text", broken, false, true, QString(), ClipboardPaste2dCommand::kindText},
        {"broken alone", broken, false, false, QString(), 0},
        {"no size alone", sizeless, false, false, QString(), 0},
        {"broken, chosen by name", broken, true, false, QStringLiteral("Vector picture (SVG)"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto* m = new QMimeData;
        m->setData(QStringLiteral("image/svg+xml"), c.svg);
        if (c.withPicture)
            m->setImageData(picture);
        if (c.withText)
            m->setText(QStringLiteral("caption"));
        QGuiApplication::clipboard()->setMimeData(m);
        m_app->boxes.clear();
        if (!c.entry.isEmpty())
            ChooseEntry(c.entry);
        ClipboardPaste2dCommand* paste = Paste(c.entry.isEmpty() ? kPasteID : kPasteSpecialID);
        if (c.kind == 0) {
            EXPECT_EQ(paste, nullptr);
            ASSERT_EQ(m_app->boxes.size(), 1u);
            EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("The clipboard holds data that cannot be pasted."));
        } else {
            ASSERT_NE(paste, nullptr);
            EXPECT_TRUE(m_app->boxes.empty());
            EXPECT_EQ(paste->GetPasteKind(), c.kind);
            Command(kEndCommandID);
        }
        // Nothing was added, and the clipboard still holds what was put there.
        EXPECT_EQ(doc->GetDraw2dDocument()->GetFeatureCount(), 0);
        EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml")), c.svg);
    }
    EXPECT_EQ(PendingModalActions(), 0u);
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

// Shapes copied from a paper through layouts of different scales: each lands with the base point on the
// click, at its own size.
TEST_F(PasteKindTest, ShapesFromLayoutsOfDifferentScalesEachLandOnTheClick)
{
    CQZ2Doc* source = NewDrawingWithLayer();
    Draw2dDocument* model = source->GetDraw2dDocument();
    DrawingFeatureBase* paper = model->GetActiveDrawingFeature();
    const long p1 = model->AddPartDrawingFeature(_T("P1"));
    const long p2 = model->AddPartDrawingFeature(_T("P2"));
    const long l1 = model->AddPartLayout(paper->GetDrawingID(), p1, _T("L1"), -1, 1);
    const long l2 = model->AddPartLayout(paper->GetDrawingID(), p2, _T("L2"), -1, 1);
    ASSERT_TRUE(model->SetPartLayoutScale(l2, 1, 2, FALSE, 1, 2, 1));
    const PartDrawingLayout* layout1 = model->GetPartLayoutByID(l1);
    const PartDrawingLayout* layout2 = model->GetPartLayoutByID(l2);
    // Both lines start at the same point of the paper.
    RuVaPnt2d base, start2;
    layout1->ConvertPointLocalToWorld(RuVaPnt2d(10, 10), base);
    layout2->ConvertPointWorldToLocal(base, start2);
    ASSERT_GT(start2.Distance(RuVaPnt2d(10, 10)), 1.0);  // the scales differ
    auto add = [&](long drawing, const RuVaPnt2d& a) {
        Line2dFeature l(a, RuVaPnt2d(a.X() + 10, a.Y()));
        l.SetLayerID(model->GetCurrentLayerID());
        return model->AddFeature(&l, model->ChangeDrawingFeature(drawing), 1);
    };
    const long a = add(p1, RuVaPnt2d(10, 10));
    const long b = add(p2, start2);
    SelectThrough(model, {FeatureLayout(a, l1, -1), FeatureLayout(b, l2, -1)});
    ASSERT_TRUE(CopySelection(kCopyID, base));

    CQZ2Doc* target = NewDrawingWithLayer();
    Draw2dDocument* to = target->GetDraw2dDocument();
    ASSERT_NE(Paste(kPasteID), nullptr);
    ASSERT_TRUE(GivePoint(ClipboardPaste2dCommand::itemPoint, RuVaPnt2d(100, 50)));
    Command(kEndCommandID);
    const auto lines = Lines(to);
    ASSERT_EQ(lines.size(), 2u);
    for (const Line2dFeature* l : lines) {
        EXPECT_LT(l->GetStartPoint().Distance(RuVaPnt2d(100, 50)), 1e-9);
        EXPECT_LT(l->GetEndPoint().Distance(RuVaPnt2d(110, 50)), 1e-9);
    }
}

// Sizes on paper: text keeps its size in a uniformly scaled layout, a picture follows the scale item, an
// embedded file keeps its own size on paper (five times in model units in a 1:5 layout).
TEST_F(PasteKindTest, PastedSizesFollowTheLayoutAndTheScale)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    DrawingFeatureBase* paper = model->GetActiveDrawingFeature();
    const long part = model->AddPartDrawingFeature(_T("Part"));
    const long layout = model->AddPartLayout(paper->GetDrawingID(), part, _T("L"), -1, 1);
    auto inLayout = [&](double denX, double denY) {
        EXPECT_TRUE(model->SetPartLayoutScale(layout, 1, denX, denX != denY, 1, denY, 1));
        EXPECT_TRUE(model->ActivateDrawingFeature(paper->GetDrawingID(), layout, TRUE));
        Pump();
    };
    auto lastText = [&]() {
        const Text2dFeature* last = nullptr;
        for (long id = model->GetNextFeatureRecordID(-1); id != -1; id = model->GetNextFeatureRecordID(id))
            if (auto* t = dynamic_cast<const Text2dFeature*>(model->GetFeature(id)))
                last = t;
        return last;
    };
    const double nominal = model->GetTextSetting()->GetHeight();
    struct TextCase {
        double denX, denY, factor;
    } texts[] = {{1, 1, 1}, {2, 2, 2}, {2, 3, 1}};
    for (const TextCase& c : texts) {
        SCOPED_TRACE(c.denX * 10 + c.denY);
        inLayout(c.denX, c.denY);
        QGuiApplication::clipboard()->setText(QStringLiteral("note"));
        ASSERT_NE(Paste(kPasteID), nullptr);
        ASSERT_TRUE(GivePoint(ClipboardPaste2dCommand::itemPoint, RuVaPnt2d(5, 5)));
        Command(kEndCommandID);
        ASSERT_NE(lastText(), nullptr);
        EXPECT_NEAR(lastText()->GetHeight(), nominal * c.factor, 1e-9);
    }

    // An embedded file: its natural size on paper.
    const QString png = WritePicture(QStringLiteral("photo.png"), 96, 48);  // 25.4 x 12.7 mm
    for (double den : {1.0, 5.0}) {
        SCOPED_TRACE(den);
        inLayout(den, den);
        auto* m = new QMimeData;
        m->setData(QStringLiteral("text/uri-list"), UriList({png}));
        QGuiApplication::clipboard()->setMimeData(m);
        ASSERT_NE(Paste(kPasteID), nullptr);
        ASSERT_TRUE(GivePoint(ClipboardPaste2dCommand::itemPoint, RuVaPnt2d(0, 0)));
        Command(kEndCommandID);
        const OleObject2dFeature* o = LastObject(model);
        ASSERT_NE(o, nullptr);
        EXPECT_NEAR(o->GetWidth(), 96 / 3780.0 * 1000 * den, 1e-6);
        EXPECT_NEAR(o->GetHeight(), 48 / 3780.0 * 1000 * den, 1e-6);
    }
}

TEST_F(PasteKindTest, APictureAtTwoByThreeIsTwiceAsWideAndThreeTimesAsHigh)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    // The first start with shapes on the clipboard gives the paste its scale.
    const long a = AddLine(model, RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    Select(model, std::vector<long>{a});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));
    ASSERT_NE(Paste(kPasteID), nullptr);
    Command(kEndCommandID);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    QGuiApplication::clipboard()->setImage(picture);
    auto images = [&]() {
        std::vector<const Image2dFeature*> out;
        for (long id = model->GetNextFeatureRecordID(-1); id != -1; id = model->GetNextFeatureRecordID(id))
            if (auto* i = dynamic_cast<const Image2dFeature*>(model->GetFeature(id)))
                out.push_back(i);
        return out;
    };
    for (auto scale : {std::pair<double, double>{1, 1}, std::pair<double, double>{2, 3}}) {
        ClipboardPaste2dCommand* paste = Paste(kPasteID);
        ASSERT_NE(paste, nullptr);
        ASSERT_EQ(paste->GetPasteKind(), ClipboardPaste2dCommand::kindImage);
        QZ2Command::ScaleParameterItem item;
        const int si = paste->FindParameterIndex(ClipboardPaste2dCommand::itemScale);
        ASSERT_GE(si, 0);
        item.Copy(*paste->GetParameterItem(si));
        ASSERT_TRUE(item.SetValue(scale.first, scale.second));
        ASSERT_TRUE(m_manager->SetScaleParameter(si, item, TRUE));
        ASSERT_TRUE(GivePoint(ClipboardPaste2dCommand::itemPoint, RuVaPnt2d(0, 0)));
        Command(kEndCommandID);
    }
    const auto pictures = images();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_NEAR(pictures[1]->GetWidth(), 2 * pictures[0]->GetWidth(), 1e-9);
    EXPECT_NEAR(pictures[1]->GetHeight(), 3 * pictures[0]->GetHeight(), 1e-9);
}

}  // namespace
