// Embedded files through the real program: Insert Object with its dialog, the object filling the
// rectangle by its natural aspect, drawings of this program refused; a double click opening the file with
// the desktop (a file URL handler records it) and the saved copy coming back in one undo step; files the
// desktop would run never opened; damaged records drawn and kept; save and reopen keeping everything.

#include "ClipboardFixture.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QObject>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QWidget>

#include "app/CQZ2CntrItem.h"
#include "commands/shape/EmbeddedFileBuilder.h"
#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "platform/ole/COleInsertDialog.h"
#include "platform/ole/COlePasteSpecialDialog.h"
#include "platform/win/CEdit.h"
#include "platform/win/CListBox.h"
#include "platform/win/CFrameWnd.h"

namespace {

using namespace kctest;

constexpr UINT kInsertObjectID = 57856;

// Stands in for the desktop: records each file it is asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

class EmbeddedObjectTest : public ClipboardFixture
{
protected:
    void SetUp() override
    {
        ClipboardFixture::SetUp();
        ASSERT_TRUE(m_files.isValid());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_desktop, "open");
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        ClipboardFixture::TearDown();
    }
    QString Path(const QString& name) const { return m_files.filePath(name); }
    QString WritePicture(const QString& name, int w, int h, QColor colour = Qt::red)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        image.setDotsPerMeterX(3780);  // 96 dpi
        image.setDotsPerMeterY(3780);
        const QString path = Path(name);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    // The Insert Object dialog answered with a file, embedded or linked.
    void ChooseFile(const QString& path, bool link = false)
    {
        WhenModal<COleInsertDialog>([path, link](COleInsertDialog& d) {
            d.CheckRadioButton(COleInsertDialog::kCreateNew, COleInsertDialog::kCreateFromFile,
                               COleInsertDialog::kCreateFromFile);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(COleInsertDialog::kCreateFromFile, BN_CLICKED), 0);
            d.SetDlgItemText(COleInsertDialog::kFileEdit, CString::FromQString(path));
            d.CheckDlgButton(COleInsertDialog::kLink, link ? BST_CHECKED : BST_UNCHECKED);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    }
    // Insert Object of the file between the corners; the new shape's record id or -1.
    long InsertFile(Draw2dDocument* model, const QString& path, const RuVaPnt2d& a, const RuVaPnt2d& b,
                    bool link = false)
    {
        ChooseFile(path, link);
        const long before = model->GetFeatureCount();
        Command(kInsertObjectID);
        if (m_manager->GetActiveCommand() == nullptr)
            return -1;
        GivePoint(0, a);
        GivePoint(1, b);
        if (model->GetFeatureCount() != before + 1)
            return -1;
        long last = -1;
        for (long id = model->GetNextFeatureRecordID(-1); id != -1; id = model->GetNextFeatureRecordID(id))
            last = id;
        return last;
    }
    static const OleObject2dFeature* Object(const Draw2dDocument* model, long id)
    {
        return dynamic_cast<const OleObject2dFeature*>(model->GetFeature(id));
    }
    static EmbeddedFileRecord RecordOf(const Draw2dDocument* model, long id)
    {
        EmbeddedFileRecord r;
        if (const OleObject2dFeature* o = Object(model, id))
            r.Read(o->GetItemData());
        return r;
    }
    void DoubleClick(long id)
    {
        CQZ2View* pView = ActiveDrawView();
        Draw2dView* pDraw = pView->GetDraw2dView();
        const CPoint at = pDraw->ConvertPointWorldToClient(ActiveDocument()->GetDraw2dDocument()->GetFeature(id)->GetBndBox().Center());
        pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        pView->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Pump();
    }

    // The desktop's Templates folder, as the user's folder settings name it, with three documents.
    QString MakeTemplates()
    {
        const QString templates = Path(QStringLiteral("Templates"));
        EXPECT_TRUE(QDir().mkpath(templates));
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        EXPECT_TRUE(QDir().mkpath(config));
        QFile dirs(QDir(config).filePath(QStringLiteral("user-dirs.dirs")));
        EXPECT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_TEMPLATES_DIR=\"" + templates.toUtf8() + "\"\n");
        dirs.close();
        for (const char* name : {"Letter.odt", "Spreadsheet.ods", "Notes.txt"}) {
            QFile f(templates + QLatin1Char('/') + QLatin1String(name));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("template");
        }
        return templates;
    }

