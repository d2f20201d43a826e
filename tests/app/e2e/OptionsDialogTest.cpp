// The options dialog in the running program: Tools > Options with no drawing open changes the cursor,
// the snap box, a snap kind and the snap angle; OK reaches the command manager, the toolbar's kind button
// and the settings store at once and survives a restart; Cancel leaves the store's bytes as they were;
// Snap Settings opens the snap page over a running line command, which goes on afterwards.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QMap>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>

#include <cstdlib>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "app/CQZ2VisualManager.h"
#include "controls/CAngularSnapToolbarComboBoxButton.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPVisualManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "structure/CDrawComponentBar.h"
#include "structure/CSkyViewBar.h"
#include "app/SystemEnvironment.h"
#include "command/CCommandBar.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "controls/CSelectColorComboBox.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/COptionsTreeDialog.h"
#include "tests/support/app/RecordingCmdUI.h"

namespace {

constexpr UINT kOptions = 34644;
constexpr UINT kSnapSettings = 34645;
constexpr UINT kLine = 33412;
constexpr UINT kEndPointKind = 34652;
constexpr UINT kInputOptionsButton = 37105;  // the toolbar button of snap kind 0x0002
constexpr COLORREF kCursor = RGB(10, 200, 30);

class OptionsDialogTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        COptionsTreeDialog::s_nLastPage = 0;
        ProgramFixture::SetUp();
    }
    static void Press(CWnd& dialog, int nID) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }
    // Every file of the settings store, by path.
    QMap<QString, QByteArray> StoreFiles() const
    {
        QMap<QString, QByteArray> files;
        const QString root = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
        for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            QFile f(path);
            if (f.open(QIODevice::ReadOnly))
                files.insert(path, f.readAll());
        }
        return files;
    }
    // The user's changes: cursor colour and snap box 12 on the cursor page, end points off and 30 degrees
    // on the snap page.
    static void Change(COptionsTreeDialog& dialog)
    {
        ASSERT_TRUE(dialog.SelectPage(&dialog.m_cursor));
        CCursorOptionsPage& cursor = dialog.m_cursor;
        cursor.m_pColorCombo->SetColorRef(kCursor);
        cursor.SendMessage(WM_COMMAND, MAKEWPARAM(CCursorOptionsPage::kColor, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(cursor.m_pColorCombo->GetSafeHwnd()));
        cursor.m_slider.SetPos(12);
        cursor.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12),
                           reinterpret_cast<LPARAM>(cursor.m_slider.GetSafeHwnd()));
        ASSERT_TRUE(dialog.SelectPage(&dialog.m_snap));
        CSnapOptionsPage& snap = dialog.m_snap;
        snap.CheckDlgButton(CSnapOptionsPage::kFirstKind + 1, BST_UNCHECKED);
        snap.m_angle.SetWindowText(u"30");
    }
};

TEST_F(OptionsDialogTest, OkReachesTheManagerTheToolbarAndTheStoreAndSurvivesARestart)
{
    m_app->CloseAllDocuments(FALSE);
    Pump();
    ASSERT_EQ(ActiveDocument(), nullptr);
    ASSERT_TRUE(m_app->GetSystemEnvironment()->m_SnapType & 0x0002);
    bool shown = false;
    WhenModal<COptionsTreeDialog>([&](COptionsTreeDialog& dialog) {
        shown = true;
        Change(dialog);
        Press(dialog, IDOK);
    });
    Command(kOptions);
    ASSERT_TRUE(shown);
    EXPECT_EQ(PendingModalActions(), 0u);

    const SystemEnvironment& options = *m_app->GetSystemEnvironment();
    EXPECT_EQ(options.m_CursorColor, kCursor);
    EXPECT_EQ(options.m_SnapBoxSize, 12);
    EXPECT_EQ(options.m_SnapType & 0x0002, 0u);
    EXPECT_DOUBLE_EQ(options.m_SnapAngle, 30.0);
    const auto& snap = m_manager->GetSnapOptions();
    EXPECT_EQ(snap.dwType & 0x0002, 0u);
    EXPECT_DOUBLE_EQ(snap.dAngle, 30.0);
    EXPECT_EQ(snap.cursorColor, kCursor);
    EXPECT_EQ(snap.nBoxSize, 12);
    RecordingCmdUI button(kEndPointKind);
    m_frame->OnCmdMsg(kEndPointKind, static_cast<int>(CN_UPDATE_COMMAND_UI), &button, nullptr);
    EXPECT_EQ(button.check, 0);
    EXPECT_EQ(COptionsTreeDialog::s_nLastPage, COptionsTreeDialog::pageSnap);

    // In the store at once, before any exit.
    SystemEnvironment stored;
    ASSERT_TRUE(stored.Load(0x7FFF0000));
    EXPECT_EQ(stored.m_CursorColor, kCursor);
    EXPECT_EQ(stored.m_SnapBoxSize, 12);
    EXPECT_DOUBLE_EQ(stored.m_SnapAngle, 30.0);

    Stop();
    ASSERT_TRUE(Start());
    const SystemEnvironment& again = *m_app->GetSystemEnvironment();
    EXPECT_EQ(again.m_CursorColor, kCursor);
    EXPECT_EQ(again.m_SnapBoxSize, 12);
    EXPECT_EQ(again.m_SnapType & 0x0002, 0u);
    EXPECT_DOUBLE_EQ(again.m_SnapAngle, 30.0);
}

