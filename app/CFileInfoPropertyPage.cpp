#include "app/CFileInfoPropertyPage.h"

#include <QtCore/QDateTime>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QMimeDatabase>
#include <QtCore/QSaveFile>
#include <QtWidgets/QFileIconProvider>

#include "app/CQZ2Doc.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FileTool.h"
#include "libs/vevure/QZ2ProductVersion.h"
#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinInput.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CFileInfoPropertyPage, CPropertyPage)

namespace {

constexpr UINT IDS_VERSION_SUFFIX = 10204;
constexpr UINT IDS_UNIT_BYTES = 10205;
constexpr UINT IDS_SIZE_FORMAT = 10206;
constexpr UINT IDS_DRAWING_DATA = 10052;
constexpr UINT IDS_ATTRIBUTES_NOT_CHANGED = 13020;
constexpr UINT IDC_FILE_ICON = 1021;
constexpr UINT IDC_READ_ONLY = 1005;
constexpr UINT IDC_HIDDEN = 1024;
constexpr int kIconSize = 32;
// The list of names that file managers hide in a folder, beside the names starting with a dot.
const QString kHiddenList = QStringLiteral(".hidden");
// A list longer than this is not ours to rewrite.
constexpr qint64 kMaxHiddenListSize = 1 << 20;

// The names of the folder's hidden list; false when it exists but cannot be read.
bool ReadHiddenList(const QString& listPath, QStringList& names)
{
    names.clear();
    QFile file(listPath);
    if (!file.exists())
        return true;
    if (file.size() > kMaxHiddenListSize || !file.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    return true;
}

CString LongTime(const QDateTime& when)
{
    // The user's own way of writing a time, without changing the process's locale.
    return when.isValid() ? CString::FromQString(QLocale().toString(when.toLocalTime(), QLocale::LongFormat))
                          : CString();
}

}  // namespace

CFileInfoPropertyPage::CFileInfoPropertyPage() : CPropertyPage(IDD) {}

CFileInfoPropertyPage::~CFileInfoPropertyPage()
{
    if (m_hIcon != nullptr)
        DestroyIcon(m_hIcon);
}

BOOL CFileInfoPropertyPage::IsFileHidden(const CString& strPath)
{
    const QFileInfo info(strPath.ToQString());
    if (info.fileName().startsWith(QLatin1Char('.')))
        return TRUE;
    QStringList names;
    ReadHiddenList(info.dir().filePath(kHiddenList), names);
    return names.contains(info.fileName()) ? TRUE : FALSE;
}

BOOL CFileInfoPropertyPage::SetFileHidden(const CString& strPath, BOOL bHidden)
{
    const QFileInfo info(strPath.ToQString());
    const QString name = info.fileName();
    if (name.isEmpty())
        return FALSE;
    if (name.startsWith(QLatin1Char('.')))
        return bHidden ? TRUE : FALSE;
    const QString listPath = info.dir().filePath(kHiddenList);
    QStringList names;
    if (!ReadHiddenList(listPath, names))
        return FALSE;
    if (names.contains(name) == static_cast<bool>(bHidden))
        return TRUE;
    if (bHidden)
        names.append(name);
    else
        names.removeAll(name);
    if (names.isEmpty())
        return QFile::remove(listPath) ? TRUE : FALSE;
    // Written whole, then put in place: a failure leaves the old list as it was.
    QSaveFile file(listPath);
    if (!file.open(QIODevice::WriteOnly))
        return FALSE;
    file.write((names.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return file.commit() ? TRUE : FALSE;
}

BOOL CFileInfoPropertyPage::SetFileReadOnly(const CString& strPath, BOOL bReadOnly)
{
    QFile file(strPath.ToQString());
    QFileDevice::Permissions permissions = file.permissions();
    // The file's own bits. WriteUser reads as what the system grants this user (always, to root) and is
    // written as the owner's bit.
    constexpr QFileDevice::Permissions kWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (bReadOnly)
        permissions &= ~(kWrite | QFileDevice::WriteUser);
    else
        permissions |= QFileDevice::WriteOwner;
    if (!file.exists() || !file.setPermissions(permissions))
        return FALSE;
    return (file.permissions() & kWrite) == (permissions & kWrite) ? TRUE : FALSE;
}

CString CFileInfoPropertyPage::InsertThousandsSeparators(const CString& strNumber)
{
    const QString text = strNumber.ToQString();
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    QString head = dot >= 0 ? text.left(dot) : text;
    const QString tail = dot >= 0 ? text.mid(dot) : QString();
    // A sign stays in front of the digits.
    QString sign;
    if (head.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        head.remove(0, 1);
    }
    for (qsizetype i = head.size() - 3; i > 0; i -= 3)
        head.insert(i, QLatin1Char(','));
    return CString::FromQString(sign + head + tail);
}

CString CFileInfoPropertyPage::FormatFileSize(ULONGLONG nSize)
{
    double value = static_cast<double>(nSize);
    CString unit = LoadResourceString(IDS_UNIT_BYTES);
    if (value > 1024.0) {
        value /= 1024.0;
        unit = u"KB";
        if (value > 1024.0) {
            value /= 1024.0;
            unit = u"MB";
        }
    }
    const CString first = InsertThousandsSeparators(CString::FromQString(QString::asprintf("%.1f", value)));
    const CString exact = InsertThousandsSeparators(CString::FromQString(QString::number(nSize)));
    CString result;
    result.Format(LoadResourceString(IDS_SIZE_FORMAT), static_cast<LPCTSTR>(first), static_cast<LPCTSTR>(unit),
                  static_cast<LPCTSTR>(exact));
    return result;
}

void CFileInfoPropertyPage::ReadFile()
{
    const CString path = m_pDocument != nullptr ? m_pDocument->GetPathName() : CString();
    // A drawing never saved has no file to tell of.
    if (path.IsEmpty())
        return;
    const QString qpath = path.ToQString();
    const int nType = FileTool::GetFileType(path);
    if (nType >= 0 && nType <= 6) {
        m_strType = LoadResourceString(IDS_DRAWING_DATA);
        if (Draw2dDocument* pModel = m_pDocument->GetDraw2dDocument()) {
            CString version;
            version.Format(LoadResourceString(IDS_VERSION_SUFFIX), static_cast<int>(pModel->GetProductVersion().GetMajorVersion()),
                           static_cast<int>(pModel->GetProductVersion().GetMinorVersion()));
            m_strType += version;
        }
    } else {
        m_strType = CString::FromQString(QMimeDatabase().mimeTypeForFile(qpath).comment());
    }
    m_strName = FileTool::SplitFileName(path, 0x14);
    m_strFolder = FileTool::SplitFileName(path, 3);
    while (m_strFolder.GetLength() > 1 && (m_strFolder.Right(1) == u"/" || m_strFolder.Right(1) == u"\\"))
        m_strFolder = m_strFolder.Left(m_strFolder.GetLength() - 1);

    const QFileInfo info(qpath);
    if (!info.exists())
        return;
    m_strSize = FormatFileSize(static_cast<ULONGLONG>(info.size()));
    m_strCreated = LongTime(info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime());
    m_strModified = LongTime(info.lastModified());
    m_strAccessed = LongTime(info.lastRead());
    // Read-only when this user cannot write it, or when nobody may (as file managers show it, also to root).
    constexpr QFileDevice::Permissions kWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    m_bReadOnly = info.isWritable() && (info.permissions() & kWrite) ? FALSE : TRUE;
    m_bHidden = IsFileHidden(path);
    m_bReadOnlyShown = m_bReadOnly;
    m_bHiddenShown = m_bHidden;
    // The icon the desktop shows for the file.
    if (m_hIcon == nullptr)
        m_hIcon = AfxCreateIconFromPixmap(QFileIconProvider().icon(info).pixmap(kIconSize, kIconSize));
    m_bArchive = FALSE;
    m_bSystem = FALSE;
}

BOOL CFileInfoPropertyPage::OnInitDialog()
{
    ReadFile();
    CPropertyPage::OnInitDialog();
    // The file system here keeps no archive or system flag.
    for (const UINT id : {1006u, 1025u})
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(FALSE);
    const bool hasFile = m_pDocument != nullptr && !m_pDocument->GetPathName().IsEmpty() &&
                         QFileInfo::exists(m_pDocument->GetPathName().ToQString());
    // Without a file there is nothing to change; a name starting with a dot is hidden by the name itself.
    if (CWnd* p = GetDlgItem(IDC_READ_ONLY))
        p->EnableWindow(hasFile ? TRUE : FALSE);
    if (CWnd* p = GetDlgItem(IDC_HIDDEN))
        p->EnableWindow(hasFile && !QFileInfo(m_pDocument->GetPathName().ToQString()).fileName().startsWith(QLatin1Char('.'))
                            ? TRUE : FALSE);
    if (m_hIcon != nullptr)
        SendDlgItemMessage(IDC_FILE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_hIcon), 0);
    return TRUE;
}

BOOL CFileInfoPropertyPage::OnApply()
{
    const CString path = m_pDocument != nullptr ? m_pDocument->GetPathName() : CString();
    if (path.IsEmpty() || !QFileInfo::exists(path.ToQString()))
        return CPropertyPage::OnApply();
    bool ok = true;
    if (m_bReadOnly != m_bReadOnlyShown) {
        ok = SetFileReadOnly(path, m_bReadOnly) && ok;
        m_bReadOnlyShown = m_bReadOnly;
    }
    if (m_bHidden != m_bHiddenShown) {
        ok = SetFileHidden(path, m_bHidden) && ok;
        m_bHiddenShown = m_bHidden;
    }
    if (!ok) {
        CString message;
        message.Format(LoadResourceString(IDS_ATTRIBUTES_NOT_CHANGED), static_cast<LPCTSTR>(m_strName));
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    }
    return CPropertyPage::OnApply();
}

void CFileInfoPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, 1008, m_strName);
    DDX_Text(pDX, 1009, m_strType);
    DDX_Text(pDX, 1010, m_strFolder);
    DDX_Text(pDX, 1011, m_strSize);
    DDX_Text(pDX, 1012, m_strCreated);
    DDX_Text(pDX, 1013, m_strModified);
    DDX_Text(pDX, 1014, m_strAccessed);
    DDX_Check(pDX, 1005, m_bReadOnly);
    DDX_Check(pDX, 1024, m_bHidden);
    DDX_Check(pDX, 1006, m_bArchive);
    DDX_Check(pDX, 1025, m_bSystem);
}