    QTemporaryDir m_files;
    UrlRecorder m_desktop;
};

TEST_F(EmbeddedObjectTest, APictureFillsTheRectangleByItsAspectFromTheLowerLeftCorner)
{
    const QString png = WritePicture(QStringLiteral("picture.png"), 800, 600);
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    struct Corners {
        RuVaPnt2d a, b;
    } cases[] = {{RuVaPnt2d(0, 0), RuVaPnt2d(20, 20)}, {RuVaPnt2d(20, 20), RuVaPnt2d(0, 0)}};
    for (const Corners& c : cases) {
        const long id = InsertFile(model, png, c.a, c.b);
        ASSERT_NE(id, -1);
        EXPECT_EQ(m_manager->GetActiveCommand(), nullptr);  // one object ends the command
        const OleObject2dFeature* o = Object(model, id);
        ASSERT_NE(o, nullptr);
        EXPECT_LT(o->GetPoint().Distance(RuVaPnt2d(0, 0)), 1e-9);
        EXPECT_NEAR(o->GetWidth(), 20.0, 1e-9);
        EXPECT_NEAR(o->GetHeight(), 15.0, 1e-9);
        // Its natural size: 800 x 600 pixels at 96 dpi.
        EXPECT_NEAR(o->GetOleObjectSetting().GetNaturalWidth(), 800 / 3780.0 * 1000, 1e-6);
        EXPECT_NEAR(o->GetOleObjectSetting().GetNaturalHeight(), 600 / 3780.0 * 1000, 1e-6);
        const EmbeddedFileRecord r = RecordOf(model, id);
        EXPECT_EQ(r.m_strFileName, CString(_T("picture.png")));
        EXPECT_EQ(r.m_strMimeType, CString(_T("image/png")));
        EXPECT_FALSE(r.m_bLink);
        QFile f(png);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(r.m_data, std::vector<BYTE>(bytes.begin(), bytes.end()));
        EXPECT_FALSE(r.m_preview.empty());
    }
    EXPECT_EQ(model->GetUndoCount(), 2);
    EXPECT_EQ(PendingModalActions(), 0u);
}

TEST_F(EmbeddedObjectTest, OtherFilesBecomeACardAndTheDialogCanBeCancelled)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    const QString odt = WriteFile(QStringLiteral("notes.txt"), "plain notes\n");
    const long id = InsertFile(model, odt, RuVaPnt2d(0, 0), RuVaPnt2d(60, 36));
    ASSERT_NE(id, -1);
    // A 30 x 36 mm card fitted into 60 x 36.
    EXPECT_NEAR(Object(model, id)->GetWidth(), 30.0, 1e-9);
    EXPECT_NEAR(Object(model, id)->GetHeight(), 36.0, 1e-9);
    EXPECT_EQ(RecordOf(model, id).m_strMimeType, CString(_T("text/plain")));

    // Cancel starts nothing.
    WhenModal<COleInsertDialog>([](COleInsertDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
    m_app->boxes.clear();
    Command(kInsertObjectID);
    EXPECT_EQ(m_manager->GetActiveCommand(), nullptr);
    EXPECT_TRUE(m_app->boxes.empty());
    EXPECT_EQ(model->GetFeatureCount(), 1);
}

TEST_F(EmbeddedObjectTest, DrawingsOfThisProgramAreRefused)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    const QString own = WriteFile(QStringLiteral("other.kvcd"), "not even a drawing");
    for (bool link : {false, true}) {
        ChooseFile(own, link);
        m_app->boxes.clear();
        Command(kInsertObjectID);
        EXPECT_EQ(m_manager->GetActiveCommand(), nullptr);
        ASSERT_EQ(m_app->boxes.size(), 1u);
        EXPECT_TRUE(m_app->boxes[0].text.startsWith(QStringLiteral("A drawing of this program cannot be inserted")));
    }
    EXPECT_EQ(doc->GetDraw2dDocument()->GetFeatureCount(), 0);
}

