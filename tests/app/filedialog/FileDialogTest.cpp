// The program's file dialog as a window a user drives (typing names, choosing types, answering the
// question before a file is replaced), inside the real program with its own settings store.

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListView>
#include <QtWidgets/QTreeView>

#include "ProgramFixture.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2FileDialog.h"
#include "app/QZ2DocumentProperties.h"
#include "app/SystemEnvironment.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDocManager.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinDocConstants.h"

namespace {

constexpr int kPictureRole = Qt::UserRole + 77;

class FileDialogTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        ASSERT_TRUE(m_files.isValid());
    }

    QString Path(const QString& name) const { return m_files.path() + QLatin1Char('/') + name; }
    void Touch(const QString& name, const QByteArray& bytes = QByteArray("x"))
    {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static void Type(CQZ2FileDialog& dialog, const QString& text)
    {
        dialog.GetDlgItem(CQZ2FileDialog::kFileNameEdit)->SetWindowText(CString::FromQString(text));
    }
    static QString Typed(CQZ2FileDialog& dialog)
    {
        CString text;
        dialog.GetDlgItem(CQZ2FileDialog::kFileNameEdit)->GetWindowText(text);
        return text.ToQString();
    }
    static void Press(CQZ2FileDialog& dialog, int nID)
    {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
    }
    // Chooses the entry of the flag in the type list, as picking it there does.
    static void ChooseType(CQZ2FileDialog& dialog, DWORD dwFlag)
    {
        auto* pCombo = static_cast<CComboBox*>(dialog.GetDlgItem(CQZ2FileDialog::kTypeCombo));
        for (int i = 1;; ++i) {
            if (dialog.GetFilterFlag(i) == dwFlag) {
                pCombo->SetCurSel(i - 1);
                break;
            }
        }
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CQZ2FileDialog::kTypeCombo, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(pCombo->GetSafeHwnd()));
    }
    static bool Running(CQZ2FileDialog& dialog) { return dialog.GetSafeHwnd() != nullptr && dialog.IsWindowVisible(); }
    // The row of the file in the dialog's list, once the folder has been read.
    static QModelIndex RowOf(CQZ2FileDialog& dialog, const QString& name)
    {
        auto* pList = dialog.GetQWidget()->findChild<QListView*>(QStringLiteral("fileList"));
        QModelIndex found;
        WaitFor([&] {
            const QModelIndex root = pList->rootIndex();
            for (int r = 0; r < pList->model()->rowCount(root); ++r) {
                const QModelIndex index = pList->model()->index(r, 0, root);
                if (index.data().toString() == name)
                    found = index;
            }
            return found.isValid();
        });
        return found;
    }

    // Saves a drawing with a picture and a title into the folder: with nShapes a few lines and circles.
    QString SaveDrawing(const QString& name, const QString& title, int nShapes = 0)
    {
        CQZ2Doc* pDoc = NewDrawing();
        EXPECT_NE(pDoc, nullptr);
        if (pDoc == nullptr)
            return QString();
        Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
        pModel->BeginUndoOperation(nullptr);
        for (int i = 0; i < nShapes; ++i) {
            const Line2dFeature line(RuVaPnt2d(10.0 * i, 0), RuVaPnt2d(10.0 * i + 40.0, 15.0 * i + 10.0));
            pModel->AddFeature(&line, pModel->GetActiveDrawingFeature(), 1);
            const Circle2dFeature circle(RuVaPnt2d(25.0 * i, 20.0 * i), 5.0 + 3.0 * i);
            pModel->AddFeature(&circle, pModel->GetActiveDrawingFeature(), 1);
        }
        pModel->EndUndoOperation();
        m_app->GetSystemEnvironment()->m_PreviewSaveEnabled = TRUE;
        pDoc->GetDocumentProperties().m_strTitle = CString::FromQString(title);
        pDoc->GetDocumentProperties().m_strAuthor = _T("Aiko");
        EXPECT_TRUE(pDoc->DoSave(CString::FromQString(Path(name)), TRUE));
        pDoc->OnCloseDocument();
        Pump();
        return Path(name);
    }

    QTemporaryDir m_files;
};

