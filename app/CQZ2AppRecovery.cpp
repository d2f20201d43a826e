// Automatic recovery copies: the timer's pass that copies every changed drawing, and the offer at
// start to reopen the drawings whose copies an abnormal end left behind.

#include "app/CQZ2App.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTimer>

#include <algorithm>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/RegistrySection.h"
#include "app/SystemEnvironment.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/Registry.h"
#include "platform/win/RemoteWindow.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT IDP_RECOVER_DOCUMENTS = 10042;
constexpr UINT IDS_RECOVERY_COPY_FAILED = 12965;
const TCHAR kRecoverySection[] = _T("DocumentRecovery");
const TCHAR kRecoveryFilePath[] = _T("RecoveryFilePath");
const TCHAR kOriginalFilePath[] = _T("OriginalFilePath");

// A drawing held half changed waits this long before the pass is tried again.
constexpr int kRetryMs = 1000;

// Only files that this program made may be renamed, opened or deleted on an entry's word: a
// recovery file ("~name.kvcr") directly inside the user's data folder.
bool IsOwnRecoveryFile(const QString& path)
{
    const CString folder = CQZ2Doc::GetUserDataFolder();
    if (folder.IsEmpty() || path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QString name = info.fileName();
    return QDir::cleanPath(info.absolutePath()) == QDir::cleanPath(folder.ToQString()) &&
           name.startsWith(QLatin1Char('~')) && name.endsWith(QStringLiteral(".kvcr"), Qt::CaseInsensitive) &&
           info.isFile() && !info.isSymLink();
}

// The name the recovered drawing takes in the recovery file's folder: the original's name and
// extension (".kvcd" without one), numbered from 2 when taken.
QString RecoveredPath(const QString& recoveryPath, const QString& original)
{
    const QString folder = QFileInfo(recoveryPath).absolutePath() + QLatin1Char('/');
    // The original path may be of either platform's spelling.
    QString name = original;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QStringLiteral(".kvcd");
    QString path = folder + base + extension;
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = folder + QStringLiteral("%1 (%2)").arg(base).arg(n) + extension;
    return path;
}

struct RecoveryEntry {
    CString name;
    QString recovery;
    QString original;
};

std::vector<RecoveryEntry> ReadRecoveryEntries()
{
    std::vector<RecoveryEntry> entries;
    const CString section = CQZ2App::GetSectionKeyPath(kRecoverySection);
    if (section.IsEmpty())
        return entries;
    HKEY hSection = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, section, 0, KEY_READ, &hSection) != ERROR_SUCCESS)
        return entries;
    for (DWORD index = 0;; ++index) {
        TCHAR name[256] = {0};
        DWORD length = 255;
        if (RegEnumKeyEx(hSection, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        RecoveryEntry entry;
        entry.name = name;
        RegistrySection values(HKEY_CURRENT_USER);
        if (values.Open(section + entry.name)) {
            CString text;
            if (values.Read(kRecoveryFilePath, text))
                entry.recovery = text.ToQString();
            text.Empty();
            if (values.Read(kOriginalFilePath, text))
                entry.original = text.ToQString();
        }
        entries.push_back(entry);
    }
    RegCloseKey(hSection);
    // In the order of their numbers.
    std::stable_sort(entries.begin(), entries.end(), [](const RecoveryEntry& a, const RecoveryEntry& b) {
        const bool aNumber = a.name.ToQString().toInt() > 0;
        const bool bNumber = b.name.ToQString().toInt() > 0;
        if (aNumber != bNumber)
            return aNumber;
        return a.name.ToQString().toInt() < b.name.ToQString().toInt();
    });
    return entries;
}

void DeleteEntry(const RecoveryEntry& entry)
{
    RegDeleteTree(HKEY_CURRENT_USER, CQZ2App::GetSectionKeyPath(kRecoverySection) + entry.name);
}

CQZ2Doc* FindDocument(const CString& path)
{
    CWinApp* pApp = AfxGetApp();
    for (POSITION templatePos = pApp->GetFirstDocTemplatePosition(); templatePos != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(templatePos);
        for (POSITION docPos = pTemplate->GetFirstDocPosition(); docPos != nullptr;) {
            auto* pDoc = dynamic_cast<CQZ2Doc*>(pTemplate->GetNextDoc(docPos));
            if (pDoc != nullptr && pDoc->GetPathName() == path)
                return pDoc;
        }
    }
    return nullptr;
}

}  // namespace

