// Auto-save writes a recovery copy of each changed drawing, and waits while a long operation
// runs (the drawing may be half changed then).

#include <gtest/gtest.h>

#include <QtCore/QFileInfo>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "platform/win/CDocTemplate.h"
#include "AppFixture.h"

namespace {

CQZ2Doc* FirstDocument(CQZ2App* app)
{
    for (POSITION t = app->GetFirstDocTemplatePosition(); t != nullptr;) {
        CDocTemplate* pTemplate = app->GetNextDocTemplate(t);
        for (POSITION d = pTemplate->GetFirstDocPosition(); d != nullptr;)
            if (auto* pDoc = dynamic_cast<CQZ2Doc*>(pTemplate->GetNextDoc(d)))
                return pDoc;
    }
    return nullptr;
}

TEST_F(AppFixture, AutoSaveCopiesChangedDrawingsButWaitsForALongOperation)
{
    ASSERT_TRUE(Start());
    CQZ2Doc* pDoc = FirstDocument(m_app.get());
    ASSERT_NE(pDoc, nullptr);
    auto* pFrame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    ASSERT_NE(pFrame, nullptr);

    // Nothing changed: no copy.
    m_app->AutoSaveAll();
    EXPECT_TRUE(pDoc->GetRecoveryFilePath().IsEmpty());

    // Changed while a long operation runs: still no copy.
    pDoc->SetModifiedFlag(TRUE);
    pFrame->ShowProgress(TRUE, 0, TRUE, 0, 100, FALSE, FALSE);
    ASSERT_TRUE(pFrame->IsProgressShown());
    m_app->AutoSaveAll();
    EXPECT_TRUE(pDoc->IsAutoSaveDirty());
    pFrame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, FALSE);

    // Once it has ended, the copy is written.
    m_app->AutoSaveAll();
    EXPECT_FALSE(pDoc->IsAutoSaveDirty());
    ASSERT_FALSE(pDoc->GetRecoveryFilePath().IsEmpty());
    const QFileInfo copy(pDoc->GetRecoveryFilePath().ToQString());
    EXPECT_TRUE(copy.exists());
    EXPECT_GT(copy.size(), 0);
    Stop();
}

}  // namespace