TEST_F(EmbeddedObjectTest, DoubleClickOpensACopyAndTheSavedCopyComesBackInOneStep)
{
    const QString png = WritePicture(QStringLiteral("picture.png"), 800, 600);
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    const long id = InsertFile(model, png, RuVaPnt2d(0, 0), RuVaPnt2d(20, 20));
    ASSERT_NE(id, -1);
    const std::vector<BYTE> before = Object(model, id)->GetItemData();
    const int steps = model->GetUndoCount();

    DoubleClick(id);
    ASSERT_EQ(m_desktop.opened.size(), 1u);
    const QString opened = m_desktop.opened[0].toLocalFile();
    EXPECT_EQ(QFileInfo(opened).fileName(), QStringLiteral("picture.png"));
    EXPECT_NE(QFileInfo(opened).absolutePath(), QFileInfo(png).absolutePath());
    // Private and never executable.
    const QFileDevice::Permissions perms = QFile::permissions(opened);
    EXPECT_FALSE(perms & (QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther));
    EXPECT_FALSE(perms & (QFileDevice::ReadOther | QFileDevice::WriteOther));
    EXPECT_EQ(model->GetUndoCount(), steps);  // opening leaves the history as it is

    // The user saves the copy at half the width: the shape takes it and narrows in proportion.
    QImage narrower(400, 600, QImage::Format_RGB32);
    narrower.fill(Qt::blue);
    narrower.setDotsPerMeterX(3780);
    narrower.setDotsPerMeterY(3780);
    ASSERT_TRUE(narrower.save(opened, "PNG"));
    ASSERT_TRUE(WaitFor([&] { return Object(model, id)->GetItemData() != before; }));
    EXPECT_EQ(model->GetUndoCount(), steps + 1);
    EXPECT_NEAR(Object(model, id)->GetWidth(), 10.0, 1e-9);
    EXPECT_NEAR(Object(model, id)->GetHeight(), 15.0, 1e-9);
    QFile saved(opened);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray savedBytes = saved.readAll();
    EXPECT_EQ(RecordOf(model, id).m_data, std::vector<BYTE>(savedBytes.begin(), savedBytes.end()));
    EXPECT_EQ(RecordOf(model, id).m_strFileName, CString(_T("picture.png")));

    Command(kUndoID);
    EXPECT_EQ(Object(model, id)->GetItemData(), before);
    EXPECT_NEAR(Object(model, id)->GetWidth(), 20.0, 1e-9);
    EXPECT_TRUE(m_app->boxes.empty());
}

TEST_F(EmbeddedObjectTest, FilesTheDesktopWouldRunAreNeverOpened)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    struct Runnable {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"launcher.desktop", "[Desktop Entry]\nType=Application\nExec=touch /tmp/ran\n"},
        {"setup.sh", "#!/bin/sh\ntouch /tmp/ran\n"},
        {"readme.txt", "#!/bin/sh\ntouch /tmp/ran\n"},  // a script under a harmless name
        {"tool", QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x3e\0", 20) + QByteArray(200, '\0')},
    };
    for (const Runnable& c : cases) {
        SCOPED_TRACE(c.name);
        const long id = InsertFile(model, WriteFile(QString::fromLatin1(c.name), c.bytes), RuVaPnt2d(0, 0),
                                   RuVaPnt2d(30, 36));
        ASSERT_NE(id, -1);
        m_app->boxes.clear();
        m_desktop.opened.clear();
        DoubleClick(id);
        EXPECT_TRUE(m_desktop.opened.empty());
        ASSERT_EQ(m_app->boxes.size(), 1u);
        EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("This file was not opened: the desktop would run it as a program."));
        model->DeleteFeature(id, 1);
    }
}

