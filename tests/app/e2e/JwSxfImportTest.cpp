// Opening JWW and SFC drawings end to end: the real program offscreen, File Open answered with a file the
// test writers made in a temporary folder; the paper, the part drawings with their layout scales, the
// layer tree, the decoded texts and the components; and the messages of bad and unreadable files, which
// leave no window.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QWidget>

#include <cmath>
#include <string>

#include "app/CJwkImportSettingDialog.h"
#include "app/CQZ2App.h"
#include "app/CQZ2FileDialog.h"
#include "app/CQZ2Doc.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Text2dFeature.h"
#include "platform/win/CDocManager.h"
#include "platform/win/WinConstants.h"
#include "tests/support/conv/JwwWriter.h"
#include "tests/support/conv/SfcWriter.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class JwSxfImportTest : public ProgramFixture
{
protected:
    QString Write(const QString& name, const std::string& bytes)
    {
        const QString path = m_files.path() + QLatin1Char('/') + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    // Opens the file through File Open; the new document, or nullptr when none was opened.
    CQZ2Doc* Open(const QString& path)
    {
        const int before = AfxGetDocManager()->GetDocumentCount();
        m_app->boxes.clear();
        AnswerFileDialogWith(path);
        Command(ID_FILE_OPEN);
        return AfxGetDocManager()->GetDocumentCount() == before + 1 ? ActiveDocument() : nullptr;
    }
    template <class T>
    static std::vector<T*> All(Draw2dDocument* pModel, const DrawingFeatureBase* pDrawing)
    {
        std::vector<T*> out;
        for (long id = pModel->GetNextFeatureRecordID(pDrawing, -1, 0); id != -1;
             id = pModel->GetNextFeatureRecordID(pDrawing, id, 0))
            if (auto* t = dynamic_cast<T*>(pModel->GetFeature(id)))
                out.push_back(t);
        return out;
    }

    QTemporaryDir m_files;
};

}  // namespace

TEST_F(JwSxfImportTest, AJwwPlanOpensWithItsGroupsLayersTextBlockAndDimension)
{
    JwwWriter w;
    w.paper = 3;
    w.scale[0] = 1;
    w.scale[1] = 50;
    w.groupName[0] = JwwWriter::Sjis(u"詳細");
    w.groupName[1] = JwwWriter::Sjis(u"平面");
    w.layerName[1][2] = JwwWriter::Sjis(u"寸法");
    JwwWriter::Base detail;
    JwwWriter::Base plan;
    plan.group = 1;
    JwwWriter::Base dims = plan;
    dims.layer = 2;
    w.BeginDefinition(1, "Column");
    w.Arc(JwwWriter::Base{}, 0, 0, 150, 0, 2 * kPi, 0, 1, true);
    w.EndDefinition();
    w.Line(detail, 0, 0, 100, 0);
    w.Text(plan, 0, 0, 3.5, 3.5, 0, 0, JwwWriter::Sjis(u"ＭＳ ゴシック"), JwwWriter::Sjis(u"居間"));
    w.Block(plan, 2000, 2000, 1, 1, 0, 1);
    w.Dimension(dims, 0, 500, 3600, 500, 1800, 520, "3600", 0, 0, 3600, 0);

    CQZ2Doc* pDoc = Open(Write(QStringLiteral("plan.jww"), w.Bytes()));
    ASSERT_NE(pDoc, nullptr);
    EXPECT_TRUE(m_app->boxes.empty());
    EXPECT_EQ(pDoc->GetTitle(), CString(_T("plan.jww")));
    EXPECT_TRUE(pDoc->IsModified());
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();

    // The paper with one layout per group that holds shapes, at the group's scale.
    Paper2dFeature* pPaper = pModel->GetPaperFeature(0);
    ASSERT_NE(pPaper, nullptr);
    double pw = 0, ph = 0;
    pModel->GetPaperSize(pPaper->GetDrawingName(), pw, ph);
    EXPECT_NEAR(pw, 420, 1e-9);
    ASSERT_EQ(pPaper->GetPartLayoutCount(), 2);
    const DrawingFeatureBase* pDetail = pModel->GetDrawingFeatureByName(_T("詳細"));
    const DrawingFeatureBase* pPlan = pModel->GetDrawingFeatureByName(_T("平面"));
    ASSERT_NE(pDetail, nullptr);
    ASSERT_NE(pPlan, nullptr);
    for (int i = 0; i < 2; ++i) {
        const PartDrawingLayout* pLayout = pPaper->GetPartLayout(i);
        EXPECT_NEAR(pLayout->GetScaleDenominatorX(), pLayout->GetDrawingID() == pPlan->GetDrawingID() ? 50 : 1, 1e-9);
    }

    // The layer tree: the groups with their named layers.
    const std::vector<Text2dFeature*> texts = All<Text2dFeature>(pModel, pPlan);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->GetText().str(), u"居間");
    const std::vector<LinearDimension2dFeature*> dimensions = All<LinearDimension2dFeature>(pModel, pPlan);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_EQ(pModel->GetLayerTable()->GetLayerName(dimensions[0]->GetLayerID()), CString(_T("寸法")));
    const std::vector<DrawComponent2dFeature*> columns = All<DrawComponent2dFeature>(pModel, pPlan);
    ASSERT_EQ(columns.size(), 1u);
    const DrawComponent2dFeatureDefine* pColumn =
        pModel->GetComponentDefineTable()->GetComponentDefine(columns[0]->GetComponentDefineID());
    ASSERT_NE(pColumn, nullptr);
    EXPECT_EQ(pColumn->GetComponentName(), CString(_T("Column")));
}

