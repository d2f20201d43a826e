// Opening DXF drawings end to end: the real program offscreen, File Open answered with a DXF file in a
// temporary folder, the window, its tabs and status text, Save's proposal and a save and reopen; and bad
// files, which leave no window and say why.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

#include <string>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/win/CDocManager.h"
#include "platform/win/WinConstants.h"

namespace {

std::string G(int nCode, const std::string& value)
{
    return std::to_string(nCode) + "\n" + value + "\n";
}

// A plan in inches: a wall line on its own layer and a circle.
std::string Plan()
{
    return G(0, "SECTION") + G(2, "HEADER") + G(9, "$ACADVER") + G(1, "AC1015") + G(9, "$INSUNITS") + G(70, "1") +
           G(0, "ENDSEC") + G(0, "SECTION") + G(2, "TABLES") + G(0, "TABLE") + G(2, "LAYER") + G(0, "LAYER") +
           G(2, "Walls") + G(70, "0") + G(62, "1") + G(0, "ENDTAB") + G(0, "ENDSEC") + G(0, "SECTION") +
           G(2, "ENTITIES") + G(0, "LINE") + G(8, "Walls") + G(10, "0") + G(20, "0") + G(11, "10") + G(21, "0") +
           G(0, "CIRCLE") + G(8, "0") + G(10, "5") + G(20, "5") + G(40, "1") + G(0, "ENDSEC") + G(0, "EOF");
}

class DxfImportTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        // The settings sheet shown before reading has tests of its own.
        if (m_app)
            m_app->m_bDxfConverterDialog = FALSE;
    }
    QString Write(const QString& name, const std::string& text)
    {
        const QString path = m_files.path() + QLatin1Char('/') + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }


    QTemporaryDir m_files;
};

}  // namespace

TEST_F(DxfImportTest, FileOpenOfADxfMakesAModifiedDrawingWithTheFilesTabs)
{
    const QString path = Write(QStringLiteral("plan.dxf"), Plan());
    const int before = AfxGetDocManager()->GetDocumentCount();
    m_app->boxes.clear();
    AnswerFileDialogWith(path);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(AfxGetDocManager()->GetDocumentCount(), before + 1);
    EXPECT_TRUE(m_app->boxes.empty());
    CQZ2Doc* pDoc = ActiveDocument();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetTitle(), CString(_T("plan.dxf")));
    EXPECT_TRUE(pDoc->IsModified());

    // The paper, then the model as a part drawing, then the layer table; the model is active.
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const DrawViewInfo& tabs = pDoc->GetViewInfo();
    ASSERT_EQ(tabs.GetViewInfoCount(), 3);
    EXPECT_EQ(tabs.GetViewType(0), 0);
    EXPECT_EQ(tabs.GetViewType(1), 1);
    EXPECT_EQ(tabs.GetViewType(2), 2);
    const DrawingFeatureBase* pPart = pModel->GetDrawingFeatureByID(tabs.GetViewID(1));
    ASSERT_NE(pPart, nullptr);
    EXPECT_EQ(tabs.GetActiveIndex(), 1);
    EXPECT_EQ(pModel->GetActiveDrawingID(), pPart->GetDrawingID());

    // Inches became millimetres.
    int lines = 0, circles = 0;
    for (long id = pModel->GetNextFeatureRecordID(pPart, -1, 0); id != -1;
         id = pModel->GetNextFeatureRecordID(pPart, id, 0)) {
        if (auto* l = dynamic_cast<Line2dFeature*>(pModel->GetFeature(id))) {
            ++lines;
            EXPECT_NEAR(l->GetEndPoint().X(), 254.0, 1e-9);
        }
        if (dynamic_cast<Circle2dFeature*>(pModel->GetFeature(id)))
            ++circles;
    }
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(circles, 1);

    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(pFrame->GetPendingInformation(), CString(_T("The import is complete.")));

    // Save proposes the drawing's own kind of file under the DXF's name; saving and opening it again gives
    // the same shapes.
    EXPECT_EQ(pDoc->GetSaveAsProposal(TRUE, _T("kvcd")), CString(_T("plan.kvcd")));
    const QString saved = m_files.path() + QStringLiteral("/plan.kvcd");
    AnswerFileDialogWith(saved);
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(QFileInfo::exists(saved));
    const long count = pModel->GetFeatureCount();
    Command(ID_FILE_CLOSE);
    AnswerFileDialogWith(saved);
    Command(ID_FILE_OPEN);
    CQZ2Doc* pAgain = ActiveDocument();
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(pAgain->GetDraw2dDocument()->GetFeatureCount(), count);
    EXPECT_FALSE(pAgain->IsModified());
}

TEST_F(DxfImportTest, BadFilesSayWhyAndLeaveNoWindow)
{
    struct Case { const char* name; std::string data; const char* message; };
    const Case cases[] = {
        {"garbage.dxf", "this is no drawing\n", "The file could not be imported (error code -2)."},
        {"cut.dxf", Plan().substr(0, 200), "The file could not be imported (error code -3)."},
        {"count.dxf", G(0, "SECTION") + G(2, "ENTITIES") + G(0, "LWPOLYLINE") + G(90, "999999999") + G(10, "0") +
                          G(0, "ENDSEC") + G(0, "EOF"),
         "The file could not be imported (error code -4)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = AfxGetDocManager()->GetDocumentCount();
        m_app->boxes.clear();
        AnswerFileDialogWith(Write(QString::fromLatin1(c.name), c.data));
        Command(ID_FILE_OPEN);
        EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), before);
        ASSERT_EQ(m_app->boxes.size(), 1u);
        EXPECT_EQ(m_app->boxes[0].text, QString::fromLatin1(c.message));
    }
}

TEST_F(DxfImportTest, FileImportDxfDwgOpensTheChosenDrawingAndRemembersItsFilter)
{
    const QString path = Write(QStringLiteral("site.dxf"), Plan());
    const int before = AfxGetDocManager()->GetDocumentCount();
    AnswerFileDialogWith(path);
    Command(33205);
    ASSERT_EQ(AfxGetDocManager()->GetDocumentCount(), before + 1);
    ASSERT_NE(ActiveDocument(), nullptr);
    EXPECT_EQ(ActiveDocument()->GetTitle(), CString(_T("site.dxf")));
    EXPECT_EQ(m_app->m_dwLastFileOpenFilter, 0x100u);
}