TEST_F(EmbeddedObjectTest, SaveAndReopenKeepEverythingAndDamagedRecordsStayAsTheyWere)
{
    const QString png = WritePicture(QStringLiteral("picture.png"), 80, 60);
    const QString linked = WritePicture(QStringLiteral("linked.png"), 40, 40, Qt::green);
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    const long embedded = InsertFile(model, png, RuVaPnt2d(0, 0), RuVaPnt2d(20, 20));
    const long link = InsertFile(model, linked, RuVaPnt2d(30, 0), RuVaPnt2d(50, 20), true);
    ASSERT_NE(embedded, -1);
    ASSERT_NE(link, -1);
    EXPECT_TRUE(RecordOf(model, link).m_bLink);
    EXPECT_EQ(RecordOf(model, link).m_strLinkPath, CString::FromQString(QFileInfo(linked).absoluteFilePath()));
    EXPECT_TRUE(RecordOf(model, link).m_data.empty());
    // A damaged record: a length running past its bytes.
    OleObject2dFeature damaged(*Object(model, embedded));
    std::vector<BYTE> bad = Object(model, embedded)->GetItemData();
    bad.resize(bad.size() - 5);
    damaged.SetItemData(bad.data(), bad.size());
    const long broken = model->AddFeature(&damaged, model->GetParentDrawingFeature(embedded), 1);
    ASSERT_NE(broken, -1);

    // The damaged one is drawn (its frame crossed out) with the others, and refuses to open.
    CQZ2View* pView = ActiveDrawView();
    pView->GetDraw2dView()->ZoomAll();
    pView->Invalidate();
    Pump();
    m_app->boxes.clear();
    DoubleClick(broken);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("The object's data is damaged; it cannot be opened."));
    EXPECT_TRUE(m_desktop.opened.empty());

    // A linked file opens where it is.
    m_app->boxes.clear();
    DoubleClick(link);
    ASSERT_EQ(m_desktop.opened.size(), 1u);
    EXPECT_EQ(m_desktop.opened[0].toLocalFile(), QFileInfo(linked).absoluteFilePath());

    const std::vector<BYTE> embeddedBytes = Object(model, embedded)->GetItemData();
    const std::vector<BYTE> linkBytes = Object(model, link)->GetItemData();
    const OleObjectSetting setting = Object(model, embedded)->GetOleObjectSetting();
    const QString file = Path(QStringLiteral("saved.kvcd"));
    ASSERT_TRUE(doc->DoSave(CString::FromQString(file), TRUE));
    doc->OnCloseDocument();
    Pump();
    auto* reopened = dynamic_cast<CQZ2Doc*>(m_app->OpenDocumentFile(CString::FromQString(file)));
    ASSERT_NE(reopened, nullptr);
    Draw2dDocument* again = reopened->GetDraw2dDocument();
    std::vector<const OleObject2dFeature*> objects;
    for (long id = again->GetNextFeatureRecordID(-1); id != -1; id = again->GetNextFeatureRecordID(id))
        if (const OleObject2dFeature* o = Object(again, id))
            objects.push_back(o);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0]->GetItemData(), embeddedBytes);
    EXPECT_EQ(objects[0]->GetOleObjectSetting(), setting);
    EXPECT_EQ(objects[1]->GetItemData(), linkBytes);
    EXPECT_EQ(objects[2]->GetItemData(), bad);  // saved back unchanged
}