TEST_F(JwSxfImportTest, AnSfcSheetOpensWithItsPartDrawingTextAndComponent)
{
    SfcWriter w;
    w.Sheet("Sheet 1", 2, 1);
    w.Layer("通り芯");
    w.Figure("Plan", 1);
    w.Line(1, 1, 0, 0, 5000, 0);
    w.Text(1, 1, 0, u"事務室", 100, 100, 250);
    w.Figure("Mark", 4);
    w.Circle(1, 2, 0, 0, 3);
    w.Locate(1, "Plan", 40, 40, 0, 0.02, 0.02);
    w.Locate(1, "Mark", 300, 200, 0, 1, 1);

    CQZ2Doc* pDoc = Open(Write(QStringLiteral("sheet.sfc"), w.Contents()));
    ASSERT_NE(pDoc, nullptr);
    EXPECT_TRUE(m_app->boxes.empty());
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    double pw = 0, ph = 0;
    ASSERT_TRUE(pModel->GetPaperSize(_T("Sheet 1"), pw, ph));
    EXPECT_NEAR(pw, 594, 1e-9);
    const DrawingFeatureBase* pPlan = pModel->GetDrawingFeatureByName(_T("Plan"));
    ASSERT_NE(pPlan, nullptr);
    Paper2dFeature* pPaper = pModel->GetPaperFeature(0);
    ASSERT_EQ(pPaper->GetPartLayoutCount(), 1);
    EXPECT_NEAR(pPaper->GetPartLayout(0)->GetScaleDenominatorX(), 50, 1e-9);
    const std::vector<Text2dFeature*> texts = All<Text2dFeature>(pModel, pPlan);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->GetText().str(), u"事務室");
    EXPECT_EQ(pModel->GetLayerTable()->GetLayerName(texts[0]->GetLayerID()), CString(_T("通り芯")));
    EXPECT_EQ(All<DrawComponent2dFeature>(pModel, pPaper).size(), 1u);
}

TEST_F(JwSxfImportTest, BadAndUnreadableFilesSayWhyAndLeaveNoWindow)
{
    JwwWriter newer;
    newer.version = 700;
    JwwWriter good;
    good.Line(JwwWriter::Base{}, 0, 0, 1, 1);
    const std::string jww = good.Bytes();
    SfcWriter sfc;
    sfc.Layer("a");
    sfc.Raw("/*SXF\n#56 = line_feature('1','1','1','1','0','0','1','1'\nSXF*/\n");
    struct Case {
        const char* name;
        std::string data;
        const char* message;
    };
    const Case cases[] = {
        {"new.jww", newer.Bytes(),
         "This JWW file is of format version 700; this program reads JWW files up to version 420."},
        {"garbage.jww", "no drawing", "The file could not be opened, or it is not a file of this type."},
        {"cut.jww", jww.substr(0, jww.size() - 20), "The file could not be imported (error code -3)."},
        {"cut.sfc", sfc.Contents(), "The SXF file could not be imported (error code -3).\nline 13: ')' expected in #56"},
        {"old.jwc", "anything", "Files of this kind (JWC) cannot be read by this program."},
        {"instances.p21",
         "ISO-10303-21;\nHEADER;\nENDSEC;\nDATA;\n#1=CARTESIAN_POINT('',(0.,0.));\nENDSEC;\nEND-ISO-10303-21;\n",
         "Files of this kind (P21) cannot be read by this program."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Open(Write(QString::fromLatin1(c.name), c.data)), nullptr);
        ASSERT_EQ(m_app->boxes.size(), 1u);
        EXPECT_EQ(m_app->boxes[0].text, QString::fromUtf8(c.message));
    }
}