TEST_F(FileDialogTest, TheMaskBuildsTheFilterListInItsFixedOrder)
{
    struct Case {
        DWORD mask;
        std::vector<DWORD> flags;
        std::vector<const char16_t*> extensions;
    };
    const Case cases[] = {
        {0x8941, {0x40, 0x100, 0x800, 0x8000, 0x1}, {u"", u"", u"", u"", u""}},
        {0x36, {0x2, 0x4, 0x10, 0x20}, {u"kvcd", u"kvct", u"kvcd", u"kvct"}},
        {0x41000 | 0x4000, {0x1000, 0x4000, 0x40000}, {u"jwc", u"jwk", u"jws"}},
        {0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        CQZ2FileDialog dialog(TRUE);
        dialog.SetFilterFlags(c.mask);
        for (size_t i = 0; i < c.flags.size(); ++i) {
            EXPECT_EQ(dialog.GetFilterFlag(static_cast<int>(i) + 1), c.flags[i]);
            EXPECT_EQ(dialog.GetDefaultExtension(static_cast<int>(i) + 1), CString(c.extensions[i]));
        }
        // The list: description, NUL, pattern, NUL per entry.
        EXPECT_EQ(dialog.GetFilter().ToQString().count(QChar(0)), static_cast<int>(2 * c.flags.size()));
        EXPECT_EQ(dialog.GetCurrentFlag(), c.flags.empty() ? 0u : c.flags[0]);
        bool thrown = false;
        try {
            dialog.GetFilterFlag(static_cast<int>(c.flags.size()) + 1);
        } catch (CInvalidArgException* e) {
            e->Delete();
            thrown = true;
        }
        EXPECT_TRUE(thrown);
    }
    CQZ2FileDialog open(TRUE);
    open.SetFilterFlags(0x8941);
    EXPECT_TRUE(open.GetFilter().ToQString().startsWith(QStringLiteral("All drawing files")));
    open.SelectFilter(0x8000);
    EXPECT_EQ(open.GetCurrentFlag(), 0x8000u);
    open.SelectFilter(0x2);  // not offered: the selection stays
    EXPECT_EQ(open.GetCurrentFlag(), 0x8000u);
}

TEST_F(FileDialogTest, TheSaveDialogGivesTheNameTheChosenTypesExtension)
{
    struct Case {
        DWORD flag;
        const char* typed;
        const char* saved;
    };
    const Case cases[] = {
        {0x2, "plan", "plan.kvcd"},
        {0x2, "plan.txt", "plan.txt.kvcd"},
        {0x2, "plan.KVCD", "plan.KVCD"},
        {0x4, "plan", "plan.kvct"},
        {0x10, "old", "old.kvcd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CQZ2FileDialog dialog(FALSE);
        dialog.SetFilterFlags(0x36);
        dialog.SelectFilter(c.flag);
        dialog.SetInitialFolder(CString::FromQString(m_files.path()));
        WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
            Type(d, QString::fromLatin1(c.typed));
            Press(d, IDOK);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        ASSERT_EQ(dialog.GetFileCount(), 1);
        EXPECT_EQ(dialog.GetFilePath(0).ToQString(), Path(QString::fromLatin1(c.saved)));
        EXPECT_EQ(dialog.GetCurrentFlag(), c.flag);
    }
}

TEST_F(FileDialogTest, ChangingTheTypeChangesTheTypedExtension)
{
    CQZ2FileDialog dialog(FALSE);
    dialog.SetFilterFlags(0x36);
    dialog.SelectFilter(0x2);
    dialog.SetInitialFolder(CString::FromQString(m_files.path()));
    dialog.SetFileName(_T("plan.kvcd"));
    QString shown;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        EXPECT_EQ(Typed(d), QStringLiteral("plan.kvcd"));
        ChooseType(d, 0x4);
        shown = Typed(d);
        Press(d, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, QStringLiteral("plan.kvct"));
    EXPECT_EQ(dialog.GetFilePath(0).ToQString(), Path(QStringLiteral("plan.kvct")));
    EXPECT_EQ(dialog.GetCurrentFlag(), 0x4u);
}

TEST_F(FileDialogTest, ReplacingAFileIsAskedAndNoKeepsTheDialog)
{
    Touch(QStringLiteral("plan.kvcd"));
    CQZ2FileDialog dialog(FALSE);
    dialog.SetFilterFlags(0x36);
    dialog.SetInitialFolder(CString::FromQString(m_files.path()));
    bool stayed = false;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        m_app->answer = IDNO;
        Type(d, QStringLiteral("plan"));
        Press(d, IDOK);
        stayed = Running(d);
        m_app->answer = IDYES;
        Press(d, IDOK);
    });
    m_app->boxes.clear();
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(m_app->boxes.size(), 2u);
    EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("plan.kvcd already exists.\nDo you want to replace it?"));
    EXPECT_EQ(m_app->boxes[0].type & 0xF0u, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(m_app->boxes[0].type & 0x0Fu, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(dialog.GetFilePath(0).ToQString(), Path(QStringLiteral("plan.kvcd")));
}

TEST_F(FileDialogTest, OpenTakesSeveralFilesInTheirOrderAndRefusesAMissingOne)
{
    for (const char* name : {"c.kvcd", "a.kvcd", "b.dxf"})
        Touch(QString::fromLatin1(name));
    CQZ2FileDialog dialog(TRUE);
    dialog.SetMultiSelect(TRUE);
    dialog.SetFilterFlags(0x8941);
    dialog.SetInitialFolder(CString::FromQString(m_files.path()));
    bool stayed = false;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        Type(d, QStringLiteral("\"c.kvcd\" \"missing.kvcd\""));
        Press(d, IDOK);
        stayed = Running(d);
        Type(d, QStringLiteral("\"c.kvcd\" \"a.kvcd\" \"b.dxf\""));
        Press(d, IDOK);
    });
    m_app->boxes.clear();
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_TRUE(m_app->boxes[0].text.startsWith(QStringLiteral("missing.kvcd\n"))) << m_app->boxes[0].text.toStdString();
    ASSERT_EQ(dialog.GetFileCount(), 3);
    EXPECT_EQ(dialog.GetFilePath(0).ToQString(), Path(QStringLiteral("c.kvcd")));
    EXPECT_EQ(dialog.GetFilePath(1).ToQString(), Path(QStringLiteral("a.kvcd")));
    EXPECT_EQ(dialog.GetFilePath(2).ToQString(), Path(QStringLiteral("b.dxf")));
}