void CQZ2App::AutoSaveAll()
{
    KillAutoSaveTimer();
    if (m_pSystemEnvironment == nullptr || !m_pSystemEnvironment->m_AutoRecoverEnabled)
        return;

    // A long operation or an open change may hold a drawing half changed: its copy waits, and the
    // pass runs again shortly.
    CMainFrame* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd);
    bool bWaiting = pFrame != nullptr && pFrame->IsProgressShown();
    bool bFailed = false;
    for (POSITION templatePos = bWaiting ? nullptr : GetFirstDocTemplatePosition(); templatePos != nullptr;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(templatePos);
        for (POSITION docPos = pTemplate->GetFirstDocPosition(); docPos != nullptr;) {
            auto* pDoc = dynamic_cast<CQZ2Doc*>(pTemplate->GetNextDoc(docPos));
            if (pDoc == nullptr)
                continue;
            if (pDoc->GetDraw2dDocument() != nullptr && pDoc->GetDraw2dDocument()->IsInUndoOperation()) {
                bWaiting = true;
                continue;
            }
            const BOOL bDue = pDoc->IsAutoSaveDirty();
            if (!pDoc->SaveRecoveryFile() && bDue && pDoc->IsAutoSaveDirty())
                bFailed = true;
        }
    }
    // A copy that could not be written keeps the previous one; the user hears of it once, not at
    // every tick, and never in a box that would stop the work.
    if (bFailed && !m_bRecoveryFailureShown) {
        m_bRecoveryFailureShown = TRUE;
        if (pFrame != nullptr)
            pFrame->SetStatusInformation(LoadResourceString(IDS_RECOVERY_COPY_FAILED), 10000);
    } else if (!bFailed && !bWaiting) {
        m_bRecoveryFailureShown = FALSE;
    }
    if (bWaiting)
        ArmAutoSaveTimer(kRetryMs);
    else
        RestartAutoSaveTimer();
}

void CQZ2App::RecoverDocuments()
{
    // Another instance's drawings are its own, live ones.
    if (!RemoteWindow::FindAll(CMainFrame::kWindowClassName).empty())
        return;
    const std::vector<RecoveryEntry> entries = ReadRecoveryEntries();
    if (entries.empty())
        return;
    const BOOL bRecover = AfxMessageBox(LoadResourceString(IDP_RECOVER_DOCUMENTS), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    for (const RecoveryEntry& entry : entries) {
        const bool bOwn = IsOwnRecoveryFile(entry.recovery);
        // An entry naming anything but a recovery file of ours loses its entry; the file stays.
        if (!bRecover || entry.original.isEmpty() || !bOwn || QFileInfo(entry.recovery).size() == 0) {
            if (bOwn)
                QFile::remove(entry.recovery);
            DeleteEntry(entry);
            continue;
        }
        const QString path = RecoveredPath(entry.recovery, entry.original);
        if (!QFile::rename(entry.recovery, path)) {
            // Left for the next start.
            continue;
        }
        const CString strPath = CString::FromQString(path);
        CQZ2Doc* pDoc = OpenRecoveryFile(strPath) ? FindDocument(strPath) : nullptr;
        if (pDoc == nullptr) {
            // The document said why it did not open; it is not offered again.
            DeleteEntry(entry);
            continue;
        }
        pDoc->SetRecoveryInfo(CString::FromQString(entry.original), strPath, entry.name);
        pDoc->SetTitle(pDoc->GetTitle());
        RegistrySection values(HKEY_CURRENT_USER);
        if (values.Create(GetSectionKeyPath(kRecoverySection) + entry.name))
            values.Write(kRecoveryFilePath, strPath);
    }
}
