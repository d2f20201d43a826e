#include "RecoveryFixture.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/afx/CPtrArray.h"
#include "platform/afx/CTypedPtrArray.h"
#include "platform/win/Registry.h"
#include "platform/win/SettingsStore.h"

void RecoveryFixture::SetUp()
{
    Pump();
    AppFixture::SetUp();
}

bool RecoveryFixture::Launch()
{
    if (!Start())
        return false;
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    m_manager = m_app->GetCommandManager();
    Pump();
    return m_frame != nullptr;
}

QString RecoveryFixture::DataFolder() const
{
    return m_home.path() + QStringLiteral("/data/Korvan/Rivedi VEZ Dadazizo 4/");
}

void RecoveryFixture::WriteEntry(const QString& name, const QString& recovery, const QString& original)
{
    const QString section = QStringLiteral("DocumentRecovery\\") + name;
    WriteUserString(section, QStringLiteral("RecoveryFilePath"), recovery);
    WriteUserString(section, QStringLiteral("OriginalFilePath"), original);
}

QString RecoveryFixture::EntryValue(const QString& name, const QString& value)
{
    SettingsStore* store = SettingsStore::Get(SettingsStore::CurrentUser);
    const std::u16string key = (kAppKey + QStringLiteral("\\DocumentRecovery\\") + name).toStdU16String();
    if (store->KeyExists(key) != ERROR_SUCCESS)
        return QStringLiteral("<no entry>");
    DWORD type = 0;
    std::vector<BYTE> data;
    if (store->GetValue(key, value.toStdU16String(), &type, &data) != ERROR_SUCCESS)
        return QStringLiteral("<no value>");
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(data.data()));
}

bool RecoveryFixture::SectionIsEmpty()
{
    HKEY hKey = nullptr;
    const std::u16string key = (kAppKey + QStringLiteral("\\DocumentRecovery")).toStdU16String();
    if (RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return true;
    TCHAR name[64] = {0};
    DWORD length = 63;
    const bool bEmpty = RegEnumKeyEx(hKey, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS;
    RegCloseKey(hKey);
    return bEmpty;
}

void RecoveryFixture::AddLines(CQZ2Doc* pDoc, int nLines)
{
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    for (int i = 0; i < nLines; ++i) {
        pModel->BeginUndoOperation(nullptr);
        const Line2dFeature line(RuVaPnt2d(i, 0), RuVaPnt2d(i + 10.5, 20.25 * i));
        EXPECT_GT(pModel->AddFeature(&line, pModel->GetActiveDrawingFeature(), 1), 0);
        pModel->EndUndoOperation();
    }
}

void RecoveryFixture::WriteDrawing(const QString& path, int nLines)
{
    ASSERT_TRUE(Launch());
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    AddLines(pDoc, nLines);
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(pDoc->OnSaveDocument(CString::FromQString(path)));
    Stop();
    m_frame = nullptr;
}

CQZ2Doc* RecoveryFixture::FindOpen(const QString& path) const
{
    CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
    m_app->GetOpenDocuments(documents);
    for (INT_PTR i = 0; i < documents.GetSize(); ++i)
        if (documents[i]->GetPathName().ToQString() == path)
            return documents[i];
    return nullptr;
}

int RecoveryFixture::OpenCount() const
{
    CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
    m_app->GetOpenDocuments(documents);
    return static_cast<int>(documents.GetSize());
}

int RecoveryFixture::LineCount(CQZ2Doc* pDoc)
{
    const Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    int n = 0;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
        n += dynamic_cast<const Line2dFeature*>(pModel->GetFeature(id)) != nullptr ? 1 : 0;
    return n;
}