TEST_F(JwSxfImportTest, JwsSymbolsBecomeComponentsInOneUndoStep)
{
    JwwWriter door;
    door.Line(JwwWriter::Base{}, 0, 0, 900, 0);
    door.Arc(JwwWriter::Base{}, 0, 0, 900, 0, kPi / 2, 0, 1, false);
    JwwWriter window;
    window.Line(JwwWriter::Base{}, 0, 0, 1200, 0);
    Write(QStringLiteral("door.jws"), door.Bytes());
    Write(QStringLiteral("window.jws"), window.Bytes());
    const std::string cut = window.Bytes().substr(0, 3000);
    Write(QStringLiteral("cut.jws"), cut);

    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const int undoBefore = pModel->GetUndoCount();
    auto choose = [this](const QString& typed) {
        WhenModal<CQZ2FileDialog>([this, typed](CQZ2FileDialog& d) {
            d.ShowFolder(CString::FromQString(m_files.path()));
            d.GetDlgItem(CQZ2FileDialog::kFileNameEdit)->SetWindowText(CString::FromQString(typed));
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    };

    // Two files: two components named after them, nothing placed, one undo step.
    m_app->boxes.clear();
    choose(QStringLiteral("\"door.jws\" \"window.jws\""));
    Command(33215);
    EXPECT_TRUE(m_app->boxes.empty());
    // The table is the model's current one (undo brings back another).
    auto table = [pModel]() { return pModel->GetComponentDefineTable(); };
    ASSERT_EQ(table()->GetComponentDefineCount(), 2);
    EXPECT_EQ(table()->GetComponentDefineByIndex(0)->GetComponentName(), CString(_T("door")));
    EXPECT_EQ(table()->GetComponentDefineByIndex(1)->GetComponentName(), CString(_T("window")));
    EXPECT_EQ(All<Line2dFeature>(pModel, table()->GetComponentDefineByIndex(0)).size(), 1u);
    EXPECT_EQ(pModel->GetUndoCount(), undoBefore + 1);

    // The same name again gets a number.
    choose(QStringLiteral("door.jws"));
    Command(33215);
    ASSERT_EQ(table()->GetComponentDefineCount(), 3);
    EXPECT_EQ(table()->GetComponentDefineByIndex(2)->GetComponentName(), CString(_T("door (2)")));

    // A damaged second file leaves the drawing as it was and says so.
    const int undoAfter = pModel->GetUndoCount();
    m_app->boxes.clear();
    choose(QStringLiteral("\"window.jws\" \"cut.jws\""));
    Command(33215);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("The file could not be imported (error code -3)."));
    EXPECT_EQ(table()->GetComponentDefineCount(), 3);
    EXPECT_EQ(pModel->GetUndoCount(), undoAfter);

    // A first file that fails before anything was added leaves the user's last step where it is.
    m_app->boxes.clear();
    choose(QStringLiteral("cut.jws"));
    Command(33215);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(table()->GetComponentDefineCount(), 3);
    EXPECT_EQ(pModel->GetUndoCount(), undoAfter);

    // One undo removes the last import's components.
    ASSERT_TRUE(pModel->Undo(1));
    EXPECT_EQ(table()->GetComponentDefineCount(), 2);
    ASSERT_TRUE(pModel->Undo(1));
    EXPECT_EQ(table()->GetComponentDefineCount(), 0);
}

// JWK symbols: the settings are asked once for all chosen files; Cancel reads nothing; a reference file
// that is missing (or a folder) keeps the settings open with the message and the focus on the path. No
// published description of the JWK format is followed here, so the files themselves are then refused with
// the message for kinds this program cannot read, and the drawing stays as it was.
TEST_F(JwSxfImportTest, JwkSymbolsAskTheSettingsOnceAndCheckTheReferenceFile)
{
    Write(QStringLiteral("a.jwk"), "jw_cad(c)data");
    Write(QStringLiteral("b.jwk"), "jw_cad(c)data");
    const QString reference = Write(QStringLiteral("plan.jwc"), "jw_cad(c)data");
    ASSERT_TRUE(QDir(m_files.path()).mkdir(QStringLiteral("folder.jwc")));
    const QString folder = m_files.path() + QStringLiteral("/folder.jwc");

    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const int undoBefore = pModel->GetUndoCount();
    auto choose = [this](const QString& typed) {
        WhenModal<CQZ2FileDialog>([this, typed](CQZ2FileDialog& d) {
            d.ShowFolder(CString::FromQString(m_files.path()));
            d.GetDlgItem(CQZ2FileDialog::kFileNameEdit)->SetWindowText(CString::FromQString(typed));
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    };
    auto click = [](CJwkImportSettingDialog& d, int id) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    };
    auto enabled = [](CJwkImportSettingDialog& d, int id) { return d.GetDlgItem(id)->IsWindowEnabled() != FALSE; };

    // Two files, Cancel: one settings dialog, nothing read, nothing said.
    int asked = 0;
    m_app->boxes.clear();
    choose(QStringLiteral("\"a.jwk\" \"b.jwk\""));
    WhenModal<CJwkImportSettingDialog>([&](CJwkImportSettingDialog& d) {
        ++asked;
        click(d, IDCANCEL);
    });
    Command(33201);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(m_app->boxes.empty());
    EXPECT_EQ(pModel->GetUndoCount(), undoBefore);
    EXPECT_EQ(pModel->GetComponentDefineTable()->GetComponentDefineCount(), 0);

    // Two files, OK after the reference file is checked.
    struct Seen {
        bool comboFirst = false, pathFirst = true, pathWithPens = false, comboSecond = true;
        std::vector<QString> refusals;
        bool focusOnPath = false, stayedOpen = false;
        long layer = -2;
    } seen;
    m_app->boxes.clear();
    choose(QStringLiteral("\"a.jwk\" \"b.jwk\""));
    WhenModal<CJwkImportSettingDialog>([&](CJwkImportSettingDialog& d) {
        ++asked;
        // Choice 0: the layer combo only, showing the drawing's current layer.
        seen.comboFirst = enabled(d, CJwkImportSettingDialog::kLayerCombo);
        seen.pathFirst = enabled(d, CJwkImportSettingDialog::kPath) || enabled(d, CJwkImportSettingDialog::kBrowse);
        d.CheckDlgButton(CJwkImportSettingDialog::kPens, BST_CHECKED);
        click(d, CJwkImportSettingDialog::kPens);
        seen.pathWithPens = enabled(d, CJwkImportSettingDialog::kPath) && enabled(d, CJwkImportSettingDialog::kBrowse);
        d.CheckRadioButton(CJwkImportSettingDialog::kFirstChoice, CJwkImportSettingDialog::kSecondChoice,
                           CJwkImportSettingDialog::kSecondChoice);
        click(d, CJwkImportSettingDialog::kSecondChoice);
        seen.comboSecond = enabled(d, CJwkImportSettingDialog::kLayerCombo);
        // A missing file, then a folder: refused, the dialog stays and the path takes the focus.
        for (const QString& path : {m_files.path() + QStringLiteral("/missing.jwc"), folder}) {
            d.SetDlgItemText(CJwkImportSettingDialog::kPath, CString::FromQString(path));
            const size_t before = m_app->boxes.size();
            click(d, IDOK);
            if (m_app->boxes.size() == before + 1)
                seen.refusals.push_back(m_app->boxes.back().text);
        }
        // The dialog's focus (offscreen, no window is active, so the application's focus is not asked).
        QWidget* pWindow = CWnd::QWidgetFromHwnd(d.GetSafeHwnd());
        seen.focusOnPath = pWindow != nullptr && pWindow->focusWidget() != nullptr &&
                           pWindow->focusWidget() ==
                               CWnd::QWidgetFromHwnd(d.GetDlgItem(CJwkImportSettingDialog::kPath)->GetSafeHwnd());
        seen.stayedOpen = d.GetSafeHwnd() != nullptr && d.IsWindowVisible() != FALSE;
        d.SetDlgItemText(CJwkImportSettingDialog::kPath, CString::FromQString(reference));
        click(d, IDOK);
        seen.layer = d.m_nLayerID;
    });
    Command(33201);
    EXPECT_EQ(asked, 2) << "one dialog for the two files";
    EXPECT_TRUE(seen.comboFirst);
    EXPECT_FALSE(seen.pathFirst);
    EXPECT_TRUE(seen.pathWithPens);
    EXPECT_FALSE(seen.comboSecond);
    const QString noSuchFile = QStringLiteral("The file does not exist.\nEnter the path of an existing file.");
    EXPECT_EQ(seen.refusals, (std::vector<QString>{noSuchFile, noSuchFile}));
    EXPECT_TRUE(seen.focusOnPath);
    EXPECT_TRUE(seen.stayedOpen);
    EXPECT_EQ(seen.layer, pModel->GetCurrentLayerID());
    // The files themselves cannot be read: said once, and the drawing is as it was.
    ASSERT_EQ(m_app->boxes.size(), 3u);
    EXPECT_EQ(m_app->boxes.back().text, QStringLiteral("Files of this kind (JWK) cannot be read by this program."));
    EXPECT_EQ(pModel->GetUndoCount(), undoBefore);
    EXPECT_EQ(pModel->GetComponentDefineTable()->GetComponentDefineCount(), 0);
    EXPECT_EQ(PendingModalActions(), 0u);
}
