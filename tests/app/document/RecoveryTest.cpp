// Automatic recovery copies: a changed drawing is copied to a recovery file of its own in the
// user's data folder and recorded under "DocumentRecovery"; the copy changes nothing of the
// document, and clearing removes both.

#include <QtCore/QFileInfo>

#include "DocFixture.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/QZ2NativeFile.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/win/Registry.h"

namespace {

class RecoveryTest : public DocFixture
{
protected:
    static QString EntryValue(const CString& entry, const char16_t* value)
    {
        HKEY hKey = nullptr;
        const CString key = CQZ2App::GetSectionKeyPath(u"DocumentRecovery") + entry;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return QStringLiteral("<no entry>");
        TCHAR buf[1024] = {0};
        DWORD size = sizeof buf - sizeof(TCHAR);
        DWORD type = 0;
        const LSTATUS status = RegQueryValueEx(hKey, value, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
        RegCloseKey(hKey);
        return status == ERROR_SUCCESS ? QString::fromUtf16(buf) : QStringLiteral("<no value>");
    }
};

TEST_F(RecoveryTest, AChangedDrawingIsCopiedAndRecordedWithoutChangingTheDocument)
{
    CQZ2Doc* pDoc = NewDocument();
    pDoc->SetTitle(u"Plan");
    AddShapes(pDoc, 4);
    pDoc->SetModifiedFlag(TRUE);
    ASSERT_TRUE(pDoc->SaveRecoveryFile());
    const QString path = pDoc->GetRecoveryFilePath().ToQString();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/Korvan/Rivedi VEZ Dadazizo 4/~Plan.kvcr"))) << path.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_FALSE(pDoc->IsAutoSaveDirty());
    EXPECT_TRUE(Boxes().empty());
    // Nothing changed since: no new copy is due.
    EXPECT_FALSE(pDoc->SaveRecoveryFile());

    const CString entry = pDoc->GetRecoveryEntry();
    ASSERT_FALSE(entry.IsEmpty());
    EXPECT_EQ(EntryValue(entry, u"RecoveryFilePath"), path);
    EXPECT_EQ(EntryValue(entry, u"OriginalFilePath"), QStringLiteral("Plan"));
    {
        CompoundFile file;
        file.Open(CString::FromQString(path), TRUE);
        EXPECT_EQ(file.GetRootStorage()->GetElementType(QZ2NativeFile::kThumbnailStreamName), 0u);
    }
    CQZ2Doc* pCopy = OpenDocument(path);
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetDraw2dDocument()->GetFeatureCount(), 8);
    Release(pCopy);

    // Another drawing of the same title gets a file and an entry of its own.
    CQZ2Doc* pSame = NewDocument();
    pSame->SetTitle(u"Plan");
    pSame->SetModifiedFlag(TRUE);
    ASSERT_TRUE(pSame->SaveRecoveryFile());
    EXPECT_NE(pSame->GetRecoveryFilePath().ToQString(), path);
    EXPECT_FALSE(pSame->GetRecoveryEntry() == entry);

    pDoc->ClearRecovery();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(EntryValue(entry, u"RecoveryFilePath"), QStringLiteral("<no entry>"));
    EXPECT_TRUE(pDoc->GetRecoveryFilePath().IsEmpty());
    pSame->ClearRecovery();
}

TEST_F(RecoveryTest, SavingADrawingUnderItsNameEndsItsRecoveryCopy)
{
    CQZ2Doc* pDoc = NewDocument();
    pDoc->SetModifiedFlag(TRUE);
    ASSERT_TRUE(pDoc->SaveRecoveryFile());
    const QString recovery = pDoc->GetRecoveryFilePath().ToQString();
    ASSERT_TRUE(QFileInfo::exists(recovery));
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("saved.kvcd")), TRUE));
    EXPECT_FALSE(QFileInfo::exists(recovery));
    EXPECT_TRUE(pDoc->GetRecoveryEntry().IsEmpty());
}

TEST_F(RecoveryTest, ClosingADrawingRemovesItsRecoveryCopy)
{
    auto* pDoc = new CQZ2Doc;  // closing deletes it
    ASSERT_TRUE(pDoc->OnNewDocument());
    pDoc->SetModifiedFlag(TRUE);
    ASSERT_TRUE(pDoc->SaveRecoveryFile());
    const QString recovery = pDoc->GetRecoveryFilePath().ToQString();
    const CString entry = pDoc->GetRecoveryEntry();
    ASSERT_TRUE(QFileInfo::exists(recovery));
    pDoc->OnCloseDocument();
    EXPECT_FALSE(QFileInfo::exists(recovery));
    EXPECT_EQ(EntryValue(entry, u"RecoveryFilePath"), QStringLiteral("<no entry>"));
}

}  // namespace