// The two dialogs and a drawing with an embedded picture and a file card, as pictures (saved to
// KC_SCREENSHOT_DIR, else the working folder).
TEST_F(EmbeddedObjectTest, Screenshots)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QDir::currentPath());
    MakeTemplates();
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    m_frame->ShowWindow(SW_SHOW);
    QImage insert;
    WhenModal<COleInsertDialog>([&insert](COleInsertDialog& d) {
        Pump();
        insert = d.GetQWidget()->grab().toImage();
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Command(kInsertObjectID);
    ASSERT_FALSE(insert.isNull());
    EXPECT_TRUE(insert.save(dir + QStringLiteral("/insert-object.png")));

    // A picture with some detail, and a text file as its card.
    QImage photo(640, 400, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(40 + x * 200 / 640, 90 + y * 150 / 400, 200 - x * 120 / 640));
    photo.setDotsPerMeterX(3780);
    photo.setDotsPerMeterY(3780);
    const QString picture = Path(QStringLiteral("site.png"));
    ASSERT_TRUE(photo.save(picture, "PNG"));
    const QString notes = WriteFile(QStringLiteral("site notes.txt"), "Survey notes\n");
    ASSERT_NE(InsertFile(model, picture, RuVaPnt2d(20, 60), RuVaPnt2d(120, 160)), -1);
    ASSERT_NE(InsertFile(model, notes, RuVaPnt2d(140, 60), RuVaPnt2d(170, 96)), -1);
    CQZ2View* pView = ActiveDrawView();
    m_frame->GetQWidget()->resize(1100, 760);
    if (CFrameWnd* pChild = pView->GetParentFrame())
        pChild->ShowWindow(SW_MAXIMIZE);
    Pump();
    pView->GetDraw2dView()->ZoomAll();
    pView->Invalidate();
    Pump();
    const QImage drawing = m_frame->GetQWidget()->grab().toImage();
    ASSERT_FALSE(drawing.isNull());
    EXPECT_TRUE(drawing.save(dir + QStringLiteral("/embedded-objects.png")));

    auto* m = new QMimeData;
    m->setData(QStringLiteral("text/uri-list"), QUrl::fromLocalFile(notes).toEncoded() + "\r\n");
    m->setText(notes);
    QGuiApplication::clipboard()->setMimeData(m);
    QImage special;
    WhenModal<COlePasteSpecialDialog>([&special](COlePasteSpecialDialog& d) {
        Pump();
        special = d.GetQWidget()->grab().toImage();
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Command(57639);
    ASSERT_FALSE(special.isNull());
    EXPECT_TRUE(special.save(dir + QStringLiteral("/paste-special.png")));
}

// Create new: a copy of a desktop template becomes the object and opens with the desktop's program once
// the shape is added; an object from a file is not opened.
TEST_F(EmbeddedObjectTest, ANewObjectFromATemplateOpensOnceAdded)
{
    const QString templates = MakeTemplates();
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    WhenModal<COleInsertDialog>([](COleInsertDialog& d) {
        auto* list = static_cast<CListBox*>(d.GetDlgItem(COleInsertDialog::kTemplateList));
        ASSERT_EQ(list->GetCount(), 3);
        CString name;
        list->GetText(1, name);
        EXPECT_EQ(name, CString(_T("Notes")));
        list->SetCurSel(1);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(kInsertObjectID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    EXPECT_TRUE(m_desktop.opened.empty());
    GivePoint(0, RuVaPnt2d(0, 0));
    GivePoint(1, RuVaPnt2d(30, 36));
    ASSERT_EQ(model->GetFeatureCount(), 1);
    ASSERT_EQ(m_desktop.opened.size(), 1u);
    EXPECT_EQ(QFileInfo(m_desktop.opened[0].toLocalFile()).fileName(), QStringLiteral("Notes.txt"));
    EXPECT_NE(QFileInfo(m_desktop.opened[0].toLocalFile()).absolutePath(), templates);
    const long id = model->GetNextFeatureRecordID(-1);
    EXPECT_EQ(RecordOf(model, id).m_data, (std::vector<BYTE>{'t', 'e', 'm', 'p', 'l', 'a', 't', 'e'}));
    // From a file: nothing opens.
    m_desktop.opened.clear();
    ASSERT_NE(InsertFile(model, WriteFile(QStringLiteral("a.txt"), "a"), RuVaPnt2d(0, 0), RuVaPnt2d(30, 36)), -1);
    EXPECT_TRUE(m_desktop.opened.empty());
}

}  // namespace

#include "EmbeddedObjectTest.moc"