TEST_F(FileDialogTest, SelectingFilesInTheListNamesThemAndCancelChoosesNothing)
{
    for (const char* name : {"one.jwk", "two.jwk", "other.txt"})
        Touch(QString::fromLatin1(name));
    CQZ2FileDialog dialog(TRUE);
    dialog.SetMultiSelect(TRUE);
    dialog.SetFilterFlags(0x4000);
    dialog.SetInitialFolder(CString::FromQString(m_files.path()));
    QString typed;
    bool otherListed = true;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        auto* pList = d.GetQWidget()->findChild<QListView*>(QStringLiteral("fileList"));
        const QModelIndex one = RowOf(d, QStringLiteral("one.jwk"));
        const QModelIndex two = RowOf(d, QStringLiteral("two.jwk"));
        otherListed = false;
        for (int r = 0; r < pList->model()->rowCount(pList->rootIndex()); ++r)
            otherListed |= pList->model()->index(r, 0, pList->rootIndex()).data().toString() == QStringLiteral("other.txt");
        pList->selectionModel()->select(one, QItemSelectionModel::Select);
        pList->selectionModel()->select(two, QItemSelectionModel::Select);
        typed = Typed(d);
        Press(d, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(otherListed) << "the JWK filter shows JWK files only";
    EXPECT_EQ(typed, QStringLiteral("\"one.jwk\" \"two.jwk\""));
    ASSERT_EQ(dialog.GetFileCount(), 2);
    EXPECT_EQ(dialog.GetFilePath(1).ToQString(), Path(QStringLiteral("two.jwk")));

    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        Type(d, QStringLiteral("one.jwk"));
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), 0);
    EXPECT_EQ(dialog.GetFileCount(), 0);
}

