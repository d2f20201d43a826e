#include "DocFixture.h"

#include <QtCore/QFile>

#include "app/CQZ2Doc.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"

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