TEST_F(OptionsDialogTest, CancelLeavesTheStoreAndTheOptionsAlone)
{
    // The store as an earlier OK left it.
    m_app->GetSystemEnvironment()->Save();
    const QMap<QString, QByteArray> before = StoreFiles();
    ASSERT_FALSE(before.isEmpty());
    const SystemEnvironment options(*m_app->GetSystemEnvironment());
    WhenModal<COptionsTreeDialog>([&](COptionsTreeDialog& dialog) {
        Change(dialog);
        Press(dialog, IDCANCEL);
    });
    Command(kOptions);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(StoreFiles(), before);
    EXPECT_EQ(m_app->GetSystemEnvironment()->m_CursorColor, options.m_CursorColor);
    EXPECT_EQ(m_app->GetSystemEnvironment()->m_SnapType, options.m_SnapType);
    // The page shown last is remembered for Cancel too.
    EXPECT_EQ(COptionsTreeDialog::s_nLastPage, COptionsTreeDialog::pageSnap);
}

TEST_F(OptionsDialogTest, SnapSettingsOpenTheSnapPageOverARunningLineCommandThatGoesOn)
{
    ASSERT_NE(NewDrawing(), nullptr);
    Command(kLine);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    ASSERT_EQ(m_manager->GetActiveCommand()->GetIdentifier(), CString(u"Korvan.Shape.Line"));
    COptionsTreeDialog::s_nLastPage = COptionsTreeDialog::pageCursor;
    int shownPage = 0;
    WhenModal<COptionsTreeDialog>([&](COptionsTreeDialog& dialog) {
        shownPage = dialog.ShownPage();
        Press(dialog, IDOK);
    });
    Command(kSnapSettings);
    EXPECT_EQ(shownPage, COptionsTreeDialog::pageSnap);
    EXPECT_EQ(PendingModalActions(), 0u);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    EXPECT_EQ(m_manager->GetActiveCommand()->GetIdentifier(), CString(u"Korvan.Shape.Line"));
}

TEST_F(OptionsDialogTest, TheCommandBarsInputOptionsButtonOpensTheInputPage)
{
    int shownPage = 0;
    WhenModal<COptionsTreeDialog>([&](COptionsTreeDialog& dialog) {
        shownPage = dialog.ShownPage();
        Press(dialog, IDCANCEL);
    });
    ASSERT_NE(m_frame->GetCommandBar(), nullptr);
    m_frame->GetCommandBar()->SendMessage(WM_COMMAND, MAKEWPARAM(kInputOptionsButton, 0), 0);
    EXPECT_TRUE(WaitFor([&] { return shownPage != 0; }));
    EXPECT_EQ(shownPage, COptionsTreeDialog::pageInput);
}

}  // namespace

namespace {

TEST_F(OptionsDialogTest, NewOptionsReachTheOverviewTheSnapAngleFieldsAndTheLook)
{
    ASSERT_NE(NewDrawing(), nullptr);
    CQZ2App* pApp = CQZ2App::GetApp();
    CSkyViewBar* pOverview = m_frame->GetSkyViewBar();
    ASSERT_NE(pOverview, nullptr);

    // A change the overview does not show leaves it alone.
    SystemEnvironment copy(*pApp->GetSystemEnvironment());
    int redraws = pOverview->GetRedrawCount();
    copy.m_SnapAngle = 22.5;
    ASSERT_TRUE(pApp->SetSystemEnvironment(copy));
    EXPECT_EQ(pOverview->GetRedrawCount(), redraws);
    CObList list;
    CBCGPToolBar::GetCommandButtons(CAngularSnapToolbarComboBoxButton::kCommandId, list);
    ASSERT_FALSE(list.IsEmpty());
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        auto* pField = dynamic_cast<CAngularSnapToolbarComboBoxButton*>(list.GetNext(pos));
        ASSERT_NE(pField, nullptr);
        EXPECT_TRUE(QString::fromUtf16(pField->GetText()).startsWith(QStringLiteral("22.5"))) << "the field shows the angle";
    }

    // One it shows redraws it, once.
    copy.m_SelectionColor = RGB(1, 2, 3);
    copy.m_GreekTextSize = copy.m_GreekTextSize + 1;
    ASSERT_TRUE(pApp->SetSystemEnvironment(copy));
    EXPECT_EQ(pOverview->GetRedrawCount(), redraws + 1);

    // The look follows the visual style.
    copy.m_VisualStyle = 4;
    ASSERT_TRUE(pApp->SetSystemEnvironment(copy));
    EXPECT_TRUE(CBCGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CQZ2VisualManager)));
    copy.m_VisualStyle = 1;
    ASSERT_TRUE(pApp->SetSystemEnvironment(copy));
    EXPECT_FALSE(CBCGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CQZ2VisualManager)));
}

}  // namespace