TEST_F(FileDialogTest, TheViewModeCarriesOverToTheNextDialogAndTheNextRun)
{
    Touch(QStringLiteral("a.kvcd"));
    CQZ2FileDialog::SetViewMode(0);
    auto openDialog = [&](DWORD dwFlag, BOOL bOpen, std::function<void(CQZ2FileDialog&)> act) {
        CQZ2FileDialog dialog(bOpen);
        dialog.SetFilterFlags(0x8941 | 0x36);
        dialog.SelectFilter(dwFlag);
        dialog.SetInitialFolder(CString::FromQString(m_files.path()));
        WhenModal<CQZ2FileDialog>([act](CQZ2FileDialog& d) {
            act(d);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        dialog.DoModal();
    };
    DWORD shown = 0;
    bool detailsVisible = false;
    openDialog(0x40, TRUE, [&](CQZ2FileDialog& d) {
        shown = d.GetShownViewMode();
        Press(d, CQZ2FileDialog::kViewDetails);
    });
    EXPECT_EQ(shown, CQZ2FileDialog::kViewIcons) << "drawing folders start as icons";
    EXPECT_EQ(CQZ2FileDialog::GetViewMode(), CQZ2FileDialog::kViewDetails);

    // Neither a save dialog nor an open dialog of other files takes or records the mode.
    openDialog(0x2, FALSE, [&](CQZ2FileDialog& d) {
        shown = d.GetShownViewMode();
        Press(d, CQZ2FileDialog::kViewSmallIcons);
    });
    EXPECT_EQ(shown, CQZ2FileDialog::kViewList);
    openDialog(0x100, TRUE, [&](CQZ2FileDialog& d) { Press(d, CQZ2FileDialog::kViewIcons); });
    EXPECT_EQ(CQZ2FileDialog::GetViewMode(), CQZ2FileDialog::kViewDetails);

    openDialog(0x40, TRUE, [&](CQZ2FileDialog& d) {
        shown = d.GetShownViewMode();
        detailsVisible = d.GetQWidget()->findChild<QTreeView*>(QStringLiteral("fileDetails"))->isVisible();
        Press(d, CQZ2FileDialog::kViewSmallIcons);
    });
    EXPECT_EQ(shown, CQZ2FileDialog::kViewDetails);
    EXPECT_TRUE(detailsVisible);

    // The next run starts with the mode of the last.
    Stop();
    CQZ2FileDialog::SetViewMode(0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(CQZ2FileDialog::GetViewMode(), CQZ2FileDialog::kViewSmallIcons);

    // A stored number the dialog does not know shows icons.
    CQZ2FileDialog::SetViewMode(28713);
    m_frame = nullptr;
    openDialog(0x40, TRUE, [&](CQZ2FileDialog& d) { shown = d.GetShownViewMode(); });
    EXPECT_EQ(shown, CQZ2FileDialog::kViewIcons);
}

TEST_F(FileDialogTest, ADrawingsPictureTitleAndAuthorShowInTheListAndThePane)
{
    const QString drawing = SaveDrawing(QStringLiteral("house.kvcd"), QStringLiteral("My house"));
    {
        QImage picture(64, 32, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(Path(QStringLiteral("photo.png"))));
    }
    Touch(QStringLiteral("broken.kvcd"), QByteArray("not a compound file"));
    CQZ2FileDialog dialog(TRUE);
    dialog.SetFilterFlags(0x8941 | 0x100000);
    dialog.SetInitialFolder(CString::FromQString(m_files.path()));
    QImage inList, inPane, photo;
    QString title, author;
    bool brokenHasPicture = true, brokenPaneHasIcon = false;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        auto* pList = d.GetQWidget()->findChild<QListView*>(QStringLiteral("fileList"));
        auto* pPane = d.GetQWidget()->findChild<QLabel*>(QStringLiteral("preview"));
        const QModelIndex house = RowOf(d, QStringLiteral("house.kvcd"));
        WaitFor([&] { return house.data(kPictureRole).isValid(); });
        inList = house.data(kPictureRole).value<QImage>();
        pList->selectionModel()->select(house, QItemSelectionModel::ClearAndSelect);
        WaitFor([&] { return !pPane->pixmap().isNull(); });
        inPane = pPane->pixmap().toImage();
        CString text;
        d.GetDlgItemText(CQZ2FileDialog::kPreviewTitle, text);
        title = text.ToQString();
        d.GetDlgItemText(CQZ2FileDialog::kPreviewAuthor, text);
        author = text.ToQString();

        // A damaged file keeps its type's icon.
        const QModelIndex broken = RowOf(d, QStringLiteral("broken.kvcd"));
        broken.data(kPictureRole);
        pList->selectionModel()->select(broken, QItemSelectionModel::ClearAndSelect);
        WaitFor([&] { return !pPane->pixmap().isNull(); });
        brokenHasPicture = broken.data(kPictureRole).isValid();
        brokenPaneHasIcon = !pPane->pixmap().isNull();

        ChooseType(d, 0x100000);
        const QModelIndex image = RowOf(d, QStringLiteral("photo.png"));
        WaitFor([&] { return image.data(kPictureRole).isValid(); });
        photo = image.data(kPictureRole).value<QImage>();
        Press(d, IDCANCEL);
    });
    dialog.DoModal();
    ASSERT_FALSE(inList.isNull());
    EXPECT_EQ(inList.size(), QSize(256, 256));
    // White inside a black frame.
    EXPECT_EQ(QColor(inList.pixel(128, 128)), QColor(Qt::white));
    EXPECT_FALSE(inPane.isNull());
    EXPECT_EQ(title, QStringLiteral("Title: My house"));
    EXPECT_EQ(author, QStringLiteral("Author: Aiko"));
    EXPECT_FALSE(brokenHasPicture);
    EXPECT_TRUE(brokenPaneHasIcon);
    ASSERT_FALSE(photo.isNull());
    EXPECT_EQ(QColor(photo.pixel(2, 2)), QColor(Qt::red));
}

// The picture for the documentation, taken only when asked for (KC_SCREENSHOT_DIR).
TEST_F(FileDialogTest, Screenshot)
{
    const QByteArray dir = qgetenv("KC_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "KC_SCREENSHOT_DIR not set";
    SaveDrawing(QStringLiteral("bridge.kvcd"), QStringLiteral("Footbridge"), 8);
    SaveDrawing(QStringLiteral("garden.kvcd"), QStringLiteral("Garden"), 4);
    SaveDrawing(QStringLiteral("shed.kvcd"), QStringLiteral("Shed"), 12);
    Touch(QStringLiteral("survey.dxf"));
    CQZ2FileDialog dialog(TRUE);
    dialog.SetMultiSelect(TRUE);
    dialog.SetFilterFlags(0x8941);
    dialog.SetInitialFolder(CString::FromQString(m_files.path()));
    bool saved = false;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        auto* pList = d.GetQWidget()->findChild<QListView*>(QStringLiteral("fileList"));
        auto* pPane = d.GetQWidget()->findChild<QLabel*>(QStringLiteral("preview"));
        for (const char* name : {"bridge.kvcd", "garden.kvcd", "shed.kvcd"}) {
            const QModelIndex row = RowOf(d, QString::fromLatin1(name));
            WaitFor([&] { return row.data(kPictureRole).isValid(); });
        }
        pList->selectionModel()->select(RowOf(d, QStringLiteral("shed.kvcd")), QItemSelectionModel::ClearAndSelect);
        WaitFor([&] { return !pPane->pixmap().isNull(); });
        Pump();
        saved = d.GetQWidget()->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/file-dialog.png"));
        Press(d, IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_TRUE(saved);
}

// ---- the program's file commands --------------------------------------------------------------------

TEST_F(FileDialogTest, FileOpenOpensEachChosenDrawingInOrder)
{
    SaveDrawing(QStringLiteral("first.kvcd"), QStringLiteral("1"));
    SaveDrawing(QStringLiteral("second.kvcd"), QStringLiteral("2"));
    SaveDrawing(QStringLiteral("third.kvcd"), QStringLiteral("3"));
    const int before = AfxGetDocManager()->GetDocumentCount();
    DWORD preselected = 0;
    BOOL multi = FALSE;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        preselected = d.GetCurrentFlag();
        multi = d.IsMultiSelect();
        d.ShowFolder(CString::FromQString(m_files.path()));
        Type(d, QStringLiteral("\"third.kvcd\" \"first.kvcd\" \"second.kvcd\""));
        Press(d, IDOK);
    });
    Command(ID_FILE_OPEN);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(preselected, 0x40u);
    EXPECT_TRUE(multi);
    ASSERT_EQ(AfxGetDocManager()->GetDocumentCount(), before + 3);
    // The last opened is the active one; all three are open.
    EXPECT_EQ(ActiveDocument()->GetPathName().ToQString(), Path(QStringLiteral("second.kvcd")));
}

TEST_F(FileDialogTest, AnImportOffersItsKindAndFileOpenStartsOnItAfterwards)
{
    struct Case {
        UINT command;
        DWORD flag;
    };
    for (const Case c : {Case{33206, 0x8000}, Case{33207, 0x800}, Case{33205, 0x100}}) {
        SCOPED_TRACE(c.command);
        DWORD offered = 0, onOpen = 0;
        int entries = 0;
        WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
            offered = d.GetCurrentFlag();
            entries = static_cast<CComboBox*>(d.GetDlgItem(CQZ2FileDialog::kTypeCombo))->GetCount();
            Press(d, IDCANCEL);
        });
        Command(c.command);
        WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
            onOpen = d.GetCurrentFlag();
            Press(d, IDCANCEL);
        });
        Command(ID_FILE_OPEN);
        EXPECT_EQ(PendingModalActions(), 0u);
        EXPECT_EQ(offered, c.flag);
        EXPECT_EQ(entries, 1);
        EXPECT_EQ(onOpen, c.flag);
    }
}

