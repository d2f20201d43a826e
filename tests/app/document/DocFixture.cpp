#include "DocFixture.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtWidgets/QApplication>

#include <cstdlib>

#include "app/CQZ2Doc.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CStringArray.h"

int DocTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    boxes.push_back({QString::fromUtf16(lpszPrompt), nType});
    return answer;
}

namespace {

DocTestApp* g_app = nullptr;
QTemporaryDir* g_home = nullptr;

class DocEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_app_document";
        static char* argv[] = {name, nullptr};
        g_home = new QTemporaryDir;
        const QByteArray root = g_home->path().toUtf8();
        setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
        setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
        setenv("KC_MACHINE_CONFIG_DIR", (root + "/machine").constData(), 1);
        setenv("LC_ALL", "en_US.UTF-8", 1);
        QDir().mkpath(g_home->path() + QStringLiteral("/runtime"));
        QFile::setPermissions(g_home->path() + QStringLiteral("/runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (!QCoreApplication::instance())
            new QApplication(argc, argv);
        g_app = new DocTestApp;
        g_app->SetResourceFolder(CString::FromQString(QStringLiteral(KC_TEST_RESOURCE_DIR)));
        g_app->SetCommandLineArguments(CStringArray());
        ASSERT_TRUE(g_app->InitInstance());
    }
    void TearDown() override
    {
        g_app->ExitInstance();
        delete g_app;
        g_app = nullptr;
        delete g_home;
    }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new DocEnvironment);

}  // namespace

DocTestApp* TheApp()
{
    return g_app;
}

void DocFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    TheApp()->boxes.clear();
    TheApp()->answer = IDOK;
}

void DocFixture::TearDown()
{
    for (CQZ2Doc* pDoc : m_docs)
        delete pDoc;
    m_docs.clear();
}

CQZ2Doc* DocFixture::NewDocument()
{
    auto* pDoc = new CQZ2Doc;
    pDoc->m_bAutoDelete = FALSE;
    m_docs.push_back(pDoc);
    EXPECT_TRUE(pDoc->OnNewDocument());
    return pDoc;
}

CQZ2Doc* DocFixture::OpenDocument(const QString& path)
{
    auto* pDoc = new CQZ2Doc;
    pDoc->m_bAutoDelete = FALSE;
    if (!pDoc->OnOpenDocument(CString::FromQString(path))) {
        delete pDoc;
        return nullptr;
    }
    pDoc->SetPathName(CString::FromQString(path), FALSE);
    m_docs.push_back(pDoc);
    return pDoc;
}

void DocFixture::Release(CQZ2Doc* pDoc)
{
    for (auto it = m_docs.begin(); it != m_docs.end(); ++it)
        if (*it == pDoc) {
            m_docs.erase(it);
            break;
        }
    delete pDoc;
}

void DocFixture::AddShapes(CQZ2Doc* pDoc, int nCount)
{
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    pModel->BeginUndoOperation(nullptr);
    for (int i = 0; i < nCount; ++i) {
        const Line2dFeature line(RuVaPnt2d(i, 0), RuVaPnt2d(i + 10.5, 20.25 * i));
        EXPECT_GT(pModel->AddFeature(&line, pModel->GetActiveDrawingFeature(), 1), 0);
        const Circle2dFeature circle(RuVaPnt2d(3 * i, -i), 1.0 + i);
        EXPECT_GT(pModel->AddFeature(&circle, pModel->GetActiveDrawingFeature(), 1), 0);
    }
    pModel->EndUndoOperation();
}

QByteArray DocFixture::ModelBytes(CQZ2Doc* pDoc)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pDoc->GetDraw2dDocument()->SaveToArchive(ar, pDoc->GetViewInfo(), 0);
        ar.Close();
    }
    const ULONGLONG n = file.GetLength();
    QByteArray bytes(static_cast<qsizetype>(n), '\0');
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(n));
    return bytes;
}

QByteArray DocFixture::ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void DocFixture::WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}
