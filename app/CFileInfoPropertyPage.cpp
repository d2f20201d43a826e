#include "app/CFileInfoPropertyPage.h"

#include <QtCore/QDateTime>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QMimeDatabase>

#include "app/CQZ2Doc.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FileTool.h"
#include "libs/vevure/QZ2ProductVersion.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CFileInfoPropertyPage, CPropertyPage)

namespace {

constexpr UINT IDS_VERSION_SUFFIX = 10204;
constexpr UINT IDS_UNIT_BYTES = 10205;
constexpr UINT IDS_SIZE_FORMAT = 10206;
constexpr UINT IDS_DRAWING_DATA = 10052;

CString LongTime(const QDateTime& when)
{
    // The user's own way of writing a time, without changing the process's locale.
    return when.isValid() ? CString::FromQString(QLocale().toString(when.toLocalTime(), QLocale::LongFormat))
                          : CString();
}

}  // namespace

CFileInfoPropertyPage::CFileInfoPropertyPage() : CPropertyPage(IDD) {}
CFileInfoPropertyPage::~CFileInfoPropertyPage() = default;

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
    m_bReadOnly = info.isWritable() ? FALSE : TRUE;
    m_bHidden = info.fileName().startsWith(QLatin1Char('.')) ? TRUE : FALSE;
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
    return TRUE;
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