TEST_F(FileDialogTest, TheImageCommandChoosesItsPictureInTheProgramsDialog)
{
    ASSERT_NE(NewDrawing(), nullptr);
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(Path(QStringLiteral("photo.png"))));
    DWORD offered = 0;
    int entries = 0;
    CString title;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        offered = d.GetCurrentFlag();
        entries = static_cast<CComboBox*>(d.GetDlgItem(CQZ2FileDialog::kTypeCombo))->GetCount();
        d.GetWindowText(title);
        Type(d, Path(QStringLiteral("photo.png")));
        Press(d, IDOK);
    });
    Command(33622);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(offered, 0x100000u);
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(title, LoadResourceString(11037));
    EXPECT_NE(m_manager->GetActiveCommand(), nullptr) << "the picture is placed next";

    // Cancel starts nothing.
    Command(37101);
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) { Press(d, IDCANCEL); });
    Command(33622);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(m_manager->GetActiveCommand(), nullptr);
}

TEST_F(FileDialogTest, SaveAsWritesTheTypedNameAsTheChosenKind)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    DWORD preselected = 0;
    QString proposed;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        preselected = d.GetCurrentFlag();
        proposed = Typed(d);
        d.ShowFolder(CString::FromQString(m_files.path()));
        Type(d, QStringLiteral("plan"));
        Press(d, IDOK);
    });
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(preselected, 0x2u);
    EXPECT_TRUE(proposed.endsWith(QStringLiteral(".kvcd"))) << proposed.toStdString();
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("plan.kvcd"))));
    EXPECT_EQ(pDoc->GetPathName().ToQString(), Path(QStringLiteral("plan.kvcd")));

    // As a template: the template's extension, not the drawing's behind it.
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        Type(d, QStringLiteral("plan.kvcd"));
        ChooseType(d, 0x4);
        Press(d, IDOK);
    });
    Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("plan.kvct"))));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("plan.kvct.kvcd"))));

    // Cancel writes nothing.
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        Type(d, QStringLiteral("never"));
        Press(d, IDCANCEL);
    });
    Command(ID_FILE_SAVE_AS);
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("never.kvcd"))));
}

TEST_F(FileDialogTest, NewFromTemplateOpensAnUntitledDrawingFromTheTemplate)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path(QStringLiteral("sheet.kvct"))), TRUE));
    pDoc->OnCloseDocument();
    Pump();
    DWORD offered = 0;
    WhenModal<CQZ2FileDialog>([&](CQZ2FileDialog& d) {
        offered = d.GetCurrentFlag();
        Type(d, Path(QStringLiteral("sheet.kvct")));
        Press(d, IDOK);
    });
    Command(33203);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(offered, 0x80u);
    CQZ2Doc* pNew = ActiveDocument();
    ASSERT_NE(pNew, nullptr);
    EXPECT_TRUE(pNew->GetPathName().IsEmpty());
}

}  // namespace