namespace {

// Pixels of the colour (within a rounding step) in the square of half side r about p.
int PixelsNear(const QImage& image, const CPoint& p, int r, COLORREF color)
{
    int n = 0;
    for (int y = std::max(0, p.y - r); y <= std::min(image.height() - 1, p.y + r); ++y)
        for (int x = std::max(0, p.x - r); x <= std::min(image.width() - 1, p.x + r); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - GetRValue(color)) <= 2 && std::abs(c.green() - GetGValue(color)) <= 2 &&
                 std::abs(c.blue() - GetBValue(color)) <= 2;
        }
    return n;
}

// The cursor is drawn over the view's kept picture, and a paint only shows that picture again: after OK
// the old cursor is taken off and the new one drawn where the pointer stands, with no mouse move.
TEST_F(OptionsDialogTest, TheCursorInTheViewTakesTheNewColourAndBoxWithoutAMouseMove)
{
    ASSERT_NE(NewDrawing(), nullptr);
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    CRect client;
    pView->GetClientRect(&client);
    const CPoint at(client.Width() / 2, client.Height() / 2);
    // The pointer itself stands over the view (the view draws the cursor only there), then the view
    // hears of the move.
    CPoint screen = at;
    pView->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    Pump();
    const COLORREF oldColour = m_app->GetSystemEnvironment()->m_CursorColor;
    ASSERT_NE(oldColour, kCursor);
    const QImage before = pView->GetQWidget()->grab().toImage();
    ASSERT_GT(PixelsNear(before, at, 20, oldColour), 20) << "the cursor is drawn in its old colour";
    ASSERT_EQ(PixelsNear(before, at, 20, kCursor), 0) << "the colour is new to the view";

    WhenModal<COptionsTreeDialog>([&](COptionsTreeDialog& dialog) {
        Change(dialog);
        Press(dialog, IDOK);
    });
    Command(kOptions);
    EXPECT_EQ(PendingModalActions(), 0u);
    Pump();

    // No mouse move since: the view shows the cursor where it was, in the new colour, with the pick box
    // of half side 12 (its left edge 12 pixels left of the cursor), and nothing of the old one.
    const QImage after = pView->GetQWidget()->grab().toImage();
    EXPECT_GT(PixelsNear(after, at, 20, kCursor), 20);
    EXPECT_EQ(PixelsNear(after, at, 20, oldColour), 0) << "the old cursor is gone";
    EXPECT_GT(PixelsNear(after, CPoint(at.x - 12, at.y + 6), 1, kCursor), 0) << "the box's left edge";
    EXPECT_EQ(PixelsNear(after, CPoint(at.x - 16, at.y + 6), 1, kCursor), 0) << "outside the box";
}

TEST_F(OptionsDialogTest, ANewThumbnailBackColourRedrawsTheComponentPictures)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    DrawComponent2dFeatureDefine def;
    def.SetComponentName(u"Bolt");
    pModel->BeginUndoOperation(nullptr);
    const long id = pModel->AddDrawComponentDefine(def);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(4, 2));
    pModel->AddFeature(&line, pModel->GetComponentDefineTable()->GetComponentDefine(id), 0);
    pModel->EndUndoOperation();
    ASSERT_TRUE(m_frame->ShowDrawComponentBar(TRUE));
    CDrawComponentBar* pBar = m_frame->GetComponentBar();
    ASSERT_NE(pBar, nullptr);
    Pump();
    CDrawComponentCommandListCtrl& list = pBar->GetList();
    const int item = list.FindComponent(id);
    ASSERT_GE(item, 0);
    pBar->GetQWidget()->grab();
    ASSERT_FALSE(list.GetInfo(item)->bStale) << "the picture is drawn";
    const QImage* pPicture = pModel->GetComponentDefineTable()->GetThumbnailImage(id);
    ASSERT_NE(pPicture, nullptr);
    const QColor oldBack = pPicture->pixelColor(0, 0);

    // A change of another option keeps the pictures.
    CQZ2App* pApp = CQZ2App::GetApp();
    SystemEnvironment copy(*pApp->GetSystemEnvironment());
    copy.m_SnapAngle = 45;
    ASSERT_TRUE(pApp->SetSystemEnvironment(copy));
    EXPECT_FALSE(list.GetInfo(item)->bStale);

    const COLORREF back = RGB(oldBack.red() ^ 0x80, 40, 50);
    const long renders = DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount();
    copy.m_TableViewThumbnailBackColor = back;
    ASSERT_TRUE(pApp->SetSystemEnvironment(copy));
    EXPECT_TRUE(list.GetInfo(item)->bStale) << "the bar lets its picture go";
    pBar->GetQWidget()->grab();
    EXPECT_FALSE(list.GetInfo(item)->bStale) << "and draws it again";
    EXPECT_GT(DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount(), renders);
    pPicture = pModel->GetComponentDefineTable()->GetThumbnailImage(id);
    ASSERT_NE(pPicture, nullptr);
    EXPECT_EQ(pPicture->pixelColor(0, 0), QColor(GetRValue(back), GetGValue(back), GetBValue(back)));
}

}  // namespace
